#pragma once

#include "synthdata/CZmParameterTable.h"

#include <cstdint>

class CZmData;
class CZmProgramAccessor;
class CZmRandomSource;

// Replaces the sound of one timbre of a program with a random but playable one. Every value
// goes through the program accessor, which clamps it and applies the rules between dependent
// parameters. Made on the stack for one run.
class CProgramRandomizer
{
public:
    CProgramRandomizer(CZmData* program, uint32_t timbre, const CZmProgramAccessor& accessor,
                       CZmRandomSource& random);
    virtual ~CProgramRandomizer() = default;

    // Draws each parameter from ranges and probabilities of its own, some depending on others.
    void Randomize();
    // Draws a fixed list of parameters evenly over their whole ranges (the Shift variant).
    void RandomizeSimple();

    // lo when lo >= hi, else lo + NextInt(hi - lo): hi itself is never drawn.
    int32_t Uniform(int32_t lo, int32_t hi);

private:
    struct Range
    {
        int32_t lo;
        int32_t hi;
    };

    // One float draw below p picks a, otherwise b; then Uniform over the picked range.
    int32_t Pick(float p, Range a, Range b);
    // For each timbre-synth row in use: Uniform over its current range, when that is wider than one value.
    void RandomizeList(const uint8_t* rows, uint32_t count);
    CZmParameterId Id(uint32_t group, uint32_t index) const { return {group, index, m_timbre}; }
    int32_t Get(uint32_t group, uint32_t index) const;
    void Set(uint32_t group, uint32_t index, int32_t value);
    int32_t UniformOverRange(uint32_t group, uint32_t index);
    // Filter EG 1 intensity from the filter's character (balance or type row set) and cutoff.
    int32_t FilterEgIntensity(int rowSet, int32_t cutoff, bool steeperHighCutoff);
    // Makes a decay and sustain that add up to 64 or less livelier, one of them at most.
    void LiftQuietEnvelope(uint32_t decayRow, uint32_t sustainRow);

    CZmData* m_program;
    uint32_t m_timbre;
    const CZmProgramAccessor& m_accessor;
    CZmRandomSource& m_random;
};
