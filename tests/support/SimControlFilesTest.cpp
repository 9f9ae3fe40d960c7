// The files through which a test controls the instrument of a program it starts: the behaviour
// text, the memory file in its two forms, and the log of what was heard.

#include "support/CSimControl.h"
#include "support/SimBehaviourText.h"
#include "support/SimMemoryFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace
{
struct LineCase
{
    const char* text;
    std::function<bool(const CSimBehaviour&)> holds;
};

void PutImage(FILE* file, const std::vector<uint8_t>& image)
{
    const uint32_t size = static_cast<uint32_t>(image.size());
    std::fwrite(&size, sizeof size, 1, file);
    std::fwrite(image.data(), 1, image.size(), file);
}

SimMemory NumberedMemory()
{
    SimMemory memory;
    for (uint8_t n = 0; n < 128; ++n)
        memory.programs.push_back(std::vector<uint8_t>(3, n));
    memory.global = {0xAA, 0xBB};
    memory.editBuffer = {1, 2, 3, 4};
    return memory;
}
} // namespace

TEST(SimBehaviourText, EachLineSetsItsFieldAndBadLinesAreIgnored)
{
    const LineCase cases[] = {
        {"silent=1", [](const CSimBehaviour& b) { return b.silent; }},
        {"silent=true", [](const CSimBehaviour& b) { return b.silent; }},
        {"  late = 1 \r", [](const CSimBehaviour& b) { return b.late; }},
        {"silentAtProgram=5", [](const CSimBehaviour& b) { return b.silentAtProgram == 5; }},
        {"dumpProgramOffset=-3", [](const CSimBehaviour& b) { return b.dumpProgramOffset == -3; }},
        {"copies=2", [](const CSimBehaviour& b) { return b.copies == 2; }},
        {"refusal=0x26", [](const CSimBehaviour& b) { return b.refusal == 0x26; }},
        {"refuseGlobal=1", [](const CSimBehaviour& b) { return b.refuseGlobal; }},
        {"refuseAtProgram=127", [](const CSimBehaviour& b) { return b.refuseAtProgram == 127; }},
        {"shortDumps=1", [](const CSimBehaviour& b) { return b.shortDumps; }},
        {"realTimeSeed=4000000000", [](const CSimBehaviour& b) { return b.realTimeSeed == 4000000000u; }},
        {"wireRate=1", [](const CSimBehaviour& b) { return b.wireRate; }},
        {"searchNumber=9", [](const CSimBehaviour& b) { return b.searchNumber == 9; }},
        // Ignored: the default stays.
        {"silent=2", [](const CSimBehaviour& b) { return !b.silent; }},
        {"silent", [](const CSimBehaviour& b) { return !b.silent; }},
        {"Silent=1", [](const CSimBehaviour& b) { return !b.silent; }},
        {"noSuchField=1", [](const CSimBehaviour& b) { return !b.silent && b.copies == 1; }},
        {"copies=-1", [](const CSimBehaviour& b) { return b.copies == 1; }},
        {"copies=", [](const CSimBehaviour& b) { return b.copies == 1; }},
        {"copies=3x", [](const CSimBehaviour& b) { return b.copies == 1; }},
        {"refusal=256", [](const CSimBehaviour& b) { return b.refusal == 0x24; }},
        {"silentAtProgram=3000000000", [](const CSimBehaviour& b) { return b.silentAtProgram == -1; }},
        {"realTimeSeed=99999999999", [](const CSimBehaviour& b) { return b.realTimeSeed == 0; }},
    };
    for (const LineCase& c : cases)
        EXPECT_TRUE(c.holds(ParseSimBehaviour(c.text))) << c.text;
}

