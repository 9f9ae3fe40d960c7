#include "editor/math/CEditTextValueMap.h"

#include <gtest/gtest.h>

namespace
{
TEST(EditTextValueMap, LowGainField)
{
    // Low Gain: -30..30, record sensitivity 2, stored as s = 4.
    const CEditTextValueMap map = CEditTextValueMap::FromRecord(2);
    EXPECT_EQ(map.GetSensitivity(), 4);
    const int32_t minimum = map.ValueToPosition(-30);
    const int32_t maximum = map.ValueToPosition(30);
    EXPECT_EQ(minimum, -840);
    EXPECT_EQ(maximum, 840);
    EXPECT_EQ(map.ValueToPosition(-3), -84);
    EXPECT_EQ(map.PositionToValue(-84), -3);
    EXPECT_EQ(map.WheelPosition(0, 120, minimum, maximum), 28);
    EXPECT_EQ(map.PositionToValue(28), 1);
    EXPECT_EQ(map.WheelPosition(-830, -120, minimum, maximum), -840);
    EXPECT_EQ(map.WheelPosition(17, 0, minimum, maximum), 17);
}

TEST(EditTextValueMap, MappingAndWheelStepBySensitivity)
{
    struct Case
    {
        int32_t s, positionOf5, valueOf35, wheelStep;
    };
    const Case cases[] = {
        {0, 35, 5, 1},
        {4, 140, 1, 28},
        {-2, 17, 10, 3},
        {-14, 2, 70, 1},
    };
    for (const Case& c : cases)
    {
        const CEditTextValueMap map(c.s);
        EXPECT_EQ(map.ValueToPosition(5), c.positionOf5) << c.s;
        EXPECT_EQ(map.PositionToValue(35), c.valueOf35) << c.s;
        EXPECT_EQ(map.GetWheelStep(), c.wheelStep) << c.s;
    }
    // No minimum is subtracted: the value 0 is position 0 whatever the range.
    EXPECT_EQ(CEditTextValueMap(6).ValueToPosition(0), 0);
}
} // namespace
