#pragma once

#include "app/CMidiRunReport.h"
#include "app/protocol/CMidiExchange.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/win32/CEfSemaphore.h"
#include "foundation/win32/CHfcGuard.h"
#include "framework/midi/CHfcMidiListener.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CProgram.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CHfcMidi;
class CHfcMidiMessage;
class CLibraryData;
class CLibraryEntry;
class CMMTimer;
class CProgramSet;
class CProgressDialog;
class CReplySemaphore;
class CWindowManager;

// Writes at most 26 bytes of a message into text as "%02X " each, then a terminating zero; text
// holds at least 79 characters.
void FormatHexBytes(uint32_t count, char* text, const uint8_t* bytes);

// The system-exclusive conversation with the instrument over one port pair: the device
// inquiry, dump requests and their replies, writes and their acknowledgements, parameter changes
// out and in.
//
// Every exchange runs on the window thread: it sends a request and waits for the reply that the
// port's thread recognises (CMidiExchange: settled once, a duplicate or late reply never wakes a
// later wait). Failures throw CZmMidiException.
class CMidiManager : public CHfcMidiListener
{
public:
    enum : uint32_t
    {
        kStateIdle = CMidiExchange::kStateIdle,
        kStateDeviceInquiry = CMidiExchange::kStateDeviceInquiry,
        kStateWritePrograms = CMidiExchange::kStateWritePrograms,
        kStateWriteGlobal = CMidiExchange::kStateWriteGlobal,
        kStateReceiveProgram = CMidiExchange::kStateReceiveProgram,
        kStateReceiveGlobal = CMidiExchange::kStateReceiveGlobal,

        kExpectNone = CMidiExchange::kExpectNone,
        kExpectAcknowledgement = CMidiExchange::kExpectAcknowledgement,
        kExpectDump = CMidiExchange::kExpectDump,

        kResultPending = CMidiExchange::kResultPending,
        kResultFailed = CMidiExchange::kResultFailed,
        kResultDone = CMidiExchange::kResultDone,

        kReplyTimeoutMs = 5000,
        kExclusiveWaitMs = 50,
        kMonitorLineSize = 80,
    };
    enum : int32_t
    {
        kNoError = -1,
    };

    // Clears the state and becomes the port's only listener.
    explicit CMidiManager(CHfcMidi* port);
    ~CMidiManager() override;
    CMidiManager(const CMidiManager&) = delete;
    CMidiManager& operator=(const CMidiManager&) = delete;

    // Creates the semaphores. False, with a debug trace, when they cannot be made or the manager
    // is created already (which it stays).
    bool Create();
    void Destroy();
    bool IsCreated() const { return m_created; }

    // Where notifications go (codes 7 and 2 of received parameter changes).
    void SetWindowManager(CWindowManager* manager) { m_windowManager = manager; }
    // The 60 ms timer, paused while a menu-level operation runs.
    void SetTimer(CMMTimer* timer) { m_timer = timer; }
    // "ProgressSemaphore": held by a menu-level operation for its whole run, so that what the
    // windows do between programs can probe it and stand back.
    void SetProgressSemaphore(CEfSemaphore* semaphore) { m_progressSemaphore = semaphore; }
    // How long an exchange waits for its reply (5000 ms unless a test says otherwise).
    void SetReplyTimeout(uint32_t ms) { m_replyTimeoutMs = ms; }

    // Ports. Each close clears the open state; IsOpen: both ports open and the manager created.
    // OpenMidiPorts opens the saved ports by name, or with "MidiDeviceAutoScan" those of the first
    // instrument a scan finds, logs what it opened and warns about another driver; true when both
    // are open.
    bool OpenMidiPorts();
    // By the exact product name; an empty name opens nothing and answers true.
    bool OpenMidiInByName(const char* name) { return OpenPortByName(true, name); }
    bool OpenMidiOutByName(const char* name) { return OpenPortByName(false, name); }
    // A port that does not open is reported in a box.
    bool OpenMidiIn(int32_t index) { return OpenPort(true, index); }
    bool OpenMidiOut(int32_t index) { return OpenPort(false, index); }
    void CloseMidiIn();
    void CloseMidiOut();
    void CloseMidiPorts();
    bool IsOpen() const { return m_portsOpen && m_created; }

    // Exchanges (window thread).
    bool DeviceInquiry();
    // Programs 0 to 127 into the set; `counter` rises with each program stored. False when
    // cancelled.
    bool ReceiveAllPrograms(CProgramSet& set, uint32_t& counter);
    bool WriteAllPrograms(CProgramSet& set, uint32_t& counter);
    bool ReceiveGlobal(CGlobal& global);
    bool WriteGlobal(CGlobal& global, uint32_t& counter);
    // A program by number 0..127, or the instrument's current program for -1; no frame of its
    // own (see the menu-level operations).
    void ReceiveProgramData(CProgram& program, int32_t number);
    void TransmitProgramData(CProgram& program, int32_t number);

