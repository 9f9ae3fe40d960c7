#include "synthdata/CBlockData.h"

#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"

#include "support/DataFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace
{
struct Snapshot
{
    std::vector<CProgramBlock> blocks;
    Bytes global;
};

Snapshot Take(const CProgramSet& set, const CGlobal& global)
{
    Snapshot s;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        s.blocks.push_back(set.GetProgram(n).GetBlock());
    s.global.assign(global.GetImage(), global.GetImage() + kQ3580GlobalImageSize);
    return s;
}

bool SameBlocks(const Snapshot& a, const Snapshot& b)
{
    return a.global == b.global &&
           std::memcmp(a.blocks.data(), b.blocks.data(), a.blocks.size() * sizeof(CProgramBlock)) == 0;
}

Bytes BlockBytes(const CBlockData& block)
{
    return Bytes(block.GetData(), block.GetData() + block.GetSize());
}

// Program 5 is the one the single-program kinds copy from and paste into.
const uint32_t kProgram = 5;

struct Source
{
    Source()
    {
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        {
            MakeDistinctProgram(set.GetProgram(n), n + 1);
            uint8_t* image = set.GetProgram(n).GetImage();
            for (uint32_t at = 16; at < kQ3580ProgramImageSize; ++at)
                image[at] = static_cast<uint8_t>(at * 7 + n);
            image[8] = 0x20; // Arpeggiator Timbre Assign 2
        }
        global.Init();
        for (uint32_t at = 0; at < kQ3580GlobalImageSize; ++at)
            global.GetImage()[at] = static_cast<uint8_t>(255 - at);
    }
    CProgramSet set;
    CGlobal global;
};

struct KindCase
{
    const char* name;
    uint32_t kind;
    uint32_t index;
    std::function<bool(CBlockData&, const Source&)> write;
    std::function<bool(const CBlockData&, Source&)> read;
    // Image bytes [begin, end) of program 5 that the payload holds; begin = end for the kinds
    // that carry whole program blocks or global data.
    uint32_t begin;
    uint32_t end;
};

const CProgram& Prog(const Source& s)
{
    return s.set.GetProgram(kProgram);
}
CProgram& Prog(Source& s)
{
    return s.set.GetProgram(kProgram);
}

const std::vector<KindCase>& KindCases()
{
    static const std::vector<KindCase> cases = {
        {"ProgSet", 1, 0, [](CBlockData& b, const Source& s) { return b.WriteProgramSet(s.set); },
         [](const CBlockData& b, Source& s) { return b.ReadProgramSet(s.set); }, 0, 0},
        {"Program", 2, 0, [](CBlockData& b, const Source& s) { return b.WriteProgram(Prog(s)); },
         [](const CBlockData& b, Source& s) { return b.ReadProgram(Prog(s)); }, 0, 0},
        {"Timbre1", 3, 0, [](CBlockData& b, const Source& s) { return b.WriteTimbre(Prog(s), 0); },
         [](const CBlockData& b, Source& s) { return b.ReadTimbre(Prog(s), 0); }, 16, 112},
        {"Timbre2", 3, 1, [](CBlockData& b, const Source& s) { return b.WriteTimbre(Prog(s), 1); },
         [](const CBlockData& b, Source& s) { return b.ReadTimbre(Prog(s), 1); }, 112, 208},
        {"Mfx1", 4, 0, [](CBlockData& b, const Source& s) { return b.WriteMfx(Prog(s), 0); },
         [](const CBlockData& b, Source& s) { return b.ReadMfx(Prog(s), 0); }, 286, 310},
        {"Mfx2", 4, 1, [](CBlockData& b, const Source& s) { return b.WriteMfx(Prog(s), 1); },
         [](const CBlockData& b, Source& s) { return b.ReadMfx(Prog(s), 1); }, 310, 334},
        {"MfxSet", 5, 0, [](CBlockData& b, const Source& s) { return b.WriteMfxSet(Prog(s)); },
         [](const CBlockData& b, Source& s) { return b.ReadMfxSet(Prog(s)); }, 286, 334},
        {"Vocoder", 6, 0, [](CBlockData& b, const Source& s) { return b.WriteVocoder(Prog(s)); },
         [](const CBlockData& b, Source& s) { return b.ReadVocoder(Prog(s)); }, 208, 286},
        {"Arp", 7, 0, [](CBlockData& b, const Source& s) { return b.WriteArp(Prog(s)); },
         [](const CBlockData& b, Source& s) { return b.ReadArp(Prog(s)); }, 334, kQ3580ProgramImageSize},
        {"Global", 8, 0, [](CBlockData& b, const Source& s) { return b.WriteGlobal(s.global); },
         [](const CBlockData& b, Source& s) { return b.ReadGlobal(s.global); }, 0, 0},
    };
    return cases;
}

TEST(BlockDataTest, HeaderTextIsBlankPaddedAndWordsLittleEndian)
{
    CBlockData block;
    ASSERT_TRUE(block.WriteBlockHeader("AB", 3, 0x01020304, 1, 0xA0B0C0D0));
    const Bytes expected = {'A', 'B', ' ', ' ', ' ', ' ', ' ',  ' ',  ' ',  ' ', ' ',
                            ' ', ' ', ' ', ' ', ' ', 3,   0,    0,    0,    4,   3,
                            2,   1,   1,   0,   0,   0,   0xD0, 0xC0, 0xB0, 0xA0};
    EXPECT_EQ(BlockBytes(block), expected);
    EXPECT_EQ(block.GetBlockKind(), 3u);
    EXPECT_EQ(block.GetBlockIndex(), 1u);
    EXPECT_EQ(block.GetPayloadSize(), 0u);
    EXPECT_EQ(block.GetPayload(), block.GetData() + 32);

    ASSERT_TRUE(block.WriteBlockHeader("0123456789ABCDEFGH", 2, 0, 0, 0));
    EXPECT_EQ(block.GetSize(), 32u);
    EXPECT_EQ(std::string(block.GetData(), block.GetData() + 16), "0123456789ABCDEF");
    EXPECT_EQ(block.GetData()[16], 2);
}

TEST(BlockDataTest, BlocksShorterThanTheHeaderAreTheirOwnPayload)
{
    CBlockData empty;
    EXPECT_EQ(empty.GetBlockKind(), 0u);
    EXPECT_EQ(empty.GetBlockIndex(), 0u);
    EXPECT_EQ(empty.GetPayloadSize(), 0u);
    CBlockData shortBlock;
    const uint8_t bytes[31] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
    shortBlock.Append(bytes, sizeof bytes);
    EXPECT_EQ(shortBlock.GetBlockKind(), 0u);
    EXPECT_EQ(shortBlock.GetPayload(), shortBlock.GetData());
    EXPECT_EQ(shortBlock.GetPayloadSize(), 31u);
}

TEST(BlockDataTest, EveryKindIsWrittenAndReadBack)
{
    const size_t payloadSizes[9] = {0,
                                    CProgramSet::kProgramCount * kProgramBlockSize,
                                    kProgramBlockSize,
                                    96,
                                    24,
                                    48,
                                    78,
                                    13,
                                    kQ3580GlobalImageSize};
    for (const KindCase& c : KindCases())
    {
        Source source;
        CBlockData block;
        ASSERT_TRUE(c.write(block, source)) << c.name;
        ASSERT_EQ(block.GetSize(), 32 + payloadSizes[c.kind]) << c.name;
        EXPECT_EQ(block.GetBlockKind(), c.kind) << c.name;
        EXPECT_EQ(block.GetBlockIndex(), c.index) << c.name;
        std::string text(CBlockData::GetKindName(c.kind));
        text.resize(16, ' ');
        EXPECT_EQ(std::string(block.GetData(), block.GetData() + 16), text) << c.name;
        if (c.begin != c.end)
        {
            const uint8_t* image = Prog(source).GetImage();
            EXPECT_EQ(Bytes(block.GetPayload(), block.GetPayload() + (c.end - c.begin)),
                      Bytes(image + c.begin, image + c.end))
                << c.name;
        }

        // Into a new program set and global data: only what the block holds changes, and the
        // target then gives the same block.
        Source target;
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
            target.set.GetProgram(n).Init();
        target.global.Init();
        Snapshot expected = Take(target.set, target.global);
        if (c.kind == 1)
            for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
                expected.blocks[n] = source.set.GetProgram(n).GetBlock();
        else if (c.kind == 2)
            expected.blocks[kProgram] = Prog(source).GetBlock();
        else if (c.kind == 8)
            expected.global =
                Bytes(source.global.GetImage(), source.global.GetImage() + kQ3580GlobalImageSize);
        else
        {
            std::memcpy(expected.blocks[kProgram].image + c.begin, Prog(source).GetImage() + c.begin,
                        c.end - c.begin);
            if (c.kind == 7)
                expected.blocks[kProgram].image[8] =
                    static_cast<uint8_t>((expected.blocks[kProgram].image[8] & 0xCF) | 0x20);
        }
        ASSERT_TRUE(c.read(block, target)) << c.name;
        EXPECT_TRUE(SameBlocks(Take(target.set, target.global), expected)) << c.name;
        CBlockData again;
        ASSERT_TRUE(c.write(again, target)) << c.name;
        EXPECT_TRUE(BlockBytes(again) == BlockBytes(block)) << c.name;
    }
}

TEST(BlockDataTest, BlocksOfAnotherKindOrSizeChangeNothing)
{
    const Source source;
    for (const KindCase& c : KindCases())
    {
        CBlockData good;
        ASSERT_TRUE(c.write(good, source));
        const Bytes bytes = BlockBytes(good);
        struct Bad
        {
            std::string name;
            Bytes bytes;
        };
        std::vector<Bad> bad;
        Bytes shorter(bytes.begin(), bytes.end() - 1);
        bad.push_back({"one byte short", shorter});
        Bytes longer = bytes;
        longer.push_back(0);
        bad.push_back({"one byte long", longer});
        Bytes otherKind = bytes;
        PutU32At(otherKind, 16, c.kind % 8 + 1);
        bad.push_back({"other kind", otherKind});
        Bytes nullKind = bytes;
        PutU32At(nullKind, 16, 0);
        bad.push_back({"kind 0", nullKind});
        Bytes farKind = bytes;
        PutU32At(farKind, 16, c.kind + 0x100);
        bad.push_back({"unknown kind", farKind});
        bad.push_back({"no header", Bytes(bytes.begin(), bytes.begin() + 31)});
        bad.push_back({"payload alone", Bytes(bytes.begin() + 32, bytes.end())});

        for (const Bad& b : bad)
        {
            Source target;
            const Snapshot before = Take(target.set, target.global);
            CBlockData block;
            block.Append(b.bytes.data(), b.bytes.size());
            EXPECT_FALSE(c.read(block, target)) << c.name << ", " << b.name;
            EXPECT_TRUE(SameBlocks(Take(target.set, target.global), before)) << c.name << ", " << b.name;
        }
    }

    // A timbre or an effect 2 has no place.
    CBlockData timbre;
    ASSERT_TRUE(timbre.WriteTimbre(Prog(source), 0));
    Source target;
    const Snapshot before = Take(target.set, target.global);
    EXPECT_FALSE(timbre.ReadTimbre(Prog(target), 2));
    CBlockData mfx;
    ASSERT_TRUE(mfx.WriteMfx(Prog(source), 1));
    EXPECT_FALSE(mfx.ReadMfx(Prog(target), 2));
    EXPECT_TRUE(SameBlocks(Take(target.set, target.global), before));
    EXPECT_FALSE(timbre.WriteTimbre(Prog(source), 2));
    EXPECT_FALSE(mfx.WriteMfx(Prog(source), 2));
}

TEST(BlockDataTest, ValuesFromABlockAreMadeSafeBeforeUse)
{
    CProgram source;
    MakeDistinctProgram(source, 4);
    CBlockData block;
    ASSERT_TRUE(block.WriteProgram(source));
    // Texts without terminators, a priority out of range, a stale name and stray bytes.
    uint8_t* payload = block.GetData() + 32;
    std::memcpy(payload, "ab cd   ", 8);
    std::memset(payload + kQ3580ProgramImageSize, 'Z', 9 + 25 + 65 + 3);
    for (int32_t priority : {9, -4})
    {
        std::memcpy(payload + 448, &priority, 4);
        std::memset(payload + 452, 0x5A, 184);
        CProgram target;
        target.Init();
        ASSERT_TRUE(block.ReadProgram(target));
        EXPECT_STREQ(target.GetBlock().name, "ab cd");
        EXPECT_EQ(std::string(target.GetAuthor()), std::string(24, 'Z'));
        EXPECT_EQ(std::string(target.GetComment()), std::string(64, 'Z'));
        EXPECT_EQ(target.GetUserWord(), priority > 0 ? 5 : 0);
        EXPECT_EQ(Bytes(target.GetBlock().reserved, target.GetBlock().reserved + 184), Bytes(184, 0));
        EXPECT_STREQ(target.GetSavedBlock().name, "INITPROG");
    }

    // An arpeggiator block whose timbre assignment is out of range assigns timbres 1+2.
    CBlockData arp;
    ASSERT_TRUE(arp.WriteArp(source));
    for (uint8_t stored : {3, 0xFF})
    {
        arp.GetData()[32 + 12] = stored;
        CProgram target;
        target.Init();
        target.GetImage()[8] = 0xC5;
        ASSERT_TRUE(arp.ReadArp(target));
        EXPECT_EQ(target.GetImage()[8], 0xE5) << int(stored);
    }
}
} // namespace
