#include "framework/pixels/HfcPixels.h"

#include "support/TestPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct BlendCase
{
    const char* name;
    uint32_t dest;
    uint32_t source;
    float opacity;
    uint32_t expected;
};

const BlendCase kBlendCases[] = {
    {"transparent source keeps opaque colour", 0xFFC86400, 0x00FFFFFF, 1.0f, 0xFFC86400},
    {"transparent source keeps half alpha", 0x80102030, 0x00FFFFFF, 1.0f, 0x80102030},
    {"transparent source keeps transparent", 0x00000000, 0x00FFFFFF, 1.0f, 0x00000000},
    {"opaque over transparent is the source", 0x00000000, 0xFF8040C0, 1.0f, 0xFF8040C0},
    {"opaque over opaque is the source", 0xFF112233, 0xFF000001, 1.0f, 0xFF000001},
    {"half alpha over opaque", 0xFFC86400, 0x800064C8, 1.0f, 0xFF646465},
    {"quarter alpha over transparent", 0x001E140A, 0x403264C8, 1.0f, 0x4124293B},
    {"opacity above 1 is 1", 0x00000000, 0xFF8040C0, 2.0f, 0xFF8040C0},
    {"opacity 0 draws nothing", 0xFF112233, 0xFF8040C0, 0.0f, 0xFF112233},
    {"negative opacity draws nothing", 0xFF112233, 0xFF8040C0, -1.0f, 0xFF112233},
    {"opacity that scales alpha to 0 draws nothing", 0x80102030, 0x01FFFFFF, 0.5f, 0x80102030},
    {"half opacity scales opaque alpha to 127", 0xFFC86400, 0xFF0064C8, 0.5f, 0xFF646464},
};

class BlendTable : public ::testing::TestWithParam<BlendCase>
{
};

TEST_P(BlendTable, OnePixel)
{
    const BlendCase& c = GetParam();
    TestSurface dest(1, 1, c.dest), source(1, 1, c.source);
    BlendPixels(dest.View(), 0, 0, 1, 1, source.View(), 0, 0, c.opacity);
    EXPECT_EQ(dest.Get(0, 0), c.expected) << std::hex << dest.Get(0, 0);
}

INSTANTIATE_TEST_SUITE_P(Pixels, BlendTable, ::testing::ValuesIn(kBlendCases),
                         [](const ::testing::TestParamInfo<BlendCase>& info)
                         {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// A source whose pixel at (x, y) is 0xFF000000 | (y << 8) | x, so every copied pixel tells
// where it came from.
TestSurface Numbered(int32_t w, int32_t h)
{
    TestSurface s(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            s.Set(x, y, 0xFF000000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x));
    return s;
}

// What a correct clipped copy of source (sx, sy, w, h) to (x, y) gives on a 0-filled
// destination.
std::vector<uint32_t> ExpectedCopy(int32_t destW, int32_t destH, const TestSurface& source, int32_t x,
                                   int32_t y, int32_t w, int32_t h, int32_t sx, int32_t sy)
{
    std::vector<uint32_t> out(static_cast<size_t>(destW) * destH, 0);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i)
        {
            const int32_t dx = x + i, dy = y + j, px = sx + i, py = sy + j;
            if (dx >= 0 && dy >= 0 && dx < destW && dy < destH && px >= 0 && py >= 0 && px < source.width &&
                py < source.height)
                out[static_cast<size_t>(dy) * destW + dx] = source.Get(px, py);
        }
    return out;
}

TEST(Pixels, BlitsAreClippedAgainstBothSurfacesFromEverySide)
{
    const TestSurface source = Numbered(6, 5);
    struct Region
    {
        int32_t x, y, w, h, sx, sy;
    };
    const Region regions[] = {
        {1, 1, 3, 2, 2, 1},   // inside both
        {-2, 1, 4, 3, 0, 0},  // negative destination x: only the visible part, from the matching source part
        {1, -3, 3, 5, 1, 0},  // negative destination y
        {0, 0, 4, 4, -1, -2}, // negative source coordinates
        {5, 4, 10, 10, 0, 0}, // past the destination's right and bottom
        {0, 0, 10, 10, 3, 2}, // past the source's right and bottom
        {-10, 0, 5, 5, 0, 0}, // wholly outside
        {0, 0, 0, 3, 0, 0},   // empty
    };
    for (const Region& r : regions)
    {
        TestSurface dest(7, 6, 0);
        TestSurface copy = source;
        BlendPixels(dest.View(), r.x, r.y, r.w, r.h, copy.View(), r.sx, r.sy);
        EXPECT_EQ(dest.Pixels(), ExpectedCopy(7, 6, source, r.x, r.y, r.w, r.h, r.sx, r.sy))
            << "region " << r.x << "," << r.y << " " << r.w << "x" << r.h << " from " << r.sx << "," << r.sy;
    }
}

TEST(Pixels, LightenTakesTheLargerOfEachChannelWhereTheSourceShows)
{
    TestSurface dest(3, 1);
    dest.Set(0, 0, 0x80102030);
    dest.Set(1, 0, 0xFF808080);
    dest.Set(2, 0, 0x10101010);
    TestSurface source(3, 1);
    source.Set(0, 0, 0x40FF0040);
    source.Set(1, 0, 0x01000000);
    source.Set(2, 0, 0x00FFFFFF); // alpha 0: left alone
    LightenPixels(dest.View(), 0, 0, 3, 1, source.View(), 0, 0);
    EXPECT_EQ(dest.Get(0, 0), 0x80FF2040u);
    EXPECT_EQ(dest.Get(1, 0), 0xFF808080u);
    EXPECT_EQ(dest.Get(2, 0), 0x10101010u);
}

TEST(Pixels, ClearSetsTheClippedRectangleToTransparentBlack)
{
    TestSurface s(4, 3, 0xFFFFFFFF);
    ClearPixels(s.View(), -1, 1, 3, 5);
    const std::vector<uint32_t> expected = {
        0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, //
        0,          0,          0xFFFFFFFF, 0xFFFFFFFF, //
        0,          0,          0xFFFFFFFF, 0xFFFFFFFF,
    };
    EXPECT_EQ(s.Pixels(), expected);
    // The row padding is never written.
    EXPECT_EQ(s.bytes[16], 0xEE);
}

TEST(Pixels, ScrollCopiesOverlappingAreasInEveryDirection)
{
    const int32_t shifts[][2] = {{1, 0},   {-1, 0}, {0, 2},  {0, -2}, {2, 1},
                                 {-2, -1}, {3, -1}, {-1, 3}, {9, 0}};
    for (const auto& shift : shifts)
    {
        const int32_t dx = shift[0], dy = shift[1];
        const TestSurface before = Numbered(6, 5);
        TestSurface s = before;
        // The rectangle (1, 0, 4, 4) moved by (dx, dy); the area it leaves keeps its pixels.
        ScrollPixels(s.View(), 1, 0, 4, 4, dx, dy);
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 6; ++x)
            {
                const int32_t fromX = x - dx, fromY = y - dy;
                const bool moved = fromX >= 1 && fromX < 5 && fromY >= 0 && fromY < 4;
                const uint32_t expected = moved ? before.Get(fromX, fromY) : before.Get(x, y);
                EXPECT_EQ(s.Get(x, y), expected) << "shift " << dx << "," << dy << " at " << x << "," << y;
            }
    }
}

TEST(Pixels, BitmapTextDrawsOneCellPerByteFromAFontOf128Cells)
{
    // A 2-pixel-wide font of 128 cells of 9 rows (height 1152): the cell of code c has the
    // value c in its blue channel.
    TestSurface font(2, 1152);
    for (int32_t y = 0; y < 1152; ++y)
        for (int32_t x = 0; x < 2; ++x)
            font.Set(x, y, 0xFF000000u | static_cast<uint32_t>(y / 9) | static_cast<uint32_t>(y % 9) << 8);

    struct TextCase
    {
        const char* text;
        int32_t length;
        std::vector<int> codes; // per 2-pixel column; -1: nothing drawn
    };
    const TextCase cases[] = {
        {"AB", 2, {65, 66, -1, -1}},
        {"ABC", 1, {65, -1, -1, -1}},   // length limits
        {"A\0B", 3, {65, -1, -1, -1}},  // a 0 byte ends the text
        {"\x80Z", 2, {-1, 90, -1, -1}}, // a byte from 128 up has no glyph but advances
    };
    for (const TextCase& c : cases)
    {
        TestSurface dest(8, 10, 0);
        BlitBitmapText(dest.View(), 0, 1, c.text, c.length, font.View(), 0, 0);
        for (int32_t column = 0; column < 4; ++column)
            for (int32_t x = column * 2; x < column * 2 + 2; ++x)
            {
                EXPECT_EQ(dest.Get(x, 0), 0u) << c.text;
                for (int32_t row = 0; row < 9; ++row)
                {
                    const uint32_t expected = c.codes[column] < 0
                                                  ? 0u
                                                  : 0xFF000000u | static_cast<uint32_t>(c.codes[column]) |
                                                        static_cast<uint32_t>(row) << 8;
                    EXPECT_EQ(dest.Get(x, 1 + row), expected)
                        << c.text << " column " << column << " row " << row;
                }
            }
    }

    // Given cell sizes replace the defaults.
    int cells = 0;
    ForEachBitmapGlyph(10, "xy", 2, 2, 1152, 5, 7,
                       [&](int32_t x, int32_t sourceY, int32_t w, int32_t h)
                       {
                           EXPECT_EQ(x, 10 + 5 * cells);
                           EXPECT_EQ(sourceY, ("xy"[cells]) * 7);
                           EXPECT_EQ(w, 5);
                           EXPECT_EQ(h, 7);
                           ++cells;
                       });
    EXPECT_EQ(cells, 2);
}

TEST(Pixels, BitmapGlyphsOutsideTheFontAreSkippedAndHighBytesTakeTheFallback)
{
    // (byte, fallback) -> the source row drawn, or -1 for nothing; a font of 10 cells of 9 rows.
    const struct
    {
        char byte;
        int32_t fallback;
        int32_t sourceY;
    } cases[] = {
        {'\x09', -1, 81}, {'\x0A', -1, -1}, {'\x7F', -1, -1}, {'\x80', -1, -1},
        {'\xFF', 3, 27},  {'\x80', 9, 81},  {'\x80', 10, -1}, {'\x80', 127, -1},
    };
    for (const auto& c : cases)
    {
        int32_t drawn = -1;
        ForEachBitmapGlyph(
            0, &c.byte, 1, 6, 90, 6, 9, [&](int32_t, int32_t sourceY, int32_t, int32_t) { drawn = sourceY; },
            c.fallback);
        EXPECT_EQ(drawn, c.sourceY) << int(static_cast<uint8_t>(c.byte)) << " with fallback " << c.fallback;
    }
}
} // namespace
