#pragma once

#include "synthdata/CZmIdConverter.h"

#include "foundation/CEfSingleton.h"

#include <map>
#include <tuple>
#include <vector>

// The instrument's address tables, by group, and its short list of ids.
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
