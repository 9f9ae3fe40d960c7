// The application with the real editor, in this process, against the simulated instrument: menu
// commands arrive as WM_COMMAND at the frame, clicks as mouse messages through the windows'
// queues, and what they did is read from the programs, the instrument, the file on disk and the
// windows that are open.
#include "app/CAppMain.h"
#include "app/CMdiFrameWindow.h"
#include "app/CSettings.h"
#include "app/CWindowManager.h"
#include "app/CWindowManagerListener.h"
#include "editor/CEditor.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/windows/CMidiMonitorLayer.h"
#include "editor/windows/CMidiMonitorWindow.h"
#include "editor/windows/CVersionInfoWindow.h"
#include "framework/CHfcDeferredDelete.h"
#include "resources/AppMenuIds.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgramSet.h"

#include "support/SettingsRegistry.h"
#include "support/CSimInstrument.h"
#include "support/MessagePump.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/SimMidi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Image = CSimInstrument::Image;

using nvtest::kSettingsKey;
using nvtest::SetSetting;

Image ImageOf(const CProgram& program)
{
    const uint8_t* image = program.GetImage();
    return Image(image, image + kQ3580ProgramImageSize);
}

// An all-data file whose programs hold the instrument's test patterns, named "L000" and on.
void WriteLibraryFile(const std::filesystem::path& path)
{
    CLibraryData library;
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
    CProgramSet* set = library.GetProgramSet();
    set->Init();
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        std::memcpy(set->GetProgram(n).GetImage(), CSimInstrument::PatternProgram(n).data(),
                    kQ3580ProgramImageSize);
        char name[16];
        std::snprintf(name, sizeof name, "L%03u", n);
        set->GetProgram(n).SetProgramName(name);
    }
    library.SaveAllDataFile(path);
}

// Whether the icon handle still names an icon.
bool IconExists(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

class AppCommands : public ::testing::Test
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
        // A frame large enough for a whole library window.
        SetSetting(L"MainWindowX", 0);
        SetSetting(L"MainWindowY", 0);
        SetSetting(L"MainWindowWidth", 1000);
        SetSetting(L"MainWindowHeight", 760);
        SetSetting(L"AutoDumpEnabled", 0);
        WriteLibraryFile(file);
    }
    void TearDown() override
    {
        if (app)
        {
            app->Exit();
            MSG quit;
            PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
        CHfcDeferredDelete::DeleteAll();
        app.reset();
        editor.reset();
        instrument.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        GetSettings() = CSettings();
        SimMidiReset();
    }

    // The program started with the arguments after its own path, its first library window open.
    void Start(std::vector<std::wstring> files, bool receiveOnStartup = false)
    {
        SetSetting(L"ReceiveOnStartup", receiveOnStartup ? 1 : 0);
        editor = std::make_unique<CEditor>();
        app = std::make_unique<CAppMain>(*editor);
        files.insert(files.begin(), L"NuvornSoundEditor.exe");
        app->SetArguments(files);
        ASSERT_TRUE(app->Init());
        ASSERT_TRUE(PumpUntil([&] { return (library = dynamic_cast<CLibraryWindow*>(Active())) != nullptr; }));
        GetSettings().incDecDelay = 0;
    }

    HWND Frame() const { return app->GetFrame()->GetHwnd(); }
    CBaseWindow* Active() const
    {
        CHfcMdiChildWindow* child = app->GetFrame()->GetActiveChild();
        return child ? dynamic_cast<CBaseWindow*>(editor->GetEditorWindow(child)) : nullptr;
    }
    // The library window the start-up opened.
    CLibraryWindow* Library() const { return library; }
    // The frame's MDI children.
    int ChildCount() const
    {
        int count = 0;
        const HWND client = app->GetFrame()->GetClientHwnd();
        for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            count += GetParent(child) == client ? 1 : 0;
        return count;
    }
    CProgram& Program(uint32_t n) { return Library()->GetLibrary().GetProgramSet()->GetProgram(n); }

    // A menu choice: its command as the menu sends it, and what it posted handled.
    void Command(UINT id)
    {
        PostMessageW(Frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Settle();
    }
    void Settle()
    {
        PumpUntil([] { return false; }, 200);
        ASSERT_TRUE(SimMidiWaitIdle(10000));
        PumpUntil([] { return false; }, 100);
    }
    // A click (or double click) on program n's row of the library's list.
    void ClickRow(uint32_t n, bool twice = false)
    {
        const uint32_t mode = library->GetProgramList()->GetModel().GetListMode();
        library->GetProgramList()->ShowBank(CProgramListGeometry::GetBankOf(mode, n));
        const CHfcRect r = CProgramListGeometry::GetRowRect(mode, n);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, CLibraryWindow::kStripHeight + r.top + 6);
        library->BringToFront();
        PostMessageW(library->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, at);
        if (twice)
        {
            PostMessageW(library->GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, at);
        }
        Settle();
    }
    // The close box of the window.
    void CloseBox(HWND window)
    {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Settle();
    }

    TempFolder folder;
    const std::filesystem::path file = folder.Path() / L"library.nvrn_all";
    std::unique_ptr<CSimInstrument> instrument;
    ScriptedDialogPresenter presenter;
    std::unique_ptr<CEditor> editor;
    std::unique_ptr<CAppMain> app;
    CLibraryWindow* library = nullptr;
};
} // namespace

