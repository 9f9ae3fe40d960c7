#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/FakeStringTable.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
// Section bases of the program image, by group; -1 for groups without a section.
const int kSectionBase[10] = {0, 16, 16, -1, 16, 208, 286, 0, 338, -1};

bool IsTimbreGroup(uint32_t g)
{
    return g == 1 || g == 2 || g == 4;
}

bool Is16Bit(uint32_t g, uint32_t i)
{
    return (g == 7 && i == 0) || (g == 5 && i >= 53 && i <= 68);
}

// Rows whose writes change other parameters on purpose (OSC 1 Wave/Mod, FX Type).
bool HasDependents(uint32_t g, uint32_t i)
{
    return (g == 2 && (i == 19 || i == 21)) || (g == 6 && (i == 1 || i == 25));
}

// Every present row of the program table, with both timbres for the timbre groups.
std::vector<CZmParameterId> PresentIds(const CZmProgramAccessor& a)
{
    std::vector<CZmParameterId> ids;
    for (uint32_t g = 0; g < 10; ++g)
        for (uint32_t i = 0; i < a.GetTable()->GetParameterCount(g); ++i)
        {
            if (!a.IsPresent({g, i, 0}))
                continue;
            ids.push_back({g, i, 0});
            if (IsTimbreGroup(g))
                ids.push_back({g, i, 1});
        }
    return ids;
}

// Image bits that belong to the id's field.
std::vector<uint8_t> FieldBits(const CZmProgramAccessor& a, const CZmParameterId& id)
{
    std::vector<uint8_t> bits(kQ3580ProgramImageSize, 0);
    const CZmParameterInfo* row = a.GetParameterInfo(id);
    const uint32_t at = static_cast<uint32_t>(kSectionBase[id.group]) +
                        (IsTimbreGroup(id.group) ? 96 * id.timbre : 0) + row->offset;
    if (Is16Bit(id.group, id.index))
        bits[at] = bits[at + 1] = 0xFF;
    else
        bits[at] = static_cast<uint8_t>(row->mask << row->shift);
    return bits;
}

std::string Describe(const CZmProgramAccessor& a, const CZmParameterId& id)
{
    return std::to_string(id.group) + "/" + std::to_string(id.index) + "/" + std::to_string(id.timbre) + " " +
           a.GetParameterInfo(id)->name;
}

class ProgramAccessorTest : public ::testing::Test
{
public:
    ProgramAccessorTest() { program.Init(); }

    int32_t Get(uint32_t g, uint32_t i, uint32_t t = 0) { return accessor.GetValue(&program, {g, i, t}); }
    void Set(uint32_t g, uint32_t i, int32_t v, uint32_t t = 0) { accessor.SetValue(&program, {g, i, t}, v); }
    uint8_t Byte(uint32_t at) const { return program.GetImage()[at]; }
    std::string Text(const CZmParameterId& id, int32_t v)
    {
        char buffer[64];
        accessor.GetValueText(&program, id, v, buffer, sizeof buffer);
        return buffer;
    }

    CQ3580ProgramAccessor accessor;
    CProgram program;
};

// Ids of the OSC 1 rows of a timbre.
CZmParameterId Mod(uint32_t t = 0)
{
    return {2, 21, t};
}
CZmParameterId Ctrl1(uint32_t t = 0)
{
    return {2, 22, t};
}
CZmParameterId Ctrl2(uint32_t t = 0)
{
    return {2, 23, t};
}
} // namespace

TEST_F(ProgramAccessorTest, EveryPresentRowTakesItsMinimumAndMaximumInItsOwnBits)
{
    const std::vector<CZmParameterId> ids = PresentIds(accessor);
    ASSERT_EQ(ids.size(), 16u + 2 * 8 + 2 * 80 + 2 * 4 + 64 + 46 + 3 + 15);
    for (const CZmParameterId& id : ids)
    {
        SCOPED_TRACE(Describe(accessor, id));
        const std::vector<uint8_t> bits = FieldBits(accessor, id);
        for (bool raw : {true, false})
        {
            CProgram p;
            p.Init();
            const int32_t limits[2] = {accessor.GetMin(&p, id), accessor.GetMax(&p, id)};
            for (int32_t v : limits)
            {
                std::vector<uint8_t> before(p.GetImage(), p.GetImage() + kQ3580ProgramImageSize);
                if (raw)
                {
                    accessor.SetParameter(&p, id, v);
                    EXPECT_EQ(accessor.GetParameter(&p, id), v);
                }
                else
                {
                    accessor.SetValue(&p, id, v);
                    EXPECT_EQ(accessor.GetValue(&p, id), v);
                }
                if (!raw && HasDependents(id.group, id.index))
                    continue;
                for (uint32_t b = 0; b < kQ3580ProgramImageSize; ++b)
                    ASSERT_EQ((before[b] ^ p.GetImage()[b]) & ~bits[b], 0) << "byte " << b << " value " << v;
            }
        }
    }
}

TEST_F(ProgramAccessorTest, EveryEffectTypesRowsTakeTheirLimits)
{
    for (uint32_t effect = 0; effect < 2; ++effect)
        for (int32_t type = 0; type < 18; ++type)
        {
            CProgram p;
            p.Init();
            const uint32_t typeRow = effect == 0 ? 1 : 25;
            accessor.SetValue(&p, {6, typeRow, 0}, type);
            ASSERT_EQ(accessor.GetValue(&p, {6, typeRow, 0}), type);
            for (uint32_t param = 0; param < 20; ++param)
            {
                const CZmParameterId id{6, typeRow + 3 + param, 0};
                const CZmFxParameterInfo* row = accessor.GetFxTable()->GetParameterInfo(type, param);
                if (row->present == 0)
                    continue;
                SCOPED_TRACE(std::to_string(type) + " " + row->name);
                EXPECT_EQ(accessor.GetMin(&p, id), row->minimum);
                EXPECT_EQ(accessor.GetMax(&p, id), row->maximum);
                EXPECT_STREQ(accessor.GetName(&p, id), row->name);
                for (int32_t v : {row->minimum, row->maximum})
                {
                    accessor.SetValue(&p, id, v);
                    EXPECT_EQ(accessor.GetValue(&p, id), v);
                    EXPECT_EQ(p.GetImage()[286 + 24 * effect + 4 + param],
                              static_cast<uint8_t>(v + row->bias));
                }
            }
        }
}

TEST_F(ProgramAccessorTest, ChoosingAnEffectTypeWritesItsDefaultsAndControls)
{
    const std::vector<uint8_t> init(program.GetImage(), program.GetImage() + kQ3580ProgramImageSize);
    for (int32_t type = 17; type >= 0; --type)
    {
        SCOPED_TRACE(type);
        Set(6, 25, type);
        const CZmFxTypeInfo* info = accessor.GetFxTable()->GetTypeInfo(type);
        for (uint32_t param = 0; param < 20; ++param)
        {
            const CZmFxParameterInfo* row = accessor.GetFxTable()->GetParameterInfo(type, param);
            const int32_t expected = std::max(row->minimum, std::min(row->defaultValue, row->maximum));
            EXPECT_EQ(Get(6, 28 + param), expected) << row->name;
            EXPECT_EQ(Byte(310 + 4 + param), static_cast<uint8_t>(expected + row->bias)) << row->name;
        }
        EXPECT_EQ(Get(6, 26), info->control1);
        EXPECT_EQ(Get(6, 27), info->control2);
        // Effect 1 keeps its bytes.
        EXPECT_EQ(std::memcmp(program.GetImage() + 286, init.data() + 286, 24), 0);
    }

    // Known bytes of two types, as the instrument stores them.
    Set(6, 25, 2);             // Filter
    EXPECT_EQ(Byte(314), 100); // Dry/Wet
    EXPECT_EQ(Byte(315), 2);   // Filter Type
    EXPECT_EQ(Byte(320), 64);  // Mod Intensity 0, stored with bias 64
    EXPECT_EQ(Byte(324), 8);   // LFO Sync Note
    EXPECT_EQ(Byte(312), 2);   // Control 1
    EXPECT_EQ(Byte(313), 3);   // Control 2
    Set(6, 25, 11);            // Chorus: LFO Spread's default lies above its range and is brought into it
    EXPECT_EQ(Get(6, 28 + 3), 18);
    EXPECT_EQ(Byte(314 + 3), 18 + 64);
}

TEST_F(ProgramAccessorTest, RewritingTheCurrentEffectTypeKeepsItsParameters)
{
    Set(6, 1, 6); // Delay
    Set(6, 4, 40);
    Set(6, 1, 6);
    EXPECT_EQ(Get(6, 4), 40);
    Set(6, 1, 7);
    EXPECT_NE(Get(6, 4), 40);
}

TEST_F(ProgramAccessorTest, AnEffectTypeByteOutOfRangeFallsBackToTheProgramRow)
{
    program.GetImage()[286] = 0x7F; // type 127 on effect 1
    const CZmParameterId param{6, 4, 0};
    EXPECT_EQ(accessor.GetMin(&program, param), 0);
    EXPECT_EQ(accessor.GetMax(&program, param), 127);
    EXPECT_STREQ(accessor.GetName(&program, param), "Param 1");
    EXPECT_STREQ(accessor.GetFormat(&program, param), "Value");
    EXPECT_TRUE(accessor.IsPresent(&program, param));
    EXPECT_FALSE(accessor.IsControlAssignable(&program, param));
    EXPECT_TRUE(accessor.IsParameterEnabled(&program, param));
    accessor.SetValue(&program, param, 99);
    EXPECT_EQ(accessor.GetValue(&program, param), 99);
    accessor.SetValue(&program, {6, 2, 0}, 5); // Control 1: no couplings to apply
    EXPECT_EQ(accessor.GetValue(&program, {6, 2, 0}), 5);
    EXPECT_EQ(accessor.GetValue(&program, {6, 1, 0}), 17); // FX Type itself is limited to its range
}

TEST_F(ProgramAccessorTest, CouplingsMoveControlsToTheMemberInUse)
{
    Set(6, 1, 2); // Filter: coupling (switch 8: LFO Tempo Sync; A 9 LFO Frequency; B 10 LFO Sync Note)
    Set(6, 2, 9);
    EXPECT_EQ(Get(6, 2), 9);
    Set(6, 4 + 8, 1); // tempo sync on: Control 1 follows to the sync note
    EXPECT_EQ(Get(6, 2), 10);
    EXPECT_EQ(Get(6, 3), 3); // Control 2 pointed elsewhere and stays
    Set(6, 3, 9);            // asking for the frequency while synced gives the sync note
    EXPECT_EQ(Get(6, 3), 10);
    Set(6, 4 + 8, 0);
    EXPECT_EQ(Get(6, 2), 9);
    EXPECT_EQ(Get(6, 3), 9);
    Set(6, 3, 10);
    EXPECT_EQ(Get(6, 3), 9);

    Set(6, 25, 16); // Ring Modulator on effect 2: parameter 1 chooses between 2 and 3
    Set(6, 26, 3);
    EXPECT_EQ(Get(6, 26), 2);
    Set(6, 28 + 1, 1);
    EXPECT_EQ(Get(6, 26), 3);
    EXPECT_EQ(Get(6, 2), 9); // effect 1 untouched
}

TEST_F(ProgramAccessorTest, EffectRulesDecideEnabledAndAssignable)
{
    auto enabled = [&](uint32_t param) { return accessor.IsParameterEnabled(&program, {6, 4 + param, 0}); };
    auto assignable = [&](uint32_t param) {
        return accessor.IsControlAssignable(&program, {6, 4 + param, 0});
    };

    // Effect Off: everything but the type is disabled.
    EXPECT_TRUE(accessor.IsParameterEnabled(&program, {6, 1, 0}));
    EXPECT_FALSE(accessor.IsParameterEnabled(&program, {6, 2, 0}));
    EXPECT_FALSE(enabled(0));

    Set(6, 1, 2); // Filter
    EXPECT_TRUE(enabled(9));
    EXPECT_FALSE(enabled(10));
    EXPECT_TRUE(assignable(9));
    EXPECT_FALSE(assignable(10));
    EXPECT_FALSE(assignable(0)); // Dry/Wet is never a Control target
    Set(6, 4 + 8, 1);
    EXPECT_FALSE(enabled(9));
    EXPECT_TRUE(enabled(10));
    EXPECT_FALSE(assignable(9));
    EXPECT_TRUE(assignable(10));
    EXPECT_TRUE(enabled(11));
    EXPECT_FALSE(enabled(15));
    Set(6, 4 + 5, 1); // Mod Source: Ctrl
    EXPECT_FALSE(enabled(11));
    EXPECT_TRUE(enabled(15));
    Set(6, 4 + 5, 0);
    Set(6, 4 + 13, 0); // LFO Key Sync off: Init Phase follows it
    EXPECT_FALSE(enabled(14));
    Set(6, 4 + 13, 1);
    EXPECT_TRUE(enabled(14));

    Set(6, 1, 6); // Delay: switch 2 chooses between parameters 3-5 and 6-8
    Set(6, 4 + 2, 0);
    EXPECT_TRUE(enabled(3) && enabled(5));
    EXPECT_FALSE(enabled(6) || enabled(8));
    EXPECT_TRUE(enabled(9));
    Set(6, 4 + 2, 1);
    EXPECT_FALSE(enabled(3) || enabled(5));
    EXPECT_TRUE(enabled(6) && enabled(8));

    Set(6, 1, 3); // 4 Band EQ
    Set(6, 4 + 2, 1);
    EXPECT_FALSE(enabled(4));
    Set(6, 4 + 2, 0);
    EXPECT_TRUE(enabled(4));

    Set(6, 1, 16); // Ring Modulator
    Set(6, 4 + 1, 0);
    EXPECT_TRUE(enabled(2));
    EXPECT_FALSE(enabled(3) || enabled(4));
    Set(6, 4 + 1, 1);
    EXPECT_FALSE(enabled(2));
    EXPECT_TRUE(enabled(3) && enabled(4));
}

TEST_F(ProgramAccessorTest, SixteenBitRowsAreReadWholeAndLimited)
{
    program.GetImage()[334] = 0x0A;
    program.GetImage()[335] = 0x00;
    EXPECT_EQ(Get(7, 0), 20);
    Set(7, 0, 500);
    EXPECT_EQ(Byte(334), 0x2C);
    EXPECT_EQ(Byte(335), 0x01);
    EXPECT_EQ(Get(7, 0), 300);
    Set(7, 0, 128);
    EXPECT_EQ(Get(7, 0), 128);

    Set(5, 53, 40000); // Band 1 Hold Data, bytes 254-255
    EXPECT_EQ(Get(5, 53), 32767);
    EXPECT_EQ(Byte(254), 0xFF);
    EXPECT_EQ(Byte(255), 0x7F);
    Set(5, 68, 300); // Band 16, bytes 284-285
    EXPECT_EQ(Byte(284), 0x2C);
    EXPECT_EQ(Byte(285), 0x01);
    Set(5, 68, -1);
    EXPECT_EQ(Get(5, 68), 0);
}

TEST_F(ProgramAccessorTest, RawWritesOfSixteenBitRowsAreLimitedToTheirRange)
{
    struct Case
    {
        CZmParameterId id;
        uint32_t at;
        int32_t value, stored;
    };
    const Case cases[] = {
        {{7, 0, 0}, 334, 5000, 300},      {{7, 0, 0}, 334, 19, 20},        {{7, 0, 0}, 334, INT32_MIN, 20},
        {{7, 0, 0}, 334, INT32_MAX, 300}, {{5, 53, 0}, 254, 40000, 32767}, {{5, 68, 0}, 284, -5, 0},
        {{5, 60, 0}, 268, 65535, 32767},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(Describe(accessor, c.id) + " " + std::to_string(c.value));
        program.Init();
        accessor.SetParameter(&program, c.id, c.value);
        EXPECT_EQ(Byte(c.at) | (Byte(c.at + 1) << 8), c.stored);
        EXPECT_EQ(accessor.GetParameter(&program, c.id), c.stored);
    }
    // Bytes from outside (a dump, a file) read limited as well.
    program.GetImage()[334] = 0xFF;
    program.GetImage()[335] = 0xFF;
    EXPECT_EQ(accessor.GetParameter(&program, {7, 0, 0}), 300);
}

TEST_F(ProgramAccessorTest, SignedAndBiasedFields)
{
    Set(0, 43, -3); // Octave: high nibble of byte 15, bias 8
    EXPECT_EQ(Byte(15) >> 4, 5);
    EXPECT_EQ(Get(0, 43), -3);
    Set(0, 12, 9); // Category: low nibble of the same byte
    EXPECT_EQ(Byte(15), 0x59);
    EXPECT_EQ(Get(0, 43), -3);
    Set(2, 16, -100, 1); // Transpose of timbre 2, limited to -48, stored with bias 64
    EXPECT_EQ(Byte(112 + 10), 16);
    EXPECT_EQ(Get(2, 16, 1), -48);
    Set(5, 14, 2); // Formant Shift: 3 bits, bias 4
    EXPECT_EQ((Byte(248) >> 4) & 7, 6);
    EXPECT_EQ(Get(5, 14), 2);
}

