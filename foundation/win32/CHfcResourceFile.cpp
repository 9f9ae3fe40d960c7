#include "foundation/win32/CHfcResourceFile.h"

#include "foundation/win32/EfWin32Utility.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <windows.h>

CHfcResourceFile::CHfcResourceFile() : m_data(nullptr), m_size(0), m_position(0) {}

CHfcResourceFile::~CHfcResourceFile() = default;

bool CHfcResourceFile::OpenResource(const wchar_t* type, const wchar_t* name)
{
    Close();
    HMODULE module = static_cast<HMODULE>(GetInstanceHandle());
    if (module == nullptr)
        module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name, type);
    if (info == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return false;
    m_data = static_cast<const uint8_t*>(data);
    m_size = SizeofResource(module, info);
    m_position = 0;
    return true;
}

bool CHfcResourceFile::Close()
{
    const bool wasOpen = m_data != nullptr;
    m_data = nullptr;
    m_size = 0;
    m_position = 0;
    // A disk file opened through the base class is closed as well.
    const bool closedFile = CHfcFile::IsOpen() && CHfcFile::Close();
    return wasOpen || closedFile;
}

size_t CHfcResourceFile::Read(void* buffer, size_t n)
{
    if (m_data == nullptr)
        return CHfcFile::Read(buffer, n);
    if (buffer == nullptr)
        return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(n, m_size - m_position));
    std::memcpy(buffer, m_data + m_position, count);
    m_position += count;
    return count;
}

size_t CHfcResourceFile::Write(const void* buffer, size_t n)
{
    return m_data == nullptr ? CHfcFile::Write(buffer, n) : 0;
}

bool CHfcResourceFile::Seek(int64_t offset, int32_t origin)
{
    if (m_data == nullptr)
        return CHfcFile::Seek(offset, origin);
    const int64_t base = origin == kSeekCurrent ? static_cast<int64_t>(m_position)
                         : origin == kSeekEnd   ? static_cast<int64_t>(m_size)
                                                : 0;
    // base is at most the size, far below 2^62: only a huge offset could overflow the sum.
    if (offset > INT64_MAX - base)
        return false;
    const int64_t target = base + offset;
    if (target < 0 || static_cast<uint64_t>(target) > m_size)
        return false;
    m_position = static_cast<uint64_t>(target);
    return true;
}

int64_t CHfcResourceFile::GetPosition() const
{
    return m_data == nullptr ? CHfcFile::GetPosition() : static_cast<int64_t>(m_position);
}

bool CHfcResourceFile::IsOpen() const
{
    return m_data != nullptr || CHfcFile::IsOpen();
}
