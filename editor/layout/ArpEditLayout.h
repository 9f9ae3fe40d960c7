#pragma once

// The arpeggiator page (BG_ArpEdit, 342 x 226). The layer creates kControls[i] as control id i.

#include "editor/layout/NvPageLayout.h"

namespace NvArpEditLayout
{
constexpr int16_t kPageWidth = 342, kPageHeight = 226;
constexpr int16_t kTextWidth = 10 * NvSkinFont::kSmallWidth;

enum : uint32_t
{
    kIdValueTexts = 0, // 5: type, resolution, octave range, last step, timbre assign
    kIdLatch = 5,
    kIdKeySync = 6,
    kIdSteps = 7, // 8: steps 1..8
    kIdSwing = 15,
    kIdGateTime = 16,
    kIdRotateLeft = 17,
    kIdRotateRight = 18,
    kIdLogo = 19, // drawn on the background, no control
    kControlIdCount = 19,
};

inline constexpr NvLayoutControl kControls[] = {
    {"type", nullptr, 31, 106, kTextWidth, NvSkinFont::kSmallHeight},
    {"resolution", nullptr, 31, 134, kTextWidth, NvSkinFont::kSmallHeight},
    {"octave range", nullptr, 109, 106, kTextWidth, NvSkinFont::kSmallHeight},
    {"last step", nullptr, 109, 134, kTextWidth, NvSkinFont::kSmallHeight},
    {"timbre assign", nullptr, 31, 78, kTextWidth, NvSkinFont::kSmallHeight},
    {"latch", "SwitchOnOff", 205, 74, 0, 0},
    {"key sync", "SwitchOnOff", 270, 74, 0, 0},
    {"step 1", "TriggerButtonSmall", 129, 185, 0, 0},
    {"step 2", "TriggerButtonSmall", 153, 185, 0, 0},
    {"step 3", "TriggerButtonSmall", 177, 185, 0, 0},
    {"step 4", "TriggerButtonSmall", 201, 185, 0, 0},
    {"step 5", "TriggerButtonSmall", 225, 185, 0, 0},
    {"step 6", "TriggerButtonSmall", 249, 185, 0, 0},
    {"step 7", "TriggerButtonSmall", 273, 185, 0, 0},
    {"step 8", "TriggerButtonSmall", 296, 185, 0, 0},
    {"swing", "Knob", 275, 111, 0, 0},
    {"gate time", "Knob", 209, 111, 0, 0},
    {"rotate left", "ButtonArrowLeft", 58, 190, 0, 0},
    {"rotate right", "ButtonArrowRight", 90, 190, 0, 0},
    {"logo", "LogoNv2Editor", kPageWidth - 176 - 5, 3, 0, 0},
};
static_assert(NvCountOf(kControls) == kIdLogo + 1, "one row per control, then the logo");

inline constexpr NvLayoutLabel kLabels[] = {
    {"ARPEGGIATOR", {16, 10, 140, 18}, NvLabelAlign::Left, NvLabelStyle::Title},
    {"TIMBRE", {31, 65, 60, 10}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"TYPE", {31, 94, 60, 10}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"OCTAVE", {109, 94, 60, 10}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"RESOLUTION", {31, 122, 60, 10}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"LAST STEP", {109, 122, 60, 10}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"LATCH", {197, 92, 50, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"KEY SYNC", {262, 92, 50, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"GATE TIME", {201, 149, 52, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"SWING", {267, 149, 52, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"ROTATE", {54, 176, 60, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"1", {129, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"2", {153, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"3", {177, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"4", {201, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"5", {225, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"6", {249, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"7", {273, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"8", {296, 174, 18, 10}, NvLabelAlign::Centre, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{14, 64, 314, 100}, NvFrameStyle::Section},
    {{27, 74, 146, 74}, NvFrameStyle::Lcd},
    {{14, 172, 314, 44}, NvFrameStyle::Section}, // steps
};

inline constexpr NvPageLayout kPage = {
    "BG_ArpEdit", kControls, NvCountOf(kControls), kLabels, NvCountOf(kLabels), kFrames, NvCountOf(kFrames),
    nullptr,      0,
};
} // namespace NvArpEditLayout
