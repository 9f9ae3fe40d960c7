#include "editor/library/CLibraryWindow.h"

#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"

#include "app/AppCoreUtility.h"
#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CAppMain.h"
#include "app/CCustomMenu.h"
#include "app/CFileManager.h"
#include "app/CLogManager.h"
#include "app/CMdiFrameWindow.h"
#include "app/CMidiManager.h"
#include "app/CParameterChangeTarget.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/library/CGlobalEditCcMapPageLayer.h"
#include "editor/library/CGlobalEditGlobalPageLayer.h"
#include "editor/library/CGlobalEditLayer.h"
#include "editor/library/CPageSelectLayer.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcKey.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "synthdata/CProgramSet.h"

#include <algorithm>
#include <vector>

namespace
{
// Every library window that exists, for the same-path check.
std::vector<CLibraryWindow*>& AllLibraryWindows()
{
    static std::vector<CLibraryWindow*> windows;
    return windows;
}

intptr_t NextDocumentId()
{
    static intptr_t counter = 0x4C00;
    return ++counter;
}

CFileManager* FileManager()
{
    CAppMain* app = CAppMain::GetAppMain();
    return app ? app->GetFileManager() : nullptr;
}

std::string DisplayNameAnsi(const CLibraryData& library)
{
    return WideToAnsi(library.GetDisplayName().c_str());
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    std::wstring x = a.lexically_normal().wstring(), y = b.lexically_normal().wstring();
    std::transform(x.begin(), x.end(), x.begin(), ::towlower);
    std::transform(y.begin(), y.end(), y.begin(), ::towlower);
    return x == y;
}
} // namespace

CLibraryWindow::CLibraryWindow() : CBaseWindow(kKindLibrary, nullptr), m_link(*this)
{
    CEditorWindowData data;
    data.entryKind = CEditorWindowData::kEntryProgramSet;
    data.documentId = NextDocumentId();
    SetData(data);
    AllLibraryWindows().push_back(this);
}

CLibraryWindow::~CLibraryWindow()
{
    // Edit windows still open (the window was never destroyed) go first: they use the document.
    std::vector<std::unique_ptr<CProgramEditWindow>> open = std::move(m_editWindows);
    open.clear();
    // So do the closed ones still waiting to be deleted.
    CHfcDeferredDelete::DeleteAll();
    auto& all = AllLibraryWindows();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (CAppMain* app = CAppMain::GetAppMain())
        if (CPslMessageDispatchEngine* engine = app->GetDispatchEngine())
            engine->RemoveQueued(this);
}

CLibraryWindow* CLibraryWindow::FromLink(CLibraryWindowInterface* link)
{
    for (CLibraryWindow* window : AllLibraryWindows())
        if (&window->m_link == link)
            return window;
    return nullptr;
}

bool CLibraryWindow::CreateLibrary(CHfcMdiFrameWindow* frame)
{
    m_library.Reset();
    if (!Create(0, 0, kWidth, kHeight, 9, nullptr, frame, "Library"))
        return false;
    RegisterWithWindowManager(this);
    if (auto* editorFrame = dynamic_cast<CMdiFrameWindow*>(frame))
    {
        editorFrame->AddLibraryWindow(&m_link);
        m_inFrameList = true;
    }
    if (m_pageSelect)
        m_pageSelect->Show(false);
    NewData();
    m_created = true;
    UpdateTitle();
    return true;
}

bool CLibraryWindow::OnCreate()
{
    if (!CBaseWindow::OnCreate())
        return false;
    auto list = std::make_unique<CProgramListLayer>(m_library);
    if (!list->Create(0, kStripHeight, CProgramListLayer::kWidth, CProgramListLayer::kHeight, this))
        return false;
    AddLayer(list.get(), false);
    list->Show(false);
    list->SetEditWindowHandler([this](uint32_t n) { OpenEditWindow(n); });
    list->SetCloseEditWindowHandler([this](int32_t n) { CloseEditWindow(n); });
    SetMainLayer(std::move(list));
    auto strip = std::make_unique<CPageSelectLayer>();
    if (!strip->Create(0, 0, CPageSelectLayer::kWidth, CPageSelectLayer::kHeight, this))
        return false;
    strip->SetPageHandler([this](int32_t page) { ShowPage(page, false); });
    strip->SetLibrary(&m_library);
    m_pageSelect = strip.get();
    // Added by the base once the window exists.
    SetFurtherLayer(std::move(strip));
    return true;
}

