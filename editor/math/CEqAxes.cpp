#include "editor/math/CEqAxes.h"

#include <cmath>

namespace
{
double Clamp(double value, double low, double high)
{
    return value < low ? low : value > high ? high : value;
}
} // namespace

bool CEqAxes::Create(int32_t width, int32_t height, const CEqGraphRanges& r)
{
    // Written so that a NaN anywhere fails too.
    if (width < 1 || height < 1 || !(r.displayLowHz > 0.0 && r.displayLowHz < r.displayHighHz) ||
        !(r.displayLowDb < r.displayHighDb) || !(r.bandLowHz <= r.bandHighHz) ||
        !(r.gainLowDb <= r.gainHighDb) || !std::isfinite(r.displayHighHz) || !std::isfinite(r.displayLowDb) ||
        !std::isfinite(r.displayHighDb))
        return false;
    m_width = width;
    m_height = height;
    m_ranges = r;
    m_logLow = std::log10(r.displayLowHz);
    m_logHigh = std::log10(r.displayHighHz);
    return true;
}

double CEqAxes::FrequencyOfColumn(double x) const
{
    if (m_width < 1)
        return 0.0001;
    const double exponent = m_logLow + x / m_width * (m_logHigh - m_logLow);
    if (!(exponent > 0.0))
        return 0.0001;
    return std::pow(10.0, exponent);
}

double CEqAxes::ColumnOfFrequency(double frequency) const
{
    if (m_width < 1 || !(frequency >= m_ranges.displayLowHz && frequency <= m_ranges.displayHighHz))
        return -1.0;
    return (std::log10(frequency) - m_logLow) / (m_logHigh - m_logLow) * m_width;
}

double CEqAxes::RowOfLevel(double level) const
{
    if (m_height < 1 || !(level >= m_ranges.displayLowDb && level <= m_ranges.displayHighDb))
        return -1.0;
    return (1.0 - (level - m_ranges.displayLowDb) / (m_ranges.displayHighDb - m_ranges.displayLowDb)) *
           m_height;
}

double CEqAxes::RowOfLevelClamped(double level) const
{
    // A level that is not a number draws as 0 dB, held to the range like any other.
    if (std::isnan(level))
        level = 0.0;
    return RowOfLevel(Clamp(level, m_ranges.displayLowDb, m_ranges.displayHighDb));
}

double CEqAxes::LevelOfRow(double y) const
{
    if (m_height < 1)
        return 0.0;
    return (m_height - y) / m_height * (m_ranges.displayHighDb - m_ranges.displayLowDb) +
           m_ranges.displayLowDb;
}

double CEqAxes::ClampBandFrequency(double frequency) const
{
    return Clamp(frequency, m_ranges.bandLowHz, m_ranges.bandHighHz);
}

double CEqAxes::ClampGain(double level) const
{
    return Clamp(level, m_ranges.gainLowDb, m_ranges.gainHighDb);
}

std::vector<CCurvePoint> CEqAxes::ComputeCurve(const CEqBiquad* bands, size_t count, double sampleRate) const
{
    std::vector<CCurvePoint> curve;
    if (m_width < 1 || !(sampleRate > 0.0))
        return curve;
    curve.reserve(static_cast<size_t>(m_width));
    for (int32_t x = 0; x < m_width; ++x)
    {
        const double level = ComputeEqLevel(bands, count, FrequencyOfColumn(x), sampleRate);
        curve.push_back({static_cast<float>(x), static_cast<float>(RowOfLevelClamped(level))});
    }
    return curve;
}
