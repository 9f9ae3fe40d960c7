// The device scan over several port pairs of the simulated driver, and the MIDI manager's opening
// of the ports by saved name or by scan.
#include "MidiManagerFixture.h"

#include "app/CDeviceLister.h"

#include <set>
#include <tuple>

namespace
{
// Three port pairs: "A" (0), the fixture's instrument on "B" (1), "C" (2).
class DeviceScan : public MidiManager
{
protected:
    void SetUp() override
    {
        MidiManager::SetUp();
        manager->CloseMidiPorts();
        SimMidiSetDeviceCount(3, 3);
        CSimInstrument::InstallPorts(0, 0, L"A In", L"A Out");
        CSimInstrument::InstallPorts(2, 2, L"C In", L"C Out");
        Misbehave([](CSimBehaviour& b) { b.silent = true; });
        ClearReports();
    }
    void TearDown() override
    {
        others.clear();
        MidiManager::TearDown();
    }
    // Another instrument, hearing output `output` and answering on input `input`.
    CSimInstrument& AddInstrument(UINT input, UINT output, int32_t member = 0)
    {
        others.push_back(std::make_unique<CSimInstrument>(input, output, 5));
        CSimBehaviour b;
        b.member = member;
        others.back()->SetBehaviour(b);
        return *others.back();
    }
    std::vector<CDeviceListEntry> Scan()
    {
        CDeviceList list;
        CDeviceLister lister;
        EXPECT_TRUE(lister.ScanDevices(list));
        allAnswered = lister.AllOutputsAnswered();
        std::vector<CDeviceListEntry> entries;
        CDeviceListEntry entry;
        for (uint32_t i = 0; list.GetEntry(i, entry); ++i)
            entries.push_back(entry);
        EXPECT_FALSE(list.GetEntry(list.GetCount(), entry));
        return entries;
    }

    std::vector<std::unique_ptr<CSimInstrument>> others;
    bool allAnswered = false; // the last scan ended early
};

TEST_F(DeviceScan, NoInstrumentGivesAnEmptyList)
{
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(presenter.readyDialogs, std::vector<std::wstring>{L"DialogProgress"});
    EXPECT_EQ(SimMidiOpenHandles(), 0u); // every port of the scan is closed again
}

TEST_F(DeviceScan, AnEntryNamesThePortThatHeardAndTheOutputAsked)
{
    // Hears output 0 and answers on input 2.
    AddInstrument(2, 0);
    std::vector<CDeviceListEntry> entries = Scan();
    ASSERT_EQ(entries.size(), 1u);
    const CDeviceListEntry& e = entries[0];
    EXPECT_EQ(e.family, 126u);
    EXPECT_EQ(e.member, 0u);
    EXPECT_EQ(e.versionA, 1u);
    EXPECT_EQ(e.versionB, 2u);
    EXPECT_EQ(e.channel, 5);
    EXPECT_EQ(e.inputPort, 2u);
    EXPECT_EQ(e.outputPort, 0u);
    EXPECT_STREQ(e.inputName, "C In");
    EXPECT_STREQ(e.outputName, "A Out");
    // The request carried the output's number.
    EXPECT_EQ(HexBytes(others[0]->Received().at(0).data(), 6), "F0 7D 50 00 01 F7");
}

TEST_F(DeviceScan, EveryInstrumentIsListed)
{
    AddInstrument(0, 0, 1);
    AddInstrument(2, 2, 0);
    instrument->SetBehaviour(CSimBehaviour());
    std::set<std::tuple<uint32_t, uint32_t, uint32_t>> found;
    for (const CDeviceListEntry& e : Scan())
        found.insert({e.inputPort, e.outputPort, e.member});
    EXPECT_EQ(found, (std::set<std::tuple<uint32_t, uint32_t, uint32_t>>{{0, 0, 1}, {1, 1, 0}, {2, 2, 0}}));
}

TEST_F(DeviceScan, TheWaitEndsOnceEveryOutputHasAnswered)
{
    // As many replies as outputs, all from output 0: outputs 1 and 2 are still waited for.
    CSimInstrument& first = AddInstrument(0, 0);
    CSimBehaviour thrice;
    thrice.copies = 3;
    first.SetBehaviour(thrice);
    EXPECT_EQ(Scan().size(), 3u);
    EXPECT_FALSE(allAnswered);

    first.SetBehaviour(CSimBehaviour());
    AddInstrument(2, 2);
    EXPECT_EQ(Scan().size(), 2u);
    EXPECT_FALSE(allAnswered); // output 1's instrument is silent: the wait runs out

    instrument->SetBehaviour(CSimBehaviour());
    EXPECT_EQ(Scan().size(), 3u);
    EXPECT_TRUE(allAnswered);
}

TEST_F(DeviceScan, AnOutputThatWasNotAskedIsNotWaitedFor)
{
    const std::pair<const char*, SimMidiCall> cases[] = {
        {"output 0 does not open", SIMMIDI_OUT_OPEN},
        {"the request to output 0 is not sent", SIMMIDI_OUT_LONGMSG},
    };
    instrument->SetBehaviour(CSimBehaviour()); // on pair 1
    AddInstrument(2, 2);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.first);
        SimMidiFailCall(c.second, 0, 1, MMSYSERR_ERROR);
        std::set<uint32_t> outputs;
        for (const CDeviceListEntry& e : Scan())
            outputs.insert(e.outputPort);
        EXPECT_EQ(outputs, (std::set<uint32_t>{1, 2}));
        EXPECT_TRUE(allAnswered);
        EXPECT_EQ(SimMidiOpenHandles(), 0u);
    }
}

