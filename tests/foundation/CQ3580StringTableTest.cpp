#include "foundation/CHfcFile.h"
#include "foundation/CQ3580StringTable.h"

#include "CQ3580StringTableTest_rows.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> List(const CEfStringTable& table, const char* keyword)
{
    std::vector<std::string> entries;
    for (uint32_t i = 0; i < table.GetCount(keyword); ++i)
        entries.push_back(table.GetString(keyword, i));
    return entries;
}

using Lists = std::vector<std::string>;

} // namespace

TEST(CEfStringTable, ParsesListsCommentsAndLineEnds)
{
    const std::string text = "; value names\r\n"
                             "*OnOff\r\nOff\r\nOn\r\n\r\n"
                             "*Empty\r\n\r\n"
                             "*Unix\nfirst\n; a comment inside a list\nsecond\n\n"
                             "*Open\r\nx\r\n"
                             "*Next\r\ny\r\nlast line without an end";
    CEfStringTable table;
    EXPECT_TRUE(table.Parse(text.data(), text.size()));
    EXPECT_EQ(table.GetKeywordCount(), 5u);
    EXPECT_STREQ(table.GetString("OnOff", 1), "On");
    EXPECT_EQ(table.GetString("OnOff", 2), nullptr);
    EXPECT_EQ(table.GetCount("OnOff"), 2u);
    EXPECT_EQ(table.GetCount("Empty"), 0u);
    EXPECT_EQ(table.GetString("Empty", 0), nullptr);
    EXPECT_EQ(List(table, "Unix"), (Lists{"first", "second"}));
    EXPECT_EQ(List(table, "Open"), (Lists{"x"}));
    EXPECT_EQ(List(table, "Next"), (Lists{"y", "last line without an end"}));
    EXPECT_EQ(table.GetString("Missing", 0), nullptr);
    EXPECT_EQ(table.GetCount("Missing"), 0u);
    EXPECT_EQ(table.GetString(nullptr, 0), nullptr);
    EXPECT_EQ(table.GetCount(nullptr), 0u);
}

TEST(CEfStringTable, RefusedLinesLeaveTheRestLoaded)
{
    const struct
    {
        const char* name;
        std::string text;
        Lists kept;
    } cases[] = {
        {"entry before any keyword", "stray\r\n*A\r\n1\r\n\r\n", {"1"}},
        {"entry after a closed list", "*A\r\n1\r\n\r\nstray\r\n", {"1"}},
        {"empty keyword", "*\r\nlost\r\n*A\r\n1\r\n", {"1"}},
    };
    for (const auto& c : cases)
    {
        CEfStringTable table;
        EXPECT_FALSE(table.Parse(c.text.data(), c.text.size())) << c.name;
        EXPECT_EQ(List(table, "A"), c.kept) << c.name;
        EXPECT_EQ(table.GetKeywordCount(), 1u) << c.name;
    }
}

TEST(CEfStringTable, TextEndsAtItsLengthOrANul)
{
    const char text[] = "*A\r\n1\r\n2\0hidden\r\n*B\r\n3\r\n";
    CEfStringTable table;
    EXPECT_TRUE(table.Parse(text, sizeof text - 1));
    EXPECT_EQ(List(table, "A"), (Lists{"1", "2"}));
    EXPECT_EQ(table.GetCount("B"), 0u);

    CEfStringTable cut;
    EXPECT_TRUE(cut.Parse(text, 7)); // "*A\r\n1\r\n"
    EXPECT_EQ(List(cut, "A"), (Lists{"1"}));
    EXPECT_FALSE(cut.Parse(nullptr, 10));
}

TEST(CEfStringTable, ARepeatedKeywordStartsItsListAgain)
{
    const std::string text = "*A\r\nold\r\n\r\n*A\r\nnew\r\n\r\n";
    CEfStringTable table;
    EXPECT_TRUE(table.Parse(text.data(), text.size()));
    EXPECT_EQ(List(table, "A"), (Lists{"new"}));
    EXPECT_EQ(table.GetKeywordCount(), 1u);
}

