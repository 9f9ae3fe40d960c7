#pragma once

#include "foundation/CHfcMemoryBlock.h"
#include "foundation/CHfcStream.h"

// Writes into a block of its own that grows in multiples of the growth step (at least 16).
class CHfcMemoryOutputStream : public CHfcOutputStream
{
public:
    explicit CHfcMemoryOutputStream(size_t initialCapacity = 0, size_t growthStep = 256);
    ~CHfcMemoryOutputStream() override;

    // The bytes written, up to the highest position reached.
    uint64_t GetSize() const override;
    uint64_t GetPosition() const override;
    // May move beyond the size; a later write zero-fills the gap.
    bool SetPosition(uint64_t position) override;
    bool Write(const void* buffer, size_t n) override;

    // The bytes written followed by a 0 byte (null when the memory is not there).
    const uint8_t* GetData();
    size_t GetLength() const { return m_size; }
    // Bytes allocated for the block.
    size_t GetCapacity() const { return m_block.GetSize(); }

private:
    // Grows the block to the next multiple of the step holding at least n bytes.
    bool Reserve(uint64_t n);

    CHfcMemoryBlock m_block;
    size_t m_growthStep;
    size_t m_size;
    uint64_t m_position;
};
