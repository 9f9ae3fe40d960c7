#pragma once

#include "synthdata/CZmParameterTable.h"

#include <cstdint>

// The instrument's two-part name of a parameter in parameter-change messages, hi:lo.
struct CZmDeviceAddress
{
    uint32_t hi = 0xFF;
    uint32_t lo = 0xFF;

    // ff:ff stands for "no address".
    bool IsValid() const { return !(hi == 0xFF && lo == 0xFF); }
};

inline bool operator==(const CZmDeviceAddress& a, const CZmDeviceAddress& b)
{
    return a.hi == b.hi && a.lo == b.lo;
}

// Maps program parameter ids to device addresses and back.
class CZmIdConverter
{
public:
    virtual ~CZmIdConverter() = default;

    // The address of an id; false for an unknown group or row or a timbre above 1. A row
    // without an address gives ff:ff and true: check IsValid before sending.
    virtual bool ToDeviceAddress(const CZmParameterId& id, CZmDeviceAddress& address) const = 0;
    // The id of an address; false for ff:ff and for an address no row has.
    virtual bool FromDeviceAddress(const CZmDeviceAddress& address, CZmParameterId& id) const = 0;
    // Position of an id in the converter's short list of ids, false when absent; the whole id
    // is compared, timbre included.
    virtual bool GetListPosition(const CZmParameterId& id, uint32_t& position) const = 0;
    // The list's id at a position below its length, else false.
    virtual bool GetListId(uint32_t position, CZmParameterId& id) const = 0;
};
