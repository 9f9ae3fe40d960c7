#include "foundation/CHfcMemoryBlock.h"

#include <cstdlib>
#include <cstring>
#include <utility>

CHfcMemoryBlock::CHfcMemoryBlock() : m_data(nullptr), m_size(0) {}

CHfcMemoryBlock::CHfcMemoryBlock(size_t n, bool zeroFill) : CHfcMemoryBlock()
{
    SetSize(n, zeroFill);
}

CHfcMemoryBlock::CHfcMemoryBlock(const void* data, size_t n) : CHfcMemoryBlock()
{
    Append(data, n);
}

CHfcMemoryBlock::CHfcMemoryBlock(const CHfcMemoryBlock& other) : CHfcMemoryBlock(other.m_data, other.m_size)
{
}

CHfcMemoryBlock::CHfcMemoryBlock(CHfcMemoryBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

CHfcMemoryBlock& CHfcMemoryBlock::operator=(const CHfcMemoryBlock& other)
{
    if (this != &other)
    {
        CHfcMemoryBlock copy(other);
        std::swap(m_data, copy.m_data);
        std::swap(m_size, copy.m_size);
    }
    return *this;
}

CHfcMemoryBlock& CHfcMemoryBlock::operator=(CHfcMemoryBlock&& other) noexcept
{
    if (this != &other)
    {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

CHfcMemoryBlock::~CHfcMemoryBlock()
{
    std::free(m_data);
}

bool CHfcMemoryBlock::SetSize(size_t n, bool zeroFill)
{
    if (n == 0)
    {
        std::free(m_data);
        m_data = nullptr;
        m_size = 0;
        return true;
    }
    void* data = std::realloc(m_data, n);
    if (data == nullptr)
        return false;
    m_data = static_cast<uint8_t*>(data);
    if (zeroFill && n > m_size)
        std::memset(m_data + m_size, 0, n - m_size);
    m_size = n;
    return true;
}

bool CHfcMemoryBlock::Append(const void* data, size_t n)
{
    if (n == 0)
        return true;
    if (data == nullptr || n > SIZE_MAX - m_size)
        return false;
    // The source may lie inside this block, which the reallocation moves.
    const uint8_t* source = static_cast<const uint8_t*>(data);
    const bool inside = m_data != nullptr && source >= m_data && source < m_data + m_size;
    const size_t offset = inside ? static_cast<size_t>(source - m_data) : 0;
    const size_t oldSize = m_size;
    if (!SetSize(oldSize + n, false))
        return false;
    std::memcpy(m_data + oldSize, inside ? m_data + offset : source, n);
    return true;
}
