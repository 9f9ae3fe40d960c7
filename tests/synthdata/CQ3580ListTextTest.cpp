#include "synthdata/CGlobal.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580GlobalAccessor.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "foundation/CQ3580StringTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace
{

// The real value-name table as the process-wide string table.
struct ListTextTest : ::testing::Test
{
    void SetUp() override
    {
        table = CEfStringTableSingleton::Acquire();
        ASSERT_EQ(GetStringTable(), table);
    }
    void TearDown() override { CEfStringTableSingleton::Release(); }

    std::string ProgramText(const CZmParameterId& id, int32_t value)
    {
        char buffer[64];
        program.GetValueText(&prog, id, value, buffer, sizeof buffer);
        return buffer;
    }
    std::string GlobalText(const CZmParameterId& id, int32_t value)
    {
        char buffer[64];
        global.GetValueText(&glob, id, value, buffer, sizeof buffer);
        return buffer;
    }

    CEfStringTable* table = nullptr;
    CQ3580ProgramAccessor program;
    CQ3580GlobalAccessor global;
    CProgram prog;
    CGlobal glob;
};

// Entries a list needs for a row's values: one per value, from the minimum when it is negative.
uint32_t Span(int32_t minimum, int32_t maximum)
{
    return static_cast<uint32_t>(maximum - (minimum < 0 ? minimum : 0) + 1);
}

// A row that shows its value through a keyword list.
struct ListRow
{
    std::string where;
    const char* format;
    int32_t minimum, maximum;
};

// Lists with entries beyond every row that uses them: Note's "Off".
const std::map<std::string, uint32_t> kExtraEntries = {{"Note", 1}};
// List formats that the accessors format themselves, without the table.
const std::set<std::string> kFormattedLists = {"MidiCtrlSource", "CcMapNumber"};

} // namespace

TEST_F(ListTextTest, EveryListHasOneEntryPerValueOfItsParameters)
{
    std::vector<ListRow> rows;
    std::set<std::string> unnamed;
    for (const CZmParameterTable* t : {program.GetTable(), global.GetTable()})
        for (uint32_t g = 0; g < t->GetGroupCount(); ++g)
            for (uint32_t i = 0; i < t->GetParameterCount(g); ++i)
            {
                const CZmParameterInfo* r = t->GetParameterInfo({g, i, 0});
                if (r == nullptr || !r->present || r->format == nullptr)
                    continue;
                const std::string where = std::string(t == program.GetTable() ? "program " : "global ") +
                                          std::to_string(g) + "." + std::to_string(i) + " " + r->name;
                if (table->GetCount(r->format) > 0)
                    rows.push_back({where, r->format, r->minimum, r->maximum});
                else if (r->kind == kZmKindList)
                    unnamed.insert(r->format);
            }
    const CZmFxParameterTable* fx = program.GetFxTable();
    for (uint32_t type = 0; type < fx->GetTypeCount(); ++type)
        for (uint32_t p = 0; p < fx->GetParameterCount(); ++p)
        {
            const CZmFxParameterInfo* r = fx->GetParameterInfo(type, p);
            if (r == nullptr || !r->present || r->format == nullptr)
                continue;
            const std::string where =
                "effect " + std::to_string(type) + "." + std::to_string(p) + " " + r->name;
            if (table->GetCount(r->format) > 0)
                rows.push_back({where, r->format, r->minimum, r->maximum});
            else if (r->kind == kZmKindList)
                unnamed.insert(r->format);
        }

    // A list has one entry per value of the widest parameter that uses it.
    std::map<std::string, uint32_t> widest;
    std::map<std::string, std::string> widestRow;
    for (const ListRow& row : rows)
    {
        const uint32_t span = Span(row.minimum, row.maximum);
        if (span > widest[row.format])
        {
            widest[row.format] = span;
            widestRow[row.format] = row.where;
        }
    }
    // Rows of all three tables were walked.
    for (const char* format : {"PitchVibratoInt", "MidiClock", "FxDelaySyncNote"})
        EXPECT_EQ(widest.count(format), 1u) << format;
    for (const auto& [format, span] : widest)
    {
        const auto extra = kExtraEntries.find(format);
        EXPECT_EQ(table->GetCount(format.c_str()), span + (extra != kExtraEntries.end() ? extra->second : 0))
            << format << ", widest at " << widestRow[format];
    }
    EXPECT_EQ(unnamed, kFormattedLists);
}

