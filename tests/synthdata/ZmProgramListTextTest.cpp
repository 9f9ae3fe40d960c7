#include "synthdata/ZmProgramListText.h"

#include "synthdata/CLibraryData.h"

#include "support/DataFixtures.h"
#include "support/FakeStringTable.h"

#include "foundation/CZmException.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
std::vector<std::string> Lines(const Bytes& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ProgramListTextTest : public ::testing::Test
{
public:
    ProgramListTextTest() { library.SetDataKind(1); }

    std::vector<std::string> Report()
    {
        return Lines(WrittenBytes([&](CHfcOutputStream& s) { WriteProgramListText(s, library); }));
    }

    FakeStringTable strings{{{"Category", {"Synth", "Lead", "Bass"}},
                             {"VoiceMode", {"Single", "Layer", "Split", "Multi"}},
                             {"OnOff", {"Off", "On"}},
                             {"ArpTimbreSel", {"Timbre 1", "Timbre 2", "Timbre 1+2"}}}};
    CLibraryData library;
};

TEST_F(ProgramListTextTest, OneLineOfColumnsPerProgram)
{
    CProgram& p17 = library.GetProgramSet()->GetProgram(17);
    p17.SetProgramName("strings");
    p17.SetAuthor("Ann");
    p17.SetComment("warm pad");
    p17.SetUserWord(2);
    p17.GetImage()[15] = 0x82;                             // Octave 0, Category 2
    p17.GetImage()[8] = static_cast<uint8_t>(0x40 | 0x20); // Voice Mode 1, Arpeggiator Timbre Assign 2
    p17.GetImage()[336] |= 0x80;                           // Arpeggiator SW on

    const std::vector<std::string> lines = Report();
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(
        lines[0],
        "No.\tProgram Name\tCategory\tProgrammer Name\tPriority\tComment\tVoice Mode\tArp SW\tArp Assign");
    EXPECT_EQ(lines[1], "A01\tINITPROG\tSynth\t\tOff\t\tSingle\tOff\tTimbre 1");
    EXPECT_EQ(lines[18], "B02\tSTRINGS\tBass\tAnn\tB\twarm pad\tLayer\tOn\tTimbre 1+2");
    EXPECT_EQ(lines[16].substr(0, 4), "A16\t");
    EXPECT_EQ(lines[128].substr(0, 4), "H16\t");
}

TEST_F(ProgramListTextTest, TabsAndLineBreaksInTextsBecomeBlanksAndPriorityIsLimited)
{
    CProgram& p = library.GetProgramSet()->GetProgram(0);
    p.SetProgramName("a\tb");
    p.SetAuthor("first\tsecond");
    p.SetComment("line 1\r\nline 2\n");
    p.SetUserWord(9);
    const std::vector<std::string> lines = Report();
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[1], "A01\tA B\tSynth\tfirst second\tE\tline 1  line 2 \tSingle\tOff\tTimbre 1");
    p.SetUserWord(-3);
    EXPECT_NE(Report()[1].find("\tfirst second\tOff\tline"), std::string::npos);
}

TEST_F(ProgramListTextTest, LibraryWithoutProgramsGivesTheHeaderOnly)
{
    library.SetDataKind(2);
    EXPECT_EQ(Report().size(), 1u);
}
} // namespace
