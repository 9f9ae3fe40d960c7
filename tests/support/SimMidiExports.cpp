// Exports of the simulated winmm.dll: the MIDI entry points of WinMM served by the simulated
// driver, the test entry points of SimMidi.h, and the other WinMM functions a program of this
// project imports, passed on to the system's winmm.

#include "CSimMidiDriver.h"
#include "SimStandalone.h"

namespace
{
CSimMidiDriver& Driver()
{
    return CSimMidiDriver::Get();
}
// The driver as the WinMM entry points reach it: in a program that is not a test, with its
// instrument in place first.
CSimMidiDriver& Serving()
{
    EnsureStandaloneInstrument();
    return CSimMidiDriver::Get();
}
HANDLE In(HMIDIIN h)
{
    return reinterpret_cast<HANDLE>(h);
}
HANDLE Out(HMIDIOUT h)
{
    return reinterpret_cast<HANDLE>(h);
}

// The system's winmm, loaded by its full path so that it is not this module again.
HMODULE SystemWinmm()
{
    static HMODULE module = []
    {
        wchar_t path[MAX_PATH];
        UINT n = GetSystemDirectoryW(path, MAX_PATH - 16);
        if (n == 0 || n >= MAX_PATH - 16)
            return static_cast<HMODULE>(nullptr);
        wcscat(path, L"\\winmm.dll");
        return LoadLibraryW(path);
    }();
    return module;
}

template <typename F> F SystemFunction(const char* name)
{
    HMODULE module = SystemWinmm();
    FARPROC f = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(f));
}
} // namespace

