#include "editor/library/CGlobalEditGlobalPageLayer.h"

#include "editor/base/CEditorServices.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/layout/GlobalEditLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "synthdata/CZmParameterTable.h"

#include <cstring>

using namespace NvGlobalEditLayout;

namespace
{
const NvGlobalCell* CellOf(uint32_t row)
{
    return row < kCellCount ? &kCells[row] : nullptr;
}
} // namespace

CGlobalEditGlobalPageLayer::CGlobalEditGlobalPageLayer(CLibraryEntry* entry, CGlobalEditHost& host)
    : CGlobalBaseLayer(entry, host)
{
    m_keyboard = GetBitmap("ScaleKeyboard");
    m_fieldFont = GetBitmap("LcdCharStrong");
    m_fieldFontDim = GetBitmap("LcdCharStrongDim");
}

CGlobalEditGlobalPageLayer::~CGlobalEditGlobalPageLayer() = default;

bool CGlobalEditGlobalPageLayer::CreateControls()
{
    m_fields.resize(kCellCount);
    m_labels.resize(kCellCount);
    for (uint32_t row = 0; row < kCellCount; ++row)
    {
        const NvGlobalCell& cell = kCells[row];
        if (cell.kind == NvGlobalCellKind::Heading)
            continue;
        const uint32_t group = static_cast<uint32_t>(cell.group), index = static_cast<uint32_t>(cell.index);
        if (cell.kind == NvGlobalCellKind::Parameter)
        {
            const NvLayoutRect r = LabelRect(cell);
            auto label = std::make_unique<CCustomStaticText>();
            CCustomStaticTextRecord record;
            record.x = r.x - kPanelX;
            record.y = r.y - kPanelY;
            record.columns = kLabelChars;
            record.font = m_fontWhite;
            record.dimFont = m_fontWhiteDim;
            record.background = m_background;
            label->SetBackgroundOrigin(false, r.x, r.y);
            if (!label->Create(&record, kLabelIdBase + row, 0))
                return false;
            label->SetText(GetName(group, index), false);
            AddControl(label.get(), false);
            label->Show(false);
            m_labels[row] = std::move(label);
        }
        const NvLayoutRect r = FieldRect(cell);
        const bool key = cell.kind == NvGlobalCellKind::ScaleKey;
        const int32_t minimum = GetMinimum(group, index), maximum = GetMaximum(group, index);
        auto field = std::make_unique<CCustomEditText>();
        CCustomEditTextRecord record;
        record.x = r.x - kPanelX;
        record.y = r.y - kPanelY;
        record.columns = key ? kKeyChars : kFieldChars;
        // A white key's field is dark on the light key.
        const bool whiteKey = key && std::strchr(cell.text, '#') == nullptr;
        record.font = whiteKey && m_fontWhiteSelected ? m_fontWhiteSelected : m_fieldFont;
        record.dimFont = m_fieldFontDim;
        record.minimum = minimum;
        record.maximum = maximum;
        record.sensitivity = Sensitivity(minimum, maximum);
        // A scale key's field lies on the keyboard picture and takes it as its background.
        if (key && m_keyboard)
        {
            record.background = m_keyboard;
            field->SetBackgroundOrigin(false, cell.column, cell.line);
        }
        else
        {
            record.background = m_background;
            field->SetBackgroundOrigin(false, r.x, r.y);
        }
        if (!field->Create(&record, row, CCustomControl::kEventValue))
            return false;
        const uint32_t address[CCustomControl::kAddressWords] = {group, index, 0, 0, 0};
        field->SetParameterAddress(address);
        field->SetListener(this);
        AddControl(field.get(), false);
        field->Show(false);
        m_fields[row] = std::move(field);
    }
    Refresh();
    return true;
}

void CGlobalEditGlobalPageLayer::DestroyControls()
{
    for (auto& field : m_fields)
        if (field)
            field->Destroy();
    for (auto& label : m_labels)
        if (label)
            label->Destroy();
    m_fields.clear();
    m_labels.clear();
}

CCustomEditText* CGlobalEditGlobalPageLayer::GetField(uint32_t row) const
{
    return row < m_fields.size() ? m_fields[row].get() : nullptr;
}

