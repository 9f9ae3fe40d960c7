#include "CSkinPagePainter.h"

#include "SkinPalette.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace SkinPalette;

std::unique_ptr<CSkinImage> CSkinPagePainter::Paint(const NvSkinBitmap& background,
                                                    const NvPageLayout& layout) const
{
    auto image = std::make_unique<CSkinImage>(background.width, background.Height());
    cairo_t* cr = image->Cairo();
    const int w = image->Width(), h = image->Height();
    VerticalGradient(cr, 0, h, kPanelTop, kPanelBottom);
    cairo_paint(cr);
    // A lit top edge and a dark bottom edge, as on a metal panel.
    SetColour(cr, 0x30FFFFFF);
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_fill(cr);
    SetColour(cr, 0xFF101215);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_fill(cr);
    if (std::strcmp(background.name, "BG_VersionInfo") == 0)
        PaintVersionArt(cr, w);
    for (size_t i = 0; i < layout.frameCount; ++i)
        PaintFrame(cr, layout.frames[i]);
    for (size_t i = 0; i < layout.pictureCount; ++i)
        PaintPicture(cr, layout.pictures[i]);
    for (size_t i = 0; i < layout.labelCount; ++i)
        PaintLabel(cr, layout.labels[i]);
    return image;
}

void CSkinPagePainter::PaintFrame(cairo_t* cr, const NvLayoutFrame& frame) const
{
    const double x = frame.rect.x, y = frame.rect.y, w = frame.rect.width, h = frame.rect.height;
    switch (frame.style)
    {
    case NvFrameStyle::Section:
        SetColour(cr, kRimDark);
        RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 5);
        cairo_fill(cr);
        VerticalGradient(cr, y, y + h, kSectionTop, kSectionBottom);
        RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 4);
        cairo_fill(cr);
        SetColour(cr, kRimLight);
        cairo_rectangle(cr, x + 5, y + 2, w - 10, 1);
        cairo_fill(cr);
        break;
    case NvFrameStyle::Lcd:
        SetColour(cr, 0x40FFFFFF);
        cairo_rectangle(cr, x, y + h, w, 1);
        cairo_fill(cr);
        SetColour(cr, kLcdRim);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        VerticalGradient(cr, y + 1, y + h - 1, kLcdTop, kLcdBottom);
        cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
        cairo_fill(cr);
        break;
    case NvFrameStyle::Flat:
        // Exactly one colour: lists and text fields fill their cells with it.
        SetColour(cr, kFlat);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        break;
    case NvFrameStyle::Track:
        SetColour(cr, 0xFF08090B);
        RoundedRect(cr, x, y, w, h, w / 2.0);
        cairo_fill(cr);
        SetColour(cr, 0x28FFFFFF);
        cairo_rectangle(cr, x + w, y + 2, 1, h - 4);
        cairo_fill(cr);
        break;
    }
}

void CSkinPagePainter::PaintPicture(cairo_t* cr, const NvLayoutPicture& picture) const
{
    const NvSkinBitmap* b = FindSkinBitmap(picture.bitmap);
    if (!b || b->kind == NvSkinKind::Background)
        throw std::runtime_error(std::string("no picture ") + picture.bitmap);
    const std::unique_ptr<CSkinImage> image = m_painter.Paint(*b);
    cairo_save(cr);
    cairo_rectangle(cr, picture.x, picture.y, b->width, b->frameHeight);
    cairo_clip(cr);
    cairo_set_source_surface(cr, image->Surface(), picture.x, picture.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

void CSkinPagePainter::PaintLabel(cairo_t* cr, const NvLayoutLabel& label) const
{
    const CSkinText& face =
        label.style == NvLabelStyle::Control ? m_painter.CondensedBold() : m_painter.SansBold();
    const double size = label.style == NvLabelStyle::Title     ? 14
                        : label.style == NvLabelStyle::Section ? 10.5
                                                               : 9;
    const unsigned colour = label.style == NvLabelStyle::Title     ? kTitle
                            : label.style == NvLabelStyle::Section ? kSectionLabel
                                                                   : kLabel;
    const double width = face.Measure(label.text, size);
    double ascent = 0, descent = 0, capAscent = 0, capDescent = 0;
    face.InkExtents(label.text, size, ascent, descent);
    face.InkExtents("H", size, capAscent, capDescent);
    const NvLayoutRect& box = label.box;
    if (width > box.width || ascent + descent > box.height)
        throw std::runtime_error(std::string("the label \"") + label.text + "\" does not fit its box");
    // Capitals centred in the box; the ink must stay inside it.
    double baseline = std::round(box.y + (box.height + capAscent) / 2);
    if (baseline - ascent < box.y)
        baseline = std::ceil(box.y + ascent);
    if (baseline + descent > box.Bottom())
        baseline = std::floor(box.Bottom() - descent);
    const double x = label.align == NvLabelAlign::Left    ? box.x
                     : label.align == NvLabelAlign::Right ? box.Right() - width
                                                          : box.x + (box.width - width) / 2;
    face.Draw(cr, label.text, size, std::round(x), baseline, colour);
}

void CSkinPagePainter::PaintVersionArt(cairo_t* cr, int width) const
{
    const CSkinText& bold = m_painter.SansBold();
    const CSkinText& sans = m_painter.Sans();
    const double size1 = 34, size2 = 18;
    const double w1 = bold.Measure("Nuvorn", size1), w2 = sans.Measure("Sound Editor", size2);
    bold.Draw(cr, "Nuvorn", size1, std::round((width - w1) / 2), 92, kTitle);
    sans.Draw(cr, "Sound Editor", size2, std::round((width - w2) / 2), 122, kSectionLabel);
    // A waveform across the panel under the name.
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, kAccent);
    for (int i = 0; i <= 200; ++i)
    {
        const double t = i / 200.0, x = 30 + t * (width - 60);
        const double y = 170 - std::sin(t * 6 * 3.14159265358979) * 14 * std::sin(t * 3.14159265358979);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
}
