#include "synthdata/CQ3580GlobalParameterTable.h"

const CZmParameterGroup* CQ3580GlobalParameterTable::GetGroup(uint32_t group) const
{
    return group < kGlbGroupCount ? &kQ3580GlobalGroups[group] : nullptr;
}
