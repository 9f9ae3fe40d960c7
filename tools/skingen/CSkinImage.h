#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// An ARGB drawing surface of the skin generator, written out as an 8-bit RGBA PNG with fixed
// settings and no time or text chunks, so the same drawing gives the same bytes.
class CSkinImage
{
public:
    CSkinImage(int width, int height);
    ~CSkinImage();
    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    cairo_t* Cairo() const { return m_cr; }
    cairo_surface_t* Surface() const { return m_surface; }

    // Straight (not premultiplied) ARGB of a pixel.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t argb);
    bool WritePng(const std::string& path) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
