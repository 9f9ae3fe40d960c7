// The library window in the real program against its simulated instrument, driven as a user
// drives it: menu commands, the confirmation's OK, the file dialog's typed path, the mode
// switches and the close box.

#include "e2e/CRunningProgram.h"

#include "foundation/CHfcMemoryOutputStream.h"
#include "resources/AppMenuIds.h"
#include "support/CSimControl.h"
#include "support/SettingsRegistry.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgramSet.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
const wchar_t* const kUntitled = L"Untitled - Program";
const wchar_t* const kUntitledModified = L"Untitled * - Program";

// The program list inside a library window's client area: below the page strip, the rows of
// the first bank (32 rows of 12 pixels from y 112 of the list).
constexpr int kStripHeight = 37, kRowsTop = kStripHeight + 112, kRowsHeight = 32 * 12, kRowHeight = 12;
// The mode switches of the list ("4 COLS" mode 1, "2 COLS" mode 0), in client coordinates.
constexpr int kMode1SwitchX = 396 + 8, kMode0SwitchX = 447 + 8, kSwitchY = kStripHeight + 55 + 4;

using nvtest::kSettingsKey;
using nvtest::SetSetting;

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An all-data file of 128 programs named from the stem ("<stem>000" and on) and the global data.
void WriteLibraryFile(const std::wstring& path, const char* stem)
{
    CLibraryData library;
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
    CProgramSet* set = library.GetProgramSet();
    set->Init();
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        char name[16];
        std::snprintf(name, sizeof name, "%.4s%03u", stem, n);
        set->GetProgram(n).SetProgramName(name);
    }
    library.SaveAllDataFile(path);
}

// A band of the window's client area as the display shows it (the window must lie on top).
std::vector<uint32_t> ClientPixels(HWND window, int top, int height)
{
    RECT r = {};
    GetClientRect(window, &r);
    return e2e::ClientPixels(window, {0, top, r.right, top + height});
}

// The first bytes of the image, as many as the instrument keeps of it.
std::vector<uint8_t> Prefix(const uint8_t* image, size_t size, size_t count)
{
    return std::vector<uint8_t>(image, image + std::min(size, count));
}

// How many distinct colours the band holds: a band of one colour (black, say) shows nothing.
size_t ColourCount(const std::vector<uint32_t>& pixels)
{
    return std::set<uint32_t>(pixels.begin(), pixels.end()).size();
}

class LibraryWindowEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        // A frame large enough for a whole library window; the receive is the menu's.
        SetSetting(L"MainWindowX", 0);
        SetSetting(L"MainWindowY", 0);
        SetSetting(L"MainWindowWidth", 1000);
        SetSetting(L"MainWindowHeight", 760);
        SetSetting(L"ReceiveOnStartup", 0);
    }
    void TearDown() override
    {
        if (m_program && !m_program->Exited())
        {
            // Whatever is left unsaved is let go: No to every question.
            m_program->ChooseMenuItemUntil(m_frame, ID_FILE_EXIT,
                                           [&]
                                           {
                                               if (HWND box = m_program->WaitForDialog(L"Confirm", 0))
                                                   e2e::PressButton(box, L"No");
                                               return m_program->Exited();
                                           });
        }
        m_program.reset();
        for (const std::wstring& file : m_files)
            DeleteFileW(file.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }

    // A file beside the test program, deleted when the test ends.
    std::wstring File(const wchar_t* name)
    {
        m_files.push_back(e2e::BesideTestProgram(name));
        DeleteFileW(m_files.back().c_str());
        return m_files.back();
    }

    // The program started with the arguments, its frame up and its start-up done.
    void Start(const std::vector<std::wstring>& arguments = {})
    {
        m_program = std::make_unique<e2e::CRunningProgram>(
            e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), arguments,
            std::vector<std::wstring>{m_control.GetEnvironment()});
        ASSERT_TRUE(m_program->Started());
        m_frame = m_program->WaitForWindow(kFrameClass, kFrameTitle);
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(m_program->WaitForIdle(m_frame));
    }

    // The shown library window titled so, once it shows (OK on any box of the program's start-up
    // meanwhile); null when it does not.
    HWND WaitForChild(const wchar_t* title)
    {
        HWND child = nullptr;
        UntilPressingOk(kFrameTitle, [&] { return (child = FindChild(title)) != nullptr; });
        if (child)
            m_program->WaitForPainted(child);
        return child;
    }

    HWND FindChild(const wchar_t* title) const { return e2e::FindMdiChild(m_frame, title); }

    template <typename Done> bool UntilPressingOk(const wchar_t* boxTitle, Done done)
    {
        return e2e::UntilPressingOk(*m_program, boxTitle, done);
    }

    // The menu command, then its confirmation box (the one with OK and Cancel) answered OK.
    bool ChooseConfirmed(UINT command, const wchar_t* boxTitle)
    {
        HWND box = nullptr;
        const bool shown = m_program->ChooseMenuItemUntil(m_frame, command,
                                                          [&]
                                                          {
                                                              box = m_program->WaitForDialog(boxTitle, 0);
                                                              return box && e2e::FindButton(box, L"Cancel") &&
                                                                     e2e::FindButton(box, L"OK");
                                                          });
        return shown && e2e::PressButton(box, L"OK");
    }

    // Receive All Data from the menu: the window is marked modified, the result box goes.
    bool ReceiveAllData(HWND window)
    {
        if (!ChooseConfirmed(ID_MIDI_RECEIVE_ALL_DATA, L"Receive All Data"))
            return false;
        const bool marked = UntilPressingOk(L"Receive All Data", [&] { return IsModifiedTitle(window); });
        Settle(window);
        return marked;
    }

    static bool IsModifiedTitle(HWND window)
    {
        return e2e::WindowText(window).find(L" * - ") != std::wstring::npos;
    }

    // No box of the program open, the window on top and painted.
    void Settle(HWND window)
    {
        UntilPressingOk(L"Receive All Data", [&] { return m_program->WaitForIdle(m_frame, 300); });
        BringForward(window);
        m_program->WaitForPainted(window);
        // The display takes what the window drew a moment later.
        WaitForSingleObject(m_program->GetProcessHandle(), 300);
    }

    void BringForward(HWND window)
    {
        HWND client = GetParent(window);
        DWORD_PTR ignored;
        SendMessageTimeoutW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0, SMTO_BLOCK, 5000,
                            &ignored);
    }

    std::vector<uint32_t> Rows(HWND window) { return ClientPixels(window, kRowsTop, kRowsHeight); }

    // A click of the left button, then the window repainted.
    void Click(HWND window, int x, int y)
    {
        e2e::ClickAt(window, x, y);
        m_program->WaitForPainted(window);
        WaitForSingleObject(m_program->GetProcessHandle(), 300);
    }

    // The instrument's folder, emptied for each test: its memory starts as the instrument's own.
    CSimControl m_control{e2e::BesideTestProgram(L"library_e2e_instrument")};
    std::unique_ptr<e2e::CRunningProgram> m_program;
    HWND m_frame = nullptr;
    std::vector<std::wstring> m_files;
};
} // namespace

