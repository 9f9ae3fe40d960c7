#include "foundation/CHfcFileInputStream.h"
#include "foundation/win32/CHfcResourceFile.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

TEST(CHfcResourceFile, TheValueNameTableIsAJapaneseLanguageResource)
{
    EXPECT_NE(FindResourceExW(GetModuleHandleW(nullptr), L"STR", L"Q3580StringTable.txt",
                              MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)),
              nullptr);
    EXPECT_EQ(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), 1041);
}

TEST(CHfcResourceFile, ReadsAndSeeksTheResourceBytes)
{
    CHfcResourceFile file;
    EXPECT_FALSE(file.OpenResource(L"STR", L"NoSuchResource"));
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.OpenResource(L"STR", L"Q3580StringTable.txt"));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetPosition(), 0);

    char head[3] = {};
    ASSERT_EQ(file.Read(head, 2), 2u);
    EXPECT_STREQ(head, "; ");
    EXPECT_EQ(file.Write("x", 1), 0u);

    ASSERT_TRUE(file.Seek(-2, CHfcFile::kSeekEnd));
    char tail[3] = {};
    ASSERT_EQ(file.Read(tail, 10), 2u);
    EXPECT_STREQ(tail, "\r\n");
    const int64_t size = file.GetPosition();
    EXPECT_FALSE(file.Seek(1, CHfcFile::kSeekCurrent));
    EXPECT_FALSE(file.Seek(-1, CHfcFile::kSeekBegin));
    EXPECT_EQ(file.GetPosition(), size);

    CHfcFileInputStream stream(file);
    EXPECT_EQ(static_cast<int64_t>(stream.GetSize()), size);
    EXPECT_EQ(stream.ReadU16(), 0x203B); // "; "

    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Close());
}