TEST_F(ListTextTest, ProgramListsShowTheirNames)
{
    const struct
    {
        CZmParameterId id;
        int32_t value;
        const char* text;
    } cases[] = {
        {{0, 12, 0}, 5, "Strings/Pad"},    // Category
        {{0, 35, 0}, 3, "Multi"},          // Voice Mode
        {{0, 42, 0}, 60, "C4"},            // Split Key, a numeric row named by Note
        {{1, 16, 1}, 2, "3 Voice"},        // Unison SW, timbre 2
        {{1, 22, 0}, 54, "Vocoder Level"}, // Knob 1 Assign, last entry
        {{2, 18, 0}, -63, "-2400cent"},    // a signed field: entry value - minimum
        {{2, 18, 0}, 0, "0cent"},
        {{2, 18, 1}, 63, "2400cent"},
        {{2, 19, 0}, 6, "PCM/Wave"},      // OSC 1 Wave
        {{2, 24, 0}, 63, "Noise4"},       // OSC 1 PCM Wave
        {{2, 85, 0}, 16, "1/64"},         // LFO 1 Sync Note
        {{2, 104, 1}, 39, "Patch6 Int"},  // Patch 6 Destination
        {{6, 1, 0}, 17, "Grain Shifter"}, // FX Type
        {{6, 26, 0}, 19, "Param 20"},     // Control 1 of effect 2
        {{8, 0, 0}, 8, "1/1"},            // Arpeggiator Resolution
        {{8, 1, 0}, 5, "Trigger"},        // Arpeggiator Type
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramText(c.id, c.value), c.text)
            << c.id.group << "." << c.id.index << "/" << c.id.timbre << " = " << c.value;
}

TEST_F(ListTextTest, GlobalListsShowTheirNames)
{
    const struct
    {
        CZmParameterId id;
        int32_t value;
        const char* text;
    } cases[] = {
        {{0, 3, 0}, 1, "Auto"},      // LCD Backlight Mode
        {{0, 4, 0}, 1, "Catch"},     // Knob Mode
        {{0, 5, 0}, 0, "Post KBD"},  // Position
        {{0, 7, 0}, 8, "Const 127"}, // Velocity Curve
        {{1, 0, 0}, 15, "16"},       // Global MIDI Channel
        {{1, 2, 0}, 2, "MIDI"},      // System Routing
        {{1, 3, 0}, 3, "Ext MIDI"},  // MIDI Clock
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlobalText(c.id, c.value), c.text) << c.id.group << "." << c.id.index << " = " << c.value;
}

TEST_F(ListTextTest, EffectParametersShowTheNamesOfTheirType)
{
    // Effect 1 set to a delay: its L Delay Time is a list of sync notes.
    const CZmParameterId fxType = {6, 1, 0};
    program.SetValue(&prog, fxType, 7);
    ASSERT_EQ(program.GetValue(&prog, fxType), 7);
    const CZmFxParameterTable* fx = program.GetFxTable();
    bool found = false;
    for (uint32_t p = 0; p < fx->GetParameterCount() && !found; ++p)
    {
        const CZmFxParameterInfo* r = fx->GetParameterInfo(7, p);
        if (r == nullptr || !r->present || r->format == nullptr ||
            std::string(r->format) != "FxDelaySyncNote")
            continue;
        found = true;
        const CZmParameterId id = {6, 4 + p, 0};
        EXPECT_EQ(ProgramText(id, 0), "1/64");
        EXPECT_EQ(ProgramText(id, 13), "1/1");
    }
    EXPECT_TRUE(found);
}
