// The port object against the simulated driver: its own thread, buffers, re-queueing and
// assembly run as they do against a device.
#include "framework/CHfcMidi.h"

#include "support/MidiEventRecorder.h"
#include "support/SimMidi.h"
#include "support/TestCaseName.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace
{
const DWORD kWaitMs = 10000;

std::string Output(UINT device, UINT index)
{
    BYTE bytes[4096];
    UINT n = SimMidiGetOutput(device, index, bytes, sizeof bytes);
    return HexBytes(bytes, n);
}

std::vector<std::string> Outputs(UINT device)
{
    std::vector<std::string> all;
    for (UINT i = 0; i < SimMidiOutputCount(device); ++i)
        all.push_back(Output(device, i));
    return all;
}

class MidiPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SimMidiReset()) << "a handle of an earlier test is still open";
        SimMidiSetDeviceCount(2, 2);
        ASSERT_TRUE(midi.Create("Test"));
        midi.AddListener(&recorder);
    }
    void TearDown() override
    {
        midi.MidiInClose();
        midi.MidiOutClose();
        midi.Destroy();
        EXPECT_EQ(SimMidiOpenHandles(), 0u);
        EXPECT_EQ(SimMidiPreparedHeaders(), 0u);
    }

    // Each string goes into one input buffer of device 0; then an FE buffer marks the end.
    // Answers the events before the marker.
    std::vector<std::string> Receive(const std::vector<std::string>& buffers, UINT device = 0)
    {
        recorder.Clear();
        for (const std::string& hex : buffers)
        {
            std::vector<uint8_t> bytes = BytesOf(hex);
            UINT n = static_cast<UINT>(bytes.size());
            EXPECT_EQ(SimMidiInputLong(device, bytes.data(), n, 0, kWaitMs), n);
        }
        const BYTE marker = 0xFE;
        EXPECT_EQ(SimMidiInputLong(device, &marker, 1, 0, kWaitMs), 1u);
        EXPECT_TRUE(recorder.WaitFor(1, "short FE"));
        std::vector<std::string> events = recorder.Events();
        if (!events.empty() && events.back() == "short FE")
            events.pop_back();
        return events;
    }

    CHfcMidi midi;
    MidiEventRecorder recorder;
};

// ---------------------------------------------------------------------------------------------
// Receiving

struct ReceiveCase
{
    const char* name;
    std::vector<std::string> buffers;
    std::vector<std::string> expected;
};

const ReceiveCase kReceiveCases[] = {
    {"sysex over three buffers",
     {"F0 41 10", "42 12", "00 F7"},
     {"progress 3", "progress 2", "progress 2", "sysex F0 41 10 42 12 00 F7"}},
    {"clock inside a sysex", {"F0 41 F8 10 F7"}, {"short F8", "progress 5", "sysex F0 41 10 F7"}},
    {"note-on after a partial sysex", {"F0 41 10 90 3C 40"}, {"short 90 3C 40"}},
    {"short message cut at the buffer end", {"90 3C"}, {}},
    {"two sysex in one buffer",
     {"F0 01 F7 F0 02 03 F7"},
     {"progress 3", "sysex F0 01 F7", "progress 4", "sysex F0 02 03 F7"}},
    {"dump after a truncated dump", {"F0 41 10", "F0 42 F7"}, {"progress 3", "progress 3", "sysex F0 42 F7"}},
};

class MidiPortReceive : public MidiPort, public ::testing::WithParamInterface<ReceiveCase>
{
};

