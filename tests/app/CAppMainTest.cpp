// The application object: start-up and shutdown against the simulated instrument, the command
// table and its gating, the command line, and the rectangle the frame comes back in.

#include "app/AppMessageBox.h"
#include "app/CAppMain.h"
#include "app/CBlockAccessor.h"
#include "app/CFileManager.h"
#include "app/CDialogFlag.h"
#include "app/CEditorInterface.h"
#include "app/CMdiFrameWindow.h"
#include "app/CResourceManager.h"
#include "app/CSettings.h"
#include "app/CWindowManager.h"
#include "framework/CHfcCtrlKnob.h"
#include "framework/CHfcMdiChildWindow.h"
#include "synthdata/CProgram.h"
#include "framework/CHfcMenuBar.h"
#include "resources/AppMenuIds.h"

#include "support/CSimInstrument.h"
#include "support/MessagePump.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ShellDrop.h"
#include "support/SimMidi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A library window that records what the core asks of it.
class FakeLibraryWindow : public CLibraryWindowInterface
{
public:
    explicit FakeLibraryWindow(std::vector<std::string>& log) : m_log(log) {}
    void OnEditorCommand(EditorCommand command) override
    {
        m_log.push_back("command " + std::to_string(static_cast<int>(command)));
    }
    int32_t GetMode() const override { return 1; }
    intptr_t GetDocumentId() const override { return 1; }
    int32_t GetCurrentProgramNumber() const override { return -1; }
    CProgram* GetProgram(int32_t) override { return nullptr; }
    bool AllowsAutoSend() const override { return false; }
    bool OpenFile(const std::wstring& path) override
    {
        openedPath = path;
        m_log.push_back("open");
        return true;
    }
    bool ImportJ5Library() override { return true; }
    void OfferReceiveAll() override { m_log.push_back("offer"); }
    void Show() override { m_log.push_back("show"); }
    void Destroy() override { m_log.push_back("destroy"); }
    bool QuerySaveChanges() override
    {
        m_log.push_back("query");
        return !cancelSave;
    }

    std::wstring openedPath;
    bool cancelSave = false;

private:
    std::vector<std::string>& m_log;
};

class FakeEditor : public CEditorInterface
{
public:
    CLibraryWindowInterface* CreateLibraryWindow(CHfcMdiFrameWindow*, const std::wstring& title) override
    {
        log.push_back("library " + std::string(title.begin(), title.end()));
        windows.push_back(std::make_unique<FakeLibraryWindow>(log));
        return windows.back().get();
    }
    void OpenMidiMonitorWindow(CHfcMdiFrameWindow*) override { log.push_back("monitor"); }
    void OpenStatusLogWindow(CHfcMdiFrameWindow*) override { log.push_back("log"); }
    void OpenVersionWindow(CHfcMdiFrameWindow*) override { log.push_back("version"); }
    void CloseUtilityWindows() override { log.push_back("close utilities"); }
    bool GetUtilityWindowState(UtilityWindow which, bool& open, int32_t& x, int32_t& y) override
    {
        if (!utilityWindowsKnown)
            return false;
        open = which == UtilityWindow::MidiMonitor;
        x = which == UtilityWindow::MidiMonitor ? 11 : 21;
        y = which == UtilityWindow::MidiMonitor ? 12 : 22;
        return true;
    }
    CEditorWindowInterface* GetEditorWindow(CHfcMdiChildWindow* child) override
    {
        return child && child == activeChild ? activeWindow : nullptr;
    }

    std::vector<std::string> log;
    std::vector<std::unique_ptr<FakeLibraryWindow>> windows;
    bool utilityWindowsKnown = false;
    CHfcMdiChildWindow* activeChild = nullptr;
    CEditorWindowInterface* activeWindow = nullptr;
};

// An editor window that shows one program of its document (mode 2).
class FakeProgramWindow : public CEditorWindowInterface
{
public:
    void OnEditorCommand(EditorCommand command) override { commands.push_back(command); }
    int32_t GetMode() const override { return 2; }
    intptr_t GetDocumentId() const override { return 7; }
    int32_t GetCurrentProgramNumber() const override { return current; }
    CProgram* GetProgram(int32_t n) override { return n >= 0 && n < 128 ? &programs[n] : nullptr; }
    bool AllowsAutoSend() const override { return true; }

