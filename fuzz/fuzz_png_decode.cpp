// Feeds arbitrary bytes to the PNG decoder. Chunk CRCs are rewritten first so that mutations
// reach the chunk parsers and the inflate path instead of stopping at the checksum.
#include "framework/pixels/CHfcImageException.h"
#include "framework/pixels/HfcPngDecode.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
void FixChunkCrcs(std::vector<uint8_t>& png)
{
    size_t at = 8;
    while (at + 12 <= png.size())
    {
        const uint32_t length =
            static_cast<uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (length > png.size() - at - 12)
            return;
        const uint32_t crc = static_cast<uint32_t>(crc32(0, &png[at + 4], 4 + length));
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

struct Target : CHfcPngTarget
{
    std::vector<uint8_t> pixels;
    CHfcPixelView AllocatePixels(int32_t width, int32_t height) override
    {
        pixels.assign(static_cast<size_t>(width) * height * 4, 0);
        return {pixels.data(), width, height, width * 4};
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that any read past the end is caught.
    std::vector<uint8_t> png(data, data + size);
    FixChunkCrcs(png);
    Target target;
    try
    {
        DecodePngToBgra(png.data(), png.size(), target);
    }
    catch (const CHfcImageException&)
    {
    }
    return 0;
}
