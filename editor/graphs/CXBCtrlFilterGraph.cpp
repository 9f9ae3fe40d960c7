#include "editor/graphs/CXBCtrlFilterGraph.h"

#include "editor/math/EditorMathUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <algorithm>
#include <cmath>

bool CXBCtrlFilterGraph::Create(const CXBCtrlFilterGraphRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record || !IsFilterPlotSizeValid(record->width, record->height) ||
        !IsFilterHandleGeometryValid(record->width, record->height, record->handleSize,
                                     record->handleMaximum))
        return false;
    m_record = *record;
    // From 2 pixels above and left of the plot box to 4 pixels below and right of it.
    SetRect(record->x - 2, record->y - 2, record->width + 6, record->height + 6);
    m_minimum = record->handleMinimum;
    m_maximum = record->handleMaximum;
    m_type = record->type;
    m_handle = CXBFilterHandle();
    m_readOnly = false;
    m_dragged = m_lastDragged = kNoHandle;
    m_id = id;
    m_userValue = eventKind;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CXBCtrlFilterGraph::Destroy()
{
    m_record = CXBCtrlFilterGraphRecord();
    return CHfcControl::Destroy();
}

void CXBCtrlFilterGraph::SetFilterType(int32_t type, bool redraw)
{
    m_type = type;
    if (redraw)
        SetDirty(true);
}

void CXBCtrlFilterGraph::SetHandle(const CXBFilterHandle& handle, bool redraw)
{
    if (handle.index < 0 || handle.index > 1)
        return;
    m_handle.yValue = handle.yValue;
    m_handle.xValue = handle.xValue;
    if (redraw)
        SetDirty(true);
}

CGraphPoint CXBCtrlFilterGraph::GetHandlePosition() const
{
    return GetFilterHandlePosition(m_handle.xValue, m_handle.yValue, m_record.width, m_record.height,
                                   m_record.handleSize, m_maximum);
}

void CXBCtrlFilterGraph::EraseBackground(CHfcDrawContext* context)
{
    if (!context)
        return;
    if (m_record.background)
        context->DrawBitmap(m_rect, m_record.background, m_record.backgroundX - 2, m_record.backgroundY - 2);
    else
        context->ClearRect(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top),
                           static_cast<float>(m_rect.GetWidth()), static_cast<float>(m_rect.GetHeight()));
}

void CXBCtrlFilterGraph::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    const int32_t cutoff = MapCutoff(static_cast<int32_t>(static_cast<uint32_t>(m_handle.xValue) / 2));
    const int32_t resonance = m_handle.yValue - 127;
    EraseBackground(context);
    if (m_record.overlay)
        context->DrawBitmapAlpha(m_rect, m_record.overlay, m_enabled ? 1.0f : 0.4f, m_record.backgroundX - 2,
                                 m_record.backgroundY - 2);
    DrawGuideBand(context);
    DrawResponse(context, cutoff, resonance);
    DrawHandles(context);
    if (HasKeyFocus())
        DrawFocusFrame(context);
}

void CXBCtrlFilterGraph::DrawGuideBand(CHfcDrawContext* context)
{
    if (m_dragged == kNoHandle || m_type < 0 || m_type > 3)
        return;
    const int32_t s = m_record.handleSize, w = m_record.width, h = m_record.height;
    const uint32_t brush = context->GetBrushColor();
    context->SetBrushColor(kGuideBandColor);
    // A high-pass shows its resonance around the middle; the others in the upper half.
    if (m_type == 1)
        context->FillRect(m_record.x - 1, m_record.y + h / 2 - s, w - 2, 2 * s);
    else
        context->FillRect(m_record.x - 1, m_record.y - 1, w - 2, h / 2);
    context->SetBrushColor(brush);
}

void CXBCtrlFilterGraph::DrawFocusFrame(CHfcDrawContext* context)
{
    if (!m_created || !m_visible || !context || m_focusColor == 0)
        return;
    DrawHandleMarker(context);
}

void CXBCtrlFilterGraph::DrawHandleMarker(CHfcDrawContext* context)
{
    if (m_lastDragged == kNoHandle)
        return;
    const CGraphPoint p = GetHandlePosition();
    const int32_t cx = m_record.x + p.x, cy = m_record.y + p.y;
    const uint32_t pen = context->GetPenColor();
    context->SetPenWidth(1.0f);
    context->SetPenColor(m_focusColor);
    for (const int32_t sx : {-1, 1})
        for (const int32_t sy : {-1, 1})
        {
            const int32_t x = cx + 5 * sx, y = cy + 5 * sy;
            context->MoveTo(x, y);
            context->LineTo(x - 2 * sx, y);
            context->MoveTo(x, y);
            context->LineTo(x, cy + 3 * sy);
        }
    context->SetPenColor(pen);
}