    int32_t current = 10;
    CProgram programs[128];
    std::vector<EditorCommand> commands;
};

// Notifications as "code p1 p2 p3 p4", but for the status log's new lines.
class NotificationRecorder : public CWindowManagerListener
{
public:
    bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void*) override
    {
        if (code == kNotifyLogLineAdded)
            return true;
        lines.push_back(std::to_string(code) + " " + std::to_string(p1) + " " + std::to_string(p2) + " " +
                        std::to_string(p3) + " " + std::to_string(p4));
        return true;
    }
    std::vector<std::string> lines;
};

std::vector<std::wstring> MenuTexts(HMENU menu)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
    {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

} // namespace

TEST(AppMainClamp, TheSavedRectangleIsFittedIntoTheWorkArea)
{
    struct Case
    {
        int32_t x, y, width, height;
        int32_t expectX, expectY, expectWidth, expectHeight;
    };
    const Case cases[] = {
        {-50, 100, 900, 600, 0, 0, 800, 600},     // too wide and too tall: moved in, then cut
        {100, 100, 400, 300, 100, 100, 400, 300}, // inside: unchanged
        {700, 500, 400, 300, 400, 300, 400, 300}, // off the far corner: moved back in
        {-20, -30, 200, 100, 0, 0, 200, 100},     // above and left: moved to the corner
        {0, 0, 800, 600, 0, 0, 800, 600},         // exactly the area
    };
    for (const Case& c : cases)
    {
        int32_t x = c.x, y = c.y, width = c.width, height = c.height;
        ClampToWorkArea(x, y, width, height, 800, 600);
        EXPECT_EQ(x, c.expectX) << c.x << "," << c.y << " " << c.width << "x" << c.height;
        EXPECT_EQ(y, c.expectY) << c.x << "," << c.y << " " << c.width << "x" << c.height;
        EXPECT_EQ(width, c.expectWidth) << c.x << "," << c.y << " " << c.width << "x" << c.height;
        EXPECT_EQ(height, c.expectHeight) << c.x << "," << c.y << " " << c.width << "x" << c.height;
    }
}

// The commands that reach the editor without an open window, and what each asks of it.
struct CommandCase
{
    UINT id;
    const char* expected;
};
const CommandCase kDirectCommands[] = {
    {ID_FILE_NEW, "library Untitled"},
    {ID_WINDOW_MIDI_MONITOR, "monitor"},
    {ID_WINDOW_LOG, "log"},
    {ID_HELP_VERSION, "version"},
};

TEST(AppMainCommands, EachCommandReachesTheEditorWhileNoDialogIsOpen)
{
    FakeEditor editor;
    CAppMain app(editor);
    for (const CommandCase& c : kDirectCommands)
    {
        editor.log.clear();
        EXPECT_TRUE(app.ExecuteCommand(c.id)) << c.id;
        ASSERT_FALSE(editor.log.empty()) << c.id;
        EXPECT_EQ(editor.log.front(), c.expected) << c.id;
    }
    const bool shown = GetSettings().showValueLayer;
    EXPECT_TRUE(app.ExecuteCommand(ID_OPTIONS_SHOW_VALUES));
    EXPECT_NE(GetSettings().showValueLayer, shown);
    app.ExecuteCommand(ID_OPTIONS_SHOW_VALUES);
}

