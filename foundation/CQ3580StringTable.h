#pragma once

#include "foundation/CEfSingleton.h"
#include "foundation/CEfStringTable.h"

// The value-name table of this model, loaded from the program's own text "Q3580StringTable.txt":
// a resource of type "STR" in the Windows build, an array built into the program natively.
class CQ3580StringTable : public CEfStringTable
{
public:
    // Loads the text (see Create).
    CQ3580StringTable();
    ~CQ3580StringTable() override;

    // Parses the model's text; false, with a trace, when it cannot be had or parsed.
    bool Create() override;
};

// The process-wide table: the first Acquire loads it, the last Release deletes it.
using CEfStringTableSingleton = CEfSingleton<CEfStringTable, CQ3580StringTable>;
