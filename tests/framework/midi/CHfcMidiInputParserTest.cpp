#include "framework/midi/CHfcMidiInputParser.h"

#include "support/MidiText.h"
#include "support/TestCaseName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Logs what the parser reports, and checks that every reported run that starts inside the
// buffer being parsed ends inside it.
class EventLog : public CHfcMidiParserSink
{
public:
    void Parse(CHfcMidiInputParser& parser, const std::vector<uint8_t>& buffer)
    {
        m_begin = buffer.data();
        m_end = buffer.data() + buffer.size();
        parser.ParseLongBuffer(static_cast<uint32_t>(buffer.size()), buffer.data());
    }

    void OnParsedShort(uint32_t length, const uint8_t* bytes) override
    {
        // A short message with real-time bytes inside comes as a copy, outside the buffer.
        if (bytes >= m_begin && bytes < m_end)
            CheckRun(length, bytes);
        events.push_back("short " + HexBytes(bytes, length));
    }
    void OnParsedSysEx(uint32_t consumed, const uint8_t* runStart, CHfcMidiMessage& message) override
    {
        CheckRun(consumed, runStart);
        events.push_back("sysex " + std::to_string(consumed) + ": " +
                         HexBytes(message.GetData(0), message.GetLength()));
    }
    void OnParsedProgress(uint32_t count, const uint8_t* runStart) override
    {
        CheckRun(count, runStart);
        events.push_back("progress " + std::to_string(count));
    }
    void OnReceivingChanged(bool receiving) override { receivingChanges.push_back(receiving); }

    std::vector<std::string> events;
    std::vector<bool> receivingChanges;

private:
    void CheckRun(uint32_t count, const uint8_t* start)
    {
        if (start < m_begin || start + count > m_end)
            events.push_back("run outside the buffer");
    }
    const uint8_t* m_begin = nullptr;
    const uint8_t* m_end = nullptr;
};

struct ParseCase
{
    const char* name;
    std::vector<std::string> buffers;
    std::vector<std::string> expected;
};

const ParseCase kParseCases[] = {
    {"sysex over three buffers arrives once with progress after the first two",
     {"F0 41 10", "42 12", "00 F7"},
     {"progress 3", "progress 2", "sysex 2: F0 41 10 42 12 00 F7"}},
    {"timing clock inside a sysex goes out first and the sysex survives",
     {"F0 41 F8 10 F7"},
     {"short F8", "sysex 5: F0 41 10 F7"}},
    {"every real-time byte inside a sysex is passed on",
     {"F0 41 FE 10", "FA F7"},
     {"short FE", "progress 4", "short FA", "sysex 2: F0 41 10 F7"}},
    {"note-on cuts a partial sysex and is delivered", {"F0 41 10 90 3C 40"}, {"short 90 3C 40"}},
    {"short message cut at the end of a buffer gives nothing", {"90 3C"}, {}},
    {"short message is not completed from the next buffer", {"90 3C", "40 80 3C 00"}, {"short 80 3C 00"}},
    {"two sysex in one buffer arrive in order",
     {"F0 01 F7 F0 02 03 F7"},
     {"sysex 3: F0 01 F7", "sysex 4: F0 02 03 F7"}},
    {"data bytes without a status give nothing", {"01 02 03 7F"}, {}},
    {"short messages of every length",
     {"C5 10 90 3C 40 F8 F3 01 E0 00 40"},
     {"short C5 10", "short 90 3C 40", "short F8", "short F3 01", "short E0 00 40"}},
    {"F0 opening the next buffer drops the truncated dump and keeps the new one",
     {"F0 41 10 42", "F0 41 20 F7"},
     {"progress 4", "sysex 4: F0 41 20 F7"}},
    {"F0 inside a message starts a new one", {"F0 41 F0 42 F7"}, {"sysex 3: F0 42 F7"}},
    {"stray F7 is skipped", {"F7 90 3C 40"}, {"short 90 3C 40"}},
    {"status byte inside a short message drops it", {"90 3C 80 3C 00"}, {"short 80 3C 00"}},
    {"bytes after a completed sysex are parsed",
     {"F0 01 F7 B0 7B 00 05"},
     {"sysex 3: F0 01 F7", "short B0 7B 00"}},
    {"sysex of only F0 and F7", {"F0", "F7"}, {"progress 1", "sysex 1: F0 F7"}},
    {"timing clock inside a note-on keeps the note", {"90 F8 3C 40"}, {"short F8", "short 90 3C 40"}},
    {"real-time bytes between every byte of a note-on",
     {"90 F8 3C FE 40"},
     {"short F8", "short FE", "short 90 3C 40"}},
    {"real-time byte in a short message cut at the end of the buffer still goes out",
     {"90 3C F8"},
     {"short F8"}},
    {"real-time byte before a status that cuts a short message",
     {"90 FA 80 3C 00"},
     {"short FA", "short 80 3C 00"}},
    {"real-time byte at the end of a buffer after a partial note", {"90 F8"}, {"short F8"}},
};

