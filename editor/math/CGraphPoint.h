#pragma once

#include <cstdint>

// A pixel position of a graph, relative to the control's top-left corner.
struct CGraphPoint
{
    int32_t x = 0;
    int32_t y = 0;
};

inline bool operator==(const CGraphPoint& a, const CGraphPoint& b)
{
    return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const CGraphPoint& a, const CGraphPoint& b)
{
    return !(a == b);
}