TEST(AppMainCommands, EveryCommandIsRefusedWhileABoxOrDialogIsOpen)
{
    FakeEditor editor;
    CAppMain app(editor);
    const bool shown = GetSettings().showValueLayer;
    {
        // What a message box or the progress dialog holds while it is open.
        CDialogFlag open;
        for (UINT id = ID_FILE_NEW; id <= ID_HELP_VERSION; ++id)
            EXPECT_FALSE(app.ExecuteCommand(id)) << id;
        EXPECT_TRUE(editor.log.empty());
        EXPECT_EQ(GetSettings().showValueLayer, shown);
    }

    // A real dialog: commands issued while it is up do nothing.
    ScriptedDialogPresenter presenter;
    bool refusedAll = true;
    presenter.onReady = [&](HWND dialog)
    {
        for (const CommandCase& c : kDirectCommands)
            refusedAll = !app.ExecuteCommand(c.id) && refusedAll;
        PressButton(dialog, 2); // Cancel
    };
    EXPECT_TRUE(app.ExecuteCommand(ID_OPTIONS_PREFERENCES));
    ASSERT_EQ(presenter.readyDialogs, (std::vector<std::wstring>{L"DialogPreferences"}));
    EXPECT_TRUE(refusedAll);
    EXPECT_TRUE(editor.log.empty());
}

TEST(AppMainCommandLine, AllDataFilesOpenAndEverythingElseIsSkipped)
{
    TempFolder folder;
    const std::wstring first = (folder.Path() / L"first.all").wstring();
    const std::wstring second =
        (folder.Path() / L"\u65e5\u672c\u8a9e\u306e\u540d\u524d.all").wstring(); // a Japanese name
    const std::wstring program = (folder.Path() / L"program.prg").wstring();
    const std::wstring shortFile = (folder.Path() / L"short.all").wstring();
    WriteFile(first, std::string("3580AllD") + std::string(64, '\0'));
    WriteFile(second, std::string("3580AllD") + std::string(64, '\1'));
    WriteFile(program, std::string("3580Prog") + std::string(64, '\0'));
    WriteFile(shortFile, "3580All");

    FakeEditor editor;
    CAppMain app(editor);
    // The program's own path comes first and is never opened, even when it is an all-data file.
    app.SetArguments({first, L"-" + first, L"/" + first, program, shortFile,
                      (folder.Path() / L"missing.all").wstring(), first, second});
    EXPECT_TRUE(app.OpenCommandLineFiles());
    ASSERT_EQ(editor.windows.size(), 2u);
    EXPECT_EQ(editor.windows[0]->openedPath, first);
    EXPECT_EQ(editor.windows[1]->openedPath, second);
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "offer"), 0);
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "show"), 2);
    EXPECT_TRUE(app.IsStartupFinished());

    FakeEditor none;
    CAppMain nothing(none);
    nothing.SetArguments({first, program});
    EXPECT_FALSE(nothing.OpenCommandLineFiles());
    EXPECT_TRUE(none.windows.empty());
}

// The whole start-up and shutdown, against the simulated instrument.
class AppMainLifecycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SimMidiReset());
        SimMidiSetDeviceCount(1, 1);
        CSimInstrument::InstallPorts(0, 0, L"Nuvorn USB In", L"Nuvorn USB Out");
        instrument = std::make_unique<CSimInstrument>(0, 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        GetSettings() = CSettings();
    }
    void TearDown() override
    {
        instrument.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        GetSettings() = CSettings();
        SimMidiReset();
    }

    std::unique_ptr<CSimInstrument> instrument;
    ScriptedDialogPresenter presenter;
};

