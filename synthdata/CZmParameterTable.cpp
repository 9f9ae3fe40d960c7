#include "synthdata/CZmParameterTable.h"

#include "foundation/EfUtility.h"

const CZmParameterInfo* CZmParameterTable::GetParameterInfo(const CZmParameterId& id) const
{
    const CZmParameterGroup* g = GetGroup(id.group);
    if (g == nullptr || id.index >= g->count)
        return nullptr;
    return &g->rows[id.index];
}

uint32_t CZmParameterTable::GetParameterCount(uint32_t group) const
{
    const CZmParameterGroup* g = GetGroup(group);
    if (g == nullptr)
    {
        DebugTrace("unknow parameter group...");
        return 0;
    }
    if (g->count == 0)
        DebugTrace("now under construction...");
    return g->count;
}
