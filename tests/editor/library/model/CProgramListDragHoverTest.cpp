#include "editor/library/model/CProgramListDragHover.h"

#include <gtest/gtest.h>

namespace
{
// The tick on which the bank is shown, counting from 1, or 0 within the ticks given.
int ShownOnTick(CProgramListDragHover& hover, int32_t tab, int ticks)
{
    for (int tick = 1; tick <= ticks; ++tick)
        if (hover.TickBank(tab) == tab)
            return tick;
    return 0;
}

TEST(CProgramListDragHoverTest, ATabShowsItsBankOnTheSixthTickAndAgainSixLater)
{
    CProgramListDragHover hover;
    hover.Restart();
    EXPECT_EQ(ShownOnTick(hover, 1, 20), 6);
    EXPECT_EQ(ShownOnTick(hover, 1, 20), 6);
    // Leaving the tabs, or moving to the other tab, starts the time again.
    EXPECT_EQ(ShownOnTick(hover, 0, 5), 0);
    EXPECT_EQ(hover.TickBank(-1), -1);
    EXPECT_EQ(ShownOnTick(hover, 0, 20), 6);
    EXPECT_EQ(ShownOnTick(hover, 1, 5), 0);
    EXPECT_EQ(ShownOnTick(hover, 0, 20), 6);
}

TEST(CProgramListDragHoverTest, TheWindowComesForwardOncePerRest)
{
    CProgramListDragHover hover;
    hover.Restart();
    for (int tick = 1; tick <= 5; ++tick)
        EXPECT_FALSE(hover.TickWindow()) << tick;
    EXPECT_TRUE(hover.TickWindow()) << "past 300 ms";
    for (int tick = 0; tick < 20; ++tick)
        EXPECT_FALSE(hover.TickWindow());
    hover.PointerMoved();
    for (int tick = 1; tick <= 5; ++tick)
        EXPECT_FALSE(hover.TickWindow()) << tick;
    EXPECT_TRUE(hover.TickWindow());
}
} // namespace
