// The parameter, effect and address tables checked against properties every row must have, and
// against a few rows written out independently of the tables, so that a row copied wrongly (a
// moved offset, a changed shift or default, two swapped addresses) is caught.
#include "synthdata/CQ3580FxParameterTable.h"
#include "synthdata/CQ3580GlobalParameterTable.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CQ3580ProgramData.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CQ3580IdConverter.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const uint32_t kGlobalGroupCount = 5;

std::string RowName(const CZmParameterId& id, const char* name)
{
    std::ostringstream s;
    s << id.group << "/" << id.index << "/" << id.timbre << " " << name;
    return s.str();
}

// Rows read and written as 16-bit values over two whole bytes.
bool IsWide(const CZmParameterId& id)
{
    return (id.group == kPrgGroupArpCommon && id.index == 0) ||
           (id.group == kPrgGroupVocoder && id.index >= 53 && id.index <= 68);
}

// Where a program group's section starts in the image, for a timbre.
uint32_t SectionBase(uint32_t group, uint32_t timbre)
{
    switch (group)
    {
    case kPrgGroupTimbreCommon:
    case kPrgGroupTimbreSynth:
    case kPrgGroupTimbreEq:
        return 16 + 96 * timbre;
    case kPrgGroupVocoder:
        return 208;
    case kPrgGroupMfx:
        return 286;
    case kPrgGroupArp:
        return 338;
    default:
        return 0;
    }
}

bool IsTimbreGroup(uint32_t group)
{
    return group == kPrgGroupTimbreCommon || group == kPrgGroupTimbreSynth || group == kPrgGroupTimbreEq;
}

// Marks each bit a row occupies in an image; reports a bit that another row holds already.
class BitOccupancy
{
public:
    explicit BitOccupancy(uint32_t imageSize) : m_owner(imageSize * 8) {}

    void Claim(uint32_t byte, uint8_t bits, const std::string& row)
    {
        ASSERT_LT(byte, m_owner.size() / 8) << row << " lies outside the image";
        for (uint32_t bit = 0; bit < 8; ++bit)
        {
            if ((bits & (1u << bit)) == 0)
                continue;
            std::string& owner = m_owner[byte * 8 + bit];
            EXPECT_TRUE(owner.empty())
                << "byte " << byte << " bit " << bit << ": " << owner << " and " << row;
            owner = row;
        }
    }

    void ClaimRow(uint32_t base, const CZmParameterInfo& row, bool wide, const std::string& name)
    {
        ASSERT_LE(row.mask << row.shift, 0xFFu) << name;
        if (wide)
        {
            Claim(base + row.offset, 0xFF, name);
            Claim(base + row.offset + 1, 0xFF, name);
        }
        else
            Claim(base + row.offset, static_cast<uint8_t>(row.mask << row.shift), name);
    }

private:
    std::vector<std::string> m_owner;
};

// The value an 8-bit field holds in an image, as the accessors read it, without their clamping.
int32_t FieldValue(const uint8_t* image, uint32_t at, const CZmParameterInfo& row, int32_t bias)
{
    int32_t raw = static_cast<int32_t>((image[at] >> row.shift) & row.mask);
    if (row.minimum < 0)
        raw = static_cast<int8_t>(raw);
    return raw - bias;
}

int32_t WideValue(const uint8_t* image, uint32_t at)
{
    return image[at] | image[at + 1] << 8;
}
} // namespace

TEST(ParameterTableInvariants, NoTwoProgramFieldsShareABit)
{
    const CQ3580ParameterTable table;
    BitOccupancy bits(kQ3580ProgramImageSize);
    for (uint32_t group = 0; group < table.GetGroupCount(); ++group)
        for (uint32_t timbre = 0; timbre < (IsTimbreGroup(group) ? 2u : 1u); ++timbre)
            for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
            {
                const CZmParameterId id{group, index, timbre};
                const CZmParameterInfo* row = table.GetParameterInfo(id);
                ASSERT_NE(row, nullptr);
                if (row->present != 0)
                    bits.ClaimRow(SectionBase(group, timbre), *row, IsWide(id), RowName(id, row->name));
            }
}

TEST(ParameterTableInvariants, NoTwoGlobalFieldsShareABit)
{
    const CQ3580GlobalParameterTable table;
    ASSERT_EQ(table.GetGroupCount(), kGlobalGroupCount);
    BitOccupancy bits(kQ3580GlobalImageSize);
    for (uint32_t group = 0; group < kGlobalGroupCount; ++group)
        for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
        {
            const CZmParameterInfo* row = table.GetParameterInfo({group, index, 0});
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->present, 1) << RowName({group, index, 0}, row->name);
            bits.ClaimRow(0, *row, false, RowName({group, index, 0}, row->name));
        }
}

TEST(ParameterTableInvariants, InitialProgramHoldsEveryFieldInItsRange)
{
    const CQ3580ParameterTable table;
    const CQ3580FxParameterTable effects;
    const uint8_t* image = CQ3580ProgramData::GetInitImage();
    for (uint32_t group = 0; group < table.GetGroupCount(); ++group)
        for (uint32_t timbre = 0; timbre < (IsTimbreGroup(group) ? 2u : 1u); ++timbre)
            for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
            {
                const CZmParameterId id{group, index, timbre};
                const CZmParameterInfo* row = table.GetParameterInfo(id);
                if (row->present == 0)
                    continue;
                const uint32_t at = SectionBase(group, timbre) + row->offset;
                int32_t minimum = row->minimum;
                int32_t maximum = row->maximum;
                int32_t bias = row->bias;
                // A master-effect parameter takes its range and bias from its effect type's row.
                const bool effect1 = index >= 4 && index <= 23;
                const bool effect2 = index >= 28 && index <= 47;
                if (group == kPrgGroupMfx && (effect1 || effect2))
                {
                    const uint32_t typeAt = 286 + (effect1 ? 0u : 24u);
                    const CZmFxParameterInfo* fx =
                        effects.GetParameterInfo(image[typeAt] & 0x7F, index - (effect1 ? 4u : 28u));
                    ASSERT_NE(fx, nullptr);
                    if (fx->present == 0)
                        continue;
                    minimum = fx->minimum;
                    maximum = fx->maximum;
                    bias = fx->bias;
                }
                const int32_t value = IsWide(id) ? WideValue(image, at) : FieldValue(image, at, *row, bias);
                EXPECT_GE(value, minimum) << RowName(id, row->name);
                EXPECT_LE(value, maximum) << RowName(id, row->name);
            }
}

TEST(ParameterTableInvariants, DefaultGlobalHoldsEveryFieldInItsRange)
{
    const CQ3580GlobalParameterTable table;
    CGlobal global;
    global.Init();
    for (uint32_t group = 0; group < kGlobalGroupCount; ++group)
        for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
        {
            const CZmParameterInfo* row = table.GetParameterInfo({group, index, 0});
            const int32_t value = FieldValue(global.GetImage(), row->offset, *row, row->bias);
            EXPECT_GE(value, row->minimum) << RowName({group, index, 0}, row->name);
            EXPECT_LE(value, row->maximum) << RowName({group, index, 0}, row->name);
        }
}

TEST(ParameterTableInvariants, EffectRowsAreWellFormedAndTheirDefaultsInRange)
{
    const CQ3580FxParameterTable effects;
    for (uint32_t type = 0; type < effects.GetTypeCount(); ++type)
        for (uint32_t p = 0; p < effects.GetParameterCount(); ++p)
        {
            const CZmFxParameterInfo* row = effects.GetParameterInfo(type, p);
            ASSERT_NE(row, nullptr);
            const std::string name = std::to_string(type) + "/" + std::to_string(p) + " " + row->name;
            if (row->present == 0)
            {
                EXPECT_STREQ(row->name, "") << name;
                EXPECT_EQ(row->minimum, 0) << name;
                EXPECT_EQ(row->maximum, 0) << name;
                continue;
            }
            EXPECT_LT(row->minimum, row->maximum) << name;
            // Every value is stored as a 7-bit data byte.
            EXPECT_GE(row->minimum + row->bias, 0) << name;
            EXPECT_LE(row->maximum + row->bias, 127) << name;
            EXPECT_TRUE(row->kind == kZmKindNumeric || row->kind == kZmKindList || row->kind == kZmKindSwitch)
                << name;
            EXPECT_TRUE(row->assignable == 0 || row->assignable == 1) << name;
            // Chorus's LFO Spread keeps the instrument's default of 82, above its range; the
            // accessor brings it into the range when the type is chosen.
            if (type == 11 && p == 3)
            {
                EXPECT_EQ(row->defaultValue, 82);
                continue;
            }
            EXPECT_GE(row->defaultValue, row->minimum) << name;
            EXPECT_LE(row->defaultValue, row->maximum) << name;
        }
    // The rows of a type are packed from parameter 0: no present row follows an empty one.
    for (uint32_t type = 0; type < effects.GetTypeCount(); ++type)
    {
        bool ended = false;
        for (uint32_t p = 0; p < effects.GetParameterCount(); ++p)
        {
            const bool present = effects.GetParameterInfo(type, p)->present != 0;
            EXPECT_FALSE(ended && present) << "type " << type << " parameter " << p;
            ended = ended || !present;
        }
    }
}