TEST_F(AppMainLifecycle, StartsWithTheEmptyMenuBarOpensTheFirstLibraryAndSendsAllNotesOffAtExit)
{
    FakeEditor editor;
    CAppMain app(editor);
    ASSERT_TRUE(app.Init());
    EXPECT_TRUE(presenter.boxes.empty()) << "a box at start-up";

    CMdiFrameWindow* frame = app.GetFrame();
    ASSERT_NE(frame, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(frame->GetHwnd(), className, 64);
    EXPECT_STREQ(className, L"Q3580MDIFrameWindow");
    EXPECT_EQ(MenuTexts(GetMenu(frame->GetHwnd())),
              (std::vector<std::wstring>{L"&File", L"&Options", L"&Window", L"&Help"}));
    // "Ctrl+1" belongs to Prev Program, not to the log window's item.
    wchar_t logItem[128] = {};
    GetMenuStringW(GetMenu(frame->GetHwnd()), ID_WINDOW_LOG, logItem, 128, MF_BYCOMMAND);
    EXPECT_STREQ(logItem, L"Open &Log Window");

    // The first library window opens once the message loop runs, with the offer to receive.
    EXPECT_TRUE(editor.log.empty());
    ASSERT_TRUE(PumpUntil([&] { return !editor.windows.empty(); }));
    EXPECT_EQ(editor.log, (std::vector<std::string>{"library Untitled", "show", "offer"}));

    // An editor window brings the main bar; the last one gone, the empty bar is back.
    editor.windows[0]->Show();
    frame->AddChildWindow(editor.windows[0].get());
    EXPECT_EQ(MenuTexts(GetMenu(frame->GetHwnd())),
              (std::vector<std::wstring>{L"&File", L"&Edit", L"&MIDI", L"&Options", L"&Window", L"&Help"}));
    frame->RemoveChildWindow(editor.windows[0].get());
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame->GetHwnd())), 4);

    ASSERT_TRUE(SimMidiWaitIdle(5000));
    SimMidiClearOutput(0);
    EXPECT_TRUE(app.Exit());
    ASSERT_TRUE(SimMidiWaitIdle(5000));
    // The frame ends the message loop as it goes; this test has none, and the boxes of later
    // tests must not see the quit.
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    std::vector<std::vector<BYTE>> sent;
    for (UINT i = 0; i < SimMidiOutputCount(0); ++i)
    {
        BYTE bytes[16];
        const UINT n = SimMidiGetOutput(0, i, bytes, sizeof bytes);
        sent.emplace_back(bytes, bytes + std::min<UINT>(n, sizeof bytes));
    }
    std::vector<std::vector<BYTE>> expected;
    for (BYTE channel = 0; channel < 16; ++channel)
        expected.push_back({static_cast<BYTE>(0xB0 | channel), 0x7B, 0x00});
    EXPECT_EQ(sent, expected);

    // The settings were written on the way out.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD version = 0, size = sizeof version;
    EXPECT_EQ(RegQueryValueExW(key, L"PreferencesVersion", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&version), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(version, 1u);
    RegCloseKey(key);
}

// Start-up hands the saved knob mode to every knob, holds the skin for the windows and makes
// the block accessor and the file manager; exit gives them back.
TEST_F(AppMainLifecycle, TheKnobModeReachesTheKnobsAndTheSkinIsHeldWhileTheProgramRuns)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const DWORD circular = 0;
    RegSetValueExW(key, L"KnobMode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&circular), sizeof circular);
    RegCloseKey(key);
    CHfcCtrlKnob::SetKnobMode(2);
    ASSERT_EQ(CResourceManager::GetReferenceCount(), 0);

    FakeEditor editor;
    CAppMain app(editor);
    ASSERT_TRUE(app.Init());
    EXPECT_EQ(CHfcCtrlKnob::GetKnobMode(), 0);
    EXPECT_EQ(CResourceManager::GetReferenceCount(), 1);
    ASSERT_NE(CResourceManager::peekInstance(), nullptr);
    EXPECT_NE(CResourceManager::peekInstance()->FindBitmap("Knob"), nullptr);
    EXPECT_NE(GetBlockAccessor(), nullptr);
    EXPECT_NE(app.GetFileManager(), nullptr);
    EXPECT_NE(RegisterClipboardFormatA("Q3580Program   "), 0u);

    ASSERT_TRUE(SimMidiWaitIdle(5000));
    EXPECT_TRUE(app.Exit());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(CResourceManager::GetReferenceCount(), 0);
    EXPECT_EQ(CResourceManager::peekInstance(), nullptr);
    EXPECT_EQ(GetBlockAccessor(), nullptr);
    CHfcCtrlKnob::SetKnobMode(2);
}

