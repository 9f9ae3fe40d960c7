#pragma once

// The library window of an edit window under test: it counts the modified marks it gets.

#include "editor/base/CBaseWindow.h"

class RecordingLibraryWindow : public CBaseWindow
{
public:
    enum : intptr_t
    {
        kDocumentId = 0x7E57,
    };
    // A document id of its own, as a library window has.
    RecordingLibraryWindow() : CBaseWindow(kKindLibrary, nullptr)
    {
        CEditorWindowData data;
        data.entryKind = CEditorWindowData::kEntryProgramSet;
        data.documentId = kDocumentId;
        SetData(data);
    }
    void SetModified(bool modified) override
    {
        ++modifiedCalls;
        this->modified = modified;
    }
    bool IsModified() override { return modified; }
    int modifiedCalls = 0;
    bool modified = false;
};
