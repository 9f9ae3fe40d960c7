#pragma once

#include "framework/pixels/CHfcPixelView.h"

#include <cstddef>
#include <cstdint>

// Where a decoded image goes: the decoder asks for a surface of the image's size once the
// header is read.
class CHfcPngTarget
{
public:
    virtual ~CHfcPngTarget() = default;
    // Makes a width x height surface and returns its pixels; a view without bits refuses.
    virtual CHfcPixelView AllocatePixels(int32_t width, int32_t height) = 0;
};

// The largest width and height accepted.
constexpr int32_t kHfcPngMaxSide = 16384;

// Decodes the PNG image in data[0, size) into 32-bit B, G, R, A pixels, not premultiplied:
// palette, grey and grey with alpha become RGB, transparency chunks become alpha, 16-bit
// channels are cut to 8, images without alpha get alpha 255, interlaced images are
// de-interlaced. Never reads outside the data. Throws CHfcImageException when the data is
// not a complete, valid PNG or the target refuses the surface; the target may then hold
// a partly written image.
void DecodePngToBgra(const uint8_t* data, size_t size, CHfcPngTarget& target);
