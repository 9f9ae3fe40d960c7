#include "framework/CHfcClipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
// A hidden window to own the clipboard.
class ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("NV_TEST_SERIAL") == nullptr)
            GTEST_SKIP() << "runs in framework_tests_serial";
        owner = CreateWindowExA(0, "STATIC", "clipboard owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        format = clipboard.RegisterFormat("Q3580Timbre    ");
        ASSERT_NE(format, 0u);
    }
    void TearDown() override
    {
        if (owner == nullptr)
            return;
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "left open";
        DestroyWindow(owner);
    }

    CHfcClipboard clipboard;
    HWND owner = nullptr;
    uint32_t format = 0;
};
} // namespace

TEST_F(ClipboardTest, BytesRoundTripInARegisteredFormat)
{
    std::vector<uint8_t> bytes(128);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 5);
    {
        CHfcClipboardSession session(clipboard, owner);
        ASSERT_TRUE(session.IsOpen());
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetData(format, bytes.data(), bytes.size()));
    }
    EXPECT_EQ(clipboard.RegisterFormat("Q3580Timbre    "), format);
    CHfcClipboardSession session(clipboard, owner);
    EXPECT_TRUE(clipboard.IsFormatAvailable(format));
    EXPECT_EQ(clipboard.GetDataSize(format), 128u);
    std::vector<uint8_t> read(128);
    ASSERT_TRUE(clipboard.GetData(format, read.data(), read.size()));
    EXPECT_EQ(read, bytes);
}

// A read of a format that is not there, or of more than the data holds, leaves the buffer
// untouched; a read of less takes the data's first bytes (the system may round a block up).
TEST_F(ClipboardTest, AbsentFormatsAndLongerReadsAreNotReadAndShorterOnesTakeTheStart)
{
    const uint32_t absent = clipboard.RegisterFormat("Q3580Vocoder   ");
    std::vector<uint8_t> bytes(128, 0x42);
    {
        CHfcClipboardSession session(clipboard, owner);
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetData(format, bytes.data(), bytes.size()));
    }
    CHfcClipboardSession session(clipboard, owner);
    std::vector<uint8_t> buffer(200, 0xEE);
    EXPECT_FALSE(clipboard.IsFormatAvailable(absent));
    EXPECT_FALSE(clipboard.GetData(absent, buffer.data(), 78));
    EXPECT_FALSE(clipboard.GetData(format, buffer.data(), 200));
    EXPECT_FALSE(clipboard.GetData(format, buffer.data(), 129));
    EXPECT_EQ(buffer, std::vector<uint8_t>(200, 0xEE));
    EXPECT_EQ(clipboard.GetDataSize(absent), 0u);
    ASSERT_TRUE(clipboard.GetData(format, buffer.data(), 127));
    std::vector<uint8_t> start(200, 0xEE);
    std::fill(start.begin(), start.begin() + 127, 0x42);
    EXPECT_EQ(buffer, start);
}

// Without Open the clipboard refuses the data; the copy made for it does not stay behind.
TEST_F(ClipboardTest, SetDataWithoutOpenFails)
{
    std::vector<uint8_t> bytes(64, 1);
    EXPECT_FALSE(clipboard.SetData(format, bytes.data(), bytes.size()));
}
