// Damaged files opened through the real program's file dialogs (all data, J5 import, a program
// from the program popup, global data from the global page): each shows its error box and
// leaves the library windows as they were.

#include "e2e/CRunningProgram.h"

#include "support/DataFixtures.h"
#include "support/J5Fixtures.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CProgram.h"
#include "synthdata/ZmDataFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";
// The program popup's "Open..." stands for a command here: it has no menu id.
constexpr UINT kFileOpen = 51001, kFileImportJ5 = 51005, kProgramPopupOpen = 0, kGlobalPageLoad = 1;
// Points of the library window's client area: the page strip's PROGRAM and GLOBAL tabs and the
// global page's LOAD button.
constexpr POINT kProgramTab = {8 + 20, 7 + 10}, kGlobalTab = {8 + 120 + 20, 7 + 10},
                kLoad = {447 + 20, 37 + 55 + 8};

struct DamagedFile
{
    const char* name;
    UINT command;
    const wchar_t* title; // of the file dialog and of the error box
    Bytes bytes;
    const wchar_t* text;
};

Bytes Cut(const Bytes& bytes, size_t length)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

Bytes WithTag(Bytes bytes, const char* tag)
{
    std::copy(tag, tag + std::strlen(tag), bytes.begin());
    return bytes;
}

std::vector<DamagedFile> Cases()
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    const Bytes all = AllDataBytes(library);
    const Bytes j5 = MakeJ5Library(4);
    CProgram program;
    MakeDistinctProgram(program, 9);
    const std::filesystem::path programPath = std::filesystem::temp_directory_path() / "damaged_whole.prg";
    SaveDataToFile(program, programPath);
    const Bytes programFile = ReadFileBytes(programPath);
    std::filesystem::remove(programPath);
    SaveDataToFile(CGlobal(), programPath);
    const Bytes globalFile = ReadFileBytes(programPath);
    std::filesystem::remove(programPath);
    const wchar_t* const unsupported = L"The file is unsupported format.";
    return {
        {"all data, truncated", kFileOpen, L"Open", Cut(all, all.size() / 3), L"Failed to read data."},
        {"all data, zero length", kFileOpen, L"Open", {}, unsupported},
        {"all data, wrong tag", kFileOpen, L"Open", WithTag(all, "3580PrgD"), unsupported},
        {"J5 library, truncated", kFileImportJ5, L"Import J5 library file", Cut(j5, j5.size() / 2),
         L"Data size information is broken."},
        {"J5 library, zero length", kFileImportJ5, L"Import J5 library file", {}, unsupported},
        {"J5 library, wrong tag", kFileImportJ5, L"Import J5 library file", WithTag(j5, "741L"), unsupported},
        {"program, truncated", kProgramPopupOpen, L"Open Program Data File",
         Cut(programFile, programFile.size() / 2), L"Failed to read data."},
        {"program, zero length", kProgramPopupOpen, L"Open Program Data File", {}, unsupported},
        {"program, wrong tag", kProgramPopupOpen, L"Open Program Data File", WithTag(programFile, "3580GlbD"),
         unsupported},
        {"global, truncated", kGlobalPageLoad, L"Open Global Data File",
         Cut(globalFile, globalFile.size() / 2), L"Failed to read data."},
        {"global, zero length", kGlobalPageLoad, L"Open Global Data File", {}, unsupported},
        {"global, wrong tag", kGlobalPageLoad, L"Open Global Data File", WithTag(globalFile, "3580PrgD"),
         unsupported},
    };
}

std::vector<std::wstring> ChildTitles(HWND frame)
{
    std::vector<std::wstring> titles;
    for (HWND child : e2e::MdiChildren(frame))
        titles.push_back(e2e::WindowText(child));
    std::sort(titles.begin(), titles.end());
    return titles;
}

// The library window of whole.all, whichever page it shows.
HWND WholeLibrary(HWND frame)
{
    for (HWND child : e2e::MdiChildren(frame))
        if (e2e::WindowText(child).rfind(L"whole.all - ", 0) == 0)
            return child;
    return nullptr;
}

bool IsFileDialog(HWND dialog)
{
    return GetDlgItem(dialog, 1148) != nullptr || GetDlgItem(dialog, 1152) != nullptr;
}

// "Open..." of the program popup of the library window's first row: a right click there, then
// the keys that walk the menu to its seventh item and choose it.
bool ChooseProgramPopupOpen(const e2e::CRunningProgram& program, HWND library)
{
    const LPARAM row = MAKELPARAM(72, 37 + 112 + 6); // below the page strip, the list's first row
    PostMessageW(library, WM_MOUSEMOVE, 0, row);
    PostMessageW(library, WM_RBUTTONDOWN, MK_RBUTTON, row);
    PostMessageW(library, WM_RBUTTONUP, 0, row);
    HWND menu = program.WaitForPopupMenu(10000);
    if (!menu)
        return false;
    for (int i = 0; i < 7; ++i)
        e2e::PressKey(menu, VK_DOWN);
    e2e::PressKey(menu, VK_RETURN);
    return program.WaitForWindowGone(menu);
}