// The editor hears when the core's services exist and before they go, with the block accessor
// there both times and before any window of it closes.
TEST_F(AppMainLifecycle, TheEditorStartsOnTheBlockAccessorAndStopsBeforeItGoes)
{
    class StartingEditor : public FakeEditor
    {
    public:
        void OnCoreStarted() override
        {
            log.push_back(GetBlockAccessor() ? "started with blocks" : "started without blocks");
        }
        void OnCoreStopping() override
        {
            log.push_back(GetBlockAccessor() ? "stopping with blocks" : "stopping without blocks");
        }
    };
    StartingEditor editor;
    CAppMain app(editor);
    ASSERT_TRUE(app.Init());
    ASSERT_FALSE(editor.log.empty());
    EXPECT_EQ(editor.log.front(), "started with blocks");
    ASSERT_TRUE(PumpUntil([&] { return !editor.windows.empty(); }));
    editor.log.clear();
    ASSERT_TRUE(SimMidiWaitIdle(5000));
    EXPECT_TRUE(app.Exit());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    const auto stopping = std::find(editor.log.begin(), editor.log.end(), "stopping with blocks");
    ASSERT_NE(stopping, editor.log.end());
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "stopping with blocks"), 1);
    const auto closing = std::find(editor.log.begin(), editor.log.end(), "close utilities");
    ASSERT_NE(closing, editor.log.end());
    EXPECT_LT(stopping, closing);
}

