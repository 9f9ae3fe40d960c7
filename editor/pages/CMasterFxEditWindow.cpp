#include "editor/pages/CMasterFxEditWindow.h"

#include "editor/layout/MasterFxEditLayout.h"
#include "editor/pages/CBlankPageLayer.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {
    CBaseWindow::kKindMasterFxEdit, "MFX Edit", CMasterFxEditWindow::kWidth,
    CMasterFxEditWindow::kHeight,   false,      false};
} // namespace

CMasterFxEditWindow::CMasterFxEditWindow(CBaseWindow* libraryWindow, CLibraryData* library,
                                         int32_t programIndex, CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, -1, opener)
{
}

std::wstring CMasterFxEditWindow::GetTitleEnding() const
{
    return L"] Master FX";
}

std::unique_ptr<CEditPageLayer> CMasterFxEditWindow::MakeMainLayer()
{
    return std::make_unique<CBlankPageLayer>(NvMasterFxEditLayout::kPage);
}
