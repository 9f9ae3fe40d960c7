#include "synthdata/CZmProgramData.h"

#include <cstring>

void CopyTerminatedText(char* dest, const char* src, uint32_t n)
{
    uint32_t i = 0;
    for (; src != nullptr && i < n && src[i] != '\0'; ++i)
        dest[i] = src[i];
    std::memset(dest + i, 0, n + 1 - i);
}

CZmProgramData::CZmProgramData()
{
    std::memset(m_author, ' ', kAuthorLength);
    m_author[kAuthorLength] = '\0';
    std::memset(m_comment, ' ', kCommentLength);
    m_comment[kCommentLength] = '\0';
}

void CZmProgramData::Clear()
{
    ClearAuthorAndComment();
    SetUserWord(0);
}

void CZmProgramData::ClearAuthorAndComment()
{
    char blanks[kCommentLength + 1];
    std::memset(blanks, ' ', kCommentLength);
    blanks[kCommentLength] = '\0';
    SetAuthor(blanks);
    SetComment(blanks);
}

void CZmProgramData::CopyFrom(const CZmProgramData& other)
{
    if (&other == this)
        return;
    CopyAttributes(&other);
    SetAuthor(other.GetAuthor());
    SetComment(other.GetComment());
    SetUserWord(other.GetUserWord());
    SetDigest(other.GetDigest());
}

CZmData& CZmProgramData::Assign(const CZmData& other)
{
    if (const auto* program = dynamic_cast<const CZmProgramData*>(&other))
        CopyFrom(*program);
    else
        CopyAttributes(&other);
    return *this;
}

void CZmProgramData::SetAuthor(const char* text)
{
    CopyTerminatedText(m_author, text, kAuthorLength);
}

void CZmProgramData::SetComment(const char* text)
{
    CopyTerminatedText(m_comment, text, kCommentLength);
}
