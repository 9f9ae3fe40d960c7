#include "app/CMidiManager.h"

#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CDeviceLister.h"
#include "app/CLogManager.h"
#include "app/CMMTimer.h"
#include "app/CParameterChangeTarget.h"
#include "app/CReplySemaphore.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/Notifications.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/CZmException.h"
#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcMidi.h"
#include "framework/CHfcScopedLock.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
enum : uint32_t
{
    kMonitorBytes = 26,
};

std::string LocalizedAnsi(const char* key)
{
    return WideToAnsi(GetLocalizedString(key).c_str());
}
} // namespace

void FormatHexBytes(uint32_t count, char* text, const uint8_t* bytes)
{
    const uint32_t n = std::min<uint32_t>(count, kMonitorBytes);
    for (uint32_t i = 0; i < n; ++i)
        snprintf(text + 3 * i, 4, "%02X ", bytes[i]);
    text[3 * n] = '\0';
}

CMidiManager::CMidiManager(CHfcMidi* port) : m_port(port)
{
    CZmIdConverterSingleton::Acquire();
    CZmProgramAccessorSingleton::Acquire();
    if (m_port != nullptr)
        m_port->SetListener(this);
}

CMidiManager::~CMidiManager()
{
    // Waits for a round of listener calls in progress, so none reaches a deleted manager.
    if (m_port != nullptr)
        m_port->RemoveListener(this);
    Destroy();
    CZmProgramAccessorSingleton::Release();
    CZmIdConverterSingleton::Release();
}

bool CMidiManager::Create()
{
    try
    {
        if (m_created)
            throw "CMidiManager is already created.";
        auto reply = std::make_unique<CReplySemaphore>();
        auto exclusive =
            std::make_unique<CEfSemaphore>(1, CHfcSemaphore::kMaximumCount, "Midi::ExclusiveSmephore");
        if (!reply->IsValid() || !exclusive->IsValid())
            throw "Failed to create the semaphores.";
        m_reply = std::move(reply);
        m_exclusive = std::move(exclusive);
        m_exchange.SetSignal(m_reply.get());
        m_created = true;
        return true;
    }
    catch (const char* text)
    {
        DebugTrace("CMidiManager::Create() - %s", text);
        return false;
    }
}

void CMidiManager::Destroy()
{
    if (!m_created)
        return;
    m_report.CloseProgress();
    m_exchange.SetSignal(nullptr);
    m_reply.reset();
    m_exclusive.reset();
    m_created = false;
}

// ---------------------------------------------------------------------------------------------
// Ports

bool CMidiManager::OpenPortByName(bool input, const char* name)
{
    input ? CloseMidiIn() : CloseMidiOut();
    if (name == nullptr || *name == '\0')
        return true;
    const int32_t index = input ? CHfcMidi::FindMidiInDevice(name) : CHfcMidi::FindMidiOutDevice(name);
    return index >= 0 && OpenPort(input, index);
}

bool CMidiManager::OpenPort(bool input, int32_t index)
{
    input ? CloseMidiIn() : CloseMidiOut();
    if (m_port == nullptr || !(input ? m_port->MidiInOpen(index) : m_port->MidiOutOpen(index)))
    {
        snprintf(m_portError, sizeof m_portError, "%s",
                 input ? "Can not open midi in device." : "Can not open midi out device.");
        CMidiRunReport::ReportTransferError(
            input ? kZmMidiErrorOpenMidiInFailed : kZmMidiErrorOpenMidiOutFailed, "PortOpen", false);
        return false;
    }
    (input ? m_inIndex : m_outIndex) = index;
    m_portsOpen = input ? m_port->IsMidiOutOpen() : m_port->IsMidiInOpen();
    return true;
}

void CMidiManager::CloseMidiIn()
{
    m_portsOpen = false;
    m_inIndex = -1;
    if (m_port != nullptr && m_port->IsMidiInOpen())
        m_port->MidiInClose();
}

void CMidiManager::CloseMidiOut()
{
    m_portsOpen = false;
    m_outIndex = -1;
    if (m_port != nullptr && m_port->IsMidiOutOpen())
        m_port->MidiOutClose();
}

