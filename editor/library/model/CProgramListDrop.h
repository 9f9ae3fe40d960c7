#pragma once

#include "editor/library/model/CProgramDragItem.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CProgramSet;

// What a drop on the program list does; the values are the effects the list reports.
enum class CProgramDropOperation : uint32_t
{
    kNone = 0,
    kInsert = 1,   // move within the list, closing the gaps
    kCopy = 2,     // write the dragged programs over the rows from the drop row
    kExchange = 3, // swap the dragged programs with those from the drop row
};

// A drop worked out on program numbers before any program is written.
struct CProgramDropPlan
{
    enum : uint32_t
    {
        kProgramCount = 128,
    };

    bool accepted = false;
    std::string error; // why the drop was refused
    // order[row]: the program, by its number before the drop, that stands on the row after it
    // (rows a copy writes keep their own number: their data comes from the drag).
    std::array<uint8_t, kProgramCount> order{};
    // Rows the drop writes (their edit windows close), ascending.
    std::vector<uint32_t> written;
    // Rows that hold the dropped programs afterwards (they become the selection), ascending.
    std::vector<uint32_t> dropped;
};

// The program list's drops as permutations of the 128 programs, and their application to a
// program set. Sources are the dragged programs' numbers: strictly ascending, each below 128,
// as a drag from the list carries them; anything else is refused.
class CProgramListDrop
{
public:
    // A drop from another window or application always copies; within the list Control
    // copies, Alt exchanges, no key inserts. It is also the effect offered over a row.
    static CProgramDropOperation ChooseOperation(bool fromThisList, bool control, bool alt);

    // The dragged programs stand together in their old order from row D, every other program
    // keeps its order: D is the target when no source lies above it, else the sources above it
    // end on the target row. Refused when a source lies at or after the target and the block
    // would run past program 127.
    static CProgramDropPlan PlanInsert(const std::vector<uint32_t>& sources, uint32_t target);
    // count items onto the rows from target; those past 127 are dropped.
    static CProgramDropPlan PlanCopy(size_t count, uint32_t target);
    // For each source in turn, with row R from target (stopping past 127): the program now
    // at R and that source's program, wherever earlier swaps have put it, change places. No
    // program is lost or doubled when sources and targets overlap, and the dragged programs
    // end on the rows from the target in their old order.
    static CProgramDropPlan PlanExchange(const std::vector<uint32_t>& sources, uint32_t target);

    // Plans the operation for the items and carries it out on programs. Programs that move
    // take their block and version word along (CProgram::CopyBlock; saved copies stay with
    // their rows); an inserted or copied item writes only its block, and an exchange moves the
    // programs as they are now, not the items' copies. A refused plan, or a failure to make
    // the items' blocks, changes nothing.
    static CProgramDropPlan Drop(CProgramSet& programs, const std::vector<CProgramDragItem>& items,
                                 uint32_t target, CProgramDropOperation operation);

    static std::vector<uint32_t> GetSources(const std::vector<CProgramDragItem>& items);
};
