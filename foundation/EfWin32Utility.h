#pragma once

#include <cstdint>

// Small services over Win32 (Windows build only).

// The module instance, set by the application's run function; read by resource loading and
// window creation. Null until set.
void SetInstanceHandle(void* instance);
void* GetInstanceHandle();

// The primary language of the user's default locale (0x11 Japanese, 0x09 English ...).
uint16_t GetUserPrimaryLanguage();
