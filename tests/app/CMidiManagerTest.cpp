// The MIDI manager against the simulated instrument, through the real port object and its thread
// on the simulated driver.
#include "app/CMidiManager.h"

#include "app/CParameterChangeTarget.h"
#include "app/CSettings.h"
#include "app/CWindowManager.h"
#include "app/protocol/MidiProtocol.h"
#include "foundation/CZmException.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/CSimInstrument.h"
#include "support/MessagePump.h"
#include "support/MidiEventRecorder.h"
#include "support/MidiText.h"
#include "support/SimMidi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "MidiManagerFixture.h"

namespace
{
// ---------------------------------------------------------------------------------------------
// Main paths

TEST_F(MidiManager, InquiryLearnsTheInstrumentAndItsChannel)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    EXPECT_EQ(manager->GetIdentity().family, kSysExModelId);
    EXPECT_EQ(manager->GetIdentity().member, 0);
    EXPECT_EQ(manager->GetIdentity().versionA, 1);
    EXPECT_EQ(manager->GetIdentity().versionB, 2);
    EXPECT_EQ(manager->GetGlobalChannel(), kChannel);

    CProgram program;
    manager->ReceiveProgramData(program, 100);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"F0 7E 7F 06 01 F7", "F0 7D 33 7E 1C 64 00 F7"}));
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(100));
    EXPECT_STREQ(program.GetBlock().name, "P100");
}

TEST_F(MidiManager, ReceivesTheCurrentProgramAndTheGlobalData)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    Image edit = CSimInstrument::PatternProgram(77);
    instrument->SetEditBuffer(edit);
    ClearSent();

    CProgram program;
    program.SetAuthor("kept");
    manager->ReceiveProgramData(program, -1);
    EXPECT_EQ(ImageOf(program), edit);
    EXPECT_STREQ(program.GetBlock().name, "P077");
    EXPECT_STREQ(program.GetAuthor(), "kept"); // library information stays

    CGlobal global;
    ASSERT_TRUE(manager->ReceiveGlobal(global));
    EXPECT_EQ(ImageOf(global), instrument->GetGlobal());
    EXPECT_EQ(Sent(), (std::vector<std::string>{"F0 7D 33 7E 10 F7", "F0 7D 33 7E 0E F7"}));
}

TEST_F(MidiManager, WritesProgramsAndGlobalDataThatTheInstrumentAcknowledges)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    ClearSent();

    CProgram program;
    std::memcpy(program.GetImage(), CSimInstrument::PatternProgram(9).data(), kProgramImageBytes);
    manager->TransmitProgramData(program, 20);
    EXPECT_EQ(instrument->GetProgram(20), ImageOf(program));

    CProgram current;
    std::memcpy(current.GetImage(), CSimInstrument::PatternProgram(33).data(), kProgramImageBytes);
    ParameterChangeTarget().Set(1, 5, nullptr, &program);
    manager->TransmitProgramData(current, -1);
    EXPECT_EQ(instrument->GetEditBuffer(), ImageOf(current));
    CParameterChangeTarget::CTarget target;
    ASSERT_TRUE(ParameterChangeTarget().Get(target));
    EXPECT_EQ(target.program, &current); // the instrument's current program is now that one

    CGlobal global;
    global.GetImage()[0] = 0x99;
    uint32_t counter = 0;
    ASSERT_TRUE(manager->WriteGlobal(global, counter));
    EXPECT_EQ(counter, 1u);
    EXPECT_EQ(instrument->GetGlobal(), ImageOf(global));

    std::vector<std::string> sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].substr(0, 20), "F0 7D 33 7E 4C 14 00");
    EXPECT_EQ(BytesOf(sent[0]).size(), kProgramDumpLength);
    EXPECT_EQ(sent[1].substr(0, 14), "F0 7D 33 7E 40");
    EXPECT_EQ(BytesOf(sent[1]).size(), kCurrentProgramDumpLength);
    EXPECT_EQ(sent[2].substr(0, 14), "F0 7D 33 7E 51");
    EXPECT_EQ(BytesOf(sent[2]).size(), kGlobalDumpLength);
}

// Replies that differ from the plain ones but carry what was asked for.
struct TolerableCase
{
    const char* name;
    std::function<void(CSimBehaviour&)> change;
};

