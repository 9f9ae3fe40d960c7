// Hostile bytes as a clipboard block, read as the kind its header names: a read that is refused
// changes nothing; one that succeeds gives a target that writes a block reading back to the
// same state. Each kind gets the smallest target it reads into, so only program-set blocks pay
// for a set of 128 programs.
#include "synthdata/CBlockData.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"

#include <cstdlib>
#include <cstring>

namespace
{
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

bool Same(const CProgram& a, const CProgram& b)
{
    return std::memcmp(&a.GetBlock(), &b.GetBlock(), sizeof(CProgramBlock)) == 0;
}

bool Same(const CProgramSet& a, const CProgramSet& b)
{
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        if (!Same(a.GetProgram(n), b.GetProgram(n)))
            return false;
    return true;
}

bool Same(const CGlobal& a, const CGlobal& b)
{
    return std::memcmp(a.GetImage(), b.GetImage(), a.GetImageSize()) == 0;
}

template <class T> struct Initialised : T
{
    Initialised() { this->Init(); }
};

template <class T, class Read, class Write> void RoundTrip(const CBlockData& block, Read read, Write write)
{
    static const Initialised<T> fresh;
    Initialised<T> target;
    if (!read(block, target))
    {
        Check(Same(target, fresh));
        return;
    }
    CBlockData again;
    Check(write(again, target));
    Initialised<T> second;
    Check(read(again, second));
    Check(Same(second, target));
}

template <class Read, class Write> void ProgramRoundTrip(const CBlockData& block, Read read, Write write)
{
    RoundTrip<CProgram>(block, read, write);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CBlockData block;
    block.Append(data, size);
    Check(block.GetPayloadSize() <= block.GetSize());
    switch (block.GetBlockKind())
    {
    case 1:
        RoundTrip<CProgramSet>(
            block, [](const CBlockData& b, CProgramSet& t) { return b.ReadProgramSet(t); },
            [](CBlockData& b, const CProgramSet& t) { return b.WriteProgramSet(t); });
        break;
    case 2:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadProgram(p); },
            [](CBlockData& b, const CProgram& p) { return b.WriteProgram(p); });
        break;
    case 3:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadTimbre(p, 1); },
            [](CBlockData& b, const CProgram& p) { return b.WriteTimbre(p, 1); });
        break;
    case 4:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadMfx(p, 0); },
            [](CBlockData& b, const CProgram& p) { return b.WriteMfx(p, 0); });
        break;
    case 5:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadMfxSet(p); },
            [](CBlockData& b, const CProgram& p) { return b.WriteMfxSet(p); });
        break;
    case 6:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadVocoder(p); },
            [](CBlockData& b, const CProgram& p) { return b.WriteVocoder(p); });
        break;
    case 7:
        ProgramRoundTrip(
            block, [](const CBlockData& b, CProgram& p) { return b.ReadArp(p); },
            [](CBlockData& b, const CProgram& p) { return b.WriteArp(p); });
        break;
    case 8:
        RoundTrip<CGlobal>(
            block, [](const CBlockData& b, CGlobal& g) { return b.ReadGlobal(g); },
            [](CBlockData& b, const CGlobal& g) { return b.WriteGlobal(g); });
        break;
    default:
        // Only the kinds above can be read.
        break;
    }
    return 0;
}