TEST_F(ProgramAccessorTest, RefusedAccessesReadZeroAndWriteNothing)
{
    const std::vector<uint8_t> before(program.GetImage(), program.GetImage() + kQ3580ProgramImageSize);
    const CZmParameterId refused[] = {
        {3, 0, 0},  {3, 59, 1}, {9, 0, 0},  {10, 0, 0},
        {0, 44, 0},                                              // group 3, 9, unknown, past the count
        {0, 8, 0},  {2, 0, 0},  {6, 0, 0},  {8, 17, 0},          // absent rows
        {1, 16, 2}, {2, 36, 2}, {4, 48, 7}, {2, 19, 0xFFFFFFFF}, // no third timbre
    };
    for (const CZmParameterId& id : refused)
    {
        SCOPED_TRACE(std::to_string(id.group) + "/" + std::to_string(id.index) + "/" +
                     std::to_string(id.timbre));
        EXPECT_EQ(accessor.GetParameter(&program, id), 0);
        accessor.SetParameter(&program, id, 5);
        accessor.SetValue(&program, id, 5);
        accessor.SetParameterByFloat(&program, id, 0.5f);
        char text[32];
        accessor.GetCurrentValueText(&program, id, text, sizeof text);
        accessor.IsParameterEnabled(&program, id);
        EXPECT_EQ(std::memcmp(program.GetImage(), before.data(), kQ3580ProgramImageSize), 0);
    }
    EXPECT_EQ(accessor.GetParameter(nullptr, {2, 36, 0}), 0);
    accessor.SetValue(nullptr, {2, 36, 0}, 5);
    accessor.SetValue(nullptr, {6, 1, 0}, 5);
}

namespace
{
// Program data whose image is shorter than the program table expects.
class ShortData : public CZmData
{
public:
    explicit ShortData(size_t size) : m_bytes(size, 0x11) {}
    const char* GetChunkTag() const override { return "short"; }
    uint32_t GetChunkSize() const override { return 0; }
    uint8_t* GetImage() override { return m_bytes.data(); }
    const uint8_t* GetImage() const override { return m_bytes.data(); }
    uint32_t GetImageSize() const override { return static_cast<uint32_t>(m_bytes.size()); }
    std::vector<uint8_t> m_bytes;
};
} // namespace

TEST_F(ProgramAccessorTest, AccessesStayInsideTheImage)
{
    ShortData data(30);
    for (const CZmParameterId& id : PresentIds(accessor))
    {
        accessor.SetValue(&data, id, accessor.GetMax(&data, id));
        accessor.GetValue(&data, id);
        accessor.IsParameterEnabled(&data, id);
    }
    // Fields inside the short image still work; the rest read 0.
    EXPECT_EQ(accessor.GetValue(&data, {0, 43, 0}), 3);
    EXPECT_EQ(accessor.GetParameter(&data, {7, 0, 0}), 0);
    EXPECT_EQ(accessor.GetParameter(&data, {2, 36, 0}), 0);
}

TEST_F(ProgramAccessorTest, Osc1WaveChangesKeepEachWavesControls)
{
    Set(2, 19, 2);
    Set(2, 21, 3); // PM
    EXPECT_EQ(accessor.GetMax(&program, Ctrl2()), 31);
    Set(2, 22, 100);
    Set(2, 23, 20);
    EXPECT_EQ(Byte(16 + 18), 80); // Ctrl 2 is stored times 4 under PM

    Set(2, 19, 7); // Audio In: Mod goes to 0, Controls come from slots 13 and 14
    EXPECT_EQ(Get(2, 21), 0);
    EXPECT_EQ(accessor.GetMax(&program, Mod()), 0);
    EXPECT_EQ(Get(2, 22), 0);
    EXPECT_EQ(Byte(16 + 17), 64);
    EXPECT_EQ(Get(2, 23), 0);
    Set(2, 22, -63);
    EXPECT_EQ(Byte(16 + 17), 1);
    EXPECT_EQ(Get(2, 22), -63);

    Set(2, 19, 2); // back: Mod 3 and the PM controls return
    EXPECT_EQ(Get(2, 21), 3);
    EXPECT_EQ(Get(2, 22), 100);
    EXPECT_EQ(Get(2, 23), 20);

    Set(2, 19, 7); // and the remembered -63 comes back as -63
    EXPECT_EQ(Get(2, 22), -63);

    Set(2, 19, 0);
    Set(2, 21, 1); // Cross: its own slots, empty so far
    EXPECT_EQ(Get(2, 22), 0);
    Set(2, 22, 77);
    Set(2, 21, 3);
    EXPECT_EQ(Get(2, 22), 100);
    Set(2, 21, 1);
    EXPECT_EQ(Get(2, 22), 77);
}

TEST_F(ProgramAccessorTest, Osc1MemoryIsPerTimbre)
{
    Set(2, 21, 3, 0);
    Set(2, 21, 1, 1);
    Set(2, 19, 4, 0);
    Set(2, 19, 4, 1);
    EXPECT_EQ(Get(2, 21, 0), 0);
    EXPECT_EQ(Get(2, 21, 1), 0);
    Set(2, 23, -20, 0); // Formant Shift, stored + 64
    EXPECT_EQ(Byte(16 + 18), 44);
    EXPECT_EQ(Get(2, 23, 1), 0);
    Set(2, 19, 1, 0);
    Set(2, 19, 1, 1);
    EXPECT_EQ(Get(2, 21, 0), 3);
    EXPECT_EQ(Get(2, 21, 1), 1);
    Set(2, 19, 4, 0);
    EXPECT_EQ(Get(2, 23, 0), -20);
}

