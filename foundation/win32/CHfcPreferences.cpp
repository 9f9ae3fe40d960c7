#include "foundation/win32/CHfcPreferences.h"

#include <cwchar>
#include <vector>

#include <windows.h>

namespace
{

HKEY Key(void* key)
{
    return static_cast<HKEY>(key);
}

void CopyCut(wchar_t* buffer, size_t size, const wchar_t* text)
{
    size_t n = 0;
    for (; text != nullptr && text[n] != L'\0' && n + 1 < size; ++n)
        buffer[n] = text[n];
    buffer[n] = L'\0';
}

} // namespace

CHfcPreferences::CHfcPreferences() : m_key(nullptr) {}

CHfcPreferences::~CHfcPreferences()
{
    Close();
}

bool CHfcPreferences::Open(const wchar_t* subkey)
{
    Close();
    if (subkey == nullptr)
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    m_key = key;
    return true;
}

void CHfcPreferences::Close()
{
    if (m_key != nullptr)
        RegCloseKey(Key(m_key));
    m_key = nullptr;
}

int32_t CHfcPreferences::GetInt(const wchar_t* name, int32_t defaultValue) const
{
    if (m_key == nullptr)
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (RegQueryValueExW(Key(m_key), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof value)
        return defaultValue;
    return static_cast<int32_t>(value);
}

bool CHfcPreferences::GetString(const wchar_t* name, wchar_t* buffer, size_t size,
                                const wchar_t* defaultValue) const
{
    if (buffer == nullptr || size == 0)
        return false;
    if (m_key != nullptr)
    {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(Key(m_key), name, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
            type == REG_SZ)
        {
            // One spare character, so that a value stored without terminator still ends.
            std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD read = bytes;
            if (RegQueryValueExW(Key(m_key), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                                 &read) == ERROR_SUCCESS &&
                type == REG_SZ && read <= bytes)
            {
                const size_t length = wcsnlen(text.data(), read / sizeof(wchar_t));
                if (length < size)
                {
                    CopyCut(buffer, size, text.data());
                    return true;
                }
            }
        }
    }
    CopyCut(buffer, size, defaultValue);
    return false;
}

bool CHfcPreferences::SetInt(const wchar_t* name, int32_t value)
{
    if (m_key == nullptr)
        return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(Key(m_key), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool CHfcPreferences::SetString(const wchar_t* name, const wchar_t* text)
{
    if (m_key == nullptr || text == nullptr)
        return false;
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD)
        return false;
    return RegSetValueExW(Key(m_key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}
