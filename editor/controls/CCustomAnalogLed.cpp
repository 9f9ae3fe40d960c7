#include "editor/controls/CCustomAnalogLed.h"

bool CCustomAnalogLed::Create(const CHfcCtrlLedRecord* record, uint32_t id, uint32_t /*eventKind*/)
{
    if (!record)
        return false;
    m_custom = *record;
    return CHfcCtrlLed::Create(record, id, kEventValue);
}

void CCustomAnalogLed::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.head.background, m_custom.head.backgroundX,
                           m_custom.head.backgroundY);
}

void CCustomAnalogLed::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlLed::SetValue(value, true);
}

bool CCustomAnalogLed::OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return !m_customEnabled || CHfcCtrlLed::OnHfcMouseLeftDown(mouse, x, y, modifiers);
}
