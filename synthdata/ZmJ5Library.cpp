#include "synthdata/ZmJ5Library.h"

#include "synthdata/CJ5ProgramConverter.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CZmChunkHeader.h"
#include "synthdata/ZmDataFile.h"

#include "foundation/CHfcStream.h"
#include "foundation/CZmException.h"

#include <cstring>

// File geometry. Every record is read field by field, in the order below, from its start:
//   library header "740L": tag, u32 header size (64), u32, u16, u16, u32, 28 bytes, u16 entry
//     count; the entries start at the file start + 64;
//   entry: tag, u32 header size, u32 size, ...; an entry of another tag than "740P" is
//     skipped to its start + header size + size;
//   "740P": tag, u32 header size (128), u32, 32 bytes, u32 program count (at most 128), u32;
//     its first record starts at its start + 128, the next entry after its last record;
//   "740p": tag, u32 header size (32), u32 data size (0x900), 4 bytes, three u16, the J5
//     image (1820), 72 bytes, programmer name (24), comment (64), u32; the next record starts
//     at its start + header size + data size.
// Every step is computed in 64 bits; a record or skipped entry of size zero, or one that
// leaves the file, is refused with code 8, as is a library header size other than 64. A file
// that ends inside a header or the fields of a record is a short read (code 2).
namespace
{
const uint32_t kLibraryHeaderSize = 64;
const uint32_t kSetHeaderSize = 128;
const uint32_t kRecordHeaderSize = 32;
const uint32_t kRecordDataSize = 0x900;
const uint32_t kMaxPrograms = 128;
const uint32_t kAuthorLength = 24;
const uint32_t kCommentLength = 64;

// The position one step on, refused when the step is zero or leaves the file.
uint64_t Advance(const CHfcInputStream& stream, uint64_t position, uint64_t step)
{
    if (step == 0 || step > stream.GetSize() || position > stream.GetSize() - step)
        throw CZmFileException(kZmFileErrorDataSize);
    return position + step;
}

struct Record
{
    uint8_t image[CJ5ProgramConverter::kJ5ImageSize];
    char author[kAuthorLength + 1];
    char comment[kCommentLength + 1];
    uint64_t step;
};

void ReadRecord(CHfcInputStream& stream, Record& record)
{
    uint8_t header[22];
    ReadExact(stream, header, sizeof header);
    if (std::memcmp(header, "740p", 4) != 0)
        throw CZmFileException(kZmFileErrorInvalidId);
    ReadExact(stream, record.image, sizeof record.image);
    SkipExact(stream, 72);
    std::memset(record.author, 0, sizeof record.author);
    std::memset(record.comment, 0, sizeof record.comment);
    ReadExact(stream, record.author, kAuthorLength);
    ReadExact(stream, record.comment, kCommentLength);
    SkipExact(stream, 4);
    const uint32_t headerSize = GetLe32(header + 4);
    const uint32_t dataSize = GetLe32(header + 8);
    if (headerSize != kRecordHeaderSize && dataSize != kRecordDataSize)
        throw CZmFileException(kZmFileErrorDataSize);
    record.step = uint64_t{headerSize} + dataSize;
}

void ConvertRecord(const Record& record, CProgram& program, CJ5ProgramConverter& converter)
{
    program.Init();
    converter.Convert(record.image, program.GetImage());
    program.SetAuthor(record.author);
    program.SetComment(record.comment);
    program.RefreshName();
    program.ResetOscCtrlMemory();
    program.SaveBlock();
}
} // namespace

void ReadJ5Library(CHfcInputStream& stream, CLibraryData& library)
{
    const uint64_t start = stream.GetPosition();
    uint8_t header[50];
    ReadExact(stream, header, 4);
    if (std::memcmp(header, "740L", 4) != 0)
        throw CZmFileException(kZmFileErrorInvalidId);
    ReadExact(stream, header + 4, sizeof header - 4);
    if (GetLe32(header + 4) != kLibraryHeaderSize)
        throw CZmFileException(kZmFileErrorDataSize);
    const uint32_t entries = GetLe16(header + 48);

    CLibraryData read;
    CProgramSet& programs = *read.AddEntry(CLibraryEntry::kKindProgramSet)->GetProgramSet();
    read.AddEntry(CLibraryEntry::kKindGlobal);
    CJ5ProgramConverter converter;
    Record record;
    uint64_t position = start + kLibraryHeaderSize;
    for (uint32_t e = 0; e < entries; ++e)
    {
        SeekExact(stream, position);
        uint8_t entry[52];
        ReadExact(stream, entry, 12);
        const uint32_t headerSize = GetLe32(entry + 4);
        if (std::memcmp(entry, "740P", 4) != 0)
        {
            position = Advance(stream, position, uint64_t{headerSize} + GetLe32(entry + 8));
            continue;
        }
        ReadExact(stream, entry + 12, sizeof entry - 12);
        const uint32_t count = GetLe32(entry + 44);
        if (headerSize != kSetHeaderSize || count > kMaxPrograms)
            throw CZmFileException(kZmFileErrorDataSize);
        position += kSetHeaderSize;
        for (uint32_t k = 0; k < count; ++k)
        {
            SeekExact(stream, position);
            ReadRecord(stream, record);
            position = Advance(stream, position, record.step);
            ConvertRecord(record, programs.GetProgram(k), converter);
        }
    }
    library.Swap(read);
}

void ReadJ5LibraryFile(const std::filesystem::path& path, CLibraryData& library)
{
    ReadFileWith(path, [&](CHfcInputStream& stream) { ReadJ5Library(stream, library); });
}
