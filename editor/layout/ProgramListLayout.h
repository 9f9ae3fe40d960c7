#pragma once

// The program page of the library window (BG_ProgramList, 794 x 538).

#include "editor/layout/NvPageLayout.h"

namespace NvProgramListLayout
{
// Rows: 32 a column from (32, 112), 12 pixels each, redrawn 13 high; at most 4 columns of 183.
constexpr int16_t kRowsX = 32, kRowsY = 112, kRowHeight = 12, kRowsPerColumn = 32;
// Bank tabs: 70 x 15 from (32, 501), one every 76 pixels.
constexpr int16_t kTabX = 32, kTabY = 501, kTabWidth = 70, kTabHeight = 15, kTabStep = 76;

inline constexpr NvLayoutControl kControls[] = {
    {"edit", "ButtonEditLarge", 255, 55, 0, 0},
    {"information", "ButtonFunction", 345, 55, 0, 0},
    {"list mode 1", "SwitchOnOff", 396, 55, 0, 0},
    {"list mode 0", "SwitchOnOff", 447, 55, 0, 0},
    {"view", "ButtonPopup", 498, 55, 0, 0},
    {"receive", "ButtonFunction", 550, 55, 0, 0},
    {"transmit", "ButtonFunction", 602, 55, 0, 0},
    {"automatic dump", "SwitchOnOff", 653, 55, 0, 0},
    {"category hold", "ButtonCategoryHold", 691, 519, 0, 0},
    // LcdCharLargeWhite, 4 characters, and LcdCharWhite, 32 characters.
    {"program number", nullptr, 30, 49, 4 * NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight},
    {"category", nullptr, 30, 68, 32 * NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight},
    {"program rows", nullptr, kRowsX, kRowsY, 4 * 183, kRowsPerColumn* kRowHeight + 1},
    {"bank tabs", nullptr, kTabX, kTabY, kTabStep + kTabWidth, kTabHeight},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"PROGRAM LIST", {32, 94, 140, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"EDITOR", {253, 42, 76, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"RENAME", {343, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"4 COLS", {394, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"2 COLS", {445, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"VIEW", {496, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"RECEIVE", {548, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"SEND", {600, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"AUTO DUMP", {651, 42, 56, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"CATEGORY HOLD", {580, 521, 106, 12}, NvLabelAlign::Right, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{24, 44, 206, 35}, NvFrameStyle::Lcd},
    {{24, 90, 748, 410}, NvFrameStyle::Section},
    {{kRowsX - 2, kRowsY - 2, 4 * 183 + 4, kRowsPerColumn* kRowHeight + 5}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_ProgramList",
    kControls,
    NvCountOf(kControls),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvProgramListLayout
