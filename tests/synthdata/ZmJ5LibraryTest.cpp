#include "synthdata/ZmJ5Library.h"

#include "synthdata/CJ5ProgramConverter.h"

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

namespace
{
using ByteValues = std::vector<std::pair<uint32_t, uint8_t>>;

struct IntermediateCase
{
    const char* name;
    ByteValues j5;           // J5 timbre byte, value
    ByteValues intermediate; // timbre block byte, value; every other byte as for a zero J5 image
};

// J5 timbre byte k copied whole into block byte b: {b, k}.
const std::pair<uint32_t, uint32_t> kCopiedBytes[] = {
    {16, 28},   {17, 29},   {18, 30},   {19, 31},   {21, 9},    {22, 10},   {25, 34},   {26, 35},
    {27, 36},   {28, 37},   {29, 11},   {30, 12},   {33, 39},   {34, 40},   {35, 41},   {38, 44},
    {39, 45},   {40, 46},   {41, 47},   {42, 48},   {45, 50},   {46, 51},   {47, 52},   {48, 53},
    {49, 54},   {50, 55},   {51, 56},   {52, 57},   {53, 58},   {54, 59},   {55, 60},   {56, 61},
    {59, 64},   {60, 65},   {61, 66},   {62, 67},   {64, 68},   {65, 69},   {66, 70},   {67, 71},
    {68, 73},   {70, 76},   {71, 77},   {72, 78},   {73, 79},   {74, 81},   {76, 84},   {77, 85},
    {78, 86},   {79, 87},   {80, 89},   {83, 94},   {87, 99},   {91, 103},  {92, 104},  {94, 106},
    {95, 107},  {97, 109},  {98, 110},  {100, 112}, {101, 113}, {103, 115}, {104, 116}, {106, 118},
    {107, 119}, {108, 120}, {120, 132}, {131, 143}, {155, 167}, {156, 168}, {159, 171}, {162, 174},
    {170, 182}, {179, 191},
};

// Rules that take part of a byte or decide between values. Template bits: block 23 0x80,
// 58 0x01, 82 and 86 0x02, 85 0x05, 89 0x0D, 160 0x0F, 161 0x93; 37, 44, 57, 84, 88 zero.
const IntermediateCase kTimbreRules[] = {
    {"unison of 15 voices counts 3", {{8, 0x8F}}, {{20, 0x03}}},
    {"unison of 1 voice", {{8, 0x81}}, {{20, 0x02}}},
    {"assign bit 7 wins over bit 6", {{32, 0xC0}}, {{23, 0x80}}},
    {"assign bit 6", {{32, 0x40}}, {{23, 0x40}}},
    {"wave 8 becomes 7, bits 4-5 kept", {{38, 0x38}}, {{32, 0x37}}},
    {"wave 6 keeps only bits 4-5 of the J5 byte", {{38, 0xC6}}, {{32, 0x06}}},
    {"wave 7 becomes 5", {{38, 0x07}}, {{32, 0x05}}},
    {"block 37 takes bits 0, 1, 4, 5", {{43, 0xFF}}, {{37, 0x33}}},
    {"block 44 takes bits 0, 1, 4, 5", {{49, 0xFF}}, {{44, 0x33}}},
    {"Drive/WS byte: position bits and type from the next byte", {{62, 0xFF}}, {{57, 0x30}, {58, 0x02}}},
    {"Drive/WS type 1", {{62, 0x01}}, {{58, 0x01}}},
    {"Drive/WS type from the next byte plus 2", {{62, 0x02}, {63, 0xFD}}, {{58, 0x0F}}},
    {"LFO 1 wave 3 with next byte 0 becomes 4", {{92, 0x03}}, {{82, 0x04}}},
    {"LFO 1 wave 3 with next byte 1 becomes 4", {{92, 0x03}, {93, 1}}, {{82, 0x04}}},
    {"LFO 1 wave 3 with next byte 126 stays", {{92, 0x03}, {93, 126}}, {{82, 0x03}}},
    {"block 84 takes bits 5-7 only", {{95, 0xFF}}, {{84, 0xE0}}},
    {"block 85 takes bits 0-4 only", {{96, 0xFF}}, {{85, 0x1F}}},
    {"LFO 2 wave 3 with next byte 0 becomes 4", {{97, 0x03}}, {{86, 0x04}}},
    {"LFO 2 wave 3 with next byte 1 becomes 4", {{97, 0x03}, {98, 1}}, {{86, 0x04}}},
    {"LFO 2 wave 3 with next byte 127 becomes 4", {{97, 0x03}, {98, 127}}, {{86, 0x04}}},
    {"LFO 2 wave 3 with next byte 2 stays", {{97, 0x03}, {98, 2}}, {{86, 0x03}}},
    {"LFO 2 wave takes the low nibble", {{97, 0xF5}}, {{86, 0x05}}},
    {"LFO 2 wave's high nibble does not hide a 3", {{97, 0x13}}, {{86, 0x04}}},
    {"block 88 takes bits 5-7 only", {{100, 0xFF}}, {{88, 0xE0}}},
    {"block 89 takes bits 0-4 only", {{101, 0xFF}}, {{89, 0x1F}}},
    {"patch source 9 becomes 0", {{102, 9}}, {{90, 0}}},
    {"patch source 10 becomes 9", {{105, 10}}, {{93, 9}}},
    {"patch source 12 becomes 11", {{108, 12}}, {{96, 11}}},
    {"patch source 8 stays", {{111, 8}}, {{99, 8}}},
    {"patch source 13 becomes 0", {{114, 13}}, {{102, 0}}},
    {"patch source 11 becomes 10", {{117, 11}}, {{105, 10}}},
    {"byte 160 without bit 7 next: bits 4-5 cleared, bit 6 set", {{172, 0xFF}}, {{160, 0xCF}}},
    {"byte 160 with bit 7 next: bit 6 cleared", {{172, 0xFF}, {173, 0x80}}, {{160, 0xBF}}},
    {"byte 160 with bit 7 next keeps bits 4-5", {{172, 0x30}, {173, 0xC0}}, {{160, 0x30}}},
    {"block 161 takes bits 0-5 only", {{173, 0x3F}}, {{161, 0xBF}}},
};

void ExpectIntermediate(const IntermediateCase& c, uint32_t t)
{
    Bytes j5(CJ5ProgramConverter::kJ5ImageSize, 0);
    Bytes base(CJ5ProgramConverter::kIntermediateSize, 0);
    CJ5ProgramConverter converter;
    converter.ToIntermediate(j5.data(), base.data());
    for (const auto& [k, value] : c.j5)
        j5[kJ5TimbreBase[t] + k] = value;
    Bytes expected = base;
    for (const auto& [b, value] : c.intermediate)
        expected[kJ5IntermediateBlock[t] + b] = value;
    Bytes intermediate(CJ5ProgramConverter::kIntermediateSize, 0);
    converter.ToIntermediate(j5.data(), intermediate.data());
    for (uint32_t at = 0; at < intermediate.size(); ++at)
        EXPECT_EQ(intermediate[at], expected[at])
            << c.name << ", timbre " << t << ", intermediate byte " << at;
}
} // namespace

