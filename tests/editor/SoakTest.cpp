// The real program under a long, seeded run of random user actions against its simulated
// instrument: menu commands, accelerator keys, clicks and drags on the open windows, edit windows
// opened and closed, programs dragged between library windows, every box and dialog answered with
// any of its buttons. Afterwards the program must still answer, show no box the run did not
// expect, have kept its handles and memory in bounds, and save a file that reads back.
//
// NV_SOAK_ACTIONS (default 600) and NV_SOAK_SEED (default 1) choose the run; NV_SOAK_SECONDS
// (default 100) ends a run early once it has taken that long. A failure names the seed.

#include "e2e/CRunningProgram.h"

#include "support/CSimControl.h"
#include "support/DataFixtures.h"
#include "support/J5Fixtures.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/ZmDataFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
// A box answered this many times in a row without closing no longer reacts to its buttons.
constexpr uint32_t kStuckAnswers = 40;
// Past this many open child windows the run closes one, as a user closes what they are done
// with: the windows open at once, and so the memory in use at the peak, stay bounded.
constexpr size_t kMostChildren = 24;
const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";

// Every menu command but Exit, which would end the run.
const UINT kCommands[] = {51000, 51001, 51002, 51003, 51004, 51005, 52000, 52001, 52002,
                          52003, 52004, 53000, 53001, 53002, 53003, 53004, 53005, 54000,
                          54001, 55000, 55001, 55002, 55003, 55004, 56000};

struct Accelerator
{
    WORD key;
    bool shift;
};
const Accelerator kAccelerators[] = {{'C', false}, {'X', false}, {'V', false}, {'N', false},
                                     {'O', false}, {'S', false}, {'S', true},  {'L', false},
                                     {'T', false}, {'1', false}, {'2', false}, {'W', false}};

// The instrument's fault switches the run turns on and off; the first is its normal behaviour.
struct Fault
{
    const char* name;
    void (*apply)(CSimBehaviour&, uint32_t random);
};
const Fault kFaults[] = {
    {"none", [](CSimBehaviour&, uint32_t) {}},
    {"silence", [](CSimBehaviour& b, uint32_t) { b.silent = true; }},
    {"silence at one program",
     [](CSimBehaviour& b, uint32_t r) { b.silentAtProgram = static_cast<int32_t>(r % 128); }},
    {"late replies", [](CSimBehaviour& b, uint32_t) { b.late = true; }},
    {"duplicate replies", [](CSimBehaviour& b, uint32_t r) { b.copies = 2 + r % 2; }},
    {"negative acknowledgement of one program",
     [](CSimBehaviour& b, uint32_t r)
     {
         b.refuseAtProgram = static_cast<int32_t>(r % 128);
         b.refusal = r & 1 ? 0x24 : 0x26;
     }},
    {"negative acknowledgement of the global data",
     [](CSimBehaviour& b, uint32_t) { b.refuseGlobal = true; }},
    {"short dumps", [](CSimBehaviour& b, uint32_t) { b.shortDumps = true; }},
};

uint32_t EnvironmentNumber(const char* name, uint32_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10))
                                            : fallback;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// The program's handle, window-object and memory counts at one moment.
struct Usage
{
    DWORD handles = 0;
    std::map<std::string, DWORD> handleTypes;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD windows = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;

    DWORD HandlesOfType(const char* type) const
    {
        const auto found = handleTypes.find(type);
        return found != handleTypes.end() ? found->second : 0;
    }
};

// The handles the process holds, from the system's handle table: Wine answers
// GetProcessHandleCount with 0, and this table it keeps. Each type is named from one of its
// handles, duplicated out of the process; "?" where none could be.
struct HandleTable
{
    DWORD total = 0;
    std::map<std::string, DWORD> byType;
};

std::string HandleTypeName(HANDLE process, USHORT value)
{
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    HANDLE copy = nullptr;
    if (!query || !DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)),
                                   GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return "?";
    alignas(8) uint8_t info[1024] = {};
    std::string name = "?";
    if (query(copy, 2, info, sizeof info, nullptr) == 0) // ObjectTypeInformation
    {
        const auto* text = reinterpret_cast<const UNICODE_STRING*>(info);
        name = Narrow(std::wstring(text->Buffer, text->Length / sizeof(wchar_t)));
    }
    CloseHandle(copy);
    return name;
}

HandleTable CountHandles(DWORD processId, HANDLE process)
{
    struct Entry
    {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    HandleTable table;
    if (!query)
        return table;
    std::vector<uint8_t> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt)
    {
        ULONG needed = 0;
        const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004)) // the buffer is too small
        {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0)
            return table;
        const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
        const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
        std::map<BYTE, std::string> names;
        for (ULONG i = 0; i < count; ++i)
        {
            if (entries[i].ownerPid != processId)
                continue;
            ++table.total;
            auto name = names.find(entries[i].objectType);
            if (name == names.end() || name->second == "?")
                name =
                    names.insert_or_assign(entries[i].objectType, HandleTypeName(process, entries[i].value))
                        .first;
            ++table.byType[name->second];
        }
        return table;
    }
    return table;
}

// Its windows, top-level and child: what of its USER objects can be counted from outside under
// Wine, where GetGuiResources answers 0.
DWORD CountWindows(DWORD processId)
{
    DWORD count = 0;
    for (HWND window : e2e::ProcessWindows(processId))
    {
        ++count;
        EnumChildWindows(
            window,
            [](HWND, LPARAM p) -> BOOL
            {
                ++*reinterpret_cast<DWORD*>(p);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

Usage Measure(const e2e::CRunningProgram& program)
{
    HANDLE process = program.GetProcessHandle();
    Usage usage;
    if (!GetProcessHandleCount(process, &usage.handles) || usage.handles == 0)
    {
        HandleTable table = CountHandles(program.GetProcessId(), process);
        usage.handles = table.total;
        usage.handleTypes = std::move(table.byType);
    }
    usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    usage.windows = CountWindows(program.GetProcessId());
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
    {
        usage.privateBytes = counters.PagefileUsage;
        usage.workingSet = counters.WorkingSetSize;
    }
    return usage;
}

void Print(const char* when, const Usage& u)
{
    std::printf(
        "soak: %s: %lu handles, %lu GDI objects, %lu USER objects, %lu windows, %zu KB private, %zu KB "
        "working set\n",
        when, static_cast<unsigned long>(u.handles), static_cast<unsigned long>(u.gdiObjects),
        static_cast<unsigned long>(u.userObjects), static_cast<unsigned long>(u.windows),
        u.privateBytes / 1024, u.workingSet / 1024);
    std::string types;
    for (const auto& [type, count] : u.handleTypes)
        types += " " + type + " " + std::to_string(count);
    if (!types.empty())
        std::printf("soak: %s: handles by type:%s\n", when, types.c_str());
}

bool Answers(HWND window, UINT timeoutMs)
{
    DWORD_PTR ignored;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &ignored) !=
           0;
}

void SendKeys(const std::vector<std::pair<WORD, bool>>& strokes)
{
    std::vector<INPUT> inputs;
    for (const auto& [key, up] : strokes)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendMouse(POINT screen, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof input);
}

bool IsFileDialog(HWND dialog)
{
    return GetDlgItem(dialog, 1148) != nullptr || GetDlgItem(dialog, 1152) != nullptr;
}

enum SavedKind
{
    kSavedLibrary,
    kSavedProgram,
    kSavedGlobal,
    kSavedOther,
};

// A seeded run of user actions against one started program.
class CSoakDriver
{
public:
    CSoakDriver(const e2e::CRunningProgram& program, CSimControl& instrument, HWND frame, uint32_t seed,
                const std::filesystem::path& folder)
        : m_program(program), m_instrument(instrument), m_frame(frame), m_random(seed), m_folder(folder)
    {
        WriteFixtureFiles();
    }

    // One action: a box or dialog is answered first, else a random user action.
    void Step(uint32_t index)
    {
        m_index = index;
        if (index % 15 == 14)
            SwitchFault(Chance(40) ? 0 : Pick(std::size(kFaults)));
        if (HWND menu = m_program.WaitForPopupMenu(0))
        {
            (void)menu;
            ++m_actions["popup menu answered"];
            if (Chance(50))
                SendKeys({{VK_DOWN, false}, {VK_DOWN, true}, {VK_RETURN, false}, {VK_RETURN, true}});
            else
                SendKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
            Settle();
            return;
        }
        if (HWND dialog = OpenDialog())
        {
            m_sameAnswers = dialog == m_lastAnswered ? m_sameAnswers + 1 : 1;
            m_lastAnswered = dialog;
            if (m_sameAnswers == kStuckAnswers)
            {
                m_stuck = "action " + std::to_string(index) + ": \"" + Narrow(e2e::WindowText(dialog)) +
                          "\" stays open through " + std::to_string(kStuckAnswers) + " answers";
                PrintWindows();
                return;
            }
            ++m_actions["box or dialog answered"];
            Answer(dialog);
            Settle();
            return;
        }
        if (CloseOneChild())
            return;
        static const char* const kKinds[] = {"menu command",
                                             "menu command",
                                             "accelerator",
                                             "click",
                                             "click",
                                             "right click",
                                             "drag",
                                             "double click on a program",
                                             "drag between libraries",
                                             "window moved"};
        const uint32_t kind = Pick(std::size(kKinds));
        ++m_actions[kKinds[kind]];
        switch (kind)
        {
        case 0:
        case 1:
            e2e::ChooseMenuItem(m_frame, kCommands[Pick(std::size(kCommands))]);
            break;
        case 2:
            PressAccelerator();
            break;
        case 3:
        case 4:
            ClickChild(false);
            break;
        case 5:
            ClickChild(true);
            break;
        case 6:
            DragInChild();
            break;
        case 7:
            DoubleClickProgram();
            break;
        case 8:
            DragBetweenLibraries();
            break;
        default:
            ArrangeChild();
            break;
        }
        m_mostWindows = std::max(m_mostWindows, Children().size());
        Settle();
    }

    // Past kMostChildren open child windows, closes a random one but the last library window.
    bool CloseOneChild()
    {
        const std::vector<HWND> children = Children();
        if (children.size() <= kMostChildren)
            return false;
        const std::vector<HWND> libraries = Libraries();
        HWND close = children[Pick(children.size())];
        if (libraries.size() == 1 && close == libraries.front())
            close = close == children.front() ? children[1] : children.front();
        ++m_actions["window closed"];
        PostMessageW(close, WM_SYSCOMMAND, SC_CLOSE, 0);
        Settle();
        return true;
    }

    // Answers what is still open (Cancel first, else any button) until nothing is, for at most
    // the time given; false when something stays.
    bool Drain(DWORD timeoutMs)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline && !m_program.Exited())
        {
            if (m_program.WaitForPopupMenu(0))
                SendKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
            else if (HWND dialog = OpenDialog())
            {
                Note(dialog);
                if (!e2e::PressButton(dialog, L"Cancel") && !e2e::PressButton(dialog, L"No") &&
                    !e2e::PressButton(dialog, L"OK"))
                    PostMessageW(dialog, WM_CLOSE, 0, 0);
            }
            else if (Answers(m_frame, 1000))
            {
                WaitForSingleObject(m_program.GetProcessHandle(), 300);
                if (!OpenDialog() && !m_program.WaitForPopupMenu(0))
                    return true;
            }
            WaitForSingleObject(m_program.GetProcessHandle(), 100);
        }
        if (!OpenDialog())
            return true;
        PrintWindows();
        return false;
    }

    // The library windows the frame holds now.
    std::vector<HWND> Libraries() const
    {
        std::vector<HWND> found;
        for (HWND child : Children())
            if (e2e::WindowText(child).find(L" - Program") != std::wstring::npos ||
                e2e::WindowText(child).find(L" - Global") != std::wstring::npos)
                found.push_back(child);
        return found;
    }

    std::vector<HWND> Children() const { return e2e::MdiChildren(m_frame); }

    const std::vector<std::string>& Unexpected() const { return m_unexpected; }
    const std::map<std::string, uint32_t>& Seen() const { return m_seen; }
    const std::map<std::string, uint32_t>& Actions() const { return m_actions; }
    const std::map<std::string, uint32_t>& Faults() const { return m_faults; }

    // The instrument's behaviour: one fault switch on, or none.
    void SwitchFault(uint32_t fault)
    {
        CSimBehaviour behaviour;
        kFaults[fault].apply(behaviour, static_cast<uint32_t>(m_random()));
        if (fault == 0 ? m_instrument.ClearBehaviour() : m_instrument.SetBehaviour(behaviour))
            ++m_faults[kFaults[fault].name];
    }
    size_t MostWindows() const { return m_mostWindows; }
    // The file dialogs it answered with a path.
    uint32_t FilesChosen() const { return m_filesChosen; }
    const std::map<std::filesystem::path, SavedKind>& Saved() const { return m_saved; }
    bool Hung() const { return m_hung; }
    // Why the run stopped at a box that no answer closes; empty while none did.
    const std::string& Stuck() const { return m_stuck; }
    uint32_t HungAt() const { return m_hungAt; }

private:
    uint32_t Pick(size_t n) { return static_cast<uint32_t>(m_random() % n); }
    bool Chance(uint32_t percent) { return Pick(100) < percent; }

    // The box a user would answer: the topmost that takes input, else the topmost.
    HWND OpenDialog() const
    {
        HWND first = nullptr;
        for (HWND window : e2e::ProcessWindows(m_program.GetProcessId()))
            if (e2e::WindowClass(window) == L"#32770")
            {
                if (IsWindowEnabled(window))
                    return window;
                if (first == nullptr)
                    first = window;
            }
        return first;
    }

    // Every window of the program, what it says and what owns it, for the seed's rerun.
    void PrintWindows() const
    {
        for (HWND w : e2e::ProcessWindows(m_program.GetProcessId()))
        {
            std::printf("soak: open: class \"%s\" title \"%s\" enabled %d owner %p\n",
                        Narrow(e2e::WindowClass(w)).c_str(), Narrow(e2e::WindowText(w)).c_str(),
                        IsWindowEnabled(w) ? 1 : 0, static_cast<void*>(GetWindow(w, GW_OWNER)));
            for (const std::wstring& line : e2e::StaticTexts(w))
                std::printf("soak:     \"%s\"\n", Narrow(line).c_str());
        }
        std::fflush(stdout);
    }

    // Counts the box by title; a box of a failure nobody handled is unexpected.
    void Note(HWND dialog)
    {
        const std::string title = Narrow(e2e::WindowText(dialog));
        ++m_seen[title];
        std::string text;
        for (const std::wstring& line : e2e::StaticTexts(dialog))
            text += Narrow(line) + " ";
        if (title == "Error" || title.find("Program Error") != std::string::npos ||
            text.find("xception") != std::string::npos || text.find("nhandled") != std::string::npos)
            m_unexpected.push_back("action " + std::to_string(m_index) + ": \"" + title + "\": " + text);
    }

    void Answer(HWND dialog)
    {
        Note(dialog);
        if (IsFileDialog(dialog))
        {
            if (Chance(30))
            {
                e2e::PressButton(dialog, L"Cancel");
                return;
            }
            const std::wstring title = e2e::WindowText(dialog);
            std::filesystem::path path;
            if (title.find(L"Save") == 0)
            {
                // The kind of file the dialog saves, by its title.
                const SavedKind kind = title == L"Save"                               ? kSavedLibrary
                                       : title.find(L"Program") != std::wstring::npos ? kSavedProgram
                                       : title.find(L"Global") != std::wstring::npos  ? kSavedGlobal
                                                                                      : kSavedOther;
                static const char* const kExtensions[] = {".all", ".prg", ".glb", ".txt"};
                path = m_folder / ("saved_" + std::to_string(Pick(4)) + kExtensions[kind]);
                m_saved[path] = kind;
            }
            else
                path = m_inputs[Pick(m_inputs.size())];
            ++m_filesChosen;
            e2e::TypeIntoFileDialog(dialog, path.wstring());
            return;
        }
        std::vector<HWND> buttons;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM p) -> BOOL
            {
                if (_wcsicmp(e2e::WindowClass(child).c_str(), L"Button") == 0 && IsWindowVisible(child) &&
                    IsWindowEnabled(child) &&
                    (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
                    reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&buttons));
        if (buttons.empty())
        {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return;
        }
        HWND button = buttons[Pick(buttons.size())];
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }

    void PressAccelerator()
    {
        const Accelerator& a = kAccelerators[Pick(std::size(kAccelerators))];
        SetForegroundWindow(m_frame);
        std::vector<std::pair<WORD, bool>> strokes = {{VK_CONTROL, false}};
        if (a.shift)
            strokes.push_back({VK_SHIFT, false});
        strokes.push_back({a.key, false});
        strokes.push_back({a.key, true});
        if (a.shift)
            strokes.push_back({VK_SHIFT, true});
        strokes.push_back({VK_CONTROL, true});
        SendKeys(strokes);
    }

    // A random point of a random child's client area, on the screen; false without a child.
    bool ChildPoint(HWND* child, POINT* point)
    {
        const std::vector<HWND> children = Children();
        if (children.empty())
            return false;
        *child = children[Pick(children.size())];
        RECT r = {};
        GetClientRect(*child, &r);
        if (r.right <= 0 || r.bottom <= 0)
            return false;
        *point = {static_cast<LONG>(Pick(static_cast<size_t>(r.right))),
                  static_cast<LONG>(Pick(static_cast<size_t>(r.bottom)))};
        ClientToScreen(*child, point);
        return true;
    }

    void Bring(HWND child)
    {
        HWND client = GetParent(child);
        SendMessageTimeoutW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0, SMTO_ABORTIFHUNG,
                            2000, nullptr);
        SetForegroundWindow(m_frame);
    }

    void ClickChild(bool right)
    {
        HWND child;
        POINT p;
        if (!ChildPoint(&child, &p))
            return;
        Bring(child);
        SendMouse(p, 0);
        SendMouse(p, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        SendMouse(p, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    }

    // A press, a few moves and a release, as a knob or fader is turned.
    void Drag(POINT from, POINT to)
    {
        SendMouse(from, 0);
        SendMouse(from, MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= 6; ++i)
        {
            SendMouse({from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6}, 0);
            WaitForSingleObject(m_program.GetProcessHandle(), 15);
        }
        SendMouse(to, MOUSEEVENTF_LEFTUP);
    }

    void DragInChild()
    {
        HWND child;
        POINT from;
        if (!ChildPoint(&child, &from))
            return;
        Bring(child);
        const POINT to = {from.x + static_cast<LONG>(Pick(121)) - 60,
                          from.y + static_cast<LONG>(Pick(121)) - 60};
        Drag(from, to);
    }

    // The screen point of program row n of a library window's list in mode 0, below its page
    // strip.
    static POINT RowPoint(HWND library, uint32_t n)
    {
        POINT p = {static_cast<LONG>(32 + (n % 64) / 32 * 366 + 40),
                   static_cast<LONG>(37 + 112 + (n % 32) * 12 + 6)};
        ClientToScreen(library, &p);
        return p;
    }

    void DoubleClickProgram()
    {
        const std::vector<HWND> libraries = Libraries();
        if (libraries.empty())
            return;
        HWND library = libraries[Pick(libraries.size())];
        Bring(library);
        const POINT p = RowPoint(library, Pick(64));
        SendMouse(p, 0);
        for (int i = 0; i < 2; ++i)
        {
            SendMouse(p, MOUSEEVENTF_LEFTDOWN);
            SendMouse(p, MOUSEEVENTF_LEFTUP);
        }
    }

    void DragBetweenLibraries()
    {
        const std::vector<HWND> libraries = Libraries();
        if (libraries.size() < 2)
        {
            e2e::ChooseMenuItem(m_frame, 51000);
            return;
        }
        HWND from = libraries[Pick(libraries.size())];
        HWND to = libraries[Pick(libraries.size())];
        // Side by side, as a user places them for a drag.
        HWND client = GetParent(from);
        RECT area = {};
        GetClientRect(client, &area);
        const int half = area.right / 2;
        SetWindowPos(from, HWND_TOP, 0, 0, half, area.bottom, SWP_NOACTIVATE);
        if (to != from)
            SetWindowPos(to, HWND_TOP, half, 0, area.right - half, area.bottom, SWP_NOACTIVATE);
        Answers(m_frame, 2000);
        Bring(from);
        Drag(RowPoint(from, Pick(32)), RowPoint(to, Pick(32)));
    }

    // Moves and sizes a child as a user does with its frame.
    void ArrangeChild()
    {
        const std::vector<HWND> children = Children();
        if (children.empty())
            return;
        HWND child = children[Pick(children.size())];
        SetWindowPos(child, HWND_TOP, static_cast<int>(Pick(400)), static_cast<int>(Pick(300)),
                     300 + static_cast<int>(Pick(700)), 200 + static_cast<int>(Pick(600)), SWP_NOACTIVATE);
    }

    // Until the frame answers again; a frame that stays silent for far longer than a transfer's
    // time-outs is hung.
    void Settle()
    {
        WaitForSingleObject(m_program.GetProcessHandle(), 30);
        const ULONGLONG deadline = GetTickCount64() + 60000;
        while (!m_program.Exited() && !Answers(m_frame, 1000))
            if (GetTickCount64() > deadline)
            {
                if (!m_hung)
                    m_hungAt = m_index;
                m_hung = true;
                return;
            }
    }

    // Files for the open dialogs: whole ones of each kind and damaged ones.
    void WriteFixtureFiles()
    {
        CLibraryData library;
        MakeDistinctLibrary(library);
        const Bytes all = AllDataBytes(library);
        const Bytes j5 = MakeJ5Library(3);
        const auto put = [&](const char* name, const Bytes& bytes)
        {
            const std::filesystem::path path = m_folder / name;
            WriteFileBytes(path, bytes);
            m_inputs.push_back(path);
        };
        put("whole.all", all);
        put("truncated.all", Bytes(all.begin(), all.begin() + static_cast<long>(all.size() / 3)));
        put("empty.all", {});
        Bytes wrongTag = all;
        wrongTag[0] = 'X';
        put("wrongtag.all", wrongTag);
        put("library.740", j5);
        put("truncated.740", Bytes(j5.begin(), j5.begin() + static_cast<long>(j5.size() / 2)));
        CProgram program;
        MakeDistinctProgram(program, 5);
        const CGlobal global;
        for (const auto& [name, data] :
             {std::pair<const char*, const CZmData*>{"prg", &program}, {"glb", &global}})
        {
            const std::filesystem::path whole = m_folder / (std::string("whole.") + name);
            SaveDataToFile(*data, whole);
            m_inputs.push_back(whole);
            const Bytes bytes = ReadFileBytes(whole);
            put((std::string("truncated.") + name).c_str(),
                Bytes(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)));
        }
        m_inputs.push_back(m_folder / "missing.all");
    }

    const e2e::CRunningProgram& m_program;
    CSimControl& m_instrument;
    HWND m_frame;
    std::mt19937 m_random;
    std::filesystem::path m_folder;
    std::vector<std::filesystem::path> m_inputs;
    std::map<std::filesystem::path, SavedKind> m_saved;
    std::vector<std::string> m_unexpected;
    std::map<std::string, uint32_t> m_seen;
    std::map<std::string, uint32_t> m_actions;
    std::map<std::string, uint32_t> m_faults;
    size_t m_mostWindows = 0;
    uint32_t m_filesChosen = 0;
    uint32_t m_index = 0;
    bool m_hung = false;
    uint32_t m_hungAt = 0;
    HWND m_lastAnswered = nullptr;
    uint32_t m_sameAnswers = 0;
    std::string m_stuck;
};

// Until the frame holds exactly one library window, closing the others and answering their
// save questions with No; gives up after a minute in which no window closed.
HWND KeepOneLibrary(const e2e::CRunningProgram& program, HWND frame, CSoakDriver& driver)
{
    ULONGLONG deadline = GetTickCount64() + 60000;
    size_t fewest = SIZE_MAX;
    while (GetTickCount64() < deadline && !program.Exited())
    {
        driver.Drain(5000);
        const std::vector<HWND> children = driver.Children();
        if (children.size() < fewest)
        {
            fewest = children.size();
            deadline = GetTickCount64() + 60000;
        }
        const std::vector<HWND> libraries = driver.Libraries();
        if (libraries.empty())
            e2e::ChooseMenuItem(frame, 51000);
        else if (children.size() == 1)
            return children.front();
        else
        {
            HWND close =
                children.front() == libraries.front() && children.size() > 1 ? children[1] : children.front();
            PostMessageW(close, WM_SYSCOMMAND, SC_CLOSE, 0);
            if (HWND box = program.WaitForDialog(nullptr, 1000))
                if (!e2e::PressButton(box, L"No"))
                    e2e::PressButton(box, L"OK");
        }
        Answers(frame, 5000);
    }
    return nullptr;
}
} // namespace

