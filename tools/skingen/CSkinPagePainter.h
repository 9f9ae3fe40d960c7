#pragma once

#include "CSkinImage.h"
#include "CSkinPainter.h"

#include "editor/layout/NvPageLayout.h"

#include <memory>

// Draws a page background from its layout table: the panel, the section frames, display
// windows, flat areas and fader slots, the pictures, then the labels.
class CSkinPagePainter
{
public:
    explicit CSkinPagePainter(const CSkinPainter& painter) : m_painter(painter) {}

    // Throws std::runtime_error when a label does not fit its box.
    std::unique_ptr<CSkinImage> Paint(const NvSkinBitmap& background, const NvPageLayout& layout) const;

private:
    void PaintFrame(cairo_t* cr, const NvLayoutFrame& frame) const;
    void PaintLabel(cairo_t* cr, const NvLayoutLabel& label) const;
    // A skin image at its frame size; throws for an unknown one.
    void PaintPicture(cairo_t* cr, const NvLayoutPicture& picture) const;
    void PaintVersionArt(cairo_t* cr, int width) const;

    const CSkinPainter& m_painter;
};
