#pragma once

#include <cstddef>
#include <cstdint>

// One open registry key under HKEY_CURRENT_USER; closed with the object. Names and texts are
// UTF-16.
class CHfcPreferences
{
public:
    CHfcPreferences();
    virtual ~CHfcPreferences();
    CHfcPreferences(const CHfcPreferences&) = delete;
    CHfcPreferences& operator=(const CHfcPreferences&) = delete;

    // Closes what is open, then opens the subkey with full access, creating it when it does not
    // exist; true on success.
    bool Open(const wchar_t* subkey);
    void Close();
    bool IsOpen() const { return m_key != nullptr; }

    // The value accessors are virtual so that a derived object can watch or refuse them.
    // The REG_DWORD value, or the default when it is missing or of another type.
    virtual int32_t GetInt(const wchar_t* name, int32_t defaultValue) const;
    // Copies the REG_SZ value into buffer (size in characters, terminated); the default (cut to
    // the buffer) when the value is missing, of another type or too long for the buffer.
    // True when the stored value was copied.
    virtual bool GetString(const wchar_t* name, wchar_t* buffer, size_t size,
                           const wchar_t* defaultValue) const;
    virtual bool SetInt(const wchar_t* name, int32_t value);
    // Writes REG_SZ with its terminator.
    virtual bool SetString(const wchar_t* name, const wchar_t* text);

private:
    void* m_key; // HKEY; null when closed
};
