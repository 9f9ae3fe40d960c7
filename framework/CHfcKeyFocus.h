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

    // A control that edits text in place through a hidden EDIT child window of its own
    // hands the focus here with that window, so that the window has one focus owner: the
    // listener gets its focus-got call like SetKeyFocus's, and the EDIT window is recorded
    // until the focus moves on (SetKeyFocus with another listener or ReleaseKeyFocus). The
    // listener keeps the window: it made it and destroys it. False unless all three are
    // given.
    bool AdoptEditWindow(CHfcKeyFocusListener* listener, HWND owner, HWND edit);
    // The adopted EDIT window while its listener holds the focus, else null.
    HWND GetEditWindow() const { return m_editWindow; }

private:
    CHfcKeyFocusListener* m_listener = nullptr;
    HWND m_editWindow = nullptr; // not owned: the listener's own window
};
