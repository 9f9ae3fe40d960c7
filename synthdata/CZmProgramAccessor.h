#pragma once

#include "synthdata/CZmData.h"
#include "synthdata/CZmFieldLocation.h"
#include "synthdata/CZmFxParameterTable.h"
#include "synthdata/CZmParameterTable.h"

#include <cstddef>

// The single way to read, write and show a program's parameters. It never throws: a missing
// or absent row reads 0 and ignores writes, and every written value is first limited to the
// parameter's current range. Holds no state of its own besides its tables.
class CZmProgramAccessor
{
public:
    virtual ~CZmProgramAccessor() = default;

    virtual int32_t GetValue(const CZmData* program, const CZmParameterId& id) const;
    virtual void SetValue(CZmData* program, const CZmParameterId& id, int32_t value) const;
    virtual float GetValueAsFloat(const CZmData* program, const CZmParameterId& id) const;
    virtual void SetParameterByFloat(CZmData* program, const CZmParameterId& id, float f) const;
    // (value - min) / max; a zero maximum divides by 1 instead.
    virtual float ValueToFloat(const CZmData* program, const CZmParameterId& id, int32_t value) const;
    // min + max * f truncated toward zero; an f that is within rounding of a whole step
    // gives that step, so ValueToFloat and FloatToValue round-trip every value of a range.
    // The result is limited to 32 bits; NaN gives min.
    virtual int32_t FloatToValue(const CZmData* program, const CZmParameterId& id, float f) const;
    // Raw field read and write with the row's (or effect row's) bias.
    virtual int32_t GetParameter(const CZmData* program, const CZmParameterId& id) const;
    virtual void SetParameter(CZmData* program, const CZmParameterId& id, int32_t value) const;
    virtual void GetValueText(const CZmData* program, const CZmParameterId& id, int32_t value, char* buffer,
                              size_t size) const;
    virtual void GetCurrentValueText(const CZmData* program, const CZmParameterId& id, char* buffer,
                                     size_t size) const;
    virtual const CZmParameterInfo* GetParameterInfo(const CZmParameterId& id) const;
    virtual int32_t GetMin(const CZmData* program, const CZmParameterId& id) const;
    virtual int32_t GetMax(const CZmData* program, const CZmParameterId& id) const;
    virtual int32_t GetBias(const CZmData* program, const CZmParameterId& id) const;
    virtual const char* GetName(const CZmData* program, const CZmParameterId& id) const;
    virtual const char* GetFormat(const CZmData* program, const CZmParameterId& id) const;
    virtual uint32_t GetKind(const CZmData* program, const CZmParameterId& id) const;
    virtual bool IsPresent(const CZmParameterId& id) const;
    virtual bool IsCounted(const CZmParameterId& id) const;
    virtual bool IsPresent(const CZmData* program, const CZmParameterId& id) const;
    virtual bool IsParameterEnabled(const CZmData* program, const CZmParameterId& id) const;
    virtual bool IsControlAssignable(const CZmData* program, const CZmParameterId& id) const;
    virtual int32_t GetLink(const CZmData* program, const CZmParameterId& id) const;
    // Groups whose rows exist once per timbre (counted twice in the totals).
    virtual bool IsTimbreGroup(uint32_t group) const = 0;
    virtual uint32_t GetParameterTotal() const;
    virtual uint32_t GetCountedTotal() const;

    const CZmParameterTable* GetTable() const { return m_table; }
    const CZmFxParameterTable* GetFxTable() const { return m_fxTable; }

protected:
    CZmProgramAccessor(const CZmParameterTable* table, const CZmFxParameterTable* fxTable);
    CZmProgramAccessor(const CZmProgramAccessor&) = delete;
    CZmProgramAccessor& operator=(const CZmProgramAccessor&) = delete;

    // The field of a present row; false when the access is refused.
    virtual bool LocateField(const CZmData* program, const CZmParameterId& id,
                             CZmFieldLocation& field) const = 0;
    // The effect row that describes a master-effect parameter; null for other ids.
    virtual const CZmFxParameterInfo* GetEffectRow(const CZmData* program, const CZmParameterId& id) const;
    // The present row of an id, or null.
    const CZmParameterInfo* GetPresentRow(const CZmParameterId& id) const;

private:
    uint32_t SumCounts(bool countedOnly) const;

    const CZmParameterTable* m_table;
    const CZmFxParameterTable* m_fxTable;
};
