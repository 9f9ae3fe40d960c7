// The main menu bar as the editor windows change it, and the run-time context menus.

#include "app/AppCoreUtility.h"
#include "app/AppResources.h"
#include "app/CCustomMenu.h"
#include "app/CPopupMenu.h"
#include "app/CTDWResource.h"
#include "foundation/win32/CEfSemaphore.h"
#include "resources/AppMenuIds.h"

#include "support/MainMenuBar.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{

bool IsEnabled(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

struct MenuFixture : ::testing::Test
{
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        CTDWSingleton::Acquire();
        menu = LoadMainMenuBar();
        ASSERT_NE(menu, nullptr);
    }
    void TearDown() override
    {
        DestroyMenu(menu);
        CTDWSingleton::Release();
        SetResourceLanguage(0);
    }
    HMENU menu = nullptr;
};

} // namespace

TEST_F(MenuFixture, UpdateMidiMenuEnablesTheGroupsOfEachMode)
{
    // Groups: 1 revert, 2 edit, 3 current-program transfer, 4 prev/next, 5 receive/transmit
    // all, 6 all data, 7 save, 8 new/open; written out from the mode table, 1 for on.
    const std::vector<std::vector<UINT>> groups = {
        {ID_EDIT_REVERT},
        {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_INITIALIZE},
        {ID_MIDI_RECEIVE_CURRENT, ID_MIDI_TRANSMIT_CURRENT},
        {ID_WINDOW_PREV_PROGRAM, ID_WINDOW_NEXT_PROGRAM},
        {ID_MIDI_RECEIVE_ALL, ID_MIDI_TRANSMIT_ALL},
        {ID_MIDI_RECEIVE_ALL_DATA, ID_MIDI_WRITE_ALL_DATA},
        {ID_FILE_SAVE, ID_FILE_SAVE_AS},
        {ID_FILE_NEW, ID_FILE_OPEN},
    };
    struct Row
    {
        std::vector<int32_t> modes;
        const char* on; // group 1 first
    };
    const Row rows[] = {
        {{1, 3, 11}, "11101111"},
        {{12}, "10001111"},
        {{13}, "00000001"},
        {{14}, "01101111"},
        {{15}, "01000000"},
        {{2, 4, 5, 6, 7, 8, 9, 10}, "00110011"},
        {{0, 16, -1, 100}, "11111111"},
    };
    CCustomMenu custom(menu, nullptr, nullptr);
    for (const Row& row : rows)
        for (int32_t mode : row.modes)
        {
            // From the opposite state, so that every item has to change.
            custom.UpdateMidiMenu(mode == 13 ? 0 : 13);
            custom.UpdateMidiMenu(mode);
            for (size_t g = 0; g < groups.size(); ++g)
                for (UINT id : groups[g])
                    EXPECT_EQ(IsEnabled(menu, id), row.on[g] == '1') << "mode " << mode << " group " << g + 1;
        }
    // Items outside the groups stay as they are.
    EXPECT_TRUE(IsEnabled(menu, ID_FILE_EXIT));
    EXPECT_TRUE(IsEnabled(menu, ID_OPTIONS_PREFERENCES));
}

TEST_F(MenuFixture, UpdateMidiMenuRetitlesTheMidiItemsAndKeepsTheirShortcuts)
{
    struct Row
    {
        int32_t mode;
        const wchar_t* receiveAll;
        const wchar_t* transmitAll;
        const wchar_t* receiveCurrent;
        const wchar_t* prev;
    };
    const Row rows[] = {
        {1, L"Receive All Programs", L"Write All Programs", L"Receive Current Program", L"Previous Item"},
        {2, L"Receive All Data", L"Write All Data", L"Receive Current Program", L"Previous Program"},
        {12, L"Receive Global Data", L"Write Global Data", L"Receive Current Program", L"Previous Item"},
        {7, L"Receive All Data", L"Write All Data", L"Receive Current Program", L"Previous Item"},
    };
    CCustomMenu custom(menu, nullptr, nullptr);
    for (const Row& row : rows)
    {
        custom.UpdateMidiMenu(row.mode);
        EXPECT_EQ(ItemText(menu, ID_MIDI_RECEIVE_ALL), row.receiveAll) << row.mode;
        EXPECT_EQ(ItemText(menu, ID_MIDI_TRANSMIT_ALL), row.transmitAll) << row.mode;
        EXPECT_EQ(ItemText(menu, ID_MIDI_RECEIVE_CURRENT), std::wstring(row.receiveCurrent) + L"\tCtrl+L")
            << row.mode;
        EXPECT_EQ(ItemText(menu, ID_MIDI_TRANSMIT_CURRENT), L"Transmit to Current Program\tCtrl+T")
            << row.mode;
        EXPECT_EQ(ItemText(menu, ID_WINDOW_PREV_PROGRAM), std::wstring(row.prev) + L"\tCtrl+1") << row.mode;
    }
}

