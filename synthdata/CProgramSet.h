#pragma once

#include "synthdata/CProgram.h"

#include <vector>

class CHfcInputStream;
class CHfcOutputStream;

// The 128 programs of a library or of the instrument, program n at index n.
class CProgramSet
{
public:
    static constexpr char kChunkTag[] = "3580PrgS";

    enum : uint32_t
    {
        kProgramCount = 128,
        kChunkSize = 32 + kProgramCount * CQ3580ProgramData::kChunkSize,
    };

    // 128 initialised programs.
    CProgramSet();

    void Init();
    // Program n; callers keep n below 128 (a larger n answers program 127, never memory
    // outside the set).
    CProgram& GetProgram(uint32_t n) { return m_programs[n < kProgramCount ? n : kProgramCount - 1]; }
    const CProgram& GetProgram(uint32_t n) const
    {
        return m_programs[n < kProgramCount ? n : kProgramCount - 1];
    }

    // "3580PrgS": its header, then the 128 program chunks. A failed read throws and leaves the
    // set as it was; programs the chunk does not count stay initialised.
    void ReadProgramSetChunk(CHfcInputStream& stream);
    void WriteProgramSetChunk(CHfcOutputStream& stream) const;

private:
    std::vector<CProgram> m_programs;
};
