#pragma once

// The simulated instrument's memory file: a tag, the 128 program images, the global image and,
// in the current form, the edit buffer, each image as a 32-bit length and its bytes. A file of
// the older form (without the edit buffer) still reads, with an empty edit buffer.

#include <cstdint>
#include <string>
#include <vector>

struct SimMemory
{
    std::vector<std::vector<uint8_t>> programs; // 128
    std::vector<uint8_t> global;
    std::vector<uint8_t> editBuffer; // empty when the file has none
};

// False when the file is missing, of another kind or cut short.
bool ReadSimMemory(const std::wstring& path, SimMemory& memory);
// Written beside and then moved over the old file, so that a reader or a run ended halfway sees
// the last whole memory.
bool WriteSimMemory(const std::wstring& path, const SimMemory& memory);
