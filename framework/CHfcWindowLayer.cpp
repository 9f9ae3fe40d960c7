#include "framework/CHfcWindowLayer.h"

#include "foundation/EfUtility.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"

#include <algorithm>

namespace
{
bool Contains(const CHfcRect& r, int32_t x, int32_t y)
{
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

// Drags are offered to disabled controls too.
bool IsUnderDrag(const CHfcControl* control, int32_t x, int32_t y)
{
    return control->IsVisible() && Contains(control->GetRect(), x, y);
}
} // namespace

CHfcWindowLayer::CHfcWindowLayer() = default;

CHfcWindowLayer::~CHfcWindowLayer()
{
    if (m_created)
        Destroy();
}

bool CHfcWindowLayer::Create(int32_t x, int32_t y, int32_t width, int32_t height, CHfcWindow* window)
{
    if (m_created)
        return false;
    auto surface = std::make_unique<CHfcOffscreenContext>(width, height);
    if (!surface->IsReady())
        return false;
    m_surface = std::move(surface);
    m_rect.Set(x, y, x + width, y + height);
    m_window = window;
    m_created = true;
    if (window)
        window->AddLayer(this, false);
    return OnCreate();
}

bool CHfcWindowLayer::Destroy()
{
    if (!m_created)
        return false;
    if (m_window && m_window->HasKeyFocus(this))
        m_window->ReleaseKeyFocus(this);
    CHfcKey* key = CHfcKey::GetKey();
    if (key && key->GetFocusListener() == this)
        key->ClearFocus();
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (mouse && mouse->GetCaptureOwner() == this)
        mouse->ReleaseCapture();
    if (!OnDestroy())
        return false;
    Hide(false);
    RemoveAllControls();
    // The window must not keep a layer that is gone.
    if (m_window)
        m_window->RemoveLayer(this, false);
    m_surface.reset();
    m_window = nullptr;
    m_rect = CHfcRect();
    m_created = false;
    return true;
}

void CHfcWindowLayer::Recompose(const CHfcRect& rect, bool now)
{
    if (m_window)
        m_window->Recompose(rect, now);
}

bool CHfcWindowLayer::Resize(int32_t width, int32_t height, bool redraw)
{
    if (!m_created)
        return false;
    OnResizing(width, height);
    if (!m_surface->Resize(width, height))
    {
        DebugTrace("CHfcWindowLayer::Resize() - %s", "Failed to resize.");
        return false;
    }
    const int32_t oldWidth = m_rect.GetWidth(), oldHeight = m_rect.GetHeight();
    m_rect.right = m_rect.left + width;
    m_rect.bottom = m_rect.top + height;
    OnResized(width, height);
    if (redraw && m_window)
    {
        CHfcRect area;
        area.Set(m_rect.left, m_rect.top, m_rect.left + MaxValue(oldWidth, width),
                 m_rect.top + MaxValue(oldHeight, height));
        Recompose(area, true);
    }
    return true;
}

bool CHfcWindowLayer::Move(int32_t x, int32_t y, bool redraw)
{
    if (!m_created)
        return false;
    OnMoving(x, y);
    const CHfcRect old = m_rect;
    m_rect.Set(x, y, x + old.GetWidth(), y + old.GetHeight());
    OnMoved(x, y);
    if (m_visible && m_window)
    {
        CHfcRect both;
        both.Union(old, m_rect);
        Recompose(both, redraw);
    }
    return true;
}

bool CHfcWindowLayer::SetVisible(bool visible, bool now)
{
    if (!m_created)
        return false;
    m_visible = visible;
    Recompose(m_rect, now);
    return true;
}

bool CHfcWindowLayer::Show(bool now)
{
    return SetVisible(true, now);
}

bool CHfcWindowLayer::Hide(bool now)
{
    return SetVisible(false, now);
}

bool CHfcWindowLayer::AddControl(CHfcControl* control, bool draw)
{
    if (!control)
        return false;
    control->AttachLayer(this);
    if (std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end())
        m_controls.push_back(control);
    control->SetDirty(true);
    if (draw)
        control->Redraw(true);
    return true;
}

bool CHfcWindowLayer::RemoveControl(CHfcControl* control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return false;
    m_controls.erase(it);
    if (m_dragTarget == control)
        m_dragTarget = nullptr;
    const bool hadFocus = HasKeyFocus(control);
    control->Detach();
    // Last: the focus-lost report may delete the control.
    if (hadFocus)
        ReleaseKeyFocus(control);
    return true;
}

void CHfcWindowLayer::RemoveAllControls()
{
    while (!m_controls.empty())
        RemoveControl(m_controls.back());
}

void CHfcWindowLayer::SetAllControlsDirty(bool dirty)
{
    for (CHfcControl* control : m_controls)
        control->SetDirty(dirty);
}

void CHfcWindowLayer::Invalidate()
{
    if (m_created && m_window)
        m_window->Invalidate(&m_rect);
}

void CHfcWindowLayer::InvalidateRect(const CHfcRect& rect)
{
    if (!m_created || !m_window)
        return;
    CHfcRect moved;
    moved.Set(rect.left + m_rect.left, rect.top + m_rect.top, rect.right + m_rect.left,
              rect.bottom + m_rect.top);
    m_window->Invalidate(&moved);
}

void CHfcWindowLayer::InvalidateArea(int32_t x, int32_t y, int32_t width, int32_t height, bool now)
{
    if (!m_created)
        return;
    CHfcRect area;
    area.Set(m_rect.left + x, m_rect.top + y, m_rect.left + x + width, m_rect.top + y + height);
    Recompose(area, now);
}

void CHfcWindowLayer::InvalidateAll(bool now)
{
    if (m_created)
        Recompose(m_rect, now);
}

void CHfcWindowLayer::DetachWindow(CHfcWindow* window)
{
    if (m_window == window)
        m_window = nullptr;
}

bool CHfcWindowLayer::ScreenToLayer(POINT& point) const
{
    if (!m_created || !m_window || !m_window->ScreenToClient(point))
        return false;
    point.x -= m_rect.left;
    point.y -= m_rect.top;
    return true;
}

bool CHfcWindowLayer::LayerToScreen(POINT& point) const
{
    if (!m_created || !m_window)
        return false;
    point.x += m_rect.left;
    point.y += m_rect.top;
    return m_window->ClientToScreen(point);
}

bool CHfcWindowLayer::SetKeyFocus(CHfcKeyFocusListener* listener)
{
    return m_window && m_window->SetKeyFocus(listener);
}

void CHfcWindowLayer::ReleaseKeyFocus(CHfcKeyFocusListener* listener)
{
    if (m_window)
        m_window->ReleaseKeyFocus(listener);
}

bool CHfcWindowLayer::HasKeyFocus(CHfcKeyFocusListener* listener) const
{
    return m_window && m_window->HasKeyFocus(listener);
}

int32_t CHfcWindowLayer::GetOffscreenWidth() const
{
    return m_surface ? m_surface->GetWidth() : 0;
}

int32_t CHfcWindowLayer::GetOffscreenHeight() const
{
    return m_surface ? m_surface->GetHeight() : 0;
}

bool CHfcWindowLayer::DispatchMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                    uint32_t modifiers, int32_t delta)
{
    if (mouse && mouse->GetCaptureOwner() == this)
        return CallClientMouse(event, mouse, x, y, modifiers, delta);
    // By index: a handler may remove controls.
    for (size_t i = 0; i < m_controls.size(); ++i)
    {
        CHfcControl* control = m_controls[i];
        const CHfcRect& r = control->GetRect();
        if (control->IsVisible() && control->IsEnabled() && Contains(r, x, y) &&
            control->CallClientMouse(event, mouse, x - r.left, y - r.top, modifiers, delta))
            return true;
    }
    return CallClientMouse(event, mouse, x, y, modifiers, delta);
}

bool CHfcWindowLayer::RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                       uint32_t modifiers, int32_t delta)
{
    POINT point = {x, y};
    return ScreenToLayer(point) && DispatchMouse(event, mouse, point.x, point.y, modifiers, delta);
}

void CHfcWindowLayer::LeaveDragTarget(CHfcDragData* data)
{
    CHfcControl* target = m_dragTarget;
    m_dragTarget = nullptr;
    if (target)
        target->CallClientDrag(HfcDragEvent::Leave, data, 0, 0, 0, 0, nullptr);
}

bool CHfcWindowLayer::RouteScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x,
                                      int32_t y, uint32_t modifiers, uint32_t* effect)
{
    if (event == HfcDragEvent::Leave)
    {
        // Only the control that had the drag hears that it left.
        CHfcControl* target = m_dragTarget;
        m_dragTarget = nullptr;
        if (target && target->CallClientDrag(event, data, 0, 0, 0, 0, effect))
            return true;
        return CallClientDrag(event, data, 0, 0, 0, 0, effect);
    }
    POINT point = {x, y};
    if (!ScreenToLayer(point))
        return false;
    // A new drag: a target that never heard the last one end hears it now.
    if (event == HfcDragEvent::Enter)
        LeaveDragTarget(data);
    // Every control that gets an enter later gets a leave or the drop: passing the drag from
    // one control to another (the pointer moved, or the first declined) is a leave to the old
    // target and an enter to the new one.
    for (size_t i = 0; i < m_controls.size(); ++i)
    {
        CHfcControl* control = m_controls[i];
        if (!IsUnderDrag(control, point.x, point.y))
            continue;
        const CHfcRect& r = control->GetRect();
        const int32_t cx = point.x - r.left, cy = point.y - r.top;
        bool taken = false;
        if (control != m_dragTarget)
        {
            LeaveDragTarget(data);
            m_dragTarget = control;
            taken = control->CallClientDrag(HfcDragEvent::Enter, data, keyState, cx, cy, modifiers, effect);
        }
        else if (event != HfcDragEvent::Drop)
            taken = control->CallClientDrag(HfcDragEvent::Over, data, keyState, cx, cy, modifiers, effect);
        if (event == HfcDragEvent::Drop)
        {
            // The drop ends the control's part in the drag, taken or not.
            m_dragTarget = nullptr;
            taken = control->CallClientDrag(event, data, keyState, cx, cy, modifiers, effect);
        }
        if (taken)
            return true;
    }
    // No control took it: a target no longer under the point has lost the drag; one that
    // declined it keeps it. A drop ends the drag for every control.
    if (event == HfcDragEvent::Drop || (m_dragTarget && !IsUnderDrag(m_dragTarget, point.x, point.y)))
        LeaveDragTarget(data);
    return CallClientDrag(event, data, keyState, point.x, point.y, modifiers, effect);
}
