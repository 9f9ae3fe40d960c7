#include "synthdata/CLibraryData.h"
#include "synthdata/ZmDataFile.h"

#include "support/DataFixtures.h"
#include "support/TempFolder.h"

#include "foundation/CZmException.h"
#include "foundation/EfMd5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>

namespace
{
// Chunk offsets of an all-data file of a program set and global data.
const size_t kSetAt = 32;
const size_t kProgramAt = kSetAt + 32; // + CQ3580ProgramData::kChunkSize n
const size_t kGlobalAt = kSetAt + CProgramSet::kChunkSize;
const size_t kInfoAt = kGlobalAt + CQ3580GlobalData::kChunkSize;
const size_t kAllDataSize = kInfoAt + 160;

int32_t CodeOf(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (const CZmFileException& e)
    {
        return e.GetCode();
    }
    return -1;
}

int32_t ReadAllDataCode(CLibraryData& library, const Bytes& bytes)
{
    return CodeOf(
        [&]
        {
            CHfcMemoryInputStream stream(bytes.data(), bytes.size());
            library.ReadAllDataFile(stream);
        });
}

int32_t ReadChunkCode(CZmData& data, const Bytes& bytes)
{
    return CodeOf(
        [&]
        {
            CHfcMemoryInputStream stream(bytes.data(), bytes.size());
            data.ReadChunk(stream);
        });
}

Bytes ProgramChunk(const CProgram& program)
{
    return WrittenBytes([&](CHfcOutputStream& s) { program.WriteProgramChunk(s); });
}

Bytes GlobalChunk(const CGlobal& global)
{
    return WrittenBytes([&](CHfcOutputStream& s) { global.WriteChunk(s); });
}

Bytes Cut(Bytes bytes, size_t length)
{
    bytes.resize(length);
    return bytes;
}

// A damaged copy of a file: a change to good bytes and the code its reader must throw.
struct Damage
{
    std::string name;
    std::function<Bytes(Bytes)> damage;
    int32_t code;
};

std::vector<Damage> TagDamage(size_t at, int32_t code)
{
    std::vector<Damage> cases;
    for (size_t i = 0; i < 8; ++i)
        cases.push_back({"tag byte " + std::to_string(at + i),
                         [at, i](Bytes b)
                         {
                             b[at + i] ^= 0x20;
                             return b;
                         },
                         code});
    return cases;
}

Damage Truncated(size_t length)
{
    return {"cut at " + std::to_string(length), [length](Bytes b) { return Cut(b, length); },
            kZmFileErrorReadData};
}

Damage Sizes(const std::string& name, size_t at, uint16_t headerSize, uint32_t size, int32_t code)
{
    return {name,
            [=](Bytes b)
            {
                PutU16At(b, at + 8, headerSize);
                PutU32At(b, at + 10, size);
                return b;
            },
            code};
}

TEST(AllDataFileTest, ProgramSetAndGlobalDataRoundTripByteIdentical)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    const Bytes written = AllDataBytes(library);
    ASSERT_EQ(written.size(), kAllDataSize);
    EXPECT_EQ(GetU32At(written, 10), written.size());
    EXPECT_EQ(std::string(written.begin(), written.begin() + 8), "3580AllD");
    EXPECT_EQ(std::string(written.begin() + kSetAt, written.begin() + kSetAt + 8), "3580PrgS");
    EXPECT_EQ(std::string(written.begin() + kGlobalAt, written.begin() + kGlobalAt + 8), "3580GlbD");
    EXPECT_EQ(std::string(written.begin() + kInfoAt, written.begin() + kInfoAt + 8), "3580LibP");

    CLibraryData read;
    ASSERT_EQ(ReadAllDataCode(read, written), -1);
    EXPECT_TRUE(AllDataBytes(read) == written);
    EXPECT_STREQ(read.GetProgramSet()->GetProgram(127).GetAuthor(), "Programmer 127");
    EXPECT_EQ(read.GetGlobal()->GetImage()[0], 0x1E);
    EXPECT_EQ(read.GetListMode(), 2u);
    EXPECT_EQ(read.GetCategoryHold(), 3u);
    EXPECT_EQ(read.GetMode1Fields(), 0x10u);
    EXPECT_EQ(read.GetMode0Fields(), 0x1Cu);
}

