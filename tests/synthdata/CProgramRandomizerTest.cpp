#include "synthdata/CProgram.h"
#include "synthdata/CProgramRandomizer.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/ScriptedRandomSource.h"

#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <functional>
#include <string>
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

// Draws scripted from a given write on: the k-th write of an id (k = 0: before the run) is
// followed by the draws listed, every other draw is the lowest. A float just below or just above
// a step's probability decides its branch; an integer near the top or bottom of the range decides
// the value, so the bounds where one range gives way to the next are pinned.
struct Push
{
    CZmParameterId after;
    int occurrence;
    std::vector<float> floats;
    std::vector<int32_t> ints;
};

// Stands for the highest value a draw can give (n - 1), so a range drawn wider or narrower
// than the rule says shows in the value.
const int32_t kTop = -1000;

// Scripted draws first, then the lowest ones; a scripted integer must fit its draw.
class PinSource : public CZmRandomSource
{
public:
    int32_t NextInt(int32_t n) override
    {
        if (ints.empty())
            return 0;
        int32_t v = ints.front();
        ints.pop_front();
        if (v == kTop)
            v = n - 1;
        EXPECT_LT(v, n) << "scripted draw out of its range";
        return v;
    }
    float NextFloat() override
    {
        if (floats.empty())
            return 0.0f;
        const float v = floats.front();
        floats.pop_front();
        return v;
    }

    std::deque<float> floats;
    std::deque<int32_t> ints;
};

struct PinCase
{
    const char* name;
    std::vector<Push> pushes;
    CZmParameterId checked;
    int32_t expected;
};

