// The Windows build's third-party libraries, exercised through the calls the program relies on.
#include <juce_core/juce_core.h>
#include <png.h>
#include <zlib.h>

#include "support/TestPng.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// JUCE

TEST(Juce, StringsAreUtf16AndRoundTripJapaneseText)
{
    static_assert(std::is_same<juce::String::CharPointerType, juce::CharPointer_UTF16>::value,
                  "juce::String must store UTF-16");

    // "音色ライブラリ" followed by U+20BB7, which needs a surrogate pair.
    const char* utf8 = "\xE9\x9F\xB3\xE8\x89\xB2\xE3\x83\xA9\xE3\x82\xA4\xE3\x83\x96\xE3\x83\xA9"
                       "\xE3\x83\xAA\xF0\xA0\xAE\xB7";
    const std::vector<std::uint16_t> utf16 = {0x97F3, 0x8272, 0x30E9, 0x30A4, 0x30D6,
                                              0x30E9, 0x30EA, 0xD842, 0xDFB7, 0};

    const juce::String fromUtf8 = juce::String::fromUTF8(utf8);
    EXPECT_EQ(fromUtf8.length(), 8); // code points, not code units
    EXPECT_EQ(fromUtf8[7], static_cast<juce::juce_wchar>(0x20BB7));

    std::vector<std::uint16_t> units;
    for (auto* p = reinterpret_cast<const std::uint16_t*>(fromUtf8.toUTF16().getAddress());; ++p)
    {
        units.push_back(*p);
        if (*p == 0)
            break;
    }
    EXPECT_EQ(units, utf16);

    // Wide strings are UTF-16 on Windows: the Win32 W functions take them as they are.
    const juce::String fromWide(reinterpret_cast<const wchar_t*>(utf16.data()));
    EXPECT_EQ(fromWide, fromUtf8);
    EXPECT_STREQ(fromWide.toRawUTF8(), utf8);
    EXPECT_EQ(fromWide.getNumBytesAsUTF8(), std::strlen(utf8));
}

TEST(Juce, XmlDocumentParsesElementsAttributesAndRejectsMalformedText)
{
    const juce::String text =
        juce::String::fromUTF8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<library name=\"\xE9\x9F\xB3\xE8\x89\xB2\" count=\"2\">\n"
                               "  <program number=\"0\" level=\"-12\">Init &amp; Pad</program>\n"
                               "  <program number=\"127\"/>\n"
                               "</library>\n");

    juce::XmlDocument document(text);
    const std::unique_ptr<juce::XmlElement> root = document.getDocumentElement();
    ASSERT_NE(root, nullptr) << document.getLastParseError();
    EXPECT_TRUE(root->hasTagName("library"));
    EXPECT_EQ(root->getStringAttribute("name"), juce::String::fromUTF8("\xE9\x9F\xB3\xE8\x89\xB2"));
    EXPECT_EQ(root->getIntAttribute("count"), 2);
    ASSERT_EQ(root->getNumChildElements(), 2);

    const juce::XmlElement* first = root->getChildElement(0);
    EXPECT_EQ(first->getIntAttribute("level"), -12);
    EXPECT_EQ(first->getAllSubText(), "Init & Pad");
    EXPECT_EQ(root->getChildElement(1)->getIntAttribute("number"), 127);
    EXPECT_EQ(root->getChildElement(1)->getIntAttribute("missing", 7), 7);

    juce::XmlDocument broken("<library><program></library>");
    EXPECT_EQ(broken.getDocumentElement(), nullptr);
    EXPECT_FALSE(broken.getLastParseError().isEmpty());
}

TEST(Juce, RandomIsReproducibleFromASeedAndStaysInRange)
{
    juce::Random a(12345), b(12345), c(54321);
    bool differs = false;
    for (int i = 0; i < 1000; ++i)
    {
        const int x = a.nextInt(128);
        EXPECT_EQ(x, b.nextInt(128));
        EXPECT_GE(x, 0);
        EXPECT_LT(x, 128);
        differs = differs || x != c.nextInt(128);
        const double d = a.nextDouble();
        b.nextDouble();
        EXPECT_GE(d, 0.0);
        EXPECT_LT(d, 1.0);
    }
    EXPECT_TRUE(differs);
}

// ---------------------------------------------------------------------------------------------
// libpng, in memory. libpng reports errors by longjmp, so the functions holding a setjmp
// keep no C++ objects with destructors in their own frame.

namespace
{
struct ReadCursor
{
    const std::vector<unsigned char>* data;
    size_t offset;
};

void readFromCursor(png_structp png, png_bytep bytes, size_t length)
{
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cursor->data->size() - cursor->offset < length)
        png_error(png, "read past the end of the buffer");
    std::memcpy(bytes, cursor->data->data() + cursor->offset, length);
    cursor->offset += length;
}

void quietWarning(png_structp, png_const_charp) {}

// Keeps the message for the test; libpng requires an error handler not to return.
struct ErrorText
{
    char text[128];
};

void recordError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message);
    png_longjmp(png, 1);
}

