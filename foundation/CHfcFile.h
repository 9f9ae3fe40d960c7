#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

// A runtime-library stdio stream. Paths are Unicode: UTF-16 (opened with _wfopen) in the
// Windows build, UTF-8 natively.
class CHfcFile
{
public:
    // Open modes: bits 0-1 select reading, writing or both; kModeBinary opens in binary mode.
    enum : uint32_t
    {
        kModeRead = 1,      // "rb" / "rt"
        kModeWrite = 2,     // "wb" / "wt": created or truncated
        kModeReadWrite = 3, // "r+b" / "r+t": the file must exist
        kModeBinary = 8,
    };
    // Seek origins.
    enum : int32_t
    {
        kSeekCurrent = 0,
        kSeekEnd = 1,
        kSeekBegin = 2, // any other value seeks from the beginning too
    };

    CHfcFile();
    virtual ~CHfcFile();
    CHfcFile(const CHfcFile&) = delete;
    CHfcFile& operator=(const CHfcFile&) = delete;

    // Closes what is open, then opens the path; false (and nothing open) when bits 0-1 of the
    // mode are 0 or the file cannot be opened.
    virtual bool Open(const std::filesystem::path& path, uint32_t mode);
    // False when nothing is open or the stream failed to close.
    virtual bool Close();
    // Bytes read; 0 when not open.
    virtual size_t Read(void* buffer, size_t n);
    // Bytes written; 0 when not open.
    virtual size_t Write(const void* buffer, size_t n);
    virtual bool Seek(int64_t offset, int32_t origin);
    // The current offset; -1 when not open.
    virtual int64_t GetPosition() const;
    virtual bool IsOpen() const;

private:
    // Switches the update-mode stream between reading and writing, which C requires to be
    // separated by a positioning call.
    void PrepareFor(int direction);

    std::FILE* m_file;
    int m_lastDirection; // 0 none, 1 read, 2 write: the last transfer on an update stream
};

// True, with the file's size, when the path names an existing file that is not a directory.
bool GetFileInfo(const std::filesystem::path& path, uint64_t& size);

// The size of a file; 0 when there is no such file.
uint64_t GetFileSize(const std::filesystem::path& path);
