#include "editor/base/CBaseWindow.h"

#include "app/AppCoreUtility.h"
#include "app/CCustomMenu.h"
#include "app/CMdiFrameWindow.h"
#include "app/CMidiManager.h"
#include "app/CMMTimer.h"
#include "app/CParameterChangeTarget.h"
#include "app/CSettings.h"
#include "app/CWindowManager.h"
#include "editor/base/CBaseLayer.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/base/CValueDisplayLayer.h"
#include "foundation/EfUtility.h"
#include "framework/CHfcAppBase.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMouse.h"
#include "resources/AppMenuIds.h"
#include "synthdata/CProgram.h"

void PlaceChildInClient(int32_t& x, int32_t& y, int32_t width, int32_t height, int32_t clientWidth,
                        int32_t clientHeight)
{
    if (x + width > clientWidth)
        x = clientWidth - width - 8;
    if (y + height > clientHeight)
        y = clientHeight - height - 8;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
}

CBaseWindow::CBaseWindow(uint32_t kind, CBaseWindow* bankWindow) : m_kind(kind), m_bankWindow(bankWindow) {}

CBaseWindow::~CBaseWindow()
{
    RegisterWithWindowManager(nullptr);
    ReleaseProgramIcons();
}

void CBaseWindow::SetProgramIcons()
{
    const HINSTANCE instance = CHfcAppBase::GetInstanceHandle();
    const WPARAM kinds[2] = {ICON_SMALL, ICON_BIG};
    const int sizes[2] = {16, 32};
    for (int i = 0; i < 2; ++i)
    {
        m_icons[i] = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                                                   sizes[i], sizes[i], LR_DEFAULTCOLOR));
        if (m_icons[i])
            SendMessageW(m_hwnd, WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(m_icons[i]));
    }
}

void CBaseWindow::ReleaseProgramIcons()
{
    // Taken back from the window first: it must never hold a destroyed icon.
    const WPARAM kinds[2] = {ICON_SMALL, ICON_BIG};
    for (int i = 0; i < 2; ++i)
    {
        if (!m_icons[i])
            continue;
        if (m_hwnd && IsWindow(m_hwnd))
            SendMessageW(m_hwnd, WM_SETICON, kinds[i], 0);
        DestroyIcon(m_icons[i]);
        m_icons[i] = nullptr;
    }
}

