#include "foundation/CHfcFileInputStream.h"

#include "foundation/CHfcFile.h"
#include "foundation/EfUtility.h"

#include <algorithm>
#include <limits>

CHfcFileInputStream::CHfcFileInputStream(CHfcFile& file) : m_file(file), m_size(0)
{
    if (!m_file.IsOpen())
    {
        DebugTrace("CHfcFileInputStream::CHfcFileInputStream - %s", "File is not open.\n");
        return;
    }
    // The whole length, so that the last byte is readable and an empty file is simply at its
    // end.
    if (m_file.Seek(0, CHfcFile::kSeekEnd))
        m_size = static_cast<uint64_t>(std::max<int64_t>(m_file.GetPosition(), 0));
    if (!m_file.Seek(0, CHfcFile::kSeekBegin))
    {
        DebugTrace("CHfcFileInputStream::CHfcFileInputStream - %s", "Failed to set current position.\n");
        m_size = 0;
    }
}

CHfcFileInputStream::~CHfcFileInputStream() = default;

uint64_t CHfcFileInputStream::GetSize() const
{
    return m_size;
}

uint64_t CHfcFileInputStream::GetPosition() const
{
    return static_cast<uint64_t>(std::max<int64_t>(m_file.GetPosition(), 0));
}

bool CHfcFileInputStream::SetPosition(uint64_t position)
{
    if (position > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return false;
    return m_file.Seek(static_cast<int64_t>(position), CHfcFile::kSeekBegin);
}

bool CHfcFileInputStream::IsAtEnd() const
{
    return GetPosition() >= m_size;
}

size_t CHfcFileInputStream::Read(void* buffer, size_t n)
{
    const uint64_t position = GetPosition();
    if (position >= m_size)
        return 0;
    const uint64_t left = m_size - position;
    return m_file.Read(buffer, static_cast<size_t>(std::min<uint64_t>(n, left)));
}

bool CHfcFileInputStream::Skip(uint64_t n)
{
    const uint64_t position = GetPosition();
    if (position >= m_size)
        return true;
    const uint64_t target = position + std::min(n, m_size - position);
    return SetPosition(target);
}
