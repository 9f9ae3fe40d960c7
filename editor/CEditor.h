#pragma once

#include "app/CEditorInterface.h"

// The editor as the application core reaches it. Its windows are added with their own
// classes; until then it opens none.
class CEditor : public CEditorInterface
{
public:
    CLibraryWindowInterface* CreateLibraryWindow(CHfcMdiFrameWindow* frame,
                                                 const std::wstring& title) override;
    void OpenMidiMonitorWindow(CHfcMdiFrameWindow* frame) override;
    void OpenStatusLogWindow(CHfcMdiFrameWindow* frame) override;
    void OpenVersionWindow(CHfcMdiFrameWindow* frame) override;
    void CloseUtilityWindows() override;
    bool GetUtilityWindowState(UtilityWindow which, bool& open, int32_t& x, int32_t& y) override;
    CEditorWindowInterface* GetEditorWindow(CHfcMdiChildWindow* child) override;
};
