#include "synthdata/CProgram.h"

#include "support/DataFixtures.h"

#include "foundation/CEfMemoryBlock.h"
#include "foundation/CZmException.h"
#include "foundation/EfMd5.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
// The initial program image, as the instrument defines it.
const uint8_t kExpectedInit[kQ3580ProgramImageSize] = {
    0x49, 0x4E, 0x49, 0x54, 0x50, 0x52, 0x4F, 0x47, 0x00, 0x04, 0x05, 0x06, 0x00, 0x10, 0x48, 0x80, 0x09,
    0x0A, 0x0C, 0x00, 0x00, 0x0A, 0x40, 0x80, 0xFF, 0x05, 0x40, 0x40, 0x4C, 0x42, 0x00, 0xFF, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x40, 0x40, 0x7F, 0x00, 0x00, 0xFF, 0x00, 0x20, 0x7F, 0x00, 0x40, 0x40, 0x40,
    0x7F, 0x00, 0x40, 0x40, 0x40, 0x64, 0x00, 0x01, 0x00, 0x40, 0x40, 0x00, 0xFF, 0x00, 0x40, 0x7F, 0x00,
    0x40, 0xFF, 0x00, 0x40, 0x7F, 0x00, 0x40, 0xFF, 0x00, 0x40, 0x7F, 0x00, 0x40, 0xFF, 0x02, 0x05, 0x00,
    0x05, 0x02, 0x46, 0x00, 0x0D, 0x03, 0x00, 0x40, 0x04, 0x00, 0x40, 0x03, 0x07, 0x40, 0x04, 0x07, 0x40,
    0x04, 0x0B, 0x40, 0x04, 0x0C, 0x40, 0x18, 0x40, 0x0E, 0x40, 0x09, 0x0A, 0x0C, 0x00, 0x00, 0x0A, 0x40,
    0x80, 0xFF, 0x05, 0x40, 0x40, 0x4C, 0x42, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x40,
    0x7F, 0x00, 0x00, 0xFF, 0x00, 0x20, 0x7F, 0x00, 0x40, 0x40, 0x40, 0x7F, 0x00, 0x40, 0x40, 0x40, 0x64,
    0x00, 0x01, 0x00, 0x40, 0x40, 0x00, 0xFF, 0x00, 0x40, 0x7F, 0x00, 0x40, 0xFF, 0x00, 0x40, 0x7F, 0x00,
    0x40, 0xFF, 0x00, 0x40, 0x7F, 0x00, 0x40, 0xFF, 0x02, 0x05, 0x00, 0x05, 0x02, 0x46, 0x00, 0x0D, 0x03,
    0x00, 0x40, 0x04, 0x00, 0x40, 0x03, 0x07, 0x40, 0x04, 0x07, 0x40, 0x04, 0x0B, 0x40, 0x04, 0x0C, 0x40,
    0x18, 0x40, 0x0E, 0x40, 0x30, 0x64, 0x00, 0x00, 0x00, 0x7F, 0x00, 0x40, 0x01, 0x7F, 0x7F, 0x7F, 0x01,
    0x7F, 0x7F, 0x7F, 0x01, 0x7F, 0x7F, 0x7F, 0x01, 0x7F, 0x7F, 0x7F, 0x01, 0x7F, 0x7F, 0x7F, 0x01, 0x7F,
    0x7F, 0x7F, 0x01, 0x7F, 0x7F, 0x7F, 0x01, 0x7F, 0x7F, 0x7F, 0x43, 0x00, 0x40, 0x14, 0x40, 0x1E, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0xFF, 0x20, 0x07,
    0x50, 0x40, 0xFF, 0xFF, 0x00, 0x00,
};

void SetNameBytes(CProgram& p, const char* bytes)
{
    std::memcpy(p.GetImage(), bytes, 8);
}
} // namespace

