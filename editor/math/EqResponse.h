#pragma once

#include <cstddef>
#include <cstdint>

// The two shelving bands of a timbre's EQ and the response the EQ graph draws from them.

// A band's biquad (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2), in the order the graph
// takes the five coefficients. The default is flat.
struct CEqBiquad
{
    float b0 = 1.0f;
    float b1 = 0.0f;
    float b2 = 0.0f;
    float a1 = 0.0f;
    float a2 = 0.0f;
};

enum class CEqShelf
{
    Low,
    High
};

// The sample rate the owners compute and draw the shelves at.
constexpr double kEqSampleRate = 48000.0;

// The shelves' frequency lists (34 low, 26 high values, in Hz); indexes are limited to the list.
size_t GetShelfFrequencyCount(CEqShelf shelf);
double GetShelfFrequency(CEqShelf shelf, int32_t index);

// The first-order shelf for a frequency index and a gain value in half decibels. The low
// shelf has the gain at DC and 0 dB at Nyquist; the high shelf is the low shelf designed at
// pi - w and mirrored (b1 and a1 negated): 0 dB at DC, the gain at Nyquist. A gain of 0 (or a
// frequency at or beyond half the sample rate) gives the flat band.
CEqBiquad ComputeShelfCoefficients(CEqShelf shelf, int32_t frequencyIndex, int32_t gainValue,
                                   double sampleRate = kEqSampleRate);

// The summed level in dB of the bands at a frequency (0 with no bands).
double ComputeEqLevel(const CEqBiquad* bands, size_t count, double frequency, double sampleRate);