bool CBaseWindow::RegisterWindowClass()
{
    static bool registered = false;
    if (registered)
        return true;
    WNDCLASSA info = {};
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = StaticChildProc;
    info.hInstance = CHfcAppBase::GetInstanceHandle();
    info.hCursor = LoadCursor(nullptr, IDC_ARROW);
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    info.lpszClassName = GetWindowClassName();
    registered = RegisterClassA(&info) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

bool CBaseWindow::Create(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                         CHfcMenuBar* menuBar, CHfcMdiFrameWindow* frame, const char* title)
{
    if (m_creation == CreationState::kCreating || m_creation == CreationState::kCreated)
        return false;
    if (!frame || !frame->GetClientHwnd())
    {
        m_creation = CreationState::kFailed;
        return false;
    }
    m_creation = CreationState::kCreating;
    RECT client = {};
    ::GetClientRect(frame->GetClientHwnd(), &client);
    PlaceChildInClient(x, y, width, height, client.right - client.left, client.bottom - client.top);
    m_position[0] = x;
    m_position[1] = y;
    if (!CHfcMdiChildWindow::Create(x, y, width, height, flags, menuBar, frame, title))
    {
        m_creation = CreationState::kFailed;
        DestroyLayers();
        return false;
    }
    SetProgramIcons();
    const bool showValues = GetSettings().showValueLayer;
    if (m_valueLayer)
        showValues ? m_valueLayer->Show(false) : m_valueLayer->Hide(false);
    if (m_furtherLayer)
        AddLayer(m_furtherLayer.get(), false);
    if (CMMTimer* timer = EditorServices().timer)
    {
        timer->AddListener(this);
        m_timerRegistered = true;
    }
    if (auto* editorFrame = dynamic_cast<CMdiFrameWindow*>(frame))
    {
        editorFrame->AddChildWindow(this);
        m_registeredInFrame = true;
    }
    m_creation = CreationState::kCreated;
    if (m_destroyPending)
    {
        m_destroyPending = false;
        Destroy();
        return false;
    }
    return true;
}

bool CBaseWindow::Destroy()
{
    switch (m_creation)
    {
    case CreationState::kCreating:
        // Asked from inside the creation (a message it pumped): done when the creation ends.
        m_destroyPending = true;
        return false;
    case CreationState::kCreated:
        return CHfcMdiChildWindow::Destroy();
    case CreationState::kNone:
    case CreationState::kFailed:
        break;
    }
    return false;
}

bool CBaseWindow::Show()
{
    if (!CHfcMdiChildWindow::Show())
        return false;
    m_shown = true;
    return true;
}

bool CBaseWindow::Hide()
{
    m_shown = false;
    return CHfcMdiChildWindow::Hide();
}

bool CBaseWindow::BringToFront()
{
    if (!m_hwnd || !GetFrame())
        return false;
    SendMessageW(GetFrame()->GetClientHwnd(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hwnd), 0);
    return true;
}

bool CBaseWindow::CanClose()
{
    m_alive = false;
    return true;
}

bool CBaseWindow::OnCreate()
{
    return CreateRootLayer();
}

bool CBaseWindow::CreateMessageLayer()
{
    CHfcRect client;
    if (!GetClientRect(client))
        return false;
    auto layer = std::make_unique<CMessageWindowLayer>();
    CMessageWindowLayer::Config config;
    config.width = 0;
    config.height = 0;
    if (!layer->CreateOverlay(config, 0, 0, client.right - client.left, client.bottom - client.top, this))
        return false;
    AddLayer(layer.get(), false);
    layer->Hide(false);
    m_messageLayer = std::move(layer);
    return true;
}

void CBaseWindow::SetMainLayer(std::unique_ptr<CBaseLayer> layer)
{
    m_mainLayer = std::move(layer);
}

void CBaseWindow::SetFurtherLayer(std::unique_ptr<CBaseLayer> layer)
{
    m_furtherLayer = std::move(layer);
}

void CBaseWindow::SetValueDisplayLayer(std::unique_ptr<CValueDisplayLayer> layer)
{
    m_valueLayer = std::move(layer);
}

void CBaseWindow::DestroyLayers()
{
    // Each layer leaves the window's list in its Destroy.
    if (m_furtherLayer)
        m_furtherLayer->Destroy();
    m_furtherLayer.reset();
    if (m_valueLayer)
        m_valueLayer->Destroy();
    m_valueLayer.reset();
    if (m_messageLayer)
        m_messageLayer->Destroy();
    m_messageLayer.reset();
    if (m_mainLayer)
        m_mainLayer->Destroy();
    m_mainLayer.reset();
}

bool CBaseWindow::OnDestroy()
{
    m_shown = false;
    m_alive = false;
    RegisterWithWindowManager(nullptr);
    if (m_timerRegistered)
    {
        if (CMMTimer* timer = EditorServices().timer)
            timer->RemoveListener(this);
        m_timerRegistered = false;
    }
    if (m_registeredInFrame)
    {
        if (auto* frame = dynamic_cast<CMdiFrameWindow*>(GetFrame()))
            frame->RemoveChildWindow(this);
        m_registeredInFrame = false;
    }
    if (CHfcKey* key = CHfcKey::GetKey(); key && m_mainLayer && key->GetFocusListener() == m_mainLayer.get())
        key->ClearFocus();
    DestroyLayers();
    ReleaseProgramIcons();
    m_destroyed = true;
    const bool result = DestroyRootLayer();
    if (m_onDestroyed)
        m_onDestroyed(this);
    return result;
}

CHfcKeyListener* CBaseWindow::GetKeyTarget() const
{
    return m_mainLayer.get();
}

void CBaseWindow::OnActivate()
{
    if (CHfcKey* key = CHfcKey::GetKey())
    {
        if (CHfcKeyListener* target = GetKeyTarget())
            key->SetFocus(target, m_hwnd);
        else
            key->ClearFocus();
    }
    if (CCustomMenu* menu = EditorServices().customMenu)
    {
        menu->EnableItem(ID_OPTIONS_SHOW_VALUES, m_valueLayer != nullptr);
        menu->UpdateMidiMenu(GetMode());
    }
    OnActivateHook();
    AutomaticDump();
}

void CBaseWindow::AutomaticDump()
{
    CMidiManager* midi = EditorServices().midiManager;
    CProgram* program = m_mainLayer ? m_mainLayer->GetEditedProgram() : nullptr;
    if (!program || !GetSettings().autoDumpEnabled || !midi || !midi->IsOpen())
        return;
    const CEditorWindowData& data = m_mainLayer->GetData();
    CParameterChangeTarget::CTarget last;
    if (ParameterChangeTarget().Get(last) && last.documentId == data.documentId &&
        last.programNumber == data.programIndex)
        return;
    // A transfer pumps messages on this thread: the dump would run inside it.
    if (!IsTransferIdle())
        return;
    ParameterChangeTarget().Set(data.documentId, data.programIndex, nullptr, program);
    midi->TransmitProgram(*program, -1);
}

void CBaseWindow::OnDeactivate()
{
    if (CHfcKey* key = CHfcKey::GetKey(); key && m_mainLayer && key->GetFocusListener() == m_mainLayer.get())
        key->ClearFocus();
    if (CHfcMouse* mouse = CHfcMouse::GetMouse(); mouse && mouse->GetCaptureOwner())
        mouse->ReleaseCapture();
    if (m_mainLayer)
        m_mainLayer->OnDeactivateLayer();
}

void CBaseWindow::OnMoved(int32_t, int32_t)
{
    if (!m_hwnd || IsIconic(m_hwnd) || IsZoomed(m_hwnd))
        return;
    RECT r = {};
    if (!::GetWindowRect(m_hwnd, &r))
        return;
    POINT corner = {r.left, r.top};
    ::ScreenToClient(::GetParent(m_hwnd), &corner);
    m_position[0] = corner.x;
    m_position[1] = corner.y;
    OnPositionChanged();
}

bool CBaseWindow::Close()
{
    if (!CanClose())
        return false;
    return Destroy();
}

void CBaseWindow::SetModified(bool modified)
{
    if (m_bankWindow && m_bankWindow != this)
        m_bankWindow->SetModified(modified);
}

bool CBaseWindow::IsModified()
{
    return m_bankWindow && m_bankWindow != this ? m_bankWindow->IsModified() : false;
}

bool CBaseWindow::Save()
{
    return m_bankWindow && m_bankWindow != this ? m_bankWindow->Save() : false;
}

bool CBaseWindow::SaveAs()
{
    return m_bankWindow && m_bankWindow != this ? m_bankWindow->SaveAs() : false;
}

void CBaseWindow::ExportText()
{
    if (m_mainLayer)
        m_mainLayer->ExportText();
}

void CBaseWindow::ReceiveAll()
{
    if (m_mainLayer)
        m_mainLayer->ReceiveAll();
}

void CBaseWindow::TransmitAll()
{
    if (m_mainLayer)
        m_mainLayer->TransmitAll();
}

void CBaseWindow::ReceiveFromCurrent()
{
    if (m_mainLayer)
        m_mainLayer->ReceiveCurrent();
}

void CBaseWindow::TransmitToCurrent()
{
    if (m_mainLayer)
        m_mainLayer->TransmitCurrent();
}

void CBaseWindow::RevertToSaved()
{
    if ((m_kind == 2 || m_kind == 3 || m_kind == 17) && m_mainLayer)
        m_mainLayer->RestoreProgram();
}

void CBaseWindow::ReceiveAllData()
{
    if (m_bankWindow && m_bankWindow != this)
        m_bankWindow->ReceiveAllData();
}

void CBaseWindow::WriteAllData()
{
    if (m_bankWindow && m_bankWindow != this)
        m_bankWindow->WriteAllData();
}

void CBaseWindow::CloseWindow()
{
    BeforeClose();
    Close();
}

bool CBaseWindow::IsBusy()
{
    return !IsTransferIdle();
}

bool CBaseWindow::IsCaptureInLayers()
{
    return (m_mainLayer && m_mainLayer->OwnsMouseCapture()) ||
           (m_valueLayer && m_valueLayer->OwnsMouseCapture()) ||
           (m_furtherLayer && m_furtherLayer->OwnsMouseCapture());
}

bool CBaseWindow::SetTitleText(const wchar_t* text)
{
    return m_hwnd && text && SetWindowTextW(m_hwnd, text);
}

bool CBaseWindow::SetTopMost()
{
    if (m_hwnd && SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW))
        return true;
    DebugTrace("Failed to set window top most.");
    return false;
}