TEST(SimBehaviourText, SeveralLinesTheLastOfANameWinsAndTheTextReadsBack)
{
    const CSimBehaviour b = ParseSimBehaviour("silent=1\n\ncopies=2\n# a note\ncopies=3\nlate=1");
    EXPECT_TRUE(b.silent);
    EXPECT_TRUE(b.late);
    EXPECT_EQ(b.copies, 3u);

    CSimBehaviour odd;
    odd.silentAtProgram = 7;
    odd.answerChannel = 15;
    odd.secondModelId = true;
    odd.identityLength = 16;
    odd.family = -2;
    odd.member = 300;
    odd.refusal = 0x26;
    odd.bytesPerBuffer = 17;
    odd.realTimeInDumps = true;
    odd.searchReplyLength = 14;
    odd.searchFlag = true;
    odd.realTimeSeed = 0xFFFFFFFF;
    const std::string text = FormatSimBehaviour(odd);
    EXPECT_EQ(FormatSimBehaviour(ParseSimBehaviour(text)), text);
    EXPECT_NE(text, FormatSimBehaviour(CSimBehaviour()));
    EXPECT_EQ(FormatSimBehaviour(ParseSimBehaviour("")), FormatSimBehaviour(CSimBehaviour()));
}

TEST(SimMemoryFile, TheCurrentFormReadsBackWithItsEditBuffer)
{
    TempFolder folder;
    const std::wstring path = folder.File("memory.bin").wstring();
    const SimMemory written = NumberedMemory();
    ASSERT_TRUE(WriteSimMemory(path, written));
    EXPECT_FALSE(std::filesystem::exists(path + L".new"));
    SimMemory read;
    ASSERT_TRUE(ReadSimMemory(path, read));
    EXPECT_EQ(read.programs, written.programs);
    EXPECT_EQ(read.global, written.global);
    EXPECT_EQ(read.editBuffer, written.editBuffer);
}

TEST(SimMemoryFile, AnOlderFileReadsWithoutAnEditBufferAndAShortOneNotAtAll)
{
    TempFolder folder;
    const std::wstring path = folder.File("memory.bin").wstring();
    const SimMemory memory = NumberedMemory();
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite("NvSimMem", 1, 8, file);
    for (const auto& program : memory.programs)
        PutImage(file, program);
    PutImage(file, memory.global);
    std::fclose(file);
    SimMemory read;
    ASSERT_TRUE(ReadSimMemory(path, read));
    EXPECT_EQ(read.programs, memory.programs);
    EXPECT_EQ(read.global, memory.global);
    EXPECT_TRUE(read.editBuffer.empty());

    // The current form without its edit buffer is cut short; a failed read changes nothing.
    std::filesystem::copy_file(path, path + L"2");
    file = _wfopen((path + L"2").c_str(), L"r+b");
    ASSERT_NE(file, nullptr);
    std::fwrite("NvSimMe2", 1, 8, file);
    std::fclose(file);
    SimMemory untouched = NumberedMemory();
    EXPECT_FALSE(ReadSimMemory(path + L"2", untouched));
    EXPECT_EQ(untouched.editBuffer, memory.editBuffer);
    EXPECT_FALSE(ReadSimMemory(folder.File("missing.bin").wstring(), untouched));
}

TEST(SimControl, HeardReadsWholeLinesAndClearEmptiesTheLog)
{
    TempFolder base;
    CSimControl control((base.Path() / L"control").wstring());
    EXPECT_TRUE(control.Heard().empty());
    EXPECT_TRUE(control.ClearHeard());
    {
        std::ofstream log(base.Path() / L"control" / L"heard.log", std::ios::binary);
        log << "F0 7E 7F 06 01 F7\r\nF0 7D 30 7E 1C 14 00 F7\r\nF0 7D 30"; // the last still being written
    }
    const std::vector<CSimControl::Message> heard = control.Heard();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], (CSimControl::Message{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
    EXPECT_EQ(heard[1], (CSimControl::Message{0xF0, 0x7D, 0x30, 0x7E, 0x1C, 0x14, 0x00, 0xF7}));
    EXPECT_TRUE(control.ClearHeard());
    EXPECT_TRUE(control.Heard().empty());

    // A new control of the same folder starts it empty.
    ASSERT_TRUE(control.SetBehaviour(CSimBehaviour()));
    CSimControl again(control.GetFolder());
    EXPECT_FALSE(std::filesystem::exists(base.Path() / L"control" / L"behaviour.txt"));
    EXPECT_EQ(again.GetEnvironment(), L"NV_SIM_FOLDER=" + control.GetFolder());
}
