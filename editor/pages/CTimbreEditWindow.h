#pragma once

#include "editor/pages/CProgramSectionWindow.h"

// The timbre synth editor of one timbre of a program, opened from its program edit window, hosting its
// page. Window thread only.
class CTimbreEditWindow : public CProgramSectionWindow
{
public:
    enum : int32_t
    {
        kWidth = 794,
        kHeight = 600,
    };

    CTimbreEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex, int32_t timbre,
                      CProgramEditWindow* opener);
    std::wstring GetTitleEnding() const override;

protected:
    std::unique_ptr<CEditLayerBase> MakeCreatedLayer() override;
};
