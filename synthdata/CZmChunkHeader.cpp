#include "synthdata/CZmChunkHeader.h"

#include "foundation/CHfcStream.h"
#include "foundation/CZmException.h"

#include <cstring>

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
    PutLe16(bytes + 8, headerSize);
    PutLe32(bytes + 10, size);
    PutLe16(bytes + 14, 1);
    PutLe16(bytes + 16, 2);
    PutLe16(bytes + 18, 0);
    PutLe32(bytes + 20, count);
    PutLe32(bytes + 24, elementSize);
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
    headerSize = GetLe16(bytes);
    size = GetLe32(bytes + 2);
    count = GetLe32(bytes + 12);
    elementSize = GetLe32(bytes + 16);
}

void CZmChunkHeader::Read(CHfcInputStream& stream, const char* chunkTag)
{
    ReadTag(stream);
    if (!HasTag(chunkTag))
        throw CZmFileException(kZmFileErrorInvalidId);
    ReadRest(stream);
}

void CZmChunkHeader::ReadChecked(CHfcInputStream& stream, const char* chunkTag, uint32_t recordSize)
{
    Read(stream, chunkTag);
    if (headerSize < kSize && size < recordSize)
        throw CZmFileException(kZmFileErrorDataSize);
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

void SeekExact(CHfcInputStream& stream, uint64_t position)
{
    if (position > stream.GetSize() || !stream.SetPosition(position))
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
