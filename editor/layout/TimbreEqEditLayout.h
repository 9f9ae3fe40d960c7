#pragma once

// The timbre EQ page (BG_TimbreEqEdit, 342 x 166).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvTimbreEqEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{10, 58, 322, 98}, NvFrameStyle::Section},
    {{19, 70, 180, 70}, NvFrameStyle::Lcd},
    {{263, 68, 56, 76}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {"BG_TimbreEqEdit",  nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvTimbreEqEditLayout
