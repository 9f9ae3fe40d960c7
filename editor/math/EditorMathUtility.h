#pragma once

#include <cstdint>

// Integer helpers of the editor's mathematics: every product is formed in 64 bits and
// saturated back, so hostile values never overflow. Also the dimming of a colour.

inline int32_t SaturateToInt32(int64_t value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

// low must not be above high.
inline int32_t ClampToRange(int64_t value, int64_t low, int64_t high)
{
    return SaturateToInt32(value < low ? low : value > high ? high : value);
}

// Division rounding toward minus infinity; divisor above 0.
inline int64_t FloorDivide(int64_t value, int64_t divisor)
{
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// ARGB with its alpha byte multiplied by factor (limited to 0..1, truncated); red, green and
// blue stay. The graphs dim their colours so while disabled.
inline uint32_t ScaleAlpha(uint32_t argb, float factor)
{
    const float f = factor < 0.0f ? 0.0f : factor > 1.0f ? 1.0f : factor;
    const float alpha = static_cast<float>(argb >> 24) * f;
    return (argb & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24;
}
