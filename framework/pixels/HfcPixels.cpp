#include "framework/pixels/HfcPixels.h"

#include <cstring>

namespace
{
// Moves the region's start to 0 when it lies at a negative coordinate on either surface.
void ClipStart(int32_t& dest, int32_t& source, int32_t& length)
{
    if (dest < 0)
    {
        source -= dest;
        length += dest;
        dest = 0;
    }
    if (source < 0)
    {
        dest -= source;
        length += source;
        source = 0;
    }
}

void ClipEnd(int32_t dest, int32_t source, int32_t destLength, int32_t sourceLength, int32_t& length)
{
    if (length > destLength - dest)
        length = destLength - dest;
    if (length > sourceLength - source)
        length = sourceLength - source;
}

bool ClipToSurface(const CHfcPixelView& view, int32_t& x, int32_t& y, int32_t& width, int32_t& height)
{
    CHfcBlitRegion region{x, y, width, height, x, y};
    if (!ClipBlitRegion(view.width, view.height, view.width, view.height, region))
        return false;
    x = region.x;
    y = region.y;
    width = region.width;
    height = region.height;
    return true;
}
} // namespace

bool ClipBlitRegion(int32_t destWidth, int32_t destHeight, int32_t sourceWidth, int32_t sourceHeight,
                    CHfcBlitRegion& r)
{
    ClipStart(r.x, r.sourceX, r.width);
    ClipStart(r.y, r.sourceY, r.height);
    ClipEnd(r.x, r.sourceX, destWidth, sourceWidth, r.width);
    ClipEnd(r.y, r.sourceY, destHeight, sourceHeight, r.height);
    return r.width > 0 && r.height > 0;
}

void BlendPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                 const CHfcPixelView& source, int32_t sourceX, int32_t sourceY, float opacity)
{
    if (!dest.IsValid() || !source.IsValid())
        return;
    CHfcBlitRegion r{x, y, width, height, sourceX, sourceY};
    if (!ClipBlitRegion(dest.width, dest.height, source.width, source.height, r))
        return;
    if (!(opacity > 0.0f)) // also NaN
        return;
    const bool scaled = opacity < 1.0f;

    for (int32_t row = 0; row < r.height; ++row)
    {
        uint8_t* d = dest.Pixel(r.x, r.y + row);
        const uint8_t* s = source.Pixel(r.sourceX, r.sourceY + row);
        for (int32_t i = 0; i < r.width; ++i, d += 4, s += 4)
        {
            const uint32_t alpha = scaled ? static_cast<uint32_t>(s[3] * opacity) : s[3];
            if (alpha == 0)
                continue;
            if (alpha == 255)
            {
                // The weights below give the source exactly: copy it.
                std::memcpy(d, s, 4);
                continue;
            }
            const uint32_t a = alpha * 256 + 255;
            const uint32_t inverse = 65535 - a;
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<uint8_t>(((d[c] * 256u + 255) * inverse + (s[c] * 256u + 255) * a) >> 24);
            const uint32_t outAlpha = ((d[3] * 256u + 255) + a) >> 8;
            d[3] = static_cast<uint8_t>(outAlpha > 255 ? 255 : outAlpha);
        }
    }
}

void LightenPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                   const CHfcPixelView& source, int32_t sourceX, int32_t sourceY)
{
    if (!dest.IsValid() || !source.IsValid())
        return;
    CHfcBlitRegion r{x, y, width, height, sourceX, sourceY};
    if (!ClipBlitRegion(dest.width, dest.height, source.width, source.height, r))
        return;
    for (int32_t row = 0; row < r.height; ++row)
    {
        uint8_t* d = dest.Pixel(r.x, r.y + row);
        const uint8_t* s = source.Pixel(r.sourceX, r.sourceY + row);
        for (int32_t i = 0; i < r.width; ++i, d += 4, s += 4)
        {
            if (s[3] == 0)
                continue;
            for (int c = 0; c < 4; ++c)
                if (s[c] > d[c])
                    d[c] = s[c];
        }
    }
}

void ClearPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (!dest.IsValid() || !ClipToSurface(dest, x, y, width, height))
        return;
    for (int32_t row = 0; row < height; ++row)
        std::memset(dest.Pixel(x, y + row), 0, static_cast<size_t>(width) * 4);
}

void ScrollPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height, int32_t dx,
                  int32_t dy)
{
    if (!dest.IsValid() || !ClipToSurface(dest, x, y, width, height))
        return;
    CHfcBlitRegion r{x + dx, y + dy, width, height, x, y};
    if (!ClipBlitRegion(dest.width, dest.height, dest.width, dest.height, r))
        return;
    const size_t bytes = static_cast<size_t>(r.width) * 4;
    // Rows in the order that never overwrites a row still to be read; memmove handles the
    // overlap within a row.
    for (int32_t i = 0; i < r.height; ++i)
    {
        const int32_t row = dy >= 0 ? r.height - 1 - i : i;
        std::memmove(dest.Pixel(r.x, r.y + row), dest.Pixel(r.sourceX, r.sourceY + row), bytes);
    }
}

void BlitBitmapText(const CHfcPixelView& dest, int32_t x, int32_t y, const char* text, int32_t length,
                    const CHfcPixelView& font, int32_t cellWidth, int32_t cellHeight, int32_t fallbackGlyph)
{
    ForEachBitmapGlyph(
        x, text, length, font.width, font.height, cellWidth, cellHeight,
        [&](int32_t cellX, int32_t sourceY, int32_t w, int32_t h)
        { BlendPixels(dest, cellX, y, w, h, font, 0, sourceY); },
        fallbackGlyph);
}