TEST(J5ImportTest, TimbreBytesAreCopiedWholeToTheirBlockBytes)
{
    for (const auto& [b, k] : kCopiedBytes)
        for (uint32_t t = 0; t < 2; ++t)
        {
            const std::string name = "block byte " + std::to_string(b);
            ExpectIntermediate({name.c_str(), {{k, 0xA5}}, {{b, 0xA5}}}, t);
        }
}

TEST(J5ImportTest, TimbreRulesTakeTheirBitsAndValues)
{
    for (const IntermediateCase& c : kTimbreRules)
        for (uint32_t t = 0; t < 2; ++t)
            ExpectIntermediate(c, t);
}

TEST(J5ImportTest, UnmappedTimbreBytesAndTemplateBytesAreLeftAlone)
{
    // The J5 timbre bytes no rule reads change nothing; block bytes 24, 31, 36, 43, 63, 69,
    // 75 and 81 keep the template whatever the timbre holds.
    IntermediateCase unmapped{"unmapped J5 bytes", {}, {}};
    for (uint32_t k :
         {0u, 1u, 7u, 13u, 20u, 27u, 33u, 42u, 72u, 74u, 75u, 80u, 82u, 83u, 88u, 90u, 91u, 192u, 227u})
        unmapped.j5.push_back({k, 0xFF});
    for (uint32_t t = 0; t < 2; ++t)
        ExpectIntermediate(unmapped, t);

    Bytes j5(CJ5ProgramConverter::kJ5ImageSize, 0xFF);
    Bytes intermediate(CJ5ProgramConverter::kIntermediateSize, 0);
    CJ5ProgramConverter().ToIntermediate(j5.data(), intermediate.data());
    const std::pair<uint32_t, uint8_t> kept[] = {{24, 0xFF}, {31, 0xFF}, {36, 0x00}, {43, 0xFF},
                                                 {63, 0xFF}, {69, 0xFF}, {75, 0xFF}, {81, 0xFF}};
    for (uint32_t t = 0; t < 2; ++t)
        for (const auto& [b, value] : kept)
            EXPECT_EQ(intermediate[kJ5IntermediateBlock[t] + b], value)
                << "timbre " << t << ", block byte " << b;
}

TEST(J5ImportTest, VocoderEffectAndArpeggiatorBytesOfTheIntermediateProgram)
{
    struct Case
    {
        const char* name;
        ByteValues j5;           // J5 image byte, value
        ByteValues intermediate; // intermediate byte, value
    };
    const Case cases[] = {
        {"vocoder bytes 385-389 in their own order",
         {{1005, 0x11}, {1001, 0x22}, {1002, 0x33}, {1003, 0x44}, {1004, 0x55}},
         {{385, 0x11}, {386, 0x22}, {387, 0x33}, {388, 0x44}, {389, 0x55}}},
        {"byte 389 alone", {{1004, 0xA5}}, {{389, 0xA5}}},
        {"vocoder byte 384 translated by nibble", {{1000, 0x9C}}, {{384, 0x1B}}},
        {"effect byte from the table, entry 6", {{1038, 0x06}}, {{422, 0x06}, {423, 9}}},
        {"effect table index keeps 7 bits", {{1038, 0xA2}}, {{422, 0xA2}, {423, 8}}},
        {"effect table entry 95", {{1038, 95}}, {{422, 95}, {423, 47}}},
        {"effect table entry 100 is 64", {{1038, 100}}, {{422, 100}, {423, 64}}},
        {"effect table entry 122", {{1038, 122}}, {{422, 122}, {423, 9}}},
        {"effect byte copied when its low five bits are set",
         {{1038, 6}, {1039, 0x21}},
         {{422, 6}, {423, 0x21}}},
        {"effect byte's upper bits alone still use the table",
         {{1038, 6}, {1039, 0x60}},
         {{422, 6}, {423, 9}}},
        {"gate time above 100 is 100", {{1070, 0xE5}}, {{450, 100}, {452, 0x01}}},
        {"gate time 99", {{1070, 0x63}}, {{450, 99}}},
        {"swing -1 halves toward zero", {{1067, 0xFF}}, {{451, 64}}},
        {"swing -127", {{1067, 0x81}}, {{451, 1}}},
        {"swing 127", {{1067, 0x7F}}, {{451, 127}}},
        {"step bit 7 from the eighth byte", {{1077, 0x80}}, {{452, 0x80}}},
        {"step bits need a value above 127", {{1071, 0x7F}, {1073, 0x81}}, {{452, 0x08}}},
    };
    Bytes zero(CJ5ProgramConverter::kJ5ImageSize, 0);
    Bytes base(CJ5ProgramConverter::kIntermediateSize, 0);
    CJ5ProgramConverter().ToIntermediate(zero.data(), base.data());
    for (const Case& c : cases)
    {
        Bytes j5 = zero;
        for (const auto& [at, value] : c.j5)
            j5[at] = value;
        Bytes expected = base;
        for (const auto& [at, value] : c.intermediate)
            expected[at] = value;
        Bytes intermediate(CJ5ProgramConverter::kIntermediateSize, 0);
        CJ5ProgramConverter().ToIntermediate(j5.data(), intermediate.data());
        for (uint32_t at = 0; at < intermediate.size(); ++at)
            EXPECT_EQ(intermediate[at], expected[at]) << c.name << ", intermediate byte " << at;
    }
}

TEST(J5ImportTest, PcmWavesAroundEntry48AndTheImageOfLateVocoderAndLfoBytes)
{
    const ConversionCase cases[] = {
        {"PCM 48 has an exact counterpart", {{kT1 + 38, 0x06}, {kT1 + 41, 48}}, {{35, 57}}, "ABCDEFGH"},
        {"PCM 47", {{kT1 + 38, 0x06}, {kT1 + 41, 47}}, {{35, 59}}, "ABCDEFGH"},
        {"PCM 49", {{kT1 + 38, 0x06}, {kT1 + 41, 49}}, {{35, 58}}, "ABCDEFGH"},
        {"PCM 57 is marked", {{kT1 + 38, 0x06}, {kT1 + 41, 57}}, {{35, 60}}, "***P****"},
        {"PCM 63", {{kT2 + 38, 0x06}, {kT2 + 41, 63}}, {{131, 63}}, "ABCDEFGH"},
        {"vocoder byte 389 reaches image byte 253", {{1004, 0x5A}}, {{253, 0x5A}}, "ABCDEFGH"},
        {"LFO 2 wave 3 with next byte 0 becomes 4", {{kT1 + 97, 0x03}}, {{86, 0x04}}, "ABCDEFGH"},
        {"LFO 2 wave of timbre 2", {{kT2 + 97, 0x03}, {kT2 + 98, 2}}, {{182, 0x03}}, "ABCDEFGH"},
    };
    for (const ConversionCase& c : cases)
    {
        J5Record record("abcdefgh");
        for (const auto& [at, value] : c.j5)
            record.image[at] = value;
        CLibraryData library;
        ASSERT_EQ(ReadCode(library, J5FileBuilder().ProgramSet({record}).Build()), -1) << c.name;
        const CProgram& program = library.GetProgramSet()->GetProgram(0);
        for (const auto& [at, value] : c.image)
            EXPECT_EQ(program.GetImage()[at], value) << c.name << ", image byte " << at;
        EXPECT_STREQ(program.GetName(), c.programName) << c.name;
    }
}
