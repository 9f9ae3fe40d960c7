#pragma once

// Every page's layout table, one per background.

#include "editor/layout/ArpEditLayout.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/layout/MasterFxEditLayout.h"
#include "editor/layout/MidiMonitorLayout.h"
#include "editor/layout/PageSelectLayout.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/layout/ProgramListLayout.h"
#include "editor/layout/StatusLogLayout.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/layout/TimbreEqEditLayout.h"
#include "editor/layout/VersionInfoLayout.h"
#include "editor/layout/VocoderEditLayout.h"

inline constexpr const NvPageLayout* kNvPageLayouts[] = {
    &NvProgramListLayout::kPage,  &NvPageSelectLayout::kPage,   &NvMidiMonitorLayout::kPage,
    &NvStatusLogLayout::kPage,    &NvGlobalEditLayout::kPage,   &NvProgramEditLayout::kPage,
    &NvSynthEditLayout::kPage,    &NvArpEditLayout::kPage,      &NvVocoderEditLayout::kPage,
    &NvMasterFxEditLayout::kPage, &NvTimbreEqEditLayout::kPage, &NvVersionInfoLayout::kPage,
};

// The layout of a background; null when there is none.
inline const NvPageLayout* FindPageLayout(const char* background)
{
    for (const NvPageLayout* page : kNvPageLayouts)
    {
        const char* a = page->background;
        const char* b = background;
        while (b && *a && *a == *b)
            ++a, ++b;
        if (b && *a == *b)
            return page;
    }
    return nullptr;
}
