#include "synthdata/CBlockTransfer.h"

#include "synthdata/CBlockData.h"
#include "synthdata/CLibraryData.h"

#include "support/DataFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// Every byte a paste could reach: the 128 program blocks and the global image.
Bytes LibraryBytes(const CLibraryData& library)
{
    Bytes bytes;
    if (const CProgramSet* set = library.GetProgramSet())
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        {
            const auto* b = reinterpret_cast<const uint8_t*>(&set->GetProgram(n).GetBlock());
            bytes.insert(bytes.end(), b, b + sizeof(CProgramBlock));
        }
    if (const CGlobal* global = library.GetGlobal())
        bytes.insert(bytes.end(), global->GetImage(), global->GetImage() + kQ3580GlobalImageSize);
    return bytes;
}

// A library whose every image byte differs from a new library's and from the other programs'.
void MakeSourceLibrary(CLibraryData& library)
{
    MakeDistinctLibrary(library);
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        uint8_t* image = library.GetProgramSet()->GetProgram(n).GetImage();
        for (uint32_t at = 16; at < kQ3580ProgramImageSize; ++at)
            image[at] = static_cast<uint8_t>(at * 7 + n + 1);
        image[8] = 0x10; // Arpeggiator Timbre Assign 1
    }
    for (uint32_t at = 0; at < kQ3580GlobalImageSize; ++at)
        library.GetGlobal()->GetImage()[at] = static_cast<uint8_t>(200 - at);
}

void MakeTargetLibrary(CLibraryData& library)
{
    library.Reset();
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
}

// A block of the kind's header with n payload bytes.
CBlockData BlockOf(uint32_t kind, size_t n, uint32_t index = 0)
{
    CBlockData block;
    block.WriteBlockHeader("test", kind, 0, index, 0);
    Bytes payload(n, 0x5A);
    block.Append(payload.data(), payload.size());
    return block;
}

struct KindCase
{
    uint32_t kind;
    uint32_t program;
    uint32_t index;
    size_t blockSize;
    size_t at;   // where the payload lands in the program's image (or the global image)
    size_t size; // how many image bytes it fills
};

const KindCase kKinds[] = {
    {kBlockProgramSet, 0, 0, 81440, 0, 0}, {kBlockProgram, 127, 0, 668, 0, kQ3580ProgramImageSize},
    {kBlockTimbre, 9, 1, 128, 112, 96},    {kBlockMfx, 9, 1, 56, 310, 24},
    {kBlockMfxSet, 9, 0, 80, 286, 48},     {kBlockVocoder, 9, 0, 110, 208, 78},
    {kBlockArp, 9, 0, 45, 334, 12},        {kBlockGlobal, 0, 0, 132, 0, kQ3580GlobalImageSize},
};
} // namespace

// Each kind copied from one library pastes into another: the target gets the source's bytes
// there and nothing else changes; the blocks have the sizes the formats fix.
TEST(CBlockTransfer, EveryKindCopiesAndPastesOnlyItsOwnBytes)
{
    CLibraryData source;
    MakeSourceLibrary(source);
    for (const KindCase& c : kKinds)
    {
        SCOPED_TRACE(c.kind);
        CBlockData block;
        ASSERT_TRUE(CBlockTransfer::Copy(c.kind, source, c.program, c.index, block));
        EXPECT_EQ(block.GetSize(), c.blockSize);
        EXPECT_TRUE(CBlockTransfer::IsKind(block, c.kind));
        EXPECT_EQ(block.GetBlockIndex(), c.index);

        CLibraryData target;
        MakeTargetLibrary(target);
        CLibraryData untouched;
        MakeTargetLibrary(untouched);
        ASSERT_TRUE(CBlockTransfer::Paste(block, target, c.kind, c.program, c.index));

        if (c.kind == kBlockProgramSet)
        {
            for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
                EXPECT_EQ(0, std::memcmp(target.GetProgramSet()->GetProgram(n).GetImage(),
                                         source.GetProgramSet()->GetProgram(n).GetImage(),
                                         kQ3580ProgramImageSize));
            continue;
        }
        const bool global = c.kind == kBlockGlobal;
        const uint8_t* from = global ? source.GetGlobal()->GetImage()
                                     : source.GetProgramSet()->GetProgram(c.program).GetImage();
        uint8_t* to = global ? target.GetGlobal()->GetImage()
                             : target.GetProgramSet()->GetProgram(c.program).GetImage();
        EXPECT_EQ(0, std::memcmp(from + c.at, to + c.at, c.size));
        // Put the pasted bytes back as they were: then nothing else may differ.
        const uint8_t* fresh = global ? untouched.GetGlobal()->GetImage()
                                      : untouched.GetProgramSet()->GetProgram(c.program).GetImage();
        std::memcpy(to + c.at, fresh + c.at, c.size);
        if (c.kind == kBlockArp)
            to[8] = fresh[8]; // the timbre assignment travels in the block's last byte
        if (c.kind == kBlockProgram)
            target.GetProgramSet()->GetProgram(c.program).GetBlock() =
                untouched.GetProgramSet()->GetProgram(c.program).GetBlock();
        if (global)
            target.GetGlobal()->ComputeDigest();
        EXPECT_EQ(LibraryBytes(target), LibraryBytes(untouched));
    }
}

