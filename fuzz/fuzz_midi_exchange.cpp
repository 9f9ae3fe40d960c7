// Drives the exchange state machine with a script read from the input: begins of any state,
// replies of every kind (matching or not, short, on other channels, duplicated, late), raw
// messages, waits that time out and clears, in any order. Checks after every step that an
// exchange settles at most once, that only the reply a pending exchange awaits settles it (with
// the result and the data that reply carries), and that after a time-out nothing is pending.
#include "app/protocol/CMidiExchange.h"

#include "app/protocol/CReplySignal.h"
#include "foundation/CZmException.h"
#include "framework/midi/HfcMidiBytes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

void Require(bool condition)
{
    if (!condition)
        abort();
}

// One thread only: a wait takes what is there.
class CountingSignal : public CReplySignal
{
public:
    void Release() override
    {
        ++count;
        ++releases;
    }
    bool Take(uint32_t) override
    {
        if (count == 0)
            return false;
        --count;
        return true;
    }
    uint32_t count = 0;
    uint32_t releases = 0;
};

class Script
{
public:
    Script(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_size > 0; }
    uint8_t Next()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

const uint32_t kStates[] = {CMidiExchange::kStateIdle,
                            CMidiExchange::kStateDeviceInquiry,
                            CMidiExchange::kStateWritePrograms,
                            CMidiExchange::kStateWriteGlobal,
                            CMidiExchange::kStateReceiveProgram,
                            CMidiExchange::kStateReceiveGlobal,
                            4};
const uint32_t kExpects[] = {CMidiExchange::kExpectNone, CMidiExchange::kExpectAcknowledgement,
                             CMidiExchange::kExpectDump, 2};

// A reply of one kind, shaped by the script.
Bytes MakeReply(Script& s)
{
    const uint8_t kind = s.Next() % 10;
    const uint8_t shape = s.Next();
    const uint32_t channel = shape & 0x0F;
    const uint32_t lose = (shape >> 4) % 3; // bytes cut off a dump's payload
    Bytes message;
    switch (kind)
    {
    case 0:
    {
        message = {0xF0, 0x7E, static_cast<uint8_t>(channel), 0x06, 0x02, 0x42, kSysExModelId, 0, 0, 0, 1, 0,
                   2,    0};
        message.resize(kIdentityReplyLength - 1 + (shape >> 6) % 3, 0); // 14, 15 or 16 bytes with F7
        message.back() = 0xF7;
        return message;
    }
    case 1:
        message = BuildSysEx(kRowWriteComplete, channel, nullptr, 0, 0);
        break;
    case 2:
        message = BuildSysEx(kRowWriteError, channel, nullptr, 0, 0);
        break;
    case 3:
        message = BuildSysEx(kRowDataLoadError, channel, nullptr, 0, 0);
        break;
    case 4:
    case 5:
    case 6:
    {
        const uint32_t row = kind == 4   ? kRowProgramDump
                             : kind == 5 ? kRowCurrentProgramDump
                                         : kRowGlobalDump;
        const uint32_t imageSize = kind == 6 ? kGlobalImageBytes : kProgramImageBytes;
        Bytes image(imageSize);
        const uint8_t seed = s.Next();
        for (uint32_t i = 0; i < imageSize; ++i)
            image[i] = static_cast<uint8_t>(seed + i * 31);
        Bytes packed(GetEncoded7BitSize(imageSize));
        Encode7Bit(packed.data(), image.data(), imageSize);
        packed.resize(packed.size() - lose);
        message = BuildSysEx(row, channel, packed.data(), static_cast<uint32_t>(packed.size()), s.Next());
        break;
    }
    case 7:
        message = BuildSysEx(4, channel, nullptr, 0, 0); // a row no exchange awaits
        break;
    case 8:
        message = BuildParameterChange(channel, 1, 2, 3);
        break;
    default:
        message = {0xF8};
        return message;
    }
    if (shape & 0x80 && message.size() > 3)
        message[3] = kSysExSecondModelId;
    return message;
}

Bytes RawMessage(Script& s)
{
    Bytes message(s.Next());
    for (uint8_t& b : message)
        b = s.Next();
    if (!message.empty() && (message[0] & 1))
        message[0] = 0xF0;
    return message;
}

bool Matches(uint32_t row, const Bytes& m)
{
    return MatchSysExTemplate(row, m.data(), static_cast<uint32_t>(m.size()));
}

// What the pending exchange makes of the message: the result it settles with, or pending.
uint32_t Expected(uint32_t state, uint32_t expected, const Bytes& m)
{
    const uint32_t length = static_cast<uint32_t>(m.size());
    const bool refused = Matches(kRowWriteError, m) || Matches(kRowDataLoadError, m);
    switch (state)
    {
    case CMidiExchange::kStateDeviceInquiry:
    {
        CSysExIdentity identity;
        return DecodeIdentityReply(m.data(), length, identity) ? CMidiExchange::kResultDone
                                                               : CMidiExchange::kResultPending;
    }
    case CMidiExchange::kStateWritePrograms:
    case CMidiExchange::kStateWriteGlobal:
        if (expected != CMidiExchange::kExpectAcknowledgement)
            return CMidiExchange::kResultPending;
        if (Matches(kRowWriteComplete, m))
            return CMidiExchange::kResultDone;
        return refused ? CMidiExchange::kResultFailed : CMidiExchange::kResultPending;
    case CMidiExchange::kStateReceiveProgram:
        if (expected != CMidiExchange::kExpectDump)
            return CMidiExchange::kResultPending;
        if (Matches(kRowProgramDump, m))
            return length >= kProgramDumpLength ? CMidiExchange::kResultDone : CMidiExchange::kResultFailed;
        if (Matches(kRowCurrentProgramDump, m))
            return length >= kCurrentProgramDumpLength ? CMidiExchange::kResultDone
                                                       : CMidiExchange::kResultFailed;
        return refused ? CMidiExchange::kResultFailed : CMidiExchange::kResultPending;
    case CMidiExchange::kStateReceiveGlobal:
        if (expected != CMidiExchange::kExpectDump)
            return CMidiExchange::kResultPending;
        if (Matches(kRowGlobalDump, m))
            return length >= kGlobalDumpLength ? CMidiExchange::kResultDone : CMidiExchange::kResultFailed;
        return refused ? CMidiExchange::kResultFailed : CMidiExchange::kResultPending;
    default:
        return CMidiExchange::kResultPending;
    }
}

struct Snapshot
{
    uint32_t state, expected, result;
    Bytes program, global;
    bool operator==(const Snapshot& o) const
    {
        return state == o.state && expected == o.expected && result == o.result && program == o.program &&
               global == o.global;
    }
};

Snapshot Take(const CMidiExchange& exchange)
{
    CProgram program;
    CGlobal global;
    exchange.CopyReceivedProgram(program);
    exchange.CopyReceivedGlobal(global);
    return {exchange.GetState(), exchange.GetExpected(), exchange.GetResult(),
            Bytes(program.GetImage(), program.GetImage() + kProgramImageBytes),
            Bytes(global.GetImage(), global.GetImage() + kGlobalImageBytes)};
}

void Offer(CMidiExchange& exchange, CountingSignal& signal, const Bytes& message)
{
    const Snapshot before = Take(exchange);
    const uint32_t releases = signal.releases;
    // A copy of exactly the message's size, so that any read past it is caught.
    Bytes copy(message);
    exchange.OnMessage(copy.empty() ? nullptr : copy.data(), static_cast<uint32_t>(copy.size()));
    const Snapshot after = Take(exchange);

    const bool pending =
        before.result == CMidiExchange::kResultPending && before.state != CMidiExchange::kStateIdle;
    const uint32_t expected = pending && !message.empty() && message[0] == 0xF0
                                  ? Expected(before.state, before.expected, message)
                                  : static_cast<uint32_t>(CMidiExchange::kResultPending);
    if (expected == CMidiExchange::kResultPending)
    {
        // Not an answer to anything pending: nothing changes, nothing wakes.
        Require(after == before);
        Require(signal.releases == releases);
        return;
    }
    Require(signal.releases == releases + 1);
    Require(after.result == expected);
    Require(after.state == CMidiExchange::kStateIdle && after.expected == CMidiExchange::kExpectNone);
    const bool dump = before.state == CMidiExchange::kStateReceiveProgram ||
                      before.state == CMidiExchange::kStateReceiveGlobal;
    if (expected == CMidiExchange::kResultFailed || !dump)
    {
        Require(after.program == before.program && after.global == before.global);
        return;
    }
    // Done with a dump: the data is that of the message, unpacked from its data position.
    const bool global = before.state == CMidiExchange::kStateReceiveGlobal;
    const uint32_t row = global                              ? kRowGlobalDump
                         : Matches(kRowProgramDump, message) ? kRowProgramDump
                                                             : kRowCurrentProgramDump;
    Bytes unpacked(global ? kGlobalImageBytes : kProgramImageBytes);
    Decode7Bit(unpacked.data(), message.data() + SysExTemplateTable[row].dataPosition,
               static_cast<uint32_t>(unpacked.size()));
    Require((global ? after.global : after.program) == unpacked);
    Require((global ? after.program == before.program : after.global == before.global));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Script script(data, size);
    CountingSignal signal;
    CMidiExchange exchange;
    exchange.SetSignal(&signal);
    uint32_t releasesAtBegin = 0;
    Bytes last; // the last reply offered, for duplicates and late copies

    for (int step = 0; step < 512 && script.More(); ++step)
    {
        switch (script.Next() % 8)
        {
        case 0:
        {
            const uint32_t state = kStates[script.Next() % (sizeof kStates / sizeof kStates[0])];
            const uint32_t expected = kExpects[script.Next() % (sizeof kExpects / sizeof kExpects[0])];
            exchange.Begin(state, expected);
            // Whatever earlier exchanges left is gone: no late reply wakes this one.
            Require(signal.count == 0);
            Require(exchange.GetState() == state && exchange.GetExpected() == expected &&
                    exchange.GetResult() == CMidiExchange::kResultPending);
            releasesAtBegin = signal.releases;
            break;
        }
        case 1:
        {
            const uint32_t result = exchange.GetResult();
            try
            {
                Require(exchange.Wait(0) == result);
                Require(result != CMidiExchange::kResultPending);
            }
            catch (const CZmMidiException& e)
            {
                Require(e.GetCode() == kZmMidiErrorTimeout && result == CMidiExchange::kResultPending);
                // Nothing pending after a time-out.
                Require(exchange.GetState() == CMidiExchange::kStateIdle &&
                        exchange.GetExpected() == CMidiExchange::kExpectNone);
            }
            Require(signal.count == 0);
            break;
        }
        case 2:
            exchange.Clear();
            Require(exchange.GetState() == CMidiExchange::kStateIdle &&
                    exchange.GetResult() == CMidiExchange::kResultPending);
            break;
        case 3:
        case 4:
        case 5:
            last = MakeReply(script);
            Offer(exchange, signal, last);
            break;
        case 6: // the last reply once more: a duplicate, or a late copy after other steps
            Offer(exchange, signal, last);
            break;
        default:
            Offer(exchange, signal, RawMessage(script));
            break;
        }
        // An exchange settles at most once.
        Require(signal.releases - releasesAtBegin <= 1);
        Require(signal.count <= 1);
    }
    return 0;
}