TEST(CEfStringTable, BothLanguagesHoldTheText)
{
    const std::string text = "*OnOff\r\nOff\r\nOn\r\n";
    CEfStringTable table;
    ASSERT_TRUE(table.Parse(text.data(), text.size()));
    for (int32_t language : {1, 0, -1})
    {
        EXPECT_TRUE(table.SelectLanguage(language)) << language;
        EXPECT_STREQ(table.GetString("OnOff", 1), "On") << language;
        EXPECT_EQ(table.GetKeywordCount(), 1u) << language;
    }
    EXPECT_FALSE(table.SelectLanguage(2));
    EXPECT_FALSE(table.SelectLanguage(-2));
    EXPECT_STREQ(table.GetString("OnOff", 0), "Off");
    EXPECT_FALSE(table.Create());
}

TEST(CEfStringTable, LoadsAFile)
{
    TempFolder folder;
    const auto path = folder.File("table.txt");
    CHfcFile file;
    ASSERT_TRUE(file.Open(path, CHfcFile::kModeWrite | CHfcFile::kModeBinary));
    const std::string text = "*VoiceMode\r\nSingle\r\nLayer\r\nSplit\r\nMulti\r\n\r\n";
    ASSERT_EQ(file.Write(text.data(), text.size()), text.size());
    ASSERT_TRUE(file.Close());

    CEfStringTable table;
    EXPECT_TRUE(table.LoadFromFile(path));
    EXPECT_STREQ(table.GetString("VoiceMode", 3), "Multi");
    EXPECT_FALSE(table.LoadFromFile(folder.File("missing.txt")));
}

TEST(CQ3580StringTable, HoldsEveryKeywordOfTheModel)
{
    CQ3580StringTable table;
    EXPECT_EQ(table.GetKeywordCount(), 93u);
    ASSERT_EQ(std::size(kExpectedKeywords), 93u);
    uint32_t entries = 0;
    for (const ExpectedKeyword& k : kExpectedKeywords)
    {
        SCOPED_TRACE(k.keyword);
        const Lists list = List(table, k.keyword);
        ASSERT_EQ(list.size(), k.count);
        entries += static_cast<uint32_t>(list.size());
        EXPECT_EQ(Lists(list.begin(), list.begin() + k.first.size()), Lists(k.first.begin(), k.first.end()));
        EXPECT_EQ(Lists(list.end() - k.last.size(), list.end()), Lists(k.last.begin(), k.last.end()));
        for (const std::string& entry : list)
            EXPECT_FALSE(entry.empty());
    }
    EXPECT_EQ(entries, 3214u);
}

TEST(CQ3580StringTable, ListsFollowTheirValues)
{
    CQ3580StringTable table;
    const struct
    {
        const char* keyword;
        uint32_t index;
        const char* text;
    } cases[] = {
        {"Note", 60, "C4"},
        {"Note", 0, "C-1"},
        {"Note", 128, "Off"},
        {"MidiCh", 15, "16"},
        {"PitchVibratoInt", 63, "0cent"},
        {"FltKeyTrack", 63, "0.00"},
        {"EqLowGain", 30, "0.0 dB"},
        {"Flt1Balance", 64, "64"},
        {"VcdEfSens", 126, "126"},
        {"LfoInitPhase", 9, "90"},
        {"FxDeciFs", 2, "2.0 kHz"},
        {"FxReverbTime", 9, "1.0 sec"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(table.GetString(c.keyword, c.index), c.text) << c.keyword << " " << c.index;
}

TEST(CEfStringTableSingleton, ReachedThroughGetStringTable)
{
    ASSERT_EQ(GetStringTable(), nullptr);
    CEfStringTable* table = CEfStringTableSingleton::Acquire();
    EXPECT_EQ(GetStringTable(), table);
    EXPECT_STREQ(GetStringTable()->GetString("OnOff", 1), "On");

    CEfStringTable installed;
    SetStringTable(&installed);
    EXPECT_EQ(GetStringTable(), &installed);
    SetStringTable(nullptr);

    CEfStringTableSingleton::Release();
    EXPECT_EQ(GetStringTable(), nullptr);
}
