#include "synthdata/CProgram.h"

#include <gtest/gtest.h>

#include <cstring>
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
