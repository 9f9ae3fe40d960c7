#include "editor/pages/CTimbreEqEditWindow.h"

#include "editor/layout/TimbreEqEditLayout.h"
#include "editor/pages/CBlankPageLayer.h"

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

std::unique_ptr<CEditPageLayer> CTimbreEqEditWindow::MakeMainLayer()
{
    return std::make_unique<CBlankPageLayer>(NvTimbreEqEditLayout::kPage);
}
