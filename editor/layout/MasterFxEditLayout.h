#pragma once

// The master effects page (BG_MasterFxEdit, 630 x 518).
// Each effect has its type, a 2 x 10 grid of parameter labels and fields and its two Control
// rows. The layer shows a grid cell only for a parameter the effect type has; the drop areas
// are the two effect frames themselves and are not listed, as every control lies inside them.

#include "editor/layout/NvPageLayout.h"

namespace NvMasterFxEditLayout
{
// The grid: parameter p (0 to 19) of an effect stands in column p / 10, line p % 10.
constexpr int16_t kGridLabelX = 39, kGridFieldX = 179, kGridColumnStep = 275, kGridLineStep = 13;
constexpr int16_t kGridY[2] = {103, 326};
// The Control rows: the label, and the field 140 pixels to its right.
constexpr int16_t kControlY[2] = {247, 472};
constexpr int16_t kControlX[2] = {39, 314};
constexpr int16_t kControlFieldOffset = 140;
constexpr int16_t kTypeX = 95, kTypeY[2] = {77, 298};

constexpr int16_t GridX(int32_t parameter, bool field)
{
    return static_cast<int16_t>((field ? kGridFieldX : kGridLabelX) + kGridColumnStep * (parameter / 10));
}
constexpr int16_t GridY(int32_t effect, int32_t parameter)
{
    return static_cast<int16_t>(kGridY[effect] + kGridLineStep * (parameter % 10));
}

inline constexpr NvLayoutControl kControls[] = {
    {"mfx 1 type", nullptr, 95, 77, 132, 9},
    {"mfx 1 param 1 label", nullptr, 39, 103, 132, 9},
    {"mfx 1 param 1", nullptr, 179, 103, 120, 9},
    {"mfx 1 param 2 label", nullptr, 39, 116, 132, 9},
    {"mfx 1 param 2", nullptr, 179, 116, 120, 9},
    {"mfx 1 param 3 label", nullptr, 39, 129, 132, 9},
    {"mfx 1 param 3", nullptr, 179, 129, 120, 9},
    {"mfx 1 param 4 label", nullptr, 39, 142, 132, 9},
    {"mfx 1 param 4", nullptr, 179, 142, 120, 9},
    {"mfx 1 param 5 label", nullptr, 39, 155, 132, 9},
    {"mfx 1 param 5", nullptr, 179, 155, 120, 9},
    {"mfx 1 param 6 label", nullptr, 39, 168, 132, 9},
    {"mfx 1 param 6", nullptr, 179, 168, 120, 9},
    {"mfx 1 param 7 label", nullptr, 39, 181, 132, 9},
    {"mfx 1 param 7", nullptr, 179, 181, 120, 9},
    {"mfx 1 param 8 label", nullptr, 39, 194, 132, 9},
    {"mfx 1 param 8", nullptr, 179, 194, 120, 9},
    {"mfx 1 param 9 label", nullptr, 39, 207, 132, 9},
    {"mfx 1 param 9", nullptr, 179, 207, 120, 9},
    {"mfx 1 param 10 label", nullptr, 39, 220, 132, 9},
    {"mfx 1 param 10", nullptr, 179, 220, 120, 9},
    {"mfx 1 param 11 label", nullptr, 314, 103, 132, 9},
    {"mfx 1 param 11", nullptr, 454, 103, 120, 9},
    {"mfx 1 param 12 label", nullptr, 314, 116, 132, 9},
    {"mfx 1 param 12", nullptr, 454, 116, 120, 9},
    {"mfx 1 param 13 label", nullptr, 314, 129, 132, 9},
    {"mfx 1 param 13", nullptr, 454, 129, 120, 9},
    {"mfx 1 param 14 label", nullptr, 314, 142, 132, 9},
    {"mfx 1 param 14", nullptr, 454, 142, 120, 9},
    {"mfx 1 param 15 label", nullptr, 314, 155, 132, 9},
    {"mfx 1 param 15", nullptr, 454, 155, 120, 9},
    {"mfx 1 param 16 label", nullptr, 314, 168, 132, 9},
    {"mfx 1 param 16", nullptr, 454, 168, 120, 9},
    {"mfx 1 param 17 label", nullptr, 314, 181, 132, 9},
    {"mfx 1 param 17", nullptr, 454, 181, 120, 9},
    {"mfx 1 param 18 label", nullptr, 314, 194, 132, 9},
    {"mfx 1 param 18", nullptr, 454, 194, 120, 9},
    {"mfx 1 param 19 label", nullptr, 314, 207, 132, 9},
    {"mfx 1 param 19", nullptr, 454, 207, 120, 9},
    {"mfx 1 param 20 label", nullptr, 314, 220, 132, 9},
    {"mfx 1 param 20", nullptr, 454, 220, 120, 9},
    {"mfx 1 control 1 label", nullptr, 39, 247, 132, 9},
    {"mfx 1 control 1", nullptr, 179, 247, 120, 9},
    {"mfx 1 control 2 label", nullptr, 314, 247, 132, 9},
    {"mfx 1 control 2", nullptr, 454, 247, 120, 9},
    {"mfx 2 type", nullptr, 95, 298, 132, 9},
    {"mfx 2 param 1 label", nullptr, 39, 326, 132, 9},
    {"mfx 2 param 1", nullptr, 179, 326, 120, 9},
    {"mfx 2 param 2 label", nullptr, 39, 339, 132, 9},
    {"mfx 2 param 2", nullptr, 179, 339, 120, 9},
    {"mfx 2 param 3 label", nullptr, 39, 352, 132, 9},
    {"mfx 2 param 3", nullptr, 179, 352, 120, 9},
    {"mfx 2 param 4 label", nullptr, 39, 365, 132, 9},
    {"mfx 2 param 4", nullptr, 179, 365, 120, 9},
    {"mfx 2 param 5 label", nullptr, 39, 378, 132, 9},
    {"mfx 2 param 5", nullptr, 179, 378, 120, 9},
    {"mfx 2 param 6 label", nullptr, 39, 391, 132, 9},
    {"mfx 2 param 6", nullptr, 179, 391, 120, 9},
    {"mfx 2 param 7 label", nullptr, 39, 404, 132, 9},
    {"mfx 2 param 7", nullptr, 179, 404, 120, 9},
    {"mfx 2 param 8 label", nullptr, 39, 417, 132, 9},
    {"mfx 2 param 8", nullptr, 179, 417, 120, 9},
    {"mfx 2 param 9 label", nullptr, 39, 430, 132, 9},
    {"mfx 2 param 9", nullptr, 179, 430, 120, 9},
    {"mfx 2 param 10 label", nullptr, 39, 443, 132, 9},
    {"mfx 2 param 10", nullptr, 179, 443, 120, 9},
    {"mfx 2 param 11 label", nullptr, 314, 326, 132, 9},
    {"mfx 2 param 11", nullptr, 454, 326, 120, 9},
    {"mfx 2 param 12 label", nullptr, 314, 339, 132, 9},
    {"mfx 2 param 12", nullptr, 454, 339, 120, 9},
    {"mfx 2 param 13 label", nullptr, 314, 352, 132, 9},
    {"mfx 2 param 13", nullptr, 454, 352, 120, 9},
    {"mfx 2 param 14 label", nullptr, 314, 365, 132, 9},
    {"mfx 2 param 14", nullptr, 454, 365, 120, 9},
    {"mfx 2 param 15 label", nullptr, 314, 378, 132, 9},
    {"mfx 2 param 15", nullptr, 454, 378, 120, 9},
    {"mfx 2 param 16 label", nullptr, 314, 391, 132, 9},
    {"mfx 2 param 16", nullptr, 454, 391, 120, 9},
    {"mfx 2 param 17 label", nullptr, 314, 404, 132, 9},
    {"mfx 2 param 17", nullptr, 454, 404, 120, 9},
    {"mfx 2 param 18 label", nullptr, 314, 417, 132, 9},
    {"mfx 2 param 18", nullptr, 454, 417, 120, 9},
    {"mfx 2 param 19 label", nullptr, 314, 430, 132, 9},
    {"mfx 2 param 19", nullptr, 454, 430, 120, 9},
    {"mfx 2 param 20 label", nullptr, 314, 443, 132, 9},
    {"mfx 2 param 20", nullptr, 454, 443, 120, 9},
    {"mfx 2 control 1 label", nullptr, 39, 472, 132, 9},
    {"mfx 2 control 1", nullptr, 179, 472, 120, 9},
    {"mfx 2 control 2 label", nullptr, 314, 472, 132, 9},
    {"mfx 2 control 2", nullptr, 454, 472, 120, 9},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"MFX 1", {33, 75, 54, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"MFX 2", {33, 296, 54, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{22, 61, 584, 214}, NvFrameStyle::Section}, // effect 1
    {{91, 73, 140, 17}, NvFrameStyle::Lcd},       {{33, 98, 565, 137}, NvFrameStyle::Lcd},
    {{22, 283, 584, 214}, NvFrameStyle::Section}, // effect 2
    {{91, 294, 140, 17}, NvFrameStyle::Lcd},      {{33, 321, 565, 137}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_MasterFxEdit",
    kControls,
    NvCountOf(kControls),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvMasterFxEditLayout
