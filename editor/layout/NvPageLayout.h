#pragma once

// The form of a page's layout table: the page's background, its controls' rectangles, the
// labels printed on the background and the frames drawn on it. The page's layer places its
// controls from the table and the skin generator (tools/skingen) prints the background from
// it, so labels and controls cannot drift apart. Portable: read by the native generator.

#include "resources/SkinGeometry.h"

#include <cstddef>
#include <cstdint>

struct NvLayoutRect
{
    int16_t x, y, width, height;

    constexpr int32_t Right() const { return x + width; }
    constexpr int32_t Bottom() const { return y + height; }
    constexpr bool Overlaps(const NvLayoutRect& o) const
    {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
    constexpr bool Inside(int32_t pageWidth, int32_t pageHeight) const
    {
        return width > 0 && height > 0 && x >= 0 && y >= 0 && Right() <= pageWidth && Bottom() <= pageHeight;
    }
};

// A control: its skin bitmap (null for drawn controls and text fields) at (x, y); a size of 0
// is the bitmap's frame size.
struct NvLayoutControl
{
    const char* role;
    const char* bitmap;
    int16_t x, y, width, height;

    constexpr NvLayoutRect Rect() const
    {
        const NvSkinBitmap* b = bitmap ? FindSkinBitmap(bitmap) : nullptr;
        return {x, y,
                width ? width
                : b   ? b->width
                      : int16_t(0),
                height ? height
                : b    ? b->frameHeight
                       : int16_t(0)};
    }
};

enum class NvLabelAlign : uint8_t
{
    Left,
    Centre,
    Right,
};

enum class NvLabelStyle : uint8_t
{
    Control, // a small caption at a control
    Section, // the title of a section frame
    Title,   // the page's title
};

// A label printed on the background: its text fits inside the box (the generator refuses a
// text that does not).
struct NvLayoutLabel
{
    const char* text;
    NvLayoutRect box;
    NvLabelAlign align;
    NvLabelStyle style;
};

enum class NvFrameStyle : uint8_t
{
    Section, // a raised panel with a rim
    Lcd,     // a recessed display window
    Flat,    // an even area that a control draws over (lists, text bands)
    Track,   // a fader's slot
};

struct NvLayoutFrame
{
    NvLayoutRect rect;
    NvFrameStyle style;
};

// Two controls that the page places over each other on purpose.
struct NvLayoutOverlap
{
    const char* first;
    const char* second;
};

// A skin image printed on the background at (x, y) at its frame size.
struct NvLayoutPicture
{
    const char* bitmap;
    int16_t x, y;
};

struct NvPageLayout
{
    const char* background;
    const NvLayoutControl* controls;
    size_t controlCount;
    const NvLayoutLabel* labels;
    size_t labelCount;
    const NvLayoutFrame* frames;
    size_t frameCount;
    const NvLayoutOverlap* overlaps;
    size_t overlapCount;
    const NvLayoutPicture* pictures = nullptr;
    size_t pictureCount = 0;
};

template <class T, size_t N> constexpr size_t NvCountOf(const T (&)[N])
{
    return N;
}
