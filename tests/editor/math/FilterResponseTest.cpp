#include "editor/math/FilterResponse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
TEST(FilterResponse, CoefficientsAtCutoff64)
{
    const CFilterCoefficients c = ComputeFilterCoefficients(64, 0);
    EXPECT_NEAR(c.f, 0.108004, 1e-5);
    EXPECT_NEAR(c.q, 1.738895, 1e-5);
    EXPECT_NEAR(c.d1, -1.800528, 1e-5);
    EXPECT_NEAR(c.d2, 0.812193, 1e-5);
}

// Values worked out by hand from the formulas (in double precision, apart from this code) for
// a 60 x 47 box: the coefficients with resonance, where the resonance factor 0.9668 shows, and
// single points of the curves, where the level scales (0.005 h for the biquads, 0.006 h for the
// comb) and the gap below -90 show.
TEST(FilterResponse, CoefficientsAndPointsWorkedOutByHand)
{
    const CFilterCoefficients c = ComputeFilterCoefficients(64, 100);
    EXPECT_NEAR(c.f, 0.113915, 1e-5);
    EXPECT_NEAR(c.q, 0.104536, 1e-5);
    EXPECT_NEAR(c.d1, -1.975115, 1e-5);
    EXPECT_NEAR(c.d2, 0.988092, 1e-5);

    enum class Curve
    {
        LowPass,
        Comb,
    };
    const struct
    {
        Curve curve;
        int32_t cutoff, resonance, point;
        bool gap;
        float y; // for a point outside a gap
        const char* what;
    } cases[] = {
        {Curve::LowPass, 64, 0, 30, false, 30.6898f, "L = -10.59"},
        {Curve::LowPass, 64, 100, 30, false, 20.1157f, "the resonance peak, L = 34.40"},
        {Curve::LowPass, 64, 0, 50, false, 49.0502f, "L = -88.72, above the gap"},
        {Curve::LowPass, 64, 0, 51, true, 0.0f, "L = -92.84, in the gap"},
        {Curve::Comb, 69, 64, 0, false, 26.1210f, "delay 109.0909, feedback 0.601287, L = 7.372"},
        {Curve::Comb, 69, 64, 48, false, 25.9996f, "L = 7.803"},
        {Curve::Comb, 69, 64, 18, false, 29.4933f, "L = -4.586"},
    };
    for (const auto& t : cases)
    {
        const CFilterCoefficients k = ComputeFilterCoefficients(t.cutoff, t.resonance);
        const std::vector<CResponsePoint> points = t.curve == Curve::LowPass
                                                       ? ComputeBiquadResponse(GetLowPassNumerator(k), k, 60, 47)
                                                       : ComputeCombResponse(t.cutoff, t.resonance, 60, 47);
        ASSERT_EQ(points.size(), 60u);
        const CResponsePoint& p = points[static_cast<size_t>(t.point)];
        EXPECT_EQ(p.gap, t.gap) << t.what;
        if (!t.gap)
        {
            EXPECT_NEAR(p.y, t.y, 2e-3f) << t.what;
        }
    }
}

TEST(FilterResponse, CutoffAndResonanceOutsideTheRangeDrawAsTheEnds)
{
    const struct
    {
        int32_t cutoff, resonance, asCutoff, asResonance;
    } cases[] = {{-5, -1, 0, 0}, {200, 300, 127, 127}, {-100, 90, 0, 90}};
    for (const auto& c : cases)
    {
        const CFilterCoefficients a = ComputeFilterCoefficients(c.cutoff, c.resonance);
        const CFilterCoefficients b = ComputeFilterCoefficients(c.asCutoff, c.asResonance);
        EXPECT_EQ(a.f, b.f);
        EXPECT_EQ(a.q, b.q);
        EXPECT_EQ(GetCombDelay(c.cutoff), GetCombDelay(c.asCutoff));
        EXPECT_EQ(GetCombFeedback(c.resonance), GetCombFeedback(c.asResonance));
    }
}

TEST(FilterResponse, BalanceWeights)
{
    const struct
    {
        int32_t balance;
        float w[4];
    } cases[] = {
        {-7, {1, 0, 0, 0}},  {0, {1, 0, 0, 0}},        {33, {1, 0, 0, 0}}, {48, {0.5f, 0.5f, 0, 0}},
        {64, {0, 1, 0, 0}},  {80, {0, 0.5f, 0.5f, 0}}, {96, {0, 0, 1, 0}}, {112, {0, 0, 0.5f, 0.5f}},
        {127, {0, 0, 0, 1}}, {500, {0, 0, 0, 1}},
    };
    for (const auto& c : cases)
    {
        const std::array<float, 4> w = GetBalanceWeights(c.balance);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(w[i], c.w[i], 1e-6f) << c.balance << " weight " << i;
    }
    for (int32_t b = 0; b <= 127; ++b)
    {
        const std::array<float, 4> w = GetBalanceWeights(b);
        EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0f, 1e-6f) << b;
    }
}

TEST(FilterResponse, PlainCurvesOfSectionA)
{
    const CFilterCoefficients c = ComputeFilterCoefficients(64, 20);
    // Balance 127 is the unfiltered signal: a flat line at 0.6 h.
    for (const CResponsePoint& p : ComputeBiquadResponse(GetSectionANumerator(c, 127), c, 60, 47))
    {
        EXPECT_NEAR(p.y, 0.6f * 47, 1e-4f);
        EXPECT_FALSE(p.gap);
    }
    // Balances up to 33 are the low-pass; 64 the high-pass.
    const auto low = ComputeBiquadResponse(GetLowPassNumerator(c), c, 60, 47);
    const auto high = ComputeBiquadResponse(GetHighPassNumerator(c), c, 60, 47);
    for (int32_t balance : {0, 20, 33})
    {
        const auto a = ComputeBiquadResponse(GetSectionANumerator(c, balance), c, 60, 47);
        ASSERT_EQ(a.size(), low.size());
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_NEAR(a[i].y, low[i].y, 1e-4f) << balance << " " << i;
    }
    const auto a64 = ComputeBiquadResponse(GetSectionANumerator(c, 64), c, 60, 47);
    for (size_t i = 0; i < a64.size(); ++i)
        EXPECT_NEAR(a64[i].y, high[i].y, 1e-4f) << i;
    // The low-pass passes at the lowest frequency (0 dB: 0.6 h) and cuts at the highest.
    EXPECT_NEAR(low.front().y, 0.6f * 47, 0.05f);
    EXPECT_GT(low.back().y, 47.0f);
    // Wide boxes place a point a column; narrow ones on the logarithmic scale.
    EXPECT_EQ(low[17].x, 17.0f);
    const auto narrow = ComputeBiquadResponse(GetLowPassNumerator(c), c, 40, 30);
    EXPECT_NEAR(narrow.front().x, (std::log10(40 * 0.0005) + 2.05) * 12, 1e-4);
    EXPECT_NEAR(narrow.back().x, (std::log10(40 * 0.5) + 2.05) * 12, 1e-4);
}

TEST(FilterResponse, SectionBTypesAndSizes)
{
    const CFilterCoefficients c = ComputeFilterCoefficients(50, 50);
    for (int32_t type = 0; type < 3; ++type)
        EXPECT_FALSE(
            CollectResponseStrokes(ComputeBiquadResponse(GetSectionBNumerator(c, type), c, 60, 47), 60, 47)
                .empty())
            << type;
    // A type of 4 or more has no curve: every point is in a gap.
    const auto none = ComputeBiquadResponse(GetSectionBNumerator(c, 4), c, 60, 47);
    EXPECT_EQ(none.size(), 60u);
    EXPECT_TRUE(CollectResponseStrokes(none, 60, 47).empty());
    // A box of one column would divide by zero.
    EXPECT_FALSE(IsFilterPlotSizeValid(1, 47));
    EXPECT_FALSE(IsFilterPlotSizeValid(60, 0));
    EXPECT_TRUE(ComputeBiquadResponse(GetLowPassNumerator(c), c, 1, 47).empty());
    EXPECT_TRUE(ComputeCombResponse(64, 64, 1, 47).empty());
}

TEST(FilterResponse, CombTables)
{
    EXPECT_NEAR(GetCombDelay(60), 183.4683, 1e-4);
    EXPECT_NEAR(GetCombDelay(69), 109.0909, 1e-4);
    for (int32_t c = 0; c <= 6; ++c)
        EXPECT_EQ(GetCombDelay(c), 4088.0) << c;
    for (int32_t c = 117; c <= 127; ++c)
        EXPECT_EQ(GetCombDelay(c), 7.0) << c;
    for (int32_t c = 8; c < 117; ++c)
        EXPECT_NEAR(GetCombDelay(c), 48000.0 / (440.0 * std::pow(2.0, (c - 69) / 12.0)), 1e-3) << c;

    const struct
    {
        int32_t r;
        double a;
    } anchors[] = {{0, 0},         {34, 0},         {50, 0.077027},  {64, 0.601287},
                   {90, 0.975082}, {100, 0.992083}, {120, 0.999212}, {127, 0.999649}};
    for (const auto& anchor : anchors)
        EXPECT_NEAR(GetCombFeedback(anchor.r), anchor.a, 1e-6) << anchor.r;
    for (int32_t r = 1; r <= 127; ++r)
    {
        EXPECT_GE(GetCombFeedback(r), GetCombFeedback(r - 1)) << r;
        EXPECT_LT(GetCombFeedback(r), 1.0) << r;
    }
}

