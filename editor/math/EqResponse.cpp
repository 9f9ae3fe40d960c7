#include "editor/math/EqResponse.h"

#include <cmath>
#include <complex>

namespace
{
const double kPi = 3.14159265358979323846;
// 2 pi as the graph's float constant.
const double kTwoPi = 6.2831854820251465;

const double kLowShelfHz[] = {20,  22,  25,  28,  32,  36,  40,  45,  50,  56,  63,  71,
                              80,  90,  100, 112, 125, 140, 160, 180, 200, 224, 250, 280,
                              315, 400, 450, 500, 560, 630, 710, 800, 900, 1000};
const double kHighShelfHz[] = {1000, 1120,  1250,  1400,  1600,  1800,  2000,  2240, 2500,
                               2800, 3150,  4000,  4500,  5000,  5600,  6300,  7100, 8000,
                               9000, 10000, 11200, 12500, 14000, 16000, 18000, 20000};

template <size_t N> double Pick(const double (&list)[N], int32_t index)
{
    return list[index < 0 ? 0 : static_cast<size_t>(index) >= N ? N - 1 : static_cast<size_t>(index)];
}
} // namespace

size_t GetShelfFrequencyCount(CEqShelf shelf)
{
    return shelf == CEqShelf::Low ? sizeof kLowShelfHz / sizeof kLowShelfHz[0]
                                  : sizeof kHighShelfHz / sizeof kHighShelfHz[0];
}

double GetShelfFrequency(CEqShelf shelf, int32_t index)
{
    return shelf == CEqShelf::Low ? Pick(kLowShelfHz, index) : Pick(kHighShelfHz, index);
}

CEqBiquad ComputeShelfCoefficients(CEqShelf shelf, int32_t frequencyIndex, int32_t gainValue,
                                   double sampleRate)
{
    CEqBiquad band;
    double w = 2.0 * kPi * GetShelfFrequency(shelf, frequencyIndex) / sampleRate;
    if (shelf == CEqShelf::High)
        w = kPi - w;
    if (gainValue == 0 || !(w > 0.0 && w < kPi))
        return band;
    const double g = gainValue * 0.5;
    // (sin w - 1) / cos w, written so that it stays finite at w = pi / 2.
    const double t = -std::tan(kPi / 4.0 - w / 2.0);
    double b0, b1, a1;
    if (g < 0.0)
    {
        const double a = std::pow(10.0, g / 20.0);
        const double d = t + 1.0 + a - t * a;
        b0 = 2.0 * a / d;
        b1 = 2.0 * a * t / d;
        a1 = (t * a + t + 1.0 - a) / d;
    }
    else
    {
        const double a = std::pow(10.0, -g / 20.0);
        const double d = t + 1.0 + a - t * a;
        b0 = d / (2.0 * a);
        b1 = (t * a + t + 1.0 - a) / (2.0 * a);
        a1 = t;
    }
    if (shelf == CEqShelf::High)
    {
        b1 = -b1;
        a1 = -a1;
    }
    band.b0 = static_cast<float>(b0);
    band.b1 = static_cast<float>(b1);
    band.a1 = static_cast<float>(a1);
    return band;
}

double ComputeEqLevel(const CEqBiquad* bands, size_t count, double frequency, double sampleRate)
{
    const double omega = kTwoPi * frequency / sampleRate;
    const std::complex<double> z1 = std::polar(1.0, -omega);
    const std::complex<double> z2 = z1 * z1;
    double level = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const CEqBiquad& b = bands[i];
        const double n = std::norm(static_cast<double>(b.b0) + static_cast<double>(b.b1) * z1 +
                                   static_cast<double>(b.b2) * z2);
        const double d = std::norm(1.0 + static_cast<double>(b.a1) * z1 + static_cast<double>(b.a2) * z2);
        level += 10.0 * 0.4343 * std::log(n / d);
    }
    return level;
}
