#include "foundation/CHfcStream.h"

#include <algorithm>
#include <cstring>

namespace
{

uint64_t LoadLittle(const uint8_t* bytes, size_t n)
{
    uint64_t value = 0;
    for (size_t i = n; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

uint64_t LoadBig(const uint8_t* bytes, size_t n)
{
    uint64_t value = 0;
    for (size_t i = 0; i < n; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

void StoreLittle(uint8_t* bytes, uint64_t value, size_t n)
{
    for (size_t i = 0; i < n; ++i, value >>= 8)
        bytes[i] = static_cast<uint8_t>(value);
}

void StoreBig(uint8_t* bytes, uint64_t value, size_t n)
{
    for (size_t i = n; i-- > 0; value >>= 8)
        bytes[i] = static_cast<uint8_t>(value);
}

} // namespace

CHfcStream::~CHfcStream() = default;

CHfcInputStream::~CHfcInputStream() = default;

bool CHfcInputStream::ReadExactly(uint8_t* bytes, size_t n)
{
    return Read(bytes, n) == n;
}

uint8_t CHfcInputStream::ReadByte()
{
    uint8_t byte = 0;
    return ReadExactly(&byte, 1) ? byte : 0;
}

bool CHfcInputStream::ReadBool()
{
    return ReadByte() > 0;
}

uint16_t CHfcInputStream::ReadU16()
{
    uint8_t bytes[2];
    return ReadExactly(bytes, 2) ? static_cast<uint16_t>(LoadLittle(bytes, 2)) : 0;
}

uint16_t CHfcInputStream::ReadU16Swapped()
{
    uint8_t bytes[2];
    return ReadExactly(bytes, 2) ? static_cast<uint16_t>(LoadBig(bytes, 2)) : 0;
}

uint32_t CHfcInputStream::ReadU32()
{
    uint8_t bytes[4];
    return ReadExactly(bytes, 4) ? static_cast<uint32_t>(LoadLittle(bytes, 4)) : 0;
}

uint32_t CHfcInputStream::ReadU32Swapped()
{
    uint8_t bytes[4];
    return ReadExactly(bytes, 4) ? static_cast<uint32_t>(LoadBig(bytes, 4)) : 0;
}

float CHfcInputStream::ReadFloat()
{
    uint8_t bytes[4];
    if (!ReadExactly(bytes, 4))
        return 0.0f;
    const uint32_t bits = static_cast<uint32_t>(LoadLittle(bytes, 4));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double CHfcInputStream::ReadDouble()
{
    uint8_t bytes[8];
    if (!ReadExactly(bytes, 8))
        return 0.0;
    const uint64_t bits = LoadLittle(bytes, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

CHfcOutputStream::~CHfcOutputStream() = default;

bool CHfcOutputStream::WriteByte(uint8_t value)
{
    return Write(&value, 1);
}

bool CHfcOutputStream::WriteBool(bool value)
{
    return WriteByte(value ? 0xFF : 0x00);
}

bool CHfcOutputStream::WriteU16(uint16_t value)
{
    uint8_t bytes[2];
    StoreLittle(bytes, value, 2);
    return Write(bytes, 2);
}

bool CHfcOutputStream::WriteU16Swapped(uint16_t value)
{
    uint8_t bytes[2];
    StoreBig(bytes, value, 2);
    return Write(bytes, 2);
}

bool CHfcOutputStream::WriteU32(uint32_t value)
{
    uint8_t bytes[4];
    StoreLittle(bytes, value, 4);
    return Write(bytes, 4);
}

bool CHfcOutputStream::WriteU32Swapped(uint32_t value)
{
    uint8_t bytes[4];
    StoreBig(bytes, value, 4);
    return Write(bytes, 4);
}

bool CHfcOutputStream::WriteFloat(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t bytes[4];
    StoreLittle(bytes, bits, 4);
    return Write(bytes, 4);
}

bool CHfcOutputStream::WriteDouble(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t bytes[8];
    StoreLittle(bytes, bits, 8);
    return Write(bytes, 8);
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
