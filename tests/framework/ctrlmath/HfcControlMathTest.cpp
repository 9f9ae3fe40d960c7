#include "framework/ctrlmath/HfcControlMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// A point at angle degrees (0 = right, counter-clockwise, y up) on a circle around the centre
// of a width x height control.
void PointAt(double degrees, int32_t width, int32_t height, int32_t radius, int32_t& x, int32_t& y)
{
    const double a = degrees * 3.14159265358979323846 / 180.0;
    x = width / 2 + static_cast<int32_t>(std::lround(radius * std::cos(a)));
    y = height / 2 - static_cast<int32_t>(std::lround(radius * std::sin(a)));
}
} // namespace

TEST(KnobMath, FrameFollowsTheValueAndStaysInsideTheStrip)
{
    struct Case
    {
        int32_t value, minimum, maximum, frames, expected;
    };
    const Case cases[] = {
        {0, 0, 127, 64, 0},  {64, 0, 127, 64, 32},  {127, 0, 127, 64, 63}, {126, 0, 127, 64, 63},
        {1, 0, 127, 64, 0},  {200, 0, 127, 64, 63}, // above the range: the last frame, never past it
        {-5, 0, 127, 64, 0}, {50, 0, 0, 64, 0},     // a maximum of 0 divides nothing
        {50, 0, 127, 1, 0},                         // one frame
        {50, 0, 127, 0, 0},  {5, 0, 1, 2, 1},       {20, 10, 30, 11, 5}, // the place in the range, not value
                                                                         // / maximum
    };
    for (const Case& c : cases)
        EXPECT_EQ(KnobFrame(c.value, c.minimum, c.maximum, c.frames), c.expected)
            << c.value << " of " << c.minimum << ".." << c.maximum << " on " << c.frames << " frames";
}

TEST(KnobMath, AngleFractionRunsClockwiseFromLowerLeftToLowerRight)
{
    // Degrees of the pointer around the centre of a 40 x 40 knob (0 right, 90 up).
    struct Case
    {
        double degrees;
        float expected;
    };
    const Case cases[] = {
        {245.5, 0.0f},                                   // just after the start
        {90.0, 0.5f},                                    // straight up: half the travel
        {-65.5, 1.0f},                                   // just before the end
        {180.0, 0.2115f}, {0.0, 0.7885f}, {260.0, 0.0f}, // dead zone, left half: the start
        {280.0, 1.0f},                                   // dead zone, right half: the end
    };
    for (const Case& c : cases)
    {
        int32_t x = 0, y = 0;
        PointAt(c.degrees, 40, 40, 1000, x, y);
        EXPECT_NEAR(KnobAngleFraction(x, y, 40, 40), c.expected, 0.002f) << c.degrees << " degrees";
    }
    // Straight below the centre, one pixel left or right of it.
    EXPECT_EQ(KnobAngleFraction(19, 39, 40, 40), 0.0f);
    EXPECT_EQ(KnobAngleFraction(21, 39, 40, 40), 1.0f);
}

TEST(KnobMath, AngularDragAcrossTheDeadZoneKeepsTheEndItLeft)
{
    // Near the end, then across the dead zone to near the start: the value stays at the
    // maximum, and the drag follows again once the pointer comes back.
    float last = KnobAngleFraction(30, 38, 40, 40);
    ASSERT_GT(last, 0.9f);
    const float nearStart = KnobAngleFraction(8, 36, 40, 40);
    ASSERT_LT(nearStart, 0.1f);
    EXPECT_EQ(KnobValueAtFraction(KnobAngularDragFraction(last, nearStart), 0, 127), 127);
    EXPECT_GT(last, 0.9f);
    const float back = KnobAngleFraction(35, 20, 40, 40);
    EXPECT_EQ(KnobAngularDragFraction(last, back), back);
    EXPECT_EQ(last, back);

    // And the other way: from near the start across to near the end stays at the minimum.
    float low = nearStart;
    EXPECT_EQ(KnobValueAtFraction(KnobAngularDragFraction(low, KnobAngleFraction(30, 38, 40, 40)), 0, 127),
              0);
}

