#include "app/CBlockAccessor.h"

#include "synthdata/CBlockTransfer.h"
#include "synthdata/CLibraryData.h"

#include "framework/CHfcClipboard.h"
#include "framework/CHfcDragData.h"

#include "support/DataFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace
{
Bytes LibraryBytes(const CLibraryData& library)
{
    Bytes bytes;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        const auto* b = reinterpret_cast<const uint8_t*>(&library.GetProgramSet()->GetProgram(n).GetBlock());
        bytes.insert(bytes.end(), b, b + sizeof(CProgramBlock));
    }
    bytes.insert(bytes.end(), library.GetGlobal()->GetImage(),
                 library.GetGlobal()->GetImage() + kQ3580GlobalImageSize);
    return bytes;
}

void MakeSource(CLibraryData& library)
{
    MakeDistinctLibrary(library);
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        uint8_t* image = library.GetProgramSet()->GetProgram(n).GetImage();
        for (uint32_t at = 16; at < kQ3580ProgramImageSize; ++at)
            image[at] = static_cast<uint8_t>(at * 11 + n);
        image[8] = 0x20;
    }
}

void MakeTarget(CLibraryData& library)
{
    library.Reset();
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
}

Bytes BlockBytes(const CBlockData& block)
{
    return Bytes(block.GetData(), block.GetData() + block.GetSize());
}

// A hidden window owning the clipboard, the clipboard and a registered accessor.
class BlockAccessorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner = CreateWindowExA(0, "STATIC", "block owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
        ASSERT_NE(owner, nullptr);
        ASSERT_TRUE(accessor.RegisterFormats());
    }
    void TearDown() override
    {
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "left open";
        DestroyWindow(owner);
    }

    // Puts raw bytes on the clipboard in a format, as another program could.
    void PutRaw(uint32_t format, const Bytes& bytes)
    {
        CHfcClipboardSession session(clipboard, owner);
        ASSERT_TRUE(session.IsOpen());
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetData(format, bytes.data(), bytes.size()));
    }

    size_t ClipboardSize(uint32_t format)
    {
        CHfcClipboardSession session(clipboard, owner);
        return clipboard.GetDataSize(format);
    }

    HWND owner = nullptr;
    CHfcClipboard clipboard;
    CBlockAccessor accessor{clipboard};
};

// The clipboard is shared by every test process: these run alone, in app_tests_serial.
class BlockAccessorClipboardTest : public BlockAccessorTest
{
protected:
    void SetUp() override
    {
        if (std::getenv("NV_TEST_SERIAL") == nullptr)
            GTEST_SKIP() << "runs in app_tests_serial";
        BlockAccessorTest::SetUp();
    }
    void TearDown() override
    {
        if (owner != nullptr)
            BlockAccessorTest::TearDown();
    }
};
} // namespace

TEST_F(BlockAccessorTest, RegistersTheNineBlockAndFourteenDragFormats)
{
    std::set<uint32_t> ids;
    for (uint32_t kind = 0; kind < kBlockKindCount; ++kind)
    {
        const uint32_t id = accessor.GetClipboardFormat(kind);
        EXPECT_NE(id, 0u);
        ids.insert(id);
        char name[64] = {};
        GetClipboardFormatNameA(id, name, sizeof name);
        EXPECT_EQ(std::string(name), CBlockAccessor::GetFormatName(kind));
        EXPECT_EQ(std::strlen(name), 15u) << "padded with blanks";
    }
    EXPECT_EQ(CBlockAccessor::GetFormatName(kBlockTimbre), "Q3580Timbre    ");
    EXPECT_EQ(CBlockAccessor::GetFormatName(kBlockNull), "Q3580Null      ");
    for (uint32_t n = 0; n < CBlockAccessor::kDragFormatCount; ++n)
    {
        EXPECT_NE(accessor.GetDragFormat(n), 0u);
        ids.insert(accessor.GetDragFormat(n));
    }
    EXPECT_EQ(ids.size(), 23u);
    EXPECT_EQ(std::string(CBlockAccessor::GetDragFormatName(CBlockAccessor::kDragFormantRec)),
              "x7400FormantRec");
    EXPECT_EQ(accessor.GetClipboardFormat(9), 0u);
    EXPECT_EQ(accessor.GetDragFormat(14), 0u);

    EXPECT_EQ(GetBlockClipboardFormat(kBlockProgram), 0u) << "no accessor";
    SetBlockAccessor(&accessor);
    EXPECT_EQ(GetBlockClipboardFormat(kBlockProgram), accessor.GetClipboardFormat(kBlockProgram));
    EXPECT_EQ(GetBlockClipboardFormat(9), 0u);
    SetBlockAccessor(nullptr);
}

// Every block kind goes through the real clipboard, in its size, and comes back into another
// library as the same block.
TEST_F(BlockAccessorClipboardTest, EveryKindRoundTripsThroughTheClipboard)
{
    CLibraryData source;
    MakeSource(source);
    const struct
    {
        uint32_t kind;
        uint32_t program;
        uint32_t index;
        size_t size;
    } kinds[] = {
        {kBlockProgramSet, 0, 0, 81440}, {kBlockProgram, 127, 0, 668}, {kBlockTimbre, 4, 1, 128},
        {kBlockMfx, 4, 1, 56},           {kBlockMfxSet, 4, 0, 80},     {kBlockVocoder, 4, 0, 110},
        {kBlockArp, 4, 0, 45},           {kBlockGlobal, 0, 0, 132},
    };
    for (const auto& k : kinds)
    {
        SCOPED_TRACE(k.kind);
        ASSERT_TRUE(accessor.CopyToClipboard(owner, k.kind, source, k.program, k.index));
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
        EXPECT_EQ(ClipboardSize(accessor.GetClipboardFormat(k.kind)), k.size);
        CLibraryData target;
        MakeTarget(target);
        ASSERT_TRUE(accessor.PasteFromClipboard(owner, target, k.kind, k.program, k.index));
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
        EXPECT_EQ(BlockBytes(*accessor.Copy(k.kind, target, k.program, k.index)),
                  BlockBytes(*accessor.Copy(k.kind, source, k.program, k.index)));
    }
}

