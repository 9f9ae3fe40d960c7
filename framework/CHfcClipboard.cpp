#include "framework/CHfcClipboard.h"

#include "foundation/EfUtility.h"

#include <cstring>

CHfcClipboard::~CHfcClipboard() = default;

bool CHfcClipboard::Open(HWND window)
{
    if (OpenClipboard(window))
        return true;
    DebugTrace("CHfcClipboard::Open() - %s", "Failed to open the clipboard.");
    return false;
}

bool CHfcClipboard::Close()
{
    return CloseClipboard() != 0;
}

bool CHfcClipboard::Empty()
{
    return EmptyClipboard() != 0;
}

uint32_t CHfcClipboard::RegisterFormat(const char* name)
{
    return name != nullptr ? RegisterClipboardFormatA(name) : 0;
}

bool CHfcClipboard::IsFormatAvailable(uint32_t format)
{
    return format != 0 && IsClipboardFormatAvailable(format) != 0;
}

size_t CHfcClipboard::GetDataSize(uint32_t format)
{
    HANDLE handle = format != 0 ? GetClipboardData(format) : nullptr;
    return handle != nullptr ? GlobalSize(handle) : 0;
}

bool CHfcClipboard::GetData(uint32_t format, void* buffer, size_t size)
{
    HANDLE handle = format != 0 ? GetClipboardData(format) : nullptr;
    if (handle == nullptr)
    {
        DebugTrace("CHfcClipboard::GetData() - %s", "Failed to get a handle.");
        return false;
    }
    // Another program may have put anything under a registered name: never read past its end.
    // The system may round a block up, so a larger one holds the bytes at its start.
    if (GlobalSize(handle) < size || buffer == nullptr)
    {
        DebugTrace("CHfcClipboard::GetData() - %s", "The data is too short.");
        return false;
    }
    const void* data = GlobalLock(handle);
    if (data == nullptr)
    {
        DebugTrace("CHfcClipboard::GetData() - %s", "Failed to lock a handle.");
        return false;
    }
    std::memcpy(buffer, data, size);
    GlobalUnlock(handle);
    return true;
}

bool CHfcClipboard::SetData(uint32_t format, const void* data, size_t size)
{
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, size);
    if (handle == nullptr)
    {
        DebugTrace("CHfcClipboard::SetData() - %s", "Failed to allocate memory...");
        return false;
    }
    void* copy = GlobalLock(handle);
    if (copy == nullptr)
    {
        GlobalFree(handle);
        DebugTrace("CHfcClipboard::SetData() - %s", "Failed to lock a handle...");
        return false;
    }
    if (size > 0)
        std::memcpy(copy, data, size);
    GlobalUnlock(handle);
    if (SetClipboardData(format, handle) == nullptr)
    {
        // Only a handle the clipboard took belongs to it.
        GlobalFree(handle);
        DebugTrace("CHfcClipboard::SetData() - %s", "Failed to set data to clipboard...");
        return false;
    }
    return true;
}