TEST(ParameterTableInvariants, EffectTypesNameOnlyParametersTheyHave)
{
    const CQ3580FxParameterTable effects;
    for (uint32_t type = 1; type < effects.GetTypeCount(); ++type)
    {
        const CZmFxTypeInfo* info = effects.GetTypeInfo(type);
        ASSERT_NE(info, nullptr);
        SCOPED_TRACE(info->name);
        auto row = [&](int32_t p) { return effects.GetParameterInfo(type, static_cast<uint32_t>(p)); };
        auto present = [&](int32_t p) { return p >= 0 && p < 20 && row(p)->present != 0; };
        // The Controls start on parameters that can be assigned to them.
        for (int32_t control : {info->control1, info->control2})
        {
            ASSERT_TRUE(present(control)) << control;
            EXPECT_EQ(row(control)->assignable, 1) << control;
        }
        // A coupling's switch is an on/off parameter and its two partners exist.
        for (const CZmFxCoupling* coupling : {&info->coupling1, &info->coupling2})
        {
            if (coupling->flag == 0)
                continue;
            ASSERT_TRUE(present(coupling->sw));
            EXPECT_EQ(row(coupling->sw)->kind, kZmKindSwitch) << row(coupling->sw)->name;
            EXPECT_TRUE(present(coupling->a));
            EXPECT_TRUE(present(coupling->b));
            EXPECT_NE(coupling->a, coupling->b);
        }
        // Rule 4: a key-sync switch enables the initial phase that follows it.
        if (info->rule4Flag != 0)
        {
            ASSERT_TRUE(present(info->rule4Parameter + 1));
            EXPECT_STREQ(row(info->rule4Parameter)->name, "LFO Key Sync");
            EXPECT_STREQ(row(info->rule4Parameter + 1)->name, "LFO Init Phase");
        }
    }
}

TEST(ParameterTableInvariants, EveryPresentRowHasItsOwnDeviceAddress)
{
    const CQ3580ParameterTable table;
    const CQ3580IdConverter converter;
    std::map<std::pair<uint32_t, uint32_t>, std::string> owners;
    for (uint32_t group = 0; group < kPrgGroupNone; ++group)
        for (uint32_t timbre = 0; timbre < (IsTimbreGroup(group) ? 2u : 1u); ++timbre)
            for (uint32_t index = 0; index < table.GetParameterCount(group); ++index)
            {
                const CZmParameterId id{group, index, timbre};
                const CZmParameterInfo* row = table.GetParameterInfo(id);
                const std::string name = RowName(id, row->name);
                CZmDeviceAddress address;
                ASSERT_TRUE(converter.ToDeviceAddress(id, address)) << name;
                if (!address.IsValid())
                {
                    EXPECT_EQ(row->present, 0) << name << " has no address";
                    continue;
                }
                std::string& owner = owners[{address.hi, address.lo}];
                EXPECT_TRUE(owner.empty()) << name << " shares its address with " << owner;
                owner = name;
                CZmParameterId back{};
                ASSERT_TRUE(converter.FromDeviceAddress(address, back)) << name;
                EXPECT_EQ(back, id) << name;
            }
}

