#pragma once

#include <windows.h>

// A Win32 critical section: short sections shared between threads. Re-entrant on one thread,
// as Windows gives it.
class CHfcCriticalSection
{
public:
    CHfcCriticalSection();
    virtual ~CHfcCriticalSection();
    CHfcCriticalSection(const CHfcCriticalSection&) = delete;
    CHfcCriticalSection& operator=(const CHfcCriticalSection&) = delete;

    void Enter();
    void Leave();

private:
    CRITICAL_SECTION m_section;
};
