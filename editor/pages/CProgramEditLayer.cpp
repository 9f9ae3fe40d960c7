#include "editor/pages/CProgramEditLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/pages/CProgramEditWindow.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcKey.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace NvProgramEditLayout;

namespace
{
const CZmParameterId kVoiceMode = {0, 35, 0};
const CZmParameterId kVocoderSwitch = {5, 0, 0};
const CZmParameterId kArpType = {8, 1, 0};
const CZmParameterId kArpLatch = {8, 2, 0};
const CZmParameterId kKeySync = {7, 2, 0};
const CZmParameterId kAudioInSource = {5, 6, 0};
const CZmParameterId kEffect1Type = {6, 1, 0};
const CZmParameterId kEffect2Type = {6, 25, 0};
constexpr uint32_t kLfo1BpmSync = 82, kLfo2BpmSync = 89;
// What the graphs' colours keep of their alpha while timbre 2 is off.
constexpr float kGraphDimAlpha = 0.2f;

// The editor buttons in creation order, with their codes.
constexpr uint32_t kButtonCodes[7] = {
    CProgramEditLayer::kCodeSynthEdit1,  CProgramEditLayer::kCodeEqEdit1, CProgramEditLayer::kCodeSynthEdit2,
    CProgramEditLayer::kCodeEqEdit2,     CProgramEditLayer::kCodeArpEdit, CProgramEditLayer::kCodeVocoderEdit,
    CProgramEditLayer::kCodeMasterFxEdit};
const char* const kButtonDims[7] = {"ButtonEditSynthDim", "ButtonEditEqDim", "ButtonEditSynthDim",
                                    "ButtonEditEqDim",    "ButtonEditDim",   "ButtonEditDim",
                                    "ButtonEditDim"};
// OSC 1 Wave, OSC 2 Wave, OSC 1 Mod, OSC 2 Mod.
constexpr uint32_t kListIndexes[4] = {19, 26, 21, 27};
const CZmParameterId kValueTextParameters[6] = {{7, 0, 0},  {0, 43, 0}, {0, 15, 0},
                                                {0, 14, 0}, {0, 42, 0}, {0, 41, 0}};
constexpr int32_t kValueTextColumns[6] = {5, 4, 14, 14, 14, 14};
// OSC 1 Level, OSC 2 Level, Noise Level.
constexpr uint32_t kMixerIndexes[3] = {30, 31, 32};
constexpr int32_t kStatusColumns[6] = {18, 18, 18, 18, 29, 29};
// What each drop area takes and drags: timbre 1, timbre 2, arpeggiator, vocoder, both effects.
constexpr uint32_t kDropKinds[5] = {kBlockTimbre, kBlockTimbre, kBlockArp, kBlockVocoder, kBlockMfxSet};
constexpr uint32_t kDropIndexes[5] = {0, 1, 0, 0, 0};

const NvLayoutControl& Row(uint32_t id)
{
    return kControls[id];
}

// A parameter's value text.
std::string ValueText(CZmProgramAccessor* accessor, const CProgram* program, const CZmParameterId& id)
{
    char text[256] = {};
    accessor->GetCurrentValueText(program, id, text, sizeof text);
    return text;
}
} // namespace

CProgramEditLayer::CProgramEditLayer() : CEditPageLayer(kPage)
{
    for (auto& graph : m_eqDrawn)
        for (int32_t& value : graph)
            value = 255;
}

CProgramEditWindow* CProgramEditLayer::GetEditWindow() const
{
    return dynamic_cast<CProgramEditWindow*>(m_owner);
}

bool CProgramEditLayer::CreateButtons()
{
    for (uint32_t i = 0; i < m_buttons.size(); ++i)
    {
        const uint32_t id = kIdEditButtons + i;
        CCustomButtonRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap(Row(id).bitmap);
        record.dim = GetBitmap(kButtonDims[i]);
        record.background = m_background;
        if (!m_buttons[i].Create(&record, id, kButtonCodes[i]))
            return false;
        AddPageControl(m_buttons[i], m_buttons[i], kButtonCodes[i], nullptr, false);
    }
    return true;
}

bool CProgramEditLayer::CreateLists()
{
    const auto make =
        [this](CCustomBitmapList& list, uint32_t id, int32_t frames, const CZmParameterId& parameter)
    {
        CCustomBitmapListRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap(Row(id).bitmap);
        record.background = m_background;
        record.frameCount = frames;
        if (!list.Create(&record, id, kCodeBitmapList))
            return false;
        AddPageControl(list, list, kCodeBitmapList, &parameter, true);
        return true;
    };
    if (!make(m_voiceMode, kIdVoiceModeList, 4, kVoiceMode))
        return false;
    // Waves of timbre 1, of timbre 2, then the modulation lists likewise.
    for (uint32_t i = 0; i < m_lists.size(); ++i)
    {
        const uint32_t kind = (i / 4) * 2 + i % 2; // wave 1, wave 2, mod 1, mod 2
        const uint32_t timbre = (i / 2) % 2;
        const uint32_t id = kIdWaveLists + i;
        if (!make(m_lists[i], id, kind < 2 ? 8 : 4, {2, kListIndexes[kind], timbre}))
            return false;
    }
    return true;
}

bool CProgramEditLayer::CreateTexts()
{
    CCustomEditTextRecord name;
    name.x = Row(kIdName).x;
    name.y = Row(kIdName).y;
    name.font = GetBitmap("LcdCharLargeWhite");
    name.dimFont = GetBitmap("LcdCharLargeWhiteDim");
    name.background = m_background;
    name.columns = 12;
    if (!m_name.Create(&name, kIdName, kCodeName))
        return false;
    m_name.SetTextLimit(kNameLength + 1);
    const CZmParameterId nameId = {0, 0, 0};
    AddPageControl(m_name, m_name, kCodeName, &nameId, false);

    CCustomEditTextRecord record;
    record.font = m_fontWhite;
    record.dimFont = m_fontWhiteDim;
    record.background = m_background;
    for (uint32_t i = 0; i < m_valueTexts.size(); ++i)
    {
        const uint32_t id = kIdValueTexts + i;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.columns = kValueTextColumns[i];
        if (!m_valueTexts[i].Create(&record, id, kCodeValue))
            return false;
        AddPageControl(m_valueTexts[i], m_valueTexts[i], kCodeValue, &kValueTextParameters[i], true);
    }
    for (uint32_t i = 0; i < m_knobTexts.size(); ++i)
    {
        const uint32_t id = kIdKnobTexts + i;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.columns = 20;
        if (!m_knobTexts[i].Create(&record, id, kCodeKnobAssign))
            return false;
        const CZmParameterId knob = {1, 22 + i % 3, i / 3};
        AddPageControl(m_knobTexts[i], m_knobTexts[i], kCodeKnobAssign, &knob, true);
    }
    return true;
}

bool CProgramEditLayer::CreateSwitchesAndLeds()
{
    const CZmParameterId switches[2] = {{7, 1, 0}, kVocoderSwitch};
    for (uint32_t i = 0; i < m_switches.size(); ++i)
    {
        const uint32_t id = kIdSwitches + i;
        CCustomSwitchRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap("SwitchOnOff");
        record.dim = GetBitmap("SwitchOnOffDim");
        record.background = m_background;
        if (!m_switches[i].Create(&record, id, kCodeSwitch))
            return false;
        AddPageControl(m_switches[i], m_switches[i], kCodeSwitch, &switches[i], true);
    }
    for (uint32_t i = 0; i < m_voiceModeLeds.size(); ++i)
    {
        const uint32_t id = kIdVoiceModeLeds + i;
        CCustomLedRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap("LedButtonLarge");
        record.dim = GetBitmap("LedButtonLargeDim");
        record.background = m_background;
        record.number = static_cast<int32_t>(i);
        if (!m_voiceModeLeds[i].Create(&record, id, kCodeLed))
            return false;
        AddPageControl(m_voiceModeLeds[i], m_voiceModeLeds[i], kCodeLed, &kVoiceMode, true);
    }
    return true;
}