TEST(AllDataFileTest, OneEntryFilesKeepTheirLayout)
{
    struct Case
    {
        uint32_t kind;
        size_t size;
        const char* secondTag;
    };
    for (const Case& c : {Case{1, 67808, "3580PrgS"}, Case{2, 368, "3580GlbD"}})
    {
        CLibraryData library;
        library.SetDataKind(c.kind);
        const Bytes b = AllDataBytes(library);
        ASSERT_EQ(b.size(), c.size);
        const Bytes header = {'3', '5', '8', '0', 'A', 'l', 'l', 'D', 32, 0, 0, 0, 0,    0,    1,    0,
                              2,   0,   0,   0,   3,   0,   0,   0,   0,  0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
        Bytes expected = header;
        PutU32At(expected, 10, static_cast<uint32_t>(c.size));
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 32), expected);
        EXPECT_EQ(std::string(b.begin() + 32, b.begin() + 40), c.secondTag);
        EXPECT_EQ(std::string(b.end() - 160, b.end() - 152), "3580LibP");
        // A new document's view settings, then 112 bytes 0xFF.
        EXPECT_EQ(Bytes(b.end() - 128, b.end() - 112),
                  (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0}));
        EXPECT_EQ(Bytes(b.end() - 112, b.end()), Bytes(112, 0xFF));
    }
}

TEST(AllDataFileTest, ChunksEachCarryTheDigestOfTheirImage)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    const CProgram& program = library.GetProgramSet()->GetProgram(9);
    const Bytes chunk = ProgramChunk(program);
    ASSERT_EQ(chunk.size(), CQ3580ProgramData::kChunkSize);
    uint8_t digest[16];
    ComputeMd5(program.GetImage(), kQ3580ProgramImageSize, digest);
    EXPECT_EQ(Bytes(chunk.begin() + 32 + kQ3580ProgramImageSize + 22,
                    chunk.begin() + 32 + kQ3580ProgramImageSize + 22 + 16),
              Bytes(digest, digest + 16));
    EXPECT_EQ(
        Bytes(chunk.begin() + 32 + kQ3580ProgramImageSize, chunk.begin() + 32 + kQ3580ProgramImageSize + 22),
        Bytes(22, 0xFF));
    EXPECT_EQ(chunk[32 + kQ3580ProgramImageSize + 22 + 16 + 24 + 64], 3); // priority
    EXPECT_EQ(Bytes(chunk.end() - 23, chunk.end()), Bytes(23, 0xFF));

    const Bytes global = GlobalChunk(*library.GetGlobal());
    ASSERT_EQ(global.size(), 176u);
    ComputeMd5(library.GetGlobal()->GetImage(), 100, digest);
    EXPECT_EQ(Bytes(global.begin() + 160, global.end()), Bytes(digest, digest + 16));
    EXPECT_EQ(Bytes(global.begin() + 132, global.begin() + 160), Bytes(28, 0xFF));
}

TEST(AllDataFileTest, ChunksInAnyOrderAndUnknownChunksAreRead)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    const Bytes good = AllDataBytes(library);
    // Library information first, then an unknown chunk with a body, then global data, then
    // the program set.
    Bytes unknown = {'N', 'o', 't', 'K', 'n', 'o', 'w', 'n', 32, 0,    5,    0,    0,    0, 1, 0, 2, 0, 0,
                     0,   0,   0,   0,   0,   0,   0,   0,   0,  0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5};
    Bytes reordered(good.begin(), good.begin() + 32);
    reordered.insert(reordered.end(), good.begin() + kInfoAt, good.end());
    reordered.insert(reordered.end(), unknown.begin(), unknown.end());
    reordered.insert(reordered.end(), good.begin() + kGlobalAt, good.begin() + kInfoAt);
    reordered.insert(reordered.end(), good.begin() + kSetAt, good.begin() + kGlobalAt);
    PutU32At(reordered, 10, static_cast<uint32_t>(reordered.size()));

    CLibraryData read;
    ASSERT_EQ(ReadAllDataCode(read, reordered), -1);
    EXPECT_TRUE(AllDataBytes(read) == good);
}

