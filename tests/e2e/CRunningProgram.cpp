#include "e2e/CRunningProgram.h"

#include "support/Screenshot.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace e2e
{
namespace
{
// Waits for a condition, waking at once when the program ends; false on time-out or exit.
template <typename Condition> bool WaitFor(HANDLE process, DWORD timeoutMs, Condition condition)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        if (WaitForSingleObject(process, 10) == WAIT_OBJECT_0)
            return condition();
    }
}

std::wstring WithoutAmpersands(std::wstring text)
{
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

std::wstring UpperName(const std::wstring& entry)
{
    std::wstring name = entry.substr(0, entry.find(L'=', 1));
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(towupper(c));
    return name;
}

// This process's environment with the entries added, those of the same name replaced: a block of
// NUL-ended entries and a closing NUL.
std::wstring EnvironmentBlock(const std::vector<std::wstring>& entries)
{
    std::vector<std::wstring> all;
    if (wchar_t* inherited = GetEnvironmentStringsW())
    {
        for (const wchar_t* p = inherited; *p; p += wcslen(p) + 1)
            all.emplace_back(p);
        FreeEnvironmentStringsW(inherited);
    }
    for (const std::wstring& entry : entries)
    {
        const std::wstring name = UpperName(entry);
        all.erase(std::remove_if(all.begin(), all.end(),
                                 [&](const std::wstring& e) { return UpperName(e) == name; }),
                  all.end());
        all.push_back(entry);
    }
    std::wstring block;
    for (const std::wstring& entry : all)
        block += entry + L'\0';
    return block + L'\0';
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM p) -> BOOL
        {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}
} // namespace

std::wstring BesideTestProgram(const std::wstring& name)
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

CRunningProgram::CRunningProgram(const std::wstring& path, const std::vector<std::wstring>& arguments,
                                 const std::vector<std::wstring>& environment)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + path + L"\"";
    for (const std::wstring& argument : arguments)
        commandLine += L" \"" + argument + L"\"";
    std::wstring block = environment.empty() ? L"" : EnvironmentBlock(environment);
    m_startTick = GetTickCount64();
    m_started = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                               environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                               environment.empty() ? nullptr : &block[0], nullptr, &startup, &m_process) != 0;
}

CRunningProgram::~CRunningProgram()
{
    if (!m_started)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
    {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, kDefaultTimeoutMs);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool CRunningProgram::Exited() const
{
    return m_started && WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

std::vector<HWND> ProcessWindows(DWORD processId)
{
    struct Search
    {
        DWORD processId;
        std::vector<HWND> windows;
    } search = {processId, {}};
    EnumWindows(
        [](HWND window, LPARAM p) -> BOOL
        {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window))
                s->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND CRunningProgram::WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) const
{
    HWND found = nullptr;
    if (!m_started)
        return nullptr;
    WaitFor(m_process.hProcess, timeoutMs,
            [&]
            {
                for (HWND window : ProcessWindows(m_process.dwProcessId))
                    if ((!className || WindowClass(window) == className) &&
                        (!title || WindowText(window) == title))
                    {
                        found = window;
                        return true;
                    }
                return false;
            });
    return found;
}

HWND CRunningProgram::WaitForDialog(const wchar_t* title, DWORD timeoutMs) const
{
    return WaitForWindow(L"#32770", title, timeoutMs);
}

HWND CRunningProgram::WaitForPopupMenu(DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitFor(m_process.hProcess, timeoutMs,
            [&]
            {
                for (HWND window : ProcessWindows(m_process.dwProcessId))
                    if (WindowClass(window) == L"#32768")
                        found = window;
                return found != nullptr;
            });
    return found;
}

bool CRunningProgram::WaitForWindowGone(HWND window, DWORD timeoutMs) const
{
    return WaitFor(m_process.hProcess, timeoutMs,
                   [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

bool CRunningProgram::WaitForIdle(HWND window, DWORD timeoutMs) const
{
    // Its thread has waited for input once: the work before its first wait (a dialog it opens
    // then) is on the screen by now.
    if (WaitForInputIdle(m_process.hProcess, timeoutMs) != 0)
        return false;
    return WaitFor(m_process.hProcess, timeoutMs,
                   [&]
                   {
                       for (HWND shown : ProcessWindows(m_process.dwProcessId))
                           if (WindowClass(shown) == L"#32770")
                               return false;
                       DWORD_PTR ignored;
                       return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &ignored) != 0;
                   });
}

bool CRunningProgram::WaitForPainted(HWND window, DWORD timeoutMs) const
{
    return WaitFor(m_process.hProcess, timeoutMs,
                   [&]
                   {
                       DWORD_PTR ignored;
                       if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &ignored))
                           return false;
                       return GetUpdateRect(window, nullptr, FALSE) == 0;
                   });
}

int CRunningProgram::WaitForExit(DWORD timeoutMs) const
{
    if (!m_started || WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
}

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring WindowClass(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<std::wstring> StaticTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND child : Children(window))
        if (_wcsicmp(WindowClass(child).c_str(), L"Static") == 0 && !WindowText(child).empty())
            texts.push_back(WindowText(child));
    return texts;
}

std::vector<std::wstring> ReadLines(HWND window)
{
    std::vector<HWND> candidates = {window};
    const std::vector<HWND> children = Children(window);
    candidates.insert(candidates.end(), children.begin(), children.end());
    for (HWND candidate : candidates)
    {
        const std::wstring kind = WindowClass(candidate);
        std::vector<std::wstring> lines;
        // A list box's items, or a combo box's, by their count, length and text messages.
        const bool listBox = _wcsicmp(kind.c_str(), L"ListBox") == 0;
        if (listBox || _wcsicmp(kind.c_str(), L"ComboBox") == 0)
        {
            const UINT getCount = listBox ? LB_GETCOUNT : CB_GETCOUNT;
            const UINT getLength = listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
            const UINT getText = listBox ? LB_GETTEXT : CB_GETLBTEXT;
            const LRESULT count = SendMessageW(candidate, getCount, 0, 0);
            for (LRESULT i = 0; i < count; ++i)
            {
                std::wstring line(static_cast<size_t>(SendMessageW(candidate, getLength, i, 0)) + 1, L'\0');
                line.resize(static_cast<size_t>(
                    SendMessageW(candidate, getText, i, reinterpret_cast<LPARAM>(&line[0]))));
                lines.push_back(line);
            }
            return lines;
        }
        if (_wcsicmp(kind.c_str(), L"Edit") == 0)
        {
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(candidate)) + 1, L'\0');
            text.resize(
                static_cast<size_t>(GetWindowTextW(candidate, &text[0], static_cast<int>(text.size()))));
            size_t start = 0;
            while (start < text.size())
            {
                size_t end = text.find(L"\r\n", start);
                if (end == std::wstring::npos)
                    end = text.size();
                lines.push_back(text.substr(start, end - start));
                start = end + 2;
            }
            return lines;
        }
    }
    return {};
}

HWND FindButton(HWND dialog, const std::wstring& text)
{
    for (HWND child : Children(dialog))
        if (_wcsicmp(WindowClass(child).c_str(), L"Button") == 0 &&
            WithoutAmpersands(WindowText(child)) == text)
            return child;
    return nullptr;
}

bool PressButton(HWND dialog, const std::wstring& text)
{
    HWND button = FindButton(dialog, text);
    if (!button)
        return false;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

bool TypeIntoFileDialog(HWND dialog, const std::wstring& path)
{
    // The name field: the edit of the name combo box (id 1148) or the plain edit (id 1152).
    HWND edit = nullptr;
    // Wine's name field is an extended combo box holding the combo box that holds the edit.
    if (HWND combo = GetDlgItem(dialog, 1148))
        edit = FindChildOfClass(combo, L"Edit");
    if (!edit)
        edit = GetDlgItem(dialog, 1152);
    if (!edit)
        return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK))) != 0;
}

bool ChooseMenuItem(HWND frame, UINT id)
{
    return PostMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0;
}

bool HasMenuBar(HWND window)
{
    RECT outer = {}, client = {};
    POINT origin = {0, 0};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return false;
    const int captionBottom = outer.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    return origin.y - captionBottom >= GetSystemMetrics(SM_CYMENU) - 2;
}

bool LeftDrag(HWND window, POINT from, POINT to, int steps)
{
    if (!PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y)))
        return false;
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i)
    {
        const int x = from.x + (to.x - from.x) * i / steps, y = from.y + (to.y - from.y) * i / steps;
        if (!PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)))
            return false;
    }
    return PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y)) != 0;
}

bool TypeCharacters(HWND window, const std::wstring& text)
{
    for (wchar_t c : text)
        if (!PostMessageW(window, WM_CHAR, c, 1))
            return false;
    return true;
}

bool PressKey(HWND window, UINT virtualKey)
{
    return PostMessageW(window, WM_KEYDOWN, virtualKey, 1) &&
           PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001u);
}

std::vector<HWND> MdiChildren(HWND frame)
{
    std::vector<HWND> children;
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            children.push_back(child);
    return children;
}

HWND FindMdiChild(HWND frame, const std::wstring& title)
{
    for (HWND child : MdiChildren(frame))
        if (WindowText(child) == title)
            return child;
    return nullptr;
}

HWND FindFileDialog(DWORD processId)
{
    for (HWND window : ProcessWindows(processId))
        if (WindowClass(window) == L"#32770" && (GetDlgItem(window, 1148) || GetDlgItem(window, 1152)))
            return window;
    return nullptr;
}

bool ClickAt(HWND window, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    return PostMessageW(window, WM_MOUSEMOVE, 0, at) &&
           PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool DoubleClickAt(HWND window, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    return ClickAt(window, x, y) && PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at) &&
           PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool WheelAt(HWND window, int x, int y, int notches)
{
    // The wheel's point is on the screen.
    POINT point = {x, y};
    if (!ClientToScreen(window, &point))
        return false;
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    return PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)),
                        MAKELPARAM(point.x, point.y)) != 0;
}

HWND FindChildOfClass(HWND window, const wchar_t* className)
{
    for (HWND child : Children(window))
        if (_wcsicmp(WindowClass(child).c_str(), className) == 0)
            return child;
    return nullptr;
}

std::vector<uint32_t> ClientPixels(HWND window, const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return {};
    // From the screen, as the screenshots are: another process's window DC shows nothing here.
    POINT origin = {area.left, area.top};
    if (!ClientToScreen(window, &origin))
        return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap && bits)
    {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        pixels.assign(static_cast<const uint32_t*>(bits),
                      static_cast<const uint32_t*>(bits) + static_cast<size_t>(width) * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool SendClick(POINT screen, bool right)
{
    if (!SetCursorPos(screen.x, screen.y))
        return false;
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, click, sizeof(INPUT)) == 2;
}

bool SendKey(WORD key)
{
    INPUT stroke[2] = {};
    stroke[0].type = stroke[1].type = INPUT_KEYBOARD;
    stroke[0].ki.wVk = stroke[1].ki.wVk = key;
    stroke[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, stroke, sizeof(INPUT)) == 2;
}

bool Screenshot(HWND window, const std::string& name)
{
    return SavePaintedWindowScreenshot(window, name);
}

} // namespace e2e
