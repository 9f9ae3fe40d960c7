#pragma once

#include "synthdata/CLibraryData.h"

#include "foundation/CHfcMemoryInputStream.h"
#include "foundation/CHfcMemoryOutputStream.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The bytes that write puts into a memory stream.
template <class Write> Bytes WrittenBytes(Write write)
{
    // Large steps: an all-data file is about 68 KB.
    CHfcMemoryOutputStream stream(0, 1 << 16);
    write(stream);
    const uint8_t* data = stream.GetData();
    return Bytes(data, data + stream.GetLength());
}

inline Bytes ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline uint32_t GetU32At(const Bytes& b, size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline void PutU32At(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

inline void PutU16At(Bytes& b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A program that differs from every other one made with another n.
inline void MakeDistinctProgram(CProgram& program, uint32_t n)
{
    program.Init();
    char text[80];
    std::snprintf(text, sizeof text, "prg%03u", n);
    program.SetProgramName(text);
    std::snprintf(text, sizeof text, "Programmer %u", n);
    program.SetAuthor(text);
    std::snprintf(text, sizeof text, "Comment of program %u", n);
    program.SetComment(text);
    program.SetUserWord(static_cast<int32_t>(n % 6));
    program.GetImage()[46] = static_cast<uint8_t>(n);       // Filter 1 Cutoff of timbre 1
    program.GetImage()[334] = static_cast<uint8_t>(20 + n); // BPM
    program.SaveBlock();
}

// A library with a program set and global data that differ from new ones everywhere a file
// keeps something, and view settings other than a new document's.
inline void MakeDistinctLibrary(CLibraryData& library)
{
    library.Reset();
    library.AddEntry(CLibraryEntry::kKindProgramSet);
    library.AddEntry(CLibraryEntry::kKindGlobal);
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
        MakeDistinctProgram(library.GetProgramSet()->GetProgram(n), n);
    CGlobal& global = *library.GetGlobal();
    global.GetImage()[0] = 0x1E;  // Master Tune
    global.GetImage()[16] = 0x05; // user scale
    global.ComputeDigest();
    library.SetListMode(2);
    library.SetCategoryHold(3);
    library.SetMode1Fields(0x10);
    library.SetMode0Fields(0x1C);
}

inline Bytes AllDataBytes(const CLibraryData& library)
{
    return WrittenBytes([&](CHfcOutputStream& s) { library.WriteAllDataFile(s); });
}
