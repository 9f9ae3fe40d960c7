#pragma once

#include <cstdint>

// A parameter is named by its group, its row within the group and, for the timbre
// groups of a program, the timbre (0 or 1).
struct CZmParameterId
{
    uint32_t group = 0;
    uint32_t index = 0;
    uint32_t timbre = 0;
};

inline bool operator==(const CZmParameterId& a, const CZmParameterId& b)
{
    return a.group == b.group && a.index == b.index && a.timbre == b.timbre;
}
inline bool operator!=(const CZmParameterId& a, const CZmParameterId& b)
{
    return !(a == b);
}

enum CZmParameterKind : uint32_t
{
    kZmKindNumeric = 1,
    kZmKindChar = 2,
    kZmKindList = 3,
    kZmKindSwitch = 4,
};

// One row of a parameter table. An 8-bit field is (byte[offset] >> shift) & mask,
// sign-extended when minimum < 0, stored as value + bias.
struct CZmParameterInfo
{
    const char* name;
    int32_t present; // 0: the row only keeps its index; accessors refuse it
    uint32_t offset; // byte offset inside the group's section
    uint32_t shift;
    uint32_t mask;
    int32_t minimum;
    int32_t maximum;
    int32_t bias;
    int32_t counted;
    uint32_t kind; // CZmParameterKind
    int32_t link;  // knob-assign code, -1 for none
    const char* format;
};

// The rows of one group, indexed by row number.
struct CZmParameterGroup
{
    const CZmParameterInfo* rows;
    uint32_t count;
};

class CZmParameterTable
{
public:
    virtual ~CZmParameterTable() = default;

    // The row of the id, present or not; null past the group's count or for an unknown group.
    virtual const CZmParameterInfo* GetParameterInfo(const CZmParameterId& id) const;
    virtual uint32_t GetParameterCount(uint32_t group) const;
    virtual uint32_t GetGroupCount() const = 0;

protected:
    // The group's rows; null for an unknown group.
    virtual const CZmParameterGroup* GetGroup(uint32_t group) const = 0;
};
