#include "app/CCustomFile.h"

#include <windows.h>

bool CCustomFile::Open(const std::filesystem::path& path, Access access, bool binary)
{
    return CHfcFile::Open(path, static_cast<uint32_t>(access) | (binary ? CHfcFile::kModeBinary : 0u));
}

bool CCustomFile::CanWriteOver(const std::filesystem::path& path)
{
    uint64_t size = 0;
    if (!GetFileInfo(path, size))
        return true;
    // The attribute first: a file system that lets this user write anyway (root under Wine)
    // would otherwise take the new bytes over a file marked read-only.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // Read-write leaves the bytes as they are, where a write open would truncate them.
    CCustomFile file;
    return file.Open(path, kReadWrite, true);
}
