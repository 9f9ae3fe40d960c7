// The exchange state machine on its own: which reply settles which exchange, at most once, and
// what a late or duplicate reply can no longer do.
#include "app/protocol/CMidiExchange.h"

#include "app/protocol/CReplySignal.h"
#include "foundation/CZmException.h"
#include "framework/midi/HfcMidiBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
const uint32_t kChannel = 3;
const uint32_t kGenerousMs = 10000;

// A counting signal; `onTimedWait` stands in for a reply that arrives just as a timed wait
// gives up: it runs, and the wait reports a time-out whatever it brought.
class CountingSignal : public CReplySignal
{
public:
    void Release() override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_count;
        ++m_releases;
        m_changed.notify_all();
    }
    bool Take(uint32_t ms) override
    {
        if (ms > 0 && onTimedWait)
        {
            onTimedWait();
            return false;
        }
        std::unique_lock<std::mutex> lock(m_lock);
        if (!m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_count > 0; }))
            return false;
        --m_count;
        return true;
    }
    int Count()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_count;
    }
    int Releases()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_releases;
    }
    std::function<void()> onTimedWait;

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_count = 0;
    int m_releases = 0;
};

Bytes Identity(uint32_t channel, uint8_t family, uint32_t length = 15)
{
    Bytes b = {0xF0, 0x7E, static_cast<uint8_t>(channel), 0x06, 0x02, 0x42, family, 0, 0, 0, 1, 0, 2,
               0,    0xF7};
    b.resize(length, 0);
    b.back() = 0xF7;
    return b;
}

Bytes Pattern(uint32_t size, uint32_t seed)
{
    Bytes image(size);
    for (uint32_t i = 0; i < size; ++i)
        image[i] = static_cast<uint8_t>(i * 7 + seed * 13);
    return image;
}

// A dump of `row` carrying `image` packed; `lose` bytes of the payload cut off.
Bytes Dump(uint32_t row, const Bytes& image, uint32_t number = 0, uint32_t lose = 0,
           uint32_t channel = kChannel)
{
    Bytes packed(GetEncoded7BitSize(static_cast<uint32_t>(image.size())));
    Encode7Bit(packed.data(), image.data(), static_cast<uint32_t>(image.size()));
    packed.resize(packed.size() - lose);
    return BuildSysEx(row, channel, packed.data(), static_cast<uint32_t>(packed.size()), number);
}

Bytes Short(uint32_t row, uint32_t channel = kChannel)
{
    return BuildSysEx(row, channel, nullptr, 0, 0);
}

class MidiExchange : public ::testing::Test
{
protected:
    void SetUp() override { exchange.SetSignal(&signal); }
    void Offer(const Bytes& message)
    {
        exchange.OnMessage(message.data(), static_cast<uint32_t>(message.size()));
    }
    // The code of the failed wait, -1 when it answered.
    int32_t WaitError(uint32_t ms = 0)
    {
        try
        {
            exchange.WaitForDone(ms);
        }
        catch (const CZmMidiException& e)
        {
            return e.GetCode();
        }
        return -1;
    }
    Bytes ReceivedImage()
    {
        CProgram program;
        exchange.CopyReceivedProgram(program);
        return Bytes(program.GetImage(), program.GetImage() + kProgramImageBytes);
    }
    Bytes ReceivedGlobal()
    {
        CGlobal global;
        exchange.CopyReceivedGlobal(global);
        return Bytes(global.GetImage(), global.GetImage() + kGlobalImageBytes);
    }

    CountingSignal signal;
    CMidiExchange exchange;
};

