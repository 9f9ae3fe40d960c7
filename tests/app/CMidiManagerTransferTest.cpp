// The MIDI manager's menu-level operations against the simulated instrument: progress dialog,
// boxes, status log, the paused timer and "ProgressSemaphore".
#include "MidiManagerFixture.h"

#include "app/AppMessageBox.h"
#include "app/CDialogFlag.h"
#include "app/CProgressDialog.h"
#include "resources/AppDialogIds.h"
#include "synthdata/CLibraryData.h"

#include "support/MessagePump.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <thread>

namespace
{
// Counts the timer's ticks while a transfer is under way (after its first few messages, so that
// a tick due as it started does not count).
class TickCounter : public CMMTimerListener
{
public:
    TickCounter(CMidiManager& manager, CSimInstrument& instrument)
        : m_manager(manager), m_instrument(instrument)
    {
    }
    void OnMMTimer(CMMTimer*) override
    {
        ++ticks;
        if (m_manager.GetProgressDialog() != nullptr && m_instrument.Received().size() >= 3)
            ++ticksDuringTransfer;
    }
    int ticks = 0;
    int ticksDuringTransfer = 0;

private:
    CMidiManager& m_manager;
    CSimInstrument& m_instrument;
};

// Asked while an operation runs (a notification posted to it before the operation is delivered
// when the operation first lets the windows have their messages): its progress bar's maximum.
class ProgressProbe : public CWindowManagerListener
{
public:
    enum : uint32_t
    {
        kCode = 998,
    };
    explicit ProgressProbe(CMidiManager& manager) : m_manager(manager) {}
    bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t, intptr_t, intptr_t, intptr_t,
                               void*) override
    {
        if (code == kCode)
            maximum =
                m_manager.GetProgressDialog() != nullptr ? m_manager.GetProgressDialog()->GetMaximum() : -1;
        return true;
    }
    int32_t maximum = 0;

private:
    CMidiManager& m_manager;
};

// Shows no box but throws: stands for anything an operation calls that fails with an exception
// of its own. In place for its lifetime; the presenter before it is back afterwards.
class ThrowingPresenter : public CDialogPresenter
{
public:
    ThrowingPresenter() : m_previous(GetDialogPresenter()) { SetDialogPresenter(this); }
    ~ThrowingPresenter() override { SetDialogPresenter(m_previous); }
    int ShowBox(HWND, const wchar_t*, const wchar_t*, UINT) override { throw std::runtime_error("no box"); }

private:
    CDialogPresenter* m_previous;
};

class MidiTransfer : public MidiManager
{
protected:
    void SetUp() override
    {
        MidiManager::SetUp();
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        library.AddEntry(CLibraryEntry::kKindGlobal);
        ticks = std::make_unique<TickCounter>(*manager, *instrument);
        timer.AddListener(ticks.get());
        ClearSent();
    }
    void TearDown() override
    {
        timer.RemoveListener(ticks.get());
        MidiManager::TearDown();
    }
    CProgramSet& Programs() { return *library.GetProgramSet(); }
    CGlobal& Global() { return *library.GetGlobal(); }
    // The timer ticks again once the transfer is over.
    bool TimerRuns()
    {
        const int before = ticks->ticks;
        return timer.IsRunning() && PumpUntil([&] { return ticks->ticks > before; });
    }
    std::string Box(const std::string& title, const std::string& text)
    {
        return Text(title) + " | " + Text(text);
    }
    std::string Line(const std::string& a, const std::string& b) { return Text(a) + " : " + Text(b); }
    // The instrument heard the inquiry and then the given requests only.
    size_t RequestsHeard() { return instrument->Received().size() - 1; }

    CLibraryData library;
    std::unique_ptr<TickCounter> ticks;
};

