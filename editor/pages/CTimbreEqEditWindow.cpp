#include "editor/pages/CTimbreEqEditWindow.h"

#include "editor/layout/TimbreEqEditLayout.h"
#include "editor/pages/eq/CTimbreEqEditLayer.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {CBaseWindow::kKindTimbreEqEdit,
                                             "Timbre EQ Edit",
                                             CTimbreEqEditWindow::kWidth,
                                             CTimbreEqEditWindow::kHeight,
                                             true,
                                             true};
} // namespace

CTimbreEqEditWindow::CTimbreEqEditWindow(CBaseWindow* libraryWindow, CLibraryData* library,
                                         int32_t programIndex, int32_t timbre, CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, timbre, opener)
{
}

std::wstring CTimbreEqEditWindow::GetTitleEnding() const
{
    return L"] Timbre " + std::to_wstring(GetTimbreIndex() + 1) + L" EQ";
}

std::unique_ptr<CEditLayerBase> CTimbreEqEditWindow::MakeCreatedLayer()
{
    auto layer = std::make_unique<CTimbreEqEditLayer>();
    // Null: the window's own program.
    if (!layer->CreatePage(this, nullptr, GetTimbreIndex()))
        return nullptr;
    return layer;
}
