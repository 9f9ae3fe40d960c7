#pragma once

// The program edit page (BG_ProgramEdit, 594 x 482).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvProgramEditLayout
{
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

inline constexpr NvPageLayout kPage = {"BG_ProgramEdit",   nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvProgramEditLayout
