#pragma once

#include <filesystem>
#include <functional>

class CHfcInputStream;
class CHfcOutputStream;
class CZmData;

// Opens path for binary reading and hands the file's stream to read. A file that cannot be
// opened throws CZmFileException 0.
void ReadFileWith(const std::filesystem::path& path, const std::function<void(CHfcInputStream&)>& read);

// Writes through write into a temporary file in path's folder and, only when every write and
// the close succeeded, puts it in place of path in one step. A temporary file that cannot be
// made throws CZmFileException 0; a failing write, close or replacement throws code 3 (or
// passes on what write threw). After a failure the file at path is as it was and the
// temporary file is gone.
void WriteFileReplacing(const std::filesystem::path& path,
                        const std::function<void(CHfcOutputStream&)>& write);

// The object's chunk as a file of its own (a program file, a global data file).
void SaveDataToFile(const CZmData& data, const std::filesystem::path& path);
// Reads the object's chunk from the file; a failure leaves the object as it was.
void LoadDataFromFile(CZmData& data, const std::filesystem::path& path);
