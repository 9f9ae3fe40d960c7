#include "foundation/CHfcFileOutputStream.h"

#include "foundation/CHfcFile.h"

#include <algorithm>
#include <limits>

CHfcFileOutputStream::CHfcFileOutputStream(CHfcFile& file)
    : m_file(file), m_start(static_cast<uint64_t>(std::max<int64_t>(file.GetPosition(), 0))), m_size(0)
{
}

CHfcFileOutputStream::~CHfcFileOutputStream() = default;

uint64_t CHfcFileOutputStream::GetSize() const
{
    return m_size;
}

uint64_t CHfcFileOutputStream::GetPosition() const
{
    const int64_t position = m_file.GetPosition();
    if (position < 0 || static_cast<uint64_t>(position) < m_start)
        return 0;
    return static_cast<uint64_t>(position) - m_start;
}

bool CHfcFileOutputStream::SetPosition(uint64_t position)
{
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (position > limit - m_start)
        return false;
    return m_file.Seek(static_cast<int64_t>(m_start + position), CHfcFile::kSeekBegin);
}

bool CHfcFileOutputStream::Write(const void* buffer, size_t n)
{
    if (n == 0)
        return true;
    const size_t written = m_file.Write(buffer, n);
    m_size = std::max(m_size, GetPosition());
    return written == n;
}
