#pragma once

#include "editor/pages/CProgramSectionWindow.h"

// The master-effect editor of a program, opened from its program edit window. Its page shows the page's
// background until the page's controls land. Window thread only.
class CMasterFxEditWindow : public CProgramSectionWindow
{
public:
    enum : int32_t
    {
        kWidth = 630,
        kHeight = 518,
    };

    CMasterFxEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                        CProgramEditWindow* opener);
    std::wstring GetTitleEnding() const override;

protected:
    std::unique_ptr<CEditPageLayer> MakeMainLayer() override;
};