CCustomStaticText* CGlobalEditGlobalPageLayer::GetLabel(uint32_t row) const
{
    return row < m_labels.size() ? m_labels[row].get() : nullptr;
}

std::string CGlobalEditGlobalPageLayer::GetFieldText(uint32_t row) const
{
    CCustomEditText* field = GetField(row);
    return field ? field->GetShownText() : std::string();
}

void CGlobalEditGlobalPageLayer::RefreshField(uint32_t row)
{
    CCustomEditText* field = GetField(row);
    const NvGlobalCell* cell = CellOf(row);
    if (!field || !cell)
        return;
    const uint32_t group = static_cast<uint32_t>(cell->group), index = static_cast<uint32_t>(cell->index);
    const int32_t value = GetValue(group, index);
    const int32_t minimum = GetMinimum(group, index), maximum = GetMaximum(group, index);
    if (minimum != field->GetMinimum() || maximum != field->GetMaximum())
    {
        field->SetSensitivity(Sensitivity(minimum, maximum));
        field->SetMinimum(minimum);
        field->SetMaximum(maximum);
    }
    const bool editable = IsEditable(group, index);
    if (editable != field->CCustomControl::IsEnabled())
    {
        field->SetEnabled(editable);
        if (CCustomStaticText* label = GetLabel(row))
            label->SetEnabled(editable);
    }
    if (value != field->GetValue())
        field->SetValue(value);
    char text[kTextSize] = {};
    GetCurrentValueText(group, index, text);
    if (field->GetShownText() != text)
        field->SetText(text, false);
    field->Redraw(false);
}

void CGlobalEditGlobalPageLayer::Refresh()
{
    for (uint32_t row = 0; row < m_fields.size(); ++row)
        RefreshField(row);
    RedrawAll();
}

void CGlobalEditGlobalPageLayer::OnValueChanged(CHfcControl* control, int32_t position)
{
    if (!control)
        return;
    const uint32_t row = control->GetId();
    CCustomEditText* field = GetField(row);
    if (!field || static_cast<CHfcControl*>(field) != control || !field->CCustomControl::IsEnabled())
        return;
    // The control reports a position of its map; the data takes the value.
    const NvGlobalCell& cell = kCells[row];
    SetValue(static_cast<uint32_t>(cell.group), static_cast<uint32_t>(cell.index),
             field->PositionToValue(position));
    RefreshField(row);
    RedrawControls(false);
    ReportChange();
}

bool CGlobalEditGlobalPageLayer::OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t)
{
    if (!control)
        return false;
    const uint32_t row = control->GetId();
    CCustomEditText* field = GetField(row);
    if (!field || static_cast<CHfcControl*>(field) != control || !field->CCustomControl::IsEnabled())
        return false;
    const NvGlobalCell& cell = kCells[row];
    const uint32_t group = static_cast<uint32_t>(cell.group), index = static_cast<uint32_t>(cell.index);
    const uint32_t kind = GetKind(group, index);
    if (kind != kZmKindList && kind != kZmKindSwitch)
        return false;
    const int32_t minimum = GetMinimum(group, index), maximum = GetMaximum(group, index);
    std::vector<std::string> items;
    for (int32_t v = minimum; v <= maximum; ++v)
    {
        char text[kTextSize] = {};
        GetValueText(group, index, v, text);
        items.emplace_back(text);
    }
    const int32_t current = GetValue(group, index);
    HWND window = GetWindow() ? GetWindow()->GetHwnd() : nullptr;
    const int32_t chosen =
        EditorPopups().ChooseItem(window, GetRect().left + control->GetRect().left + x,
                                  GetRect().top + control->GetRect().top + y, items, current - minimum);
    if (chosen >= 0 && minimum + chosen != current)
    {
        SetValue(group, index, minimum + chosen);
        RefreshField(row);
        RedrawControls(false);
        ReportChange();
    }
    if (CHfcKey* key = CHfcKey::GetKey(); key && GetWindow())
        key->SetFocus(this, GetWindow()->GetHwnd());
    return true;
}
