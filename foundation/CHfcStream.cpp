#include "foundation/CHfcStream.h"

#include <algorithm>
#include <cstring>

CHfcStream::~CHfcStream() = default;

CHfcInputStream::~CHfcInputStream() = default;

uint64_t CHfcInputStream::ReadInteger(size_t n, bool bigEndian)
{
    uint8_t bytes[8];
    if (Read(bytes, n) != n)
        return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < n; ++i)
        value = (value << 8) | bytes[bigEndian ? i : n - 1 - i];
    return value;
}

uint8_t CHfcInputStream::ReadByte()
{
    return static_cast<uint8_t>(ReadInteger(1, false));
}

bool CHfcInputStream::ReadBool()
{
    return ReadByte() > 0;
}

uint16_t CHfcInputStream::ReadU16()
{
    return static_cast<uint16_t>(ReadInteger(2, false));
}

uint16_t CHfcInputStream::ReadU16Swapped()
{
    return static_cast<uint16_t>(ReadInteger(2, true));
}

uint32_t CHfcInputStream::ReadU32()
{
    return static_cast<uint32_t>(ReadInteger(4, false));
}

uint32_t CHfcInputStream::ReadU32Swapped()
{
    return static_cast<uint32_t>(ReadInteger(4, true));
}

float CHfcInputStream::ReadFloat()
{
    const uint32_t bits = static_cast<uint32_t>(ReadInteger(4, false));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double CHfcInputStream::ReadDouble()
{
    const uint64_t bits = ReadInteger(8, false);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

CHfcOutputStream::~CHfcOutputStream() = default;

bool CHfcOutputStream::WriteInteger(uint64_t value, size_t n, bool bigEndian)
{
    uint8_t bytes[8];
    for (size_t i = 0; i < n; ++i, value >>= 8)
        bytes[bigEndian ? n - 1 - i : i] = static_cast<uint8_t>(value);
    return Write(bytes, n);
}

bool CHfcOutputStream::WriteByte(uint8_t value)
{
    return WriteInteger(value, 1, false);
}

bool CHfcOutputStream::WriteBool(bool value)
{
    return WriteByte(value ? 0xFF : 0x00);
}

bool CHfcOutputStream::WriteU16(uint16_t value)
{
    return WriteInteger(value, 2, false);
}

bool CHfcOutputStream::WriteU16Swapped(uint16_t value)
{
    return WriteInteger(value, 2, true);
}

bool CHfcOutputStream::WriteU32(uint32_t value)
{
    return WriteInteger(value, 4, false);
}

bool CHfcOutputStream::WriteU32Swapped(uint32_t value)
{
    return WriteInteger(value, 4, true);
}

bool CHfcOutputStream::WriteFloat(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return WriteInteger(bits, 4, false);
}

bool CHfcOutputStream::WriteDouble(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return WriteInteger(bits, 8, false);
}

bool CHfcOutputStream::Fill(uint8_t value, uint64_t n)
{
    uint8_t block[256];
    std::memset(block, value, sizeof block);
    while (n > 0)
    {
        const size_t chunk = static_cast<size_t>(std::min<uint64_t>(n, sizeof block));
        if (!Write(block, chunk))
            return false;
        n -= chunk;
    }
    return true;
}
