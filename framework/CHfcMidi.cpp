#include "framework/CHfcMidi.h"

#include "foundation/win32/CHfcSemaphore.h"
#include "foundation/EfUtility.h"
#include "framework/CHfcScopedLock.h"

#include <algorithm>
#include <cstring>

namespace
{
// How long a close keeps asking a driver that still holds buffers: 200 tries, 10 ms apart.
constexpr int kCloseTries = 200;
constexpr DWORD kCloseRetryMs = 10;

// Traces why an operation failed, as "CHfcMidi::<method>() - <text>"; answers false, for the
// operation to return.
bool Fail(const char* method, const char* text)
{
    DebugTrace("CHfcMidi::%s() - %s", method, text);
    return false;
}

struct CThreadStart
{
    CHfcMidi* midi;
    CHfcSemaphore ready{0};
};
// The product name of a device from its capabilities (midiInGetDevCapsA or midiOutGetDevCapsA).
template <typename Caps>
bool ReadDeviceName(MMRESULT(WINAPI* getCaps)(UINT_PTR, Caps*, UINT), int32_t index, char* buffer, uint32_t n,
                    const char* failure, const char* method)
{
    if (buffer == nullptr || n == 0)
        return Fail(method, "No buffer.");
    Caps caps = {};
    if (index < 0 || getCaps(static_cast<UINT>(index), &caps, sizeof caps) != MMSYSERR_NOERROR)
        return Fail(method, failure);
    caps.szPname[MAXPNAMELEN - 1] = 0;
    strncpy(buffer, caps.szPname, n - 1);
    buffer[n - 1] = 0;
    return true;
}

// The first of `count` devices whose product name is exactly `name` (case counts), or -1.
int32_t FindDevice(UINT count, bool (*getName)(int32_t, char*, uint32_t), const char* name)
{
    if (name == nullptr)
        return -1;
    for (UINT i = 0; i < count; ++i)
    {
        char product[256] = {};
        if (getName(static_cast<int32_t>(i), product, sizeof product) && strcmp(product, name) == 0)
            return static_cast<int32_t>(i);
    }
    return -1;
}
} // namespace

CHfcMidi::CHfcMidi() : m_parser(*this)
{
    memset(m_inHeaders, 0, sizeof m_inHeaders);
}

CHfcMidi::~CHfcMidi()
{
    MidiOutClose();
    MidiInClose();
    Destroy();
    // With the thread gone nothing completes the sends still listed; the driver has given them
    // back unless the output could not be closed, and then they must stay allocated.
    if (m_hMidiOut != nullptr)
        for (auto& buffer : m_outBuffers)
            buffer.release();
}

// ---------------------------------------------------------------------------------------------
// Thread

bool CHfcMidi::Create(const char* /*name*/)
{
    if (m_thread != nullptr)
        return Fail("Create", "Thread already running.");
    CThreadStart start{this};
    if (!start.ready.IsValid())
        return Fail("Create", "Faild to create thread.");
    m_run = true;
    m_thread = CreateThread(nullptr, 0, &CHfcMidi::ThreadProc, &start, 0, &m_threadId);
    if (m_thread == nullptr)
    {
        m_run = false;
        m_threadId = 0;
        return Fail("Create", "Faild to create thread.");
    }
    SetThreadPriority(m_thread, THREAD_PRIORITY_TIME_CRITICAL);
    // The thread signals once it has its message queue, so no post to it is lost.
    start.ready.Wait();
    return true;
}

bool CHfcMidi::Destroy()
{
    if (m_thread == nullptr)
        return true;
    m_run = false;
    PostThreadMessageA(m_threadId, kStopMessage, 0, 0);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
    m_threadId = 0;
    return true;
}

DWORD WINAPI CHfcMidi::ThreadProc(LPVOID parameter)
{
    CThreadStart* start = static_cast<CThreadStart*>(parameter);
    CHfcMidi* midi = start->midi;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    start->ready.Release(); // `start` is gone after this
    midi->Run();
    return 0;
}

