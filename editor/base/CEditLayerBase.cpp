#include "editor/base/CEditLayerBase.h"

#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/CTDWResource.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/controls/CCustomControl.h"
#include "editor/controls/CCustomLed.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/math/EqResponse.h"
#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
CBlockDragTransport* g_blockDragTransport = nullptr;

// A text cut to the cache's size, always terminated.
void CopyCached(char* cache, size_t size, const char* text)
{
    const size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(cache, text, n);
    cache[n] = '\0';
}

// The list kind of the accessor (GetKind): a value popup lists its values.
constexpr uint32_t kParameterKindList = 3;
// The three front-panel knobs of a timbre: Knob 1 Assign .. Knob 3 Assign of its common group.
constexpr uint32_t kKnobCount = 3, kKnob1Assign = 22;
} // namespace

CBlockDragTransport* GetBlockDragTransport()
{
    return g_blockDragTransport;
}

void SetBlockDragTransport(CBlockDragTransport* transport)
{
    g_blockDragTransport = transport;
}

CHfcControl* CEditLayerBase::FindControl(uint32_t id) const
{
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (CHfcControl* control = GetControl(i); control && control->GetId() == id)
            return control;
    return nullptr;
}

void CEditLayerBase::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control)
        return;
    CCustomControl* custom = GetEditorControl(control->GetId());
    const uint32_t raw = static_cast<uint32_t>(value);
    const bool pressed = (raw & CCustomControl::kPressBit) != 0;
    int32_t parameterValue = 0;
    switch (control->GetUserValue())
    {
    case CCustomControl::kEventValue:
        parameterValue = custom ? custom->PositionToValue(value) : value;
        break;
    case CCustomControl::kEventToggle:
        if (!pressed)
            return;
        parameterValue = 1 - (custom ? custom->GetValue() : control->GetValue());
        break;
    case CCustomControl::kEventNumber:
        if (!pressed)
            return;
        // An LED's own value is whether it is lit; what it writes is the value it stands for.
        if (auto* led = dynamic_cast<CCustomLed*>(custom))
            parameterValue = led->GetNumber();
        else
            parameterValue = custom ? custom->GetValue() : 0;
        break;
    default:
        return;
    }
    if (!custom)
    {
        // Nothing is bound: nothing to write and no address to send to.
        PostUpdate(false);
        return;
    }
    WriteValue(control, GetControlParameter(custom), parameterValue);
}

void CEditLayerBase::WriteValue(CHfcControl* control, const CZmParameterId& id, int32_t value)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    int32_t written = value;
    if (accessor && m_data.program)
    {
        accessor->SetValue(m_data.program, id, value);
        written = accessor->GetValue(m_data.program, id);
    }
    if (control)
        RefreshControl(control);
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
    PostUpdate(false);
    // What the program holds now, so that the instrument never gets a value the program refused.
    SendParameterChange(id, written);
}

void CEditLayerBase::SendParameterChange(const CZmParameterId& id, int32_t value)
{
    CZmIdConverter* converter = CZmIdConverterSingleton::Get();
    CMidiManager* midi = EditorServices().midiManager;
    CZmDeviceAddress address;
    if (!converter || !midi || !converter->ToDeviceAddress(id, address) || !address.IsValid())
        return;
    midi->SendParameterChange(static_cast<int32_t>(address.lo), static_cast<int32_t>(address.hi), value);
}

void CEditLayerBase::RefreshAllControls()
{
    for (uint32_t id = 0; id < GetEditorControlCount(); ++id)
        RefreshOne(id);
    RedrawControls(false);
}

int32_t CEditLayerBase::ShownValue(CCustomControl* custom, int32_t parameterValue)
{
    if (auto* led = dynamic_cast<CCustomLed*>(custom))
        return parameterValue == led->GetNumber() ? 1 : 0;
    return parameterValue;
}

void CEditLayerBase::RefreshOne(uint32_t id)
{
    CCustomControl* custom = GetEditorControl(id);
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (custom && accessor && m_data.program)
        custom->SetValue(ShownValue(custom, accessor->GetValue(m_data.program, GetControlParameter(custom))));
}

