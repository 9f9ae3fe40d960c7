#include "synthdata/CProgram.h"
#include "synthdata/CProgramRandomizer.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/ScriptedRandomSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace
{
// A program accessor that records every SetValue and can run a hook before each one.
class RecordingAccessor : public CQ3580ProgramAccessor
{
public:
    void SetValue(CZmData* program, const CZmParameterId& id, int32_t value) const override
    {
        if (beforeSet)
            beforeSet(id);
        writes.push_back(id);
        CQ3580ProgramAccessor::SetValue(program, id, value);
    }
    int Count(uint32_t group, uint32_t index) const
    {
        int n = 0;
        for (const CZmParameterId& id : writes)
            n += id.group == group && id.index == index;
        return n;
    }

    mutable std::vector<CZmParameterId> writes;
    std::function<void(const CZmParameterId&)> beforeSet;
};

// Timbre byte offset -> byte after the run; every other image byte keeps its value.
using Changes = std::map<uint32_t, uint8_t>;

void ExpectChanges(const uint8_t* init, const CProgram& program, uint32_t timbre, const Changes& changes)
{
    const uint8_t* image = program.GetImage();
    for (uint32_t at = 0; at < kQ3580ProgramImageSize; ++at)
    {
        uint8_t expected = init[at];
        const uint32_t base = 16 + 96 * timbre;
        if (at >= base && at < base + 96)
        {
            auto it = changes.find(at - base);
            if (it != changes.end())
                expected = it->second;
        }
        EXPECT_EQ(image[at], expected) << "image byte " << at;
    }
}

// Rule-based run on INITPROG with the lowest draws: every branch takes its first range
// at its lowest value.
const Changes kRulesLowest = {
    {4, 0x01},  {24, 0x66}, {25, 0x19}, {29, 0x00}, {30, 0x00}, {32, 0x63}, {37, 0x3B}, {42, 0x00},
    {50, 0x00}, {56, 0x00}, {61, 0x00}, {62, 0x00}, {66, 0x00}, {67, 0x00}, {70, 0x00}, {71, 0x40},
};

// ... and with the highest: every branch takes its second range at its highest drawn value.
const Changes kRulesHighest = {
    {7, 0x00},  {16, 0x05}, {17, 0x7E}, {18, 0x7E}, {21, 0x22}, {22, 0x58}, {23, 0x7E}, {24, 0x65},
    {25, 0x7E}, {26, 0x7E}, {28, 0x12}, {29, 0x7E}, {30, 0x7E}, {31, 0x7E}, {32, 0x7E}, {33, 0x3E},
    {34, 0x7E}, {35, 0x7E}, {36, 0x7E}, {37, 0x27}, {38, 0x3E}, {39, 0x7E}, {40, 0x77}, {42, 0x0A},
    {43, 0x7E}, {45, 0x7E}, {46, 0x7E}, {48, 0x7E}, {49, 0x7E}, {50, 0x7E}, {51, 0x7E}, {52, 0x7E},
    {54, 0x7E}, {55, 0x3E}, {56, 0x3E}, {57, 0x7E}, {58, 0x7E}, {60, 0x7E}, {61, 0x7E}, {62, 0x7E},
    {63, 0x7E}, {64, 0x7E}, {66, 0x03}, {67, 0x7E}, {68, 0x20}, {70, 0x03}, {71, 0x3E}, {72, 0x20},
};

// Shift run with the lowest draws: parameters not in use (Filter 2, Drive/WS Depth, PCM
// wave, sync notes) keep their values.
const Changes kSimpleLowest = {
    {22, 0x28}, {23, 0x01}, {24, 0x00}, {29, 0x00}, {30, 0x00}, {32, 0x01}, {33, 0x01}, {34, 0x01},
    {42, 0x00}, {49, 0x00}, {50, 0x00}, {52, 0x01}, {55, 0x00}, {56, 0x00}, {58, 0x01}, {61, 0x00},
    {62, 0x00}, {64, 0x01}, {66, 0x00}, {67, 0x00}, {70, 0x00}, {71, 0x00}, {74, 0x00}, {76, 0x01},
    {77, 0x00}, {79, 0x01}, {80, 0x00}, {81, 0x00}, {82, 0x01}, {83, 0x00}, {84, 0x00}, {85, 0x01},
    {86, 0x00}, {87, 0x00}, {88, 0x01}, {89, 0x00}, {90, 0x00}, {91, 0x01},
};

// Shift run with the highest draws: OSC 1 Wave becomes PCM, so the two OSC 1 controls are
// left alone and the PCM wave is drawn.
const Changes kSimpleHighest = {
    {16, 0x06}, {19, 0x3E}, {21, 0x22}, {22, 0x57}, {23, 0x7E}, {24, 0x7E}, {25, 0x7E}, {26, 0x7E},
    {28, 0x12}, {29, 0x7E}, {30, 0x7E}, {31, 0x7E}, {32, 0x7E}, {33, 0x7E}, {34, 0x7E}, {35, 0x7E},
    {36, 0x7E}, {37, 0x7E}, {38, 0x7E}, {39, 0x7E}, {42, 0x0A}, {43, 0x7E}, {46, 0x7E}, {48, 0x7E},
    {49, 0x7E}, {50, 0x7E}, {51, 0x7E}, {52, 0x7E}, {54, 0x7E}, {55, 0x7E}, {56, 0x7E}, {57, 0x7E},
    {58, 0x7E}, {60, 0x7E}, {61, 0x7E}, {62, 0x7E}, {63, 0x7E}, {64, 0x7E}, {66, 0x03}, {67, 0x7E},
    {68, 0x20}, {70, 0x03}, {71, 0x7E}, {72, 0x20}, {74, 0x0A}, {75, 0x26}, {76, 0x7E}, {77, 0x0A},
    {78, 0x26}, {79, 0x7E}, {80, 0x0A}, {81, 0x26}, {82, 0x7E}, {83, 0x0A}, {84, 0x26}, {85, 0x7E},
    {86, 0x0A}, {87, 0x26}, {88, 0x7E}, {89, 0x0A}, {90, 0x26}, {91, 0x7E},
};

struct RunCase
{
    const char* name;
    bool simple;
    ScriptedRandomSource::Fallback draws;
    uint32_t timbre;
    const Changes* changes;
};

class RandomizerRunTest : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(RandomizerRunTest, ChangesExactlyTheTimbreBytesTheRulesGive)
{
    const RunCase& c = GetParam();
    CProgram program;
    program.Init();
    CQ3580ProgramAccessor accessor;
    // The second timbre is in use only while Voice Mode is not Single.
    accessor.SetValue(&program, {0, 35, 0}, c.timbre == 0 ? 0 : 1);
    std::vector<uint8_t> before(program.GetImage(), program.GetImage() + kQ3580ProgramImageSize);
    ScriptedRandomSource random(c.draws);
    CProgramRandomizer randomizer(&program, c.timbre, accessor, random);
    if (c.simple)
        randomizer.RandomizeSimple();
    else
        randomizer.Randomize();
    ExpectChanges(before.data(), program, c.timbre, *c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RandomizerRunTest,
    ::testing::Values(RunCase{"RulesLowest", false, ScriptedRandomSource::kLowest, 0, &kRulesLowest},
                      RunCase{"RulesHighest", false, ScriptedRandomSource::kHighest, 0, &kRulesHighest},
                      RunCase{"RulesHighestTimbre2", false, ScriptedRandomSource::kHighest, 1,
                              &kRulesHighest},
                      RunCase{"SimpleLowest", true, ScriptedRandomSource::kLowest, 0, &kSimpleLowest},
                      RunCase{"SimpleHighest", true, ScriptedRandomSource::kHighest, 0, &kSimpleHighest},
                      RunCase{"SimpleLowestTimbre2", true, ScriptedRandomSource::kLowest, 1, &kSimpleLowest}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

class RandomizerTest : public ::testing::Test
{
public:
    RandomizerTest() { program.Init(); }

    CProgram program;
    RecordingAccessor accessor;
    ScriptedRandomSource random;
    CProgramRandomizer randomizer{&program, 0, accessor, random};
};

TEST_F(RandomizerTest, UniformNeverDrawsItsUpperBoundAndAnEmptyRangeNotAtAll)
{
    EXPECT_EQ(randomizer.Uniform(5, 5), 5);
    EXPECT_EQ(random.intDraws, 0);
    ScriptedRandomSource high(ScriptedRandomSource::kHighest);
    CProgramRandomizer r(&program, 0, accessor, high);
    EXPECT_EQ(r.Uniform(0, 127), 126);
    EXPECT_EQ(r.Uniform(-63, -40), -41);
}

TEST_F(RandomizerTest, SimpleVariantWritesOnlyParametersInUseWithARangeOfSeveralValues)
{
    ScriptedRandomSource high(ScriptedRandomSource::kHighest);
    CProgramRandomizer r(&program, 0, accessor, high);
    r.RandomizeSimple();
    // OSC 1 Wave is drawn first and becomes PCM: OSC 1 Mod then has the single value 0, the
    // controls are not in use; the sync notes stay off while BPM Sync is off.
    for (uint32_t row : {21u, 22u, 23u, 34u, 85u, 92u})
        EXPECT_EQ(accessor.Count(2, row), 0) << "row " << row;
    EXPECT_EQ(accessor.Count(2, 24), 1);
    EXPECT_EQ(accessor.writes.size(), 73u - 6u);
}

TEST_F(RandomizerTest, PcmWaveAloneOfTheOscillatorControlsIsRedrawnForAPcmWave)
{
    // Once Portamento Time is written (step 4), the wave draws answer "not 0..3", then "PCM".
    accessor.beforeSet = [&](const CZmParameterId& id)
    {
        if (id.group == 1 && id.index == 20)
            random.PushFloats({0.9f, 0.1f});
    };
    randomizer.Randomize();
    std::vector<uint32_t> between;
    bool inside = false;
    for (const CZmParameterId& id : accessor.writes)
    {
        if (id.group == 2 && id.index == 19)
            inside = true;
        else if (id.group == 2 && id.index == 27)
            break;
        else if (inside)
            between.push_back(id.index);
    }
    EXPECT_EQ(between, std::vector<uint32_t>{24});
    EXPECT_EQ(accessor.GetValue(&program, {2, 19, 0}), 6);
}

TEST_F(RandomizerTest, QuietEnvelopeIsLiftedOnceInOneOfDecayAndSustain)
{
    struct Case
    {
        const char* name;
        std::initializer_list<float> floats; // m, n, then the range of the redraw
        int decayWrites;
        int sustainWrites;
        int32_t decay;
        int32_t sustain;
    };
    const Case cases[] = {
        {"decay redrawn", {0.0f, 0.0f, 0.9f}, 2, 1, 73, 0},
        {"sustain redrawn", {0.0f, 0.9f, 0.0f}, 1, 2, 64, 96},
        {"left alone", {0.9f}, 1, 1, 64, 0},
    };
    for (const Case& c : cases)
    {
        CProgram p;
        p.Init();
        RecordingAccessor a;
        ScriptedRandomSource s;
        // With the lowest draws EG 1 ends at decay 64 and sustain 0 (sum 64): the next draws decide.
        bool pushed = false;
        a.beforeSet = [&](const CZmParameterId& id)
        {
            if (id.group == 2 && id.index == 57 && !pushed)
                s.PushFloats(c.floats);
            pushed = pushed || id.index == 57;
        };
        CProgramRandomizer(&p, 0, a, s).Randomize();
        EXPECT_EQ(a.Count(2, 56), c.decayWrites) << c.name;
        EXPECT_EQ(a.Count(2, 57), c.sustainWrites) << c.name;
        EXPECT_EQ(a.GetValue(&p, {2, 56, 0}), c.decay) << c.name;
        EXPECT_EQ(a.GetValue(&p, {2, 57, 0}), c.sustain) << c.name;
    }
}

TEST_F(RandomizerTest, PatchSourceFollowsTheWeightsAndAnIntensityOfZeroKeepsTheRoute)
{
    // Draw for v (v - 1) -> source: the first source whose cumulative weight reaches v.
    const std::pair<int32_t, int32_t> cases[] = {{1, 0},  {5, 0},  {6, 1},  {8, 1},  {9, 2},  {23, 2},
                                                 {24, 3}, {60, 5}, {61, 6}, {88, 7}, {89, 8}, {99, 8}};
    for (const auto& c : cases)
    {
        const int32_t v = c.first;
        const int32_t source = c.second;
        CProgram p;
        p.Init();
        RecordingAccessor a;
        ScriptedRandomSource s;
        // After LFO 2 Frequency (step 27): patch 1 gets intensity 40, the drawn source and
        // destination 7; patches 2-6 get intensity 0 and keep their routes.
        a.beforeSet = [&](const CZmParameterId& id)
        {
            if (id.group == 2 && id.index == 88)
            {
                s.PushFloats({0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f});
                s.PushInts({40, v - 1});
            }
        };
        CProgramRandomizer(&p, 0, a, s).Randomize();
        EXPECT_EQ(a.GetValue(&p, {2, 105, 0}), 40);
        EXPECT_EQ(a.GetValue(&p, {2, 93, 0}), source) << "v " << v;
        EXPECT_EQ(a.GetValue(&p, {2, 99, 0}), 7);
        for (uint32_t n = 2; n <= 6; ++n)
        {
            EXPECT_EQ(a.Count(2, 92 + n), 0);
            EXPECT_EQ(a.Count(2, 98 + n), 0);
        }
    }
}

TEST_F(RandomizerTest, NegativePatchIntensityAndDestinationDraws)
{
    accessor.beforeSet = [&](const CZmParameterId& id)
    {
        if (id.group == 2 && id.index == 88)
        {
            // Intensity from the second branch: nextInt(62) - 63; destination nextInt(39).
            random.PushFloats({0.1f, 0.9f, 0.5f});
            random.PushInts({0, 0, 38});
        }
    };
    randomizer.Randomize();
    EXPECT_EQ(accessor.GetValue(&program, {2, 105, 0}), -63);
    EXPECT_EQ(accessor.GetValue(&program, {2, 93, 0}), 0);
    EXPECT_EQ(accessor.GetValue(&program, {2, 99, 0}), 38);
}

TEST_F(RandomizerTest, Osc2LevelIsNeverBelowWhatOsc1LevelLeaves)
{
    for (int32_t x : {0, 30, 76})
    {
        CProgram p;
        p.Init();
        RecordingAccessor a;
        ScriptedRandomSource s;
        // OSC 1 Level from x = 50 + draw; OSC 2 Level from the lowest draw of its range.
        a.beforeSet = [&](const CZmParameterId& id)
        {
            if (id.group == 2 && id.index == 29)
                s.PushInts({x});
        };
        CProgramRandomizer(&p, 0, a, s).Randomize();
        const int32_t osc1 = a.GetValue(&p, {2, 30, 0});
        EXPECT_EQ(a.GetValue(&p, {2, 31, 0}), 127 - osc1) << "x " << x;
    }
}
} // namespace
