#pragma once

// A scoped marker placed around key-focus operations; it has no effect of its own.
class CHfcUiLock
{
public:
    CHfcUiLock() = default;
    CHfcUiLock(const CHfcUiLock&) = delete;
    CHfcUiLock& operator=(const CHfcUiLock&) = delete;
    virtual ~CHfcUiLock() = default;
};
