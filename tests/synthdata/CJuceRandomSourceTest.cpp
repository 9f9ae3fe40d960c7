#include "synthdata/CJuceRandomSource.h"

#include <gtest/gtest.h>

#include <set>

TEST(JuceRandomSourceTest, DrawsStayInsideTheirRanges)
{
    CJuceRandomSource random;
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i)
    {
        const int32_t v = random.NextInt(5);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 5);
        seen.insert(v);
        const float f = random.NextFloat();
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(random.NextInt(1), 0);
}
