// Drag items from anywhere dropped on a program list: the first byte chooses the operation
// and the target row, the second how the rest is cut into items (mostly 640 bytes, sometimes
// not). Items must be refused or taken whole, and a drop must never lose a program of the set
// when it moves programs within it.
#include "editor/library/model/CProgramListDrop.h"

#include "synthdata/CProgramSet.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint32_t operation = data[0] % 4;
    const uint32_t target = (data[0] >> 2) * 2 + (data[1] & 1);
    const size_t step = (data[1] & 2) != 0 ? 1 + data[1] * 3 : CProgramDragItem::kItemSize;
    std::vector<std::vector<uint8_t>> raw;
    for (size_t at = 2; at < size; at += step)
        raw.emplace_back(data + at, data + std::min(size, at + step));

    static CProgramSet* programs = nullptr;
    if (programs == nullptr)
        programs = new CProgramSet;
    for (uint32_t n = 0; n < 128; ++n)
    {
        char name[16];
        std::snprintf(name, sizeof name, "P%03u", n);
        programs->GetProgram(n).SetProgramName(name);
    }

    std::vector<CProgramDragItem> items;
    if (!CProgramDragItem::ParseAll(raw, items))
        return 0;
    for (const std::vector<uint8_t>& bytes : raw)
        if (bytes.size() != CProgramDragItem::kItemSize)
            std::abort();
    // A move within the list carries the list's own programs; a copy may carry anything.
    const bool moves = operation == 1 || operation == 3;
    if (moves)
        for (CProgramDragItem& item : items)
            item = CProgramDragItem(item.GetSource(), programs->GetProgram(item.GetSource()));
    const CProgramDropPlan plan =
        CProgramListDrop::Drop(*programs, items, target, static_cast<CProgramDropOperation>(operation));
    std::set<std::string> names;
    for (uint32_t n = 0; n < 128; ++n)
    {
        const CProgram& program = programs->GetProgram(n);
        if (std::strlen(program.GetAuthor()) > 24 || std::strlen(program.GetComment()) > 64)
            std::abort();
        names.insert(program.GetProgramName());
    }
    if (plan.accepted && moves && names.size() != 128)
        std::abort();
    return 0;
}