bool CProgramEditLayer::CreateBarsAndGraphs()
{
    for (uint32_t i = 0; i < m_mixerBars.size(); ++i)
    {
        const uint32_t id = kIdMixerBars + i;
        const NvLayoutRect rect = Row(id).Rect();
        CCustomValueBarRecord record;
        record.x = rect.x;
        record.y = rect.y;
        record.width = rect.width;
        record.height = rect.height;
        record.fill = GetBitmap("ValueBarMixer");
        record.background = m_background;
        record.backgroundX = rect.x;
        record.backgroundY = rect.y;
        record.minimum = 0;
        record.maximum = 127;
        if (!m_mixerBars[i].Create(&record, id, kCodeMixerBar))
            return false;
        m_mixerBars[i].SetReadOnly(true);
        const CZmParameterId level = {2, kMixerIndexes[i % 3], i / 3};
        AddPageControl(m_mixerBars[i], m_mixerBars[i], kCodeMixerBar, &level, false);
    }
    for (uint32_t t = 0; t < 2; ++t)
    {
        const uint32_t id = kIdEqGraphs + t;
        const NvLayoutRect rect = Row(id).Rect();
        CCustomEqGraphRecord record;
        record.x = rect.x;
        record.y = rect.y;
        record.width = rect.width;
        record.height = rect.height;
        record.background = m_background;
        record.backgroundX = rect.x;
        record.backgroundY = rect.y;
        record.bandCount = 2;
        record.ranges.displayLowHz = 16;
        record.ranges.displayHighHz = 26000;
        record.ranges.bandLowHz = 20;
        record.ranges.bandHighHz = 20000;
        record.ranges.displayLowDb = -16;
        record.ranges.displayHighDb = 16;
        record.ranges.gainLowDb = -15;
        record.ranges.gainHighDb = 15;
        record.curveColor = 0xFFFFFFFF;
        if (!m_eqGraphs[t].Create(&record, id, kCodeEqGraph))
            return false;
        m_eqGraphs[t].SetDisabledAlpha(kGraphDimAlpha);
        const CZmParameterId eq = {4, 0, t};
        AddPageControl(m_eqGraphs[t], m_eqGraphs[t], kCodeEqGraph, &eq, false);
    }
    const auto filterRecord = [this](uint32_t id)
    {
        // The row is the control's rectangle: 2 pixels above and left of the plot, 4 below and right.
        const NvLayoutRect rect = Row(id).Rect();
        CXBCtrlFilterGraphRecord record;
        record.x = rect.x + 2;
        record.y = rect.y + 2;
        record.width = rect.width - 6;
        record.height = rect.height - 6;
        record.background = m_background;
        record.backgroundX = record.x;
        record.backgroundY = record.y;
        record.handleSize = 0;
        record.handleMaximum = 256;
        record.lineColor = 0xFFFFFFFF;
        record.fillColor = 0xFF555555;
        return record;
    };
    const CZmParameterId cutoffs[2] = {{2, 36, 0}, {2, 36, 1}};
    for (uint32_t t = 0; t < 2; ++t)
    {
        const CXBCtrlFilterGraphRecord record = filterRecord(kIdFilterAGraphs + t);
        if (!m_filterA[t].Create(&record, kIdFilterAGraphs + t))
            return false;
        m_filterA[t].SetReadOnly(true);
        m_filterA[t].SetDisabledAlpha(kGraphDimAlpha);
        AddPageControl(m_filterA[t], m_filterA[t], kCodeFilterA, &cutoffs[t], false);
    }
    for (uint32_t t = 0; t < 2; ++t)
    {
        const CXBCtrlFilterGraphRecord record = filterRecord(kIdFilterBGraphs + t);
        if (!m_filterB[t].Create(&record, kIdFilterBGraphs + t))
            return false;
        m_filterB[t].SetReadOnly(true);
        m_filterB[t].SetDisabledAlpha(kGraphDimAlpha);
        AddPageControl(m_filterB[t], m_filterB[t], kCodeFilterB, &cutoffs[t], false);
    }
    return true;
}

bool CProgramEditLayer::CreateStatusLines()
{
    for (uint32_t line = 0; line < m_statusLines.size(); ++line)
    {
        const uint32_t id = kIdStatusLines + line;
        CCustomStaticTextRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.columns = kStatusColumns[line];
        record.font = m_fontWhite;
        record.dimFont = m_fontWhiteDim;
        record.background = m_background;
        if (!m_statusLines[line].Create(&record, id, kCodeStatusLine))
            return false;
        // The line number stands in the address's group word.
        const CZmParameterId number = {line, 0, 0};
        AddPageControl(m_statusLines[line], m_statusLines[line], kCodeStatusLine, &number, false);
    }
    return true;
}

