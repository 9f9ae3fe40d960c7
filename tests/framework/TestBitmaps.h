#pragma once

// Small bitmaps whose pixels tell apart what a control drew: strips of frames, a font, any
// pattern.
#include "FrameworkTestSupport.h"
#include "framework/CHfcBmp.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A bitmap of the size with each pixel argbAt(x, y).
inline std::unique_ptr<CHfcBmp> MakeBitmap(int32_t width, int32_t height,
                                           const std::function<uint32_t(int32_t, int32_t)>& argbAt)
{
    auto bmp = std::make_unique<CHfcBmp>();
    EXPECT_TRUE(bmp->Create(width, height));
    CHfcBmpLock lock(bmp.get());
    FillView(lock.View(), argbAt);
    return bmp;
}

// An opaque strip of frames of width x frameHeight whose pixels tell frame, x and y apart.
inline uint32_t StripPixel(int32_t frame, int32_t x, int32_t y)
{
    return 0xFF000000u | static_cast<uint32_t>(frame * 20 + 10) << 16 | static_cast<uint32_t>(x * 9) << 8 |
           static_cast<uint32_t>(y * 9);
}

inline std::unique_ptr<CHfcBmp> MakeStrip(int32_t width, int32_t frameHeight, int32_t frames)
{
    return MakeBitmap(width, frameHeight * frames,
                      [=](int32_t x, int32_t y) { return StripPixel(y / frameHeight, x, y % frameHeight); });
}

// A font of 128 glyphs of 6 x 8 whose glyph c is filled with a colour made from c.
inline uint32_t GlyphColour(int32_t code)
{
    return 0xFF000000u | static_cast<uint32_t>(code * 2) << 16 | 0x4000u | static_cast<uint32_t>(255 - code);
}

inline std::unique_ptr<CHfcBmp> MakeFont()
{
    return MakeBitmap(6, 8 * 128, [](int32_t, int32_t y) { return GlyphColour(y / 8); });
}
