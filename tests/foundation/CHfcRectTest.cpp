#include "foundation/CHfcRect.h"

#include <gtest/gtest.h>

TEST(CHfcRect, SetSizesAndCopy)
{
    CHfcRect rect;
    EXPECT_EQ(rect, CHfcRect(0, 0, 0, 0));
    rect.Set(-10, 5, 30, 45);
    EXPECT_EQ(rect.GetWidth(), 40);
    EXPECT_EQ(rect.GetHeight(), 40);
    CHfcRect copy;
    copy.Copy(rect);
    EXPECT_EQ(copy, rect);
}

TEST(CHfcRect, UnionTakesTheOuterEdges)
{
    const struct
    {
        CHfcRect a, b, expected;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, {0, 0, 20, 20}},       // overlapping
        {{50, -5, 60, 0}, {-3, 10, 4, 12}, {-3, -5, 60, 12}},   // apart
        {{0, 0, 100, 100}, {10, 10, 20, 20}, {0, 0, 100, 100}}, // one inside the other
    };
    for (const auto& c : cases)
    {
        CHfcRect u;
        u.Union(c.a, c.b);
        EXPECT_EQ(u, c.expected);
        u.Union(c.b, c.a);
        EXPECT_EQ(u, c.expected);
    }
    CHfcRect a(1, 2, 3, 4);
    a.Union(a, CHfcRect(0, 5, 2, 6)); // the result may be one of the operands
    EXPECT_EQ(a, CHfcRect(0, 2, 3, 6));
}