// What the clipboard holds in a block format is checked before it is read and before it is
// pasted: any other size, another kind's block or a bad list item changes nothing.
TEST_F(BlockAccessorClipboardTest, ForeignClipboardDataIsRefusedWithoutTouchingTheLibrary)
{
    CLibraryData source;
    MakeSource(source);
    Bytes timbreBlock = BlockBytes(*accessor.Copy(kBlockTimbre, source, 1, 0));
    Bytes vocoderBlock = BlockBytes(*accessor.Copy(kBlockVocoder, source, 1, 0));
    Bytes item = CBlockTransfer::MakeProgramItem(source, 8);
    Bytes badItem = item;
    PutU32At(badItem, 0, 128);
    const struct
    {
        const char* what;
        uint32_t formatKind; // the clipboard format the bytes are put in
        Bytes bytes;
        uint32_t kind;
        uint32_t program;
        uint32_t index;
    } cases[] = {
        {"timbre of 127 bytes", kBlockTimbre, Bytes(timbreBlock.begin(), timbreBlock.end() - 1), kBlockTimbre,
         0, 0},
        {"a vocoder block in the timbre format", kBlockTimbre, vocoderBlock, kBlockTimbre, 0, 0},
        {"a timbre block into timbre 2", kBlockTimbre, timbreBlock, kBlockTimbre, 0, 2},
        {"a timbre block into program 128", kBlockTimbre, timbreBlock, kBlockTimbre, 128, 0},
        {"a list item with source 128", kBlockProgram, badItem, kBlockProgram, 0, 0},
        {"a list item into program 128", kBlockProgram, item, kBlockProgram, 128, 0},
        {"program format, 650 bytes", kBlockProgram, Bytes(650, 1), kBlockProgram, 0, 0},
        {"a short headerless block", kBlockArp, Bytes(13, 1), kBlockArp, 0, 0},
        {"nothing in the kind's format", kBlockGlobal, Bytes(132, 1), kBlockMfxSet, 0, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PutRaw(accessor.GetClipboardFormat(c.formatKind), c.bytes);
        CLibraryData target;
        MakeSource(target);
        const Bytes before = LibraryBytes(target);
        EXPECT_FALSE(accessor.PasteFromClipboard(owner, target, c.kind, c.program, c.index));
        EXPECT_EQ(LibraryBytes(target), before);
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    }
}

// The system may hand out a clipboard block longer than was put there: the content's own size
// counts, and the bytes after it are left out.
TEST_F(BlockAccessorClipboardTest, ABlockLongerThanItsContentPastesItsContent)
{
    CLibraryData source;
    MakeSource(source);
    const struct
    {
        const char* what;
        uint32_t kind, program, index;
        size_t padding;
    } cases[] = {
        {"a timbre and 1 byte", kBlockTimbre, 1, 1, 1},
        {"a vocoder and 16 bytes", kBlockVocoder, 5, 0, 16},
        {"the global data and 12 bytes", kBlockGlobal, 0, 0, 12},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Bytes padded = BlockBytes(*accessor.Copy(c.kind, source, c.program, c.index));
        padded.resize(padded.size() + c.padding, 0xEE);
        PutRaw(accessor.GetClipboardFormat(c.kind), padded);
        CLibraryData target;
        MakeTarget(target);
        EXPECT_TRUE(accessor.PasteFromClipboard(owner, target, c.kind, c.program, c.index));
        EXPECT_EQ(BlockBytes(*accessor.Copy(c.kind, target, c.program, c.index)),
                  BlockBytes(*accessor.Copy(c.kind, source, c.program, c.index)));
    }
}

// The program format carries the program list's 640-byte items as well as 668-byte blocks.
TEST_F(BlockAccessorClipboardTest, ProgramItemsAndBlocksShareTheProgramFormat)
{
    CLibraryData source;
    MakeSource(source);
    ASSERT_TRUE(accessor.CopyProgramItemToClipboard(owner, source, 8));
    EXPECT_EQ(ClipboardSize(accessor.GetClipboardFormat(kBlockProgram)), 640u);
    CLibraryData target;
    MakeTarget(target);
    ASSERT_TRUE(accessor.PasteFromClipboard(owner, target, kBlockProgram, 20, 0));
    EXPECT_EQ(0, std::memcmp(target.GetProgramSet()->GetProgram(20).GetImage(),
                             source.GetProgramSet()->GetProgram(8).GetImage(), kQ3580ProgramImageSize));
    EXPECT_FALSE(accessor.CopyProgramItemToClipboard(owner, source, 128));
}

// A clipboard held open elsewhere refuses the copy; the accessor leaves it as it found it.
TEST_F(BlockAccessorClipboardTest, ClipboardHeldElsewhereRefusesTheCopy)
{
    CLibraryData source;
    MakeSource(source);
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    EXPECT_FALSE(accessor.CopyToClipboard(owner, kBlockProgram, source, 0, 0));
    EXPECT_EQ(GetOpenClipboardWindow(), other);
    CloseClipboard();
    DestroyWindow(other);
}

// Drag items of the program list: a 640-byte item in the program format; a drop of anything
// else, or of another size, is refused.
TEST_F(BlockAccessorTest, ProgramDragItemsAreCheckedBeforeTheyArePasted)
{
    CLibraryData source;
    MakeSource(source);
    CHfcDragData data;
    ASSERT_TRUE(accessor.AddProgramDragItem(data, source, 30));
    ASSERT_TRUE(accessor.AddProgramDragItem(data, source, 31));
    EXPECT_FALSE(accessor.AddProgramDragItem(data, source, 128));
    const Bytes block = BlockBytes(*accessor.Copy(kBlockProgram, source, 32, 0));
    data.AddItem(accessor.GetClipboardFormat(kBlockProgram), block.data(),
                 static_cast<uint32_t>(block.size()));
    const Bytes odd(641, 0);
    data.AddItem(accessor.GetClipboardFormat(kBlockProgram), odd.data(), 641);
    const Bytes item = CBlockTransfer::MakeProgramItem(source, 33);
    data.AddItem(accessor.GetDragFormat(CBlockAccessor::kDragTimbre), item.data(), 640);
    ASSERT_EQ(data.GetItemCount(), 5u);
    EXPECT_EQ(data.GetItemSize(0), 640u);
    EXPECT_EQ(data.GetItemFormat(0), accessor.GetClipboardFormat(kBlockProgram));

    CLibraryData target;
    MakeTarget(target);
    EXPECT_TRUE(accessor.PasteProgramDragItem(data, 1, target, 0));
    EXPECT_TRUE(accessor.PasteProgramDragItem(data, 2, target, 1));
    const Bytes before = LibraryBytes(target);
    EXPECT_FALSE(accessor.PasteProgramDragItem(data, 3, target, 2));
    EXPECT_FALSE(accessor.PasteProgramDragItem(data, 4, target, 2));
    EXPECT_FALSE(accessor.PasteProgramDragItem(data, 5, target, 2));
    EXPECT_FALSE(accessor.PasteProgramDragItem(data, 0, target, 128));
    EXPECT_EQ(LibraryBytes(target), before);
    EXPECT_EQ(0, std::memcmp(target.GetProgramSet()->GetProgram(0).GetImage(),
                             source.GetProgramSet()->GetProgram(31).GetImage(), kQ3580ProgramImageSize));
    EXPECT_EQ(0, std::memcmp(target.GetProgramSet()->GetProgram(1).GetImage(),
                             source.GetProgramSet()->GetProgram(32).GetImage(), kQ3580ProgramImageSize));
}