TEST_F(MidiManager, TolerableRepliesAreTaken)
{
    const TolerableCase cases[] = {
        {"second model id", [](CSimBehaviour& b) { b.secondModelId = true; }},
        {"split over input buffers", [](CSimBehaviour& b) { b.bytesPerBuffer = 50; }},
        {"real-time bytes inside", [](CSimBehaviour& b) { b.realTimeInDumps = true; }},
    };
    ASSERT_TRUE(manager->DeviceInquiry());
    for (const TolerableCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        instrument->SetBehaviour(CSimBehaviour());
        Misbehave(c.change);
        CProgram program;
        manager->ReceiveProgramData(program, 42);
        EXPECT_EQ(ImageOf(program), instrument->GetProgram(42));
        CGlobal global;
        manager->ReceiveGlobal(global);
        EXPECT_EQ(ImageOf(global), instrument->GetGlobal());
        uint32_t counter = 0;
        global.GetImage()[5] = 0x12;
        manager->WriteGlobal(global, counter);
        EXPECT_EQ(instrument->GetGlobal(), ImageOf(global));
    }
}

TEST_F(MidiManager, ANumberedDumpIsTakenForTheProgramAsked)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    Misbehave([](CSimBehaviour& b) { b.dumpProgramOffset = 1; });
    CProgram program;
    manager->ReceiveProgramData(program, 5);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(6));
}

// ---------------------------------------------------------------------------------------------
// Failures

struct FailureCase
{
    const char* name;
    std::function<void(CSimBehaviour&)> change;
    int32_t receive; // the error of a program receive, -1 for none
    int32_t write;   // of a program write
};

TEST_F(MidiManager, FailedExchangesThrowTheirErrorAndTheNextOneWorks)
{
    const FailureCase cases[] = {
        {"silent", [](CSimBehaviour& b) { b.silent = true; }, kZmMidiErrorTimeout, kZmMidiErrorTimeout},
        {"write error", [](CSimBehaviour& b) { b.refuseAtProgram = 7; }, kZmMidiErrorReceiveError,
         kZmMidiErrorReceiveError},
        {"data load error",
         [](CSimBehaviour& b)
         {
             b.refuseAtProgram = 7;
             b.refusal = 0x26;
         },
         kZmMidiErrorReceiveError, kZmMidiErrorReceiveError},
        {"dump one byte short", [](CSimBehaviour& b) { b.shortDumps = true; }, kZmMidiErrorReceiveError, -1},
    };
    ASSERT_TRUE(manager->DeviceInquiry());
    manager->SetReplyTimeout(kShortTimeoutMs);
    for (const FailureCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        instrument->SetBehaviour(CSimBehaviour());
        Misbehave(c.change);
        CProgram program;
        const Image before = ImageOf(program);
        EXPECT_EQ(ErrorOf([&] { manager->ReceiveProgramData(program, 7); }), c.receive);
        EXPECT_EQ(ImageOf(program), before);
        EXPECT_EQ(ErrorOf([&] { manager->TransmitProgramData(program, 7); }), c.write);

        instrument->SetBehaviour(CSimBehaviour());
        manager->ReceiveProgramData(program, 8);
        EXPECT_EQ(ImageOf(program), instrument->GetProgram(8));
    }
}

TEST_F(MidiManager, GlobalDataRefusedOrShort)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    CGlobal global;
    const Image before = ImageOf(global);
    uint32_t counter = 0;
    Misbehave([](CSimBehaviour& b) { b.refuseGlobal = true; });
    EXPECT_EQ(ErrorOf([&] { manager->ReceiveGlobal(global); }), kZmMidiErrorReceiveError);
    EXPECT_EQ(ErrorOf([&] { manager->WriteGlobal(global, counter); }), kZmMidiErrorReceiveError);
    EXPECT_EQ(counter, 0u);
    instrument->SetBehaviour(CSimBehaviour());
    Misbehave([](CSimBehaviour& b) { b.shortDumps = true; });
    EXPECT_EQ(ErrorOf([&] { manager->ReceiveGlobal(global); }), kZmMidiErrorReceiveError);
    EXPECT_EQ(ImageOf(global), before);
}

TEST_F(MidiManager, InquiryFailures)
{
    const FailureCase cases[] = {
        {"14-byte identity", [](CSimBehaviour& b) { b.identityLength = 14; }, kZmMidiErrorTimeout, 0},
        {"16-byte identity", [](CSimBehaviour& b) { b.identityLength = 16; }, kZmMidiErrorTimeout, 0},
        {"another family", [](CSimBehaviour& b) { b.family = 0x10; }, kZmMidiErrorNotTargetDevice, 0},
        {"silent", [](CSimBehaviour& b) { b.silent = true; }, kZmMidiErrorTimeout, 0},
    };
    manager->SetReplyTimeout(kShortTimeoutMs);
    for (const FailureCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        instrument->SetBehaviour(CSimBehaviour());
        Misbehave(c.change);
        EXPECT_EQ(ErrorOf([&] { manager->DeviceInquiry(); }), c.receive);
    }
}

