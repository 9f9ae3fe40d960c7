#pragma once

// The vocoder page (BG_VocoderEdit, 690 x 408).
// Its controls and labels come with the page; the frames are the background's.

#include "editor/layout/NvPageLayout.h"

namespace NvVocoderEditLayout
{
inline constexpr NvLayoutFrame kFrames[] = {
    {{16, 64, 186, 158}, NvFrameStyle::Section},  // audio in and gate
    {{208, 64, 58, 158}, NvFrameStyle::Section},  // formant shift
    {{272, 64, 128, 158}, NvFrameStyle::Section}, // formant filter
    {{406, 64, 60, 158}, NvFrameStyle::Section},  // levels
    {{472, 64, 206, 158}, NvFrameStyle::Section}, // formant hold
    {{478, 80, 196, 108}, NvFrameStyle::Lcd},
    {{16, 232, 662, 166}, NvFrameStyle::Section}, // bands
    // The faders' slots, one under each band's fader.
    {{88, 290, 4, 95}, NvFrameStyle::Track},
    {{125, 290, 4, 95}, NvFrameStyle::Track},
    {{162, 290, 4, 95}, NvFrameStyle::Track},
    {{199, 290, 4, 95}, NvFrameStyle::Track},
    {{236, 290, 4, 95}, NvFrameStyle::Track},
    {{273, 290, 4, 95}, NvFrameStyle::Track},
    {{310, 290, 4, 95}, NvFrameStyle::Track},
    {{347, 290, 4, 95}, NvFrameStyle::Track},
    {{384, 290, 4, 95}, NvFrameStyle::Track},
    {{421, 290, 4, 95}, NvFrameStyle::Track},
    {{458, 290, 4, 95}, NvFrameStyle::Track},
    {{495, 290, 4, 95}, NvFrameStyle::Track},
    {{532, 290, 4, 95}, NvFrameStyle::Track},
    {{569, 290, 4, 95}, NvFrameStyle::Track},
    {{606, 290, 4, 95}, NvFrameStyle::Track},
    {{643, 290, 4, 95}, NvFrameStyle::Track},
};

inline constexpr NvPageLayout kPage = {"BG_VocoderEdit",   nullptr, 0, nullptr, 0, kFrames,
                                       NvCountOf(kFrames), nullptr, 0};
} // namespace NvVocoderEditLayout
