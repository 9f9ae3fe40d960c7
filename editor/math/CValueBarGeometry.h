#pragma once

#include "foundation/CHfcRect.h"

#include <cstdint>

// The value bar's value, range and geometry. Value, minimum, maximum and origin are kept in
// tenths of a parameter unit; the setters take whole units and the getters give whole units
// truncated toward zero. Positions are relative to the control's top-left corner; the bar
// runs inside a one-pixel margin, to the right (horizontal) or upwards (vertical), or in
// centre mode from the middle towards either end around the origin.
class CValueBarGeometry
{
public:
    // False, leaving the geometry as it was, when the width or the height leaves nothing
    // inside the margin (2 pixels or less) or the maximum is not above the minimum: the
    // track's length and the range are divisors.
    bool Create(int32_t width, int32_t height, bool vertical, bool centreMode, int32_t minimum,
                int32_t maximum, int32_t origin);
    bool IsCreated() const { return m_created; }

    // The value is clamped to the range.
    void SetValue(int32_t value);
    int32_t GetValue() const { return m_value / 10; }
    int32_t GetValueTenths() const { return m_value; }
    void SetMinimum(int32_t minimum);
    void SetMaximum(int32_t maximum);
    int32_t GetMinimum() const { return m_minimum / 10; }
    int32_t GetMaximum() const { return m_maximum / 10; }
    // The origin in tenths (the owner's tag).
    void SetOriginTenths(int32_t origin) { m_origin = origin; }
    int32_t GetOriginTenths() const { return m_origin; }

    // A press sets the value of the point along the track, from the minimum at the start,
    // clamped; the point becomes the drag's last point.
    void Press(int32_t x, int32_t y);
    // A drag moves the value by the movement since the last point in track units; with Shift
    // by a tenth of that, and at least one tenth in the direction of the movement.
    void Drag(int32_t x, int32_t y, bool shift);

    // The filled part of the bar; empty (zero width or height) when nothing is filled.
    CHfcRect GetFillRect() const;

private:
    int64_t Span() const { return static_cast<int64_t>(m_maximum) - m_minimum; }
    int32_t Length() const { return m_vertical ? m_height : m_width; }
    int32_t ClampedValue() const;

    bool m_created = false;
    int32_t m_width = 0;
    int32_t m_height = 0;
    bool m_vertical = false;
    bool m_centreMode = false;
    int32_t m_value = 0;
    int32_t m_minimum = 0;
    int32_t m_maximum = 0;
    int32_t m_origin = 0;
    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
};
