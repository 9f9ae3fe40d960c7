#pragma once

// The library window of an edit window under test: it counts the modified marks it gets.

#include "editor/base/CBaseWindow.h"

class RecordingLibraryWindow : public CBaseWindow
{
public:
    RecordingLibraryWindow() : CBaseWindow(kKindLibrary, nullptr) {}
    void SetModified(bool modified) override
    {
        ++modifiedCalls;
        this->modified = modified;
    }
    bool IsModified() override { return modified; }
    int modifiedCalls = 0;
    bool modified = false;
};