void CHfcMidi::Run()
{
    MSG msg;
    while (m_run)
    {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        switch (msg.message)
        {
        case MM_MIM_DATA:
            OnMimData(reinterpret_cast<HMIDIIN>(msg.wParam), static_cast<DWORD>(msg.lParam));
            break;
        case MM_MIM_LONGDATA:
            OnMimLongData(reinterpret_cast<HMIDIIN>(msg.wParam), reinterpret_cast<MIDIHDR*>(msg.lParam));
            break;
        case MM_MOM_DONE:
            // Also after the output closed: the header is still ours to free.
            Win32SendComplete(reinterpret_cast<MIDIHDR*>(msg.lParam));
            break;
        case kStopMessage:
            m_run = false;
            break;
        default:
            break;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Listeners

template <typename F> void CHfcMidi::ForEachListener(F call)
{
    CHfcScopedLock lock(m_listenerLock);
    // A listener may remove itself or another one during the round: the round walks a copy and
    // skips whoever is gone.
    std::vector<CHfcMidiListener*> round = m_listeners;
    for (CHfcMidiListener* listener : round)
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            call(listener);
}

void CHfcMidi::AddListener(CHfcMidiListener* listener)
{
    if (listener == nullptr)
        return;
    CHfcScopedLock lock(m_listenerLock);
    m_listeners.push_back(listener);
}

void CHfcMidi::RemoveListener(CHfcMidiListener* listener)
{
    CHfcScopedLock lock(m_listenerLock);
    auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it != m_listeners.end())
        m_listeners.erase(it);
}

void CHfcMidi::ClearListeners()
{
    CHfcScopedLock lock(m_listenerLock);
    m_listeners.clear();
}

void CHfcMidi::SetListener(CHfcMidiListener* listener)
{
    CHfcScopedLock lock(m_listenerLock);
    m_listeners.clear();
    if (listener != nullptr)
        m_listeners.push_back(listener);
}

CHfcMidiListener* CHfcMidi::GetFirstListener()
{
    CHfcScopedLock lock(m_listenerLock);
    return m_listeners.empty() ? nullptr : m_listeners.front();
}

bool CHfcMidi::IsReceiving()
{
    CHfcScopedLock lock(m_flagLock);
    return m_receiving;
}

bool CHfcMidi::IsSending()
{
    CHfcScopedLock lock(m_flagLock);
    return m_sending;
}

// ---------------------------------------------------------------------------------------------
// Input

bool CHfcMidi::MidiInOpen(int32_t index)
{
    if (m_hMidiIn != nullptr)
        return Fail("MidiInOpen", "MIDI IN already opened.");
    if (index < 0 || static_cast<UINT>(index) >= midiInGetNumDevs())
        return Fail("MidiInOpen", "Not found MIDI IN device.");
    if (m_thread == nullptr)
        return Fail("MidiInOpen", "MIDI thread not running.");
    HMIDIIN handle = nullptr;
    if (midiInOpen(&handle, static_cast<UINT>(index), m_threadId, reinterpret_cast<DWORD_PTR>(this),
                   CALLBACK_THREAD) != MMSYSERR_NOERROR)
        return Fail("MidiInOpen", "Faild to midiInOpen()");
    {
        CHfcScopedLock lock(m_portLock);
        m_hMidiIn = handle;
        m_inputClosing = false;
        m_parser.Clear();
    }
    const char* failure = nullptr;
    for (uint32_t i = 0; i < kInputBufferCount && failure == nullptr; ++i)
    {
        MIDIHDR& header = m_inHeaders[i];
        memset(&header, 0, sizeof header);
        m_inData[i].reset(new char[m_inputBufferSize]());
        header.lpData = m_inData[i].get();
        header.dwBufferLength = m_inputBufferSize;
        if (midiInPrepareHeader(handle, &header, sizeof header) != MMSYSERR_NOERROR)
            failure = "Faild to midiInPrepareHeader()";
        else if (midiInAddBuffer(handle, &header, sizeof header) != MMSYSERR_NOERROR)
            failure = "Faild to midiInAddBuffer()";
    }
    if (failure == nullptr && midiInStart(handle) != MMSYSERR_NOERROR)
        failure = "Faild to midiInStart()";
    if (failure != nullptr)
    {
        // Gives back what was set up, so that the next open can succeed.
        ReleaseInput("MidiInOpen");
        return Fail("MidiInOpen", failure);
    }
    m_inIndex = index;
    return true;
}

bool CHfcMidi::MidiInOpenByName(const char* name)
{
    int32_t index = FindMidiInDevice(name);
    return index >= 0 && MidiInOpen(index);
}

void CHfcMidi::MidiInClose()
{
    if (m_hMidiIn == nullptr)
        return;
    m_inIndex = -1;
    ReleaseInput("MidiInClose");
}

bool CHfcMidi::ReleaseInput(const char* caller)
{
    HMIDIIN handle = m_hMidiIn;
    if (midiInStop(handle) != MMSYSERR_NOERROR)
        return Fail(caller, "Faild to midiInStop()");
    {
        CHfcScopedLock lock(m_portLock);
        m_inputClosing = true;
    }
    // Returns every queued buffer; the port's thread ignores them from now on.
    if (midiInReset(handle) != MMSYSERR_NOERROR)
        return Fail(caller, "Faild to midiInReset()");
    {
        CHfcScopedLock lock(m_portLock);
        for (uint32_t i = 0; i < kInputBufferCount; ++i)
        {
            MIDIHDR& header = m_inHeaders[i];
            if (header.dwFlags & MHDR_PREPARED)
            {
                if (midiInUnprepareHeader(handle, &header, sizeof header) != MMSYSERR_NOERROR)
                {
                    DebugTrace("[midiInClose] Failed to midiInUnprepareHeader");
                    m_inData[i].release(); // the driver may still write into it
                    continue;
                }
            }
            m_inData[i].reset();
            memset(&header, 0, sizeof header);
        }
    }
    for (int tries = 0;; ++tries)
    {
        {
            CHfcScopedLock lock(m_portLock);
            MMRESULT result = midiInClose(handle);
            if (result == MMSYSERR_NOERROR)
            {
                m_hMidiIn = nullptr;
                return true;
            }
            if (result != MIDIERR_STILLPLAYING || tries + 1 >= kCloseTries)
                return Fail(caller, "Faild to midiInClose()");
        }
        DebugTrace("midiInClose: MIDIERR_STILLPLAYING");
        Sleep(kCloseRetryMs);
    }
}

void CHfcMidi::OnMimData(HMIDIIN handle, DWORD packed)
{
    CHfcScopedLock lock(m_portLock);
    if (m_inputClosing || handle != m_hMidiIn || m_hMidiIn == nullptr)
        return;
    uint8_t bytes[3] = {static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                        static_cast<uint8_t>(packed >> 16)};
    uint32_t length = GetMessageLength(bytes[0]);
    OnShortInput(length, bytes);
    CHfcMidiMessage message(bytes, length);
    ForEachListener(
        [&](CHfcMidiListener* listener)
        {
            listener->OnShortMessage(this, &message);
            listener->OnInputBytes(this, length, bytes);
            listener->OnShortBytes(this, length, bytes);
        });
}

void CHfcMidi::OnMimLongData(HMIDIIN handle, MIDIHDR* header)
{
    // Held while the buffer is parsed and queued again, so that a close cannot free it meanwhile.
    CHfcScopedLock lock(m_portLock);
    if (m_inputClosing || handle != m_hMidiIn || m_hMidiIn == nullptr)
        return;
    if (header < m_inHeaders || header >= m_inHeaders + kInputBufferCount || !(header->dwFlags & MHDR_DONE))
        return;
    if (header->dwBytesRecorded == 0)
        return;
    m_parser.ParseLongBuffer(header->dwBytesRecorded, reinterpret_cast<const uint8_t*>(header->lpData));
    if (midiInUnprepareHeader(m_hMidiIn, header, sizeof *header) != MMSYSERR_NOERROR)
        DebugTrace("Failed to midiInUnprepareHeader.");
    else if (midiInPrepareHeader(m_hMidiIn, header, sizeof *header) != MMSYSERR_NOERROR)
        DebugTrace("Failed to midiInPrepareHeader.");
    else if (midiInAddBuffer(m_hMidiIn, header, sizeof *header) != MMSYSERR_NOERROR)
        DebugTrace("Failed to midiInAddBuffer.");
}

void CHfcMidi::OnParsedShort(uint32_t length, const uint8_t* bytes)
{
    CHfcMidiMessage message(bytes, length);
    ForEachListener(
        [&](CHfcMidiListener* listener)
        {
            listener->OnShortMessage(this, &message);
            listener->OnShortBytes(this, length, bytes);
        });
}

void CHfcMidi::OnParsedSysEx(uint32_t consumed, const uint8_t* runStart, CHfcMidiMessage& message)
{
    ForEachListener(
        [&](CHfcMidiListener* listener)
        {
            listener->OnSysExProgress(this, consumed, runStart);
            listener->OnSysExMessage(this, &message);
            listener->OnSysExBytes(this, message.GetLength(), message.GetData(0));
        });
}

void CHfcMidi::OnParsedProgress(uint32_t count, const uint8_t* runStart)
{
    ForEachListener([&](CHfcMidiListener* listener) { listener->OnSysExProgress(this, count, runStart); });
}

void CHfcMidi::OnReceivingChanged(bool receiving)
{
    CHfcScopedLock lock(m_flagLock);
    m_receiving = receiving;
}

// ---------------------------------------------------------------------------------------------
// Output

bool CHfcMidi::MidiOutOpen(int32_t index)
{
    if (m_hMidiOut != nullptr)
        return Fail("MidiOutOpen", "MIDI OUT already opened.");
    if (index < 0 || static_cast<UINT>(index) >= midiOutGetNumDevs())
        return Fail("MidiOutOpen", "Not found MIDI OUT device.");
    if (m_thread == nullptr)
        return Fail("MidiOutOpen", "MIDI thread not running.");
    HMIDIOUT handle = nullptr;
    if (midiOutOpen(&handle, static_cast<UINT>(index), m_threadId, reinterpret_cast<DWORD_PTR>(this),
                    CALLBACK_THREAD) != MMSYSERR_NOERROR)
        return Fail("MidiOutOpen", "Faild to midiOutOpen()");
    CHfcScopedLock lock(m_portLock);
    m_hMidiOut = handle;
    m_outIndex = index;
    return true;
}

bool CHfcMidi::MidiOutOpenByName(const char* name)
{
    int32_t index = FindMidiOutDevice(name);
    return index >= 0 && MidiOutOpen(index);
}

void CHfcMidi::MidiOutClose()
{
    if (m_hMidiOut == nullptr)
        return;
    m_outIndex = -1;
    // Returns the long messages still queued; their completions free them.
    if (midiOutReset(m_hMidiOut) != MMSYSERR_NOERROR)
        Fail("MidiOutClose", "Faild to midiOutReset()");
    {
        // Given back headers are unprepared while the handle still exists; their late
        // completions then only free them.
        CHfcScopedLock lock(m_portLock);
        for (auto& buffer : m_outBuffers)
            if (buffer->handle == m_hMidiOut && (buffer->header.dwFlags & MHDR_DONE) &&
                midiOutUnprepareHeader(m_hMidiOut, &buffer->header, sizeof buffer->header) ==
                    MMSYSERR_NOERROR)
                buffer->handle = nullptr;
    }
    for (int tries = 0;; ++tries)
    {
        {
            // Under the lock, so that a completion never unprepares on a handle just closed.
            CHfcScopedLock lock(m_portLock);
            MMRESULT result = midiOutClose(m_hMidiOut);
            if (result == MMSYSERR_NOERROR)
            {
                m_hMidiOut = nullptr;
                return;
            }
            if (result != MIDIERR_STILLPLAYING || tries + 1 >= kCloseTries)
            {
                Fail("MidiOutClose", "Faild to midiOutClose()");
                return;
            }
        }
        Sleep(kCloseRetryMs);
    }
}

bool CHfcMidi::SendShortMessage(uint8_t status, uint8_t data1, uint8_t data2)
{
    if (m_hMidiOut == nullptr)
        return false;
    DWORD packed = status | static_cast<DWORD>(data1) << 8 | static_cast<DWORD>(data2) << 16;
    if (midiOutShortMsg(m_hMidiOut, packed) != MMSYSERR_NOERROR)
    {
        DebugTrace("Faild to send MIDI Short Message.");
        return false;
    }
    return true;
}

bool CHfcMidi::SendChannelMessage(uint8_t channel, uint8_t status, uint8_t data1, uint8_t data2)
{
    return SendShortMessage(static_cast<uint8_t>((status & 0xF0) | (channel & 0x0F)), data1, data2);
}

bool CHfcMidi::SendMessage(const CHfcMidiMessage* message)
{
    if (message == nullptr || message->GetLength() == 0)
        return false;
    const uint8_t* bytes = message->GetData(0);
    if (bytes[0] == 0xF0)
        return Out(message->GetLength(), bytes);
    uint32_t n = message->GetLength();
    return SendShortMessage(bytes[0], n > 1 ? bytes[1] : 0, n > 2 ? bytes[2] : 0);
}

bool CHfcMidi::Out(uint32_t length, const uint8_t* bytes)
{
    if (m_hMidiOut == nullptr || bytes == nullptr || length == 0)
        return false;
    {
        CHfcScopedLock lock(m_flagLock);
        m_sending = true;
    }
    auto buffer = std::make_unique<COutBuffer>();
    memset(&buffer->header, 0, sizeof buffer->header);
    buffer->bytes.assign(bytes, bytes + length);
    buffer->handle = m_hMidiOut;
    MIDIHDR* header = &buffer->header;
    header->lpData = reinterpret_cast<LPSTR>(buffer->bytes.data());
    header->dwBufferLength = length;
    if (midiOutPrepareHeader(m_hMidiOut, header, sizeof *header) != MMSYSERR_NOERROR)
    {
        UpdateSending();
        return Fail("Out", "Faild to midiOutPrepare Header()");
    }
    {
        // Listed before it goes out: its completion may arrive before midiOutLongMsg returns.
        CHfcScopedLock lock(m_portLock);
        m_outBuffers.push_back(std::move(buffer));
    }
    if (midiOutLongMsg(m_hMidiOut, header, sizeof *header) != MMSYSERR_NOERROR)
    {
        midiOutUnprepareHeader(m_hMidiOut, header, sizeof *header);
        {
            CHfcScopedLock lock(m_portLock);
            m_outBuffers.erase(std::find_if(m_outBuffers.begin(), m_outBuffers.end(),
                                            [&](const auto& b) { return &b->header == header; }));
        }
        UpdateSending();
        return Fail("Out", "Faild to midiOutLongMsg()");
    }
    return true;
}

void CHfcMidi::UpdateSending()
{
    bool sending;
    {
        CHfcScopedLock lock(m_portLock);
        sending = !m_outBuffers.empty();
    }
    CHfcScopedLock lock(m_flagLock);
    m_sending = sending;
}

void CHfcMidi::Win32SendComplete(MIDIHDR* header)
{
    uint32_t length;
    {
        CHfcScopedLock lock(m_portLock);
        auto it = std::find_if(m_outBuffers.begin(), m_outBuffers.end(),
                               [&](const auto& b) { return &b->header == header; });
        if (it == m_outBuffers.end())
        {
            Fail("Win32SendComplete", "Unknown header.");
            return;
        }
        length = header->dwBufferLength;
    }
    if (header->dwFlags & MHDR_DONE)
    {
        OnLongSent(length);
        ForEachListener([&](CHfcMidiListener* listener) { listener->OnLongMessageSent(this, length); });
    }
    {
        CHfcScopedLock lock(m_portLock);
        auto it = std::find_if(m_outBuffers.begin(), m_outBuffers.end(),
                               [&](const auto& b) { return &b->header == header; });
        if (it == m_outBuffers.end())
        {
            Fail("Win32SendComplete", "Unknown header.");
            return;
        }
        // Sent on a handle since closed: the driver has let go of it and it cannot be
        // unprepared any more.
        if ((*it)->handle != nullptr && (*it)->handle == m_hMidiOut &&
            midiOutUnprepareHeader(m_hMidiOut, header, sizeof *header) != MMSYSERR_NOERROR)
        {
            UpdateSending();
            Fail("Win32SendComplete", "Faild to midiOutUnprepareHeader()");
            return;
        }
        m_outBuffers.erase(it);
    }
    UpdateSending();
}

int32_t CHfcMidi::FindMidiInDevice(const char* name)
{
    return FindDevice(midiInGetNumDevs(), &CHfcMidi::GetMidiInDeviceName, name);
}

int32_t CHfcMidi::FindMidiOutDevice(const char* name)
{
    return FindDevice(midiOutGetNumDevs(), &CHfcMidi::GetMidiOutDeviceName, name);
}

bool CHfcMidi::GetMidiInDeviceName(int32_t index, char* buffer, uint32_t n)
{
    return ReadDeviceName(&midiInGetDevCapsA, index, buffer, n, "Faild to midiInGetDevCaps()",
                          "GetMidiInDeviceName");
}

bool CHfcMidi::GetMidiOutDeviceName(int32_t index, char* buffer, uint32_t n)
{
    return ReadDeviceName(&midiOutGetDevCapsA, index, buffer, n, "Faild to midiOutGetDevCaps()",
                          "GetMidiOutDeviceName");
}