void CMidiManager::CloseMidiPorts()
{
    CloseMidiIn();
    CloseMidiOut();
}

void CMidiManager::LogPortOpen(bool input, bool opened, const char* name)
{
    if (opened)
        WriteLog("%s %s", input ? "MIDI input port: " : "MIDI output port: ", name);
    else
        WriteLog("%s (%s)", input ? "Failed to open MIDI input port." : "Failed to open MIDI output port.",
                 name);
}

bool CMidiManager::OpenMidiPorts()
{
    CloseMidiPorts();
    const CSettings& settings = GetSettings();
    if (!settings.midiDeviceAutoScan)
    {
        for (bool input : {true, false})
        {
            const char* name = (input ? settings.midiInDevice : settings.midiOutDevice).c_str();
            LogPortOpen(input, OpenPortByName(input, name), name);
        }
    }
    else
    {
        CDeviceList list;
        {
            CDeviceLister lister;
            lister.ScanDevices(list);
        }
        CDeviceListEntry entry;
        bool found = false;
        for (uint32_t i = 0; !found && list.GetEntry(i, entry); ++i)
            found = entry.family == kSysExModelId && entry.member == 0;
        if (found)
        {
            LogPortOpen(true, OpenPort(true, static_cast<int32_t>(entry.inputPort)), entry.inputName);
            LogPortOpen(false, OpenPort(false, static_cast<int32_t>(entry.outputPort)), entry.outputName);
        }
        else
            WriteLog("%s", LocalizedAnsi("MidiErrorDeviceNotFoundLog").c_str());
    }
    if (!m_portsOpen)
        return false;
    // Another driver only warns: the ports stay open and in use.
    if (!IsInstrumentDriver())
        ShowMessageBox(kBoxTypeWarning, GetLocalizedString("TitlePortOpen").c_str(),
                       GetLocalizedString("MidiErrorNotTarvUsbMidiDriver").c_str());
    return true;
}

bool CMidiManager::IsInstrumentDriver() const
{
    MIDIINCAPSW in = {};
    MIDIOUTCAPSW out = {};
    return midiInGetDevCapsW(static_cast<UINT>(m_inIndex), &in, sizeof in) == MMSYSERR_NOERROR &&
           midiOutGetDevCapsW(static_cast<UINT>(m_outIndex), &out, sizeof out) == MMSYSERR_NOERROR &&
           in.wMid == kDriverManufacturerId && in.wPid == kDriverInputProductId &&
           out.wMid == kDriverManufacturerId && out.wPid == kDriverOutputProductId;
}

// ---------------------------------------------------------------------------------------------
// Sending

void CMidiManager::BuildAndSendSysEx(uint32_t row, const uint8_t* data, uint32_t dataLength, uint32_t number)
{
    if (row >= kSysExTemplateCount || !IsOpen())
        return;
    std::vector<uint8_t> message = BuildSysEx(row, GetGlobalChannel(), data, dataLength, number);
    if (!m_port->Out(static_cast<uint32_t>(message.size()), message.data()))
    {
        m_exchange.Clear();
        throw CZmMidiException(kZmMidiErrorSendMessageFailed);
    }
    EchoOut(message.data(), static_cast<uint32_t>(message.size()));
}

void CMidiManager::SendParameterChange(int32_t index, int32_t section, int32_t value)
{
    if (!IsOpen())
        return;
    std::vector<uint8_t> message = BuildParameterChange(GetGlobalChannel(), section, index, value);
    // A lost parameter change is not worth a report: the next edit sends the value again.
    m_port->Out(static_cast<uint32_t>(message.size()), message.data());
    EchoOut(message.data(), static_cast<uint32_t>(message.size()));
}

void CMidiManager::SendAllNotesOff()
{
    if (!IsOpen())
        return;
    for (uint8_t channel = 0; channel < 16; ++channel)
    {
        m_port->SendChannelMessage(channel, 0xB0, 123, 0);
        const uint8_t bytes[3] = {static_cast<uint8_t>(0xB0 | channel), 123, 0};
        EchoOut(bytes, 3);
    }
}

std::vector<uint8_t> CMidiManager::Pack(const uint8_t* image, uint32_t size) const
{
    std::vector<uint8_t> packed(CHfcMidi::GetEncoded7BitSize(size));
    CHfcMidi::Encode7Bit(packed.data(), image, size);
    return packed;
}

// ---------------------------------------------------------------------------------------------
// Exchanges

bool CMidiManager::DeviceInquiry()
{
    if (!IsOpen())
    {
        CMidiRunReport::LogDeviceInquiryWithoutPorts();
        return false;
    }
    m_exchange.Begin(kStateDeviceInquiry, kExpectNone);
    m_report.ShowStatus("DeviceInquiry");
    BuildAndSendSysEx(kRowDeviceInquiry, nullptr, 0, 0);
    const uint32_t result = m_exchange.Wait(m_replyTimeoutMs);
    m_exchange.Clear();
    if (result != kResultDone)
        return false;
    if (GetIdentity().family != kSysExModelId)
        throw CZmMidiException(kZmMidiErrorNotTargetDevice);
    return true;
}

bool CMidiManager::ReceiveAllPrograms(CProgramSet& set, uint32_t& counter)
{
    m_report.ShowStatus("ReceiveAllPrograms");
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        if (!m_running)
            return false;
        m_exchange.Begin(kStateReceiveProgram, kExpectDump);
        BuildAndSendSysEx(kRowProgramRequest, nullptr, 0, n);
        m_exchange.WaitForDone(m_replyTimeoutMs);
        m_exchange.CopyReceivedBlock(set.GetProgram(n));
        m_report.ShowProgress(++counter);
        PumpMessages();
    }
    return m_running;
}

bool CMidiManager::WriteAllPrograms(CProgramSet& set, uint32_t& counter)
{
    m_report.ShowStatus("WriteAllPrograms");
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        if (!m_running)
            return false;
        std::vector<uint8_t> packed = Pack(set.GetProgram(n).GetImage(), kProgramImageBytes);
        m_exchange.Begin(kStateWritePrograms, kExpectAcknowledgement);
        BuildAndSendSysEx(kRowProgramDump, packed.data(), static_cast<uint32_t>(packed.size()), n);
        m_exchange.WaitForDone(m_replyTimeoutMs);
        m_report.ShowProgress(++counter);
        PumpMessages();
    }
    return m_running;
}

bool CMidiManager::ReceiveGlobal(CGlobal& global)
{
    m_report.ShowStatus("ReceiveGlobal");
    m_exchange.Begin(kStateReceiveGlobal, kExpectDump);
    BuildAndSendSysEx(kRowGlobalRequest, nullptr, 0, 0);
    m_exchange.WaitForDone(m_replyTimeoutMs);
    m_exchange.CopyReceivedGlobal(global);
    return true;
}

bool CMidiManager::WriteGlobal(CGlobal& global, uint32_t& counter)
{
    m_exchange.Begin(kStateWriteGlobal, kExpectAcknowledgement);
    m_report.ShowStatus("WriteGlobal");
    std::vector<uint8_t> packed = Pack(global.GetImage(), global.GetImageSize());
    BuildAndSendSysEx(kRowGlobalDump, packed.data(), static_cast<uint32_t>(packed.size()), 0);
    m_exchange.WaitForDone(m_replyTimeoutMs);
    m_report.ShowProgress(++counter);
    return true;
}

void CMidiManager::ReceiveProgramData(CProgram& program, int32_t number)
{
    m_report.ShowStatus(number < 0 ? "ReceiveCurrentProgram" : "ReceiveProgram");
    m_exchange.Begin(kStateReceiveProgram, kExpectDump);
    if (number < 0)
        BuildAndSendSysEx(kRowCurrentProgramRequest, nullptr, 0, 0);
    else
        BuildAndSendSysEx(kRowProgramRequest, nullptr, 0, static_cast<uint32_t>(number));
    m_exchange.WaitForDone(m_replyTimeoutMs);
    m_exchange.CopyReceivedProgram(program);
}