// Rows written out by hand from the instrument's parameter list.
TEST(ParameterTableInvariants, ProgramRowsMatchTheParameterList)
{
    struct Row
    {
        CZmParameterId id;
        const char* name;
        uint32_t offset, shift, mask;
        int32_t minimum, maximum, bias, link, counted;
    };
    const Row rows[] = {
        {{0, 12, 0}, "Category", 15, 0, 0xF, 0, 15, 0, -1, 0},
        {{0, 14, 0}, "Scale Key", 12, 4, 0xF, 0, 11, 0, -1, 0},
        {{0, 36, 0}, "Arpeggiator Timbre Assign", 8, 4, 0x3, 0, 2, 0, -1, 0},
        {{0, 41, 0}, "Timbre 2 MIDI Ch", 13, 0, 0xFF, 0, 16, 0, -1, 0},
        {{1, 16, 0}, "Unison SW", 4, 0, 0xF, 0, 3, 0, -1, 1},
        {{1, 19, 0}, "Bend Range", 13, 0, 0xFF, -12, 12, 64, -1, 1},
        {{2, 12, 0}, "Voice Assign", 7, 6, 0x3, 0, 2, 0, -1, 1},
        {{2, 24, 0}, "OSC 1 PCM Wave", 19, 0, 0xFF, 0, 63, 0, 3, 1},
        {{2, 27, 0}, "OSC 2 Mod", 21, 4, 0x3, 0, 3, 0, -1, 1},
        {{2, 41, 0}, "Filter 2 Type", 28, 4, 0x3, 0, 2, 0, -1, 1},
        {{2, 52, 0}, "Pan", 44, 0, 0xFF, 1, 127, 0, 17, 1},
        {{2, 83, 0}, "LFO 1 Key Sync", 68, 5, 0x3, 0, 2, 0, -1, 1},
        {{2, 92, 0}, "LFO 2 Sync Note", 73, 0, 0x1F, 0, 16, 0, 28, 1},
        {{2, 104, 0}, "Patch 6 Destination", 90, 0, 0xFF, 0, 39, 0, -1, 1},
        {{4, 49, 0}, "Low Gain", 93, 0, 0xFF, -30, 30, 64, 36, 1},
        {{5, 2, 0}, "HPF Gate", 0, 5, 0x1, 0, 1, 0, -1, 1},
        {{5, 14, 0}, "Formant Shift", 40, 4, 0x7, -2, 2, 4, -1, 1},
        {{5, 44, 0}, "Band 8 Level", 23, 0, 0xFF, 0, 127, 0, -1, 0},
        {{6, 27, 0}, "Control 2", 27, 0, 0x1F, 0, 19, 0, 42, 0},
        {{7, 2, 0}, "Key Sync", 336, 6, 0x1, 0, 1, 0, -1, 0},
        {{8, 3, 0}, "Octave Range", 1, 5, 0x3, 0, 3, 0, 44, 1},
        {{8, 6, 0}, "Swing", 3, 0, 0xFF, -50, 50, 64, 45, 1},
        {{8, 14, 0}, "Step 6 SW", 4, 5, 0x1, 0, 1, 0, -1, 0},
    };
    const CQ3580ParameterTable table;
    for (const Row& r : rows)
    {
        const CZmParameterInfo* row = table.GetParameterInfo(r.id);
        ASSERT_NE(row, nullptr) << r.name;
        SCOPED_TRACE(r.name);
        EXPECT_STREQ(row->name, r.name);
        EXPECT_EQ(row->present, 1);
        EXPECT_EQ(row->offset, r.offset);
        EXPECT_EQ(row->shift, r.shift);
        EXPECT_EQ(row->mask, r.mask);
        EXPECT_EQ(row->minimum, r.minimum);
        EXPECT_EQ(row->maximum, r.maximum);
        EXPECT_EQ(row->bias, r.bias);
        EXPECT_EQ(row->link, r.link);
        EXPECT_EQ(row->counted, r.counted);
    }
}

