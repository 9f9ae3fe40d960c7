#include "editor/pages/synth/CTimbreEditLayer.h"

#include "editor/base/CEditorServices.h"
#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomSwitch.h"
#include "editor/graphs/CHfcCtrlEnvelopeCurve.h"
#include "editor/graphs/CHfcCtrlLfoGraph.h"
#include "editor/layout/SynthEditLayout.h"
#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CJuceRandomSource.h"
#include "synthdata/CProgram.h"
#include "synthdata/CProgramRandomizer.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstring>
#include <string>

namespace
{
enum class Kind : uint8_t
{
    BitmapList,
    Text,
    Switch,
    Knob,
    Led,
    Envelope,
    Lfo,
    Button,
};

// One control of the page; its place and bitmap are the layout table's row of the same index.
struct ControlRow
{
    Kind kind;
    uint32_t code;
    uint8_t group;
    uint8_t index;
    int16_t a; // list: images; text: characters; LED: 0 value LED, 1 bit LED
    int16_t b; // LED: its number or bit
};

constexpr uint32_t kValue = CTimbreEditLayer::kCodeValue;
constexpr ControlRow Text(uint8_t group, uint8_t index, int16_t columns)
{
    return {Kind::Text, kValue, group, index, columns, 0};
}
constexpr ControlRow Knob(uint8_t group, uint8_t index)
{
    return {Kind::Knob, kValue, group, index, 0, 0};
}

constexpr ControlRow kRows[] = {
    {Kind::BitmapList, CTimbreEditLayer::kCodeOscLabel, 2, 19, 11, 0},
    {Kind::BitmapList, CTimbreEditLayer::kCodeOscLabel, 2, 19, 11, 0},
    {Kind::BitmapList, CTimbreEditLayer::kCodeList, 2, 33, 4, 0},
    {Kind::BitmapList, CTimbreEditLayer::kCodeList, 2, 19, 8, 0},
    {Kind::BitmapList, CTimbreEditLayer::kCodeList, 2, 26, 8, 0},
    Text(2, 19, 8),
    Text(2, 24, 9),
    Text(2, 26, 8),
    Text(2, 16, 8),
    Text(2, 41, 5),
    Text(2, 48, 16),
    Text(2, 79, 8),
    Text(2, 85, 5),
    Text(2, 83, 8),
    Text(2, 86, 8),
    Text(2, 92, 5),
    Text(2, 90, 8),
    Text(2, 93, 15),
    Text(2, 94, 15),
    Text(2, 95, 15),
    Text(2, 96, 15),
    Text(2, 97, 15),
    Text(2, 98, 15),
    Text(2, 99, 18),
    Text(2, 100, 18),
    Text(2, 101, 18),
    Text(2, 102, 18),
    Text(2, 103, 18),
    Text(2, 104, 18),
    Text(1, 16, 8),
    Text(2, 50, 16),
    Text(2, 12, 8),
    Text(1, 19, 8),
    Text(2, 33, 17),
    Text(2, 55, 3),
    Text(2, 56, 3),
    Text(2, 57, 3),
    Text(2, 58, 3),
    Text(2, 60, 3),
    Text(2, 63, 3),
    Text(2, 64, 3),
    Text(2, 65, 3),
    Text(2, 66, 3),
    Text(2, 68, 3),
    Text(2, 71, 3),
    Text(2, 72, 3),
    Text(2, 73, 3),
    Text(2, 74, 3),
    Text(2, 76, 3),
    {Kind::Switch, CTimbreEditLayer::kCodeSwitch, 2, 82, 0, 0},
    {Kind::Switch, CTimbreEditLayer::kCodeSwitch, 2, 89, 0, 0},
    Knob(1, 17),
    Knob(1, 18),
    Knob(2, 15),
    Knob(2, 17),
    Knob(2, 18),
    Knob(1, 20),
    Knob(2, 22),
    Knob(2, 23),
    Knob(2, 28),
    Knob(2, 29),
    Knob(2, 35),
    Knob(2, 36),
    Knob(2, 37),
    Knob(2, 38),
    Knob(2, 39),
    Knob(2, 40),
    Knob(2, 42),
    Knob(2, 43),
    Knob(2, 44),
    Knob(2, 45),
    Knob(2, 46),
    Knob(2, 30),
    Knob(2, 31),
    Knob(2, 32),
    Knob(2, 47),
    Knob(2, 52),
    Knob(2, 51),
    Knob(2, 53),
    Knob(2, 54),
    Knob(2, 81),
    Knob(2, 88),
    Knob(2, 105),
    Knob(2, 106),
    Knob(2, 107),
    Knob(2, 108),
    Knob(2, 109),
    Knob(2, 110),
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 21, 0, 0},
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 21, 0, 1},
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 21, 0, 2},
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 21, 0, 3},
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 27, 1, 0},
    {Kind::Led, CTimbreEditLayer::kCodeLed, 2, 27, 1, 1},
    {Kind::Envelope, CTimbreEditLayer::kCodeEnvelope, 2, 55, 0, 0},
    {Kind::Envelope, CTimbreEditLayer::kCodeEnvelope, 2, 63, 0, 0},
    {Kind::Envelope, CTimbreEditLayer::kCodeEnvelope, 2, 71, 0, 0},
    {Kind::Lfo, CTimbreEditLayer::kCodeLfo, 2, 81, 0, 0},
    {Kind::Lfo, CTimbreEditLayer::kCodeLfo, 2, 88, 0, 0},
    {Kind::Button, CTimbreEditLayer::kCodeRandom, 0, 0, 0, 0},
    {Kind::Button, CTimbreEditLayer::kCodePcmNext, 2, 24, 0, 0},
    {Kind::Button, CTimbreEditLayer::kCodePcmPrevious, 2, 24, 0, 0},
};
static_assert(NvCountOf(kRows) == CTimbreEditLayer::kControlCount, "a row for every control");
static_assert(NvCountOf(NvSynthEditLayout::kControls) == CTimbreEditLayer::kControlCount,
              "a layout rectangle for every control");

