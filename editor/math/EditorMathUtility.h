#pragma once

#include <cstdint>

// Integer helpers of the editor's mathematics: every product is formed in 64 bits and
// saturated back, so hostile values never overflow.

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
