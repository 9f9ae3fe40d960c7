// Starts the real program, as a user does, with the simulated instrument beside it, and checks
// what appears on the display, what it leaves in the registry and how it ends.

#include "e2e/CRunningProgram.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace
{

const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";

std::wstring ProgramPath()
{
    return e2e::BesideTestProgram(L"NuvornSoundEditor.exe");
}

// The settings as the registry holds them: DWORD values as numbers, strings as text.
struct RegistryValues
{
    std::map<std::wstring, DWORD> numbers;
    std::map<std::wstring, std::wstring> texts;
    bool keyExists = false;
};

RegistryValues ReadSettingsKey()
{
    RegistryValues values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    values.keyExists = true;
    for (DWORD i = 0;; ++i)
    {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0;
        BYTE data[1024];
        DWORD size = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        if (type == REG_DWORD)
            values.numbers[name] = *reinterpret_cast<DWORD*>(data);
        else
            values.texts[name] = std::wstring(reinterpret_cast<wchar_t*>(data), size / sizeof(wchar_t));
    }
    RegCloseKey(key);
    return values;
}

// Also a key locked by LockSettingsKey: its owner may still give it an access list that lets
// everybody in (a null one) first.
void DeleteSettingsKey()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS)
    {
        SECURITY_DESCRIPTOR open;
        if (InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE))
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
        RegCloseKey(key);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// An empty access list: nobody, the program included, may open the key.
bool LockSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR descriptor;
    ACL acl;
    const bool locked = InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                        InitializeAcl(&acl, sizeof acl, ACL_REVISION) &&
                        SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE) &&
                        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return locked;
}

struct OuterBounds
{
    LONG x, y, width, height;
};

OuterBounds OuterRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class EditorStart : public ::testing::Test
{
protected:
    void SetUp() override { DeleteSettingsKey(); }
    void TearDown() override { DeleteSettingsKey(); }
};

// The values a first run writes: every setting at its default, and the preferences version.
// "ReceiveParameterChange" is read but never written.
const std::map<std::wstring, DWORD> kFirstRunNumbers = {
    {L"MainWindowX", 100},
    {L"MainWindowY", 100},
    {L"MainWindowWidth", 800},
    {L"MainWindowHeight", 600},
    {L"ProgramListMode", 0},
    {L"ProgramListShowInfo", 0},
    {L"ProgramListShowInfo4Lines", 1},
    {L"ProgramListShowInfo2Lines", 21},
    {L"ProgramListCategoryHold", 0},
    {L"KnobMode", 2},
    {L"IncDecDelay", 250},
    {L"ShowValueLayer", 0},
    {L"AutoDumpEnabled", 1},
    {L"ShowTipsLayer", 1},
    {L"MidiMonitorWindowShow", 0},
    {L"MidiMonitorWindowX", 0xFFFFFFFF},
    {L"MidiMonitorWindowY", 0xFFFFFFFF},
    {L"StatusLogWindowShow", 0},
    {L"StatusLogWindowX", 0xFFFFFFFF},
    {L"StatusLogWindowY", 0xFFFFFFFF},
    {L"PreferencesVersion", 1},
    {L"ReceiveOnStartup", 1},
    {L"MidiDeviceAutoScan", 1},
};

} // namespace

TEST_F(EditorStart, FirstRunOpensTheFrameTakesMenuCommandsAndWritesTheDefaults)
{
    e2e::CRunningProgram program(ProgramPath());
    ASSERT_TRUE(program.Started()) << "cannot start the program";

    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr) << "no frame appeared";
    ASSERT_TRUE(program.WaitForIdle(frame));
    ASSERT_TRUE(program.WaitForPainted(frame));
    // Which bar it is shows in the screenshot; the core's tests read its items.
    EXPECT_TRUE(e2e::HasMenuBar(frame));
    const OuterBounds shown = OuterRect(frame);
    EXPECT_EQ(shown.x, 100);
    EXPECT_EQ(shown.y, 100);
    EXPECT_EQ(shown.width, 800);
    EXPECT_EQ(shown.height, 600);
    EXPECT_TRUE(e2e::Screenshot(frame, "main_frame_empty"));

    // Options > Preference: the dialog opens over the frame; Cancel closes it.
    HWND preferences = nullptr;
    program.ChooseMenuItemUntil(
        frame, 54001, [&] { return (preferences = program.WaitForDialog(L"Preferences", 0)) != nullptr; });
    ASSERT_NE(preferences, nullptr) << "the preferences did not open";
    EXPECT_TRUE(e2e::Screenshot(preferences, "preferences_from_menu"));
    ASSERT_TRUE(e2e::PressButton(preferences, L"Cancel"));
    EXPECT_TRUE(program.WaitForWindowGone(preferences));
    ASSERT_TRUE(program.WaitForIdle(frame));

    // File > Exit ends the program normally.
    EXPECT_TRUE(program.ChooseMenuItemUntil(frame, 51006, [&] { return program.Exited(); }));
    EXPECT_EQ(program.WaitForExit(), 0);

    const RegistryValues written = ReadSettingsKey();
    ASSERT_TRUE(written.keyExists);
    EXPECT_EQ(written.numbers, kFirstRunNumbers);
    EXPECT_EQ(written.numbers.count(L"ReceiveParameterChange"), 0u);
    EXPECT_EQ(written.texts.size(), 2u);
    EXPECT_EQ(written.texts.count(L"MidiInDevice"), 1u);
    EXPECT_EQ(written.texts.count(L"MidiOutDevice"), 1u);
}

