#include "editor/library/model/CProgramListGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
using G = CProgramListGeometry;

struct RowCase
{
    uint32_t mode;
    uint32_t program;
    int32_t x;
    int32_t y;
};

const RowCase kRowCases[] = {
    {0, 40, 398, 208},  {0, 100, 398, 160}, {0, 0, 32, 112},    {0, 31, 32, 484},  {0, 32, 398, 112},
    {0, 63, 398, 484},  {0, 64, 32, 112},   {0, 127, 398, 484}, {1, 32, 215, 112}, {1, 100, 581, 160},
    {1, 127, 581, 484}, {2, 40, 123, 208},  {2, 127, 305, 484},
};

TEST(CProgramListGeometryTest, RowsStandWhereTheListDrawsThem)
{
    for (const RowCase& c : kRowCases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " program " << c.program);
        EXPECT_EQ(G::GetRowX(c.mode, c.program), c.x);
        EXPECT_EQ(G::GetRowY(c.mode, c.program), c.y);
        const CHfcRect rect = G::GetRowRect(c.mode, c.program);
        EXPECT_EQ(rect, CHfcRect(c.x, c.y, c.x + G::GetModeInfo(c.mode).columnWidth - 1, c.y + 13));
    }
}

TEST(CProgramListGeometryTest, ModesBanksAndNames)
{
    EXPECT_EQ(G::GetBankCount(0), 2u);
    EXPECT_EQ(G::GetBankCount(1), 1u);
    EXPECT_EQ(G::GetBankCount(2), 1u);
    EXPECT_EQ(G::GetBankOf(0, 63), 0u);
    EXPECT_EQ(G::GetBankOf(0, 64), 1u);
    EXPECT_EQ(G::GetBankOf(1, 127), 0u);
    EXPECT_EQ(G::GetBankOf(2, 127), 0u);
    // An unknown mode is drawn as mode 0, never read past the table.
    EXPECT_EQ(G::GetModeInfo(7).columnWidth, 366);
    for (uint32_t mode = 0; mode < G::kListModeCount; ++mode)
        EXPECT_EQ(G::GetNameCharacters(mode), 8) << mode;
}

// Every row of every mode fits the 794 x 538 layer, above the tabs, and its point hits it back.
TEST(CProgramListGeometryTest, EveryPointOfARowHitsItsProgram)
{
    for (uint32_t mode = 0; mode < G::kListModeCount; ++mode)
    {
        const int32_t width = G::GetModeInfo(mode).columnWidth;
        for (uint32_t n = 0; n < 128; ++n)
        {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " program " << n);
            const uint32_t bank = G::GetBankOf(mode, n);
            const int32_t x = G::GetRowX(mode, n);
            const int32_t y = G::GetRowY(mode, n);
            EXPECT_LE(G::GetRowRect(mode, n).right, 794);
            EXPECT_LE(G::GetRowRect(mode, n).bottom, G::kTabY);
            EXPECT_EQ(G::HitTestRow(mode, bank, x, y), static_cast<int32_t>(n));
            EXPECT_EQ(G::HitTestRow(mode, bank, x + width - 1, y + G::kRowHeight - 1),
                      static_cast<int32_t>(n));
            EXPECT_EQ(G::HitTestRow(mode, bank, x + width / 2, y + 6), static_cast<int32_t>(n));
            if (G::GetBankCount(mode) > 1)
            {
                EXPECT_NE(G::HitTestRow(mode, 1 - bank, x, y), static_cast<int32_t>(n));
            }
        }
    }
}

struct MissCase
{
    const char* name;
    uint32_t mode;
    uint32_t bank;
    int32_t x;
    int32_t y;
};

const MissCase kMissCases[] = {
    {"left of the list", 0, 0, 31, 200},
    {"above the list", 0, 0, 100, 111},
    {"below the last row", 0, 0, 100, 496},
    {"on tab B", 0, 1, 120, 505},
    {"right of mode 0's second column", 0, 0, 764, 200},
    {"right of mode 1's fourth column", 1, 0, 764, 200},
    {"right of mode 2's fourth column", 2, 0, 396, 200},
    {"a bank mode 0 lacks", 0, 2, 100, 200},
    {"a bank mode 1 lacks", 1, 1, 100, 200},
    {"far right", 0, 0, INT_MAX, 200},
    {"far below", 0, 0, 100, INT_MAX},
    {"far left and above", 0, 0, INT_MIN, INT_MIN},
};

TEST(CProgramListGeometryTest, PointsOutsideTheRowsHitNothing)
{
    for (const MissCase& c : kMissCases)
        EXPECT_EQ(G::HitTestRow(c.mode, c.bank, c.x, c.y), -1) << c.name;
}

TEST(CProgramListGeometryTest, BankTabs)
{
    EXPECT_EQ(G::GetTabRect(0), CHfcRect(32, 501, 102, 516));
    const CHfcRect b = G::GetTabRect(1);
    EXPECT_EQ(b, CHfcRect(108, 501, 178, 516));
    EXPECT_EQ(b.GetWidth(), 70);
    EXPECT_EQ(b.GetHeight(), 15);
    EXPECT_EQ(G::GetTabLabel(0), "Bank A");
    EXPECT_EQ(G::GetTabLabel(1), "Bank B");

    EXPECT_EQ(G::HitTestTab(0, 32, 501), 0);
    EXPECT_EQ(G::HitTestTab(0, 101, 515), 0);
    EXPECT_EQ(G::HitTestTab(0, 108, 501), 1);
    EXPECT_EQ(G::HitTestTab(0, 177, 515), 1);
    EXPECT_EQ(G::HitTestTab(0, 102, 508), -1) << "the gap between the tabs";
    EXPECT_EQ(G::HitTestTab(0, 178, 508), -1);
    EXPECT_EQ(G::HitTestTab(0, 120, 500), -1);
    EXPECT_EQ(G::HitTestTab(0, 120, 516), -1);
    EXPECT_EQ(G::HitTestTab(0, 184, 508), -1) << "there is no third tab";
    EXPECT_EQ(G::HitTestTab(1, 40, 505), -1) << "one bank, no tabs";
    EXPECT_EQ(G::HitTestTab(2, 40, 505), -1);
}

TEST(CProgramListGeometryTest, ADragNeedsFourPixelsOfXAndYTogether)
{
    const struct
    {
        int32_t dx;
        int32_t dy;
        bool drag;
    } cases[] = {
        {0, 0, false}, {3, 0, false}, {0, -3, false}, {2, 1, false},  {-1, -2, false}, {4, 0, true},
        {0, -4, true}, {2, 2, true},  {-3, 1, true},  {-2, -2, true}, {100, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(G::IsDragDistance(200, 300, 200 + c.dx, 300 + c.dy), c.drag) << c.dx << ", " << c.dy;
    // Distances that overflow 32 bits still count as far.
    EXPECT_TRUE(G::IsDragDistance(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_TRUE(G::IsDragDistance(INT_MAX, 0, INT_MIN, 0));
}

TEST(CProgramListGeometryTest, ProgramNumbers)
{
    const struct
    {
        uint32_t n;
        const char* text;
    } cases[] = {{0, "A11"},   {7, "A18"},   {8, "A21"}, {63, "A88"},     {64, "B11"},
                 {100, "B55"}, {127, "B88"}, {128, ""},  {UINT32_MAX, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(G::GetProgramNumberText(c.n), c.text) << c.n;
}
} // namespace