void CBaseWindow::ShowMessage(const char* name, const char* value, int32_t level)
{
    if (!m_messageLayer)
        return;
    m_messageLayer->SetLevel(level);
    m_messageLayer->SetLines(name, value);
    m_messageLayer->Hold();
}

void CBaseWindow::HideMessage()
{
    if (m_messageLayer)
        m_messageLayer->Release();
}

void CBaseWindow::RegisterWithWindowManager(CWindowManagerListener* listener)
{
    CWindowManager* manager = EditorServices().windowManager;
    if (m_managerListener && manager)
        manager->RemoveListener(m_managerListener);
    m_managerListener = nullptr;
    if (listener && manager)
    {
        manager->AddListener(listener);
        m_managerListener = listener;
    }
}

void CBaseWindow::OnMMTimer(CMMTimer*)
{
    if (!m_alive || !m_shown)
        return;
    if (m_messageLayer)
        m_messageLayer->AdvanceFade();
    if (m_mainLayer)
    {
        m_mainLayer->RefreshValues();
        m_mainLayer->OnTimer();
        m_mainLayer->TickTextEntries(CMMTimer::kInterval);
    }
    // What the layers' controls redrew since the last tick (a notification's new text, say)
    // reaches the screen.
    FlushDirty();
}

bool CBaseWindow::OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2,
                                        intptr_t p3, intptr_t p4, void* sender)
{
    return m_mainLayer && m_mainLayer->OnWindowManagerNotify(manager, code, p1, p2, p3, p4, sender);
}