TEST_F(DeviceScan, TheFlagBitIsReadApartFromTheChannel)
{
    CSimInstrument& other = AddInstrument(2, 2);
    for (bool flag : {false, true})
    {
        SCOPED_TRACE(flag);
        CSimBehaviour b;
        b.searchFlag = flag;
        other.SetBehaviour(b);
        std::vector<CDeviceListEntry> entries = Scan();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].flag, flag ? 1 : 0);
        EXPECT_EQ(entries[0].channel, 5);
        EXPECT_EQ(entries[0].family, 126u);
    }
}

TEST_F(DeviceScan, MalformedRepliesAreIgnored)
{
    const std::pair<const char*, std::function<void(CSimBehaviour&)>> cases[] = {
        {"14 bytes", [](CSimBehaviour& b) { b.searchReplyLength = 14; }},
        {"16 bytes", [](CSimBehaviour& b) { b.searchReplyLength = 16; }},
        {"port number 0", [](CSimBehaviour& b) { b.searchNumber = 0; }},
        {"port number beyond the outputs", [](CSimBehaviour& b) { b.searchNumber = 4; }},
    };
    CSimInstrument& other = AddInstrument(0, 0);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.first);
        CSimBehaviour b;
        c.second(b);
        other.SetBehaviour(b);
        EXPECT_TRUE(Scan().empty());
    }
}

TEST_F(DeviceScan, OpenMidiPortsTakesTheFirstInstrumentOfTheModel)
{
    AddInstrument(0, 0, 1); // another member of the family
    AddInstrument(2, 2, 0);
    GetSettings().midiDeviceAutoScan = true;
    ASSERT_TRUE(manager->OpenMidiPorts());
    EXPECT_TRUE(manager->IsOpen());
    EXPECT_TRUE(presenter.boxes.empty()); // the instrument's own driver
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"MIDI input port:  C In", "MIDI output port:  C Out"}));
    ASSERT_TRUE(manager->DeviceInquiry());
    EXPECT_EQ(manager->GetGlobalChannel(), 5u);
}

TEST_F(DeviceScan, OpenMidiPortsWithoutAnInstrumentLogsIt)
{
    GetSettings().midiDeviceAutoScan = true;
    EXPECT_FALSE(manager->OpenMidiPorts());
    EXPECT_FALSE(manager->IsOpen());
    EXPECT_EQ(LogLines(), std::vector<std::string>{Text("MidiErrorDeviceNotFoundLog")});
}

TEST_F(DeviceScan, OpenMidiPortsBySavedName)
{
    instrument->SetBehaviour(CSimBehaviour());
    GetSettings().midiDeviceAutoScan = false;
    GetSettings().midiInDevice = "Nuvorn USB In";
    GetSettings().midiOutDevice = "Nuvorn USB Out";
    ASSERT_TRUE(manager->OpenMidiPorts());
    EXPECT_TRUE(manager->DeviceInquiry());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"MIDI input port:  Nuvorn USB In",
                                                    "MIDI output port:  Nuvorn USB Out"}));

    // Names match exactly, letter case included; the other port still opens.
    ClearReports();
    GetSettings().midiInDevice = "nuvorn usb in";
    EXPECT_FALSE(manager->OpenMidiPorts());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Failed to open MIDI input port. (nuvorn usb in)",
                                                    "MIDI output port:  Nuvorn USB Out"}));
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(DeviceScan, AnotherDriverOnlyWarns)
{
    CSimInstrument::InstallPorts(2, 2, L"C In", L"C Out", false);
    AddInstrument(2, 2);
    GetSettings().midiDeviceAutoScan = true;
    ASSERT_TRUE(manager->OpenMidiPorts());
    EXPECT_EQ(Boxes(), std::vector<std::string>{Text("TitlePortOpen") + " | " +
                                                Text("MidiErrorNotTarvUsbMidiDriver")});
    EXPECT_TRUE(manager->DeviceInquiry()); // the ports stay open and in use
}

TEST_F(DeviceScan, APortThatDoesNotOpenIsReportedAndTheOtherStillOpens)
{
    GetSettings().midiDeviceAutoScan = false;
    GetSettings().midiInDevice = "Nuvorn USB In";
    GetSettings().midiOutDevice = "Nuvorn USB Out";
    SimMidiFailCall(SIMMIDI_IN_OPEN, 0, 1, MMSYSERR_ALLOCATED);
    EXPECT_FALSE(manager->OpenMidiPorts());
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{Text("TitlePortOpen") + " | " + Text("MidiErrorOpenMidiInFailed")});
    EXPECT_STREQ(manager->GetPortErrorText(), "Can not open midi in device.");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Failed to open MIDI input port. (Nuvorn USB In)",
                                                    "MIDI output port:  Nuvorn USB Out"}));
}
} // namespace
