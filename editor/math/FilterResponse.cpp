#include "editor/math/FilterResponse.h"

#include "editor/math/EditorMathUtility.h"

#include <cmath>
#include <complex>

namespace
{
const double kPi = 3.14159265358979323846;

int32_t Limit127(int32_t value)
{
    return value < 0 ? 0 : value > 127 ? 127 : value;
}

// |b0 + b1 e^-jw + b2 e^-2jw|^2.
double SquaredMagnitude(double b0, double b1, double b2, double omega)
{
    const std::complex<double> z1 = std::polar(1.0, -omega);
    return std::norm(b0 + b1 * z1 + b2 * z1 * z1);
}

double PlotFraction(int32_t i, int32_t width)
{
    return 0.0005 * std::pow(1000.0, static_cast<double>(i) / static_cast<double>(width - 1));
}

bool IsGap(double level)
{
    return std::isnan(level) || level < -90.0;
}
} // namespace

CFilterCoefficients ComputeFilterCoefficients(int32_t cutoff, int32_t resonance)
{
    double u = Limit127(cutoff) / 127.0 - 0.03;
    if (u < 0.0)
        u = 0.0;
    const double v = Limit127(resonance) / 127.0;
    double x = std::pow(2.0, (u - 0.3) * 10.0) * 523.25 / 48000.0;
    if (x > 1.0)
        x = 1.0;
    double f = std::sin(x * kPi / 2.0) / 0.92;
    if (f > 1.0)
        f = 1.0;
    const double q = 1.0 - 0.9668 * v;
    const double a = 1.0 - q * q * f;
    const double k = 0.42 * a * a + 0.5;
    CFilterCoefficients c;
    c.f = 2.0 * k * f;
    c.q = 2.0 * k * q * q;
    c.d1 = c.f * c.f + c.q * c.f - 2.0;
    c.d2 = 1.0 - c.q * c.f;
    return c;
}

CFilterNumerator GetLowPassNumerator(const CFilterCoefficients& c)
{
    return {c.f * c.f, 0.0, 0.0};
}

CFilterNumerator GetHighPassNumerator(const CFilterCoefficients&)
{
    return {1.0, -2.0, 1.0};
}

CFilterNumerator GetBandPassNumerator(const CFilterCoefficients& c)
{
    return {c.f, -c.f, 0.0};
}

CFilterNumerator GetUnfilteredNumerator(const CFilterCoefficients& c)
{
    return {1.0, c.d1, c.d2};
}

std::array<float, 4> GetBalanceWeights(int32_t balance)
{
    int32_t b = Limit127(balance);
    if (b < 31)
        b = 31;
    const float fb = static_cast<float>(b);
    if (b <= 33)
        return {1.0f, 0.0f, 0.0f, 0.0f};
    if (b <= 62)
        return {(63.0f - fb) / 30.0f, (fb - 33.0f) / 30.0f, 0.0f, 0.0f};
    if (b <= 65)
        return {0.0f, 1.0f, 0.0f, 0.0f};
    if (b <= 94)
        return {0.0f, (95.0f - fb) / 30.0f, (fb - 65.0f) / 30.0f, 0.0f};
    if (b <= 97)
        return {0.0f, 0.0f, 1.0f, 0.0f};
    return {0.0f, 0.0f, (127.0f - fb) / 30.0f, (fb - 97.0f) / 30.0f};
}

CFilterNumerator GetSectionANumerator(const CFilterCoefficients& c, int32_t balance)
{
    const std::array<float, 4> w = GetBalanceWeights(balance);
    const CFilterNumerator parts[4] = {GetLowPassNumerator(c), GetHighPassNumerator(c),
                                       GetBandPassNumerator(c), GetUnfilteredNumerator(c)};
    CFilterNumerator sum;
    for (size_t i = 0; i < 4; ++i)
    {
        sum.b0 += w[i] * parts[i].b0;
        sum.b1 += w[i] * parts[i].b1;
        sum.b2 += w[i] * parts[i].b2;
    }
    return sum;
}

CFilterNumerator GetSectionBNumerator(const CFilterCoefficients& c, int32_t type)
{
    switch (type)
    {
    case 0:
        return GetLowPassNumerator(c);
    case 1:
        return GetHighPassNumerator(c);
    case 2:
        return GetBandPassNumerator(c);
    default:
        return {};
    }
}

