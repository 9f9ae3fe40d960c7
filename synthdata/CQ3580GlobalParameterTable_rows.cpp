// Global parameter rows, by group and row number.
#include "synthdata/CQ3580GlobalParameterTable.h"

namespace
{

// Group 0: System
const CZmParameterInfo kGlbGroup0[8] = {
    /*   0 */ {"Master Tune", 1, 0, 0, 0xFF, -100, 100, 0, 0, kZmKindNumeric, -1, "MasterTune"},
    /*   1 */ {"Transpose", 1, 1, 0, 0xFF, -12, 12, 0, 0, kZmKindNumeric, -1, "Value"},
    /*   2 */ {"Memory Protect", 1, 2, 7, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "OnOff"},
    /*   3 */ {"LCD Backlight Mode", 1, 2, 4, 0x3, 0, 2, 0, 0, kZmKindList, -1, "BackLightMode"},
    /*   4 */ {"Knob Mode", 1, 2, 3, 0x1, 0, 1, 0, 0, kZmKindList, -1, "KnobMode"},
    /*   5 */ {"Position", 1, 2, 2, 0x1, 0, 1, 0, 0, kZmKindList, -1, "Position"},
    /*   6 */ {"Audio In Thru", 1, 2, 0, 0x3, 0, 1, 0, 0, kZmKindList, -1, "AudioInThru"},
    /*   7 */ {"Velocity Curve", 1, 3, 0, 0xF, 0, 8, 0, 0, kZmKindList, -1, "VelocityCurve"},
};

// Group 1: MIDI
const CZmParameterInfo kGlbGroup1[7] = {
    /*   0 */ {"Global MIDI Channel", 1, 4, 0, 0xF, 0, 15, 0, 0, kZmKindNumeric, -1, "MidiCh"},
    /*   1 */ {"Local Control", 1, 5, 7, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "OnOff"},
    /*   2 */ {"System Routing", 1, 5, 4, 0x3, 0, 2, 0, 0, kZmKindList, -1, "SystemRouting"},
    /*   3 */ {"MIDI Clock", 1, 5, 2, 0x3, 0, 3, 0, 0, kZmKindList, -1, "MidiClock"},
    /*   4 */ {"MIDI Ctrl 1", 1, 6, 0, 0xFF, 0, 120, 0, 0, kZmKindList, -1, "MidiCtrlSource"},
    /*   5 */ {"MIDI Ctrl 2", 1, 7, 0, 0xFF, 0, 120, 0, 0, kZmKindList, -1, "MidiCtrlSource"},
    /*   6 */ {"MIDI Ctrl 3", 1, 8, 0, 0xFF, 0, 120, 0, 0, kZmKindList, -1, "MidiCtrlSource"},
};

// Group 2: MIDI filter
const CZmParameterInfo kGlbGroup2[4] = {
    /*   0 */ {"System Exclusive", 1, 9, 5, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "EnaDis"},
    /*   1 */ {"Pitch Bend", 1, 9, 4, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "EnaDis"},
    /*   2 */ {"Control Change", 1, 9, 3, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "EnaDis"},
    /*   3 */ {"Program Change", 1, 9, 0, 0x1, 0, 1, 0, 0, kZmKindSwitch, -1, "EnaDis"},
};

// Group 3: User scale
const CZmParameterInfo kGlbGroup3[12] = {
    /*   0 */ {"C", 1, 16, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   1 */ {"C#", 1, 17, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   2 */ {"D", 1, 18, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   3 */ {"D#", 1, 19, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   4 */ {"E", 1, 20, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   5 */ {"F", 1, 21, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   6 */ {"F#", 1, 22, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   7 */ {"G", 1, 23, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   8 */ {"G#", 1, 24, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*   9 */ {"A", 1, 25, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*  10 */ {"A#", 1, 26, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
    /*  11 */ {"B", 1, 27, 0, 0xFF, -63, 63, 0, 0, kZmKindNumeric, -1, "UserScaleValue"},
};

// Group 4: CC number map
const CZmParameterInfo kGlbGroup4[65] = {
    /*   0 */ {"Portamento", 1, 32, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   1 */ {"Unison SW", 1, 33, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   2 */ {"OSC 1 Wave", 1, 34, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   3 */ {"OSC 1 Mod", 1, 35, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   4 */ {"OSC 1 Ctrl 1", 1, 36, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   5 */ {"OSC 1 Ctrl 2", 1, 37, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   6 */ {"OSC 2 Wave", 1, 38, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   7 */ {"OSC 2 Mod", 1, 39, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   8 */ {"OSC 2 Semitone", 1, 40, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*   9 */ {"OSC 2 Tune", 1, 41, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  10 */ {"OSC 1 Level", 1, 42, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  11 */ {"OSC 2 Level", 1, 43, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  12 */ {"Noise Level", 1, 44, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  13 */ {"Filter Routing", 1, 45, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  14 */ {"Filter 1 Type Balance", 1, 46, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  15 */ {"Filter 1 Cutoff", 1, 47, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  16 */ {"Filter 1 Resonance", 1, 48, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  17 */ {"Filter 1 EG 1 Int", 1, 49, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  18 */ {"Filter 1 Key Track", 1, 50, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  19 */ {"Filter 2 Type", 1, 51, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  20 */ {"Filter 2 Cutoff", 1, 52, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  21 */ {"Filter 2 Resonance", 1, 53, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  22 */ {"Filter 2 EG 1 Int", 1, 54, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  23 */ {"Filter 2 Key Track", 1, 55, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  24 */ {"Amp Level", 1, 56, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  25 */ {"Panpot", 1, 57, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  26 */ {"Drive/WS Depth", 1, 58, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  27 */ {"EG 1 Attack", 1, 59, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  28 */ {"EG 1 Decay", 1, 60, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  29 */ {"EG 1 Sustain", 1, 61, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  30 */ {"EG 1 Release", 1, 62, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  31 */ {"EG 2 Attack", 1, 63, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  32 */ {"EG 2 Decay", 1, 64, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  33 */ {"EG 2 Sustain", 1, 65, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  34 */ {"EG 2 Release", 1, 66, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  35 */ {"LFO 1 Wave", 1, 67, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  36 */ {"LFO 1 Frequency", 1, 68, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  37 */ {"LFO 2 Wave", 1, 69, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  38 */ {"LFO 2 Frequency", 1, 70, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  39 */ {"Virtual Patch 1 Int.", 1, 71, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  40 */ {"Virtual Patch 2 Int.", 1, 72, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  41 */ {"Virtual Patch 3 Int.", 1, 73, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  42 */ {"Virtual Patch 4 Int.", 1, 74, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  43 */ {"Virtual Patch 5 Int.", 1, 75, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  44 */ {"Virtual Patch 6 Int.", 1, 76, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  45 */ {"EQ High Gain", 1, 77, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  46 */ {"EQ Low Gain", 1, 78, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  47 */ {"FX 1 Dry/Wet", 1, 79, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  48 */ {"FX 1 Ctrl 1", 1, 80, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  49 */ {"FX 1 Ctrl 2", 1, 81, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  50 */ {"FX 2 Dry/Wet", 1, 82, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  51 */ {"FX 2 Ctrl 1", 1, 83, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  52 */ {"FX 2 Ctrl 2", 1, 84, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  53 */ {"Vocoder Threshold", 1, 85, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  54 */ {"Vocoder HPF Level", 1, 86, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  55 */ {"Vocoder HPF Gate", 1, 87, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  56 */ {"Vocoder Direct Level", 1, 88, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  57 */ {"Vocoder In Src 1 Level", 1, 89, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  58 */ {"Vocoder In Src 2 Level", 1, 90, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  59 */ {"Vocoder Level", 1, 91, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  60 */ {"Vocoder Formant Shift", 1, 92, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  61 */ {"Vocoder FC Offset", 1, 93, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  62 */ {"Vocoder Resonance", 1, 94, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  63 */ {"Vocoder FC Mod.Int.", 1, 95, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
    /*  64 */ {"Vocoder E.F.Sens", 1, 96, 0, 0xFF, -1, 119, 0, 0, kZmKindList, -1, "CcMapNumber"},
};

} // namespace

const CZmParameterGroup kQ3580GlobalGroups[kGlbGroupCount] = {
    {kGlbGroup0, 8}, {kGlbGroup1, 7}, {kGlbGroup2, 4}, {kGlbGroup3, 12}, {kGlbGroup4, 65},
};