const PinCase kPinCases[] = {
    {"Voice Assign below 0.78 is Poly", {{{}, 0, {0.779f}, {}}}, {2, 12, 0}, 2},
    {"Voice Assign above 0.78 is Mono", {{{}, 0, {0.781f}, {}}}, {2, 12, 0}, 0},
    {"Unison below 0.35 draws 1..2", {{{2, 12, 0}, 1, {0.349f}, {kTop}}}, {1, 16, 0}, 2},
    {"Unison above 0.35 is off", {{{2, 12, 0}, 1, {0.351f}, {}}}, {1, 16, 0}, 0},
    {"Unison Detune below 0.8 is 10", {{{1, 16, 0}, 1, {0.799f}, {}}}, {1, 17, 0}, 10},
    {"Unison Detune above 0.8 tops at 39", {{{1, 16, 0}, 1, {0.801f}, {kTop}}}, {1, 17, 0}, 39},
    {"Unison Spread 64 below 0.35", {{{1, 17, 0}, 1, {0.799f, 0.349f}, {}}}, {1, 18, 0}, 64},
    {"Unison Spread 127 above 0.35", {{{1, 17, 0}, 1, {0.799f, 0.351f}, {}}}, {1, 18, 0}, 127},
    {"Unison Spread drawn above 0.8", {{{1, 17, 0}, 1, {0.801f}, {kTop}}}, {1, 18, 0}, 126},
    {"Poly portamento off below 0.7", {{{1, 18, 0}, 1, {0.699f}, {}}}, {1, 20, 0}, 0},
    {"Poly portamento short tops at 24", {{{1, 18, 0}, 1, {0.701f, 0.899f}, {kTop}}}, {1, 20, 0}, 24},
    {"Poly portamento long starts at 26", {{{1, 18, 0}, 1, {0.701f, 0.901f}, {}}}, {1, 20, 0}, 26},
    // Mono: Unison off draws nothing more, so the next integer drawn is the portamento's.
    {"Mono portamento tops at 24 below 0.75 and 0.6",
     {{{}, 0, {0.781f, 0.351f, 0.749f, 0.599f}, {}}, {{1, 16, 0}, 1, {}, {kTop}}},
     {1, 20, 0},
     24},
    {"Mono portamento tops at 39 above 0.6",
     {{{}, 0, {0.781f, 0.351f, 0.749f, 0.601f}, {}}, {{1, 16, 0}, 1, {}, {kTop}}},
     {1, 20, 0},
     39},
    {"Mono portamento tops at 126 above 0.75",
     {{{}, 0, {0.781f, 0.351f, 0.751f, 0.499f}, {}}, {{1, 16, 0}, 1, {}, {kTop}}},
     {1, 20, 0},
     126},
    {"Mono portamento off above 0.5", {{{}, 0, {0.781f, 0.351f, 0.751f, 0.501f}, {}}}, {1, 20, 0}, 0},
    {"OSC 1 Wave 0..2 below 0.67", {{{1, 20, 0}, 1, {0.669f}, {kTop}}}, {2, 19, 0}, 2},
    {"OSC 1 Wave PCM below 0.73", {{{1, 20, 0}, 1, {0.671f, 0.729f}, {}}}, {2, 19, 0}, 6},
    {"OSC 1 Wave 4 below 0.6", {{{1, 20, 0}, 1, {0.671f, 0.731f, 0.599f}, {}}}, {2, 19, 0}, 4},
    {"OSC 1 Wave 5 above 0.6", {{{1, 20, 0}, 1, {0.671f, 0.731f, 0.601f}, {}}}, {2, 19, 0}, 5},
    {"OSC 1 Ctrl 2 tops at 31 below 0.75", {{{2, 22, 0}, 2, {0.749f}, {kTop}}}, {2, 23, 0}, 31},
    {"OSC 1 Ctrl 2 starts at 33 above 0.75", {{{2, 22, 0}, 2, {0.751f}, {}}}, {2, 23, 0}, 33},
    {"OSC 2 Mod off below 0.41", {{{2, 23, 0}, 2, {0.409f}, {2}}}, {2, 27, 0}, 0},
    {"OSC 2 Mod tops at 2 above 0.41", {{{2, 23, 0}, 2, {0.411f}, {kTop}}}, {2, 27, 0}, 2},
    {"OSC 2 Semitone 0 below 0.75", {{{2, 27, 0}, 1, {0.749f}, {70}}}, {2, 28, 0}, 0},
    {"OSC 2 Semitone drawn above 0.75", {{{2, 27, 0}, 1, {0.751f}, {70}}}, {2, 28, 0}, 7},
    {"OSC 2 Tune drawn above 0.85", {{{2, 28, 0}, 1, {0.851f}, {kTop}}}, {2, 29, 0}, 62},
    {"OSC 2 Tune 0 below 0.85", {{{2, 28, 0}, 1, {0.849f}, {}}}, {2, 29, 0}, 0},
    {"OSC 1 Level from x = 50 below 0.8", {{{2, 29, 0}, 1, {0.799f}, {}}}, {2, 30, 0}, 102},
    {"OSC 1 Level from x = 48 above 0.8", {{{2, 29, 0}, 1, {0.801f}, {kTop}}}, {2, 30, 0}, 101},
    {"OSC 1 Level from x = 1", {{{2, 29, 0}, 1, {0.801f}, {}}}, {2, 30, 0}, 0},
    {"Noise tops at 14 below 0.9", {{{2, 31, 0}, 1, {0.899f}, {kTop}}}, {2, 32, 0}, 14},
    {"Noise starts at 6 above 0.9", {{{2, 31, 0}, 1, {0.901f}, {}}}, {2, 32, 0}, 6},
    {"Filter 1 Balance tops at 47 below 0.68", {{{2, 32, 0}, 1, {0.679f}, {kTop}}}, {2, 35, 0}, 47},
    {"Filter 1 Balance 49..87 below 0.7", {{{2, 32, 0}, 1, {0.681f, 0.699f}, {kTop}}}, {2, 35, 0}, 87},
    {"Filter 1 Balance starts at 89 above 0.7", {{{2, 32, 0}, 1, {0.681f, 0.701f}, {}}}, {2, 35, 0}, 89},
    // Filter 1 EG 1 Int by Balance (written at step 10) and Cutoff (drawn in step 1 after Balance).
    {"EG 1 Int, thin balance, low cutoff, below 0.9",
     {{{2, 35, 0}, 1, {}, {31}}, {{2, 32, 0}, 1, {0.5f}, {47}}, {{2, 35, 0}, 2, {0.899f}, {kTop}}},
     {2, 38, 0},
     62},
    {"EG 1 Int, thin balance, cutoff 32, above 0.86",
     {{{2, 35, 0}, 1, {}, {32}}, {{2, 32, 0}, 1, {0.5f}, {47}}, {{2, 35, 0}, 2, {0.861f}, {kTop}}},
     {2, 38, 0},
     22},
    {"EG 1 Int, thin balance, cutoff 64, below 0.55",
     {{{2, 35, 0}, 1, {}, {64}}, {{2, 32, 0}, 1, {0.5f}, {47}}, {{2, 35, 0}, 2, {0.549f}, {}}},
     {2, 38, 0},
     -5},
    {"EG 1 Int, balance 49, cutoff 97, above 0.9",
     {{{2, 35, 0}, 1, {}, {97}}, {{2, 32, 0}, 1, {0.681f, 0.699f}, {}}, {{2, 35, 0}, 2, {0.901f}, {kTop}}},
     {2, 38, 0},
     -25},
    {"EG 1 Int, balance 79, cutoff 96, below 0.85",
     {{{2, 35, 0}, 1, {}, {96}}, {{2, 32, 0}, 1, {0.681f, 0.699f}, {30}}, {{2, 35, 0}, 2, {0.849f}, {kTop}}},
     {2, 38, 0},
     -31},
    {"EG 1 Int, balance 80, cutoff 85, below 0.8",
     {{{2, 35, 0}, 1, {}, {85}}, {{2, 32, 0}, 1, {0.681f, 0.699f}, {31}}, {{2, 35, 0}, 2, {0.799f}, {kTop}}},
     {2, 38, 0},
     19},
    {"EG 1 Int, balance 113, cutoff 86, below 0.8",
     {{{2, 35, 0}, 1, {}, {86}}, {{2, 32, 0}, 1, {0.681f, 0.701f}, {24}}, {{2, 35, 0}, 2, {0.799f}, {kTop}}},
     {2, 38, 0},
     -31},
    {"EG 1 Int, balance 114, any cutoff",
     {{{2, 35, 0}, 1, {}, {10}}, {{2, 32, 0}, 1, {0.681f, 0.701f}, {25}}, {{2, 35, 0}, 2, {0.1f}, {kTop}}},
     {2, 38, 0},
     62},
    {"Filter 1 Key Track tops at 62 below 0.9", {{{2, 38, 0}, 1, {0.899f}, {kTop}}}, {2, 39, 0}, 62},
    {"Filter 1 Key Track tops at -2 above 0.9", {{{2, 38, 0}, 1, {0.901f}, {kTop}}}, {2, 39, 0}, -2},
    {"Level tops at 126 below 0.9", {{{2, 46, 0}, 1, {0.899f}, {kTop}}}, {2, 47, 0}, 126},
    {"Level tops at 119 above 0.9", {{{2, 46, 0}, 1, {0.901f}, {kTop}}}, {2, 47, 0}, 119},
    {"Drive/WS Type 1 above 0.5", {{{2, 54, 0}, 1, {0.699f, 0.501f}, {}}}, {2, 50, 0}, 1},
    {"Drive/WS Type 0 below 0.5", {{{2, 54, 0}, 1, {0.699f, 0.499f}, {}}}, {2, 50, 0}, 0},
    {"Drive/WS Type tops at 10 above 0.7", {{{2, 54, 0}, 1, {0.701f}, {kTop}}}, {2, 50, 0}, 10},
    {"Drive/WS Depth of type 1 tops at 63",
     {{{2, 54, 0}, 1, {0.699f, 0.501f}, {}}, {{2, 50, 0}, 2, {0.749f}, {kTop}}},
     {2, 51, 0},
     63},
    {"Drive/WS Depth of type 1 starts at 65",
     {{{2, 54, 0}, 1, {0.699f, 0.501f}, {}}, {{2, 50, 0}, 2, {0.751f}, {}}},
     {2, 51, 0},
     65},
    {"EG 1 Attack 0 below 0.2", {{{2, 51, 0}, 1, {0.199f}, {}}}, {2, 55, 0}, 0},
    {"EG 1 Attack tops at 44 below 0.8", {{{2, 51, 0}, 1, {0.201f, 0.799f}, {kTop}}}, {2, 55, 0}, 44},
    {"EG 1 Attack starts at 46 above 0.8", {{{2, 51, 0}, 1, {0.201f, 0.801f}, {}}}, {2, 55, 0}, 46},
    {"EG 2 Attack tops at 24 below 0.88", {{{2, 60, 0}, 1, {0.451f, 0.879f}, {kTop}}}, {2, 63, 0}, 24},
    {"EG 2 Attack starts at 31 above 0.88", {{{2, 60, 0}, 1, {0.451f, 0.881f}, {}}}, {2, 63, 0}, 31},
    {"EG 2 Attack 0 below 0.45", {{{2, 60, 0}, 1, {0.449f}, {}}}, {2, 63, 0}, 0},
    {"LFO 1 Frequency tops at 39 below 0.75", {{{2, 76, 0}, 1, {0.749f}, {kTop}}}, {2, 81, 0}, 39},
    {"LFO 1 Frequency starts at 41 above 0.75", {{{2, 76, 0}, 1, {0.751f}, {}}}, {2, 81, 0}, 41},
    {"LFO 2 Frequency starts at 64 below 0.75", {{{2, 76, 0}, 1, {0.1f, 0.749f}, {}}}, {2, 88, 0}, 64},
    {"LFO 2 Frequency tops at 62 above 0.75", {{{2, 76, 0}, 1, {0.1f, 0.751f}, {0, kTop}}}, {2, 88, 0}, 62},
    {"Patch intensity drawn below 0.4 and 0.65",
     {{{2, 88, 0}, 2, {0.399f, 0.649f}, {kTop}}},
     {2, 105, 0},
     62},
    {"Patch intensity negative above 0.65", {{{2, 88, 0}, 2, {0.399f, 0.651f}, {kTop}}}, {2, 105, 0}, -2},
    {"Patch intensity 0 above 0.4", {{{2, 88, 0}, 2, {0.401f}, {62}}}, {2, 105, 0}, 0},
    {"Patch destination 7 below 0.2",
     {{{2, 88, 0}, 2, {0.399f, 0.649f, 0.199f}, {10, 0, 30}}},
     {2, 99, 0},
     7},
    {"Patch destination drawn above 0.2",
     {{{2, 88, 0}, 2, {0.399f, 0.649f, 0.201f}, {10, 0, 30}}},
     {2, 99, 0},
     30},
};

