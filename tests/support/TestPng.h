#pragma once

// Writes small PNG images in memory with libpng, for decoder tests and fuzz seeds.
#include <png.h>

#include <cstdint>
#include <vector>

struct TestPngImage
{
    uint32_t width = 1;
    uint32_t height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGBA;
    bool interlaced = false;
    int compressionLevel = -1; // zlib's 0-9; -1 libpng's default
    // Rows as the PNG stores them (packed samples, 16-bit samples big-endian), each
    // png_get_rowbytes long, one after the other.
    std::vector<uint8_t> rows;
    std::vector<png_color> palette;
    // Palette alpha values (palette images) ...
    std::vector<uint8_t> paletteAlpha;
    // ... or the one transparent colour (grey and RGB images).
    bool transparentColour = false;
    png_color_16 transparent = {};
};

namespace test_png_detail
{
inline void Append(png_structp png, png_bytep bytes, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), bytes, bytes + length);
}
inline void Flush(png_structp) {}

// Holds the setjmp: no objects with destructors live in this frame.
inline bool Write(const TestPngImage* image, png_bytep* rowPointers, std::vector<uint8_t>* out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, Flush);
    if (image->compressionLevel >= 0)
        png_set_compression_level(png, image->compressionLevel);
    png_set_IHDR(png, info, image->width, image->height, image->bitDepth, image->colourType,
                 image->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!image->palette.empty())
        png_set_PLTE(png, info, const_cast<png_colorp>(image->palette.data()),
                     static_cast<int>(image->palette.size()));
    if (!image->paletteAlpha.empty())
        png_set_tRNS(png, info, const_cast<png_bytep>(image->paletteAlpha.data()),
                     static_cast<int>(image->paletteAlpha.size()), nullptr);
    if (image->transparentColour)
        png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16p>(&image->transparent));
    png_write_info(png, info);
    png_write_image(png, rowPointers);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace test_png_detail

// The encoded image, or an empty vector when libpng refused it.
inline std::vector<uint8_t> EncodeTestPng(const TestPngImage& image)
{
    std::vector<uint8_t> out;
    if (image.height == 0 || image.rows.size() % image.height != 0)
        return out;
    const size_t rowBytes = image.rows.size() / image.height;
    std::vector<png_bytep> rowPointers;
    for (uint32_t y = 0; y < image.height; ++y)
        rowPointers.push_back(const_cast<png_bytep>(image.rows.data() + y * rowBytes));
    if (!test_png_detail::Write(&image, rowPointers.data(), &out))
        out.clear();
    return out;
}

// An 8-bit RGBA image from B, G, R, A pixels (the decoder's output order).
inline std::vector<uint8_t> EncodeTestPngFromBgra(uint32_t width, uint32_t height,
                                                  const std::vector<uint8_t>& bgra)
{
    TestPngImage image;
    image.width = width;
    image.height = height;
    image.rows = bgra;
    for (size_t i = 0; i + 3 < image.rows.size(); i += 4)
        std::swap(image.rows[i], image.rows[i + 2]);
    return EncodeTestPng(image);
}
