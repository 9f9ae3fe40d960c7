#include "synthdata/CZmFieldLocation.h"

#include "synthdata/CZmData.h"

#include "foundation/EfUtility.h"

CZmFieldLocation CZmFieldLocation::FromRow(const CZmParameterInfo& row, uint32_t base)
{
    CZmFieldLocation f;
    f.offset = base + row.offset;
    f.shift = row.shift;
    f.mask = row.mask;
    f.bias = row.bias;
    f.isSigned = row.minimum < 0;
    return f;
}

CZmFieldLocation CZmFieldLocation::Wide(const CZmParameterInfo& row, uint32_t base)
{
    CZmFieldLocation f;
    f.offset = base + row.offset;
    f.is16Bit = true;
    f.minimum = row.minimum;
    f.maximum = row.maximum;
    return f;
}

int32_t CZmFieldLocation::Read(const CZmData& data) const
{
    const uint8_t* image = data.GetImage();
    const uint32_t size = data.GetImageSize();
    if (image == nullptr || offset >= size || (is16Bit && offset + 1 >= size))
        return 0;
    if (is16Bit)
        return ClampValue(image[offset] | (image[offset + 1] << 8), minimum, maximum);
    int32_t raw = static_cast<int32_t>((image[offset] >> shift) & mask);
    if (isSigned)
        raw = static_cast<int8_t>(static_cast<uint8_t>(raw));
    return raw - bias;
}

void CZmFieldLocation::Write(CZmData& data, int32_t value) const
{
    uint8_t* image = data.GetImage();
    const uint32_t size = data.GetImageSize();
    if (image == nullptr || offset >= size || (is16Bit && offset + 1 >= size))
        return;
    if (is16Bit)
    {
        const int32_t v = ClampValue(value, minimum, maximum);
        image[offset] = static_cast<uint8_t>(v & 0xFF);
        image[offset + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
        return;
    }
    const uint32_t bits = (mask << shift) & 0xFFu;
    // Added modulo 2^32: only the field's low bits are kept, and no value can overflow.
    const uint32_t sum = static_cast<uint32_t>(value) + static_cast<uint32_t>(bias);
    const uint32_t stored = (sum & mask) << shift;
    image[offset] = static_cast<uint8_t>((image[offset] & ~bits) | (stored & bits));
}