TEST(Soak, RandomUserActionsLeaveTheProgramAnsweringInBoundsAndSaving)
{
    const uint32_t actions = EnvironmentNumber("NV_SOAK_ACTIONS", 600);
    const uint32_t seed = EnvironmentNumber("NV_SOAK_SEED", 1);
    const uint32_t seconds = EnvironmentNumber("NV_SOAK_SECONDS", 100);
    std::printf("soak: seed %u, %u actions, at most %u s (NV_SOAK_SEED=%u NV_SOAK_ACTIONS=%u repeats it)\n",
                seed, actions, seconds, seed, actions);
    SCOPED_TRACE("soak seed " + std::to_string(seed) + ", " + std::to_string(actions) + " actions");

    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    const std::filesystem::path folder =
        std::filesystem::path(e2e::BesideTestProgram(L"soak_files_" + std::to_wstring(seed)));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);

    CSimControl instrument((folder / "instrument").wstring());
    e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), {},
                                 {instrument.GetEnvironment()});
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle, 60000);
    ASSERT_NE(frame, nullptr);
    CSoakDriver driver(program, instrument, frame, seed, folder);
    ASSERT_TRUE(driver.Drain(60000));
    ASSERT_NE(KeepOneLibrary(program, frame, driver), nullptr);
    const Usage start = Measure(program);
    Print("start", start);

    const ULONGLONG deadline = GetTickCount64() + seconds * 1000ull;
    uint32_t done = 0;
    for (; done < actions && !program.Exited() && !driver.Hung() && driver.Stuck().empty() &&
           GetTickCount64() < deadline;
         ++done)
    {
        driver.Step(done);
        if (done % 1000 == 999)
            Print(("after " + std::to_string(done + 1) + " actions").c_str(), Measure(program));
    }
    std::printf("soak: %u of %u actions run\n", done, actions);
    for (const auto& [fault, count] : driver.Faults())
        std::printf("soak: fault switch \"%s\" set %u times\n", fault.c_str(), count);
    // The instrument behaves again for the checks that follow.
    driver.SwitchFault(0);

    ASSERT_FALSE(program.Exited()) << "the program ended during action " << done << " (code "
                                   << program.WaitForExit(0) << ")";
    ASSERT_FALSE(driver.Hung()) << "the frame stopped answering at action " << driver.HungAt();
    ASSERT_TRUE(driver.Stuck().empty()) << driver.Stuck();
    EXPECT_TRUE(driver.Drain(60000)) << "a box or dialog stays open";
    EXPECT_TRUE(Answers(frame, 1000)) << "the frame does not answer within a second";
    for (const auto& [kind, count] : driver.Actions())
        std::printf("soak: %s: %u\n", kind.c_str(), count);
    std::printf("soak: at most %zu child windows open at once\n", driver.MostWindows());
    for (const auto& [title, count] : driver.Seen())
        std::printf("soak: box \"%s\" %u times\n", title.c_str(), count);
    EXPECT_TRUE(driver.Unexpected().empty()) << driver.Unexpected().front();

    // Every library, program and global file the run saved reads back.
    uint32_t saved = 0;
    for (const auto& [path, kind] : driver.Saved())
    {
        if (kind == kSavedOther || !std::filesystem::exists(path))
            continue;
        ++saved;
        CLibraryData library;
        CProgram program;
        CGlobal global;
        EXPECT_NO_THROW(kind == kSavedLibrary   ? library.LoadAllDataFile(path)
                        : kind == kSavedProgram ? LoadDataFromFile(program, path)
                                                : LoadDataFromFile(global, path))
            << path.string();
    }
    std::printf("soak: %u saved files read back\n", saved);

    // Back to the state of the start: one library window.
    HWND library = KeepOneLibrary(program, frame, driver);
    ASSERT_NE(library, nullptr);
    const Usage end = Measure(program);
    Print("end", end);
    // Wine's file dialog keeps a registry key open for each file chosen in it, in any program:
    // those are bounded by the choices, the program's own handles as the rest are.
    const DWORD startKeys = start.HandlesOfType("Key");
    const DWORD endKeys = end.HandlesOfType("Key");
    std::printf("soak: %u file dialogs answered with a path\n", driver.FilesChosen());
    EXPECT_LE(endKeys, startKeys + driver.FilesChosen() + 20);
    EXPECT_LE(end.handles - endKeys, (start.handles - startKeys) * 2 + 100);
    EXPECT_LE(end.gdiObjects, start.gdiObjects * 2 + 200);
    EXPECT_LE(end.userObjects, start.userObjects * 2 + 200);
    EXPECT_LE(end.windows, start.windows * 2 + 50);
    EXPECT_LE(end.privateBytes, start.privateBytes * 2 + (64u << 20));

    // A final Save As writes a library that reads back.
    const std::filesystem::path final = folder / "final.all";
    ASSERT_TRUE(program.ChooseMenuItemUntil(
        frame, 51003, [&] { return program.WaitForDialog(L"Save", 0) != nullptr; }, 500, 30000));
    HWND save = program.WaitForDialog(L"Save");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(e2e::TypeIntoFileDialog(save, final.wstring()));
    const bool written = program.WaitUntil(
        [&]
        {
            if (HWND box = program.WaitForDialog(nullptr, 0))
                if (box != save)
                    e2e::PressButton(box, L"Yes") || e2e::PressButton(box, L"OK");
            return std::filesystem::exists(final) && std::filesystem::file_size(final) > 0 &&
                   !program.WaitForDialog(nullptr, 0);
        });
    ASSERT_TRUE(written) << "the final Save As wrote nothing";
    CLibraryData reread;
    EXPECT_NO_THROW(reread.LoadAllDataFile(final));
    EXPECT_TRUE(e2e::Screenshot(frame, "soak_end"));
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}
