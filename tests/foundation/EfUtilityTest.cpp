#include "foundation/CHfcMemoryOutputStream.h"
#include "foundation/EfUtility.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <string>

TEST(EfUtility, RangeOperations)
{
    EXPECT_EQ(ClampValue(5, 0, 10), 5);
    EXPECT_EQ(ClampValue(-1, 0, 10), 0);
    EXPECT_EQ(ClampValue(11, 0, 10), 10);
    EXPECT_EQ(ClampValue(0.75, 0.0, 0.5), 0.5);
    EXPECT_TRUE(InRange(10, 0, 10));
    EXPECT_FALSE(InRange(11, 0, 10));
    EXPECT_EQ(MaxValue(-3, 2), 2);
    EXPECT_EQ(MinValue(-3, 2), -3);
}

TEST(EfUtility, ByteOrderAndPackedSize)
{
    EXPECT_EQ(SwapBytes16(0x1234), 0x3412);
    EXPECT_EQ(SwapBytes32(0x12345678u), 0x78563412u);
    const struct
    {
        uint32_t n, packed;
    } cases[] = {{0, 0}, {1, 2}, {6, 7}, {7, 8}, {8, 10}, {14, 16}, {346, 396}};
    for (const auto& c : cases)
        EXPECT_EQ(GetPackedSize(c.n), c.packed) << c.n;
}

TEST(EfUtility, NoteNames)
{
    const struct
    {
        int32_t note;
        const char* name;
    } cases[] = {
        {0, "C-1"},
        {60, "C4"},
        {61, "C#4"},
        {127, "G9"},
        {128, "G#9"},
        {-1, "B-2"},
        {-12, "C-2"},
        {INT32_MIN, "E-178956972"},
        {INT32_MAX, "G178956969"},
    };
    for (const auto& c : cases)
    {
        char buffer[32];
        GetNoteName(c.note, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.name) << c.note;
    }
    char small[3];
    GetNoteName(61, small, sizeof small);
    EXPECT_STREQ(small, "C#");
}

TEST(EfUtility, FixedWidthNames)
{
    char trimmed[5];
    CopyTrimmedText(trimmed, "AB  ", 4);
    EXPECT_EQ(std::memcmp(trimmed, "AB\0\0\0", 5), 0); // nothing of the blanks is left behind
    CopyTrimmedText(trimmed, "A\0CD", 4);
    EXPECT_STREQ(trimmed, "A");
    CopyTrimmedText(trimmed, "WXYZextra", 4);
    EXPECT_STREQ(trimmed, "WXYZ");

    char padded[6] = "#####";
    CopyPadded(padded, "ab", 4);
    EXPECT_STREQ(padded, "ab  #");
    CopyPadded(padded, "abcdefg", 4);
    EXPECT_STREQ(padded, "abcd#");

    char name[] = "init prog10";
    UppercaseName8(name);
    EXPECT_STREQ(name, "INIT PROg10");
    char shortName[] = "ab\0cd";
    UppercaseName8(shortName);
    EXPECT_EQ(std::memcmp(shortName, "AB\0cd", 6), 0);
}

TEST(EfUtility, CompareNoCase)
{
    EXPECT_EQ(CompareNoCase("3580AllD", "3580alld", 8), 0);
    EXPECT_EQ(CompareNoCase("abcX", "ABCy", 3), 0);
    EXPECT_LT(CompareNoCase("abcX", "ABCy", 4), 0);
    EXPECT_GT(CompareNoCase("b", "A", 1), 0);
    EXPECT_LT(CompareNoCase("ab", "abc", 8), 0);
    EXPECT_EQ(CompareNoCase("same", "same", 100), 0);
}

TEST(EfUtility, ExtensionsAndFileNames)
{
    const struct
    {
        const char* path;
        const char* extension;
        const char* name;
    } cases[] = {
        {"C:\\Data\\Set.nvrn_all", "nvrn_all", "Set.nvrn_all"},
        {"C:\\my.folder\\Report", "", "Report"},
        {"/home/user/lib.v2/bank.j5l", "j5l", "bank.j5l"},
        {"archive.tar.gz", "gz", "archive.tar.gz"},
        {"mixed\\dir/file.txt", "txt", "file.txt"},
        {"name.", "", "name."},
        {"folder\\", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(GetExtension(c.path), c.extension) << c.path;
        char buffer[64];
        GetFileName(c.path, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.name) << c.path;
    }
    char small[5];
    GetFileName("C:\\Data\\LongName.txt", small, sizeof small);
    EXPECT_STREQ(small, "Long");
    EXPECT_STREQ(GetExtension(nullptr), "");
}

TEST(EfUtility, WriteFormattedCutsAtItsBuffer)
{
    CHfcMemoryOutputStream out;
    EXPECT_TRUE(WriteFormatted(out, "%s\t%03d\r\n", "INIT", 7));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetData())), "INIT\t007\r\n");

    CHfcMemoryOutputStream longOut;
    const std::string text(3000, 'x');
    EXPECT_TRUE(WriteFormatted(longOut, "%s", text.c_str()));
    EXPECT_EQ(longOut.GetLength(), 1023u);
}

TEST(EfUtility, LocalDateAndStatusText)
{
    int32_t year = 0, month = 0, day = 0;
    GetLocalDate(year, month, day);
    const std::time_t now = std::time(nullptr);
    EXPECT_GE(year, 2020);
    EXPECT_TRUE(InRange(month, 1, 12));
    EXPECT_TRUE(InRange(day, 1, 31));
    EXPECT_LE(year, 1970 + static_cast<int32_t>(now / (365 * 24 * 3600)) + 1);

    SetStatusText("Received all data");
    EXPECT_STREQ(GetStatusText(), "Received all data");
    SetStatusText(std::string(2000, 's').c_str());
    EXPECT_EQ(std::strlen(GetStatusText()), 1023u);
    SetStatusText(nullptr);
    EXPECT_STREQ(GetStatusText(), "");
}
