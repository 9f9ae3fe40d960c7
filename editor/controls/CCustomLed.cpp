#include "editor/controls/CCustomLed.h"

bool CCustomLed::Create(const CCustomLedRecord* record, uint32_t id, uint32_t /*eventKind*/)
{
    if (!record)
        return false;
    m_custom = *record;
    CHfcCtrlOldSwitchRecord sw;
    sw.head = {record->x,     record->y,          record->width, record->height,
               record->strip, record->background, record->x,     record->y};
    sw.stateCount = 2;
    return CHfcCtrlOldSwitch::Create(&sw, id, kEventNumber);
}

void CCustomLed::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.background, m_custom.x, m_custom.y);
}

void CCustomLed::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlOldSwitch::SetValue(value, true);
}

void CCustomLed::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (m_custom.dim)
        SetStrip(enabled ? m_custom.strip : m_custom.dim, true);
    else if (enabled)
        Show(true);
    else
        Hide(true);
    SetDirty(true);
}
