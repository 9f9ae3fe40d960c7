#include "synthdata/CBlockTransfer.h"

#include "synthdata/CBlockData.h"
#include "synthdata/CLibraryData.h"

#include "synthdata/CZmChunkHeader.h"

#include <cstring>

namespace
{
const uint32_t kItemSourceSize = 4;

bool HasIndex(uint32_t kind)
{
    return kind == kBlockTimbre || kind == kBlockMfx;
}

// The program a kind 2-7 block goes to or comes from, or null.
CProgram* FindProgram(CLibraryData& library, uint32_t program)
{
    CProgramSet* set = library.GetProgramSet();
    return set != nullptr && program < CBlockTransfer::kProgramLimit ? &set->GetProgram(program) : nullptr;
}

const CProgram* FindProgram(const CLibraryData& library, uint32_t program)
{
    const CProgramSet* set = library.GetProgramSet();
    return set != nullptr && program < CBlockTransfer::kProgramLimit ? &set->GetProgram(program) : nullptr;
}
} // namespace

bool CBlockTransfer::IsKind(const CBlockData& block, uint32_t kind)
{
    return kind < kBlockKindCount && block.GetBlockKind() == kind;
}

bool CBlockTransfer::Copy(uint32_t kind, const CLibraryData& library, uint32_t program, uint32_t index,
                          CBlockData& block)
{
    block.SetSize(0, false);
    if (kind == kBlockNull || kind >= kBlockKindCount || (HasIndex(kind) && index > 1) ||
        program >= kProgramLimit)
        return false;
    bool written = false;
    if (kind == kBlockGlobal)
    {
        const CGlobal* global = library.GetGlobal();
        written = global != nullptr && block.WriteGlobal(*global);
    }
    else if (kind == kBlockProgramSet)
    {
        const CProgramSet* set = library.GetProgramSet();
        written = set != nullptr && block.WriteProgramSet(*set);
    }
    else if (const CProgram* source = FindProgram(library, program))
    {
        switch (kind)
        {
        case kBlockProgram:
            written = block.WriteProgram(*source);
            break;
        case kBlockTimbre:
            written = block.WriteTimbre(*source, index);
            break;
        case kBlockMfx:
            written = block.WriteMfx(*source, index);
            break;
        case kBlockMfxSet:
            written = block.WriteMfxSet(*source);
            break;
        case kBlockVocoder:
            written = block.WriteVocoder(*source);
            break;
        case kBlockArp:
            written = block.WriteArp(*source);
            break;
        default:
            break;
        }
    }
    if (!written)
        block.SetSize(0, false);
    return written;
}

bool CBlockTransfer::Paste(const CBlockData& block, CLibraryData& library, uint32_t kind, uint32_t program,
                           uint32_t index)
{
    // Without a header a block has no kind: a short block is never taken for a payload.
    if (kind == kBlockNull || kind >= kBlockKindCount || block.GetSize() < CBlockData::kHeaderSize ||
        block.GetBlockKind() != kind || block.GetPayloadSize() != CBlockData::GetKindPayloadSize(kind) ||
        program >= kProgramLimit || (HasIndex(kind) && index > 1))
        return false;
    if (kind == kBlockGlobal)
    {
        CGlobal* global = library.GetGlobal();
        return global != nullptr && block.ReadGlobal(*global);
    }
    if (kind == kBlockProgramSet)
    {
        CProgramSet* set = library.GetProgramSet();
        return set != nullptr && block.ReadProgramSet(*set);
    }
    CProgram* target = FindProgram(library, program);
    if (target == nullptr)
        return false;
    switch (kind)
    {
    case kBlockProgram:
        return block.ReadProgram(*target);
    case kBlockTimbre:
        return block.ReadTimbre(*target, index);
    case kBlockMfx:
        return block.ReadMfx(*target, index);
    case kBlockMfxSet:
        return block.ReadMfxSet(*target);
    case kBlockVocoder:
        return block.ReadVocoder(*target);
    case kBlockArp:
        return block.ReadArp(*target);
    default:
        return false;
    }
}

CBlockTransfer::ProgramPayload CBlockTransfer::ClassifyProgramPayload(size_t size)
{
    if (size == kProgramItemSize)
        return kProgramPayloadItem;
    if (size == CBlockData::kHeaderSize + CBlockData::GetKindPayloadSize(kBlockProgram))
        return kProgramPayloadBlock;
    return kProgramPayloadNone;
}

size_t CBlockTransfer::GetContentSize(uint32_t kind, const void* data, size_t size)
{
    if (data == nullptr || kind == kBlockNull || kind >= kBlockKindCount)
        return 0;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    // A block begins with its text, never with a number below 128.
    if (kind == kBlockProgram && size >= kItemSourceSize && GetLe32(bytes) < kProgramLimit)
        return size >= kProgramItemSize ? size_t{kProgramItemSize} : size_t{0};
    const size_t content = CBlockData::kHeaderSize + CBlockData::GetKindPayloadSize(kind);
    if (size < content || GetLe32(bytes + CBlockData::kTextSize) != kind)
        return 0;
    return content;
}

size_t CBlockTransfer::GetLargestContentSize(uint32_t kind)
{
    if (kind == kBlockNull || kind >= kBlockKindCount)
        return 0;
    // A program block (668 bytes) is longer than a list item.
    return CBlockData::kHeaderSize + CBlockData::GetKindPayloadSize(kind);
}

std::vector<uint8_t> CBlockTransfer::MakeProgramItem(const CLibraryData& library, uint32_t source)
{
    const CProgram* program = FindProgram(library, source);
    if (program == nullptr)
        return {};
    std::vector<uint8_t> item(kProgramItemSize);
    PutLe32(item.data(), source);
    std::memcpy(item.data() + kItemSourceSize, &program->GetBlock(), kProgramBlockSize);
    return item;
}

bool CBlockTransfer::GetProgramItemSource(const void* data, size_t size, uint32_t& source)
{
    if (data == nullptr || size != kProgramItemSize)
        return false;
    const uint32_t number = GetLe32(static_cast<const uint8_t*>(data));
    if (number >= kProgramLimit)
        return false;
    source = number;
    return true;
}

bool CBlockTransfer::PasteProgramItem(const void* data, size_t size, CLibraryData& library, uint32_t program)
{
    uint32_t source = 0;
    if (!GetProgramItemSource(data, size, source))
        return false;
    // Through a block, so that the item's program block is made safe the same way.
    CBlockData block;
    if (!block.WriteBlockHeader(CBlockData::GetKindName(kBlockProgram), kBlockProgram, 0, 0, 0) ||
        !block.Append(static_cast<const uint8_t*>(data) + kItemSourceSize, kProgramBlockSize))
        return false;
    return Paste(block, library, kBlockProgram, program, 0);
}
