// The library window's global page in the real program against its simulated instrument, driven
// as a user drives it: the page strip's GLOBAL tab, the page's buttons, the mouse wheel on a value
// field, a double click in the CC map and its dialog, the Edit menu's Revert, typed file paths.
// What the instrument holds is read from its own memory file.

#include "e2e/CRunningProgram.h"

#include "resources/AppMenuIds.h"

#include "support/CSimControl.h"

#include "synthdata/CGlobal.h"
#include "synthdata/CQ3580GlobalAccessor.h"
#include "synthdata/ZmDataFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kFrameClass = L"Q3580MDIFrameWindow";
const wchar_t* const kFrameTitle = L"Nuvorn Sound Editor";
const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";

using Bytes = std::vector<uint8_t>;

// Places in the library window's client area: the page strip is 37 pixels high, the global page
// lies under it, its sub-page panel from (28, 139) of the page.
constexpr int kStrip = 37;
constexpr POINT kGlobalTab = {8 + 120 + 20, 7 + 10};
// The page's own tabs of its two sub-pages, 75 pixels wide with 5 between them.
constexpr POINT kGridTab = {27 + 37, kStrip + 114 + 8};
constexpr POINT kCcMapTab = {27 + 80 + 37, kStrip + 114 + 8};
constexpr POINT kReceive = {345 + 20, kStrip + 55 + 8};
constexpr POINT kWrite = {396 + 20, kStrip + 55 + 8};
constexpr POINT kLoad = {447 + 20, kStrip + 55 + 8};
constexpr POINT kSave = {498 + 20, kStrip + 55 + 8};
// The value fields of the grid's first column.
constexpr RECT kGridValues = {28 + 147, kStrip + 139 + 14, 28 + 147 + 84, kStrip + 139 + 8 * 14};
// Master Tune's value field: grid row 1, 147 pixels right of its name.
constexpr POINT kMasterTune = {28 + 147 + 20, kStrip + 139 + 14 + 4};
// The CC map's third entry, "OSC 1 Wave": lines of 11 pixels from the panel's top.
constexpr int kMapEntry = 2;
constexpr POINT kMapItem = {28 + 60, kStrip + 139 + kMapEntry * 11 + 5};

CGlobal GlobalOf(const Bytes& image)
{
    CGlobal global;
    global.Init();
    EXPECT_EQ(image.size(), global.GetImageSize());
    std::memcpy(global.GetImage(), image.data(), std::min<size_t>(image.size(), global.GetImageSize()));
    return global;
}

Bytes ImageOf(const CGlobal& global)
{
    return Bytes(global.GetImage(), global.GetImage() + global.GetImageSize());
}

CZmGlobalAccessor& Accessor()
{
    return *CZmGlobalAccessorSingleton::Get();
}

class GlobalPageEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CZmGlobalAccessorSingleton::Acquire();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        // A new library keeps its own global data until the page receives.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        // The frame large enough for the whole library window in the screenshots.
        const struct
        {
            const wchar_t* name;
            DWORD value;
        } settings[] = {{L"ReceiveOnStartup", 0}, {L"MainWindowWidth", 840}, {L"MainWindowHeight", 720}};
        for (const auto& setting : settings)
            RegSetValueExW(key, setting.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&setting.value),
                           sizeof setting.value);
        RegCloseKey(key);
        m_folder = e2e::BesideTestProgram(L"global_page_e2e");
        m_edited = m_folder + L"_edited.nvrn_glob";
        m_reverted = m_folder + L"_reverted.nvrn_glob";
        DeleteFileW(m_edited.c_str());
        DeleteFileW(m_reverted.c_str());
    }
    void TearDown() override
    {
        DeleteFileW(m_edited.c_str());
        DeleteFileW(m_reverted.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        CZmGlobalAccessorSingleton::Release();
    }

    std::wstring m_folder, m_edited, m_reverted;
};

// The instrument's global memory as last saved; false while it has no whole memory file.
bool ReadGlobal(const CSimControl& instrument, Bytes& global)
{
    std::vector<CSimControl::Message> programs;
    CSimControl::Message editBuffer;
    return instrument.ReadMemory(programs, global, editBuffer) && !global.empty();
}

// Until the condition holds, checked every 20 ms, for at most 30 s.
template <typename Condition> bool Eventually(const e2e::CRunningProgram& program, Condition condition)
{
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (GetTickCount64() < deadline && !program.Exited())
    {
        if (condition())
            return true;
        WaitForSingleObject(program.GetProcessHandle(), 20);
    }
    return condition();
}