void CMidiManager::TransmitProgramData(CProgram& program, int32_t number)
{
    m_report.ShowStatus(number < 0 ? "TransmitCurrentProgram" : "WriteProgram");
    std::vector<uint8_t> packed = Pack(program.GetImage(), kProgramImageBytes);
    m_exchange.Begin(kStateWritePrograms, kExpectAcknowledgement);
    if (number < 0)
        BuildAndSendSysEx(kRowCurrentProgramDump, packed.data(), static_cast<uint32_t>(packed.size()), 0);
    else
        BuildAndSendSysEx(kRowProgramDump, packed.data(), static_cast<uint32_t>(packed.size()),
                          static_cast<uint32_t>(number));
    m_exchange.WaitForDone(m_replyTimeoutMs);
    m_report.ShowProgress(1);
    if (number < 0)
    {
        ParameterChangeTarget().SetProgram(&program);
        program.ResetOscCtrlMemory();
    }
}

// ---------------------------------------------------------------------------------------------
// The port's thread

bool CMidiManager::OnSysExMessage(CHfcMidi*, CHfcMidiMessage* message)
{
    const uint32_t length = message != nullptr ? message->GetLength() : 0;
    if (length == 0)
        return false;
    const uint8_t* bytes = message->GetData(0);
    if (bytes[0] != 0xF8 && bytes[0] != 0xFE)
    {
        CHfcScopedLock lock(m_monitorLock);
        if (m_monitorShown)
            FormatHexBytes(length, m_monitorIn, bytes);
    }
    if (bytes[0] != 0xF0)
        return false;
    m_exchange.OnMessage(bytes, length);
    if (GetSettings().receiveParameterChange)
        ApplyParameterChange(bytes, length);
    return true;
}

bool CMidiManager::OnShortMessage(CHfcMidi*, CHfcMidiMessage* message)
{
    const uint32_t length = message != nullptr ? message->GetLength() : 0;
    if (length == 0)
        return false;
    const uint8_t* bytes = message->GetData(0);
    if (bytes[0] == 0xF8 || bytes[0] == 0xFE)
        return false;
    CHfcScopedLock lock(m_monitorLock);
    if (m_monitorShown)
        FormatHexBytes(length, m_monitorIn, bytes);
    return false;
}

bool CMidiManager::OnSpareBytesB(CHfcMidi*, uint32_t length, const uint8_t* bytes)
{
    for (uint32_t i = 0; i < length; ++i)
    {
        if (bytes[i] == 0xF0)
            m_sysExInProgress = true;
        else if (bytes[i] == 0xF7)
            m_sysExInProgress = false;
    }
    return false;
}

void CMidiManager::ApplyParameterChange(const uint8_t* bytes, uint32_t length)
{
    int32_t section = 0, index = 0, value = 0;
    if (!DecodeParameterChange(bytes, length, section, index, value) || section < 0 || index < 0)
        return;
    CZmIdConverter* converter = CZmIdConverterSingleton::Get();
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CZmParameterId id;
    if (converter == nullptr || accessor == nullptr ||
        !converter->FromDeviceAddress({static_cast<uint32_t>(section), static_cast<uint32_t>(index)}, id))
        return;
    // Under the target's lock: the window thread cannot let the program go meanwhile.
    ParameterChangeTarget().Use(
        [&](const CParameterChangeTarget::CTarget& target)
        {
            accessor->SetValue(target.program, id, static_cast<int16_t>(value));
            Notify::Post(m_windowManager, Notify::ParameterChanged{target.programNumber, target.documentId},
                         this);
            if (section == 0 && index < 8)
            {
                target.program->RefreshName();
                Notify::Post(m_windowManager,
                             Notify::ProgramNameChanged{target.programNumber, target.documentId}, this);
            }
        });
}

// ---------------------------------------------------------------------------------------------
// MIDI monitor

void CMidiManager::EchoOut(const uint8_t* bytes, uint32_t length)
{
    CHfcScopedLock lock(m_monitorLock);
    if (m_monitorShown)
        FormatHexBytes(length, m_monitorOut, bytes);
}

void CMidiManager::SetMidiMonitorShown(bool shown)
{
    CHfcScopedLock lock(m_monitorLock);
    if (shown && !m_monitorShown)
    {
        m_monitorIn[0] = '\0';
        m_monitorOut[0] = '\0';
    }
    m_monitorShown = shown;
}

bool CMidiManager::IsMidiMonitorShown()
{
    CHfcScopedLock lock(m_monitorLock);
    return m_monitorShown;
}

void CMidiManager::GetMidiMonitorLines(char* inLine, char* outLine)
{
    CHfcScopedLock lock(m_monitorLock);
    std::memcpy(inLine, m_monitorIn, kMonitorLineSize);
    std::memcpy(outLine, m_monitorOut, kMonitorLineSize);
}

// ---------------------------------------------------------------------------------------------
// Menu-level operations

// What a menu-level operation holds for its run, given back on every way out: the exclusive
// semaphore, "ProgressSemaphore", the paused timer, the progress dialog and the exchange state.
class CMidiManager::CRunFrame
{
public:
    explicit CRunFrame(CMidiManager& manager) : m_manager(manager) {}
    CRunFrame(const CRunFrame&) = delete;
    CRunFrame& operator=(const CRunFrame&) = delete;

    // False, holding nothing, while another operation runs.
    bool Enter()
    {
        if (!m_manager.m_created ||
            m_manager.m_exclusive->WaitTimeout(kExclusiveWaitMs) != CHfcSemaphore::kSignalled)
            return false;
        m_entered = true;
        m_timerRunning = m_manager.m_timer != nullptr && m_manager.m_timer->IsRunning();
        if (m_timerRunning)
            m_manager.m_timer->SetInterval(0);
        // A window-side user holding it (the caller itself, perhaps) keeps the program list away
        // already; the operation goes on without it rather than wait on its own thread.
        m_progressHeld =
            m_manager.m_progressSemaphore != nullptr &&
            m_manager.m_progressSemaphore->WaitTimeout(kExclusiveWaitMs) == CHfcSemaphore::kSignalled;
        return true;
    }

    ~CRunFrame()
    {
        if (!m_entered)
            return;
        m_manager.m_running = false;
        m_manager.m_report.CloseProgress();
        m_manager.m_exchange.Clear();
        if (m_timerRunning)
            m_manager.m_timer->SetInterval(CMMTimer::kInterval);
        if (m_progressHeld)
            m_manager.m_progressSemaphore->Release();
        m_manager.m_exclusive->Release();
    }

private:
    CMidiManager& m_manager;
    bool m_entered = false;
    bool m_timerRunning = false;
    bool m_progressHeld = false;
};

bool CMidiManager::Run(const CRun& run, const std::function<bool()>& exchanges, const CProgram* named)
{
    m_lastError = kNoError;
    CRunFrame frame(*this);
    if (!frame.Enter())
        return false;
    if (!IsOpen())
    {
        if (run.reportClosedPorts)
        {
            m_lastError = kZmMidiErrorDeviceNotSpecified;
            CMidiRunReport::ReportTransferError(kZmMidiErrorDeviceNotSpecified, run.operation, true);
        }
        return false;
    }
    try
    {
        m_running = true;
        m_report.OpenProgress(run.operation, run.maximum, [this] { m_running = false; });
        PumpMessages();
        if (!DeviceInquiry())
            throw CZmMidiException(kZmMidiErrorDeviceInquiry);
        const bool success = exchanges();
        m_report.CloseProgress();
        switch (run.report)
        {
        case CReport::kBoxAndLog:
            CMidiRunReport::ReportTransferResult(run.operation, success);
            break;
        case CReport::kLog:
            CMidiRunReport::LogTransferResult(run.operation, success, "");
            break;
        case CReport::kLogWithName:
            CMidiRunReport::LogTransferResult(run.operation, success,
                                              named != nullptr ? named->GetProgramName() : "");
            break;
        }
        return success;
    }
    catch (const CZmMidiException& e)
    {
        m_running = false;
        m_report.CloseProgress();
        m_lastError = e.GetCode();
        CMidiRunReport::ReportTransferError(e.GetCode(), run.operation, true);
        return false;
    }
}

std::wstring CMidiManager::GetLastErrorText() const
{
    if (m_lastError == kNoError)
        return std::wstring();
    return GetLocalizedString(CZmMidiException(m_lastError).GetMessageKey());
}