TEST_F(MidiManager, LateRepliesAreIgnoredAndTheNextExchangeWaitsForItsOwn)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    WaitReceivedByPort(1);
    CProgram program;
    // Each late reply arrives after its exchange timed out, before the next exchange begins.
    const std::function<void()> exchanges[] = {[&] { manager->DeviceInquiry(); },
                                               [&] { manager->ReceiveProgramData(program, 5); }};
    size_t heard = 1;
    uint32_t next = 6;
    for (const std::function<void()>& exchange : exchanges)
    {
        manager->SetReplyTimeout(kShortTimeoutMs);
        Misbehave([](CSimBehaviour& b) { b.late = true; });
        EXPECT_EQ(ErrorOf(exchange), kZmMidiErrorTimeout);
        instrument->SetBehaviour(CSimBehaviour());
        instrument->ReleaseHeldAnswers();
        WaitReceivedByPort(++heard);

        manager->SetReplyTimeout(CMidiManager::kReplyTimeoutMs);
        manager->ReceiveProgramData(program, static_cast<int32_t>(next));
        EXPECT_EQ(ImageOf(program), instrument->GetProgram(next));
        WaitReceivedByPort(++heard);
        ++next;
    }
}

TEST_F(MidiManager, DuplicateRepliesDoNotAnswerTheNextRequest)
{
    Misbehave([](CSimBehaviour& b) { b.copies = 2; });
    ASSERT_TRUE(manager->DeviceInquiry());
    WaitReceivedByPort(2); // both identity replies are in
    CProgram program;
    manager->ReceiveProgramData(program, 5);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(5));
    WaitReceivedByPort(4); // both dumps are in
    instrument->SetBehaviour(CSimBehaviour());

    // The second copies left no count behind: each wait ends with its own reply, not at once.
    manager->ReceiveProgramData(program, 6);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(6));
    CGlobal global;
    manager->ReceiveGlobal(global);
    EXPECT_EQ(ImageOf(global), instrument->GetGlobal());
}

// A copy of an earlier reply reaches the port after the next request went out, before that
// request's own answer (which the instrument holds until the copy is through): it answers nothing.
TEST_F(MidiManager, ADuplicateAfterTheNextRequestDoesNotAnswerIt)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    WaitReceivedByPort(1);
    CProgram program;
    CGlobal global;
    uint32_t counter = 0;
    struct Case
    {
        const char* name;
        std::function<void()> first; // empty: the inquiry above
        std::function<void()> next;  // checks that it got its own answer
    } cases[] = {
        {"identity reply while a program is received", nullptr,
         [&]
         {
             manager->ReceiveProgramData(program, 6);
             EXPECT_EQ(ImageOf(program), instrument->GetProgram(6));
         }},
        {"acknowledgement while a program is received", [&] { manager->WriteGlobal(global, counter); },
         [&]
         {
             manager->ReceiveProgramData(program, 7);
             EXPECT_EQ(ImageOf(program), instrument->GetProgram(7));
         }},
        {"dump while a refused write waits", [&] { manager->ReceiveProgramData(program, 5); },
         [&]
         {
             Misbehave([](CSimBehaviour& b) { b.refuseAtProgram = 20; });
             EXPECT_EQ(ErrorOf([&] { manager->TransmitProgramData(program, 20); }), kZmMidiErrorReceiveError);
         }},
        {"global dump while the inquiry waits", [&] { manager->ReceiveGlobal(global); },
         [&] { EXPECT_TRUE(manager->DeviceInquiry()); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        instrument->SetBehaviour(CSimBehaviour());
        if (c.first)
        {
            const size_t handed = recorder.Events("sysex ").size();
            c.first();
            WaitReceivedByPort(handed + 1);
        }
        const Image duplicate = BytesOf(recorder.Events("sysex ").back().substr(6));
        const size_t heard = instrument->Received().size();
        const size_t handed = recorder.Events("sysex ").size();
        Misbehave([](CSimBehaviour& b) { b.late = true; });
        bool duplicated = false;
        std::thread other(
            [&]
            {
                // Once the answer is held, the copy goes and is handed over before the answer.
                duplicated = instrument->WaitReceived(heard + 1) && instrument->WaitIdle() &&
                             SimMidiInputLong(kPort, duplicate.data(), static_cast<UINT>(duplicate.size()), 0,
                                              10000) == duplicate.size() &&
                             recorder.WaitFor(handed + 1, "sysex ");
                instrument->ReleaseHeldAnswers();
            });
        c.next();
        other.join();
        EXPECT_TRUE(duplicated);
        WaitReceivedByPort(handed + 2);
    }
}

TEST_F(MidiManager, AReplyOnAnotherChannelIsTakenAndTeachesTheChannel)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    Misbehave([](CSimBehaviour& b) { b.answerChannel = 5; });
    CProgram program;
    manager->ReceiveProgramData(program, 1);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(1));
    EXPECT_EQ(manager->GetGlobalChannel(), 5u);
    ClearSent();
    manager->SendParameterChange(2, 1, 3);
    EXPECT_EQ(Sent(), std::vector<std::string>{"F0 7D 35 7E 41 01 00 02 00 03 00 F7"});
}