void CEditLayerBase::RefreshControl(CHfcControl* control)
{
    if (!control)
        return;
    CCustomControl* custom = GetEditorControl(control->GetId());
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!custom || !accessor || !m_data.program)
        return;
    const CZmParameterId id = GetControlParameter(custom);
    custom->SetValue(ShownValue(custom, accessor->GetValue(m_data.program, id)));
    control->Redraw(false);
    m_currentControl = control;

    CMessageWindowLayer* overlay = m_owner ? m_owner->GetMessageLayer() : nullptr;
    if (!overlay)
        return;
    if (!overlay->IsVisible())
        overlay->Show(false);
    char name[256] = {};
    if (const char* text = accessor->GetName(m_data.program, id))
        std::strncpy(name, text, sizeof name - 1);
    char value[256] = {};
    accessor->GetCurrentValueText(m_data.program, id, value, sizeof value);
    bool changed = false;
    if (std::strncmp(name, m_cachedName, sizeof m_cachedName - 1) != 0)
    {
        CopyCached(m_cachedName, sizeof m_cachedName, name);
        changed = true;
    }
    if (std::strncmp(value, m_cachedValue, sizeof m_cachedValue - 1) != 0)
    {
        CopyCached(m_cachedValue, sizeof m_cachedValue, value);
        changed = true;
    }
    if (changed)
        m_owner->ShowMessage(m_cachedName, m_cachedValue, 255);
}

void CEditLayerBase::RefreshValues()
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!accessor || !m_data.program)
        return;
    for (size_t i = 0; i < GetControlCount(); ++i)
    {
        CHfcControl* control = GetControl(i);
        CCustomControl* custom = control ? GetEditorControl(control->GetId()) : nullptr;
        if (!custom || control->HasKeyFocus())
            continue;
        const int32_t value =
            ShownValue(custom, accessor->GetValue(m_data.program, GetControlParameter(custom)));
        if (custom->GetValue() != value)
        {
            custom->SetValue(value);
            control->Redraw(false);
        }
    }
}

POINT CEditLayerBase::ControlToClient(CHfcControl* control, int32_t x, int32_t y) const
{
    return {GetRect().left + control->GetRect().left + x, GetRect().top + control->GetRect().top + y};
}

bool CEditLayerBase::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t)
{
    if (!control)
        return false;
    m_pressId = static_cast<int32_t>(control->GetId());
    m_pressed = true;
    m_pressPoint[0] = control->GetRect().left + x;
    m_pressPoint[1] = control->GetRect().top + y;

    CCustomControl* custom = GetEditorControl(control->GetId());
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!custom || !accessor || !m_data.program || control->GetUserValue() != CCustomControl::kEventValue)
        return false;
    const CZmParameterId id = GetControlParameter(custom);
    if (accessor->GetKind(m_data.program, id) != kParameterKindList)
        return false;
    std::vector<std::string> items;
    const int32_t maximum = accessor->GetMax(m_data.program, id);
    for (int32_t v = 0; v <= maximum; ++v)
    {
        char text[256] = {};
        accessor->GetValueText(m_data.program, id, v, text, sizeof text);
        items.emplace_back(text);
    }
    const int32_t current = accessor->GetValue(m_data.program, id);
    const POINT at = ControlToClient(control, x, y);
    m_pressed = false;
    m_pressId = -1;
    const int32_t chosen =
        EditorPopups().ChooseItem(GetWindow() ? GetWindow()->GetHwnd() : nullptr, at.x, at.y, items, current);
    if (chosen >= 0 && chosen != current)
        WriteValue(control, id, chosen);
    if (CHfcKey* key = CHfcKey::GetKey(); key && GetWindow())
        key->SetFocus(this, GetWindow()->GetHwnd());
    return true;
}

bool CEditLayerBase::OnControlLButtonUp(CHfcControl*, int32_t, int32_t, uint32_t)
{
    m_pressed = false;
    m_pressId = -1;
    return false;
}

bool CEditLayerBase::OnControlRButtonDown(CHfcControl* control, int32_t, int32_t, uint32_t)
{
    if (!control || control->GetUserValue() > CCustomControl::kEventNumber)
        return false;
    ShowKnobAssignMenu(control);
    return true;
}

// The menu's item k sets Knob k+1 Assign to the parameter's knob-assign code: the knobs of the
// parameter's own timbre, or of timbre 1 for a parameter outside the timbres. The clicked
// parameter itself is left alone.
void CEditLayerBase::ShowKnobAssignMenu(CHfcControl* control)
{
    CCustomControl* custom = control ? GetEditorControl(control->GetId()) : nullptr;
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!custom || !accessor || !m_data.program)
        return;
    const CZmParameterId id = GetControlParameter(custom);
    const int32_t link = accessor->GetLink(m_data.program, id);
    const bool perTimbre = accessor->IsTimbreGroup(id.group) && id.timbre < 2;
    std::vector<std::wstring> items;
    if (link < 0)
        items.push_back(GetLocalizedString("KnobAssignMenuInvalid"));
    else
        for (uint32_t knob = 0; knob < kKnobCount; ++knob)
        {
            char key[32];
            if (perTimbre)
                std::snprintf(key, sizeof key, "KnobAssignMenuT%u_%02u", id.timbre + 1, knob);
            else
                std::snprintf(key, sizeof key, "KnobAssignMenu%02u", knob);
            items.push_back(GetLocalizedString(key));
        }
    const POINT at = ControlToClient(control, 0, 0);
    const int32_t chosen =
        EditorPopups().ChooseCheckedItem(GetWindow() ? GetWindow()->GetHwnd() : nullptr, at.x, at.y, items, 0);
    if (link < 0 || chosen < 0 || chosen >= static_cast<int32_t>(kKnobCount))
        return;
    const CZmParameterId knob = {kPrgGroupTimbreCommon, kKnob1Assign + static_cast<uint32_t>(chosen),
                                 perTimbre ? id.timbre : 0};
    // An assignment the knob already has changes nothing and sends nothing.
    if (accessor->GetValue(m_data.program, knob) != link)
        WriteValue(nullptr, knob, link);
}