TEST(KnobMath, ValueAtFractionCoversTheRange)
{
    EXPECT_EQ(KnobValueAtFraction(0.0f, 0, 127), 0);
    EXPECT_EQ(KnobValueAtFraction(1.0f, 0, 127), 127);
    EXPECT_EQ(KnobValueAtFraction(0.5f, 0, 127), 63);
    EXPECT_EQ(KnobValueAtFraction(1.0f, -64, 63), 63);
    EXPECT_EQ(KnobValueAtFraction(0.0f, -64, 63), -64);
}

TEST(KnobMath, CircularDeltaSweepsTheRangeIn300Degrees)
{
    struct Case
    {
        const char* what;
        double from, to; // degrees, 0 right, counter-clockwise
        int32_t minimum, maximum, expected;
    };
    const Case cases[] = {
        {"a quarter turn clockwise", 90, 0, 0, 300, 90},
        {"a quarter turn counter-clockwise", 0, 90, 0, 300, -90},
        {"across straight down clockwise", -80, -100, 0, 300, 20},
        {"across straight up counter-clockwise", 80, 100, 0, 300, -20},
        {"across the left side clockwise", 190, 170, 0, 300, 20},
        {"a quarter turn of a 0..127 knob", 90, 0, 0, 127, 38},
        {"a tenth of a unit", 90, 89.9, 0, 300, 0},
    };
    for (const Case& c : cases)
    {
        int32_t x0, y0, x1, y1;
        PointAt(c.from, 200, 200, 100000, x0, y0);
        PointAt(c.to, 200, 200, 100000, x1, y1);
        EXPECT_EQ(KnobAngleDelta(x0, y0, x1, y1, 200, 200, c.minimum, c.maximum), c.expected) << c.what;
    }
    // On a small knob, from straight above the centre to straight right of it.
    EXPECT_EQ(KnobAngleDelta(20, 0, 40, 20, 40, 40, 0, 300), 90);
}

