#pragma once

#include <cstddef>
#include <cstdint>

// A byte stream with a size and a position.
class CHfcStream
{
public:
    virtual ~CHfcStream();

    virtual uint64_t GetSize() const = 0;
    virtual uint64_t GetPosition() const = 0;
    // False when the position could not be set.
    virtual bool SetPosition(uint64_t position) = 0;
};

// Typed reads. The 16- and 32-bit forms are little-endian, the Swapped forms big-endian. A
// typed read that gets fewer bytes than its width answers 0; the bytes it got are consumed.
class CHfcInputStream : public CHfcStream
{
public:
    ~CHfcInputStream() override;

    virtual bool IsAtEnd() const = 0;
    // Bytes read, at most n.
    virtual size_t Read(void* buffer, size_t n) = 0;
    virtual uint8_t ReadByte();
    // True when the byte is above 0.
    virtual bool ReadBool();
    virtual uint16_t ReadU16();
    virtual uint16_t ReadU16Swapped();
    virtual uint32_t ReadU32();
    virtual uint32_t ReadU32Swapped();
    virtual float ReadFloat();
    virtual double ReadDouble();
    // Moves n bytes on, but not beyond the size.
    virtual bool Skip(uint64_t n) = 0;

private:
    // n bytes (at most 8) as an integer in the given order; 0 when fewer were left.
    uint64_t ReadInteger(size_t n, bool bigEndian);
};

// Typed writes, in the byte orders of CHfcInputStream; each answers true only when every byte
// was written.
class CHfcOutputStream : public CHfcStream
{
public:
    ~CHfcOutputStream() override;

    virtual bool Write(const void* buffer, size_t n) = 0;
    virtual bool WriteByte(uint8_t value);
    // 0xFF for true, 0x00 for false.
    virtual bool WriteBool(bool value);
    virtual bool WriteU16(uint16_t value);
    virtual bool WriteU16Swapped(uint16_t value);
    virtual bool WriteU32(uint32_t value);
    virtual bool WriteU32Swapped(uint32_t value);
    virtual bool WriteFloat(float value);
    virtual bool WriteDouble(double value);
    // n bytes of the value.
    virtual bool Fill(uint8_t value, uint64_t n);

private:
    // The low n bytes (at most 8) of value in the given order.
    bool WriteInteger(uint64_t value, size_t n, bool bigEndian);
};
