#pragma once

#include "synthdata/CZmGlobalData.h"
#include "synthdata/CZmParameterTable.h"

#include <cstddef>

// The single way to read, write and show global parameters. Never throws: a missing row or a
// null global reads 0 and ignores writes, and written values are limited to the row's range.
class CZmGlobalAccessor
{
public:
    virtual ~CZmGlobalAccessor() = default;

    virtual int32_t GetValue(const CZmGlobalData* global, uint32_t group, uint32_t index) const;
    virtual int32_t GetValue(const CZmGlobalData* global, const CZmParameterId& id) const;
    virtual void SetValue(CZmGlobalData* global, uint32_t group, uint32_t index, int32_t value) const;
    virtual void SetValue(CZmGlobalData* global, const CZmParameterId& id, int32_t value) const;
    // Raw field read and write (8-bit rule, bias, sign extension when the minimum is negative).
    virtual int32_t GetParameter(const CZmGlobalData* global, const CZmParameterId& id) const;
    virtual void SetParameter(CZmGlobalData* global, const CZmParameterId& id, int32_t value) const;
    virtual void GetValueText(const CZmGlobalData* global, const CZmParameterId& id, int32_t value,
                              char* buffer, size_t size) const;
    virtual void GetCurrentValueText(const CZmGlobalData* global, const CZmParameterId& id, char* buffer,
                                     size_t size) const;
    virtual int32_t GetMin(const CZmParameterId& id) const;
    virtual int32_t GetMax(const CZmParameterId& id) const;
    virtual int32_t GetBias(const CZmParameterId& id) const;
    virtual const char* GetName(const CZmParameterId& id) const;
    virtual const char* GetFormat(const CZmParameterId& id) const;
    virtual uint32_t GetKind(const CZmParameterId& id) const;
    // False for the settings the editor leaves to the instrument's panel.
    virtual bool IsEditable(const CZmParameterId& id) const;
    // The row of {group, index}, present or not; null without one.
    virtual const CZmParameterInfo* GetParameterInfo(const CZmParameterId& id) const;

    const CZmParameterTable* GetTable() const { return m_table; }

protected:
    explicit CZmGlobalAccessor(const CZmParameterTable* table) : m_table(table) {}
    CZmGlobalAccessor(const CZmGlobalAccessor&) = delete;
    CZmGlobalAccessor& operator=(const CZmGlobalAccessor&) = delete;

private:
    // The present row of an id (the timbre is ignored), or null.
    const CZmParameterInfo* GetPresentRow(const CZmParameterId& id) const;

    const CZmParameterTable* m_table;
};
