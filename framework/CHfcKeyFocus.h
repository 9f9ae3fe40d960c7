#pragma once

#include <windows.h>

class CHfcKeyFocusListener;

// The key focus of one window's layers and controls: which listener holds it. Window thread
// only.
class CHfcKeyFocus
{
public:
    virtual ~CHfcKeyFocus() = default;

    // Gives the focus to the listener; false unless both are given. The previous holder is
    // forgotten without a call.
    bool SetKeyFocus(CHfcKeyFocusListener* listener, HWND owner);
    // The holder gets its focus-lost call and is forgotten.
    void ReleaseKeyFocus();
    CHfcKeyFocusListener* GetListener() const { return m_listener; }

private:
    CHfcKeyFocusListener* m_listener = nullptr;
};