bool CEditLayerBase::OnControlMouseMove(CHfcControl* control, int32_t x, int32_t y, uint32_t)
{
    if (!control || !m_pressed || m_pressId < 0)
        return false;
    if (control->GetUserValue() == kEventBlockSource && control->IsEnabled())
        if (CHfcMouse* mouse = CHfcMouse::GetMouse())
            mouse->SetCursor(10);
    const int32_t px = control->GetRect().left + x, py = control->GetRect().top + y;
    if (std::abs(px - m_pressPoint[0]) + std::abs(py - m_pressPoint[1]) < static_cast<int32_t>(kDragDistance))
        return false;
    CHfcControl* pressed = FindControl(static_cast<uint32_t>(m_pressId));
    const int32_t pressX = m_pressPoint[0], pressY = m_pressPoint[1];
    m_pressed = false;
    m_pressId = -1;
    if (!pressed)
    {
        DebugTrace("Failed to get the dragging control.");
        return false;
    }
    if (MakeDragData(pressed, pressX, pressY))
    {
        // The drag took the button's release.
        pressed->OnHfcMouseLeftUp(CHfcMouse::GetMouse(), x, y, 0);
        return true;
    }
    return false;
}

bool CEditLayerBase::EncodeBlock(uint32_t kind, uint32_t index, CBlockData& block) const
{
    const CProgram* program = m_data.program;
    if (!program)
        return false;
    switch (kind)
    {
    case kBlockProgram:
        return block.WriteProgram(*program);
    case kBlockTimbre:
        return index < 2 && block.WriteTimbre(*program, index);
    case kBlockMfx:
        return index < 2 && block.WriteMfx(*program, index);
    case kBlockMfxSet:
        return block.WriteMfxSet(*program);
    case kBlockVocoder:
        return block.WriteVocoder(*program);
    case kBlockArp:
        return block.WriteArp(*program);
    default:
        return false;
    }
}

bool CEditLayerBase::MakeDragData(CHfcControl* control, int32_t x, int32_t y)
{
    CBlockDragTransport* transport = GetBlockDragTransport();
    CCustomControl* custom = control ? GetEditorControl(control->GetId()) : nullptr;
    if (!control || !custom || !transport || control->GetUserValue() != kEventBlockSource)
        return false;
    // The control's extra names the block kind and its tag the timbre or effect.
    CBlockData block;
    if (!EncodeBlock(static_cast<uint32_t>(custom->GetExtra()), static_cast<uint32_t>(custom->GetTag()),
                     block))
        return false;
    m_dragRunning = true;
    const bool ran =
        transport->RunBlockDrag(*control, block, x - control->GetRect().left, y - control->GetRect().top);
    m_dragRunning = false;
    return ran;
}

int32_t CEditLayerBase::GetDropMode(uint32_t modifiers) const
{
    if (!m_dragRunning)
        return kDropForeign;
    return (modifiers & kModifierControl) ? kDropCopy : kDropMove;
}

uint32_t CEditLayerBase::AnswerDrag(CHfcControl* control, CHfcDragData* data, uint32_t modifiers) const
{
    CBlockDragTransport* transport = GetBlockDragTransport();
    if (!control || !transport)
        return kHfcDropEffectNone;
    const int32_t mode = GetDropMode(modifiers);
    for (const CBlockData& block : transport->GetBlocks(data))
        if (const uint32_t effect = GetBlockDropEffect(control, block, mode); effect != kHfcDropEffectNone)
            return effect;
    return kHfcDropEffectNone;
}

// OLE drops only where the last drag-over answered an effect.
bool CEditLayerBase::OnControlDragEnter(CHfcControl* control, CHfcDragData* data, uint32_t, int32_t, int32_t,
                                        uint32_t modifiers, uint32_t* effect)
{
    if (effect)
        *effect = AnswerDrag(control, data, modifiers);
    return true;
}

