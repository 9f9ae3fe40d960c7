#include "editor/math/CEnvelopeCurveGeometry.h"

#include "editor/math/EditorMathUtility.h"

#include <cmath>

bool CEnvelopeCurveGeometry::Create(int32_t width, int32_t height, int32_t pointCount, int32_t handleSize,
                                    int32_t minimum, int32_t maximum)
{
    if (width < 1 || height < 1 || pointCount < 2 || handleSize < 0 || maximum < 1 || minimum > maximum)
        return false;
    const int64_t usableWidth = static_cast<int64_t>(width) - handleSize;
    const int64_t usableHeight = static_cast<int64_t>(height) - handleSize;
    if (usableWidth < 1 || usableHeight < 1)
        return false;
    const int64_t step = usableWidth / (pointCount - 1);
    if (step < 1)
        return false;
    m_handle = handleSize;
    m_usableHeight = static_cast<int32_t>(usableHeight);
    m_step = static_cast<int32_t>(step);
    m_minimum = minimum;
    m_maximum = maximum;
    m_points.assign(static_cast<size_t>(pointCount), CEnvelopePoint());
    LayOut();
    return true;
}

bool CEnvelopeCurveGeometry::SetPoint(int32_t index, const CEnvelopePoint& point)
{
    if (index < 0 || static_cast<size_t>(index) >= m_points.size())
        return false;
    m_points[static_cast<size_t>(index)] = point;
    LayOut();
    return true;
}

void CEnvelopeCurveGeometry::LayOut()
{
    m_screen.resize(m_points.size());
    const int64_t half = m_handle / 2;
    int64_t x = half;
    for (size_t i = 0; i < m_points.size(); ++i)
    {
        if (i > 0)
            x += static_cast<int64_t>(m_points[i].time) * m_step / m_maximum;
        const int64_t y =
            m_usableHeight - static_cast<int64_t>(m_points[i].level) * m_usableHeight / m_maximum + half;
        m_screen[i].x = SaturateToInt32(x);
        m_screen[i].y = SaturateToInt32(y);
    }
}

std::vector<CGraphPoint> CEnvelopeCurveGeometry::TraceCurve() const
{
    std::vector<CGraphPoint> line;
    if (m_screen.size() < 2)
        return line;
    line.push_back(m_screen[0]);
    for (size_t i = 1; i < m_screen.size(); ++i)
    {
        const CGraphPoint from = m_screen[i - 1];
        const int64_t dx = static_cast<int64_t>(m_screen[i].x) - from.x;
        const int64_t dy = static_cast<int64_t>(m_screen[i].y) - from.y;
        const uint32_t type = m_points[i].curveType;
        if (type <= 4 && type != 3 && dx >= 1 && dx <= 255 && dy != 0)
        {
            for (int64_t j = 0; j < dx; ++j)
            {
                const double shape = GetEnvelopeShape(type, static_cast<uint32_t>(j * 255 / dx));
                line.push_back({SaturateToInt32(from.x + j),
                                SaturateToInt32(from.y + static_cast<int64_t>(std::trunc(shape * dy)))});
            }
        }
        line.push_back(m_screen[i]);
    }
    return line;
}

int32_t CEnvelopeCurveGeometry::HitTest(int32_t x, int32_t y) const
{
    const int64_t reach = m_handle / 2 + 3;
    for (size_t i = m_screen.size(); i-- > 0;)
    {
        const int64_t left = m_screen[i].x - reach;
        const int64_t top = m_screen[i].y - reach;
        if (left < x && x < left + m_handle + 6 && top < y && y < top + m_handle + 6)
            return static_cast<int32_t>(i);
    }
    return -2;
}

CEnvelopePoint CEnvelopeCurveGeometry::DragPoint(int32_t index, int32_t x, int32_t y) const
{
    CEnvelopePoint point;
    if (index < 0 || static_cast<size_t>(index) >= m_points.size())
        return point;
    const size_t i = static_cast<size_t>(index);
    point.curveType = m_points[i].curveType;
    int64_t time = 0;
    if (i > 0)
        time = (static_cast<int64_t>(x) - m_screen[i - 1].x) * m_maximum / m_step;
    const int64_t level = m_maximum - static_cast<int64_t>(m_maximum) *
                                          (static_cast<int64_t>(y) - m_handle / 2) / m_usableHeight;
    point.time = i > 0 ? ClampToRange(time, m_minimum, m_maximum) : 0;
    point.level = ClampToRange(level, m_minimum, m_maximum);
    return point;
}