TEST(AllDataFileTest, FileOfOneEntryGetsBothEntries)
{
    CLibraryData globalOnly;
    globalOnly.SetDataKind(2);
    CLibraryData read;
    ASSERT_EQ(ReadAllDataCode(read, AllDataBytes(globalOnly)), -1);
    ASSERT_NE(read.GetProgramSet(), nullptr);
    ASSERT_NE(read.GetGlobal(), nullptr);
    EXPECT_STREQ(read.GetProgramSet()->GetProgram(0).GetName(), "INITPROG");
}

TEST(AllDataFileTest, DamagedFilesAreRefusedAndLeaveTheLibraryAsItWas)
{
    CLibraryData source;
    MakeDistinctLibrary(source);
    const Bytes good = AllDataBytes(source);

    std::vector<Damage> cases = TagDamage(0, kZmFileErrorInvalidId);
    for (const Damage& d : TagDamage(kProgramAt + 5 * CQ3580ProgramData::kChunkSize, kZmFileErrorInvalidId))
        cases.push_back({"program 5 " + d.name, d.damage, d.code});
    const size_t boundaries[] = {0,
                                 4,
                                 8,
                                 31,
                                 32,
                                 63,
                                 64,
                                 64 + CQ3580ProgramData::kChunkSize,
                                 64 + CQ3580ProgramData::kChunkSize * 77,
                                 kGlobalAt,
                                 kGlobalAt + kQ3580GlobalImageSize,
                                 kInfoAt,
                                 kInfoAt + 16,
                                 kAllDataSize - 1};
    for (size_t at : boundaries)
        cases.push_back(Truncated(at));
    cases.push_back(Sizes("file header size 16", 0, 16, kAllDataSize, kZmFileErrorDataSize));
    cases.push_back(Sizes("file size below its header", 0, 32, 31, kZmFileErrorDataSize));
    cases.push_back(Sizes("file size too small", 0, 32, 1000, kZmFileErrorDataSize));
    cases.push_back(Sizes("file size too large", 0, 32, kAllDataSize + 1, kZmFileErrorReadData));
    cases.push_back(Sizes("set size too large", kSetAt, 32, 0xFFFFFFFF, kZmFileErrorDataSize));
    cases.push_back(Sizes("set of no size", kSetAt, 0, 0, kZmFileErrorDataSize));
    cases.push_back(Sizes("set header 16, size too small", kSetAt, 16, 100, kZmFileErrorDataSize));
    cases.push_back(Sizes("program 3 header 16, size 400", kProgramAt + 3 * CQ3580ProgramData::kChunkSize, 16,
                          400, kZmFileErrorDataSize));
    cases.push_back(Sizes("global header 16, size 100", kGlobalAt, 16, 100, kZmFileErrorDataSize));
    cases.push_back(Sizes("global size too large", kGlobalAt, 32, CQ3580GlobalData::kChunkSize + 1,
                          kZmFileErrorDataSize));
    cases.push_back(Sizes("info header 16, size 100", kInfoAt, 16, 100, kZmFileErrorDataSize));
    cases.push_back(Sizes("info size too large", kInfoAt, 32, 129, kZmFileErrorDataSize));
    cases.push_back({"129 programs",
                     [](Bytes b)
                     {
                         PutU32At(b, kSetAt + 20, 129);
                         return b;
                     },
                     kZmFileErrorDataSize});
    cases.push_back({"partial chunk header at the end",
                     [](Bytes b)
                     {
                         b.insert(b.end(), {'3', '5', '8', '0', 'L', 'i', 'b', 'P', 32, 0});
                         PutU32At(b, 10, static_cast<uint32_t>(b.size()));
                         return b;
                     },
                     kZmFileErrorReadData});
    cases.push_back({"cut in a chunk, file size fixed",
                     [](Bytes b)
                     {
                         b.resize(kInfoAt + 100);
                         PutU32At(b, 10, static_cast<uint32_t>(b.size()));
                         return b;
                     },
                     kZmFileErrorDataSize});
    cases.push_back({"unknown chunk beyond the end",
                     [](Bytes b)
                     {
                         Bytes unknown(32, 0);
                         std::memcpy(unknown.data(), "Unknown!", 8);
                         PutU16At(unknown, 8, 32);
                         PutU32At(unknown, 10, 1);
                         b.insert(b.end(), unknown.begin(), unknown.end());
                         PutU32At(b, 10, static_cast<uint32_t>(b.size()));
                         return b;
                     },
                     kZmFileErrorDataSize});

    for (const Damage& d : cases)
    {
        CLibraryData target;
        MakeDistinctLibrary(target);
        target.GetProgramSet()->GetProgram(1).SetProgramName("KEEPME");
        target.SetPath("kept.nvrn_all");
        target.SetModified(true);
        const Bytes before = AllDataBytes(target);
        EXPECT_EQ(ReadAllDataCode(target, d.damage(good)), d.code) << d.name;
        EXPECT_TRUE(AllDataBytes(target) == before) << d.name;
        EXPECT_EQ(target.GetPath(), std::filesystem::path("kept.nvrn_all")) << d.name;
        EXPECT_TRUE(target.IsModified()) << d.name;
    }
}

TEST(AllDataFileTest, SettingsFromAFileAreLimitedToWhatTheListShows)
{
    struct Case
    {
        uint32_t stored[4];
        uint32_t read[4];
    };
    const Case cases[] = {
        {{0, 0, 1, 7}, {0, 0, 1, 7}},
        {{2, 3, 0x10, 0x1C}, {2, 3, 0x10, 0x1C}},
        {{3, 4, 0x06, 0x0F}, {2, 3, 0x02, 0x07}},
        {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, {2, 3, 0x01, 0x07}},
        {{1, 1, 0xFFFFFFE0, 0xFFFFFFE0}, {1, 1, 0, 0}},
    };
    for (const Case& c : cases)
    {
        CLibraryData library;
        library.SetDataKind(2);
        Bytes b = AllDataBytes(library);
        for (size_t i = 0; i < 4; ++i)
            PutU32At(b, b.size() - 128 + 4 * i, c.stored[i]);
        CLibraryData read;
        ASSERT_EQ(ReadAllDataCode(read, b), -1);
        EXPECT_EQ(read.GetListMode(), c.read[0]);
        EXPECT_EQ(read.GetCategoryHold(), c.read[1]);
        EXPECT_EQ(read.GetMode1Fields(), c.read[2]);
        EXPECT_EQ(read.GetMode0Fields(), c.read[3]);
    }
}

TEST(ProgramChunkTest, RoundTripKeepsTheLibraryInformationAndBecomesTheSavedCopy)
{
    CProgram source;
    MakeDistinctProgram(source, 42);
    const Bytes chunk = ProgramChunk(source);

    CProgram read;
    read.Init();
    CHfcMemoryInputStream stream(chunk.data(), chunk.size());
    read.ReadProgramChunk(stream);
    EXPECT_EQ(ProgramChunk(read), chunk);
    EXPECT_STREQ(read.GetName(), "PRG042");
    EXPECT_STREQ(read.GetBlock().name, "PRG042");
    EXPECT_STREQ(read.GetAuthor(), "Programmer 42");
    EXPECT_STREQ(read.GetComment(), "Comment of program 42");
    EXPECT_EQ(read.GetUserWord(), 0);
    EXPECT_FALSE(read.IsChanged());
    read.SetProgramName("EDITED");
    read.RevertBlock();
    EXPECT_STREQ(read.GetName(), "PRG042");
}

