// The instrument that the simulated driver brings into a program that is not a test: what is
// written to it in one run is there to receive in the next, through its memory file.

#include "app/CMidiManager.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "framework/CHfcMidi.h"
#include "synthdata/CProgram.h"

#include "support/CSimControl.h"
#include "support/CSimInstrument.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/SimMidi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace
{
using Image = CSimInstrument::Image;
using Start = BOOL(WINAPI*)();
using Stop = void(WINAPI*)();

Image ImageOf(const CZmData& data)
{
    return Image(data.GetImage(), data.GetImage() + data.GetImageSize());
}

// The instrument library as a program that is not a test loads it, its memory file in a folder
// of the test's own.
class StandaloneInstrument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetEnvironmentVariableW(L"LOCALAPPDATA", folder.Path().wstring().c_str()));
        ASSERT_TRUE(SimMidiReset());
        wchar_t self[MAX_PATH];
        const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
        module =
            LoadLibraryW((path.substr(0, path.find_last_of(L"\\/") + 1) + L"NvSimInstrument.dll").c_str());
        ASSERT_NE(module, nullptr);
        start =
            reinterpret_cast<Start>(reinterpret_cast<void*>(GetProcAddress(module, "NvSimInstrumentStart")));
        stop = reinterpret_cast<Stop>(reinterpret_cast<void*>(GetProcAddress(module, "NvSimInstrumentStop")));
        ASSERT_NE(start, nullptr);
        ASSERT_NE(stop, nullptr);
        CTDWSingleton::Acquire();
    }
    void TearDown() override
    {
        if (stop)
            stop();
        CTDWSingleton::Release();
        SimMidiReset();
        SetEnvironmentVariableW(L"NV_SIM_FOLDER", nullptr);
    }
    std::filesystem::path MemoryFile() const
    {
        return folder.Path() / L"Nuvorn Simulated Instrument" / L"memory.bin";
    }

    // One run of a program: the instrument starts, the ports open, `talk` runs, the ports close
    // and the instrument ends.
    template <typename Talk> void Run(Talk talk)
    {
        ASSERT_TRUE(start());
        CHfcMidi port;
        ASSERT_TRUE(port.Create("Test"));
        {
            CMidiManager manager(&port);
            manager.Create();
            ASSERT_TRUE(manager.OpenMidiIn(0));
            ASSERT_TRUE(manager.OpenMidiOut(0));
            talk(manager);
            manager.CloseMidiPorts();
            manager.Destroy();
        }
        port.Destroy();
        stop();
    }

    TempFolder folder;
    ScriptedDialogPresenter presenter;
    HMODULE module = nullptr;
    Start start = nullptr;
    Stop stop = nullptr;
};
} // namespace

TEST_F(StandaloneInstrument, AProgramWrittenInOneRunIsReceivedInTheNext)
{
    CProgram written;
    std::memcpy(written.GetImage(), CSimInstrument::PatternProgram(90).data(), written.GetImageSize());
    Run([&](CMidiManager& manager) { manager.TransmitProgramData(written, 20); });
    ASSERT_TRUE(std::filesystem::exists(MemoryFile()));

    CProgram twenty, next;
    Run(
        [&](CMidiManager& manager)
        {
            manager.ReceiveProgramData(twenty, 20);
            manager.ReceiveProgramData(next, 21);
        });
    EXPECT_EQ(ImageOf(twenty), ImageOf(written));
    EXPECT_EQ(ImageOf(next), CSimInstrument::PatternProgram(21));
}

TEST_F(StandaloneInstrument, AMemoryFileCutShortLeavesTheFactoryMemory)
{
    std::filesystem::create_directories(MemoryFile().parent_path());
    FILE* file = _wfopen(MemoryFile().wstring().c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fputs("NvSimMem", file); // the tag and nothing after it
    std::fclose(file);

    CProgram program;
    Run([&](CMidiManager& manager) { manager.ReceiveProgramData(program, 20); });
    EXPECT_EQ(ImageOf(program), CSimInstrument::PatternProgram(20));
}

// A test that starts the program controls its instrument through a folder of files.
TEST_F(StandaloneInstrument, AControlFolderTakesTheBehaviourLogsWhatIsHeardAndKeepsTheMemory)
{
    CSimControl control((folder.Path() / L"control").wstring());
    ASSERT_TRUE(SetEnvironmentVariableW(L"NV_SIM_FOLDER", control.GetFolder().c_str()));
    CSimBehaviour offset;
    offset.dumpProgramOffset = 1;
    ASSERT_TRUE(control.SetBehaviour(offset));
    CProgram written;
    std::memcpy(written.GetImage(), CSimInstrument::PatternProgram(90).data(), written.GetImageSize());
    std::vector<Image> programs;
    Image global, editBuffer;
    Run(
        [&](CMidiManager& manager)
        {
            // The behaviour in the folder at the start holds from the first request.
            CProgram program;
            manager.ReceiveProgramData(program, 20);
            EXPECT_EQ(ImageOf(program), CSimInstrument::PatternProgram(21));
            EXPECT_TRUE(CSimControl::WaitFor(
                [&]
                {
                    const std::vector<Image> heard = control.Heard();
                    return std::find(heard.begin(), heard.end(),
                                     Image{0xF0, 0x7D, 0x30, 0x7E, 0x1C, 20, 0x00, 0xF7}) != heard.end();
                }))
                << "the request is not in the log";

            // A change of the file is taken while the program runs.
            ASSERT_TRUE(control.SetBehaviour(CSimBehaviour()));
            EXPECT_TRUE(CSimControl::WaitFor(
                [&]
                {
                    manager.ReceiveProgramData(program, 22);
                    return ImageOf(program) == CSimInstrument::PatternProgram(22);
                }))
                << "the new behaviour is not taken";

            // A write reaches the memory file before the run ends.
            manager.TransmitProgramData(written, 30);
            EXPECT_TRUE(CSimControl::WaitFor(
                [&] {
                    return control.ReadMemory(programs, global, editBuffer) &&
                           programs[30] == ImageOf(written);
                }))
                << "the write is not saved while the program runs";
        });
    ASSERT_TRUE(control.ReadMemory(programs, global, editBuffer));
    EXPECT_EQ(programs[30], ImageOf(written));
    EXPECT_EQ(programs[31], CSimInstrument::PatternProgram(31));
    EXPECT_EQ(global, CSimInstrument::PatternGlobal());
    EXPECT_EQ(editBuffer, CSimInstrument::PatternProgram(0));
    EXPECT_FALSE(std::filesystem::exists(MemoryFile())) << "the memory went to the usual folder too";
}
