#pragma once

#include "synthdata/CProgram.h"

class CBlockData;

#include <cstddef>
#include <cstdint>
#include <vector>

// One program as a drag or the clipboard carries it: 640 bytes, the source program number
// 0-127 (u32, little-endian), then the program's 636-byte block.
class CProgramDragItem
{
public:
    enum : uint32_t
    {
        kSourceSize = 4,
        kItemSize = kSourceSize + kProgramBlockSize,
        kProgramCount = 128,
    };

    CProgramDragItem() = default;
    // The item of program number source (kept below 128 by the caller; a larger one is
    // stored as 127 so that no item ever names a program outside the set).
    CProgramDragItem(uint32_t source, const CProgram& program);

    // Takes exactly 640 bytes whose source number is 0-127; anything else changes nothing
    // and answers false.
    bool Parse(const void* data, size_t size);
    // All items or none: false (and out unchanged) when any is refused.
    static bool ParseAll(const std::vector<std::vector<uint8_t>>& items, std::vector<CProgramDragItem>& out);

    std::vector<uint8_t> GetBytes() const;
    uint32_t GetSource() const { return m_source; }
    const uint8_t* GetBlockBytes() const { return m_block; }

    // The program block data of the item's block (what WriteTo reads); false when no memory
    // was left.
    bool MakeBlock(CBlockData& block) const;
    // Writes the block into program (block only: its saved copy and attributes stay). The
    // bytes may come from another process: texts are terminated, the name follows the image
    // and the priority is limited, as for a pasted block. False (program unchanged) when no
    // memory was left for the copy.
    bool WriteTo(CProgram& program) const;

private:
    uint32_t m_source = 0;
    uint8_t m_block[kProgramBlockSize] = {};
};
