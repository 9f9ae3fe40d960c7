#pragma once

#include "app/AppCoreUtility.h"
#include "foundation/win32/CEfSemaphore.h"

// One of the application's semaphores held for a scope on the window thread, tried for a bounded
// time: a tick that cannot have it skips its work instead of blocking the window thread. Without
// the semaphores (a window outside the application) the scope runs unlocked.
class CLayerLock
{
public:
    explicit CLayerLock(AppSemaphore which, uint32_t timeoutMs = 50) : m_semaphore(GetAppSemaphore(which))
    {
        m_held = m_semaphore && m_semaphore->WaitTimeout(timeoutMs) == CHfcSemaphore::kSignalled;
    }
    ~CLayerLock()
    {
        if (m_held)
            m_semaphore->Release();
    }
    CLayerLock(const CLayerLock&) = delete;
    CLayerLock& operator=(const CLayerLock&) = delete;

    // Whether the scope may go on.
    bool IsHeld() const { return m_held || !m_semaphore; }

private:
    CEfSemaphore* m_semaphore;
    bool m_held = false;
};