// Parameters of group 2 the page reads for its own controls.
constexpr uint32_t kOsc1Wave = 19, kOsc1Mod = 21, kOsc1PcmWave = 24, kOsc2Mod = 27;
constexpr int32_t kFirstPlainWave = 4; // Formant and above have no modulation

// Envelope rows (attack, decay, sustain, release) and LFO rows (wave, BPM sync, frequency,
// sync note), by the index in the control's address.
constexpr uint32_t kEnvelopeRows[3][4] = {{55, 56, 57, 58}, {63, 64, 65, 66}, {71, 72, 73, 74}};
constexpr uint32_t kLfoRows[2][4] = {{79, 82, 81, 85}, {86, 89, 88, 92}};
int32_t EnvelopeOf(uint32_t index)
{
    return index == 63 ? 1 : index == 71 ? 2 : 0;
}
int32_t LfoOf(uint32_t index)
{
    return index == 88 ? 1 : 0;
}

// The curve's points: start, attack peak, decay to sustain, sustain held, release.
constexpr int32_t kEnvelopePoints = 5;
constexpr int32_t kSustainHold = 64;
constexpr int32_t kLevelTop = 127;
constexpr int32_t kLfoLevel = 63; // full height
constexpr int32_t kRandomFlag = 0x40;

CHfcBmp* Dim(const char* name)
{
    return name ? GetBitmap((std::string(name) + "Dim").c_str()) : nullptr;
}

CZmProgramAccessor* Accessor()
{
    return CZmProgramAccessorSingleton::Get();
}
} // namespace

CTimbreEditLayer::CTimbreEditLayer()
{
    m_background = GetBitmap(NvSynthEditLayout::kPage.background);
    m_logo = GetBitmap("LogoNv2Editor");
}

CTimbreEditLayer::~CTimbreEditLayer()
{
    Destroy();
}

bool CTimbreEditLayer::CreatePage(CBaseWindow* window, CProgram* program, int32_t timbre)
{
    if (m_pageCreated || !CreateTimbreLayer(window, program, timbre, kWidth, kHeight))
        return false;
    if (!CreateControls())
    {
        ReleaseControls();
        CHfcWindowLayer::Destroy();
        return false;
    }
    m_pageCreated = true;
    RefreshAllControls();
    DrawBackground();
    return true;
}

