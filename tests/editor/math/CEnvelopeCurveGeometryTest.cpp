#include "editor/math/CEnvelopeCurveGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// Two points, handle 10, 110 x 60, levels 0..127: step 100, usable height 50.
CEnvelopeCurveGeometry TwoPoints()
{
    CEnvelopeCurveGeometry g;
    EXPECT_TRUE(g.Create(110, 60, 2, 10, 0, 127));
    return g;
}

TEST(EnvelopeCurveGeometry, PointsAreLaidOutFromTheHandleCentre)
{
    CEnvelopeCurveGeometry g = TwoPoints();
    EXPECT_EQ(g.GetStep(), 100);
    EXPECT_EQ(g.GetScreenPoints()[0], (CGraphPoint{5, 55}));
    EXPECT_EQ(g.GetScreenPoints()[1], (CGraphPoint{5, 55}));
    ASSERT_TRUE(g.SetPoint(1, {127, 127, 3}));
    EXPECT_EQ(g.GetScreenPoints()[1], (CGraphPoint{105, 5}));
    ASSERT_TRUE(g.SetPoint(1, {64, 50, 3}));
    // 5 + 50 x 100 / 127 = 44; 50 - 64 x 50 / 127 + 5 = 30.
    EXPECT_EQ(g.GetScreenPoints()[1], (CGraphPoint{44, 30}));
}

TEST(EnvelopeCurveGeometry, TimesAreRelativeToThePreviousPoint)
{
    CEnvelopeCurveGeometry g;
    ASSERT_TRUE(g.Create(310, 60, 4, 10, 0, 100)); // step 100
    g.SetPoint(0, {0, 77, 3});                     // point 0's time is not used
    g.SetPoint(1, {100, 100, 3});
    g.SetPoint(2, {50, 50, 3});
    g.SetPoint(3, {0, 25, 3});
    const int32_t expected[] = {5, 105, 155, 180};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(g.GetScreenPoints()[i].x, expected[i]) << i;
}

TEST(EnvelopeCurveGeometry, CreateFailsForEveryZeroExtent)
{
    struct Case
    {
        int32_t width, height, count, handle, minimum, maximum;
    };
    const Case cases[] = {
        {0, 60, 2, 10, 0, 127},  {110, 0, 2, 10, 0, 127},  {110, 60, 1, 10, 0, 127},
        {10, 60, 2, 10, 0, 127}, {110, 10, 2, 10, 0, 127}, {12, 60, 4, 10, 0, 127},
        {110, 60, 2, 10, 0, 0},  {110, 60, 2, 10, 5, 4},   {110, 60, 2, -1, 0, 127},
    };
    for (const Case& c : cases)
    {
        CEnvelopeCurveGeometry g = TwoPoints();
        g.SetPoint(1, {127, 127, 0});
        EXPECT_FALSE(g.Create(c.width, c.height, c.count, c.handle, c.minimum, c.maximum))
            << c.width << " " << c.height << " " << c.count << " " << c.handle << " " << c.maximum;
        // The earlier geometry stays as it was.
        EXPECT_EQ(g.GetScreenPoints().size(), 2u);
        EXPECT_EQ(g.GetScreenPoints()[1], (CGraphPoint{105, 5}));
    }
}

TEST(EnvelopeCurveGeometry, SetPointOutsideThePointsChangesNothing)
{
    CEnvelopeCurveGeometry g = TwoPoints();
    EXPECT_FALSE(g.SetPoint(2, {127, 127, 0}));
    EXPECT_FALSE(g.SetPoint(-1, {127, 127, 0}));
    EXPECT_EQ(g.GetPoints()[1].level, 0);
    EXPECT_FALSE(CEnvelopeCurveGeometry().SetPoint(0, {}));
}

TEST(EnvelopeCurveGeometry, HitTestTakesTheHighestIndexAndExcludesTheBounds)
{
    CEnvelopeCurveGeometry g = TwoPoints(); // both points at (5, 55): overlapping handles
    EXPECT_EQ(g.HitTest(5, 55), 1);
    // The reach is h / 2 + 3 = 8 on either side, bounds excluded: 5 - 8 < x < 5 - 8 + 16.
    EXPECT_EQ(g.HitTest(-2, 55), 1);
    EXPECT_EQ(g.HitTest(-3, 55), -2);
    EXPECT_EQ(g.HitTest(12, 62), 1);
    EXPECT_EQ(g.HitTest(13, 55), -2);
    g.SetPoint(1, {127, 127, 3});
    EXPECT_EQ(g.HitTest(5, 55), 0);
    EXPECT_EQ(g.HitTest(104, 6), 1);
    EXPECT_EQ(g.HitTest(60, 30), -2);
}

