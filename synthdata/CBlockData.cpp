#include "synthdata/CBlockData.h"

#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CZmChunkHeader.h"

#include "foundation/EfUtility.h"

#include <cstring>
#include <vector>

namespace
{
const uint32_t kTimbreAt = 16;
const uint32_t kTimbreSize = 96;
const uint32_t kVocoderAt = 208;
const uint32_t kVocoderSize = 78;
const uint32_t kMfxAt = 286;
const uint32_t kMfxSize = 24;
const uint32_t kArpAt = 334;
const uint32_t kArpSize = 12;
const uint32_t kArpAssignByte = 8;
const uint32_t kArpAssignShift = 4;
const uint8_t kArpAssignMax = 2;
const int32_t kPriorityMax = 5;

const size_t kPayloadSizes[kBlockKindCount] = {
    0,
    CProgramSet::kProgramCount* kProgramBlockSize,
    kProgramBlockSize,
    kTimbreSize,
    kMfxSize,
    2 * kMfxSize,
    kVocoderSize,
    kArpSize + 1,
    kQ3580GlobalImageSize,
};

const char* const kKindNames[kBlockKindCount] = {
    "Q3580Null",   "Q3580ProgSet", "Q3580Program", "Q3580Timbre", "Q3580Mfx",
    "Q3580MfxSet", "Q3580Vocoder", "Q3580Arp",     "Q3580Global",
};

// A program block as a block carries it, made safe to use: texts terminated, the name
// recomputed from the image, the priority limited, the unused bytes zero.
CProgramBlock SanitisedBlock(const uint8_t* bytes)
{
    CProgramBlock block;
    std::memcpy(&block, bytes, sizeof block);
    block.programmer[CZmProgramData::kAuthorLength] = '\0';
    block.comment[CZmProgramData::kCommentLength] = '\0';
    if (block.priority < 0 || block.priority > kPriorityMax)
        block.priority = block.priority < 0 ? 0 : kPriorityMax;
    std::memset(block.pad, 0, sizeof block.pad);
    std::memset(block.reserved, 0, sizeof block.reserved);
    // NUL-filled after the name, as SetProgramName leaves it.
    char name[sizeof block.name];
    CopyTrimmedText(name, reinterpret_cast<const char*>(block.image), kQ3580ProgramNameLength);
    std::memset(block.name, 0, sizeof block.name);
    std::memcpy(block.name, name, std::strlen(name));
    return block;
}

void PutBlock(CProgram& program, const CProgramBlock& block)
{
    program.GetBlock() = block;
    program.ResetOscCtrlMemory();
}
} // namespace

bool CBlockData::WriteBlockHeader(const char* text, uint32_t kind, uint32_t word1, uint32_t index,
                                  uint32_t word3)
{
    uint8_t header[kHeaderSize];
    std::memset(header, ' ', kTextSize);
    for (uint32_t i = 0; i < kTextSize && text != nullptr && text[i] != '\0'; ++i)
        header[i] = static_cast<uint8_t>(text[i]);
    PutLe32(header + 16, kind);
    PutLe32(header + 20, word1);
    PutLe32(header + 24, index);
    PutLe32(header + 28, word3);
    return SetSize(0, false) && Append(header, sizeof header);
}

uint32_t CBlockData::GetBlockKind() const
{
    return GetSize() < kHeaderSize ? 0 : GetLe32(GetData() + 16);
}

uint32_t CBlockData::GetBlockIndex() const
{
    return GetSize() < kHeaderSize ? 0 : GetLe32(GetData() + 24);
}

const uint8_t* CBlockData::GetPayload() const
{
    return GetSize() < kHeaderSize ? GetData() : GetData() + kHeaderSize;
}

size_t CBlockData::GetPayloadSize() const
{
    return GetSize() < kHeaderSize ? GetSize() : GetSize() - kHeaderSize;
}

size_t CBlockData::GetKindPayloadSize(uint32_t kind)
{
    return kind < kBlockKindCount ? kPayloadSizes[kind] : 0;
}

const char* CBlockData::GetKindName(uint32_t kind)
{
    return kind < kBlockKindCount ? kKindNames[kind] : nullptr;
}

bool CBlockData::WriteBlock(uint32_t kind, uint32_t index, const void* payload, size_t n)
{
    return WriteBlockHeader(kKindNames[kind], kind, 0, index, 0) && Append(payload, n);
}

bool CBlockData::Holds(uint32_t kind) const
{
    return kind != kBlockNull && kind < kBlockKindCount && GetSize() >= kHeaderSize &&
           GetBlockKind() == kind && GetPayloadSize() == kPayloadSizes[kind];
}

