#pragma once

#include "editor/pages/CProgramSectionWindow.h"

class CArpEditLayer;

// The arpeggiator editor of a program, opened from its program edit window. Window thread
// only.
class CArpEditWindow : public CProgramSectionWindow
{
public:
    enum : int32_t
    {
        kWidth = 342,
        kHeight = 226,
    };

    CArpEditWindow(CBaseWindow* libraryWindow, CLibraryData* library, int32_t programIndex,
                   CProgramEditWindow* opener);
    std::wstring GetTitleEnding() const override { return L"] Arpeggiator"; }
    CArpEditLayer* GetLayer() const;

protected:
    std::unique_ptr<CEditPageLayer> MakeMainLayer() override;
};
