#include "editor/pages/vocoder/CVocoderEditLayer.h"

#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomSlider.h"
#include "editor/controls/CCustomSwitch.h"
#include "editor/graphs/CCustomValueBar.h"
#include "editor/layout/VocoderEditLayout.h"
#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstring>

namespace
{
// Each control's parameter (group 5) and the address word 4 it carries, by control id.
struct VocoderRow
{
    uint8_t index;
    uint8_t word4;
};

constexpr uint32_t kFirstKnobId = 3, kFirstPanId = 14, kFirstLevelId = 30;
// The Formant Shift value each LED stands for, top to bottom.
constexpr int32_t kShiftValues[5] = {2, 1, 0, -1, -2};
constexpr uint32_t kHoldEventKind = 3; // a kind the value path does not read

constexpr std::array<VocoderRow, CVocoderEditLayer::kControlCount> MakeRows()
{
    std::array<VocoderRow, CVocoderEditLayer::kControlCount> rows{};
    const VocoderRow first[kFirstPanId] = {{6, 0},  {15, 0}, {2, 0},  {7, 2},  {8, 2},  {10, 2}, {9, 2},
                                           {18, 2}, {19, 2}, {17, 2}, {12, 2}, {11, 2}, {13, 2}, {16, 2}};
    for (uint32_t i = 0; i < kFirstPanId; ++i)
        rows[i] = first[i];
    for (uint8_t k = 0; k < 16; ++k)
    {
        rows[kFirstPanId + k] = {static_cast<uint8_t>(21 + k), 5};
        rows[kFirstLevelId + k] = {static_cast<uint8_t>(37 + k), 6};
        rows[CVocoderEditLayer::kFirstHoldId + k] = {static_cast<uint8_t>(53 + k), 0};
    }
    for (uint32_t i = 0; i < 5; ++i)
        rows[CVocoderEditLayer::kFirstLedId + i] = {14, 0};
    return rows;
}
constexpr std::array<VocoderRow, CVocoderEditLayer::kControlCount> kRows = MakeRows();
static_assert(NvCountOf(NvVocoderEditLayout::kControls) == CVocoderEditLayer::kControlCount,
              "one layout entry per control");

bool IsLed(uint32_t id)
{
    return id >= CVocoderEditLayer::kFirstLedId && id < CVocoderEditLayer::kFirstHoldId;
}
bool IsHold(uint32_t id)
{
    return id >= CVocoderEditLayer::kFirstHoldId && id < CVocoderEditLayer::kControlCount;
}
bool IsText(uint32_t id)
{
    return id < 2;
}

} // namespace

CVocoderEditLayer::CVocoderEditLayer()
{
    m_background = GetBitmap(NvVocoderEditLayout::kPage.background);
    m_logo = GetBitmap("LogoNv2Editor");
}

CVocoderEditLayer::~CVocoderEditLayer()
{
    // The controls leave the layer before it goes.
    m_owned.clear();
}

bool CVocoderEditLayer::Create(CBaseWindow* window)
{
    if (!m_background || !window)
        return false;
    if (!CEditLayerBase::Create(0, 0, m_background->GetWidth(), m_background->GetHeight(), window))
        return false;
    return MakeControls();
}

template <class T> T* CVocoderEditLayer::Own(std::unique_ptr<T> control)
{
    T* raw = control.get();
    m_owned.push_back(std::move(control));
    return raw;
}

