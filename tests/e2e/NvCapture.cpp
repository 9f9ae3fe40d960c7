// nv_capture: waits for the first window of a class on the display, until it is painted and its
// program answers, and writes its screenshot: nv_capture <window class> <name> [time-out ms].
// Used by scripts/run.sh on a virtual display.

#include "e2e/CRunningProgram.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: nv_capture <window class> <name> [time-out ms]\n");
        return 2;
    }
    const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 30000;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND window = nullptr;
    while (!(window = FindWindowW(argv[1], nullptr)) || !IsWindowVisible(window))
    {
        if (GetTickCount64() >= deadline)
        {
            std::fprintf(stderr, "nv_capture: no window of class %ls appeared\n", argv[1]);
            return 1;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    // Painted and answering: the program's start-up dialogs (a device scan) have closed.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    for (;;)
    {
        bool dialogOpen = false;
        for (HWND shown : e2e::ProcessWindows(process))
            dialogOpen = dialogOpen || e2e::WindowClass(shown) == L"#32770";
        DWORD_PTR ignored;
        if (!dialogOpen && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &ignored) &&
            !GetUpdateRect(window, nullptr, FALSE))
            break;
        if (GetTickCount64() >= deadline)
            break; // take what the display shows
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    const std::wstring wide(argv[2]);
    const std::string name(wide.begin(), wide.end());
    if (!e2e::Screenshot(window, name))
    {
        std::fprintf(stderr, "nv_capture: could not write the screenshot\n");
        return 1;
    }
    return 0;
}
