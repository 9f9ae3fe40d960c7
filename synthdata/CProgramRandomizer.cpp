#include "synthdata/CProgramRandomizer.h"

#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CZmProgramAccessor.h"
#include "synthdata/CZmRandomSource.h"

#include <cmath>

namespace
{
const uint32_t kCommon = kPrgGroupTimbreCommon;
const uint32_t kSynth = kPrgGroupTimbreSynth;

// Timbre-common rows.
enum : uint32_t
{
    kUnisonSw = 16,
    kUnisonDetune = 17,
    kUnisonSpread = 18,
    kPortamentoTime = 20,
};

// Timbre-synth rows.
enum : uint32_t
{
    kVoiceAssign = 12,
    kOsc1Wave = 19,
    kOsc1Mod = 21,
    kOsc1Ctrl1 = 22,
    kOsc1Ctrl2 = 23,
    kOsc1PcmWave = 24,
    kOsc2Mod = 27,
    kOsc2Semitone = 28,
    kOsc2Tune = 29,
    kOsc1Level = 30,
    kOsc2Level = 31,
    kNoiseLevel = 32,
    kFilter1Balance = 35,
    kFilter1Cutoff = 36,
    kFilter1EgInt = 38,
    kFilter1KeyTrack = 39,
    kFilter1VelocitySens = 40,
    kFilter2Type = 41,
    kFilter2Cutoff = 42,
    kFilter2EgInt = 44,
    kFilter2KeyTrack = 45,
    kFilter2VelocitySens = 46,
    kLevel = 47,
    kDriveWsType = 50,
    kDriveWsDepth = 51,
    kKeyTrack = 53,
    kPunchLevel = 54,
    kEg1Attack = 55,
    kEg1Decay = 56,
    kEg1Sustain = 57,
    kEg1Release = 58,
    kEg1VelocityInt = 60,
    kEg2Attack = 63,
    kEg2Decay = 64,
    kEg2Sustain = 65,
    kEg2Release = 66,
    kEg2VelocityInt = 68,
    kEg3Attack = 71,
    kEg3Release = 74,
    kEg3VelocityInt = 76,
    kLfo1Frequency = 81,
    kLfo2Frequency = 88,
    kPatchSource = 92,      // + patch number 1-6
    kPatchDestination = 98, // + patch number 1-6
    kPatchIntensity = 104,  // + patch number 1-6
};

// Timbre-synth rows of the Shift variant, in drawing order.
const uint8_t kSimpleRows[] = {
    19, 21, 22, 23, 24, 26,  27,  28,  29,  33,  34,  35,  36,  37,  38,  39,  40, 41, 42,
    43, 44, 45, 46, 48, 50,  51,  54,  30,  31,  32,  55,  56,  57,  58,  60,  63, 64, 65,
    66, 68, 71, 72, 73, 74,  76,  79,  81,  82,  83,  85,  86,  88,  89,  90,  92, 93, 94,
    95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
};
static_assert(sizeof kSimpleRows == 73, "73 rows");

// Timbre-synth rows that the rule-based variant draws evenly first.
const uint8_t kEvenRows[] = {
    21, 22, 23, 24, 26, 33, 35, 36, 37, 41, 42, 43, 48, 50,
    51, 72, 73, 79, 81, 82, 83, 85, 86, 88, 89, 90, 92,
};
static_assert(sizeof kEvenRows == 27, "27 rows");

// Weights of the virtual-patch sources 0-11; 9-11 never occur.
const int32_t kPatchSourceWeights[12] = {5, 3, 15, 16, 16, 5, 3, 25, 12, 0, 0, 0};
} // namespace

CProgramRandomizer::CProgramRandomizer(CZmData* program, uint32_t timbre, const CZmProgramAccessor& accessor,
                                       CZmRandomSource& random)
    : m_program(program), m_timbre(timbre), m_accessor(accessor), m_random(random)
{
}

int32_t CProgramRandomizer::Uniform(int32_t lo, int32_t hi)
{
    if (hi <= lo)
        return lo;
    return lo + m_random.NextInt(hi - lo);
}

int32_t CProgramRandomizer::Pick(float p, Range a, Range b)
{
    const Range r = m_random.NextFloat() < p ? a : b;
    return Uniform(r.lo, r.hi);
}

int32_t CProgramRandomizer::Get(uint32_t group, uint32_t index) const
{
    return m_accessor.GetValue(m_program, Id(group, index));
}

void CProgramRandomizer::Set(uint32_t group, uint32_t index, int32_t value)
{
    m_accessor.SetValue(m_program, Id(group, index), value);
}

int32_t CProgramRandomizer::UniformOverRange(uint32_t group, uint32_t index)
{
    const CZmParameterId id = Id(group, index);
    return Uniform(m_accessor.GetMin(m_program, id), m_accessor.GetMax(m_program, id));
}

void CProgramRandomizer::RandomizeList(const uint8_t* rows, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
    {
        const CZmParameterId id = Id(kSynth, rows[i]);
        if (!m_accessor.IsParameterEnabled(m_program, id))
            continue;
        const int32_t lo = m_accessor.GetMin(m_program, id);
        const int32_t hi = m_accessor.GetMax(m_program, id);
        const int32_t value = Uniform(lo, hi);
        if (hi > lo)
            m_accessor.SetValue(m_program, id, value);
    }
}