TEST(KnobMath, VerticalDragSnapsCoarseStepsToMultiples)
{
    struct Case
    {
        const char* what;
        int32_t running, lastY, y, step;
        bool fine;
        int32_t expected;
    };
    const Case cases[] = {
        {"one pixel up from 5 with step 7", 5, 50, 49, 7, false, 7},
        {"one pixel down from 5 with step 7", 5, 50, 51, 7, false, 0},
        {"Shift: one pixel up by one", 5, 50, 49, 7, true, 6},
        {"Shift: one pixel down by one", 5, 50, 51, 7, true, 4},
        {"on a multiple: no snap", 14, 50, 48, 7, false, 28},
        {"three pixels down from 14", 14, 50, 53, 7, false, -7},
        {"below zero snaps to the multiple below", -3, 50, 49, 7, false, 0},
        {"below zero, moving down", -3, 50, 51, 7, false, -7},
        {"step 1", 5, 50, 45, 1, false, 10},
        {"step 0 does not divide", 5, 50, 49, 0, false, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KnobVerticalDrag(c.running, c.lastY, c.y, c.step, c.fine), c.expected) << c.what;
}

TEST(FaderMath, ThumbOffsetPutsTheMaximumAtTheTop)
{
    const HfcFaderGeometry g = {5, 100, 20};
    EXPECT_EQ(FaderTravel(g), 80);
    struct Case
    {
        int32_t value, expected;
    };
    const Case cases[] = {{0, 80}, {127, 0}, {64, 40}, {1, 80}, {126, 1}, {-10, 80}, {500, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FaderThumbOffset(g, c.value, 0, 127), c.expected) << c.value;
    // A thumb taller than the track, or an empty range, does not move or divide by zero.
    EXPECT_EQ(FaderThumbOffset({0, 10, 20}, 64, 0, 127), 0);
    EXPECT_EQ(FaderThumbOffset(g, 3, 3, 3), 80);
}

TEST(FaderMath, JumpPutsTheThumbCentreAtThePointer)
{
    const HfcFaderGeometry g = {5, 100, 20};
    int32_t value = -1;
    // The thumb centre at the pointer: y = track top + thumb offset + thumb height / 2.
    ASSERT_TRUE(FaderJumpValue(g, 5 + 80 + 10, 0, 127, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(FaderJumpValue(g, 5 + 0 + 10, 0, 127, value));
    EXPECT_EQ(value, 127);
    ASSERT_TRUE(FaderJumpValue(g, 5 + 40 + 10, 0, 127, value));
    EXPECT_EQ(value, 63);
    // Past either end: outside the range, (10 - 200 + 85) x 127 / 80 and (10 + 50 + 85) x 127 / 80.
    ASSERT_TRUE(FaderJumpValue(g, 200, 0, 127, value));
    EXPECT_EQ(value, -166);
    ASSERT_TRUE(FaderJumpValue(g, -50, 0, 127, value));
    EXPECT_EQ(value, 230);
    // No travel: no jump.
    value = 42;
    EXPECT_FALSE(FaderJumpValue({5, 20, 20}, 10, 0, 127, value));
    EXPECT_EQ(value, 42);
}

TEST(FocusFrameMath, GlowRingsGrowMoreOpaqueOutwards)
{
    const uint8_t alpha = 0xFFBDFF00u >> 24;
    EXPECT_EQ(GlowRingAlpha(1, 3, alpha), 85);
    EXPECT_EQ(GlowRingAlpha(2, 3, alpha), 170);
    EXPECT_EQ(GlowRingAlpha(3, 3, alpha), 255);
    EXPECT_EQ(GlowRingAlpha(1, 1, 0x80), 0x80);
    EXPECT_EQ(GlowRingAlpha(2, 4, 0xFF), 127);
    EXPECT_EQ(GlowRingAlpha(1, 0, 0xFF), 0);

    const CHfcRect r(10, 20, 30, 40);
    EXPECT_EQ(GlowRingRect(r, 2, false), CHfcRect(8, 18, 32, 42));
    EXPECT_EQ(GlowRingRect(r, 2, true), CHfcRect(8, 20, 32, 42));
    EXPECT_EQ(GrowRect(r, 3), CHfcRect(7, 17, 33, 43));
}

TEST(StepScaleMath, QuickMovesStepFullySlowOnesFinely)
{
    EXPECT_EQ(StepScale(1050, 1000), 1.0f);
    EXPECT_EQ(StepScale(1100, 1000), 1.0f);
    EXPECT_EQ(StepScale(1200, 1000), 0.25f);
    EXPECT_EQ(StepScale(1400, 1000), 0.125f);
    EXPECT_EQ(StepScale(1000 + 1600, 1000), 0.03125f);
    EXPECT_EQ(StepScale(1000 + 2000, 1000), 0.03125f);
    // The millisecond counter wraps.
    EXPECT_EQ(StepScale(20, 0xFFFFFFF0u), 1.0f);
    EXPECT_EQ(StepScale(184, 0xFFFFFFF0u), 0.25f);
}

TEST(FontGlyphMath, BytesWithoutAGlyphUseTheFallback)
{
    EXPECT_EQ(ToFontGlyphs("AZ", 2), "AZ");
    EXPECT_EQ(ToFontGlyphs("A\x80\xFFz", 4), "A??z");
    EXPECT_EQ(ToFontGlyphs("abc\0de", 6), "abc");
    EXPECT_EQ(ToFontGlyphs("abcdef", 3), "abc");
    EXPECT_EQ(ToFontGlyphs(nullptr, 3), "");
}

TEST(ListMath, LineCountIsTheCeilingSoEveryItemCanBeScrolledTo)
{
    struct Case
    {
        int32_t count, perLine, expected;
    };
    const Case cases[] = {{10, 4, 3}, {9, 4, 3}, {8, 4, 2}, {1, 4, 1}, {0, 4, 0}, {5, 0, 0}, {128, 1, 128}};
    for (const Case& c : cases)
        EXPECT_EQ(ListLineCount(c.count, c.perLine), c.expected) << c.count << " / " << c.perLine;
    // The last item of 9 lies on a line the scroll line reaches.
    EXPECT_EQ(ListClampScrollLine(8 / 4, ListLineCount(9, 4)), 2);
}

TEST(ListMath, ItemsPerLineAndPageFollowTheOrientation)
{
    EXPECT_EQ(ListItemsPerLine(0, 4, 2), 4);
    EXPECT_EQ(ListItemsPerLine(1, 4, 2), 2);
    EXPECT_EQ(ListLinesPerPage(0, 4, 2), 2);
    EXPECT_EQ(ListLinesPerPage(1, 4, 2), 4);
}

TEST(ListMath, CellsAndPointsInBothOrientations)
{
    // 3 columns x 2 rows of 10 x 7.5 pixels (30 x 15).
    HfcListGrid rows = {0, 3, 2, 10.0f, 7.5f};
    HfcListGrid columns = {1, 3, 2, 10.0f, 7.5f};
    struct Case
    {
        int32_t x, y, rowCell, columnCell;
    };
    const Case cases[] = {
        {0, 0, 0, 0},    {9, 7, 0, 0},    {10, 0, 1, 2},   {25, 3, 2, 4},
        {0, 8, 3, 1},    {29, 14, 5, 5},  {30, 0, -1, -1}, {0, 15, -1, -1}, // beyond the last column or row
        {-1, 0, -1, -1}, {0, -1, -1, -1},                                   // before the first
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(rows.CellAtPoint(c.x, c.y), c.rowCell) << c.x << "," << c.y;
        EXPECT_EQ(columns.CellAtPoint(c.x, c.y), c.columnCell) << c.x << "," << c.y;
    }
    int32_t dx = 0, dy = 0;
    EXPECT_EQ(rows.CellAtPoint(14, 10, &dx, &dy), 4);
    EXPECT_EQ(dx, -4);
    EXPECT_EQ(dy, -3); // the row starts at trunc(7.5) = 7

    int32_t column = -1, row = -1;
    rows.CellColumnRow(4, column, row);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 1);
    columns.CellColumnRow(4, column, row);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 0);

    // Neighbouring cells meet without gap: 7 and 8 pixels high.
    EXPECT_EQ(rows.CellRect(0), CHfcRect(0, 0, 10, 7));
    EXPECT_EQ(rows.CellRect(3), CHfcRect(0, 7, 10, 15));
}

TEST(ListMath, ItemsAndCellsAtAScrollLine)
{
    const HfcListGrid grid = {0, 4, 2, 10.0f, 10.0f};
    EXPECT_EQ(grid.ItemInCell(0, 0, 10), 0);
    EXPECT_EQ(grid.ItemInCell(3, 2, 10), -1); // item 11 of 10
    EXPECT_EQ(grid.ItemInCell(1, 2, 10), 9);
    EXPECT_EQ(grid.ItemInCell(-1, 0, 10), -1);
    EXPECT_EQ(grid.ItemInCell(8, 0, 100), -1); // past the visible cells
    EXPECT_EQ(grid.CellOfItem(9, 1), 5);
    EXPECT_EQ(grid.CellOfItem(3, 1), -1);
    EXPECT_EQ(grid.CellOfItem(12, 1), -1);
}

TEST(ListMath, ScrollToItemScrollsAsLittleAsNeededOrByPages)
{
    struct Case
    {
        int32_t index, mode, scrollLine, expected;
    };
    // 4 items per line, 2 lines per page.
    const Case cases[] = {
        {11, 1, 0, 2}, // line 2 is the first of the second page
        {11, 0, 0, 1}, // the item's line becomes the page's last
        {3, 0, 1, 0},  // above the page: its line
        {5, 0, 1, 1},  // on the page: no scroll
        {13, 1, 0, 2}, {17, 1, 0, 4}, {5, 7, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListScrollLineForItem(c.index, c.mode, c.scrollLine, 4, 2), c.expected)
            << c.index << " mode " << c.mode;
    EXPECT_EQ(ListClampScrollLine(-3, 3), 0);
    EXPECT_EQ(ListClampScrollLine(7, 3), 2);
    EXPECT_EQ(ListClampScrollLine(2, 0), 0);
}

TEST(ListMath, TextIsCutToTheAreaAndCentredWithoutAnOffset)
{
    int32_t x = 0, shown = 0;
    ListTextPlacement(2, 40, 0, 6, 3, x, shown);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(x, 2 + 20 - 9);
    ListTextPlacement(2, 40, 0, 6, 10, x, shown);
    EXPECT_EQ(shown, 6);
    EXPECT_EQ(x, 2 + 20 - 18);
    ListTextPlacement(2, 40, 4, 6, 3, x, shown);
    EXPECT_EQ(x, 6);
    ListTextPlacement(2, 40, 4, 0, 3, x, shown);
    EXPECT_EQ(shown, 0);
}

TEST(RangeMath, ClampKeepsAnEmptyRangeAtItsLowEnd)
{
    EXPECT_EQ(ClampToRange(5, 0, 10), 5);
    EXPECT_EQ(ClampToRange(-5, 0, 10), 0);
    EXPECT_EQ(ClampToRange(50, 0, 10), 10);
    EXPECT_EQ(ClampToRange(5, 20, 10), 20);
}
