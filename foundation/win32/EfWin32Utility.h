#pragma once

#include <cstdint>

class CHfcRect;

// Small services over Win32 (Windows build only).

// The module instance, set by the application's run function; read by resource loading and
// window creation. Null until set.
void SetInstanceHandle(void* instance);
void* GetInstanceHandle();

// The primary language of the user's default locale (0x11 Japanese, 0x09 English ...).
uint16_t GetUserPrimaryLanguage();

// The desktop work area; false (rect unchanged) when it cannot be had.
bool GetWorkArea(CHfcRect& rect);

// Removes, translates and dispatches every waiting message of the thread. A WM_QUIT is posted
// again, so that the thread's message loop still ends, and the pump stops: false then.
bool PumpMessages();

// Modifier keys held now: Shift 1, Ctrl 2, Alt 4.
enum : uint32_t
{
    kModifierShift = 1,
    kModifierControl = 2,
    kModifierAlt = 4,
};
uint32_t GetModifierKeys();
