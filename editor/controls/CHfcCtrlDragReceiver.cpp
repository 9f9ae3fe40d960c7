#include "editor/controls/CHfcCtrlDragReceiver.h"

#include "framework/CHfcControlListener.h"

bool CHfcCtrlDragReceiver::Create(const CHfcCtrlDragReceiverRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || record->width < 1 || record->height < 1)
        return false;
    m_record = *record;
    SetRect(record->x, record->y, record->width, record->height);
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlDragReceiver::Destroy()
{
    m_record = CHfcCtrlDragReceiverRecord();
    return CHfcControl::Destroy();
}

intptr_t CHfcCtrlDragReceiver::GetParam(int32_t index) const
{
    return index >= 4 && index <= 6 ? m_record.words[index - 4] : 0;
}

bool CHfcCtrlDragReceiver::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers);
}

bool CHfcCtrlDragReceiver::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers);
}

bool CHfcCtrlDragReceiver::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
}

// Every drag is taken: the owner decides the drop effect.
bool CHfcCtrlDragReceiver::OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                          uint32_t modifiers, uint32_t* effect)
{
    if (m_listener)
        m_listener->OnControlDragEnter(this, data, keyState, x, y, modifiers, effect);
    return true;
}

bool CHfcCtrlDragReceiver::OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                         uint32_t modifiers, uint32_t* effect)
{
    if (m_listener)
        m_listener->OnControlDragOver(this, data, keyState, x, y, modifiers, effect);
    return true;
}

bool CHfcCtrlDragReceiver::OnHfcDragLeave(CHfcDragData* data)
{
    if (m_listener)
        m_listener->OnControlDragLeave(this, data);
    return true;
}

bool CHfcCtrlDragReceiver::OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                     uint32_t modifiers, uint32_t* effect)
{
    if (m_listener)
        m_listener->OnControlDrop(this, data, keyState, x, y, modifiers, effect);
    return true;
}