TEST_F(ProgramAccessorTest, Osc1WaveByteOutOfRangeIsTreatedAsTheLastWave)
{
    program.GetImage()[16 + 16] = 0x0F; // wave 15, mod 0
    EXPECT_EQ(Get(2, 19), 7);
    EXPECT_STREQ(accessor.GetName(&program, Ctrl1()), "Gain");
    EXPECT_EQ(accessor.GetMin(&program, Ctrl1()), -63);
    Set(2, 22, 10);
    EXPECT_EQ(Get(2, 22), 10);
    Set(2, 19, 0);
    EXPECT_EQ(Get(2, 19), 0);
}

TEST_F(ProgramAccessorTest, Osc1ControlNamesRangesAndFormatsFollowWaveAndMod)
{
    struct Case
    {
        int32_t wave, mod;
        const char* name1;
        int32_t min1, max1;
        const char* name2;
        int32_t min2, max2;
        const char* format2;
    };
    const Case cases[] = {
        {0, 0, "Waveform", 0, 127, "LFO 1 Mod Int", 0, 127, "Value"},
        {1, 0, "Pulse Width", 0, 127, "LFO 1 Mod Int", 0, 127, "Value"},
        {3, 0, "Wave Shape", 0, 127, "Wave Shape Mod Int", 0, 127, "Value"},
        {2, 1, "Mod.Depth", 0, 127, "LFO 1 Mod Int", 0, 127, "Value"},
        {2, 2, "Detune", 0, 127, "Unison Phase", 0, 127, "Value"},
        {2, 3, "Mod.Depth", 0, 127, "Mod.Harmonics", 0, 31, "PmHarmonics"},
        {4, 0, "Formant Width", 0, 127, "Formant Shift", -63, 63, "Value"},
        {5, 0, "Resonance", 0, 127, "LPF/HPF Balance", -63, 63, "NoiseFltBalance"},
        {6, 0, "---", 0, 0, "---", 0, 0, "Value"},
        {7, 0, "Gain", -63, 63, "---", 0, 0, "Value"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.wave) + "/" + std::to_string(c.mod));
        Set(2, 19, c.wave, 1);
        Set(2, 21, c.mod, 1);
        EXPECT_STREQ(accessor.GetName(&program, Ctrl1(1)), c.name1);
        EXPECT_EQ(accessor.GetMin(&program, Ctrl1(1)), c.min1);
        EXPECT_EQ(accessor.GetMax(&program, Ctrl1(1)), c.max1);
        EXPECT_STREQ(accessor.GetName(&program, Ctrl2(1)), c.name2);
        EXPECT_EQ(accessor.GetMin(&program, Ctrl2(1)), c.min2);
        EXPECT_EQ(accessor.GetMax(&program, Ctrl2(1)), c.max2);
        EXPECT_STREQ(accessor.GetFormat(&program, Ctrl2(1)), c.format2);
        // Writes and reads go through the same transformation.
        Set(2, 22, c.max1, 1);
        EXPECT_EQ(Get(2, 22, 1), c.max1);
        Set(2, 23, c.min2, 1);
        EXPECT_EQ(Get(2, 23, 1), c.min2);
    }
    EXPECT_STREQ(accessor.GetName(&program, Ctrl1(0)), "Waveform"); // timbre 1 untouched
}

TEST_F(ProgramAccessorTest, EnabledStateFollowsTheRules)
{
    struct Case
    {
        const char* what;
        std::function<void(ProgramAccessorTest&)> setup;
        CZmParameterId id;
        bool enabled;
    };
    auto set = [](uint32_t g, uint32_t i, int32_t v, uint32_t t = 0)
    { return [=](ProgramAccessorTest& f) { f.Set(g, i, v, t); }; };
    const Case cases[] = {
        {"timbre 2 channel in Multi", set(0, 35, 3), {0, 41, 0}, true},
        {"timbre 2 channel in Split", set(0, 35, 2), {0, 41, 0}, false},
        {"split key in Split", set(0, 35, 2), {0, 42, 0}, true},
        {"split key in Layer", set(0, 35, 1), {0, 42, 0}, false},
        {"unison detune, unison off", set(1, 16, 0), {1, 17, 0}, false},
        {"unison spread, unison on", set(1, 16, 2), {1, 18, 0}, true},
        {"ctrl 1 with PCM", set(2, 19, 6), {2, 22, 0}, false},
        {"ctrl 2 with Audio In", set(2, 19, 7), {2, 23, 0}, false},
        {"ctrl 2 with Noise", set(2, 19, 5), {2, 23, 0}, true},
        {"PCM wave without PCM", set(2, 19, 0), {2, 24, 0}, false},
        {"PCM wave with PCM", set(2, 19, 6), {2, 24, 0}, true},
        {"filter 2 cutoff, single routing", set(2, 33, 0), {2, 42, 0}, false},
        {"filter 2 cutoff, serial routing", set(2, 33, 1), {2, 42, 0}, true},
        {"drive depth, drive off", set(2, 50, 0), {2, 51, 0}, false},
        {"drive position, drive on", set(2, 50, 1), {2, 48, 0}, true},
        {"LFO 1 frequency, synced", set(2, 82, 1), {2, 81, 0}, false},
        {"LFO 1 sync note, synced", set(2, 82, 1), {2, 85, 0}, true},
        {"LFO 1 sync note, free", set(2, 82, 0), {2, 85, 0}, false},
        {"LFO 2 frequency, synced", set(2, 89, 1), {2, 88, 0}, false},
        {"LFO 2 sync note, free", set(2, 89, 0), {2, 92, 0}, false},
        {"band hold, E.F. sens 126", set(5, 19, 126), {5, 53, 0}, false},
        {"band hold, E.F. sens hold", set(5, 19, 127), {5, 68, 0}, true},
        {"step 5 with last step 3", set(8, 4, 3), {8, 13, 0}, false},
        {"step 4 with last step 3", set(8, 4, 3), {8, 12, 0}, true},
        {"absent arpeggiator row", set(8, 4, 7), {8, 17, 0}, false},
        {"timbre 2 in Single", set(0, 35, 0), {2, 36, 1}, false},
        {"timbre 2 EQ in Single", set(0, 35, 0), {4, 48, 1}, false},
        {"timbre 2 in Layer", set(0, 35, 1), {2, 36, 1}, true},
        {"timbre 1 in Single", set(0, 35, 0), {1, 20, 0}, true},
        {"mod sequencer", set(0, 35, 1), {3, 0, 0}, false},
    };
    for (const Case& c : cases)
    {
        program.Init();
        c.setup(*this);
        EXPECT_EQ(accessor.IsParameterEnabled(&program, c.id), c.enabled) << c.what;
    }
}

