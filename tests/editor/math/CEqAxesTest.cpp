#include "editor/math/CEqAxes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
CEqAxes DefaultAxes()
{
    CEqAxes axes;
    EXPECT_TRUE(axes.Create(120, 61, CEqGraphRanges()));
    return axes;
}

TEST(EqAxes, DefaultRecordAxes)
{
    const CEqAxes axes = DefaultAxes();
    EXPECT_NEAR(axes.ColumnOfFrequency(1000.0), 67.85, 0.005);
    EXPECT_NEAR(axes.RowOfLevel(6.0), 20.33, 0.005);
    EXPECT_NEAR(axes.RowOfLevel(0.0), 30.5, 1e-9);
    EXPECT_NEAR(axes.RowOfLevel(18.0), 0.0, 1e-9);
    EXPECT_NEAR(axes.RowOfLevel(-18.0), 61.0, 1e-9);
    EXPECT_EQ(axes.RowOfLevel(18.5), -1.0);
    EXPECT_EQ(axes.RowOfLevel(-18.5), -1.0);
    EXPECT_EQ(axes.ColumnOfFrequency(15.9), -1.0);
    EXPECT_EQ(axes.ColumnOfFrequency(24000.1), -1.0);
    EXPECT_NEAR(axes.FrequencyOfColumn(0), 16.0, 1e-9);
    EXPECT_NEAR(axes.FrequencyOfColumn(120), 24000.0, 1e-6);
    for (double f : {16.0, 100.0, 1000.0, 20000.0})
        EXPECT_NEAR(axes.FrequencyOfColumn(axes.ColumnOfFrequency(f)), f, f * 1e-9);
    for (double level : {-18.0, -3.0, 0.0, 12.0})
        EXPECT_NEAR(axes.LevelOfRow(axes.RowOfLevel(level)), level, 1e-9);
    EXPECT_EQ(axes.ClampBandFrequency(10.0), 20.0);
    EXPECT_EQ(axes.ClampBandFrequency(30000.0), 20000.0);
    EXPECT_EQ(axes.ClampGain(-40.0), -18.0);
}

TEST(EqAxes, LevelsBeyondTheAxisAreDrawnAtItsEdge)
{
    const CEqAxes axes = DefaultAxes();
    EXPECT_EQ(axes.RowOfLevelClamped(-40.0), 61.0);
    EXPECT_EQ(axes.RowOfLevelClamped(40.0), 0.0);
    EXPECT_EQ(axes.RowOfLevelClamped(NAN), 30.5);
    // Two -15 dB low shelves: -30 dB at the lowest frequencies, below the axis.
    const CEqBiquad bands[2] = {ComputeShelfCoefficients(CEqShelf::Low, 33, -30),
                                ComputeShelfCoefficients(CEqShelf::Low, 33, -30)};
    const std::vector<CCurvePoint> curve = axes.ComputeCurve(bands, 2, kEqSampleRate);
    ASSERT_EQ(curve.size(), 120u);
    EXPECT_EQ(curve.front().y, 61.0f);
    for (size_t x = 0; x < curve.size(); ++x)
    {
        EXPECT_EQ(curve[x].x, static_cast<float>(x));
        EXPECT_GE(curve[x].y, 0.0f) << x;
        EXPECT_LE(curve[x].y, 61.0f) << x;
    }
}

TEST(EqAxes, FlatBandsDrawAStraightLineAtZero)
{
    const CEqAxes axes = DefaultAxes();
    const CEqBiquad bands[2];
    for (const CCurvePoint& p : axes.ComputeCurve(bands, 2, kEqSampleRate))
        EXPECT_NEAR(p.y, 30.5f, 1e-6f);
}

TEST(EqAxes, CreateFailsForEmptyRangesAndLeavesTheAxes)
{
    auto with = [](void (*change)(CEqGraphRanges&))
    {
        CEqGraphRanges r;
        change(r);
        return r;
    };
    const CEqGraphRanges bad[] = {
        with([](CEqGraphRanges& r) { r.displayLowHz = 0.0; }),
        with([](CEqGraphRanges& r) { r.displayLowHz = r.displayHighHz; }),
        with([](CEqGraphRanges& r) { r.displayHighHz = 10.0; }),
        with([](CEqGraphRanges& r) { r.displayLowDb = r.displayHighDb; }),
        with([](CEqGraphRanges& r) { r.displayLowDb = NAN; }),
        with([](CEqGraphRanges& r) { r.gainLowDb = 20.0; }),
        with([](CEqGraphRanges& r) { r.bandLowHz = 30000.0; }),
    };
    for (const CEqGraphRanges& r : bad)
    {
        CEqAxes axes = DefaultAxes();
        EXPECT_FALSE(axes.Create(180, 70, r));
        EXPECT_EQ(axes.GetWidth(), 120);
    }
    CEqAxes axes;
    EXPECT_FALSE(axes.Create(0, 61, CEqGraphRanges()));
    EXPECT_FALSE(axes.Create(120, 0, CEqGraphRanges()));
    EXPECT_FALSE(axes.IsCreated());
    EXPECT_TRUE(axes.ComputeCurve(nullptr, 0, kEqSampleRate).empty());
}

TEST(EqAxes, FrequencyOfAColumnBelowOneHertz)
{
    CEqGraphRanges r;
    r.displayLowHz = 0.5;
    r.displayHighHz = 100.0;
    CEqAxes axes;
    ASSERT_TRUE(axes.Create(100, 50, r));
    EXPECT_EQ(axes.FrequencyOfColumn(0), 0.0001);
    EXPECT_NEAR(axes.FrequencyOfColumn(100), 100.0, 1e-9);
}
} // namespace
