#pragma once

#include <cstddef>
#include <cstdint>

// Display texts shared by the program and global accessors.
class CZmValueText
{
public:
    // Text of v in the format named (compared over at most 32 characters; computed in 64 bits,
    // so every value has one): the numeric
    // formats, else entry v (v - minimum when the minimum is negative) of the string-table
    // keyword of that name, else "%d" of the entry number.
    static void Format(const char* format, int32_t v, int32_t minimum, char* buffer, size_t size);
    // Entry n of a keyword's list, or "%d" of n when there is no such entry.
    static void FormatKeyword(const char* keyword, int64_t n, char* buffer, size_t size);
    // Appends a tab when the text is shorter than 31 characters (column alignment of lists).
    static void AppendTab(char* buffer, size_t size);
    static bool IsFormat(const char* format, const char* name);
};
