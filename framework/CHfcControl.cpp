#include "framework/CHfcControl.h"

#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "framework/CHfcWindowLayer.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <mmsystem.h>

namespace
{
constexpr int32_t kHoldTimeMs = 500;
} // namespace

CHfcControl::CHfcControl() : m_clock([] { return static_cast<uint32_t>(timeGetTime()); }) {}

CHfcControl::~CHfcControl()
{
    if (m_created)
        CHfcControl::Destroy();
}

bool CHfcControl::Destroy()
{
    if (!m_created)
        return false;
    // The layer's key focus is the window's key-focus window: releasing one releases both.
    if (m_layer && m_layer->HasKeyFocus(this))
        m_layer->ReleaseKeyFocus(this);
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (mouse && mouse->GetCaptureOwner() == this)
        mouse->ReleaseCapture();
    if (m_layer)
        m_layer->RemoveControl(this);
    m_rect = CHfcRect();
    m_outerRect = CHfcRect();
    m_created = false;
    return true;
}

void CHfcControl::SetRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    m_rect.Set(x, y, x + width, y + height);
    m_outerRect = GrowRect(m_rect, m_margin);
}

void CHfcControl::SetMargin(int32_t margin)
{
    m_margin = margin > 0 ? margin : 0;
    m_outerRect = GrowRect(m_rect, m_margin);
}

bool CHfcControl::Move(int32_t x, int32_t y, bool redraw)
{
    if (!m_created)
        return false;
    SetRect(x, y, m_rect.GetWidth(), m_rect.GetHeight());
    if (!m_layer)
        return false;
    if (redraw)
        SetDirty(true);
    return true;
}

bool CHfcControl::Resize(int32_t width, int32_t height, bool redraw)
{
    if (!m_created)
        return false;
    SetRect(m_rect.left, m_rect.top, width, height);
    if (!m_layer)
        return false;
    if (redraw)
        SetDirty(true);
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

bool CHfcControl::ControlToScreen(POINT& point) const
{
    if (!m_layer)
        return false;
    point.x += m_rect.left;
    point.y += m_rect.top;
    return m_layer->LayerToScreen(point);
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

void CHfcControl::DrawFocusFrame(CHfcDrawContext* context)
{
    if (!m_created || !m_visible || m_focusColor == 0 || !context)
        return;
    const uint32_t previous = context->GetPenColor();
    if (m_margin == 0)
    {
        // Two 3-pixel strokes at each corner.
        const int32_t l = m_rect.left, t = m_rect.top, r = m_rect.right - 1, b = m_rect.bottom - 1;
        context->SetPenColor(m_focusColor);
        const int32_t corners[4][2] = {{l, t}, {r, t}, {l, b}, {r, b}};
        for (const auto& c : corners)
        {
            const int32_t sx = c[0] == l ? 3 : -3, sy = c[1] == t ? 3 : -3;
            context->MoveTo(c[0], c[1]);
            context->LineTo(c[0] + sx, c[1]);
            context->MoveTo(c[0], c[1]);
            context->LineTo(c[0], c[1] + sy);
        }
    }
    else
    {
        const uint8_t focusAlpha = static_cast<uint8_t>(m_focusColor >> 24);
        for (int32_t ring = 1; ring <= m_margin; ++ring)
        {
            const uint32_t alpha = GlowRingAlpha(ring, m_margin, focusAlpha);
            context->SetPenColor((m_focusColor & 0x00FFFFFFu) | alpha << 24);
            context->DrawRect(GlowRingRect(m_rect, ring, m_narrowGlow));
        }
    }
    context->SetPenColor(previous);
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
    const CHfcRect& area = m_margin != 0 ? m_outerRect : m_rect;
    m_layer->InvalidateArea(area.left, area.top, area.GetWidth(), area.GetHeight(), force);
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

float CHfcControl::GetFloatProperty(int32_t index) const
{
    return index >= 0 && index < 3 ? m_floatProperties[index] : 0.0f;
}

void CHfcControl::SetFloatProperty(int32_t index, float value)
{
    if (index >= 0 && index < 3)
        m_floatProperties[index] = value;
}

void CHfcControl::SetValue(int32_t value, bool)
{
    m_value = value;
}

void CHfcControl::SetMinimum(int32_t value, bool)
{
    m_minimum = value;
}

void CHfcControl::SetMaximum(int32_t value, bool)
{
    m_maximum = value;
}

// The owner may delete the control when it hears of the change: the control's own work comes
// first and the report last.
void CHfcControl::OnHfcKeyFocusGot(CHfcKeyFocus*)
{
    SetDirty(true);
    OnKeyFocusGot();
    if (m_listener)
        m_listener->OnControlKeyFocusGot(this);
}

void CHfcControl::OnHfcKeyFocusLost(CHfcKeyFocus*)
{
    m_focusedPart = -1;
    SetDirty(true);
    OnKeyFocusLost();
    if (m_listener)
        m_listener->OnControlKeyFocusLost(this);
}

bool CHfcControl::OnHfcKeyFocusKeyDown(CHfcKeyFocus*, uint32_t key, uint32_t reserved, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlKeyDown(this, key, reserved, modifiers))
        return true;
    return OnKeyFocusKeyDown(key, modifiers);
}

bool CHfcControl::OnHfcKeyFocusKeyRepeat(CHfcKeyFocus*, uint32_t key, uint32_t reserved, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlKeyRepeat(this, key, reserved, modifiers))
        return true;
    return OnKeyFocusKeyRepeat(key, modifiers);
}

bool CHfcControl::OnHfcKeyFocusKeyUp(CHfcKeyFocus*, uint32_t key, uint32_t reserved, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlKeyUp(this, key, reserved, modifiers))
        return true;
    return OnKeyFocusKeyUp(key, modifiers);
}

