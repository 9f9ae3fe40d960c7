#include "editor/pages/eq/CTimbreEqEditLayer.h"

#include "editor/controls/CCustomEditText.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/layout/TimbreEqEditLayout.h"
#include "editor/math/EqResponse.h"
#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cmath>
#include <cstring>

namespace
{
// Group 4: low frequency, low gain, high frequency, high gain, one field each.
constexpr uint32_t kEqGroup = 4;
constexpr uint32_t kLowFrequency = 48, kLowGain = 49, kHighFrequency = 50, kHighGain = 51;
constexpr uint32_t kFieldIndexes[4] = {kLowFrequency, kLowGain, kHighFrequency, kHighGain};
static_assert(NvCountOf(NvTimbreEqEditLayout::kControls) == CTimbreEqEditLayer::kControlCount,
              "a layout rectangle for every control");

CZmProgramAccessor* Accessor()
{
    return CZmProgramAccessorSingleton::Get();
}
} // namespace

CTimbreEqEditLayer::CTimbreEqEditLayer()
{
    m_background = GetBitmap(NvTimbreEqEditLayout::kPage.background);
    m_logo = GetBitmap("LogoNv2Editor");
}

CTimbreEqEditLayer::~CTimbreEqEditLayer()
{
    Destroy();
}

bool CTimbreEqEditLayer::CreatePage(CBaseWindow* window, CProgram* program, int32_t timbre)
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
    for (int32_t& value : m_cached)
        value = kNoBand;
    m_shownBand = kNoBand;
    m_draggedBand = 0;
    RefreshAllControls();
    DrawBackground();
    return true;
}

bool CTimbreEqEditLayer::Destroy()
{
    if (!m_pageCreated)
        return true;
    m_pageCreated = false;
    const bool destroyed = CHfcWindowLayer::Destroy();
    ReleaseControls();
    return destroyed;
}

void CTimbreEqEditLayer::ReleaseControls()
{
    RemoveAllControls();
    for (uint32_t id = 0; id < GetEditorControlCount(); ++id)
        SetEditorControl(id, nullptr);
    for (auto& field : m_fields)
        field.reset();
    m_graph.reset();
}

bool CTimbreEqEditLayer::CreateControls()
{
    CZmProgramAccessor* accessor = Accessor();
    const uint32_t timbre = static_cast<uint32_t>(m_timbre);
    for (uint32_t id = 0; id < 4; ++id)
    {
        const NvLayoutControl& place = NvTimbreEqEditLayout::kControls[id];
        const CZmParameterId parameter = {kEqGroup, kFieldIndexes[id], timbre};
        CCustomEditTextRecord record;
        record.x = place.x;
        record.y = place.y;
        record.font = m_fontWhite;
        record.dimFont = m_fontWhiteDim;
        record.background = m_background;
        record.columns = 8;
        record.minimum = accessor->GetMin(m_data.program, parameter);
        record.maximum = accessor->GetMax(m_data.program, parameter);
        record.sensitivity = GetValueStep(record.maximum, record.minimum);
        auto field = std::make_unique<CCustomEditText>();
        if (!field->Create(&record, id, 0))
            return false;
        const uint32_t words[CCustomControl::kAddressWords] = {kEqGroup, kFieldIndexes[id], timbre, 0, 0};
        field->SetParameterAddress(words);
        field->SetListener(this);
        SetEditorControl(id, field.get());
        AddControl(field.get(), false);
        field->Show(false);
        m_fields[id] = std::move(field);
    }

    const NvLayoutControl& place = NvTimbreEqEditLayout::kControls[kGraphId];
    CCustomEqGraphRecord record;
    record.x = place.x;
    record.y = place.y;
    record.width = place.width;
    record.height = place.height;
    record.background = m_background;
    record.backgroundX = place.x;
    record.backgroundY = place.y;
    record.bandCount = 2;
    record.ranges = {16.0, 26000.0, 20.0, 20000.0, -16.0, 16.0, -15.0, 15.0};
    record.curveColor = 0xFFFFFFFF;
    record.selectedFillColor = 0xFFFF0000;
    record.selectedFrameColor = 0xFFFFFFFF;
    record.fillColor = 0xFF000000;
    m_graph = std::make_unique<CCustomEqGraph>();
    if (!m_graph->Create(&record, kGraphId, kGraphCode))
        return false;
    const uint32_t words[CCustomControl::kAddressWords] = {kEqGroup, kLowFrequency, timbre, 0, 0};
    m_graph->SetParameterAddress(words);
    m_graph->SetBand({4, 0, {static_cast<float>(kEqSampleRate)}}, false);
    m_graph->SetListener(this);
    SetEditorControl(kGraphId, m_graph.get());
    AddControl(m_graph.get(), false);
    m_graph->Show(false);
    return true;
}

CHfcControl* CTimbreEqEditLayer::GetPageControl(uint32_t id) const
{
    if (id < 4)
        return m_fields[id].get();
    return id == kGraphId ? m_graph.get() : nullptr;
}

void CTimbreEqEditLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    if (m_background)
        surface->DrawBitmap(0, 0, kWidth, kHeight, m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(kWidth - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(), m_logo->GetHeight(),
                            m_logo, 0, 0);
    for (uint32_t id = 0; id < kControlCount; ++id)
        if (CHfcControl* control = GetPageControl(id))
            control->Redraw(true);
    InvalidateAll(true);
}

int32_t CTimbreEqEditLayer::FrequencyIndex(int32_t band, double frequency)
{
    const CEqShelf shelf = band == 0 ? CEqShelf::Low : CEqShelf::High;
    const int32_t count = static_cast<int32_t>(GetShelfFrequencyCount(shelf));
    int32_t index = 0;
    for (int32_t i = 0; i < count; ++i)
        if (GetShelfFrequency(shelf, i) <= frequency)
            index = i;
    return index;
}

void CTimbreEqEditLayer::RefreshGraph()
{
    if (!m_pageCreated || !m_data.program)
        return;
    CZmProgramAccessor* accessor = Accessor();
    int32_t values[4];
    for (uint32_t i = 0; i < 4; ++i)
        values[i] =
            accessor->GetValue(m_data.program, {kEqGroup, kFieldIndexes[i], static_cast<uint32_t>(m_timbre)});
    if (std::memcmp(values, m_cached, sizeof values) != 0)
    {
        std::memcpy(m_cached, values, sizeof values);
        SetEqShelves(kGraphId, values[0], values[1], values[2], values[3]);
        ++m_computeCount;
    }
    // Apart from the values: a drag step that leaves them as they were still selects its band.
    if (m_draggedBand != m_shownBand)
    {
        m_graph->SetBand({5, m_draggedBand, {}}, true);
        m_shownBand = m_draggedBand;
    }
}

bool CTimbreEqEditLayer::RefreshField(uint32_t id)
{
    CCustomEditText* field = id < 4 ? m_fields[id].get() : nullptr;
    if (!field || !m_data.program)
        return false;
    CZmProgramAccessor* accessor = Accessor();
    const CZmParameterId parameter = GetControlParameter(field);
    const int32_t value = accessor->GetValue(m_data.program, parameter);
    bool changed = false;
    if (field->GetValue() != value)
    {
        field->CCustomEditText::SetValue(value);
        changed = true;
    }
    char shown[64] = {};
    char text[64] = {};
    field->GetText(shown, sizeof shown);
    accessor->GetCurrentValueText(m_data.program, parameter, text, sizeof text);
    if (std::strcmp(shown, text) != 0)
    {
        field->SetText(text, false);
        changed = true;
    }
    if (changed)
        field->Redraw(false);
    return changed;
}

void CTimbreEqEditLayer::RefreshAllControls()
{
    for (uint32_t id = 0; id < kControlCount; ++id)
        RefreshOne(id);
    RedrawControls(false);
}

void CTimbreEqEditLayer::RefreshOne(uint32_t id)
{
    if (!m_pageCreated)
        return;
    if (id == kGraphId)
        RefreshGraph();
    else
        RefreshField(id);
}

void CTimbreEqEditLayer::RefreshControl(CHfcControl* control)
{
    if (!control || !m_pageCreated)
        return;
    // The graph takes no standard value refresh.
    if (control->GetId() == kGraphId)
    {
        RefreshGraph();
        return;
    }
    CEditLayerBase::RefreshControl(control);
    RefreshField(control->GetId());
    RefreshGraph();
}

void CTimbreEqEditLayer::RefreshValues()
{
    if (!m_pageCreated || !m_data.program)
        return;
    for (uint32_t id = 0; id < 4; ++id)
        if (!m_fields[id]->HasKeyFocus())
            RefreshField(id);
    RefreshGraph();
}

void CTimbreEqEditLayer::OnTextChanged(CHfcControl* control, const char* text)
{
    if (!control || !text || !m_pageCreated || control->GetId() != kGraphId || !m_data.program)
        return;
    const auto* report = reinterpret_cast<const CEqBandReport*>(text);
    if (report->kind != 0)
        return;
    const int32_t band = report->band == 0 ? 0 : 1;
    const int32_t gain = static_cast<int32_t>(2.0 * static_cast<double>(report->value2));
    const int32_t frequency = FrequencyIndex(band, report->value1);
    const uint32_t timbre = static_cast<uint32_t>(m_timbre);
    const CZmParameterId gainId = {kEqGroup, band == 0 ? kLowGain : kHighGain, timbre};
    const CZmParameterId frequencyId = {kEqGroup, band == 0 ? kLowFrequency : kHighFrequency, timbre};
    CZmProgramAccessor* accessor = Accessor();
    // Gain first, then frequency; each as the program now holds it.
    accessor->SetValue(m_data.program, gainId, gain);
    SendParameterChange(gainId, accessor->GetValue(m_data.program, gainId));
    accessor->SetValue(m_data.program, frequencyId, frequency);
    SendParameterChange(frequencyId, accessor->GetValue(m_data.program, frequencyId));
    m_draggedBand = band;
    for (uint32_t id = 0; id < 4; ++id)
        RefreshField(id);
    RefreshGraph();
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
    PostUpdate(false);
}
