// The library window in the real program against its simulated instrument, driven as a user
// drives it: menu commands, the confirmation's OK, the file dialog's typed path.

#include "e2e/CRunningProgram.h"

#include "foundation/CHfcMemoryOutputStream.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgramSet.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
constexpr UINT kFileOpen = 51001, kFileSaveAs = 51003, kFileExit = 51006, kReceiveAllData = 53000;

HWND FindChild(HWND frame, const wchar_t* title)
{
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    HWND child = client ? FindWindowExW(client, nullptr, L"Q3580MDIChildWindow", title) : nullptr;
    return child && IsWindowVisible(child) ? child : nullptr;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The client area's pixels as the display shows them, from row top of height rows.
std::vector<uint32_t> ClientPixels(HWND window, int top, int height)
{
    RECT r = {};
    GetClientRect(window, &r);
    return e2e::ClientPixels(window, {0, top, r.right, top + height});
}

class LibraryWindowEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
        m_file = e2e::BesideTestProgram(L"received_library.all");
        DeleteFileW(m_file.c_str());
    }
    void TearDown() override
    {
        DeleteFileW(m_file.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TARV\\Nuvorn Sound Editor");
    }
    std::wstring m_file;
};
} // namespace

// Disabled: the Save As step (the typed path) does not take yet.
TEST_F(LibraryWindowEndToEnd, DISABLED_ReceiveAllDataThenSaveAsThenOpenInASecondWindow)
{
    e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"));
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(program.WaitForIdle(frame));
    // Start-up opens an empty library.
    HWND first = nullptr;
    ASSERT_TRUE(UntilPressingOk(program, L"Nuvorn Sound Editor",
                                [&]
                                { return (first = FindChild(frame, L"Untitled - Program")) != nullptr; }));
    ASSERT_TRUE(program.WaitForPainted(first));
    const std::vector<uint32_t> emptyRows = ClientPixels(first, 37 + 112, 32 * 12);

    // Receive All Data: the confirmation's OK, then the instrument's set arrives.
    ASSERT_TRUE(program.ChooseMenuItemUntil(
        frame, kReceiveAllData, [&] { return program.WaitForDialog(L"Receive All Data", 0) != nullptr; }));
    EXPECT_TRUE(UntilPressingOk(program, L"Receive All Data",
                                [&] { return FindChild(frame, L"Untitled * - Program") != nullptr; }))
        << "the window is not marked modified after the receive";
    // Any result box goes too.
    UntilPressingOk(program, L"Receive All Data",
                    [&] { return program.WaitForDialog(L"Receive All Data", 300) == nullptr; });
    ASSERT_TRUE(program.WaitForIdle(frame));
    ASSERT_TRUE(program.WaitForPainted(first));
    WaitForSingleObject(program.GetProcessHandle(), 300);
    const std::vector<uint32_t> receivedRows = ClientPixels(first, 37 + 112, 32 * 12);
    EXPECT_NE(receivedRows, emptyRows) << "the list does not show the received names";
    EXPECT_TRUE(e2e::Screenshot(first, "library_window_received_mode0"));

    // Save As: the typed path; the title takes the file's name without the mark.
    ASSERT_TRUE(program.ChooseMenuItemUntil(frame, kFileSaveAs,
                                            [&] { return program.WaitForDialog(L"Save", 0) != nullptr; }));
    HWND save = program.WaitForDialog(L"Save");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(e2e::TypeIntoFileDialog(save, m_file));
    HWND saved = nullptr;
    EXPECT_TRUE(UntilPressingOk(
        program, L"Save",
        [&] { return (saved = FindChild(frame, L"received_library.all - Program")) != nullptr; }));

    // The file reads back in the data layer and writes the same bytes again.
    const std::vector<uint8_t> bytes = ReadFileBytes(m_file);
    ASSERT_FALSE(bytes.empty());
    CLibraryData library;
    ASSERT_NO_THROW(library.LoadAllDataFile(m_file));
    CHfcMemoryOutputStream out;
    library.WriteAllDataFile(out);
    EXPECT_EQ(std::vector<uint8_t>(out.GetData(), out.GetData() + out.GetLength()), bytes);
    // The instrument's names, not a fresh set.
    std::set<std::string> names;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        names.insert(std::string(library.GetProgramSet()->GetProgram(n).GetProgramName(), 8));
    EXPECT_GT(names.size(), 1u);

    // A second window opens the file and shows the same rows.
    ASSERT_TRUE(program.ChooseMenuItemUntil(frame, kFileOpen,
                                            [&] { return program.WaitForDialog(L"Open", 0) != nullptr; }));
    HWND open = program.WaitForDialog(L"Open");
    ASSERT_NE(open, nullptr);
    // Same path as the first window: that window comes forward instead. Copy it first.
    const std::wstring copy = e2e::BesideTestProgram(L"second_library.all");
    ASSERT_TRUE(CopyFileW(m_file.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(e2e::TypeIntoFileDialog(open, copy));
    HWND second = nullptr;
    EXPECT_TRUE(UntilPressingOk(
        program, L"Open",
        [&] { return (second = FindChild(frame, L"second_library.all - Program")) != nullptr; }));
    if (second)
    {
        ASSERT_TRUE(program.WaitForPainted(second));
        WaitForSingleObject(program.GetProcessHandle(), 300);
        const std::vector<uint32_t> secondRows = ClientPixels(second, 37 + 112, 32 * 12);
        // The first window had program A11 selected; the second none: compare from the second row.
        const size_t skip = secondRows.size() / 32;
        EXPECT_TRUE(std::equal(secondRows.begin() + skip, secondRows.end(), receivedRows.begin() + skip))
            << "the opened file does not show the same names";
    }
    DeleteFileW(copy.c_str());
    EXPECT_TRUE(program.ChooseMenuItemUntil(frame, kFileExit, [&] { return program.Exited(); }));
}
