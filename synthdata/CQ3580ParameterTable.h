#pragma once

#include "synthdata/CZmParameterTable.h"

// Groups of the program table and the bases of their sections in the program image.
enum CQ3580ProgramGroup : uint32_t
{
    kPrgGroupCommon = 0,
    kPrgGroupTimbreCommon = 1,
    kPrgGroupTimbreSynth = 2,
    kPrgGroupModSeq = 3,
    kPrgGroupTimbreEq = 4,
    kPrgGroupVocoder = 5,
    kPrgGroupMfx = 6,
    kPrgGroupArpCommon = 7,
    kPrgGroupArp = 8,
    kPrgGroupNone = 9,
    kPrgGroupCount = 10,
};

// The program parameter table: groups 0-9.
class CQ3580ParameterTable : public CZmParameterTable
{
public:
    uint32_t GetGroupCount() const override { return kPrgGroupCount; }

protected:
    const CZmParameterGroup* GetGroup(uint32_t group) const override;
};

// Rows, in CQ3580ParameterTable_rows.cpp.
extern const CZmParameterGroup kQ3580ProgramGroups[kPrgGroupCount];
