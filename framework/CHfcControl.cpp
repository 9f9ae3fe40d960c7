#include "framework/CHfcControl.h"

#include "framework/CHfcDrawContext.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindowLayer.h"

CHfcControl::~CHfcControl()
{
    if (m_created)
        Destroy();
}

bool CHfcControl::Destroy()
{
    if (!m_created)
        return false;
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (mouse && mouse->GetCaptureOwner() == this)
        mouse->ReleaseCapture();
    if (m_layer)
        m_layer->RemoveControl(this);
    m_rect = CHfcRect();
    m_created = false;
    return true;
}

bool CHfcControl::ScreenToControl(POINT& point) const
{
    if (!m_layer || !m_layer->ScreenToLayer(point))
        return false;
    point.x -= m_rect.left;
    point.y -= m_rect.top;
    return true;
}

bool CHfcControl::RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                   uint32_t modifiers, int32_t delta)
{
    switch (event)
    {
    case HfcMouseEvent::LeftDown:
    case HfcMouseEvent::LeftDoubleClick:
    case HfcMouseEvent::LeftUp:
        if (!m_enabled)
            return false;
        break;
    case HfcMouseEvent::Move:
        break;
    default:
        return false;
    }
    POINT point = {x, y};
    return ScreenToControl(point) && CallClientMouse(event, mouse, point.x, point.y, modifiers, delta);
}

void CHfcControl::Draw(CHfcDrawContext* context)
{
    if (m_visible && context)
        context->FillRect(m_rect);
}

void CHfcControl::Redraw(bool force)
{
    if (!m_layer || !m_layer->GetOffscreen())
        return;
    if (m_visible)
    {
        if (!m_dirty && !force)
            return;
        m_dirty = false;
        Draw(m_layer->GetOffscreen());
    }
    else
    {
        if (!m_pendingErase)
            return;
        m_pendingErase = false;
        EraseBackground(m_layer->GetOffscreen());
    }
    m_layer->InvalidateArea(m_rect.left, m_rect.top, m_rect.GetWidth(), m_rect.GetHeight(), force);
}

void CHfcControl::Show(bool redraw)
{
    if (!m_created)
        return;
    m_visible = true;
    if (redraw)
        SetDirty(true);
}

void CHfcControl::Hide(bool redraw)
{
    if (!m_created || !m_visible)
        return;
    m_visible = false;
    m_pendingErase = true;
    if (redraw)
        SetDirty(true);
}
