#include "editor/pages/CVocoderEditWindow.h"

#include "editor/layout/VocoderEditLayout.h"
#include "editor/pages/vocoder/CVocoderEditLayer.h"

namespace
{
const CProgramSectionWindow::Shape kShape = {
    CBaseWindow::kKindVocoderEdit, "Vocoder Edit", CVocoderEditWindow::kWidth,
    CVocoderEditWindow::kHeight,   true,           true};
} // namespace

CVocoderEditWindow::CVocoderEditWindow(CBaseWindow* libraryWindow, CLibraryData* library,
                                       int32_t programIndex, CProgramEditWindow* opener)
    : CProgramSectionWindow(kShape, libraryWindow, library, programIndex, -1, opener)
{
}

std::wstring CVocoderEditWindow::GetTitleEnding() const
{
    return L"] Vocoder";
}

std::unique_ptr<CEditLayerBase> CVocoderEditWindow::MakeCreatedLayer()
{
    auto layer = std::make_unique<CVocoderEditLayer>();
    if (!layer->Create(this))
        return nullptr;
    return layer;
}
