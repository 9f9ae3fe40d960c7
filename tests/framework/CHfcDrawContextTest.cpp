#include "framework/CHfcOffscreenContext.h"
#include "framework/pixels/HfcPixels.h"
#include "support/TestPixels.h"

#include <gtest/gtest.h>

namespace
{
uint32_t Pixel(CHfcBmp* bmp, int32_t x, int32_t y)
{
    CHfcBmpLock lock(bmp);
    const uint8_t* p = lock.View().Pixel(x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void SetPixel(CHfcBmp* bmp, int32_t x, int32_t y, uint32_t argb)
{
    CHfcBmpLock lock(bmp);
    uint8_t* p = lock.View().Pixel(x, y);
    p[0] = argb & 0xFF;
    p[1] = (argb >> 8) & 0xFF;
    p[2] = (argb >> 16) & 0xFF;
    p[3] = argb >> 24;
}

TEST(HfcOffscreenContext, PixelOperationsWorkOnTheLockedBitmap)
{
    CHfcOffscreenContext context(6, 4);
    ASSERT_TRUE(context.IsReady());
    CHfcBmp source;
    ASSERT_TRUE(source.Create(3, 2));
    SetPixel(&source, 0, 0, 0xFF8040C0);
    SetPixel(&source, 1, 0, 0x800064C8);
    SetPixel(&source, 2, 0, 0x00FFFFFF);
    SetPixel(&source, 0, 1, 0x40FF0040);

    CHfcBmp* surface = context.GetBitmap();
    for (int32_t x = 0; x < 6; ++x)
        SetPixel(surface, x, 0, 0xFFC86400);
    // Starting left of the surface: the source's first column is cut off.
    context.DrawBitmap(-1, 0, 3, 2, &source, 0, 0);
    EXPECT_EQ(Pixel(surface, 0, 0), 0xFF646465u); // half alpha over C86400
    EXPECT_EQ(Pixel(surface, 1, 0), 0xFFC86400u); // transparent: unchanged
    EXPECT_EQ(Pixel(surface, 2, 0), 0xFFC86400u);

    context.DrawBitmapAlpha(3, 0, 1, 1, &source, 0.5f, 0, 0);
    EXPECT_EQ(Pixel(surface, 3, 0), 0xFFA45260u);

    context.Lighten(0, 1, 1, 1, &source, 0, 1);
    EXPECT_EQ(Pixel(surface, 0, 1), 0x40FF0040u);

    context.ClearRect(0, 0, 2, 1);
    EXPECT_EQ(Pixel(surface, 0, 0), 0u);
    EXPECT_EQ(Pixel(surface, 1, 0), 0u);
    EXPECT_EQ(Pixel(surface, 2, 0), 0xFFC86400u);

    CHfcRect moved;
    moved.Set(2, 0, 4, 1);
    context.Scroll(moved, 0, 2);
    EXPECT_EQ(Pixel(surface, 2, 2), 0xFFC86400u);

    ASSERT_TRUE(context.Resize(9, 7));
    EXPECT_EQ(context.GetWidth(), 9);
    EXPECT_EQ(Pixel(surface, 8, 6), 0u);
}

TEST(HfcOffscreenContext, BitmapTextWithCellHeightZeroUses128Cells)
{
    CHfcBmp font;
    ASSERT_TRUE(font.Create(3, 1152)); // cells of 9 rows
    {
        CHfcBmpLock lock(&font);
        const CHfcPixelView view = lock.View();
        for (int32_t y = 0; y < 1152; ++y)
            for (int32_t x = 0; x < 3; ++x)
            {
                uint8_t* p = view.Pixel(x, y);
                p[0] = static_cast<uint8_t>(y / 9); // the code
                p[1] = static_cast<uint8_t>(y % 9); // the row in the cell
                p[2] = 0;
                p[3] = 255;
            }
    }
    CHfcOffscreenContext context(12, 12);
    context.DrawBitmapText(1, 2, "Hi!", 3, &font, 0, 0);
    CHfcBmp* surface = context.GetBitmap();
    EXPECT_EQ(Pixel(surface, 1, 2), 0xFF000000u | 'H');
    EXPECT_EQ(Pixel(surface, 3, 10), 0xFF000800u | 'H');
    EXPECT_EQ(Pixel(surface, 4, 2), 0xFF000000u | 'i');
    EXPECT_EQ(Pixel(surface, 9, 5), 0xFF000300u | '!');
    EXPECT_EQ(Pixel(surface, 10, 5), 0u);
    EXPECT_EQ(Pixel(surface, 1, 11), 0u);
}

// A font of `cells` cells of 9 rows, 3 pixels wide; each cell's pixels hold its code in blue.
void FillCodeFont(CHfcBmp& font, int32_t cells)
{
    ASSERT_TRUE(font.Create(3, cells * 9));
    CHfcBmpLock lock(&font);
    const CHfcPixelView view = lock.View();
    for (int32_t y = 0; y < cells * 9; ++y)
        for (int32_t x = 0; x < 3; ++x)
        {
            uint8_t* p = view.Pixel(x, y);
            p[0] = static_cast<uint8_t>(y / 9);
            p[1] = p[2] = 0;
            p[3] = 255;
        }
}

TEST(HfcOffscreenContext, BitmapTextShowsTheFallbackGlyphForBytesWithoutOne)
{
    // Names from files and from the instrument may hold bytes from 128 up.
    CHfcBmp font;
    FillCodeFont(font, 128);
    CHfcOffscreenContext context(15, 12);
    context.DrawBitmapText(0, 0,
                           "\x80\xFF"
                           "A\xC3",
                           4, &font, 0, 0);
    CHfcBmp* surface = context.GetBitmap();
    EXPECT_EQ(Pixel(surface, 1, 4), 0xFF000000u | kBitmapFontFallbackGlyph);
    EXPECT_EQ(Pixel(surface, 4, 4), 0xFF000000u | kBitmapFontFallbackGlyph);
    EXPECT_EQ(Pixel(surface, 7, 4), 0xFF000000u | 'A');
    EXPECT_EQ(Pixel(surface, 10, 8), 0xFF000000u | kBitmapFontFallbackGlyph);
    EXPECT_EQ(Pixel(surface, 13, 4), 0u);
}

TEST(HfcOffscreenContext, BitmapTextNeverReadsPastTheEndOfAShortFont)
{
    // Ten cells only: codes 10 and up, and the fallback glyph, lie outside it and draw nothing.
    CHfcBmp font;
    FillCodeFont(font, 10);
    CHfcOffscreenContext context(12, 9);
    context.DrawBitmapText(0, 0, "\x09\x0A!\x90", 4, &font, 3, 9);
    CHfcBmp* surface = context.GetBitmap();
    EXPECT_EQ(Pixel(surface, 1, 1), 0xFF000009u);
    EXPECT_EQ(Pixel(surface, 4, 1), 0u);
    EXPECT_EQ(Pixel(surface, 7, 1), 0u);
    EXPECT_EQ(Pixel(surface, 10, 1), 0u);
}

TEST(HfcOffscreenContext, BrushFillsCoverTheRectangleOnly)
{
    CHfcOffscreenContext context(10, 10);
    context.SetBrushColor(0xFF2080F0);
    context.FillRect(2, 3, 4, 5);
    CHfcBmp* surface = context.GetBitmap();
    EXPECT_EQ(Pixel(surface, 3, 4), 0xFF2080F0u);
    EXPECT_EQ(Pixel(surface, 4, 6), 0xFF2080F0u);
    EXPECT_EQ(Pixel(surface, 0, 0), 0u);
    EXPECT_EQ(Pixel(surface, 8, 9), 0u);
}
} // namespace