bool CProgramEditLayer::CreateDropAreas()
{
    for (uint32_t area = 0; area < m_dropAreas.size(); ++area)
    {
        const uint32_t id = kControlIdCount + area;
        CHfcCtrlDragReceiverRecord record;
        record.x = kDropAreas[area].x;
        record.y = kDropAreas[area].y;
        record.width = kDropAreas[area].width;
        record.height = kDropAreas[area].height;
        record.words[0] = kDropKinds[area];
        record.words[1] = static_cast<intptr_t>(kDropIndexes[area]);
        CCustomDragReceiver& receiver = m_dropAreas[area];
        if (!receiver.Create(&record, id, kCodeDropArea))
            return false;
        // The base's block drag reads the kind from the extra and the timbre from the tag.
        receiver.SetExtra(static_cast<int32_t>(kDropKinds[area]));
        receiver.SetTag(static_cast<int32_t>(kDropIndexes[area]));
        AddPageControl(receiver, receiver, kCodeDropArea, nullptr, true);
    }
    return true;
}

bool CProgramEditLayer::CreateControls()
{
    if (!m_background || !CreateButtons() || !CreateLists() || !CreateTexts() || !CreateSwitchesAndLeds() ||
        !CreateBarsAndGraphs() || !CreateStatusLines() || !CreateDropAreas())
        return false;
    RefreshAllControls();
    DrawBackground();
    return true;
}

bool CProgramEditLayer::IsTimbre2Enabled() const
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    return accessor && m_data.program && accessor->GetValue(m_data.program, kVoiceMode) != 0;
}

bool CProgramEditLayer::IsVocoderOn() const
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    return accessor && m_data.program && accessor->GetValue(m_data.program, kVocoderSwitch) != 0;
}

std::string CProgramEditLayer::MakeStatusLine(uint32_t line) const
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const CProgram* program = m_data.program;
    if (!accessor || !program)
        return {};
    switch (line)
    {
    case 0:
        return "Type: " + ValueText(accessor, program, kArpType);
    case 1:
    {
        std::string text = accessor->GetValue(program, kArpLatch) != 0 ? "[Latch]" : "       ";
        if (accessor->GetValue(program, kKeySync) != 0)
            text += "  [KeySync]";
        return text;
    }
    case 2:
        return ValueText(accessor, program, kAudioInSource);
    case 4:
        return "Effect1: " + ValueText(accessor, program, kEffect1Type);
    case 5:
        return "Effect2: " + ValueText(accessor, program, kEffect2Type);
    default:
        return {};
    }
}

void CProgramEditLayer::RefreshEqGraph(uint32_t id)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const uint32_t timbre = id - kIdEqGraphs;
    int32_t values[4];
    for (uint32_t i = 0; i < 4; ++i)
        values[i] = accessor->GetValue(m_data.program, {4, 48 + i, timbre});
    if (std::memcmp(values, m_eqDrawn[timbre], sizeof values) == 0)
        return;
    std::memcpy(m_eqDrawn[timbre], values, sizeof values);
    SetEqShelves(id, values[0], values[1], values[2], values[3]);
}

void CProgramEditLayer::RefreshFilterGraph(uint32_t id)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const bool typeA = GetCode(id) == kCodeFilterA;
    const uint32_t timbre = typeA ? id - kIdFilterAGraphs : id - kIdFilterBGraphs;
    auto* graph = dynamic_cast<CXBCtrlFilterGraph*>(GetFrameworkControl(id));
    if (!graph)
        return;
    int32_t type = 0, cutoff = 0, resonance = 0;
    if (typeA)
    {
        type = accessor->GetValue(m_data.program, {2, 35, timbre});
        cutoff = accessor->GetValue(m_data.program, {2, 36, timbre});
        resonance = accessor->GetValue(m_data.program, {2, 37, timbre});
    }
    else
    {
        // Filter 2 draws only where the routing uses it.
        type = accessor->GetValue(m_data.program, {2, 33, timbre}) == 0
                   ? -1
                   : accessor->GetValue(m_data.program, {2, 41, timbre});
        cutoff = accessor->GetValue(m_data.program, {2, 42, timbre});
        resonance = accessor->GetValue(m_data.program, {2, 43, timbre});
    }
    CXBFilterHandle handle;
    handle.xValue = cutoff * 2;
    handle.yValue = resonance + 127;
    const CGraphPoint before = graph->GetHandlePosition();
    if (graph->GetFilterType() != type)
        graph->SetFilterType(type, false);
    graph->SetHandle(handle, false);
    const CGraphPoint after = graph->GetHandlePosition();
    if (before.x != after.x || before.y != after.y)
        graph->SetDirty(true);
}

