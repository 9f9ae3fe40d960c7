#include "foundation/CEfMemoryBlock.h"

#include <cstring>
#include <utility>

CEfMemoryBlock::CEfMemoryBlock() : m_tag{} {}

CEfMemoryBlock::~CEfMemoryBlock() = default;

void CEfMemoryBlock::SetTag(const char* text)
{
    std::memset(m_tag, 0, sizeof m_tag);
    if (text != nullptr)
        std::strncpy(m_tag, text, 8);
}

bool CEfMemoryBlock::HasTag(const char* text) const
{
    return text != nullptr && std::strncmp(m_tag, text, 8) == 0;
}

bool CEfMemoryBlock::Assign(const CEfMemoryBlock& other)
{
    if (this == &other)
        return true;
    CHfcMemoryBlock copy(other);
    if (copy.GetSize() != other.GetSize())
        return false;
    CHfcMemoryBlock::operator=(std::move(copy));
    std::memcpy(m_tag, other.m_tag, sizeof m_tag);
    return true;
}

bool CEfMemoryBlock::IsEqual(const CHfcMemoryBlock& other) const
{
    if (GetSize() != other.GetSize())
        return false;
    return GetSize() == 0 || std::memcmp(GetData(), other.GetData(), GetSize()) == 0;
}
