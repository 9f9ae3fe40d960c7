#include "editor/pages/mfx/CMasterFxEditLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/controls/CCustomDragReceiver.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/layout/MasterFxEditLayout.h"
#include "editor/pages/mfx/CMasterFxKnobAssignTable.h"
#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using namespace NvMasterFxEditLayout;

constexpr uint32_t kFirstParameterRow = 3;
constexpr int32_t kLabelColumns = 22, kFieldColumns = 20;
constexpr int32_t kTypeSensitivity = 5, kControlSensitivity = 5;
constexpr uint32_t kKindList = 3, kKindSwitch = 4;


bool TextDiffers(CHfcControl& control, const char* text)
{
    char shown[128] = {};
    if (auto* custom = dynamic_cast<CCustomControl*>(&control))
        custom->GetText(shown, sizeof shown);
    return std::strcmp(shown, text) != 0;
}

void ShowOrHide(CHfcControl& control, bool show)
{
    if (show && !control.IsVisible())
        control.Show(true);
    else if (!show && control.IsVisible())
        control.Hide(true);
}
} // namespace

CMasterFxEditLayer::CMasterFxEditLayer()
{
    m_background = GetBitmap(kPage.background);
    m_logo = GetBitmap("LogoNv2Editor");
}

CMasterFxEditLayer::~CMasterFxEditLayer()
{
    // The controls leave the layer before it goes.
    for (auto& receiver : m_receivers)
        receiver.reset();
    for (auto& label : m_labels)
        label.reset();
    for (auto& field : m_fields)
        field.reset();
}

CZmParameterId CMasterFxEditLayer::GetRowParameter(uint32_t row)
{
    const uint32_t effect = row / kRowsPerEffect, r = row % kRowsPerEffect;
    return {kGroup, 24 * effect + 1 + r, 0};
}

CCustomEditText* CMasterFxEditLayer::GetField(uint32_t row) const
{
    return row < kFieldCount ? m_fields[row].get() : nullptr;
}

CCustomStaticText* CMasterFxEditLayer::GetLabel(uint32_t row) const
{
    return row < kFieldCount ? m_labels[row].get() : nullptr;
}

CCustomDragReceiver* CMasterFxEditLayer::GetReceiver(uint32_t effect) const
{
    return effect < 2 ? m_receivers[effect].get() : nullptr;
}

bool CMasterFxEditLayer::Create(CBaseWindow* window)
{
    if (!m_background || !window)
        return false;
    if (!CEditLayerBase::Create(0, 0, m_background->GetWidth(), m_background->GetHeight(), window))
        return false;
    return MakeControls();
}

