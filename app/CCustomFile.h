#pragma once

#include "foundation/CHfcFile.h"

#include <cstdint>
#include <filesystem>

// A file the file manager opens itself, by access and text or binary mode: read "rb"/"rt",
// write "wb"/"wt" (created or truncated), read-write "r+b"/"r+t" (the file must exist).
class CCustomFile : public CHfcFile
{
public:
    enum Access : uint32_t
    {
        kRead = CHfcFile::kModeRead,
        kWrite = CHfcFile::kModeWrite,
        kReadWrite = CHfcFile::kModeReadWrite,
    };

    using CHfcFile::Open;
    bool Open(const std::filesystem::path& path, Access access, bool binary);

    // True when the path names no file, or one that may be written over: an existing file that
    // cannot be opened for writing (read-only, locked) is found before anything is written.
    static bool CanWriteOver(const std::filesystem::path& path);
};