bool CLibraryWindow::OnDestroy()
{
    if (m_inFrameList)
        if (auto* frame = dynamic_cast<CMdiFrameWindow*>(GetFrame()))
            frame->RemoveLibraryWindow(&m_link);
    m_inFrameList = false;
    // Out of the open list first, so that their destroy handlers find nothing to move; the
    // objects go with this one.
    std::vector<std::unique_ptr<CProgramEditWindow>> open = std::move(m_editWindows);
    m_editWindows.clear();
    for (auto& window : open)
    {
        window->Destroy();
        CHfcDeferredDelete::Add(std::move(window));
    }
    // The instrument's current program no longer belongs to a window.
    ParameterChangeTarget().Clear();
    DestroyGlobalLayers();
    m_pageSelect = nullptr;
    return CBaseWindow::OnDestroy();
}

CProgramEditWindow* CLibraryWindow::GetEditWindow(uint32_t n) const
{
    for (const auto& window : m_editWindows)
        if (window->GetProgramIndex() == static_cast<int32_t>(n))
            return window.get();
    return nullptr;
}

CProgramEditWindow* CLibraryWindow::OpenEditWindow(uint32_t n)
{
    CProgramEditWindow* window = GetEditWindow(n);
    if (!window)
    {
        int32_t x = 0, y = 0;
        GetPosition(x, y);
        std::unique_ptr<CProgramEditWindow> made = CProgramEditWindow::OpenProgram(
            this, &m_library, static_cast<int32_t>(n), GetFrame(), x + 30, y + 30);
        if (!made)
            return nullptr;
        made->SetDestroyedHandler([this](CBaseWindow* destroyed) { OnEditWindowDestroyed(destroyed); });
        window = made.get();
        m_editWindows.push_back(std::move(made));
    }
    window->BringToFront();
    window->Show();
    return window;
}

void CLibraryWindow::CloseEditWindow(int32_t n)
{
    std::vector<CProgramEditWindow*> closing;
    for (const auto& window : m_editWindows)
        if (n < 0 || window->GetProgramIndex() == n)
            closing.push_back(window.get());
    // Each destroy moves its window to the closed list.
    for (CProgramEditWindow* window : closing)
        window->Destroy();
}

void CLibraryWindow::OnEditWindowDestroyed(CBaseWindow* window)
{
    for (auto it = m_editWindows.begin(); it != m_editWindows.end(); ++it)
        if (it->get() == window)
        {
            CHfcDeferredDelete::Add(std::move(*it));
            m_editWindows.erase(it);
            return;
        }
}

CProgramListLayer* CLibraryWindow::GetProgramList() const
{
    return static_cast<CProgramListLayer*>(GetMainLayer());
}

void CLibraryWindow::NewData()
{
    m_library.Reset();
    m_library.AddEntry(CLibraryEntry::kKindProgramSet);
    m_library.AddEntry(CLibraryEntry::kKindGlobal);
    if (CProgramSet* set = m_library.GetProgramSet())
        set->Init();
    RebuildLayers();
}

void CLibraryWindow::RebuildLayers()
{
    if (CProgramListLayer* list = GetProgramList())
        list->Rebind();
    RebuildGlobalLayers();
    ShowPage(m_page, true);
    if (CProgramListLayer* list = GetProgramList())
        list->DrawAll();
    if (m_pageSelect)
        m_pageSelect->Draw();
}

void CLibraryWindow::ShowPage(int32_t page, bool force)
{
    if (page < 0 || page > 1 || (page == m_page && !force))
        return;
    CProgramListLayer* list = GetProgramList();
    DropKeyFocus(GetKeyTarget());
    m_page = page;
    if (page == 0)
    {
        ShowGlobalLayers(false);
        if (list)
        {
            list->Show(false);
            list->DrawAll();
        }
    }
    else
    {
        if (list)
            list->Hide(false);
        ShowGlobalLayers(true);
        ActivateGlobalPage();
    }
    if (m_pageSelect)
        m_pageSelect->SetPage(page);
    GiveKeyFocus();
    if (CCustomMenu* menu = EditorServices().customMenu)
        menu->UpdateMidiMenu(GetMode());
    UpdateTitle();
}

