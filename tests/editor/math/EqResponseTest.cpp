#include "editor/math/EqResponse.h"

#include <gtest/gtest.h>

namespace
{
double Level(const CEqBiquad& band, double frequency)
{
    return ComputeEqLevel(&band, 1, frequency, kEqSampleRate);
}

TEST(EqResponse, LowShelfAt100Hz)
{
    ASSERT_EQ(GetShelfFrequency(CEqShelf::Low, 14), 100.0);
    const CEqBiquad band = ComputeShelfCoefficients(CEqShelf::Low, 14, 12);
    EXPECT_NEAR(band.b0, 1.006472, 1e-5);
    EXPECT_NEAR(band.b1, -0.980523, 1e-5);
    EXPECT_EQ(band.b2, 0.0f);
    EXPECT_NEAR(band.a1, -0.986995, 1e-5);
    EXPECT_EQ(band.a2, 0.0f);
    EXPECT_NEAR(Level(band, 100.0), 3.96, 0.005);
    // The gain (6 dB) at DC, nothing at Nyquist.
    EXPECT_NEAR(Level(band, 0.01), 6.0, 0.01);
    EXPECT_NEAR(Level(band, 23999.0), 0.0, 0.01);
}

TEST(EqResponse, HighShelfHasItsGainAtNyquistAndNoneAtDc)
{
    const CEqBiquad band = ComputeShelfCoefficients(CEqShelf::High, 0, 12); // 1000 Hz, 6 dB
    EXPECT_NEAR(Level(band, 0.01), 0.0, 0.01);
    EXPECT_NEAR(Level(band, 23999.0), 6.0, 0.01);
    EXPECT_NEAR(Level(band, 1000.0), 3.96, 0.005);
    // Every frequency of its list: 0 dB at DC, the gain at Nyquist, boost and cut alike.
    for (int32_t i = 0; i < static_cast<int32_t>(GetShelfFrequencyCount(CEqShelf::High)); ++i)
        for (int32_t gain : {-30, -1, 1, 30})
        {
            const CEqBiquad b = ComputeShelfCoefficients(CEqShelf::High, i, gain);
            EXPECT_NEAR(Level(b, 0.01), 0.0, 0.01) << i << " " << gain;
            EXPECT_NEAR(Level(b, 24000.0), gain * 0.5, 0.01) << i << " " << gain;
        }
}

TEST(EqResponse, CutMirrorsBoost)
{
    for (CEqShelf shelf : {CEqShelf::Low, CEqShelf::High})
    {
        const CEqBiquad boost = ComputeShelfCoefficients(shelf, 5, 20);
        const CEqBiquad cut = ComputeShelfCoefficients(shelf, 5, -20);
        for (double f : {20.0, 200.0, 2000.0, 20000.0})
            EXPECT_NEAR(Level(cut, f), -Level(boost, f), 1e-3) << f;
    }
}

TEST(EqResponse, GainZeroIsFlatAndTheListsAreClamped)
{
    const CEqBiquad flat = ComputeShelfCoefficients(CEqShelf::Low, 14, 0);
    EXPECT_EQ(flat.b0, 1.0f);
    EXPECT_EQ(flat.b1, 0.0f);
    EXPECT_EQ(flat.a1, 0.0f);
    EXPECT_EQ(Level(flat, 440.0), 0.0);
    EXPECT_EQ(ComputeEqLevel(nullptr, 0, 440.0, kEqSampleRate), 0.0);

    EXPECT_EQ(GetShelfFrequencyCount(CEqShelf::Low), 34u);
    EXPECT_EQ(GetShelfFrequencyCount(CEqShelf::High), 26u);
    for (CEqShelf shelf : {CEqShelf::Low, CEqShelf::High})
        for (int32_t i = 1; i < static_cast<int32_t>(GetShelfFrequencyCount(shelf)); ++i)
            EXPECT_GT(GetShelfFrequency(shelf, i), GetShelfFrequency(shelf, i - 1)) << i;
    const struct
    {
        CEqShelf shelf;
        int32_t index;
        double hz;
    } cases[] = {{CEqShelf::Low, 0, 20},      {CEqShelf::Low, 24, 315},   {CEqShelf::Low, 25, 400},
                 {CEqShelf::Low, 33, 1000},   {CEqShelf::Low, 99, 1000},  {CEqShelf::Low, -1, 20},
                 {CEqShelf::High, 0, 1000},   {CEqShelf::High, 10, 3150}, {CEqShelf::High, 11, 4000},
                 {CEqShelf::High, 25, 20000}, {CEqShelf::High, 26, 20000}};
    for (const auto& c : cases)
        EXPECT_EQ(GetShelfFrequency(c.shelf, c.index), c.hz) << c.index;
}

TEST(EqResponse, BandsSum)
{
    const CEqBiquad bands[2] = {ComputeShelfCoefficients(CEqShelf::Low, 14, 12),
                                ComputeShelfCoefficients(CEqShelf::High, 0, -12)};
    for (double f : {30.0, 100.0, 1000.0, 10000.0})
        EXPECT_NEAR(ComputeEqLevel(bands, 2, f, kEqSampleRate), Level(bands[0], f) + Level(bands[1], f),
                    1e-9);
    EXPECT_NEAR(ComputeEqLevel(bands, 2, 0.01, kEqSampleRate), 6.0, 0.01);
    EXPECT_NEAR(ComputeEqLevel(bands, 2, 23999.0, kEqSampleRate), -6.0, 0.01);
}
} // namespace
