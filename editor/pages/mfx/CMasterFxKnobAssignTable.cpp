#include "editor/pages/mfx/CMasterFxKnobAssignTable.h"

#include "synthdata/CQ3580ProgramAccessor.h"
#include "synthdata/CZmFxParameterTable.h"

#include <algorithm>

CMasterFxKnobAssignTable::CMasterFxKnobAssignTable(const CZmData* program, uint32_t effect)
{
    const CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!program || !accessor || effect > 1)
        return;
    const uint32_t typeIndex = 24 * effect + 1;
    m_type = accessor->GetValue(program, {6, typeIndex, 0});
    const CZmFxParameterTable* table = accessor->GetFxTable();
    const int32_t n =
        table ? std::min<int32_t>(static_cast<int32_t>(table->GetParameterCount()), kMaxCount) : 0;
    for (int32_t p = 0; p < n; ++p)
        if (accessor->IsControlAssignable(program, {6, typeIndex + 3 + static_cast<uint32_t>(p), 0}))
            m_parameters[static_cast<size_t>(m_count++)] = p;
}

int32_t CMasterFxKnobAssignTable::FindPosition(int32_t parameter) const
{
    for (int32_t i = m_count - 1; i >= 0; --i)
        if (m_parameters[static_cast<size_t>(i)] == parameter)
            return i;
    return -1;
}

int32_t CMasterFxKnobAssignTable::GetParameter(int32_t position) const
{
    return position >= 0 && position < m_count ? m_parameters[static_cast<size_t>(position)] : -1;
}