CHfcKeyListener* CLibraryWindow::GetKeyTarget() const
{
    if (m_page == 0)
        return GetProgramList();
    return m_globalSubPage ? m_globalSubPage->GetKeyTarget() : nullptr;
}

void CLibraryWindow::GiveKeyFocus()
{
    CHfcKey* key = CHfcKey::GetKey();
    if (!key || !GetHwnd())
        return;
    if (CHfcKeyListener* target = GetKeyTarget())
        key->SetFocus(target, GetHwnd());
}

void CLibraryWindow::DropKeyFocus(CHfcKeyListener* target)
{
    if (CHfcKey* key = CHfcKey::GetKey(); key && target && key->GetFocusListener() == target)
        key->ClearFocus();
}

void CLibraryWindow::RebuildGlobalLayers()
{
    DestroyGlobalLayers();
    CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindGlobal);
    if (!entry || !GetHwnd())
        return;
    CGlobalEditServices services;
    services.midi = EditorServices().midiManager;
    services.files = FileManager();
    auto layer = std::make_unique<CGlobalEditLayer>(entry, *this, services);
    if (!layer->Create(0, kStripHeight, CProgramListLayer::kWidth, CProgramListLayer::kHeight, this) ||
        !layer->CreateControls())
    {
        layer->Destroy();
        return;
    }
    m_globalLayer = std::move(layer);
    ShowGlobalSubPage(CGlobalEditLayer::kSubPageGlobal);
}

void CLibraryWindow::DestroyGlobalLayers()
{
    ShowGlobalLayers(false);
    if (m_globalSubPage)
    {
        DropKeyFocus(m_globalSubPage->GetKeyTarget());
        m_globalSubPage->Destroy();
    }
    m_globalSubPage.reset();
    m_globalPage = kNoGlobalPage;
    if (m_globalLayer)
        m_globalLayer->Destroy();
    m_globalLayer.reset();
}

void CLibraryWindow::ShowGlobalLayers(bool show)
{
    // The sub-page lies over the edit layer: added after it, taken away before it.
    CBaseLayer* layers[] = {m_globalLayer.get(), m_globalSubPage.get()};
    if (show)
    {
        for (CBaseLayer* layer : layers)
            if (layer)
            {
                AddLayer(layer, false);
                layer->Show(false);
            }
        if (m_globalLayer)
            m_globalLayer->DrawBackground();
        if (m_globalSubPage)
            m_globalSubPage->RedrawAll();
        return;
    }
    for (CBaseLayer* layer : {layers[1], layers[0]})
        if (layer)
        {
            layer->Hide(false);
            RemoveLayer(layer, false);
        }
}

void CLibraryWindow::ShowGlobalSubPage(int32_t page)
{
    // The shown sub-page stays as it is. The tabs refuse a choice while a box or dialog is open;
    // a choice made before one opened is still shown when it arrives.
    if (!m_globalLayer || page == m_globalPage)
        return;
    const bool known = page == CGlobalEditLayer::kSubPageGlobal || page == CGlobalEditLayer::kSubPageCcMap;
    if (!known)
        DebugTrace("Internal Error : Bad Global Page Number...");
    if (page > CGlobalEditLayer::kSubPageCcMap)
        return;
    if (m_globalSubPage)
    {
        DropKeyFocus(m_globalSubPage->GetKeyTarget());
        m_globalSubPage->Hide(false);
        RemoveLayer(m_globalSubPage.get(), false);
        m_globalSubPage->Destroy();
        m_globalSubPage.reset();
    }
    m_globalPage = kNoGlobalPage;
    if (known)
    {
        CLibraryEntry* entry = m_library.FindEntryByKind(CLibraryEntry::kKindGlobal);
        std::unique_ptr<CGlobalBaseLayer> layer;
        if (page == CGlobalEditLayer::kSubPageCcMap)
            layer = std::make_unique<CGlobalEditCcMapPageLayer>(entry, *this);
        else
            layer = std::make_unique<CGlobalEditGlobalPageLayer>(entry, *this);
        // The panel's place on the edit layer, which lies under the strip.
        if (layer->Create(NvGlobalEditLayout::kPanelX, kStripHeight + NvGlobalEditLayout::kPanelY,
                          NvGlobalEditLayout::kPanelWidth, NvGlobalEditLayout::kPanelHeight, this) &&
            layer->CreateControls())
        {
            m_globalSubPage = std::move(layer);
            m_globalPage = page;
            if (m_page == 1)
            {
                AddLayer(m_globalSubPage.get(), false);
                m_globalSubPage->Show(false);
                m_globalSubPage->RedrawAll();
                m_globalSubPage->OnActivateLayer();
                GiveKeyFocus();
            }
        }
        else
            layer->Destroy();
    }
    // The global page's menu while it is shown; a rebuild under the program page keeps that page's.
    if (CCustomMenu* menu = EditorServices().customMenu)
        menu->UpdateMidiMenu(GetMode());
    UpdateTitle();
}

