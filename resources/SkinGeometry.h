#pragma once

// The size of every skin bitmap, read by the skin generator (tools/skingen), which draws
// them, and by the code that cuts them into frames, so the two cannot disagree. Frames stack
// vertically: frame n of a strip starts at y = n x frame height. Portable: no platform header.

#include <cstdint>

enum class NvSkinKind : uint8_t
{
    Font,       // 128 glyph cells in character order; glyph 0 blank, 1 the caret
    Strip,      // knob, switch, LED and button frames
    BitmapList, // one frame per value
    Image,      // a single picture: logo, bars, keyboard
    Background, // a page, at the page's size
};

struct NvSkinBitmap
{
    const char* name;
    NvSkinKind kind;
    int16_t width;
    int16_t frameHeight;
    int16_t frameCount;

    constexpr int32_t Height() const { return int32_t(frameHeight) * frameCount; }
};

// Frames of the strips that the controls step through.
namespace NvSkinFrames
{
constexpr int16_t kKnob = 101;
// Switches, LEDs and trigger buttons: off, off pressed, on, on pressed.
constexpr int16_t kTwoState = 4;
// Buttons of one state: raised, pressed.
constexpr int16_t kButton = 2;
constexpr int16_t kFontGlyphs = 128;
// The status log's indicator: dark, then seven steps of light.
constexpr int16_t kStepLed = 8;
} // namespace NvSkinFrames

// Glyphs with a meaning of their own in every font.
namespace NvSkinGlyph
{
constexpr uint8_t kBlank = 0;
constexpr uint8_t kCaret = 1;
// Drawn for a text byte that has no glyph (128 and up).
constexpr uint8_t kFallback = 127;
} // namespace NvSkinGlyph

// Cells of the fonts.
namespace NvSkinFont
{
constexpr int16_t kSmallWidth = 6, kSmallHeight = 9;
constexpr int16_t kLargeWidth = 9, kLargeHeight = 15;
} // namespace NvSkinFont

namespace NvSkinEntry
{
constexpr NvSkinBitmap SmallFont(const char* name)
{
    return {name, NvSkinKind::Font, NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight,
            NvSkinFrames::kFontGlyphs};
}
constexpr NvSkinBitmap LargeFont(const char* name)
{
    return {name, NvSkinKind::Font, NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight,
            NvSkinFrames::kFontGlyphs};
}
constexpr NvSkinBitmap Background(const char* name, int16_t width, int16_t height)
{
    return {name, NvSkinKind::Background, width, height, 1};
}
} // namespace NvSkinEntry

