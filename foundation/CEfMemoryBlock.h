#pragma once

#include "foundation/CHfcMemoryBlock.h"

// A memory block with an 8-character tag.
class CEfMemoryBlock : public CHfcMemoryBlock
{
public:
    CEfMemoryBlock();
    ~CEfMemoryBlock() override;

    // Copies up to 8 characters of text; null clears the tag.
    void SetTag(const char* text);
    // The tag, terminated.
    const char* GetTag() const { return m_tag; }
    // True when the first 8 characters of text match the tag.
    bool HasTag(const char* text) const;
    // Copies the bytes and the tag of other; false (unchanged) when the memory is not there.
    bool Assign(const CEfMemoryBlock& other);
    // The same size and the same bytes; the tag is not compared.
    bool IsEqual(const CHfcMemoryBlock& other) const;
    bool IsNotEqual(const CHfcMemoryBlock& other) const { return !IsEqual(other); }

private:
    char m_tag[9];
};
