#pragma once

// Drives a real program of this project from a test, as a user would: start it, wait for its
// windows, read what they show, press their buttons, type into their file dialogs, collect
// screenshots, and see how it ends. Every wait has a generous time-out and ends early when the
// program exits.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e
{

constexpr DWORD kDefaultTimeoutMs = 20000;

// The path of a file beside the running test program.
std::wstring BesideTestProgram(const std::wstring& name);

// A started program; ended (exit code 99) at the latest when the object goes.
class CRunningProgram
{
public:
    // arguments are quoted one by one after the program's own path; environment holds NAME=value
    // entries that are added to (or replace) those the program inherits.
    explicit CRunningProgram(const std::wstring& path, const std::vector<std::wstring>& arguments = {},
                             const std::vector<std::wstring>& environment = {});
    ~CRunningProgram();
    CRunningProgram(const CRunningProgram&) = delete;
    CRunningProgram& operator=(const CRunningProgram&) = delete;

    bool Started() const { return m_started; }
    bool Exited() const;
    DWORD GetProcessId() const { return m_process.dwProcessId; }
    HANDLE GetProcessHandle() const { return m_process.hProcess; }
    // When CreateProcess returned, on the GetTickCount64 clock.
    ULONGLONG GetStartTick() const { return m_startTick; }

    // A visible top-level window of the program with the class and title (null: any), once it
    // shows one; null when none appears in time or the program exits first.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title,
                       DWORD timeoutMs = kDefaultTimeoutMs) const;
    // A dialog box (a message box too) of the program with the title.
    HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // The popup menu the program shows (a window of the menu class), once it shows one.
    HWND WaitForPopupMenu(DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Until the window is gone (closed or hidden).
    bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Until the program shows no dialog box and its window answers: its start-up work (a device
    // scan, say) is done and menu commands are taken.
    bool WaitForIdle(HWND window, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Until the window has no part waiting to be painted and its thread answers.
    bool WaitForPainted(HWND window, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Chooses the menu item until `done` answers true (checked every `retryMs`): a program
    // refuses menu commands while one of its dialogs is open, as during its start-up's device
    // scan, and a user chooses again.
    template <typename Done>
    bool ChooseMenuItemUntil(HWND frame, UINT id, Done done, DWORD retryMs = 500,
                             DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Until `done` answers true, checked every 10 ms; false on time-out or when the program ends
    // first without it.
    template <typename Done> bool WaitUntil(Done done, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // The exit code once the program has ended, or -1 when it does not end in time.
    int WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
    ULONGLONG m_startTick = 0;
};

bool ChooseMenuItem(HWND frame, UINT id);

template <typename Done>
bool CRunningProgram::ChooseMenuItemUntil(HWND frame, UINT id, Done done, DWORD retryMs,
                                          DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline)
    {
        if (!ChooseMenuItem(frame, id))
            return done();
        const ULONGLONG retry = GetTickCount64() + retryMs;
        while (GetTickCount64() < retry)
        {
            if (done())
                return true;
            WaitForSingleObject(m_process.hProcess, 10);
        }
    }
    return done();
}

template <typename Done> bool CRunningProgram::WaitUntil(Done done, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done())
    {
        if (GetTickCount64() >= deadline)
            return done();
        if (WaitForSingleObject(m_process.hProcess, 10) == WAIT_OBJECT_0)
            return done();
    }
    return true;
}

// Until `done`, answering OK on any box with the title that shows meanwhile; `done`'s last answer
// once the time is up or the program has ended.
template <typename Done>
bool UntilPressingOk(const CRunningProgram& program, const wchar_t* boxTitle, Done done,
                     DWORD timeoutMs = 60000);

// Every visible top-level window of the process.
std::vector<HWND> ProcessWindows(DWORD processId);

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
// The texts of a window's static controls, in order (a message box's text among them).
std::vector<std::wstring> StaticTexts(HWND window);
// The lines of a list box, a combo box's list or an edit control's text, of the window or its
// first such child.
std::vector<std::wstring> ReadLines(HWND window);

// A child button whose text, without '&', is the text; null when there is none.
HWND FindButton(HWND dialog, const std::wstring& text);
// Clicks it as the mouse does: the command arrives through the dialog's message queue.
bool PressButton(HWND dialog, const std::wstring& text);
// Types the path into a file dialog's name field and presses its default button.
bool TypeIntoFileDialog(HWND dialog, const std::wstring& path);

template <typename Done>
bool UntilPressingOk(const CRunningProgram& program, const wchar_t* boxTitle, Done done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline && !program.Exited())
    {
        if (done())
            return true;
        if (HWND box = program.WaitForDialog(boxTitle, 50))
            PressButton(box, L"OK");
    }
    return done();
}

// A menu choice, as the user makes it: WM_COMMAND with the item's id from a menu.
bool ChooseMenuItem(HWND frame, UINT id);
// Whether the window shows a menu bar: its client area starts a menu bar's height below the
// caption (another process's menus cannot be read under Wine).
bool HasMenuBar(HWND window);

// The visible MDI child windows of a frame, topmost first.
std::vector<HWND> MdiChildren(HWND frame);
// The visible MDI child of the frame with the title, or null.
HWND FindMdiChild(HWND frame, const std::wstring& title);
// The first visible dialog box of the process whose controls include a file name field, or null.
HWND FindFileDialog(DWORD processId);
// A click of the left button at (x, y) of the window's client area, as the mouse gives it: the
// press and the release through the window's message queue.
bool ClickAt(HWND window, int x, int y);
// A double click there: press, release, the double click, release.
bool DoubleClickAt(HWND window, int x, int y);
// The mouse wheel turned over (x, y) of the client area by `notches` (away from the user when
// positive).
bool WheelAt(HWND window, int x, int y, int notches);
// The window's first child of the class, or null.
HWND FindChildOfClass(HWND window, const wchar_t* className);

// The pixels of a part of the window's client area as the display shows them, row by row.
std::vector<uint32_t> ClientPixels(HWND window, const RECT& area);
// A drag of the left button as the mouse makes it: the press at `from`, `steps` equal moves to
// `to` with the button held, the release there.
bool LeftDrag(HWND window, POINT from, POINT to, int steps);
// Typed characters, one WM_CHAR each, to the window that holds the keyboard focus.
bool TypeCharacters(HWND window, const std::wstring& text);
// A key pressed and let go.
bool PressKey(HWND window, UINT virtualKey);

// Real input through the system's input queue, as the user's hand gives it: the pointer moved to
// a point of the screen and a click of the left or the right button there.
bool SendClick(POINT screen, bool right = false);
// A key pressed and released, for the window that has the keyboard focus.
bool SendKey(WORD key);

// The window as the display shows it, written to <screenshot folder>/<name>.png.
bool Screenshot(HWND window, const std::string& name);

} // namespace e2e
