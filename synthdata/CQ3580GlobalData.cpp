#include "synthdata/CQ3580GlobalData.h"

#include "synthdata/CZmChunkHeader.h"

#include "foundation/EfMd5.h"

#include <cstring>

namespace
{
const uint8_t kDefaultGlobal[kQ3580GlobalImageSize] = {
    0x00, 0x00, 0xA4, 0x03, 0x00, 0x84, 0x12, 0x04, 0x01, 0x39, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x03,
    0x08, 0x09, 0x0F, 0x11, 0x12, 0x13, 0x14, 0x15, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x4A, 0x47, 0x4F, 0x1C,
    0x1D, 0x1E, 0x44, 0x45, 0x52, 0x07, 0x0A, 0x53, 0x55, 0x56, 0x57, 0x58, 0x49, 0x4B, 0x46, 0x48, 0x59,
    0x5A, 0x66, 0x4C, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x73, 0x0C, 0x70, 0x74, 0x0D, 0x71,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,
};
} // namespace

const uint8_t* CQ3580GlobalData::GetDefaultImage()
{
    return kDefaultGlobal;
}

CQ3580GlobalData::CQ3580GlobalData()
{
    std::memcpy(m_image, kDefaultGlobal, sizeof m_image);
}

void CQ3580GlobalData::Clear()
{
    std::memcpy(m_image, kDefaultGlobal, sizeof m_image);
    ComputeDigest();
}

namespace
{
const uint32_t kGlobalRecordSize = CQ3580GlobalData::kChunkSize - CZmChunkHeader::kSize;
const uint32_t kGlobalPadding = 28;
} // namespace

void CQ3580GlobalData::ReadChunk(CHfcInputStream& stream)
{
    CZmChunkHeader header;
    header.ReadChecked(stream, GetChunkTag(), kGlobalRecordSize);
    uint8_t image[kQ3580GlobalImageSize];
    uint8_t digest[kDigestSize];
    ReadExact(stream, image, sizeof image);
    SkipExact(stream, kGlobalPadding);
    ReadExact(stream, digest, sizeof digest);
    std::memcpy(m_image, image, sizeof image);
    SetDigest(digest);
}

void CQ3580GlobalData::WriteChunk(CHfcOutputStream& stream) const
{
    CZmChunkHeader(GetChunkTag(), kGlobalRecordSize, 1, kGlobalRecordSize).Write(stream);
    uint8_t digest[kDigestSize];
    ComputeMd5(m_image, sizeof m_image, digest);
    WriteExact(stream, m_image, sizeof m_image);
    FillExact(stream, 0xFF, kGlobalPadding);
    WriteExact(stream, digest, sizeof digest);
}
