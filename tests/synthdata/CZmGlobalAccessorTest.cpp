#include "synthdata/CGlobal.h"
#include "synthdata/CQ3580GlobalAccessor.h"

#include "support/FakeStringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct GlobalAccessorTest : ::testing::Test
{
    CQ3580GlobalAccessor accessor;
    CGlobal global;

    std::string Text(uint32_t group, uint32_t index)
    {
        char buffer[64];
        accessor.GetCurrentValueText(&global, {group, index, 0}, buffer, sizeof buffer);
        return buffer;
    }
    std::string Text(uint32_t group, uint32_t index, int32_t value)
    {
        char buffer[64];
        accessor.GetValueText(&global, {group, index, 0}, value, buffer, sizeof buffer);
        return buffer;
    }
};

} // namespace

TEST_F(GlobalAccessorTest, DefaultDataShowsInEveryFormat)
{
    FakeStringTable table({
        {"OnOff", {"Off", "On"}},
        {"EnaDis", {"Dis", "Ena"}},
        {"BackLightMode", {"Off", "On", "Auto"}},
        {"KnobMode", {"Jump", "Catch"}},
        {"Position", {"Post KBD", "Pre TG"}},
        {"VelocityCurve", {"1", "2", "3", "4", "5", "6", "7", "8", "Const"}},
        {"MidiCh", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"}},
        {"MidiClock", {"Internal", "External MIDI", "External USB", "Auto"}},
    });
    struct Case
    {
        uint32_t group, index;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "440.0 Hz"},      // MasterTune
        {0, 1, "+0"},            // Value, signed range
        {0, 2, "On"},            // switch: bit 7 of A4
        {0, 3, "Auto"},          // list: bits 4-5 of A4
        {0, 4, "Jump"},          // bit 3
        {0, 5, "Pre TG"},        // bit 2
        {0, 6, "0"},             // list the table lacks: its number
        {0, 7, "4"},             // 03
        {1, 0, "1"},             // 00
        {1, 1, "On"},            // bit 7 of 84
        {1, 3, "External MIDI"}, // bits 2-3 of 84
        {1, 4, "CC#16"},         // MidiCtrlSource 0x12
        {1, 5, "CC#02"},         // 0x04
        {1, 6, "After Touch"},   // 0x01
        {2, 0, "Ena"},           // 0x39: bits 5, 4, 3 and 0
        {2, 3, "Ena"},
        {3, 0, "  0"},     // UserScaleValue
        {4, 0, "CC#05"},   // CcMapNumber
        {4, 47, "CC#115"}, // 0x73
        {4, 52, "CC#113"}, // 0x71
        {4, 53, "Off"},    // 0xFF
        {4, 64, "Off"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(c.group, c.index), c.text) << c.group << "/" << c.index;
}

TEST_F(GlobalAccessorTest, FormatsOfValues)
{
    struct Case
    {
        uint32_t group, index;
        int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, -100, "430.0 Hz"},
        {0, 0, -5, "439.5 Hz"},
        {0, 0, 100, "450.0 Hz"},
        {0, 1, -12, "-12"},
        {0, 1, 12, "+12"},
        {1, 4, 0, "Pitch Bend"},
        {1, 4, 2, "CC#00"},
        {1, 4, 97, "CC#95"},
        {1, 4, 98, "CC#102"},
        {1, 4, 115, "CC#119"},
        {1, 4, 116, "CC#16 +/-"},
        {1, 4, 117, "CC#17 +/-"},
        {1, 4, 118, "CC#19 +/-"},
        {1, 4, 120, "CC#21 +/-"},
        {3, 0, -5, "- 5"},
        {3, 0, 7, "+ 7"},
        {3, 0, -63, "-63"},
        {4, 0, -1, "Off"},
        {4, 0, 0, "CC#00"},
        {4, 0, 119, "CC#119"},
        // Any value has a text, computed without overflow.
        {1, 4, INT32_MIN, "CC#-2147483650"},
        {1, 4, INT32_MAX, "CC#2147483548 +/-"},
        {3, 0, INT32_MIN, "-2147483648"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(c.group, c.index, c.value), c.text) << c.group << "/" << c.index << " " << c.value;
}

// Walks the table: every row holds its minimum and maximum, and writing it changes only the
// bits of its field.
TEST_F(GlobalAccessorTest, EveryRowStoresItsRangeInItsOwnBits)
{
    const CZmParameterTable* table = accessor.GetTable();
    for (uint32_t group = 0; group < table->GetGroupCount(); ++group)
        for (uint32_t index = 0; index < table->GetParameterCount(group); ++index)
        {
            const CZmParameterId id{group, index, 0};
            const CZmParameterInfo* row = accessor.GetParameterInfo(id);
            ASSERT_NE(row, nullptr);
            for (int32_t value : {row->minimum, row->maximum})
            {
                CGlobal changed;
                accessor.SetValue(&changed, id, value);
                EXPECT_EQ(accessor.GetValue(&changed, id), value) << row->name;
                for (uint32_t i = 0; i < kQ3580GlobalImageSize; ++i)
                {
                    const uint8_t bits = changed.GetImage()[i] ^ global.GetImage()[i];
                    const uint8_t field =
                        i == row->offset ? static_cast<uint8_t>(row->mask << row->shift) : 0;
                    EXPECT_EQ(bits & ~field, 0) << row->name << " changed byte " << i;
                }
            }
        }
}

TEST_F(GlobalAccessorTest, WritesAreLimitedAndRefusedWithoutARow)
{
    accessor.SetValue(&global, 0, 0, 150);
    EXPECT_EQ(accessor.GetValue(&global, 0, 0), 100);
    EXPECT_EQ(global.GetImage()[0], 100);
    accessor.SetValue(&global, 3, 4, -200);
    EXPECT_EQ(global.GetImage()[20], static_cast<uint8_t>(-63));

    const std::vector<uint8_t> before(global.GetImage(), global.GetImage() + kQ3580GlobalImageSize);
    for (const CZmParameterId id :
         {CZmParameterId{0, 8, 0}, CZmParameterId{5, 0, 0}, CZmParameterId{99, 0, 0}})
    {
        accessor.SetParameter(&global, id, 1);
        accessor.SetValue(&global, id, 1);
        EXPECT_EQ(accessor.GetValue(&global, id), 0);
        EXPECT_EQ(accessor.GetName(id), nullptr);
    }
    EXPECT_EQ(std::vector<uint8_t>(global.GetImage(), global.GetImage() + kQ3580GlobalImageSize), before);
    accessor.SetValue(nullptr, 0, 0, 5);
    EXPECT_EQ(accessor.GetValue(nullptr, 0, 0), 0);
}

// A received dump or a file may hold any byte: what it shows is limited to the range.
TEST_F(GlobalAccessorTest, OutOfRangeBytesOfARawImageReadLimited)
{
    struct Case
    {
        uint32_t group, index;
        uint32_t at;
        uint8_t byte;
        int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, 120, 100, "450.0 Hz"},   // Master Tune
        {0, 0, 0, 0x80, -100, "430.0 Hz"}, // -128
        {0, 1, 1, 0x7F, 12, "+12"},        // Transpose
        {0, 1, 1, 0xE0, -12, "-12"},       // -32
        {0, 7, 3, 0x0F, 8, "8"},           // Velocity Curve: 15 in its 4 bits
        {1, 4, 6, 0xFF, 120, "CC#21 +/-"}, // MIDI Ctrl 1
        {3, 5, 21, 0x7F, 63, "+63"},       // user scale F: 127
        {3, 5, 21, 0x81, -63, "-63"},      // -127
        {4, 10, 42, 0xFE, -1, "Off"},      // CC map: -2
        {4, 10, 42, 0x7E, 119, "CC#119"},  // 126
    };
    for (const Case& c : cases)
    {
        global.Clear();
        global.GetImage()[c.at] = c.byte;
        const CZmParameterId id{c.group, c.index, 0};
        EXPECT_EQ(accessor.GetValue(&global, id), c.value) << accessor.GetName(id) << " byte " << int(c.byte);
        EXPECT_EQ(Text(c.group, c.index), c.text) << accessor.GetName(id) << " byte " << int(c.byte);
    }
}