TEST(ProgramChunkTest, FieldsFromTheFileAreTerminatedLimitedAndTheNameRecomputed)
{
    CProgram source;
    MakeDistinctProgram(source, 1);
    Bytes chunk = ProgramChunk(source);
    std::memset(&chunk[32 + kQ3580ProgramImageSize + 22 + 16], 'x', 24 + 64); // no terminators
    chunk[32 + kQ3580ProgramImageSize + 22 + 16 + 88] = 200;                  // priority
    std::memcpy(&chunk[32], "ab  cd  ", 8);                                   // name bytes of the image

    CProgram read;
    CHfcMemoryInputStream stream(chunk.data(), chunk.size());
    read.ReadProgramChunk(stream);
    EXPECT_EQ(std::string(read.GetAuthor()), std::string(24, 'x'));
    EXPECT_EQ(std::string(read.GetComment()), std::string(64, 'x'));
    EXPECT_EQ(read.GetUserWord(), 5);
    EXPECT_STREQ(read.GetBlock().name, "ab  cd");
}

TEST(ProgramChunkTest, HeaderSizeBelow32IsRefusedOnlyWithARecordSizeBelow496)
{
    CProgram source;
    MakeDistinctProgram(source, 7);
    struct Case
    {
        uint16_t headerSize;
        uint32_t size;
        int32_t code;
    };
    for (const Case& c :
         {Case{16, 400, kZmFileErrorDataSize}, Case{16, CQ3580ProgramData::kChunkSize - 32, -1},
          Case{32, 400, -1}, Case{0, 0, kZmFileErrorDataSize}})
    {
        Bytes chunk = ProgramChunk(source);
        PutU16At(chunk, 8, c.headerSize);
        PutU32At(chunk, 10, c.size);
        CProgram read;
        read.Init();
        EXPECT_EQ(ReadChunkCode(read, chunk), c.code) << c.headerSize << "/" << c.size;
    }
}

TEST(ProgramChunkTest, DamagedChunksAreRefusedAndLeaveTheProgramAsItWas)
{
    CProgram source;
    MakeDistinctProgram(source, 3);
    const Bytes good = ProgramChunk(source);
    std::vector<Damage> cases = TagDamage(0, kZmFileErrorInvalidId);
    const size_t cuts[] = {0,
                           7,
                           8,
                           32,
                           100,
                           32 + kQ3580ProgramImageSize,
                           32 + kQ3580ProgramImageSize + 22 + 16 + 24,
                           32 + kQ3580ProgramImageSize + 22 + 16 + 88,
                           CQ3580ProgramData::kChunkSize - 1};
    for (size_t at : cuts)
        cases.push_back(Truncated(at));
    for (const Damage& d : cases)
    {
        CProgram target;
        MakeDistinctProgram(target, 99);
        target.SetProgramName("EDITED");
        const CProgramBlock block = target.GetBlock();
        const CProgramBlock saved = target.GetSavedBlock();
        const Bytes bytes = d.damage(good);
        EXPECT_EQ(ReadChunkCode(target, bytes), d.code) << d.name;
        EXPECT_EQ(std::memcmp(&target.GetBlock(), &block, sizeof block), 0) << d.name;
        EXPECT_EQ(std::memcmp(&target.GetSavedBlock(), &saved, sizeof saved), 0) << d.name;
    }
}

TEST(GlobalChunkTest, DamagedChunksAreRefusedAndLeaveTheGlobalDataAsItWas)
{
    CGlobal source;
    source.Init();
    source.GetImage()[3] = 0x42;
    const Bytes good = GlobalChunk(source);
    std::vector<Damage> cases = TagDamage(0, kZmFileErrorInvalidId);
    for (size_t at : {0, 8, 31, 32, 131, 132, 160, 175})
        cases.push_back(Truncated(at));
    cases.push_back(Sizes("header 16, size 100", 0, 16, 100, kZmFileErrorDataSize));
    for (const Damage& d : cases)
    {
        CGlobal target;
        target.Init();
        target.GetImage()[5] = 0x77;
        const Bytes before(target.GetImage(), target.GetImage() + 100);
        const Bytes bytes = d.damage(good);
        EXPECT_EQ(ReadChunkCode(target, bytes), d.code) << d.name;
        EXPECT_EQ(Bytes(target.GetImage(), target.GetImage() + 100), before) << d.name;
    }
}