void CLibraryWindow::ActivateGlobalPage()
{
    if (m_page != 1 || !m_globalLayer)
        return;
    m_globalLayer->OnActivateLayer();
    if (m_globalSubPage)
        m_globalSubPage->OnActivateLayer();
}

void CLibraryWindow::OnActivateHook()
{
    if (m_pageSelect)
        m_pageSelect->OnActivateLayer();
    if (m_page == 0)
    {
        if (CProgramListLayer* list = GetProgramList())
            list->OnActivateLayer();
    }
    else
        ActivateGlobalPage();
}

void CLibraryWindow::OnDeactivate()
{
    if (m_pageSelect)
        m_pageSelect->OnDeactivateLayer();
    // The base tells the main layer, the program list.
    if (m_page == 1)
    {
        if (m_globalLayer)
            m_globalLayer->OnDeactivateLayer();
        if (m_globalSubPage)
            m_globalSubPage->OnDeactivateLayer();
    }
    CBaseWindow::OnDeactivate();
}

void CLibraryWindow::PostNotification(const CNotificationWords& words, void* sender)
{
    ::PostNotification(EditorServices().windowManager, words.code, words.p1, words.p2, words.p3, words.p4,
                       sender);
}

int32_t CLibraryWindow::GetMode() const
{
    return m_page == 1 ? 12 : 1;
}

void CLibraryWindow::SetModified(bool modified)
{
    CAppMain* app = CAppMain::GetAppMain();
    if (modified == m_library.IsModified() || !m_trackModified || (app && !app->IsSelectionIdle()))
        return;
    m_library.SetModified(modified);
    UpdateTitle();
}

bool CLibraryWindow::IsModified()
{
    return m_library.IsModified();
}

void CLibraryWindow::UpdateTitle()
{
    std::wstring title = m_library.GetDisplayName();
    if (m_library.IsModified())
        title += L" *";
    title += m_page == 1 ? L" - Global" : L" - Program";
    SetTitleText(title.c_str());
}

void CLibraryWindow::PostFileOperationDone()
{
    Notify::Post(EditorServices().windowManager, Notify::FileOperationDone{}, this);
}

CLibraryWindow* CLibraryWindow::FindWindowWithPath(const std::filesystem::path& path) const
{
    for (CLibraryWindow* window : AllLibraryWindows())
        if (window != this && window->m_created && SamePath(window->m_library.GetPath(), path))
            return window;
    return nullptr;
}

bool CLibraryWindow::IsOpenElsewhere()
{
    CLibraryWindow* other = FindWindowWithPath(m_library.GetPath());
    if (!other)
        return false;
    other->BringToFront();
    return true;
}

bool CLibraryWindow::OpenAllData()
{
    CFileManager* files = FileManager();
    if (!files || files->OpenAllData(m_library) != CFileRequest::kDone)
        return false;
    if (IsOpenElsewhere())
        return false;
    m_library.SetModified(false);
    WriteLog("File opened \"%s\"", DisplayNameAnsi(m_library).c_str());
    PostFileOperationDone();
    RebuildLayers();
    UpdateTitle();
    return true;
}

bool CLibraryWindow::OpenFile(const std::wstring& path)
{
    if (path.empty())
        return OpenAllData();
    CFileManager* files = FileManager();
    if (!files)
        return false;
    CFileRequest request;
    request.type = kFileOpenAllData;
    request.library = &m_library;
    // Read whole into the document or not at all; a failure has been shown and logged.
    files->ProcessFile(request, path);
    if (request.state != CFileRequest::kDone)
        return false;
    m_library.SetModified(false);
    if (IsOpenElsewhere())
        return false;
    PostFileOperationDone();
    RebuildLayers();
    UpdateTitle();
    return true;
}

bool CLibraryWindow::ImportJ5Library()
{
    CFileManager* files = FileManager();
    if (!files || files->ImportJ5Library(m_library) != CFileRequest::kDone)
        return false;
    m_library.SetModified(false);
    WriteLog("Imported J5 programs.");
    PostFileOperationDone();
    RebuildLayers();
    UpdateTitle();
    return true;
}

bool CLibraryWindow::SaveAllData()
{
    if (m_library.GetPath().empty())
        return SaveAllDataAs();
    CFileManager* files = FileManager();
    if (!files)
        return false;
    CFileRequest request;
    request.type = kFileSaveAllData;
    request.library = &m_library;
    files->ProcessFile(request, m_library.GetPath());
    // A failed save was shown and logged; the document stays modified.
    if (request.state != CFileRequest::kDone)
        return false;
    SetModified(false);
    WriteLog("Save to \"%s\" complete.", DisplayNameAnsi(m_library).c_str());
    return true;
}

bool CLibraryWindow::SaveAllDataAs()
{
    CFileManager* files = FileManager();
    if (!files || files->SaveAllData(m_library) != CFileRequest::kDone)
        return false;
    SetModified(false);
    UpdateTitle();
    PostFileOperationDone();
    WriteLog("Save to \"%s\" complete.", DisplayNameAnsi(m_library).c_str());
    return true;
}

bool CLibraryWindow::QuerySaveChanges()
{
    if (!m_library.IsModified())
        return true;
    switch (ConfirmSaveChanges(m_library.GetDisplayName().c_str()))
    {
    case kBoxResultYes:
        return SaveAllData();
    case kBoxResultNo:
        return true;
    default:
        return false;
    }
}

bool CLibraryWindow::IsBusy()
{
    const CBaseLayer* layers[] = {m_pageSelect, GetProgramList(), m_globalLayer.get(), m_globalSubPage.get()};
    if (CBaseWindow::IsBusy())
        return true;
    for (const CBaseLayer* layer : layers)
        if (layer && layer->IsBusy())
            return true;
    return false;
}

bool CLibraryWindow::CanClose()
{
    if (IsBusy() || m_closing)
        return false;
    m_closing = true;
    const bool may = QuerySaveChanges();
    m_closing = false;
    return may && CBaseWindow::CanClose();
}

void CLibraryWindow::ReceiveAllData()
{
    CMidiManager* midi = EditorServices().midiManager;
    if (!midi)
        return;
    if (ShowMessageBox(kBoxTypeConfirm, GetLocalizedString("TitleReceiveAll").c_str(),
                       GetLocalizedString("ConfirmReceiveAll").c_str()) != kBoxResultOk)
        return;
    uint32_t received = 0;
    const bool done = midi->RunReceiveAll(m_library, true, &received);
    // A receive that stopped early keeps what arrived: the document changed all the same.
    if (!done && received == 0)
        return;
    SetModified(true);
    if (CProgramListLayer* list = GetProgramList())
    {
        list->GetModel().UpdateHeld();
        list->DrawChanged(true);
    }
    Notify::Post(EditorServices().windowManager, Notify::DataReplaced{GetDocumentId()}, this);
}

void CLibraryWindow::WriteAllData()
{
    CMidiManager* midi = EditorServices().midiManager;
    if (!midi)
        return;
    if (ShowMessageBox(kBoxTypeConfirm, GetLocalizedString("TitleWriteAll").c_str(),
                       GetLocalizedString("ConfirmWriteAll").c_str()) != kBoxResultOk)
        return;
    midi->RunWriteAll(m_library);
}

void CLibraryWindow::ExportText()
{
    if (m_page == 0)
        CBaseWindow::ExportText();
}

void CLibraryWindow::Cut()
{
    if (m_page == 0 && GetProgramList())
        GetProgramList()->Cut();
}

void CLibraryWindow::Copy()
{
    if (m_page == 0 && GetProgramList())
        GetProgramList()->Copy();
}

