// One data-file reader, chosen at build time, over hostile bytes: a read either throws a file
// exception and leaves its target as it was, or succeeds, and then what the target writes
// reads back to the same bytes.
#include "synthdata/CLibraryData.h"
#include "synthdata/ZmJ5Library.h"

#include "support/DataFixtures.h"

#include "foundation/CZmException.h"

#include <cstdlib>
#include <cstring>

namespace
{
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

template <class Target>
bool Read(Target& target, const uint8_t* data, size_t size, void (*read)(Target&, CHfcInputStream&))
{
    CHfcMemoryInputStream stream(data, size);
    try
    {
        read(target, stream);
        return true;
    }
    catch (const CZmFileException& e)
    {
        Check(e.GetCode() == kZmFileErrorReadData || e.GetCode() == kZmFileErrorInvalidId ||
              e.GetCode() == kZmFileErrorDataSize);
        return false;
    }
}

void ReadAll(CLibraryData& library, CHfcInputStream& stream)
{
    library.ReadAllDataFile(stream);
}

void ReadJ5(CLibraryData& library, CHfcInputStream& stream)
{
    ReadJ5Library(stream, library);
}

void ReadData(CZmData& data, CHfcInputStream& stream)
{
    data.ReadChunk(stream);
}

template <class Data> void FuzzChunk(const uint8_t* data, size_t size)
{
    Data target;
    target.Init();
    const Bytes before = WrittenBytes([&](CHfcOutputStream& s) { target.WriteChunk(s); });
    CZmData& base = target;
    if (!Read(base, data, size, ReadData))
    {
        Check(WrittenBytes([&](CHfcOutputStream& s) { target.WriteChunk(s); }) == before);
        return;
    }
    const Bytes written = WrittenBytes([&](CHfcOutputStream& s) { target.WriteChunk(s); });
    Data again;
    CZmData& againBase = again;
    Check(Read(againBase, written.data(), written.size(), ReadData));
    Check(WrittenBytes([&](CHfcOutputStream& s) { again.WriteChunk(s); }) == written);
}

void FuzzLibrary(const uint8_t* data, size_t size, void (*read)(CLibraryData&, CHfcInputStream&))
{
    CLibraryData library;
    library.SetDataKind(CLibraryEntry::kKindGlobal);
    library.SetPath("kept");
    const Bytes before = AllDataBytes(library);
    if (!Read(library, data, size, read))
    {
        Check(AllDataBytes(library) == before && library.GetPath() == "kept");
        return;
    }
    Check(library.GetProgramSet() != nullptr && library.GetGlobal() != nullptr);
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        const CProgram& program = library.GetProgramSet()->GetProgram(n);
        Check(std::strlen(program.GetAuthor()) <= 24 && std::strlen(program.GetComment()) <= 64);
        Check(program.GetUserWord() >= 0 && program.GetUserWord() <= 5);
    }
    const Bytes written = AllDataBytes(library);
    CLibraryData again;
    Check(Read(again, written.data(), written.size(), ReadAll));
    Check(AllDataBytes(again) == written);
}
} // namespace

// NV_FUZZ_READER: 0 all-data file, 1 program file, 2 global data file, 3 J5 library.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    switch (NV_FUZZ_READER)
    {
    case 0:
        FuzzLibrary(data, size, ReadAll);
        break;
    case 1:
        FuzzChunk<CProgram>(data, size);
        break;
    case 2:
        FuzzChunk<CGlobal>(data, size);
        break;
    default:
        FuzzLibrary(data, size, ReadJ5);
        break;
    }
    return 0;
}
