#include "foundation/CEfStringTable.h"

namespace
{
CEfStringTable* g_stringTable = nullptr;
}

CEfStringTable* GetStringTable()
{
    return g_stringTable;
}

void SetStringTable(CEfStringTable* table)
{
    g_stringTable = table;
}