    // Menu-level operations: one at a time (a second returns false at once, showing nothing),
    // with the progress dialog, the timer paused, every MIDI error caught, shown and logged, and
    // the result reported. Any other exception passes through, after the operation has given
    // back what it held (semaphores, timer, dialog). True when the operation succeeded. A receive
    // of all programs that ends early keeps the programs received and tells how many in
    // `received`.
    bool RunReceiveAll(CLibraryData& library, bool showResult, uint32_t* received = nullptr);
    bool RunWriteAll(CLibraryData& library);
    bool RunReceiveAllPrograms(CLibraryEntry& entry, uint32_t* received = nullptr);
    bool RunWriteAllPrograms(CLibraryEntry& entry);
    bool RunReceiveGlobal(CGlobal& global);
    bool RunWriteGlobal(CGlobal& global);
    // Number 0..127, or -1 for the instrument's current program.
    bool ReceiveProgram(CProgram& program, int32_t number);
    bool TransmitProgram(CProgram& program, int32_t number);
    // The progress dialog of the operation running, or null.
    CProgressDialog* GetProgressDialog() const { return m_report.GetProgressDialog(); }
    // The text of the last port that failed to open.
    const char* GetPortErrorText() const { return m_portError; }
    // The MIDI error the last menu-level operation reported, localised; empty when it reported
    // none (it succeeded, was cancelled, or could not start beside another).
    std::wstring GetLastErrorText() const;

    // Single messages.
    void SendParameterChange(int32_t index, int32_t section, int32_t value);
    void SendAllNotesOff();
    // Builds a row's message on the learned channel and sends it; throws MIDI error 9 when the
    // port refuses it. Nothing unless the ports are open.
    void BuildAndSendSysEx(uint32_t row, const uint8_t* data, uint32_t dataLength, uint32_t number);

    // The MIDI monitor's lines: written while the monitor is shown, cleared when it is shown again.
    void SetMidiMonitorShown(bool shown);
    bool IsMidiMonitorShown();
    // Copies both lines (kMonitorLineSize bytes each).
    void GetMidiMonitorLines(char* inLine, char* outLine);

    // What the last identity reply told, and the channel learned from the instrument.
    CSysExIdentity GetIdentity() const { return m_exchange.GetIdentity(); }
    uint32_t GetGlobalChannel() const { return m_exchange.GetChannel(); }
    // Cancels a running transfer before its next program.
    void Cancel() { m_running = false; }
    bool IsRunning() const { return m_running; }
    bool IsSysExInProgress() const { return m_sysExInProgress; }

    // CHfcMidiListener, on the port's thread.
    bool OnSysExMessage(CHfcMidi* midi, CHfcMidiMessage* message) override;
    // Shown in the monitor's incoming line too (timing clock and active sensing are not).
    bool OnShortMessage(CHfcMidi* midi, CHfcMidiMessage* message) override;
    bool OnLongMessageSent(CHfcMidi*, uint32_t) override { return false; }
    bool OnSpareBytesB(CHfcMidi* midi, uint32_t length, const uint8_t* bytes) override;

private:
    enum class CReport
    {
        kBoxAndLog,  // a box and a log line
        kLog,        // a log line
        kLogWithName // a log line ending in the program's name
    };
    struct CRun
    {
        const char* operation;
        int32_t maximum;
        CReport report;
        bool reportClosedPorts;
    };
    class CRunFrame;

    // The frame of the menu-level operations around `exchanges`, which answers success; a log
    // line with a name takes it from `named` when the operation is over.
    bool Run(const CRun& run, const std::function<bool()>& exchanges, const CProgram* named = nullptr);
    // The driver capabilities of the open ports are those of the instrument's USB-MIDI driver.
    bool IsInstrumentDriver() const;
    bool OpenPort(bool input, int32_t index);
    bool OpenPortByName(bool input, const char* name);
    void LogPortOpen(bool input, bool opened, const char* name);
    void ApplyParameterChange(const uint8_t* bytes, uint32_t length);
    void EchoOut(const uint8_t* bytes, uint32_t length);
    std::vector<uint8_t> Pack(const uint8_t* image, uint32_t size) const;

    CHfcMidi* m_port;
    int32_t m_inIndex = -1; // the devices open on the port
    int32_t m_outIndex = -1;
    char m_portError[256] = {};
    CWindowManager* m_windowManager = nullptr;
    CMMTimer* m_timer = nullptr;
    CEfSemaphore* m_progressSemaphore = nullptr;
    CMidiRunReport m_report;                   // window thread
    std::unique_ptr<CReplySemaphore> m_reply;  // released by the port's thread
    std::unique_ptr<CEfSemaphore> m_exclusive; // one transfer at a time
    uint32_t m_replyTimeoutMs = kReplyTimeoutMs;
    int32_t m_lastError = kNoError; // window thread

    std::atomic<bool> m_running{false};
    bool m_portsOpen = false;
    bool m_created = false;

    CMidiExchange m_exchange; // locks itself; the port's thread settles it
    std::atomic<bool> m_sysExInProgress{false};

    CHfcGuard m_monitorLock;
    bool m_monitorShown = false; // guarded by m_monitorLock, as are the lines
    char m_monitorIn[kMonitorLineSize] = {};
    char m_monitorOut[kMonitorLineSize] = {};
};

// Makes the program the target of received parameter changes (for the document and program
// number), then receives the instrument's current program into it.
bool ReceiveCurrentProgramInto(CProgram& program, CMidiManager& manager, intptr_t documentId,
                               int32_t programNumber);