bool CHfcControl::OnHfcKeyFocusCharacter(CHfcKeyFocus*, uint32_t character)
{
    if (m_listener && m_listener->OnControlKeyCharacter(this, character))
        return true;
    return OnKeyFocusCharacter(character);
}

bool CHfcControl::OnHfcKeyFocusHitTest(int32_t x, int32_t y)
{
    POINT point = {x, y};
    if (!m_layer || !m_layer->ScreenToLayer(point))
        return false;
    return m_rect.left <= point.x && point.x < m_rect.right && m_rect.top <= point.y &&
           point.y < m_rect.bottom;
}

bool CHfcControl::SetKeyFocus(int32_t part)
{
    if (!m_created || !m_layer)
        return false;
    if (part == -1)
    {
        KillKeyFocus();
        return true;
    }
    // The part is set before the focus reports reach the owner, who may delete the control.
    const int32_t previous = m_focusedPart;
    m_focusedPart = part;
    SetDirty(true);
    if (HasKeyFocus())
        return true;
    if (!m_layer->SetKeyFocus(this))
    {
        m_focusedPart = previous;
        return false;
    }
    return true;
}

void CHfcControl::KillKeyFocus()
{
    if (!m_created || !m_layer)
        return;
    m_focusedPart = -1;
    SetDirty(true);
    // Last: the focus-lost report may delete the control.
    if (m_layer->HasKeyFocus(this))
        m_layer->ReleaseKeyFocus(this);
}

bool CHfcControl::HasKeyFocus() const
{
    return m_layer && m_layer->HasKeyFocus(const_cast<CHfcControl*>(this));
}

void CHfcControl::AddHoldTime(int32_t ms)
{
    if (m_holdTime >= kHoldTimeMs)
        return;
    m_holdTime += ms;
    if (m_holdTime >= kHoldTimeMs && m_listener)
        m_listener->OnControlHold(this, 0, 0, 0);
}

void CHfcControl::ApplyCursor()
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (m_cursorIndex >= 0 && mouse)
        mouse->SetCursor(m_cursorIndex);
}

float CHfcControl::GetStepScale()
{
    const uint32_t now = m_clock ? m_clock() : 0;
    const float scale = StepScale(now, m_lastStepTime);
    m_lastStepTime = now;
    return scale;
}

bool CHfcControl::CaptureMouse()
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (!mouse || !m_layer || !m_layer->GetWindow())
        return false;
    mouse->SetCapture(this, m_layer->GetWindow());
    return true;
}

void CHfcControl::ReleaseMouse()
{
    if (HasCapture())
        CHfcMouse::GetMouse()->ReleaseCapture();
}

bool CHfcControl::HasCapture() const
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    return mouse && mouse->GetCaptureOwner() == this;
}

void CHfcControl::ReleaseKeyFocusWindow()
{
    if (m_layer && m_layer->GetWindow() && m_layer->GetWindow()->GetKeyFocus())
        m_layer->GetWindow()->GetKeyFocus()->ReleaseKeyFocus();
}