TEST_F(LibraryWindowEndToEnd, ReceiveAllDataThenSaveAsThenOpenInASecondWindow)
{
    const std::wstring file = File(L"received_library.all");
    const std::wstring copy = File(L"second_library.all");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND first = WaitForChild(kUntitled);
    ASSERT_NE(first, nullptr);
    Settle(first);
    const std::vector<uint32_t> emptyRows = Rows(first);
    EXPECT_GT(ColourCount(ClientPixels(first, 0, kStripHeight)), 8u) << "the page strip shows nothing";

    ASSERT_TRUE(ReceiveAllData(first)) << "the window is not marked modified after the receive";
    EXPECT_EQ(e2e::WindowText(first), kUntitledModified);
    const std::vector<uint32_t> receivedRows = Rows(first);
    EXPECT_NE(receivedRows, emptyRows) << "the list does not show the received names";

    // Save As: the typed path; the title takes the file's name without the mark.
    ASSERT_TRUE(m_program->ChooseMenuItemUntil(
        m_frame, ID_FILE_SAVE_AS, [&] { return m_program->WaitForDialog(L"Save", 0) != nullptr; }));
    HWND save = m_program->WaitForDialog(L"Save");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(e2e::TypeIntoFileDialog(save, file));
    EXPECT_TRUE(
        UntilPressingOk(L"Save", [&] { return FindChild(L"received_library.all - Program") != nullptr; }))
        << "title " << testing::PrintToString(e2e::WindowText(first));

    // The file reads back in the data layer and writes the same bytes again.
    const std::vector<uint8_t> bytes = ReadFileBytes(file);
    ASSERT_FALSE(bytes.empty());
    CLibraryData library;
    ASSERT_NO_THROW(library.LoadAllDataFile(file));
    CHfcMemoryOutputStream out;
    library.WriteAllDataFile(out);
    EXPECT_EQ(std::vector<uint8_t>(out.GetData(), out.GetData() + out.GetLength()), bytes);
    // The instrument's names, not a fresh set.
    std::set<std::string> names;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        names.insert(std::string(library.GetProgramSet()->GetProgram(n).GetProgramName(), 8));
    EXPECT_EQ(names.size(), CProgramSet::kProgramCount);

    // A second window opens a copy of the file (the same path would bring the first window
    // forward instead) and shows the same rows.
    ASSERT_TRUE(CopyFileW(file.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(m_program->ChooseMenuItemUntil(
        m_frame, ID_FILE_OPEN, [&] { return m_program->WaitForDialog(L"Open", 0) != nullptr; }));
    HWND open = m_program->WaitForDialog(L"Open");
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(e2e::TypeIntoFileDialog(open, copy));
    HWND second = nullptr;
    ASSERT_TRUE(UntilPressingOk(
        L"Open", [&] { return (second = FindChild(L"second_library.all - Program")) != nullptr; }));
    Settle(second);
    const std::vector<uint32_t> secondRows = Rows(second);
    // The first window has program A11 selected, the second none: compared from the second row.
    const size_t skip = secondRows.size() / 32;
    ASSERT_EQ(secondRows.size(), receivedRows.size());
    EXPECT_TRUE(std::equal(secondRows.begin() + skip, secondRows.end(), receivedRows.begin() + skip))
        << "the opened file does not show the same names";
}

TEST_F(LibraryWindowEndToEnd, EachListModeShowsTheReceivedSet)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND window = WaitForChild(kUntitled);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(ReceiveAllData(window));
    // From mode 0: "4 COLS" gives mode 1; "2 COLS" mode 0 again; "2 COLS" once more, both dark,
    // mode 2.
    const struct
    {
        int switchX;
        const char* screenshot;
    } steps[] = {
        {0, "library_window_mode0"},
        {kMode1SwitchX, "library_window_mode1"},
        {kMode0SwitchX, nullptr},
        {kMode0SwitchX, "library_window_mode2"},
    };
    std::vector<std::vector<uint32_t>> shown, switches;
    for (const auto& step : steps)
    {
        if (step.switchX)
            Click(window, step.switchX, kSwitchY);
        Settle(window);
        const std::vector<uint32_t> rows = Rows(window);
        EXPECT_GT(ColourCount(rows), 2u) << step.switchX;
        if (step.screenshot)
        {
            EXPECT_TRUE(e2e::Screenshot(window, step.screenshot));
            shown.push_back(rows);
            switches.push_back(ClientPixels(window, kSwitchY - 6, 16));
        }
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    EXPECT_NE(shown[0], shown[2]);
    // The switch of the mode lights, the other is dark; in mode 2 both are.
    EXPECT_NE(switches[0], switches[1]);
    EXPECT_NE(switches[1], switches[2]);
    EXPECT_NE(switches[0], switches[2]);
}

TEST_F(LibraryWindowEndToEnd, ClosingWithUnsavedChangesAsksAndCancelKeepsEverything)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND window = WaitForChild(kUntitled);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(ReceiveAllData(window));
    const std::vector<uint32_t> rows = Rows(window);

    // The close box: the question names the document; Cancel keeps the window as it was.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = m_program->WaitForDialog(L"Confirm");
    ASSERT_NE(question, nullptr) << "closing a modified window does not ask";
    const std::vector<std::wstring> texts = e2e::StaticTexts(question);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::wstring& t)
                            { return t.find(L"\"Untitled\"") != std::wstring::npos; }));
    ASSERT_TRUE(e2e::PressButton(question, L"Cancel"));
    ASSERT_TRUE(m_program->WaitForWindowGone(question));
    Settle(window);
    EXPECT_TRUE(IsWindow(window) && IsWindowVisible(window));
    EXPECT_EQ(e2e::WindowText(window), kUntitledModified);
    EXPECT_EQ(Rows(window), rows) << "Cancel changed what the window shows";

    // Again, and No: the window goes unsaved, the program stays.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    question = m_program->WaitForDialog(L"Confirm");
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(e2e::PressButton(question, L"No"));
    EXPECT_TRUE(m_program->WaitForWindowGone(window));
    EXPECT_FALSE(m_program->Exited());
}

