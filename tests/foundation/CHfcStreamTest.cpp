#include "foundation/CHfcFile.h"
#include "foundation/CHfcFileInputStream.h"
#include "foundation/CHfcFileOutputStream.h"
#include "foundation/CHfcMemoryInputStream.h"
#include "foundation/CHfcMemoryOutputStream.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<uint8_t>;

// Makes an output stream, then an input stream over what was written, over one medium.
class StreamMedium
{
public:
    virtual ~StreamMedium() = default;
    virtual CHfcOutputStream& Output() = 0;
    // Ends the writing and reads the bytes back.
    virtual CHfcInputStream& Input() = 0;
    // An input stream over the given bytes.
    virtual CHfcInputStream& InputOver(const Bytes& bytes) = 0;
};

class MemoryMedium : public StreamMedium
{
public:
    CHfcOutputStream& Output() override { return m_output; }
    CHfcInputStream& Input() override
    {
        m_input = std::make_unique<CHfcMemoryInputStream>(m_output.GetData(), m_output.GetLength());
        return *m_input;
    }
    CHfcInputStream& InputOver(const Bytes& bytes) override
    {
        m_bytes = bytes;
        m_input = std::make_unique<CHfcMemoryInputStream>(m_bytes.data(), m_bytes.size());
        return *m_input;
    }

private:
    CHfcMemoryOutputStream m_output{0, 16};
    Bytes m_bytes;
    std::unique_ptr<CHfcMemoryInputStream> m_input;
};

