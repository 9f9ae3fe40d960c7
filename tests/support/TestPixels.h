#pragma once

// A surface of B, G, R, A pixels in a vector, for pixel and decoder tests.
#include "framework/pixels/CHfcPixelView.h"
#include "framework/pixels/HfcPngDecode.h"

#include <cstdint>
#include <vector>

struct TestSurface
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    std::vector<uint8_t> bytes;

    TestSurface() = default;
    // Every pixel set to the 32-bit value argb (alpha in the top byte). Rows are padded by
    // 8 bytes so that a stride different from the width is exercised.
    TestSurface(int32_t w, int32_t h, uint32_t argb = 0) { Reset(w, h, argb); }

    void Reset(int32_t w, int32_t h, uint32_t argb = 0)
    {
        width = w;
        height = h;
        stride = w * 4 + 8;
        bytes.assign(static_cast<size_t>(stride) * h, 0xEE);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                Set(x, y, argb);
    }

    CHfcPixelView View() { return {bytes.data(), width, height, stride}; }

    uint32_t Get(int32_t x, int32_t y) const
    {
        const uint8_t* p = &bytes[static_cast<size_t>(y) * stride + x * 4];
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    void Set(int32_t x, int32_t y, uint32_t argb)
    {
        uint8_t* p = &bytes[static_cast<size_t>(y) * stride + x * 4];
        p[0] = argb & 0xFF;
        p[1] = (argb >> 8) & 0xFF;
        p[2] = (argb >> 16) & 0xFF;
        p[3] = argb >> 24;
    }
    // Pixels as ARGB values, row by row, without the padding.
    std::vector<uint32_t> Pixels() const
    {
        std::vector<uint32_t> out;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                out.push_back(Get(x, y));
        return out;
    }
};

// A decode target that makes a TestSurface and counts its requests.
struct TestPngTarget : CHfcPngTarget
{
    TestSurface surface;
    int allocations = 0;
    CHfcPixelView AllocatePixels(int32_t width, int32_t height) override
    {
        ++allocations;
        surface.Reset(width, height, 0x12345678);
        return surface.View();
    }
};