bool CEditLayerBase::OnControlDragOver(CHfcControl* control, CHfcDragData* data, uint32_t, int32_t, int32_t,
                                       uint32_t modifiers, uint32_t* effect)
{
    if (effect)
        *effect = AnswerDrag(control, data, modifiers);
    return true;
}

bool CEditLayerBase::OnControlDrop(CHfcControl* control, CHfcDragData* data, uint32_t, int32_t, int32_t,
                                   uint32_t modifiers, uint32_t* effect)
{
    if (effect)
        *effect = kHfcDropEffectNone;
    CBlockDragTransport* transport = GetBlockDragTransport();
    if (!control || !transport)
        return false;
    const int32_t mode = GetDropMode(modifiers);
    for (const CBlockData& block : transport->GetBlocks(data))
    {
        const uint32_t answer = GetBlockDropEffect(control, block, mode);
        if (answer != kHfcDropEffectNone && OnDropBlock(control, data, block, mode))
        {
            if (effect)
                *effect = answer;
            return true;
        }
    }
    return false;
}

bool CEditLayerBase::PasteBlock(const CBlockData& block, bool& changed)
{
    changed = false;
    if (!m_data.program)
        return false;
    CProgram copy(*m_data.program);
    bool taken = false;
    switch (block.GetBlockKind())
    {
    case kBlockProgram:
        taken = block.ReadProgram(copy);
        break;
    case kBlockTimbre:
        taken = block.ReadTimbre(copy, block.GetBlockIndex());
        break;
    case kBlockMfx:
        taken = block.ReadMfx(copy, block.GetBlockIndex());
        break;
    case kBlockMfxSet:
        taken = block.ReadMfxSet(copy);
        break;
    case kBlockVocoder:
        taken = block.ReadVocoder(copy);
        break;
    case kBlockArp:
        taken = block.ReadArp(copy);
        break;
    default:
        break;
    }
    if (!taken)
        return false;
    changed = std::memcmp(copy.GetImage(), m_data.program->GetImage(), copy.GetImageSize()) != 0;
    if (!changed)
        return true;
    *m_data.program = copy;
    RefreshAllControls();
    if (m_markModified && m_owner)
        m_owner->SetModified(true);
    PostUpdate(true);
    CMidiManager* midi = EditorServices().midiManager;
    if (midi && midi->IsOpen())
    {
        ParameterChangeTarget().Set(m_data.documentId, m_data.programIndex, nullptr, m_data.program);
        midi->TransmitProgram(*m_data.program, -1);
    }
    return true;
}

std::vector<CEqBandCommand> CEditLayerBase::MakeEqShelfCommands(int32_t lowFrequency, int32_t lowGain,
                                                                int32_t highFrequency, int32_t highGain)
{
    std::vector<CEqBandCommand> commands;
    const CEqShelf shelves[2] = {CEqShelf::Low, CEqShelf::High};
    const int32_t frequencies[2] = {lowFrequency, highFrequency};
    const int32_t gains[2] = {lowGain, highGain};
    for (int32_t band = 0; band < 2; ++band)
    {
        CEqBandCommand frequency;
        frequency.kind = 0;
        frequency.band = band;
        frequency.values[0] = static_cast<float>(GetShelfFrequency(shelves[band], frequencies[band]));
        commands.push_back(frequency);
        CEqBandCommand gain;
        gain.kind = 2;
        gain.band = band;
        gain.values[0] = static_cast<float>(gains[band]) * 0.5f;
        commands.push_back(gain);
        const CEqBiquad q = ComputeShelfCoefficients(shelves[band], frequencies[band], gains[band]);
        CEqBandCommand coefficients;
        coefficients.kind = 3;
        coefficients.band = band;
        coefficients.values[0] = q.b0;
        coefficients.values[1] = q.b1;
        coefficients.values[2] = q.b2;
        coefficients.values[3] = q.a1;
        coefficients.values[4] = q.a2;
        commands.push_back(coefficients);
    }
    return commands;
}

void CEditLayerBase::SetEqShelves(uint32_t graphId, int32_t lowFrequency, int32_t lowGain,
                                  int32_t highFrequency, int32_t highGain)
{
    auto* graph = dynamic_cast<CCustomEqGraph*>(FindControl(graphId));
    if (!graph)
        return;
    const std::vector<CEqBandCommand> commands =
        MakeEqShelfCommands(lowFrequency, lowGain, highFrequency, highGain);
    for (size_t i = 0; i < commands.size(); ++i)
        graph->SetBand(commands[i], i + 1 == commands.size());
}

bool CEditLayerBase::OnHfcMouseMove(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    if (CMessageWindowLayer* overlay = m_owner ? m_owner->GetMessageLayer() : nullptr)
        overlay->Release();
    return false;
}
