#include "synthdata/CZmChunkHeader.h"

#include "foundation/CHfcStream.h"
#include "foundation/CZmException.h"

#include <cstring>

namespace
{
uint16_t GetU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t GetU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
} // namespace

CZmChunkHeader::CZmChunkHeader(const char* chunkTag, uint32_t chunkSize, uint32_t elementCount,
                               uint32_t sizeOfElement)
    : size(chunkSize), count(elementCount), elementSize(sizeOfElement)
{
    std::memcpy(tag, chunkTag, kTagLength);
}

bool CZmChunkHeader::HasTag(const char* chunkTag) const
{
    return std::memcmp(tag, chunkTag, kTagLength) == 0;
}

void CZmChunkHeader::Write(CHfcOutputStream& stream) const
{
    uint8_t bytes[kSize];
    std::memcpy(bytes, tag, kTagLength);
    PutU16(bytes + 8, headerSize);
    PutU32(bytes + 10, size);
    PutU16(bytes + 14, 1);
    PutU16(bytes + 16, 2);
    PutU16(bytes + 18, 0);
    PutU32(bytes + 20, count);
    PutU32(bytes + 24, elementSize);
    std::memset(bytes + 28, 0xFF, 4);
    WriteExact(stream, bytes, kSize);
}

void CZmChunkHeader::ReadTag(CHfcInputStream& stream)
{
    ReadExact(stream, tag, kTagLength);
}

void CZmChunkHeader::ReadRest(CHfcInputStream& stream)
{
    uint8_t bytes[kSize - kTagLength];
    ReadExact(stream, bytes, sizeof bytes);
    headerSize = GetU16(bytes);
    size = GetU32(bytes + 2);
    count = GetU32(bytes + 12);
    elementSize = GetU32(bytes + 16);
}

void CZmChunkHeader::Read(CHfcInputStream& stream, const char* chunkTag)
{
    ReadTag(stream);
    if (!HasTag(chunkTag))
        throw CZmFileException(kZmFileErrorInvalidId);
    ReadRest(stream);
}

void ReadExact(CHfcInputStream& stream, void* buffer, uint64_t n)
{
    if (stream.Read(buffer, static_cast<size_t>(n)) != n)
        throw CZmFileException(kZmFileErrorReadData);
}

void SkipExact(CHfcInputStream& stream, uint64_t n)
{
    const uint64_t position = stream.GetPosition();
    if (n > stream.GetSize() || position > stream.GetSize() - n || !stream.Skip(n))
        throw CZmFileException(kZmFileErrorReadData);
}

void WriteExact(CHfcOutputStream& stream, const void* buffer, uint64_t n)
{
    if (!stream.Write(buffer, static_cast<size_t>(n)))
        throw CZmFileException(kZmFileErrorWriteData);
}

void FillExact(CHfcOutputStream& stream, uint8_t value, uint64_t n)
{
    if (!stream.Fill(value, n))
        throw CZmFileException(kZmFileErrorWriteData);
}
