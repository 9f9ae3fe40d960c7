#include "synthdata/CZmGlobalAccessor.h"

#include "synthdata/CZmFieldLocation.h"
#include "synthdata/CZmValueText.h"

#include "foundation/EfUtility.h"

#include <cstdio>

namespace
{

// Settings that belong to the instrument's panel: Memory Protect, Global MIDI Channel,
// System Routing and System Exclusive.
bool IsPanelOnly(const CZmParameterId& id)
{
    return (id.group == 0 && id.index == 2) || (id.group == 1 && (id.index == 0 || id.index == 2)) ||
           (id.group == 2 && id.index == 0);
}

// Texts are computed in 64 bits so that no value overflows.
void FormatMidiCtrlSource(long long v, char* buffer, size_t size)
{
    if (v == 0)
        std::snprintf(buffer, size, "Pitch Bend");
    else if (v == 1)
        std::snprintf(buffer, size, "After Touch");
    else if (v <= 97)
        std::snprintf(buffer, size, "CC#%02lld", v - 2);
    else if (v <= 115)
        std::snprintf(buffer, size, "CC#%02lld", v + 4);
    else if (v <= 117)
        std::snprintf(buffer, size, "CC#%02lld +/-", v - 100);
    else
        std::snprintf(buffer, size, "CC#%02lld +/-", v - 99);
}

} // namespace

const CZmParameterInfo* CZmGlobalAccessor::GetParameterInfo(const CZmParameterId& id) const
{
    return m_table->GetParameterInfo({id.group, id.index, 0});
}

const CZmParameterInfo* CZmGlobalAccessor::GetPresentRow(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return (row != nullptr && row->present != 0) ? row : nullptr;
}

int32_t CZmGlobalAccessor::GetValue(const CZmGlobalData* global, uint32_t group, uint32_t index) const
{
    return GetValue(global, CZmParameterId{group, index, 0});
}

int32_t CZmGlobalAccessor::GetValue(const CZmGlobalData* global, const CZmParameterId& id) const
{
    return ClampValue(GetParameter(global, id), GetMin(id), GetMax(id));
}

void CZmGlobalAccessor::SetValue(CZmGlobalData* global, uint32_t group, uint32_t index, int32_t value) const
{
    SetValue(global, CZmParameterId{group, index, 0}, value);
}

void CZmGlobalAccessor::SetValue(CZmGlobalData* global, const CZmParameterId& id, int32_t value) const
{
    SetParameter(global, id, ClampValue(value, GetMin(id), GetMax(id)));
}

int32_t CZmGlobalAccessor::GetParameter(const CZmGlobalData* global, const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetPresentRow(id);
    if (global == nullptr || row == nullptr)
        return 0;
    return CZmFieldLocation::FromRow(*row, 0).Read(*global);
}

void CZmGlobalAccessor::SetParameter(CZmGlobalData* global, const CZmParameterId& id, int32_t value) const
{
    const CZmParameterInfo* row = GetPresentRow(id);
    if (global == nullptr || row == nullptr)
        return;
    CZmFieldLocation::FromRow(*row, 0).Write(*global, value);
}

void CZmGlobalAccessor::GetValueText(const CZmGlobalData*, const CZmParameterId& id, int32_t value,
                                     char* buffer, size_t size) const
{
    if (buffer == nullptr || size == 0)
        return;
    const char* format = GetFormat(id);
    if (CZmValueText::IsFormat(format, "UserScaleValue"))
    {
        if (value > 0)
            std::snprintf(buffer, size, "+%2d", value);
        else if (value == 0)
            std::snprintf(buffer, size, "%3d", value);
        else
            std::snprintf(buffer, size, "-%2lld", -static_cast<long long>(value));
    }
    else if (CZmValueText::IsFormat(format, "MasterTune"))
        std::snprintf(buffer, size, "%3.1f Hz", 440.0 + value / 10.0);
    else if (CZmValueText::IsFormat(format, "MidiCtrlSource"))
        FormatMidiCtrlSource(value, buffer, size);
    else
        CZmValueText::Format(format, value, GetMin(id), buffer, size);
}

void CZmGlobalAccessor::GetCurrentValueText(const CZmGlobalData* global, const CZmParameterId& id,
                                            char* buffer, size_t size) const
{
    GetValueText(global, id, GetValue(global, id), buffer, size);
}

int32_t CZmGlobalAccessor::GetMin(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->minimum : 0;
}

int32_t CZmGlobalAccessor::GetMax(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->maximum : 0;
}

int32_t CZmGlobalAccessor::GetBias(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->bias : 0;
}

const char* CZmGlobalAccessor::GetName(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->name : nullptr;
}

const char* CZmGlobalAccessor::GetFormat(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->format : nullptr;
}

uint32_t CZmGlobalAccessor::GetKind(const CZmParameterId& id) const
{
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row != nullptr ? row->kind : 0;
}

bool CZmGlobalAccessor::IsEditable(const CZmParameterId& id) const
{
    if (IsPanelOnly(id))
        return false;
    const CZmParameterInfo* row = GetParameterInfo(id);
    return row == nullptr || row->present != 0;
}
