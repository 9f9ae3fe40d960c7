#pragma once

// The global page of the library window (BG_GlobalEdit, 794 x 538): the page tabs and the four
// function buttons, then one of two sub-pages on the flat panel from (28, 139): the grid of
// global parameters with the user-scale keyboard, or the CC number map's list. Positions are
// in the background's coordinates; a sub-page layer's origin is the panel's corner.

#include "editor/layout/NvPageLayout.h"

#include <array>

enum class NvGlobalCellKind : uint8_t
{
    Heading,   // printed on the background
    Parameter, // a name and a value field
    ScaleKey,  // a value field on the keyboard picture
};

// One row of the global grid. For a heading or parameter: its column and line; for a scale key:
// its offset on the keyboard picture.
struct NvGlobalCell
{
    NvGlobalCellKind kind;
    int16_t column, line;
    int8_t group, index; // the global parameter; -1 for a heading
    const char* text;    // the heading, or the parameter's role in the table
    const char* labelRole;
};

namespace NvGlobalEditLayout
{
// The sub-pages' panel, and the grid on it: 245 pixels a column, 14 a line, the value field
// 147 pixels right of its name.
constexpr int16_t kPanelX = 28, kPanelY = 139, kPanelWidth = 735, kPanelHeight = 380;
constexpr int16_t kColumnWidth = 245, kLineHeight = 14, kFieldOffset = 147;
constexpr int16_t kCellHeight = NvSkinFont::kSmallHeight;
constexpr int16_t kLabelChars = 24, kFieldChars = 14, kKeyChars = 3;
constexpr int16_t kLabelWidth = kLabelChars * NvSkinFont::kSmallWidth;
constexpr int16_t kFieldWidth = kFieldChars * NvSkinFont::kSmallWidth;
constexpr int16_t kKeyWidth = kKeyChars * NvSkinFont::kSmallWidth;
// The keyboard picture; the scale keys' fields lie on it.
constexpr int16_t kKeyboardX = 518, kKeyboardY = 152;

// The rows in order; a row's number is the id of its value field.
inline constexpr NvGlobalCell kCells[] = {
    {NvGlobalCellKind::Heading, 0, 0, -1, -1, "GLOBAL", "GLOBAL label"},                           // 0
    {NvGlobalCellKind::Parameter, 0, 1, 0, 0, "Master Tune", "Master Tune label"},                 // 1
    {NvGlobalCellKind::Parameter, 0, 2, 0, 1, "Transpose", "Transpose label"},                     // 2
    {NvGlobalCellKind::Parameter, 0, 3, 0, 7, "Velocity Curve", "Velocity Curve label"},           // 3
    {NvGlobalCellKind::Parameter, 0, 4, 0, 5, "Position", "Position label"},                       // 4
    {NvGlobalCellKind::Parameter, 0, 5, 0, 3, "LCD Backlight Mode", "LCD Backlight Mode label"},   // 5
    {NvGlobalCellKind::Parameter, 0, 6, 0, 4, "Knob Mode", "Knob Mode label"},                     // 6
    {NvGlobalCellKind::Parameter, 0, 7, 0, 2, "Memory Protect", "Memory Protect label"},           // 7
    {NvGlobalCellKind::Heading, 1, 0, -1, -1, "MIDI", "MIDI label"},                               // 8
    {NvGlobalCellKind::Parameter, 1, 1, 1, 0, "Global MIDI Channel", "Global MIDI Channel label"}, // 9
    {NvGlobalCellKind::Parameter, 1, 2, 1, 1, "Local Control", "Local Control label"},             // 10
    {NvGlobalCellKind::Parameter, 1, 3, 1, 2, "System Routing", "System Routing label"},           // 11
    {NvGlobalCellKind::Parameter, 1, 4, 1, 3, "MIDI Clock", "MIDI Clock label"},                   // 12
    {NvGlobalCellKind::Parameter, 1, 5, 1, 4, "MIDI Ctrl 1", "MIDI Ctrl 1 label"},                 // 13
    {NvGlobalCellKind::Parameter, 1, 6, 1, 5, "MIDI Ctrl 2", "MIDI Ctrl 2 label"},                 // 14
    {NvGlobalCellKind::Parameter, 1, 7, 1, 6, "MIDI Ctrl 3", "MIDI Ctrl 3 label"},                 // 15
    {NvGlobalCellKind::Heading, 1, 9, -1, -1, "MIDI FILTER", "MIDI FILTER label"},                 // 16
    {NvGlobalCellKind::Parameter, 1, 10, 2, 3, "Program Change", "Program Change label"},          // 17
    {NvGlobalCellKind::Parameter, 1, 11, 2, 2, "Control Change", "Control Change label"},          // 18
    {NvGlobalCellKind::Parameter, 1, 12, 2, 1, "Pitch Bend", "Pitch Bend label"},                  // 19
    {NvGlobalCellKind::Parameter, 1, 13, 2, 0, "System Exclusive", "System Exclusive label"},      // 20
    {NvGlobalCellKind::Heading, 2, 0, -1, -1, "USER SCALE", "USER SCALE label"},                   // 21
    {NvGlobalCellKind::ScaleKey, 9, 52, 3, 0, "C", "C label"},                                     // 22
    {NvGlobalCellKind::ScaleKey, 23, 23, 3, 1, "C#", "C# label"},                                  // 23
    {NvGlobalCellKind::ScaleKey, 42, 52, 3, 2, "D", "D label"},                                    // 24
    {NvGlobalCellKind::ScaleKey, 62, 23, 3, 3, "D#", "D# label"},                                  // 25
    {NvGlobalCellKind::ScaleKey, 75, 52, 3, 4, "E", "E label"},                                    // 26
    {NvGlobalCellKind::ScaleKey, 108, 52, 3, 5, "F", "F label"},                                   // 27
    {NvGlobalCellKind::ScaleKey, 118, 23, 3, 6, "F#", "F# label"},                                 // 28
    {NvGlobalCellKind::ScaleKey, 143, 52, 3, 7, "G", "G label"},                                   // 29
    {NvGlobalCellKind::ScaleKey, 161, 23, 3, 8, "G#", "G# label"},                                 // 30
    {NvGlobalCellKind::ScaleKey, 176, 52, 3, 9, "A", "A label"},                                   // 31
    {NvGlobalCellKind::ScaleKey, 202, 23, 3, 10, "A#", "A# label"},                                // 32
    {NvGlobalCellKind::ScaleKey, 209, 52, 3, 11, "B", "B label"},                                  // 33
};
constexpr size_t kCellCount = NvCountOf(kCells);
// The id of a parameter's name: apart from every field's.
constexpr uint32_t kLabelIdBase = 100;

constexpr NvLayoutRect LabelRect(const NvGlobalCell& c)
{
    return {int16_t(kPanelX + c.column * kColumnWidth), int16_t(kPanelY + c.line * kLineHeight), kLabelWidth,
            kCellHeight};
}
constexpr NvLayoutRect FieldRect(const NvGlobalCell& c)
{
    return c.kind == NvGlobalCellKind::ScaleKey
               ? NvLayoutRect{int16_t(kKeyboardX + c.column), int16_t(kKeyboardY + c.line), kKeyWidth,
                              kCellHeight}
               : NvLayoutRect{int16_t(LabelRect(c).x + kFieldOffset), LabelRect(c).y, kFieldWidth,
                              kCellHeight};
}

// The CC number map: one list item for each of the 65 entries, a page tab below the list.
constexpr int32_t kCcMapItemCount = 65;
constexpr NvLayoutRect kCcMapList = {kPanelX, kPanelY, kPanelWidth, 354};
constexpr NvLayoutRect kCcMapPageTab = {kPanelX, 496, 165, 16};
// The sub-page tabs and the function buttons, on the page itself.
constexpr NvLayoutRect kPageTabs = {27, 114, 400, 20};

inline constexpr NvLayoutLabel kLabels[] = {
    {"GLOBAL", {28, 139, 144, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"MIDI", {273, 139, 144, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"MIDI FILTER", {273, 265, 144, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"USER SCALE", {518, 139, 144, 13}, NvLabelAlign::Left, NvLabelStyle::Section},
    {"RECEIVE", {343, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"WRITE", {394, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"LOAD", {445, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
    {"SAVE", {496, 42, 50, 11}, NvLabelAlign::Centre, NvLabelStyle::Control},
};

inline constexpr NvLayoutFrame kFrames[] = {
    {{20, 104, 751, 424}, NvFrameStyle::Section},
    // The sub-pages' flat panel; the CC map list draws over it.
    {{kPanelX, kPanelY, kPanelWidth, kPanelHeight}, NvFrameStyle::Flat},
};

inline constexpr NvLayoutPicture kPictures[] = {
    {"ScaleKeyboard", kKeyboardX, kKeyboardY},
};

// The page's own controls, in control-id order.
inline constexpr NvLayoutControl kPageControls[] = {
    {"page tabs", nullptr, kPageTabs.x, kPageTabs.y, kPageTabs.width, kPageTabs.height},
    {"load", "ButtonFunction", 447, 55, 0, 0},
    {"save", "ButtonFunction", 498, 55, 0, 0},
    {"receive", "ButtonFunction", 345, 55, 0, 0},
    {"write", "ButtonFunction", 396, 55, 0, 0},
};

constexpr size_t CountGridControls()
{
    size_t n = 0;
    for (const NvGlobalCell& c : kCells)
        n += c.kind == NvGlobalCellKind::Parameter ? 2 : c.kind == NvGlobalCellKind::ScaleKey ? 1 : 0;
    return n;
}

// The page's controls with the global grid's: a name and a field for each parameter, a field
// for each scale key.
constexpr std::array<NvLayoutControl, NvCountOf(kPageControls) + CountGridControls()> MakeGlobalControls()
{
    std::array<NvLayoutControl, NvCountOf(kPageControls) + CountGridControls()> controls{};
    size_t n = 0;
    for (const NvLayoutControl& c : kPageControls)
        controls[n++] = c;
    for (const NvGlobalCell& c : kCells)
    {
        if (c.kind == NvGlobalCellKind::Heading)
            continue;
        if (c.kind == NvGlobalCellKind::Parameter)
        {
            const NvLayoutRect r = LabelRect(c);
            controls[n++] = {c.labelRole, nullptr, r.x, r.y, r.width, r.height};
        }
        const NvLayoutRect r = FieldRect(c);
        controls[n++] = {c.text, nullptr, r.x, r.y, r.width, r.height};
    }
    return controls;
}
inline constexpr auto kControls = MakeGlobalControls();

// The CC map sub-page with the page's controls; it shares the background, so it is not among
// the tables the skin generator prints.
inline constexpr NvLayoutControl kCcMapControls[] = {
    kPageControls[0],
    kPageControls[1],
    kPageControls[2],
    kPageControls[3],
    kPageControls[4],
    {"cc map list", nullptr, kCcMapList.x, kCcMapList.y, kCcMapList.width, kCcMapList.height},
    {"cc map page tab", nullptr, kCcMapPageTab.x, kCcMapPageTab.y, kCcMapPageTab.width, kCcMapPageTab.height},
};

inline constexpr NvPageLayout kPage = {
    "BG_GlobalEdit",
    kControls.data(),
    kControls.size(),
    kLabels,
    NvCountOf(kLabels),
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
    kPictures,
    NvCountOf(kPictures),
};
inline constexpr NvPageLayout kCcMapPage = {
    "BG_GlobalEdit",
    kCcMapControls,
    NvCountOf(kCcMapControls),
    nullptr,
    0,
    kFrames,
    NvCountOf(kFrames),
    nullptr,
    0,
};
} // namespace NvGlobalEditLayout