TEST_F(MenuFixture, ItemsOfAMissingMenuAreLeftAloneAndCheckMarksFollowTheSwitch)
{
    CCustomMenu none(nullptr, nullptr, nullptr);
    EXPECT_FALSE(none.EnableItem(ID_FILE_SAVE, false));
    EXPECT_FALSE(none.CheckItem(ID_OPTIONS_SHOW_VALUES, true));
    none.UpdateMidiMenu(1); // nothing to change, nothing to crash

    CCustomMenu custom(menu, nullptr, nullptr);
    EXPECT_FALSE(custom.EnableItem(12345, false)); // no such item
    EXPECT_TRUE(custom.CheckItem(ID_OPTIONS_SHOW_VALUES, true));
    EXPECT_TRUE(GetMenuState(menu, ID_OPTIONS_SHOW_VALUES, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(custom.CheckItem(ID_OPTIONS_SHOW_VALUES, false));
    EXPECT_FALSE(GetMenuState(menu, ID_OPTIONS_SHOW_VALUES, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(AppMenuResources, TheJapaneseBarsHaveTheEnglishIdsInTheSameOrder)
{
    const auto ids = [](uint16_t language, const wchar_t* name)
    {
        SetResourceLanguage(language);
        const void* data = nullptr;
        uint32_t size = 0;
        std::vector<std::vector<UINT>> result;
        if (!FindAppResource(MAKEINTRESOURCEW(4), name, &data, &size))
            return result;
        HMENU bar = LoadMenuIndirectW(data);
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
        {
            HMENU sub = GetSubMenu(bar, i);
            std::vector<UINT> items;
            for (int j = 0; j < GetMenuItemCount(sub); ++j)
                items.push_back(GetMenuItemID(sub, j));
            result.push_back(items);
        }
        DestroyMenu(bar);
        SetResourceLanguage(0);
        return result;
    };
    for (const wchar_t* name : {L"MainMenuBar", L"EmptyMenuBar"})
    {
        const auto english = ids(kLanguageEnglish, name);
        ASSERT_FALSE(english.empty()) << name;
        EXPECT_EQ(ids(kLanguageJapanese, name), english) << name;
    }
    // Export Text and Import J5 Library have items of their own.
    const auto main = ids(kLanguageEnglish, L"MainMenuBar");
    EXPECT_NE(std::find(main[0].begin(), main[0].end(), static_cast<UINT>(ID_FILE_EXPORT_TEXT)),
              main[0].end());
    EXPECT_NE(std::find(main[0].begin(), main[0].end(), static_cast<UINT>(ID_FILE_IMPORT_J5)), main[0].end());
}

namespace
{
// Sends keys to the next context menu of this process once it is on the screen, from another
// thread, as a user's keyboard does.
class MenuKeys
{
public:
    explicit MenuKeys(std::vector<WPARAM> keys)
        : m_thread(
              [this, keys]
              {
                  const ULONGLONG deadline = GetTickCount64() + 10000;
                  HWND menu = nullptr;
                  while (!(menu = FindMenuWindow()) && GetTickCount64() < deadline)
                      std::this_thread::yield();
                  for (WPARAM key : keys)
                      PostMessageW(menu, WM_KEYDOWN, key, 0);
              })
    {
    }
    ~MenuKeys() { m_thread.join(); }

private:
    static HWND FindMenuWindow()
    {
        HWND found = nullptr;
        EnumWindows(
            [](HWND window, LPARAM p) -> BOOL
            {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (process != GetCurrentProcessId() || wcscmp(name, L"#32768") != 0 ||
                    !IsWindowVisible(window))
                    return TRUE;
                *reinterpret_cast<HWND*>(p) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    std::thread m_thread;
};

struct PopupFixture : ::testing::Test
{
    void SetUp() override
    {
        owner = CreateWindowExW(0, L"STATIC", L"popup owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
        popup.Create();
        ASSERT_TRUE(popup.AddItem(L"Save & Load"));
        ASSERT_TRUE(popup.AddItem(L"-"));
        ASSERT_TRUE(popup.AddItem(L"Third"));
    }
    void TearDown() override
    {
        popup.Destroy();
        DestroyWindow(owner);
    }
    HWND owner = nullptr;
    CPopupMenu popup;
};
} // namespace

TEST_F(PopupFixture, AnAmpersandShowsItselfAndItemsAreNumberedFromOne)
{
    EXPECT_EQ(ItemText(popup.GetMenu(), 1), L"Save && Load");
    EXPECT_EQ(GetMenuState(popup.GetMenu(), 2, MF_BYCOMMAND) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(ItemText(popup.GetMenu(), 3), L"Third");
    EXPECT_EQ(popup.GetItemCount(), 3u);
    EXPECT_THROW(popup.Create(), const char*);
    EXPECT_TRUE(popup.DisableItem(3));
    EXPECT_TRUE(GetMenuState(popup.GetMenu(), 3, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(popup.CheckItem(99));
}

TEST_F(PopupFixture, ChoosingTheFirstItemAnswersZeroAndDismissingAnswersMinusOne)
{
    {
        MenuKeys keys({VK_DOWN, VK_RETURN});
        EXPECT_EQ(popup.Track(10, 10, owner), 0);
    }
    {
        MenuKeys keys({VK_ESCAPE});
        EXPECT_EQ(popup.Track(10, 10, owner), -1);
    }
}

TEST(AppCoreUtility, ProgramNumbersReadAsBankAndTwoDigits)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "A11"},  {7, "A18"},  {8, "A21"},
                                                     {63, "A88"}, {64, "B11"}, {127, "B88"}};
    for (const auto& c : cases)
    {
        char text[256];
        FormatProgramNumber(c.first, text);
        EXPECT_STREQ(text, c.second) << c.first;
    }
}

TEST(AppCoreUtility, TheTransferProbeIsFalseWhileATransferHoldsTheProgressSemaphore)
{
    ASSERT_TRUE(CreateAppSemaphores());
    CEfSemaphore* progress = GetAppSemaphore(kSemaphoreProgress);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(IsTransferIdle());

    std::atomic<bool> held{false}, release{false};
    std::thread transfer(
        [&]
        {
            progress->Wait();
            held = true;
            while (!release)
                std::this_thread::yield();
            progress->Release();
        });
    while (!held)
        std::this_thread::yield();
    EXPECT_FALSE(IsTransferIdle());
    release = true;
    transfer.join();
    EXPECT_TRUE(IsTransferIdle());
    DeleteAppSemaphores();
    EXPECT_EQ(GetAppSemaphore(kSemaphoreProgress), nullptr);
}

TEST(AppMenuResources, TheAcceleratorsCarryTheControlShortcutsOfTheMenus)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), L"Accelerators");
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    const int count = CopyAcceleratorTableW(table, entries, 32);
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i)
    {
        std::string key = (entries[i].fVirt & FSHIFT) ? "Ctrl+Shift+" : "Ctrl+";
        key += static_cast<char>(entries[i].key);
        key += " " + std::to_string(entries[i].cmd);
        EXPECT_TRUE(entries[i].fVirt & FCONTROL) << key;
        EXPECT_TRUE(entries[i].fVirt & FVIRTKEY) << key;
        keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"Ctrl+1 55002", "Ctrl+2 55003", "Ctrl+C 52001", "Ctrl+L 53004",
                                        "Ctrl+N 51000", "Ctrl+O 51001", "Ctrl+S 51002", "Ctrl+Shift+S 51003",
                                        "Ctrl+T 53005", "Ctrl+V 52002", "Ctrl+W 55004", "Ctrl+X 52000"}));
    DestroyAcceleratorTable(table);
}

TEST(AppMenuResources, TheIconComesIn16And32Pixels)
{
    for (int size : {16, 32})
    {
        HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}
