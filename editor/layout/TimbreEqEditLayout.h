#pragma once

// The timbre EQ page (BG_TimbreEqEdit, 342 x 166): the controls in the order the page's layer
// creates them (the index is the control id), the captions printed on the background, and its
// frames.

#include "editor/layout/NvPageLayout.h"

namespace NvTimbreEqEditLayout
{
inline constexpr NvLayoutControl kControls[] = {
    {"low frequency", nullptr, 267, 72, 8 * NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight},
    {"low gain", nullptr, 267, 91, 8 * NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight},
    {"high frequency", nullptr, 267, 110, 8 * NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight},
    {"high gain", nullptr, 267, 130, 8 * NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight},
    {"response", nullptr, 19, 70, 180, 70},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"EQ", {14, 59, 40, 11}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"LOW FREQ", {205, 72, 58, 10}, NvLabelAlign::Right, NvLabelStyle::Control},
    {"LOW GAIN", {205, 91, 58, 10}, NvLabelAlign::Right, NvLabelStyle::Control},
    {"HIGH FREQ", {205, 110, 58, 10}, NvLabelAlign::Right, NvLabelStyle::Control},
    {"HIGH GAIN", {205, 130, 58, 10}, NvLabelAlign::Right, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{10, 58, 322, 98}, NvFrameStyle::Section},
    {{19, 70, 180, 70}, NvFrameStyle::Lcd},
    {{263, 68, 56, 76}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_TimbreEqEdit",
    kControls,
    NvCountOf(kControls),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvTimbreEqEditLayout
