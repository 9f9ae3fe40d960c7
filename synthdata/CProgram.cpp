#include "synthdata/CProgram.h"

#include "foundation/EfUtility.h"

#include <cstring>

CProgram::CProgram()
{
    std::memset(&m_block, 0, sizeof m_block);
    std::memset(&m_saved, 0, sizeof m_saved);
    m_attribute1 = 1;
    m_attribute2 = 2;
    m_attribute3 = 0;
}

void CProgram::InitializeProgram()
{
    std::memset(&m_block, 0, sizeof m_block);
    std::memcpy(m_block.image, GetInitImage(), kQ3580ProgramImageSize);
    RefreshName();
    m_attribute1 = 1;
    m_attribute2 = 2;
    m_attribute3 = 0;
    ResetOscCtrlMemory();
}

void CProgram::Init()
{
    InitializeProgram();
    SaveBlock();
}

void CProgram::Clear()
{
    CQ3580ProgramData::Clear();
    RefreshName();
}

void CProgram::CopyFrom(const CZmProgramData& other)
{
    CQ3580ProgramData::CopyFrom(other);
    RefreshName();
}

void CProgram::ReadImage(CHfcInputStream& stream)
{
    CQ3580ProgramData::ReadImage(stream);
    RefreshName();
}

void CProgram::ReadChunk(CHfcInputStream& stream)
{
    CQ3580ProgramData::ReadChunk(stream);
    RefreshName();
    SaveBlock();
}

void CProgram::SetAuthor(const char* text)
{
    CopyTerminatedText(m_block.programmer, text, kAuthorLength);
}

void CProgram::SetComment(const char* text)
{
    CopyTerminatedText(m_block.comment, text, kCommentLength);
}

void CProgram::SetProgramName(const char* text)
{
    char name[kQ3580ProgramNameLength + 1] = {};
    for (uint32_t i = 0; i < kQ3580ProgramNameLength && text != nullptr && text[i] != '\0'; ++i)
        name[i] = text[i];
    UppercaseName8(name);
    CopyPadded(reinterpret_cast<char*>(m_block.image), name, kQ3580ProgramNameLength);
    std::memcpy(m_block.name, name, sizeof name);
}

void CProgram::CopyProgram(const CProgram& other)
{
    if (&other == this)
        return;
    std::memcpy(m_block.image, other.m_block.image, kQ3580ProgramImageSize);
    RefreshName();
    m_attribute2 = other.m_attribute2;
    m_attribute3 = other.m_attribute3;
}

void CProgram::CopyBlock(const CProgram& other)
{
    if (&other == this)
        return;
    m_block = other.m_block;
    m_attribute2 = other.m_attribute2;
}

void CProgram::RevertBlock()
{
    m_block = m_saved;
}

void CProgram::SaveBlock()
{
    m_saved = m_block;
}

bool CProgram::IsChanged() const
{
    return std::memcmp(&m_block, &m_saved, sizeof m_block) != 0;
}

void CProgram::RefreshName()
{
    CopyTrimmedText(m_block.name, reinterpret_cast<const char*>(m_block.image), kQ3580ProgramNameLength);
}
