#pragma once

#include <cstdint>

// Two parameters A and B of an effect that take turns, chosen by a switch parameter.
struct CZmFxCoupling
{
    int32_t flag;
    int32_t a;
    int32_t b;
    int32_t sw;
};

// One effect type: its name, the parameters its Controls start on and the rules
// between its parameters.
struct CZmFxTypeInfo
{
    const char* name;
    int32_t reserved1;
    int32_t control1; // default Control 1 assignment (effect parameter 0-19)
    int32_t control2;
    int32_t reserved2;
    CZmFxCoupling coupling1;
    CZmFxCoupling coupling2;
    int32_t rule3Flag;
    int32_t rule3Switch;
    int32_t rule4Flag;
    int32_t rule4Parameter;
};

// One of an effect type's 20 parameters.
struct CZmFxParameterInfo
{
    const char* name; // empty for an empty row
    int32_t present;
    int32_t minimum;
    int32_t maximum;
    int32_t bias;
    int32_t assignable; // may be a Control target
    uint32_t kind;      // CZmParameterKind
    int32_t defaultValue;
    const char* format;
};

class CZmFxParameterTable
{
public:
    virtual ~CZmFxParameterTable() = default;

    // Null for a type or parameter out of range.
    virtual const CZmFxTypeInfo* GetTypeInfo(uint32_t type) const = 0;
    virtual const CZmFxParameterInfo* GetParameterInfo(uint32_t type, uint32_t parameter) const = 0;
    virtual uint32_t GetTypeCount() const = 0;
    virtual uint32_t GetParameterCount() const = 0;
};
