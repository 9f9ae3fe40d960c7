#include "framework/CHfcCtrlVerticalFader.h"

#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

CHfcCtrlVerticalFader::~CHfcCtrlVerticalFader()
{
    if (IsCreated())
        CHfcCtrlVerticalFader::Destroy();
}

bool CHfcCtrlVerticalFader::Create(const CHfcCtrlVerticalFaderRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || !record->head.bitmap)
        return false;
    m_record = *record;
    if (m_record.thumbWidth == 0)
        m_record.thumbWidth = m_record.head.bitmap->GetWidth();
    if (m_record.thumbHeight == 0)
        m_record.thumbHeight = m_record.head.bitmap->GetHeight();
    SetRect(m_record.head.x, m_record.head.y, m_record.head.width, m_record.head.height);
    SetMinimum(m_record.minimum, false);
    SetMaximum(m_record.maximum, false);
    SetValue(m_record.value, false);
    m_id = id;
    m_userValue = userValue;
    m_dragging = false;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlVerticalFader::Destroy()
{
    m_record = CHfcCtrlVerticalFaderRecord();
    m_dragging = false;
    return CHfcControl::Destroy();
}

int32_t CHfcCtrlVerticalFader::GetThumbOffset() const
{
    return FaderThumbOffset({m_record.trackTop, m_record.trackLength, m_record.thumbHeight}, m_value,
                            m_minimum, m_maximum);
}

void CHfcCtrlVerticalFader::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    m_record.head.EraseArea(context, m_rect);
    context->DrawBitmap(m_rect.left + m_record.thumbX, m_rect.top + m_record.trackTop + GetThumbOffset(),
                        m_record.thumbWidth, m_record.thumbHeight, m_record.head.bitmap, 0, 0);
}

void CHfcCtrlVerticalFader::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlVerticalFader::SetValue(int32_t value, bool redraw)
{
    value = ClampToRange(value, m_minimum, m_maximum);
    const bool changed = value != m_value;
    m_value = value;
    if (redraw && changed)
        SetDirty(true);
}

void CHfcCtrlVerticalFader::SetMinimum(int32_t value, bool redraw)
{
    m_minimum = value;
    SetValue(m_value, redraw);
}

void CHfcCtrlVerticalFader::SetMaximum(int32_t value, bool redraw)
{
    m_maximum = value;
    SetValue(m_value, redraw);
}

void CHfcCtrlVerticalFader::Report()
{
    if (m_listener)
        m_listener->OnValueChanged(this, ClampToRange(m_running, m_minimum, m_maximum));
}

bool CHfcCtrlVerticalFader::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    ReleaseKeyFocusWindow();
    CaptureMouse();
    // Only a press in the thumb's column starts a drag.
    if (x < m_record.thumbX || x >= m_record.thumbX + m_record.thumbWidth)
        return true;
    if (m_listener)
        m_listener->OnBeginEdit(this);
    const int32_t thumbTop = m_record.trackTop + GetThumbOffset();
    m_running = m_value;
    if (y < thumbTop || y >= thumbTop + m_record.thumbHeight)
        FaderJumpValue({m_record.trackTop, m_record.trackLength, m_record.thumbHeight}, y, m_minimum,
                       m_maximum, m_running);
    Report();
    m_dragging = true;
    m_lastY = y;
    return true;
}

bool CHfcCtrlVerticalFader::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y,
                                                      uint32_t modifiers)
{
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CHfcCtrlVerticalFader::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers))
        return true;
    if (!m_dragging)
        return false;
    m_running += (m_lastY - y) * ((modifiers & kModifierShift) ? m_record.fineStep : m_record.step);
    Report();
    m_lastY = y;
    return true;
}

bool CHfcCtrlVerticalFader::OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    // The end of the drag is the loss of the capture.
    ReleaseMouse();
    return true;
}

bool CHfcCtrlVerticalFader::OnHfcMouseCaptureLost(CHfcMouse*)
{
    // Every press took the capture, beside the thumb's column too: each ends the edit, also
    // when another listener takes the capture.
    m_dragging = false;
    if (m_listener)
        m_listener->OnEndEdit(this);
    return true;
}
