#pragma once

#include "editor/math/CGraphPoint.h"

#include <cstdint>
#include <vector>

// The shape an LFO graph draws: a wave index 0..5 (0 saw, 1 square, 2 unipolar square,
// 3 triangle, 4 sine, 5 sample and hold; 7 none) and, apart from it, the random flag that
// turns the sample-and-hold steps into a smooth random line.
struct CLfoShape
{
    int32_t wave = 7;
    bool random = false;
};

// The owner's shape code: bit 0x40 the random flag, the bits below it the wave index.
CLfoShape MakeLfoShape(uint32_t code);

// The level property as the waves read it: level / 63, limited to 0..1.
float GetLfoLevelRatio(int32_t level);

// The wave's value in [-1, 1] at the phase p in [0, 1) of a period; for wave 5, step is the
// index of the held step and p the phase inside it. Waves outside 0..5 give 0.
float GetLfoWaveValue(const CLfoShape& shape, float levelRatio, float phase, int64_t step);

// One point a pixel column (x = 0 .. width - 1) of the waveform in a width x height graph,
// with y = c - trunc(v x c), c = (height - 1) / 2. The value (the LFO's speed, 0..127) sets the
// number of periods shown, from 1 at 0 to 4 at 127. Empty for wave indexes outside 0..5 and
// for a width or height below 1.
std::vector<CGraphPoint> ComputeLfoWave(const CLfoShape& shape, float levelRatio, int32_t value,
                                        int32_t width, int32_t height);
