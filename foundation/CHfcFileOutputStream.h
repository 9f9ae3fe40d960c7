#pragma once

#include "foundation/CHfcStream.h"

class CHfcFile;

// Writes to an open file that it does not own. Positions count from the file's position when
// the stream was made; the size is the highest position written.
class CHfcFileOutputStream : public CHfcOutputStream
{
public:
    explicit CHfcFileOutputStream(CHfcFile& file);
    ~CHfcFileOutputStream() override;

    uint64_t GetSize() const override;
    uint64_t GetPosition() const override;
    bool SetPosition(uint64_t position) override;
    bool Write(const void* buffer, size_t n) override;

private:
    CHfcFile& m_file;
    uint64_t m_start;
    uint64_t m_size;
};
