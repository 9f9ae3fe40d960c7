#include "editor/library/CGlobalEditLayer.h"

#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CTDWResource.h"
#include "app/CDialogFlag.h"
#include "app/CFileManager.h"
#include "app/CMidiManager.h"
#include "app/Notifications.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomPageButton.h"
#include "editor/layout/GlobalEditLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CLibraryData.h"

#include <cstring>
#include <string>

using namespace NvGlobalEditLayout;

CGlobalEditLayer::CGlobalEditLayer(CLibraryEntry* entry, CGlobalEditHost& host,
                                   const CGlobalEditServices& services)
    : m_entry(entry), m_host(host), m_services(services)
{
    m_background = GetBitmap(kPage.background);
    m_button = GetBitmap("ButtonFunction");
    m_buttonDim = GetBitmap("ButtonFunctionDim");
    m_lcdFont = GetBitmap("LcdChar");
}

CGlobalEditLayer::~CGlobalEditLayer() = default;

bool CGlobalEditLayer::CreateControls()
{
    CHfcCtrlPageButtonRecord tabs;
    tabs.x = kPageTabs.x;
    tabs.y = kPageTabs.y;
    tabs.width = kPageTabs.width;
    tabs.height = kPageTabs.height;
    tabs.background = m_background;
    tabs.backgroundX = kPageTabs.x;
    tabs.backgroundY = kPageTabs.y;
    tabs.cellWidth = 75;
    tabs.cellHeight = 16;
    tabs.gap = 5;
    tabs.font = m_lcdFont ? m_lcdFont : m_fontWhite;
    // Dark on the shown tab's light fill, which matches the font's cells.
    tabs.selectedFont = m_fontWhiteSelected;
    tabs.charWidth = 6;
    tabs.charHeight = 9;
    tabs.fillColor = 0xFFCCCCCC;
    tabs.frameColor = 0xFFA0A0A0;
    m_tabs = std::make_unique<CCustomPageButton>();
    if (!m_tabs->Create(&tabs, kPageTabsId, CCustomControl::kEventValue))
        return false;
    m_tabs->AddPage("GLOBAL");
    m_tabs->AddPage("CC# MAP");
    m_tabs->SetValue(m_subPage);
    m_tabs->SetListener(this);
    AddControl(m_tabs.get(), false);
    m_tabs->Show(false);

    for (uint32_t id = kLoadId; id <= kWriteId; ++id)
    {
        const NvLayoutControl& place = kPageControls[id];
        CCustomButtonRecord record;
        record.x = place.x;
        record.y = place.y;
        record.strip = m_button;
        record.dim = m_buttonDim;
        record.background = m_background;
        auto button = std::make_unique<CCustomButton>();
        button->SetBackgroundOrigin(true, 0, 0);
        if (!button->Create(&record, id, CCustomControl::kEventValue))
            return false;
        button->SetListener(this);
        AddControl(button.get(), false);
        button->Show(false);
        m_buttons[id - kLoadId] = std::move(button);
    }
    m_controlsCreated = true;
    DrawBackground();
    return true;
}

bool CGlobalEditLayer::Destroy()
{
    RemoveAllControls();
    if (m_tabs)
        m_tabs->Destroy();
    for (auto& button : m_buttons)
        if (button)
            button->Destroy();
    m_tabs.reset();
    for (auto& button : m_buttons)
        button.reset();
    m_controlsCreated = false;
    return CBaseLayer::Destroy();
}

void CGlobalEditLayer::DrawBackground()
{
    if (CHfcOffscreenContext* surface = GetOffscreen(); surface && m_background)
        surface->DrawBitmap(0, 0, GetRect().GetWidth(), GetRect().GetHeight(), m_background, 0, 0);
    RedrawControls(true);
    InvalidateAll(true);
}

CCustomButton* CGlobalEditLayer::GetButton(uint32_t id) const
{
    return id >= kLoadId && id <= kWriteId ? m_buttons[id - kLoadId].get() : nullptr;
}

bool CGlobalEditLayer::Confirm(const char* operation)
{
    const std::string key(operation);
    return ShowMessageBox(kBoxTypeConfirm, GetLocalizedString(("Title" + key).c_str()).c_str(),
                          GetLocalizedString(("Confirm" + key).c_str()).c_str()) == kBoxResultOk;
}

void CGlobalEditLayer::ReportChange()
{
    if (m_markModified)
        m_host.MarkModified();
    m_host.PostNotification(Notify::GlobalChanged{m_host.GetDocumentId()}.Words(), this);
}

bool CGlobalEditLayer::LoadGlobal()
{
    CGlobal* global = m_entry ? m_entry->GetGlobal() : nullptr;
    if (!global || !m_services.files || GetDialogRefCount() != 0)
        return false;
    const bool read = m_services.files->LoadGlobal(*global) == CFileRequest::kDone;
    if (read)
    {
        m_entry->KeepSavedGlobal();
        ReportChange();
    }
    m_host.ActivateGlobalPage();
    return read;
}

bool CGlobalEditLayer::SaveGlobal()
{
    CGlobal* global = m_entry ? m_entry->GetGlobal() : nullptr;
    if (!global || !m_services.files || GetDialogRefCount() != 0)
        return false;
    const bool written = m_services.files->SaveGlobal(*global) == CFileRequest::kDone;
    if (written)
        m_entry->KeepSavedGlobal();
    m_host.ActivateGlobalPage();
    return written;
}

bool CGlobalEditLayer::ReceiveGlobal()
{
    CGlobal* global = m_entry ? m_entry->GetGlobal() : nullptr;
    if (!global || !m_services.midi || GetDialogRefCount() != 0)
        return false;
    bool received = false;
    if (Confirm("ReceiveGlobal"))
    {
        received = m_services.midi->RunReceiveGlobal(*global);
        if (received)
        {
            m_entry->KeepSavedGlobal();
            ReportChange();
        }
    }
    m_host.ActivateGlobalPage();
    return received;
}

bool CGlobalEditLayer::WriteGlobal()
{
    CGlobal* global = m_entry ? m_entry->GetGlobal() : nullptr;
    if (!global || !m_services.midi || GetDialogRefCount() != 0)
        return false;
    const bool written = Confirm("WriteGlobal") && m_services.midi->RunWriteGlobal(*global);
    m_host.ActivateGlobalPage();
    return written;
}

bool CGlobalEditLayer::RestoreGlobal()
{
    if (!m_entry || !m_entry->GetGlobal() || !Confirm("RestoreGlobal"))
        return false;
    m_entry->RestoreSavedGlobal();
    m_host.PostNotification(Notify::GlobalChanged{m_host.GetDocumentId()}.Words(), this);
    return true;
}

void CGlobalEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (!control)
        return;
    if (m_tabs && control == static_cast<CHfcControl*>(m_tabs.get()))
    {
        // Not while a box or dialog is open: neither the tabs nor the sub-page change.
        if ((value != kSubPageGlobal && value != kSubPageCcMap) || GetDialogRefCount() != 0)
            return;
        m_subPage = value;
        m_tabs->SetValue(value);
        RedrawControls(false);
        m_host.PostNotification(Notify::ShowGlobalSubPage{m_host.GetDocumentId(), value}.Words(), this);
        return;
    }
    // A function button acts on its release.
    if (value != 0)
        return;
    switch (control->GetId())
    {
    case kLoadId:
        LoadGlobal();
        break;
    case kSaveId:
        SaveGlobal();
        break;
    case kReceiveId:
        ReceiveGlobal();
        break;
    case kWriteId:
        WriteGlobal();
        break;
    default:
        break;
    }
}
