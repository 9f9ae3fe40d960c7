#pragma once

#include <cstdint>

// The keyword string table: value names of list parameters, by keyword and position.
class CEfStringTable
{
public:
    virtual ~CEfStringTable() = default;

    // The entry text, or null when the keyword or the entry does not exist.
    virtual const char* GetString(const char* keyword, uint32_t index) const = 0;
    // Number of entries of a keyword; 0 when it does not exist.
    virtual uint32_t GetCount(const char* keyword) const = 0;
};

// The process-wide string table; null until one is installed.
CEfStringTable* GetStringTable();
void SetStringTable(CEfStringTable* table);
