// The least a Windows program does to show a window: register a class, create and show it, run
// the message loop. bench_startup times it beside the editor, so that what Wine spends on
// starting any program can be told apart from the editor's own work.

#include <windows.h>

namespace
{
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW info = {};
    info.lpfnWndProc = Procedure;
    info.hInstance = instance;
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    info.lpszClassName = L"NvBaselineWindow";
    RegisterClassW(&info);
    HWND window = CreateWindowExW(0, L"NvBaselineWindow", L"Baseline", WS_OVERLAPPEDWINDOW, 100, 100, 800,
                                  600, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
