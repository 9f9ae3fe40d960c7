#pragma once

#include <windows.h>

#include <cstdint>

class CHfcKeyListener;

// The process-wide keyboard: the one key listener that holds the focus. Reference-counted;
// window thread only.
class CHfcKey
{
public:
    static bool Create();
    static bool Release();
    static CHfcKey* GetKey();

    // Made through Create.
    CHfcKey() = default;
    virtual ~CHfcKey() = default;

    // Gives the focus to the listener and the Win32 focus to its window; the listener gets
    // OnHfcKeyGetFocus. A previous holder is dropped without a call. Nothing happens when the
    // listener holds the focus already.
    void SetFocus(CHfcKeyListener* listener, HWND hwnd);
    // The holder gets OnHfcKeyKillFocus and is cleared.
    void KillFocus();
    // Ends the Win32 focus and clears the holder without a call.
    void ClearFocus();
    CHfcKeyListener* GetFocusListener() const { return m_listener; }
    HWND GetFocusWindow() const { return m_hwnd; }

    // Forward to the holder; false without one.
    virtual bool KeyDown(uint32_t code, uint32_t flags);
    virtual bool KeyUp(uint32_t code, uint32_t flags);
    virtual bool Character(uint32_t code, uint32_t flags);

private:
    CHfcKeyListener* m_listener = nullptr;
    HWND m_hwnd = nullptr;
};
