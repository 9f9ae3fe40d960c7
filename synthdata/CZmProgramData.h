#pragma once

#include "synthdata/CZmData.h"

// A program's data: adds the library information kept only by this system.
class CZmProgramData : public CZmData
{
public:
    enum : uint32_t
    {
        kAuthorLength = 24,
        kCommentLength = 64,
    };

    CZmProgramData();

    void Clear() override;
    // The bare image: exactly GetImageStreamSize bytes. A short read throws CZmFileException 2
    // and leaves the program as it was; a read clears author and comment. A failed write throws
    // CZmFileException 3.
    virtual void ReadImage(CHfcInputStream& stream) = 0;
    virtual void WriteImage(CHfcOutputStream& stream) const = 0;
    virtual uint32_t GetImageStreamSize() const { return GetImageSize(); }
    virtual const char* GetNoNameText() const { return "----"; }
    // Copies attributes, author, comment, user word and digest; subclasses add the image.
    virtual void CopyFrom(const CZmProgramData& other);
    CZmData& Assign(const CZmData& other) override;

    // Name of the program, without trailing blanks.
    virtual const char* GetName() const = 0;
    virtual const char* GetAuthor() const { return m_author; }
    // Copies up to 24 characters (stopping at the text's terminator), NUL-padded.
    virtual void SetAuthor(const char* text);
    virtual const char* GetComment() const { return m_comment; }
    // Copies up to 64 characters (stopping at the text's terminator), NUL-padded.
    virtual void SetComment(const char* text);
    virtual int32_t GetUserWord() const { return m_userWord; }
    virtual void SetUserWord(int32_t v) { m_userWord = v; }

protected:
    // Author and comment become blanks.
    void ClearAuthorAndComment();

    char m_author[kAuthorLength + 1];
    char m_comment[kCommentLength + 1];
    int32_t m_userWord = 0;
};

// Copies up to n characters of src (stopping at its terminator) into dest, NUL-fills the
// rest of the n bytes and terminates at dest[n].
void CopyTerminatedText(char* dest, const char* src, uint32_t n);