void CLibraryWindow::Paste()
{
    if (m_page == 0 && GetProgramList())
        GetProgramList()->Paste();
}

void CLibraryWindow::Initialize()
{
    if (m_page == 0 && GetProgramList())
        GetProgramList()->Initialize();
}

void CLibraryWindow::ReceiveFromCurrent()
{
    if (m_page == 0)
        CBaseWindow::ReceiveFromCurrent();
}

void CLibraryWindow::TransmitToCurrent()
{
    if (m_page == 0)
        CBaseWindow::TransmitToCurrent();
}

CBaseLayer* CLibraryWindow::GetShownPageLayer() const
{
    return m_page == 1 ? static_cast<CBaseLayer*>(m_globalLayer.get()) : GetMainLayer();
}

void CLibraryWindow::ReceiveAll()
{
    if (CBaseLayer* layer = GetShownPageLayer())
        layer->ReceiveAll();
}

void CLibraryWindow::TransmitAll()
{
    if (CBaseLayer* layer = GetShownPageLayer())
        layer->TransmitAll();
}

void CLibraryWindow::RevertToSaved()
{
    if (CBaseLayer* layer = GetShownPageLayer())
        layer->RestoreProgram();
}

void CLibraryWindow::OfferReceiveAll()
{
    CAppMain* app = CAppMain::GetAppMain();
    CPslMessageDispatchEngine* engine = app ? app->GetDispatchEngine() : nullptr;
    if (!engine || !engine->Dispatch(this, kDispatchReceiveAll, 0, 0, 0, 0, true))
        OnDispatch(kDispatchReceiveAll, 0, 0, 0, 0);
}

bool CLibraryWindow::OnDispatch(uintptr_t a, uintptr_t, uintptr_t, uintptr_t, uintptr_t)
{
    if (a != kDispatchReceiveAll)
        return false;
    // What is queued first (the frame's painting); a quit met here is posted again for the loop.
    if (!PumpMessages())
        return true;
    CMidiManager* midi = EditorServices().midiManager;
    if (midi && midi->IsOpen())
    {
        uint32_t received = 0;
        if (midi->RunReceiveAll(m_library, false, &received) || received > 0)
        {
            if (CProgramListLayer* list = GetProgramList())
                list->DrawChanged(true);
            Notify::Post(EditorServices().windowManager, Notify::DataReplaced{GetDocumentId()}, this);
        }
    }
    if (CAppMain* app = CAppMain::GetAppMain())
        app->SetLibraryReady();
    return true;
}

void CLibraryWindow::OnMMTimer(CMMTimer* timer)
{
    CLayerLock lock(kSemaphoreTimer);
    if (!lock.IsHeld() || !IsAlive() || !IsShown())
        return;
    if (m_pageSelect)
    {
        m_pageSelect->RefreshValues();
        m_pageSelect->OnTimer();
    }
    if (m_page == 0)
    {
        CBaseWindow::OnMMTimer(timer);
        return;
    }
    if (CMessageWindowLayer* message = GetMessageLayer())
        message->AdvanceFade();
    for (CBaseLayer* layer : {static_cast<CBaseLayer*>(m_globalLayer.get()), static_cast<CBaseLayer*>(m_globalSubPage.get())})
        if (layer)
        {
            layer->RefreshValues();
            layer->OnTimer();
        }
    // What the global page's layers redrew on notifications reaches the screen here.
    FlushDirty();
}

bool CLibraryWindow::OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2,
                                           intptr_t p3, intptr_t p4, void* sender)
{
    if (Notify::Read<Notify::FileOperationDone>(code, p1, p2, p3, p4))
        UpdateTitle();
    else if (Notify::Read<Notify::DocumentEdited>(code, p1, p2, p3, p4))
        SetModified(true);
    else if (const auto page = Notify::Read<Notify::ShowGlobalSubPage>(code, p1, p2, p3, p4))
    {
        if (page->document == GetDocumentId())
            ShowGlobalSubPage(page->subPage);
    }
    else if (const auto tracking = Notify::Read<Notify::ModifiedTracking>(code, p1, p2, p3, p4))
    {
        if (tracking->document == GetDocumentId())
            m_trackModified = tracking->on;
    }
    return CBaseWindow::OnWindowManagerNotify(manager, code, p1, p2, p3, p4, sender);
}
