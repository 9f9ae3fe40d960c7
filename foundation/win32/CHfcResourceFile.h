#pragma once

#include "foundation/CHfcFile.h"

// The bytes of a Win32 resource of the module, read like a file. Writing is refused; closing
// frees nothing (resource memory lives as long as the module).
class CHfcResourceFile : public CHfcFile
{
public:
    CHfcResourceFile();
    ~CHfcResourceFile() override;

    // Closes, then finds, loads and locks the resource of the instance module (the program
    // when none was set); position 0. False when there is no such resource.
    bool OpenResource(const wchar_t* type, const wchar_t* name);

    bool Close() override;
    size_t Read(void* buffer, size_t n) override;
    size_t Write(const void* buffer, size_t n) override;
    bool Seek(int64_t offset, int32_t origin) override;
    int64_t GetPosition() const override;
    bool IsOpen() const override;

private:
    const uint8_t* m_data; // null when no resource is open
    uint64_t m_size;
    uint64_t m_position; // never above m_size
};
