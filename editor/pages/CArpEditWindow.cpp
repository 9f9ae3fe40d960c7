#include "editor/pages/CArpEditWindow.h"

#include "editor/pages/CArpEditLayer.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {CBaseWindow::kKindArpEdit,
                                             "Arpeggiator Edit",
                                             CArpEditWindow::kWidth,
                                             CArpEditWindow::kHeight,
                                             true,
                                             true};
} // namespace

CArpEditWindow::CArpEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                               CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, -1, opener)
{
}

CArpEditLayer* CArpEditWindow::GetLayer() const
{
    return static_cast<CArpEditLayer*>(GetMainLayer());
}

std::unique_ptr<CEditPageLayer> CArpEditWindow::MakeMainLayer()
{
    return std::make_unique<CArpEditLayer>();
}
