#pragma once

// Modifier keys held during a real OLE drag, as OLE's drag loop reads them.

#include <windows.h>

#include <vector>

// Holds a modifier as OLE's drag loop reads it: Control from the thread's keyboard state, Alt
// from the asynchronous state of an injected key; released, and the key messages dropped, on
// destruction.
class HeldKeys
{
public:
    explicit HeldKeys(const std::vector<WORD>& keys) : m_keys(keys) {}
    ~HeldKeys() { Release(); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    void Press()
    {
        for (WORD key : m_keys)
            Set(key, true);
        m_pressed = true;
    }
    void Release()
    {
        if (!m_pressed)
            return;
        m_pressed = false;
        for (WORD key : m_keys)
            Set(key, false);
        // Dispatched, the lone Alt would open the window's menu.
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
        }
    }

private:
    static void Set(WORD key, bool down)
    {
        if (key == VK_MENU)
        {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
            SendInput(1, &input, sizeof input);
        }
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[key] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }
    std::vector<WORD> m_keys;
    bool m_pressed = false;
};