TEST_P(MidiPortReceive, Buffers)
{
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_EQ(Receive(GetParam().buffers), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Midi, MidiPortReceive, ::testing::ValuesIn(kReceiveCases), TestCaseName());

TEST_F(MidiPort, ShortInputReachesEveryListenerInOrder)
{
    MidiEventRecorder second;
    midi.AddListener(&second);
    ASSERT_TRUE(midi.MidiInOpen(0));
    ASSERT_TRUE(SimMidiInputShort(0, 0x403C90));
    ASSERT_TRUE(SimMidiInputShort(0, 0x05C1));
    ASSERT_TRUE(second.WaitFor(2, "short"));
    const std::vector<std::string> expected = {"input 90 3C 40", "short 90 3C 40", "input C1 05",
                                               "short C1 05"};
    EXPECT_EQ(recorder.Events(), expected);
    EXPECT_EQ(second.Events(), expected);
}

TEST_F(MidiPort, DeviceStreamOfShortAndSystemExclusiveMessages)
{
    ASSERT_TRUE(midi.MidiInOpen(0));
    std::vector<uint8_t> stream = BytesOf("90 3C 40 F0 41 F8 10 F7 C0 05");
    EXPECT_EQ(SimMidiInputStream(0, stream.data(), static_cast<UINT>(stream.size()), kWaitMs), stream.size());
    ASSERT_TRUE(recorder.WaitFor(1, "short C0 05"));
    EXPECT_EQ(recorder.Events(),
              (std::vector<std::string>{"input 90 3C 40", "short 90 3C 40", "input F8", "short F8",
                                        "progress 4", "sysex F0 41 10 F7", "input C0 05", "short C0 05"}));
}

TEST_F(MidiPort, ReceivingWhileASystemExclusiveMessageIsOpen)
{
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_FALSE(midi.IsReceiving());
    Receive({"F0 41 10"});
    EXPECT_TRUE(midi.IsReceiving());
    Receive({"20 F7"});
    EXPECT_FALSE(midi.IsReceiving());
}

// 128 dumps of 404 bytes back to back (51712 bytes), in whole 2048-byte buffers and in
// 100-byte pieces that need each buffer to come back several times.
TEST_F(MidiPort, BackToBackDumpsAreAllReceived)
{
    std::vector<uint8_t> stream;
    for (int i = 0; i < 128; ++i)
    {
        std::vector<uint8_t> dump = MakeSysEx(404, static_cast<uint8_t>(i));
        stream.insert(stream.end(), dump.begin(), dump.end());
    }
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_EQ(SimMidiInputQueuedBuffers(0), CHfcMidi::kInputBufferCount);
    for (UINT perBuffer : {0u, 100u})
    {
        recorder.Clear();
        UINT n = static_cast<UINT>(stream.size());
        ASSERT_EQ(SimMidiInputLong(0, stream.data(), n, perBuffer, kWaitMs), n);
        ASSERT_TRUE(recorder.WaitFor(128, "sysex")) << recorder.Events("sysex").size();
        std::vector<std::string> dumps = recorder.Events("sysex");
        ASSERT_EQ(dumps.size(), 128u);
        for (int i = 0; i < 128; ++i)
        {
            std::vector<uint8_t> dump = MakeSysEx(404, static_cast<uint8_t>(i));
            EXPECT_EQ(dumps[i], "sysex " + HexBytes(dump.data(), dump.size())) << i;
        }
        EXPECT_TRUE(SimMidiWaitInputQueued(0, CHfcMidi::kInputBufferCount, kWaitMs));
    }
    EXPECT_EQ(SimMidiInputLostBytes(0), 0u);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

struct FailureCase
{
    const char* name;
    SimMidiCall call;
    UINT skip;
    UINT count;
    MMRESULT result;
    bool opens; // the open succeeds despite the failure
};

const FailureCase kInputFailures[] = {
    {"open fails", SIMMIDI_IN_OPEN, 0, 1, MMSYSERR_ALLOCATED, false},
    {"first prepare fails", SIMMIDI_IN_PREPARE, 0, 1, MMSYSERR_NOMEM, false},
    {"sixth prepare fails", SIMMIDI_IN_PREPARE, 5, 1, MMSYSERR_NOMEM, false},
    {"last add fails", SIMMIDI_IN_ADDBUFFER, 127, 1, MMSYSERR_NOMEM, false},
    {"start fails", SIMMIDI_IN_START, 0, 1, MMSYSERR_ERROR, false},
    {"close still playing three times", SIMMIDI_IN_CLOSE, 0, 3, MIDIERR_STILLPLAYING, true},
};

class MidiPortInputFailure : public MidiPort, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(MidiPortInputFailure, PortStaysUsable)
{
    const FailureCase& c = GetParam();
    SimMidiFailCall(c.call, c.skip, c.count, c.result);
    EXPECT_EQ(midi.MidiInOpen(0), c.opens);
    EXPECT_EQ(midi.IsMidiInOpen(), c.opens);
    midi.MidiInClose();
    EXPECT_FALSE(midi.IsMidiInOpen());
    EXPECT_EQ(SimMidiOpenHandles(), 0u);
    EXPECT_EQ(SimMidiPreparedHeaders(), 0u);

    SimMidiFailCall(c.call, 0, 0, MMSYSERR_NOERROR);
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_EQ(SimMidiInputQueuedBuffers(0), CHfcMidi::kInputBufferCount);
    EXPECT_EQ(Receive({"F0 01 F7"}), (std::vector<std::string>{"progress 3", "sysex F0 01 F7"}));
}

INSTANTIATE_TEST_SUITE_P(Midi, MidiPortInputFailure, ::testing::ValuesIn(kInputFailures), TestCaseName());

TEST_F(MidiPort, CloseThatFailsKeepsTheInputAndCanBeRepeated)
{
    for (SimMidiCall call : {SIMMIDI_IN_STOP, SIMMIDI_IN_RESET, SIMMIDI_IN_CLOSE})
    {
        SCOPED_TRACE(call);
        ASSERT_TRUE(midi.MidiInOpen(0));
        SimMidiFailCall(call, 0, 1, MMSYSERR_ERROR);
        midi.MidiInClose();
        EXPECT_TRUE(midi.IsMidiInOpen());
        EXPECT_FALSE(midi.MidiInOpen(0));
        midi.MidiInClose();
        EXPECT_FALSE(midi.IsMidiInOpen());
        EXPECT_EQ(SimMidiOpenHandles(), 0u);
        EXPECT_EQ(SimMidiPreparedHeaders(), 0u);
    }
}

TEST_F(MidiPort, SecondInputOpenFailsAndKeepsTheFirst)
{
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_FALSE(midi.MidiInOpen(1));
    EXPECT_FALSE(midi.MidiInOpen(0));
    EXPECT_TRUE(midi.IsMidiInOpen());
    EXPECT_EQ(SimMidiOpenHandles(), 1u);
    EXPECT_EQ(Receive({"F0 01 F7"}), (std::vector<std::string>{"progress 3", "sysex F0 01 F7"}));

    ASSERT_TRUE(midi.MidiOutOpen(1));
    EXPECT_FALSE(midi.MidiOutOpen(0));
    EXPECT_TRUE(midi.SendShortMessage(0x90, 0x3C, 0x40));
    EXPECT_EQ(Outputs(1), std::vector<std::string>{"90 3C 40"});
}

TEST_F(MidiPort, OpenRefusesDevicesThatDoNotExist)
{
    for (int32_t index : {-1, 2, 100})
    {
        EXPECT_FALSE(midi.MidiInOpen(index)) << index;
        EXPECT_FALSE(midi.MidiOutOpen(index)) << index;
    }
    SimMidiSetDeviceCount(0, 0);
    EXPECT_FALSE(midi.MidiInOpen(0));
    EXPECT_FALSE(midi.MidiOutOpen(0));
    EXPECT_FALSE(midi.MidiInOpenByName("Simulated MIDI In 1"));
    EXPECT_EQ(SimMidiOpenHandles(), 0u);
}

TEST_F(MidiPort, PortWithoutThreadOpensNothing)
{
    CHfcMidi idle;
    EXPECT_FALSE(idle.MidiInOpen(0));
    EXPECT_FALSE(idle.MidiOutOpen(0));
    EXPECT_EQ(SimMidiOpenHandles(), 0u);
}

TEST_F(MidiPort, OpenByNameAndDeviceNames)
{
    ASSERT_TRUE(SimMidiSetInputCaps(1, L"Nuvorn In", 0x42, 5));
    ASSERT_TRUE(SimMidiSetOutputCaps(1, L"Nuvorn Out", 0x42, 6));
    // The capabilities that a caller compares with the instrument's driver.
    MIDIINCAPSW inCaps = {};
    ASSERT_EQ(midiInGetDevCapsW(1, &inCaps, sizeof inCaps), MMSYSERR_NOERROR);
    EXPECT_EQ(inCaps.wMid, 0x42);
    EXPECT_EQ(inCaps.wPid, 5);
    EXPECT_STREQ(inCaps.szPname, L"Nuvorn In");
    MIDIOUTCAPSA outCaps = {};
    ASSERT_EQ(midiOutGetDevCapsA(1, &outCaps, sizeof outCaps), MMSYSERR_NOERROR);
    EXPECT_EQ(outCaps.wPid, 6);
    EXPECT_STREQ(outCaps.szPname, "Nuvorn Out");

    char name[256];
    ASSERT_TRUE(CHfcMidi::GetMidiInDeviceName(1, name, sizeof name));
    EXPECT_STREQ(name, "Nuvorn In");
    ASSERT_TRUE(CHfcMidi::GetMidiOutDeviceName(0, name, sizeof name));
    EXPECT_STREQ(name, "Simulated MIDI Out 1");
    char small[4];
    ASSERT_TRUE(CHfcMidi::GetMidiOutDeviceName(1, small, sizeof small));
    EXPECT_STREQ(small, "Nuv");
    EXPECT_FALSE(CHfcMidi::GetMidiInDeviceName(2, name, sizeof name));
    SimMidiFailCall(SIMMIDI_OUT_GETDEVCAPS, 0, 1, MMSYSERR_NODRIVER);
    EXPECT_FALSE(CHfcMidi::GetMidiOutDeviceName(0, name, sizeof name));

    EXPECT_EQ(CHfcMidi::FindMidiInDevice("Nuvorn In"), 1);
    EXPECT_EQ(CHfcMidi::FindMidiOutDevice("Simulated MIDI Out 1"), 0);
    EXPECT_EQ(CHfcMidi::FindMidiInDevice("Nuvorn Out"), -1);
    EXPECT_EQ(CHfcMidi::FindMidiInDevice(nullptr), -1);
    EXPECT_FALSE(midi.MidiInOpenByName("nuvorn in"));
    EXPECT_FALSE(midi.MidiInOpenByName("Nuvorn"));
    EXPECT_FALSE(midi.MidiInOpenByName(nullptr));
    ASSERT_TRUE(midi.MidiInOpenByName("Nuvorn In"));
    EXPECT_EQ(Receive({"F0 02 F7"}, 1), (std::vector<std::string>{"progress 3", "sysex F0 02 F7"}));
    ASSERT_TRUE(midi.MidiOutOpenByName("Nuvorn Out"));
    EXPECT_TRUE(midi.SendShortMessage(0xF8, 0, 0));
    EXPECT_EQ(Outputs(1), std::vector<std::string>{"F8"});
}

TEST_F(MidiPort, DeletingAnOpenPortGivesEverythingBack)
{
    {
        CHfcMidi port;
        ASSERT_TRUE(port.Create());
        ASSERT_TRUE(port.MidiInOpen(1));
        ASSERT_TRUE(port.MidiOutOpen(1));
        SimMidiHoldOutput(TRUE);
        const uint8_t sysex[] = {0xF0, 0x01, 0xF7};
        ASSERT_TRUE(port.Out(3, sysex));
        EXPECT_TRUE(port.IsSending());
    }
    EXPECT_EQ(SimMidiOpenHandles(), 0u);
    EXPECT_EQ(SimMidiPreparedHeaders(), 0u);
}

// ---------------------------------------------------------------------------------------------
// Sending

TEST_F(MidiPort, SentMessagesReachTheDeviceAsGiven)
{
    const uint8_t sysex[] = {0xF0, 0x42, 0x30, 0x00, 0x01, 0x4B, 0x41, 0xF7};
    ASSERT_TRUE(midi.MidiInOpen(0));
    EXPECT_FALSE(midi.SendShortMessage(0x90, 0x3C, 0x40));
    EXPECT_FALSE(midi.Out(sizeof sysex, sysex));
    ASSERT_TRUE(midi.MidiOutOpen(0));
    EXPECT_TRUE(midi.SendShortMessage(0x90, 0x3C, 0x40));
    EXPECT_TRUE(midi.SendChannelMessage(0x15, 0xB3, 123, 0));
    CHfcMidiMessage program(0xC1, 0x05);
    EXPECT_TRUE(midi.SendMessage(&program));
    CHfcMidiMessage clock(0xF8);
    EXPECT_TRUE(midi.SendMessage(&clock));
    CHfcMidiMessage dump(sysex, sizeof sysex);
    EXPECT_TRUE(midi.SendMessage(&dump));
    EXPECT_TRUE(midi.Out(sizeof sysex, sysex));
    EXPECT_FALSE(midi.Out(0, sysex));
    CHfcMidiMessage empty;
    EXPECT_FALSE(midi.SendMessage(&empty));

    ASSERT_TRUE(recorder.WaitFor(2, "sent"));
    EXPECT_EQ(recorder.Events("sent"), (std::vector<std::string>{"sent 8", "sent 8"}));
    const std::string long8 = HexBytes(sysex, sizeof sysex);
    EXPECT_EQ(Outputs(0), (std::vector<std::string>{"90 3C 40", "B5 7B 00", "C1 05", "F8", long8, long8}));
    // The completions reach the port's thread before a later input does.
    ASSERT_TRUE(SimMidiWaitIdle(kWaitMs));
    Receive({});
    EXPECT_FALSE(midi.IsSending());
}

TEST_F(MidiPort, FailedSendsAreReportedAndLeaveNothingBehind)
{
    const uint8_t sysex[] = {0xF0, 0x01, 0xF7};
    ASSERT_TRUE(midi.MidiOutOpen(0));
    for (SimMidiCall call : {SIMMIDI_OUT_PREPARE, SIMMIDI_OUT_LONGMSG})
    {
        SimMidiFailCall(call, 0, 1, MMSYSERR_NOMEM);
        EXPECT_FALSE(midi.Out(sizeof sysex, sysex)) << call;
        EXPECT_FALSE(midi.IsSending());
        EXPECT_EQ(SimMidiPreparedHeaders(), 0u);
    }
    SimMidiFailCall(SIMMIDI_OUT_SHORTMSG, 0, 1, MMSYSERR_NOMEM);
    EXPECT_FALSE(midi.SendShortMessage(0x90, 0x3C, 0x40));
    EXPECT_EQ(SimMidiOutputCount(0), 0u);

    EXPECT_TRUE(midi.Out(sizeof sysex, sysex));
    ASSERT_TRUE(recorder.WaitFor(1, "sent"));
    EXPECT_EQ(Outputs(0), std::vector<std::string>{"F0 01 F7"});
}

TEST_F(MidiPort, ClosingTheOutputReturnsMessagesStillQueued)
{
    const uint8_t sysex[] = {0xF0, 0x01, 0xF7};
    ASSERT_TRUE(midi.MidiInOpen(0));
    ASSERT_TRUE(midi.MidiOutOpen(0));
    SimMidiHoldOutput(TRUE);
    ASSERT_TRUE(midi.Out(sizeof sysex, sysex));
    ASSERT_TRUE(midi.Out(sizeof sysex, sysex));
    EXPECT_TRUE(midi.IsSending());
    // While the driver holds them the close is refused; the port resets the output first.
    SimMidiFailCall(SIMMIDI_OUT_CLOSE, 0, 2, MIDIERR_STILLPLAYING);
    midi.MidiOutClose();
    EXPECT_FALSE(midi.IsMidiOutOpen());
    // Only the input and its buffers are left.
    EXPECT_EQ(SimMidiOpenHandles(), 1u);
    EXPECT_EQ(SimMidiPreparedHeaders(), CHfcMidi::kInputBufferCount);
    // The completions arrive after the close and still free the messages.
    ASSERT_TRUE(recorder.WaitFor(2, "sent"));
    ASSERT_TRUE(midi.MidiOutOpen(0));
    SimMidiHoldOutput(FALSE);
    ASSERT_TRUE(midi.Out(sizeof sysex, sysex));
    ASSERT_TRUE(recorder.WaitFor(3, "sent"));
    ASSERT_TRUE(SimMidiWaitIdle(kWaitMs));
    Receive({});
    EXPECT_FALSE(midi.IsSending());
}

// ---------------------------------------------------------------------------------------------
// The driver's hook: what a simulated instrument builds on.

struct EchoDevice
{
    DWORD testThread = GetCurrentThreadId();
    std::atomic<int> callsOnTestThread{0};

    // Answers every system-exclusive message with F0 7E <its length> F7 on input 0.
    static void CALLBACK Hook(void* context, UINT, const BYTE* bytes, UINT length)
    {
        EchoDevice* self = static_cast<EchoDevice*>(context);
        if (GetCurrentThreadId() == self->testThread)
            ++self->callsOnTestThread;
        if (bytes[0] != 0xF0)
            return;
        const BYTE reply[] = {0xF0, 0x7E, static_cast<BYTE>(length), 0xF7};
        SimMidiInputLong(0, reply, sizeof reply, 0, kWaitMs);
    }
};

TEST_F(MidiPort, HookAnswersAfterTheSendOnTheDriversThread)
{
    EchoDevice device;
    SimMidiSetSendHook(&EchoDevice::Hook, &device);
    ASSERT_TRUE(midi.MidiInOpen(0));
    ASSERT_TRUE(midi.MidiOutOpen(0));
    const uint8_t inquiry[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    ASSERT_TRUE(midi.Out(sizeof inquiry, inquiry));
    ASSERT_TRUE(midi.SendShortMessage(0xFE, 0, 0));
    ASSERT_TRUE(recorder.WaitFor(1, "sysex"));
    EXPECT_EQ(recorder.Events("sysex"), std::vector<std::string>{"sysex F0 7E 06 F7"});
    ASSERT_TRUE(SimMidiWaitIdle(kWaitMs));
    EXPECT_EQ(device.callsOnTestThread, 0);
}
} // namespace
