#include "editor/controls/CHfcCtrlOldSwitch.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcMouse.h"
#include "framework/ctrlmath/HfcControlMath.h"

CHfcCtrlOldSwitch::~CHfcCtrlOldSwitch()
{
    if (IsCreated())
        CHfcCtrlOldSwitch::Destroy();
}

bool CHfcCtrlOldSwitch::Create(const CHfcCtrlOldSwitchRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || !record->head.bitmap || record->stateCount < 1)
        return false;
    m_record = *record;
    m_strip = m_record.head.bitmap;
    const CHfcCtrlRecordHead& h = m_record.head;
    SetRect(h.x, h.y, h.width ? h.width : h.bitmap->GetWidth(),
            h.height ? h.height : h.bitmap->GetHeight() / m_record.stateCount / 2);
    m_minimum = 0;
    m_maximum = m_record.stateCount - 1;
    m_value = 0;
    m_pressed = 0;
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlOldSwitch::Destroy()
{
    m_record = CHfcCtrlOldSwitchRecord();
    m_strip = nullptr;
    return CHfcControl::Destroy();
}

void CHfcCtrlOldSwitch::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    CHfcCtrlRecordHead head = m_record.head;
    head.bitmap = m_strip;
    head.EraseArea(context, m_rect);
    head.DrawFrame(context, m_rect, 2 * m_value + (m_pressed ? 1 : 0));
}

void CHfcCtrlOldSwitch::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlOldSwitch::SetValue(int32_t value, bool redraw)
{
    m_pressed = value < 0 ? kPressedBit : 0;
    if (value < 0)
        value = static_cast<int32_t>(static_cast<uint32_t>(value) & ~kPressedBit);
    m_value = ClampToRange(value, m_minimum, m_maximum);
    if (redraw)
        SetDirty(true);
}

void CHfcCtrlOldSwitch::SetStrip(CHfcBmp* strip, bool redraw)
{
    m_strip = strip ? strip : m_record.head.bitmap;
    if (redraw)
        SetDirty(true);
}

bool CHfcCtrlOldSwitch::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!TakesPresses())
        return true;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    ReleaseKeyFocusWindow();
    CaptureMouse();
    ApplyCursor();
    m_pressed = kPressedBit;
    SetDirty(true);
    if (m_listener)
    {
        m_listener->OnBeginEdit(this);
        m_listener->OnValueChanged(this, static_cast<int32_t>(static_cast<uint32_t>(m_value) | kPressedBit));
    }
    return true;
}

bool CHfcCtrlOldSwitch::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CHfcCtrlOldSwitch::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers))
        return true;
    ReleaseMouse();
    return true;
}

bool CHfcCtrlOldSwitch::OnHfcMouseRightDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlRButtonDown(this, x, y, modifiers);
}

bool CHfcCtrlOldSwitch::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
}

bool CHfcCtrlOldSwitch::OnHfcMouseCaptureLost(CHfcMouse*)
{
    m_pressed = 0;
    SetDirty(true);
    if (m_listener)
    {
        CHfcControlListener* listener = m_listener;
        listener->OnValueChanged(this, m_value);
        listener->OnEndEdit(this);
    }
    return true;
}
