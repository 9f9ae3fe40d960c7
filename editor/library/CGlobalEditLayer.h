#pragma once

#include "editor/base/CBaseLayer.h"
#include "editor/library/CGlobalEditHost.h"

#include <memory>

class CCustomButton;
class CCustomPageButton;
class CHfcBmp;
class CLibraryEntry;

// The library window's global page: the tabs of its two sub-pages and the load, save, receive
// and write buttons for the library's global data; the host shows the sub-page. Receive, load
// and save make the library keep the global image they leave, and the revert takes that image
// back. Window thread only.
class CGlobalEditLayer : public CBaseLayer
{
public:
    enum : uint32_t
    {
        kPageTabsId = 0,
        kLoadId = 1,
        kSaveId = 2,
        kReceiveId = 3,
        kWriteId = 4,
        kControlCount = 5,
    };
    enum : int32_t
    {
        kSubPageGlobal = 0,
        kSubPageCcMap = 1,
    };

    // entry: the library's global entry; not owned.
    CGlobalEditLayer(CLibraryEntry* entry, CGlobalEditHost& host, const CGlobalEditServices& services);
    ~CGlobalEditLayer() override;

    bool CreateControls();
    bool Destroy() override;
    void DrawBackground();

    int32_t GetSubPage() const { return m_subPage; }
    CCustomPageButton* GetPageTabs() const { return m_tabs.get(); }
    CCustomButton* GetButton(uint32_t id) const;

    // The function buttons' actions; each false when it did nothing or failed.
    bool LoadGlobal();
    bool SaveGlobal();
    bool ReceiveGlobal();
    bool WriteGlobal();
    // After the "RestoreGlobal" question the global data takes the kept image back.
    bool RestoreGlobal();

    void ReceiveCurrent() override { ReceiveGlobal(); }
    void ReceiveAll() override { ReceiveGlobal(); }
    void TransmitCurrent() override { WriteGlobal(); }
    void TransmitAll() override { WriteGlobal(); }
    void RestoreProgram() override { RestoreGlobal(); }

    void OnValueChanged(CHfcControl* control, int32_t value) override;

private:
    bool Confirm(const char* operation);
    void ReportChange();

    CLibraryEntry* m_entry; // not owned
    CGlobalEditHost& m_host;
    CGlobalEditServices m_services;
    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_button = nullptr;
    CHfcBmp* m_buttonDim = nullptr;
    CHfcBmp* m_lcdFont = nullptr;
    std::unique_ptr<CCustomPageButton> m_tabs;
    std::unique_ptr<CCustomButton> m_buttons[4];
    int32_t m_subPage = kSubPageGlobal;
    bool m_controlsCreated = false;
};
