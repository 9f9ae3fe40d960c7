// Writes seed files for the data-file and block fuzz targets: the files the round-trip tests
// write, one folder per reader, under the folder given as the first argument.
#include "synthdata/CBlockData.h"
#include "synthdata/CBlockTransfer.h"
#include "synthdata/CLibraryData.h"

#include "support/DataFixtures.h"
#include "support/J5Fixtures.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
void Put(const std::filesystem::path& folder, const char* name, const Bytes& bytes)
{
    std::filesystem::create_directories(folder);
    WriteFileBytes(folder / name, bytes);
}

Bytes BlockBytes(const CBlockData& block)
{
    return Bytes(block.GetData(), block.GetData() + block.GetSize());
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_data_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];

    CLibraryData library;
    MakeDistinctLibrary(library);
    Put(root / "all", "library.nvrn_all", AllDataBytes(library));
    CLibraryData programsOnly;
    programsOnly.SetDataKind(CLibraryEntry::kKindProgramSet);
    Put(root / "all", "programs.nvrn_all", AllDataBytes(programsOnly));
    CLibraryData globalOnly;
    globalOnly.SetDataKind(CLibraryEntry::kKindGlobal);
    Put(root / "all", "global.nvrn_all", AllDataBytes(globalOnly));

    const CProgram& program = library.GetProgramSet()->GetProgram(3);
    Put(root / "program", "program.nvrn_prog",
        WrittenBytes([&](CHfcOutputStream& s) { program.WriteProgramChunk(s); }));
    Put(root / "global", "global.nvrn_glob",
        WrittenBytes([&](CHfcOutputStream& s) { library.GetGlobal()->WriteChunk(s); }));

    Put(root / "j5", "three.j5l", MakeJ5Library(3));
    J5Record marked("pcm");
    marked.image[48 + 38] = 6;
    marked.image[48 + 41] = 31;
    Put(root / "j5", "mixed.j5l",
        J5FileBuilder()
            .Other("XXXX", 16, 20)
            .ProgramSet({marked, J5Record("two")})
            .Other("740p", 32, 64)
            .Build());

    CBlockData block;
    const CProgram& source = library.GetProgramSet()->GetProgram(5);
    block.WriteProgramSet(*library.GetProgramSet());
    Put(root / "block", "1", BlockBytes(block));
    block.WriteProgram(source);
    Put(root / "block", "2", BlockBytes(block));
    block.WriteTimbre(source, 1);
    Put(root / "block", "3", BlockBytes(block));
    block.WriteMfx(source, 0);
    Put(root / "block", "4", BlockBytes(block));
    block.WriteMfxSet(source);
    Put(root / "block", "5", BlockBytes(block));
    block.WriteVocoder(source);
    Put(root / "block", "6", BlockBytes(block));
    block.WriteArp(source);
    Put(root / "block", "7", BlockBytes(block));
    block.WriteGlobal(*library.GetGlobal());
    Put(root / "block", "8", BlockBytes(block));

    // The paste target's input: kind, program number and index, then the block (or, with the
    // kind's top bit, a program list item).
    for (uint32_t kind = 1; kind <= 8; ++kind)
    {
        const uint32_t index = kind == kBlockTimbre || kind == kBlockMfx ? 1 : 0;
        CBlockTransfer::Copy(kind, library, 5, index, block);
        Bytes input = {static_cast<uint8_t>(kind), 5, static_cast<uint8_t>(index)};
        const Bytes bytes = BlockBytes(block);
        input.insert(input.end(), bytes.begin(), bytes.end());
        Put(root / "paste", std::to_string(kind).c_str(), input);
    }
    Bytes item = {0x82, 9, 0};
    const Bytes listItem = CBlockTransfer::MakeProgramItem(library, 5);
    item.insert(item.end(), listItem.begin(), listItem.end());
    Put(root / "paste", "item", item);
    return 0;
}
