// The instrument of the real program, controlled from the test through its folder of files: it
// logs what the start-up asks, keeps its memory where the test reads it, and takes a behaviour
// from a file.

#include "e2e/CRunningProgram.h"

#include "support/CSimControl.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";

HWND FindChild(HWND frame, const wchar_t* title)
{
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    HWND child = client ? FindWindowExW(client, nullptr, L"Q3580MDIChildWindow", title) : nullptr;
    return child && IsWindowVisible(child) ? child : nullptr;
}

// Starts the program with the control's folder and waits for its start-up to end.
void StartUp(e2e::CRunningProgram& program, HWND& frame)
{
    ASSERT_TRUE(program.Started());
    frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(program.WaitForIdle(frame));
    ASSERT_TRUE(UntilPressingOk(program, L"Nuvorn Sound Editor",
                                [&] { return FindChild(frame, L"Untitled - Program") != nullptr; }));
}

} // namespace

TEST(SimControlEndToEnd, TheStartUpIsHeardTheMemoryIsKeptAndASilentInstrumentStillHears)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
    CSimControl control(e2e::BesideTestProgram(L"sim_control_e2e"));
    const CSimControl::Message inquiry = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    const CSimControl::Message search = {0xF0, 0x7D, 0x50, 0x00, 0x01, 0xF7};
    const auto heard = [&](const CSimControl::Message& message)
    {
        const std::vector<CSimControl::Message> all = control.Heard();
        return std::find(all.begin(), all.end(), message) != all.end();
    };
    std::vector<CSimControl::Message> programs;
    CSimControl::Message global, editBuffer;
    {
        e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), {},
                                     {control.GetEnvironment()});
        HWND frame = nullptr;
        ASSERT_NO_FATAL_FAILURE(StartUp(program, frame));
        // The start-up's search and, once answered, its device inquiry are in the log; the memory
        // file is whole.
        EXPECT_TRUE(CSimControl::WaitFor([&] { return heard(search) && heard(inquiry); }));
        ASSERT_TRUE(CSimControl::WaitFor([&] { return control.ReadMemory(programs, global, editBuffer); }));
        EXPECT_EQ(programs.size(), 128u);
        EXPECT_FALSE(global.empty());
        EXPECT_FALSE(editBuffer.empty());
    }

    // A second run with a silent instrument: it hears the search, answers nothing, so the program
    // asks no further; its memory is the one the first run left.
    ASSERT_TRUE(control.ClearHeard());
    CSimBehaviour silent;
    silent.silent = true;
    ASSERT_TRUE(control.SetBehaviour(silent));
    e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), {},
                                 {control.GetEnvironment()});
    HWND frame = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartUp(program, frame));
    EXPECT_TRUE(CSimControl::WaitFor([&] { return heard(search); }));
    WaitForSingleObject(program.GetProcessHandle(), 1000);
    EXPECT_FALSE(heard(inquiry)) << "the program went on as if the instrument had answered";
    std::vector<CSimControl::Message> after;
    CSimControl::Message globalAfter, editBufferAfter;
    ASSERT_TRUE(control.ReadMemory(after, globalAfter, editBufferAfter));
    EXPECT_EQ(after, programs);
    EXPECT_EQ(globalAfter, global);
    EXPECT_EQ(editBufferAfter, editBuffer);
    EXPECT_TRUE(e2e::Screenshot(frame, "sim_control_silent_start"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
}
