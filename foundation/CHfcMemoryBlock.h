#pragma once

#include <cstddef>
#include <cstdint>

// A heap block of bytes and its size; the data is freed with the block. Copies are deep.
class CHfcMemoryBlock
{
public:
    CHfcMemoryBlock();
    // n bytes, zeroed when zeroFill is set.
    CHfcMemoryBlock(size_t n, bool zeroFill);
    // A copy of n bytes of data.
    CHfcMemoryBlock(const void* data, size_t n);
    CHfcMemoryBlock(const CHfcMemoryBlock& other);
    CHfcMemoryBlock(CHfcMemoryBlock&& other) noexcept;
    CHfcMemoryBlock& operator=(const CHfcMemoryBlock& other);
    CHfcMemoryBlock& operator=(CHfcMemoryBlock&& other) noexcept;
    virtual ~CHfcMemoryBlock();

    // Reallocates to n bytes, keeping the bytes that fit; the new tail is zeroed when zeroFill
    // is set. 0 frees the data. False (block unchanged) when the memory is not there.
    bool SetSize(size_t n, bool zeroFill);
    // Adds n bytes of data at the end; data may point into this block.
    bool Append(const void* data, size_t n);
    uint8_t* GetData() { return m_data; }
    const uint8_t* GetData() const { return m_data; }
    size_t GetSize() const { return m_size; }

private:
    uint8_t* m_data;
    size_t m_size;
};
