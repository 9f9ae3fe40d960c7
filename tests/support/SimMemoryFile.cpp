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

bool ReadImage(FILE* file, std::vector<uint8_t>& image)
{
    uint32_t size = 0;
    if (std::fread(&size, sizeof size, 1, file) != 1 || size > kMaximumImage)
        return false;
    image.resize(size);
    return size == 0 || std::fread(image.data(), 1, size, file) == size;
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
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    char tag[sizeof kTag];
    SimMemory read;
    read.programs.resize(kProgramCount);
    bool complete = std::fread(tag, 1, sizeof tag, file) == sizeof tag;
    const bool current = complete && std::memcmp(tag, kTag, sizeof tag) == 0;
    complete = complete && (current || std::memcmp(tag, kOldTag, sizeof tag) == 0);
    for (uint32_t n = 0; complete && n < kProgramCount; ++n)
        complete = ReadImage(file, read.programs[n]);
    complete = complete && ReadImage(file, read.global);
    if (current)
        complete = complete && ReadImage(file, read.editBuffer);
    std::fclose(file);
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