// What each pending exchange makes of each kind of message: ignored (pending), done or failed.
TEST_F(MidiExchange, EachExchangeTakesOnlyItsOwnReplies)
{
    const Bytes program = Pattern(kProgramImageBytes, 1);
    const Bytes global = Pattern(kGlobalImageBytes, 2);
    const Bytes numbered = Dump(kRowProgramDump, program, 9);
    const Bytes current = Dump(kRowCurrentProgramDump, program);
    const Bytes globalDump = Dump(kRowGlobalDump, global);
    const Bytes ack = Short(kRowWriteComplete);
    const Bytes writeError = Short(kRowWriteError);
    const Bytes loadError = Short(kRowDataLoadError);
    Bytes secondModel = ack;
    secondModel[3] = kSysExSecondModelId;
    Bytes realTime = ack;
    realTime[0] = 0xF8;

    enum : uint32_t
    {
        kInquiry = CMidiExchange::kStateDeviceInquiry,
        kWrite = CMidiExchange::kStateWritePrograms,
        kWriteGlobal = CMidiExchange::kStateWriteGlobal,
        kReceive = CMidiExchange::kStateReceiveProgram,
        kReceiveGlobal = CMidiExchange::kStateReceiveGlobal,
        kAck = CMidiExchange::kExpectAcknowledgement,
        kDump = CMidiExchange::kExpectDump,
        kNone = CMidiExchange::kExpectNone,
        kPending = CMidiExchange::kResultPending,
        kDone = CMidiExchange::kResultDone,
        kFailed = CMidiExchange::kResultFailed,
    };
    struct Case
    {
        const char* name;
        uint32_t state;
        uint32_t expected;
        Bytes message;
        uint32_t result;
    } cases[] = {
        {"identity", kInquiry, kNone, Identity(5, kSysExModelId), kDone},
        {"identity of another family", kInquiry, kNone, Identity(5, 0x10), kDone},
        {"identity of 14 bytes", kInquiry, kNone, Identity(5, kSysExModelId, 14), kPending},
        {"identity of 16 bytes", kInquiry, kNone, Identity(5, kSysExModelId, 16), kPending},
        {"acknowledgement during the inquiry", kInquiry, kNone, ack, kPending},
        {"acknowledgement", kWrite, kAck, ack, kDone},
        {"acknowledgement of the global data", kWriteGlobal, kAck, ack, kDone},
        {"acknowledgement with the second model id", kWrite, kAck, secondModel, kDone},
        {"acknowledgement on another channel", kWrite, kAck, Short(kRowWriteComplete, 9), kDone},
        {"acknowledgement that is no SysEx", kWrite, kAck, realTime, kPending},
        {"write error", kWrite, kAck, writeError, kFailed},
        {"data load error", kWriteGlobal, kAck, loadError, kFailed},
        {"dump while a write waits", kWrite, kAck, numbered, kPending},
        {"identity while a write waits", kWrite, kAck, Identity(3, kSysExModelId), kPending},
        {"acknowledgement while a write expects a dump", kWrite, kDump, ack, kPending},
        {"numbered dump", kReceive, kDump, numbered, kDone},
        {"current program dump", kReceive, kDump, current, kDone},
        {"numbered dump a byte short", kReceive, kDump, Dump(kRowProgramDump, program, 9, 1), kFailed},
        {"current dump a byte short", kReceive, kDump, Dump(kRowCurrentProgramDump, program, 0, 1), kFailed},
        {"refused program", kReceive, kDump, writeError, kFailed},
        {"program not loaded", kReceive, kDump, loadError, kFailed},
        {"acknowledgement while a dump waits", kReceive, kDump, ack, kPending},
        {"global dump while a program waits", kReceive, kDump, globalDump, kPending},
        {"dump while an acknowledgement is expected", kReceive, kAck, numbered, kPending},
        {"global dump", kReceiveGlobal, kDump, globalDump, kDone},
        {"global dump a byte short", kReceiveGlobal, kDump, Dump(kRowGlobalDump, global, 0, 1), kFailed},
        {"refused global data", kReceiveGlobal, kDump, writeError, kFailed},
        {"program dump while the global data waits", kReceiveGlobal, kDump, numbered, kPending},
        {"anything while idle", CMidiExchange::kStateIdle, kNone, ack, kPending},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        exchange.Begin(c.state, c.expected);
        Offer(c.message);
        EXPECT_EQ(exchange.GetResult(), static_cast<uint32_t>(c.result));
        EXPECT_EQ(signal.Count(), c.result == kPending ? 0 : 1);
        if (c.result != kPending)
        {
            EXPECT_EQ(exchange.GetState(), static_cast<uint32_t>(CMidiExchange::kStateIdle));
            EXPECT_EQ(exchange.GetExpected(), static_cast<uint32_t>(CMidiExchange::kExpectNone));
            EXPECT_EQ(exchange.Wait(0), c.result);
        }
        else
            EXPECT_EQ(WaitError(), kZmMidiErrorTimeout);
        EXPECT_EQ(signal.Count(), 0);
    }
}