void CProgramRandomizer::RandomizeSimple()
{
    if (m_program == nullptr)
        return;
    RandomizeList(kSimpleRows, sizeof kSimpleRows);
}

int32_t CProgramRandomizer::FilterEgIntensity(int rowSet, int32_t x, bool steeperHighCutoff)
{
    switch (rowSet)
    {
    case 0:
        if (x < 32)
            return Pick(0.9f, {35, 63}, {24, 34});
        if (x <= 63)
            return Pick(0.86f, {24, 63}, {1, 23});
        return Pick(0.55f, {-5, 20}, {-20, 63});
    case 1:
        if (x > 96)
            return steeperHighCutoff ? Pick(0.9f, {-63, -35}, {-34, -24})
                                     : Pick(0.9f, {-63, -40}, {-39, -24});
        if (x >= 65)
            return Pick(0.85f, {-63, -30}, {-29, -12});
        return Pick(0.7f, {-32, 24}, {-63, 63});
    case 2:
        if (x >= 45 && x <= 85)
            return Pick(0.8f, {-20, 20}, {-63, 63});
        if (x <= 44)
            return Pick(0.8f, {30, 63}, {0, 63});
        return Pick(0.8f, {-63, -30}, {-63, 0});
    default:
        return Uniform(-63, 63);
    }
}

void CProgramRandomizer::LiftQuietEnvelope(uint32_t decayRow, uint32_t sustainRow)
{
    if (Get(kSynth, decayRow) + Get(kSynth, sustainRow) > 64)
        return;
    if (Pick(0.5f, {0, 0}, {127, 127}) != 0)
        return;
    if (Pick(0.5f, {0, 0}, {127, 127}) == 0)
        Set(kSynth, decayRow, Pick(0.7f, {64, 72}, {73, 127}));
    else
        Set(kSynth, sustainRow, Pick(0.7f, {96, 127}, {64, 95}));
}

