#include "editor/graphs/CCustomEqGraph.h"

#include "editor/math/EditorMathUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"

#include <cmath>
#include <cstdlib>

bool CCustomEqGraph::Create(const CCustomEqGraphRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record || record->bandCount < 1)
        return false;
    CEqAxes axes;
    if (!axes.Create(record->width, record->height, record->ranges))
        return false;
    m_record = *record;
    m_axes = axes;
    m_bands.assign(static_cast<size_t>(record->bandCount), CEqBand());
    m_selected = m_dragged = -1;
    SetRect(record->x, record->y, record->width, record->height);
    m_id = id;
    m_userValue = eventKind;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CCustomEqGraph::Destroy()
{
    m_bands.clear();
    m_record = CCustomEqGraphRecord();
    m_axes = CEqAxes();
    return CHfcControl::Destroy();
}

void CCustomEqGraph::SetBand(const CEqBandCommand& c, bool redraw)
{
    if (c.band < 0 || c.band >= static_cast<int32_t>(m_bands.size()))
        return;
    CEqBand& band = m_bands[static_cast<size_t>(c.band)];
    switch (c.kind)
    {
    case 0:
        band.frequency = c.values[0];
        break;
    case 1:
        band.second = c.values[0];
        break;
    case 2:
        band.gain = c.values[0];
        break;
    case 3:
        band.biquad = {c.values[0], c.values[1], c.values[2], c.values[3], c.values[4]};
        break;
    case 4:
        m_sampleRate = c.values[0];
        break;
    case 5:
        m_selected = c.band;
        break;
    default:
        return;
    }
    if (redraw)
        SetDirty(true);
}

CGraphPoint CCustomEqGraph::HandleCentre(const CEqBand& band) const
{
    return {static_cast<int32_t>(m_axes.ColumnOfFrequency(band.frequency)),
            static_cast<int32_t>(m_axes.RowOfLevelClamped(band.gain))};
}

void CCustomEqGraph::EraseBackground(CHfcDrawContext* context)
{
    if (!context)
        return;
    if (m_record.background)
        context->DrawBitmap(m_rect, m_record.background, m_record.backgroundX, m_record.backgroundY);
    else
        context->ClearRect(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top),
                           static_cast<float>(m_rect.GetWidth()), static_cast<float>(m_rect.GetHeight()));
}

void CCustomEqGraph::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context || !m_axes.IsCreated())
        return;
    EraseBackground(context);
    std::vector<CEqBiquad> biquads;
    for (const CEqBand& band : m_bands)
        biquads.push_back(band.biquad);
    const std::vector<CCurvePoint> curve = m_axes.ComputeCurve(biquads.data(), biquads.size(), m_sampleRate);
    const float left = static_cast<float>(m_rect.left), top = static_cast<float>(m_rect.top);
    // Disabled, the curve and the squares dim as the filter graphs do.
    const float dim = m_enabled ? 1.0f : m_disabledAlpha;
    const uint32_t pen = context->GetPenColor(), brush = context->GetBrushColor();
    context->SetPenWidth(1.0f);
    context->SetPenColor(ScaleAlpha(m_record.curveColor, dim));
    for (size_t i = 0; i < curve.size(); ++i)
    {
        if (i == 0)
            context->MoveTo(left + curve[i].x, top + curve[i].y);
        else
            context->LineTo(left + curve[i].x, top + curve[i].y);
    }
    for (size_t i = 0; i < m_bands.size(); ++i)
    {
        const CGraphPoint c = HandleCentre(m_bands[i]);
        const bool selected = static_cast<int32_t>(i) == m_selected;
        context->SetBrushColor(ScaleAlpha(selected ? m_record.selectedFillColor : m_record.fillColor, dim));
        context->FillRect(m_rect.left + c.x - 3, m_rect.top + c.y - 3, 7, 7);
        context->SetPenColor(ScaleAlpha(selected ? m_record.selectedFrameColor : m_record.frameColor, dim));
        context->DrawRect(m_rect.left + c.x - 3, m_rect.top + c.y - 3, 7, 7);
    }
    context->SetPenColor(pen);
    context->SetBrushColor(brush);
}

void CCustomEqGraph::ReportPosition(float x, float y)
{
    if (!m_listener)
        return;
    CEqBandReport report;
    report.kind = 0;
    report.band = m_dragged;
    report.value1 = static_cast<float>(m_axes.ClampBandFrequency(m_axes.FrequencyOfColumn(x)));
    report.value2 = static_cast<float>(m_axes.ClampGain(m_axes.LevelOfRow(y)));
    m_listener->OnTextChanged(this, reinterpret_cast<const char*>(&report));
}

bool CCustomEqGraph::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    if (m_option || !m_customEnabled)
        return true;
    CaptureMouse();
    ApplyCursor();
    for (size_t i = 0; i < m_bands.size(); ++i)
    {
        const CGraphPoint c = HandleCentre(m_bands[i]);
        if (std::abs(c.x - x) > kHitReach || std::abs(c.y - y) > kHitReach)
            continue;
        m_dragged = static_cast<int32_t>(i);
        m_accX = static_cast<float>(x);
        m_accY = static_cast<float>(y);
        m_accSecond = m_bands[i].second * 9.5f + 0.5f;
        m_lastX = x;
        m_lastY = y;
        ReportPosition(m_accX, m_accY);
        break;
    }
    return true;
}

bool CCustomEqGraph::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlLButtonDblClk(this, x, y, modifiers))
        return true;
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CCustomEqGraph::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!HasCapture())
        return false;
    if (m_listener)
        m_listener->OnControlLButtonUp(this, x, y, modifiers);
    ReleaseMouse();
    return true;
}

bool CCustomEqGraph::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers))
        return true;
    if (!HasCapture() || m_dragged < 0)
        return false;
    float dx = static_cast<float>(x - m_lastX), dy = static_cast<float>(y - m_lastY);
    if (modifiers & kModifierShift)
    {
        dx *= 0.1f;
        dy *= 0.1f;
    }
    m_lastX = x;
    m_lastY = y;
    if (!m_listener)
        return true;
    if (modifiers & kModifierAlt)
    {
        m_accSecond += 0.1f * dx;
        CEqBandReport report;
        report.kind = 1;
        report.band = m_dragged;
        report.value1 = m_accSecond;
        m_listener->OnTextChanged(this, reinterpret_cast<const char*>(&report));
        return true;
    }
    m_accX += dx;
    m_accY += dy;
    ReportPosition(m_accX, m_accY);
    return true;
}

bool CCustomEqGraph::OnHfcMouseCaptureLost(CHfcMouse*)
{
    m_dragged = -1;
    if (m_value != 0 && m_listener)
        m_listener->OnValueChanged(this, 1);
    return true;
}

void CCustomEqGraph::SetEnabled(bool enabled)
{
    m_customEnabled = enabled;
    m_enabled = enabled;
}