// Cut, Paste, Initialize, Receive and Transmit Current act on the selected program of the active
// library, and Save writes them into its file. A file given twice opens once.
TEST_F(AppCommands, EditAndMidiCommandsChangeTheSelectedProgramAndSaveWritesTheFile)
{
    Start({file.wstring(), file.wstring()});
    EXPECT_EQ(ChildCount(), 1) << "the file already open opens no second window";
    const Image five = ImageOf(Program(5)), thirty = ImageOf(Program(30));

    ClickRow(5);
    Command(ID_EDIT_CUT);
    EXPECT_STREQ(Program(5).GetProgramName(), "INITPROG");
    ClickRow(9);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(ImageOf(Program(9)), five);
    EXPECT_STREQ(Program(9).GetProgramName(), "L005");
    ClickRow(12);
    Command(ID_EDIT_INITIALIZE);
    EXPECT_STREQ(Program(12).GetProgramName(), "INITPROG");

    instrument->SetEditBuffer(CSimInstrument::PatternProgram(300));
    ClickRow(20);
    Command(ID_MIDI_RECEIVE_CURRENT);
    EXPECT_EQ(ImageOf(Program(20)), CSimInstrument::PatternProgram(300));
    ClickRow(30);
    Command(ID_MIDI_TRANSMIT_CURRENT);
    ASSERT_TRUE(instrument->WaitIdle());
    EXPECT_EQ(instrument->GetEditBuffer(), thirty);
    EXPECT_TRUE(Library()->IsModified());

    Command(ID_FILE_SAVE);
    EXPECT_FALSE(Library()->IsModified());
    CLibraryData saved;
    ASSERT_NO_THROW(saved.LoadAllDataFile(file));
    const CProgramSet& set = *saved.GetProgramSet();
    EXPECT_STREQ(set.GetProgram(5).GetProgramName(), "INITPROG");
    EXPECT_EQ(ImageOf(set.GetProgram(9)), five);
    EXPECT_STREQ(set.GetProgram(12).GetProgramName(), "INITPROG");
    EXPECT_EQ(ImageOf(set.GetProgram(20)), CSimInstrument::PatternProgram(300));
    EXPECT_EQ(ImageOf(set.GetProgram(30)), thirty);
}

// Prev Program from a program's edit window moves it to the program before its own: the
// notification that reloads it names that program.
TEST_F(AppCommands, PrevProgramMovesTheEditWindowToTheProgramBeforeIts)
{
    Start({file.wstring()});
    ClickRow(20, true);
    ASSERT_NE(Active(), nullptr);
    ASSERT_EQ(Active()->GetKind(), uint32_t{CBaseWindow::kKindProgramEdit}) << "the double click opens it";
    ASSERT_EQ(Active()->GetCurrentProgramNumber(), 20);
    struct Reloads : CWindowManagerListener
    {
        bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t, intptr_t, intptr_t p4,
                                   void*) override
        {
            if (code == kNotifyProgramReloaded)
                seen.push_back({p1, p4});
            return false;
        }
        std::vector<std::pair<intptr_t, intptr_t>> seen;
    } reloads;
    app->GetWindowManager()->AddListener(&reloads);
    Command(ID_WINDOW_PREV_PROGRAM);
    app->GetWindowManager()->RemoveListener(&reloads);
    EXPECT_EQ(reloads.seen, (std::vector<std::pair<intptr_t, intptr_t>>{{20, 19}}));
}

