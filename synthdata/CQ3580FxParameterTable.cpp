#include "synthdata/CQ3580FxParameterTable.h"

const CZmFxTypeInfo* CQ3580FxParameterTable::GetTypeInfo(uint32_t type) const
{
    return type < kQ3580FxTypeCount ? &kQ3580FxTypes[type] : nullptr;
}

const CZmFxParameterInfo* CQ3580FxParameterTable::GetParameterInfo(uint32_t type, uint32_t parameter) const
{
    if (type >= kQ3580FxTypeCount || parameter >= kQ3580FxParameterCount)
        return nullptr;
    return &kQ3580FxParameters[type][parameter];
}
