#pragma once

#include "foundation/win32/CHfcCriticalSection.h"

// A lock over a critical section of its own.
class CHfcGuard
{
public:
    CHfcGuard();
    virtual ~CHfcGuard();
    CHfcGuard(const CHfcGuard&) = delete;
    CHfcGuard& operator=(const CHfcGuard&) = delete;

    // Enters the section; always true.
    bool Lock();
    void Unlock();

private:
    CHfcCriticalSection m_section;
};
