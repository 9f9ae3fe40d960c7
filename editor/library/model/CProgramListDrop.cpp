#include "editor/library/model/CProgramListDrop.h"

#include "synthdata/CBlockData.h"
#include "synthdata/CProgramSet.h"

#include <algorithm>
#include <new>

namespace
{
const uint32_t kCount = CProgramDropPlan::kProgramCount;

const char kErrorBadItems[] = "Can not get data.";
const char kErrorTail[] = "Can not insert to the tail of list.";
const char kErrorTarget[] = "Out of range : Program Number.";
const char kErrorMemory[] = "Can not allocate memory.";

CProgramDropPlan Identity()
{
    CProgramDropPlan plan;
    for (uint32_t row = 0; row < kCount; ++row)
        plan.order[row] = static_cast<uint8_t>(row);
    return plan;
}

CProgramDropPlan Refused(const char* error)
{
    CProgramDropPlan plan = Identity();
    plan.error = error;
    return plan;
}

bool AreValidSources(const std::vector<uint32_t>& sources)
{
    if (sources.empty())
        return false;
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i] >= kCount || (i > 0 && sources[i] <= sources[i - 1]))
            return false;
    return true;
}

void Range(std::vector<uint32_t>& rows, uint32_t first, uint32_t last)
{
    for (uint32_t row = first; row <= last; ++row)
        rows.push_back(row);
}

// The dragged program's place among the items, or -1.
int32_t ItemOf(const std::vector<uint32_t>& sources, uint32_t program)
{
    const auto it = std::lower_bound(sources.begin(), sources.end(), program);
    return it != sources.end() && *it == program ? static_cast<int32_t>(it - sources.begin()) : -1;
}

} // namespace

CProgramDropOperation CProgramListDrop::ChooseOperation(bool fromThisList, bool control, bool alt)
{
    if (!fromThisList || control)
        return CProgramDropOperation::kCopy;
    return alt ? CProgramDropOperation::kExchange : CProgramDropOperation::kInsert;
}

CProgramDropPlan CProgramListDrop::PlanInsert(const std::vector<uint32_t>& sources, uint32_t target)
{
    if (target >= kCount)
        return Refused(kErrorTarget);
    if (!AreValidSources(sources))
        return Refused(kErrorBadItems);
    const uint32_t n = static_cast<uint32_t>(sources.size());
    const uint32_t above =
        static_cast<uint32_t>(std::lower_bound(sources.begin(), sources.end(), target) - sources.begin());
    if (above < n && target + n > kCount)
        return Refused(kErrorTail);
    const uint32_t first = above == 0 ? target : target - above + 1;

    CProgramDropPlan plan;
    plan.accepted = true;
    uint32_t next = 0; // the next program that is not dragged
    for (uint32_t row = 0; row < kCount; ++row)
    {
        if (row >= first && row < first + n)
        {
            plan.order[row] = static_cast<uint8_t>(sources[row - first]);
            continue;
        }
        while (ItemOf(sources, next) >= 0)
            ++next;
        plan.order[row] = static_cast<uint8_t>(next++);
    }
    Range(plan.written, std::min(sources.front(), first), std::max(sources.back(), first + n - 1));
    Range(plan.dropped, first, first + n - 1);
    return plan;
}

CProgramDropPlan CProgramListDrop::PlanCopy(size_t count, uint32_t target)
{
    if (target >= kCount)
        return Refused(kErrorTarget);
    CProgramDropPlan plan = Identity();
    plan.accepted = true;
    const size_t fit = std::min<size_t>(count, kCount - target);
    if (fit > 0)
        Range(plan.written, target, static_cast<uint32_t>(target + fit - 1));
    plan.dropped = plan.written;
    return plan;
}

CProgramDropPlan CProgramListDrop::PlanExchange(const std::vector<uint32_t>& sources, uint32_t target)
{
    if (target >= kCount)
        return Refused(kErrorTarget);
    if (!AreValidSources(sources))
        return Refused(kErrorBadItems);
    CProgramDropPlan plan = Identity();
    plan.accepted = true;
    std::array<uint8_t, kCount> rowOf; // where each program stands now
    for (uint32_t p = 0; p < kCount; ++p)
        rowOf[p] = static_cast<uint8_t>(p);
    std::vector<bool> written(kCount, false);
    for (size_t i = 0; i < sources.size() && target + i < kCount; ++i)
    {
        const uint32_t row = static_cast<uint32_t>(target + i);
        const uint32_t from = rowOf[sources[i]];
        plan.dropped.push_back(row);
        if (from == row)
            continue;
        const uint8_t displaced = plan.order[row];
        plan.order[row] = static_cast<uint8_t>(sources[i]);
        plan.order[from] = displaced;
        rowOf[sources[i]] = static_cast<uint8_t>(row);
        rowOf[displaced] = static_cast<uint8_t>(from);
        written[row] = written[from] = true;
    }
    for (uint32_t row = 0; row < kCount; ++row)
        if (written[row])
            plan.written.push_back(row);
    return plan;
}

std::vector<uint32_t> CProgramListDrop::GetSources(const std::vector<CProgramDragItem>& items)
{
    std::vector<uint32_t> sources;
    sources.reserve(items.size());
    for (const CProgramDragItem& item : items)
        sources.push_back(item.GetSource());
    return sources;
}

CProgramDropPlan CProgramListDrop::Drop(CProgramSet& programs, const std::vector<CProgramDragItem>& items,
                                        uint32_t target, CProgramDropOperation operation)
{
    CProgramDropPlan plan;
    switch (operation)
    {
    case CProgramDropOperation::kInsert:
        plan = PlanInsert(GetSources(items), target);
        break;
    case CProgramDropOperation::kCopy:
        plan = PlanCopy(items.size(), target);
        break;
    case CProgramDropOperation::kExchange:
        plan = PlanExchange(GetSources(items), target);
        break;
    case CProgramDropOperation::kNone:
        return Refused(kErrorBadItems);
    }
    if (!plan.accepted)
        return plan;

    // Everything that can fail is made before the first program is written.
    std::vector<CBlockData> blocks;
    std::vector<CProgram> before;
    try
    {
        if (operation != CProgramDropOperation::kExchange)
            blocks.resize(items.size());
        if (operation != CProgramDropOperation::kCopy)
            for (uint32_t row : plan.written)
                before.push_back(programs.GetProgram(row));
    }
    catch (const std::bad_alloc&)
    {
        return Refused(kErrorMemory);
    }
    for (size_t i = 0; i < blocks.size(); ++i)
        if (!items[i].MakeBlock(blocks[i]))
            return Refused(kErrorMemory);

    if (operation == CProgramDropOperation::kCopy)
    {
        for (size_t i = 0; i < plan.written.size(); ++i)
            blocks[i].ReadProgram(programs.GetProgram(plan.written[i]));
        return plan;
    }
    // The written rows hold the same programs before and after, in another order: each row
    // takes its program from the copy made before.
    std::array<size_t, kCount> copyOf{};
    for (size_t i = 0; i < plan.written.size(); ++i)
        copyOf[plan.written[i]] = i;
    const std::vector<uint32_t> sources = GetSources(items);
    for (uint32_t row : plan.written)
    {
        const uint32_t program = plan.order[row];
        const int32_t item = operation == CProgramDropOperation::kInsert ? ItemOf(sources, program) : -1;
        if (item >= 0)
            blocks[static_cast<size_t>(item)].ReadProgram(programs.GetProgram(row));
        else
            programs.GetProgram(row).CopyBlock(before[copyOf[program]]);
    }
    return plan;
}
