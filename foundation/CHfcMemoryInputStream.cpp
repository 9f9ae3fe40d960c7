#include "foundation/CHfcMemoryInputStream.h"

#include <algorithm>
#include <cstring>

CHfcMemoryInputStream::CHfcMemoryInputStream(const void* data, uint64_t size)
    : m_data(static_cast<const uint8_t*>(data)), m_size(data != nullptr ? size : 0), m_position(0)
{
}

CHfcMemoryInputStream::~CHfcMemoryInputStream() = default;

uint64_t CHfcMemoryInputStream::GetSize() const
{
    return m_size;
}

uint64_t CHfcMemoryInputStream::GetPosition() const
{
    return m_position;
}

bool CHfcMemoryInputStream::SetPosition(uint64_t position)
{
    if (position > m_size)
        return false;
    m_position = position;
    return true;
}

bool CHfcMemoryInputStream::IsAtEnd() const
{
    return m_position >= m_size;
}

size_t CHfcMemoryInputStream::Read(void* buffer, size_t n)
{
    if (buffer == nullptr)
        return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(n, m_size - m_position));
    if (count > 0)
        std::memcpy(buffer, m_data + m_position, count);
    m_position += count;
    return count;
}

bool CHfcMemoryInputStream::Skip(uint64_t n)
{
    m_position += std::min(n, m_size - m_position);
    return true;
}
