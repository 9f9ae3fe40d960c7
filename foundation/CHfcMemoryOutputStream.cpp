#include "foundation/CHfcMemoryOutputStream.h"

#include <algorithm>
#include <cstring>

namespace
{
const size_t kMinimumGrowthStep = 16;
}

CHfcMemoryOutputStream::CHfcMemoryOutputStream(size_t initialCapacity, size_t growthStep)
    : m_growthStep(std::max(growthStep, kMinimumGrowthStep)), m_size(0), m_position(0)
{
    if (initialCapacity > 0)
        Reserve(initialCapacity);
}

CHfcMemoryOutputStream::~CHfcMemoryOutputStream() = default;

uint64_t CHfcMemoryOutputStream::GetSize() const
{
    return m_size;
}

uint64_t CHfcMemoryOutputStream::GetPosition() const
{
    return m_position;
}

bool CHfcMemoryOutputStream::SetPosition(uint64_t position)
{
    m_position = position;
    return true;
}

bool CHfcMemoryOutputStream::Reserve(uint64_t n)
{
    if (n <= m_block.GetSize())
        return true;
    const uint64_t steps = n / m_growthStep + (n % m_growthStep != 0 ? 1 : 0);
    if (steps > SIZE_MAX / m_growthStep)
        return false;
    const size_t capacity = static_cast<size_t>(steps) * m_growthStep;
    return m_block.SetSize(capacity, false);
}

bool CHfcMemoryOutputStream::Write(const void* buffer, size_t n)
{
    if (n == 0)
        return true;
    if (buffer == nullptr)
        return false;
    // Room for the bytes and the terminator that GetData adds.
    if (m_position > SIZE_MAX || n > SIZE_MAX - 1 - m_position)
        return false;
    const size_t end = static_cast<size_t>(m_position) + n;
    if (!Reserve(uint64_t(end) + 1))
        return false;
    uint8_t* data = m_block.GetData();
    if (m_position > m_size)
        std::memset(data + m_size, 0, static_cast<size_t>(m_position) - m_size);
    std::memcpy(data + m_position, buffer, n);
    m_position = end;
    m_size = std::max(m_size, end);
    return true;
}

const uint8_t* CHfcMemoryOutputStream::GetData()
{
    if (!Reserve(uint64_t(m_size) + 1))
        return nullptr;
    uint8_t* data = m_block.GetData();
    data[m_size] = 0;
    return data;
}