bool CTimbreEditLayer::Destroy()
{
    if (!m_pageCreated)
        return true;
    m_pageCreated = false;
    const bool destroyed = CHfcWindowLayer::Destroy();
    ReleaseControls();
    return destroyed;
}

void CTimbreEditLayer::ReleaseControls()
{
    RemoveAllControls();
    for (uint32_t id = 0; id < GetEditorControlCount(); ++id)
        SetEditorControl(id, nullptr);
    m_customs.clear();
    m_controls.clear();
}

int32_t CTimbreEditLayer::Step(const CZmParameterId& id) const
{
    CZmProgramAccessor* accessor = Accessor();
    return GetValueStep(accessor->GetMax(m_data.program, id), accessor->GetMin(m_data.program, id));
}

bool CTimbreEditLayer::CreateControls()
{
    CZmProgramAccessor* accessor = Accessor();
    m_controls.reserve(kControlCount);
    for (uint32_t id = 0; id < kControlCount; ++id)
    {
        const ControlRow& row = kRows[id];
        const NvLayoutControl& place = NvSynthEditLayout::kControls[id];
        const CZmParameterId parameter = {row.group, row.index, static_cast<uint32_t>(m_timbre)};
        const int32_t minimum = row.group ? accessor->GetMin(m_data.program, parameter) : 0;
        const int32_t maximum = row.group ? accessor->GetMax(m_data.program, parameter) : 0;
        std::unique_ptr<CHfcControl> control;
        CCustomControl* custom = nullptr;
        bool made = false;
        switch (row.kind)
        {
        case Kind::BitmapList:
        {
            auto list = std::make_unique<CCustomBitmapList>();
            CCustomBitmapListRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(place.bitmap);
            record.background = m_background;
            record.frameCount = row.a;
            made = list->Create(&record, id, row.code);
            custom = list.get();
            control = std::move(list);
            break;
        }
        case Kind::Text:
        {
            auto text = std::make_unique<CCustomEditText>();
            CCustomEditTextRecord record;
            record.x = place.x;
            record.y = place.y;
            record.font = m_fontWhite;
            record.dimFont = m_fontWhiteDim;
            record.background = m_background;
            record.columns = row.a;
            record.minimum = minimum;
            record.maximum = maximum;
            record.sensitivity = Step(parameter);
            made = text->Create(&record, id, row.code);
            custom = text.get();
            control = std::move(text);
            break;
        }
        case Kind::Switch:
        {
            auto toggle = std::make_unique<CCustomSwitch>();
            CCustomSwitchRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(place.bitmap);
            record.dim = Dim(place.bitmap);
            record.background = m_background;
            made = toggle->Create(&record, id, row.code);
            custom = toggle.get();
            control = std::move(toggle);
            break;
        }
        case Kind::Knob:
        {
            auto knob = std::make_unique<CCustomKnob>();
            CCustomKnobRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(place.bitmap);
            record.dim = Dim(place.bitmap);
            record.background = m_background;
            record.frameCount = NvSkinFrames::kKnob;
            record.minimum = minimum;
            record.maximum = maximum;
            record.sensitivity = Step(parameter);
            made = knob->Create(&record, id, row.code);
            custom = knob.get();
            control = std::move(knob);
            break;
        }
        case Kind::Led:
        {
            auto led = std::make_unique<CCustomLed>();
            CCustomLedRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(place.bitmap);
            record.dim = Dim(place.bitmap);
            record.background = m_background;
            record.word6 = row.a;
            record.number = row.b;
            made = led->Create(&record, id, row.code);
            custom = led.get();
            control = std::move(led);
            break;
        }
        case Kind::Envelope:
        {
            auto curve = std::make_unique<CCustomEnvelopeCurve>();
            CHfcCtrlEnvelopeCurveRecord record;
            record.x = place.x;
            record.y = place.y;
            record.width = place.width;
            record.height = place.height;
            record.background = m_background;
            record.backgroundX = place.x;
            record.backgroundY = place.y;
            record.pointCount = kEnvelopePoints;
            record.handleSize = 7;
            record.minimum = 0;
            record.maximum = kLevelTop;
            made = curve->Create(&record, id);
            custom = curve.get();
            control = std::move(curve);
            break;
        }
        case Kind::Lfo:
        {
            auto graph = std::make_unique<CCustomLfoGraph>();
            CHfcCtrlLfoGraphRecord record;
            record.x = place.x;
            record.y = place.y;
            record.width = place.width;
            record.height = place.height;
            record.background = m_background;
            record.backgroundX = place.x;
            record.backgroundY = place.y;
            made = graph->Create(&record, id);
            graph->SetLevel(kLfoLevel);
            custom = graph.get();
            control = std::move(graph);
            break;
        }
        case Kind::Button:
        {
            auto button = std::make_unique<CCustomButton>();
            CCustomButtonRecord record;
            record.x = place.x;
            record.y = place.y;
            record.strip = GetBitmap(place.bitmap);
            record.dim = Dim(place.bitmap);
            record.background = m_background;
            made = button->Create(&record, id, row.code);
            custom = button.get();
            control = std::move(button);
            break;
        }
        }
        if (!made)
            return false;
        // Word 3 marks the knobs for the value display; word 4 the page gives no meaning.
        const uint32_t shows = row.kind == Kind::Knob ? CCustomControl::kAddressShowsValue : 0;
        const uint32_t words[CCustomControl::kAddressWords] = {row.group, row.index,
                                                               static_cast<uint32_t>(m_timbre), shows, 0};
        custom->SetParameterAddress(words);
        custom->SetBackgroundOrigin(true, 0, 0);
        control->SetListener(this);
        // The random button, the PCM arrows and the curves stand for no single parameter: the
        // shared value path and the value display leave them to the page.
        if (IsParameterControl(row.code))
            SetEditorControl(id, custom);
        m_customs.push_back(custom);
        AddControl(control.get(), false);
        control->Show(false);
        m_controls.push_back(std::move(control));
    }
    return true;
}

