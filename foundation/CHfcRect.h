#pragma once

#include <cstdint>

// A rectangle of four signed 32-bit numbers; right and bottom lie outside it.
class CHfcRect
{
public:
    CHfcRect() = default;
    CHfcRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}

    void Set(int32_t l, int32_t t, int32_t r, int32_t b);
    // The smallest rectangle around a and b: minimum left and top, maximum right and bottom.
    void Union(const CHfcRect& a, const CHfcRect& b);
    int32_t GetWidth() const { return right - left; }
    int32_t GetHeight() const { return bottom - top; }
    void Copy(const CHfcRect& other) { *this = other; }

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

inline bool operator==(const CHfcRect& a, const CHfcRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const CHfcRect& a, const CHfcRect& b)
{
    return !(a == b);
}
