#pragma once

// Test-side interface of the simulated MIDI driver: a winmm.dll built from tests/support that a
// test program loads in place of the system's (see nv_use_simulated_midi in CMakeLists.txt).
// It serves the midiIn* and midiOut* functions itself, passes the other WinMM functions on to
// the system's winmm, and answers to the functions below.
//
// Devices are numbered from 0 for inputs and for outputs separately. A device is opened by at
// most one handle at a time. Completions and hooks run on the driver's own worker thread, in the
// order of the sends; input is posted to the opener's thread as WinMM's CALLBACK_THREAD does.

#include <windows.h>

#include <mmsystem.h>

#ifdef NV_SIMMIDI_BUILD
#define SIMMIDI_API extern "C" __declspec(dllexport)
#else
#define SIMMIDI_API extern "C" __declspec(dllimport)
#endif

// The driver entry points that SimMidiFailCall can make fail.
enum SimMidiCall
{
    SIMMIDI_IN_GETDEVCAPS,
    SIMMIDI_IN_OPEN,
    SIMMIDI_IN_PREPARE,
    SIMMIDI_IN_UNPREPARE,
    SIMMIDI_IN_ADDBUFFER,
    SIMMIDI_IN_START,
    SIMMIDI_IN_STOP,
    SIMMIDI_IN_RESET,
    SIMMIDI_IN_CLOSE,
    SIMMIDI_OUT_GETDEVCAPS,
    SIMMIDI_OUT_OPEN,
    SIMMIDI_OUT_PREPARE,
    SIMMIDI_OUT_UNPREPARE,
    SIMMIDI_OUT_SHORTMSG,
    SIMMIDI_OUT_LONGMSG,
    SIMMIDI_OUT_RESET,
    SIMMIDI_OUT_CLOSE,
    SIMMIDI_CALL_COUNT
};

// Called on the driver's worker thread after each message an output device has sent (a long
// message after its completion was posted), never inside the sending call. It may feed input.
typedef void(CALLBACK* SimMidiSendHook)(void* context, UINT outputDevice, const BYTE* bytes, UINT length);

// Forgets devices, failures, hooks, held sends and recorded output. False, and nothing changed,
// while a handle is open.
SIMMIDI_API BOOL WINAPI SimMidiReset();

// Device table: the counts midi*GetNumDevs report. New devices are named "Simulated MIDI In n"
// or "Simulated MIDI Out n" (n from 1) with manufacturer and product id 0.
SIMMIDI_API void WINAPI SimMidiSetDeviceCount(UINT inputs, UINT outputs);
SIMMIDI_API BOOL WINAPI SimMidiSetInputCaps(UINT device, const wchar_t* name, WORD manufacturer,
                                            WORD product);
SIMMIDI_API BOOL WINAPI SimMidiSetOutputCaps(UINT device, const wchar_t* name, WORD manufacturer,
                                             WORD product);

// The next calls of an entry point: `skip` of them behave normally, then `count` of them answer
// `result` and do nothing else. A new order for the same entry point replaces the old one.
SIMMIDI_API void WINAPI SimMidiFailCall(SimMidiCall call, UINT skip, UINT count, MMRESULT result);

// Input. Nothing arrives unless the device is open and started.
// Posts MM_MIM_DATA with the packed short message; false when the input is not running.
SIMMIDI_API BOOL WINAPI SimMidiInputShort(UINT device, DWORD packed);
// Puts the bytes into the queued input buffers in order, filling each before the next (at most
// `perBuffer` bytes into one, 0 for no limit), and returns each filled buffer with
// MM_MIM_LONGDATA. While no buffer is queued it waits up to waitMs for one. Answers the number of
// bytes placed; the rest is lost, as on a real port that overruns.
SIMMIDI_API UINT WINAPI SimMidiInputLong(UINT device, const BYTE* bytes, UINT length, UINT perBuffer,
                                         DWORD waitMs);
// Delivers a byte stream as a device driver does: system-exclusive messages through the input
// buffers (a buffer is returned at F7 or when full), every other message, including real-time
// bytes met inside a system-exclusive message, as MM_MIM_DATA. Data bytes without a status are
// dropped. Answers the number of bytes delivered.
SIMMIDI_API UINT WINAPI SimMidiInputStream(UINT device, const BYTE* bytes, UINT length, DWORD waitMs);
// Input buffers the device holds queued.
SIMMIDI_API UINT WINAPI SimMidiInputQueuedBuffers(UINT device);
// Waits up to waitMs until the device holds at least `count` queued input buffers.
SIMMIDI_API BOOL WINAPI SimMidiWaitInputQueued(UINT device, UINT count, DWORD waitMs);
// Bytes lost for want of a queued buffer since the last reset.
SIMMIDI_API UINT WINAPI SimMidiInputLostBytes(UINT device);

// Output: every short and long message accepted by an output device, in order, kept after the
// device is closed until SimMidiReset or SimMidiClearOutput.
SIMMIDI_API UINT WINAPI SimMidiOutputCount(UINT device);
// Copies message `index` (at most `size` bytes) and answers its full length, 0 when there is none.
SIMMIDI_API UINT WINAPI SimMidiGetOutput(UINT device, UINT index, BYTE* buffer, UINT size);
SIMMIDI_API void WINAPI SimMidiClearOutput(UINT device);
SIMMIDI_API void WINAPI SimMidiSetSendHook(SimMidiSendHook hook, void* context);
// While held, long messages stay queued (midiOutClose answers MIDIERR_STILLPLAYING) until
// released or until midiOutReset returns them.
SIMMIDI_API void WINAPI SimMidiHoldOutput(BOOL hold);
// Completes every held long message; answers how many.
SIMMIDI_API UINT WINAPI SimMidiReleaseOutput();

// Waits until the worker thread has posted every completion and run every hook due so far.
SIMMIDI_API BOOL WINAPI SimMidiWaitIdle(DWORD waitMs);
// Handles open now, and headers prepared and not yet unprepared (whether or not still open).
SIMMIDI_API UINT WINAPI SimMidiOpenHandles();
SIMMIDI_API UINT WINAPI SimMidiPreparedHeaders();