TEST_F(MidiTransfer, ReceiveAllBringsEveryProgramAndTheGlobalData)
{
    bool semaphoreHeld = false;
    presenter.onReady = [&](HWND)
    { semaphoreHeld = progressSemaphore.WaitTimeout(50) == CHfcSemaphore::kTimedOut; };
    uint32_t received = 0;
    ASSERT_TRUE(manager->RunReceiveAll(library, true, &received));
    EXPECT_EQ(received, 128u);
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(ImageOf(Programs().GetProgram(n)), instrument->GetProgram(n)) << n;
    EXPECT_STREQ(Programs().GetProgram(127).GetBlock().name, "P127");
    EXPECT_EQ(ImageOf(Global()), instrument->GetGlobal());

    std::vector<std::string> sent = Sent();
    ASSERT_EQ(sent.size(), 130u);
    EXPECT_EQ(sent[0], "F0 7E 7F 06 01 F7");
    EXPECT_EQ(sent[1], "F0 7D 33 7E 1C 00 00 F7");
    EXPECT_EQ(sent[101], "F0 7D 33 7E 1C 64 00 F7");
    EXPECT_EQ(sent[129], "F0 7D 33 7E 0E F7");

    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveAll", "SuccessReceiveAll")});
    EXPECT_EQ(presenter.boxes[0].flags & MB_ICONMASK, 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogReceiveAll", "SuccessLogReceiveAll")});
    EXPECT_EQ(presenter.readyDialogs, std::vector<std::wstring>{L"DialogProgress"});
    EXPECT_TRUE(semaphoreHeld);
    EXPECT_EQ(progressSemaphore.WaitTimeout(0), CHfcSemaphore::kSignalled);
    progressSemaphore.Release();
    EXPECT_EQ(ticks->ticksDuringTransfer, 0);
    EXPECT_TRUE(TimerRuns());
    EXPECT_EQ(manager->GetProgressDialog(), nullptr);
}

TEST_F(MidiTransfer, ReceiveAllWithoutTheResultShownOnlyLogs)
{
    ASSERT_TRUE(manager->RunReceiveAll(library, false));
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(LogLines(), std::vector<std::string>{Text("SuccessLogReceiveAll")});
}

TEST_F(MidiTransfer, WriteAllStoresEveryProgramAndTheGlobalData)
{
    for (uint32_t n = 0; n < 128; ++n)
        std::memcpy(Programs().GetProgram(n).GetImage(), CSimInstrument::PatternProgram(n + 300).data(),
                    kProgramImageBytes);
    Global().GetImage()[7] = 0xA5;
    ASSERT_TRUE(manager->RunWriteAll(library));
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(instrument->GetProgram(n), ImageOf(Programs().GetProgram(n))) << n;
    EXPECT_EQ(instrument->GetGlobal(), ImageOf(Global()));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleWriteAll", "SuccessWriteAll")});
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogWriteAll", "SuccessLogWriteAll")});
    EXPECT_TRUE(TimerRuns());
}

TEST_F(MidiTransfer, ATimeOutPartWayKeepsWhatArrivedAndTellsHowMuch)
{
    manager->SetReplyTimeout(kShortTimeoutMs);
    Misbehave([](CSimBehaviour& b) { b.silentAtProgram = 40; });
    uint32_t received = 0;
    EXPECT_FALSE(manager->RunReceiveAll(library, true, &received));
    EXPECT_EQ(received, 40u);
    for (uint32_t n = 0; n < 128; ++n)
    {
        CProgram expected;
        expected.Init();
        ASSERT_EQ(ImageOf(Programs().GetProgram(n)), n < 40 ? instrument->GetProgram(n) : ImageOf(expected))
            << n;
    }
    EXPECT_EQ(RequestsHeard(), 41u); // the global data is not asked for
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveAll", "MidiErrorTimeout")});
    EXPECT_EQ(presenter.boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogReceiveAll", "MidiErrorTimeoutLog")});
    EXPECT_TRUE(TimerRuns());
    EXPECT_EQ(progressSemaphore.WaitTimeout(0), CHfcSemaphore::kSignalled);
    progressSemaphore.Release();

    // The next operation runs as usual.
    instrument->SetBehaviour(CSimBehaviour());
    ClearReports();
    EXPECT_TRUE(manager->RunReceiveGlobal(Global()));
    EXPECT_EQ(LogLines(), std::vector<std::string>{Text("SuccessLogReceiveGlobal")});
}

struct RefusalCase
{
    const char* name;
    uint8_t refusal;
};

TEST_F(MidiTransfer, ARefusedWriteEndsWriteAllAtThatProgram)
{
    for (const RefusalCase& c : {RefusalCase{"write error", 0x24}, RefusalCase{"data load error", 0x26}})
    {
        SCOPED_TRACE(c.name);
        for (uint32_t n = 0; n < 128; ++n)
            instrument->SetProgram(n, CSimInstrument::PatternProgram(n));
        for (uint32_t n = 0; n < 128; ++n)
            std::memcpy(Programs().GetProgram(n).GetImage(), CSimInstrument::PatternProgram(n + 500).data(),
                        kProgramImageBytes);
        ClearReports();
        instrument->ClearReceived();
        Misbehave(
            [&](CSimBehaviour& b)
            {
                b.refuseAtProgram = 17;
                b.refusal = c.refusal;
            });
        EXPECT_FALSE(manager->RunWriteAll(library));
        for (uint32_t n = 0; n < 128; ++n)
            ASSERT_EQ(instrument->GetProgram(n), CSimInstrument::PatternProgram(n < 17 ? n + 500 : n)) << n;
        EXPECT_EQ(RequestsHeard(), 18u);
        EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleWriteAll", "MidiErrorReceiveError")});
        EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogWriteAll", "MidiErrorReceiveErrorLog")});
        instrument->SetBehaviour(CSimBehaviour());
    }
}

TEST_F(MidiTransfer, AShortDumpEndsReceiveAllPrograms)
{
    Misbehave([](CSimBehaviour& b) { b.shortDumps = true; });
    uint32_t received = 99;
    EXPECT_FALSE(
        manager->RunReceiveAllPrograms(*library.FindEntryByKind(CLibraryEntry::kKindProgramSet), &received));
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveAllPrograms", "MidiErrorReceiveError")});
}

TEST_F(MidiTransfer, CancelStopsAfterTheProgramInHand)
{
    HWND dialog = nullptr;
    presenter.onReady = [&](HWND d) { dialog = d; };
    std::thread canceller(
        [&]
        {
            if (instrument->WaitReceived(12))
                PressButton(dialog, IDC_PROGRESS_CANCEL);
        });
    uint32_t received = 0;
    EXPECT_FALSE(manager->RunReceiveAll(library, true, &received));
    canceller.join();
    EXPECT_GE(received, 11u);
    EXPECT_LT(received, 128u);
    for (uint32_t n = 0; n < received; ++n)
        ASSERT_EQ(ImageOf(Programs().GetProgram(n)), instrument->GetProgram(n)) << n;
    EXPECT_EQ(RequestsHeard(), received); // nothing more, and no global data
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveAll", "FailedReceiveAll")});
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogReceiveAll", "FailedLogReceiveAll")});
    EXPECT_TRUE(TimerRuns());
}

TEST_F(MidiTransfer, AnotherFamilyEndsBeforeAnyRequest)
{
    Misbehave([](CSimBehaviour& b) { b.family = 0x10; });
    EXPECT_FALSE(manager->RunWriteAll(library));
    EXPECT_EQ(RequestsHeard(), 0u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleWriteAll", "MidiErrorNotTargetDevice")});
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogWriteAll", "MidiErrorNotTargetDeviceLog")});
}

TEST_F(MidiTransfer, AMissingEntryIsAnInternalError)
{
    CLibraryData onlyGlobal;
    onlyGlobal.AddEntry(CLibraryEntry::kKindGlobal);
    EXPECT_FALSE(manager->RunReceiveAll(onlyGlobal, true));
    EXPECT_FALSE(manager->RunReceiveAllPrograms(*onlyGlobal.FindEntryByKind(CLibraryEntry::kKindGlobal)));
    EXPECT_EQ(RequestsHeard(), 1u); // the second inquiry
    EXPECT_EQ(Boxes(), (std::vector<std::string>{Box("TitleReceiveAll", "MidiErrorInternalError"),
                                                 Box("TitleReceiveAllPrograms", "MidiErrorInternalError")}));
}

TEST_F(MidiTransfer, ClosedPortsAreReported)
{
    manager->CloseMidiOut();
    EXPECT_FALSE(manager->RunReceiveGlobal(Global()));
    EXPECT_FALSE(manager->RunReceiveAll(library, false)); // at start-up: nothing shown
    EXPECT_FALSE(manager->DeviceInquiry());
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveGlobal", "MidiErrorDeviceNotSpecified")});
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              Line("TitleLogReceiveGlobal", "MidiErrorDeviceNotSpecifiedLog"),
                              Text("TitleDeviceInquiry") + " - " + Text("MidiErrorDeviceNotSpecifiedLog")}));
    EXPECT_TRUE(TimerRuns());
    EXPECT_TRUE(instrument->Received().empty());
}

