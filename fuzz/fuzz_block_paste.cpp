// Hostile clipboard or drop payloads pasted into a library: the first three bytes choose the
// kind, the program number and the index asked for, the rest is the block (or, with the kind's
// top bit set, a program list item). A refused paste changes no byte of the library; an
// accepted one changes nothing outside its target, and the target copied again pastes back to
// the same state.
#include "synthdata/CBlockData.h"
#include "synthdata/CBlockTransfer.h"
#include "synthdata/CLibraryData.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

using Bytes = std::vector<uint8_t>;

Bytes ProgramBytes(const CLibraryData& library, uint32_t n)
{
    const auto* b = reinterpret_cast<const uint8_t*>(&library.GetProgramSet()->GetProgram(n).GetBlock());
    return Bytes(b, b + sizeof(CProgramBlock));
}

Bytes GlobalBytes(const CLibraryData& library)
{
    const uint8_t* g = library.GetGlobal()->GetImage();
    return Bytes(g, g + kQ3580GlobalImageSize);
}

struct Fresh
{
    Fresh()
    {
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        library.AddEntry(CLibraryEntry::kKindGlobal);
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
            programs.push_back(ProgramBytes(library, n));
        global = GlobalBytes(library);
    }
    CLibraryData library;
    std::vector<Bytes> programs;
    Bytes global;
};

// True when every program but `except` (and the global data unless `global`) is as new.
bool UnchangedOutside(const CLibraryData& library, const Fresh& fresh, uint32_t except, bool global)
{
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        if (n != except && ProgramBytes(library, n) != fresh.programs[n])
            return false;
    return global || GlobalBytes(library) == fresh.global;
}

void MakeLibrary(CLibraryData& library)
{
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Fresh fresh;
    if (size < 3)
        return 0;
    const bool item = (data[0] & 0x80) != 0;
    const uint32_t kind = data[0] & 0x7F; // 0-127: mostly out of range, 0-8 often enough
    const uint32_t program = data[1];     // 0-255: half of them out of range
    const uint32_t index = data[2] & 3;
    data += 3;
    size -= 3;

    CLibraryData library;
    MakeLibrary(library);
    if (item)
    {
        const bool pasted = CBlockTransfer::PasteProgramItem(data, size, library, program);
        Check(pasted ==
              (size == CBlockTransfer::kProgramItemSize && program < 128 &&
               (data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24) < 128));
        Check(UnchangedOutside(library, fresh, pasted ? program : 0xFFFFFFFFu, false));
        return 0;
    }

    CBlockData block;
    block.Append(data, size);
    if (!CBlockTransfer::Paste(block, library, kind, program, index))
    {
        Check(UnchangedOutside(library, fresh, 0xFFFFFFFFu, false));
        return 0;
    }
    Check(kind >= 1 && kind <= 8 && program < 128 && block.GetSize() >= CBlockData::kHeaderSize);
    Check(block.GetPayloadSize() == CBlockData::GetKindPayloadSize(kind));
    if (kind >= 2 && kind <= 7)
        Check(UnchangedOutside(library, fresh, program, false));
    if (kind == 8)
        Check(UnchangedOutside(library, fresh, 0xFFFFFFFFu, true));

    // What was pasted copies out as a block that pastes back to the same state.
    CBlockData again;
    Check(CBlockTransfer::Copy(kind, library, program, index, again));
    Check(CBlockTransfer::IsKind(again, kind));
    CLibraryData second;
    MakeLibrary(second);
    Check(CBlockTransfer::Paste(again, second, kind, program, index));
    CBlockData third;
    Check(CBlockTransfer::Copy(kind, second, program, index, third));
    Check(third.GetSize() == again.GetSize() &&
          std::memcmp(third.GetData(), again.GetData(), again.GetSize()) == 0);
    return 0;
}