bool CMasterFxEditLayer::MakeControls()
{
    for (uint32_t row = 0; row < kFieldCount; ++row)
    {
        const uint32_t effect = row / kRowsPerEffect, r = row % kRowsPerEffect;
        CCustomEditTextRecord field;
        field.font = m_fontWhite;
        field.dimFont = nullptr; // a disabled field is hidden
        field.background = m_background;
        field.columns = kFieldColumns;
        bool hasLabel = true;
        int32_t labelX = 0, labelY = 0;
        if (r == 0)
        {
            field.x = kTypeX;
            field.y = kTypeY[effect];
            field.columns = kLabelColumns;
            field.maximum = 17;
            field.sensitivity = kTypeSensitivity;
            hasLabel = false;
        }
        else if (IsControlRow(row))
        {
            labelX = kControlX[r - 1];
            labelY = kControlY[effect];
            field.x = labelX + kControlFieldOffset;
            field.y = labelY;
            field.maximum = 19;
            field.sensitivity = kControlSensitivity;
        }
        else
        {
            // Placed by the refresh.
            const int32_t p = static_cast<int32_t>(r - kFirstParameterRow);
            labelX = GridX(p, false);
            labelY = GridY(static_cast<int32_t>(effect), p);
            field.x = GridX(p, true);
            field.y = labelY;
        }
        m_fields[row] = std::make_unique<CCustomEditText>();
        if (!m_fields[row]->Create(&field, row, CCustomControl::kEventValue))
            return false;
        const uint32_t words[CCustomControl::kAddressWords] = {kGroup, GetRowParameter(row).index, 0, 0, 0};
        m_fields[row]->SetParameterAddress(words);
        SetEditorControl(row, m_fields[row].get());
        m_fields[row]->SetListener(this);
        AddControl(m_fields[row].get(), false);
        if (r == 0)
            m_fields[row]->Show(false);
        if (!hasLabel)
            continue;
        CCustomStaticTextRecord label;
        label.x = labelX;
        label.y = labelY;
        label.columns = kLabelColumns;
        label.font = m_fontWhite;
        label.background = m_background;
        m_labels[row] = std::make_unique<CCustomStaticText>();
        if (!m_labels[row]->Create(&label, kLabelIdBase + row, 0))
            return false;
        AddControl(m_labels[row].get(), false);
    }
    // Last, so that the fields inside them take their presses first.
    for (uint32_t effect = 0; effect < 2; ++effect)
    {
        const NvLayoutRect frame = kFrames[effect == 0 ? 0 : 3].rect;
        CHfcCtrlDragReceiverRecord record;
        record.x = frame.x;
        record.y = frame.y;
        record.width = frame.width;
        record.height = frame.height;
        record.words[0] = kBlockMfx;
        record.words[1] = static_cast<intptr_t>(effect);
        m_receivers[effect] = std::make_unique<CCustomDragReceiver>();
        if (!m_receivers[effect]->Create(&record, kReceiverIdBase + effect, kEventBlockSource))
            return false;
        // The base's block drag reads the kind from the extra and the effect from the tag.
        m_receivers[effect]->SetExtra(kBlockMfx);
        m_receivers[effect]->SetTag(static_cast<int32_t>(effect));
        SetEditorControl(kReceiverIdBase + effect, m_receivers[effect].get());
        m_receivers[effect]->SetListener(this);
        AddControl(m_receivers[effect].get(), false);
        m_receivers[effect]->Show(false);
    }
    DrawBackground();
    Refresh();
    for (size_t i = 0; i < GetControlCount(); ++i)
        GetControl(i)->Redraw(true);
    InvalidateAll(true);
    return true;
}

void CMasterFxEditLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || !m_background)
        return;
    surface->DrawBitmap(0, 0, m_background->GetWidth(), m_background->GetHeight(), m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(GetRect().GetWidth() - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(),
                            m_logo->GetHeight(), m_logo, 0, 0);
}

void CMasterFxEditLayer::Refresh()
{
    if (!GetEditedProgram() || !m_fields[0])
        return;
    for (uint32_t effect = 0; effect < 2; ++effect)
        RefreshEffect(effect);
    RedrawControls(false);
}

void CMasterFxEditLayer::LayOutGrid(uint32_t effect, int32_t type)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    for (int32_t p = 0; p < static_cast<int32_t>(kParameterCount); ++p)
    {
        const uint32_t row = effect * kRowsPerEffect + kFirstParameterRow + static_cast<uint32_t>(p);
        CCustomEditText& field = *m_fields[row];
        CCustomStaticText& label = *m_labels[row];
        const CZmParameterId id = GetRowParameter(row);
        if (!accessor->IsPresent(program, id))
        {
            ShowOrHide(field, false);
            ShowOrHide(label, false);
            continue;
        }
        const int16_t y = GridY(static_cast<int32_t>(effect), p);
        field.Move(GridX(p, true), y, true);
        label.Move(GridX(p, false), y, true);
        const int32_t minimum = accessor->GetMin(program, id), maximum = accessor->GetMax(program, id);
        field.SetSensitivity(CEditTextValueMap::FromRecordSensitivity(GetValueStep(maximum, minimum)));
        field.SetMinimum(minimum);
        field.SetMaximum(maximum);
        const bool enabled = accessor->IsParameterEnabled(program, id);
        ShowOrHide(field, enabled);
        ShowOrHide(label, enabled);
    }
    m_laidOutType[effect] = type;
    ++m_layoutCount[effect];
}

