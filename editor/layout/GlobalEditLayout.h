#pragma once

// The global page of the library window (BG_GlobalEdit, 794 x 538).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvGlobalEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{20, 104, 751, 424}, NvFrameStyle::Section},
    // The sub-pages' flat panel from (28, 139) to (763, 519); the CC map list draws over it.
    {{28, 139, 735, 380}, NvFrameStyle::Flat},
};

inline constexpr NvPageLayout kPage = {"BG_GlobalEdit",    nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvGlobalEditLayout
