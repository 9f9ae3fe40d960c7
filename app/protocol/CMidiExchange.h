#pragma once

#include "app/protocol/MidiProtocol.h"
#include "synthdata/CProgram.h"
#include "synthdata/CGlobal.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class CReplySignal;

// One request/reply exchange with the instrument at a time: what is awaited, the reply that
// settles it and what the reply brought (identity, program, global data).
//
// The waiting thread begins an exchange, sends the request and waits; the receiving thread
// offers every system-exclusive message. An exchange settles at most once, to done or failed,
// and only then releases the signal; Begin drains what earlier exchanges left, so a late or
// duplicate reply never wakes a later wait, and a time-out leaves nothing pending that such a
// reply could settle.
//
// The protocol carries no sequence numbers: a duplicate of the same kind as the reply now
// awaited (a second acknowledgement while the next write waits) is taken as that reply.
class CMidiExchange
{
public:
    enum : uint32_t
    {
        kStateIdle = 0,
        kStateDeviceInquiry = 1,
        kStateWritePrograms = 2,
        kStateWriteGlobal = 3,
        kStateReceiveProgram = 5,
        kStateReceiveGlobal = 6,

        kExpectNone = 0,
        kExpectAcknowledgement = 1,
        kExpectDump = 3,

        kResultPending = 0,
        kResultFailed = 1,
        kResultDone = 3,
    };

    CMidiExchange();
    CMidiExchange(const CMidiExchange&) = delete;
    CMidiExchange& operator=(const CMidiExchange&) = delete;

    // The signal a settled exchange releases; null while there is none (nothing can wait then).
    // Not owned; it outlives its use or is replaced through here first.
    void SetSignal(CReplySignal* signal);

    // Waiting thread. Drains the signal, then awaits a reply of the state's kind (the inquiry
    // awaits an identity reply whatever `expected` says).
    void Begin(uint32_t state, uint32_t expected);
    // Waits for the exchange to settle and answers its result; a time-out clears the exchange
    // and throws MIDI error 7.
    uint32_t Wait(uint32_t timeoutMs);
    // Wait, and a failed result throws MIDI error 10.
    void WaitForDone(uint32_t timeoutMs);
    // Back to idle with nothing pending.
    void Clear();

    // What the last settled replies brought (read after the wait).
    CSysExIdentity GetIdentity() const;
    // Whole block (image, library fields, attributes) of the received program into `program`.
    void CopyReceivedBlock(CProgram& program) const;
    // Image and attributes only: the library information of `program` stays.
    void CopyReceivedProgram(CProgram& program) const;
    void CopyReceivedGlobal(CGlobal& global) const;
    uint32_t GetState() const;
    uint32_t GetExpected() const;
    uint32_t GetResult() const;
    // The instrument's channel: learned from every message of the instrument and from the
    // identity reply.
    uint32_t GetChannel() const { return m_channel; }

    // Receiving thread: a complete message. Teaches the channel, then settles the pending
    // exchange when the message is its reply; anything else changes nothing.
    void OnMessage(const uint8_t* bytes, uint32_t length);

private:
    // Under m_lock: settles a pending exchange and releases the signal.
    void Settle(uint32_t result);
    // Under m_lock: a program dump of `whole` bytes whose image starts at `at`.
    void TakeProgramDump(const uint8_t* bytes, uint32_t length, uint32_t at, uint32_t whole);

    mutable std::mutex m_lock;
    CReplySignal* m_signal = nullptr; // guarded by m_lock, as are the fields below
    uint32_t m_state = kStateIdle;
    uint32_t m_expected = kExpectNone;
    uint32_t m_result = kResultPending;
    CProgram m_receiveProgram;
    CProgram m_unpacked; // the dump's image before it becomes the receive program's
    CGlobal m_receiveGlobal;
    CSysExIdentity m_identity;

    std::atomic<uint32_t> m_channel{0};
};
