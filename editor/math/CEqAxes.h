#pragma once

#include "editor/math/EqResponse.h"

#include <cstdint>
#include <vector>

// The ranges of an EQ graph's record (defaults as the record's): the axes shown, and the
// ranges a dragged band's frequency and gain are held to.
struct CEqGraphRanges
{
    double displayLowHz = 16.0;
    double displayHighHz = 24000.0;
    double bandLowHz = 20.0;
    double bandHighHz = 20000.0;
    double displayLowDb = -18.0;
    double displayHighDb = 18.0;
    double gainLowDb = -18.0;
    double gainHighDb = 18.0;
};

// One point of a curve in pixels, relative to the control's corner.
struct CCurvePoint
{
    float x = 0.0f;
    float y = 0.0f;
};

// The EQ graph's axes: a logarithmic frequency axis across the width and a linear dB axis
// down the height (the top is the highest level).
class CEqAxes
{
public:
    // False, leaving the axes as they were, for a width or height below 1, a display
    // frequency range that is empty or not above 0 Hz, an empty dB range, or a band or gain
    // range whose low end is above its high end.
    bool Create(int32_t width, int32_t height, const CEqGraphRanges& ranges);
    bool IsCreated() const { return m_width > 0; }

    // 10^(lf + x / width x (hf - lf)) of the display range's logarithms; 0.0001 when that
    // exponent is not above 0.
    double FrequencyOfColumn(double x) const;
    // -1 outside the display range.
    double ColumnOfFrequency(double frequency) const;
    // -1 outside the dB range.
    double RowOfLevel(double level) const;
    // The row a curve is drawn at: the level held to the dB range first, so that a level
    // beyond the axis runs along its edge instead of becoming the coordinate -1.
    double RowOfLevelClamped(double level) const;
    // The level at row y: (height - y) / height x (high - low) + low.
    double LevelOfRow(double y) const;
    double ClampBandFrequency(double frequency) const;
    double ClampGain(double level) const;

    // The summed response: one point for each column of the width.
    std::vector<CCurvePoint> ComputeCurve(const CEqBiquad* bands, size_t count, double sampleRate) const;

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    const CEqGraphRanges& GetRanges() const { return m_ranges; }

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    CEqGraphRanges m_ranges;
    double m_logLow = 0.0;
    double m_logHigh = 0.0;
};
