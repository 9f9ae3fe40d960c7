#include "editor/controls/CCustomSwitch.h"

bool CCustomSwitch::Create(const CCustomSwitchRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record)
        return false;
    m_custom = *record;
    CHfcCtrlOldSwitchRecord sw;
    sw.head = {record->x, record->y, 0, 0, record->strip, record->background, record->x, record->y};
    sw.stateCount = 2;
    return CHfcCtrlOldSwitch::Create(&sw, id, eventKind);
}

void CCustomSwitch::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.background, m_custom.x, m_custom.y);
}

void CCustomSwitch::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlOldSwitch::SetValue(value, true);
}

void CCustomSwitch::SetEnabled(bool enabled)
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
