#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The system clipboard as raw bytes in registered formats. Window thread only; the data
// operations run between Open and Close, and the caller empties the clipboard when it wants
// to. Failures are traced and answer false.
class CHfcClipboard
{
public:
    virtual ~CHfcClipboard();

    virtual bool Open(HWND window);
    virtual bool Close();
    // Makes the window given to Open the clipboard's owner with nothing on it.
    virtual bool Empty();
    // RegisterClipboardFormatA: the format id, 0 on failure.
    virtual uint32_t RegisterFormat(const char* name);
    virtual bool IsFormatAvailable(uint32_t format);
    // The size of the data of the format on the clipboard, which the system may have rounded up
    // from the size put there; 0 when there is none.
    virtual size_t GetDataSize(uint32_t format);
    // Copies the first size bytes of the format's data into buffer; false, with the buffer
    // untouched, when the format is not on the clipboard or its data is shorter.
    virtual bool GetData(uint32_t format, void* buffer, size_t size);
    // Puts a copy of the size bytes on the clipboard in the format; the copy is freed again
    // when the clipboard does not take it.
    virtual bool SetData(uint32_t format, const void* data, size_t size);
};

// Opens the clipboard for its lifetime: every path out of a clipboard operation closes it.
class CHfcClipboardSession
{
public:
    CHfcClipboardSession(CHfcClipboard& clipboard, HWND window)
        : m_clipboard(clipboard), m_open(clipboard.Open(window))
    {
    }
    ~CHfcClipboardSession()
    {
        if (m_open)
            m_clipboard.Close();
    }
    CHfcClipboardSession(const CHfcClipboardSession&) = delete;
    CHfcClipboardSession& operator=(const CHfcClipboardSession&) = delete;

    bool IsOpen() const { return m_open; }

private:
    CHfcClipboard& m_clipboard;
    bool m_open;
};