void CBaseWindow::OnEditorCommand(EditorCommand command)
{
    switch (command)
    {
    case EditorCommand::Save:
        Save();
        break;
    case EditorCommand::SaveAs:
        SaveAs();
        break;
    case EditorCommand::ExportText:
        ExportText();
        break;
    case EditorCommand::Cut:
        Cut();
        break;
    case EditorCommand::Copy:
        Copy();
        break;
    case EditorCommand::Paste:
        Paste();
        break;
    case EditorCommand::Initialize:
        Initialize();
        break;
    case EditorCommand::Revert:
        RevertToSaved();
        break;
    case EditorCommand::ReceiveAllData:
        ReceiveAllData();
        break;
    case EditorCommand::WriteAllData:
        WriteAllData();
        break;
    case EditorCommand::ReceiveAll:
        ReceiveAll();
        break;
    case EditorCommand::TransmitAll:
        TransmitAll();
        break;
    case EditorCommand::ReceiveFromCurrent:
        ReceiveFromCurrent();
        break;
    case EditorCommand::TransmitToCurrent:
        TransmitToCurrent();
        break;
    case EditorCommand::Close:
        CloseWindow();
        break;
    }
}

int32_t CBaseWindow::GetMode() const
{
    switch (m_kind)
    {
    case kKindLibrary:
        return 1; // the library window tells its global page apart itself
    case 2:
        return 1;
    case 3:
        return 3;
    case 5:
        return 4;
    case kKindTimbreSynthEdit:
        return GetTimbreMode() == 3 ? 4 : 2;
    case kKindMidiMonitor:
    case kKindStatusLog:
    case kKindVersion:
        return 13;
    case 17:
        return 11;
    default:
        return 2;
    }
}

CProgram* CBaseWindow::GetProgram(int32_t n)
{
    return n == m_data.programIndex ? m_data.program : nullptr;
}
