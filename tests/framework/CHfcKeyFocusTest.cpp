// Keys for layers without a window of their own: the hidden EDIT child, what reaches the
// listener, and the context menu of the framework.

#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcKeyFocusListener.h"
#include "framework/CHfcPopupMenu.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace
{

class RecordingFocusListener : public CHfcKeyFocusListener
{
public:
    void OnHfcKeyFocusGot(CHfcKeyFocus*) override { events.push_back("got"); }
    void OnHfcKeyFocusLost(CHfcKeyFocus*) override { events.push_back("lost"); }
    bool OnHfcKeyFocusKeyDown(CHfcKeyFocus*, uint32_t key, uint32_t, uint32_t) override
    {
        events.push_back("down " + std::to_string(key));
        return true;
    }
    bool OnHfcKeyFocusKeyRepeat(CHfcKeyFocus*, uint32_t key, uint32_t, uint32_t) override
    {
        events.push_back("repeat " + std::to_string(key));
        return true;
    }
    bool OnHfcKeyFocusKeyUp(CHfcKeyFocus*, uint32_t key, uint32_t, uint32_t) override
    {
        events.push_back("up " + std::to_string(key));
        return false;
    }
    bool OnHfcKeyFocusCharacter(CHfcKeyFocus*, uint32_t character) override
    {
        events.push_back("char " + std::to_string(character));
        return true;
    }
    std::vector<std::string> events;
};

int CountEditChildren(HWND owner)
{
    int count = 0;
    EnumChildWindows(
        owner,
        [](HWND child, LPARAM p) -> BOOL
        {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Edit") == 0)
                ++*reinterpret_cast<int*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

struct KeyFocusFixture : ::testing::Test
{
    void SetUp() override
    {
        owner = CreateWindowExW(0, L"STATIC", L"key focus owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
    }
    void TearDown() override { DestroyWindow(owner); }
    HWND owner = nullptr;
};

} // namespace

TEST_F(KeyFocusFixture, TheHiddenEditWindowPassesKeysAndPrintableCharactersOnly)
{
    CHfcKeyFocus focus;
    RecordingFocusListener listener;
    ASSERT_TRUE(focus.SetKeyFocus(&listener, owner));
    const HWND edit = focus.GetEditWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetParent(edit), owner);
    RECT r;
    GetClientRect(owner, &r);
    RECT e;
    GetWindowRect(edit, &e);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&e), 2);
    EXPECT_LE(e.right, 0) << "the EDIT window lies outside the client area";

    listener.events.clear();
    EXPECT_EQ(SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1), 0);
    EXPECT_EQ(SendMessageW(edit, WM_KEYDOWN, VK_LEFT, 0x4001), 0); // a held key's repeat
    EXPECT_EQ(SendMessageW(edit, WM_KEYUP, VK_DOWN, 0), -1);       // not handled by the listener
    EXPECT_EQ(SendMessageW(edit, WM_CHAR, 'A', 1), 0);
    EXPECT_EQ(SendMessageW(edit, WM_CHAR, 9, 1), -1);
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, VK_RETURN, 0), -1);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"down 127", "repeat 28", "up 31", "char 65"}));
}

TEST_F(KeyFocusFixture, KeysAndCharactersPostedToTheEditWindowReachTheListenerByTheirCodes)
{
    CHfcKeyFocus focus;
    RecordingFocusListener listener;
    ASSERT_TRUE(focus.SetKeyFocus(&listener, owner));
    const HWND edit = focus.GetEditWindow();
    ASSERT_NE(edit, nullptr);
    const auto deliver = [&](UINT message, WPARAM code)
    {
        listener.events.clear();
        // Through the ANSI queue, as the subclassed EDIT window takes its characters.
        PostMessageA(edit, message, code, 1);
        // A marker posted after it tells when the queue has passed it.
        const UINT marker = WM_APP + 7;
        PostMessageA(edit, marker, 0, 0);
        bool passed = false;
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (!passed && GetTickCount64() < deadline)
        {
            MSG msg;
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
                continue;
            }
            if (msg.message == marker)
                passed = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        EXPECT_TRUE(passed);
        return listener.events;
    };
    using Events = std::vector<std::string>;
    const struct
    {
        WPARAM key;
        const char* event;
    } keys[] = {{VK_LEFT, "down 28"}, {VK_UP, "down 30"},    {VK_RIGHT, "down 29"},
                {VK_DOWN, "down 31"}, {VK_DELETE, "down 127"}, {VK_BACK, "down 8"}};
    for (const auto& k : keys)
        EXPECT_EQ(deliver(WM_KEYDOWN, k.key), Events{k.event}) << k.key;
    const struct
    {
        WPARAM character;
        Events events;
    } characters[] = {{31, {}}, {32, {"char 32"}}, {'z', {"char 122"}}, {127, {"char 127"}}, {200, {}}};
    for (const auto& c : characters)
        EXPECT_EQ(deliver(WM_CHAR, c.character), c.events) << c.character;
}

