// Starts the real program, as a user does, and checks what appears on the display.

#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace
{

constexpr DWORD kTimeoutMs = 20000;

// The program's path: it is copied beside this test program.
std::wstring ProgramPath()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"NuvornSoundEditor.exe";
}

struct FoundWindow
{
    DWORD processId;
    HWND window;
};

// The visible top-level window of the process, or null.
HWND FindProcessWindow(DWORD processId)
{
    FoundWindow found = {processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL
        {
            auto* f = reinterpret_cast<FoundWindow*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != f->processId || !IsWindowVisible(window) || GetParent(window))
                return TRUE;
            f->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// A started program, ended at the latest when the object goes.
class RunningProgram
{
public:
    explicit RunningProgram(const std::wstring& path)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + path + L"\"";
        m_started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_process) != 0;
    }
    ~RunningProgram()
    {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    bool Started() const { return m_started; }
    bool Exited() const { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; }

    // Its main window once it shows one; null when none appears in time or it exits first.
    HWND WaitForWindow() const
    {
        const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
        while (GetTickCount64() < deadline)
        {
            if (HWND window = FindProcessWindow(m_process.dwProcessId))
                return window;
            // Wakes at once when the process ends.
            if (WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // Its exit code once it has ended, or -1 when it does not end in time.
    int WaitForExit() const
    {
        if (WaitForSingleObject(m_process.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};

std::wstring WindowTitle(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

} // namespace

TEST(EditorStart, ShowsTheMainFrameAndEndsWhenItIsClosed)
{
    RunningProgram program(ProgramPath());
    ASSERT_TRUE(program.Started()) << "cannot start the program";

    HWND frame = program.WaitForWindow();
    ASSERT_NE(frame, nullptr) << "no window appeared";
    EXPECT_EQ(WindowTitle(frame), L"Nuvorn Sound Editor");
    RECT r;
    ASSERT_TRUE(GetWindowRect(frame, &r));
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_GT(r.bottom - r.top, 0);
    EXPECT_TRUE(SaveWindowScreenshot(frame, "main_frame_empty"));

    ASSERT_TRUE(PostMessageW(frame, WM_CLOSE, 0, 0));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_TRUE(program.Exited());
}
