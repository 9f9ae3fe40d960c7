#include "CSimMidiDriver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace
{
UINT ShortLength(BYTE status)
{
    if (status >= 0xF8 || status == 0xF6)
        return 1;
    if ((status >= 0xC0 && status <= 0xDF) || status == 0xF1 || status == 0xF3)
        return 2;
    return 3;
}

uint64_t HandleId(HANDLE handle)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

std::wstring DefaultName(bool input, size_t index)
{
    wchar_t name[MAXPNAMELEN];
    swprintf(name, MAXPNAMELEN, input ? L"Simulated MIDI In %u" : L"Simulated MIDI Out %u",
             static_cast<unsigned>(index + 1));
    return name;
}

void SetName(WCHAR* dst, const std::wstring& name)
{
    wcsncpy(dst, name.c_str(), MAXPNAMELEN - 1);
}
void SetName(CHAR* dst, const std::wstring& name)
{
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, dst, MAXPNAMELEN - 1, nullptr, nullptr);
}

// Capabilities of a device in any of the four layouts; a caller's smaller structure gets the
// leading part.
template <typename Caps> MMRESULT CopyCaps(const Caps& caps, void* out, UINT size)
{
    memcpy(out, &caps, std::min<size_t>(size, sizeof caps));
    return MMSYSERR_NOERROR;
}
} // namespace

template <typename Caps> Caps CSimMidiDriver::MakeCaps(const Device& d)
{
    Caps caps = {};
    caps.wMid = d.manufacturer;
    caps.wPid = d.product;
    caps.vDriverVersion = 0x0100;
    SetName(caps.szPname, d.name);
    return caps;
}

template <typename Caps> Caps CSimMidiDriver::MakeOutputCaps(const Device& d)
{
    Caps caps = MakeCaps<Caps>(d);
    caps.wTechnology = MOD_MIDIPORT;
    caps.wChannelMask = 0xFFFF;
    return caps;
}

CSimMidiDriver& CSimMidiDriver::Get()
{
    static CSimMidiDriver* driver = new CSimMidiDriver();
    return *driver;
}

bool CSimMidiDriver::Failing(SimMidiCall call, MMRESULT* result)
{
    Failure& f = m_failures[call];
    if (f.skip > 0)
    {
        --f.skip;
        return false;
    }
    if (f.count == 0)
        return false;
    --f.count;
    *result = f.result;
    return true;
}

CSimMidiDriver::Port* CSimMidiDriver::FindPort(bool input, HANDLE handle)
{
    auto it = m_ports.find(HandleId(handle));
    if (it == m_ports.end() || it->second.input != input)
        return nullptr;
    return &it->second;
}

CSimMidiDriver::Port* CSimMidiDriver::Begin(SimMidiCall call, bool input, HANDLE handle, MMRESULT* result)
{
    if (Failing(call, result))
        return nullptr;
    Port* port = FindPort(input, handle);
    if (port == nullptr)
        *result = MMSYSERR_INVALHANDLE;
    return port;
}

CSimMidiDriver::Port* CSimMidiDriver::RunningInput(UINT device)
{
    if (device >= m_inputs.size() || m_inputs[device].openHandle == 0)
        return nullptr;
    Port& port = m_ports[m_inputs[device].openHandle];
    return port.started ? &port : nullptr;
}

void CSimMidiDriver::Post(const Port& port, uint64_t handle, UINT message, DWORD_PTR param)
{
    WPARAM wParam = static_cast<WPARAM>(handle);
    LPARAM lParam = static_cast<LPARAM>(param);
    if (port.callbackType == CALLBACK_THREAD)
        PostThreadMessageW(static_cast<DWORD>(port.callback), message, wParam, lParam);
    else if (port.callbackType == CALLBACK_WINDOW)
        PostMessageW(reinterpret_cast<HWND>(port.callback), message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// WinMM entry points

UINT CSimMidiDriver::GetNumDevs(bool input)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<UINT>(Devices(input).size());
}

MMRESULT CSimMidiDriver::GetDevCaps(bool input, UINT_PTR device, void* caps, UINT size, bool wide)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT failure;
    if (Failing(input ? SIMMIDI_IN_GETDEVCAPS : SIMMIDI_OUT_GETDEVCAPS, &failure))
        return failure;
    std::vector<Device>& devices = Devices(input);
    if (device >= devices.size())
        return MMSYSERR_BADDEVICEID;
    if (caps == nullptr)
        return MMSYSERR_INVALPARAM;
    const Device& d = devices[device];
    if (input)
        return wide ? CopyCaps(MakeCaps<MIDIINCAPSW>(d), caps, size)
                    : CopyCaps(MakeCaps<MIDIINCAPSA>(d), caps, size);
    return wide ? CopyCaps(MakeOutputCaps<MIDIOUTCAPSW>(d), caps, size)
                : CopyCaps(MakeOutputCaps<MIDIOUTCAPSA>(d), caps, size);
}