TEST_F(ProgramAccessorTest, DisplayTexts)
{
    std::vector<std::string> knobs(55);
    for (size_t i = 0; i < knobs.size(); ++i)
        knobs[i] = "Knob" + std::to_string(i);
    knobs[27] = "LFO 1 Frequency";
    FakeStringTable table({
        {"Osc1Wave", {"Saw", "Pulse", "Triangle", "Sine", "Formant", "Noise", "PCM/Wave", "Audio In"}},
        {"KnobAssign", knobs},
        {"KnobAssignLfoSync", {"LFO 1 Sync Note", "LFO 2 Sync Note"}},
        {"LfoInitPhase", {"0", "10", "20", "30"}},
        {"PitchVibratoInt", {"-2400cent", "-2320cent"}},
        {"MidiCh", {"1", "2"}},
    });
    struct Case
    {
        std::function<void(ProgramAccessorTest&)> setup;
        CZmParameterId id;
        int32_t value;
        const char* text;
    };
    auto none = [](ProgramAccessorTest&) {};
    auto set = [](uint32_t g, uint32_t i, int32_t v, uint32_t t = 0)
    { return [=](ProgramAccessorTest& f) { f.Set(g, i, v, t); }; };
    const Case cases[] = {
        {none, {2, 36, 0}, 64, "64"}, // Value, unsigned
        {none, {2, 16, 0}, 0, "+0"},  // Value, signed
        {none, {2, 16, 0}, 12, "+12"},
        {none, {2, 16, 1}, -5, "-5"},
        {none, {2, 52, 0}, 64, "CNT"}, // PanValue
        {none, {2, 52, 0}, 70, "R6"},
        {none, {2, 52, 0}, 1, "L63"},
        {none, {8, 5, 0}, 50, "50%"},   // PercentValue
        {none, {8, 6, 0}, -25, "-50%"}, // ArpSwing
        {none, {8, 6, 0}, 10, "20%"},
        {none, {8, 6, 0}, INT32_MIN, "-4294967296%"}, // any value has a text, without overflow
        {none, {2, 19, 0}, 3, "Sine"},                // list
        {none, {2, 19, 0}, 9, "9"},                   // list entry that does not exist
        {none, {2, 18, 0}, -62, "-2320cent"},         // list of a signed field: entry v - min
        {none, {2, 18, 0}, 0, "63"},
        {none, {0, 41, 0}, 1, "2"}, // MidiCh
        {set(2, 82, 1), {1, 22, 0}, 27, "LFO 1 Sync Note"},
        {set(2, 82, 0), {1, 22, 0}, 27, "LFO 1 Frequency"},
        {set(2, 89, 1, 1), {1, 23, 1}, 28, "LFO 2 Sync Note"},
        {set(2, 89, 1, 0), {1, 23, 1}, 28, "Knob28"},
        {[](ProgramAccessorTest& f) { f.Set(2, 21, 3); }, {2, 23, 0}, 0, "1"}, // PmHarmonics
        {set(6, 1, 2), {6, 4 + 14, 0}, 3, "30\t"},                             // LfoInitPhase
        {set(6, 1, 11), {6, 4 + 3, 0}, -5, "-50\t"},                           // FxLfoSpread
        {set(6, 1, 11), {6, 4 + 3, 0}, 0, "+0\t"},
        {set(6, 1, 11), {6, 4 + 3, 0}, 5, "+50\t"},
        {set(6, 1, 11), {6, 4 + 0, 0}, 30, "70:30"}, // FxWetDry
        {set(6, 1, 3), {6, 4 + 5, 0}, -3, "-1.5dB"}, // FxdBValue
        {set(6, 1, 3), {6, 4 + 5, 0}, 4, "+2.0dB"},
        {set(6, 1, 3), {6, 4 + 4, 0}, 15, "2.0"}, // FxEqQ
    };
    for (const Case& c : cases)
    {
        program.Init();
        c.setup(*this);
        EXPECT_EQ(Text(c.id, c.value), c.text) << Describe(accessor, c.id) << " " << c.value;
    }

    // The current value's text, and a buffer too small for it.
    program.Init();
    char small[3];
    accessor.GetCurrentValueText(&program, {2, 36, 0}, small, sizeof small);
    EXPECT_EQ(std::strlen(small), 2u);
}

