#include "editor/graphs/CHfcCtrlEnvelopeCurve.h"

#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcMouse.h"

namespace
{
constexpr uint32_t kEnvelopeEventKind = 4;
} // namespace

bool CHfcCtrlEnvelopeCurve::Create(const CHfcCtrlEnvelopeCurveRecord* record, uint32_t id)
{
    if (!record)
        return false;
    CEnvelopeCurveGeometry geometry;
    if (!geometry.Create(record->width, record->height, record->pointCount, record->handleSize,
                         record->minimum, record->maximum))
        return false;
    m_record = *record;
    m_geometry = geometry;
    m_grabbed = kNoPoint;
    SetRect(record->x, record->y, record->width, record->height);
    m_minimum = record->minimum;
    m_maximum = record->maximum;
    m_id = id;
    m_userValue = kEnvelopeEventKind;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlEnvelopeCurve::Destroy()
{
    m_geometry = CEnvelopeCurveGeometry();
    m_record = CHfcCtrlEnvelopeCurveRecord();
    m_grabbed = kNoPoint;
    return CHfcControl::Destroy();
}

void CHfcCtrlEnvelopeCurve::SetPoint(const CEnvelopePointChange& change, bool redraw)
{
    if (!m_geometry.SetPoint(change.index, {change.level, change.time, change.flags}))
        return;
    if (redraw)
        SetDirty(true);
}

int32_t CHfcCtrlEnvelopeCurve::HitTest(int32_t x, int32_t y) const
{
    return m_geometry.HitTest(x, y);
}

CEnvelopePointChange CHfcCtrlEnvelopeCurve::Record(int32_t index) const
{
    const CEnvelopePoint& p = m_geometry.GetPoints()[static_cast<size_t>(index)];
    return {index, p.level, p.time, p.curveType};
}

void CHfcCtrlEnvelopeCurve::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_record.background, m_record.backgroundX, m_record.backgroundY);
}

void CHfcCtrlEnvelopeCurve::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context || !m_geometry.IsCreated())
        return;
    EraseBackground(context);
    const uint32_t pen = context->GetPenColor(), brush = context->GetBrushColor();
    const int32_t left = m_rect.left, top = m_rect.top;
    const std::vector<CGraphPoint> curve = m_geometry.TraceCurve();
    context->SetPenWidth(1.0f);
    context->SetPenColor(m_record.lineColor);
    for (size_t i = 0; i < curve.size(); ++i)
    {
        if (i == 0)
            context->MoveTo(left + curve[i].x, top + curve[i].y);
        else
            context->LineTo(left + curve[i].x, top + curve[i].y);
    }
    const int32_t h = m_record.handleSize;
    const std::vector<CGraphPoint>& points = m_geometry.GetScreenPoints();
    for (size_t i = 0; h > 0 && i < points.size(); ++i)
    {
        const bool grabbed = static_cast<int32_t>(i) == m_grabbed;
        const int32_t x = left + points[i].x - h / 2, y = top + points[i].y - h / 2;
        context->SetBrushColor(grabbed ? m_record.grabbedFillColor : m_record.handleFillColor);
        context->FillRect(x, y, h, h);
        context->SetPenColor(grabbed ? m_record.grabbedFrameColor : m_record.handleFrameColor);
        context->DrawRect(x, y, h, h);
    }
    context->SetPenColor(pen);
    context->SetBrushColor(brush);
}

bool CHfcCtrlEnvelopeCurve::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!TakesPresses())
        return true;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    int32_t defaultValue = 0;
    if ((modifiers & kModifierControl) && m_listener && m_listener->OnQueryDefaultValue(this, &defaultValue))
        SetValue(defaultValue, true);
    const int32_t hit = HitTest(x, y);
    if (hit == kNoPoint)
        return true;
    m_grabbed = hit;
    SetDirty(true);
    CaptureMouse();
    ApplyCursor();
    ReleaseKeyFocusWindow();
    if (m_listener)
    {
        const CEnvelopePointChange change = Record(hit);
        CHfcControlListener* listener = m_listener;
        listener->OnBeginEdit(this);
        listener->OnTextChanged(this, reinterpret_cast<const char*>(&change));
    }
    return true;
}

bool CHfcCtrlEnvelopeCurve::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers))
        return true;
    ReleaseMouse();
    return true;
}

bool CHfcCtrlEnvelopeCurve::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers))
        return true;
    if (!HasCapture() || m_grabbed == kNoPoint)
        return false;
    const CEnvelopePoint p = m_geometry.DragPoint(m_grabbed, x, y);
    const CEnvelopePointChange change = {m_grabbed, p.level, p.time, p.curveType};
    if (m_listener)
        m_listener->OnTextChanged(this, reinterpret_cast<const char*>(&change));
    return true;
}

bool CHfcCtrlEnvelopeCurve::OnHfcMouseCaptureLost(CHfcMouse* mouse)
{
    if (mouse)
        mouse->SetCursor(0);
    const int32_t grabbed = m_grabbed;
    m_grabbed = kNoPoint;
    SetDirty(true);
    if (m_listener && grabbed != kNoPoint)
    {
        const CEnvelopePointChange change = Record(grabbed);
        CHfcControlListener* listener = m_listener;
        listener->OnTextChanged(this, reinterpret_cast<const char*>(&change));
        listener->OnEndEdit(this);
    }
    return true;
}

void CCustomEnvelopeCurve::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    SetDirty(true);
}
