#include "synthdata/CZmProgramAccessor.h"

#include "synthdata/CZmValueText.h"

#include "foundation/EfUtility.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

CZmProgramAccessor::CZmProgramAccessor(const CZmParameterTable* table, const CZmFxParameterTable* fxTable)
    : m_table(table), m_fxTable(fxTable)
{
}

const CZmParameterInfo* CZmProgramAccessor::GetParameterInfo(const CZmParameterId& id) const
{
    return m_table->GetParameterInfo(id);
}

const CZmParameterInfo* CZmProgramAccessor::GetPresentRow(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return (row != nullptr && row->present != 0) ? row : nullptr;
}

const CZmFxParameterInfo* CZmProgramAccessor::GetEffectRow(const CZmData*, const CZmParameterId&) const
{
    return nullptr;
}

int32_t CZmProgramAccessor::GetParameter(const CZmData* program, const CZmParameterId& id) const
{
    CZmFieldLocation f;
    if (program == nullptr || !LocateField(program, id, f))
        return 0;
    return f.Read(*program);
}

void CZmProgramAccessor::SetParameter(CZmData* program, const CZmParameterId& id, int32_t value) const
{
    CZmFieldLocation f;
    if (program == nullptr || !LocateField(program, id, f))
        return;
    f.Write(*program, value);
}

int32_t CZmProgramAccessor::GetValue(const CZmData* program, const CZmParameterId& id) const
{
    return ClampValue(GetParameter(program, id), GetMin(program, id), GetMax(program, id));
}

void CZmProgramAccessor::SetValue(CZmData* program, const CZmParameterId& id, int32_t value) const
{
    SetParameter(program, id, ClampValue(value, GetMin(program, id), GetMax(program, id)));
}

float CZmProgramAccessor::ValueToFloat(const CZmData* program, const CZmParameterId& id, int32_t value) const
{
    const int32_t max = GetMax(program, id);
    const int32_t divisor = max != 0 ? max : 1;
    // In double: value - min of two 32-bit numbers need not fit in 32 bits.
    const double offset = static_cast<double>(value) - static_cast<double>(GetMin(program, id));
    return static_cast<float>(offset / static_cast<double>(divisor));
}

int32_t CZmProgramAccessor::FloatToValue(const CZmData* program, const CZmParameterId& id, float f) const
{
    const int32_t max = GetMax(program, id);
    const double scaled = static_cast<double>(max != 0 ? max : 1) * static_cast<double>(f);
    if (std::isnan(scaled))
        return GetMin(program, id);
    const double nearest = std::nearbyint(scaled);
    const double steps = std::fabs(scaled - nearest) < 1e-2 ? nearest : std::trunc(scaled);
    // The sum is limited to 32 bits (infinities included), so every float has a value.
    const double value = static_cast<double>(GetMin(program, id)) + steps;
    return static_cast<int32_t>(
        ClampValue(value, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

float CZmProgramAccessor::GetValueAsFloat(const CZmData* program, const CZmParameterId& id) const
{
    return ValueToFloat(program, id, GetValue(program, id));
}

void CZmProgramAccessor::SetParameterByFloat(CZmData* program, const CZmParameterId& id, float f) const
{
    const int32_t value = FloatToValue(program, id, f);
    DebugTrace("SetParameterByFloat: %.3f -> %d", f, value);
    SetValue(program, id, value);
}

void CZmProgramAccessor::GetValueText(const CZmData* program, const CZmParameterId& id, int32_t value,
                                      char* buffer, size_t size) const
{
    CZmValueText::Format(GetFormat(program, id), value, GetMin(program, id), buffer, size);
}

void CZmProgramAccessor::GetCurrentValueText(const CZmData* program, const CZmParameterId& id, char* buffer,
                                             size_t size) const
{
    GetValueText(program, id, GetValue(program, id), buffer, size);
}

int32_t CZmProgramAccessor::GetMin(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->minimum;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->minimum : 0;
}

int32_t CZmProgramAccessor::GetMax(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->maximum;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->maximum : 0;
}

int32_t CZmProgramAccessor::GetBias(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->bias;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->bias : 0;
}

const char* CZmProgramAccessor::GetName(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->name;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->name : nullptr;
}

const char* CZmProgramAccessor::GetFormat(const CZmData* program, const CZmParameterId& id) const
{
    const CZmFxParameterInfo* fx = GetEffectRow(program, id);
    if (fx != nullptr && fx->format != nullptr && fx->format[0] != '\0')
        return fx->format;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->format : nullptr;
}

uint32_t CZmProgramAccessor::GetKind(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->kind;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->kind : 0;
}

bool CZmProgramAccessor::IsPresent(const CZmParameterId& id) const
{
    return GetPresentRow(id) != nullptr;
}

bool CZmProgramAccessor::IsCounted(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr && row->counted != 0;
}

bool CZmProgramAccessor::IsPresent(const CZmData* program, const CZmParameterId& id) const
{
    if (const CZmFxParameterInfo* fx = GetEffectRow(program, id))
        return fx->present != 0;
    return IsPresent(id);
}

bool CZmProgramAccessor::IsParameterEnabled(const CZmData*, const CZmParameterId&) const
{
    return true;
}

bool CZmProgramAccessor::IsControlAssignable(const CZmData*, const CZmParameterId&) const
{
    return true;
}

int32_t CZmProgramAccessor::GetLink(const CZmData*, const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->link : -1;
}

uint32_t CZmProgramAccessor::SumCounts(bool countedOnly) const
{
    uint32_t total = 0;
    for (uint32_t g = 0; g < m_table->GetGroupCount(); ++g)
    {
        const uint32_t count = m_table->GetParameterCount(g);
        uint32_t n = 0;
        for (uint32_t i = 0; i < count; ++i)
            if (!countedOnly || IsCounted({g, i, 0}))
                ++n;
        total += IsTimbreGroup(g) ? 2 * n : n;
    }
    return total;
}

uint32_t CZmProgramAccessor::GetParameterTotal() const
{
    return SumCounts(false);
}

uint32_t CZmProgramAccessor::GetCountedTotal() const
{
    return SumCounts(true);
}
