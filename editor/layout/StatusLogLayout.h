#pragma once

// The status log window's layer (BG_StatusLog, 600 x 178).

#include "editor/layout/NvPageLayout.h"

namespace NvStatusLogLayout
{
// Nine lines of 92 characters, line i at (19, 65 + 10 i).
constexpr int16_t kLineX = 19, kLineY = 65, kLineStep = 10, kLineCount = 9;
constexpr int16_t kLineWidth = 92 * NvSkinFont::kSmallWidth;

constexpr NvLayoutControl Line(const char* role, int16_t i)
{
    return {role, nullptr, kLineX, int16_t(kLineY + i * kLineStep), kLineWidth, NvSkinFont::kSmallHeight};
}

inline constexpr NvLayoutControl kControls[] = {
    Line("line 0", 0),
    Line("line 1", 1),
    Line("line 2", 2),
    Line("line 3", 3),
    Line("line 4", 4),
    Line("line 5", 5),
    Line("line 6", 6),
    Line("line 7", 7),
    Line("line 8", 8),
    {"indicator", "LedStepRed", 571, 49, 0, 0},
    {"logo", "LogoNv2Editor", 600 - 176 - 5, 3, 0, 0},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"STATUS LOG", {16, 10, 200, 18}, NvLabelAlign::Left, NvLabelStyle::Title},
    {"ACTIVITY", {480, 52, 86, 11}, NvLabelAlign::Right, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{8, 36, 584, 134}, NvFrameStyle::Section},
    {{13, 61, 560, 98}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_StatusLog", kControls, NvCountOf(kControls), kLabels, NvCountOf(kLabels), kFrames, NvCountOf(kFrames),
    nullptr,        0,
};
} // namespace NvStatusLogLayout
