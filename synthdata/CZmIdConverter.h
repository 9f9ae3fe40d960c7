#pragma once

#include "synthdata/CZmParameterTable.h"

#include "foundation/CEfSingleton.h"

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

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

class CQ3580IdConverter : public CZmIdConverter
{
public:
    CQ3580IdConverter();

    bool ToDeviceAddress(const CZmParameterId& id, CZmDeviceAddress& address) const override;
    bool FromDeviceAddress(const CZmDeviceAddress& address, CZmParameterId& id) const override;
    bool GetListPosition(const CZmParameterId& id, uint32_t& position) const override;
    bool GetListId(uint32_t position, CZmParameterId& id) const override;

private:
    static uint32_t Key(uint32_t hi, uint32_t lo) { return (hi & 0xFF) << 8 | (lo & 0xFF); }
    // The whole id, timbre included: the list names the first timbre's rows only.
    using CIdKey = std::tuple<uint32_t, uint32_t, uint32_t>;
    static CIdKey Key(const CZmParameterId& id) { return {id.group, id.index, id.timbre}; }

    // One address per row of each addressed group (0-8); ff:ff where a row has none.
    std::vector<CZmDeviceAddress> m_addresses[9];
    // Address (hi without its timbre nibble) to {group, index}, rows with an address only;
    // the first row keeps a shared address.
    std::map<uint32_t, CZmParameterId> m_byAddress;
    std::map<CIdKey, uint32_t> m_listPositions;
};

using CZmIdConverterSingleton = CEfSingleton<CZmIdConverter, CQ3580IdConverter>;