CHfcControl* CTimbreEditLayer::GetPageControl(uint32_t id) const
{
    return id < m_controls.size() ? m_controls[id].get() : nullptr;
}

const NvPageLayout* CTimbreEditLayer::GetPageLayout() const
{
    return &NvSynthEditLayout::kPage;
}

CCustomControl* CTimbreEditLayer::GetPageCustom(uint32_t id) const
{
    return id < m_customs.size() ? m_customs[id] : nullptr;
}

bool CTimbreEditLayer::IsParameterControl(uint32_t code)
{
    return code != kCodeEnvelope && code != kCodeRandom && code != kCodePcmNext && code != kCodePcmPrevious;
}

void CTimbreEditLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    if (m_background)
        surface->DrawBitmap(0, 0, kWidth, kHeight, m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(kWidth - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(), m_logo->GetHeight(),
                            m_logo, 0, 0);
    for (const auto& control : m_controls)
        control->Redraw(true);
    InvalidateAll(true);
}

CZmParameterId CTimbreEditLayer::Parameter(uint32_t index) const
{
    return {2, index, static_cast<uint32_t>(m_timbre)};
}

int32_t CTimbreEditLayer::Read(uint32_t index) const
{
    return Accessor()->GetValue(m_data.program, Parameter(index));
}

bool CTimbreEditLayer::Refresh(uint32_t id)
{
    CHfcControl* control = GetPageControl(id);
    CCustomControl* custom = GetPageCustom(id);
    if (!m_pageCreated || !control || !custom || !m_data.program)
        return false;
    switch (control->GetUserValue())
    {
    case kCodeOscLabel:
        return RefreshOscLabel(control, custom);
    case kCodeLed:
        return RefreshLed(control, custom);
    case kCodeEnvelope:
        return RefreshEnvelope(control, custom);
    case kCodeLfo:
        return RefreshLfo(control, custom);
    case kCodePcmNext:
    case kCodePcmPrevious:
        return RefreshPcmArrow(control, custom);
    case kCodeRandom:
        return false;
    default:
        return RefreshStandard(control, custom);
    }
}