MMRESULT CSimMidiDriver::Open(bool input, HANDLE* handle, UINT device, DWORD_PTR callback, DWORD_PTR,
                              DWORD flags)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (handle == nullptr)
        return MMSYSERR_INVALPARAM;
    *handle = nullptr;
    MMRESULT failure;
    if (Failing(input ? SIMMIDI_IN_OPEN : SIMMIDI_OUT_OPEN, &failure))
        return failure;
    std::vector<Device>& devices = Devices(input);
    if (device >= devices.size())
        return MMSYSERR_BADDEVICEID;
    DWORD type = flags & CALLBACK_TYPEMASK;
    if (type != CALLBACK_NULL && type != CALLBACK_THREAD && type != CALLBACK_WINDOW)
        return MMSYSERR_INVALFLAG;
    if (devices[device].openHandle != 0)
        return MMSYSERR_ALLOCATED;

    uint64_t id = m_nextHandle++;
    Port& port = m_ports[id];
    port.input = input;
    port.device = device;
    port.callbackType = type;
    port.callback = callback;
    devices[device].openHandle = id;
    *handle = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(id));
    Post(port, id, input ? MM_MIM_OPEN : MM_MOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::Close(bool input, HANDLE handle)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(input ? SIMMIDI_IN_CLOSE : SIMMIDI_OUT_CLOSE, input, handle, &result);
    if (port == nullptr)
        return result;
    if (!port->queue.empty())
        return MIDIERR_STILLPLAYING;
    Post(*port, HandleId(handle), input ? MM_MIM_CLOSE : MM_MOM_CLOSE, 0);
    Devices(input)[port->device].openHandle = 0;
    m_ports.erase(HandleId(handle));
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::Prepare(bool input, HANDLE handle, MIDIHDR* header, UINT size)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    if (Begin(input ? SIMMIDI_IN_PREPARE : SIMMIDI_OUT_PREPARE, input, handle, &result) == nullptr)
        return result;
    if (header == nullptr || size < sizeof(MIDIHDR) || header->lpData == nullptr)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    m_prepared.insert(header);
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::Unprepare(bool input, HANDLE handle, MIDIHDR* header, UINT size)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    if (Begin(input ? SIMMIDI_IN_UNPREPARE : SIMMIDI_OUT_UNPREPARE, input, handle, &result) == nullptr)
        return result;
    if (header == nullptr || size < sizeof(MIDIHDR))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~MHDR_PREPARED;
    m_prepared.erase(header);
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::AddBuffer(HANDLE handle, MIDIHDR* header, UINT size)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(SIMMIDI_IN_ADDBUFFER, true, handle, &result);
    if (port == nullptr)
        return result;
    if (header == nullptr || size < sizeof(MIDIHDR) || header->lpData == nullptr ||
        header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    header->dwBytesRecorded = 0;
    port->queue.push_back(header);
    m_changed.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::Start(HANDLE handle)
{
    return SetStarted(handle, true);
}

MMRESULT CSimMidiDriver::Stop(HANDLE handle)
{
    return SetStarted(handle, false);
}

MMRESULT CSimMidiDriver::SetStarted(HANDLE handle, bool started)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(started ? SIMMIDI_IN_START : SIMMIDI_IN_STOP, true, handle, &result);
    if (port == nullptr)
        return result;
    port->started = started;
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::Reset(bool input, HANDLE handle)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(input ? SIMMIDI_IN_RESET : SIMMIDI_OUT_RESET, input, handle, &result);
    if (port == nullptr)
        return result;
    // Every queued buffer comes back as done: inputs empty, outputs as if sent.
    uint64_t id = HandleId(handle);
    if (input)
        port->started = false;
    while (!port->queue.empty())
    {
        MIDIHDR* header = port->queue.front();
        port->queue.pop_front();
        header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        if (input)
            header->dwBytesRecorded = 0;
        Post(*port, id, input ? MM_MIM_LONGDATA : MM_MOM_DONE, reinterpret_cast<DWORD_PTR>(header));
    }
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::ShortMsg(HANDLE handle, DWORD packed)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(SIMMIDI_OUT_SHORTMSG, false, handle, &result);
    if (port == nullptr)
        return result;
    BYTE bytes[3] = {static_cast<BYTE>(packed), static_cast<BYTE>(packed >> 8),
                     static_cast<BYTE>(packed >> 16)};
    std::vector<BYTE> message(bytes, bytes + ShortLength(bytes[0]));
    m_outputs[port->device].sent.push_back(message);
    Job job;
    job.device = port->device;
    job.bytes = std::move(message);
    QueueJob(std::move(job));
    return MMSYSERR_NOERROR;
}

MMRESULT CSimMidiDriver::LongMsg(HANDLE handle, MIDIHDR* header, UINT size)
{
    std::lock_guard<std::mutex> guard(m_lock);
    MMRESULT result;
    Port* port = Begin(SIMMIDI_OUT_LONGMSG, false, handle, &result);
    if (port == nullptr)
        return result;
    if (header == nullptr || size < sizeof(MIDIHDR) || header->lpData == nullptr)
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    const BYTE* data = reinterpret_cast<const BYTE*>(header->lpData);
    std::vector<BYTE> message(data, data + header->dwBufferLength);
    m_outputs[port->device].sent.push_back(message);
    port->queue.push_back(header);
    if (!m_holdOutput)
    {
        Job job;
        job.handle = HandleId(handle);
        job.header = header;
        job.device = port->device;
        job.bytes = std::move(message);
        QueueJob(std::move(job));
    }
    return MMSYSERR_NOERROR;
}

// ---------------------------------------------------------------------------------------------
// Worker thread: completions of long messages, then the hook, in the order of the sends.

void CSimMidiDriver::QueueJob(Job job)
{
    if (!m_workerStarted)
    {
        m_workerStarted = true;
        std::thread([this] { WorkerLoop(); }).detach();
    }
    m_jobs.push_back(std::move(job));
    m_changed.notify_all();
}

void CSimMidiDriver::CompleteLong(Port& port, uint64_t handle, MIDIHDR* header)
{
    auto it = std::find(port.queue.begin(), port.queue.end(), header);
    if (it == port.queue.end())
        return; // returned by a reset already
    port.queue.erase(it);
    header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    Post(port, handle, MM_MOM_DONE, reinterpret_cast<DWORD_PTR>(header));
}

void CSimMidiDriver::WorkerLoop()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;)
    {
        m_changed.wait(lock, [this] { return !m_jobs.empty(); });
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_workerBusy = true;
        if (job.header != nullptr)
        {
            auto it = m_ports.find(job.handle);
            if (it != m_ports.end())
                CompleteLong(it->second, job.handle, job.header);
        }
        SimMidiSendHook hook = m_hook;
        void* context = m_hookContext;
        lock.unlock();
        if (hook != nullptr && !job.bytes.empty())
            hook(context, job.device, job.bytes.data(), static_cast<UINT>(job.bytes.size()));
        lock.lock();
        m_workerBusy = false;
        m_changed.notify_all();
    }
}

// ---------------------------------------------------------------------------------------------
// Test entry points

bool CSimMidiDriver::ResetAll()
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (!m_ports.empty())
        return false;
    // Jobs still due belong to closed handles; let them finish before the hook goes.
    m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_jobs.empty() && !m_workerBusy; });
    m_inputs.clear();
    m_outputs.clear();
    m_prepared.clear();
    for (Failure& f : m_failures)
        f = Failure();
    m_hook = nullptr;
    m_hookContext = nullptr;
    m_holdOutput = false;
    return true;
}

void CSimMidiDriver::SetDeviceCount(UINT inputs, UINT outputs)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (int kind = 0; kind < 2; ++kind)
    {
        bool input = kind == 0;
        std::vector<Device>& devices = Devices(input);
        UINT count = input ? inputs : outputs;
        // Open devices are kept.
        while (devices.size() > count && devices.back().openHandle == 0)
            devices.pop_back();
        while (devices.size() < count)
        {
            Device d;
            d.name = DefaultName(input, devices.size());
            devices.push_back(std::move(d));
        }
    }
}

bool CSimMidiDriver::SetCaps(bool input, UINT device, const wchar_t* name, WORD manufacturer, WORD product)
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<Device>& devices = Devices(input);
    if (device >= devices.size() || name == nullptr)
        return false;
    devices[device].name.assign(name, std::min<size_t>(wcslen(name), MAXPNAMELEN - 1));
    devices[device].manufacturer = manufacturer;
    devices[device].product = product;
    return true;
}

void CSimMidiDriver::FailCall(SimMidiCall call, UINT skip, UINT count, MMRESULT result)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (call < 0 || call >= SIMMIDI_CALL_COUNT)
        return;
    m_failures[call].skip = skip;
    m_failures[call].count = count;
    m_failures[call].result = result;
}

bool CSimMidiDriver::InputShort(UINT device, DWORD packed)
{
    std::lock_guard<std::mutex> guard(m_lock);
    Port* port = RunningInput(device);
    if (port == nullptr)
        return false;
    Post(*port, m_inputs[device].openHandle, MM_MIM_DATA, packed);
    return true;
}

UINT CSimMidiDriver::FillBuffers(std::unique_lock<std::mutex>& lock, UINT device, const BYTE* bytes,
                                 UINT length, UINT perBuffer, DWORD waitMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    UINT placed = 0;
    while (placed < length)
    {
        Port* port = RunningInput(device);
        if (port == nullptr)
            break;
        if (port->queue.empty())
        {
            bool ready = m_changed.wait_until(lock, deadline,
                                              [&]
                                              {
                                                  Port* p = RunningInput(device);
                                                  return p == nullptr || !p->queue.empty();
                                              });
            if (!ready)
                break;
            continue;
        }
        MIDIHDR* header = port->queue.front();
        port->queue.pop_front();
        UINT room = header->dwBufferLength;
        if (perBuffer != 0)
            room = std::min(room, perBuffer);
        UINT n = std::min(room, length - placed);
        memcpy(header->lpData, bytes + placed, n);
        header->dwBytesRecorded = n;
        header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        Post(*port, m_inputs[device].openHandle, MM_MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(header));
        placed += n;
    }
    if (device < m_inputs.size())
        m_inputs[device].lostBytes += length - placed;
    return placed;
}

UINT CSimMidiDriver::InputLong(UINT device, const BYTE* bytes, UINT length, UINT perBuffer, DWORD waitMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (bytes == nullptr)
        return 0;
    return FillBuffers(lock, device, bytes, length, perBuffer, waitMs);
}

UINT CSimMidiDriver::InputStream(UINT device, const BYTE* bytes, UINT length, DWORD waitMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (bytes == nullptr)
        return 0;
    UINT delivered = 0;
    std::vector<BYTE> sysex; // the open message's bytes not yet placed into a buffer
    UINT i = 0;
    auto flush = [&]
    {
        delivered += FillBuffers(lock, device, sysex.data(), static_cast<UINT>(sysex.size()), 0, waitMs);
        sysex.clear();
    };
    bool inSysEx = false;
    while (i < length)
    {
        BYTE b = bytes[i];
        if (b >= 0xF8)
        {
            // Real-time bytes go out at once, also from inside a system-exclusive message.
            Port* port = RunningInput(device);
            if (port != nullptr)
            {
                Post(*port, m_inputs[device].openHandle, MM_MIM_DATA, b);
                ++delivered;
            }
            ++i;
            continue;
        }
        if (inSysEx)
        {
            if (b < 0x80 || b == 0xF7)
            {
                sysex.push_back(b);
                ++i;
                if (b == 0xF7)
                {
                    inSysEx = false;
                    flush();
                }
                continue;
            }
            inSysEx = false; // cut short by a status byte: what was gathered goes as it is
            flush();
        }
        if (b == 0xF0)
        {
            inSysEx = true;
            sysex.push_back(b);
            ++i;
            continue;
        }
        if (b < 0x80 || b == 0xF7)
        {
            ++i; // no status to carry it
            continue;
        }
        UINT n = ShortLength(b);
        if (length - i < n)
            break;
        DWORD packed = 0;
        for (UINT k = 0; k < n; ++k)
            packed |= static_cast<DWORD>(bytes[i + k]) << (8 * k);
        Port* port = RunningInput(device);
        if (port != nullptr)
        {
            Post(*port, m_inputs[device].openHandle, MM_MIM_DATA, packed);
            delivered += n;
        }
        i += n;
    }
    if (!sysex.empty())
        flush();
    return delivered;
}

UINT CSimMidiDriver::QueuedBuffers(UINT device)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (device >= m_inputs.size() || m_inputs[device].openHandle == 0)
        return 0;
    return static_cast<UINT>(m_ports[m_inputs[device].openHandle].queue.size());
}

bool CSimMidiDriver::WaitQueued(UINT device, UINT count, DWORD waitMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(waitMs),
                              [&]
                              {
                                  return device < m_inputs.size() && m_inputs[device].openHandle != 0 &&
                                         m_ports[m_inputs[device].openHandle].queue.size() >= count;
                              });
}

UINT CSimMidiDriver::LostBytes(UINT device)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return device < m_inputs.size() ? m_inputs[device].lostBytes : 0;
}

UINT CSimMidiDriver::OutputCount(UINT device)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return device < m_outputs.size() ? static_cast<UINT>(m_outputs[device].sent.size()) : 0;
}

UINT CSimMidiDriver::GetOutput(UINT device, UINT index, BYTE* buffer, UINT size)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (device >= m_outputs.size() || index >= m_outputs[device].sent.size())
        return 0;
    const std::vector<BYTE>& m = m_outputs[device].sent[index];
    if (buffer != nullptr)
        memcpy(buffer, m.data(), std::min<size_t>(size, m.size()));
    return static_cast<UINT>(m.size());
}

void CSimMidiDriver::ClearOutput(UINT device)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (device < m_outputs.size())
        m_outputs[device].sent.clear();
}

void CSimMidiDriver::SetSendHook(SimMidiSendHook hook, void* context)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_hook = hook;
    m_hookContext = context;
}

void CSimMidiDriver::HoldOutput(bool hold)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_holdOutput = hold;
}

UINT CSimMidiDriver::ReleaseOutput()
{
    std::lock_guard<std::mutex> guard(m_lock);
    UINT released = 0;
    for (auto& [id, port] : m_ports)
    {
        if (port.input)
            continue;
        for (MIDIHDR* header : port.queue)
        {
            Job job;
            job.handle = id;
            job.header = header;
            job.device = port.device;
            const BYTE* data = reinterpret_cast<const BYTE*>(header->lpData);
            job.bytes.assign(data, data + header->dwBufferLength);
            QueueJob(std::move(job));
            ++released;
        }
    }
    return released;
}

bool CSimMidiDriver::WaitIdle(DWORD waitMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(waitMs),
                              [this] { return m_jobs.empty() && !m_workerBusy; });
}

UINT CSimMidiDriver::OpenHandles()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<UINT>(m_ports.size());
}

UINT CSimMidiDriver::PreparedHeaders()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<UINT>(m_prepared.size());
}