bool CVocoderEditLayer::MakeControls()
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    for (uint32_t id = 0; id < kControlCount; ++id)
    {
        const NvLayoutControl& place = NvVocoderEditLayout::kControls[id];
        const CZmParameterId parameter = {kGroup, kRows[id].index, 0};
        const int32_t minimum = accessor && program ? accessor->GetMin(program, parameter) : 0;
        const int32_t maximum = accessor && program ? accessor->GetMax(program, parameter) : 127;
        CHfcControl* control = nullptr;
        CCustomControl* custom = nullptr;
        bool made = false;
        if (IsText(id))
        {
            CCustomEditTextRecord record;
            record.x = place.x;
            record.y = place.y;
            record.font = m_fontWhite;
            record.dimFont = m_fontWhiteDim;
            record.background = m_background;
            record.columns = place.width / NvSkinFont::kSmallWidth;
            record.minimum = minimum;
            record.maximum = maximum;
            record.sensitivity = GetValueStep(maximum, minimum);
            auto* text = Own(std::make_unique<CCustomEditText>());
            made = text->Create(&record, id, CCustomControl::kEventValue);
            control = text;
            custom = text;
        }
        else if (id < kFirstKnobId)
        {
            CCustomSwitchRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap("SwitchOnOff");
            record.dim = GetBitmap("SwitchOnOffDim");
            record.background = m_background;
            auto* sw = Own(std::make_unique<CCustomSwitch>());
            made = sw->Create(&record, id, CCustomControl::kEventToggle);
            control = sw;
            custom = sw;
        }
        else if (id < kFirstLevelId)
        {
            const bool small = id >= kFirstPanId;
            CCustomKnobRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(small ? "KnobSmall" : "Knob");
            record.dim = GetBitmap(small ? "KnobSmallDim" : "KnobDim");
            record.background = m_background;
            record.frameCount = 101;
            record.minimum = minimum;
            record.maximum = maximum;
            record.sensitivity = 1;
            auto* knob = Own(std::make_unique<CCustomKnob>());
            made = knob->Create(&record, id, CCustomControl::kEventValue);
            control = knob;
            custom = knob;
        }
        else if (id < kFirstLedId)
        {
            CCustomSliderRecord record;
            record.x = place.x;
            record.y = place.y;
            record.width = place.width;
            record.height = place.height;
            record.thumb = GetBitmap("VerticalSliderTop");
            record.dim = GetBitmap("VerticalSliderTopDim");
            record.background = m_background;
            record.trackLength = record.thumb ? place.height - record.thumb->GetHeight() : 0;
            record.minimum = minimum;
            record.maximum = maximum;
            auto* slider = Own(std::make_unique<CCustomSlider>());
            made = slider->Create(&record, id, CCustomControl::kEventValue);
            control = slider;
            custom = slider;
        }
        else if (IsLed(id))
        {
            CCustomLedRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap("LedButtonLarge");
            record.dim = GetBitmap("LedButtonLargeDim");
            record.background = m_background;
            record.number = kShiftValues[id - kFirstLedId];
            auto* led = Own(std::make_unique<CCustomLed>());
            made = led->Create(&record, id, CCustomControl::kEventNumber);
            control = led;
            custom = led;
        }
        else
        {
            CCustomValueBarRecord record;
            record.x = place.x;
            record.y = place.y;
            record.width = place.width;
            record.height = place.height;
            record.fill = GetBitmap("FormantHoldBar");
            record.background = m_background;
            record.backgroundX = place.x;
            record.backgroundY = place.y;
            record.minimum = 0;
            record.maximum = 32767;
            record.vertical = 1;
            auto* bar = Own(std::make_unique<CCustomValueBar>());
            made = bar->Create(&record, id, kHoldEventKind);
            control = bar;
            custom = bar;
        }
        if (!made)
        {
            DebugTrace("The vocoder page could not make its control %u.", id);
            return false;
        }
        // The knobs, pans and band levels (word 4 not 0) show their values on the value display.
        const uint32_t shows = kRows[id].word4 != 0 ? CCustomControl::kAddressShowsValue : 0;
        const uint32_t words[CCustomControl::kAddressWords] = {kGroup, kRows[id].index, 0, shows,
                                                               kRows[id].word4};
        custom->SetParameterAddress(words);
        SetEditorControl(id, custom);
        control->SetListener(this);
        AddControl(control, false);
        control->Show(false);
    }
    DrawBackground();
    RefreshAllControls();
    for (auto& control : m_owned)
        control->Redraw(true);
    InvalidateAll(true);
    return true;
}

void CVocoderEditLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || !m_background)
        return;
    surface->DrawBitmap(0, 0, m_background->GetWidth(), m_background->GetHeight(), m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(GetRect().GetWidth() - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(),
                            m_logo->GetHeight(), m_logo, 0, 0);
}

