#include "app/protocol/MidiProtocol.h"

#include "support/MidiText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::string Hex(const std::vector<uint8_t>& bytes)
{
    return HexBytes(bytes.data(), bytes.size());
}

bool Matches(uint32_t row, const std::string& hex)
{
    std::vector<uint8_t> bytes = BytesOf(hex);
    return MatchSysExTemplate(row, bytes.data(), static_cast<uint32_t>(bytes.size()));
}
} // namespace

TEST(MidiProtocol, RequestsCarryTheChannelAndTheNumber)
{
    struct Case
    {
        uint32_t row;
        uint32_t channel;
        uint32_t number;
        const char* bytes;
    } cases[] = {
        {kRowDeviceInquiry, 5, 0, "F0 7E 7F 06 01 F7"}, // sent as stored, whatever the channel
        {kRowCurrentProgramRequest, 15, 0, "F0 7D 3F 7E 10 F7"},
        {kRowProgramRequest, 3, 100, "F0 7D 33 7E 1C 64 00 F7"},
        {kRowProgramRequest, 0, 127, "F0 7D 30 7E 1C 7F 00 F7"},
        {kRowProgramRequest, 0, 300, "F0 7D 30 7E 1C 2C 02 F7"}, // 14-bit, low 7 bits first
        {kRowGlobalRequest, 9, 0, "F0 7D 39 7E 0E F7"},
        {kRowProgramRequest, 0x13, 1, "F0 7D 33 7E 1C 01 00 F7"}, // only the channel's low nibble
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(BuildSysEx(c.row, c.channel, nullptr, 0, c.number)), c.bytes) << c.bytes;
    EXPECT_TRUE(BuildSysEx(kSysExTemplateCount, 0, nullptr, 0, 0).empty());
}

TEST(MidiProtocol, DumpsPutThePayloadAfterTheHeaderAndCloseWithF7)
{
    std::vector<uint8_t> packed(kPackedProgramBytes);
    for (size_t i = 0; i < packed.size(); ++i)
        packed[i] = static_cast<uint8_t>(i & 0x7F);

    std::vector<uint8_t> numbered = BuildSysEx(kRowProgramDump, 2, packed.data(), kPackedProgramBytes, 5);
    ASSERT_EQ(numbered.size(), kProgramDumpLength);
    EXPECT_EQ(HexBytes(numbered.data(), 9), "F0 7D 32 7E 4C 05 00 00 01");
    EXPECT_EQ(std::vector<uint8_t>(numbered.begin() + 7, numbered.end() - 1), packed);
    EXPECT_EQ(numbered.back(), 0xF7);

    std::vector<uint8_t> current =
        BuildSysEx(kRowCurrentProgramDump, 0, packed.data(), kPackedProgramBytes, 0);
    ASSERT_EQ(current.size(), kCurrentProgramDumpLength);
    EXPECT_EQ(HexBytes(current.data(), 6), "F0 7D 30 7E 40 00");

    std::vector<uint8_t> global = BuildSysEx(kRowGlobalDump, 0, packed.data(), kPackedGlobalBytes, 0);
    ASSERT_EQ(global.size(), kGlobalDumpLength);
    EXPECT_EQ(HexBytes(global.data(), 5), "F0 7D 30 7E 51");
    EXPECT_EQ(global.back(), 0xF7);
}

TEST(MidiProtocol, MatchingIgnoresTheChannelAndTakesTheSecondModelId)
{
    struct Case
    {
        uint32_t row;
        const char* bytes;
        bool match;
    } cases[] = {
        {kRowWriteComplete, "F0 7D 30 7E 23 F7", true},
        {kRowWriteComplete, "F0 7D 3A 7E 23 F7", true},  // another channel
        {kRowWriteComplete, "F0 7D 30 7C 23 F7", true},  // second model id
        {kRowWriteComplete, "F0 7D 30 7B 23 F7", false}, // another model
        {kRowWriteComplete, "F0 7D 40 7E 23 F7", false}, // byte 2's high nibble counts
        {kRowWriteComplete, "F0 7D 30 7E 24 F7", false},
        {kRowWriteComplete, "F0 7D 30 7E 23", false}, // shorter than the row
        {kRowWriteError, "F0 7D 35 7E 24 F7", true},
        {kRowDataLoadError, "F0 7D 30 7E 26 F7", true},
        {kRowProgramDump, "F0 7D 30 7E 4C 05 00", true}, // only the first five bytes identify it
        {kRowProgramDump, "F0 7D 30 7E 4C 05", false},
        {kRowCurrentProgramDump, "F0 7D 31 7E 40", true},
        {kRowGlobalDump, "F0 7D 31 7C 51 00 F7", true},
        {kRowIdentityReply, "F0 7E 03 06 02 7D 7E 00 00 00 01 00 02 00 F7", true},
        {kRowIdentityReply, "F0 7E 03 06 02 7D 7E 00 00 00 01 00 02 F7", false},
        {kSysExTemplateCount, "F0 7D 30 7E 23 F7", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Matches(c.row, c.bytes), c.match) << c.row << ": " << c.bytes;
    EXPECT_FALSE(MatchSysExTemplate(kRowWriteComplete, nullptr, 6));
}

TEST(MidiProtocol, SignedFourteenBitNumbers)
{
    struct Case
    {
        int32_t value;
        uint8_t low;
        uint8_t high;
    } cases[] = {
        {0, 0x00, 0x00},    {1, 0x01, 0x00},  {127, 0x7F, 0x00}, {128, 0x00, 0x01},
        {8191, 0x7F, 0x3F}, {-1, 0x7F, 0x7F}, {-64, 0x40, 0x7F}, {-8192, 0x00, 0x40},
    };
    for (const Case& c : cases)
    {
        uint8_t bytes[2];
        EncodeSigned14(c.value, bytes);
        EXPECT_EQ(bytes[0], c.low) << c.value;
        EXPECT_EQ(bytes[1], c.high) << c.value;
        EXPECT_EQ(DecodeSigned14(c.low, c.high), c.value);
    }
    // Bit 7 of a received byte is no part of the number.
    EXPECT_EQ(DecodeSigned14(0x81, 0x80), 1);
}

TEST(MidiProtocol, ParameterChangeOutAndIn)
{
    std::vector<uint8_t> message = BuildParameterChange(4, 0x21, 0x32, -5);
    EXPECT_EQ(Hex(message), "F0 7D 34 7E 41 21 00 32 00 7B 7F F7");

    int32_t section = 0, index = 0, value = 0;
    ASSERT_TRUE(DecodeParameterChange(message.data(), 12, section, index, value));
    EXPECT_EQ(section, 0x21);
    EXPECT_EQ(index, 0x32);
    EXPECT_EQ(value, -5);

    struct Case
    {
        const char* bytes;
        bool taken;
    } cases[] = {
        {"F0 7D 3F 7E 41 01 00 02 00 03 00 F7", true}, // any channel
        {"F0 7D 30 7E 41 01 00 02 00 03 F7", false},   // 11 bytes
        {"F0 7D 30 7E 41 01 00 02 00 03 00 00 F7", false}, {"F0 7D 30 7E 42 01 00 02 00 03 00 F7", false},
        {"F0 7C 30 7E 41 01 00 02 00 03 00 F7", false},    {"F0 7D 20 7E 41 01 00 02 00 03 00 F7", false},
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> bytes = BytesOf(c.bytes);
        EXPECT_EQ(
            DecodeParameterChange(bytes.data(), static_cast<uint32_t>(bytes.size()), section, index, value),
            c.taken)
            << c.bytes;
    }
}

TEST(MidiProtocol, IdentityReplyIsExactlyFifteenBytes)
{
    std::vector<uint8_t> reply = BytesOf("F0 7E 0B 06 02 7D 7E 00 01 00 05 00 7F 7F F7");
    CSysExIdentity identity;
    ASSERT_TRUE(DecodeIdentityReply(reply.data(), 15, identity));
    EXPECT_EQ(identity.channel, 11u);
    EXPECT_EQ(identity.family, kSysExModelId);
    EXPECT_EQ(identity.member, 1);
    EXPECT_EQ(identity.versionA, 5);
    EXPECT_EQ(identity.versionB, -1);

    for (const char* refused :
         {"F0 7E 0B 06 02 7D 7E 00 01 00 05 00 7F F7", "F0 7E 0B 06 02 7D 7E 00 01 00 05 00 7F 7F 00 F7",
          "F0 7E 0B 06 01 7D 7E 00 01 00 05 00 7F 7F F7", "F0 7D 0B 06 02 7D 7E 00 01 00 05 00 7F 7F F7"})
    {
        std::vector<uint8_t> bytes = BytesOf(refused);
        EXPECT_FALSE(DecodeIdentityReply(bytes.data(), static_cast<uint32_t>(bytes.size()), identity))
            << refused;
    }
}

TEST(MidiProtocol, ChannelHeader)
{
    for (const char* header : {"F0 7D 30 7E", "F0 7D 3F 7E 41"})
    {
        std::vector<uint8_t> bytes = BytesOf(header);
        EXPECT_TRUE(IsChannelHeader(bytes.data(), static_cast<uint32_t>(bytes.size()))) << header;
    }
    for (const char* other : {"F0 7D 30", "F0 7D 40 7E", "F0 7D 30 7C", "F0 7E 30 7E"})
    {
        std::vector<uint8_t> bytes = BytesOf(other);
        EXPECT_FALSE(IsChannelHeader(bytes.data(), static_cast<uint32_t>(bytes.size()))) << other;
    }
}

TEST(MidiProtocol, DeviceSearchRequestAndReply)
{
    EXPECT_EQ(Hex(BuildSearchRequest(0)), "F0 7D 50 00 01 F7");
    EXPECT_EQ(Hex(BuildSearchRequest(126)), "F0 7D 50 00 7F F7");
    EXPECT_EQ(Hex(BuildSearchRequest(127)), "F0 7D 50 00 00 F7"); // the number keeps 7 bits

    std::vector<uint8_t> bytes = BytesOf("F0 7D 50 01 13 03 7E 00 02 01 04 00 05 00 F7");
    CSearchReply reply;
    ASSERT_TRUE(DecodeSearchReply(bytes.data(), 15, reply));
    EXPECT_EQ(reply.channel, 3);
    EXPECT_EQ(reply.flag, 1);
    EXPECT_EQ(reply.number, 3u);
    EXPECT_EQ(reply.family, 126u);
    EXPECT_EQ(reply.member, 0x102u); // high * 256 + low
    EXPECT_EQ(reply.versionA, 4u);
    EXPECT_EQ(reply.versionB, 5u);

    for (const char* refused :
         {"F0 7D 50 01 13 03 7E 00 02 01 04 00 05 F7", "F0 7D 50 01 13 03 7E 00 02 01 04 00 05 00 00 F7",
          "F0 7D 50 00 13 03 7E 00 02 01 04 00 05 00 F7", "F0 7D 51 01 13 03 7E 00 02 01 04 00 05 00 F7"})
    {
        std::vector<uint8_t> other = BytesOf(refused);
        EXPECT_FALSE(DecodeSearchReply(other.data(), static_cast<uint32_t>(other.size()), reply)) << refused;
    }
}