void CProgramEditLayer::RefreshOne(uint32_t id)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CCustomControl* custom = GetPageControl(id);
    CHfcControl* control = GetFrameworkControl(id);
    if (!accessor || !m_data.program || !custom || !control)
        return;
    const bool timbre2 = IsTimbre2Enabled();
    switch (GetCode(id))
    {
    case kCodeName:
    {
        char name[kNameLength + 1] = {};
        std::memcpy(name, m_data.program->GetImage(), kNameLength);
        for (char& c : name)
            if (c == '\0')
                c = ' ';
        name[kNameLength] = '\0';
        if (!m_name.IsEditing())
            SetShownText(*control, name);
        break;
    }
    case kCodeStatusLine:
        SetShownText(*control, MakeStatusLine(id - kIdStatusLines).c_str());
        break;
    case kCodeKnobAssign:
        RefreshValueText(id);
        break;
    case kCodeEqGraph:
    case kCodeFilterA:
    case kCodeFilterB:
    {
        // Timbre 1's graphs always; a graph does not redraw itself when it is enabled or disabled.
        const bool enabled = id == kIdEqGraphs || id == kIdFilterAGraphs || id == kIdFilterBGraphs || timbre2;
        if (custom->IsEnabled() != enabled)
        {
            custom->SetEnabled(enabled);
            control->SetDirty(true);
        }
        if (GetCode(id) == kCodeEqGraph)
            RefreshEqGraph(id);
        else
            RefreshFilterGraph(id);
        break;
    }
    case kCodeMixerBar:
        custom->SetValue(accessor->GetValue(m_data.program, GetControlParameter(custom)));
        break;
    case kCodeSynthEdit2:
    case kCodeEqEdit2:
        custom->SetEnabled(timbre2);
        break;
    case kCodeVocoderEdit:
        custom->SetEnabled(IsVocoderOn());
        break;
    case kCodeDropArea:
        // No value to show; timbre 2's area works only while timbre 2 does.
        custom->SetEnabled(id != kControlIdCount + 1 || timbre2);
        break;
    default:
        CEditPageLayer::RefreshOne(id);
        break;
    }
}

void CProgramEditLayer::CheckDisabledEditors()
{
    CProgramEditWindow* window = GetEditWindow();
    if (!window)
        return;
    const bool timbre2Open = window->GetEditor(CProgramEditWindow::kEditorTimbreSynth2) ||
                             window->GetEditor(CProgramEditWindow::kEditorTimbreEq2);
    if ((timbre2Open && !IsTimbre2Enabled()) ||
        (window->GetEditor(CProgramEditWindow::kEditorVocoder) && !IsVocoderOn()))
        window->PostCloseDisabledEditors();
}

void CProgramEditLayer::RefreshAllControls()
{
    CEditPageLayer::RefreshAllControls();
    CheckDisabledEditors();
}

void CProgramEditLayer::RefreshValues()
{
    CEditPageLayer::RefreshValues();
    CheckDisabledEditors();
}

void CProgramEditLayer::EndTextEntry()
{
    if (m_name.IsEditing())
        m_name.CommitEditing();
}

bool CProgramEditLayer::StartNameEditing()
{
    EndTextEntry();
    return m_name.StartEditing();
}

void CProgramEditLayer::OpenEditorOfCode(uint32_t code)
{
    CProgramEditWindow* window = GetEditWindow();
    if (!window)
        return;
    m_draggedId = -1;
    switch (code)
    {
    case kCodeSynthEdit1:
        window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
        break;
    case kCodeSynthEdit2:
        if (IsTimbre2Enabled())
            window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth2);
        break;
    case kCodeEqEdit1:
        window->OpenEditor(CProgramEditWindow::kEditorTimbreEq1);
        break;
    case kCodeEqEdit2:
        if (IsTimbre2Enabled())
            window->OpenEditor(CProgramEditWindow::kEditorTimbreEq2);
        break;
    case kCodeArpEdit:
        window->OpenEditor(CProgramEditWindow::kEditorArpeggiator);
        break;
    case kCodeVocoderEdit:
        if (IsVocoderOn())
            window->OpenEditor(CProgramEditWindow::kEditorVocoder);
        break;
    case kCodeMasterFxEdit:
        window->OpenEditor(CProgramEditWindow::kEditorMasterFx);
        break;
    default:
        break;
    }
}

void CProgramEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control)
        return;
    EndTextEntry();
    const uint32_t code = control->GetUserValue();
    switch (code)
    {
    case kCodeSynthEdit1:
    case kCodeSynthEdit2:
    case kCodeEqEdit1:
    case kCodeEqEdit2:
    case kCodeArpEdit:
    case kCodeVocoderEdit:
    case kCodeMasterFxEdit:
        OpenEditorOfCode(code);
        return;
    case kCodeLed: // a press chooses the LED's voice mode
    case kCodeValue:
    case kCodeSwitch:
        CEditPageLayer::OnValueChanged(control, value);
        break;
    default:
        // The mixer bars, graphs, lists, name and status texts only show the program.
        return;
    }
    CheckDisabledEditors();
}

bool CProgramEditLayer::SetProgramName(const char* text)
{
    if (!text || !m_data.program)
        return false;
    std::string typed(text, strnlen(text, 256));
    for (char c : typed)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
        {
            RefreshOne(kIdName);
            m_name.Redraw(false);
            PostUpdate(false);
            return false;
        }
    if (typed.size() > kNameLength)
        typed.resize(kNameLength);
    m_data.program->SetProgramName(typed.c_str());
    m_data.program->RefreshName();
    RefreshOne(kIdName);
    m_name.Redraw(false);
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
    const uint8_t* image = m_data.program->GetImage();
    for (uint32_t i = 0; i < kNameLength; ++i)
        SendParameterChange({0, i, 0}, image[i]);
    PostUpdate(false);
    Post(Notify::ProgramNameChanged{m_data.programIndex, m_data.documentId});
    return true;
}

void CProgramEditLayer::OnTextChanged(CHfcControl* control, const char* text)
{
    if (control && control->GetUserValue() == kCodeName)
        SetProgramName(text);
}

void CProgramEditLayer::ChooseKnobAssignment(CHfcControl* control, int32_t x, int32_t y)
{
    CCustomControl* custom = control ? GetPageControl(control->GetId()) : nullptr;
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!custom || !accessor || !m_data.program)
        return;
    const CZmParameterId id = GetControlParameter(custom);
    const int32_t current = accessor->GetValue(m_data.program, id);
    const bool lfo1 = accessor->GetValue(m_data.program, {2, kLfo1BpmSync, id.timbre}) != 0;
    const bool lfo2 = accessor->GetValue(m_data.program, {2, kLfo2BpmSync, id.timbre}) != 0;
    const int32_t atX = GetRect().left + control->GetRect().left + x;
    const int32_t atY = GetRect().top + control->GetRect().top + y;
    const int32_t chosen = EditorPopups().ChooseKnobAssignment(GetWindow() ? GetWindow()->GetHwnd() : nullptr,
                                                               atX, atY, current, lfo1, lfo2);
    if (chosen >= 0 && chosen != current)
        WriteValue(control, id, chosen);
    if (CHfcKey* key = CHfcKey::GetKey(); key && key->GetFocusListener() == this)
        key->ClearFocus();
}

bool CProgramEditLayer::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!control)
        return false;
    if (!dynamic_cast<CCustomEditText*>(control))
        EndTextEntry();
    switch (control->GetUserValue())
    {
    case kCodeKnobAssign:
        ChooseKnobAssignment(control, x, y);
        return true;
    case kCodeName:
    {
        // The name is typed in place after a double click; a single press does nothing.
        const DWORD now = GetMessageTime();
        const bool second = m_namePressed && now - m_namePressTime <= GetDoubleClickTime();
        m_namePressed = !second;
        m_namePressTime = now;
        if (second)
            StartNameEditing();
        return true;
    }
    case kCodeMixerBar:
        return true;
    default:
        return CEditPageLayer::OnControlLButtonDown(control, x, y, modifiers);
    }
}

bool CProgramEditLayer::OnControlLButtonDblClk(CHfcControl* control, int32_t, int32_t, uint32_t)
{
    if (!control)
        return false;
    if (control->GetUserValue() == kCodeEqGraph)
    {
        OpenEditorOfCode(control->GetId() == kIdEqGraphs ? kCodeEqEdit1 : kCodeEqEdit2);
        return true;
    }
    if (control->GetUserValue() == kCodeName)
    {
        StartNameEditing();
        return true;
    }
    return false;
}

