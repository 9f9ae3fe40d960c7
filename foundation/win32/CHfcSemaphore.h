#pragma once

#include <cstdint>

// A Win32 counting semaphore, closed with the object.
class CHfcSemaphore
{
public:
    enum : int32_t
    {
        kMaximumCount = 32767,
    };
    // WaitTimeout results.
    enum : int32_t
    {
        kSignalled = 0,
        kFailed = -1,
        kTimedOut = -2,
    };

    explicit CHfcSemaphore(int32_t initialCount, int32_t maximumCount = kMaximumCount);
    virtual ~CHfcSemaphore();
    CHfcSemaphore(const CHfcSemaphore&) = delete;
    CHfcSemaphore& operator=(const CHfcSemaphore&) = delete;

    // Waits without limit; true when signalled.
    virtual bool Wait();
    // kSignalled, kTimedOut after ms milliseconds, or kFailed.
    virtual int32_t WaitTimeout(uint32_t ms);
    // Releases one count; false when that would pass the maximum or there is no semaphore.
    virtual bool Release();
    // False when the semaphore could not be created.
    bool IsValid() const { return m_handle != nullptr; }

private:
    void* m_handle; // HANDLE
};