TEST(FilterResponse, CombCurvePlacement)
{
    const auto comb = ComputeCombResponse(64, 64, 60, 47);
    ASSERT_EQ(comb.size(), 60u);
    // Wide boxes use the comb's own logarithmic scale.
    EXPECT_NEAR(comb.front().x, (std::log10(60 * 0.0005) + 1.8) * 21, 1e-4);
    EXPECT_NEAR(comb.back().x, (std::log10(60 * 0.5) + 1.8) * 21, 1e-4);
    // Without feedback the comb is flat.
    for (const CResponsePoint& p : ComputeCombResponse(64, 0, 60, 47))
        EXPECT_NEAR(p.y, 0.6f * 47, 1e-4f);
}

TEST(FilterResponse, GapsBreakTheCurve)
{
    // By hand: a gap, two points, a gap, a point, a point outside the box, a point.
    const std::vector<CResponsePoint> points = {
        {10, 10, true},  {11, 11, false},  {12, 12, false}, {13, 13, true},
        {14, 14, false}, {15, 100, false}, {16, 16, false},
    };
    const std::vector<CResponseStroke> strokes = CollectResponseStrokes(points, 60, 47);
    ASSERT_EQ(strokes.size(), 3u);
    // The first point only starts the curve; the next joins it.
    EXPECT_EQ(strokes[0].fromX, 11);
    EXPECT_EQ(strokes[0].x, 12);
    // The first point after a gap starts a new stroke from itself.
    EXPECT_EQ(strokes[1].fromX, 14);
    EXPECT_EQ(strokes[1].x, 14);
    // A point outside the box is not drawn, yet the next one joins it.
    EXPECT_EQ(strokes[2].fromX, 15);
    EXPECT_EQ(strokes[2].fromY, 100);
    EXPECT_EQ(strokes[2].x, 16);

    // A real one: the high-pass at the highest cutoff falls below -90 at the lowest frequencies.
    const CFilterCoefficients c = ComputeFilterCoefficients(127, 0);
    const auto high = ComputeBiquadResponse(GetHighPassNumerator(c), c, 60, 47);
    ASSERT_TRUE(high.front().gap);
    ASSERT_FALSE(high.back().gap);
    size_t firstShown = 0;
    while (high[firstShown].gap)
        ++firstShown;
    for (size_t i = firstShown; i < high.size(); ++i)
        EXPECT_FALSE(high[i].gap) << i;
    size_t inside = 0;
    for (size_t i = firstShown + 1; i < high.size(); ++i)
        inside += high[i].y > 2 && high[i].y < 48 && high[i].x > 2 && high[i].x < 59;
    const auto strokesOfHigh = CollectResponseStrokes(high, 60, 47);
    EXPECT_EQ(strokesOfHigh.size(), inside);
    ASSERT_FALSE(strokesOfHigh.empty());
    EXPECT_GE(strokesOfHigh.front().fromX, static_cast<float>(firstShown));
}

TEST(FilterResponse, HandleGeometry)
{
    // The program edit page's box: 60 x 47, handle size 0, maximum 256; cutoff 64, resonance 0.
    EXPECT_EQ(GetFilterHandlePosition(128, 127, 60, 47, 0, 256), (CGraphPoint{30, 24}));
    EXPECT_EQ(GetFilterHandlePosition(0, 0, 60, 47, 6, 256), (CGraphPoint{3, 44}));
    EXPECT_TRUE(IsFilterHandleGeometryValid(60, 47, 0, 256));
    EXPECT_FALSE(IsFilterHandleGeometryValid(60, 47, 0, 0));
    EXPECT_FALSE(IsFilterHandleGeometryValid(6, 47, 6, 256));
    EXPECT_FALSE(IsFilterHandleGeometryValid(60, 6, 6, 256));
    // Reach s / 2 + 5 each way, bounds excluded.
    const CGraphPoint handle{30, 24};
    EXPECT_TRUE(IsOnFilterHandle(handle, 4, 30 - 6, 24));
    EXPECT_FALSE(IsOnFilterHandle(handle, 4, 30 - 7, 24));
    EXPECT_TRUE(IsOnFilterHandle(handle, 4, 30 + 6, 24 + 6));
    EXPECT_FALSE(IsOnFilterHandle(handle, 4, 30, 24 + 7));
}
} // namespace