TEST_F(KeyFocusFixture, OneEditWindowPerHolderAndNoneAfterRelease)
{
    CHfcKeyFocus focus;
    RecordingFocusListener first, second;
    ASSERT_TRUE(focus.SetKeyFocus(&first, owner));
    ASSERT_TRUE(focus.SetKeyFocus(&first, owner));
    EXPECT_EQ(CountEditChildren(owner), 1);
    ASSERT_TRUE(focus.SetKeyFocus(&second, owner));
    EXPECT_EQ(CountEditChildren(owner), 1);
    EXPECT_EQ(focus.GetListener(), &second);

    second.events.clear();
    focus.ReleaseKeyFocus();
    EXPECT_EQ(CountEditChildren(owner), 0);
    EXPECT_EQ(focus.GetListener(), nullptr);
    EXPECT_EQ(second.events, (std::vector<std::string>{"lost"}));

    EXPECT_FALSE(focus.SetKeyFocus(nullptr, owner));
    EXPECT_FALSE(focus.SetKeyFocus(&first, nullptr));
}

TEST_F(KeyFocusFixture, AnAdoptedEditKeepsItsOwnBehaviourAfterTheFocusMovesOn)
{
    const HWND control = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, owner,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    {
        CHfcKeyFocus focus;
        RecordingFocusListener listener;
        ASSERT_TRUE(focus.AdoptEditWindow(&listener, control));
        EXPECT_EQ(focus.GetEditWindow(), control);
        listener.events.clear();
        SendMessageW(control, WM_CHAR, 'x', 1);
        EXPECT_EQ(listener.events, (std::vector<std::string>{"char 120"}));
        focus.ReleaseKeyFocus();
        EXPECT_TRUE(IsWindow(control));
    }
    // Its own procedure again: typed text lands in the control.
    SendMessageW(control, WM_CHAR, 'y', 1);
    wchar_t text[8] = {};
    GetWindowTextW(control, text, 8);
    EXPECT_STREQ(text, L"y");
    DestroyWindow(control);
}

TEST_F(KeyFocusFixture, TheEditWindowGoingWithItsOwnerIsForgotten)
{
    CHfcKeyFocus focus;
    RecordingFocusListener listener;
    ASSERT_TRUE(focus.SetKeyFocus(&listener, owner));
    DestroyWindow(owner);
    owner = nullptr;
    EXPECT_EQ(focus.GetEditWindow(), nullptr);
}

TEST(KeyFocusValueStep, StepsShrinkWithTheDistance)
{
    const int32_t cases[][3] = {{127, 0, 1}, {10, 0, 12}, {63, 0, 2}, {0, 10, 1}, {5, 5, 1}, {1, 0, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(GetValueStep(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
}

TEST(HfcPopupMenu, BuildsItemsByPositionAndRefusesASecondMenu)
{
    CHfcPopupMenu menu;
    EXPECT_EQ(menu.Track(0, 0, nullptr), 0); // no menu
    ASSERT_TRUE(menu.Create(0));
    EXPECT_FALSE(menu.Create(0));
    ASSERT_TRUE(menu.InsertItem(0, 1, "First", 0));
    ASSERT_TRUE(menu.InsertItem(1, 0, nullptr, CHfcPopupMenu::kItemSeparator));
    ASSERT_TRUE(menu.InsertItem(2, 3, "Third", CHfcPopupMenu::kItemDisabled));
    EXPECT_EQ(GetMenuItemCount(menu.GetMenu()), 3);
    EXPECT_TRUE(GetMenuState(menu.GetMenu(), 2, MF_BYPOSITION) & MF_GRAYED);
    ASSERT_TRUE(menu.CheckItem(0, true));
    EXPECT_TRUE(GetMenuState(menu.GetMenu(), 0, MF_BYPOSITION) & MF_CHECKED);
    ASSERT_TRUE(menu.CheckItem(0, false));
    EXPECT_FALSE(GetMenuState(menu.GetMenu(), 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(menu.Destroy());
    EXPECT_FALSE(menu.Destroy());
    EXPECT_FALSE(menu.InsertItem(0, 1, "late", 0));
}