bool CProgramEditLayer::OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    EndTextEntry();
    return CEditPageLayer::OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

void CProgramEditLayer::OpenEditorAt(int32_t x, int32_t y)
{
    for (const NvProgramEditAreaRow& row : kDoubleClickAreas)
    {
        if (x < row.left || x > row.right || y < row.top || y > row.bottom)
            continue;
        switch (row.area)
        {
        case NvProgramEditArea::TimbreSynth1:
            OpenEditorOfCode(kCodeSynthEdit1);
            break;
        case NvProgramEditArea::TimbreSynth2:
            OpenEditorOfCode(kCodeSynthEdit2);
            break;
        case NvProgramEditArea::TimbreEq1:
            OpenEditorOfCode(kCodeEqEdit1);
            break;
        case NvProgramEditArea::TimbreEq2:
            OpenEditorOfCode(kCodeEqEdit2);
            break;
        case NvProgramEditArea::Arpeggiator:
            OpenEditorOfCode(kCodeArpEdit);
            break;
        case NvProgramEditArea::Vocoder:
            OpenEditorOfCode(kCodeVocoderEdit);
            break;
        case NvProgramEditArea::MasterFx:
            OpenEditorOfCode(kCodeMasterFxEdit);
            break;
        case NvProgramEditArea::TimbreSection1:
        case NvProgramEditArea::TimbreSection2:
            break;
        }
        return;
    }
}

bool CProgramEditLayer::OnHfcMouseLeftDoubleClick(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    OpenEditorAt(x, y);
    return true;
}

bool CProgramEditLayer::DropBlock(uint32_t area, const CBlockData& block, bool move)
{
    if (!m_data.program || area >= NvCountOf(kDropAreas))
        return false;
    if (block.GetBlockKind() != kDropKinds[area] || (area == 1 && !IsTimbre2Enabled()))
        return false;
    bool changed = false;
    if (area < 2)
    {
        CProgram edited(*m_data.program);
        const uint32_t source = block.GetBlockIndex();
        if (move && source == area)
            return true;
        CBlockData saved;
        if (move && (source > 1 || !saved.WriteTimbre(edited, area)))
            return false;
        if (!block.ReadTimbre(edited, area) || (move && !saved.ReadTimbre(edited, source)))
            return false;
        CBlockData whole;
        if (!whole.WriteProgram(edited) || !PasteBlock(whole, changed))
            return false;
    }
    else if (!PasteBlock(block, changed))
        return false;
    m_draggedId = -1;
    if (changed)
        Post(Notify::RefreshSelf{});
    return true;
}

uint32_t CProgramEditLayer::GetBlockDropEffect(CHfcControl* control, const CBlockData& block, int32_t mode) const
{
    if (!control || control->GetId() < kControlIdCount || !m_data.program)
        return kHfcDropEffectNone;
    const uint32_t area = control->GetId() - kControlIdCount, kind = block.GetBlockKind();
    if (area >= NvCountOf(kDropAreas) || kind != kDropKinds[area] || (area == 1 && !IsTimbre2Enabled()) ||
        block.GetPayloadSize() != CBlockData::GetKindPayloadSize(kind) ||
        (kind == kBlockTimbre && block.GetBlockIndex() > 1))
        return kHfcDropEffectNone;
    return kind == kBlockTimbre && mode == kDropMove ? kHfcDropEffectMove : kHfcDropEffectCopy;
}

bool CProgramEditLayer::OnDropBlock(CHfcControl* control, CHfcDragData*, const CBlockData& block,
                                    int32_t mode)
{
    // The drop areas follow the page's other controls, in kDropAreas' order.
    if (!control || control->GetId() < kControlIdCount)
        return false;
    return DropBlock(control->GetId() - kControlIdCount, block, mode == kDropMove);
}

bool CProgramEditLayer::OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1,
                                              intptr_t p2, intptr_t p3, intptr_t p4, void* sender)
{
    if (Notify::Read<Notify::RefreshSelf>(code, p1, p2, p3, p4) && sender == this)
    {
        RefreshAllControls();
        return false;
    }
    return CEditPageLayer::OnWindowManagerNotify(manager, code, p1, p2, p3, p4, sender);
}