class DataFilesOnDiskTest : public ::testing::Test
{
public:
    TempFolder folder;
};

TEST_F(DataFilesOnDiskTest, ProgramGlobalAndAllDataFilesRoundTrip)
{
    CProgram program;
    MakeDistinctProgram(program, 5);
    const auto programPath = folder.File("one.nvrn_prog");
    SaveDataToFile(program, programPath);
    const Bytes programBytes = ReadFileBytes(programPath);
    EXPECT_EQ(programBytes, ProgramChunk(program));
    CProgram programRead;
    LoadDataFromFile(programRead, programPath);
    SaveDataToFile(programRead, programPath);
    EXPECT_TRUE(ReadFileBytes(programPath) == programBytes);

    CGlobal global;
    global.Init();
    global.GetImage()[1] = 0x44;
    const auto globalPath = folder.File("g.nvrn_glob");
    SaveDataToFile(global, globalPath);
    const Bytes globalBytes = ReadFileBytes(globalPath);
    ASSERT_EQ(globalBytes.size(), 176u);
    CGlobal globalRead;
    LoadDataFromFile(globalRead, globalPath);
    SaveDataToFile(globalRead, globalPath);
    EXPECT_TRUE(ReadFileBytes(globalPath) == globalBytes);

    CLibraryData library;
    MakeDistinctLibrary(library);
    const auto allPath = folder.File("Bänke.nvrn_all");
    library.SaveAllDataFile(allPath);
    EXPECT_EQ(library.GetPath(), allPath);
    const Bytes allBytes = ReadFileBytes(allPath);
    EXPECT_TRUE(allBytes == AllDataBytes(library));
    CLibraryData libraryRead;
    libraryRead.LoadAllDataFile(allPath);
    EXPECT_EQ(libraryRead.GetPath(), allPath);
    EXPECT_TRUE(AllDataBytes(libraryRead) == allBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

TEST_F(DataFilesOnDiskTest, SavingReplacesAnExistingFile)
{
    const auto path = folder.File("lib.nvrn_all");
    WriteFileBytes(path, Bytes(100000, 0xAB));
    CLibraryData library;
    library.SetDataKind(2);
    library.SaveAllDataFile(path);
    EXPECT_TRUE(ReadFileBytes(path) == AllDataBytes(library));
}

// A global data whose chunk write fails part of the way through.
class FailingGlobal : public CGlobal
{
public:
    void WriteChunk(CHfcOutputStream& stream) const override
    {
        const uint8_t some[40] = {};
        stream.Write(some, sizeof some);
        throw CZmFileException(kZmFileErrorWriteData);
    }
};

TEST_F(DataFilesOnDiskTest, FailedWritesLeaveTheExistingFileAndNoTemporaryFile)
{
    const Bytes old = {1, 2, 3, 4, 5};
    const auto existing = folder.File("old.nvrn_glob");
    WriteFileBytes(existing, old);
    FailingGlobal failing;
    EXPECT_EQ(CodeOf([&] { SaveDataToFile(failing, existing); }), kZmFileErrorWriteData);
    EXPECT_TRUE(ReadFileBytes(existing) == old);

    // A folder in place of the file: the replacement step fails.
    const auto folderTarget = folder.File("taken");
    std::filesystem::create_directory(folderTarget);
    WriteFileBytes(folderTarget / "inside", old);
    CGlobal global;
    global.Init();
    EXPECT_EQ(CodeOf([&] { SaveDataToFile(global, folderTarget); }), kZmFileErrorWriteData);
    EXPECT_EQ(ReadFileBytes(folderTarget / "inside"), old);

    // A folder that does not exist: nothing can be made.
    CLibraryData library;
    library.SetDataKind(1);
    EXPECT_EQ(CodeOf([&] { library.SaveAllDataFile(folder.File("missing") / "x.nvrn_all"); }),
              kZmFileErrorFileOpen);
    EXPECT_TRUE(library.GetPath().empty());

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"old.nvrn_glob", "taken"}));
}