// Values from anywhere must never overflow: the sanitizer build aborts on signed overflow.
TEST_F(GlobalAccessorTest, ExtremeValuesAreSafeForEveryRow)
{
    const CZmParameterTable* table = accessor.GetTable();
    for (uint32_t group = 0; group < table->GetGroupCount(); ++group)
        for (uint32_t index = 0; index < table->GetParameterCount(group); ++index)
        {
            const CZmParameterId id{group, index, 0};
            for (int32_t v : {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX})
            {
                accessor.SetParameter(&global, id, v);
                (void)accessor.GetParameter(&global, id);
                accessor.SetValue(&global, id, v);
                const int32_t back = accessor.GetValue(&global, id);
                EXPECT_GE(back, accessor.GetMin(id)) << accessor.GetName(id) << " " << v;
                EXPECT_LE(back, accessor.GetMax(id)) << accessor.GetName(id) << " " << v;
                char text[64];
                accessor.GetValueText(&global, id, v, text, sizeof text);
            }
        }
    // The 8-bit rule keeps the low bits of value + bias.
    accessor.SetParameter(&global, {0, 0, 0}, INT32_MAX);
    EXPECT_EQ(global.GetImage()[0], 0xFF);
}

TEST_F(GlobalAccessorTest, PanelOnlySettingsAreNotEditable)
{
    const std::vector<std::pair<CZmParameterId, bool>> cases = {
        {{0, 2, 0}, false}, {{1, 0, 0}, false}, {{1, 2, 0}, false}, {{2, 0, 0}, false},
        {{1, 1, 0}, true},  {{0, 0, 0}, true},  {{2, 1, 0}, true},  {{4, 64, 0}, true},
    };
    for (const auto& [id, editable] : cases)
        EXPECT_EQ(accessor.IsEditable(id), editable) << id.group << "/" << id.index;
}

namespace
{
std::string Hex(const uint8_t* digest)
{
    std::string s;
    char two[3];
    for (int i = 0; i < 16; ++i)
    {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        s += two;
    }
    return s;
}
} // namespace

TEST(CQ3580GlobalData, ClearRestoresTheDefaultImageAndCopiesAreDeep)
{
    CGlobal a;
    EXPECT_EQ(std::memcmp(a.GetImage(), CQ3580GlobalData::GetDefaultImage(), kQ3580GlobalImageSize), 0);
    EXPECT_EQ(a.GetImage()[2], 0xA4);
    EXPECT_EQ(a.GetImage()[96], 0xFF);
    EXPECT_EQ(a.GetImage()[97], 0x00);
    a.GetImage()[0] = 7;
    CGlobal b;
    b.Assign(a);
    EXPECT_EQ(b.GetImage()[0], 7);
    a.GetImage()[0] = 8;
    EXPECT_EQ(b.GetImage()[0], 7);
    b.Init();
    EXPECT_EQ(b.GetImage()[0], 0);
    EXPECT_EQ(Hex(b.GetDigest()), "d6a98bd600b4e01a5cddf14782fd51b4"); // MD5 of the default image
    EXPECT_STREQ(b.GetChunkTag(), "3580GlbD");
}