// Each forwarded function: its result type, name, failure result, parameter list and arguments.
#define NV_FORWARD(Result, Name, Failed, Params, Args)                                                       \
    extern "C" Result WINAPI Name Params                                                                     \
    {                                                                                                        \
        using F = Result(WINAPI*) Params;                                                                    \
        static F forward = SystemFunction<F>(#Name);                                                         \
        return forward != nullptr ? forward Args : Failed;                                                   \
    }

NV_FORWARD(DWORD, timeGetTime, 0, (), ())
NV_FORWARD(MMRESULT, timeGetSystemTime, TIMERR_NOCANDO, (LPMMTIME t, UINT n), (t, n))
NV_FORWARD(MMRESULT, timeGetDevCaps, TIMERR_NOCANDO, (LPTIMECAPS c, UINT n), (c, n))
NV_FORWARD(MMRESULT, timeBeginPeriod, TIMERR_NOCANDO, (UINT p), (p))
NV_FORWARD(MMRESULT, timeEndPeriod, TIMERR_NOCANDO, (UINT p), (p))
NV_FORWARD(MMRESULT, timeSetEvent, 0, (UINT d, UINT r, LPTIMECALLBACK cb, DWORD_PTR u, UINT f),
           (d, r, cb, u, f))
NV_FORWARD(MMRESULT, timeKillEvent, TIMERR_NOCANDO, (UINT id), (id))
NV_FORWARD(MMRESULT, midiInGetErrorTextA, MMSYSERR_ERROR, (MMRESULT e, LPSTR t, UINT n), (e, t, n))
NV_FORWARD(MMRESULT, midiInGetErrorTextW, MMSYSERR_ERROR, (MMRESULT e, LPWSTR t, UINT n), (e, t, n))
NV_FORWARD(MMRESULT, midiOutGetErrorTextA, MMSYSERR_ERROR, (MMRESULT e, LPSTR t, UINT n), (e, t, n))
NV_FORWARD(MMRESULT, midiOutGetErrorTextW, MMSYSERR_ERROR, (MMRESULT e, LPWSTR t, UINT n), (e, t, n))

// ---------------------------------------------------------------------------------------------
// MIDI input

extern "C" UINT WINAPI midiInGetNumDevs()
{
    return Serving().GetNumDevs(true);
}
extern "C" MMRESULT WINAPI midiInGetDevCapsA(UINT_PTR id, LPMIDIINCAPSA caps, UINT n)
{
    return Serving().GetDevCaps(true, id, caps, n, false);
}
extern "C" MMRESULT WINAPI midiInGetDevCapsW(UINT_PTR id, LPMIDIINCAPSW caps, UINT n)
{
    return Serving().GetDevCaps(true, id, caps, n, true);
}
extern "C" MMRESULT WINAPI midiInOpen(LPHMIDIIN h, UINT id, DWORD_PTR cb, DWORD_PTR inst, DWORD flags)
{
    return Serving().Open(true, reinterpret_cast<HANDLE*>(h), id, cb, inst, flags);
}
extern "C" MMRESULT WINAPI midiInClose(HMIDIIN h)
{
    return Serving().Close(true, In(h));
}
extern "C" MMRESULT WINAPI midiInPrepareHeader(HMIDIIN h, LPMIDIHDR hdr, UINT n)
{
    return Serving().Prepare(true, In(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiInUnprepareHeader(HMIDIIN h, LPMIDIHDR hdr, UINT n)
{
    return Serving().Unprepare(true, In(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiInAddBuffer(HMIDIIN h, LPMIDIHDR hdr, UINT n)
{
    return Serving().AddBuffer(In(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiInStart(HMIDIIN h)
{
    return Serving().Start(In(h));
}
extern "C" MMRESULT WINAPI midiInStop(HMIDIIN h)
{
    return Serving().Stop(In(h));
}
extern "C" MMRESULT WINAPI midiInReset(HMIDIIN h)
{
    return Serving().Reset(true, In(h));
}

// ---------------------------------------------------------------------------------------------
// MIDI output

extern "C" UINT WINAPI midiOutGetNumDevs()
{
    return Serving().GetNumDevs(false);
}
extern "C" MMRESULT WINAPI midiOutGetDevCapsA(UINT_PTR id, LPMIDIOUTCAPSA caps, UINT n)
{
    return Serving().GetDevCaps(false, id, caps, n, false);
}
extern "C" MMRESULT WINAPI midiOutGetDevCapsW(UINT_PTR id, LPMIDIOUTCAPSW caps, UINT n)
{
    return Serving().GetDevCaps(false, id, caps, n, true);
}
extern "C" MMRESULT WINAPI midiOutOpen(LPHMIDIOUT h, UINT id, DWORD_PTR cb, DWORD_PTR inst, DWORD flags)
{
    return Serving().Open(false, reinterpret_cast<HANDLE*>(h), id, cb, inst, flags);
}
extern "C" MMRESULT WINAPI midiOutClose(HMIDIOUT h)
{
    const MMRESULT result = Serving().Close(false, Out(h));
    SaveStandaloneInstrument();
    return result;
}
extern "C" MMRESULT WINAPI midiOutPrepareHeader(HMIDIOUT h, LPMIDIHDR hdr, UINT n)
{
    return Serving().Prepare(false, Out(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiOutUnprepareHeader(HMIDIOUT h, LPMIDIHDR hdr, UINT n)
{
    return Serving().Unprepare(false, Out(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiOutShortMsg(HMIDIOUT h, DWORD msg)
{
    return Serving().ShortMsg(Out(h), msg);
}
extern "C" MMRESULT WINAPI midiOutLongMsg(HMIDIOUT h, LPMIDIHDR hdr, UINT n)
{
    return Serving().LongMsg(Out(h), hdr, n);
}
extern "C" MMRESULT WINAPI midiOutReset(HMIDIOUT h)
{
    return Serving().Reset(false, Out(h));
}

// ---------------------------------------------------------------------------------------------
// Test entry points

SIMMIDI_API BOOL WINAPI SimMidiReset()
{
    return Driver().ResetAll();
}
SIMMIDI_API void WINAPI SimMidiSetDeviceCount(UINT inputs, UINT outputs)
{
    Driver().SetDeviceCount(inputs, outputs);
}
SIMMIDI_API BOOL WINAPI SimMidiSetInputCaps(UINT device, const wchar_t* name, WORD manufacturer, WORD product)
{
    return Driver().SetCaps(true, device, name, manufacturer, product);
}
SIMMIDI_API BOOL WINAPI SimMidiSetOutputCaps(UINT device, const wchar_t* name, WORD manufacturer,
                                             WORD product)
{
    return Driver().SetCaps(false, device, name, manufacturer, product);
}
SIMMIDI_API void WINAPI SimMidiFailCall(SimMidiCall call, UINT skip, UINT count, MMRESULT result)
{
    Driver().FailCall(call, skip, count, result);
}
SIMMIDI_API BOOL WINAPI SimMidiInputShort(UINT device, DWORD packed)
{
    return Driver().InputShort(device, packed);
}
SIMMIDI_API UINT WINAPI SimMidiInputLong(UINT device, const BYTE* bytes, UINT length, UINT perBuffer,
                                         DWORD waitMs)
{
    return Driver().InputLong(device, bytes, length, perBuffer, waitMs);
}
SIMMIDI_API UINT WINAPI SimMidiInputStream(UINT device, const BYTE* bytes, UINT length, DWORD waitMs)
{
    return Driver().InputStream(device, bytes, length, waitMs);
}
SIMMIDI_API UINT WINAPI SimMidiInputQueuedBuffers(UINT device)
{
    return Driver().QueuedBuffers(device);
}
SIMMIDI_API BOOL WINAPI SimMidiWaitInputQueued(UINT device, UINT count, DWORD waitMs)
{
    return Driver().WaitQueued(device, count, waitMs);
}
SIMMIDI_API UINT WINAPI SimMidiInputLostBytes(UINT device)
{
    return Driver().LostBytes(device);
}
SIMMIDI_API UINT WINAPI SimMidiOutputCount(UINT device)
{
    return Driver().OutputCount(device);
}
SIMMIDI_API UINT WINAPI SimMidiGetOutput(UINT device, UINT index, BYTE* buffer, UINT size)
{
    return Driver().GetOutput(device, index, buffer, size);
}
SIMMIDI_API void WINAPI SimMidiClearOutput(UINT device)
{
    Driver().ClearOutput(device);
}
SIMMIDI_API void WINAPI SimMidiSetSendHook(SimMidiSendHook hook, void* context)
{
    Driver().SetSendHook(hook, context);
}
SIMMIDI_API void WINAPI SimMidiHoldOutput(BOOL hold)
{
    Driver().HoldOutput(hold != FALSE);
}
SIMMIDI_API UINT WINAPI SimMidiReleaseOutput()
{
    return Driver().ReleaseOutput();
}
SIMMIDI_API BOOL WINAPI SimMidiWaitIdle(DWORD waitMs)
{
    return Driver().WaitIdle(waitMs);
}
SIMMIDI_API UINT WINAPI SimMidiOpenHandles()
{
    return Driver().OpenHandles();
}
SIMMIDI_API UINT WINAPI SimMidiPreparedHeaders()
{
    return Driver().PreparedHeaders();
}
