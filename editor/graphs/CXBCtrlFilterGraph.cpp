#include "editor/graphs/CXBCtrlFilterGraph.h"

#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"

#include <algorithm>

uint32_t CXBCtrlFilterGraph::ScaleAlpha(uint32_t argb, float factor)
{
    const float alpha = static_cast<float>(argb >> 24) * std::max(0.0f, std::min(1.0f, factor));
    return (argb & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24;
}

bool CXBCtrlFilterGraph::Create(const CXBCtrlFilterGraphRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record || !IsFilterPlotSizeValid(record->width, record->height) ||
        !IsFilterHandleGeometryValid(record->width, record->height, record->handleSize,
                                     record->handleMaximum))
        return false;
    m_record = *record;
    SetRect(record->x - 2, record->y - 2, record->width + 4, record->height + 4);
    m_minimum = record->handleMinimum;
    m_maximum = record->handleMaximum;
    m_type = record->type;
    m_handle = CXBFilterHandle();
    m_readOnly = false;
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
    DrawResponse(context, cutoff, resonance);
    DrawHandles(context);
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

bool CXBCtrlFilterGraph::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    // The program edit page shows its filter graphs read-only: a press changes nothing.
    if (m_readOnly)
        return true;
    return m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers);
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
