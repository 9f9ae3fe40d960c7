#pragma once

#include "editor/pages/CProgramSectionWindow.h"

// The vocoder editor of a program, opened from its program edit window, hosting the vocoder page.
// Window thread only.
class CVocoderEditWindow : public CProgramSectionWindow
{
public:
    enum : int32_t
    {
        kWidth = 690,
        kHeight = 408,
    };

    CVocoderEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                       CProgramEditWindow* opener);
    std::wstring GetTitleEnding() const override;

protected:
    std::unique_ptr<CEditLayerBase> MakeCreatedLayer() override;
};
