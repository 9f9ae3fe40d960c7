#pragma once

#include <cstdint>
#include <memory>

class CEfMemoryBlock;
class CHfcInputStream;
class CHfcMemoryBlock;
class CHfcOutputStream;

class CEfObject
{
public:
    virtual ~CEfObject() = default;
};

class CEfData : public CEfObject
{
};

// Base of the program and global data: three attribute words, a flag and the
// MD5 digest of the image.
class CZmData : public CEfData
{
public:
    enum : uint32_t
    {
        kDigestSize = 16
    };

    virtual void Init() {}
    virtual void Clear() {}
    // Copies the three attributes and the flag; false when other is null.
    virtual bool CopyAttributes(const CZmData* other);
    virtual int32_t GetAttribute2() const { return m_attribute2; }
    virtual void SetAttribute2(int32_t v) { m_attribute2 = v; }
    virtual int32_t GetAttribute1() const { return m_attribute1; }
    virtual void SetAttribute1(int32_t v) { m_attribute1 = v; }
    virtual int32_t GetAttribute3() const { return m_attribute3; }
    virtual void SetAttribute3(int32_t v) { m_attribute3 = v; }
    virtual void SetFlag(uint8_t flag) { m_flag = flag; }
    virtual uint8_t GetFlag() const { return m_flag; }
    virtual CZmData& Assign(const CZmData& other);
    // The same as ReadChunk, WriteChunk and GetChunkSize.
    virtual void Read(CHfcInputStream& stream) { ReadChunk(stream); }
    virtual void Write(CHfcOutputStream& stream) const { WriteChunk(stream); }
    virtual uint32_t GetSize() const { return GetChunkSize(); }

    // The object's data-file chunk. A read that fails throws CZmFileException and leaves the
    // object as it was; a write that fails throws CZmFileException 3. The base has no chunk
    // format and throws code 4.
    virtual void ReadChunk(CHfcInputStream& stream);
    virtual void WriteChunk(CHfcOutputStream& stream) const;
    virtual const char* GetChunkTag() const = 0;
    virtual uint32_t GetChunkSize() const = 0;
    // The chunk in a new block; throws what WriteChunk throws (code 6 when memory runs out).
    virtual std::unique_ptr<CEfMemoryBlock> SaveToMemory() const;
    // Reads the chunk from the block's bytes; throws what ReadChunk throws.
    virtual void LoadFromMemory(const CHfcMemoryBlock& block);
    // The image that the accessors address.
    virtual uint8_t* GetImage() = 0;
    virtual const uint8_t* GetImage() const = 0;
    virtual uint32_t GetImageSize() const = 0;

    virtual void ClearDigest();
    // MD5 of the image into the digest.
    virtual void ComputeDigest();
    virtual const uint8_t* GetDigest() const { return m_digest; }
    virtual void SetDigest(const uint8_t digest[kDigestSize]);

protected:
    CZmData() = default;
    CZmData(const CZmData&) = default;
    CZmData& operator=(const CZmData&) = default;

    int32_t m_attribute1 = 0;
    int32_t m_attribute2 = 0; // data version
    int32_t m_attribute3 = 0;
    uint8_t m_flag = 0;
    uint8_t m_digest[kDigestSize] = {};
};