TEST_F(DataFilesOnDiskTest, FailedLoadsLeaveTheTargetAsItWas)
{
    CLibraryData library;
    MakeDistinctLibrary(library);
    library.SetPath("kept");
    const Bytes before = AllDataBytes(library);
    EXPECT_EQ(CodeOf([&] { library.LoadAllDataFile(folder.File("absent.nvrn_all")); }), kZmFileErrorFileOpen);
    const auto bad = folder.File("bad.nvrn_all");
    WriteFileBytes(bad, Cut(before, 5000));
    EXPECT_EQ(CodeOf([&] { library.LoadAllDataFile(bad); }), kZmFileErrorReadData);
    EXPECT_TRUE(AllDataBytes(library) == before);
    EXPECT_EQ(library.GetPath(), std::filesystem::path("kept"));
}

TEST(LibraryDataTest, NewResetAndKindedLibraries)
{
    CLibraryData library;
    EXPECT_EQ(library.GetEntryCount(), 0u);
    struct Case
    {
        uint32_t kind;
        size_t entries;
        bool programs;
        bool global;
    };
    for (const Case& c : {Case{0, 0, false, false}, Case{1, 1, true, false}, Case{2, 1, false, true},
                          Case{3, 0, false, false}})
    {
        MakeDistinctLibrary(library);
        library.SetDataKind(c.kind);
        EXPECT_EQ(library.GetEntryCount(), c.entries) << c.kind;
        EXPECT_EQ(library.GetProgramSet() != nullptr, c.programs) << c.kind;
        EXPECT_EQ(library.GetGlobal() != nullptr, c.global) << c.kind;
        EXPECT_EQ(library.FindEntryByKind(c.kind) != nullptr, c.entries == 1) << c.kind;
        EXPECT_EQ(library.GetListMode(), 0u);
        EXPECT_EQ(library.GetCategoryHold(), 0u);
        EXPECT_EQ(library.GetMode1Fields(), 1u);
        EXPECT_EQ(library.GetMode0Fields(), 7u);
    }
    library.SetDataKind(1);
    EXPECT_STREQ(library.GetProgramSet()->GetProgram(127).GetName(), "INITPROG");

    MakeDistinctLibrary(library);
    library.SetPath("somewhere.nvrn_all");
    library.Reset();
    EXPECT_EQ(library.GetEntryCount(), 0u);
    EXPECT_TRUE(library.GetPath().empty());
    EXPECT_EQ(library.GetMode0Fields(), 7u);
}

TEST(LibraryDataTest, DisplayNameIsTheFileNameShortenedAbove32Characters)
{
    struct Case
    {
        std::string path;
        std::wstring name;
    };
    const Case cases[] = {
        {"", L"Untitled"},
        {"folder/Bank.nvrn_all", L"Bank.nvrn_all"},
        {"folder/" + std::string(32, 'n'), std::wstring(32, L'n')},
        {"folder/" + std::string(33, 'n'), std::wstring(29, L'n') + L"..."},
        {std::string(30, 'd') + "/" + std::string(40, 'b'), std::wstring(29, L'b') + L"..."},
    };
    for (const Case& c : cases)
    {
        CLibraryData library;
        library.SetPath(std::filesystem::u8path(c.path));
        EXPECT_EQ(library.GetDisplayName(), c.name) << c.path;
    }
}

