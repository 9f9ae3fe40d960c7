#pragma once

#include "foundation/win32/CHfcGuard.h"

// Holds a guard's lock for the lifetime of the object.
class CHfcScopedLock
{
public:
    explicit CHfcScopedLock(CHfcGuard& guard) : m_guard(guard) { m_guard.Lock(); }
    ~CHfcScopedLock() { m_guard.Unlock(); }
    CHfcScopedLock(const CHfcScopedLock&) = delete;
    CHfcScopedLock& operator=(const CHfcScopedLock&) = delete;

private:
    CHfcGuard& m_guard;
};
