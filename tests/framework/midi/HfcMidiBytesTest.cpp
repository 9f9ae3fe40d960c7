#include "framework/midi/HfcMidiBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{
TEST(MidiBytes, MessageLengthOfEveryStatus)
{
    struct Range
    {
        int first, last;
        uint32_t length;
    };
    const Range ranges[] = {
        {0x00, 0x7F, 3}, {0x80, 0xBF, 3}, {0xC0, 0xDF, 2}, {0xE0, 0xEF, 3}, {0xF0, 0xF0, 3}, {0xF1, 0xF1, 2},
        {0xF2, 0xF2, 3}, {0xF3, 0xF3, 2}, {0xF4, 0xF5, 3}, {0xF6, 0xF6, 1}, {0xF7, 0xF7, 3}, {0xF8, 0xFF, 1},
    };
    for (const Range& r : ranges)
        for (int status = r.first; status <= r.last; ++status)
            EXPECT_EQ(GetMessageLength(static_cast<uint8_t>(status)), r.length) << std::hex << status;
}

TEST(MidiBytes, EncodedSizes)
{
    const uint32_t cases[][2] = {{0, 0}, {1, 2}, {6, 7}, {7, 8}, {8, 10}, {14, 16}, {15, 18}, {346, 396}};
    for (const auto& c : cases)
        EXPECT_EQ(GetEncoded7BitSize(c[0]), c[1]) << c[0];
}

TEST(MidiBytes, EncodeCarriesTopBitsInTheGroupHeader)
{
    // Group 1: bytes 0 and 6 have bit 7; group 2 (two bytes): byte 1 has it.
    const uint8_t data[9] = {0x80, 0x01, 0x7F, 0x00, 0x55, 0x2A, 0xFF, 0x10, 0xC3};
    const uint8_t expected[11] = {0x41, 0x00, 0x01, 0x7F, 0x00, 0x55, 0x2A, 0x7F, 0x02, 0x10, 0x43};
    uint8_t packed[11] = {};
    Encode7Bit(packed, data, 9);
    EXPECT_EQ(std::vector<uint8_t>(packed, packed + 11), std::vector<uint8_t>(expected, expected + 11));
    uint8_t unpacked[9] = {};
    Decode7Bit(unpacked, packed, 9);
    EXPECT_EQ(std::vector<uint8_t>(unpacked, unpacked + 9), std::vector<uint8_t>(data, data + 9));
}

TEST(MidiBytes, RoundTripOfEveryLengthUpTo1000)
{
    std::mt19937 random(3580);
    for (uint32_t n = 0; n <= 1000; ++n)
    {
        std::vector<uint8_t> data(n);
        for (uint8_t& b : data)
            b = static_cast<uint8_t>(random());
        uint32_t size = GetEncoded7BitSize(n);
        // One guard byte past each buffer catches a write beyond the computed size.
        std::vector<uint8_t> packed(size + 1, 0xEE);
        Encode7Bit(packed.data(), data.data(), n);
        ASSERT_EQ(packed[size], 0xEE) << n;
        for (uint32_t i = 0; i < size; ++i)
            ASSERT_LT(packed[i], 0x80) << "byte " << i << " of " << n;
        std::vector<uint8_t> unpacked(n + 1, 0xEE);
        Decode7Bit(unpacked.data(), packed.data(), n);
        ASSERT_EQ(unpacked[n], 0xEE) << n;
        unpacked.pop_back();
        ASSERT_EQ(unpacked, data) << n;
    }
}
} // namespace
