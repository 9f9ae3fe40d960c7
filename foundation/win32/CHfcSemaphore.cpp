#include "foundation/win32/CHfcSemaphore.h"

#include "foundation/EfUtility.h"

#include <windows.h>

CHfcSemaphore::CHfcSemaphore(int32_t initialCount, int32_t maximumCount)
    : m_handle(CreateSemaphoreW(nullptr, initialCount, maximumCount, nullptr))
{
    if (m_handle == nullptr)
        DebugTrace("CHfcSemaphore::CHfcSemaphore() - %s", "Failed to create semaphore.");
}

CHfcSemaphore::~CHfcSemaphore()
{
    if (m_handle != nullptr)
        CloseHandle(m_handle);
}

bool CHfcSemaphore::Wait()
{
    return m_handle != nullptr && WaitForSingleObject(m_handle, INFINITE) == WAIT_OBJECT_0;
}

int32_t CHfcSemaphore::WaitTimeout(uint32_t ms)
{
    if (m_handle == nullptr)
        return kFailed;
    switch (WaitForSingleObject(m_handle, ms))
    {
    case WAIT_OBJECT_0:
        return kSignalled;
    case WAIT_TIMEOUT:
        return kTimedOut;
    default:
        return kFailed;
    }
}

bool CHfcSemaphore::Release()
{
    return m_handle != nullptr && ReleaseSemaphore(m_handle, 1, nullptr) != FALSE;
}