class ParseTable : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseTable, Events)
{
    const ParseCase& c = GetParam();
    EventLog log;
    CHfcMidiInputParser parser(log);
    for (const std::string& hex : c.buffers)
        log.Parse(parser, BytesOf(hex));
    EXPECT_EQ(log.events, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Parser, ParseTable, ::testing::ValuesIn(kParseCases), TestCaseName());

// Every real-time byte at every offset inside messages of each length, sysex included: the
// real-time byte goes out when met and the message around it arrives whole.
TEST(Parser, RealTimeByteAtEveryOffsetOfEveryMessage)
{
    const char* const messages[] = {"C5 10",
                                    "D0 7F",
                                    "F1 23",
                                    "F3 01",
                                    "90 3C 40",
                                    "B0 7B 00",
                                    "E0 00 40",
                                    "F2 01 02",
                                    "F0 F7",
                                    "F0 41 10 F7",
                                    "F0 41 30 7A 40 00 01 7F F7"};
    for (const char* hex : messages)
    {
        std::vector<uint8_t> message = BytesOf(hex);
        const std::string whole = HexBytes(message.data(), message.size());
        const bool sysex = message.front() == 0xF0;
        for (uint8_t realTime = 0xF8; realTime != 0; ++realTime)
        {
            for (size_t offset = 1; offset < message.size(); ++offset)
            {
                std::vector<uint8_t> buffer = message;
                buffer.insert(buffer.begin() + offset, realTime);
                EventLog log;
                CHfcMidiInputParser parser(log);
                log.Parse(parser, buffer);
                const std::string delivered =
                    sysex ? "sysex " + std::to_string(buffer.size()) + ": " + whole : "short " + whole;
                EXPECT_EQ(log.events,
                          (std::vector<std::string>{"short " + HexBytes(&realTime, 1), delivered}))
                    << HexBytes(buffer.data(), buffer.size());
                EXPECT_FALSE(parser.IsInMessage());
            }
        }
    }
}

TEST(Parser, ReceivingFollowsTheOpenMessage)
{
    EventLog log;
    CHfcMidiInputParser parser(log);
    log.Parse(parser, BytesOf("F0 41 10"));
    EXPECT_TRUE(parser.IsInMessage());
    EXPECT_EQ(log.receivingChanges, std::vector<bool>{true});
    log.Parse(parser, BytesOf("20 F7 F0 01"));
    log.Parse(parser, BytesOf("90 3C 40"));
    EXPECT_FALSE(parser.IsInMessage());
    // Completed, opened again, dropped by the note-on.
    EXPECT_EQ(log.receivingChanges, (std::vector<bool>{true, false, true, false}));
    parser.ParseLongBuffer(3, nullptr);
    parser.Clear();
    EXPECT_EQ(log.receivingChanges.size(), 4u);
}

TEST(Parser, ClearDropsTheOpenMessage)
{
    EventLog log;
    CHfcMidiInputParser parser(log);
    log.Parse(parser, BytesOf("F0 41 10"));
    parser.Clear();
    log.Parse(parser, BytesOf("20 F7"));
    EXPECT_EQ(log.events, std::vector<std::string>{"progress 3"});
    EXPECT_EQ(log.receivingChanges, (std::vector<bool>{true, false}));
}

TEST(Parser, LongDumpsBackToBackInBuffersOfAnySize)
{
    // 128 dumps of 404 bytes cut into buffers that never line up with the messages.
    std::vector<uint8_t> stream;
    for (int i = 0; i < 128; ++i)
    {
        std::vector<uint8_t> dump = MakeSysEx(404, static_cast<uint8_t>(i));
        stream.insert(stream.end(), dump.begin(), dump.end());
    }
    for (size_t size : {1u, 7u, 403u, 405u, 2048u})
    {
        EventLog log;
        CHfcMidiInputParser parser(log);
        for (size_t pos = 0; pos < stream.size(); pos += size)
        {
            size_t n = std::min(size, stream.size() - pos);
            log.Parse(parser, std::vector<uint8_t>(stream.begin() + pos, stream.begin() + pos + n));
        }
        std::vector<std::string> dumps;
        for (const std::string& e : log.events)
            if (e.rfind("sysex", 0) == 0)
                dumps.push_back(e.substr(e.find(':') + 2));
        ASSERT_EQ(dumps.size(), 128u) << "buffer size " << size;
        for (int i = 0; i < 128; ++i)
        {
            std::vector<uint8_t> dump = MakeSysEx(404, static_cast<uint8_t>(i));
            EXPECT_EQ(dumps[i], HexBytes(dump.data(), dump.size()))
                << "dump " << i << ", buffer size " << size;
        }
    }
}
} // namespace
