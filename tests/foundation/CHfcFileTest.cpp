#include "foundation/CHfcFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    CHfcFile file;
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
    ASSERT_EQ(file.Write(bytes.data(), bytes.size()), bytes.size());
    ASSERT_TRUE(file.Close());
}

std::string ReadFile(const std::filesystem::path& path)
{
    CHfcFile file;
    if (!file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary))
        return "<cannot open>";
    std::string bytes;
    char buffer[64];
    for (size_t n; (n = file.Read(buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

} // namespace

TEST(CHfcFile, OpenModes)
{
    TempFolder folder;
    const auto path = folder.File("modes.bin");
    const auto missing = folder.File("missing.bin");
    CHfcFile file;

    // Bits 0-1 of 0 name no direction: refused, whatever the other bits.
    EXPECT_FALSE(file.Open(path, 0));
    EXPECT_FALSE(file.Open(path, CHfcFile::kModeBinary));
    EXPECT_FALSE(file.Open(path, 4));
    EXPECT_FALSE(file.IsOpen());

    EXPECT_FALSE(file.Open(missing, CHfcFile::kModeRead | CHfcFile::kModeBinary));
    EXPECT_FALSE(file.Open(missing, CHfcFile::kModeReadWrite | CHfcFile::kModeBinary));
    EXPECT_FALSE(file.IsOpen());

    WriteFile(path, "abcdef");
    // Write truncates; read-write keeps the bytes and may switch between reading and writing.
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeReadWrite | CHfcFile::kModeBinary));
    char two[2];
    ASSERT_EQ(file.Read(two, 2), 2u);
    ASSERT_EQ(file.Write("XY", 2), 2u);
    ASSERT_EQ(file.Read(two, 2), 2u);
    EXPECT_EQ(std::string(two, 2), "ef");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFile(path), "abXYef");

    ASSERT_TRUE(file.Open(path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFile(path), "");
}

TEST(CHfcFile, ClosedFileDoesNothing)
{
    CHfcFile file;
    char byte = 0;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(file.Read(&byte, 1), 0u);
    EXPECT_EQ(file.Write(&byte, 1), 0u);
    EXPECT_FALSE(file.Seek(0, CHfcFile::kSeekBegin));
    EXPECT_EQ(file.GetPosition(), -1);
}

TEST(CHfcFile, SeekOrigins)
{
    TempFolder folder;
    const auto path = folder.File("seek.bin");
    WriteFile(path, "0123456789");
    CHfcFile file;
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary));
    const struct
    {
        int64_t offset;
        int32_t origin;
        int64_t position;
    } cases[] = {
        {4, CHfcFile::kSeekBegin, 4},
        {2, CHfcFile::kSeekCurrent, 6},
        {-3, CHfcFile::kSeekEnd, 7},
        {-1, CHfcFile::kSeekCurrent, 6},
        {1, 7, 1}, // any other origin counts from the beginning
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(file.Seek(c.offset, c.origin));
        EXPECT_EQ(file.GetPosition(), c.position) << c.offset << " from " << c.origin;
    }
    char byte = 0;
    ASSERT_EQ(file.Read(&byte, 1), 1u);
    EXPECT_EQ(byte, '1');
}

TEST(CHfcFile, UnicodeFileNames)
{
    TempFolder folder;
    // Japanese, accented and non-BMP characters.
    const char* const names[] = {u8"\u97f3\u8272\u30e9\u30a4\u30d6\u30e9\u30ea.nvrn_all",
                                 u8"caf\u00e9 \u00fc.bin", u8"\U0001F3B9.bin"};
    for (const char* name : names)
    {
        const auto path = folder.File(name);
        WriteFile(path, name);
        EXPECT_EQ(ReadFile(path), name);
        uint64_t size = 0;
        EXPECT_TRUE(GetFileInfo(path, size));
        EXPECT_EQ(size, std::strlen(name));
    }
    // The names on disk are the names given.
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        for (const char* name : names)
            found += entry.path().filename().u8string() == name;
    EXPECT_EQ(found, 3);
}

TEST(CHfcFile, FileInfoAndSize)
{
    TempFolder folder;
    const auto path = folder.File("info.bin");
    WriteFile(path, std::string(1234, 'z'));
    uint64_t size = 99;
    EXPECT_TRUE(GetFileInfo(path, size));
    EXPECT_EQ(size, 1234u);
    EXPECT_EQ(GetFileSize(path), 1234u);

    size = 99;
    EXPECT_FALSE(GetFileInfo(folder.Path(), size)); // a folder is not a file
    EXPECT_FALSE(GetFileInfo(folder.File("none"), size));
    EXPECT_EQ(size, 99u);
    EXPECT_EQ(GetFileSize(folder.File("none")), 0u);
    EXPECT_EQ(GetFileSize(folder.Path()), 0u);
}
