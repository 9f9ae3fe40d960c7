// The harness's screenshot of a window: written once the display shows the window painted, and
// refused for a window whose picture stays one colour.

#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace
{
bool g_paints = false;

// Paints a dark square on its white background when g_paints is set, else nothing.
LRESULT CALLBACK SquareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (g_paints)
    {
        const RECT square = {20, 20, 60, 60};
        FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(window, &paint);
    return 0;
}

TEST(HarnessScreenshot, APaintedWindowIsWrittenAndOneThatStaysOneColourIsRefused)
{
    WNDCLASSW info = {};
    info.lpfnWndProc = SquareProc;
    info.hInstance = GetModuleHandleW(nullptr);
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    info.lpszClassName = L"NvScreenshotSquare";
    RegisterClassW(&info);
    for (const bool paints : {true, false})
    {
        SCOPED_TRACE(paints ? "painted" : "blank");
        g_paints = paints;
        // No frame: a window that draws nothing is one colour.
        HWND window = CreateWindowExW(WS_EX_TOPMOST, info.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 30, 30,
                                      80, 80, nullptr, nullptr, info.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SavePaintedWindowScreenshot(window, paints ? "harness_painted" : "harness_blank", 3000),
                  paints);
        DestroyWindow(window);
    }
}
} // namespace