TEST_F(MidiManager, NothingGoesOutWhileThePortsAreClosed)
{
    manager->CloseMidiIn();
    EXPECT_FALSE(manager->IsOpen());
    ClearSent();
    EXPECT_FALSE(manager->DeviceInquiry());
    manager->SendParameterChange(1, 2, 3);
    manager->SendAllNotesOff();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(MidiManager, AFailedSendThrows)
{
    SimMidiFailCall(SIMMIDI_OUT_LONGMSG, 0, 1, MMSYSERR_ERROR);
    EXPECT_EQ(ErrorOf([&] { manager->DeviceInquiry(); }), kZmMidiErrorSendMessageFailed);
    EXPECT_TRUE(manager->DeviceInquiry());
}

TEST_F(MidiManager, ASecondCreateFailsAndTheManagerGoesOn)
{
    EXPECT_FALSE(manager->Create());
    EXPECT_TRUE(manager->IsCreated());
    EXPECT_TRUE(manager->DeviceInquiry());

    // Destroyed and made again, its exchanges wait on the new semaphore.
    manager->Destroy();
    EXPECT_FALSE(manager->IsOpen());
    ASSERT_TRUE(manager->Create());
    ASSERT_TRUE(manager->IsOpen());
    CProgram program;
    manager->ReceiveProgramData(program, 3);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(3));
}

// ---------------------------------------------------------------------------------------------
// Single messages

TEST_F(MidiManager, ParameterChangesAndAllNotesOffGoOutAsTheyAre)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    ClearSent();
    manager->SendParameterChange(0x32, 0x21, 90);
    manager->SendParameterChange(5, 0x40, -64);
    manager->SendParameterChange(0, 0, -1);
    manager->SendAllNotesOff();
    std::vector<std::string> sent = Sent();
    ASSERT_EQ(sent.size(), 19u);
    EXPECT_EQ(sent[0], "F0 7D 33 7E 41 21 00 32 00 5A 00 F7");
    EXPECT_EQ(sent[1], "F0 7D 33 7E 41 40 00 05 00 40 7F F7");
    EXPECT_EQ(sent[2], "F0 7D 33 7E 41 00 00 00 00 7F 7F F7");
    for (int channel = 0; channel < 16; ++channel)
    {
        char expected[16];
        snprintf(expected, sizeof expected, "B%X 7B 00", channel);
        EXPECT_EQ(sent[3 + channel], expected);
    }
}

TEST_F(MidiManager, MonitorLinesShowTheLastMessagesWhileShown)
{
    char in[CMidiManager::kMonitorLineSize], out[CMidiManager::kMonitorLineSize];
    ASSERT_TRUE(manager->DeviceInquiry()); // not shown: nothing written
    manager->SetMidiMonitorShown(true);
    manager->GetMidiMonitorLines(in, out);
    EXPECT_STREQ(in, "");
    EXPECT_STREQ(out, "");

    CProgram program;
    manager->ReceiveProgramData(program, 2);
    manager->GetMidiMonitorLines(in, out);
    EXPECT_STREQ(out, "F0 7D 33 7E 1C 02 00 F7 ");
    Image dump = BuildSysEx(kRowProgramDump, kChannel, nullptr, 0, 2);
    ASSERT_EQ(std::strlen(in), 26u * 3); // a dump shows its first 26 bytes
    EXPECT_EQ(std::string(in, 21), "F0 7D 33 7E 4C 02 00 ");

    manager->SendAllNotesOff();
    manager->GetMidiMonitorLines(in, out);
    EXPECT_STREQ(out, "BF 7B 00 ");

    manager->SetMidiMonitorShown(false);
    manager->SendParameterChange(1, 1, 1);
    manager->GetMidiMonitorLines(in, out);
    EXPECT_STREQ(out, "BF 7B 00 ");
}

// ---------------------------------------------------------------------------------------------
// Parameter changes from the instrument's panel