TEST(CProgram, InitGivesTheInitialProgram)
{
    CProgram p;
    p.SetAuthor("someone");
    p.SetUserWord(3);
    p.Init();
    ASSERT_EQ(p.GetImageSize(), 346u);
    EXPECT_EQ(std::memcmp(p.GetImage(), kExpectedInit, kQ3580ProgramImageSize), 0);
    EXPECT_STREQ(p.GetName(), "INITPROG");
    EXPECT_STREQ(p.GetBlock().name, "INITPROG");
    EXPECT_EQ(p.GetImage()[334] | (p.GetImage()[335] << 8), 120); // BPM
    EXPECT_STREQ(p.GetAuthor(), "");
    EXPECT_EQ(p.GetUserWord(), 0);
    EXPECT_EQ(p.GetAttribute1(), 1);
    EXPECT_EQ(p.GetAttribute2(), 2);
    EXPECT_EQ(p.GetAttribute3(), 0);
    EXPECT_FALSE(p.IsChanged());
    EXPECT_EQ(std::memcmp(&p.GetBlock(), &p.GetSavedBlock(), sizeof(CProgramBlock)), 0);
}

TEST(CProgram, NameDropsTrailingBlanksAndNuls)
{
    CProgram p;
    p.Init();
    SetNameBytes(p, "AB      ");
    EXPECT_STREQ(p.GetName(), "AB");
    SetNameBytes(p, "\0\0\0\0\0\0\0\0");
    EXPECT_STREQ(p.GetName(), "");
    SetNameBytes(p, "A B C   ");
    EXPECT_STREQ(p.GetName(), "A B C");
}

TEST(CProgram, SetProgramNameUppercasesPadsAndCuts)
{
    struct Case
    {
        const char* text;
        const char* bytes;
        const char* name;
    };
    const Case cases[] = {
        {"abcdefghij", "ABCDEFGH", "ABCDEFGH"},
        {"pad", "PAD     ", "PAD"},
        {"x-1 é", "X-1 \xC3\xA9   ", "X-1 \xC3\xA9"},
        {"", "        ", ""},
    };
    for (const Case& c : cases)
    {
        CProgram p;
        p.Init();
        p.SetProgramName(c.text);
        EXPECT_EQ(std::memcmp(p.GetImage(), c.bytes, 8), 0) << c.text;
        EXPECT_STREQ(p.GetName(), c.name) << c.text;
        EXPECT_STREQ(p.GetBlock().name, c.name) << c.text;
        EXPECT_EQ(std::memcmp(p.GetImage() + 8, kExpectedInit + 8, kQ3580ProgramImageSize - 8), 0)
            << "only the name bytes change";
    }
}

TEST(CProgram, AuthorAndCommentStopAtTheTerminator)
{
    CProgram p;
    p.Init();
    // A short text in a buffer no longer than itself: nothing past its terminator is read
    // (the sanitizer build catches a read past it).
    std::vector<char> shortText = {'J', 'o', '\0'};
    p.SetAuthor(shortText.data());
    EXPECT_STREQ(p.GetAuthor(), "Jo");
    p.SetComment(shortText.data());
    EXPECT_STREQ(p.GetComment(), "Jo");

    const std::string longText(100, 'c');
    p.SetAuthor(longText.c_str());
    EXPECT_EQ(std::string(p.GetAuthor()), std::string(24, 'c'));
    p.SetComment(longText.c_str());
    EXPECT_EQ(std::string(p.GetComment()), std::string(64, 'c'));
    p.SetAuthor(nullptr);
    EXPECT_STREQ(p.GetAuthor(), "");
}

TEST(CProgram, CopyProgramKeepsLibraryInformation)
{
    CProgram source;
    source.Init();
    source.SetProgramName("lead");
    source.SetAttribute2(7);
    source.SetAttribute3(9);
    source.SetAuthor("source author");

    CProgram target;
    target.Init();
    target.SetAuthor("mine");
    target.SetComment("my comment");
    target.SetUserWord(4);
    target.SetAttribute1(5);
    target.CopyProgram(source);

    EXPECT_EQ(std::memcmp(target.GetImage(), source.GetImage(), kQ3580ProgramImageSize), 0);
    EXPECT_STREQ(target.GetName(), "LEAD");
    EXPECT_STREQ(target.GetBlock().name, "LEAD");
    EXPECT_STREQ(target.GetAuthor(), "mine");
    EXPECT_STREQ(target.GetComment(), "my comment");
    EXPECT_EQ(target.GetUserWord(), 4);
    EXPECT_EQ(target.GetAttribute1(), 5);
    EXPECT_EQ(target.GetAttribute2(), 7);
    EXPECT_EQ(target.GetAttribute3(), 9);
}

TEST(CProgram, CopyBlockTakesTheWholeBlock)
{
    CProgram source;
    source.Init();
    source.SetProgramName("pad");
    source.SetAuthor("author");
    source.SetComment("comment");
    source.SetUserWord(5);
    source.SetAttribute2(3);

    CProgram target;
    target.Init();
    target.CopyBlock(source);
    EXPECT_EQ(std::memcmp(&target.GetBlock(), &source.GetBlock(), sizeof(CProgramBlock)), 0);
    EXPECT_EQ(target.GetAttribute2(), 3);
    EXPECT_TRUE(target.IsChanged());
}

TEST(CProgram, RevertReturnsToTheSavedCopy)
{
    CProgram p;
    p.Init();
    p.SetProgramName("edited");
    p.SetComment("changed");
    p.GetImage()[100] ^= 0xFF;
    EXPECT_TRUE(p.IsChanged());
    p.RevertBlock();
    EXPECT_FALSE(p.IsChanged());
    EXPECT_STREQ(p.GetName(), "INITPROG");
    EXPECT_STREQ(p.GetComment(), "");
    EXPECT_EQ(std::memcmp(p.GetImage(), kExpectedInit, kQ3580ProgramImageSize), 0);

    // InitializeProgram leaves the saved copy alone; SaveBlock replaces it.
    p.SetProgramName("second");
    p.SaveBlock();
    p.InitializeProgram();
    EXPECT_STREQ(p.GetName(), "INITPROG");
    p.RevertBlock();
    EXPECT_STREQ(p.GetName(), "SECOND");
}