// In the order of the application's name table.
inline constexpr NvSkinBitmap kNvSkinBitmaps[] = {
    NvSkinEntry::SmallFont("LcdChar"),
    NvSkinEntry::SmallFont("LcdCharDim"),
    NvSkinEntry::SmallFont("LcdCharSelected"),
    NvSkinEntry::SmallFont("LcdCharBack"),
    NvSkinEntry::SmallFont("LcdCharWhite"),
    NvSkinEntry::SmallFont("LcdCharWhiteDim"),
    NvSkinEntry::SmallFont("LcdCharWhiteSelected"),
    NvSkinEntry::SmallFont("LcdCharWhiteBack"),
    NvSkinEntry::LargeFont("LcdCharLarge"),
    NvSkinEntry::LargeFont("LcdCharLargeDim"),
    NvSkinEntry::LargeFont("LcdCharLargeSelected"),
    NvSkinEntry::LargeFont("LcdCharLargeWhite"),
    NvSkinEntry::LargeFont("LcdCharLargeWhiteDim"),
    NvSkinEntry::LargeFont("LcdCharLargeWhiteSelected"),
    NvSkinEntry::SmallFont("LcdCharStrong"),
    NvSkinEntry::SmallFont("LcdCharStrongDim"),
    {"LedButtonLarge", NvSkinKind::Strip, 14, 11, NvSkinFrames::kTwoState},
    {"LedButtonLargeDim", NvSkinKind::Strip, 14, 11, NvSkinFrames::kTwoState},
    {"LedStepRed", NvSkinKind::Strip, 16, 16, NvSkinFrames::kStepLed},
    {"Knob", NvSkinKind::Strip, 36, 36, NvSkinFrames::kKnob},
    {"KnobDim", NvSkinKind::Strip, 36, 36, NvSkinFrames::kKnob},
    {"SwitchOnOff", NvSkinKind::Strip, 34, 16, NvSkinFrames::kTwoState},
    {"SwitchOnOffDim", NvSkinKind::Strip, 34, 16, NvSkinFrames::kTwoState},
    // Two states: the button is lit while a category is held.
    {"ButtonCategoryHold", NvSkinKind::Strip, 64, 16, 2 * NvSkinFrames::kButton},
    {"ButtonEdit", NvSkinKind::Strip, 40, 16, NvSkinFrames::kButton},
    {"ButtonEditDim", NvSkinKind::Strip, 40, 16, NvSkinFrames::kButton},
    {"ButtonFunction", NvSkinKind::Strip, 46, 18, NvSkinFrames::kButton},
    {"ButtonFunctionDim", NvSkinKind::Strip, 46, 18, NvSkinFrames::kButton},
    {"ButtonRandomize", NvSkinKind::Strip, 64, 18, NvSkinFrames::kButton},
    {"ButtonRandomizeDim", NvSkinKind::Strip, 64, 18, NvSkinFrames::kButton},
    {"TriggerButtonSmall", NvSkinKind::Strip, 18, 18, NvSkinFrames::kTwoState},
    {"TriggerButtonSmallDim", NvSkinKind::Strip, 18, 18, NvSkinFrames::kTwoState},
    // The fader's thumb.
    {"VerticalSliderTop", NvSkinKind::Strip, 22, 11, 1},
    {"VerticalSliderTopDim", NvSkinKind::Strip, 22, 11, 1},
    {"ButtonArrowLeft", NvSkinKind::Strip, 20, 16, NvSkinFrames::kButton},
    {"ButtonArrowLeftDim", NvSkinKind::Strip, 20, 16, NvSkinFrames::kButton},
    {"ButtonArrowRight", NvSkinKind::Strip, 20, 16, NvSkinFrames::kButton},
    {"ButtonArrowRightDim", NvSkinKind::Strip, 20, 16, NvSkinFrames::kButton},
    {"BitmapListFilterRouting", NvSkinKind::BitmapList, 112, 56, 4},
    {"BitmapListPageSelectTab", NvSkinKind::BitmapList, 240, 30, 2},
    {"BitmapListVelocityCurve", NvSkinKind::BitmapList, 48, 32, 9},
    {"BitmapListVoiceMode", NvSkinKind::BitmapList, 72, 44, 4},
    // Labels of oscillator 1's two control knobs: one per wave, then Cross, Unison, PM.
    {"BitmapListOsc1Ctrl1", NvSkinKind::BitmapList, 60, 11, 11},
    {"BitmapListOsc1Ctrl2", NvSkinKind::BitmapList, 60, 11, 11},
    {"LogoNv2Editor", NvSkinKind::Image, 176, 24, 1},
    NvSkinEntry::Background("BG_MasterFxEdit", 630, 518),
    NvSkinEntry::Background("BG_ArpEdit", 342, 226),
    NvSkinEntry::Background("BG_VocoderEdit", 690, 408),
    NvSkinEntry::Background("BG_SynthEdit", 794, 600),
    NvSkinEntry::Background("BG_ProgramList", 794, 538),
    NvSkinEntry::Background("BG_MidiMonitor", 600, 178),
    NvSkinEntry::Background("BG_StatusLog", 600, 178),
    NvSkinEntry::Background("BG_PageSelect", 794, 37),
    NvSkinEntry::Background("BG_GlobalEdit", 794, 538),
    NvSkinEntry::Background("BG_VersionInfo", 342, 279),
    NvSkinEntry::Background("BG_TimbreEqEdit", 342, 166),
    NvSkinEntry::Background("BG_ProgramEdit", 594, 482),
    {"BitmapListOscWaveform", NvSkinKind::BitmapList, 64, 32, 8},
    {"BitmapListOsc1Mod", NvSkinKind::BitmapList, 64, 28, 4},
    {"BitmapListOsc2Mod", NvSkinKind::BitmapList, 64, 28, 4},
    // The value bar's fill.
    {"ValueBarMixer", NvSkinKind::Image, 62, 11, 1},
    {"ScaleKeyboard", NvSkinKind::Image, 234, 70, 1},
    // Sixteen bars, bar k filled from the 12-pixel column at x = 11 k.
    {"FormantHoldBar", NvSkinKind::Image, 177, 96, 1},
    {"KnobLarge", NvSkinKind::Strip, 56, 56, NvSkinFrames::kKnob},
    {"KnobLargeDim", NvSkinKind::Strip, 56, 56, NvSkinFrames::kKnob},
    {"KnobSmall", NvSkinKind::Strip, 28, 28, NvSkinFrames::kKnob},
    {"KnobSmallDim", NvSkinKind::Strip, 28, 28, NvSkinFrames::kKnob},
    {"ButtonEditEq", NvSkinKind::Strip, 40, 15, NvSkinFrames::kButton},
    {"ButtonEditEqDim", NvSkinKind::Strip, 40, 15, NvSkinFrames::kButton},
    {"ButtonEditLarge", NvSkinKind::Strip, 72, 18, NvSkinFrames::kButton},
    {"ButtonEditLargeDim", NvSkinKind::Strip, 72, 18, NvSkinFrames::kButton},
    {"ButtonEditSynth", NvSkinKind::Strip, 56, 15, NvSkinFrames::kButton},
    {"ButtonEditSynthDim", NvSkinKind::Strip, 56, 15, NvSkinFrames::kButton},
    {"ButtonPopup", NvSkinKind::Strip, 46, 18, NvSkinFrames::kButton},
    {"ButtonPopupDim", NvSkinKind::Strip, 46, 18, NvSkinFrames::kButton},
};

inline constexpr int32_t kNvSkinBitmapCount = int32_t(sizeof kNvSkinBitmaps / sizeof kNvSkinBitmaps[0]);
static_assert(kNvSkinBitmapCount == 75, "one entry per name of the application's table");

// The entry of a name; null when there is none.
inline constexpr const NvSkinBitmap* FindSkinBitmap(const char* name)
{
    for (const NvSkinBitmap& b : kNvSkinBitmaps)
    {
        const char* a = b.name;
        const char* n = name;
        while (n && *a && *a == *n)
            ++a, ++n;
        if (n && *a == *n)
            return &b;
    }
    return nullptr;
}