TEST(ParameterTableInvariants, GlobalRowsMatchTheParameterList)
{
    struct Row
    {
        uint32_t group, index;
        const char* name;
        uint32_t offset, shift, mask;
        int32_t minimum, maximum;
    };
    const Row rows[] = {
        {0, 0, "Master Tune", 0, 0, 0xFF, -100, 100},
        {0, 3, "LCD Backlight Mode", 2, 4, 0x3, 0, 2},
        {0, 5, "Position", 2, 2, 0x1, 0, 1},
        {0, 7, "Velocity Curve", 3, 0, 0xF, 0, 8},
        {1, 0, "Global MIDI Channel", 4, 0, 0xF, 0, 15},
        {1, 3, "MIDI Clock", 5, 2, 0x3, 0, 3},
        {1, 6, "MIDI Ctrl 3", 8, 0, 0xFF, 0, 120},
        {2, 1, "Pitch Bend", 9, 4, 0x1, 0, 1},
        {2, 3, "Program Change", 9, 0, 0x1, 0, 1},
        {3, 0, "C", 16, 0, 0xFF, -63, 63},
        {3, 10, "A#", 26, 0, 0xFF, -63, 63},
        {4, 0, "Portamento", 32, 0, 0xFF, -1, 119},
        {4, 14, "Filter 1 Type Balance", 46, 0, 0xFF, -1, 119},
        {4, 39, "Virtual Patch 1 Int.", 71, 0, 0xFF, -1, 119},
        {4, 64, "Vocoder E.F.Sens", 96, 0, 0xFF, -1, 119},
    };
    const CQ3580GlobalParameterTable table;
    for (const Row& r : rows)
    {
        const CZmParameterInfo* row = table.GetParameterInfo({r.group, r.index, 0});
        ASSERT_NE(row, nullptr) << r.name;
        SCOPED_TRACE(r.name);
        EXPECT_STREQ(row->name, r.name);
        EXPECT_EQ(row->offset, r.offset);
        EXPECT_EQ(row->shift, r.shift);
        EXPECT_EQ(row->mask, r.mask);
        EXPECT_EQ(row->minimum, r.minimum);
        EXPECT_EQ(row->maximum, r.maximum);
        EXPECT_EQ(row->bias, 0);
        EXPECT_EQ(row->link, -1);
        EXPECT_EQ(row->counted, 0);
    }
}

TEST(ParameterTableInvariants, EffectRowsMatchTheParameterList)
{
    struct Row
    {
        uint32_t type, parameter;
        const char* name;
        int32_t minimum, maximum, bias, assignable;
        uint32_t kind;
        int32_t defaultValue;
    };
    const Row rows[] = {
        {1, 2, "Sensitivity", 1, 127, 0, 1, kZmKindNumeric, 70},
        {2, 6, "Mod Intensity", -63, 63, 64, 1, kZmKindNumeric, 0},
        {2, 10, "LFO Sync Note", 0, 16, 0, 1, kZmKindList, 8},
        {3, 4, "B1 Q", 0, 95, 0, 0, kZmKindNumeric, 15},
        {3, 13, "B4 Frequency", 0, 58, 0, 0, kZmKindNumeric, 48},
        {4, 14, "Output Level", 0, 127, 0, 0, kZmKindNumeric, 30},
        {5, 3, "Fs", 0, 94, 0, 1, kZmKindNumeric, 22},
        {6, 6, "Time Ratio", 0, 14, 0, 1, kZmKindNumeric, 7},
        {7, 8, "C Delay Time", 0, 13, 0, 0, kZmKindList, 8},
        {8, 17, "LFO Spread", -18, 18, 64, 0, kZmKindNumeric, 9},
        {10, 15, "WOW Flutter Frequency", 0, 127, 0, 0, kZmKindNumeric, 19},
        {12, 1, "Delay", 0, 113, 0, 1, kZmKindNumeric, 10},
        {14, 2, "Manual", 0, 127, 0, 1, kZmKindNumeric, 110},
        {16, 3, "Note Offset", -48, 48, 64, 1, kZmKindNumeric, 0},
        {17, 5, "Duration", 0, 13, 0, 0, kZmKindList, 0},
    };
    const CQ3580FxParameterTable effects;
    for (const Row& r : rows)
    {
        const CZmFxParameterInfo* row = effects.GetParameterInfo(r.type, r.parameter);
        ASSERT_NE(row, nullptr) << r.name;
        SCOPED_TRACE(std::to_string(r.type) + " " + r.name);
        EXPECT_STREQ(row->name, r.name);
        EXPECT_EQ(row->present, 1);
        EXPECT_EQ(row->minimum, r.minimum);
        EXPECT_EQ(row->maximum, r.maximum);
        EXPECT_EQ(row->bias, r.bias);
        EXPECT_EQ(row->assignable, r.assignable);
        EXPECT_EQ(row->kind, r.kind);
        EXPECT_EQ(row->defaultValue, r.defaultValue);
    }

    struct Type
    {
        uint32_t type;
        const char* name;
        int32_t control1, control2;
        CZmFxCoupling coupling1, coupling2;  // {flag, A, B, switch}
        int32_t rule3Switch, rule4Parameter; // -1: rule not set
    };
    const Type types[] = {
        {2, "Filter", 2, 3, {0, 0, 0, 0}, {1, 9, 10, 8}, 5, 13},
        {3, "4 Band EQ", 5, 15, {0, 0, 0, 0}, {0, 0, 0, 0}, -1, -1},
        {6, "Delay", 6, 9, {1, 3, 6, 2}, {0, 0, 0, 0}, -1, -1},
        {8, "Auto Panning Delay", 5, 8, {1, 2, 5, 1}, {1, 11, 12, 10}, -1, 15},
        {17, "Grain Shifter", 2, 7, {1, 2, 4, 1}, {1, 7, 8, 6}, -1, 9},
    };
    for (const Type& t : types)
    {
        const CZmFxTypeInfo* info = effects.GetTypeInfo(t.type);
        ASSERT_NE(info, nullptr) << t.name;
        SCOPED_TRACE(t.name);
        EXPECT_STREQ(info->name, t.name);
        EXPECT_EQ(info->control1, t.control1);
        EXPECT_EQ(info->control2, t.control2);
        for (const auto& pair :
             {std::make_pair(&info->coupling1, &t.coupling1), std::make_pair(&info->coupling2, &t.coupling2)})
        {
            EXPECT_EQ(pair.first->flag, pair.second->flag);
            if (pair.second->flag == 0)
                continue;
            EXPECT_EQ(pair.first->a, pair.second->a);
            EXPECT_EQ(pair.first->b, pair.second->b);
            EXPECT_EQ(pair.first->sw, pair.second->sw);
        }
        EXPECT_EQ(info->rule3Flag != 0, t.rule3Switch >= 0);
        if (t.rule3Switch >= 0)
        {
            EXPECT_EQ(info->rule3Switch, t.rule3Switch);
        }
        EXPECT_EQ(info->rule4Flag != 0, t.rule4Parameter >= 0);
        if (t.rule4Parameter >= 0)
        {
            EXPECT_EQ(info->rule4Parameter, t.rule4Parameter);
        }
    }
}

