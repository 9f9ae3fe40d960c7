#pragma once

// Runs the calling thread's messages until a condition holds, for tests of what arrives
// through window messages and timers.

#include <windows.h>

#include <functional>

// Dispatches messages until `done` answers true (checked after each batch) or `timeoutMs` pass;
// answers `done`'s last answer. Waits for messages, never sleeps.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}
