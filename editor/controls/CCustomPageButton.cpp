#include "editor/controls/CCustomPageButton.h"

#include "framework/CHfcControlListener.h"
#include "framework/CHfcWindowLayer.h"

CCustomPageButton::CCustomPageButton()
    : m_cursor(
          []
          {
              POINT point = {0, 0};
              GetCursorPos(&point);
              return point;
          })
{
}

bool CCustomPageButton::Create(const CHfcCtrlPageButtonRecord* record, uint32_t id, uint32_t /*eventKind*/)
{
    m_dragHover = false;
    StopHover();
    return CHfcCtrlPageButton::Create(record, id, kEventValue);
}

void CCustomPageButton::StopHover()
{
    m_hoverPage = -1;
    m_hoverStart = 0;
    m_hoverArmed = false;
}

void CCustomPageButton::Update(uint32_t elapsedMs)
{
    m_clock += elapsedMs;
    if (!m_dragHover || !AcceptsDrags() || !m_layer)
    {
        StopHover();
        return;
    }
    POINT point = m_cursor ? m_cursor() : POINT{0, 0};
    const int32_t page = m_layer->ScreenToLayer(point) ? PageAtPoint(point.x, point.y) : -1;
    if (page < 0)
    {
        // Between tabs the hover starts again: only a drag held on one tab switches.
        m_hoverPage = -1;
        m_hoverStart = m_clock;
        m_hoverArmed = false;
    }
    else if (page != m_hoverPage)
    {
        m_hoverPage = page;
        m_hoverStart = m_clock;
        m_hoverArmed = true;
    }
    else if (m_hoverArmed && m_clock - m_hoverStart > kHoverSwitchMs)
    {
        m_hoverArmed = false;
        if (m_listener)
            m_listener->OnValueChanged(this, page);
    }
}

// The drag events answer whether the tabs take part in the drag; the owner hears them all.
bool CCustomPageButton::OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                       uint32_t modifiers, uint32_t* effect)
{
    m_dragHover = true;
    const bool accept = AcceptsDrags();
    if (m_listener)
        m_listener->OnControlDragEnter(this, data, keyState, x, y, modifiers, effect);
    return accept;
}

bool CCustomPageButton::OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                      uint32_t modifiers, uint32_t* effect)
{
    const bool accept = AcceptsDrags();
    if (m_listener)
        m_listener->OnControlDragOver(this, data, keyState, x, y, modifiers, effect);
    return accept;
}

bool CCustomPageButton::OnHfcDragLeave(CHfcDragData* data)
{
    m_dragHover = false;
    StopHover();
    const bool accept = AcceptsDrags();
    if (m_listener)
        m_listener->OnControlDragLeave(this, data);
    return accept;
}

bool CCustomPageButton::OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                  uint32_t modifiers, uint32_t* effect)
{
    m_dragHover = false;
    StopHover();
    const bool accept = AcceptsDrags();
    if (m_listener)
        m_listener->OnControlDrop(this, data, keyState, x, y, modifiers, effect);
    return accept;
}

void CCustomPageButton::SetValue(int32_t value)
{
    if (value != m_value)
        CHfcCtrlPageButton::SetValue(value, true);
}

void CCustomPageButton::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    // The tabs have no dim look: a disabled row is hidden.
    if (enabled)
        Show(true);
    else
        Hide(true);
    SetDirty(true);
}
