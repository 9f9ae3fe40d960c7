#pragma once

#include <windows.h>

#include <cstdint>

class CHfcKeyFocusListener;

// Keyboard input for a layer or control without a window of its own: a tiny hidden EDIT child
// of the owner window holds the focus and its key messages go to one listener. Window thread
// only.
class CHfcKeyFocus
{
public:
    CHfcKeyFocus() = default;
    CHfcKeyFocus(const CHfcKeyFocus&) = delete;
    CHfcKeyFocus& operator=(const CHfcKeyFocus&) = delete;
    // Destroys its EDIT window (an adopted one is only given its procedure back).
    virtual ~CHfcKeyFocus();

    // Gives the focus to the listener through a new EDIT window on owner; false unless both are
    // given or when the window cannot be made. The same listener again only puts the focus back.
    // The previous holder is forgotten without a call.
    bool SetKeyFocus(CHfcKeyFocusListener* listener, HWND owner);
    // As SetKeyFocus, with a control's own EDIT child in place of a window of its own: its keys
    // go to the listener until the focus moves on, and it is never destroyed here.
    bool AdoptEditWindow(CHfcKeyFocusListener* listener, HWND edit);
    // For a control that handles its own EDIT child's messages: the listener gets its
    // focus-got call at once and the window is recorded, neither subclassed nor destroyed
    // here, until the focus moves on. The control gave the window the system focus itself.
    bool TrackEditWindow(CHfcKeyFocusListener* listener, HWND edit);
    // The holder gets its focus-lost call and is forgotten; its EDIT window goes.
    void ReleaseKeyFocus();
    // Puts the focus back into the EDIT window when it has lost it.
    void FocusEditWindow();

    CHfcKeyFocusListener* GetListener() const { return m_listener; }
    HWND GetEditWindow() const { return m_edit; }
    bool HasFocus() const { return m_hasFocus; }

protected:
    // Handlers of the EDIT window's messages; each result is the window procedure's.
    virtual LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnKeyUp(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateEditWindow(HWND owner);
    bool Subclass(HWND edit);
    // Gives the EDIT window its procedure back and destroys it unless it was adopted.
    void DropEditWindow();

    CHfcKeyFocusListener* m_listener = nullptr; // not owned
    bool m_hasFocus = false;
    bool m_busy = false;
    bool m_adopted = false; // the EDIT window belongs to a control
    bool m_tracked = false; // ... and its messages are the control's own (not subclassed)
    HWND m_edit = nullptr;
    WNDPROC m_previousProc = nullptr;
};

// The key of a key message as the listeners see it: arrows 28 to 31, Delete 127.
uint32_t TranslateFocusKey(WPARAM virtualKey);
// Shift bit 0, Control bit 1, Alt bit 2, from the asynchronous key state.
uint32_t GetFocusModifiers();
// The step of a value edit between a and b: 1 when equal, else 127 / (a - b) within 1..12.
int32_t GetValueStep(int32_t a, int32_t b);
