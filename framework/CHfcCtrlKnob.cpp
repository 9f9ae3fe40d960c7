#include "framework/CHfcCtrlKnob.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcMouse.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/ctrlmath/HfcControlMath.h"

namespace
{
// Window thread only, like every knob.
int32_t g_knobMode = kKnobModeCircular;
} // namespace

void CHfcCtrlKnob::SetKnobMode(int32_t mode)
{
    g_knobMode = mode >= kKnobModeCircular && mode <= kKnobModeLinear ? mode : kKnobModeCircular;
}

int32_t CHfcCtrlKnob::GetKnobMode()
{
    return g_knobMode;
}

CHfcCtrlKnob::~CHfcCtrlKnob()
{
    if (IsCreated())
        CHfcCtrlKnob::Destroy();
}

bool CHfcCtrlKnob::Create(const CHfcCtrlKnobRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || !record->head.bitmap)
        return false;
    m_record = *record;
    const CHfcCtrlRecordHead& h = m_record.head;
    const int32_t frames = m_record.frameCount > 0 ? m_record.frameCount : 1;
    SetRect(h.x, h.y, h.width ? h.width : h.bitmap->GetWidth(),
            h.height ? h.height : h.bitmap->GetHeight() / frames);
    SetMinimum(m_record.minimum, true);
    SetMaximum(m_record.maximum, true);
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlKnob::Destroy()
{
    m_record = CHfcCtrlKnobRecord();
    return CHfcControl::Destroy();
}

void CHfcCtrlKnob::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    context->FillRect(m_rect);
    m_record.head.DrawBackground(context, m_rect);
    m_record.head.DrawFrame(context, m_rect, KnobFrame(m_value, m_minimum, m_maximum, m_record.frameCount));
}

void CHfcCtrlKnob::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlKnob::SetValue(int32_t value, bool redraw)
{
    value = ClampToRange(value, GetMinimum(), GetMaximum());
    const bool changed = value != m_value;
    m_value = value;
    if (redraw && changed)
        SetDirty(true);
}

void CHfcCtrlKnob::SetMinimum(int32_t value, bool redraw)
{
    m_minimum = value;
    SetValue(m_value, redraw);
}

void CHfcCtrlKnob::SetMaximum(int32_t value, bool redraw)
{
    m_maximum = value;
    SetValue(m_value, redraw);
}

void CHfcCtrlKnob::SetBackgroundBitmap(CHfcBmp* bitmap, bool redraw)
{
    m_record.head.background = bitmap;
    if (redraw)
        SetDirty(true);
}

void CHfcCtrlKnob::Report(int32_t value)
{
    m_reported = value;
    if (m_listener)
        m_listener->OnValueChanged(this, value);
}

void CHfcCtrlKnob::Press(int32_t x, int32_t y, uint32_t modifiers)
{
    int32_t defaultValue = 0;
    if ((modifiers & kModifierControl) && m_listener && m_listener->OnQueryDefaultValue(this, &defaultValue))
        SetValue(defaultValue, true);
    m_lastX = x;
    m_lastY = y;
    m_running = m_reported = m_value;
    m_dragMode = g_knobMode;
    if (modifiers & kModifierAlt)
        m_dragMode = g_knobMode != kKnobModeLinear ? kKnobModeLinear : kKnobModeCircular;
    switch (m_dragMode)
    {
    case kKnobModeRelativeCircular:
        if (m_listener)
            m_listener->OnBeginEdit(this);
        break;
    case kKnobModeLinear:
        if (m_listener)
            m_listener->OnBeginEdit(this);
        Report(m_value);
        break;
    default:
        m_lastFraction = KnobAngleFraction(x, y, m_rect.GetWidth(), m_rect.GetHeight());
        if (m_listener)
            m_listener->OnBeginEdit(this);
        Report(KnobValueAtFraction(m_lastFraction, m_record.minimum, m_record.maximum));
        break;
    }
    CaptureMouse();
    ApplyCursor();
    ReleaseKeyFocusWindow();
}

bool CHfcCtrlKnob::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!(m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers)))
        Press(x, y, modifiers);
    return true;
}

bool CHfcCtrlKnob::OnHfcMouseLeftDoubleClick(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!(m_listener && m_listener->OnControlLButtonDblClk(this, x, y, modifiers)))
        Press(x, y, modifiers);
    return true;
}

bool CHfcCtrlKnob::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!(m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers)))
        ReleaseMouse();
    return true;
}

bool CHfcCtrlKnob::OnHfcMouseRightDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlRButtonDown(this, x, y, modifiers);
}

bool CHfcCtrlKnob::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers))
        return true;
    if (!HasCapture())
        return false;
    switch (m_dragMode)
    {
    case kKnobModeLinear:
    {
        m_running = KnobVerticalDrag(m_running, m_lastY, y, m_record.step, (modifiers & kModifierShift) != 0);
        const int32_t value = ClampToRange(m_running, GetMinimum(), GetMaximum());
        if (value != m_reported)
            Report(value);
        m_lastX = x;
        m_lastY = y;
        break;
    }
    case kKnobModeRelativeCircular:
    {
        const int32_t candidate = m_running + KnobAngleDelta(m_lastX, m_lastY, x, y, m_rect.GetWidth(),
                                                             m_rect.GetHeight(), GetMinimum(), GetMaximum());
        // A move too small for a whole unit keeps the last point, so small moves add up.
        if (candidate != m_running)
        {
            m_lastX = x;
            m_lastY = y;
            m_running = candidate;
            Report(ClampToRange(candidate, GetMinimum(), GetMaximum()));
        }
        break;
    }
    default:
    {
        const float fraction = KnobAngularDragFraction(
            m_lastFraction, KnobAngleFraction(x, y, m_rect.GetWidth(), m_rect.GetHeight()));
        const int32_t value = KnobValueAtFraction(fraction, m_record.minimum, m_record.maximum);
        if (value != m_reported)
            Report(value);
        break;
    }
    }
    return true;
}

bool CHfcCtrlKnob::OnHfcMouseCaptureLost(CHfcMouse* mouse)
{
    if (mouse)
        mouse->SetCursor(0);
    if (m_listener)
        m_listener->OnEndEdit(this);
    return true;
}
