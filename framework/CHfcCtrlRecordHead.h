#pragma once

#include "foundation/CHfcRect.h"

#include <cstdint>

class CHfcBmp;
class CHfcDrawContext;

// The words every skinned control's creation record begins with. Bitmaps are not owned.
struct CHfcCtrlRecordHead
{
    int32_t x = 0; // layer coordinates
    int32_t y = 0;
    int32_t width = 0; // 0: taken from the bitmap
    int32_t height = 0;
    CHfcBmp* bitmap = nullptr; // the strip: frames stacked vertically
    // When set, the control's area is first copied from it at (backgroundX, backgroundY), so
    // the control repaints the window background under itself.
    CHfcBmp* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;

    // The background under rect, when there is one.
    void DrawBackground(CHfcDrawContext* context, const CHfcRect& rect) const;
    // The background under rect, or the area cleared to transparent without one: what a
    // control draws first, so that a frame with transparent pixels never blends over the last.
    void EraseArea(CHfcDrawContext* context, const CHfcRect& rect) const;
    // Frame n of the strip, each frame rect's height, at rect; opacity below 1 blends it.
    void DrawFrame(CHfcDrawContext* context, const CHfcRect& rect, int32_t frame, float opacity = 1.0f) const;
};
