#include "editor/controls/CCustomBitmapList.h"

#include "framework/CHfcControlListener.h"

#include "framework/ctrlmath/HfcControlMath.h"

bool CCustomBitmapList::Create(const CCustomBitmapListRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record || !record->strip || record->frameCount < 1)
        return false;
    m_custom = *record;
    CHfcCtrlBitmapListRecord list;
    list.head = {record->x,
                 record->y,
                 0,
                 0,
                 record->strip,
                 record->background,
                 BackgroundSourceX(record->x),
                 BackgroundSourceY(record->y)};
    list.frameCount = record->frameCount;
    m_head = list.head;
    return CHfcCtrlBitmapList::Create(&list, id, eventKind);
}

void CCustomBitmapList::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    CHfcCtrlRecordHead head = m_head;
    float opacity = 1.0f;
    if (!m_customEnabled)
    {
        if (m_custom.dim)
            head.bitmap = m_custom.dim;
        else
            opacity = 0.5f;
    }
    head.EraseArea(context, m_rect);
    head.DrawFrame(context, m_rect, ClampToRange(m_value, 0, m_custom.frameCount - 1), opacity);
}

void CCustomBitmapList::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_head.background, m_head.backgroundX, m_head.backgroundY);
}

void CCustomBitmapList::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlBitmapList::SetValue(value, true);
}

void CCustomBitmapList::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    SetDirty(true);
}

bool CCustomBitmapList::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_customEnabled && m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers);
}

bool CCustomBitmapList::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers);
}

bool CCustomBitmapList::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
}