TEST_F(LibraryWindowEndToEnd, TwoFilesOnTheCommandLineOpenTwoWindows)
{
    const std::wstring a = File(L"command_line_a.all"), b = File(L"command_line_b.all");
    WriteLibraryFile(a, "AAAA");
    WriteLibraryFile(b, "BBBB");
    ASSERT_NO_FATAL_FAILURE(Start({a, b}));
    HWND first = WaitForChild(L"command_line_a.all - Program");
    HWND second = WaitForChild(L"command_line_b.all - Program");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FindChild(kUntitled), nullptr) << "an empty library opened beside the files";
    Settle(first);
    const std::vector<uint32_t> firstRows = Rows(first);
    Settle(second);
    const std::vector<uint32_t> secondRows = Rows(second);
    EXPECT_GT(ColourCount(firstRows), 2u);
    EXPECT_NE(firstRows, secondRows) << "both windows show the same programs";
}

TEST_F(LibraryWindowEndToEnd, WriteAllDataLeavesTheInstrumentHoldingTheLibrary)
{
    const std::wstring file = File(L"written_library.all");
    WriteLibraryFile(file, "WRIT");
    CLibraryData library;
    library.LoadAllDataFile(file);
    ASSERT_NO_FATAL_FAILURE(Start({file}));
    HWND window = WaitForChild(L"written_library.all - Program");
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(ChooseConfirmed(ID_MIDI_WRITE_ALL_DATA, L"Write All Data"));
    // The result box goes; the instrument saves its memory soon after the last write.
    const auto holdsLibrary = [&]
    {
        std::vector<CSimControl::Message> programs;
        CSimControl::Message global, editBuffer;
        if (!m_control.ReadMemory(programs, global, editBuffer) ||
            programs.size() != CProgramSet::kProgramCount)
            return false;
        for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        {
            const CProgram& program = library.GetProgramSet()->GetProgram(n);
            if (programs[n].empty() ||
                programs[n] != Prefix(program.GetImage(), program.GetImageSize(), programs[n].size()))
                return false;
        }
        const CGlobal* data = library.GetGlobal();
        return !global.empty() && global == Prefix(data->GetImage(), data->GetImageSize(), global.size());
    };
    EXPECT_TRUE(UntilPressingOk(L"Write All Data", holdsLibrary))
        << "the instrument's memory is not the library";
    // Writing changes nothing in the document.
    Settle(window);
    EXPECT_EQ(e2e::WindowText(window), L"written_library.all - Program");
}

