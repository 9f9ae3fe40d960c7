#include "editor/controls/CCustomEditText.h"

#include "framework/CHfcControlListener.h"

#include <algorithm>
#include <cstring>

bool CCustomEditText::Create(const CCustomEditTextRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record)
        return false;
    m_custom = *record;
    m_map = CEditTextValueMap::FromRecord(record->sensitivity);
    CHfcCtrlOldCharEditTextRecord text;
    text.head = {record->x,
                 record->y,
                 0,
                 0,
                 record->font,
                 record->background,
                 BackgroundSourceX(record->x),
                 BackgroundSourceY(record->y)};
    text.lines = 1;
    text.columns = record->columns;
    text.minimum = m_map.ValueToPosition(record->minimum);
    text.maximum = m_map.ValueToPosition(record->maximum);
    text.step = CEditTextValueMap::kUnit;
    text.reserved = record->reserved;
    return CHfcCtrlOldCharEditText::Create(&text, id, eventKind);
}

void CCustomEditText::EraseBackground(CHfcDrawContext* context)
{
    CHfcCtrlOldCharEditText::EraseBackground(context);
}

bool CCustomEditText::OnHfcMouseWheel(CHfcMouse*, int32_t, int32_t, int32_t, int32_t delta, uint32_t)
{
    if (!m_customEnabled || delta == 0 || IsEditing())
        return true;
    const int32_t low = std::min(m_minimum, m_maximum), high = std::max(m_minimum, m_maximum);
    const int32_t position = m_map.WheelPosition(m_value, delta, low, high);
    if (position != m_value && m_listener)
        m_listener->OnValueChanged(this, position);
    return true;
}

void CCustomEditText::SetValue(int32_t value)
{
    if (GetValue() == value)
        return;
    m_value = m_map.ValueToPosition(value);
    SetDirty(true);
}

int32_t CCustomEditText::GetValue()
{
    return m_map.PositionToValue(m_value);
}

void CCustomEditText::SetMinimum(int32_t value)
{
    m_minimum = m_map.ValueToPosition(value);
    SetDirty(true);
}

void CCustomEditText::SetMaximum(int32_t value)
{
    m_maximum = m_map.ValueToPosition(value);
    SetDirty(true);
}

void CCustomEditText::SetSensitivity(int32_t sensitivity)
{
    const int32_t value = GetValue(), minimum = GetMinimum(), maximum = GetMaximum();
    m_map.SetSensitivity(sensitivity);
    SetMinimum(minimum);
    SetMaximum(maximum);
    m_value = m_map.ValueToPosition(value);
    SetDirty(true);
}

void CCustomEditText::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (m_custom.dimFont)
        SetFont(enabled ? m_custom.font : m_custom.dimFont, true);
    else if (enabled)
        Show(true);
    else
        Hide(true);
    SetDirty(true);
}

void CCustomEditText::GetText(char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    std::memset(buffer, 0, size);
    const std::string& text = GetShownText();
    std::memcpy(buffer, text.data(), std::min(text.size(), size - 1));
}
