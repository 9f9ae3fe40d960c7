#include "editor/math/LfoWave.h"

#include <gtest/gtest.h>

namespace
{
TEST(LfoWave, ShapeCodeKeepsTheRandomFlagApartFromTheWave)
{
    const struct
    {
        uint32_t code;
        int32_t wave;
        bool random;
    } cases[] = {{0, 0, false}, {4, 4, false}, {5, 5, false}, {0x45, 5, true}};
    for (const auto& c : cases)
    {
        const CLfoShape shape = MakeLfoShape(c.code);
        EXPECT_EQ(shape.wave, c.wave) << c.code;
        EXPECT_EQ(shape.random, c.random) << c.code;
    }
    // The random shape shows, and differs from sample and hold.
    const std::vector<CGraphPoint> random = ComputeLfoWave(MakeLfoShape(0x45), 0.0f, 64, 137, 63);
    const std::vector<CGraphPoint> held = ComputeLfoWave(MakeLfoShape(5), 0.0f, 64, 137, 63);
    ASSERT_EQ(random.size(), 137u);
    ASSERT_EQ(held.size(), 137u);
    EXPECT_NE(random, held);
    EXPECT_TRUE(ComputeLfoWave(CLfoShape(), 0.0f, 64, 137, 63).empty()); // wave 7: none
    EXPECT_TRUE(ComputeLfoWave(MakeLfoShape(6), 0.0f, 64, 137, 63).empty());
    EXPECT_TRUE(ComputeLfoWave(MakeLfoShape(1), 0.0f, 64, 0, 63).empty());
}

TEST(LfoWave, TriangleWrapsItsPhase)
{
    CLfoShape triangle;
    triangle.wave = 3;
    // At p = 0.9 the unwrapped q = 1.15 would give w = -0.3 and a value below -1.
    EXPECT_NEAR(GetLfoWaveValue(triangle, 0.0f, 0.9f, 0), -0.4f, 1e-5f);
    EXPECT_NEAR(GetLfoWaveValue(triangle, 0.0f, 0.25f, 0), 1.0f, 1e-5f);
    EXPECT_NEAR(GetLfoWaveValue(triangle, 0.0f, 0.75f, 0), -1.0f, 1e-5f);
}

TEST(LfoWave, EveryWaveStaysInsideItsRange)
{
    for (int32_t wave = 0; wave <= 5; ++wave)
        for (bool random : {false, true})
            for (float k : {0.0f, 0.3f, 1.0f})
                for (int32_t i = 0; i < 1000; ++i)
                {
                    const CLfoShape shape{wave, random};
                    const float v = GetLfoWaveValue(shape, k, i / 1000.0f, i);
                    ASSERT_GE(v, -1.0f) << wave << " " << k << " " << i;
                    ASSERT_LE(v, 1.0f) << wave << " " << k << " " << i;
                }
    for (uint32_t code : {0u, 1u, 2u, 3u, 4u, 5u, 0x45u})
        for (int32_t level : {-1, 0, 40, 63, 200})
            for (const CGraphPoint& p :
                 ComputeLfoWave(MakeLfoShape(code), GetLfoLevelRatio(level), 127, 137, 63))
            {
                ASSERT_GE(p.y, 0) << code;
                ASSERT_LE(p.y, 62) << code;
            }
}

TEST(LfoWave, SquareSineAndTheLevel)
{
    const CLfoShape square{1, false}, unipolar{2, false}, sine{4, false};
    const struct
    {
        float p, k, square, unipolar;
    } cases[] = {{0.0f, 0.0f, 1, 1},
                 {0.5f, 0.0f, 1, 1},
                 {0.51f, 0.0f, -1, 0},
                 {0.7f, 0.5f, 1, 1},
                 {0.8f, 0.5f, -1, 0}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(GetLfoWaveValue(square, c.k, c.p, 0), c.square) << c.p << " " << c.k;
        EXPECT_EQ(GetLfoWaveValue(unipolar, c.k, c.p, 0), c.unipolar) << c.p << " " << c.k;
    }
    EXPECT_NEAR(GetLfoWaveValue(sine, 0.0f, 0.25f, 0), 1.0f, 1e-6f);
    EXPECT_NEAR(GetLfoWaveValue(sine, 0.0f, 0.75f, 0), -1.0f, 1e-6f);
    EXPECT_NEAR(GetLfoWaveValue(sine, 0.0f, 0.0f, 0), 0.0f, 1e-6f);

    EXPECT_EQ(GetLfoLevelRatio(0), 0.0f);
    EXPECT_EQ(GetLfoLevelRatio(-1), 0.0f);
    EXPECT_EQ(GetLfoLevelRatio(63), 1.0f);
    EXPECT_EQ(GetLfoLevelRatio(99), 1.0f);
    EXPECT_NEAR(GetLfoLevelRatio(21), 1.0f / 3.0f, 1e-6f);
}

TEST(LfoWave, PointsOneAColumnAndTheValueSetsThePeriods)
{
    const std::vector<CGraphPoint> points = ComputeLfoWave(MakeLfoShape(1), 0.0f, 0, 137, 63);
    ASSERT_EQ(points.size(), 137u);
    for (size_t x = 0; x < points.size(); ++x)
    {
        EXPECT_EQ(points[x].x, static_cast<int32_t>(x));
        EXPECT_TRUE(points[x].y == 0 || points[x].y == 62) << x; // c = 31: 31 -+ 31
    }
    // Falls from high to low once a period: 1 period at speed 0, 4 at 127.
    for (const auto& c : {std::make_pair(0, 1), std::make_pair(127, 4)})
    {
        const std::vector<CGraphPoint> wave = ComputeLfoWave(MakeLfoShape(1), 0.0f, c.first, 137, 63);
        int falls = 0;
        for (size_t x = 1; x < wave.size(); ++x)
            falls += wave[x].y > wave[x - 1].y;
        EXPECT_EQ(falls, c.second) << c.first;
    }
}
} // namespace