TEST_F(MidiTransfer, AnOperationStartedDuringAnotherIsRefusedQuietly)
{
    bool refused = false;
    presenter.onReady = [&](HWND)
    {
        CGlobal global;
        refused = !manager->RunReceiveGlobal(global);
    };
    ASSERT_TRUE(manager->RunWriteGlobal(Global()));
    EXPECT_TRUE(refused);
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(LogLines(), std::vector<std::string>{Text("SuccessLogWriteGlobal")});
    EXPECT_EQ(RequestsHeard(), 1u);
}

TEST_F(MidiTransfer, SingleProgramsLogWithTheirName)
{
    CProgram program;
    ASSERT_TRUE(manager->ReceiveProgram(program, 9));
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(9));
    ASSERT_TRUE(ReceiveCurrentProgramInto(program, *manager, 31, 4));
    EXPECT_EQ(ImageOf(program), instrument->GetEditBuffer());
    CParameterChangeTarget::CTarget target;
    ASSERT_TRUE(ParameterChangeTarget().Get(target));
    EXPECT_EQ(target.program, &program);
    EXPECT_EQ(target.documentId, 31);
    EXPECT_EQ(target.programNumber, 4);

    program.SetProgramName("Sent");
    ASSERT_TRUE(manager->TransmitProgram(program, 70));
    EXPECT_EQ(instrument->GetProgram(70), ImageOf(program));
    ASSERT_TRUE(manager->TransmitProgram(program, -1));
    EXPECT_EQ(instrument->GetEditBuffer(), ImageOf(program));
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{Text("SuccessLogReceiveProgram") + " : P009",
                                                    Text("SuccessLogReceiveCurrentProgram") + " : P000",
                                                    Text("SuccessLogWriteProgram") + " : SENT",
                                                    Text("SuccessLogTransmitCurrentProgram") + " : SENT"}));

    // A failure of one program: box and log line.
    manager->SetReplyTimeout(kShortTimeoutMs);
    Misbehave([](CSimBehaviour& b) { b.silent = true; });
    ClearReports();
    EXPECT_FALSE(manager->ReceiveProgram(program, 9));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("TitleReceiveProgram", "MidiErrorTimeout")});
    EXPECT_EQ(LogLines(), std::vector<std::string>{Line("TitleLogReceiveProgram", "MidiErrorTimeoutLog")});
}

