#include "CSkinImage.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace
{
// Nothing here changes after setjmp, so nothing is lost when libpng jumps back on an error.
bool WriteRgbaPng(FILE* file, int width, int height, const uint8_t* rgba)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info)
    {
        png_destroy_write_struct(png ? &png : nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgba + size_t(y) * width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

CSkinImage::CSkinImage(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), m_cr(cairo_create(m_surface))
{
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_GRAY);
}

CSkinImage::~CSkinImage()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

uint32_t CSkinImage::Pixel(int x, int y) const
{
    cairo_surface_flush(m_surface);
    const unsigned char* row =
        cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
    const uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
    const uint32_t a = p >> 24;
    if (a == 0)
        return 0;
    auto channel = [&](int shift) { return ((p >> shift & 0xFF) * 255 + a / 2) / a; };
    return a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

void CSkinImage::SetPixel(int x, int y, uint32_t argb)
{
    cairo_surface_flush(m_surface);
    unsigned char* row =
        cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
    const uint32_t a = argb >> 24;
    auto channel = [&](int shift) { return ((argb >> shift & 0xFF) * a + 127) / 255; };
    reinterpret_cast<uint32_t*>(row)[x] = a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
    cairo_surface_mark_dirty(m_surface);
}

bool CSkinImage::WritePng(const std::string& path) const
{
    std::vector<uint8_t> rgba(size_t(m_width) * m_height * 4);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
        {
            const uint32_t p = Pixel(x, y);
            uint8_t* d = &rgba[(size_t(y) * m_width + x) * 4];
            d[0] = p >> 16 & 0xFF;
            d[1] = p >> 8 & 0xFF;
            d[2] = p & 0xFF;
            d[3] = p >> 24;
        }

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = WriteRgbaPng(file, m_width, m_height, rgba.data());
    return std::fclose(file) == 0 && written;
}
