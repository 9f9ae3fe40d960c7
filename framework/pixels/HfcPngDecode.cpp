#include "framework/pixels/HfcPngDecode.h"

#include "framework/pixels/CHfcImageException.h"

#include <png.h>

#include <cstdio>
#include <cstring>

// libpng reports errors by longjmp: the function holding the setjmp keeps no C++ objects
// with destructors, and the exception is thrown only after the libpng structures are gone.

namespace
{
struct DecodeState
{
    const uint8_t* data;
    size_t size;
    size_t offset;
    char error[160];
};

void ReadFromMemory(png_structp png, png_bytep bytes, size_t length)
{
    auto* state = static_cast<DecodeState*>(png_get_io_ptr(png));
    if (state->size - state->offset < length)
        png_error(png, "unexpected end of data");
    std::memcpy(bytes, state->data + state->offset, length);
    state->offset += length;
}

void OnError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<DecodeState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof state->error, "%s", message ? message : "decode error");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Deflate expands at most about 1032 to 1: data that cannot hold the image's rows is cut
// short, so it is refused before a surface of the claimed size is made.
bool CanHoldRows(size_t dataSize, png_uint_32 height, size_t rowBytes)
{
    const double least = static_cast<double>(height) * (1.0 + static_cast<double>(rowBytes));
    return least <= static_cast<double>(dataSize) * 1100.0;
}

bool Decode(DecodeState* state, CHfcPngTarget* target)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state, OnError, OnWarning);
    if (!png)
    {
        std::snprintf(state->error, sizeof state->error, "cannot create the read structure");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::snprintf(state->error, sizeof state->error, "cannot create the information structure");
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }

    png_set_read_fn(png, state, ReadFromMemory);
    png_set_user_limits(png, kHfcPngMaxSide, kHfcPngMaxSide);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info);
    if (!CanHoldRows(state->size, height, png_get_rowbytes(png, info)))
        png_error(png, "data too short for the image size");

    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency)
        png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (bitDepth > 8)
        png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparency)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4)
        png_error(png, "unexpected row size after the transformations");

    const CHfcPixelView pixels =
        target->AllocatePixels(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (!pixels.bits || pixels.width != static_cast<int32_t>(width) ||
        pixels.height != static_cast<int32_t>(height) || pixels.stride < static_cast<int32_t>(width) * 4)
        png_error(png, "cannot make the surface");

    // Row by row, pass by pass: an interlaced image combines each pass into the rows.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, pixels.Row(static_cast<int32_t>(y)), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
} // namespace

void DecodePngToBgra(const uint8_t* data, size_t size, CHfcPngTarget& target)
{
    DecodeState state{data, data ? size : 0, 0, {}};
    if (!Decode(&state, &target))
        throw CHfcImageException(state.error);
}
