#include "editor/math/CValueBarGeometry.h"

#include <gtest/gtest.h>

namespace
{
CValueBarGeometry Bar(int32_t width, int32_t height, bool vertical, bool centre, int32_t minimum,
                      int32_t maximum, int32_t origin = 0)
{
    CValueBarGeometry bar;
    EXPECT_TRUE(bar.Create(width, height, vertical, centre, minimum, maximum, origin));
    return bar;
}

TEST(ValueBarGeometry, PressSetsTheValueAlongTheTrack)
{
    CValueBarGeometry bar = Bar(130, 10, false, false, 0, 127);
    const struct
    {
        int32_t x, value;
    } cases[] = {{129, 127}, {200, 127}, {0, 0}, {-5, 0}, {64, 63}};
    for (const auto& c : cases)
    {
        bar.Press(c.x, 5);
        EXPECT_EQ(bar.GetValue(), c.value) << c.x;
    }
    // Vertical bars count from the bottom.
    CValueBarGeometry vertical = Bar(10, 130, true, false, 0, 127);
    vertical.Press(5, 1);
    EXPECT_EQ(vertical.GetValue(), 127);
    vertical.Press(5, 130);
    EXPECT_EQ(vertical.GetValue(), 0);
}

TEST(ValueBarGeometry, MinimumIsHonouredWhenPressedAndPainted)
{
    CValueBarGeometry bar = Bar(130, 10, false, false, -64, 63);
    bar.Press(0, 5);
    EXPECT_EQ(bar.GetValue(), -64);
    bar.Press(129, 5);
    EXPECT_EQ(bar.GetValue(), 63);
    bar.SetValue(-64);
    EXPECT_EQ(bar.GetFillRect().GetWidth(), 0);
    bar.SetValue(63);
    EXPECT_EQ(bar.GetFillRect(), CHfcRect(1, 1, 129, 9));
    bar.SetValue(0); // 128 x 640 / 1270
    EXPECT_EQ(bar.GetFillRect().GetWidth(), 64);
}

TEST(ValueBarGeometry, PlainFill)
{
    CValueBarGeometry bar = Bar(62, 12, false, false, 0, 127);
    bar.SetValue(64);
    EXPECT_EQ(bar.GetFillRect(), CHfcRect(1, 1, 31, 11));
    bar.SetValue(500); // clamped
    EXPECT_EQ(bar.GetValue(), 127);
    EXPECT_EQ(bar.GetFillRect(), CHfcRect(1, 1, 61, 11));
    CValueBarGeometry vertical = Bar(12, 62, true, false, 0, 127);
    vertical.SetValue(64);
    EXPECT_EQ(vertical.GetFillRect(), CHfcRect(1, 31, 11, 61));
}

TEST(ValueBarGeometry, CentreModeGrowsFromTheMiddle)
{
    CValueBarGeometry bar = Bar(62, 12, false, true, 0, 127, 64); // H = 31
    const struct
    {
        int32_t value;
        CHfcRect fill;
    } cases[] = {
        {100, {31, 1, 48, 11}}, // max(1, 29 x 360 / 630) + 1 = 17 to the right
        {64, {31, 1, 32, 11}},  // one pixel at the middle
        {65, {31, 1, 33, 11}},  // at least 2 pixels once off the origin
        {127, {31, 1, 61, 11}},
        {0, {1, 1, 32, 11}}, // max(1, 30 x 640 / 640) + 1 = 31 to the left, ending at the middle
        {63, {30, 1, 32, 11}},
    };
    for (const auto& c : cases)
    {
        bar.SetValue(c.value);
        EXPECT_EQ(bar.GetFillRect(), c.fill) << c.value;
    }
    CValueBarGeometry vertical = Bar(12, 62, true, true, 0, 127, 64);
    vertical.SetValue(100);
    EXPECT_EQ(vertical.GetFillRect(), CHfcRect(1, 14, 11, 31));
    vertical.SetValue(0);
    EXPECT_EQ(vertical.GetFillRect(), CHfcRect(1, 30, 11, 61));
}

TEST(ValueBarGeometry, DragMovesByTheTrackAndShiftByATenth)
{
    CValueBarGeometry bar = Bar(130, 10, false, false, 0, 127);
    bar.Press(50, 5);
    const int32_t start = bar.GetValueTenths(); // 50 x 1270 / 128 = 496
    bar.Drag(51, 5, true);
    EXPECT_EQ(bar.GetValueTenths(), start + 1);
    bar.Drag(50, 5, true);
    EXPECT_EQ(bar.GetValueTenths(), start);
    bar.Drag(60, 5, false);
    EXPECT_EQ(bar.GetValueTenths(), start + 10 * 1270 / 128);
    bar.Drag(60, 5, true); // no movement, no change
    EXPECT_EQ(bar.GetValueTenths(), start + 10 * 1270 / 128);
    bar.Drag(1000, 5, false);
    EXPECT_EQ(bar.GetValue(), 127);
    CValueBarGeometry vertical = Bar(10, 130, true, false, 0, 127);
    vertical.Press(5, 65);
    const int32_t middle = vertical.GetValueTenths();
    vertical.Drag(5, 64, true); // up by one pixel
    EXPECT_EQ(vertical.GetValueTenths(), middle + 1);
}

TEST(ValueBarGeometry, WholeUnitsTruncateTowardZero)
{
    CValueBarGeometry bar = Bar(22, 10, false, false, -1, 1); // 20 tenths over 20 pixels
    bar.Press(5, 5);
    EXPECT_EQ(bar.GetValueTenths(), -5);
    EXPECT_EQ(bar.GetValue(), 0);
    bar.Press(4, 5);
    EXPECT_EQ(bar.GetValueTenths(), -6);
    EXPECT_EQ(bar.GetValue(), 0);
    bar.SetValue(5);
    EXPECT_EQ(bar.GetValue(), 1);
    CValueBarGeometry wide = Bar(130, 10, false, false, 0, 127);
    wide.SetValue(5);
    EXPECT_EQ(wide.GetValue(), 5);
    EXPECT_EQ(wide.GetValueTenths(), 50);
}

TEST(ValueBarGeometry, CreateFailsForZeroExtents)
{
    const struct
    {
        int32_t width, height, minimum, maximum;
        bool vertical;
    } cases[] = {
        {2, 10, 0, 127, false}, {130, 2, 0, 127, false}, {10, 2, 0, 127, true},
        {130, 10, 0, 0, false}, {130, 10, 5, 4, false},
    };
    for (const auto& c : cases)
    {
        CValueBarGeometry bar = Bar(62, 12, false, false, 0, 127);
        bar.SetValue(64);
        EXPECT_FALSE(bar.Create(c.width, c.height, c.vertical, false, c.minimum, c.maximum, 0)) << c.width;
        EXPECT_EQ(bar.GetFillRect(), CHfcRect(1, 1, 31, 11));
    }
    // A range emptied after Create paints and presses nothing.
    CValueBarGeometry bar = Bar(62, 12, false, false, 0, 127);
    bar.SetMaximum(0);
    bar.Press(30, 5);
    EXPECT_EQ(bar.GetFillRect(), CHfcRect());
}
} // namespace
