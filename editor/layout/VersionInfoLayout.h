#pragma once

// The version window (BG_VersionInfo, 342 x 279).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvVersionInfoLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    // The band of the two text lines at (30, 228) and (30, 246).
    {{24, 222, 294, 40}, NvFrameStyle::Flat},
};

inline constexpr NvPageLayout kPage = {"BG_VersionInfo",   nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvVersionInfoLayout
