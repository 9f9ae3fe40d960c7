#include "framework/pixels/HfcPngDecode.h"

#include "framework/pixels/CHfcImageException.h"
#include "support/TestPixels.h"
#include "support/TestPng.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>

namespace
{
std::vector<uint32_t> Decode(const std::vector<uint8_t>& png)
{
    TestPngTarget target;
    DecodePngToBgra(png.data(), png.size(), target);
    EXPECT_EQ(target.allocations, 1);
    return target.surface.Pixels();
}

TestPngImage Image(uint32_t w, uint32_t h, int depth, int type, std::vector<uint8_t> rows)
{
    TestPngImage image;
    image.width = w;
    image.height = h;
    image.bitDepth = depth;
    image.colourType = type;
    image.rows = std::move(rows);
    return image;
}

struct FormatCase
{
    const char* name;
    TestPngImage image;
    std::vector<uint32_t> expected; // ARGB
};

std::vector<FormatCase> FormatCases()
{
    std::vector<FormatCase> cases;

    TestPngImage palette = Image(3, 1, 2, PNG_COLOR_TYPE_PALETTE, {0x18}); // indices 0, 1, 2
    palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    palette.paletteAlpha = {0x80, 0x00}; // the third entry stays opaque
    cases.push_back({"palette with transparency", palette, {0x80FF0000, 0x0000FF00, 0xFF0000FF}});

    cases.push_back({"RGB without alpha",
                     Image(2, 1, 8, PNG_COLOR_TYPE_RGB, {10, 20, 30, 40, 50, 60}),
                     {0xFF0A141E, 0xFF28323C}});
    cases.push_back({"16-bit RGBA",
                     Image(1, 1, 16, PNG_COLOR_TYPE_RGBA, {0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0x80, 0x01}),
                     {0x8012AB00}});
    cases.push_back({"16-bit RGB",
                     Image(1, 1, 16, PNG_COLOR_TYPE_RGB, {0xFF, 0xFF, 0x00, 0x01, 0x7F, 0x80}),
                     {0xFFFF007F}});
    cases.push_back({"grey", Image(2, 1, 8, PNG_COLOR_TYPE_GRAY, {0x00, 0xC0}), {0xFF000000, 0xFFC0C0C0}});
    cases.push_back(
        {"1-bit grey", Image(3, 1, 1, PNG_COLOR_TYPE_GRAY, {0xA0}), {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}});
    cases.push_back({"grey with alpha",
                     Image(2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {0x40, 0x80, 0xFF, 0x00}),
                     {0x80404040, 0x00FFFFFF}});
    cases.push_back({"16-bit grey with alpha",
                     Image(1, 1, 16, PNG_COLOR_TYPE_GRAY_ALPHA, {0x40, 0x11, 0xFF, 0x00}),
                     {0xFF404040}});

    TestPngImage rgbKey = Image(2, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6});
    rgbKey.transparentColour = true;
    rgbKey.transparent.red = 1;
    rgbKey.transparent.green = 2;
    rgbKey.transparent.blue = 3;
    cases.push_back({"RGB with a transparent colour", rgbKey, {0x00010203, 0xFF040506}});

    TestPngImage greyKey = Image(2, 1, 8, PNG_COLOR_TYPE_GRAY, {7, 8});
    greyKey.transparentColour = true;
    greyKey.transparent.gray = 7;
    cases.push_back({"grey with a transparent value", greyKey, {0x00070707, 0xFF080808}});
    return cases;
}

TEST(PngDecode, EveryColourTypeBecomesArgb)
{
    for (const FormatCase& c : FormatCases())
    {
        const std::vector<uint8_t> png = EncodeTestPng(c.image);
        ASSERT_FALSE(png.empty()) << c.name;
        std::vector<uint32_t> pixels;
        ASSERT_NO_THROW(pixels = Decode(png)) << c.name;
        EXPECT_EQ(pixels, c.expected) << c.name;
    }
}

// A w x h RGBA image whose every pixel differs, as B, G, R, A bytes.
std::vector<uint8_t> Pattern(uint32_t w, uint32_t h)
{
    std::vector<uint8_t> bgra;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
        {
            bgra.push_back(static_cast<uint8_t>(x * 7));
            bgra.push_back(static_cast<uint8_t>(y * 11));
            bgra.push_back(static_cast<uint8_t>(x * y));
            bgra.push_back(static_cast<uint8_t>(255 - x - y));
        }
    return bgra;
}