class RandomizerPinTest : public ::testing::TestWithParam<PinCase>
{
};

TEST_P(RandomizerPinTest, ScriptedDrawsGiveTheValueTheRulesName)
{
    const PinCase& c = GetParam();
    CProgram program;
    program.Init();
    RecordingAccessor accessor;
    PinSource random;
    auto push = [&](const Push& p)
    {
        random.floats.insert(random.floats.end(), p.floats.begin(), p.floats.end());
        random.ints.insert(random.ints.end(), p.ints.begin(), p.ints.end());
    };
    std::map<std::pair<uint32_t, uint32_t>, int> seen;
    for (const Push& p : c.pushes)
        if (p.occurrence == 0)
            push(p);
    accessor.beforeSet = [&](const CZmParameterId& id)
    {
        const int n = ++seen[{id.group, id.index}];
        for (const Push& p : c.pushes)
            if (p.occurrence == n && p.after.group == id.group && p.after.index == id.index)
                push(p);
    };
    CProgramRandomizer(&program, 0, accessor, random).Randomize();
    EXPECT_EQ(accessor.GetValue(&program, c.checked), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Draws, RandomizerPinTest, ::testing::ValuesIn(kPinCases),
                         [](const ::testing::TestParamInfo<PinCase>& info)
                         {
                             std::string name;
                             for (const char* at = info.param.name; *at != '\0'; ++at)
                                 name += std::isalnum(static_cast<unsigned char>(*at)) ? *at : '_';
                             return name;
                         });

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
