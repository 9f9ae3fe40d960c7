// Hostile bytes as a clipboard block, read as every kind: a read that is refused changes
// nothing; one that succeeds gives a target that writes a block reading back to the same state.
#include "synthdata/CBlockData.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace
{
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

struct Target
{
    Target() { global.Init(); }
    CProgramSet set;
    CGlobal global;

    bool SameAs(const Target& other) const
    {
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
            if (std::memcmp(&set.GetProgram(n).GetBlock(), &other.set.GetProgram(n).GetBlock(),
                            sizeof(CProgramBlock)) != 0)
                return false;
        return std::memcmp(global.GetImage(), other.global.GetImage(), 100) == 0;
    }
};

struct Kind
{
    std::function<bool(const CBlockData&, Target&)> read;
    std::function<bool(CBlockData&, const Target&)> write;
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {[](const CBlockData& b, Target& t) { return b.ReadProgramSet(t.set); },
         [](CBlockData& b, const Target& t) { return b.WriteProgramSet(t.set); }},
        {[](const CBlockData& b, Target& t) { return b.ReadProgram(t.set.GetProgram(0)); },
         [](CBlockData& b, const Target& t) { return b.WriteProgram(t.set.GetProgram(0)); }},
        {[](const CBlockData& b, Target& t) { return b.ReadTimbre(t.set.GetProgram(0), 1); },
         [](CBlockData& b, const Target& t) { return b.WriteTimbre(t.set.GetProgram(0), 1); }},
        {[](const CBlockData& b, Target& t) { return b.ReadMfx(t.set.GetProgram(0), 0); },
         [](CBlockData& b, const Target& t) { return b.WriteMfx(t.set.GetProgram(0), 0); }},
        {[](const CBlockData& b, Target& t) { return b.ReadMfxSet(t.set.GetProgram(0)); },
         [](CBlockData& b, const Target& t) { return b.WriteMfxSet(t.set.GetProgram(0)); }},
        {[](const CBlockData& b, Target& t) { return b.ReadVocoder(t.set.GetProgram(0)); },
         [](CBlockData& b, const Target& t) { return b.WriteVocoder(t.set.GetProgram(0)); }},
        {[](const CBlockData& b, Target& t) { return b.ReadArp(t.set.GetProgram(0)); },
         [](CBlockData& b, const Target& t) { return b.WriteArp(t.set.GetProgram(0)); }},
        {[](const CBlockData& b, Target& t) { return b.ReadGlobal(t.global); },
         [](CBlockData& b, const Target& t) { return b.WriteGlobal(t.global); }},
    };
    return kinds;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Target fresh;
    CBlockData block;
    block.Append(data, size);
    Check(block.GetPayloadSize() <= block.GetSize());
    // Only the kind the header names can succeed.
    const uint32_t kind = block.GetBlockKind();
    if (kind < 1 || kind > 8)
        return 0;
    Target target;
    const Kind& k = Kinds()[kind - 1];
    if (!k.read(block, target))
    {
        Check(target.SameAs(fresh));
        return 0;
    }
    CBlockData again;
    Check(k.write(again, target));
    Target second;
    Check(k.read(again, second));
    Check(second.SameAs(target));
    return 0;
}