bool CTimbreEditLayer::RefreshStandard(CHfcControl* control, CCustomControl* custom)
{
    CZmProgramAccessor* accessor = Accessor();
    const CZmParameterId id = GetControlParameter(custom);
    const int32_t value = accessor->GetValue(m_data.program, id);
    bool changed = false;
    if (custom->GetValue() != value)
    {
        custom->SetValue(value);
        changed = true;
    }
    if (custom->GetControlType() == CCustomControl::kTypeEditText)
    {
        char shown[64] = {};
        char text[64] = {};
        custom->GetText(shown, sizeof shown);
        accessor->GetCurrentValueText(m_data.program, id, text, sizeof text);
        if (std::strcmp(shown, text) != 0)
        {
            static_cast<CCustomEditText*>(custom)->SetText(text, false);
            changed = true;
        }
    }
    if (changed)
        control->Redraw(false);
    return changed;
}

bool CTimbreEditLayer::RefreshOscLabel(CHfcControl* control, CCustomControl* custom)
{
    const int32_t wave = Read(kOsc1Wave);
    const int32_t mod = Read(kOsc1Mod);
    const int32_t image = wave >= 0 && wave < kFirstPlainWave && mod >= 1 && mod <= 3 ? 7 + mod : wave;
    if (custom->GetValue() == image)
        return false;
    custom->SetValue(image);
    control->Redraw(false);
    return true;
}

bool CTimbreEditLayer::RefreshLed(CHfcControl* control, CCustomControl* custom)
{
    auto* led = static_cast<CCustomLed*>(custom);
    const bool bitLed = led->GetCustomRecord().word6 != 0;
    const int32_t number = led->GetNumber();
    bool lit = false;
    bool enabled = true;
    if (bitLed)
        lit = (Read(kOsc2Mod) >> number & 1) != 0;
    else
    {
        // The value LED of 0 (the plain wave) is lit only at 0, like the others at theirs.
        lit = Read(kOsc1Mod) == number;
        enabled = number == 0 || Read(kOsc1Wave) < kFirstPlainWave;
    }
    bool changed = false;
    if (custom->IsEnabled() != enabled)
    {
        custom->SetEnabled(enabled);
        changed = true;
    }
    if (custom->GetValue() != (lit ? 1 : 0))
    {
        custom->SetValue(lit ? 1 : 0);
        changed = true;
    }
    if (changed)
        control->Redraw(false);
    return changed;
}

bool CTimbreEditLayer::RefreshEnvelope(CHfcControl* control, CCustomControl* custom)
{
    const int32_t eg = EnvelopeOf(GetControlParameter(custom).index);
    int32_t values[4];
    for (int32_t i = 0; i < 4; ++i)
        values[i] = Read(kEnvelopeRows[eg][i]);
    EnvelopeState& state = m_envelopes[eg];
    if (std::memcmp(values, state.values, sizeof values) == 0)
        return false;
    std::memcpy(state.values, values, sizeof values);
    auto* curve = static_cast<CCustomEnvelopeCurve*>(control);
    const int32_t attack = values[0], decay = values[1], sustain = values[2], release = values[3];
    curve->SetPoint({0, 0, 0, 3}, false);
    curve->SetPoint({1, kLevelTop, attack, 3}, false);
    curve->SetPoint({2, sustain, decay, 3}, false);
    curve->SetPoint({3, sustain, kSustainHold, 3}, false);
    curve->SetPoint({4, 0, release, 3}, false);
    control->Redraw(false);
    return true;
}

