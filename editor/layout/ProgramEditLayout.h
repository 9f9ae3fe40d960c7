#pragma once

// The program edit page (BG_ProgramEdit, 594 x 482): the program's common settings, both
// timbres in short, the arpeggiator, vocoder and master-effect states and the knob assignments.
// The layer creates kControls[i] as control id i, so the order is the page's creation order.

#include "editor/layout/NvPageLayout.h"

namespace NvProgramEditLayout
{
constexpr int16_t kPageWidth = 594, kPageHeight = 482;
constexpr int16_t kSmall = NvSkinFont::kSmallWidth, kSmallHeight = NvSkinFont::kSmallHeight;

// Control ids: where each group starts in kControls.
enum : uint32_t
{
    kIdEditButtons = 0,    // 7: synth 1, EQ 1, synth 2, EQ 2, arpeggiator, vocoder, master effects
    kIdVoiceModeList = 7,  //
    kIdWaveLists = 8,      // 4: timbre 1 OSC 1, OSC 2, timbre 2 OSC 1, OSC 2
    kIdModLists = 12,      // 4: the same order
    kIdName = 16,          //
    kIdValueTexts = 17,    // 6: BPM, octave, scale, scale key, split key, timbre 2 channel
    kIdKnobTexts = 23,     // 6: timbre 1 knobs 1..3, timbre 2 knobs 1..3
    kIdSwitches = 29,      // 2: arpeggiator, vocoder
    kIdVoiceModeLeds = 31, // 4: values 0..3
    kIdMixerBars = 35,     // 6: timbre 1 OSC 1, OSC 2, noise, then timbre 2
    kIdEqGraphs = 41,      // 2
    kIdFilterAGraphs = 43, // 2
    kIdFilterBGraphs = 45, // 2
    kIdStatusLines = 47,   // 6
    kIdLogo = 53,          // drawn on the background, no control
    kControlIdCount = 53,
};

inline constexpr NvLayoutControl kControls[] = {
    {"timbre 1 synth edit", "ButtonEditSynth", 180, 134, 0, 0},
    {"timbre 1 eq edit", "ButtonEditEq", 253, 134, 0, 0},
    {"timbre 2 synth edit", "ButtonEditSynth", 473, 134, 0, 0},
    {"timbre 2 eq edit", "ButtonEditEq", 546, 134, 0, 0},
    {"arpeggiator edit", "ButtonEdit", 146, 409, 0, 0},
    {"vocoder edit", "ButtonEdit", 335, 409, 0, 0},
    {"master fx edit", "ButtonEdit", 546, 409, 0, 0},
    {"voice mode", "BitmapListVoiceMode", 93, 61, 0, 0},
    {"timbre 1 osc 1 wave", "BitmapListOscWaveform", 29, 183, 0, 0},
    {"timbre 1 osc 2 wave", "BitmapListOscWaveform", 102, 183, 0, 0},
    {"timbre 2 osc 1 wave", "BitmapListOscWaveform", 322, 183, 0, 0},
    {"timbre 2 osc 2 wave", "BitmapListOscWaveform", 395, 183, 0, 0},
    {"timbre 1 osc 1 mod", "BitmapListOsc1Mod", 29, 217, 0, 0},
    {"timbre 1 osc 2 mod", "BitmapListOsc2Mod", 102, 217, 0, 0},
    {"timbre 2 osc 1 mod", "BitmapListOsc1Mod", 322, 217, 0, 0},
    {"timbre 2 osc 2 mod", "BitmapListOsc2Mod", 395, 217, 0, 0},
    {"program name", nullptr, 20, 13, 12 * NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight},
    {"bpm", nullptr, 184, 9, 5 * kSmall, kSmallHeight},
    {"octave", nullptr, 201, 21, 4 * kSmall, kSmallHeight},
    {"scale", nullptr, 489, 72, 14 * kSmall, kSmallHeight},
    {"scale key", nullptr, 489, 100, 14 * kSmall, kSmallHeight},
    {"split key", nullptr, 368, 72, 14 * kSmall, kSmallHeight},
    {"timbre 2 channel", nullptr, 368, 100, 14 * kSmall, kSmallHeight},
    {"timbre 1 knob 1", nullptr, 33, 337, 20 * kSmall, kSmallHeight},
    {"timbre 1 knob 2", nullptr, 33, 357, 20 * kSmall, kSmallHeight},
    {"timbre 1 knob 3", nullptr, 33, 377, 20 * kSmall, kSmallHeight},
    {"timbre 2 knob 1", nullptr, 326, 337, 20 * kSmall, kSmallHeight},
    {"timbre 2 knob 2", nullptr, 326, 357, 20 * kSmall, kSmallHeight},
    {"timbre 2 knob 3", nullptr, 326, 377, 20 * kSmall, kSmallHeight},
    {"arpeggiator switch", "SwitchOnOff", 15, 445, 0, 0},
    {"vocoder switch", "SwitchOnOff", 204, 445, 0, 0},
    {"voice mode single", "LedButtonLarge", 21, 62, 0, 0},
    {"voice mode layer", "LedButtonLarge", 21, 76, 0, 0},
    {"voice mode split", "LedButtonLarge", 21, 89, 0, 0},
    {"voice mode multi", "LedButtonLarge", 21, 102, 0, 0},
    {"timbre 1 osc 1 level", "ValueBarMixer", 212, 187, 0, 0},
    {"timbre 1 osc 2 level", "ValueBarMixer", 212, 201, 0, 0},
    {"timbre 1 noise level", "ValueBarMixer", 212, 215, 0, 0},
    {"timbre 2 osc 1 level", "ValueBarMixer", 505, 187, 0, 0},
    {"timbre 2 osc 2 level", "ValueBarMixer", 505, 201, 0, 0},
    {"timbre 2 noise level", "ValueBarMixer", 505, 215, 0, 0},
    {"timbre 1 eq", nullptr, 196, 334, 85, 52},
    {"timbre 2 eq", nullptr, 489, 334, 85, 52},
    // A filter graph reaches 2 pixels above and left of its 60 x 47 plot, 4 below and right.
    {"timbre 1 filter 1", nullptr, 28, 248, 66, 53},
    {"timbre 2 filter 1", nullptr, 321, 248, 66, 53},
    {"timbre 1 filter 2", nullptr, 101, 248, 66, 53},
    {"timbre 2 filter 2", nullptr, 394, 248, 66, 53},
    {"arpeggiator line 1", nullptr, 62, 439, 18 * kSmall, kSmallHeight},
    {"arpeggiator line 2", nullptr, 62, 454, 18 * kSmall, kSmallHeight},
    {"vocoder line 1", nullptr, 255, 439, 18 * kSmall, kSmallHeight},
    {"vocoder line 2", nullptr, 255, 454, 18 * kSmall, kSmallHeight},
    {"effect line 1", nullptr, 396, 439, 29 * kSmall, kSmallHeight},
    {"effect line 2", nullptr, 396, 454, 29 * kSmall, kSmallHeight},
    {"logo", "LogoNv2Editor", kPageWidth - 176 - 5, 3, 0, 0},
};
static_assert(NvCountOf(kControls) == kIdLogo + 1, "one row per control, then the logo");

// The section captions, where blocks are dragged from and dropped: timbre 1, timbre 2,
// arpeggiator, vocoder, master-effect set.
inline constexpr NvLayoutRect kDropAreas[] = {
    {7, 130, 85, 15}, {299, 130, 85, 15}, {6, 405, 100, 15}, {192, 405, 80, 15}, {381, 405, 105, 15},
};

// Where a double click opens an editor; the first area holding the point wins. Inclusive of the
// right and bottom edges.
enum class NvProgramEditArea : uint8_t
{
    TimbreSynth1,
    TimbreSynth2,
    TimbreEq1,
    TimbreEq2,
    TimbreSection1,
    TimbreSection2,
    Arpeggiator,
    Vocoder,
    MasterFx,
};
struct NvProgramEditAreaRow
{
    int16_t left, top, right, bottom;
    NvProgramEditArea area;
};
inline constexpr NvProgramEditAreaRow kDoubleClickAreas[] = {
    {7, 150, 294, 313, NvProgramEditArea::TimbreSynth1},
    {299, 150, 587, 313, NvProgramEditArea::TimbreSynth2},
    {196, 334, 280, 384, NvProgramEditArea::TimbreEq1},
    {489, 334, 573, 384, NvProgramEditArea::TimbreEq2},
    {7, 130, 294, 400, NvProgramEditArea::TimbreSection1},
    {299, 130, 587, 400, NvProgramEditArea::TimbreSection2},
    {55, 431, 178, 467, NvProgramEditArea::Arpeggiator},
    {244, 431, 367, 467, NvProgramEditArea::Vocoder},
    {388, 431, 578, 467, NvProgramEditArea::MasterFx},
};

inline constexpr NvLayoutLabel kLabels[] = {
    {"BPM", {236, 8, 40, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"OCTAVE", {236, 20, 40, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"VOICE MODE", {16, 46, 120, 12}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"SPLIT KEY", {364, 56, 92, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"SCALE", {485, 56, 92, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"TIMBRE 2 CH", {364, 84, 92, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"SCALE KEY", {485, 84, 92, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"TIMBRE 1", {12, 131, 78, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"TIMBRE 2", {304, 131, 78, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"OSC 1", {29, 170, 64, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"OSC 2", {102, 170, 64, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"MIXER", {212, 170, 62, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"OSC 1", {322, 170, 64, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"OSC 2", {395, 170, 64, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"MIXER", {505, 170, 62, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"FILTER 1", {30, 302, 60, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"FILTER 2", {103, 302, 60, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"FILTER 1", {323, 302, 60, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"FILTER 2", {396, 302, 60, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"KNOB ASSIGN", {29, 320, 128, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"EQ", {196, 320, 85, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"KNOB ASSIGN", {322, 320, 128, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"EQ", {489, 320, 85, 11}, NvLabelAlign::Left, NvLabelStyle::Control},
    {"ARPEGGIATOR", {10, 406, 96, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"VOCODER", {196, 406, 76, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"MASTER FX", {386, 406, 100, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{16, 9, 116, 23}, NvFrameStyle::Lcd}, // program name
    {{178, 5, 52, 28}, NvFrameStyle::Lcd}, // tempo and octave
    {{7, 40, 580, 86}, NvFrameStyle::Section},
    {{364, 68, 92, 16}, NvFrameStyle::Lcd},
    {{485, 68, 92, 16}, NvFrameStyle::Lcd},
    {{364, 96, 92, 16}, NvFrameStyle::Lcd},
    {{485, 96, 92, 16}, NvFrameStyle::Lcd},
    {{7, 130, 288, 271}, NvFrameStyle::Section},   // timbre 1
    {{299, 130, 289, 271}, NvFrameStyle::Section}, // timbre 2
    {{209, 184, 68, 44}, NvFrameStyle::Lcd},       // mixer bars
    {{502, 184, 68, 44}, NvFrameStyle::Lcd},
    {{30, 250, 60, 47}, NvFrameStyle::Lcd}, // filter graphs
    {{103, 250, 60, 47}, NvFrameStyle::Lcd},
    {{323, 250, 60, 47}, NvFrameStyle::Lcd},
    {{396, 250, 60, 47}, NvFrameStyle::Lcd},
    {{29, 333, 128, 56}, NvFrameStyle::Lcd}, // knob assignments
    {{322, 333, 128, 56}, NvFrameStyle::Lcd},
    {{196, 334, 85, 52}, NvFrameStyle::Lcd}, // EQ graphs
    {{489, 334, 85, 52}, NvFrameStyle::Lcd},
    {{6, 405, 176, 68}, NvFrameStyle::Section},   // arpeggiator
    {{188, 405, 188, 68}, NvFrameStyle::Section}, // vocoder
    {{381, 405, 207, 68}, NvFrameStyle::Section}, // master effects
    {{58, 435, 116, 30}, NvFrameStyle::Lcd},
    {{251, 435, 116, 30}, NvFrameStyle::Lcd},
    {{392, 435, 182, 30}, NvFrameStyle::Lcd},
};

inline constexpr NvPageLayout kPage = {
    "BG_ProgramEdit",
    kControls,
    NvCountOf(kControls),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvProgramEditLayout
