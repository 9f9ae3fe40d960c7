#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ParameterTable.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

TEST(CQ3580IdConverter, KnownAddresses)
{
    const CQ3580IdConverter converter;
    struct Case
    {
        CZmParameterId id;
        uint32_t hi, lo;
    };
    const Case cases[] = {
        {{2, 36, 1}, 0x21, 0x32}, // filter 1 cutoff, second timbre
        {{2, 36, 0}, 0x11, 0x32}, {{5, 53, 0}, 0x43, 0x00}, {{6, 25, 0}, 0x50, 0x31},
        {{0, 12, 0}, 0x00, 0x1C}, {{1, 22, 1}, 0x21, 0x00}, {{4, 51, 0}, 0x19, 0x03},
        {{8, 0, 0}, 0x61, 0x01},
    };
    for (const Case& c : cases)
    {
        CZmDeviceAddress address;
        ASSERT_TRUE(converter.ToDeviceAddress(c.id, address));
        EXPECT_EQ(address.hi, c.hi);
        EXPECT_EQ(address.lo, c.lo);
        CZmParameterId back{};
        ASSERT_TRUE(converter.FromDeviceAddress(address, back));
        EXPECT_EQ(back, c.id);
    }
}

TEST(CQ3580IdConverter, RowsWithoutAnAddressAndBadIds)
{
    const CQ3580IdConverter converter;
    CZmDeviceAddress address;
    EXPECT_TRUE(converter.ToDeviceAddress({3, 0, 0}, address));
    EXPECT_FALSE(address.IsValid());
    EXPECT_FALSE(converter.ToDeviceAddress({9, 0, 0}, address));
    EXPECT_FALSE(converter.ToDeviceAddress({0, 44, 0}, address));
    EXPECT_FALSE(converter.ToDeviceAddress({2, 36, 2}, address));
}

TEST(CQ3580IdConverter, UnknownAddressesAreRefused)
{
    const CQ3580IdConverter converter;
    const std::pair<uint32_t, uint32_t> addresses[] = {
        {0xFF, 0xFF}, {0x31, 0x08}, {0x00, 0xFF}, {0x03, 0x00}, {0x40, 0x02}, {0x100, 0x00}, {0x00, 0x100},
    };
    for (const auto& [hi, lo] : addresses)
    {
        CZmParameterId id{7, 7, 7};
        EXPECT_FALSE(converter.FromDeviceAddress({hi, lo}, id)) << std::hex << hi << ":" << lo;
        EXPECT_EQ(id, (CZmParameterId{7, 7, 7}));
    }
}

// Every row with an address, in both timbres of the timbre groups, maps to a distinct address
// and back to its id.
TEST(CQ3580IdConverter, EveryAddressedRowRoundTripsUniquely)
{
    const CQ3580IdConverter converter;
    const CQ3580ParameterTable table;
    std::set<std::pair<uint32_t, uint32_t>> seen;
    for (uint32_t group = 0; group < 9; ++group)
    {
        const uint32_t timbres = (group >= 1 && group <= 4) ? 2 : 1;
        for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
            for (uint32_t timbre = 0; timbre < timbres; ++timbre)
            {
                const CZmParameterId id{group, index, timbre};
                CZmDeviceAddress address;
                ASSERT_TRUE(converter.ToDeviceAddress(id, address));
                if (!address.IsValid())
                    continue;
                EXPECT_TRUE(seen.insert({address.hi, address.lo}).second)
                    << std::hex << address.hi << ":" << address.lo << " used twice";
                CZmParameterId back{};
                ASSERT_TRUE(converter.FromDeviceAddress(address, back));
                EXPECT_EQ(back, id);
            }
    }
    EXPECT_EQ(seen.size(), 19u + 2 * (9 + 80 + 4) + 64 + 46 + 3 + 15);
}

TEST(CQ3580IdConverter, ShortListOfIds)
{
    const CQ3580IdConverter converter;
    for (uint32_t position = 0; position < 8; ++position)
    {
        CZmParameterId id;
        ASSERT_TRUE(converter.GetListId(position, id));
        uint32_t back = 99;
        ASSERT_TRUE(converter.GetListPosition(id, back));
        EXPECT_EQ(back, position);
    }
    CZmParameterId id;
    EXPECT_FALSE(converter.GetListId(8, id));
    uint32_t position;
    EXPECT_FALSE(converter.GetListPosition({0, 17, 0}, position));
    ASSERT_TRUE(converter.GetListId(7, id));
    EXPECT_EQ(id, (CZmParameterId{2, 36, 0}));
}

// The list is searched by the whole id: ids that share the low bits of a list id, or name the
// second timbre of a listed timbre row, are not in it.
TEST(CQ3580IdConverter, ListPositionComparesTheWholeId)
{
    const CQ3580IdConverter converter;
    struct Case
    {
        CZmParameterId id;
        bool found;
        uint32_t position;
    };
    const Case cases[] = {
        {{0, 18, 0}, true, 0},
        {{1, 0, 0}, true, 5},
        {{2, 15, 0}, true, 6},
        {{2, 36, 0}, true, 7},
        {{1, 0, 1}, false, 0}, // second timbre
        {{2, 15, 1}, false, 0},
        {{2, 36, 1}, false, 0},
        {{0, 18, 1}, false, 0},
        {{0, 65536, 0}, false, 0},          // same key as {1, 0} in 16-bit halves
        {{0, 65536 * 2 + 15, 0}, false, 0}, // {2, 15}
        {{65536, 18, 0}, false, 0},         // group beyond 16 bits
        {{0x10000u | 1, 0, 0}, false, 0},
        {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, false, 0},
    };
    for (const Case& c : cases)
    {
        uint32_t position = 99;
        EXPECT_EQ(converter.GetListPosition(c.id, position), c.found)
            << c.id.group << "/" << c.id.index << "/" << c.id.timbre;
        EXPECT_EQ(position, c.found ? c.position : 99u)
            << c.id.group << "/" << c.id.index << "/" << c.id.timbre;
    }
}
