#pragma once

#include <cstdint>

class CHfcInputStream;
class CHfcOutputStream;

// The 32-byte little-endian header of every data-file chunk: tag, header size, the size of
// what follows the header, the words 1, 2 and 0, element count and size, four bytes 0xFF.
struct CZmChunkHeader
{
    enum : uint32_t
    {
        kSize = 32,
        kTagLength = 8,
    };

    char tag[kTagLength] = {};
    uint16_t headerSize = kSize;
    uint32_t size = 0;
    uint32_t count = 0;
    uint32_t elementSize = 0;

    CZmChunkHeader() = default;
    CZmChunkHeader(const char* chunkTag, uint32_t chunkSize, uint32_t elementCount, uint32_t sizeOfElement);

    bool HasTag(const char* chunkTag) const;
    // Throws CZmFileException 3 when a byte cannot be written.
    void Write(CHfcOutputStream& stream) const;
    // The 8-byte tag alone; throws CZmFileException 2 on a short read.
    void ReadTag(CHfcInputStream& stream);
    // The 24 bytes after the tag; throws CZmFileException 2 on a short read.
    void ReadRest(CHfcInputStream& stream);
    // ReadTag, then 5 when the tag is not chunkTag, then ReadRest.
    void Read(CHfcInputStream& stream, const char* chunkTag);
    // Read, then 8 when both the header size is below 32 and the size below recordSize.
    void ReadChecked(CHfcInputStream& stream, const char* chunkTag, uint32_t recordSize);
};

// Little-endian fields of the data formats.
inline uint16_t GetLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void PutLe16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Stream steps that throw the file exceptions: 2 for a short read, 3 for a failed write.
void ReadExact(CHfcInputStream& stream, void* buffer, uint64_t n);
void SkipExact(CHfcInputStream& stream, uint64_t n);
// Moves to a position within the stream's size.
void SeekExact(CHfcInputStream& stream, uint64_t position);
void WriteExact(CHfcOutputStream& stream, const void* buffer, uint64_t n);
void FillExact(CHfcOutputStream& stream, uint8_t value, uint64_t n);