void CMasterFxEditLayer::RefreshEffect(uint32_t effect)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    if (!accessor || !program)
        return;
    const uint32_t typeRow = effect * kRowsPerEffect;
    const CZmParameterId typeId = GetRowParameter(typeRow);
    const int32_t type = accessor->GetValue(program, typeId);
    CCustomEditText& typeField = *m_fields[typeRow];
    if (typeField.GetValue() != type)
    {
        typeField.SetValue(type);
        typeField.Redraw(false);
    }
    char text[128] = {};
    accessor->GetCurrentValueText(program, typeId, text, sizeof text);
    if (TextDiffers(typeField, text))
        typeField.SetText(text, true);
    if (type != m_laidOutType[effect])
        LayOutGrid(effect, type);

    for (uint32_t p = 0; p < kParameterCount; ++p)
    {
        const uint32_t row = typeRow + kFirstParameterRow + p;
        CCustomEditText& field = *m_fields[row];
        CCustomStaticText& label = *m_labels[row];
        const CZmParameterId id = GetRowParameter(row);
        if (!accessor->IsPresent(program, id))
            continue;
        const bool enabled = accessor->IsParameterEnabled(program, id);
        ShowOrHide(field, enabled);
        ShowOrHide(label, enabled);
        if (!enabled)
            continue;
        const char* name = accessor->GetName(program, id);
        if (TextDiffers(label, name ? name : ""))
            label.SetText(name ? name : "", true);
        const int32_t value = accessor->GetValue(program, id);
        if (field.GetValue() != value && !field.HasKeyFocus())
        {
            field.SetValue(value);
            field.Redraw(false);
        }
        accessor->GetCurrentValueText(program, id, text, sizeof text);
        if (TextDiffers(field, text))
            field.SetText(text, true);
    }
    RefreshControlRows(effect, type);
}

void CMasterFxEditLayer::RefreshControlRows(uint32_t effect, int32_t type)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    const CMasterFxKnobAssignTable table(program, effect);
    for (uint32_t k = 1; k <= 2; ++k)
    {
        const uint32_t row = effect * kRowsPerEffect + k;
        CCustomEditText& field = *m_fields[row];
        CCustomStaticText& label = *m_labels[row];
        if (type == 0)
        {
            // Effect Off: no Control rows.
            ShowOrHide(field, false);
            ShowOrHide(label, false);
            field.CCustomControl::SetEnabled(false);
            continue;
        }
        field.CCustomControl::SetEnabled(true);
        char text[64];
        std::snprintf(text, sizeof text, "Control %u Assign", k);
        if (TextDiffers(label, text))
            label.SetText(text, true);
        ShowOrHide(label, true);
        ShowOrHide(field, true);
        // The last valid position is the field's maximum; an empty list has none.
        const int32_t n = table.GetCount();
        const int32_t last = n > 0 ? n - 1 : 0;
        field.SetSensitivity(CEditTextValueMap::FromRecordSensitivity(GetValueStep(last, 0)));
        field.SetMinimum(0);
        if (field.GetMaximum() != last)
            field.SetMaximum(last);
        const int32_t stored = accessor->GetValue(program, GetRowParameter(row));
        const int32_t position = table.FindPosition(stored);
        if (field.GetValue() != position)
        {
            field.SetValue(position);
            field.Redraw(false);
        }
        const char* name = nullptr;
        if (stored >= 0 && stored < static_cast<int32_t>(kParameterCount))
            name = accessor->GetName(program, GetRowParameter(effect * kRowsPerEffect + kFirstParameterRow +
                                                              static_cast<uint32_t>(stored)));
        if (TextDiffers(field, name ? name : ""))
            field.SetText(name ? name : "", true);
    }
}

void CMasterFxEditLayer::RefreshControl(CHfcControl* /*control*/)
{
    // A value may change others of its effect (the type its grid, a switch what is enabled).
    Refresh();
}

void CMasterFxEditLayer::WriteControl(CHfcControl* control, uint32_t row, int32_t parameter)
{
    if (parameter < 0)
        return;
    WriteValue(control, GetRowParameter(row), parameter);
}

void CMasterFxEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control)
        return;
    const uint32_t id = control->GetId();
    if (id >= kFieldCount)
        return; // the labels and drop areas have no value
    if (IsControlRow(id))
    {
        // The field runs over list positions; the program holds the parameter number.
        const CMasterFxKnobAssignTable table(GetEditedProgram(), id / kRowsPerEffect);
        WriteControl(control, id, table.GetParameter(m_fields[id]->PositionToValue(value)));
        return;
    }
    CEditLayerBase::OnValueChanged(control, value);
}

