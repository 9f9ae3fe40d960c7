#include "foundation/CHfcFile.h"

#include <system_error>

namespace
{

enum
{
    kNone = 0,
    kReading = 1,
    kWriting = 2,
};

} // namespace

CHfcFile::CHfcFile() : m_file(nullptr), m_lastDirection(kNone) {}

CHfcFile::~CHfcFile()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool CHfcFile::Open(const std::filesystem::path& path, uint32_t mode)
{
    if (m_file != nullptr)
        Close();

    const bool binary = (mode & kModeBinary) != 0;
#ifdef _WIN32
    const wchar_t* text = nullptr;
    switch (mode & 3)
    {
    case kModeRead:
        text = binary ? L"rb" : L"rt";
        break;
    case kModeWrite:
        text = binary ? L"wb" : L"wt";
        break;
    case kModeReadWrite:
        text = binary ? L"r+b" : L"r+t";
        break;
    default:
        return false;
    }
    m_file = _wfopen(path.c_str(), text);
#else
    // POSIX streams make no text/binary distinction.
    (void)binary;
    const char* text = nullptr;
    switch (mode & 3)
    {
    case kModeRead:
        text = "rb";
        break;
    case kModeWrite:
        text = "wb";
        break;
    case kModeReadWrite:
        text = "r+b";
        break;
    default:
        return false;
    }
    m_file = std::fopen(path.c_str(), text);
#endif
    m_lastDirection = kNone;
    return m_file != nullptr;
}

bool CHfcFile::Close()
{
    if (m_file == nullptr)
        return false;
    const int result = std::fclose(m_file);
    m_file = nullptr;
    m_lastDirection = kNone;
    return result == 0;
}

void CHfcFile::PrepareFor(int direction)
{
    if (m_lastDirection != kNone && m_lastDirection != direction)
        std::fseek(m_file, 0, SEEK_CUR);
    m_lastDirection = direction;
}

size_t CHfcFile::Read(void* buffer, size_t n)
{
    if (m_file == nullptr || buffer == nullptr || n == 0)
        return 0;
    PrepareFor(kReading);
    return std::fread(buffer, 1, n, m_file);
}

size_t CHfcFile::Write(const void* buffer, size_t n)
{
    if (m_file == nullptr || buffer == nullptr || n == 0)
        return 0;
    PrepareFor(kWriting);
    return std::fwrite(buffer, 1, n, m_file);
}

bool CHfcFile::Seek(int64_t offset, int32_t origin)
{
    if (m_file == nullptr)
        return false;
    const int whence = origin == kSeekCurrent ? SEEK_CUR : origin == kSeekEnd ? SEEK_END : SEEK_SET;
#ifdef _WIN32
    const int result = _fseeki64(m_file, offset, whence);
#else
    const int result = fseeko(m_file, static_cast<off_t>(offset), whence);
#endif
    m_lastDirection = kNone;
    return result == 0;
}

int64_t CHfcFile::GetPosition() const
{
    if (m_file == nullptr)
        return -1;
#ifdef _WIN32
    return _ftelli64(m_file);
#else
    return static_cast<int64_t>(ftello(m_file));
#endif
}

bool CHfcFile::IsOpen() const
{
    return m_file != nullptr;
}

bool GetFileInfo(const std::filesystem::path& path, uint64_t& size)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return false;
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    if (error)
        return false;
    size = static_cast<uint64_t>(length);
    return true;
}

uint64_t GetFileSize(const std::filesystem::path& path)
{
    uint64_t size = 0;
    return GetFileInfo(path, size) ? size : 0;
}
