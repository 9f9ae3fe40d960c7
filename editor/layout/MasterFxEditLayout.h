#pragma once

// The master effects page (BG_MasterFxEdit, 630 x 518).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvMasterFxEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{22, 61, 584, 214}, NvFrameStyle::Section}, // effect 1
    {{91, 73, 140, 17}, NvFrameStyle::Lcd},       {{33, 98, 565, 137}, NvFrameStyle::Lcd},
    {{22, 283, 584, 214}, NvFrameStyle::Section}, // effect 2
    {{91, 294, 140, 17}, NvFrameStyle::Lcd},      {{33, 321, 565, 137}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {"BG_MasterFxEdit",  nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvMasterFxEditLayout
