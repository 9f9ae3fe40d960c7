#include "synthdata/CQ3580ParameterTable.h"

const CZmParameterGroup* CQ3580ParameterTable::GetGroup(uint32_t group) const
{
    return group < kPrgGroupCount ? &kQ3580ProgramGroups[group] : nullptr;
}
