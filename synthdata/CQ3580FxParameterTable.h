#pragma once

#include "synthdata/CZmFxParameterTable.h"

enum : uint32_t
{
    kQ3580FxTypeCount = 18,
    kQ3580FxParameterCount = 20,
};

// Effect types that code names.
enum CQ3580FxType : uint32_t
{
    kFxOff = 0,
    kFx4BandEq = 3,
    kFxRingModulator = 16,
};

// The effect types of the two master effects and their parameter rows.
class CQ3580FxParameterTable : public CZmFxParameterTable
{
public:
    const CZmFxTypeInfo* GetTypeInfo(uint32_t type) const override;
    const CZmFxParameterInfo* GetParameterInfo(uint32_t type, uint32_t parameter) const override;
    uint32_t GetTypeCount() const override { return kQ3580FxTypeCount; }
    uint32_t GetParameterCount() const override { return kQ3580FxParameterCount; }
};

// Rows, in CQ3580FxParameterTable_rows.cpp.
extern const CZmFxTypeInfo kQ3580FxTypes[kQ3580FxTypeCount];
extern const CZmFxParameterInfo kQ3580FxParameters[kQ3580FxTypeCount][kQ3580FxParameterCount];
