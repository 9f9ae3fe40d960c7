#pragma once

#include "app/CEditorInterface.h"
#include "editor/base/CBaseWindow.h"
#include "editor/library/CGlobalEditHost.h"
#include "framework/CPslMessageDispatchListener.h"
#include "synthdata/CLibraryData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGlobalBaseLayer;
class CGlobalEditLayer;
class CPageSelectLayer;
class CProgramEditWindow;
class CProgramListLayer;

// The MDI child of one library document: the program set and the global data with their view
// settings and path, the page strip, the program page and the global page (its edit layer and
// the sub-page its tabs choose, remade over each new document's global data). It answers the document
// commands (save, save as, receive and write all data), keeps the modified state and the title, and asks
// before it closes. Every library window is in the frame's list while it exists. Window thread only.
class CLibraryWindow : public CBaseWindow, public CPslMessageDispatchListener, public CGlobalEditHost
{
public:
    enum : int32_t
    {
        kWidth = 794,
        kHeight = 575,
        kStripHeight = 37,
        kDispatchReceiveAll = 30,
        kNoGlobalPage = -1,
    };

    CLibraryWindow();
    ~CLibraryWindow() override;

    // The window at (0, 0) in the frame, a new document of 128 initialised programs and the
    // global data, registered with the window manager and the frame's list; not yet shown.
    bool CreateLibrary(CHfcMdiFrameWindow* frame);
    // A new document: the program set and the global data, the programs initialised.
    void NewData();
    // The open dialog; false when cancelled or failed, or when another window has the file
    // (that window comes forward).
    bool OpenAllData();
    // An all-data file; an empty path asks through the open dialog.
    bool OpenFile(const std::wstring& path);
    bool ImportJ5Library();
    // Whether the window may close: unmodified, No, or Yes with a save that succeeded.
    bool QuerySaveChanges();
    bool SaveAllData();
    bool SaveAllDataAs();
    // Queues the receive-on-start-up offer to run once the message loop runs.
    void OfferReceiveAll();
    // 0 program page, 1 global page.
    void ShowPage(int32_t page, bool force);
    int32_t GetPage() const { return m_page; }

    // The edit window of program n, made when none is open for it (at this window's position
    // plus (30, 30)), then shown in front; null when it cannot be made.
    CProgramEditWindow* OpenEditWindow(uint32_t n);
    // The open edit window of program n, or null.
    CProgramEditWindow* GetEditWindow(uint32_t n) const;
    // Closes the edit window of program n (every one for -1).
    void CloseEditWindow(int32_t n);

    CLibraryData& GetLibrary() { return m_library; }
    CProgramListLayer* GetProgramList() const;
    CPageSelectLayer* GetPageSelect() const { return m_pageSelect; }
    CGlobalEditLayer* GetGlobalLayer() const { return m_globalLayer.get(); }
    CGlobalBaseLayer* GetGlobalSubPage() const { return m_globalSubPage.get(); }
    CLibraryWindowInterface& GetLink() { return m_link; }
    // The library window behind a link of the frame's list, or null.
    static CLibraryWindow* FromLink(CLibraryWindowInterface* link);

