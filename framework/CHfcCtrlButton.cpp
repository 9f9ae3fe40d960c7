#include "framework/CHfcCtrlButton.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

CHfcCtrlButton::~CHfcCtrlButton()
{
    if (IsCreated())
        CHfcCtrlButton::Destroy();
}

bool CHfcCtrlButton::Create(const CHfcCtrlButtonRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || !record->head.bitmap)
        return false;
    m_record = *record;
    if (m_record.stateCount < 1)
        m_record.stateCount = 1;
    const CHfcCtrlRecordHead& h = m_record.head;
    SetRect(h.x, h.y, h.width ? h.width : h.bitmap->GetWidth(),
            h.height ? h.height : h.bitmap->GetHeight() / (2 * m_record.stateCount));
    m_minimum = 0;
    m_maximum = m_record.stateCount - 1;
    SetValue(m_value, false);
    m_id = id;
    m_userValue = userValue;
    m_pressed = false;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlButton::Destroy()
{
    m_record = CHfcCtrlButtonRecord();
    m_pressed = false;
    return CHfcControl::Destroy();
}

void CHfcCtrlButton::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    m_record.head.EraseArea(context, m_rect);
    const int32_t frame = 2 * m_value + (m_pressed ? 1 : 0);
    if (!m_enabled)
    {
        m_record.head.DrawFrame(context, m_rect, frame, m_disabledAlpha);
        return;
    }
    m_record.head.DrawFrame(context, m_rect, frame);
    if (HasKeyFocus())
        DrawFocusFrame(context);
}

void CHfcCtrlButton::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlButton::SetValue(int32_t value, bool redraw)
{
    value = ClampToRange(value, 0, m_record.stateCount - 1);
    const bool changed = value != m_value;
    m_value = value;
    if (redraw && changed)
        SetDirty(true);
}

void CHfcCtrlButton::SetPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    SetDirty(true);
}

bool CHfcCtrlButton::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    SetPressed(true);
    CaptureMouse();
    ApplyCursor();
    return true;
}

bool CHfcCtrlButton::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CHfcCtrlButton::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!HasCapture())
        return false;
    SetPressed(0 <= x && x < m_rect.GetWidth() && 0 <= y && y < m_rect.GetHeight());
    return true;
}

bool CHfcCtrlButton::OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    const bool report = m_pressed && HasCapture();
    ReleaseMouse();
    if (report && m_listener)
        m_listener->OnValueChanged(this, m_value);
    return true;
}

bool CHfcCtrlButton::OnHfcMouseCaptureLost(CHfcMouse*)
{
    SetPressed(false);
    return true;
}