void CXBCtrlFilterGraph::DrawCurve(CHfcDrawContext* context, const std::vector<CResponsePoint>& points)
{
    const float dim = m_enabled ? 1.0f : m_disabledAlpha;
    const uint32_t fill = ScaleAlpha(m_record.fillColor, dim), line = ScaleAlpha(m_record.lineColor, dim);
    const float x0 = static_cast<float>(m_rect.left), y0 = static_cast<float>(m_rect.top);
    const float bottom = y0 + static_cast<float>(m_record.height + 1);
    const uint32_t pen = context->GetPenColor();
    for (const CResponseStroke& s : CollectResponseStrokes(points, m_record.width, m_record.height))
    {
        context->SetPenWidth(4.0f);
        context->SetPenColor(fill);
        context->MoveTo(x0 + s.x, y0 + s.y);
        context->LineTo(x0 + s.x, bottom);
        context->SetPenWidth(0.5f);
        context->SetPenColor(line);
        context->MoveTo(x0 + s.fromX, y0 + s.fromY);
        context->LineTo(x0 + s.x, y0 + s.y);
    }
    context->SetPenWidth(1.0f);
    context->SetPenColor(pen);
}

void CXBCtrlFilterGraph::DrawHandles(CHfcDrawContext* context)
{
    const int32_t s = m_record.handleSize;
    if (s <= 0)
        return;
    const float dim = m_enabled ? 1.0f : m_disabledAlpha;
    const CGraphPoint p = GetHandlePosition();
    const int32_t x = m_record.x + p.x - s / 2, y = m_record.y + p.y - s / 2;
    const uint32_t pen = context->GetPenColor(), brush = context->GetBrushColor();
    context->SetBrushColor(ScaleAlpha(m_record.handleFillColor, dim));
    context->FillRect(x, y, s, s);
    context->SetPenColor(ScaleAlpha(m_record.handleFrameColor, dim));
    context->DrawRect(x, y, s, s);
    if (m_record.handleBitmap)
        context->DrawBitmapAlpha(x + 2, y + 2, s - 4, s - 4, m_record.handleBitmap, dim, 0, 0);
    context->SetPenColor(pen);
    context->SetBrushColor(brush);
}

int32_t CXBCtrlFilterGraph::HitTestHandle(int32_t x, int32_t y) const
{
    // The point from the control's corner to the plot box's.
    const int32_t px = x + m_rect.left - m_record.x, py = y + m_rect.top - m_record.y;
    return IsOnFilterHandle(GetHandlePosition(), m_record.handleSize, px, py) ? 0 : kNoHandle;
}

void CXBCtrlFilterGraph::TakeOrReleaseKeyFocus()
{
    if (m_acceptsKeyFocus)
        SetKeyFocus(0);
    else
        KillKeyFocus();
}

void CXBCtrlFilterGraph::ReportIfMoved(int32_t index, int32_t yValue, int32_t xValue)
{
    if (xValue == m_lastXValue && yValue == m_lastYValue)
        return;
    m_lastXValue = xValue;
    m_lastYValue = yValue;
    if (m_listener)
    {
        const CXBFilterHandle report = {index, yValue, xValue};
        m_listener->OnTextChanged(this, reinterpret_cast<const char*>(&report));
    }
}

// The owner may delete the graph when it hears of the press: every report comes last.
bool CXBCtrlFilterGraph::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    // The program edit page shows its filter graphs read-only: a press changes nothing.
    if (m_readOnly)
        return true;
    GetStepScale();
    const int32_t hit = HitTestHandle(x, y);
    m_lastDragged = kNoHandle;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
    {
        TakeOrReleaseKeyFocus();
        return true;
    }
    int32_t defaultValue = 0;
    if ((modifiers & kModifierControl) && m_listener && m_listener->OnQueryDefaultValue(this, &defaultValue))
        SetValue(defaultValue, true);
    if (hit == kNoHandle)
        return true;
    m_dragged = hit;
    const float scale = m_record.dragScale;
    const int32_t s = m_record.handleSize;
    m_lastPointX = x;
    m_lastPointY = y;
    m_lastXValue = m_handle.xValue;
    m_lastYValue = m_handle.yValue;
    m_accX = static_cast<float>(m_handle.xValue) * scale + scale / 2.0f;
    m_accY = static_cast<float>(m_maximum + s / 2 - m_handle.yValue) * scale + scale / 2.0f;
    CaptureMouse();
    ApplyCursor();
    if (CHfcKey* key = CHfcKey::GetKey())
        key->ClearFocus();
    TakeOrReleaseKeyFocus();
    SetDirty(true);
    if (m_listener)
    {
        CHfcControlListener* listener = m_listener;
        const CXBFilterHandle report = {hit, m_handle.yValue, m_handle.xValue};
        listener->OnBeginEdit(this);
        listener->OnTextChanged(this, reinterpret_cast<const char*>(&report));
    }
    return true;
}

