#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CBlockData;
class CLibraryData;
class CProgram;

// Moves blocks between a library and the clipboard or a drag: builds the block of a kind from
// the library and writes a block back into it. Every check of a paste lives here, so that
// whatever a clipboard or a drop delivers is refused without touching the library unless it
// is exactly a block of the kind asked for.
class CBlockTransfer
{
public:
    enum : uint32_t
    {
        kProgramLimit = 128,
        // A program list item: the source program number (u32, little-endian, 0-127), then the
        // 636-byte program block.
        kProgramItemSize = 640,
    };

    // What a payload in the program format holds, told apart by its size.
    enum ProgramPayload
    {
        kProgramPayloadNone,
        kProgramPayloadItem,  // a 640-byte list item
        kProgramPayloadBlock, // a 668-byte block
    };

    // False for a kind of 9 or more; a block shorter than its header is kind 0.
    static bool IsKind(const CBlockData& block, uint32_t kind);

    // The block of the kind made from the library: the program set (kind 1), program
    // `program` (kinds 2-7; index is the timbre or effect, 0 or 1, for kinds 3 and 4) or the
    // global data (kind 8). False, with the block empty, when the source does not exist.
    static bool Copy(uint32_t kind, const CLibraryData& library, uint32_t program, uint32_t index,
                     CBlockData& block);

    // Writes the block into the same target. Nothing changes, and the answer is false, unless
    // the kind is 1-8, the block has its header and that kind, the target exists (program
    // below 128, index 0 or 1 where it counts) and the payload is exactly the kind's size.
    static bool Paste(const CBlockData& block, CLibraryData& library, uint32_t kind, uint32_t program,
                      uint32_t index);

    static ProgramPayload ClassifyProgramPayload(size_t size);
    // The size of what the bytes of a kind's format hold, read from the content itself: in the
    // program format a list item (its source number, below 128, first) is 640 bytes; a block is
    // its header and the payload of the kind, whose kind its header must name. 0 when the
    // bytes hold no such content or are too short for it. Longer bytes hold the content at
    // their start: the system may round a clipboard or drag block up.
    static size_t GetContentSize(uint32_t kind, const void* data, size_t size);
    // The longest content of the kind.
    static size_t GetLargestContentSize(uint32_t kind);

    // The list item of program `source` of the library; empty when there is no such program.
    static std::vector<uint8_t> MakeProgramItem(const CLibraryData& library, uint32_t source);
    // The source number of an item; false for a payload that is not a 640-byte item with a
    // source number of 0-127.
    static bool GetProgramItemSource(const void* data, size_t size, uint32_t& source);
    // Writes the item's block into program `program`, under the same rules as Paste.
    static bool PasteProgramItem(const void* data, size_t size, CLibraryData& library, uint32_t program);
};