class FileMedium : public StreamMedium
{
public:
    CHfcOutputStream& Output() override
    {
        EXPECT_TRUE(m_file.Open(m_path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
        m_output = std::make_unique<CHfcFileOutputStream>(m_file);
        return *m_output;
    }
    CHfcInputStream& Input() override
    {
        m_output.reset();
        EXPECT_TRUE(m_file.Close());
        EXPECT_TRUE(m_file.Open(m_path, CHfcFile::kModeRead | CHfcFile::kModeBinary));
        m_input = std::make_unique<CHfcFileInputStream>(m_file);
        return *m_input;
    }
    CHfcInputStream& InputOver(const Bytes& bytes) override
    {
        CHfcFile file;
        EXPECT_TRUE(file.Open(m_path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
        if (!bytes.empty())
        {
            EXPECT_EQ(file.Write(bytes.data(), bytes.size()), bytes.size());
        }
        EXPECT_TRUE(file.Close());
        EXPECT_TRUE(m_file.Open(m_path, CHfcFile::kModeRead | CHfcFile::kModeBinary));
        m_input = std::make_unique<CHfcFileInputStream>(m_file);
        return *m_input;
    }

private:
    TempFolder m_folder;
    std::filesystem::path m_path = m_folder.File("stream.bin");
    CHfcFile m_file;
    std::unique_ptr<CHfcFileOutputStream> m_output;
    std::unique_ptr<CHfcFileInputStream> m_input;
};

struct MediumCase
{
    const char* name;
    std::function<std::unique_ptr<StreamMedium>()> make;
};

class StreamTest : public testing::TestWithParam<MediumCase>
{
protected:
    void SetUp() override { m_medium = GetParam().make(); }
    std::unique_ptr<StreamMedium> m_medium;
};

Bytes ReadAll(CHfcInputStream& in)
{
    Bytes bytes(static_cast<size_t>(in.GetSize()));
    if (!bytes.empty())
        bytes.resize(in.Read(bytes.data(), bytes.size()));
    return bytes;
}

} // namespace

TEST_P(StreamTest, TypedWritesGiveTheirBytesAndReadBack)
{
    CHfcOutputStream& out = m_medium->Output();
    ASSERT_TRUE(out.WriteByte(0xA5));
    ASSERT_TRUE(out.WriteBool(true));
    ASSERT_TRUE(out.WriteBool(false));
    ASSERT_TRUE(out.WriteU16(0x1234));
    ASSERT_TRUE(out.WriteU16Swapped(0x1234));
    ASSERT_TRUE(out.WriteU32(0x89ABCDEFu));
    ASSERT_TRUE(out.WriteU32Swapped(0x89ABCDEFu));
    ASSERT_TRUE(out.WriteFloat(-1.5f));
    ASSERT_TRUE(out.WriteDouble(0.1));
    ASSERT_TRUE(out.Fill(0xFF, 3));
    ASSERT_TRUE(out.Write("xyz", 3));
    EXPECT_EQ(out.GetSize(), 33u);
    EXPECT_EQ(out.GetPosition(), 33u);

    CHfcInputStream& in = m_medium->Input();
    const Bytes expected = {0xA5, 0xFF, 0x00, 0x34, 0x12, 0x12, 0x34, 0xEF, 0xCD, 0xAB, 0x89,
                            0x89, 0xAB, 0xCD, 0xEF, 0x00, 0x00, 0xC0, 0xBF, 0x9A, 0x99, 0x99,
                            0x99, 0x99, 0x99, 0xB9, 0x3F, 0xFF, 0xFF, 0xFF, 'x',  'y',  'z'};
    ASSERT_EQ(in.GetSize(), 33u);
    EXPECT_EQ(ReadAll(in), expected);
    EXPECT_TRUE(in.IsAtEnd());

    ASSERT_TRUE(in.SetPosition(0));
    EXPECT_FALSE(in.IsAtEnd());
    EXPECT_EQ(in.ReadByte(), 0xA5);
    EXPECT_TRUE(in.ReadBool());
    EXPECT_FALSE(in.ReadBool());
    EXPECT_EQ(in.ReadU16(), 0x1234);
    EXPECT_EQ(in.ReadU16Swapped(), 0x1234);
    EXPECT_EQ(in.ReadU32(), 0x89ABCDEFu);
    EXPECT_EQ(in.ReadU32Swapped(), 0x89ABCDEFu);
    EXPECT_EQ(in.ReadFloat(), -1.5f);
    EXPECT_EQ(in.ReadDouble(), 0.1);
    EXPECT_EQ(in.GetPosition(), 27u);
    ASSERT_TRUE(in.Skip(3));
    char text[4] = {};
    EXPECT_EQ(in.Read(text, 10), 3u);
    EXPECT_STREQ(text, "xyz");
    EXPECT_TRUE(in.IsAtEnd());
}

TEST_P(StreamTest, ByteOrderOfTheSixteenBitReads)
{
    CHfcInputStream& in = m_medium->InputOver({0x12, 0x34, 0x12, 0x34});
    EXPECT_EQ(in.ReadU16Swapped(), 0x1234);
    EXPECT_EQ(in.ReadU16(), 0x3412);
}

TEST_P(StreamTest, AShortTypedReadAnswersZeroAndConsumesWhatIsLeft)
{
    struct Case
    {
        const char* read;
        size_t left;
        std::function<bool(CHfcInputStream&)> readsZero;
    };
    const Case cases[] = {
        {"ReadByte", 0, [](CHfcInputStream& s) { return s.ReadByte() == 0; }},
        {"ReadBool", 0, [](CHfcInputStream& s) { return !s.ReadBool(); }},
        {"ReadU16", 1, [](CHfcInputStream& s) { return s.ReadU16() == 0; }},
        {"ReadU16Swapped", 1, [](CHfcInputStream& s) { return s.ReadU16Swapped() == 0; }},
        {"ReadU32", 2, [](CHfcInputStream& s) { return s.ReadU32() == 0; }},
        {"ReadU32Swapped", 3, [](CHfcInputStream& s) { return s.ReadU32Swapped() == 0; }},
        {"ReadFloat", 3, [](CHfcInputStream& s) { return s.ReadFloat() == 0.0f; }},
        {"ReadDouble", 7, [](CHfcInputStream& s) { return s.ReadDouble() == 0.0; }},
    };
    for (const Case& c : cases)
    {
        // A leading byte, then fewer bytes than the read's width, all 0x7F.
        CHfcInputStream& in = m_medium->InputOver(Bytes(1 + c.left, 0x7F));
        EXPECT_EQ(in.ReadByte(), 0x7F);
        EXPECT_TRUE(c.readsZero(in)) << c.read;
        EXPECT_EQ(in.GetPosition(), 1 + c.left) << c.read;
        EXPECT_TRUE(in.IsAtEnd()) << c.read;
    }
}

TEST_P(StreamTest, LastByteIsReadableAndSkipStopsAtTheSize)
{
    CHfcInputStream& in = m_medium->InputOver({1, 2, 3, 4, 5});
    EXPECT_EQ(in.GetSize(), 5u);
    ASSERT_TRUE(in.Skip(4));
    EXPECT_FALSE(in.IsAtEnd());
    EXPECT_EQ(in.ReadByte(), 5);
    EXPECT_TRUE(in.IsAtEnd());

    ASSERT_TRUE(in.SetPosition(2));
    in.Skip(1000);
    EXPECT_EQ(in.GetPosition(), 5u);
    EXPECT_TRUE(in.IsAtEnd());
    uint8_t byte = 0;
    EXPECT_EQ(in.Read(&byte, 1), 0u);
}

TEST_P(StreamTest, AnEmptyStreamIsAtItsEnd)
{
    CHfcInputStream& in = m_medium->InputOver({});
    EXPECT_EQ(in.GetSize(), 0u);
    EXPECT_TRUE(in.IsAtEnd());
    EXPECT_EQ(in.ReadU32(), 0u);
    EXPECT_TRUE(in.Skip(4));
    EXPECT_EQ(in.GetPosition(), 0u);
}

TEST_P(StreamTest, WritingAfterMovingBackOverwritesAndKeepsTheSize)
{
    CHfcOutputStream& out = m_medium->Output();
    ASSERT_TRUE(out.WriteU32(0));
    ASSERT_TRUE(out.Write("abcd", 4));
    ASSERT_TRUE(out.SetPosition(0));
    ASSERT_TRUE(out.WriteU32Swapped(8));
    EXPECT_EQ(out.GetPosition(), 4u);
    EXPECT_EQ(out.GetSize(), 8u);

    EXPECT_EQ(ReadAll(m_medium->Input()), (Bytes{0, 0, 0, 8, 'a', 'b', 'c', 'd'}));
}

TEST_P(StreamTest, WritingBeyondTheEndZeroFillsTheGap)
{
    CHfcOutputStream& out = m_medium->Output();
    ASSERT_TRUE(out.WriteByte(0xEE));
    ASSERT_TRUE(out.SetPosition(4));
    ASSERT_TRUE(out.WriteByte(0xDD));
    EXPECT_EQ(out.GetSize(), 5u);

    EXPECT_EQ(ReadAll(m_medium->Input()), (Bytes{0xEE, 0, 0, 0, 0xDD}));
}

INSTANTIATE_TEST_SUITE_P(Media, StreamTest,
                         testing::Values(MediumCase{"Memory",
                                                    [] { return std::make_unique<MemoryMedium>(); }},
                                         MediumCase{"File", [] { return std::make_unique<FileMedium>(); }}),
                         [](const testing::TestParamInfo<MediumCase>& info)
                         { return std::string(info.param.name); });

TEST(CHfcMemoryOutputStream, GrowsInStepsOfAtLeastSixteen)
{
    CHfcMemoryOutputStream out(0, 4);
    EXPECT_EQ(out.GetCapacity(), 0u);
    ASSERT_TRUE(out.WriteByte(1));
    EXPECT_EQ(out.GetCapacity(), 16u);
    ASSERT_TRUE(out.Fill(2, 14));
    EXPECT_EQ(out.GetCapacity(), 16u); // 15 bytes and the terminator
    ASSERT_TRUE(out.WriteByte(3));
    EXPECT_EQ(out.GetCapacity(), 32u);

    CHfcMemoryOutputStream wide(100, 64);
    EXPECT_EQ(wide.GetCapacity(), 128u);
}

TEST(CHfcMemoryOutputStream, DataIsTerminatedAfterTheBytesWritten)
{
    CHfcMemoryOutputStream out(0, 16);
    ASSERT_TRUE(out.Write("0123456789abcdef", 16));
    ASSERT_TRUE(out.SetPosition(3));
    ASSERT_TRUE(out.Write("X", 1));
    EXPECT_EQ(out.GetLength(), 16u);
    EXPECT_STREQ(reinterpret_cast<const char*>(out.GetData()), "012X456789abcdef");

    CHfcMemoryOutputStream empty;
    ASSERT_NE(empty.GetData(), nullptr);
    EXPECT_EQ(empty.GetData()[0], 0);
}

TEST(CHfcMemoryOutputStream, RefusesAWriteWhoseEndCannotBeHeld)
{
    CHfcMemoryOutputStream out;
    ASSERT_TRUE(out.Write("ab", 2));
    ASSERT_TRUE(out.SetPosition(UINT64_MAX - 1));
    EXPECT_FALSE(out.Write("cd", 2));
    EXPECT_EQ(out.GetLength(), 2u);
    EXPECT_STREQ(reinterpret_cast<const char*>(out.GetData()), "ab");
}

TEST(CHfcMemoryInputStream, PositionStaysWithinTheSize)
{
    const uint8_t bytes[3] = {1, 2, 3};
    CHfcMemoryInputStream in(bytes, sizeof bytes);
    EXPECT_TRUE(in.SetPosition(3));
    EXPECT_TRUE(in.IsAtEnd());
    EXPECT_FALSE(in.SetPosition(4));
    EXPECT_EQ(in.GetPosition(), 3u);
    ASSERT_TRUE(in.SetPosition(1));
    EXPECT_EQ(in.ReadU16Swapped(), 0x0203);
}

TEST(CHfcFileInputStream, StartsAtTheBeginningWithTheWholeLength)
{
    TempFolder folder;
    const auto path = folder.File("whole.bin");
    CHfcFile file;
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
    ASSERT_EQ(file.Write("\x01\x02\x03", 3), 3u);
    ASSERT_TRUE(file.Close());

    ASSERT_TRUE(file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary));
    ASSERT_TRUE(file.Seek(2, CHfcFile::kSeekBegin));
    CHfcFileInputStream in(file);
    EXPECT_EQ(in.GetSize(), 3u);
    EXPECT_EQ(in.GetPosition(), 0u);
    EXPECT_EQ(in.ReadByte(), 1);

    CHfcFile closed;
    CHfcFileInputStream none(closed);
    EXPECT_EQ(none.GetSize(), 0u);
    EXPECT_TRUE(none.IsAtEnd());
    EXPECT_EQ(none.ReadU16(), 0u);
}

TEST(CHfcFileOutputStream, CountsFromTheFilesPositionWhenMade)
{
    TempFolder folder;
    const auto path = folder.File("append.bin");
    CHfcFile file;
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
    ASSERT_EQ(file.Write("head", 4), 4u);
    {
        CHfcFileOutputStream out(file);
        EXPECT_EQ(out.GetPosition(), 0u);
        ASSERT_TRUE(out.WriteU16(0xBBAA));
        ASSERT_TRUE(out.SetPosition(0));
        ASSERT_TRUE(out.WriteByte(0xCC));
        EXPECT_EQ(out.GetSize(), 2u);
        EXPECT_EQ(out.GetPosition(), 1u);
    }
    ASSERT_TRUE(file.Close());

    ASSERT_TRUE(file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary));
    uint8_t bytes[8] = {};
    ASSERT_EQ(file.Read(bytes, sizeof bytes), 6u);
    EXPECT_EQ(std::memcmp(bytes, "head\xCC\xBB", 6), 0);
}
