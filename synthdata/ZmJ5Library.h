#pragma once

#include <filesystem>

class CHfcInputStream;
class CLibraryData;

// Imports a J5 library file: library becomes a program set, whose programs are converted from
// the file's "740P" entries (program k of an entry into program k of the set; programs no
// entry holds stay initialised), and global data. A failure throws CZmFileException (2 short
// read, 5 wrong tag, 8 wrong size or count, 0 for a file that cannot be opened) and leaves
// library as it was.
void ReadJ5LibraryFile(const std::filesystem::path& path, CLibraryData& library);
void ReadJ5Library(CHfcInputStream& stream, CLibraryData& library);