TEST_F(MidiTransfer, GlobalDataOperationsLogOnly)
{
    ASSERT_TRUE(manager->RunReceiveGlobal(Global()));
    EXPECT_EQ(ImageOf(Global()), instrument->GetGlobal());
    Global().GetImage()[1] = 0x11;
    ASSERT_TRUE(manager->RunWriteGlobal(Global()));
    EXPECT_EQ(instrument->GetGlobal(), ImageOf(Global()));
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{Text("SuccessLogReceiveGlobal"), Text("SuccessLogWriteGlobal")}));
}

TEST_F(MidiTransfer, EachOperationSetsItsProgressMaximum)
{
    CLibraryEntry& programs = *library.FindEntryByKind(CLibraryEntry::kKindProgramSet);
    CProgram program;
    struct Case
    {
        const char* name;
        int32_t maximum; // one step a program, one for the global data
        std::function<bool()> run;
    } cases[] = {
        {"ReceiveAll", 129, [&] { return manager->RunReceiveAll(library, false); }},
        {"WriteAll", 129, [&] { return manager->RunWriteAll(library); }},
        {"ReceiveAllPrograms", 128, [&] { return manager->RunReceiveAllPrograms(programs); }},
        {"WriteAllPrograms", 128, [&] { return manager->RunWriteAllPrograms(programs); }},
        {"ReceiveGlobal", 1, [&] { return manager->RunReceiveGlobal(Global()); }},
        {"WriteGlobal", 1, [&] { return manager->RunWriteGlobal(Global()); }},
        {"ReceiveProgram", 1, [&] { return manager->ReceiveProgram(program, 4); }},
        {"ReceiveCurrentProgram", 1, [&] { return manager->ReceiveProgram(program, -1); }},
        {"WriteProgram", 1, [&] { return manager->TransmitProgram(program, 4); }},
        {"TransmitCurrentProgram", 1, [&] { return manager->TransmitProgram(program, -1); }},
    };
    ProgressProbe probe(*manager);
    windows.AddListener(&probe);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        probe.maximum = 0;
        ASSERT_TRUE(PostNotificationTo(&windows, &probe, ProgressProbe::kCode, 0, 0, 0, 0, nullptr));
        EXPECT_TRUE(c.run());
        EXPECT_EQ(probe.maximum, c.maximum);
    }
    windows.RemoveListener(&probe);
}

