#pragma once

// Shared by the framework tests: a pump that waits on a condition, and records of calls.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages until the condition holds or the time-out passes.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!condition())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Removes every waiting message of this thread without dispatching it (WM_QUIT included).
inline void DiscardMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
    }
}

using CallLog = std::vector<std::string>;
