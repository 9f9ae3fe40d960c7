#pragma once

#include "editor/math/CGraphPoint.h"

#include <cstdint>
#include <vector>

// One point of an envelope: its level, its time relative to the previous point and the
// curve type that shapes the segment leading to it (3 = straight).
struct CEnvelopePoint
{
    int32_t level = 0;
    int32_t time = 0;
    uint32_t curveType = 3;
};

// The curve types 0..4 as 256 entries rising from 0.0 to 1.0 (type 3, straight, is all zeros
// and never read). Entries and types outside give 0.0.
double GetEnvelopeShape(uint32_t type, uint32_t entry);

// The envelope curve's points and its pixel layout: handle size h, usable width W = width - h
// and height H = height - h, column step W / (n - 1), control maximum M. Point 0 sits at
// x = h / 2, each further point time x step / M to the right of the one before; a level's
// y is H - level x H / M + h / 2. A time of M thus spans one column step.
class CEnvelopeCurveGeometry
{
public:
    // False, leaving the geometry as it was, when the width or height is below 1, there are
    // fewer than 2 points, the handle leaves no usable width or height, the step would be 0,
    // the maximum is below 1 or the minimum above the maximum: each of them is a divisor or
    // a clamp range. Every point starts as {0, 0, 3}.
    bool Create(int32_t width, int32_t height, int32_t pointCount, int32_t handleSize, int32_t minimum,
                int32_t maximum);
    bool IsCreated() const { return !m_points.empty(); }

    // False (nothing changes) for an index outside the points.
    bool SetPoint(int32_t index, const CEnvelopePoint& point);
    const std::vector<CEnvelopePoint>& GetPoints() const { return m_points; }
    const std::vector<CGraphPoint>& GetScreenPoints() const { return m_screen; }
    int32_t GetStep() const { return m_step; }

    // The polyline of the curve from point 0: a segment whose type is 0, 1, 2 or 4, 1 to 255
    // pixels wide and not flat runs column by column along its shape; every segment ends
    // at its point.
    std::vector<CGraphPoint> TraceCurve() const;
    // The highest index whose handle area holds the point (bounds excluded), or -2.
    int32_t HitTest(int32_t x, int32_t y) const;
    // The level and time that dragging point index to (x, y) reports, both clamped to the
    // minimum and maximum; point 0's time is always 0. The curve type is the point's.
    CEnvelopePoint DragPoint(int32_t index, int32_t x, int32_t y) const;

private:
    void LayOut();

    int32_t m_handle = 0;
    int32_t m_usableHeight = 0;
    int32_t m_step = 0;
    int32_t m_minimum = 0;
    int32_t m_maximum = 0;
    std::vector<CEnvelopePoint> m_points;
    std::vector<CGraphPoint> m_screen;
};
