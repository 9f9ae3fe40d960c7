#include "CSkinText.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

void SetColour(cairo_t* cr, unsigned argb)
{
    cairo_set_source_rgba(cr, (argb >> 16 & 0xFF) / 255.0, (argb >> 8 & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          (argb >> 24) / 255.0);
}

CSkinText::CSkinText(const std::string& path)
{
    if (FT_Init_FreeType(&m_library) != 0)
        throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(m_library, path.c_str(), 0, &m_face) != 0)
    {
        FT_Done_FreeType(m_library);
        throw std::runtime_error("cannot read the font " + path);
    }
    m_cairoFace = cairo_ft_font_face_create_for_ft_face(m_face, 0);
}

CSkinText::~CSkinText()
{
    cairo_font_face_destroy(m_cairoFace);
    FT_Done_Face(m_face);
    FT_Done_FreeType(m_library);
}

void CSkinText::Select(cairo_t* cr, double size) const
{
    cairo_set_font_face(cr, m_cairoFace);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double CSkinText::Measure(const std::string& text, double size) const
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    Select(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return extents.x_advance;
}

void CSkinText::InkExtents(const std::string& text, double size, double& ascent, double& descent) const
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    Select(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    ascent = -extents.y_bearing;
    descent = extents.height + extents.y_bearing;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void CSkinText::Draw(cairo_t* cr, const std::string& text, double size, double x, double y,
                     unsigned argb) const
{
    cairo_save(cr);
    Select(cr, size);
    SetColour(cr, argb);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}
