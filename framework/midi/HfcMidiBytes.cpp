#include "framework/midi/HfcMidiBytes.h"

#include "foundation/EfUtility.h"

uint32_t GetMessageLength(uint8_t status)
{
    if (status < 0x80)
        return 3;
    if (status < 0xC0 || (status >= 0xE0 && status <= 0xEF))
        return 3;
    if (status < 0xE0)
        return 2;
    switch (status)
    {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF6:
        return 1;
    default:
        return status >= 0xF8 ? 1 : 3;
    }
}

void Encode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n)
{
    for (uint32_t group = 0; group < n; group += 7)
    {
        uint32_t count = n - group < 7 ? n - group : 7;
        uint8_t* header = dst++;
        *header = 0;
        for (uint32_t i = 0; i < count; ++i)
        {
            uint8_t b = src[group + i];
            *header |= static_cast<uint8_t>((b >> 7) << i);
            *dst++ = b & 0x7F;
        }
    }
}

void Decode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n)
{
    for (uint32_t group = 0; group < n; group += 7)
    {
        uint32_t count = n - group < 7 ? n - group : 7;
        uint8_t header = *src++;
        for (uint32_t i = 0; i < count; ++i)
            dst[group + i] = static_cast<uint8_t>((*src++ & 0x7F) | (((header >> i) & 1) << 7));
    }
}

uint32_t GetEncoded7BitSize(uint32_t n)
{
    return GetPackedSize(n);
}
