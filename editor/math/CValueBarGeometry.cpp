#include "editor/math/CValueBarGeometry.h"

#include "editor/math/EditorMathUtility.h"

namespace
{
int32_t Tenths(int32_t value)
{
    return SaturateToInt32(static_cast<int64_t>(value) * 10);
}
} // namespace

bool CValueBarGeometry::Create(int32_t width, int32_t height, bool vertical, bool centreMode, int32_t minimum,
                               int32_t maximum, int32_t origin)
{
    const int32_t length = vertical ? height : width;
    const int32_t across = vertical ? width : height;
    if (length <= 2 || across <= 2 || maximum <= minimum)
        return false;
    m_width = width;
    m_height = height;
    m_vertical = vertical;
    m_centreMode = centreMode;
    m_minimum = Tenths(minimum);
    m_maximum = Tenths(maximum);
    m_origin = Tenths(origin);
    m_value = ClampedValue();
    m_created = true;
    return true;
}

int32_t CValueBarGeometry::ClampedValue() const
{
    if (m_minimum > m_maximum)
        return m_minimum;
    return ClampToRange(m_value, m_minimum, m_maximum);
}

void CValueBarGeometry::SetValue(int32_t value)
{
    m_value = Tenths(value);
    m_value = ClampedValue();
}

void CValueBarGeometry::SetMinimum(int32_t minimum)
{
    m_minimum = Tenths(minimum);
}

void CValueBarGeometry::SetMaximum(int32_t maximum)
{
    m_maximum = Tenths(maximum);
}

void CValueBarGeometry::Press(int32_t x, int32_t y)
{
    m_lastX = x;
    m_lastY = y;
    if (!m_created || Span() <= 0)
        return;
    const int64_t along = m_vertical ? static_cast<int64_t>(m_height) - y : x;
    m_value = ClampToRange(m_minimum + along * Span() / (Length() - 2), m_minimum, m_maximum);
}

void CValueBarGeometry::Drag(int32_t x, int32_t y, bool shift)
{
    const int64_t movement =
        m_vertical ? static_cast<int64_t>(m_lastY) - y : static_cast<int64_t>(x) - m_lastX;
    m_lastX = x;
    m_lastY = y;
    if (!m_created || Span() <= 0)
        return;
    int64_t step = movement * Span() / (Length() - 2);
    if (shift)
    {
        step /= 10;
        if (step == 0 && movement != 0)
            step = movement > 0 ? 1 : -1;
    }
    m_value = ClampToRange(static_cast<int64_t>(ClampedValue()) + step, m_minimum, m_maximum);
}

CHfcRect CValueBarGeometry::GetFillRect() const
{
    if (!m_created || Span() <= 0)
        return CHfcRect();
    const int64_t value = ClampedValue();
    const int64_t length = Length();
    // along the track: the first and one past the last filled pixel, counted from the start
    int64_t first = 1;
    int64_t end = 1;
    if (!m_centreMode)
    {
        end = 1 + (length - 2) * (value - m_minimum) / Span();
    }
    else
    {
        const int64_t half = length / 2;
        int64_t n = 1;
        if (value > m_origin)
        {
            const int64_t scaled =
                (length - half - 2) * (value - m_origin) / (static_cast<int64_t>(m_maximum) - m_origin);
            n = (scaled < 1 ? 1 : scaled) + 1;
            first = half;
            end = half + n;
        }
        else if (value < m_origin)
        {
            const int64_t scaled =
                (half - 1) * (m_origin - value) / (static_cast<int64_t>(m_origin) - m_minimum);
            n = (scaled < 1 ? 1 : scaled) + 1;
            first = half + 1 - n;
            end = half + 1;
        }
        else
        {
            first = half;
            end = half + 1;
        }
    }
    if (!m_vertical)
        return CHfcRect(SaturateToInt32(first), 1, SaturateToInt32(end), m_height - 1);
    return CHfcRect(1, SaturateToInt32(m_height - end), m_width - 1, SaturateToInt32(m_height - first));
}