bool IsFilterPlotSizeValid(int32_t width, int32_t height)
{
    return width >= 2 && height >= 1;
}

std::vector<CResponsePoint> ComputeBiquadResponse(const CFilterNumerator& n, const CFilterCoefficients& c,
                                                  int32_t width, int32_t height)
{
    std::vector<CResponsePoint> points;
    if (!IsFilterPlotSizeValid(width, height))
        return points;
    points.reserve(static_cast<size_t>(width));
    for (int32_t i = 0; i < width; ++i)
    {
        const double phi = PlotFraction(i, width);
        const double omega = 2.0 * kPi * phi;
        const double level = 10.0 * std::log(SquaredMagnitude(n.b0, n.b1, n.b2, omega) /
                                             SquaredMagnitude(1.0, c.d1, c.d2, omega));
        CResponsePoint point;
        point.x =
            width <= 50 ? static_cast<float>((std::log10(width * phi) + 2.05) * 12.0) : static_cast<float>(i);
        point.y = static_cast<float>(0.6 * height - 0.005 * height * level);
        point.gap = IsGap(level);
        points.push_back(point);
    }
    return points;
}

std::vector<CResponsePoint> ComputeCombResponse(int32_t cutoff, int32_t resonance, int32_t width,
                                                int32_t height)
{
    std::vector<CResponsePoint> points;
    if (!IsFilterPlotSizeValid(width, height))
        return points;
    const double a = GetCombFeedback(resonance);
    const double g = GetCombDelay(cutoff);
    points.reserve(static_cast<size_t>(width));
    for (int32_t i = 0; i < width; ++i)
    {
        const double phi = PlotFraction(i, width);
        const double level =
            -10.0 * std::log(std::sqrt(1.0 - 2.0 * a * std::cos(2.0 * kPi * phi * g) + a * a));
        const double offset = width <= 50 ? 2.05 : 1.8;
        const double scale = width <= 50 ? 12.0 : 21.0;
        CResponsePoint point;
        point.x = static_cast<float>((std::log10(width * phi) + offset) * scale);
        point.y = static_cast<float>(0.6 * height - 0.006 * height * level);
        point.gap = IsGap(level);
        points.push_back(point);
    }
    return points;
}

std::vector<CResponseStroke> CollectResponseStrokes(const std::vector<CResponsePoint>& points, int32_t width,
                                                    int32_t height)
{
    std::vector<CResponseStroke> strokes;
    bool started = false;
    for (size_t i = 0; i < points.size(); ++i)
    {
        const CResponsePoint& p = points[i];
        if (p.gap)
            continue;
        if (!started)
        {
            started = true;
            continue;
        }
        if (!(p.y > 2.0f && p.y < height + 1.0f && p.x > 2.0f && p.x < width - 1.0f))
            continue;
        const CResponsePoint& from = points[i - 1].gap ? p : points[i - 1];
        strokes.push_back({from.x, from.y, p.x, p.y});
    }
    return strokes;
}

bool IsFilterHandleGeometryValid(int32_t width, int32_t height, int32_t handleSize, int32_t maximum)
{
    return handleSize >= 0 && maximum > 0 && static_cast<int64_t>(width) - handleSize > 0 &&
           static_cast<int64_t>(height) - handleSize > 0;
}

CGraphPoint GetFilterHandlePosition(int32_t xValue, int32_t yValue, int32_t width, int32_t height,
                                    int32_t handleSize, int32_t maximum)
{
    if (maximum == 0)
        return {};
    const int64_t s = handleSize;
    const int64_t x = static_cast<int64_t>(xValue) * (width - s) / maximum + s / 2;
    const int64_t y = (height - s) + s / 2 - static_cast<int64_t>(yValue) * (height - s) / maximum;
    return {SaturateToInt32(x), SaturateToInt32(y)};
}

bool IsOnFilterHandle(const CGraphPoint& handle, int32_t handleSize, int32_t x, int32_t y)
{
    const int64_t reach = handleSize / 2 + 5;
    const int64_t left = handle.x - reach;
    const int64_t top = handle.y - reach;
    return left < x && x < left + handleSize + 10 && top < y && y < top + handleSize + 10;
}