    void SetModified(bool modified) override;
    bool IsModified() override;
    bool Save() override { return SaveAllData(); }
    bool SaveAs() override { return SaveAllDataAs(); }
    void ReceiveAllData() override;
    void WriteAllData() override;
    // The program page's commands go to the program list; on the global page they do nothing.
    void ExportText() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void Initialize() override;
    void ReceiveFromCurrent() override;
    void TransmitToCurrent() override;
    void ReceiveAll() override;
    void TransmitAll() override;
    void RevertToSaved() override;
    void UpdateTitle() override;
    bool CanClose() override;
    // Also while a layer says so: a drag from the program list or the page strip.
    bool IsBusy() override;
    int32_t GetMode() const override;
    bool OnCreate() override;
    bool OnDestroy() override;
    void OnDeactivate() override;
    void OnMMTimer(CMMTimer* timer) override;
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;
    bool OnDispatch(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override;

    // CGlobalEditHost.
    HWND GetOwnerWindow() override { return GetHwnd(); }
    intptr_t GetDocumentId() override { return CBaseWindow::GetDocumentId(); }
    void MarkModified() override { SetModified(true); }
    void PostNotification(const CNotificationWords& words, void* sender) override;
    // 0 the grid, 1 the CC map. Nothing for the sub-page shown or for a number above 1; another
    // number leaves none shown.
    void ShowGlobalSubPage(int32_t page) override;
    // The global page's layers hear of the activation again (after their own dialogs).
    void ActivateGlobalPage() override;
    // -1 for none.
    int32_t GetGlobalSubPageNumber() const { return m_globalPage; }

protected:
    // The shown page's: the program list, or the global page's shown sub-page.
    CHfcKeyListener* GetKeyTarget() const override;

private:
    // The key focus to the shown page's target.
    void GiveKeyFocus();
    // The key focus taken from the target when it holds it.
    void DropKeyFocus(CHfcKeyListener* target);

    // What the frame's list and the application core hold of the window.
    class CLink : public CLibraryWindowInterface
    {
    public:
        explicit CLink(CLibraryWindow& window) : m_window(window) {}
        void OnEditorCommand(EditorCommand command) override { m_window.OnEditorCommand(command); }
        int32_t GetMode() const override { return m_window.GetMode(); }
        intptr_t GetDocumentId() const override { return m_window.GetDocumentId(); }
        int32_t GetCurrentProgramNumber() const override { return m_window.GetCurrentProgramNumber(); }
        CProgram* GetProgram(int32_t n) override { return m_window.GetProgram(n); }
        bool AllowsAutoSend() const override { return m_window.AllowsAutoSend(); }
        bool OpenFile(const std::wstring& path) override { return m_window.OpenFile(path); }
        bool ImportJ5Library() override { return m_window.ImportJ5Library(); }
        void OfferReceiveAll() override { m_window.OfferReceiveAll(); }
        void Show() override { m_window.Show(); }
        void Destroy() override { m_window.Destroy(); }
        bool QuerySaveChanges() override { return m_window.QuerySaveChanges(); }
        CLibraryWindow& GetWindow() { return m_window; }

    private:
        CLibraryWindow& m_window;
    };

    // After new, open and import: the program list takes the document's view settings again
    // and every row is drawn.
    void RebuildLayers();
    // Another library window showing the file at path, or null.
    CLibraryWindow* FindWindowWithPath(const std::filesystem::path& path) const;
    // Brings the other window forward when it has this document's path already.
    bool IsOpenElsewhere();
    void PostFileOperationDone();
    // The global page's layers over the document's global data, shown when the page is.
    void RebuildGlobalLayers();
    void DestroyGlobalLayers();
    void ShowGlobalLayers(bool show);
    // The layer the page commands go to: the program list, or the global edit layer.
    CBaseLayer* GetShownPageLayer() const;
    // An edit window's destroy: it leaves the open list for the deferred delete.
    void OnEditWindowDestroyed(CBaseWindow* window);
    // The strip's, then the shown page's layers.
    void OnActivateHook() override;

    CLibraryData m_library;
    CLink m_link;
    CPageSelectLayer* m_pageSelect = nullptr; // the further layer of the base, owned there
    std::unique_ptr<CGlobalEditLayer> m_globalLayer;
    std::unique_ptr<CGlobalBaseLayer> m_globalSubPage;
    std::vector<std::unique_ptr<CProgramEditWindow>> m_editWindows; // open
    int32_t m_page = 0;
    int32_t m_globalPage = kNoGlobalPage;
    bool m_trackModified = true;
    bool m_closing = false;
    bool m_inFrameList = false;
    bool m_created = false;
};