TEST_F(MidiExchange, RepliesBringTheirData)
{
    exchange.Begin(CMidiExchange::kStateDeviceInquiry, CMidiExchange::kExpectNone);
    Offer(Identity(0x7A, kSysExModelId));
    EXPECT_EQ(exchange.Wait(0), static_cast<uint32_t>(CMidiExchange::kResultDone));
    EXPECT_EQ(exchange.GetIdentity().family, kSysExModelId);
    EXPECT_EQ(exchange.GetIdentity().versionA, 1);
    EXPECT_EQ(exchange.GetIdentity().versionB, 2);
    EXPECT_EQ(exchange.GetChannel(), 0xAu);

    const Bytes image = Pattern(kProgramImageBytes, 4);
    exchange.Begin(CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump);
    Offer(Dump(kRowProgramDump, image, 6, 0, 5)); // another number and channel: still taken
    exchange.WaitForDone(0);
    EXPECT_EQ(ReceivedImage(), image);
    EXPECT_EQ(exchange.GetChannel(), 5u); // any message of the instrument teaches its channel

    CProgram library;
    library.SetAuthor("kept");
    exchange.CopyReceivedProgram(library);
    EXPECT_STREQ(library.GetAuthor(), "kept");
    CProgram whole;
    whole.SetAuthor("gone");
    exchange.CopyReceivedBlock(whole);
    EXPECT_STREQ(whole.GetAuthor(), "");
    EXPECT_EQ(Bytes(whole.GetImage(), whole.GetImage() + kProgramImageBytes), image);

    const Bytes global = Pattern(kGlobalImageBytes, 8);
    exchange.Begin(CMidiExchange::kStateReceiveGlobal, CMidiExchange::kExpectDump);
    Offer(Dump(kRowGlobalDump, global));
    exchange.WaitForDone(0);
    EXPECT_EQ(ReceivedGlobal(), global);
}

TEST_F(MidiExchange, AnExchangeSettlesOnceAndKeepsItsFirstReply)
{
    const Bytes first = Pattern(kProgramImageBytes, 1);
    exchange.Begin(CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump);
    Offer(Dump(kRowProgramDump, first, 1));
    Offer(Dump(kRowProgramDump, Pattern(kProgramImageBytes, 2), 2));
    Offer(Short(kRowWriteError));
    EXPECT_EQ(signal.Releases(), 1);
    exchange.WaitForDone(0);
    EXPECT_EQ(ReceivedImage(), first);
    // Nothing is pending any more: later replies change nothing.
    Offer(Dump(kRowProgramDump, Pattern(kProgramImageBytes, 3), 3));
    EXPECT_EQ(signal.Releases(), 1);
    EXPECT_EQ(ReceivedImage(), first);
}

