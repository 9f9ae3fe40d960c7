#include "editor/graphs/CCustomValueBar.h"

#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"

bool CCustomValueBar::Create(const CCustomValueBarRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record)
        return false;
    CValueBarGeometry geometry;
    if (!geometry.Create(record->width, record->height, record->vertical != 0, record->centreMode != 0,
                         record->minimum, record->maximum, record->origin))
        return false;
    m_custom = *record;
    m_geometry = geometry;
    m_tag = m_geometry.GetOriginTenths();
    SetRect(record->x, record->y, record->width, record->height);
    m_id = id;
    m_userValue = eventKind;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

void CCustomValueBar::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.background, m_custom.backgroundX, m_custom.backgroundY);
}

void CCustomValueBar::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    EraseBackground(context);
    CHfcRect fill = m_geometry.GetFillRect();
    fill.Set(fill.left + m_rect.left, fill.top + m_rect.top, fill.right + m_rect.left,
             fill.bottom + m_rect.top);
    if (fill.GetWidth() > 0 && fill.GetHeight() > 0)
    {
        if (m_custom.fill)
            context->DrawBitmapAlpha(fill, m_custom.fill, m_customEnabled ? 1.0f : m_disabledAlpha,
                                     fill.left - m_rect.left, fill.top - m_rect.top);
        else
        {
            uint32_t colour = m_custom.fillColor;
            if (!m_customEnabled)
                colour = (colour & 0x00FFFFFFu) | ((colour >> 25) << 24);
            const uint32_t brush = context->GetBrushColor();
            context->SetBrushColor(colour);
            context->FillRect(fill);
            context->SetBrushColor(brush);
        }
    }
    const uint32_t pen = context->GetPenColor();
    context->SetPenColor(m_custom.frameColor);
    context->DrawRect(m_rect);
    context->SetPenColor(pen);
}

void CCustomValueBar::Report(int32_t before)
{
    if (m_geometry.GetValueTenths() == before)
        return;
    SetDirty(true);
    if (m_listener)
        m_listener->OnValueChanged(this, m_geometry.GetValue());
}

bool CCustomValueBar::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    // A read-only bar leaves the press to the page under it.
    if (m_readOnly)
        return false;
    if (!m_customEnabled)
        return true;
    m_geometry.Press(x, y);
    SetDirty(true);
    if (m_listener)
    {
        CHfcControlListener* listener = m_listener;
        listener->OnBeginEdit(this);
        listener->OnValueChanged(this, m_geometry.GetValue());
    }
    CaptureMouse();
    return true;
}

bool CCustomValueBar::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CCustomValueBar::OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    ReleaseMouse();
    return true;
}

bool CCustomValueBar::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!HasCapture())
        return false;
    const int32_t before = m_geometry.GetValueTenths();
    m_geometry.Drag(x, y, (modifiers & kModifierShift) != 0);
    Report(before);
    return true;
}

void CCustomValueBar::SetValue(int32_t value)
{
    m_geometry.SetValue(value);
    SetDirty(true);
}

void CCustomValueBar::SetMinimum(int32_t value)
{
    m_geometry.SetMinimum(value);
    SetDirty(true);
}

void CCustomValueBar::SetMaximum(int32_t value)
{
    m_geometry.SetMaximum(value);
    SetDirty(true);
}

void CCustomValueBar::SetTag(int32_t tag)
{
    m_tag = tag;
    m_geometry.SetOriginTenths(tag);
    SetDirty(true);
}

void CCustomValueBar::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    SetDirty(true);
}
