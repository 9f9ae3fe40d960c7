#pragma once

#include "foundation/CHfcStream.h"

class CHfcFile;

// Reads an open file that it does not own. Positions are offsets in the file; the size is the
// file's length when the stream was made, and the stream starts at the beginning of the file.
// A file that is not open, or cannot be measured, gives an empty stream.
class CHfcFileInputStream : public CHfcInputStream
{
public:
    explicit CHfcFileInputStream(CHfcFile& file);
    ~CHfcFileInputStream() override;

    uint64_t GetSize() const override;
    uint64_t GetPosition() const override;
    bool SetPosition(uint64_t position) override;
    bool IsAtEnd() const override;
    // Reads at most the bytes left before the size.
    size_t Read(void* buffer, size_t n) override;
    bool Skip(uint64_t n) override;

private:
    CHfcFile& m_file;
    uint64_t m_size;
};
