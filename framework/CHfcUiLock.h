#pragma once

// A scoped marker around the framework's UI operations (key focus, lists). It guards nothing
// in this program: every UI operation runs on the window thread.
class CHfcUiLock
{
public:
    CHfcUiLock() = default;
    CHfcUiLock(const CHfcUiLock&) = delete;
    CHfcUiLock& operator=(const CHfcUiLock&) = delete;
    virtual ~CHfcUiLock() = default;
};
