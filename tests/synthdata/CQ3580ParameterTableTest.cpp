#include "synthdata/CQ3580ParameterTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
struct GroupShape
{
    uint32_t group;
    uint32_t rows;
    uint32_t present;
};

const GroupShape kGroups[] = {
    {0, 44, 16}, {1, 26, 8},  {2, 111, 80}, {3, 60, 0},   {4, 52, 4},
    {5, 69, 64}, {6, 52, 46}, {7, 5, 3},    {8, 105, 15}, {9, 0, 0},
};
} // namespace

TEST(CQ3580ParameterTable, GroupsHaveTheirRowsAndPresentCounts)
{
    CQ3580ParameterTable table;
    uint32_t total = 0;
    for (const GroupShape& g : kGroups)
    {
        EXPECT_EQ(table.GetParameterCount(g.group), g.rows) << "group " << g.group;
        uint32_t present = 0;
        for (uint32_t i = 0; i < g.rows; ++i)
        {
            const CZmParameterInfo* row = table.GetParameterInfo({g.group, i, 0});
            ASSERT_NE(row, nullptr) << g.group << "/" << i;
            ASSERT_NE(row->name, nullptr);
            EXPECT_GT(std::strlen(row->name), 0u) << g.group << "/" << i;
            present += row->present != 0;
        }
        EXPECT_EQ(present, g.present) << "group " << g.group;
        EXPECT_EQ(table.GetParameterInfo({g.group, g.rows, 0}), nullptr) << "group " << g.group;
        total += g.rows;
    }
    EXPECT_EQ(total, 524u);
    EXPECT_EQ(table.GetParameterCount(10), 0u);
    EXPECT_EQ(table.GetParameterInfo({10, 0, 0}), nullptr);
}

TEST(CQ3580ParameterTable, PresentRowsAreWellFormed)
{
    CQ3580ParameterTable table;
    for (const GroupShape& g : kGroups)
        for (uint32_t i = 0; i < g.rows; ++i)
        {
            const CZmParameterInfo* row = table.GetParameterInfo({g.group, i, 0});
            if (row->present == 0)
                continue;
            SCOPED_TRACE(row->name);
            EXPECT_LE(row->minimum, row->maximum);
            EXPECT_GE(row->kind, 1u);
            EXPECT_LE(row->kind, 4u);
            EXPECT_LE(row->shift, 7u);
            const bool wide = (g.group == 7 && i == 0) || (g.group == 5 && i >= 53 && i <= 68);
            if (!wide)
            {
                // Every stored value of the range fits the field.
                EXPECT_LE(static_cast<uint32_t>(row->maximum + row->bias), row->mask);
                EXPECT_GE(row->minimum + row->bias, 0);
                EXPECT_LE(row->mask << row->shift, 0xFFu);
            }
            ASSERT_NE(row->format, nullptr);
            EXPECT_GT(std::strlen(row->format), 0u);
            EXPECT_GE(row->link, -1);
            EXPECT_LE(row->link, 54);
        }
}

TEST(CQ3580ParameterTable, RowsKeepTheirPlaces)
{
    CQ3580ParameterTable table;
    const CZmParameterInfo* octave = table.GetParameterInfo({0, 43, 0});
    EXPECT_STREQ(octave->name, "Octave");
    EXPECT_EQ(octave->offset, 15u);
    EXPECT_EQ(octave->shift, 4u);
    EXPECT_EQ(octave->bias, 8);
    const CZmParameterInfo* category = table.GetParameterInfo({0, 12, 0});
    EXPECT_STREQ(category->name, "Category");
    EXPECT_EQ(category->offset, 15u);
    EXPECT_EQ(category->shift, 0u);

    // Rows with the same name are told apart by index only.
    EXPECT_STREQ(table.GetParameterInfo({1, 15, 0})->name, "Unison SW");
    EXPECT_EQ(table.GetParameterInfo({1, 15, 0})->present, 0);
    EXPECT_STREQ(table.GetParameterInfo({1, 16, 0})->name, "Unison SW");
    EXPECT_EQ(table.GetParameterInfo({1, 16, 0})->present, 1);

    EXPECT_STREQ(table.GetParameterInfo({2, 36, 0})->name, "Filter 1 Cutoff");
    EXPECT_EQ(table.GetParameterInfo({2, 36, 0})->link, 9);
    EXPECT_STREQ(table.GetParameterInfo({7, 0, 0})->name, "BPM");
    EXPECT_STREQ(table.GetParameterInfo({6, 25, 0})->name, "FX Type");
}
