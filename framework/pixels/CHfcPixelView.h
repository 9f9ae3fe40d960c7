#pragma once

#include <cstddef>
#include <cstdint>

// A window on 32-bit pixels stored B, G, R, A in memory (ARGB little-endian), not
// premultiplied. The view does not own the pixels.
struct CHfcPixelView
{
    uint8_t* bits = nullptr; // first scan line
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0; // bytes from one row to the next

    bool IsValid() const { return bits != nullptr && width > 0 && height > 0; }
    uint8_t* Row(int32_t y) const { return bits + static_cast<ptrdiff_t>(y) * stride; }
    uint8_t* Pixel(int32_t x, int32_t y) const { return Row(y) + static_cast<ptrdiff_t>(x) * 4; }
};
