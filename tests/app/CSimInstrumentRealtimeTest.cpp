// Transfers with real-time bytes sprinkled anywhere into the instrument's answers: before, inside
// and after every message, across input buffers of several sizes. Each seed gives the same bytes
// at the same offsets, so a failure can be replayed.
#include "MidiManagerFixture.h"

#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstring>

namespace
{
struct RealTimeCase
{
    uint32_t seed;
    uint32_t bytesPerBuffer; // 0: as many as a buffer holds
};

const RealTimeCase kRealTimeCases[] = {{1, 0}, {2, 1}, {3, 7}, {4, 50}, {5, 403}};
// Whole transfers, in buffers of at least a few bytes (a byte a buffer takes seconds).
const RealTimeCase kTransferCases[] = {{11, 0}, {12, 7}, {13, 50}, {14, 403}};

class RealTimeEverywhere : public MidiManager, public ::testing::WithParamInterface<RealTimeCase>
{
protected:
    void SetUp() override
    {
        MidiManager::SetUp();
        Misbehave(
            [](CSimBehaviour& b)
            {
                b.realTimeSeed = GetParam().seed;
                b.bytesPerBuffer = GetParam().bytesPerBuffer;
            });
    }
    // Every real-time byte the instrument put in reached the port's listeners as one short
    // message.
    void ExpectEveryRealTimeByteDelivered()
    {
        ASSERT_TRUE(instrument->WaitIdle());
        const size_t sent = instrument->RealTimeBytesSent();
        EXPECT_GT(sent, 0u);
        ASSERT_TRUE(recorder.WaitFor(sent, "short F"));
        EXPECT_EQ(recorder.Events("short F").size(), sent);
        EXPECT_TRUE(recorder.Events("short message and bytes differ").empty());
    }
};

TEST_P(RealTimeEverywhere, ExchangesSucceed)
{
    ASSERT_TRUE(manager->DeviceInquiry());
    EXPECT_EQ(manager->GetGlobalChannel(), kChannel);

    CProgram program;
    manager->ReceiveProgramData(program, 42);
    EXPECT_EQ(ImageOf(program), instrument->GetProgram(42));

    CGlobal global;
    manager->ReceiveGlobal(global);
    EXPECT_EQ(ImageOf(global), instrument->GetGlobal());

    uint32_t counter = 0;
    global.GetImage()[5] = 0x12;
    EXPECT_TRUE(manager->WriteGlobal(global, counter));
    EXPECT_EQ(instrument->GetGlobal(), ImageOf(global));
    ExpectEveryRealTimeByteDelivered();
}

class RealTimeTransfer : public RealTimeEverywhere
{
};

TEST_P(RealTimeTransfer, ReceiveAllAndWriteAllCarryEveryProgram)
{
    CLibraryData library;
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
    uint32_t received = 0;
    ASSERT_TRUE(manager->RunReceiveAll(library, false, &received));
    EXPECT_EQ(received, 128u);
    CProgramSet& programs = *library.GetProgramSet();
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(ImageOf(programs.GetProgram(n)), instrument->GetProgram(n)) << n;
    EXPECT_EQ(ImageOf(*library.GetGlobal()), instrument->GetGlobal());

    for (uint32_t n = 0; n < 128; ++n)
        std::memcpy(programs.GetProgram(n).GetImage(), CSimInstrument::PatternProgram(n + 500).data(),
                    kProgramImageBytes);
    library.GetGlobal()->GetImage()[3] = 0x5A;
    ASSERT_TRUE(manager->RunWriteAll(library));
    for (uint32_t n = 0; n < 128; ++n)
        ASSERT_EQ(instrument->GetProgram(n), ImageOf(programs.GetProgram(n))) << n;
    EXPECT_EQ(instrument->GetGlobal(), ImageOf(*library.GetGlobal()));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{Text("TitleWriteAll") + " | " + Text("SuccessWriteAll")}));
    ExpectEveryRealTimeByteDelivered();
}

TEST_P(RealTimeEverywhere, PanelChangesReachTheEditedProgram)
{
    GetSettings().receiveParameterChange = true;
    ASSERT_TRUE(manager->DeviceInquiry());
    CProgram edited;
    edited.Init();
    ParameterChangeTarget().Set(1, 7, nullptr, &edited);
    // Filter 1 cutoff of timbre 2, three times; the last value stays.
    for (int32_t value : {10, 20, 77})
        instrument->SendPanelChange(0x21, 0x32, value);
    WaitReceivedByPort(4); // the identity reply and the three changes
    EXPECT_EQ(CZmProgramAccessorSingleton::Get()->GetValue(&edited, CZmParameterId{2, 36, 1}), 77);
    ExpectEveryRealTimeByteDelivered();
}

std::string CaseName(const ::testing::TestParamInfo<RealTimeCase>& info)
{
    return "seed" + std::to_string(info.param.seed) + "_buffer" + std::to_string(info.param.bytesPerBuffer);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RealTimeEverywhere, ::testing::ValuesIn(kRealTimeCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Seeds, RealTimeTransfer, ::testing::ValuesIn(kTransferCases), CaseName);
} // namespace
