#include "editor/graphs/CHfcCtrlLfoGraph.h"

#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"

namespace
{
constexpr uint32_t kLfoEventKind = 5;
} // namespace

bool CHfcCtrlLfoGraph::Create(const CHfcCtrlLfoGraphRecord* record, uint32_t id)
{
    if (!record || record->width < 1 || record->height < 1)
        return false;
    m_record = *record;
    m_shape = CLfoShape();
    m_level = -1;
    m_levelRatio = 0.0f;
    m_value = -1;
    SetRect(record->x, record->y, record->width, record->height);
    m_minimum = 0;
    m_maximum = 127;
    m_id = id;
    m_userValue = kLfoEventKind;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

void CHfcCtrlLfoGraph::SetWave(int32_t index)
{
    if (index < 0 || index >= 6)
        return;
    m_shape.wave = index;
    SetDirty(true);
}

void CHfcCtrlLfoGraph::SetRandom(bool random)
{
    m_shape.random = random;
    SetDirty(true);
}

void CHfcCtrlLfoGraph::SetLevel(int32_t level)
{
    m_level = level;
    m_levelRatio = GetLfoLevelRatio(level);
    SetDirty(true);
}

void CHfcCtrlLfoGraph::SetValue(int32_t value, bool redraw)
{
    m_value = value;
    if (redraw)
        SetDirty(true);
}

std::vector<CGraphPoint> CHfcCtrlLfoGraph::ComputePoints() const
{
    return ComputeLfoWave(m_shape, m_levelRatio, m_value < 0 ? 0 : m_value, m_rect.GetWidth(),
                          m_rect.GetHeight());
}

void CHfcCtrlLfoGraph::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_record.background, m_record.backgroundX, m_record.backgroundY);
}

void CHfcCtrlLfoGraph::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    EraseBackground(context);
    const std::vector<CGraphPoint> points = ComputePoints();
    if (points.empty())
        return;
    const uint32_t pen = context->GetPenColor();
    context->SetPenWidth(1.0f);
    context->SetPenColor(m_record.lineColor);
    context->MoveTo(m_rect.left + points[0].x, m_rect.top + points[0].y);
    for (const CGraphPoint& p : points)
        context->LineTo(m_rect.left + p.x, m_rect.top + p.y);
    context->SetPenColor(pen);
}

bool CHfcCtrlLfoGraph::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers);
}

bool CHfcCtrlLfoGraph::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers);
}

bool CHfcCtrlLfoGraph::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
}

void CCustomLfoGraph::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    SetDirty(true);
}
