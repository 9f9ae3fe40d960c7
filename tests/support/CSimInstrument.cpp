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

// Byte 4 of the instrument's messages: F0 mk 3g md cc ...
enum : uint8_t
{
    kCurrentProgramRequest = 0x10, // F0 mk 3g md 10 F7
    kProgramRequest = 0x1C,        // F0 mk 3g md 1C nl nh F7
    kGlobalRequest = 0x0E,         // F0 mk 3g md 0E F7
    kCurrentProgramDump = 0x40,    // F0 mk 3g md 40, 396 packed bytes, F7
    kProgramDump = 0x4C,           // F0 mk 3g md 4C nl nh, 396 packed bytes, F7
    kGlobalDump = 0x51,            // F0 mk 3g md 51, 115 packed bytes, F7
    kParameterChange = 0x41,       // F0 mk 3g md 41 sl sh il ih vl vh F7
    kWriteComplete = 0x23,         // F0 mk 3g md 23 F7
    kWriteError = 0x24,            // F0 mk 3g md 24 F7
    kDataLoadError = 0x26,         // F0 mk 3g md 26 F7
};

constexpr uint32_t kProgramBytes = 346; // a program image
constexpr uint32_t kGlobalBytes = 100;  // the global image
constexpr DWORD kInputWaitMs = 2000;

// The universal device inquiry, F0 7E 7F 06 01 F7, to every device.
bool IsDeviceInquiry(const CSimInstrument::Image& m)
{
    return m == CSimInstrument::Image{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
}

// The device search request, F0 mk 50 00 nn F7.
bool IsSearchRequest(const CSimInstrument::Image& m)
{
    return m.size() == 6 && m[0] == 0xF0 && m[1] == kSimMakerId && m[2] == 0x50 && m[3] == 0x00 &&
           m[5] == 0xF7;
}

// F0 mk 3n md and at least a command byte and F7: a message of the instrument's own.
bool IsOwnMessage(const CSimInstrument::Image& m)
{
    return m.size() >= 6 && m[0] == 0xF0 && m[1] == kSimMakerId && (m[2] & 0xF0) == 0x30 &&
           m[3] == kSimModelId && m.back() == 0xF7;
}

// A 14-bit two's-complement number, low 7 bits first.
int32_t Signed14(uint8_t low, uint8_t high)
{
    int32_t v = (low & 0x7F) | (high & 0x7F) << 7;
    return v & 0x2000 ? v - 0x4000 : v;
}

void PushSigned14(CSimInstrument::Image& m, int32_t value)
{
    m.push_back(static_cast<uint8_t>(value & 0x7F));
    m.push_back(static_cast<uint8_t>(value >> 7 & 0x7F));
}

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
    WORD maker = instrumentDriver ? kSimDriverManufacturerId : 1;
    SimMidiSetInputCaps(input, inName, maker, instrumentDriver ? kSimDriverInputProductId : 1);
    SimMidiSetOutputCaps(output, outName, maker, instrumentDriver ? kSimDriverOutputProductId : 2);
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
    std::function<void(const Image&)> hook;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_heard.push_back({Image(bytes, bytes + length), Clock::now()});
        m_received.push_back(m_heard.back().bytes);
        m_changed.notify_all();
        hook = m_heardHook;
    }
    // The router's lock keeps the calls in the order heard.
    if (hook)
        hook(Image(bytes, bytes + length));
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
    Image image(kProgramBytes);
    char name[9];
    snprintf(name, sizeof name, "P%03u    ", n % 1000);
    std::memcpy(image.data(), name, 8);
    for (size_t i = 8; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(n * 37 + i * 11 + (i & 1) * 0x80);
    return image;
}

CSimInstrument::Image CSimInstrument::PatternGlobal()
{
    Image image(kGlobalBytes);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 29 + 0x85);
    return image;
}

void CSimInstrument::SendPanelChange(int32_t section, int32_t index, int32_t value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    ApplyParameterChange(section, index, value);
    // Always on its own channel and with its own model id.
    Image change = {0xF0, kSimMakerId, static_cast<uint8_t>(0x30 | m_channel), kSimModelId, kParameterChange};
    for (int32_t number : {section, index, value})
        PushSigned14(change, number);
    change.push_back(0xF7);
    Queue({change}, Clock::now(), 0);
}

size_t CSimInstrument::RealTimeBytesSent()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_realTimeSent;
}

std::vector<CSimInstrument::Image> CSimInstrument::Received()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

void CSimInstrument::SetHeardHook(std::function<void(const Image&)> hook)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_heardHook = std::move(hook);
}

uint64_t CSimInstrument::StoredChanges()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_storedChanges;
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
        if (b.realTimeSeed != 0)
            SprinkleRealTime(bytes);
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

