#include "editor/math/CKnobValueMap.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
TEST(KnobValueMap, RecordRangeGivesFrameworkRangeAndStep)
{
    struct Case
    {
        int32_t minimum, maximum, recordSensitivity, positionMaximum, sensitivity;
    };
    const Case cases[] = {
        {0, 127, 1, 1778, 2},  // 127 x 7 x 2
        {0, 127, 0, 1778, 2},  // 0 counts as 1
        {-64, 63, 2, 3556, 4}, // 127 x 7 x 4
        {0, 1, 3, 42, 6},
    };
    for (const Case& c : cases)
    {
        const CKnobValueMap map = CKnobValueMap::FromRecord(c.minimum, c.maximum, c.recordSensitivity);
        EXPECT_EQ(map.GetPositionMaximum(), c.positionMaximum) << c.maximum << " " << c.recordSensitivity;
        EXPECT_EQ(map.GetSensitivity(), c.sensitivity);
        EXPECT_EQ(map.GetStep(), 7);
    }
}

TEST(KnobValueMap, PositionsOfTheDefaultKnob)
{
    const CKnobValueMap map = CKnobValueMap::FromRecord(0, 127, 1);
    EXPECT_EQ(map.ValueToPosition(1), 14);
    EXPECT_EQ(map.PositionToValue(14), 1);
    EXPECT_EQ(map.PositionToValue(20), 1);
    EXPECT_EQ(map.PositionToValue(27), 1);
    EXPECT_EQ(map.PositionToValue(28), 2);
    EXPECT_EQ(map.ValueToPosition(127), 1778);
}

TEST(KnobValueMap, EveryValueRoundTripsForPositiveAndZeroSensitivity)
{
    for (int32_t s : {0, 1, 2, 3, 8, 24})
    {
        const CKnobValueMap map(-64, 63, s);
        for (int32_t v = -64; v <= 63; ++v)
            ASSERT_EQ(map.PositionToValue(map.ValueToPosition(v)), v) << "s " << s;
    }
}

TEST(KnobValueMap, NegativeSensitivityTruncatesTwiceAndKeepsTheMaximumPositive)
{
    const CKnobValueMap map(0, 127, -2);
    EXPECT_EQ(map.ValueToPosition(5), 17);
    EXPECT_EQ(map.PositionToValue(17), 4);
    EXPECT_EQ(map.GetPositionMaximum(), 444); // 127 x 7 / 2, not 127 x 7 x -2
    // A record with a negative sensitivity never gives a negative framework maximum.
    EXPECT_GT(CKnobValueMap::FromRecord(0, 127, -3).GetPositionMaximum(), 0);
    // Nor does a maximum below the minimum.
    EXPECT_EQ(CKnobValueMap(10, 5, 2).GetPositionMaximum(), 0);
}

TEST(KnobValueMap, SetMinimumRebasesTheRange)
{
    CKnobValueMap map = CKnobValueMap::FromRecord(0, 127, 1);
    map.SetMinimum(10);
    EXPECT_EQ(map.ValueToPosition(10), 0);
    EXPECT_EQ(map.PositionToValue(0), 10);
    EXPECT_EQ(map.GetPositionMaximum(), 117 * 14);
    EXPECT_EQ(map.PositionToValue(map.GetPositionMaximum()), 127);
    map.SetSensitivity(4);
    EXPECT_EQ(map.GetPositionMaximum(), 117 * 28);
    EXPECT_EQ(map.PositionToValue(map.ValueToPosition(50)), 50);
}

TEST(KnobValueMap, WheelSnapsThenMovesAUnitOrSeventy)
{
    const CKnobValueMap map = CKnobValueMap::FromRecord(0, 127, 1);
    struct Case
    {
        int32_t position, delta;
        bool shift;
        int32_t expected;
    };
    const Case cases[] = {
        {20, 120, false, 84},   {20, 120, true, 28}, {20, -120, true, 0}, {3, -1, false, 0},
        {1770, 1, false, 1778}, {0, 0, false, 0},    {20, 0, true, 20},   {1778, 1, true, 1778},
    };
    for (const Case& c : cases)
        EXPECT_EQ(map.WheelPosition(c.position, c.delta, c.shift), c.expected)
            << c.position << " " << c.delta << " " << c.shift;
    // With a negative sensitivity the fine step is 7 positions, still in the delta's direction.
    EXPECT_EQ(CKnobValueMap(0, 127, -2).WheelPosition(14, 1, true), 21);
}

TEST(KnobValueMap, ExtremeRangesSaturateInsteadOfOverflowing)
{
    const CKnobValueMap map(INT32_MIN, INT32_MAX, 100);
    EXPECT_EQ(map.ValueToPosition(INT32_MAX), INT32_MAX);
    EXPECT_EQ(map.GetPositionMaximum(), INT32_MAX);
    EXPECT_EQ(CKnobValueMap(INT32_MAX, INT32_MAX, -1).PositionToValue(INT32_MAX), INT32_MAX);
    EXPECT_EQ(map.WheelPosition(INT32_MAX, 1, false), INT32_MAX);
}
} // namespace
