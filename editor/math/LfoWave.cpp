#include "editor/math/LfoWave.h"

#include <cmath>

namespace
{
// The levels the sample-and-hold wave steps through, one a quarter period, and that the random
// wave joins: fixed, so that every redraw shows the same picture.
const float kHeldLevels[16] = {0.62f,  -0.35f, 0.91f, -0.78f, 0.12f,  0.44f, -0.63f, 0.75f,
                               -0.08f, -0.95f, 0.30f, 0.86f,  -0.47f, 0.05f, -0.71f, 0.52f};
const int32_t kHeldStepsPerPeriod = 4;

float HeldLevel(int64_t step)
{
    return kHeldLevels[static_cast<size_t>(((step % 16) + 16) % 16)];
}

// s bent by the level ratio, staying inside [-1, 1] for k in [0, 1].
float Bend(float s, float k)
{
    return s * ((1.0f - std::fabs(s)) * k + 1.0f);
}
} // namespace

CLfoShape MakeLfoShape(uint32_t code)
{
    CLfoShape shape;
    shape.wave = static_cast<int32_t>(code & 0x3F);
    shape.random = (code & 0x40) != 0;
    return shape;
}

float GetLfoLevelRatio(int32_t level)
{
    if (level <= 0)
        return 0.0f;
    if (level >= 63)
        return 1.0f;
    return static_cast<float>(level) / 63.0f;
}

float GetLfoWaveValue(const CLfoShape& shape, float k, float p, int64_t step)
{
    switch (shape.wave)
    {
    case 0:
        return Bend(2.0f * p - 1.0f, k);
    case 1:
        return 1.0f - 2.0f * p + k >= 0.0f ? 1.0f : -1.0f;
    case 2:
        return 1.0f - 2.0f * p + k >= 0.0f ? 1.0f : 0.0f;
    case 3:
    {
        // The phase wraps, so that the quarter-period offset never leaves [0, 1).
        float q = p + 0.25f;
        q -= std::floor(q);
        const float w = (0.5f - std::fabs(0.5f - q)) * 2.0f;
        return (w + (1.0f - w) * k * w - 0.5f) * 2.0f;
    }
    case 4:
    {
        const float u = 0.5f - p;
        const float s = 8.0f * u * (1.0f - 2.0f * std::fabs(u));
        const float t = Bend(s, k);
        return (1.0f + k * (1.0f - std::fabs(t))) * t;
    }
    case 5:
        if (shape.random)
            return HeldLevel(step) + (HeldLevel(step + 1) - HeldLevel(step)) * p;
        return HeldLevel(step);
    default:
        return 0.0f;
    }
}

std::vector<CGraphPoint> ComputeLfoWave(const CLfoShape& shape, float levelRatio, int32_t value,
                                        int32_t width, int32_t height)
{
    std::vector<CGraphPoint> points;
    if (shape.wave < 0 || shape.wave > 5 || width < 1 || height < 1)
        return points;
    const float k = levelRatio < 0.0f ? 0.0f : levelRatio > 1.0f ? 1.0f : levelRatio;
    const int32_t speed = value < 0 ? 0 : value > 127 ? 127 : value;
    const float periods = 1.0f + 3.0f * static_cast<float>(speed) / 127.0f;
    const int32_t c = (height - 1) / 2;
    points.reserve(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x)
    {
        float position = static_cast<float>(x) * periods / static_cast<float>(width);
        if (shape.wave == 5)
            position *= kHeldStepsPerPeriod;
        const int64_t step = static_cast<int64_t>(std::floor(position));
        const float p = position - static_cast<float>(step);
        const float v = GetLfoWaveValue(shape, k, p, step);
        points.push_back({x, c - static_cast<int32_t>(std::trunc(v * static_cast<float>(c)))});
    }
    return points;
}