TEST(PngDecode, InterlacedImagesGiveTheSamePixels)
{
    const uint32_t w = 13, h = 11; // more than one block of the 8 x 8 interlace pattern
    TestPngImage image;
    image.width = w;
    image.height = h;
    image.rows = Pattern(w, h);
    for (size_t i = 0; i + 3 < image.rows.size(); i += 4)
        std::swap(image.rows[i], image.rows[i + 2]);
    const std::vector<uint32_t> plain = Decode(EncodeTestPng(image));
    image.interlaced = true;
    const std::vector<uint8_t> interlaced = EncodeTestPng(image);
    ASSERT_FALSE(interlaced.empty());
    EXPECT_EQ(Decode(interlaced), plain);

    TestSurface expected(static_cast<int32_t>(w), static_cast<int32_t>(h));
    const std::vector<uint8_t> bgra = Pattern(w, h);
    for (uint32_t i = 0; i < w * h; ++i)
        expected.Set(static_cast<int32_t>(i % w), static_cast<int32_t>(i / w),
                     bgra[i * 4] | bgra[i * 4 + 1] << 8 | bgra[i * 4 + 2] << 16 |
                         static_cast<uint32_t>(bgra[i * 4 + 3]) << 24);
    EXPECT_EQ(plain, expected.Pixels());
}

// Offset of the first chunk of the given type, or 0.
size_t FindChunk(const std::vector<uint8_t>& png, const char* type)
{
    for (size_t at = 8; at + 8 <= png.size();)
    {
        const uint32_t length =
            static_cast<uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (std::memcmp(&png[at + 4], type, 4) == 0)
            return at;
        at += 12 + length;
    }
    return 0;
}

void FixCrc(std::vector<uint8_t>& png, size_t chunk)
{
    const uint32_t length =
        static_cast<uint32_t>(png[chunk]) << 24 | png[chunk + 1] << 16 | png[chunk + 2] << 8 | png[chunk + 3];
    const uint32_t crc = static_cast<uint32_t>(crc32(0, &png[chunk + 4], 4 + length));
    for (int i = 0; i < 4; ++i)
        png[chunk + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

void SetBigEndian(std::vector<uint8_t>& png, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        png[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

bool Fails(const std::vector<uint8_t>& data, int* allocations = nullptr)
{
    TestPngTarget target;
    bool failed = false;
    try
    {
        DecodePngToBgra(data.data(), data.size(), target);
    }
    catch (const CHfcImageException&)
    {
        failed = true;
    }
    if (allocations)
        *allocations = target.allocations;
    return failed;
}

TEST(PngDecode, DamagedDataFailsWithAnException)
{
    const std::vector<uint8_t> good = EncodeTestPngFromBgra(8, 8, Pattern(8, 8));
    ASSERT_FALSE(Fails(good));

    // Every truncation, each in a buffer of exactly its length (a read past it is caught by
    // the address sanitizer in the native build).
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_TRUE(Fails(std::vector<uint8_t>(good.begin(), good.begin() + length))) << "cut at " << length;

    std::vector<uint8_t> badCrc = good;
    badCrc[FindChunk(good, "IHDR") + 9] ^= 0x01; // the width, with the old CRC
    EXPECT_TRUE(Fails(badCrc));

    std::vector<uint8_t> badData = good;
    const size_t idat = FindChunk(good, "IDAT");
    ASSERT_NE(idat, 0u);
    badData[idat + 8] ^= 0xFF; // the compressed stream's header, with a matching CRC
    FixCrc(badData, idat);
    EXPECT_TRUE(Fails(badData));

    std::vector<uint8_t> notPng(good.size(), 'x');
    EXPECT_TRUE(Fails(notPng));
    EXPECT_TRUE(Fails({}));

    TestPngTarget target;
    EXPECT_THROW(DecodePngToBgra(nullptr, 100, target), CHfcImageException);
}

TEST(PngDecode, ClaimedSizesTheDataCannotHoldAreRefusedBeforeAllocating)
{
    const std::vector<uint8_t> good = EncodeTestPngFromBgra(8, 8, Pattern(8, 8));
    const size_t ihdr = FindChunk(good, "IHDR");
    const uint32_t sizes[][2] = {{16384, 16384}, {16385, 1}, {1, 1u << 30}};
    for (const auto& size : sizes)
    {
        std::vector<uint8_t> big = good;
        SetBigEndian(big, ihdr + 8, size[0]);
        SetBigEndian(big, ihdr + 12, size[1]);
        FixCrc(big, ihdr);
        int allocations = -1;
        EXPECT_TRUE(Fails(big, &allocations)) << size[0] << "x" << size[1];
        EXPECT_EQ(allocations, 0) << size[0] << "x" << size[1];
    }
}

TEST(PngDecode, ATargetThatRefusesTheSurfaceEndsTheDecode)
{
    struct Refusing : CHfcPngTarget
    {
        CHfcPixelView AllocatePixels(int32_t, int32_t) override { return {}; }
    } refusing;
    const std::vector<uint8_t> good = EncodeTestPngFromBgra(2, 2, Pattern(2, 2));
    EXPECT_THROW(DecodePngToBgra(good.data(), good.size(), refusing), CHfcImageException);
}
} // namespace
