#include "CSkinFixedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

CSkinFixedFont::CSkinFixedFont(const std::string& path, int cellWidth, int cellHeight)
    : m_cellWidth(cellWidth), m_cellHeight(cellHeight), m_cells(256)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("FreeType does not start");
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
    {
        FT_Done_FreeType(library);
        throw std::runtime_error("cannot read the font " + path);
    }
    std::string error;
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0)
        error = "no bitmap strike in " + path;
    const int ascent = error.empty() ? int(face->size->metrics.ascender >> 6) : 0;
    const int descent = error.empty() ? int(-(face->size->metrics.descender >> 6)) : 0;
    if (error.empty() &&
        (ascent + descent != cellHeight || int(face->size->metrics.max_advance >> 6) != cellWidth))
        error = "unexpected cell size in " + path;
    for (uint32_t code = 32; error.empty() && code < 256; ++code)
    {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        std::vector<uint8_t>& cell = m_cells[code];
        cell.assign(size_t(cellWidth) * cellHeight, 0);
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column)
            {
                const uint8_t* line = bitmap.buffer + int(row) * bitmap.pitch;
                const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                     ? (line[column / 8] >> (7 - column % 8)) & 1
                                     : line[column] >= 128;
                const int x = slot->bitmap_left + int(column);
                const int y = ascent - slot->bitmap_top + int(row);
                if (ink && x >= 0 && x < cellWidth && y >= 0 && y < cellHeight)
                    cell[size_t(y) * cellWidth + x] = 1;
            }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    if (!error.empty())
        throw std::runtime_error(error);
}

bool CSkinFixedFont::HasGlyph(uint32_t code) const
{
    return code < m_cells.size() && !m_cells[code].empty();
}

bool CSkinFixedFont::Ink(uint32_t code, int x, int y) const
{
    if (!HasGlyph(code) || x < 0 || y < 0 || x >= m_cellWidth || y >= m_cellHeight)
        return false;
    return m_cells[code][size_t(y) * m_cellWidth + x] != 0;
}
