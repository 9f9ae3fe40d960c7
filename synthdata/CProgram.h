#pragma once

#include "synthdata/CQ3580ProgramData.h"

enum : uint32_t
{
    kProgramBlockSize = 636,
};

// The program block: what the accessors address and what the clipboard copies as one program.
struct CProgramBlock
{
    uint8_t image[kQ3580ProgramImageSize];
    char name[kQ3580ProgramNameLength + 1];
    char programmer[CZmProgramData::kAuthorLength + 1];
    char comment[CZmProgramData::kCommentLength + 1];
    uint8_t pad[3];
    int32_t priority; // 0 Off, 1-5 = A-E
    uint8_t reserved[184];
};
static_assert(sizeof(CProgramBlock) == kProgramBlockSize, "the block's layout is fixed by the clipboard");

// A program as libraries, the MIDI manager and the editors hold it: a program block and a
// saved copy of it for revert and change detection. Library information (programmer name,
// comment, priority) lives in the block; the author, comment and user-word operations of the
// base classes reach it.
class CProgram : public CQ3580ProgramData
{
public:
    CProgram();

    // INITPROG with cleared library information; also becomes the saved copy.
    void Init() override;
    // These change the image's name bytes, so they refresh the block's name as well.
    void Clear() override;
    void CopyFrom(const CZmProgramData& other) override;
    void ReadImage(CHfcInputStream& stream) override;
    // A "3580PrgD" chunk; the name is refreshed from the image and the block read becomes the
    // saved copy, so a revert returns to the file's program.
    void ReadChunk(CHfcInputStream& stream) override;
    void ReadProgramChunk(CHfcInputStream& stream) { ReadChunk(stream); }
    void WriteProgramChunk(CHfcOutputStream& stream) const { WriteChunk(stream); }
    uint8_t* GetImage() override { return m_block.image; }
    const uint8_t* GetImage() const override { return m_block.image; }
    uint32_t GetImageSize() const override { return kQ3580ProgramImageSize; }
    const char* GetAuthor() const override { return m_block.programmer; }
    void SetAuthor(const char* text) override;
    const char* GetComment() const override { return m_block.comment; }
    void SetComment(const char* text) override;
    int32_t GetUserWord() const override { return m_block.priority; }
    void SetUserWord(int32_t v) override { m_block.priority = v; }

    // Init without touching the saved copy.
    void InitializeProgram();
    // Upper-cases and blank-pads the first 8 characters into the image's name bytes.
    void SetProgramName(const char* text);
    const char* GetProgramName() const { return GetName(); }
    // The image and attributes 2 and 3 of other (a dump from the instrument); library
    // information stays.
    void CopyProgram(const CProgram& other);
    // The whole block and attribute 2.
    void CopyBlock(const CProgram& other);
    void RevertBlock();
    // Makes the current block the saved copy.
    void SaveBlock();
    // True when the block differs from the saved copy.
    bool IsChanged() const;
    // The chunk size.
    uint32_t GetBlockSize() const { return kChunkSize; }

    CProgramBlock& GetBlock() { return m_block; }
    const CProgramBlock& GetBlock() const { return m_block; }
    const CProgramBlock& GetSavedBlock() const { return m_saved; }
    // 1 from construction on; nothing changes it yet.
    uint8_t GetBlockFlag() const { return m_blockFlag; }

    // The name from the image's name bytes, trailing blanks and NULs removed.
    void RefreshName();

private:
    CProgramBlock m_block;
    CProgramBlock m_saved;
    uint8_t m_blockFlag = 1;
};
