#pragma once

#include "CSkinFixedFont.h"
#include "CSkinImage.h"
#include "CSkinText.h"

#include "resources/SkinGeometry.h"

#include <memory>
#include <string>

// The font files the skin is drawn with.
struct SkinFontFiles
{
    std::string small; // a 6 x 9 fixed font (PCF)
    std::string large; // a 9 x 15 fixed font (PCF)
    std::string sans;  // outline fonts (TrueType)
    std::string sansBold;
    std::string condensedBold;
};

// Draws every skin bitmap but the backgrounds: fonts, knob, switch, LED and button strips,
// bitmap lists and single images, each at its size from the skin geometry.
class CSkinPainter
{
public:
    // Throws std::runtime_error when a font cannot be read.
    explicit CSkinPainter(const SkinFontFiles& fonts);

    // Throws std::runtime_error for a name it does not draw.
    std::unique_ptr<CSkinImage> Paint(const NvSkinBitmap& bitmap) const;

    const CSkinText& Sans() const { return m_sans; }
    const CSkinText& SansBold() const { return m_sansBold; }
    const CSkinText& CondensedBold() const { return m_condensedBold; }
    const CSkinFixedFont& SmallFont() const { return m_small; }

private:
    void PaintFont(CSkinImage& image, const std::string& name) const;
    void PaintKnob(CSkinImage& image, int size, bool dim) const;
    void PaintKey(CSkinImage& image, const NvSkinBitmap& b, const std::string& name) const;
    void PaintBitmapList(CSkinImage& image, const NvSkinBitmap& b) const;
    void PaintLogo(CSkinImage& image) const;
    void PaintKeyboard(CSkinImage& image) const;
    // Fixed-font text centred in a frame.
    void FixedText(CSkinImage& image, const std::string& text, int x, int y, unsigned argb) const;
    // Outline text centred on (cx, baseline y); shrinks to fit maxWidth.
    void CentredText(cairo_t* cr, const CSkinText& face, const std::string& text, double size, double cx,
                     double y, double maxWidth, unsigned argb) const;

    CSkinFixedFont m_small;
    CSkinFixedFont m_large;
    CSkinText m_sans;
    CSkinText m_sansBold;
    CSkinText m_condensedBold;
};

// Shapes shared by the painters.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void VerticalGradient(cairo_t* cr, double y0, double y1, unsigned top, unsigned bottom);
