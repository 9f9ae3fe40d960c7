#pragma once

#include "framework/pixels/CHfcPixelView.h"

#include <cstdint>

// Pixel operations on 32-bit B, G, R, A surfaces. Regions are clipped against both
// surfaces; a negative destination or source coordinate shortens the region from that side.

// A region of a blit after clipping: the destination and source origins and the size.
struct CHfcBlitRegion
{
    int32_t x, y, width, height, sourceX, sourceY;
};

// Clips (x, y, width, height) at (sourceX, sourceY) against a destination and a source of the
// given sizes. False when nothing is left.
bool ClipBlitRegion(int32_t destWidth, int32_t destHeight, int32_t sourceWidth, int32_t sourceHeight,
                    CHfcBlitRegion& region);

// Source over destination with 16-bit weights. opacity (clamped to 0..1) scales the source
// alpha. A source pixel whose (scaled) alpha is 0 leaves the destination pixel unchanged.
void BlendPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                 const CHfcPixelView& source, int32_t sourceX, int32_t sourceY, float opacity = 1.0f);

// Per-channel maximum of source and destination where the source alpha is not 0.
void LightenPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                   const CHfcPixelView& source, int32_t sourceX, int32_t sourceY);

// Sets the rectangle, clipped to the surface, to transparent black.
void ClearPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height);

// Copies the rectangle (clipped to the surface) to its position moved by (dx, dy), clipped
// again; overlapping areas copy correctly and the vacated area keeps its old pixels.
void ScrollPixels(const CHfcPixelView& dest, int32_t x, int32_t y, int32_t width, int32_t height, int32_t dx,
                  int32_t dy);

// A bitmap font holds 128 glyph cells stacked vertically. A cell width of 0 means the font's
// width, a cell height of 0 the font's height / 128. Calls draw(x, sourceY, cellWidth,
// cellHeight) for each byte of the text up to length or a 0 byte, x advancing by the cell
// width. Bytes from 128 up have no glyph of their own: they draw the fallback glyph, or only
// advance when it is -1. A glyph whose rows do not lie inside the font is never drawn (the
// blits clip the width).
constexpr int32_t kBitmapFontGlyphs = 128;
// The glyph that the drawing contexts draw for a byte without one: the skin's fonts hold a box
// there.
constexpr int32_t kBitmapFontFallbackGlyph = 127;

template <class Draw>
void ForEachBitmapGlyph(int32_t x, const char* text, int32_t length, int32_t fontWidth, int32_t fontHeight,
                        int32_t cellWidth, int32_t cellHeight, Draw draw, int32_t fallbackGlyph = -1)
{
    if (cellWidth == 0)
        cellWidth = fontWidth;
    if (cellHeight == 0)
        cellHeight = fontHeight / kBitmapFontGlyphs;
    for (int32_t i = 0; text && i < length && text[i] != 0; ++i, x += cellWidth)
    {
        int32_t code = static_cast<uint8_t>(text[i]);
        if (code >= kBitmapFontGlyphs)
            code = fallbackGlyph;
        if (code < 0 || cellHeight <= 0 || static_cast<int64_t>(code + 1) * cellHeight > fontHeight)
            continue;
        draw(x, code * cellHeight, cellWidth, cellHeight);
    }
}

// Draws text with a bitmap font (see ForEachBitmapGlyph), each glyph blended over the
// destination.
void BlitBitmapText(const CHfcPixelView& dest, int32_t x, int32_t y, const char* text, int32_t length,
                    const CHfcPixelView& font, int32_t cellWidth, int32_t cellHeight,
                    int32_t fallbackGlyph = -1);
