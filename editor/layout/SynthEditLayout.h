#pragma once

// The timbre synth edit page (BG_SynthEdit, 794 x 600).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvSynthEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{10, 50, 152, 168}, NvFrameStyle::Section},   // oscillator 1
    {{10, 224, 152, 150}, NvFrameStyle::Section},  // oscillator 2
    {{168, 50, 58, 226}, NvFrameStyle::Section},   // mixer
    {{232, 50, 266, 226}, NvFrameStyle::Section},  // filters
    {{504, 50, 280, 110}, NvFrameStyle::Section},  // amp
    {{504, 164, 280, 84}, NvFrameStyle::Section},  // EG 2
    {{168, 280, 120, 86}, NvFrameStyle::Section},  // filter routing
    {{291, 280, 210, 86}, NvFrameStyle::Section},  // EG 1
    {{504, 280, 280, 86}, NvFrameStyle::Section},  // EG 3
    {{10, 398, 168, 96}, NvFrameStyle::Section},   // voice
    {{10, 502, 168, 97}, NvFrameStyle::Section},   // pitch
    {{184, 398, 312, 96}, NvFrameStyle::Section},  // LFO 1
    {{184, 502, 312, 97}, NvFrameStyle::Section},  // LFO 2
    {{502, 398, 282, 201}, NvFrameStyle::Section}, // virtual patches
    {{299, 284, 199, 63}, NvFrameStyle::Lcd},      // envelope curves
    {{554, 167, 199, 63}, NvFrameStyle::Lcd},      {{554, 284, 199, 63}, NvFrameStyle::Lcd},
    {{352, 404, 137, 63}, NvFrameStyle::Lcd}, // LFO graphs
    {{352, 514, 137, 63}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {"BG_SynthEdit",     nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvSynthEditLayout
