#include "synthdata/CZmData.h"

#include "foundation/CEfMemoryBlock.h"
#include "foundation/CHfcMemoryInputStream.h"
#include "foundation/CHfcMemoryOutputStream.h"
#include "foundation/CZmException.h"
#include "foundation/EfMd5.h"

#include <cstring>

bool CZmData::CopyAttributes(const CZmData* other)
{
    if (other == nullptr)
        return false;
    m_attribute1 = other->m_attribute1;
    m_attribute2 = other->m_attribute2;
    m_attribute3 = other->m_attribute3;
    m_flag = other->m_flag;
    return true;
}

CZmData& CZmData::Assign(const CZmData& other)
{
    CopyAttributes(&other);
    return *this;
}

void CZmData::ClearDigest()
{
    std::memset(m_digest, 0, sizeof m_digest);
}

void CZmData::ComputeDigest()
{
    ComputeMd5(GetImage(), GetImageSize(), m_digest);
}

void CZmData::SetDigest(const uint8_t digest[kDigestSize])
{
    std::memcpy(m_digest, digest, sizeof m_digest);
}

void CZmData::ReadChunk(CHfcInputStream&)
{
    throw CZmFileException(kZmFileErrorUnknownId);
}

void CZmData::WriteChunk(CHfcOutputStream&) const
{
    throw CZmFileException(kZmFileErrorUnknownId);
}

std::unique_ptr<CEfMemoryBlock> CZmData::SaveToMemory() const
{
    CHfcMemoryOutputStream stream(0, 256);
    WriteChunk(stream);
    const uint8_t* bytes = stream.GetData();
    auto block = std::make_unique<CEfMemoryBlock>();
    if (bytes == nullptr || !block->Append(bytes, stream.GetLength()))
        throw CZmFileException(kZmFileErrorMalloc);
    return block;
}

void CZmData::LoadFromMemory(const CHfcMemoryBlock& block)
{
    CHfcMemoryInputStream stream(block.GetData(), block.GetSize());
    ReadChunk(stream);
}