bool CTimbreEditLayer::RefreshLfo(CHfcControl* control, CCustomControl* custom)
{
    const int32_t lfo = LfoOf(GetControlParameter(custom).index);
    const uint32_t* rows = kLfoRows[lfo];
    const int32_t wave = Read(rows[0]);
    int32_t shape = 0;
    switch (wave)
    {
    case 1:
        shape = lfo == 0 ? 1 : 2;
        break;
    case 2:
        shape = lfo == 0 ? 3 : 4;
        break;
    case 3:
        shape = 5;
        break;
    case 4:
        shape = 5 | kRandomFlag;
        break;
    default:
        shape = 0;
        break;
    }
    int32_t speed = Read(rows[2]);
    if (Read(rows[1]) != 0)
    {
        // A sync note's maximum of 0 would divide by zero: it counts as 1.
        const int32_t maximum = Accessor()->GetMax(m_data.program, Parameter(rows[3]));
        speed = Read(rows[3]) * 64 / (maximum > 0 ? maximum : 1);
    }
    LfoState& state = m_lfos[lfo];
    const int32_t index = shape & ~kRandomFlag;
    const bool random = (shape & kRandomFlag) != 0;
    if (state.shape == index && state.random == random && state.speed == speed)
        return false;
    state = {index, random, speed};
    auto* graph = static_cast<CCustomLfoGraph*>(control);
    graph->SetWave(index);
    graph->SetRandom(random);
    graph->CHfcCtrlLfoGraph::SetValue(speed, false);
    control->Redraw(false);
    return true;
}

bool CTimbreEditLayer::RefreshPcmArrow(CHfcControl* control, CCustomControl* custom)
{
    const bool enabled = Accessor()->IsParameterEnabled(m_data.program, Parameter(kOsc1PcmWave));
    if (custom->IsEnabled() == enabled)
        return false;
    custom->SetEnabled(enabled);
    control->Redraw(false);
    return true;
}

void CTimbreEditLayer::RefreshAllControls()
{
    for (uint32_t id = 0; id < m_controls.size(); ++id)
        Refresh(id);
    RedrawControls(false);
}

void CTimbreEditLayer::RefreshOne(uint32_t id)
{
    Refresh(id);
}

void CTimbreEditLayer::RefreshControl(CHfcControl* control)
{
    if (!control)
        return;
    if (IsParameterControl(control->GetUserValue()) && control->GetUserValue() != kCodeLed &&
        control->GetUserValue() != kCodeOscLabel && control->GetUserValue() != kCodeLfo)
        CEditLayerBase::RefreshControl(control); // the value, and the overlay's name and value
    Refresh(control->GetId());
}

void CTimbreEditLayer::RefreshValues()
{
    if (!m_pageCreated || !m_data.program)
        return;
    for (uint32_t id = 0; id < m_controls.size(); ++id)
        if (!m_controls[id]->HasKeyFocus())
            Refresh(id);
}

void CTimbreEditLayer::WriteOwn(const CZmParameterId& id, int32_t value)
{
    WriteValue(nullptr, id, value);
}

void CTimbreEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control || !m_pageCreated)
        return;
    const bool pressed = (static_cast<uint32_t>(value) & CCustomControl::kPressBit) != 0;
    switch (control->GetUserValue())
    {
    case kCodeLed:
    {
        auto* led = static_cast<CCustomLed*>(GetEditorControl(control->GetId()));
        if (!pressed || !led || !led->CCustomControl::IsEnabled())
            return;
        // A bit LED flips its bit of OSC 2 Mod; a value LED writes its number on the shared path.
        if (led->GetCustomRecord().word6 != 0)
            ToggleOsc2ModBit(led->GetNumber());
        else
            CEditLayerBase::OnValueChanged(control, value);
        break;
    }
    case kCodeRandom:
        Randomize((m_randomModifiers & 1) != 0);
        return;
    case kCodePcmNext:
        StepPcmWave(1);
        break;
    case kCodePcmPrevious:
        StepPcmWave(-1);
        break;
    case kCodeEnvelope:
    case kCodeLfo:
    case kCodeOscLabel:
    case kCodeList:
        return;
    default:
        CEditLayerBase::OnValueChanged(control, value);
        break;
    }
    // Controls that follow the changed value (labels, LEDs, arrows, curves) at once.
    RefreshValues();
}

void CTimbreEditLayer::ToggleOsc2ModBit(int32_t bit)
{
    const int32_t value = Read(kOsc2Mod) ^ (1 << bit);
    WriteOwn(Parameter(kOsc2Mod), value);
}

void CTimbreEditLayer::StepPcmWave(int32_t delta)
{
    CZmProgramAccessor* accessor = Accessor();
    const CZmParameterId id = Parameter(kOsc1PcmWave);
    const int32_t next = Read(kOsc1PcmWave) + delta;
    if (next > accessor->GetMax(m_data.program, id) || next < accessor->GetMin(m_data.program, id))
        return;
    WriteOwn(id, next);
}

