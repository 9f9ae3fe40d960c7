#pragma once

#include "foundation/CHfcMemoryBlock.h"

#include <cstddef>
#include <cstdint>

class CGlobal;
class CProgram;
class CProgramSet;

// What a clipboard or drag block holds.
enum CBlockKind : uint32_t
{
    kBlockNull = 0,
    kBlockProgramSet = 1,
    kBlockProgram = 2,
    kBlockTimbre = 3,
    kBlockMfx = 4,
    kBlockMfxSet = 5,
    kBlockVocoder = 6,
    kBlockArp = 7,
    kBlockGlobal = 8,
    kBlockKindCount = 9,
};

// A clipboard or drag block: a 32-byte little-endian header (a 16-byte text padded with
// blanks, kind, a parameter word, the index, a fourth word), then the kind's payload.
// The Write operations build the block of a kind from its source; the Read operations copy a
// block into its target only when the block's kind and payload size are exactly the kind's,
// and otherwise change nothing and answer false.
class CBlockData : public CHfcMemoryBlock
{
public:
    enum : uint32_t
    {
        kHeaderSize = 32,
        kTextSize = 16,
    };

    // Empties the block and writes the header; the text is copied up to its end (16
    // characters at most, without terminator) and padded with blanks.
    bool WriteBlockHeader(const char* text, uint32_t kind, uint32_t word1, uint32_t index, uint32_t word3);
    // The header's kind and index words; 0 for a block shorter than the header.
    uint32_t GetBlockKind() const;
    uint32_t GetBlockIndex() const;
    // The bytes after the header; a block shorter than the header answers itself.
    const uint8_t* GetPayload() const;
    size_t GetPayloadSize() const;

    // The payload size of a kind (0 for kind 0 and unknown kinds) and its format name.
    static size_t GetKindPayloadSize(uint32_t kind);
    static const char* GetKindName(uint32_t kind);

    // The program blocks of all 128 programs.
    bool WriteProgramSet(const CProgramSet& programs);
    // One program block.
    bool WriteProgram(const CProgram& program);
    // Timbre t (0 or 1) of the image; the index word holds t.
    bool WriteTimbre(const CProgram& program, uint32_t timbre);
    // Master effect i (0 or 1); the index word holds i.
    bool WriteMfx(const CProgram& program, uint32_t effect);
    bool WriteMfxSet(const CProgram& program);
    bool WriteVocoder(const CProgram& program);
    // Arpeggiator common and arpeggiator, then Arpeggiator Timbre Assign as one byte.
    bool WriteArp(const CProgram& program);
    bool WriteGlobal(const CGlobal& global);

    // Program blocks are taken with their texts terminated, the priority limited to 0-5 and
    // the name recomputed from the image; the saved copies stay.
    bool ReadProgramSet(CProgramSet& programs) const;
    bool ReadProgram(CProgram& program) const;
    bool ReadTimbre(CProgram& program, uint32_t timbre) const;
    bool ReadMfx(CProgram& program, uint32_t effect) const;
    bool ReadMfxSet(CProgram& program) const;
    bool ReadVocoder(CProgram& program) const;
    // The timbre-assign byte is limited to 0-2 before it goes into the image.
    bool ReadArp(CProgram& program) const;
    bool ReadGlobal(CGlobal& global) const;

private:
    // A header of the kind's name followed by n payload bytes.
    bool WriteBlock(uint32_t kind, uint32_t index, const void* payload, size_t n);
    // True when the block is of the kind and carries exactly its payload.
    bool Holds(uint32_t kind) const;
};
