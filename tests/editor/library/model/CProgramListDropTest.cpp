#include "editor/library/model/CProgramListDrop.h"

#include "synthdata/CProgramSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <set>

namespace
{
using Sources = std::vector<uint32_t>;
using Order = std::array<uint8_t, 128>;

std::vector<uint32_t> Rows(uint32_t first, uint32_t last)
{
    std::vector<uint32_t> rows;
    for (uint32_t r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

bool IsPermutation(const Order& order)
{
    std::set<uint32_t> seen(order.begin(), order.end());
    return seen.size() == 128 && *seen.rbegin() == 127;
}

// The insert worked step by step, as the list did it originally: close the gaps upward from
// the first dragged program, write the items above the target, close the gaps downward from
// the last dragged program, write the rest. An independent check of the plan's arithmetic.
Order StepwiseInsert(const Sources& items, uint32_t target)
{
    Order original;
    std::iota(original.begin(), original.end(), 0);
    Order rows = original;
    const auto dragged = [&](int32_t p)
    { return std::find(items.begin(), items.end(), static_cast<uint32_t>(p)) != items.end(); };
    const int32_t n = static_cast<int32_t>(items.size());
    const int32_t t = static_cast<int32_t>(target);
    int32_t above = 0;
    for (uint32_t s : items)
        above += s < target ? 1 : 0;
    const int32_t after = n - above;
    const int32_t d = above == 0 ? t : t - above + 1;
    int32_t source = static_cast<int32_t>(items.front());
    for (int32_t p = static_cast<int32_t>(items.front()); p < d; ++p)
    {
        do
            ++source;
        while (source < 128 && dragged(source));
        if (source < 128)
            rows[p] = original[source];
    }
    for (int32_t i = 0; i < above; ++i)
        rows[d + i] = static_cast<uint8_t>(items[i]);
    source = static_cast<int32_t>(items.back());
    for (int32_t p = static_cast<int32_t>(items.back()); p >= t + after; --p)
    {
        do
            --source;
        while (source >= 0 && dragged(source));
        if (source >= 0)
            rows[p] = original[source];
    }
    for (int32_t i = 0; i < after; ++i)
        rows[d + above + i] = static_cast<uint8_t>(items[above + i]);
    return rows;
}

struct InsertCase
{
    const char* name;
    Sources sources;
    uint32_t target;
    uint32_t firstRow; // the first row shown
    std::vector<uint8_t> rows;
};

TEST(CProgramListDropTest, InsertMovesTheDraggedProgramsTogether)
{
    const InsertCase cases[] = {
        {"2 and 7 onto row 5", {2, 7}, 5, 0, {0, 1, 3, 4, 5, 2, 7, 6, 8}},
        {"10 and 11 up to row 3", {10, 11}, 3, 0, {0, 1, 2, 10, 11, 3, 4, 5, 6, 7, 8, 9, 12}},
        {"onto its own row", {5}, 5, 3, {3, 4, 5, 6, 7}},
        {"120..127 onto row 100",
         {120, 121, 122, 123, 124, 125, 126, 127},
         100,
         99,
         {99, 120, 121, 122, 123, 124, 125, 126, 127, 100, 101}},
        {"the last program onto the last row", {127}, 127, 125, {125, 126, 127}},
        {"the first two onto the last row", {0, 1}, 127, 124, {126, 127, 0, 1}},
        {"from both sides of the target", {0, 127}, 64, 62, {63, 64, 0, 127, 65}},
    };
    for (const InsertCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CProgramDropPlan plan = CProgramListDrop::PlanInsert(c.sources, c.target);
        ASSERT_TRUE(plan.accepted) << plan.error;
        EXPECT_EQ(std::vector<uint8_t>(plan.order.begin() + c.firstRow,
                                       plan.order.begin() + c.firstRow + c.rows.size()),
                  c.rows);
        EXPECT_TRUE(IsPermutation(plan.order));
    }
    const CProgramDropPlan plan = CProgramListDrop::PlanInsert({2, 7}, 5);
    EXPECT_EQ(plan.written, Rows(2, 7));
    EXPECT_EQ(plan.dropped, Rows(5, 6));
}

TEST(CProgramListDropTest, InsertIsRefusedBeforeAnythingMoves)
{
    const struct
    {
        const char* name;
        Sources sources;
        uint32_t target;
        const char* error;
    } cases[] = {
        {"120..127 onto row 125",
         {120, 121, 122, 123, 124, 125, 126, 127},
         125,
         "Can not insert to the tail of list."},
        {"126 and 127 onto row 127", {126, 127}, 127, "Can not insert to the tail of list."},
        {"0 and 127 onto row 127", {0, 127}, 127, "Can not insert to the tail of list."},
        {"no items", {}, 5, "Can not get data."},
        {"items out of order", {7, 2}, 5, "Can not get data."},
        {"the same program twice", {3, 3}, 5, "Can not get data."},
        {"a source past 127", {5, 128}, 5, "Can not get data."},
        {"a target past 127", {5}, 128, "Out of range : Program Number."},
    };
    for (const auto& c : cases)
    {
        const CProgramDropPlan plan = CProgramListDrop::PlanInsert(c.sources, c.target);
        EXPECT_FALSE(plan.accepted) << c.name;
        EXPECT_EQ(plan.error, c.error) << c.name;
        EXPECT_TRUE(plan.written.empty()) << c.name;
        EXPECT_TRUE(plan.dropped.empty()) << c.name;
        for (uint32_t r = 0; r < 128; ++r)
            ASSERT_EQ(plan.order[r], r) << c.name;
    }
}

// Every accepted insert: the same rows as the step-by-step algorithm, the dragged programs
// together in their old order with the target among them, every other program in its old order,
// nothing outside the written rows moved. Refused only when the block would run past 127.
TEST(CProgramListDropTest, InsertAgreesWithTheStepwiseAlgorithm)
{
    std::mt19937 random(21);
    std::vector<std::pair<Sources, uint32_t>> cases;
    for (uint32_t s = 0; s < 128; ++s)
        for (uint32_t t = 0; t < 128; ++t)
            cases.push_back({{s}, t});
    for (int i = 0; i < 6000; ++i)
    {
        Sources sources;
        const uint32_t spread = 1 + random() % 128;
        const uint32_t base = random() % (129 - spread);
        const uint32_t count = 1 + random() % spread;
        for (uint32_t p = base; p < base + spread; ++p)
            if (random() % spread < count)
                sources.push_back(p);
        if (!sources.empty())
            cases.push_back({sources, static_cast<uint32_t>(random() % 128)});
    }
    size_t refused = 0;
    for (const auto& [sources, target] : cases)
    {
        const CProgramDropPlan plan = CProgramListDrop::PlanInsert(sources, target);
        const size_t n = sources.size();
        if (!plan.accepted)
        {
            ++refused;
            ASSERT_GT(target + n, 128u);
            continue;
        }
        ASSERT_EQ(plan.order, StepwiseInsert(sources, target))
            << "target " << target << " first " << sources[0];
        ASSERT_EQ(plan.dropped.size(), n);
        ASSERT_NE(std::find(plan.dropped.begin(), plan.dropped.end(), target), plan.dropped.end());
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(plan.order[plan.dropped[i]], sources[i]);
        int32_t last = -1;
        for (uint32_t r = 0; r < 128; ++r)
        {
            const bool inWritten =
                std::find(plan.written.begin(), plan.written.end(), r) != plan.written.end();
            if (!inWritten)
            {
                ASSERT_EQ(plan.order[r], r);
            }
            if (std::find(sources.begin(), sources.end(), plan.order[r]) == sources.end())
            {
                ASSERT_GT(static_cast<int32_t>(plan.order[r]), last);
                last = plan.order[r];
            }
        }
    }
    EXPECT_GT(refused, 0u);
}

TEST(CProgramListDropTest, CopyWritesFromTheTargetAndStopsAfter127)
{
    const CProgramDropPlan five = CProgramListDrop::PlanCopy(5, 125);
    ASSERT_TRUE(five.accepted);
    EXPECT_EQ(five.written, Rows(125, 127));
    EXPECT_EQ(five.dropped, Rows(125, 127));
    EXPECT_EQ(CProgramListDrop::PlanCopy(3, 0).written, Rows(0, 2));
    EXPECT_TRUE(CProgramListDrop::PlanCopy(0, 0).written.empty());
    EXPECT_EQ(CProgramListDrop::PlanCopy(SIZE_MAX, 100).written, Rows(100, 127));
    EXPECT_FALSE(CProgramListDrop::PlanCopy(1, 128).accepted);
}

struct ExchangeCase
{
    const char* name;
    Sources sources;
    uint32_t target;
    std::vector<std::pair<uint32_t, uint32_t>> moved; // row, program; every other row keeps its own
};

TEST(CProgramListDropTest, ExchangeSwapsWithTheProgramsAtTheTarget)
{
    const ExchangeCase cases[] = {
        {"one program", {2}, 9, {{2, 9}, {9, 2}}},
        {"two programs", {2, 3}, 10, {{2, 10}, {3, 11}, {10, 2}, {11, 3}}},
        {"onto itself", {7}, 7, {}},
        {"targets overlapping the sources", {5, 6}, 6, {{5, 7}, {6, 5}, {7, 6}}},
        {"three overlapping", {5, 6, 7}, 6, {{5, 8}, {6, 5}, {7, 6}, {8, 7}}},
        {"the sources after the target", {6, 7}, 5, {{5, 6}, {6, 7}, {7, 5}}},
        {"running past 127", {0, 1, 2}, 126, {{0, 126}, {1, 127}, {126, 0}, {127, 1}}},
    };
    for (const ExchangeCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CProgramDropPlan plan = CProgramListDrop::PlanExchange(c.sources, c.target);
        ASSERT_TRUE(plan.accepted) << plan.error;
        Order expected;
        std::iota(expected.begin(), expected.end(), 0);
        std::vector<uint32_t> written;
        for (const auto& [row, program] : c.moved)
        {
            expected[row] = static_cast<uint8_t>(program);
            written.push_back(row);
        }
        EXPECT_EQ(plan.order, expected);
        EXPECT_EQ(plan.written, written);
    }
    EXPECT_EQ(CProgramListDrop::PlanExchange({0, 1, 2}, 126).dropped, Rows(126, 127));
    EXPECT_FALSE(CProgramListDrop::PlanExchange({3, 2}, 9).accepted);
    EXPECT_FALSE(CProgramListDrop::PlanExchange({2}, 128).accepted);
}

// With any overlap of sources and targets no program is lost or doubled, the dragged programs
// stand on the rows from the target, and rows that are neither source nor target keep theirs.
TEST(CProgramListDropTest, ExchangeNeverLosesAProgram)
{
    std::mt19937 random(7);
    for (int i = 0; i < 4000; ++i)
    {
        Sources sources;
        const uint32_t base = random() % 120;
        for (uint32_t p = base; p < base + 8 && p < 128; ++p)
            if (random() % 2)
                sources.push_back(p);
        if (sources.empty())
            continue;
        const uint32_t target = std::min<uint32_t>(127, base + random() % 16);
        const CProgramDropPlan plan = CProgramListDrop::PlanExchange(sources, target);
        ASSERT_TRUE(plan.accepted);
        ASSERT_TRUE(IsPermutation(plan.order));
        for (size_t k = 0; k < plan.dropped.size(); ++k)
            ASSERT_EQ(plan.order[target + k], sources[k]);
        for (uint32_t r = 0; r < 128; ++r)
        {
            const bool source = std::find(sources.begin(), sources.end(), r) != sources.end();
            const bool targetRow = r >= target && r < target + sources.size();
            if (!source && !targetRow)
            {
                ASSERT_EQ(plan.order[r], r);
            }
        }
    }
}

TEST(CProgramListDropTest, TheKeysChooseTheOperation)
{
    using Op = CProgramDropOperation;
    const struct
    {
        bool fromThisList;
        bool control;
        bool alt;
        Op operation;
    } cases[] = {
        {false, false, false, Op::kCopy},   {false, true, false, Op::kCopy},
        {false, false, true, Op::kCopy},    {false, true, true, Op::kCopy},
        {true, false, false, Op::kInsert},  {true, true, false, Op::kCopy},
        {true, false, true, Op::kExchange}, {true, true, true, Op::kCopy},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CProgramListDrop::ChooseOperation(c.fromThisList, c.control, c.alt), c.operation)
            << c.fromThisList << c.control << c.alt;
    EXPECT_EQ(static_cast<uint32_t>(Op::kInsert), 1u);
    EXPECT_EQ(static_cast<uint32_t>(Op::kCopy), 2u);
    EXPECT_EQ(static_cast<uint32_t>(Op::kExchange), 3u);
}

// A set whose programs tell each other apart by name, version word and saved copy.
class DropOnProgramsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (uint32_t n = 0; n < 128; ++n)
        {
            CProgram& program = m_programs.GetProgram(n);
            program.SetProgramName(Name(n).c_str());
            program.SetAttribute2(static_cast<int32_t>(1000 + n));
            program.SaveBlock();
        }
    }

    static std::string Name(uint32_t n)
    {
        char name[16];
        std::snprintf(name, sizeof name, "P%03u", n);
        return name;
    }

    std::vector<CProgramDragItem> Items(const Sources& sources) const
    {
        std::vector<CProgramDragItem> items;
        for (uint32_t s : sources)
            items.emplace_back(s, m_programs.GetProgram(s));
        return items;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (uint32_t n = 0; n < 128; ++n)
            names.push_back(m_programs.GetProgram(n).GetProgramName());
        return names;
    }

    // Every row holds the program of the plan's order; saved copies stay on their rows.
    void ExpectOrder(const CProgramDropPlan& plan)
    {
        for (uint32_t r = 0; r < 128; ++r)
        {
            const CProgram& program = m_programs.GetProgram(r);
            EXPECT_EQ(program.GetProgramName(), Name(plan.order[r])) << "row " << r;
            EXPECT_STREQ(program.GetSavedBlock().name, Name(r).c_str()) << "row " << r;
        }
    }

    CProgramSet m_programs;
};

TEST_F(DropOnProgramsTest, InsertMovesThePrograms)
{
    const CProgramDropPlan plan =
        CProgramListDrop::Drop(m_programs, Items({2, 7}), 5, CProgramDropOperation::kInsert);
    ASSERT_TRUE(plan.accepted);
    ExpectOrder(plan);
    // Programs that close the gaps take their version word along.
    EXPECT_EQ(m_programs.GetProgram(2).GetAttribute2(), 1003);
    EXPECT_EQ(m_programs.GetProgram(7).GetAttribute2(), 1006);
}

TEST_F(DropOnProgramsTest, ARefusedInsertChangesNoProgram)
{
    const std::vector<std::string> before = Names();
    const CProgramDropPlan plan = CProgramListDrop::Drop(
        m_programs, Items({120, 121, 122, 123, 124, 125, 126, 127}), 125, CProgramDropOperation::kInsert);
    EXPECT_FALSE(plan.accepted);
    EXPECT_EQ(plan.error, "Can not insert to the tail of list.");
    EXPECT_EQ(Names(), before);
    EXPECT_FALSE(CProgramListDrop::Drop(m_programs, Items({1}), 0, CProgramDropOperation::kNone).accepted);
    EXPECT_EQ(Names(), before);
}

TEST_F(DropOnProgramsTest, OverlappingExchangeKeepsEveryProgram)
{
    const CProgramDropPlan plan =
        CProgramListDrop::Drop(m_programs, Items({5, 6, 7}), 6, CProgramDropOperation::kExchange);
    ASSERT_TRUE(plan.accepted);
    ExpectOrder(plan);
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end()) << "no program doubled";
    EXPECT_EQ(m_programs.GetProgram(5).GetAttribute2(), 1008);
    EXPECT_EQ(m_programs.GetProgram(8).GetAttribute2(), 1007);
}

TEST_F(DropOnProgramsTest, CopyFromAnotherSetWritesTheRowsUpTo127)
{
    CProgramSet other;
    std::vector<CProgramDragItem> items;
    for (uint32_t s = 0; s < 5; ++s)
    {
        other.GetProgram(s).SetProgramName(("OTHER" + std::to_string(s)).c_str());
        items.emplace_back(s, other.GetProgram(s));
    }
    const CProgramDropPlan plan =
        CProgramListDrop::Drop(m_programs, items, 125, CProgramDropOperation::kCopy);
    ASSERT_TRUE(plan.accepted);
    EXPECT_EQ(plan.written, Rows(125, 127));
    for (uint32_t r = 0; r < 128; ++r)
        EXPECT_EQ(m_programs.GetProgram(r).GetProgramName(),
                  r < 125 ? Name(r) : "OTHER" + std::to_string(r - 125));
    // Only the block travels: the row keeps its saved copy and its version word.
    EXPECT_STREQ(m_programs.GetProgram(126).GetSavedBlock().name, "P126");
    EXPECT_EQ(m_programs.GetProgram(126).GetAttribute2(), 1126);
}
} // namespace
