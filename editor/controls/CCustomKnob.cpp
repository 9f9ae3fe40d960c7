#include "editor/controls/CCustomKnob.h"

#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcMouse.h"
#include "framework/ctrlmath/HfcControlMath.h"

bool CCustomKnob::Create(const CCustomKnobRecord* record, uint32_t id, uint32_t /*eventKind*/)
{
    if (!record || !record->strip)
        return false;
    m_custom = *record;
    m_map = CKnobValueMap::FromRecord(record->minimum, record->maximum, record->sensitivity);
    CHfcCtrlKnobRecord knob;
    knob.head = {record->x, record->y, 0, 0, record->strip, record->background, record->x, record->y};
    knob.frameCount = record->frameCount;
    knob.minimum = 0;
    knob.maximum = m_map.GetPositionMaximum();
    knob.step = m_map.GetStep();
    SetCursorIndex(10);
    if (!CHfcCtrlKnob::Create(&knob, id, kEventValue))
        return false;
    PickStrip();
    return true;
}

void CCustomKnob::SetDragBitmap(CHfcBmp* bitmap)
{
    m_drag = bitmap;
    PickStrip();
}

void CCustomKnob::PickStrip()
{
    const bool special = m_custom.specialValue != -1 && GetValue() == m_custom.specialValue;
    CHfcBmp* strip = nullptr;
    if (m_customEnabled)
        strip = m_dragging && m_drag          ? m_drag
                : special && m_custom.special ? m_custom.special
                                              : m_custom.strip;
    else
        strip = special && m_custom.specialDim ? m_custom.specialDim
                : m_custom.dim                 ? m_custom.dim
                                               : m_custom.strip;
    if (strip != m_shown)
    {
        m_shown = strip;
        SetDirty(true);
    }
}

void CCustomKnob::SetValue(int32_t position, bool redraw)
{
    CHfcCtrlKnob::SetValue(position, redraw);
    PickStrip();
}

void CCustomKnob::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    CHfcCtrlRecordHead head = GetRecord().head;
    head.bitmap = m_shown;
    head.EraseArea(context, m_rect);
    head.DrawFrame(context, m_rect, KnobFrame(m_value, m_minimum, m_maximum, GetRecord().frameCount));
}

void CCustomKnob::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.background, m_custom.x, m_custom.y);
}

bool CCustomKnob::OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!m_customEnabled)
        return true;
    CHfcCtrlKnob::OnHfcMouseLeftDown(mouse, x, y, modifiers);
    if (HasCapture())
    {
        m_dragging = true;
        PickStrip();
    }
    return true;
}

bool CCustomKnob::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!m_customEnabled)
        return true;
    return CHfcCtrlKnob::OnHfcMouseLeftDoubleClick(mouse, x, y, modifiers);
}

bool CCustomKnob::OnHfcMouseWheel(CHfcMouse*, int32_t, int32_t, int32_t, int32_t delta, uint32_t modifiers)
{
    if (!m_customEnabled || delta == 0)
        return true;
    const int32_t position = m_map.WheelPosition(m_value, delta, (modifiers & kModifierShift) != 0);
    if (position != m_value && m_listener)
        m_listener->OnValueChanged(this, position);
    return true;
}

bool CCustomKnob::OnHfcMouseCaptureLost(CHfcMouse* mouse)
{
    m_dragging = false;
    PickStrip();
    CHfcCtrlKnob::OnHfcMouseCaptureLost(mouse);
    // The owner may have let the knob go in OnEndEdit: it reads the value once more only
    // while it still listens.
    if (m_listener)
        m_listener->OnValueChanged(this, m_value);
    return true;
}

void CCustomKnob::SetValue(int32_t value)
{
    if (GetValue() != value)
        SetValue(m_map.ValueToPosition(value), true);
}

int32_t CCustomKnob::GetValue()
{
    return m_map.PositionToValue(m_value);
}

void CCustomKnob::ApplyRange()
{
    CHfcCtrlKnob::SetMinimum(0, true);
    CHfcCtrlKnob::SetMaximum(m_map.GetPositionMaximum(), true);
}

void CCustomKnob::SetMinimum(int32_t value)
{
    // Positions count from the minimum: the value keeps its meaning across the new base.
    const int32_t current = GetValue();
    m_map.SetMinimum(value);
    ApplyRange();
    SetValue(m_map.ValueToPosition(current), true);
}

void CCustomKnob::SetMaximum(int32_t value)
{
    m_map.SetMaximum(value);
    ApplyRange();
}

void CCustomKnob::SetSensitivity(int32_t sensitivity)
{
    const int32_t value = GetValue();
    m_map.SetSensitivity(sensitivity);
    ApplyRange();
    SetValue(m_map.ValueToPosition(value), true);
}

void CCustomKnob::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (!enabled && HasCapture())
        ReleaseMouse();
    if (m_custom.dim)
        PickStrip();
    else if (enabled)
        Show(true);
    else
        Hide(true);
    SetDirty(true);
}