CCustomValueBar* CVocoderEditLayer::GetHoldBar(uint32_t band) const
{
    return band < kHoldCount ? static_cast<CCustomValueBar*>(m_owned[kFirstHoldId + band].get()) : nullptr;
}

CCustomLed* CVocoderEditLayer::GetShiftLed(uint32_t index) const
{
    return index < 5 && kFirstLedId + index < m_owned.size()
               ? static_cast<CCustomLed*>(m_owned[kFirstLedId + index].get())
               : nullptr;
}

void CVocoderEditLayer::RefreshText(uint32_t id)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!accessor || !GetEditedProgram() || id >= m_owned.size())
        return;
    char text[64] = {};
    accessor->GetCurrentValueText(GetEditedProgram(), {kGroup, kRows[id].index, 0}, text, sizeof text);
    m_owned[id]->SetText(text, false);
}

void CVocoderEditLayer::RefreshLeds()
{
    for (uint32_t id = kFirstLedId; id < kFirstHoldId; ++id)
        CEditLayerBase::RefreshOne(id);
}

void CVocoderEditLayer::RefreshHold()
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const CProgram* program = GetEditedProgram();
    if (!accessor || !program || m_owned.size() < kControlCount)
        return;
    const bool enabled = accessor->IsParameterEnabled(program, {kGroup, kHoldFirstIndex, 0});
    if (enabled != m_holdEnabled)
    {
        m_holdEnabled = enabled;
        for (uint32_t k = 0; k < kHoldCount; ++k)
        {
            GetHoldBar(k)->SetEnabled(enabled);
            GetHoldBar(k)->Redraw(false);
        }
    }
    std::array<int32_t, kHoldCount> values{};
    for (uint32_t k = 0; k < kHoldCount; ++k)
        values[k] = accessor->GetValue(program, {kGroup, kHoldFirstIndex + k, 0});
    if (m_holdValid && values == m_holdShown)
        return;
    m_holdShown = values;
    m_holdValid = true;
    ++m_holdUpdates;
    for (uint32_t k = 0; k < kHoldCount; ++k)
    {
        GetHoldBar(k)->SetValue(values[k]);
        GetHoldBar(k)->Redraw(false);
    }
}

void CVocoderEditLayer::RefreshOne(uint32_t id)
{
    if (IsHold(id))
        RefreshHold();
    else if (IsLed(id))
        CEditLayerBase::RefreshOne(id);
    else
    {
        CEditLayerBase::RefreshOne(id);
        if (IsText(id))
            RefreshText(id);
    }
}

void CVocoderEditLayer::RefreshControl(CHfcControl* control)
{
    if (!control || IsHold(control->GetId()))
        return;
    CEditLayerBase::RefreshControl(control);
    if (IsLed(control->GetId()))
        RefreshLeds();
    else if (IsText(control->GetId()))
    {
        RefreshText(control->GetId());
        control->Redraw(false);
    }
}

const NvPageLayout* CVocoderEditLayer::GetPageLayout() const
{
    return &NvVocoderEditLayout::kPage;
}

void CVocoderEditLayer::RefreshValues()
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    if (!accessor || !program || m_owned.size() < kControlCount)
        return;
    for (uint32_t id = 0; id < kFirstLedId; ++id)
    {
        CHfcControl* control = m_owned[id].get();
        CCustomControl* custom = GetEditorControl(id);
        if (!custom || control->HasKeyFocus())
            continue;
        const int32_t value = accessor->GetValue(program, {kGroup, kRows[id].index, 0});
        if (custom->GetValue() == value)
            continue;
        custom->SetValue(value);
        if (IsText(id))
            RefreshText(id);
        control->Redraw(false);
    }
    RefreshLeds();
    RefreshHold();
}

void CVocoderEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control || IsHold(control->GetId()))
        return;
    CEditLayerBase::OnValueChanged(control, value);
}

bool CVocoderEditLayer::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers)
{
    // The hold bars show the instrument's hold data; a press on them changes nothing.
    if (control && IsHold(control->GetId()))
        return true;
    return CEditLayerBase::OnControlLButtonDown(control, x, y, modifiers);
}