TEST_F(LibraryWindowEndToEnd, AnInstrumentThatStopsAnsweringLeavesTheProgramsThatArrived)
{
    constexpr uint32_t kSilentAt = 40;
    CSimBehaviour behaviour;
    behaviour.silentAtProgram = kSilentAt;
    ASSERT_TRUE(m_control.SetBehaviour(behaviour));
    const std::wstring file = File(L"partial_library.all");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND window = WaitForChild(kUntitled);
    ASSERT_NE(window, nullptr);
    // The log window, open before the receive, on top of the library window.
    HWND log = nullptr;
    ASSERT_TRUE(m_program->ChooseMenuItemUntil(m_frame, ID_WINDOW_LOG,
                                               [&] { return (log = FindChild(L"Log")) != nullptr; }));
    Settle(log);
    const std::vector<uint32_t> logBefore = ClientPixels(log, 0, 120);
    BringForward(window);

    ASSERT_TRUE(ChooseConfirmed(ID_MIDI_RECEIVE_ALL_DATA, L"Receive All Data"));
    // The reply time-out: a box says so.
    HWND box = nullptr;
    ASSERT_TRUE(CSimControl::WaitFor(
        [&]
        {
            box = m_program->WaitForDialog(L"Receive All Data", 0);
            if (!box || e2e::FindButton(box, L"Cancel"))
                return false;
            const std::vector<std::wstring> texts = e2e::StaticTexts(box);
            return std::any_of(texts.begin(), texts.end(),
                               [](const std::wstring& t)
                               { return t.find(L"Timeout") != std::wstring::npos; });
        },
        30000))
        << "no time-out box";
    EXPECT_TRUE(e2e::Screenshot(box, "library_receive_timeout_box"));
    ASSERT_TRUE(e2e::PressButton(box, L"OK"));
    EXPECT_TRUE(UntilPressingOk(L"Receive All Data", [&] { return IsModifiedTitle(window); }))
        << "the programs that arrived do not mark the window modified";
    Settle(log);
    EXPECT_NE(ClientPixels(log, 0, 120), logBefore) << "the log shows no new line";
    EXPECT_TRUE(e2e::Screenshot(log, "library_receive_timeout_log"));

    // What the window holds, saved: programs 0..39 as the instrument has them, the rest as a new
    // library's.
    // The menu's Save As goes to the active window: the library's again.
    BringForward(window);
    ASSERT_TRUE(m_program->ChooseMenuItemUntil(
        m_frame, ID_FILE_SAVE_AS, [&] { return m_program->WaitForDialog(L"Save", 0) != nullptr; }));
    HWND save = m_program->WaitForDialog(L"Save");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(e2e::TypeIntoFileDialog(save, file));
    ASSERT_TRUE(
        UntilPressingOk(L"Save", [&] { return FindChild(L"partial_library.all - Program") != nullptr; }));
    CLibraryData saved;
    ASSERT_NO_THROW(saved.LoadAllDataFile(file));
    std::vector<CSimControl::Message> programs;
    CSimControl::Message global, editBuffer;
    ASSERT_TRUE(m_control.ReadMemory(programs, global, editBuffer));
    ASSERT_EQ(programs.size(), CProgramSet::kProgramCount);
    CProgramSet fresh;
    fresh.Init();
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        const CProgram& program = saved.GetProgramSet()->GetProgram(n);
        const std::vector<uint8_t> image =
            Prefix(program.GetImage(), program.GetImageSize(), programs[n].size());
        if (n < kSilentAt)
            EXPECT_EQ(image, programs[n]) << "program " << n << " did not arrive";
        else
            EXPECT_EQ(std::vector<uint8_t>(program.GetImage(), program.GetImage() + program.GetImageSize()),
                      std::vector<uint8_t>(fresh.GetProgram(n).GetImage(),
                                           fresh.GetProgram(n).GetImage() + program.GetImageSize()))
                << "program " << n << " changed after the time-out";
    }
}
