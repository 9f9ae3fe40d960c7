#include "foundation/CHfcRect.h"
#include "foundation/win32/EfWin32Utility.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace
{

int g_received = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 1)
        ++g_received;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that counts WM_APP + 1.
struct CountingWindow
{
    CountingWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"NvPumpTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                 nullptr);
    }
    ~CountingWindow() { DestroyWindow(window); }
    HWND window;
};

} // namespace

TEST(EfWin32Utility, PumpMessagesDispatchesWhatWaits)
{
    CountingWindow counter;
    ASSERT_NE(counter.window, nullptr);
    g_received = 0;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(PostMessageW(counter.window, WM_APP + 1, 0, 0));
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(g_received, 3);
    EXPECT_TRUE(PumpMessages()); // nothing waiting
}

TEST(EfWin32Utility, PumpMessagesKeepsAQuitForTheMessageLoop)
{
    CountingWindow counter;
    g_received = 0;
    PostQuitMessage(7);
    EXPECT_FALSE(PumpMessages());
    MSG message = {};
    // The quit is there again for the loop: GetMessage answers 0 with its code.
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(EfWin32Utility, ModifierKeysFromTheKeyState)
{
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    const struct
    {
        int keys[2];
        uint32_t expected;
    } cases[] = {
        {{0, 0}, 0},
        {{VK_SHIFT, 0}, kModifierShift},
        {{VK_CONTROL, 0}, kModifierControl},
        {{VK_MENU, VK_SHIFT}, kModifierAlt | kModifierShift},
    };
    for (const auto& c : cases)
    {
        BYTE state[256] = {};
        for (int key : c.keys)
            if (key != 0)
                state[key] = 0x80;
        ASSERT_TRUE(SetKeyboardState(state));
        EXPECT_EQ(GetModifierKeys(), c.expected);
    }
    SetKeyboardState(saved);
}

TEST(EfWin32Utility, WorkAreaAndInstance)
{
    CHfcRect area;
    ASSERT_TRUE(GetWorkArea(area));
    EXPECT_GT(area.GetWidth(), 0);
    EXPECT_GT(area.GetHeight(), 0);

    EXPECT_EQ(GetInstanceHandle(), nullptr);
    SetInstanceHandle(GetModuleHandleW(nullptr));
    EXPECT_EQ(GetInstanceHandle(), GetModuleHandleW(nullptr));
    SetInstanceHandle(nullptr);
}
