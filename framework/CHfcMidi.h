#pragma once

#include "foundation/win32/CHfcGuard.h"
#include "framework/midi/CHfcMidiInputParser.h"
#include "framework/midi/CHfcMidiListener.h"
#include "framework/midi/CHfcMidiMessage.h"
#include "framework/midi/HfcMidiBytes.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// One MIDI input and one MIDI output port, served by a thread of the object's own that receives
// the driver's messages, assembles system-exclusive messages and calls the listeners.
//
// Life cycle: Create (starts the thread), open ports, add listeners, ..., Destroy or delete.
// Opening, closing, sending and changing listeners happen on one thread (the window thread);
// listeners are called on the port's thread and must hand work on themselves.
class CHfcMidi : private CHfcMidiParserSink
{
public:
    enum : uint32_t
    {
        kInputBufferCount = 128,
        kDefaultInputBufferSize = 2048,
        kStopMessage = 0x480, // thread message that ends the port's thread
    };

    CHfcMidi();
    // Closes the output and the input, then stops the thread.
    virtual ~CHfcMidi();
    CHfcMidi(const CHfcMidi&) = delete;
    CHfcMidi& operator=(const CHfcMidi&) = delete;

    // Starts the port's thread and returns once it can receive; false when it cannot start.
    virtual bool Create(const char* name = nullptr);
    // Stops the thread and waits for it.
    virtual bool Destroy();
    // Hooks for subclasses, called on the port's thread before the listeners.
    virtual void OnShortInput(uint32_t /*length*/, const uint8_t* /*bytes*/) {}
    virtual void OnInputReserved(uintptr_t, uintptr_t) {}
    virtual void OnLongSent(uint32_t /*bufferLength*/) {}

    bool MidiInOpen(int32_t index);
    bool MidiInOpenByName(const char* name);
    void MidiInClose();
    bool MidiOutOpen(int32_t index);
    bool MidiOutOpenByName(const char* name);
    void MidiOutClose();
    bool IsMidiInOpen() const { return m_hMidiIn != nullptr; }
    bool IsMidiOutOpen() const { return m_hMidiOut != nullptr; }
    // A system-exclusive message is being received.
    bool IsReceiving();
    // A long message is on its way out.
    bool IsSending();

    // The product name of a device, cut to n bytes and terminated.
    static bool GetMidiInDeviceName(int32_t index, char* buffer, uint32_t n);
    static bool GetMidiOutDeviceName(int32_t index, char* buffer, uint32_t n);
    // The index of the first device whose product name is exactly `name` (case counts), or -1.
    static int32_t FindMidiInDevice(const char* name);
    static int32_t FindMidiOutDevice(const char* name);

    bool SendShortMessage(uint8_t status, uint8_t data1, uint8_t data2);
    // The status's high nibble with the channel's low nibble.
    bool SendChannelMessage(uint8_t channel, uint8_t status, uint8_t data1, uint8_t data2);
    // A message beginning with F0 goes as a long message, any other as a short one.
    bool SendMessage(const CHfcMidiMessage* message);
    // Queues a long message (a copy of the bytes); true when the driver took it.
    bool Out(uint32_t length, const uint8_t* bytes);

    void AddListener(CHfcMidiListener* listener);
    void RemoveListener(CHfcMidiListener* listener);
    void ClearListeners();
    void SetListener(CHfcMidiListener* listener);
    CHfcMidiListener* GetFirstListener();

    static uint32_t GetMessageLength(uint8_t status) { return ::GetMessageLength(status); }
    static void Encode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n) { ::Encode7Bit(dst, src, n); }
    static void Decode7Bit(uint8_t* dst, const uint8_t* src, uint32_t n) { ::Decode7Bit(dst, src, n); }
    static uint32_t GetEncoded7BitSize(uint32_t n) { return ::GetEncoded7BitSize(n); }

private:
    // A long message in flight: its header, its bytes and the handle it went out on.
    struct COutBuffer
    {
        MIDIHDR header;
        std::vector<uint8_t> bytes;
        HMIDIOUT handle;
    };

    static DWORD WINAPI ThreadProc(LPVOID parameter);
    void Run();
    void OnMimData(HMIDIIN handle, DWORD packed);
    void OnMimLongData(HMIDIIN handle, MIDIHDR* header);
    void Win32SendComplete(MIDIHDR* header);
    // Stops and resets the input and releases its buffers and handle; false when a step failed
    // (traced as a failure of the operation `caller`) and the handle is kept.
    bool ReleaseInput(const char* caller);
    void UpdateSending();
    template <typename F> void ForEachListener(F call);

    // CHfcMidiParserSink, called on the port's thread.
    void OnParsedShort(uint32_t length, const uint8_t* bytes) override;
    void OnParsedSysEx(uint32_t consumed, const uint8_t* runStart, CHfcMidiMessage& message) override;
    void OnParsedProgress(uint32_t count, const uint8_t* runStart) override;
    void OnReceivingChanged(bool receiving) override;

    uint32_t m_inputBufferSize = kDefaultInputBufferSize;
    int32_t m_inIndex = -1;
    int32_t m_outIndex = -1;
    CHfcMidiInputParser m_parser; // port thread, under m_portLock

    std::vector<CHfcMidiListener*> m_listeners; // guarded by m_listenerLock
    CHfcGuard m_listenerLock;

    bool m_receiving = false; // guarded by m_flagLock
    bool m_sending = false;   // guarded by m_flagLock
    CHfcGuard m_flagLock;

    std::atomic<bool> m_run{false};

    // Handles change on the opening thread under m_portLock; the port's thread reads them under it.
    HMIDIIN m_hMidiIn = nullptr;
    MIDIHDR m_inHeaders[kInputBufferCount];
    std::unique_ptr<char[]> m_inData[kInputBufferCount];
    HMIDIOUT m_hMidiOut = nullptr;
    std::vector<std::unique_ptr<COutBuffer>> m_outBuffers; // guarded by m_portLock

    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;

    // Orders the parsing and re-queueing of input buffers against their release, and the release
    // of sent buffers.
    CHfcGuard m_portLock;
    bool m_inputClosing = false; // guarded by m_portLock
};