// A name is counted and cut in characters: a character outside the Basic Multilingual Plane is
// one character, although a UTF-16 string holds it in two units.
TEST(LibraryDataTest, DisplayNameCountsAndCutsWholeCharacters)
{
    const std::string note = "\xF0\x9D\x84\x9E"; // U+1D11E, a surrogate pair in UTF-16
    const std::wstring wideNote = L"\U0001D11E";
    auto repeat = [](auto text, size_t n)
    {
        auto out = text;
        for (size_t i = 1; i < n; ++i)
            out += text;
        return out;
    };
    struct Case
    {
        std::string file;
        std::wstring name;
    };
    const Case cases[] = {
        {repeat(note, 20), repeat(wideNote, 20)}, // 20 characters: shown whole
        {repeat(note, 32), repeat(wideNote, 32)},
        {repeat(note, 33), repeat(wideNote, 29) + L"..."},
        {std::string(28, 'a') + repeat(note, 5), std::wstring(28, L'a') + wideNote + L"..."},
        {std::string(15, 'a') + repeat(note, 17), std::wstring(15, L'a') + repeat(wideNote, 17)},
    };
    for (const Case& c : cases)
    {
        CLibraryData library;
        library.SetPath(std::filesystem::u8path("folder/" + c.file));
        EXPECT_TRUE(library.GetDisplayName() == c.name) << c.file;
    }
    // Native paths are bytes: a name that is not UTF-8 still shows, with U+FFFD for each bad byte.
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>)
    {
        CLibraryData library;
        library.SetPath(std::filesystem::path("folder/a\xFF\xC3(\xF0\x9D\x84"
                                              "b"));
        EXPECT_TRUE(library.GetDisplayName() == L"a\xFFFD\xFFFD(\xFFFD\xFFFD\xFFFD"
                                                L"b");
    }
}
} // namespace

namespace
{
Bytes ImageBytes(const CGlobal* global)
{
    return global ? Bytes(global->GetImage(), global->GetImage() + global->GetImageSize()) : Bytes();
}
} // namespace

// The revert of the global page copies the kept image back: it must be the image as last
// created, loaded or saved, never one that edits reached.
TEST_F(DataFilesOnDiskTest, TheGlobalEntryKeepsItsImageAsCreatedLoadedOrSaved)
{
    CLibraryData library;
    CLibraryEntry* entry = library.AddEntry(CLibraryEntry::kKindGlobal);
    ASSERT_NE(entry, nullptr);
    CGlobal fresh;
    fresh.Init();
    EXPECT_EQ(ImageBytes(entry->GetSavedGlobal()), ImageBytes(&fresh));

    entry->GetGlobal()->GetImage()[0] = 0x21;
    EXPECT_EQ(ImageBytes(entry->GetSavedGlobal()), ImageBytes(&fresh));
    EXPECT_TRUE(entry->RestoreSavedGlobal());
    EXPECT_EQ(ImageBytes(library.GetGlobal()), ImageBytes(&fresh));

    // Saved: the copy is what the file holds.
    library.GetGlobal()->GetImage()[40] = 0x30;
    const Bytes saved = ImageBytes(library.GetGlobal());
    const auto path = folder.File("kept.nvrn_all");
    library.SaveAllDataFile(path);
    library.GetGlobal()->GetImage()[40] = 0x31;
    EXPECT_TRUE(library.FindEntryByKind(CLibraryEntry::kKindGlobal)->RestoreSavedGlobal());
    EXPECT_EQ(ImageBytes(library.GetGlobal()), saved);

    // Loaded: the copy is what the file held, whatever the library kept before.
    CLibraryData loaded;
    loaded.AddEntry(CLibraryEntry::kKindGlobal)->GetGlobal()->GetImage()[40] = 0x55;
    loaded.LoadAllDataFile(path);
    CLibraryEntry* loadedEntry = loaded.FindEntryByKind(CLibraryEntry::kKindGlobal);
    ASSERT_NE(loadedEntry, nullptr);
    EXPECT_EQ(ImageBytes(loadedEntry->GetSavedGlobal()), saved);

    // Taken by hand, as a receive does.
    loaded.GetGlobal()->GetImage()[41] = 0x10;
    const Bytes received = ImageBytes(loaded.GetGlobal());
    loadedEntry->KeepSavedGlobal();
    loaded.GetGlobal()->GetImage()[41] = 0x11;
    EXPECT_TRUE(loadedEntry->RestoreSavedGlobal());
    EXPECT_EQ(ImageBytes(loaded.GetGlobal()), received);

    CLibraryEntry programs(CLibraryEntry::kKindProgramSet);
    EXPECT_EQ(programs.GetSavedGlobal(), nullptr);
    EXPECT_FALSE(programs.RestoreSavedGlobal());
    programs.KeepSavedGlobal();
}