bool CXBCtrlFilterGraph::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_readOnly || !HasCapture() || m_dragged == kNoHandle)
        return false;
    if (m_listener)
        m_listener->OnControlMouseMove(this, x, y, modifiers);
    const int32_t s = m_record.handleSize;
    const float scale = m_record.dragScale;
    float dx = static_cast<float>(x - m_lastPointX) * scale;
    float dy = static_cast<float>(y - m_lastPointY) * scale;
    float stepScale = 1.0f;
    if (modifiers & kModifierShift)
    {
        dx /= 2.0f;
        dy /= 2.0f;
    }
    else
    {
        const float range = static_cast<float>(m_maximum - m_minimum + 1);
        dx = dx * range / static_cast<float>(m_record.width - s);
        dy = dy * range / static_cast<float>(m_record.height - s);
        stepScale = GetStepScale();
    }
    m_accX += dx;
    m_accY += stepScale * dy;
    m_lastPointX = x;
    m_lastPointY = y;
    const int32_t xValue =
        ClampToRange(static_cast<int32_t>(std::trunc(m_accX / scale)), m_minimum, m_maximum);
    const int32_t yValue = ClampToRange(m_maximum + s / 2 - static_cast<int32_t>(std::trunc(m_accY / scale)),
                                        m_minimum, m_maximum);
    ReportIfMoved(m_dragged, yValue, xValue);
    return true;
}

bool CXBCtrlFilterGraph::OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    if (!HasCapture())
        return false;
    ReleaseMouse();
    return true;
}

bool CXBCtrlFilterGraph::OnHfcMouseCaptureLost(CHfcMouse* mouse)
{
    if (mouse)
        mouse->SetCursor(0);
    const int32_t dragged = m_dragged;
    m_lastDragged = dragged;
    m_dragged = kNoHandle;
    SetDirty(true);
    if (m_listener && dragged != kNoHandle)
    {
        // The handle's own values confirm where the last report put it.
        CHfcControlListener* listener = m_listener;
        const CXBFilterHandle report = {dragged, m_handle.yValue, m_handle.xValue};
        listener->OnTextChanged(this, reinterpret_cast<const char*>(&report));
        listener->OnEndEdit(this);
        listener->OnControlCaptureLost(this);
    }
    return true;
}

bool CXBCtrlFilterGraph::OnKeyFocusKeyDown(uint32_t key, uint32_t)
{
    if (m_readOnly || HasCapture() || m_lastDragged == kNoHandle)
        return false;
    int32_t xValue = m_handle.xValue, yValue = m_handle.yValue;
    const int32_t step = 2 - m_record.keyStep;
    switch (key)
    {
    case 28:
        xValue -= step;
        break;
    case 29:
        xValue += step;
        break;
    case 30:
        yValue += 1;
        break;
    case 31:
        yValue -= 1;
        break;
    default:
        return false;
    }
    ReportIfMoved(m_lastDragged, ClampToRange(yValue, m_minimum, m_maximum),
                  ClampToRange(xValue, m_minimum, m_maximum));
    return true;
}

void CXBCtrlTolvexFilterAGraph::DrawResponse(CHfcDrawContext* context, int32_t cutoff, int32_t resonance)
{
    m_type = std::max(0, std::min(127, m_type));
    const CFilterCoefficients c = ComputeFilterCoefficients(cutoff, resonance);
    DrawCurve(context,
              ComputeBiquadResponse(GetSectionANumerator(c, m_type), c, m_record.width, m_record.height));
}

void CXBCtrlTolvexFilterBGraph::DrawResponse(CHfcDrawContext* context, int32_t cutoff, int32_t resonance)
{
    if (m_type >= 0 && m_type <= 2)
    {
        const CFilterCoefficients c = ComputeFilterCoefficients(cutoff, resonance);
        DrawCurve(context,
                  ComputeBiquadResponse(GetSectionBNumerator(c, m_type), c, m_record.width, m_record.height));
    }
    else if (m_type == 3)
        DrawCurve(context, ComputeCombResponse(cutoff, resonance, m_record.width, m_record.height));
}

void CCustomTolvexFilterA::SetEnabled(bool enabled)
{
    m_customEnabled = enabled;
    m_enabled = enabled;
}

void CCustomTolvexFilterA::SetOption(bool option)
{
    m_option = option;
    SetReadOnly(option);
}

void CCustomTolvexFilterB::SetEnabled(bool enabled)
{
    m_customEnabled = enabled;
    m_enabled = enabled;
}

void CCustomTolvexFilterB::SetOption(bool option)
{
    m_option = option;
    SetReadOnly(option);
}
