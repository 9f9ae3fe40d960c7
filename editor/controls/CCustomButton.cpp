#include "editor/controls/CCustomButton.h"

bool CCustomButton::Create(const CCustomButtonRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record)
        return false;
    m_custom = *record;
    CHfcCtrlButtonRecord button;
    button.head = {record->x,
                   record->y,
                   0,
                   0,
                   record->strip,
                   record->background,
                   BackgroundSourceX(record->x),
                   BackgroundSourceY(record->y)};
    m_head = button.head;
    return CHfcCtrlButton::Create(&button, id, eventKind);
}

void CCustomButton::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    CHfcCtrlRecordHead head = m_head;
    if (!m_customEnabled && m_custom.dim)
        head.bitmap = m_custom.dim;
    head.EraseArea(context, m_rect);
    head.DrawFrame(context, m_rect, 2 * m_value + (IsPressed() ? 1 : 0));
}

void CCustomButton::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_head.background, m_head.backgroundX, m_head.backgroundY);
}

bool CCustomButton::OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return !m_customEnabled || CHfcCtrlButton::OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CCustomButton::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return !m_customEnabled || CHfcCtrlButton::OnHfcMouseLeftDoubleClick(mouse, x, y, modifiers);
}

void CCustomButton::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlButton::SetValue(value, true);
}

void CCustomButton::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (!m_custom.dim)
    {
        if (enabled)
            Show(true);
        else
            Hide(true);
    }
    SetDirty(true);
}