TEST_F(MidiTransfer, TransmittingTheCurrentProgramResetsItsOscillatorControlMemory)
{
    CProgram program;
    std::memcpy(program.GetImage(), CSimInstrument::PatternProgram(12).data(), kProgramImageBytes);
    CProgram fresh; // what the memory of this image is right after a reset
    std::memcpy(fresh.GetImage(), program.GetImage(), kProgramImageBytes);
    fresh.ResetOscCtrlMemory();
    const CQ3580OscCtrlMemory& expected = fresh.GetOscCtrlMemory();
    CQ3580OscCtrlMemory used; // as editing leaves it
    std::memset(&used, 0x55, sizeof used);
    ASSERT_NE(std::memcmp(&used, &expected, sizeof used), 0);
    auto memory = [&]
    { return std::memcmp(&program.GetOscCtrlMemory(), &used, sizeof used) == 0 ? "used" : "other"; };

    // A numbered program, or a current one that did not go out, keeps its memory.
    program.GetOscCtrlMemory() = used;
    ASSERT_TRUE(manager->TransmitProgram(program, 30));
    EXPECT_STREQ(memory(), "used");
    SimMidiFailCall(SIMMIDI_OUT_LONGMSG, 1, 1, MMSYSERR_ERROR); // the inquiry goes, the dump does not
    EXPECT_FALSE(manager->TransmitProgram(program, -1));
    EXPECT_STREQ(memory(), "used");

    ASSERT_TRUE(manager->TransmitProgram(program, -1));
    EXPECT_EQ(std::memcmp(&program.GetOscCtrlMemory(), &expected, sizeof expected), 0);
    EXPECT_EQ(instrument->GetEditBuffer(), ImageOf(program));
}

// Whatever an operation calls may throw an exception other than a MIDI error: the exception
// passes through, and the operation still gives back everything it held.
TEST_F(MidiTransfer, AnyExceptionLeavingAnOperationGivesBackWhatItHeld)
{
    struct Case
    {
        const char* name;
        std::function<void()> prepare;
        std::function<bool()> run;
    } cases[] = {
        {"from the result box", [] {},
         [&] {
             return manager->RunReceiveAllPrograms(*library.FindEntryByKind(CLibraryEntry::kKindProgramSet));
         }},
        {"from the error box, part way",
         [&]
         {
             manager->SetReplyTimeout(kShortTimeoutMs);
             Misbehave([](CSimBehaviour& b) { b.silentAtProgram = 3; });
         },
         [&] { return manager->RunWriteAll(library); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        instrument->SetBehaviour(CSimBehaviour());
        c.prepare();
        {
            ThrowingPresenter throwing;
            EXPECT_THROW(c.run(), std::runtime_error);
        }
        instrument->SetBehaviour(CSimBehaviour());
        manager->SetReplyTimeout(CMidiManager::kReplyTimeoutMs);
        EXPECT_EQ(manager->GetProgressDialog(), nullptr);
        EXPECT_EQ(GetDialogRefCount(), 0);
        EXPECT_FALSE(manager->IsRunning());
        EXPECT_EQ(progressSemaphore.WaitTimeout(0), CHfcSemaphore::kSignalled);
        progressSemaphore.Release();
        EXPECT_TRUE(TimerRuns());
        // The exclusive semaphore is free: the next operation runs.
        ClearReports();
        EXPECT_TRUE(manager->RunReceiveGlobal(Global()));
        EXPECT_EQ(LogLines(), std::vector<std::string>{Text("SuccessLogReceiveGlobal")});
    }
}
} // namespace
