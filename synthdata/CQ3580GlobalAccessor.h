#pragma once

#include "synthdata/CQ3580GlobalParameterTable.h"
#include "synthdata/CZmGlobalAccessor.h"

#include "foundation/CEfSingleton.h"

class CQ3580GlobalAccessor : public CZmGlobalAccessor
{
public:
    CQ3580GlobalAccessor() : CZmGlobalAccessor(&m_globalTable) {}

private:
    CQ3580GlobalParameterTable m_globalTable;
};

using CZmGlobalAccessorSingleton = CEfSingleton<CZmGlobalAccessor, CQ3580GlobalAccessor>;