// The duplicate comes in after the next request went out; it is of another kind than the reply
// now awaited, so it is no answer to it.
TEST_F(MidiExchange, ADuplicateAfterTheNextBeginDoesNotSettleIt)
{
    const Bytes image = Pattern(kProgramImageBytes, 7);
    const Bytes global = Pattern(kGlobalImageBytes, 7);
    struct Case
    {
        const char* name;
        uint32_t firstState, firstExpected;
        Bytes firstReply;
        uint32_t nextState, nextExpected;
        Bytes nextReply;
    } cases[] = {
        {"identity, then a program", CMidiExchange::kStateDeviceInquiry, CMidiExchange::kExpectNone,
         Identity(kChannel, kSysExModelId), CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump,
         Dump(kRowProgramDump, image, 4)},
        {"acknowledgement, then a program", CMidiExchange::kStateWritePrograms,
         CMidiExchange::kExpectAcknowledgement, Short(kRowWriteComplete), CMidiExchange::kStateReceiveProgram,
         CMidiExchange::kExpectDump, Dump(kRowProgramDump, image, 4)},
        {"program, then a write", CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump,
         Dump(kRowProgramDump, image, 4), CMidiExchange::kStateWritePrograms,
         CMidiExchange::kExpectAcknowledgement, Short(kRowWriteComplete)},
        {"program, then the global data", CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump,
         Dump(kRowProgramDump, image, 4), CMidiExchange::kStateReceiveGlobal, CMidiExchange::kExpectDump,
         Dump(kRowGlobalDump, global)},
        {"global data, then the inquiry", CMidiExchange::kStateReceiveGlobal, CMidiExchange::kExpectDump,
         Dump(kRowGlobalDump, global), CMidiExchange::kStateDeviceInquiry, CMidiExchange::kExpectNone,
         Identity(kChannel, kSysExModelId)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        exchange.Begin(c.firstState, c.firstExpected);
        Offer(c.firstReply);
        exchange.WaitForDone(0);

        exchange.Begin(c.nextState, c.nextExpected);
        Offer(c.firstReply);
        EXPECT_EQ(exchange.GetResult(), static_cast<uint32_t>(CMidiExchange::kResultPending));
        EXPECT_EQ(exchange.GetState(), c.nextState);
        EXPECT_EQ(signal.Count(), 0);
        Offer(c.nextReply);
        exchange.WaitForDone(0);
    }
}

TEST_F(MidiExchange, ATimeOutLeavesNothingForALateReply)
{
    exchange.Begin(CMidiExchange::kStateWritePrograms, CMidiExchange::kExpectAcknowledgement);
    EXPECT_EQ(WaitError(), kZmMidiErrorTimeout);
    EXPECT_EQ(exchange.GetState(), static_cast<uint32_t>(CMidiExchange::kStateIdle));
    EXPECT_EQ(exchange.GetExpected(), static_cast<uint32_t>(CMidiExchange::kExpectNone));
    Offer(Short(kRowWriteComplete)); // the late acknowledgement
    EXPECT_EQ(signal.Releases(), 0);
    EXPECT_EQ(exchange.GetResult(), static_cast<uint32_t>(CMidiExchange::kResultPending));

    // The next exchange waits for its own reply, and gets it.
    exchange.Begin(CMidiExchange::kStateWritePrograms, CMidiExchange::kExpectAcknowledgement);
    EXPECT_EQ(WaitError(), kZmMidiErrorTimeout);
    exchange.Begin(CMidiExchange::kStateWritePrograms, CMidiExchange::kExpectAcknowledgement);
    Offer(Short(kRowWriteError));
    EXPECT_EQ(WaitError(), kZmMidiErrorReceiveError);
}

TEST_F(MidiExchange, BeginDrainsWhatEarlierExchangesLeft)
{
    signal.Release();
    signal.Release();
    exchange.Begin(CMidiExchange::kStateReceiveGlobal, CMidiExchange::kExpectDump);
    EXPECT_EQ(signal.Count(), 0);
    EXPECT_EQ(WaitError(), kZmMidiErrorTimeout);
}

TEST_F(MidiExchange, AReplyJustAsTheWaitGivesUpIsTakenAndLeavesNoCount)
{
    exchange.Begin(CMidiExchange::kStateWritePrograms, CMidiExchange::kExpectAcknowledgement);
    signal.onTimedWait = [&] { Offer(Short(kRowWriteComplete)); };
    EXPECT_EQ(exchange.Wait(kGenerousMs), static_cast<uint32_t>(CMidiExchange::kResultDone));
    EXPECT_EQ(signal.Count(), 0);
}

TEST_F(MidiExchange, AReplyFromAnotherThreadEndsTheWait)
{
    exchange.Begin(CMidiExchange::kStateReceiveProgram, CMidiExchange::kExpectDump);
    const Bytes image = Pattern(kProgramImageBytes, 9);
    std::thread port([&] { Offer(Dump(kRowCurrentProgramDump, image)); });
    exchange.WaitForDone(kGenerousMs);
    port.join();
    EXPECT_EQ(ReceivedImage(), image);
}

TEST_F(MidiExchange, WithoutASignalNothingWaitsAndNothingIsReleased)
{
    exchange.SetSignal(nullptr);
    exchange.Begin(CMidiExchange::kStateWriteGlobal, CMidiExchange::kExpectAcknowledgement);
    EXPECT_EQ(WaitError(kGenerousMs), kZmMidiErrorTimeout);
    exchange.Begin(CMidiExchange::kStateWriteGlobal, CMidiExchange::kExpectAcknowledgement);
    Offer(Short(kRowWriteComplete));
    EXPECT_EQ(exchange.Wait(kGenerousMs), static_cast<uint32_t>(CMidiExchange::kResultDone));
    EXPECT_EQ(signal.Releases(), 0);
}
} // namespace