TEST_F(AppMainLifecycle, DroppedFilesOpenOnlyAfterStartUpAndACancelledSaveKeepsTheFrameOpen)
{
    TempFolder folder;
    const std::wstring allData = (folder.Path() / L"dropped.all").wstring();
    const std::wstring program = (folder.Path() / L"dropped.prg").wstring();
    WriteFile(allData, std::string("3580AllD") + std::string(64, '\0'));
    WriteFile(program, std::string("3580Prog") + std::string(64, '\0'));

    FakeEditor editor;
    editor.utilityWindowsKnown = true;
    CAppMain app(editor);
    ASSERT_TRUE(app.Init());
    CMdiFrameWindow* frame = app.GetFrame();
    ASSERT_NE(frame, nullptr);

    // Before the first library window: ignored.
    EXPECT_FALSE(frame->OpenDroppedFile(allData));
    EXPECT_TRUE(editor.windows.empty());
    ASSERT_TRUE(PumpUntil([&] { return !editor.windows.empty(); }));
    // While the receive it offers runs, a file dropped from the shell is still ignored.
    ASSERT_EQ(editor.log, (std::vector<std::string>{"library Untitled", "show", "offer"}));
    SendMessageW(frame->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({allData})), 0);
    EXPECT_EQ(editor.windows.size(), 1u) << "a file dropped during the start-up receive was opened";
    // The receive has ended (the library window tells the application so).
    app.SetLibraryReady();
    EXPECT_TRUE(frame->OpenDroppedFile(allData));
    EXPECT_FALSE(frame->OpenDroppedFile(program));
    ASSERT_EQ(editor.windows.size(), 2u);
    EXPECT_EQ(editor.windows[1]->openedPath, allData);

    // One library answers Cancel: the frame stays, and every window is still asked next time.
    for (auto& window : editor.windows)
        frame->AddLibraryWindow(window.get());
    editor.windows[0]->cancelSave = true;
    SendMessageW(frame->GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame->GetHwnd()));
    EXPECT_EQ(frame->GetLibraryWindowCount(), 2);
    EXPECT_EQ(GetSettings().midiMonitorWindowShow, 0) << "nothing recorded for a close that did not happen";

    editor.windows[0]->cancelSave = false;
    editor.log.clear();
    const HWND hwnd = frame->GetHwnd();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "query"), 2);
    // The utility windows' state was taken before they closed.
    EXPECT_EQ(GetSettings().midiMonitorWindowShow, 1);
    EXPECT_EQ(GetSettings().midiMonitorWindowX, 11);
    EXPECT_EQ(GetSettings().statusLogWindowShow, 0);
    EXPECT_EQ(GetSettings().statusLogWindowY, 22);
    EXPECT_NE(std::find(editor.log.begin(), editor.log.end(), "close utilities"), editor.log.end());

    EXPECT_TRUE(app.Exit());
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(AppMainLifecycle, CommandsGoToTheActiveWindowAndNextProgramSendsTheProgramOnce)
{
    FakeEditor editor;
    CAppMain app(editor);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(PumpUntil([&] { return !editor.windows.empty(); }));

    CHfcMdiChildWindow child;
    ASSERT_TRUE(child.Create(10, 10, 200, 100, 0, nullptr, app.GetFrame(), "Program"));
    ASSERT_TRUE(child.Show());
    ASSERT_EQ(app.GetFrame()->GetActiveChild(), &child);
    FakeProgramWindow window;
    for (int32_t n = 0; n < 128; ++n)
        std::memcpy(window.programs[n].GetImage(), CSimInstrument::PatternProgram(n).data(),
                    window.programs[n].GetImageSize());
    editor.activeChild = &child;
    editor.activeWindow = &window;

    // Menu choices arrive as WM_COMMAND at the frame.
    SendMessageW(app.GetFrame()->GetHwnd(), WM_COMMAND, MAKEWPARAM(ID_EDIT_COPY, 0), 0);
    SendMessageW(app.GetFrame()->GetHwnd(), WM_COMMAND, MAKEWPARAM(ID_MIDI_RECEIVE_ALL_DATA, 0), 0);
    EXPECT_EQ(window.commands,
              (std::vector<EditorCommand>{EditorCommand::Copy, EditorCommand::ReceiveAllData}));

    NotificationRecorder notifications;
    app.GetWindowManager()->AddListener(&notifications);
    GetSettings().incDecDelay = 600000; // a repeat inside the delay is ignored
    ASSERT_TRUE(SimMidiWaitIdle(5000));
    instrument->ClearReceived();
    EXPECT_TRUE(app.ExecuteCommand(ID_WINDOW_NEXT_PROGRAM));
    EXPECT_TRUE(app.ExecuteCommand(ID_WINDOW_NEXT_PROGRAM));
    ASSERT_TRUE(PumpUntil([&] { return notifications.lines.size() >= 5; }));
    EXPECT_EQ(notifications.lines, (std::vector<std::string>{"20 7 0 -1 -1", "19 10 1 7 11", "7 11 -1 7 11",
                                                             "2 11 -1 7 -1", "20 7 1 -1 -1"}));
    // Program 11 went to the instrument's current program.
    ASSERT_TRUE(instrument->WaitIdle());
    EXPECT_EQ(instrument->GetEditBuffer(), CSimInstrument::PatternProgram(11));
    EXPECT_TRUE(app.IsSelectionIdle());

    app.GetWindowManager()->RemoveListener(&notifications);
    child.Destroy();
    EXPECT_TRUE(app.Exit());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// With the taskbar at the top or left the work area starts past the screen's origin; the frame
// still comes back where it was, also when it was closed maximised.
TEST_F(AppMainLifecycle, TheFrameComesBackWhereItWasWithTheTaskbarAtTheTopOrLeft)
{
    RECT screen = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0));
    struct Case
    {
        RECT workArea;
        bool maximised;
    };
    const Case cases[] = {
        {{0, 40, screen.right, screen.bottom}, false},  // taskbar at the top
        {{60, 0, screen.right, screen.bottom}, false},  // at the left
        {{60, 40, screen.right, screen.bottom}, true},  // both, closed maximised
    };
    for (const Case& c : cases)
    {
        RECT area = c.workArea;
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0));
        for (int run = 0; run < 2; ++run)
        {
            FakeEditor editor;
            CAppMain app(editor);
            ASSERT_TRUE(app.Init());
            const HWND hwnd = app.GetFrame()->GetHwnd();
            RECT shown = {};
            GetWindowRect(hwnd, &shown);
            if (run == 0)
            {
                ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 140, 120, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE));
                if (c.maximised)
                    ShowWindow(hwnd, SW_MAXIMIZE);
            }
            else
            {
                EXPECT_EQ(shown.left, 140) << c.workArea.left << "," << c.workArea.top;
                EXPECT_EQ(shown.top, 120) << c.workArea.left << "," << c.workArea.top;
                EXPECT_EQ(shown.right - shown.left, 700);
                EXPECT_EQ(shown.bottom - shown.top, 500);
            }
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
            EXPECT_EQ(GetSettings().mainWindowX, 140);
            EXPECT_EQ(GetSettings().mainWindowY, 120);
            EXPECT_TRUE(app.Exit());
            MSG quit;
            PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            GetSettings() = CSettings();
        }
    }
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &screen, 0);
}
