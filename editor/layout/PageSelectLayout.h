#pragma once

// The page strip across the top of the library window (BG_PageSelect, 794 x 37).

#include "editor/layout/NvPageLayout.h"

namespace NvPageSelectLayout
{
constexpr int16_t kTabsX = 8, kTabsY = 7;
// The logo at the right: x = strip width - logo width - 5, y = 3.
constexpr int16_t kLogoMargin = 5, kLogoY = 3;

inline constexpr NvLayoutControl kControls[] = {
    {"page tabs", "BitmapListPageSelectTab", kTabsX, kTabsY, 0, 0},
    // Two pages of 120 x 30 over the tab image; it prints the page names itself.
    {"page button", nullptr, kTabsX, kTabsY, 240, 30},
    {"logo", "LogoNv2Editor", 794 - 176 - kLogoMargin, kLogoY, 0, 0},
};

inline constexpr NvLayoutOverlap kOverlaps[] = {
    {"page tabs", "page button"},
};

inline constexpr NvPageLayout kPage = {
    "BG_PageSelect", kControls, NvCountOf(kControls), nullptr, 0, nullptr, 0, kOverlaps, NvCountOf(kOverlaps),
};
} // namespace NvPageSelectLayout
