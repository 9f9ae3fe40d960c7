#include "support/CSimInstrument.h"

#include "framework/midi/HfcMidiBytes.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/SimMidi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
// The driver has one send hook; it goes to every instrument that hears the output device.
std::mutex& RouterLock()
{
    static std::mutex m;
    return m;
}
std::vector<CSimInstrument*>& Instruments()
{
    static std::vector<CSimInstrument*> v;
    return v;
}

enum : uint8_t
{
    kCurrentProgramRequest = 0x10,
    kProgramRequest = 0x1C,
    kGlobalRequest = 0x0E,
    kCurrentProgramDump = 0x40,
    kProgramDump = 0x4C,
    kGlobalDump = 0x51,
    kWriteError = 0x24,
};

constexpr DWORD kInputWaitMs = 2000;

// Cuts or pads a reply before its F7 to `length` bytes, for the mis-sized replies.
void Resize(std::vector<uint8_t>& reply, size_t length)
{
    if (length < reply.size())
        reply.erase(reply.end() - 1 - (reply.size() - length), reply.end() - 1);
    else if (length > reply.size())
        reply.insert(reply.end() - 1, length - reply.size(), 0x00);
}
} // namespace

CSimInstrument::CSimInstrument(UINT input, UINT output, uint32_t channel)
    : m_input(input), m_output(output), m_channel(channel & 0x0F), m_editBuffer(PatternProgram(0)),
      m_global(PatternGlobal()), m_wireFree(Clock::now())
{
    for (uint32_t n = 0; n < m_programs.size(); ++n)
        m_programs[n] = PatternProgram(n);
    CZmIdConverterSingleton::Acquire();
    CZmProgramAccessorSingleton::Acquire();
    m_thread = std::thread([this] { Run(); });
    std::lock_guard<std::mutex> guard(RouterLock());
    Instruments().push_back(this);
    SimMidiSetSendHook(&CSimInstrument::OnSend, nullptr);
}

CSimInstrument::~CSimInstrument()
{
    {
        std::lock_guard<std::mutex> guard(RouterLock());
        auto& all = Instruments();
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
        if (all.empty())
            SimMidiSetSendHook(nullptr, nullptr);
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
        m_changed.notify_all();
    }
    m_thread.join();
    CZmProgramAccessorSingleton::Release();
    CZmIdConverterSingleton::Release();
}

void CSimInstrument::InstallPorts(UINT input, UINT output, const wchar_t* inName, const wchar_t* outName,
                                  bool instrumentDriver)
{
    WORD maker = instrumentDriver ? kDriverManufacturerId : 1;
    SimMidiSetInputCaps(input, inName, maker, instrumentDriver ? kDriverInputProductId : 1);
    SimMidiSetOutputCaps(output, outName, maker, instrumentDriver ? kDriverOutputProductId : 2);
}

void CALLBACK CSimInstrument::OnSend(void*, UINT output, const BYTE* bytes, UINT length)
{
    std::lock_guard<std::mutex> guard(RouterLock());
    for (CSimInstrument* instrument : Instruments())
        if (instrument->m_output == output)
            instrument->Hear(bytes, length);
}

void CSimInstrument::Hear(const BYTE* bytes, UINT length)
{
    if (length < 2 || bytes[0] != 0xF0)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    m_heard.push_back({Image(bytes, bytes + length), Clock::now()});
    m_received.push_back(m_heard.back().bytes);
    m_changed.notify_all();
}

// ---------------------------------------------------------------------------------------------
// Test side

void CSimInstrument::SetBehaviour(const CSimBehaviour& behaviour)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_behaviour = behaviour;
}

CSimBehaviour CSimInstrument::GetBehaviour()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_behaviour;
}

CSimInstrument::Image CSimInstrument::GetProgram(uint32_t n)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_programs.at(n);
}

void CSimInstrument::SetProgram(uint32_t n, const Image& image)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_programs.at(n) = image;
}

CSimInstrument::Image CSimInstrument::GetEditBuffer()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_editBuffer;
}

void CSimInstrument::SetEditBuffer(const Image& image)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_editBuffer = image;
}

CSimInstrument::Image CSimInstrument::GetGlobal()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_global;
}

void CSimInstrument::SetGlobal(const Image& image)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_global = image;
}

// Name "P" and three digits, then bytes with and without bit 7, so that packing shows.
CSimInstrument::Image CSimInstrument::PatternProgram(uint32_t n)
{
    Image image(kProgramImageBytes);
    char name[9];
    snprintf(name, sizeof name, "P%03u    ", n % 1000);
    std::memcpy(image.data(), name, 8);
    for (size_t i = 8; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(n * 37 + i * 11 + (i & 1) * 0x80);
    return image;
}

CSimInstrument::Image CSimInstrument::PatternGlobal()
{
    Image image(kGlobalImageBytes);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 29 + 0x85);
    return image;
}

void CSimInstrument::SendPanelChange(int32_t section, int32_t index, int32_t value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    ApplyParameterChange(section, index, value);
    Queue({BuildParameterChange(m_channel, section, index, value)}, Clock::now(), 0);
}

std::vector<CSimInstrument::Image> CSimInstrument::Received()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

void CSimInstrument::ClearReceived()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_received.clear();
}

bool CSimInstrument::WaitReceived(size_t count, DWORD timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_received.size() >= count; });
}

bool CSimInstrument::WaitIdle(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_heard.empty() && m_answers.empty() && !m_busy; });
}

size_t CSimInstrument::HeldAnswers()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_held.size();
}

void CSimInstrument::ReleaseHeldAnswers()
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (Answer& answer : m_held)
    {
        answer.due = Clock::now();
        m_answers.push_back(std::move(answer));
    }
    m_held.clear();
    m_changed.notify_all();
}

// ---------------------------------------------------------------------------------------------
// The instrument

void CSimInstrument::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;)
    {
        m_changed.wait(lock, [&] { return m_stop || !m_heard.empty() || !m_answers.empty(); });
        if (m_stop)
            return;
        while (!m_heard.empty())
        {
            Heard heard = std::move(m_heard.front());
            m_heard.pop_front();
            Queue(Respond(heard.bytes), heard.at, heard.bytes.size());
        }
        if (m_answers.empty())
        {
            m_changed.notify_all();
            continue;
        }
        Answer answer = m_answers.front();
        // Paced answers: sleep while the wait is long, then spin for the last stretch.
        while (!m_stop && answer.due - Clock::now() > std::chrono::milliseconds(2))
            m_changed.wait_until(lock, answer.due - std::chrono::milliseconds(1));
        if (m_stop)
            return;
        m_answers.pop_front();
        m_busy = true;
        lock.unlock();
        while (Clock::now() < answer.due)
            std::this_thread::yield();
        Deliver(answer);
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

void CSimInstrument::Queue(std::vector<Image> answers, Clock::time_point heardAt, size_t heardLength)
{
    const CSimBehaviour& b = m_behaviour;
    Clock::time_point due = Clock::now();
    size_t wireBytes = heardLength;
    if (b.wireRate)
        due = std::max(heardAt, m_wireFree);
    for (const Image& one : answers)
    {
        // Copies go back to back, in one input buffer.
        Image bytes;
        for (uint32_t copy = 0; copy < std::max<uint32_t>(b.copies, 1); ++copy)
            bytes.insert(bytes.end(), one.begin(), one.end());
        Answer answer{std::move(bytes), due};
        if (b.wireRate)
        {
            wireBytes += answer.bytes.size();
            answer.due =
                due + std::chrono::microseconds(static_cast<int64_t>(wireBytes * kWireMicrosecondsPerByte));
            m_wireFree = answer.due;
        }
        if (b.late)
            m_held.push_back(std::move(answer));
        else
            m_answers.push_back(std::move(answer));
    }
    m_changed.notify_all();
}

void CSimInstrument::Deliver(const Answer& answer)
{
    // Nobody listens while the input is closed: the bytes are lost, as on a real link.
    if (SimMidiInputQueuedBuffers(m_input) == 0)
        return;
    CSimBehaviour b = GetBehaviour();
    Image bytes = answer.bytes;
    if (b.realTimeInDumps && bytes.size() > 100)
    {
        bytes.insert(bytes.begin() + 40, 0xF8);
        bytes.insert(bytes.begin() + 90, 0xFE);
        SimMidiInputStream(m_input, bytes.data(), static_cast<UINT>(bytes.size()), kInputWaitMs);
    }
    else
        SimMidiInputLong(m_input, bytes.data(), static_cast<UINT>(bytes.size()), b.bytesPerBuffer,
                         kInputWaitMs);
}

std::vector<CSimInstrument::Image> CSimInstrument::Respond(const Image& m)
{
    const CSimBehaviour& b = m_behaviour;
    const uint32_t length = static_cast<uint32_t>(m.size());
    if (b.silent)
        return {};
    const CSysExTemplate& inquiry = SysExTemplateTable[kRowDeviceInquiry];
    if (length == inquiry.length && std::memcmp(m.data(), inquiry.bytes, length) == 0)
        return {IdentityReply()};
    if (length == kSearchRequestLength && m[1] == kSysExMakerId && m[2] == kSearchChannelByte &&
        m[3] == kSearchRequestByte)
        return {SearchReply(m[4])};
    // The instrument's own messages, on its channel only.
    if (length < 6 || !IsChannelHeader(m.data(), length) || (m[2] & 0x0F) != m_channel)
        return {};
    const int32_t number = length >= 8 ? (m[5] | m[6] << 7) : 0;
    switch (m[4])
    {
    case kCurrentProgramRequest:
        return {Dump(kRowCurrentProgramDump, 0, m_editBuffer)};
    case kProgramRequest:
        if (number >= 128 || number == b.silentAtProgram)
            return {};
        if (Refused(number))
            return {Refusal()};
        return {Dump(kRowProgramDump, number, m_programs[(number + b.dumpProgramOffset) & 127])};
    case kGlobalRequest:
        if (b.refuseGlobal)
            return {Refusal()};
        return {Dump(kRowGlobalDump, 0, m_global)};
    case kCurrentProgramDump:
    case kProgramDump:
    case kGlobalDump:
    {
        const bool current = m[4] == kCurrentProgramDump, global = m[4] == kGlobalDump;
        const uint32_t header = current || global ? 5 : 7;
        const uint32_t size = global ? kGlobalImageBytes : kProgramImageBytes;
        if (!current && !global && (number >= 128 || number == b.silentAtProgram))
            return {};
        if ((global && b.refuseGlobal) || (!current && !global && Refused(number)))
            return {Refusal()};
        if (length != header + GetEncoded7BitSize(size) + 1)
            return {Short(kRowDataLoadError)};
        Image image(size);
        Decode7Bit(image.data(), &m[header], size);
        (global ? m_global : current ? m_editBuffer : m_programs[number]) = image;
        return {Short(kRowWriteComplete)};
    }
    case kSysExParameterChange:
    {
        int32_t section = 0, index = 0, value = 0;
        if (DecodeParameterChange(m.data(), length, section, index, value))
            ApplyParameterChange(section, index, value);
        return {};
    }
    default:
        return {};
    }
}

CSimInstrument::Image CSimInstrument::Refusal() const
{
    return Short(m_behaviour.refusal == kWriteError ? kRowWriteError : kRowDataLoadError);
}

bool CSimInstrument::Refused(int32_t program) const
{
    return program == m_behaviour.refuseAtProgram;
}

uint32_t CSimInstrument::AnswerChannel() const
{
    return m_behaviour.answerChannel >= 0 ? static_cast<uint32_t>(m_behaviour.answerChannel) : m_channel;
}

CSimInstrument::Image CSimInstrument::Dump(uint32_t row, uint32_t number, const Image& image) const
{
    Image packed(GetEncoded7BitSize(static_cast<uint32_t>(image.size())));
    Encode7Bit(packed.data(), image.data(), static_cast<uint32_t>(image.size()));
    Image dump =
        BuildSysEx(row, AnswerChannel(), packed.data(), static_cast<uint32_t>(packed.size()), number);
    if (m_behaviour.shortDumps)
        dump.erase(dump.end() - 2);
    if (m_behaviour.secondModelId)
        dump[3] = kSysExSecondModelId;
    return dump;
}

CSimInstrument::Image CSimInstrument::Short(uint32_t row) const
{
    Image message = BuildSysEx(row, AnswerChannel(), nullptr, 0, 0);
    if (m_behaviour.secondModelId)
        message[3] = kSysExSecondModelId;
    return message;
}

CSimInstrument::Image CSimInstrument::IdentityReply() const
{
    Image reply = {0xF0, 0x7E, static_cast<uint8_t>(AnswerChannel()), 0x06, 0x02, kSysExMakerId};
    for (int32_t word : {m_behaviour.family, m_behaviour.member, 1, 2})
    {
        uint8_t pair[2];
        EncodeSigned14(word, pair);
        reply.insert(reply.end(), pair, pair + 2);
    }
    reply.push_back(0xF7);
    Resize(reply, m_behaviour.identityLength);
    return reply;
}

CSimInstrument::Image CSimInstrument::SearchReply(uint8_t number) const
{
    const CSimBehaviour& b = m_behaviour;
    Image reply = {0xF0,
                   kSysExMakerId,
                   kSearchChannelByte,
                   kSearchReplyByte,
                   static_cast<uint8_t>(m_channel),
                   static_cast<uint8_t>(b.searchNumber >= 0 ? b.searchNumber : number)};
    for (int32_t word : {b.family, b.member, 1, 2})
    {
        reply.push_back(static_cast<uint8_t>(word & 0x7F));
        reply.push_back(static_cast<uint8_t>(word >> 8 & 0x7F));
    }
    reply.push_back(0xF7);
    Resize(reply, b.searchReplyLength);
    return reply;
}

void CSimInstrument::ApplyParameterChange(int32_t section, int32_t index, int32_t value)
{
    CZmParameterId id;
    CZmIdConverter* converter = CZmIdConverterSingleton::Get();
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (converter == nullptr || accessor == nullptr || section < 0 || index < 0 ||
        !converter->FromDeviceAddress({static_cast<uint32_t>(section), static_cast<uint32_t>(index)}, id))
        return;
    CProgram program;
    std::memcpy(program.GetImage(), m_editBuffer.data(), kProgramImageBytes);
    accessor->SetValue(&program, id, value);
    std::memcpy(m_editBuffer.data(), program.GetImage(), kProgramImageBytes);
}