TEST(ParameterTableInvariants, DeviceAddressesMatchTheParameterList)
{
    // Neighbours whose addresses run against their row order, where a swap would go unseen.
    struct Case
    {
        CZmParameterId id;
        uint32_t hi, lo;
    };
    const Case cases[] = {
        {{0, 15, 0}, 0x00, 0x17}, {{0, 14, 0}, 0x00, 0x1E}, {{0, 35, 0}, 0x00, 0x19},
        {{0, 36, 0}, 0x00, 0x18}, {{0, 43, 0}, 0x00, 0x1D}, {{2, 48, 0}, 0x11, 0x52},
        {{2, 50, 0}, 0x11, 0x51}, {{2, 99, 1}, 0x22, 0x01}, {{2, 105, 0}, 0x12, 0x02},
        {{4, 51, 1}, 0x29, 0x03}, {{5, 14, 0}, 0x42, 0x01}, {{5, 15, 0}, 0x42, 0x00},
        {{5, 37, 0}, 0x41, 0x01}, {{5, 2, 0}, 0x40, 0x04},  {{5, 6, 0}, 0x40, 0x01},
        {{8, 0, 0}, 0x61, 0x01},  {{8, 1, 0}, 0x61, 0x00},  {{8, 3, 0}, 0x61, 0x02},
        {{8, 2, 0}, 0x61, 0x06},
    };
    const CQ3580IdConverter converter;
    for (const Case& c : cases)
    {
        CZmDeviceAddress address;
        ASSERT_TRUE(converter.ToDeviceAddress(c.id, address));
        EXPECT_EQ(address.hi, c.hi) << c.id.group << "/" << c.id.index << "/" << c.id.timbre;
        EXPECT_EQ(address.lo, c.lo) << c.id.group << "/" << c.id.index << "/" << c.id.timbre;
    }
}