bool encodeRgba(const unsigned char* pixels, png_uint_32 width, png_uint_32 height,
                std::vector<unsigned char>* out)
{
    TestPngImage image;
    image.width = width;
    image.height = height;
    image.rows.assign(pixels, pixels + width * height * 4);
    *out = EncodeTestPng(image);
    return !out->empty();
}

struct Decoded
{
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    unsigned char pixels[64 * 4] = {};
};

bool decodeRgba(const std::vector<unsigned char>* data, Decoded* result, ErrorText* error)
{
    error->text[0] = '\0';
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, error, recordError, quietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    ReadCursor cursor{data, 0};
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, readFromCursor);
    png_read_info(png, info);
    result->width = png_get_image_width(png, info);
    result->height = png_get_image_height(png, info);
    result->bitDepth = png_get_bit_depth(png, info);
    result->colourType = png_get_color_type(png, info);
    if (result->width * result->height > 64 || result->colourType != PNG_COLOR_TYPE_RGBA)
        png_error(png, "unexpected image");
    for (png_uint_32 y = 0; y < result->height; ++y)
        png_read_row(png, result->pixels + y * result->width * 4, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool isPng(const std::vector<unsigned char>& data)
{
    return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}
} // namespace

TEST(LibPng, RgbaImageRoundTripsThroughMemory)
{
    EXPECT_EQ(png_access_version_number(), static_cast<png_uint_32>(PNG_LIBPNG_VER));

    constexpr png_uint_32 width = 3, height = 2;
    const unsigned char pixels[width * height * 4] = {
        255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4, 250, 251, 252, 253, 17, 34, 51, 68,
    };

    std::vector<unsigned char> encoded;
    ASSERT_TRUE(encodeRgba(pixels, width, height, &encoded));
    ASSERT_TRUE(isPng(encoded));

    Decoded decoded;
    ErrorText error;
    ASSERT_TRUE(decodeRgba(&encoded, &decoded, &error)) << error.text;
    EXPECT_EQ(decoded.width, width);
    EXPECT_EQ(decoded.height, height);
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_RGBA);
    EXPECT_EQ(std::memcmp(decoded.pixels, pixels, sizeof pixels), 0);
}

TEST(LibPng, DamagedDataFailsThroughTheErrorHandler)
{
    const unsigned char pixels[2 * 2 * 4] = {10, 20,  30,  40,  50,  60,  70,  80,
                                             90, 100, 110, 120, 130, 140, 150, 160};
    std::vector<unsigned char> encoded;
    ASSERT_TRUE(encodeRgba(pixels, 2, 2, &encoded));

    std::vector<unsigned char> truncated(encoded.begin(), encoded.begin() + encoded.size() / 2);
    Decoded decoded;
    ErrorText error;
    EXPECT_FALSE(decodeRgba(&truncated, &decoded, &error));
    EXPECT_STREQ(error.text, "read past the end of the buffer");

    std::vector<unsigned char> corrupted = encoded;
    corrupted[20] ^= 0x5A; // inside the header chunk: its CRC no longer matches
    EXPECT_FALSE(decodeRgba(&corrupted, &decoded, &error));
    EXPECT_NE(std::strstr(error.text, "CRC"), nullptr) << error.text;

    // Failed decodes leave nothing behind: the intact image still decodes.
    EXPECT_TRUE(decodeRgba(&encoded, &decoded, &error)) << error.text;
    EXPECT_EQ(std::memcmp(decoded.pixels, pixels, sizeof pixels), 0);
}

// ---------------------------------------------------------------------------------------------
// zlib

TEST(Zlib, CompressesAndRestoresDataAndComputesStandardChecksums)
{
    EXPECT_STREQ(zlibVersion(), ZLIB_VERSION);
    EXPECT_EQ(crc32(0L, reinterpret_cast<const Bytef*>("123456789"), 9), 0xCBF43926UL);
    EXPECT_EQ(adler32(1L, reinterpret_cast<const Bytef*>("Wikipedia"), 9), 0x11E60398UL);

    std::string input;
    for (int i = 0; i < 200; ++i)
        input += "F0 7E 7F 06 01 F7 program dump " + std::to_string(i % 16) + "\n";

    std::vector<Bytef> packed(compressBound(static_cast<uLong>(input.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    ASSERT_EQ(compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(input.data()),
                        static_cast<uLong>(input.size()), Z_BEST_COMPRESSION),
              Z_OK);
    EXPECT_LT(packedSize, input.size() / 4);

    std::string output(input.size(), '\0');
    uLongf outputSize = static_cast<uLongf>(output.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(&output[0]), &outputSize, packed.data(), packedSize), Z_OK);
    EXPECT_EQ(outputSize, input.size());
    EXPECT_EQ(output, input);

    packed[packedSize / 2] ^= 0xFF;
    outputSize = static_cast<uLongf>(output.size());
    EXPECT_NE(uncompress(reinterpret_cast<Bytef*>(&output[0]), &outputSize, packed.data(), packedSize), Z_OK);
}
