#include "synthdata/CProgramSet.h"

#include "synthdata/CZmChunkHeader.h"

#include "foundation/CZmException.h"

namespace
{
const uint32_t kProgramChunkSize = CQ3580ProgramData::kChunkSize;
} // namespace

CProgramSet::CProgramSet() : m_programs(kProgramCount)
{
    Init();
}

void CProgramSet::Init()
{
    for (CProgram& program : m_programs)
        program.Init();
}

void CProgramSet::ReadProgramSetChunk(CHfcInputStream& stream)
{
    CZmChunkHeader header;
    header.ReadChecked(stream, kChunkTag, kChunkSize - CZmChunkHeader::kSize);
    if (header.count > kProgramCount)
        throw CZmFileException(kZmFileErrorDataSize);
    CProgramSet read;
    for (uint32_t n = 0; n < header.count; ++n)
        read.m_programs[n].ReadProgramChunk(stream);
    m_programs.swap(read.m_programs);
}

void CProgramSet::WriteProgramSetChunk(CHfcOutputStream& stream) const
{
    CZmChunkHeader(kChunkTag, kProgramCount * kProgramChunkSize, kProgramCount, kProgramChunkSize)
        .Write(stream);
    for (const CProgram& program : m_programs)
        program.WriteProgramChunk(stream);
}
