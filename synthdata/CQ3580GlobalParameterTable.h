#pragma once

#include "synthdata/CZmParameterTable.h"

enum CQ3580GlobalGroup : uint32_t
{
    kGlbGroupSystem = 0,
    kGlbGroupMidi = 1,
    kGlbGroupMidiFilter = 2,
    kGlbGroupUserScale = 3,
    kGlbGroupCcMap = 4,
    kGlbGroupCount = 5,
};

// The global parameter table: groups 0-4 of the 100-byte global image.
class CQ3580GlobalParameterTable : public CZmParameterTable
{
public:
    uint32_t GetGroupCount() const override { return kGlbGroupCount; }

protected:
    const CZmParameterGroup* GetGroup(uint32_t group) const override;
};

// Rows, in CQ3580GlobalParameterTable_rows.cpp.
extern const CZmParameterGroup kQ3580GlobalGroups[kGlbGroupCount];
