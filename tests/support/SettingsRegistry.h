// The program's settings key in the registry, for tests that start the program with settings
// of their own.
#pragma once

#include <windows.h>

namespace nvtest
{
inline const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";

// Writes one DWORD setting; nothing when the key cannot be made.
inline void SetSetting(const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}
} // namespace nvtest