bool CMasterFxEditLayer::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CProgram* program = GetEditedProgram();
    if (!control || control->GetId() >= kFieldCount || !accessor || !program)
        return CEditLayerBase::OnControlLButtonDown(control, x, y, modifiers);
    // Recorded for a drag, as the base does.
    m_pressId = static_cast<int32_t>(control->GetId());
    m_pressed = true;
    m_pressPoint[0] = control->GetRect().left + x;
    m_pressPoint[1] = control->GetRect().top + y;

    const uint32_t row = control->GetId();
    const CZmParameterId id = GetRowParameter(row);
    std::vector<std::string> items;
    int32_t current = -1;
    if (IsControlRow(row))
    {
        const CMasterFxKnobAssignTable table(program, row / kRowsPerEffect);
        if (table.GetType() == 0)
            return false;
        const uint32_t firstParameterRow = (row / kRowsPerEffect) * kRowsPerEffect + kFirstParameterRow;
        for (int32_t i = 0; i < table.GetCount(); ++i)
        {
            const char* name = accessor->GetName(
                program, GetRowParameter(firstParameterRow + static_cast<uint32_t>(table.GetParameter(i))));
            items.emplace_back(name ? name : "");
        }
        current = table.FindPosition(accessor->GetValue(program, id));
    }
    else
    {
        const uint32_t kind = accessor->GetKind(program, id);
        if (kind != kKindList && kind != kKindSwitch)
            return false;
        for (int32_t v = 0; v <= accessor->GetMax(program, id); ++v)
        {
            char text[128] = {};
            accessor->GetValueText(program, id, v, text, sizeof text);
            items.emplace_back(text);
        }
        current = accessor->GetValue(program, id);
    }
    m_pressed = false;
    m_pressId = -1;
    const POINT at = {GetRect().left + control->GetRect().left + x,
                      GetRect().top + control->GetRect().top + y};
    const int32_t chosen =
        EditorPopups().ChooseItem(GetWindow() ? GetWindow()->GetHwnd() : nullptr, at.x, at.y, items, current);
    if (chosen >= 0 && chosen != current && chosen < static_cast<int32_t>(items.size()))
    {
        if (IsControlRow(row))
            WriteControl(control, row,
                         CMasterFxKnobAssignTable(program, row / kRowsPerEffect).GetParameter(chosen));
        else
            WriteValue(control, id, chosen);
    }
    if (CHfcKey* key = CHfcKey::GetKey(); key && GetWindow())
        key->SetFocus(this, GetWindow()->GetHwnd());
    return true;
}

uint32_t CMasterFxEditLayer::GetBlockDropEffect(CHfcControl* control, const CBlockData& block, int32_t mode) const
{
    const uint32_t id = control ? control->GetId() : 0;
    if (id < kReceiverIdBase || id >= kReceiverIdBase + 2 || block.GetBlockKind() != kBlockMfx ||
        block.GetBlockIndex() > 1 || block.GetPayloadSize() != CBlockData::GetKindPayloadSize(kBlockMfx))
        return kHfcDropEffectNone;
    return mode == kDropMove ? kHfcDropEffectMove : kHfcDropEffectCopy;
}

bool CMasterFxEditLayer::OnDropBlock(CHfcControl* control, CHfcDragData*, const CBlockData& block,
                                     int32_t mode)
{
    CProgram* program = GetEditedProgram();
    if (!control || !program || block.GetBlockKind() != kBlockMfx)
        return false;
    const uint32_t id = control->GetId();
    if (id < kReceiverIdBase || id >= kReceiverIdBase + 2)
        return false;
    const uint32_t target = id - kReceiverIdBase, source = block.GetBlockIndex();
    // Both effects change in one step, so that the instrument gets one dump.
    CProgram edited(*program);
    if (mode == kDropMove)
    {
        // Dragged from this page: the two effects change places.
        if (source > 1)
            return false;
        if (source != target)
        {
            CBlockData targetEffect;
            if (!targetEffect.WriteMfx(*program, target) || !block.ReadMfx(edited, target) ||
                !targetEffect.ReadMfx(edited, source))
                return false;
        }
    }
    else if (!block.ReadMfx(edited, target))
        return false;
    CBlockData both;
    bool changed = false;
    return both.WriteMfxSet(edited) && PasteBlock(both, changed);
}

bool CMasterFxEditLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                               intptr_t p3, intptr_t p4, void*)
{
    const CEditorWindowData& data = GetData();
    const auto changed = Notify::Read<Notify::ParameterChanged>(code, p1, p2, p3, p4);
    const auto edited = Notify::Read<Notify::DocumentEdited>(code, p1, p2, p3, p4);
    if (!(changed && changed->IsFor(data.documentId, data.programIndex)) &&
        !(edited && edited->document == data.documentId && edited->program == data.programIndex))
        return false;
    Refresh();
    if (CHfcWindow* window = GetWindow())
        window->FlushDirty();
    return false;
}
