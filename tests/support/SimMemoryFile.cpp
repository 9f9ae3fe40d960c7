#include "support/SimMemoryFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace
{
constexpr char kOldTag[8] = {'N', 'v', 'S', 'i', 'm', 'M', 'e', 'm'};
constexpr char kTag[8] = {'N', 'v', 'S', 'i', 'm', 'M', 'e', '2'};
constexpr uint32_t kProgramCount = 128;
constexpr uint32_t kMaximumImage = 1 << 20;

// From a whole file's bytes at `at`, moved past it.
bool ReadImage(const std::vector<uint8_t>& bytes, size_t& at, std::vector<uint8_t>& image)
{
    uint32_t size = 0;
    if (bytes.size() - at < sizeof size)
        return false;
    std::memcpy(&size, &bytes[at], sizeof size);
    at += sizeof size;
    if (size > kMaximumImage || bytes.size() - at < size)
        return false;
    image.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
    return true;
}

// Opened to share everything, so that the instrument may replace the file while a test reads it.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes)
{
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    uint8_t buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0 &&
           bytes.size() < 2 * 129 * static_cast<size_t>(kMaximumImage))
        bytes.insert(bytes.end(), buffer, buffer + read);
    CloseHandle(file);
    return ok;
}

bool WriteImage(FILE* file, const std::vector<uint8_t>& image)
{
    const uint32_t size = static_cast<uint32_t>(image.size());
    return std::fwrite(&size, sizeof size, 1, file) == 1 &&
           (size == 0 || std::fwrite(image.data(), 1, size, file) == size);
}
} // namespace

bool ReadSimMemory(const std::wstring& path, SimMemory& memory)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.size() < sizeof kTag)
        return false;
    const bool current = std::memcmp(bytes.data(), kTag, sizeof kTag) == 0;
    if (!current && std::memcmp(bytes.data(), kOldTag, sizeof kOldTag) != 0)
        return false;
    SimMemory read;
    read.programs.resize(kProgramCount);
    size_t at = sizeof kTag;
    bool complete = true;
    for (uint32_t n = 0; complete && n < kProgramCount; ++n)
        complete = ReadImage(bytes, at, read.programs[n]);
    complete = complete && ReadImage(bytes, at, read.global);
    if (current)
        complete = complete && ReadImage(bytes, at, read.editBuffer);
    if (complete)
        memory = std::move(read);
    return complete;
}

bool WriteSimMemory(const std::wstring& path, const SimMemory& memory)
{
    if (memory.programs.size() != kProgramCount)
        return false;
    const std::wstring partial = path + L".new";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file)
        return false;
    bool written = std::fwrite(kTag, 1, sizeof kTag, file) == sizeof kTag;
    for (uint32_t n = 0; written && n < kProgramCount; ++n)
        written = WriteImage(file, memory.programs[n]);
    written = written && WriteImage(file, memory.global) && WriteImage(file, memory.editBuffer);
    written = std::fclose(file) == 0 && written;
    if (written && MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(partial.c_str());
    return false;
}
