#include "app/protocol/CMidiExchange.h"

#include "app/protocol/CReplySignal.h"
#include "foundation/CZmException.h"
#include "framework/midi/HfcMidiBytes.h"

#include <cstring>

CMidiExchange::CMidiExchange()
{
    m_receiveProgram.Init();
    m_unpacked.Init();
}

void CMidiExchange::SetSignal(CReplySignal* signal)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_signal = signal;
}

void CMidiExchange::Begin(uint32_t state, uint32_t expected)
{
    std::lock_guard<std::mutex> lock(m_lock);
    // Nothing settles while the lock is held, so the drained count cannot come back.
    while (m_signal != nullptr && m_signal->Take(0))
    {
    }
    m_state = state;
    m_expected = expected;
    m_result = kResultPending;
}

uint32_t CMidiExchange::Wait(uint32_t timeoutMs)
{
    CReplySignal* signal = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        signal = m_signal;
    }
    const bool woken = signal != nullptr && signal->Take(timeoutMs);
    std::lock_guard<std::mutex> lock(m_lock);
    const uint32_t result = m_result;
    if (result == kResultPending)
    {
        m_state = kStateIdle;
        m_expected = kExpectNone;
        throw CZmMidiException(kZmMidiErrorTimeout);
    }
    // Settled just as the wait ended: take the count it left.
    if (!woken && m_signal != nullptr)
        m_signal->Take(0);
    return result;
}

void CMidiExchange::WaitForDone(uint32_t timeoutMs)
{
    if (Wait(timeoutMs) != kResultDone)
        throw CZmMidiException(kZmMidiErrorReceiveError);
}

void CMidiExchange::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_state = kStateIdle;
    m_expected = kExpectNone;
    m_result = kResultPending;
}

CSysExIdentity CMidiExchange::GetIdentity() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_identity;
}

void CMidiExchange::CopyReceivedBlock(CProgram& program) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    program.CopyBlock(m_receiveProgram);
}

void CMidiExchange::CopyReceivedProgram(CProgram& program) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    program.CopyProgram(m_receiveProgram);
}

void CMidiExchange::CopyReceivedGlobal(CGlobal& global) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::memcpy(global.GetImage(), m_receiveGlobal.GetImage(), kGlobalImageBytes);
}

uint32_t CMidiExchange::GetState() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_state;
}

uint32_t CMidiExchange::GetExpected() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_expected;
}

uint32_t CMidiExchange::GetResult() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_result;
}

void CMidiExchange::Settle(uint32_t result)
{
    if (m_result != kResultPending)
        return;
    m_result = result;
    m_state = kStateIdle;
    m_expected = kExpectNone;
    if (m_signal != nullptr)
        m_signal->Release();
}

void CMidiExchange::TakeProgramDump(const uint8_t* bytes, uint32_t length, uint32_t at, uint32_t whole)
{
    if (length < whole)
    {
        Settle(kResultFailed);
        return;
    }
    Decode7Bit(m_unpacked.GetImage(), bytes + at, kProgramImageBytes);
    m_receiveProgram.Init();
    m_receiveProgram.CopyProgram(m_unpacked);
    Settle(kResultDone);
}

void CMidiExchange::OnMessage(const uint8_t* bytes, uint32_t length)
{
    if (bytes == nullptr || length == 0 || bytes[0] != 0xF0)
        return;
    if (length >= 5 && IsChannelHeader(bytes, length))
        m_channel = bytes[2] & 0x0F;

    std::lock_guard<std::mutex> lock(m_lock);
    if (m_result != kResultPending)
        return;
    const bool refused = MatchSysExTemplate(kRowWriteError, bytes, length) ||
                         MatchSysExTemplate(kRowDataLoadError, bytes, length);
    switch (m_state)
    {
    case kStateDeviceInquiry:
    {
        CSysExIdentity identity;
        if (!DecodeIdentityReply(bytes, length, identity))
            return;
        m_channel = identity.channel;
        m_identity = identity;
        Settle(kResultDone);
        return;
    }
    case kStateWritePrograms:
    case kStateWriteGlobal:
        if (m_expected != kExpectAcknowledgement)
            return;
        if (MatchSysExTemplate(kRowWriteComplete, bytes, length))
            Settle(kResultDone);
        else if (refused)
            Settle(kResultFailed);
        return;
    case kStateReceiveProgram:
        if (m_expected != kExpectDump)
            return;
        // The program number of a numbered dump is not compared with the request.
        if (MatchSysExTemplate(kRowProgramDump, bytes, length))
            TakeProgramDump(bytes, length, SysExTemplateTable[kRowProgramDump].dataPosition,
                            kProgramDumpLength);
        else if (MatchSysExTemplate(kRowCurrentProgramDump, bytes, length))
            TakeProgramDump(bytes, length, SysExTemplateTable[kRowCurrentProgramDump].dataPosition,
                            kCurrentProgramDumpLength);
        else if (refused)
            Settle(kResultFailed);
        return;
    case kStateReceiveGlobal:
        if (m_expected != kExpectDump)
            return;
        if (MatchSysExTemplate(kRowGlobalDump, bytes, length))
        {
            if (length < kGlobalDumpLength)
            {
                Settle(kResultFailed);
                return;
            }
            Decode7Bit(m_receiveGlobal.GetImage(), bytes + SysExTemplateTable[kRowGlobalDump].dataPosition,
                       kGlobalImageBytes);
            Settle(kResultDone);
        }
        else if (refused)
            Settle(kResultFailed);
        return;
    default:
        return;
    }
}
