#pragma once

// The arpeggiator page (BG_ArpEdit, 342 x 226).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvArpEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{14, 64, 314, 100}, NvFrameStyle::Section},
    {{27, 74, 146, 74}, NvFrameStyle::Lcd},
    {{14, 172, 314, 44}, NvFrameStyle::Section}, // steps
};

inline constexpr NvPageLayout kPage = {"BG_ArpEdit",       nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvArpEditLayout
