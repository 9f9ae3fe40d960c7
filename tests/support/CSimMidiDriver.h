#pragma once

// The simulated MIDI driver's state and behaviour behind the exports of the simulated winmm.dll.

#include "SimMidi.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class CSimMidiDriver
{
public:
    // The one driver of the process; never destroyed, so that its worker thread can outlive the
    // module's static destructors at exit.
    static CSimMidiDriver& Get();

    // WinMM entry points.
    UINT GetNumDevs(bool input);
    MMRESULT GetDevCaps(bool input, UINT_PTR device, void* caps, UINT size, bool wide);
    MMRESULT Open(bool input, HANDLE* handle, UINT device, DWORD_PTR callback, DWORD_PTR instance,
                  DWORD flags);
    MMRESULT Close(bool input, HANDLE handle);
    MMRESULT Prepare(bool input, HANDLE handle, MIDIHDR* header, UINT size);
    MMRESULT Unprepare(bool input, HANDLE handle, MIDIHDR* header, UINT size);
    MMRESULT AddBuffer(HANDLE handle, MIDIHDR* header, UINT size);
    MMRESULT Start(HANDLE handle);
    MMRESULT Stop(HANDLE handle);
    MMRESULT Reset(bool input, HANDLE handle);
    MMRESULT ShortMsg(HANDLE handle, DWORD packed);
    MMRESULT LongMsg(HANDLE handle, MIDIHDR* header, UINT size);

    // Test entry points (SimMidi.h).
    bool ResetAll();
    void SetDeviceCount(UINT inputs, UINT outputs);
    bool SetCaps(bool input, UINT device, const wchar_t* name, WORD manufacturer, WORD product);
    void FailCall(SimMidiCall call, UINT skip, UINT count, MMRESULT result);
    bool InputShort(UINT device, DWORD packed);
    UINT InputLong(UINT device, const BYTE* bytes, UINT length, UINT perBuffer, DWORD waitMs);
    UINT InputStream(UINT device, const BYTE* bytes, UINT length, DWORD waitMs);
    UINT QueuedBuffers(UINT device);
    bool WaitQueued(UINT device, UINT count, DWORD waitMs);
    UINT LostBytes(UINT device);
    UINT OutputCount(UINT device);
    UINT GetOutput(UINT device, UINT index, BYTE* buffer, UINT size);
    void ClearOutput(UINT device);
    void SetSendHook(SimMidiSendHook hook, void* context);
    void HoldOutput(bool hold);
    UINT ReleaseOutput();
    bool WaitIdle(DWORD waitMs);
    UINT OpenHandles();
    UINT PreparedHeaders();

private:
    struct Device
    {
        std::wstring name;
        WORD manufacturer = 0;
        WORD product = 0;
        uint64_t openHandle = 0;             // 0 while closed
        std::vector<std::vector<BYTE>> sent; // outputs: every accepted message
        UINT lostBytes = 0;                  // inputs
    };
    struct Port
    {
        bool input = false;
        UINT device = 0;
        DWORD callbackType = CALLBACK_NULL;
        DWORD_PTR callback = 0;
        bool started = false;       // inputs
        std::deque<MIDIHDR*> queue; // inputs: added buffers; outputs: long messages in flight
    };
    struct Failure
    {
        UINT skip = 0;
        UINT count = 0;
        MMRESULT result = MMSYSERR_NOERROR;
    };
    // Work for the worker thread: complete a long message, or run the hook.
    struct Job
    {
        uint64_t handle = 0;
        MIDIHDR* header = nullptr; // a long message to complete, else a hook call
        UINT device = 0;
        std::vector<BYTE> bytes;
    };

    CSimMidiDriver() = default;
    template <typename Caps> static Caps MakeCaps(const Device& d);
    template <typename Caps> static Caps MakeOutputCaps(const Device& d);

    // All of the following run under m_lock.
    bool Failing(SimMidiCall call, MMRESULT* result);
    Port* FindPort(bool input, HANDLE handle);
    // The port of a call that goes ahead; else null, with the call's answer in *result (an
    // injected failure or an unknown handle).
    Port* Begin(SimMidiCall call, bool input, HANDLE handle, MMRESULT* result);
    MMRESULT SetStarted(HANDLE handle, bool started);
    std::vector<Device>& Devices(bool input) { return input ? m_inputs : m_outputs; }
    Port* RunningInput(UINT device);
    void Post(const Port& port, uint64_t handle, UINT message, DWORD_PTR param);
    void CompleteLong(Port& port, uint64_t handle, MIDIHDR* header);
    void QueueJob(Job job);
    // Fills queued buffers with bytes[0 .. length); `returnAtEnd` returns a partly filled buffer
    // at the end. Waits for buffers on `lock`. Answers the bytes placed.
    UINT FillBuffers(std::unique_lock<std::mutex>& lock, UINT device, const BYTE* bytes, UINT length,
                     UINT perBuffer, DWORD waitMs);

    void WorkerLoop();

    std::mutex m_lock;
    std::condition_variable m_changed; // buffers added, jobs queued or done
    std::vector<Device> m_inputs;      // guarded by m_lock, as is everything below
    std::vector<Device> m_outputs;
    std::map<uint64_t, Port> m_ports;
    uint64_t m_nextHandle = 0x5100; // handles are never reused
    std::set<const MIDIHDR*> m_prepared;
    Failure m_failures[SIMMIDI_CALL_COUNT];
    SimMidiSendHook m_hook = nullptr;
    void* m_hookContext = nullptr;
    bool m_holdOutput = false;
    std::deque<Job> m_jobs;
    bool m_workerBusy = false;
    bool m_workerStarted = false;
};
