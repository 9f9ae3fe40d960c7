#pragma once

#include "foundation/CHfcStream.h"

// Reads a caller's buffer that it does not own; the buffer must outlive the stream.
class CHfcMemoryInputStream : public CHfcInputStream
{
public:
    CHfcMemoryInputStream(const void* data, uint64_t size);
    ~CHfcMemoryInputStream() override;

    uint64_t GetSize() const override;
    uint64_t GetPosition() const override;
    // False (position unchanged) beyond the size.
    bool SetPosition(uint64_t position) override;
    bool IsAtEnd() const override;
    // Copies at most the bytes left.
    size_t Read(void* buffer, size_t n) override;
    bool Skip(uint64_t n) override;

private:
    const uint8_t* m_data;
    uint64_t m_size;
    uint64_t m_position; // never above m_size
};
