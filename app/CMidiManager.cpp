#include "app/CMidiManager.h"

#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CDeviceLister.h"
#include "app/CLogManager.h"
#include "app/CMMTimer.h"
#include "app/CParameterChangeTarget.h"
#include "app/CProgressDialog.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/CZmException.h"
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
    kDeviceNameSize = 256,
};
} // namespace

namespace
{
// The localised text of the key joined from its parts.
std::wstring Text(const char* prefix, const char* name = "", const char* suffix = "")
{
    return GetLocalizedString((std::string(prefix) + name + suffix).c_str());
}

std::string Ansi(const std::wstring& text)
{
    return WideToAnsi(text.c_str());
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
    m_receiveProgram.Init();
    m_unpacked.Init();
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

void CMidiManager::Create()
{
    if (m_created)
        throw "CMidiManager is already created.";
    CHfcScopedLock lock(m_exchangeLock);
    m_reply = std::make_unique<CEfSemaphore>(0, CHfcSemaphore::kMaximumCount, "Midi::Semaphore");
    m_exclusive = std::make_unique<CEfSemaphore>(1, CHfcSemaphore::kMaximumCount, "Midi::ExclusiveSmephore");
    m_created = true;
}

void CMidiManager::Destroy()
{
    if (!m_created)
        return;
    CloseProgress();
    CHfcScopedLock lock(m_exchangeLock);
    m_reply.reset();
    m_exclusive.reset();
    m_created = false;
}

// ---------------------------------------------------------------------------------------------
// Ports

namespace
{
// The index of the first device whose product name is exactly `name`, or -1.
int32_t FindDevice(bool input, const char* name)
{
    const UINT count = input ? midiInGetNumDevs() : midiOutGetNumDevs();
    char buffer[kDeviceNameSize];
    for (UINT i = 0; i < count; ++i)
    {
        const int32_t index = static_cast<int32_t>(i);
        const bool named = input ? CHfcMidi::GetMidiInDeviceName(index, buffer, sizeof buffer)
                                 : CHfcMidi::GetMidiOutDeviceName(index, buffer, sizeof buffer);
        if (named && std::strcmp(buffer, name) == 0)
            return index;
    }
    return -1;
}
} // namespace

bool CMidiManager::OpenPortByName(bool input, const char* name)
{
    input ? CloseMidiIn() : CloseMidiOut();
    if (name == nullptr || *name == '\0')
        return true;
    const int32_t index = FindDevice(input, name);
    return index >= 0 && OpenPort(input, index);
}

bool CMidiManager::OpenPort(bool input, int32_t index)
{
    input ? CloseMidiIn() : CloseMidiOut();
    if (m_port == nullptr || !(input ? m_port->MidiInOpen(index) : m_port->MidiOutOpen(index)))
    {
        snprintf(m_portError, sizeof m_portError, "%s",
                 input ? "Can not open midi in device." : "Can not open midi out device.");
        ReportTransferError(input ? kZmMidiErrorOpenMidiInFailed : kZmMidiErrorOpenMidiOutFailed, "PortOpen",
                            false);
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
            WriteLog("%s", Ansi(Text("MidiErrorDeviceNotFoundLog")).c_str());
    }
    if (!m_portsOpen)
        return false;
    // Another driver only warns: the ports stay open and in use.
    if (!IsInstrumentDriver())
        ShowMessageBox(kBoxTypeWarning, Text("TitlePortOpen").c_str(),
                       Text("MidiErrorNotTarvUsbMidiDriver").c_str());
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
    std::vector<uint8_t> message = BuildSysEx(row, m_channel, data, dataLength, number);
    if (!m_port->Out(static_cast<uint32_t>(message.size()), message.data()))
    {
        ClearExchange();
        throw CZmMidiException(kZmMidiErrorSendMessageFailed);
    }
    EchoOut(message.data(), static_cast<uint32_t>(message.size()));
}

void CMidiManager::SendParameterChange(int32_t index, int32_t section, int32_t value)
{
    if (!IsOpen())
        return;
    std::vector<uint8_t> message = BuildParameterChange(m_channel, section, index, value);
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

void CMidiManager::Begin(uint32_t state, uint32_t expected)
{
    CHfcScopedLock lock(m_exchangeLock);
    // Nothing settles while the lock is held, so the drained count cannot come back.
    while (m_reply != nullptr && m_reply->WaitTimeout(0) == CHfcSemaphore::kSignalled)
    {
    }
    m_state = state;
    m_expected = expected;
    m_result = kResultPending;
}

uint32_t CMidiManager::WaitForReply()
{
    const int32_t waited =
        m_reply != nullptr ? m_reply->WaitTimeout(m_replyTimeoutMs) : CHfcSemaphore::kFailed;
    CHfcScopedLock lock(m_exchangeLock);
    const uint32_t result = m_result;
    if (result == kResultPending)
    {
        m_state = kStateIdle;
        m_expected = kExpectNone;
        throw CZmMidiException(kZmMidiErrorTimeout);
    }
    // Settled just as the wait ended: take the count it left.
    if (waited != CHfcSemaphore::kSignalled && m_reply != nullptr)
        m_reply->WaitTimeout(0);
    return result;
}

void CMidiManager::WaitForDone()
{
    if (WaitForReply() != kResultDone)
        throw CZmMidiException(kZmMidiErrorReceiveError);
}

void CMidiManager::ClearExchange()
{
    CHfcScopedLock lock(m_exchangeLock);
    m_state = kStateIdle;
    m_expected = kExpectNone;
    m_result = kResultPending;
}

bool CMidiManager::DeviceInquiry()
{
    if (!IsOpen())
    {
        Log((GetLocalizedString("TitleDeviceInquiry") + L" - " +
             GetLocalizedString("MidiErrorDeviceNotSpecifiedLog"))
                .c_str());
        return false;
    }
    Begin(kStateDeviceInquiry, kExpectNone);
    ShowStatus("DeviceInquiry");
    BuildAndSendSysEx(kRowDeviceInquiry, nullptr, 0, 0);
    const uint32_t result = WaitForReply();
    ClearExchange();
    if (result != kResultDone)
        return false;
    if (GetIdentity().family != kSysExModelId)
        throw CZmMidiException(kZmMidiErrorNotTargetDevice);
    return true;
}

bool CMidiManager::ReceiveAllPrograms(CProgramSet& set, uint32_t& counter)
{
    ShowStatus("ReceiveAllPrograms");
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        if (!m_running)
            return false;
        Begin(kStateReceiveProgram, kExpectDump);
        BuildAndSendSysEx(kRowProgramRequest, nullptr, 0, n);
        WaitForDone();
        {
            CHfcScopedLock lock(m_exchangeLock);
            set.GetProgram(n).CopyBlock(m_receiveProgram);
        }
        ShowProgress(++counter);
        PumpMessages();
    }
    return m_running;
}

bool CMidiManager::WriteAllPrograms(CProgramSet& set, uint32_t& counter)
{
    ShowStatus("WriteAllPrograms");
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        if (!m_running)
            return false;
        std::vector<uint8_t> packed = Pack(set.GetProgram(n).GetImage(), kProgramImageBytes);
        Begin(kStateWritePrograms, kExpectAcknowledgement);
        BuildAndSendSysEx(kRowProgramDump, packed.data(), static_cast<uint32_t>(packed.size()), n);
        WaitForDone();
        ShowProgress(++counter);
        PumpMessages();
    }
    return m_running;
}

bool CMidiManager::ReceiveGlobal(CGlobal& global)
{
    ShowStatus("ReceiveGlobal");
    Begin(kStateReceiveGlobal, kExpectDump);
    BuildAndSendSysEx(kRowGlobalRequest, nullptr, 0, 0);
    WaitForDone();
    CHfcScopedLock lock(m_exchangeLock);
    std::memcpy(global.GetImage(), m_receiveGlobal.GetImage(), kGlobalImageBytes);
    return true;
}

bool CMidiManager::WriteGlobal(CGlobal& global, uint32_t& counter)
{
    Begin(kStateWriteGlobal, kExpectAcknowledgement);
    ShowStatus("WriteGlobal");
    std::vector<uint8_t> packed = Pack(global.GetImage(), global.GetImageSize());
    BuildAndSendSysEx(kRowGlobalDump, packed.data(), static_cast<uint32_t>(packed.size()), 0);
    WaitForDone();
    ShowProgress(++counter);
    return true;
}

void CMidiManager::ReceiveProgramData(CProgram& program, int32_t number)
{
    ShowStatus(number < 0 ? "ReceiveCurrentProgram" : "ReceiveProgram");
    Begin(kStateReceiveProgram, kExpectDump);
    if (number < 0)
        BuildAndSendSysEx(kRowCurrentProgramRequest, nullptr, 0, 0);
    else
        BuildAndSendSysEx(kRowProgramRequest, nullptr, 0, static_cast<uint32_t>(number));
    WaitForDone();
    CHfcScopedLock lock(m_exchangeLock);
    program.CopyProgram(m_receiveProgram);
}

void CMidiManager::TransmitProgramData(CProgram& program, int32_t number)
{
    ShowStatus(number < 0 ? "TransmitCurrentProgram" : "WriteProgram");
    std::vector<uint8_t> packed = Pack(program.GetImage(), kProgramImageBytes);
    Begin(kStateWritePrograms, kExpectAcknowledgement);
    if (number < 0)
        BuildAndSendSysEx(kRowCurrentProgramDump, packed.data(), static_cast<uint32_t>(packed.size()), 0);
    else
        BuildAndSendSysEx(kRowProgramDump, packed.data(), static_cast<uint32_t>(packed.size()),
                          static_cast<uint32_t>(number));
    WaitForDone();
    ShowProgress(1);
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
    if (length >= 5 && IsChannelHeader(bytes, length))
        m_channel = bytes[2] & 0x0F;
    OnReply(bytes, length);
    if (GetSettings().receiveParameterChange)
        ApplyParameterChange(bytes, length);
    return true;
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

void CMidiManager::Settle(uint32_t result)
{
    if (m_result != kResultPending)
        return;
    m_result = result;
    m_state = kStateIdle;
    m_expected = kExpectNone;
    if (m_reply != nullptr)
        m_reply->Release();
}

void CMidiManager::OnReply(const uint8_t* bytes, uint32_t length)
{
    CHfcScopedLock lock(m_exchangeLock);
    const bool refused = MatchSysExTemplate(kRowWriteError, bytes, length) ||
                         MatchSysExTemplate(kRowDataLoadError, bytes, length);
    switch (m_state)
    {
    case kStateDeviceInquiry:
    {
        CSysExIdentity identity;
        if (!DecodeIdentityReply(bytes, length, identity))
            return;
        m_channel = identity.channel;
        m_identity = identity;
        Settle(kResultDone);
        return;
    }
    case kStateWritePrograms:
    case kStateWriteGlobal:
        if (m_expected != kExpectAcknowledgement)
            return;
        if (MatchSysExTemplate(kRowWriteComplete, bytes, length))
            Settle(kResultDone);
        else if (refused)
            Settle(kResultFailed);
        return;
    case kStateReceiveProgram:
    {
        if (m_expected != kExpectDump)
            return;
        // The program number of a numbered dump is not compared with the request.
        uint32_t at = 0, whole = 0;
        if (MatchSysExTemplate(kRowProgramDump, bytes, length))
            at = SysExTemplateTable[kRowProgramDump].dataPosition, whole = kProgramDumpLength;
        else if (MatchSysExTemplate(kRowCurrentProgramDump, bytes, length))
            at = SysExTemplateTable[kRowCurrentProgramDump].dataPosition, whole = kCurrentProgramDumpLength;
        else if (refused)
            Settle(kResultFailed);
        if (whole == 0)
            return;
        if (length < whole)
        {
            Settle(kResultFailed);
            return;
        }
        CHfcMidi::Decode7Bit(m_unpacked.GetImage(), bytes + at, kProgramImageBytes);
        m_receiveProgram.Init();
        m_receiveProgram.CopyProgram(m_unpacked);
        Settle(kResultDone);
        return;
    }
    case kStateReceiveGlobal:
        if (m_expected != kExpectDump)
            return;
        if (MatchSysExTemplate(kRowGlobalDump, bytes, length))
        {
            if (length < kGlobalDumpLength)
            {
                Settle(kResultFailed);
                return;
            }
            CHfcMidi::Decode7Bit(m_receiveGlobal.GetImage(),
                                 bytes + SysExTemplateTable[kRowGlobalDump].dataPosition, kGlobalImageBytes);
            Settle(kResultDone);
        }
        else if (refused)
            Settle(kResultFailed);
        return;
    default:
        return;
    }
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
            PostNotification(m_windowManager, kNotifyParameterChanged, target.programNumber, -1,
                             target.documentId, -1, this);
            if (section == 0 && index < 8)
            {
                target.program->RefreshName();
                PostNotification(m_windowManager, kNotifyProgramNameChanged, target.programNumber, -1, -1, 0,
                                 this);
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

CSysExIdentity CMidiManager::GetIdentity()
{
    CHfcScopedLock lock(m_exchangeLock);
    return m_identity;
}

// ---------------------------------------------------------------------------------------------
// Menu-level operations

bool CMidiManager::Run(const CRun& run, const std::function<bool()>& exchanges, const CProgram* named)
{
    if (!m_created || m_exclusive->WaitTimeout(kExclusiveWaitMs) != CHfcSemaphore::kSignalled)
        return false;
    const bool timerRunning = m_timer != nullptr && m_timer->IsRunning();
    if (timerRunning)
        m_timer->SetInterval(0);
    // A window-side user holding it (the caller itself, perhaps) keeps the program list away
    // already; the operation goes on without it rather than wait on its own thread.
    const bool progressHeld = m_progressSemaphore != nullptr &&
                              m_progressSemaphore->WaitTimeout(kExclusiveWaitMs) == CHfcSemaphore::kSignalled;
    auto finish = [&](bool result)
    {
        ClearExchange();
        if (timerRunning)
            m_timer->SetInterval(CMMTimer::kInterval);
        if (progressHeld)
            m_progressSemaphore->Release();
        m_exclusive->Release();
        return result;
    };

    if (!IsOpen())
    {
        if (run.reportClosedPorts)
            ReportTransferError(kZmMidiErrorDeviceNotSpecified, run.operation, true);
        return finish(false);
    }
    try
    {
        m_running = true;
        OpenProgress(run.operation, run.maximum);
        PumpMessages();
        if (!DeviceInquiry())
            throw CZmMidiException(kZmMidiErrorDeviceInquiry);
        const bool success = exchanges();
        CloseProgress();
        switch (run.report)
        {
        case CReport::kBoxAndLog:
            ReportTransferResult(run.operation, success);
            break;
        case CReport::kLog:
            LogTransferResult(run.operation, success, "");
            break;
        case CReport::kLogWithName:
            LogTransferResult(run.operation, success, named != nullptr ? named->GetProgramName() : "");
            break;
        }
        m_running = false;
        return finish(success);
    }
    catch (const CZmMidiException& e)
    {
        m_running = false;
        CloseProgress();
        ReportTransferError(e.GetCode(), run.operation, true);
        return finish(false);
    }
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
                ShowProgress(++counter);
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

// ---------------------------------------------------------------------------------------------
// Progress and reports

void CMidiManager::OpenProgress(const char* operation, int32_t maximum)
{
    CloseProgress();
    m_progress = std::make_unique<CProgressDialog>([this] { m_running = false; });
    m_progress->Open(nullptr, Text("Title", operation).c_str());
    m_progress->SetMaximum(maximum);
}

void CMidiManager::CloseProgress()
{
    if (m_progress != nullptr)
    {
        m_progress->Close();
        m_progress.reset();
    }
}

void CMidiManager::ShowStatus(const char* operation)
{
    if (m_progress == nullptr)
        return;
    m_progress->SetStatusText(Text("Progress", operation).c_str());
    PumpMessages();
}

void CMidiManager::ShowProgress(uint32_t position)
{
    if (m_progress != nullptr)
        m_progress->SetPosition(static_cast<int32_t>(position));
}

void CMidiManager::ReportTransferResult(const char* operation, bool success)
{
    const char* outcome = success ? "Success" : "Failed";
    WriteLog("%s : %s", Ansi(Text("TitleLog", operation)).c_str(),
             Ansi(Text(outcome, "Log", operation)).c_str());
    ShowMessageBox(success ? kBoxTypeOk : kBoxTypeWarning, Text("Title", operation).c_str(),
                   Text(outcome, operation).c_str());
}

void CMidiManager::LogTransferResult(const char* operation, bool success, const char* suffix)
{
    std::string line = Ansi(Text(success ? "SuccessLog" : "FailedLog", operation));
    if (suffix != nullptr && *suffix != '\0')
        line += std::string(" : ") + suffix;
    WriteLog("%s", line.c_str());
}

void CMidiManager::ReportTransferError(int32_t code, const char* operation, bool withLog)
{
    const CZmMidiException error(code);
    const char* key = error.GetMessageKey();
    ShowMessageBox(kBoxTypeWarning, Text("Title", operation).c_str(), Text(key).c_str());
    if (withLog)
        WriteLog("%s : %s", Ansi(Text("TitleLog", operation)).c_str(), Ansi(Text(key, "Log")).c_str());
}

void CMidiManager::Log(const wchar_t* text)
{
    WriteLog("%s", WideToAnsi(text).c_str());
}
