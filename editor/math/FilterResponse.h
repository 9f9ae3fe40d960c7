#pragma once

#include "editor/math/CGraphPoint.h"

#include <array>
#include <cstdint>
#include <vector>

// The magnitude responses of the two filter sections of a timbre, as the program edit page
// plots them: section A fades low-pass, high-pass, band-pass and the unfiltered signal by
// its balance; section B is a low-pass (type 0), high-pass (1), band-pass (2) or comb (3).

// The shared filter: F' and Q' and the denominator 1 + d1 z^-1 + d2 z^-2. Cutoff and
// resonance are limited to 0..127.
struct CFilterCoefficients
{
    double f = 0.0; // F'
    double q = 0.0; // Q'
    double d1 = 0.0;
    double d2 = 0.0;
};
CFilterCoefficients ComputeFilterCoefficients(int32_t cutoff, int32_t resonance);

// A numerator b0 + b1 z^-1 + b2 z^-2.
struct CFilterNumerator
{
    double b0 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
};
CFilterNumerator GetLowPassNumerator(const CFilterCoefficients& c);
CFilterNumerator GetHighPassNumerator(const CFilterCoefficients& c);
CFilterNumerator GetBandPassNumerator(const CFilterCoefficients& c);
// Equals the denominator: a flat response.
CFilterNumerator GetUnfilteredNumerator(const CFilterCoefficients& c);

// The weights of low-pass, high-pass, band-pass and unfiltered for a balance (limited to
// 0..127; balances up to 33 are the plain low-pass).
std::array<float, 4> GetBalanceWeights(int32_t balance);
CFilterNumerator GetSectionANumerator(const CFilterCoefficients& c, int32_t balance);
// Section B types 0..2; other types give the flat numerator of all zeros (no curve).
CFilterNumerator GetSectionBNumerator(const CFilterCoefficients& c, int32_t type);

// The comb of section B type 3: the delay in samples for a cutoff (the period at 48 kHz of
// that MIDI note, limited to 7..4088) and the feedback for a resonance (0 up to 34, rising
// to just below 1). Both indexes are limited to 0..127.
double GetCombDelay(int32_t cutoff);
double GetCombFeedback(int32_t resonance);

// One point of a response curve in plot-box pixels (from the control's corner); a point in a
// gap (level below -90 or not a number) is not drawn and breaks the line.
struct CResponsePoint
{
    float x = 0.0f;
    float y = 0.0f;
    bool gap = false;
};

// A plot box needs at least 2 columns and 1 row: the curve's frequencies divide by width - 1.
bool IsFilterPlotSizeValid(int32_t width, int32_t height);

// One point for each column i of a width x height plot box, at the fraction of the sample
// rate 0.0005 x 1000^(i / (width - 1)). Empty for a plot size that is not valid.
std::vector<CResponsePoint> ComputeBiquadResponse(const CFilterNumerator& numerator,
                                                  const CFilterCoefficients& c, int32_t width,
                                                  int32_t height);
std::vector<CResponsePoint> ComputeCombResponse(int32_t cutoff, int32_t resonance, int32_t width,
                                                int32_t height);

// What to draw for one point: a fill line down from (x, y) to the plot's bottom (height + 1)
// and a line from (fromX, fromY) to (x, y).
struct CResponseStroke
{
    float fromX = 0.0f;
    float fromY = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
};

// The strokes of a curve: the first point outside a gap only starts the curve; every later one
// inside the box (2 < y < height + 1, 2 < x < width - 1) is drawn from the point before it, or
// from itself when a gap came before it.
std::vector<CResponseStroke> CollectResponseStrokes(const std::vector<CResponsePoint>& points, int32_t width,
                                                    int32_t height);

// The handle of a filter graph: its x value (twice the cutoff) and y value (resonance + 127)
// placed in the plot box with the handle size s and the control maximum m. A graph is only
// valid with room for the handle and a maximum above 0.
bool IsFilterHandleGeometryValid(int32_t width, int32_t height, int32_t handleSize, int32_t maximum);
CGraphPoint GetFilterHandlePosition(int32_t xValue, int32_t yValue, int32_t width, int32_t height,
                                    int32_t handleSize, int32_t maximum);
// Whether the point lies within the handle's reach (s / 2 + 5 each way, bounds excluded).
bool IsOnFilterHandle(const CGraphPoint& handle, int32_t handleSize, int32_t x, int32_t y);