// Close Window closes the active window; a modified library closed with Yes to its question
// leaves its edits in its file.
TEST_F(AppCommands, CloseWindowClosesTheActiveWindowAndYesSavesTheEdits)
{
    Start({file.wstring()});
    ClickRow(3);
    Command(ID_EDIT_INITIALIZE);
    ASSERT_TRUE(Library()->IsModified());
    const HWND library = Library()->GetHwnd();
    presenter.boxes.clear();
    presenter.answers = {IDYES};
    Command(ID_WINDOW_CLOSE);
    EXPECT_FALSE(IsWindow(library));
    EXPECT_EQ(presenter.boxes.size(), 1u) << "the save question";
    CLibraryData saved;
    ASSERT_NO_THROW(saved.LoadAllDataFile(file));
    EXPECT_STREQ(saved.GetProgramSet()->GetProgram(3).GetProgramName(), "INITPROG");
}

// The version window and the MIDI monitor close and open again from their commands as live
// windows; the monitor's lines start fresh. A closed window's icons are destroyed with it.
TEST_F(AppCommands, UtilityWindowsOpenAgainAfterACloseAndTakeTheirIconsWithThem)
{
    Start({file.wstring()});
    std::vector<HICON> icons;
    const auto takeIcons = [&](HWND window)
    {
        for (WPARAM kind : {ICON_SMALL, ICON_BIG})
        {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
            ASSERT_NE(icon, nullptr);
            EXPECT_TRUE(IconExists(icon));
            icons.push_back(icon);
        }
    };

    Command(ID_HELP_VERSION);
    CVersionInfoWindow* version = editor->GetVersionWindow();
    ASSERT_NE(version, nullptr);
    const HWND firstVersion = version->GetHwnd();
    takeIcons(firstVersion);
    CloseBox(firstVersion);
    EXPECT_FALSE(IsWindow(firstVersion));
    EXPECT_EQ(editor->GetVersionWindow(), nullptr);
    Command(ID_HELP_VERSION);
    ASSERT_NE(editor->GetVersionWindow(), nullptr);
    EXPECT_NE(editor->GetVersionWindow()->GetHwnd(), firstVersion);
    EXPECT_TRUE(IsWindowVisible(editor->GetVersionWindow()->GetHwnd()));
    EXPECT_EQ(Active(), editor->GetVersionWindow());

    Command(ID_WINDOW_MIDI_MONITOR);
    CMidiMonitorWindow* monitor = editor->GetMidiMonitorWindow();
    ASSERT_NE(monitor, nullptr);
    ClickRow(40);
    Command(ID_MIDI_TRANSMIT_CURRENT);
    ASSERT_TRUE(PumpUntil([&] { return !monitor->GetLayer()->GetOutLine().empty(); }));
    const HWND firstMonitor = monitor->GetHwnd();
    takeIcons(firstMonitor);
    CloseBox(firstMonitor);
    EXPECT_FALSE(IsWindow(firstMonitor));
    EXPECT_EQ(editor->GetMidiMonitorWindow(), nullptr);
    Command(ID_WINDOW_MIDI_MONITOR);
    monitor = editor->GetMidiMonitorWindow();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(IsWindowVisible(monitor->GetHwnd()));
    EXPECT_EQ(monitor->GetLayer()->GetOutLine(), "");
    EXPECT_EQ(monitor->GetLayer()->GetInLine(), "");

    // A program's edit window, closed by Close Window.
    ClickRow(50, true);
    CBaseWindow* edit = Active();
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->GetKind(), uint32_t{CBaseWindow::kKindProgramEdit});
    const HWND editHwnd = edit->GetHwnd();
    takeIcons(editHwnd);
    Command(ID_WINDOW_CLOSE);
    EXPECT_FALSE(IsWindow(editHwnd));

    for (HICON icon : icons)
        EXPECT_FALSE(IconExists(icon)) << "an icon of a closed window is still there";
}
