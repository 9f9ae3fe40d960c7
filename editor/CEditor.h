#pragma once

#include "app/CEditorInterface.h"

#include <memory>
#include <vector>

class CBaseWindow;
class COleBlockDragTransport;
class CMidiMonitorWindow;
class CStatusLogWindow;
class CVersionInfoWindow;

// The editor as the application core reaches it: it opens the utility windows (one of each at a
// time) and finds the editor window behind an MDI child. Window thread only.
class CEditor : public CEditorInterface
{
public:
    CEditor();
    ~CEditor() override;

    CLibraryWindowInterface* CreateLibraryWindow(CHfcMdiFrameWindow* frame,
                                                 const std::wstring& title) override;
    void OpenMidiMonitorWindow(CHfcMdiFrameWindow* frame) override;
    void OpenStatusLogWindow(CHfcMdiFrameWindow* frame) override;
    void OpenVersionWindow(CHfcMdiFrameWindow* frame) override;
    void CloseUtilityWindows() override;
    bool GetUtilityWindowState(UtilityWindow which, bool& open, int32_t& x, int32_t& y) override;
    CEditorWindowInterface* GetEditorWindow(CHfcMdiChildWindow* child) override;
    // Installs the OLE block drag transport over the core's block accessor for the edit pages;
    // gives it back (and drops it) while the accessor still exists.
    void OnCoreStarted() override;
    void OnCoreStopping() override;
    void OnCoreStopped() override;

    CMidiMonitorWindow* GetMidiMonitorWindow() const { return m_monitor; }
    CStatusLogWindow* GetStatusLogWindow() const { return m_log; }
    CVersionInfoWindow* GetVersionWindow() const { return m_version; }

private:
    // The application's objects into the editor's services record.
    void TakeServices();
    // Owns the window; once destroyed it is forgotten and handed to the deferred delete.
    void Adopt(std::unique_ptr<CBaseWindow> window);
    void OnWindowDestroyed(CBaseWindow* window);

    std::vector<std::unique_ptr<CBaseWindow>> m_windows; // open
    CMidiMonitorWindow* m_monitor = nullptr;             // one of m_windows, or null
    CStatusLogWindow* m_log = nullptr;
    CVersionInfoWindow* m_version = nullptr;
    std::unique_ptr<COleBlockDragTransport> m_dragTransport; // installed between start and stop
};