void CProgramRandomizer::Randomize()
{
    if (m_program == nullptr)
        return;
    // A draw that answers 0 or 127 decides between the two branches of a rule.
    auto Decide = [this](float p) { return Pick(p, {0, 0}, {127, 127}) == 0; };

    RandomizeList(kEvenRows, sizeof kEvenRows);

    Set(kSynth, kVoiceAssign, Pick(0.78f, {2, 2}, {0, 0}));

    const int32_t unison = Decide(0.35f) ? Uniform(1, 3) : 0;
    Set(kCommon, kUnisonSw, unison);
    if (Get(kCommon, kUnisonSw) != 0)
    {
        Set(kCommon, kUnisonDetune, Pick(0.8f, {10, 10}, {0, 40}));
        const bool spreadFixed = Decide(0.8f);
        Set(kCommon, kUnisonSpread, spreadFixed ? Pick(0.35f, {64, 64}, {127, 127}) : Uniform(0, 127));
    }

    int32_t portamento;
    if (Get(kSynth, kVoiceAssign) == 2)
        portamento = Decide(0.7f) ? 0 : Pick(0.9f, {1, 25}, {26, 48});
    else if (Decide(0.75f))
        portamento = Pick(0.6f, {10, 25}, {5, 40});
    else
        portamento = Pick(0.5f, {1, 127}, {0, 0});
    Set(kCommon, kPortamentoTime, portamento);

    int32_t wave;
    if (Decide(0.67f))
        wave = Uniform(0, 3);
    else if (Decide(0.73f))
        wave = 6;
    else
        wave = Decide(0.6f) ? 4 : 5;
    Set(kSynth, kOsc1Wave, wave);

    wave = Get(kSynth, kOsc1Wave);
    if (wave == 6)
        Set(kSynth, kOsc1PcmWave, UniformOverRange(kSynth, kOsc1PcmWave));
    else
    {
        Set(kSynth, kOsc1Ctrl1, UniformOverRange(kSynth, kOsc1Ctrl1));
        const int32_t mod = Get(kSynth, kOsc1Mod);
        if (wave <= 3 && (mod == 0 || mod == 1))
            Set(kSynth, kOsc1Ctrl2, Pick(0.75f, {0, 32}, {33, 127}));
        else
            Set(kSynth, kOsc1Ctrl2, UniformOverRange(kSynth, kOsc1Ctrl2));
    }

    Set(kSynth, kOsc2Mod, Pick(0.41f, {0, 0}, {1, 3}));
    Set(kSynth, kOsc2Semitone, Pick(0.75f, {0, 0}, {-63, 63}));
    Set(kSynth, kOsc2Tune, Pick(0.85f, {0, 0}, {-63, 63}));

    const int32_t x = Pick(0.8f, {50, 127}, {1, 49});
    Set(kSynth, kOsc1Level, static_cast<int32_t>(127.0 * std::log(x) / std::log(127.0)));
    Set(kSynth, kOsc2Level, Uniform(127 - Get(kSynth, kOsc1Level), 127));
    Set(kSynth, kNoiseLevel, Pick(0.9f, {0, 15}, {6, 127}));

    Set(kSynth, kFilter1Balance, Decide(0.68f) ? Uniform(0, 48) : Pick(0.7f, {49, 88}, {89, 127}));

    const int32_t balance = Get(kSynth, kFilter1Balance);
    const int balanceRows = balance < 48 ? 0 : (balance <= 79 ? 1 : (balance <= 113 ? 2 : 3));
    Set(kSynth, kFilter1EgInt, FilterEgIntensity(balanceRows, Get(kSynth, kFilter1Cutoff), false));
    Set(kSynth, kFilter1KeyTrack, Pick(0.9f, {0, 63}, {-63, -1}));
    Set(kSynth, kFilter1VelocitySens, Pick(0.85f, {0, 0}, {-63, 63}));

    const int32_t type = Get(kSynth, kFilter2Type);
    const int typeRows = type == 0 ? 0 : (type == 1 ? 1 : 2);
    Set(kSynth, kFilter2EgInt, FilterEgIntensity(typeRows, Get(kSynth, kFilter2Cutoff), true));
    Set(kSynth, kFilter2KeyTrack, Pick(0.9f, {0, 63}, {-63, -1}));
    Set(kSynth, kFilter2VelocitySens, Pick(0.85f, {0, 0}, {-63, 63}));

    Set(kSynth, kLevel, Pick(0.9f, {100, 127}, {60, 120}));
    Set(kSynth, kKeyTrack, Decide(0.9f) ? 0 : Pick(0.85f, {-63, -1}, {1, 63}));
    Set(kSynth, kPunchLevel, Pick(0.75f, {0, 0}, {0, 127}));

    int32_t driveType;
    if (Decide(0.7f))
        driveType = Decide(0.5f) ? 0 : 1;
    else
        driveType = Uniform(2, 11);
    Set(kSynth, kDriveWsType, driveType);
    driveType = Get(kSynth, kDriveWsType);
    if (driveType == 0)
        Set(kSynth, kDriveWsDepth, 0);
    else if (driveType == 1)
        Set(kSynth, kDriveWsDepth, Pick(0.75f, {0, 64}, {65, 127}));
    else
        Set(kSynth, kDriveWsDepth, Uniform(0, 127));

    Set(kSynth, kEg1Attack, Decide(0.2f) ? 0 : Pick(0.8f, {1, 45}, {46, 127}));
    Set(kSynth, kEg1Decay, Pick(0.65f, {64, 64}, {0, 127}));
    Set(kSynth, kEg1Sustain, Decide(0.6f) ? Pick(0.6f, {0, 0}, {127, 127}) : Uniform(0, 127));
    LiftQuietEnvelope(kEg1Decay, kEg1Sustain);
    Set(kSynth, kEg1Release, Decide(0.3f) ? 0 : Pick(0.65f, {0, 63}, {64, 127}));
    Set(kSynth, kEg1VelocityInt, Pick(0.7f, {0, 0}, {0, 63}));

    Set(kSynth, kEg2Attack, Decide(0.45f) ? 0 : Pick(0.88f, {0, 25}, {31, 127}));
    Set(kSynth, kEg2Decay, Decide(0.5f) ? 64 : Pick(0.75f, {64, 127}, {0, 63}));
    Set(kSynth, kEg2Sustain,
        Decide(0.65f) ? Pick(0.35f, {0, 0}, {127, 127}) : Pick(0.7f, {64, 126}, {1, 63}));
    LiftQuietEnvelope(kEg2Decay, kEg2Sustain);
    Set(kSynth, kEg2Release, Decide(0.25f) ? 0 : Pick(0.8f, {0, 30}, {31, 127}));
    Set(kSynth, kEg2VelocityInt, Uniform(0, 63));

    Set(kSynth, kEg3Attack, Decide(0.3f) ? 0 : Pick(0.85f, {0, 30}, {31, 127}));
    Set(kSynth, kEg3Release, Decide(0.75f) ? 0 : Uniform(0, 127));
    Set(kSynth, kEg3VelocityInt, Uniform(0, 63));

    Set(kSynth, kLfo1Frequency, Pick(0.75f, {0, 40}, {41, 127}));
    Set(kSynth, kLfo2Frequency, Pick(0.75f, {64, 127}, {0, 63}));

    for (uint32_t n = 1; n <= 6; ++n)
    {
        int32_t intensity = 0;
        if (m_random.NextFloat() < 0.4f)
            intensity = m_random.NextFloat() < 0.65f ? m_random.NextInt(63) : m_random.NextInt(62) - 63;
        Set(kSynth, kPatchIntensity + n, intensity);
        if (intensity == 0)
            continue;
        const int32_t v = m_random.NextInt(99) + 1;
        int32_t source = 0;
        for (int32_t sum = kPatchSourceWeights[0]; v > sum && source < 11;)
            sum += kPatchSourceWeights[++source];
        Set(kSynth, kPatchSource + n, source);
        Set(kSynth, kPatchDestination + n, m_random.NextFloat() < 0.2f ? 7 : m_random.NextInt(39));
    }
}