// The confirmation with the title appears on the click and is answered OK.
bool ClickAndConfirm(const e2e::CRunningProgram& program, HWND window, POINT at, const wchar_t* title)
{
    if (!e2e::ClickAt(window, at.x, at.y))
        return false;
    HWND box = program.WaitForDialog(title);
    return box && e2e::PressButton(box, L"OK") && program.WaitForWindowGone(box);
}

// The file dialog the click opens takes the typed path and goes.
bool ClickAndTypePath(const e2e::CRunningProgram& program, HWND window, POINT at, const std::wstring& path)
{
    if (!e2e::ClickAt(window, at.x, at.y))
        return false;
    HWND dialog = nullptr;
    if (!Eventually(program,
                    [&] { return (dialog = e2e::FindFileDialog(program.GetProcessId())) != nullptr; }))
        return false;
    return e2e::TypeIntoFileDialog(dialog, path) && program.WaitForWindowGone(dialog);
}
} // namespace

TEST_F(GlobalPageEndToEnd, ReceiveEditWriteRevertSaveAndLoadFromTheGlobalPage)
{
    CSimControl instrument(m_folder);
    e2e::CRunningProgram program(e2e::BesideTestProgram(L"NuvornSoundEditor.exe"), {},
                                 {instrument.GetEnvironment()});
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(kFrameClass, kFrameTitle);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(program.WaitForIdle(frame));
    HWND library = nullptr;
    ASSERT_TRUE(e2e::UntilPressingOk(
        program, kFrameTitle,
        [&] { return (library = e2e::FindMdiChild(frame, L"Untitled - Program")) != nullptr; }));
    ASSERT_TRUE(program.WaitForIdle(frame));

    // What the instrument holds before anything is sent to it.
    Bytes onInstrument;
    ASSERT_TRUE(Eventually(program, [&] { return ReadGlobal(instrument, onInstrument); }));
    const Bytes received = onInstrument;

    // The page strip's GLOBAL tab, then RECEIVE and its confirmation.
    ASSERT_TRUE(e2e::ClickAt(library, kGlobalTab.x, kGlobalTab.y));
    ASSERT_TRUE(Eventually(program, [&] { return e2e::WindowText(library) == L"Untitled - Global"; }))
        << "the GLOBAL tab does not show the global page";
    ASSERT_TRUE(program.WaitForPainted(library));
    const std::vector<uint32_t> newGrid = e2e::ClientPixels(library, kGridValues);
    ASSERT_GT(std::set<uint32_t>(newGrid.begin(), newGrid.end()).size(), 2u) << "the grid is not painted";
    ASSERT_TRUE(ClickAndConfirm(program, library, kReceive, L"Receive Global Data"));
    EXPECT_TRUE(Eventually(program, [&] { return e2e::WindowText(library) == L"Untitled * - Global"; }))
        << "the receive does not mark the library modified";
    ASSERT_TRUE(program.WaitForPainted(library));
    std::vector<uint32_t> receivedGrid;
    EXPECT_TRUE(Eventually(program,
                           [&]
                           {
                               receivedGrid = e2e::ClientPixels(library, kGridValues);
                               return receivedGrid != newGrid;
                           }))
        << "the grid does not show the received values";
    EXPECT_TRUE(e2e::Screenshot(library, "global_page_received_grid"));

    // Master Tune one notch of the wheel away from the received value.
    const CGlobal receivedGlobal = GlobalOf(received);
    const int32_t tune = Accessor().GetValue(&receivedGlobal, 0, 0);
    const int notch = tune < Accessor().GetMax({0, 0, 0}) ? 1 : -1;
    ASSERT_TRUE(e2e::WheelAt(library, kMasterTune.x, kMasterTune.y, notch));

    // A CC map entry through its dialog: CC 40 (the list offers Off, then 0 to 95).
    ASSERT_TRUE(e2e::ClickAt(library, kCcMapTab.x, kCcMapTab.y));
    ASSERT_TRUE(program.WaitForPainted(library));
    WaitForSingleObject(program.GetProcessHandle(), 300);
    EXPECT_TRUE(e2e::Screenshot(library, "global_page_received_cc_map"));
    ASSERT_TRUE(e2e::DoubleClickAt(library, kMapItem.x, kMapItem.y));
    HWND map = program.WaitForDialog(L"CC# Map");
    ASSERT_NE(map, nullptr) << "a double click on an entry does not open the map dialog";
    const std::vector<std::wstring> labels = e2e::StaticTexts(map);
    EXPECT_NE(std::find(labels.begin(), labels.end(), L"OSC 1 Wave"), labels.end());
    HWND choice = e2e::FindChildOfClass(map, L"ComboBox");
    ASSERT_NE(choice, nullptr);
    SendMessageW(choice, CB_SETCURSEL, 41, 0);
    ASSERT_TRUE(e2e::PressButton(map, L"OK"));
    ASSERT_TRUE(program.WaitForWindowGone(map));

    // WRITE: the instrument holds the received image with just those two changes.
    ASSERT_TRUE(ClickAndConfirm(program, library, kWrite, L"Write Global Data"));
    ASSERT_TRUE(
        Eventually(program, [&] { return ReadGlobal(instrument, onInstrument) && onInstrument != received; }))
        << "the write does not reach the instrument";
    const CGlobal written = GlobalOf(onInstrument);
    EXPECT_EQ(Accessor().GetValue(&written, 0, 0) - tune > 0, notch > 0) << "Master Tune moved the other way";
    CGlobal expected = GlobalOf(received);
    Accessor().SetValue(&expected, 0, 0, Accessor().GetValue(&written, 0, 0));
    Accessor().SetValue(&expected, 4, kMapEntry, 40);
    EXPECT_NE(Accessor().GetValue(&written, 0, 0), tune);
    EXPECT_EQ(onInstrument, ImageOf(expected));

    // Revert from the Edit menu: the received image again, as SAVE writes it to a file.
    ASSERT_TRUE(e2e::ClickAt(library, kGridTab.x, kGridTab.y));
    ASSERT_TRUE(e2e::ChooseMenuItem(frame, ID_EDIT_REVERT));
    HWND revert = program.WaitForDialog(L"Revert to Saved Global Data");
    ASSERT_NE(revert, nullptr);
    ASSERT_TRUE(e2e::PressButton(revert, L"OK"));
    ASSERT_TRUE(program.WaitForWindowGone(revert));
    EXPECT_TRUE(Eventually(program, [&] { return e2e::ClientPixels(library, kGridValues) == receivedGrid; }))
        << "the grid does not show the reverted values";
    ASSERT_TRUE(ClickAndTypePath(program, library, kSave, m_reverted));
    ASSERT_TRUE(Eventually(program, [&] { return std::filesystem::exists(m_reverted); }))
        << "SAVE wrote no file";
    CGlobal saved;
    saved.Init();
    ASSERT_NO_THROW(LoadDataFromFile(saved, m_reverted));
    EXPECT_EQ(ImageOf(saved), received) << "the revert does not restore the received image";

    // LOAD a file of edited data, then the MIDI menu's Transmit All: the instrument holds the file's
    // image.
    CGlobal edited = GlobalOf(received);
    Accessor().SetValue(&edited, 0, 1, Accessor().GetValue(&edited, 0, 1) == 5 ? -5 : 5);
    Accessor().SetValue(&edited, 4, 0, 99);
    SaveDataToFile(edited, m_edited);
    ASSERT_TRUE(ClickAndTypePath(program, library, kLoad, m_edited));
    ASSERT_TRUE(program.WaitForPainted(library));
    ASSERT_TRUE(e2e::ChooseMenuItem(frame, ID_MIDI_TRANSMIT_ALL));
    HWND write = program.WaitForDialog(L"Write Global Data");
    ASSERT_NE(write, nullptr) << "the MIDI menu's Transmit All does not write the global data";
    ASSERT_TRUE(e2e::PressButton(write, L"OK"));
    EXPECT_TRUE(Eventually(
        program, [&] { return ReadGlobal(instrument, onInstrument) && onInstrument == ImageOf(edited); }))
        << "the loaded file is not what the page writes";

    // Unsaved: the close asks, No lets it go.
    ASSERT_TRUE(e2e::ChooseMenuItem(frame, ID_FILE_EXIT));
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!program.Exited() && GetTickCount64() < deadline)
        if (HWND box = program.WaitForDialog(nullptr, 100))
            e2e::PressButton(box, L"No");
    EXPECT_TRUE(program.Exited());
}
