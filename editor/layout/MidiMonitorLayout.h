#pragma once

// The MIDI monitor window's layer (BG_MidiMonitor, 600 x 178).

#include "editor/layout/NvPageLayout.h"

namespace NvMidiMonitorLayout
{
// 26 bytes of three characters in the 6 x 9 font.
constexpr int16_t kLineWidth = 78 * NvSkinFont::kSmallWidth;

inline constexpr NvLayoutControl kControls[] = {
    {"incoming", nullptr, 23, 88, kLineWidth, NvSkinFont::kSmallHeight},
    {"outgoing", nullptr, 23, 133, kLineWidth, NvSkinFont::kSmallHeight},
    {"logo", "LogoNv2Editor", 600 - 176 - 5, 3, 0, 0},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"MIDI MONITOR", {16, 10, 200, 18}, NvLabelAlign::Left, NvLabelStyle::Title},
    {"RECEIVED", {23, 69, 120, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"SENT", {23, 114, 120, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{8, 36, 584, 134}, NvFrameStyle::Section},
    {{17, 82, 480, 21}, NvFrameStyle::Lcd},
    {{17, 127, 480, 21}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_MidiMonitor",
    kControls,
    NvCountOf(kControls),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvMidiMonitorLayout
