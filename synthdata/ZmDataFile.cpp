#include "synthdata/ZmDataFile.h"

#include "synthdata/CZmData.h"

#include "foundation/CHfcFile.h"
#include "foundation/CHfcFileInputStream.h"
#include "foundation/CHfcFileOutputStream.h"
#include "foundation/CZmException.h"

#include <system_error>

void ReadFileWith(const std::filesystem::path& path, const std::function<void(CHfcInputStream&)>& read)
{
    CHfcFile file;
    if (!file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary))
        throw CZmFileException(kZmFileErrorFileOpen);
    CHfcFileInputStream stream(file);
    read(stream);
}

void WriteFileReplacing(const std::filesystem::path& path,
                        const std::function<void(CHfcOutputStream&)>& write)
{
    std::filesystem::path temporary = path;
    temporary += ".~save";
    CHfcFile file;
    if (!file.Open(temporary, CHfcFile::kModeWrite | CHfcFile::kModeBinary))
        throw CZmFileException(kZmFileErrorFileOpen);
    std::error_code ignored;
    try
    {
        {
            CHfcFileOutputStream stream(file);
            write(stream);
        }
        // Closing flushes the runtime's buffer: a full disk shows here.
        if (!file.Close())
            throw CZmFileException(kZmFileErrorWriteData);
        // Replaces an existing file in one step (MoveFileExW with replace-existing in the
        // Windows runtime, rename natively), so path holds either the old or the new bytes.
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (error)
            throw CZmFileException(kZmFileErrorWriteData);
    }
    catch (...)
    {
        file.Close();
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

void SaveDataToFile(const CZmData& data, const std::filesystem::path& path)
{
    WriteFileReplacing(path, [&](CHfcOutputStream& stream) { data.WriteChunk(stream); });
}

void LoadDataFromFile(CZmData& data, const std::filesystem::path& path)
{
    ReadFileWith(path, [&](CHfcInputStream& stream) { data.ReadChunk(stream); });
}