TEST_F(ProgramAccessorTest, FloatConversionsRoundTripEveryValue)
{
    const CZmParameterId vibrato{2, 18, 0}; // -63..63
    EXPECT_FLOAT_EQ(accessor.ValueToFloat(&program, vibrato, -63), 0.0f);
    EXPECT_FLOAT_EQ(accessor.ValueToFloat(&program, vibrato, 63), 2.0f);
    EXPECT_EQ(accessor.FloatToValue(&program, vibrato, 2.0f), 63);
    EXPECT_EQ(accessor.FloatToValue(&program, {2, 36, 0}, 0.5f), 63); // truncation between steps

    for (const CZmParameterId& id : PresentIds(accessor))
    {
        const int32_t min = accessor.GetMin(&program, id);
        const int32_t max = accessor.GetMax(&program, id);
        for (int32_t v = min; v <= max; ++v)
        {
            const float f = accessor.ValueToFloat(&program, id, v);
            ASSERT_TRUE(std::isfinite(f));
            ASSERT_EQ(accessor.FloatToValue(&program, id, f), v) << Describe(accessor, id);
        }
    }

    // A range whose maximum is 0 (OSC 1 Ctrl 1 with the PCM wave).
    Set(2, 19, 6);
    EXPECT_EQ(accessor.GetMax(&program, Ctrl1()), 0);
    EXPECT_FLOAT_EQ(accessor.GetValueAsFloat(&program, Ctrl1()), 0.0f);
    accessor.SetParameterByFloat(&program, Ctrl1(), 0.7f);
    EXPECT_EQ(Get(2, 22), 0);

    accessor.SetParameterByFloat(&program, {7, 0, 0}, accessor.ValueToFloat(&program, {7, 0, 0}, 133));
    EXPECT_EQ(Get(7, 0), 133);
}

// Values and floats from anywhere (a MIDI message, a control, a file) must never overflow:
// the sanitizer build aborts on signed overflow.
TEST_F(ProgramAccessorTest, ExtremeValuesAndFloatsAreSafeForEveryRow)
{
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -65536, -1, 0, 1, 65536, INT32_MAX - 1, INT32_MAX};
    const float floats[] = {std::nanf(""), -std::nanf(""), HUGE_VALF, -HUGE_VALF, FLT_MAX, -FLT_MAX,
                            1e10f,         -1e10f,         FLT_MIN,   -0.0f,      0.5f};
    std::vector<CZmParameterId> ids = PresentIds(accessor);
    for (uint32_t param = 0; param < 20; ++param) // effect parameters under Ring Modulator, signed and biased
        ids.push_back({6, 28 + param, 0});
    for (const CZmParameterId& id : ids)
    {
        SCOPED_TRACE(Describe(accessor, id));
        CProgram p;
        p.Init();
        accessor.SetValue(&p, {6, 25, 0}, 16);
        for (int32_t v : values)
        {
            accessor.SetParameter(&p, id, v);
            (void)accessor.GetParameter(&p, id);
            accessor.SetValue(&p, id, v);
            const int32_t back = accessor.GetValue(&p, id);
            ASSERT_GE(back, accessor.GetMin(&p, id)) << v;
            ASSERT_LE(back, accessor.GetMax(&p, id)) << v;
            ASSERT_TRUE(std::isfinite(accessor.ValueToFloat(&p, id, v))) << v;
            char text[64];
            accessor.GetValueText(&p, id, v, text, sizeof text);
        }
        for (float f : floats)
        {
            (void)accessor.FloatToValue(&p, id, f);
            accessor.SetParameterByFloat(&p, id, f);
            const int32_t back = accessor.GetValue(&p, id);
            ASSERT_GE(back, accessor.GetMin(&p, id)) << f;
            ASSERT_LE(back, accessor.GetMax(&p, id)) << f;
        }
    }
}