void CTimbreEditLayer::Randomize(bool simple)
{
    CZmProgramAccessor* accessor = Accessor();
    if (!m_randomSource && !m_ownRandom)
        m_ownRandom = std::make_unique<CJuceRandomSource>();
    CZmRandomSource& source = m_randomSource ? *m_randomSource : *m_ownRandom;
    CProgramRandomizer randomizer(m_data.program, static_cast<uint32_t>(m_timbre), *accessor, source);
    if (simple)
        randomizer.RandomizeSimple();
    else
        randomizer.Randomize();
    // Nothing goes to the instrument until the user sends the program.
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
    PostUpdate(false);
    RefreshAllControls();
}

void CTimbreEditLayer::OnTextChanged(CHfcControl* control, const char* text)
{
    if (!control || !text || !m_pageCreated || control->GetUserValue() != kCodeEnvelope)
        return;
    CCustomControl* custom = GetPageCustom(control->GetId());
    if (!custom)
        return;
    const auto* change = reinterpret_cast<const CEnvelopePointChange*>(text);
    const uint32_t* rows = kEnvelopeRows[EnvelopeOf(GetControlParameter(custom).index)];
    switch (change->index)
    {
    case 1:
        WriteOwn(Parameter(rows[0]), change->time);
        break;
    case 2:
        WriteOwn(Parameter(rows[1]), change->time);
        WriteOwn(Parameter(rows[2]), change->level);
        break;
    case 3:
        WriteOwn(Parameter(rows[2]), change->level);
        break;
    case 4:
        WriteOwn(Parameter(rows[3]), change->time);
        break;
    default:
        return;
    }
    RefreshValues();
}

void CTimbreEditLayer::OnEndEdit(CHfcControl* control)
{
    CEditLayerBase::OnEndEdit(control);
    if (control && control->GetUserValue() == kCodeEnvelope)
        control->Redraw(false);
}

bool CTimbreEditLayer::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!control || !m_pageCreated)
        return false;
    switch (control->GetUserValue())
    {
    case kCodeRandom:
        m_randomModifiers = modifiers;
        return CEditLayerBase::OnControlLButtonDown(control, x, y, modifiers);
    case kCodeList:
        return ShowValueList(control, x, y);
    default:
    {
        // A value chosen from a field's list: what follows it is shown at once.
        const bool handled = CEditLayerBase::OnControlLButtonDown(control, x, y, modifiers);
        if (handled)
            RefreshValues();
        return handled;
    }
    }
}

bool CTimbreEditLayer::ShowValueList(CHfcControl* control, int32_t x, int32_t y)
{
    CCustomControl* custom = GetEditorControl(control->GetId());
    if (!custom)
        return false;
    // The press may yet start a drag.
    m_pressId = static_cast<int32_t>(control->GetId());
    m_pressed = true;
    m_pressPoint[0] = control->GetRect().left + x;
    m_pressPoint[1] = control->GetRect().top + y;

    CZmProgramAccessor* accessor = Accessor();
    const CZmParameterId id = GetControlParameter(custom);
    std::vector<std::string> items;
    const int32_t maximum = accessor->GetMax(m_data.program, id);
    for (int32_t v = 0; v <= maximum; ++v)
    {
        char text[256] = {};
        accessor->GetValueText(m_data.program, id, v, text, sizeof text);
        items.emplace_back(text);
    }
    const int32_t current = accessor->GetValue(m_data.program, id);
    const int32_t chosen = EditorPopups().ChooseItem(GetWindow() ? GetWindow()->GetHwnd() : nullptr,
                                                     GetRect().left + m_pressPoint[0],
                                                     GetRect().top + m_pressPoint[1], items, current);
    if (chosen >= 0 && chosen != current)
    {
        WriteValue(control, id, chosen);
        RefreshValues();
    }
    if (CHfcKey* key = CHfcKey::GetKey(); key && GetWindow())
        key->SetFocus(this, GetWindow()->GetHwnd());
    return true;
}
