#pragma once

// Renderings compared pixel by pixel with reference PNGs kept in the source tree.
//
// NV_REFERENCE_DIR is the folder of the references, NV_REFERENCE_OUT_DIR the build folder that
// takes the actual image and a difference image of a failed comparison. With the environment
// variable NV_UPDATE_REFERENCES set, a comparison rewrites a reference that differs (or is
// missing) instead of failing, prints "reference changed: <file>" or "reference added: <file>",
// and the path of every compared reference is appended to NV_REFERENCE_OUT_DIR/written.list
// (scripts/update-references.sh runs the reference tests so).

#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "framework/CHfcWindowLayer.h"
#include "framework/pixels/CHfcImageException.h"
#include "framework/pixels/HfcPngDecode.h"
#include "support/TestPng.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef NV_REFERENCE_DIR
#define NV_REFERENCE_DIR "references"
#endif
#ifndef NV_REFERENCE_OUT_DIR
#define NV_REFERENCE_OUT_DIR "references-out"
#endif

// Tightly packed B, G, R, A pixels, top row first.
struct RenderedImage
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;

    uint32_t Get(int32_t x, int32_t y) const
    {
        const uint8_t* p = &bgra[(static_cast<size_t>(y) * width + x) * 4];
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    void Set(int32_t x, int32_t y, uint32_t argb)
    {
        uint8_t* p = &bgra[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = argb & 0xFF;
        p[1] = (argb >> 8) & 0xFF;
        p[2] = (argb >> 16) & 0xFF;
        p[3] = argb >> 24;
    }
    // The part at (x, y), clipped to the image.
    RenderedImage Crop(int32_t x, int32_t y, int32_t w, int32_t h) const
    {
        RenderedImage part;
        x = std::max(0, x);
        y = std::max(0, y);
        part.width = std::max(0, std::min(w, width - x));
        part.height = std::max(0, std::min(h, height - y));
        part.bgra.resize(static_cast<size_t>(part.width) * part.height * 4);
        for (int32_t row = 0; row < part.height; ++row)
            std::copy_n(&bgra[(static_cast<size_t>(y + row) * width + x) * 4],
                        static_cast<size_t>(part.width) * 4,
                        &part.bgra[static_cast<size_t>(row) * part.width * 4]);
        return part;
    }
    // Covers a part whose pixels are not the drawing's own (a clock's time) with one colour.
    void Mask(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t argb = 0xFFFF00FFu)
    {
        for (int32_t row = std::max(0, y); row < std::min(height, y + h); ++row)
            for (int32_t column = std::max(0, x); column < std::min(width, x + w); ++column)
                Set(column, row, argb);
    }
};

// A copy of the surface's pixels.
inline RenderedImage CopySurface(CHfcOffscreenContext* surface)
{
    RenderedImage image;
    if (!surface)
        return image;
    CHfcBmpLock lock(surface->GetBitmap());
    const CHfcPixelView view = lock.View();
    if (!view.IsValid())
        return image;
    image.width = view.width;
    image.height = view.height;
    image.bgra.resize(static_cast<size_t>(view.width) * view.height * 4);
    for (int32_t y = 0; y < view.height; ++y)
        std::copy_n(view.Row(y), static_cast<size_t>(view.width) * 4,
                    &image.bgra[static_cast<size_t>(y) * view.width * 4]);
    return image;
}

// The composed image the window paints from (its root layer's surface), once the dirty
// rectangle is recomposed as the next tick would.
inline RenderedImage RootSurfaceOf(CHfcWindow& window)
{
    window.FlushDirty();
    return CopySurface(window.GetRootLayer() ? window.GetRootLayer()->GetOffscreen() : nullptr);
}

namespace reference_image_detail
{
inline std::string ReferencePath(const std::string& name)
{
    return std::string(NV_REFERENCE_DIR) + "/" + name + ".png";
}
inline std::string OutPath(const std::string& name, const char* suffix)
{
    return std::string(NV_REFERENCE_OUT_DIR) + "/" + name + suffix;
}

inline bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes.clear();
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return true;
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// RGB when every pixel is opaque (the decoder gives such images alpha 255), else RGBA; the
// strongest compression, to keep the references small.
inline std::vector<uint8_t> Encode(const RenderedImage& image)
{
    const bool opaque = [&]
    {
        for (size_t i = 3; i < image.bgra.size(); i += 4)
            if (image.bgra[i] != 0xFF)
                return false;
        return true;
    }();
    TestPngImage png;
    png.width = static_cast<uint32_t>(image.width);
    png.height = static_cast<uint32_t>(image.height);
    png.colourType = opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA;
    png.compressionLevel = 9;
    png.rows.reserve(image.bgra.size());
    for (size_t i = 0; i + 3 < image.bgra.size(); i += 4)
    {
        png.rows.push_back(image.bgra[i + 2]);
        png.rows.push_back(image.bgra[i + 1]);
        png.rows.push_back(image.bgra[i]);
        if (!opaque)
            png.rows.push_back(image.bgra[i + 3]);
    }
    return EncodeTestPng(png);
}

struct Target : CHfcPngTarget
{
    RenderedImage image;
    CHfcPixelView AllocatePixels(int32_t width, int32_t height) override
    {
        image.width = width;
        image.height = height;
        image.bgra.assign(static_cast<size_t>(width) * height * 4, 0);
        return {image.bgra.data(), width, height, width * 4};
    }
};

// False when the file is missing or no PNG.
inline bool Decode(const std::vector<uint8_t>& bytes, RenderedImage& image)
{
    Target target;
    try
    {
        DecodePngToBgra(bytes.data(), bytes.size(), target);
    }
    catch (const CHfcImageException&)
    {
        return false;
    }
    image = std::move(target.image);
    return true;
}

// Differing pixels red, the others the actual image's, faded to a third, over the larger of
// the two sizes.
inline RenderedImage Difference(const RenderedImage& expected, const RenderedImage& actual)
{
    RenderedImage diff;
    diff.width = std::max(expected.width, actual.width);
    diff.height = std::max(expected.height, actual.height);
    diff.bgra.assign(static_cast<size_t>(diff.width) * diff.height * 4, 0);
    for (int32_t y = 0; y < diff.height; ++y)
        for (int32_t x = 0; x < diff.width; ++x)
        {
            const bool inBoth =
                x < expected.width && y < expected.height && x < actual.width && y < actual.height;
            if (!inBoth || expected.Get(x, y) != actual.Get(x, y))
            {
                diff.Set(x, y, 0xFFFF0000u);
                continue;
            }
            const uint32_t p = actual.Get(x, y);
            const uint32_t grey = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 9;
            diff.Set(x, y, 0xFF000000u | grey << 16 | grey << 8 | grey);
        }
    return diff;
}

inline bool Updating()
{
    const char* update = std::getenv("NV_UPDATE_REFERENCES");
    return update && *update && std::string(update) != "0";
}
} // namespace reference_image_detail

// The image against the reference <name>.png. A failure says how many pixels differ and where
// the first one is, and names the actual and difference images it wrote.
inline ::testing::AssertionResult MatchesReference(const std::string& name, const RenderedImage& actual)
{
    using namespace reference_image_detail;
    if (actual.width <= 0 || actual.height <= 0)
        return ::testing::AssertionFailure() << name << ": nothing was rendered";
    const std::string path = ReferencePath(name);
    std::vector<uint8_t> bytes;
    RenderedImage expected;
    const bool present = ReadFile(path, bytes) && Decode(bytes, expected);
    size_t differing = 0;
    int32_t firstX = -1, firstY = -1;
    const bool sameSize = present && expected.width == actual.width && expected.height == actual.height;
    if (sameSize)
        for (int32_t y = 0; y < actual.height; ++y)
            for (int32_t x = 0; x < actual.width; ++x)
                if (expected.Get(x, y) != actual.Get(x, y) && differing++ == 0)
                {
                    firstX = x;
                    firstY = y;
                }
    const bool same = sameSize && differing == 0;

    CreateDirectoryA(NV_REFERENCE_OUT_DIR, nullptr);
    if (Updating())
    {
        if (FILE* list = std::fopen(OutPath("written", ".list").c_str(), "ab"))
        {
            // The host's path: the Wine drive letter of the build's definition dropped.
            std::fprintf(list, "%s\n", path.compare(0, 2, "Z:") == 0 ? path.c_str() + 2 : path.c_str());
            std::fclose(list);
        }
        if (same)
            return ::testing::AssertionSuccess();
        CreateDirectoryA(NV_REFERENCE_DIR, nullptr);
        if (!WriteFile(path, Encode(actual)))
            return ::testing::AssertionFailure() << "cannot write " << path;
        std::printf("reference %s: %s.png\n", present ? "changed" : "added", name.c_str());
        std::fflush(stdout);
        return ::testing::AssertionSuccess();
    }
    if (same)
        return ::testing::AssertionSuccess();

    const std::string actualPath = OutPath(name, ".actual.png");
    const std::string diffPath = OutPath(name, ".diff.png");
    WriteFile(actualPath, Encode(actual));
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    if (!present)
        failure << name << ": no reference " << path << " (scripts/update-references.sh writes it)";
    else if (!sameSize)
        failure << name << ": " << actual.width << " x " << actual.height << " instead of the reference's "
                << expected.width << " x " << expected.height;
    else
    {
        char pixels[64];
        std::snprintf(pixels, sizeof pixels, "0x%08X instead of 0x%08X", actual.Get(firstX, firstY),
                      expected.Get(firstX, firstY));
        failure << name << ": " << differing << " pixels differ, the first at (" << firstX << ", " << firstY
                << "): " << pixels;
    }
    failure << "\n  actual:     " << actualPath;
    if (present)
    {
        WriteFile(diffPath, Encode(Difference(expected, actual)));
        failure << "\n  difference: " << diffPath;
    }
    return failure;
}
