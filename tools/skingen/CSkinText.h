#pragma once

#include <cairo.h>

#include <string>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// An outline font (a TrueType file) for the labels printed on the skin: drawn by cairo with
// grey anti-aliasing and no hinting, so the result depends on the font file alone.
class CSkinText
{
public:
    // Throws std::runtime_error when the file cannot be read.
    explicit CSkinText(const std::string& path);
    ~CSkinText();
    CSkinText(const CSkinText&) = delete;
    CSkinText& operator=(const CSkinText&) = delete;

    // The advance width of the text at a pixel size.
    double Measure(const std::string& text, double size) const;
    // Ink extents: top above the baseline (positive up) and bottom below it.
    void InkExtents(const std::string& text, double size, double& ascent, double& descent) const;
    // Draws the text with its baseline at (x, y) in the colour (ARGB).
    void Draw(cairo_t* cr, const std::string& text, double size, double x, double y, unsigned argb) const;

private:
    void Select(cairo_t* cr, double size) const;

    FT_LibraryRec_* m_library = nullptr;
    FT_FaceRec_* m_face = nullptr;
    cairo_font_face_t* m_cairoFace = nullptr;
};

// Sets the cairo source to an ARGB colour.
void SetColour(cairo_t* cr, unsigned argb);