// Chooses the command and types the path into the file dialog it opens.
bool OpenThroughDialog(const e2e::CRunningProgram& program, HWND frame, UINT command, const wchar_t* title,
                       const std::filesystem::path& path)
{
    HWND dialog = nullptr;
    if (command == kGlobalPageLoad)
    {
        HWND library = WholeLibrary(frame);
        if (!library || !e2e::ClickAt(library, kGlobalTab.x, kGlobalTab.y) ||
            !program.WaitUntil([&] { return e2e::FindMdiChild(frame, L"whole.all - Global") != nullptr; }) ||
            !program.WaitForPainted(library) || !e2e::ClickAt(library, kLoad.x, kLoad.y))
            return false;
        dialog = program.WaitForDialog(title);
    }
    else if (command == kProgramPopupOpen)
    {
        HWND library = e2e::FindMdiChild(frame, L"whole.all - Program");
        if (!library || !ChooseProgramPopupOpen(program, library))
            return false;
        dialog = program.WaitForDialog(title);
    }
    else if (!program.ChooseMenuItemUntil(
                 frame, command, [&] { return (dialog = program.WaitForDialog(title, 0)) != nullptr; }))
        return false;
    return dialog && e2e::TypeIntoFileDialog(dialog, path.wstring()) && program.WaitForWindowGone(dialog);
}

// The first box with the title that is not a file dialog.
HWND WaitForBox(const e2e::CRunningProgram& program, const wchar_t* title)
{
    const ULONGLONG deadline = GetTickCount64() + e2e::kDefaultTimeoutMs;
    while (GetTickCount64() < deadline && !program.Exited())
    {
        HWND box = program.WaitForDialog(title, 100);
        if (box && !IsFileDialog(box))
            return box;
    }
    return nullptr;
}
} // namespace

TEST(DamagedFilesEndToEnd, EachShowsItsErrorBoxAndLeavesTheLibrariesAsTheyWere)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    const std::filesystem::path folder = std::filesystem::path(e2e::BesideTestProgram(L"damaged_files"));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);

    e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"));
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    const ULONGLONG settle = GetTickCount64() + 30000;
    while (GetTickCount64() < settle && !e2e::FindMdiChild(frame, L"Untitled - Program"))
        if (HWND box = program.WaitForDialog(nullptr, 100))
            e2e::PressButton(box, L"OK");
    ASSERT_TRUE(program.WaitForIdle(frame));

    // A whole library beside the empty one, to see that neither changes.
    CLibraryData library;
    MakeDistinctLibrary(library);
    const std::filesystem::path whole = folder / "whole.all";
    WriteFileBytes(whole, AllDataBytes(library));
    ASSERT_TRUE(OpenThroughDialog(program, frame, kFileOpen, L"Open", whole));
    ASSERT_TRUE(
        program.WaitUntil([&] { return e2e::FindMdiChild(frame, L"whole.all - Program") != nullptr; }));
    ASSERT_TRUE(program.WaitForIdle(frame));
    const std::vector<std::wstring> before = ChildTitles(frame);

    bool shot = false;
    for (const DamagedFile& c : Cases())
    {
        SCOPED_TRACE(c.name);
        const std::filesystem::path path =
            folder / (std::string(c.name).substr(0, 3) + std::to_string(c.bytes.size()) + ".bin");
        WriteFileBytes(path, c.bytes);
        ASSERT_TRUE(OpenThroughDialog(program, frame, c.command, c.title, path));
        HWND box = WaitForBox(program, c.title);
        ASSERT_NE(box, nullptr) << "no error box";
        const std::vector<std::wstring> texts = e2e::StaticTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), c.text), texts.end())
            << "box says: "
            << (texts.empty() ? std::string() : std::string(texts.back().begin(), texts.back().end()));
        if (!shot)
            shot = e2e::Screenshot(box, "damaged_file_box");
        e2e::PressButton(box, L"OK");
        ASSERT_TRUE(program.WaitForWindowGone(box));
        ASSERT_TRUE(program.WaitForIdle(frame));
        if (c.command == kGlobalPageLoad)
        {
            HWND library = WholeLibrary(frame);
            ASSERT_NE(library, nullptr);
            ASSERT_TRUE(e2e::ClickAt(library, kProgramTab.x, kProgramTab.y));
            ASSERT_TRUE(program.WaitUntil(
                [&] { return e2e::FindMdiChild(frame, L"whole.all - Program") != nullptr; }));
        }
        EXPECT_EQ(ChildTitles(frame), before) << "a window was added, closed or marked modified";
    }
    EXPECT_TRUE(program.ChooseMenuItemUntil(frame, 51006,
                                            [&]
                                            {
                                                if (HWND box = program.WaitForDialog(nullptr, 0))
                                                    e2e::PressButton(box, L"No");
                                                return program.Exited();
                                            }));
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}