TEST(CQ3580ProgramData, CopyFromTakesImageAndLibraryInformation)
{
    CProgram source;
    source.Init();
    source.SetProgramName("bass");
    source.SetAuthor("who");
    source.SetComment("what");
    source.SetUserWord(2);
    const uint8_t digest[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    source.SetDigest(digest);

    CQ3580ProgramData data;
    data.CopyFrom(source);
    EXPECT_EQ(std::memcmp(data.GetImage(), source.GetImage(), kQ3580ProgramImageSize), 0);
    EXPECT_STREQ(data.GetName(), "BASS");
    EXPECT_STREQ(data.GetAuthor(), "who");
    EXPECT_STREQ(data.GetComment(), "what");
    EXPECT_EQ(data.GetUserWord(), 2);
    EXPECT_EQ(std::memcmp(data.GetDigest(), digest, 16), 0);
    EXPECT_EQ(data.GetAttribute2(), 2);

    data.Clear();
    EXPECT_EQ(std::string(data.GetAuthor()), std::string(24, ' '));
    EXPECT_EQ(std::string(data.GetComment()), std::string(64, ' '));
    EXPECT_EQ(data.GetUserWord(), 0);
    for (uint32_t i = 0; i < data.GetImageSize(); ++i)
        ASSERT_EQ(data.GetImage()[i], 0) << i;
    EXPECT_STREQ(data.GetNoNameText(), "----");
    EXPECT_STREQ(data.GetChunkTag(), "3580PrgD");
    EXPECT_EQ(data.GetChunkSize(), 528u);
}

namespace
{
// Takes the first `room` bytes written, then refuses every write.
class FullStream : public CHfcOutputStream
{
public:
    explicit FullStream(size_t room) : m_room(room) {}
    uint64_t GetSize() const override { return m_bytes.size(); }
    uint64_t GetPosition() const override { return m_bytes.size(); }
    bool SetPosition(uint64_t) override { return false; }
    bool Write(const void* buffer, size_t n) override
    {
        if (m_bytes.size() + n > m_room)
            return false;
        const auto* p = static_cast<const uint8_t*>(buffer);
        m_bytes.insert(m_bytes.end(), p, p + n);
        return true;
    }

private:
    size_t m_room;
    Bytes m_bytes;
};

int32_t FileErrorOf(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (const CZmFileException& e)
    {
        return e.GetCode();
    }
    return -1;
}

// A program unlike the initial one, with library information.
void MakeLead(CProgram& p)
{
    p.Init();
    p.SetProgramName("lead");
    p.GetImage()[100] = 0x33;
    p.GetImage()[16 + 16] = (p.GetImage()[16 + 16] & ~0x30) | 0x20; // OSC 1 Mod 2 in timbre 1
    p.SetAuthor("author");
    p.SetComment("comment");
    p.SetUserWord(3);
}

std::string Digest(const CZmData& data)
{
    return std::string(reinterpret_cast<const char*>(data.GetDigest()), 16);
}

std::string Md5(const uint8_t* bytes, uint32_t n)
{
    uint8_t digest[16];
    ComputeMd5(bytes, n, digest);
    return std::string(reinterpret_cast<const char*>(digest), 16);
}
} // namespace

TEST(CProgram, FlagByteIsOneAfterConstruction)
{
    CProgram p;
    EXPECT_EQ(p.GetBlockFlag(), 1);
    EXPECT_EQ(p.GetFlag(), 0); // the data's own flag is a different byte
    p.Init();
    EXPECT_EQ(p.GetBlockFlag(), 1);
}

// Clear, CopyFrom and ReadImage change the image's name bytes: the block's name must follow,
// since the block is what the clipboard copies and the lists show.
TEST(CProgram, InheritedOperationsKeepTheBlockNameCurrent)
{
    CProgram lead;
    MakeLead(lead);
    const Bytes image(lead.GetImage(), lead.GetImage() + 346);
    struct Case
    {
        const char* what;
        std::function<void(CProgram&)> change;
        const char* name;
    };
    const Case cases[] = {
        {"CopyFrom", [&](CProgram& p) { p.CopyFrom(lead); }, "LEAD"},
        {"Assign", [&](CProgram& p) { p.Assign(lead); }, "LEAD"},
        {"Clear", [](CProgram& p) { p.Clear(); }, ""},
        {"ReadImage",
         [&](CProgram& p)
         {
             CHfcMemoryInputStream stream(image.data(), image.size());
             p.ReadImage(stream);
         },
         "LEAD"},
    };
    for (const Case& c : cases)
    {
        CProgram p;
        p.Init();
        c.change(p);
        EXPECT_STREQ(p.GetName(), c.name) << c.what;
        EXPECT_STREQ(p.GetBlock().name, c.name) << c.what;
    }
}

TEST(CQ3580ProgramData, ImagesAreWrittenAndReadAsExactly346Bytes)
{
    CProgram lead;
    MakeLead(lead);
    const Bytes written = WrittenBytes([&](CHfcOutputStream& s) { lead.WriteImage(s); });
    ASSERT_EQ(written.size(), 346u);
    EXPECT_EQ(written, Bytes(lead.GetImage(), lead.GetImage() + 346));
    EXPECT_EQ(lead.GetImageStreamSize(), 346u);

    CProgram program;
    CQ3580ProgramData data;
    for (CQ3580ProgramData* target : {static_cast<CQ3580ProgramData*>(&program), &data})
    {
        target->Init();
        target->SetAuthor("old author");
        target->SetComment("old comment");
        target->SetUserWord(4);
        target->GetOscCtrlMemory().slots[0][3] = 99;
        Bytes longer = written;
        longer.resize(400, 0xEE);
        CHfcMemoryInputStream stream(longer.data(), longer.size());
        target->ReadImage(stream);
        EXPECT_EQ(stream.GetPosition(), 346u);
        EXPECT_EQ(Bytes(target->GetImage(), target->GetImage() + 346), written);
        EXPECT_STREQ(target->GetName(), "LEAD");
        EXPECT_EQ(std::string(target->GetAuthor()), std::string(24, ' '));
        EXPECT_EQ(std::string(target->GetComment()), std::string(64, ' '));
        EXPECT_EQ(target->GetUserWord(), 4); // only author and comment are cleared
        EXPECT_EQ(Digest(*target), Md5(written.data(), 346));
        const CQ3580OscCtrlMemory& memory = target->GetOscCtrlMemory();
        EXPECT_EQ(memory.slots[0][3], 0);
        EXPECT_EQ(memory.slots[1][9], 64);
        EXPECT_EQ(memory.mod[0], 2);
    }
}

TEST(CQ3580ProgramData, FailedImageStreamsThrowAndChangeNothing)
{
    CProgram lead;
    MakeLead(lead);
    const Bytes image(lead.GetImage(), lead.GetImage() + 346);
    for (size_t length : {size_t{0}, size_t{1}, size_t{345}})
    {
        CProgram p;
        p.Init();
        p.SetAuthor("kept");
        const CProgramBlock before = p.GetBlock();
        const std::string digest = Digest(p);
        CHfcMemoryInputStream stream(image.data(), length);
        EXPECT_EQ(FileErrorOf([&] { p.ReadImage(stream); }), kZmFileErrorReadData) << length;
        EXPECT_EQ(std::memcmp(&p.GetBlock(), &before, sizeof before), 0) << length;
        EXPECT_EQ(Digest(p), digest) << length;
    }
    for (size_t room : {size_t{0}, size_t{345}})
    {
        FullStream full(room);
        EXPECT_EQ(FileErrorOf([&] { lead.WriteImage(full); }), kZmFileErrorWriteData) << room;
    }
}

TEST(CZmData, SaveToMemoryAndLoadFromMemoryCarryTheChunk)
{
    CProgram lead;
    MakeLead(lead);
    const Bytes chunk = WrittenBytes([&](CHfcOutputStream& s) { lead.WriteChunk(s); });
    ASSERT_EQ(chunk.size(), 528u);

    const std::unique_ptr<CEfMemoryBlock> block = lead.SaveToMemory();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Bytes(block->GetData(), block->GetData() + block->GetSize()), chunk);

    CProgram copy;
    copy.Init();
    copy.LoadFromMemory(*block);
    EXPECT_EQ(std::memcmp(&copy.GetBlock(), &lead.GetBlock(), sizeof(CProgramBlock)), 0);
    EXPECT_STREQ(copy.GetBlock().name, "LEAD");

    // Global data has the same pair.
    CGlobal global;
    global.GetImage()[0] = 42;
    const std::unique_ptr<CEfMemoryBlock> globalBlock = global.SaveToMemory();
    ASSERT_EQ(globalBlock->GetSize(), 176u);
    CGlobal other;
    other.LoadFromMemory(*globalBlock);
    EXPECT_EQ(other.GetImage()[0], 42);

    // A block that holds no whole chunk is refused, and the program stays as it was.
    CHfcMemoryBlock cut(block->GetData(), 300);
    CProgram untouched;
    untouched.Init();
    EXPECT_EQ(FileErrorOf([&] { untouched.LoadFromMemory(cut); }), kZmFileErrorReadData);
    EXPECT_STREQ(untouched.GetName(), "INITPROG");
    EXPECT_EQ(FileErrorOf([&] { untouched.LoadFromMemory(*globalBlock); }), kZmFileErrorInvalidId);
}

TEST(CZmData, ForwardingOperationsReachTheChunk)
{
    CProgram lead;
    MakeLead(lead);
    CZmData& data = lead;
    EXPECT_EQ(data.GetSize(), 528u);
    const Bytes chunk = WrittenBytes([&](CHfcOutputStream& s) { data.Write(s); });
    EXPECT_EQ(chunk, WrittenBytes([&](CHfcOutputStream& s) { lead.WriteChunk(s); }));

    CProgram copy;
    copy.Init();
    CHfcMemoryInputStream stream(chunk.data(), chunk.size());
    static_cast<CZmData&>(copy).Read(stream);
    EXPECT_STREQ(copy.GetName(), "LEAD");
    EXPECT_STREQ(copy.GetAuthor(), "author");

    CGlobal global;
    EXPECT_EQ(static_cast<CZmData&>(global).GetSize(), 176u);
}