TEST_F(ProgramAccessorTest, ExtremeInputsGiveTheNearestSoundResult)
{
    const CZmParameterId transpose{2, 16, 0}; // -48..48, bias 64
    const CZmParameterId cutoff{2, 36, 0};    // 0..127
    // The 8-bit rule keeps the low bits of value + bias, computed without overflow.
    accessor.SetParameter(&program, transpose, INT32_MAX); // 0x7FFFFFFF + 64 = 0x8000003F
    EXPECT_EQ(Byte(16 + 10), 0x3F);
    accessor.SetParameter(&program, transpose, INT32_MIN); // 0x80000000 + 64 = 0x80000040
    EXPECT_EQ(Byte(16 + 10), 0x40);

    EXPECT_FLOAT_EQ(accessor.ValueToFloat(&program, transpose, INT32_MIN), (-2147483648.0f + 48.0f) / 48.0f);
    EXPECT_FLOAT_EQ(accessor.ValueToFloat(&program, cutoff, INT32_MAX), 2147483647.0f / 127.0f);

    struct Case
    {
        CZmParameterId id;
        float f;
        int32_t value;
    };
    const Case cases[] = {
        {transpose, HUGE_VALF, INT32_MAX},
        {transpose, -HUGE_VALF, INT32_MIN},
        {transpose, FLT_MAX, INT32_MAX},
        {transpose, -FLT_MAX, INT32_MIN},
        {transpose, std::nanf(""), -48},
        {cutoff, std::nanf(""), 0},
        {cutoff, -1e20f, INT32_MIN},
        {cutoff, 1e20f, INT32_MAX},
        {transpose, 1.0f, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(accessor.FloatToValue(&program, c.id, c.f), c.value)
            << Describe(accessor, c.id) << " " << c.f;

    accessor.SetParameterByFloat(&program, transpose, FLT_MAX);
    EXPECT_EQ(Get(2, 16), 48);
    accessor.SetParameterByFloat(&program, transpose, -HUGE_VALF);
    EXPECT_EQ(Get(2, 16), -48);
    accessor.SetParameterByFloat(&program, transpose, std::nanf(""));
    EXPECT_EQ(Get(2, 16), -48);
    accessor.SetParameterByFloat(&program, cutoff, 1e30f);
    EXPECT_EQ(Get(2, 36), 127);
}

TEST_F(ProgramAccessorTest, FineValuesShowDoubledInCents)
{
    Set(6, 1, 16); // Ring Modulator: parameter 4 is Note Fine
    const CZmParameterId fine{6, 4 + 4, 0};
    ASSERT_STREQ(accessor.GetFormat(&program, fine), "FxFineValue");
    struct Case
    {
        int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {-3, "-6 cent"}, {0, "0 cent"}, {3, "+6 cent"}, {50, "+100 cent"}, {-50, "-100 cent"}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(Text(fine, c.value), c.text) << c.value;
        Set(6, 4 + 4, c.value);
        char buffer[32];
        accessor.GetCurrentValueText(&program, fine, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.text) << c.value;
    }
}

// Delay: coupling 1 has switch 2 (Delay Tempo Sync), A 3 (Time Ratio) and B 6 (Time Ratio
// with sync on); the type's Controls are 6 and 9.
TEST_F(ProgramAccessorTest, CouplingOneMovesTheControlsOfADelay)
{
    for (uint32_t effect = 0; effect < 2; ++effect)
    {
        SCOPED_TRACE(effect);
        program.Init();
        const uint32_t typeRow = effect == 0 ? 1 : 25;
        const uint32_t c1 = typeRow + 1, c2 = typeRow + 2, sw = typeRow + 3 + 2;
        const uint32_t otherC1 = effect == 0 ? 26 : 2;
        const int32_t otherControls[2] = {Get(6, otherC1), Get(6, otherC1 + 1)};
        Set(6, typeRow, 6);
        ASSERT_EQ(Get(6, sw), 1); // tempo sync on by default
        EXPECT_EQ(Get(6, c1), 6);
        EXPECT_EQ(Get(6, c2), 9);

        Set(6, sw, 0); // sync off: the Control on B follows to A, the other stays
        EXPECT_EQ(Get(6, c1), 3);
        EXPECT_EQ(Get(6, c2), 9);
        Set(6, c2, 6); // asking for B while the switch is off gives A
        EXPECT_EQ(Get(6, c2), 3);
        Set(6, sw, 1); // both follow back to B
        EXPECT_EQ(Get(6, c1), 6);
        EXPECT_EQ(Get(6, c2), 6);
        Set(6, c1, 3); // asking for A while the switch is on gives B
        EXPECT_EQ(Get(6, c1), 6);
        Set(6, c1, 10); // a Control outside the pair is left alone
        Set(6, sw, 0);
        EXPECT_EQ(Get(6, c1), 10);
        EXPECT_EQ(Get(6, c2), 3);
        // The other effect keeps its Controls.
        EXPECT_EQ(Get(6, otherC1), otherControls[0]);
        EXPECT_EQ(Get(6, otherC1 + 1), otherControls[1]);
    }
}

TEST_F(ProgramAccessorTest, LfoInitPhaseFollowsItsKeySync)
{
    struct Case
    {
        uint32_t keySyncRow, initPhaseRow;
        int32_t keySync;
        uint32_t timbre;
        bool enabled;
    };
    const Case cases[] = {
        {90, 91, 0, 0, false}, {90, 91, 1, 0, true},  {90, 91, 0, 1, false}, {90, 91, 1, 1, true},
        {90, 91, 2, 0, true},  {83, 84, 0, 0, false}, {83, 84, 1, 1, true},
    };
    for (const Case& c : cases)
    {
        program.Init();
        Set(0, 35, 1); // Layer, so that the second timbre is in use
        Set(2, c.keySyncRow, c.keySync, c.timbre);
        Set(2, c.keySyncRow, 1 - c.keySync, 1 - c.timbre); // the other timbre says the opposite
        EXPECT_EQ(accessor.IsParameterEnabled(&program, {2, c.initPhaseRow, c.timbre}), c.enabled)
            << "row " << c.initPhaseRow << " key sync " << c.keySync << " timbre " << c.timbre;
    }
}

TEST_F(ProgramAccessorTest, TotalsCountBothTimbres)
{
    EXPECT_EQ(accessor.GetParameterTotal(), 773u);
    EXPECT_EQ(accessor.GetCountedTotal(), 205u);
    EXPECT_TRUE(accessor.IsCounted({2, 36, 0}));
    EXPECT_FALSE(accessor.IsCounted({5, 21, 0}));
    EXPECT_EQ(accessor.GetLink(&program, {2, 36, 0}), 9);
    EXPECT_EQ(accessor.GetLink(&program, {2, 16, 0}), -1);
    EXPECT_EQ(accessor.GetLink(&program, {12, 0, 0}), -1);
}

TEST(ProgramAccessorSingleton, LastReleaseDeletesIt)
{
    EXPECT_EQ(CZmProgramAccessorSingleton::Get(), nullptr);
    CZmProgramAccessor* first = CZmProgramAccessorSingleton::Acquire();
    CZmProgramAccessor* second = CZmProgramAccessorSingleton::Acquire();
    EXPECT_EQ(first, second);
    CZmProgramAccessorSingleton::Release();
    EXPECT_EQ(CZmProgramAccessorSingleton::Get(), first);
    CZmProgramAccessorSingleton::Release();
    EXPECT_EQ(CZmProgramAccessorSingleton::Get(), nullptr);
}