bool CMidiManager::RunReceiveAll(CLibraryData& library, bool showResult, uint32_t* received)
{
    uint32_t counter = 0;
    const bool success =
        Run({"ReceiveAll", 129, showResult ? CReport::kBoxAndLog : CReport::kLog, showResult},
            [&]
            {
                CLibraryEntry* programs = library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
                if (programs == nullptr)
                    throw CZmMidiException(kZmMidiErrorInternalError);
                if (!ReceiveAllPrograms(*programs->GetProgramSet(), counter))
                    return false;
                CLibraryEntry* global = library.FindEntryByKind(CLibraryEntry::kKindGlobal);
                if (global == nullptr)
                    throw CZmMidiException(kZmMidiErrorInternalError);
                ReceiveGlobal(*global->GetGlobal());
                // The received global data is the global page's revert point, as after its own receive.
                global->KeepSavedGlobal();
                m_report.ShowProgress(++counter);
                return m_running.load();
            });
    if (received != nullptr)
        *received = std::min<uint32_t>(counter, CProgramSet::kProgramCount);
    return success;
}

bool CMidiManager::RunWriteAll(CLibraryData& library)
{
    return Run({"WriteAll", 129, CReport::kBoxAndLog, true},
               [&]
               {
                   uint32_t counter = 0;
                   CLibraryEntry* programs = library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
                   if (programs == nullptr)
                       throw CZmMidiException(kZmMidiErrorInternalError);
                   if (!WriteAllPrograms(*programs->GetProgramSet(), counter))
                       return false;
                   CLibraryEntry* global = library.FindEntryByKind(CLibraryEntry::kKindGlobal);
                   if (global == nullptr)
                       throw CZmMidiException(kZmMidiErrorInternalError);
                   WriteGlobal(*global->GetGlobal(), counter);
                   return m_running.load();
               });
}

bool CMidiManager::RunReceiveAllPrograms(CLibraryEntry& entry, uint32_t* received)
{
    uint32_t counter = 0;
    const bool success = Run({"ReceiveAllPrograms", 128, CReport::kBoxAndLog, true},
                             [&]
                             {
                                 if (entry.GetKind() != CLibraryEntry::kKindProgramSet)
                                     throw CZmMidiException(kZmMidiErrorInternalError);
                                 return ReceiveAllPrograms(*entry.GetProgramSet(), counter);
                             });
    if (received != nullptr)
        *received = counter;
    return success;
}

bool CMidiManager::RunWriteAllPrograms(CLibraryEntry& entry)
{
    return Run({"WriteAllPrograms", 128, CReport::kBoxAndLog, true},
               [&]
               {
                   if (entry.GetKind() != CLibraryEntry::kKindProgramSet)
                       throw CZmMidiException(kZmMidiErrorInternalError);
                   uint32_t counter = 0;
                   return WriteAllPrograms(*entry.GetProgramSet(), counter);
               });
}

bool CMidiManager::RunReceiveGlobal(CGlobal& global)
{
    return Run({"ReceiveGlobal", 1, CReport::kLog, true}, [&] { return ReceiveGlobal(global); });
}

bool CMidiManager::RunWriteGlobal(CGlobal& global)
{
    return Run({"WriteGlobal", 1, CReport::kLog, true},
               [&]
               {
                   uint32_t counter = 0;
                   return WriteGlobal(global, counter);
               });
}

bool CMidiManager::ReceiveProgram(CProgram& program, int32_t number)
{
    return Run(
        {number < 0 ? "ReceiveCurrentProgram" : "ReceiveProgram", 1, CReport::kLogWithName, true},
        [&]
        {
            ReceiveProgramData(program, number);
            return true;
        },
        &program);
}

bool CMidiManager::TransmitProgram(CProgram& program, int32_t number)
{
    return Run(
        {number < 0 ? "TransmitCurrentProgram" : "WriteProgram", 1, CReport::kLogWithName, true},
        [&]
        {
            TransmitProgramData(program, number);
            return true;
        },
        &program);
}

bool ReceiveCurrentProgramInto(CProgram& program, CMidiManager& manager, intptr_t documentId,
                               int32_t programNumber)
{
    ParameterChangeTarget().Set(documentId, programNumber, nullptr, &program);
    return manager.ReceiveProgram(program, -1);
}