TEST_F(EditorStart, TheFrameComesBackWhereItWasAfterASecondRun)
{
    {
        e2e::CRunningProgram first(ProgramPath());
        HWND frame = first.WaitForWindow(kFrameClass, kFrameTitle);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(first.WaitForIdle(frame));
        ASSERT_TRUE(SetWindowPos(frame, nullptr, 140, 120, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(first.WaitForPainted(frame));
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ASSERT_EQ(first.WaitForExit(), 0);
    }
    const RegistryValues afterFirst = ReadSettingsKey();
    EXPECT_EQ(afterFirst.numbers.at(L"MainWindowX"), 140u);
    EXPECT_EQ(afterFirst.numbers.at(L"MainWindowY"), 120u);
    EXPECT_EQ(afterFirst.numbers.at(L"MainWindowWidth"), 700u);
    EXPECT_EQ(afterFirst.numbers.at(L"MainWindowHeight"), 500u);

    e2e::CRunningProgram second(ProgramPath());
    HWND frame = second.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(second.WaitForIdle(frame));
    const OuterBounds shown = OuterRect(frame);
    EXPECT_EQ(shown.x, 140);
    EXPECT_EQ(shown.y, 120);
    EXPECT_EQ(shown.width, 700);
    EXPECT_EQ(shown.height, 500);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(second.WaitForExit(), 0);

    const RegistryValues afterSecond = ReadSettingsKey();
    for (const wchar_t* name : {L"MainWindowX", L"MainWindowY", L"MainWindowWidth", L"MainWindowHeight"})
        EXPECT_EQ(afterSecond.numbers.at(name), afterFirst.numbers.at(name)) << name;
}

TEST_F(EditorStart, AStartThatCannotReadItsSettingsSaysSoOnceAndExitsWithCodeOne)
{
    ASSERT_TRUE(LockSettingsKey());
    e2e::CRunningProgram program(ProgramPath());
    ASSERT_TRUE(program.Started());

    HWND box = program.WaitForDialog(L"Error");
    ASSERT_NE(box, nullptr) << "no error box appeared";
    const std::vector<std::wstring> texts = e2e::StaticTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        L"Failed to initialize the application. : Failed to read settings."),
              texts.end());
    EXPECT_TRUE(e2e::Screenshot(box, "startup_failure_box"));
    ASSERT_TRUE(e2e::PressButton(box, L"OK"));

    // A second box would hold the program open.
    EXPECT_EQ(program.WaitForExit(), 1);
    EXPECT_EQ(program.WaitForWindow(kFrameClass, nullptr, 0), nullptr);
}

TEST_F(EditorStart, ArgumentsThatAreNotAllDataFilesAreSkipped)
{
    const std::wstring other = e2e::BesideTestProgram(L"not_all_data.bin");
    FILE* file = _wfopen(other.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fputs("3580Prog and more", file);
    std::fclose(file);

    e2e::CRunningProgram program(ProgramPath(), {L"-switch", L"/another", other, L"Z:\\no\\such\\file.all"});
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    // Start-up ends without a box about the arguments, and the program takes commands.
    ASSERT_TRUE(program.WaitForIdle(frame));
    EXPECT_TRUE(program.ChooseMenuItemUntil(frame, 51006, [&] { return program.Exited(); }));
    EXPECT_EQ(program.WaitForExit(), 0);
    DeleteFileW(other.c_str());
}

TEST(EditorProgram, CarriesItsNameAndVersion)
{
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    wchar_t* name = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, L"Nuvorn Sound Editor");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
}

namespace
{
// A shown MDI child of the frame with the title, or null.
HWND FindChild(HWND frame, const wchar_t* title)
{
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    HWND child = client ? FindWindowExW(client, nullptr, L"Q3580MDIChildWindow", title) : nullptr;
    return child && IsWindowVisible(child) ? child : nullptr;
}
} // namespace

TEST_F(EditorStart, TheWindowMenuOpensTheMonitorAndTheLogAndHelpTheVersion)
{
    e2e::CRunningProgram program(ProgramPath());
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(program.WaitForIdle(frame));
    struct Opened
    {
        UINT command;
        const wchar_t* title;
        const char* screenshot;
    };
    // The version window first: the monitor and the log stay on top of the other windows.
    const Opened windows[] = {
        {56000, L"Version", "version_window"},
        {55000, L"MIDI Monitor", "midi_monitor_window"},
        {55001, L"Log", "status_log_window"},
    };
    for (const Opened& w : windows)
    {
        HWND child = nullptr;
        EXPECT_TRUE(program.ChooseMenuItemUntil(
            frame, w.command, [&] { return (child = FindChild(frame, w.title)) != nullptr; }))
            << "no window after the menu command";
        if (!child)
            continue;
        ASSERT_TRUE(program.WaitForPainted(child));
        // The layers draw on the 60 ms tick: a few ticks, then the picture.
        WaitForSingleObject(program.GetProcessHandle(), 500);
        EXPECT_TRUE(e2e::Screenshot(child, w.screenshot));
    }
    EXPECT_TRUE(program.ChooseMenuItemUntil(frame, 51006, [&] { return program.Exited(); }));
    EXPECT_EQ(program.WaitForExit(), 0);
    // Both were open at the exit: the next start opens them again.
    const RegistryValues values = ReadSettingsKey();
    EXPECT_EQ(values.numbers.at(L"MidiMonitorWindowShow"), 1u);
    EXPECT_EQ(values.numbers.at(L"StatusLogWindowShow"), 1u);
}