class PanelChanges : public MidiManager
{
protected:
    void SetUp() override
    {
        MidiManager::SetUp();
        accessor = CZmProgramAccessorSingleton::Get(); // held by the manager
        GetSettings().receiveParameterChange = true;
        ASSERT_TRUE(manager->DeviceInquiry());
        WaitReceivedByPort(1);
        program.Init();
        ParameterChangeTarget().Set(kDocument, kProgramNumber, nullptr, &program);
    }
    // Sends the changes from the panel, then a marker change (Filter 1 Cutoff of timbre 2 to
    // `marker`), and answers the notifications they brought: once the port has handed all of
    // them over, a notification posted after them marks the end.
    std::vector<std::string> Panel(const std::vector<std::vector<int32_t>>& changes, int32_t marker = 50)
    {
        notifications.lines.clear();
        const size_t heard = recorder.Events("sysex ").size();
        for (const std::vector<int32_t>& c : changes)
            instrument->SendPanelChange(c[0], c[1], c[2]);
        instrument->SendPanelChange(0x21, 0x32, marker);
        WaitReceivedByPort(heard + changes.size() + 1);
        EXPECT_TRUE(PostNotification(&windows, 999, 0, 0, 0, 0, nullptr));
        EXPECT_TRUE(
            PumpUntil([&] { return !notifications.lines.empty() && notifications.lines.back()[0] == '9'; }));
        notifications.lines.pop_back();
        return notifications.lines;
    }
    // The address of the first addressed program row whose minimum is negative.
    bool FindSignedRow(CZmParameterId& id, CZmDeviceAddress& address)
    {
        for (uint32_t group = 0; group < 9; ++group)
            for (uint32_t index = 0; index < 200; ++index)
            {
                id = {group, index, 0};
                if (accessor->IsPresent(id) && accessor->GetMin(&program, id) < 0 &&
                    CZmIdConverterSingleton::Get()->ToDeviceAddress(id, address) && address.IsValid())
                    return true;
            }
        return false;
    }

    static constexpr intptr_t kDocument = 4711;
    static constexpr int32_t kProgramNumber = 12;
    const std::string kMarkerLine = "7 12 -1 4711 -1";
    const CZmParameterId kCutoff2{2, 36, 1};
    CZmProgramAccessor* accessor = nullptr;
    CProgram program;
};

TEST_F(PanelChanges, AChangeIsAppliedToTheTargetAndAnnounced)
{
    EXPECT_EQ(Panel({}, 77), std::vector<std::string>{kMarkerLine});
    EXPECT_EQ(accessor->GetValue(&program, kCutoff2), 77);
}

TEST_F(PanelChanges, ANameCharacterRefreshesTheNameAfterTheParameterNotice)
{
    EXPECT_EQ(Panel({{0, 3, 'Z'}}), (std::vector<std::string>{kMarkerLine, "2 12 -1 4711 -1", kMarkerLine}));
    EXPECT_EQ(program.GetBlock().name[3], 'Z');
    EXPECT_EQ(program.GetImage()[3], 'Z');
}

TEST_F(PanelChanges, NegativeValuesArriveSignExtended)
{
    CZmParameterId id;
    CZmDeviceAddress address;
    ASSERT_TRUE(FindSignedRow(id, address));
    const int32_t minimum = accessor->GetMin(&program, id);
    Panel({{static_cast<int32_t>(address.hi), static_cast<int32_t>(address.lo), minimum}});
    EXPECT_EQ(accessor->GetValue(&program, id), minimum);
}

TEST_F(PanelChanges, UnknownAddressesChangeNothingAndPostNothing)
{
    CProgram expected;
    expected.Init();
    accessor->SetValue(&expected, kCutoff2, 50);
    EXPECT_EQ(Panel({{0xFF, 0xFF, 1}, {0x31, 0x08, 1}, {0x03, 0x00, 1}, {-1, 2, 1}, {0x21, 0x2000 - 1, 1}}),
              std::vector<std::string>{kMarkerLine});
    EXPECT_EQ(ImageOf(program), ImageOf(expected));
}

TEST_F(PanelChanges, NothingWithoutATargetOrWithTheSettingOff)
{
    const Image before = ImageOf(program);
    ParameterChangeTarget().Clear();
    EXPECT_TRUE(Panel({}, 99).empty());
    ParameterChangeTarget().Set(kDocument, kProgramNumber, nullptr, &program);
    GetSettings().receiveParameterChange = false;
    EXPECT_TRUE(Panel({}, 98).empty());
    EXPECT_EQ(ImageOf(program), before);
}
} // namespace
