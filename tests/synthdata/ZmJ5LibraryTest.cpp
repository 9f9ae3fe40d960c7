#include "synthdata/ZmJ5Library.h"

#include "synthdata/CLibraryData.h"

#include "support/J5Fixtures.h"
#include "support/TempFolder.h"

#include "foundation/CZmException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace
{
const uint32_t kT1 = 48;  // J5 timbre 1
const uint32_t kT2 = 276; // J5 timbre 2

int32_t ReadCode(CLibraryData& library, const Bytes& file)
{
    try
    {
        CHfcMemoryInputStream stream(file.data(), file.size());
        ReadJ5Library(stream, library);
    }
    catch (const CZmFileException& e)
    {
        return e.GetCode();
    }
    return -1;
}

struct ConversionCase
{
    const char* name;
    std::vector<std::pair<uint32_t, uint8_t>> j5;    // J5 image byte, value
    std::vector<std::pair<uint32_t, uint8_t>> image; // image byte, value after the import
    const char* programName;
};

// Each case on a J5 program named "abcdefgh" whose other bytes are 0.
const ConversionCase kConversions[] = {
    {"common",
     {{17, 0x40}, {12, 1}, {13, 2}, {14, 3}, {15, 4}, {280, 5}, {20, 60}, {16, 0x0C}, {21, 0x35}},
     {{8, 0x40}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {13, 5}, {14, 60}, {15, 0x3C}},
     "ABCDEFGH"},
    {"knob assigns",
     {{kT1 + 28, 41}, {kT1 + 29, 47}, {kT1 + 30, 20}},
     {{16, 38}, {17, 0}, {18, 20}},
     "ABCDEFGH"},
    {"knob assign above 48", {{kT1 + 28, 200}}, {{16, 0}}, "ABCDEFGH"},
    {"unison and voice assign",
     {{kT1 + 8, 0x85}, {kT1 + 9, 7}, {kT1 + 32, 0x40}},
     {{20, 0x03}, {21, 7}, {23, 0x40}},
     "ABCDEFGH"},
    {"unison off", {{kT1 + 8, 0x05}}, {{20, 0x00}}, "ABCDEFGH"},
    {"wave 7 becomes 5", {{kT1 + 38, 0x17}}, {{32, 0x15}}, "ABCDEFGH"},
    {"wave 11 becomes 7", {{kT1 + 38, 0x0B}}, {{32, 0x07}}, "ABCDEFGH"},
    {"PCM 31", {{kT1 + 38, 0x06}, {kT1 + 41, 31}}, {{32, 0x06}, {35, 2}}, "***P****"},
    {"PCM 0", {{kT1 + 38, 0x06}, {kT1 + 41, 0}}, {{35, 28}}, "ABCDEFGH"},
    {"PCM above 63", {{kT1 + 38, 0x06}, {kT1 + 41, 70}}, {{35, 0}}, "***P****"},
    {"PCM number without PCM wave", {{kT1 + 38, 0x02}, {kT1 + 41, 31}}, {{35, 31}}, "ABCDEFGH"},
    {"filter routing this model lacks", {{kT1 + 49, 0x33}}, {{44, 0x03}}, "F*******"},
    {"filter routing", {{kT1 + 49, 0x12}}, {{44, 0x12}}, "ABCDEFGH"},
    {"Drive/WS 11", {{kT1 + 62, 0x02}, {kT1 + 63, 9}}, {{58, 0x0B}}, "*W******"},
    {"Drive/WS 12 becomes 11", {{kT1 + 62, 0x03}, {kT1 + 63, 10}}, {{58, 0x0B}}, "ABCDEFGH"},
    {"Drive/WS beyond the range", {{kT1 + 62, 0x02}, {kT1 + 63, 15}}, {{58, 0x00}}, "*W******"},
    {"Drive/WS position and low types", {{kT1 + 62, 0x31}}, {{57, 0x30}, {58, 0x01}}, "ABCDEFGH"},
    {"LFO wave 3 becomes 4", {{kT1 + 92, 3}, {kT1 + 93, 127}}, {{82, 4}}, "ABCDEFGH"},
    {"LFO wave 3", {{kT1 + 92, 3}, {kT1 + 93, 5}}, {{82, 0x03}}, "ABCDEFGH"},
    {"patch sources",
     {{kT1 + 102, 9}, {kT1 + 103, 77}, {kT1 + 105, 12}, {kT1 + 108, 20}},
     {{90, 0}, {91, 77}, {93, 11}, {96, 0}},
     "ABCDEFGH"},
    {"EQ",
     {{kT1 + 168, 1}, {kT1 + 169, 2}, {kT1 + 170, 3}, {kT1 + 171, 4}},
     {{108, 1}, {109, 2}, {110, 3}, {111, 4}},
     "ABCDEFGH"},
    {"timbre 2",
     {{kT2 + 30, 20}, {kT2 + 38, 0x06}, {kT2 + 41, 33}},
     {{114, 20}, {128, 0x06}, {131, 11}},
     "***P****"},
    {"vocoder settings this model lacks", {{960, 0xC2}}, {{208, 0x81}}, "**V*****"},
    {"vocoder",
     {{960, 0x51}, {961, 9}, {1000, 0x9B}, {1005, 7}, {1001, 8}, {1036, 0x34}, {1037, 0x12}},
     {{208, 0x01}, {209, 9}, {248, 0x1A}, {249, 0}, {250, 8}, {284, 0x34}, {285, 0x12}},
     "ABCDEFGH"},
    {"BPM", {{1060, 0x78}, {1061, 0x05}}, {{334, 140}, {335, 0}}, "ABCDEFGH"},
    {"BPM below 20", {{1060, 0x32}}, {{334, 20}, {335, 0}}, "ABCDEFGH"},
    {"BPM above 300", {{1060, 0xA0}, {1061, 0x0F}}, {{334, 0x2C}, {335, 0x01}}, "ABCDEFGH"},
    {"arpeggiator",
     {{1064, 0x11}, {1065, 0x22}, {1067, 0xF5}, {1070, 0xFF}, {1072, 0x80}},
     {{336, 0x00}, {337, 0xFF}, {338, 0x11}, {339, 0x22}, {340, 100}, {341, 59}, {342, 0x05}, {343, 0xFF}},
     "ABCDEFGH"},
    {"arpeggiator swing", {{1067, 9}, {1070, 0x21}}, {{340, 0x21}, {341, 68}, {342, 0}}, "ABCDEFGH"},
    {"master effects off",
     {},
     {{286, 0}, {287, 0xFF}, {288, 0}, {289, 0}, {310, 0}, {312, 0}, {313, 0}},
     "ABCDEFGH"},
    {"every mark",
     {{kT1 + 38, 0x06}, {kT1 + 41, 31}, {kT1 + 49, 0x30}, {kT2 + 62, 0x02}, {kT2 + 63, 9}, {960, 0xC0}},
     {{0, 'F'}, {1, 'W'}, {2, 'V'}, {3, 'P'}, {4, '*'}, {7, '*'}},
     "FWVP****"},
};

TEST(J5ImportTest, ProgramsAreConvertedByTheRules)
{
    for (const ConversionCase& c : kConversions)
    {
        J5Record record("abcdefgh");
        for (const auto& [at, value] : c.j5)
            record.image[at] = value;
        record.author = "Someone";
        CLibraryData library;
        ASSERT_EQ(ReadCode(library, J5FileBuilder().ProgramSet({record}).Build()), -1) << c.name;
        const CProgram& program = library.GetProgramSet()->GetProgram(0);
        for (const auto& [at, value] : c.image)
            EXPECT_EQ(program.GetImage()[at], value) << c.name << ", image byte " << at;
        EXPECT_STREQ(program.GetName(), c.programName) << c.name;
        EXPECT_STREQ(program.GetBlock().name, c.programName) << c.name;
        EXPECT_FALSE(program.IsChanged()) << c.name;
    }
}

TEST(J5ImportTest, FullSetWithTextsFromTheFile)
{
    TempFolder folder;
    const auto path = folder.File("set.j5l");
    WriteFileBytes(path, MakeJ5Library(128));
    CLibraryData library;
    MakeDistinctLibrary(library);
    library.SetPath("old.nvrn_all");
    ReadJ5LibraryFile(path, library);
    ASSERT_NE(library.GetProgramSet(), nullptr);
    ASSERT_NE(library.GetGlobal(), nullptr);
    EXPECT_EQ(library.GetEntryCount(), 2u);
    EXPECT_TRUE(library.GetPath().empty());
    EXPECT_EQ(library.GetMode0Fields(), 7u);
    for (uint32_t k : {0u, 77u, 127u})
    {
        const CProgram& program = library.GetProgramSet()->GetProgram(k);
        char name[16];
        std::snprintf(name, sizeof name, "J5 %03u", k);
        EXPECT_STREQ(program.GetName(), name);
        EXPECT_EQ(std::string(program.GetAuthor()), "Author " + std::to_string(k));
        EXPECT_EQ(std::string(program.GetComment()), "Comment " + std::to_string(k));
        EXPECT_EQ(program.GetImage()[32], k % 6);
    }
    EXPECT_EQ(
        std::vector<uint8_t>(library.GetGlobal()->GetImage(), library.GetGlobal()->GetImage() + 100),
        std::vector<uint8_t>(CQ3580GlobalData::GetDefaultImage(), CQ3580GlobalData::GetDefaultImage() + 100));
}

TEST(J5ImportTest, ShortSetsUnknownEntriesAndRecordSizes)
{
    J5Record a("first");
    a.author = std::string(30, 'a'); // longer than the field: cut at 24
    a.comment = std::string(64, 'c');
    J5Record b("second");
    b.dataSize = 0x800; // accepted: the header size is right
    J5Record c("third");
    c.headerSize = 16; // accepted: the data size is right
    J5Record d("fourth");
    const Bytes file = J5FileBuilder()
                           .Other("XXXX", 16, 100)
                           .ProgramSet({a, b, c})
                           .Other("740p", 32, 0x900)
                           .ProgramSet({d})
                           .Build();
    CLibraryData library;
    ASSERT_EQ(ReadCode(library, file), -1);
    const CProgramSet& set = *library.GetProgramSet();
    EXPECT_STREQ(set.GetProgram(0).GetName(), "FOURTH"); // the later entry's program 0
    EXPECT_STREQ(set.GetProgram(1).GetName(), "SECOND");
    EXPECT_STREQ(set.GetProgram(2).GetName(), "THIRD");
    EXPECT_STREQ(set.GetProgram(3).GetName(), "INITPROG");
    EXPECT_STREQ(set.GetProgram(127).GetName(), "INITPROG");

    CLibraryData first;
    ASSERT_EQ(ReadCode(first, J5FileBuilder().ProgramSet({a}).Build()), -1);
    EXPECT_EQ(std::string(first.GetProgramSet()->GetProgram(0).GetAuthor()), std::string(24, 'a'));
    EXPECT_EQ(std::string(first.GetProgramSet()->GetProgram(0).GetComment()), std::string(64, 'c'));

    CLibraryData empty;
    ASSERT_EQ(ReadCode(empty, J5FileBuilder().Build()), -1);
    EXPECT_STREQ(empty.GetProgramSet()->GetProgram(0).GetName(), "INITPROG");
}

struct Damage
{
    std::string name;
    Bytes file;
    int32_t code;
};

TEST(J5ImportTest, DamagedFilesAreRefusedAndLeaveTheLibraryAsItWas)
{
    const Bytes good = MakeJ5Library(3);
    const size_t set = 64;
    const size_t record0 = set + 128;
    const size_t record1 = record0 + 32 + 0x900;
    auto with = [&](std::function<void(Bytes&)> change)
    {
        Bytes b = good;
        change(b);
        return b;
    };
    std::vector<Damage> cases;
    for (size_t i = 0; i < 4; ++i)
    {
        cases.push_back(
            {"library tag " + std::to_string(i), with([i](Bytes& b) { b[i] ^= 1; }), kZmFileErrorInvalidId});
        cases.push_back({"record tag " + std::to_string(i), with([&](Bytes& b) { b[record1 + i] ^= 1; }),
                         kZmFileErrorInvalidId});
    }
    for (size_t at : {size_t{0}, size_t{3}, size_t{4}, size_t{49}, size_t{63}, set, set + 11, set + 12,
                      set + 51, record0, record0 + 21, record0 + 1000, record0 + 2005, record1})
        cases.push_back({"cut at " + std::to_string(at),
                         Bytes(good.begin(), good.begin() + static_cast<long>(at)), kZmFileErrorReadData});
    cases.push_back(
        {"cut after the last record's texts", Bytes(good.begin(), good.end() - 100), kZmFileErrorDataSize});
    cases.push_back(
        {"library header size 63", with([](Bytes& b) { PutU32At(b, 4, 63); }), kZmFileErrorDataSize});
    cases.push_back(
        {"set header size 127", with([&](Bytes& b) { PutU32At(b, set + 4, 127); }), kZmFileErrorDataSize});
    cases.push_back(
        {"129 programs", with([&](Bytes& b) { PutU32At(b, set + 44, 129); }), kZmFileErrorDataSize});
    cases.push_back({"more programs than records", with([&](Bytes& b) { PutU32At(b, set + 44, 4); }),
                     kZmFileErrorReadData});
    cases.push_back({"record sizes both wrong",
                     with(
                         [&](Bytes& b)
                         {
                             PutU32At(b, record1 + 4, 16);
                             PutU32At(b, record1 + 8, 0x800);
                         }),
                     kZmFileErrorDataSize});
    cases.push_back({"set header cut", Bytes(good.begin(), good.begin() + set + 100), kZmFileErrorReadData});
    cases.push_back({"record beyond the file", with([&](Bytes& b) { PutU32At(b, record1 + 8, 0xFFFFFFF0); }),
                     kZmFileErrorDataSize});
    cases.push_back({"more entries than the file holds", J5FileBuilder().ProgramSet({J5Record("x")}).Build(2),
                     kZmFileErrorReadData});
    cases.push_back(
        {"unknown entry of no size", J5FileBuilder().Other("XXXX", 0, 0).Build(), kZmFileErrorDataSize});
    cases.push_back({"unknown entry beyond the file",
                     J5FileBuilder().Other("XXXX", 16, 0xFFFFFFFF, 100).Build(), kZmFileErrorDataSize});

    for (const Damage& d : cases)
    {
        CLibraryData library;
        MakeDistinctLibrary(library);
        library.SetPath("kept.nvrn_all");
        const Bytes before = AllDataBytes(library);
        EXPECT_EQ(ReadCode(library, d.file), d.code) << d.name;
        EXPECT_TRUE(AllDataBytes(library) == before) << d.name;
        EXPECT_EQ(library.GetPath(), std::filesystem::path("kept.nvrn_all")) << d.name;
    }
}
} // namespace
