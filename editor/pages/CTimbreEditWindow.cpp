#include "editor/pages/CTimbreEditWindow.h"

#include "editor/layout/SynthEditLayout.h"
#include "editor/pages/synth/CTimbreEditLayer.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {CBaseWindow::kKindTimbreSynthEdit,
                                             "Timbre Synth Edit",
                                             CTimbreEditWindow::kWidth,
                                             CTimbreEditWindow::kHeight,
                                             true,
                                             true};
} // namespace

CTimbreEditWindow::CTimbreEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                                     int32_t timbre, CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, timbre, opener)
{
}

std::wstring CTimbreEditWindow::GetTitleEnding() const
{
    return L"] Timbre " + std::to_wstring(GetTimbreIndex() + 1) + L" Synth";
}

std::unique_ptr<CEditLayerBase> CTimbreEditWindow::MakeCreatedLayer()
{
    auto layer = std::make_unique<CTimbreEditLayer>();
    // Null: the window's own program.
    if (!layer->CreatePage(this, nullptr, GetTimbreIndex()))
        return nullptr;
    return layer;
}