TEST(EnvelopeCurveGeometry, DragReportsClampedLevelAndTime)
{
    CEnvelopeCurveGeometry g = TwoPoints();
    g.SetPoint(1, {0, 0, 2});
    // Point 0: only the level changes; its time is always 0.
    CEnvelopePoint p = g.DragPoint(0, 80, 30);
    EXPECT_EQ(p.time, 0);
    EXPECT_EQ(p.level, 127 - 127 * 25 / 50);
    // Point 1: time from point 0's x, level from the row; both clamped.
    p = g.DragPoint(1, 55, 5);
    EXPECT_EQ(p.time, 50 * 127 / 100);
    EXPECT_EQ(p.level, 127);
    EXPECT_EQ(p.curveType, 2u);
    p = g.DragPoint(1, 400, 500);
    EXPECT_EQ(p.time, 127);
    EXPECT_EQ(p.level, 0);
    p = g.DragPoint(1, -400, -500);
    EXPECT_EQ(p.time, 0);
    EXPECT_EQ(p.level, 127);
}

TEST(EnvelopeCurveGeometry, CurveRunsAlongTheShapeColumnByColumn)
{
    CEnvelopeCurveGeometry g = TwoPoints();
    g.SetPoint(0, {0, 0, 3});
    g.SetPoint(1, {127, 127, 0}); // (5, 55) to (105, 5): dx 100, dy -50
    const std::vector<CGraphPoint> line = g.TraceCurve();
    ASSERT_EQ(line.size(), 102u);
    EXPECT_EQ(line.front(), (CGraphPoint{5, 55}));
    EXPECT_EQ(line.back(), (CGraphPoint{105, 5}));
    for (int32_t j = 0; j < 100; ++j)
    {
        const CGraphPoint& p = line[static_cast<size_t>(j) + 1];
        EXPECT_EQ(p.x, 5 + j);
        EXPECT_EQ(p.y, 55 + static_cast<int32_t>(
                                std::trunc(GetEnvelopeShape(0, static_cast<uint32_t>(j * 255 / 100)) * -50)));
        if (j > 0)
        {
            EXPECT_LE(p.y, line[static_cast<size_t>(j)].y) << j; // a rising level runs up the screen
        }
    }
    // The fast rise: a quarter of the way along it is already most of the way up.
    EXPECT_LT(line[26].y, 20);

    // Straight, flat and too wide segments are one line to the point.
    const struct
    {
        CEnvelopePoint second;
    } straight[] = {{{127, 127, 3}}, {{0, 127, 0}}, {{127, 127, 7}}};
    for (const auto& s : straight)
    {
        g.SetPoint(1, s.second);
        EXPECT_EQ(g.TraceCurve().size(), 2u) << s.second.curveType;
    }
    CEnvelopeCurveGeometry wide;
    ASSERT_TRUE(wide.Create(310, 60, 2, 10, 0, 127)); // step 300: dx above 255
    wide.SetPoint(1, {127, 127, 1});
    EXPECT_EQ(wide.TraceCurve().size(), 2u);
}

TEST(EnvelopeShape, TellingEntriesAndTheCurvesTheyFollow)
{
    struct Row
    {
        uint32_t type;
        double k;
        bool slowStart;
        double telling[4];
    };
    const Row rows[] = {
        {0, 7.8, false, {0.623, 0.858, 0.9801, 0.9975}},
        {1, 4.9, false, {0.4622, 0.7124, 0.9211, 0.9822}},
        {2, 2.6, false, {0.298, 0.514, 0.7842, 0.9262}},
        {4, 5.0, true, {0.0057, 0.0165, 0.0749, 0.2826}},
    };
    const uint32_t entries[4] = {32, 64, 128, 192};
    for (const Row& r : rows)
    {
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(GetEnvelopeShape(r.type, entries[i]), r.telling[i], 5e-5)
                << r.type << " " << entries[i];
        EXPECT_EQ(GetEnvelopeShape(r.type, 0), 0.0);
        EXPECT_EQ(GetEnvelopeShape(r.type, 255), 1.0);
        for (uint32_t e = 0; e < 256; ++e)
        {
            const double x = e / 255.0;
            const double curve = r.slowStart ? (std::exp(r.k * x) - 1) / (std::exp(r.k) - 1)
                                             : (1 - std::exp(-r.k * x)) / (1 - std::exp(-r.k));
            ASSERT_NEAR(GetEnvelopeShape(r.type, e), curve, 0.004) << r.type << " " << e;
            if (e > 0)
            {
                ASSERT_GT(GetEnvelopeShape(r.type, e), GetEnvelopeShape(r.type, e - 1)) << r.type << " " << e;
            }
        }
    }
    for (uint32_t e = 0; e < 256; ++e)
        ASSERT_EQ(GetEnvelopeShape(3, e), 0.0);
    EXPECT_EQ(GetEnvelopeShape(5, 10), 0.0);
    EXPECT_EQ(GetEnvelopeShape(0, 256), 0.0);
}
} // namespace