void CSimInstrument::SprinkleRealTime(Image& bytes)
{
    if (m_realTimeSeed != m_behaviour.realTimeSeed)
    {
        m_realTimeSeed = m_behaviour.realTimeSeed;
        m_realTimeRandom.seed(m_realTimeSeed);
    }
    // About one byte in eight, at least one; an offset may take several.
    const size_t count = 1 + m_realTimeRandom() % (1 + bytes.size() / 4);
    for (size_t i = 0; i < count; ++i)
    {
        const size_t offset = m_realTimeRandom() % (bytes.size() + 1);
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     static_cast<uint8_t>(0xF8 + m_realTimeRandom() % 8));
    }
    m_realTimeSent += count;
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
    if (IsDeviceInquiry(m))
        return {IdentityReply()};
    if (IsSearchRequest(m))
        return {SearchReply(m[4])};
    // The instrument's own messages, on its channel only.
    if (!IsOwnMessage(m) || (m[2] & 0x0F) != m_channel)
        return {};
    const int32_t number = length >= 8 ? (m[5] | m[6] << 7) : 0;
    switch (m[4])
    {
    case kCurrentProgramRequest:
        return {Dump(kCurrentProgramDump, -1, m_editBuffer)};
    case kProgramRequest:
        if (number >= 128 || number == b.silentAtProgram)
            return {};
        if (Refused(number))
            return {Refusal()};
        return {Dump(kProgramDump, number, m_programs[(number + b.dumpProgramOffset) & 127])};
    case kGlobalRequest:
        if (b.refuseGlobal)
            return {Refusal()};
        return {Dump(kGlobalDump, -1, m_global)};
    case kCurrentProgramDump:
    case kProgramDump:
    case kGlobalDump:
    {
        const bool current = m[4] == kCurrentProgramDump, global = m[4] == kGlobalDump;
        const uint32_t header = current || global ? 5 : 7;
        const uint32_t size = global ? kGlobalBytes : kProgramBytes;
        if (!current && !global && (number >= 128 || number == b.silentAtProgram))
            return {};
        if ((global && b.refuseGlobal) || (!current && !global && Refused(number)))
            return {Refusal()};
        if (length != header + GetEncoded7BitSize(size) + 1)
            return {Short(kDataLoadError)};
        Image image(size);
        Decode7Bit(image.data(), &m[header], size);
        (global ? m_global : current ? m_editBuffer : m_programs[number]) = image;
        ++m_storedChanges;
        return {Short(kWriteComplete)};
    }
    case kParameterChange:
        if (length == 12)
            ApplyParameterChange(Signed14(m[5], m[6]), Signed14(m[7], m[8]), Signed14(m[9], m[10]));
        return {};
    default:
        return {};
    }
}

CSimInstrument::Image CSimInstrument::Refusal() const
{
    return Short(m_behaviour.refusal == kWriteError ? kWriteError : kDataLoadError);
}

bool CSimInstrument::Refused(int32_t program) const
{
    return program == m_behaviour.refuseAtProgram;
}

uint32_t CSimInstrument::AnswerChannel() const
{
    return m_behaviour.answerChannel >= 0 ? static_cast<uint32_t>(m_behaviour.answerChannel) : m_channel;
}

CSimInstrument::Image CSimInstrument::Head(uint8_t command) const
{
    return {0xF0, kSimMakerId, static_cast<uint8_t>(0x30 | (AnswerChannel() & 0x0F)),
            m_behaviour.secondModelId ? kSimSecondModelId : kSimModelId, command};
}

CSimInstrument::Image CSimInstrument::Dump(uint8_t command, int32_t number, const Image& image) const
{
    Image dump = Head(command);
    if (number >= 0)
    {
        dump.push_back(static_cast<uint8_t>(number & 0x7F));
        dump.push_back(static_cast<uint8_t>(number >> 7 & 0x7F));
    }
    Image packed(GetEncoded7BitSize(static_cast<uint32_t>(image.size())));
    Encode7Bit(packed.data(), image.data(), static_cast<uint32_t>(image.size()));
    dump.insert(dump.end(), packed.begin(), packed.end());
    if (m_behaviour.shortDumps)
        dump.pop_back();
    dump.push_back(0xF7);
    return dump;
}

CSimInstrument::Image CSimInstrument::Short(uint8_t command) const
{
    Image message = Head(command);
    message.push_back(0xF7);
    return message;
}

// F0 7E cc 06 02 mm fl fh ml mh al ah bl bh F7, each word 14 bits, low 7 first.
CSimInstrument::Image CSimInstrument::IdentityReply() const
{
    Image reply = {0xF0, 0x7E, static_cast<uint8_t>(AnswerChannel()), 0x06, 0x02, kSimMakerId};
    for (int32_t word : {m_behaviour.family, m_behaviour.member, 1, 2})
        PushSigned14(reply, word);
    reply.push_back(0xF7);
    Resize(reply, m_behaviour.identityLength);
    return reply;
}

// F0 mk 50 01 cc nn fl fh ml mh al ah bl bh F7: cc the channel and the flag in bit 4, nn the
// request's number, each word as low byte, high byte (high * 256 + low).
CSimInstrument::Image CSimInstrument::SearchReply(uint8_t number) const
{
    const CSimBehaviour& b = m_behaviour;
    Image reply = {0xF0,
                   kSimMakerId,
                   0x50,
                   0x01,
                   static_cast<uint8_t>(m_channel | (b.searchFlag ? 0x10 : 0x00)),
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
    std::memcpy(program.GetImage(), m_editBuffer.data(), kProgramBytes);
    accessor->SetValue(&program, id, value);
    std::memcpy(m_editBuffer.data(), program.GetImage(), kProgramBytes);
    ++m_storedChanges;
}