// Every refused paste leaves the whole library byte-identical, whatever is wrong: the kind,
// the block's size, the program number or the index.
TEST(CBlockTransfer, RefusedPastesChangeNothing)
{
    const struct
    {
        const char* what;
        uint32_t headerKind;
        size_t payload; // bytes after the header; SIZE_MAX: a block of 31 bytes without header
        uint32_t kind;  // the kind asked for
        uint32_t program;
        uint32_t index;
    } cases[] = {
        {"kind 0", 0, 0, 0, 0, 0},
        {"kind 9", 9, 100, 9, 0, 0},
        {"kind far out", 0x80000002u, 636, 0x80000002u, 0, 0},
        {"header names another kind", kBlockProgram, 96, kBlockTimbre, 0, 0},
        {"header names the program set", kBlockProgramSet, 636, kBlockProgram, 0, 0},
        {"timbre of 95 bytes", kBlockTimbre, 95, kBlockTimbre, 0, 0},
        {"timbre of 97 bytes", kBlockTimbre, 97, kBlockTimbre, 0, 0},
        {"timbre index 2", kBlockTimbre, 96, kBlockTimbre, 0, 2},
        {"effect index 2", kBlockMfx, 24, kBlockMfx, 0, 2},
        {"effect index far out", kBlockMfx, 24, kBlockMfx, 0, 0xFFFFFFFFu},
        {"effect of 23 bytes", kBlockMfx, 23, kBlockMfx, 0, 0},
        {"effects of 47 bytes", kBlockMfxSet, 47, kBlockMfxSet, 0, 0},
        {"vocoder of 79 bytes", kBlockVocoder, 79, kBlockVocoder, 0, 0},
        {"arpeggiator of 12 bytes", kBlockArp, 12, kBlockArp, 0, 0},
        {"program of 635 bytes", kBlockProgram, 635, kBlockProgram, 0, 0},
        {"program of 640 bytes", kBlockProgram, 640, kBlockProgram, 0, 0},
        {"program 128", kBlockProgram, 636, kBlockProgram, 128, 0},
        {"program far out", kBlockProgram, 636, kBlockProgram, 0xFFFFFFFFu, 0},
        {"timbre into program 128", kBlockTimbre, 96, kBlockTimbre, 128, 0},
        {"arpeggiator into program 200", kBlockArp, 13, kBlockArp, 200, 0},
        {"program set one byte short", kBlockProgramSet, 81407, kBlockProgramSet, 0, 0},
        {"program set one byte long", kBlockProgramSet, 81409, kBlockProgramSet, 0, 0},
        {"global of 99 bytes", kBlockGlobal, 99, kBlockGlobal, 0, 0},
        {"global of 101 bytes", kBlockGlobal, 101, kBlockGlobal, 0, 0},
        {"headerless arpeggiator", kBlockArp, SIZE_MAX, kBlockArp, 0, 0},
        {"header only", kBlockArp, 0, kBlockArp, 0, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CBlockData block;
        if (c.payload == SIZE_MAX)
        {
            Bytes shortBlock(31, 0x11);
            block.Append(shortBlock.data(), shortBlock.size());
        }
        else
            block = BlockOf(c.headerKind, c.payload);
        CLibraryData library;
        MakeSourceLibrary(library);
        const Bytes before = LibraryBytes(library);
        EXPECT_FALSE(CBlockTransfer::Paste(block, library, c.kind, c.program, c.index));
        EXPECT_EQ(LibraryBytes(library), before);
    }
}

// A block of 31 bytes has no header: it is kind 0 and no other.
TEST(CBlockTransfer, ShortBlocksAreKindZero)
{
    CBlockData block;
    Bytes bytes(31, 2);
    block.Append(bytes.data(), bytes.size());
    EXPECT_TRUE(CBlockTransfer::IsKind(block, kBlockNull));
    EXPECT_FALSE(CBlockTransfer::IsKind(block, kBlockProgram));
    EXPECT_FALSE(CBlockTransfer::IsKind(BlockOf(kBlockProgram, 636), 9));
    EXPECT_TRUE(CBlockTransfer::IsKind(BlockOf(kBlockProgram, 636), kBlockProgram));
}

// A library without the entry a kind needs neither gives nor takes blocks of it.
TEST(CBlockTransfer, MissingEntriesRefuseCopyAndPaste)
{
    CLibraryData source;
    MakeSourceLibrary(source);
    CBlockData program, global;
    ASSERT_TRUE(CBlockTransfer::Copy(kBlockProgram, source, 3, 0, program));
    ASSERT_TRUE(CBlockTransfer::Copy(kBlockGlobal, source, 0, 0, global));

    CLibraryData onlyGlobal;
    onlyGlobal.SetDataKind(CLibraryEntry::kKindGlobal);
    CLibraryData onlyPrograms;
    onlyPrograms.SetDataKind(CLibraryEntry::kKindProgramSet);
    const Bytes globalBefore = LibraryBytes(onlyGlobal);
    const Bytes programsBefore = LibraryBytes(onlyPrograms);
    EXPECT_FALSE(CBlockTransfer::Paste(program, onlyGlobal, kBlockProgram, 3, 0));
    EXPECT_FALSE(CBlockTransfer::Paste(global, onlyPrograms, kBlockGlobal, 0, 0));
    EXPECT_EQ(LibraryBytes(onlyGlobal), globalBefore);
    EXPECT_EQ(LibraryBytes(onlyPrograms), programsBefore);

    CBlockData block = BlockOf(kBlockArp, 13);
    EXPECT_FALSE(CBlockTransfer::Copy(kBlockProgram, onlyGlobal, 3, 0, block));
    EXPECT_EQ(block.GetSize(), 0u);
    EXPECT_FALSE(CBlockTransfer::Copy(kBlockGlobal, onlyPrograms, 0, 0, block));
    EXPECT_FALSE(CBlockTransfer::Copy(kBlockTimbre, source, 3, 2, block));
    EXPECT_FALSE(CBlockTransfer::Copy(kBlockProgram, source, 128, 0, block));
    EXPECT_FALSE(CBlockTransfer::Copy(kBlockNull, source, 0, 0, block));
    EXPECT_FALSE(CBlockTransfer::Copy(9, source, 0, 0, block));
}

// The program format carries either a list item or a block; the size tells them apart, and an
// item is taken only with a source number of 0-127.
TEST(CBlockTransfer, ProgramItemsAreToldApartByTheirSizeAndChecked)
{
    EXPECT_EQ(CBlockTransfer::ClassifyProgramPayload(640), CBlockTransfer::kProgramPayloadItem);
    EXPECT_EQ(CBlockTransfer::ClassifyProgramPayload(668), CBlockTransfer::kProgramPayloadBlock);
    for (size_t size : {0u, 4u, 636u, 639u, 641u, 667u, 669u})
        EXPECT_EQ(CBlockTransfer::ClassifyProgramPayload(size), CBlockTransfer::kProgramPayloadNone) << size;

    CLibraryData source;
    MakeSourceLibrary(source);
    const Bytes item = CBlockTransfer::MakeProgramItem(source, 17);
    ASSERT_EQ(item.size(), 640u);
    EXPECT_EQ(GetU32At(item, 0), 17u);
    EXPECT_TRUE(CBlockTransfer::MakeProgramItem(source, 128).empty());

    CLibraryData target;
    MakeTargetLibrary(target);
    ASSERT_TRUE(CBlockTransfer::PasteProgramItem(item.data(), item.size(), target, 100));
    EXPECT_EQ(0, std::memcmp(target.GetProgramSet()->GetProgram(100).GetImage(),
                             source.GetProgramSet()->GetProgram(17).GetImage(), kQ3580ProgramImageSize));
    EXPECT_STREQ(target.GetProgramSet()->GetProgram(100).GetAuthor(), "Programmer 17");

    const Bytes before = LibraryBytes(target);
    Bytes badSource = item;
    PutU32At(badSource, 0, 128);
    Bytes longer = item;
    longer.push_back(0);
    const struct
    {
        const char* what;
        const Bytes* bytes;
        size_t size;
        uint32_t program;
    } refused[] = {
        {"source 128", &badSource, 640, 1},
        {"639 bytes", &item, 639, 1},
        {"641 bytes", &longer, 641, 1},
        {"program 128", &item, 640, 128},
    };
    for (const auto& r : refused)
    {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(CBlockTransfer::PasteProgramItem(r.bytes->data(), r.size, target, r.program));
        EXPECT_EQ(LibraryBytes(target), before);
    }
    uint32_t number = 99;
    EXPECT_FALSE(CBlockTransfer::GetProgramItemSource(badSource.data(), 640, number));
    EXPECT_EQ(number, 99u);
    EXPECT_TRUE(CBlockTransfer::GetProgramItemSource(item.data(), 640, number));
    EXPECT_EQ(number, 17u);
}

// What a clipboard or drop holds is measured by its content: a block by the kind its header
// names, a program item by its source number. Bytes past the content (a block the system
// rounded up) are no reason to refuse it; too few bytes, or another kind, are.
TEST(CBlockTransfer, TheContentSizeComesFromTheContentAndIgnoresPaddingAfterIt)
{
    CLibraryData source;
    MakeSourceLibrary(source);
    CBlockData timbre, program, global;
    ASSERT_TRUE(CBlockTransfer::Copy(kBlockTimbre, source, 3, 1, timbre));
    ASSERT_TRUE(CBlockTransfer::Copy(kBlockProgram, source, 3, 0, program));
    ASSERT_TRUE(CBlockTransfer::Copy(kBlockGlobal, source, 0, 0, global));
    const auto bytesOf = [](const CBlockData& block, size_t padding)
    {
        Bytes bytes(block.GetData(), block.GetData() + block.GetSize());
        bytes.resize(bytes.size() + padding, 0xEE);
        return bytes;
    };
    const Bytes item = CBlockTransfer::MakeProgramItem(source, 17);
    Bytes paddedItem = item;
    paddedItem.resize(656, 0xEE);
    const struct
    {
        const char* what;
        uint32_t kind;
        Bytes bytes;
        size_t content;
    } cases[] = {
        {"a timbre block", kBlockTimbre, bytesOf(timbre, 0), 128},
        {"a timbre block padded by 16", kBlockTimbre, bytesOf(timbre, 16), 128},
        {"a timbre block one byte short", kBlockTimbre, Bytes(timbre.GetData(), timbre.GetData() + 127), 0},
        {"a timbre block read as an effect", kBlockMfx, bytesOf(timbre, 0), 0},
        {"a program block padded by 4", kBlockProgram, bytesOf(program, 4), 668},
        {"a program item", kBlockProgram, item, 640},
        {"a program item padded to 656", kBlockProgram, paddedItem, 640},
        {"a program item one byte short", kBlockProgram, Bytes(item.begin(), item.end() - 1), 0},
        {"a program item read as a timbre", kBlockTimbre, paddedItem, 0},
        {"the global data padded by 12", kBlockGlobal, bytesOf(global, 12), 132},
        {"a header alone", kBlockTimbre, Bytes(timbre.GetData(), timbre.GetData() + 32), 0},
        {"nothing", kBlockTimbre, Bytes(), 0},
        {"kind 0", kBlockNull, bytesOf(timbre, 0), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CBlockTransfer::GetContentSize(c.kind, c.bytes.data(), c.bytes.size()), c.content) << c.what;
    EXPECT_EQ(CBlockTransfer::GetContentSize(kBlockTimbre, nullptr, 128), 0u);
}