bool CBlockData::WriteProgramSet(const CProgramSet& programs)
{
    std::vector<uint8_t> payload(kPayloadSizes[kBlockProgramSet]);
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        std::memcpy(payload.data() + n * kProgramBlockSize, &programs.GetProgram(n).GetBlock(),
                    kProgramBlockSize);
    return WriteBlock(kBlockProgramSet, 0, payload.data(), payload.size());
}

bool CBlockData::WriteProgram(const CProgram& program)
{
    return WriteBlock(kBlockProgram, 0, &program.GetBlock(), kProgramBlockSize);
}

bool CBlockData::WriteTimbre(const CProgram& program, uint32_t timbre)
{
    if (timbre > 1)
        return false;
    return WriteBlock(kBlockTimbre, timbre, program.GetImage() + kTimbreAt + kTimbreSize * timbre,
                      kTimbreSize);
}

bool CBlockData::WriteMfx(const CProgram& program, uint32_t effect)
{
    if (effect > 1)
        return false;
    return WriteBlock(kBlockMfx, effect, program.GetImage() + kMfxAt + kMfxSize * effect, kMfxSize);
}

bool CBlockData::WriteMfxSet(const CProgram& program)
{
    return WriteBlock(kBlockMfxSet, 0, program.GetImage() + kMfxAt, 2 * kMfxSize);
}

bool CBlockData::WriteVocoder(const CProgram& program)
{
    return WriteBlock(kBlockVocoder, 0, program.GetImage() + kVocoderAt, kVocoderSize);
}

bool CBlockData::WriteArp(const CProgram& program)
{
    uint8_t payload[kArpSize + 1];
    std::memcpy(payload, program.GetImage() + kArpAt, kArpSize);
    const uint8_t assign = (program.GetImage()[kArpAssignByte] >> kArpAssignShift) & 3;
    payload[kArpSize] = assign > kArpAssignMax ? kArpAssignMax : assign;
    return WriteBlock(kBlockArp, 0, payload, sizeof payload);
}

bool CBlockData::WriteGlobal(const CGlobal& global)
{
    return WriteBlock(kBlockGlobal, 0, global.GetImage(), kQ3580GlobalImageSize);
}

bool CBlockData::ReadProgramSet(CProgramSet& programs) const
{
    if (!Holds(kBlockProgramSet))
        return false;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        PutBlock(programs.GetProgram(n), SanitisedBlock(GetPayload() + n * kProgramBlockSize));
    return true;
}

bool CBlockData::ReadProgram(CProgram& program) const
{
    if (!Holds(kBlockProgram))
        return false;
    PutBlock(program, SanitisedBlock(GetPayload()));
    return true;
}

bool CBlockData::ReadTimbre(CProgram& program, uint32_t timbre) const
{
    if (timbre > 1 || !Holds(kBlockTimbre))
        return false;
    std::memcpy(program.GetImage() + kTimbreAt + kTimbreSize * timbre, GetPayload(), kTimbreSize);
    program.ResetOscCtrlMemory();
    return true;
}

bool CBlockData::ReadMfx(CProgram& program, uint32_t effect) const
{
    if (effect > 1 || !Holds(kBlockMfx))
        return false;
    std::memcpy(program.GetImage() + kMfxAt + kMfxSize * effect, GetPayload(), kMfxSize);
    return true;
}

bool CBlockData::ReadMfxSet(CProgram& program) const
{
    if (!Holds(kBlockMfxSet))
        return false;
    std::memcpy(program.GetImage() + kMfxAt, GetPayload(), 2 * kMfxSize);
    return true;
}

bool CBlockData::ReadVocoder(CProgram& program) const
{
    if (!Holds(kBlockVocoder))
        return false;
    std::memcpy(program.GetImage() + kVocoderAt, GetPayload(), kVocoderSize);
    return true;
}

bool CBlockData::ReadArp(CProgram& program) const
{
    if (!Holds(kBlockArp))
        return false;
    uint8_t* image = program.GetImage();
    std::memcpy(image + kArpAt, GetPayload(), kArpSize);
    const uint8_t stored = GetPayload()[kArpSize];
    const uint8_t assign = stored > kArpAssignMax ? kArpAssignMax : stored;
    image[kArpAssignByte] = static_cast<uint8_t>((image[kArpAssignByte] & ~(3u << kArpAssignShift)) |
                                                 (assign << kArpAssignShift));
    return true;
}

bool CBlockData::ReadGlobal(CGlobal& global) const
{
    if (!Holds(kBlockGlobal))
        return false;
    std::memcpy(global.GetImage(), GetPayload(), kQ3580GlobalImageSize);
    global.ComputeDigest();
    return true;
}
