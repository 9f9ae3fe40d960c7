#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fixed-cell bitmap font (the X11 misc-fixed PCF files), read through FreeType: one bit a
// pixel, cells of the font's advance by its ascent plus descent.
class CSkinFixedFont
{
public:
    // Throws std::runtime_error when the font cannot be read or its cell differs from the
    // given one.
    CSkinFixedFont(const std::string& path, int cellWidth, int cellHeight);

    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    // Whether the pixel (x, y) of the cell of a character is ink; characters without a glyph
    // are empty.
    bool Ink(uint32_t code, int x, int y) const;
    bool HasGlyph(uint32_t code) const;

private:
    int m_cellWidth;
    int m_cellHeight;
    // For codes 0..255: cell bits, row by row.
    std::vector<std::vector<uint8_t>> m_cells;
};
