#include "editor/CEditor.h"

#include "app/CAppMain.h"
#include "app/CBlockAccessor.h"
#include "app/CLogManager.h"
#include "app/CSettings.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/COleBlockDragTransport.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/windows/CMidiMonitorWindow.h"
#include "editor/windows/CStatusLogWindow.h"
#include "editor/windows/CVersionInfoWindow.h"
#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcMdiFrameWindow.h"

#include <algorithm>

namespace
{
// The client size of the frame's MDI area.
SIZE ClientSize(CHfcMdiFrameWindow* frame)
{
    RECT r = {};
    if (frame && frame->GetClientHwnd())
        GetClientRect(frame->GetClientHwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}
} // namespace

CEditor::CEditor() = default;

CEditor::~CEditor()
{
    OnCoreStopping();
    CHfcDeferredDelete::DeleteAll();
}

void CEditor::OnCoreStarted()
{
    OnCoreStopping();
    CBlockAccessor* blocks = GetBlockAccessor();
    if (!blocks)
        return;
    m_dragTransport = std::make_unique<COleBlockDragTransport>(*blocks);
    SetBlockDragTransport(m_dragTransport.get());
}

void CEditor::OnCoreStopping()
{
    // Only its own: a transport someone else installed stays.
    if (m_dragTransport && GetBlockDragTransport() == m_dragTransport.get())
        SetBlockDragTransport(nullptr);
    m_dragTransport.reset();
}

void CEditor::OnCoreStopped()
{
    CHfcDeferredDelete::DeleteAll();
    // The application's objects go next: nothing may reach them through the record.
    CEditorServices& services = EditorServices();
    CEditorPopupPresenter* popups = services.popups;
    services = CEditorServices();
    services.popups = popups;
}

CLibraryWindowInterface* CEditor::CreateLibraryWindow(CHfcMdiFrameWindow* frame, const std::wstring&)
{
    TakeServices();
    auto window = std::make_unique<CLibraryWindow>();
    CLibraryWindow* library = window.get();
    Adopt(std::move(window));
    if (!library->CreateLibrary(frame))
    {
        OnWindowDestroyed(library);
        return nullptr;
    }
    return &library->GetLink();
}

void CEditor::TakeServices()
{
    CAppMain* app = CAppMain::GetAppMain();
    if (!app)
        return;
    CEditorServices& services = EditorServices();
    services.windowManager = app->GetWindowManager();
    services.timer = app->GetTimer();
    services.midiManager = app->GetMidiManager();
    services.customMenu = app->GetCustomMenu();
    services.logManager = GetLogManager();
}

void CEditor::Adopt(std::unique_ptr<CBaseWindow> window)
{
    window->SetDestroyedHandler([this](CBaseWindow* w) { OnWindowDestroyed(w); });
    m_windows.push_back(std::move(window));
}

void CEditor::OnWindowDestroyed(CBaseWindow* window)
{
    if (window == static_cast<CBaseWindow*>(m_monitor))
        m_monitor = nullptr;
    if (window == static_cast<CBaseWindow*>(m_log))
        m_log = nullptr;
    if (window == static_cast<CBaseWindow*>(m_version))
        m_version = nullptr;
    // Still inside its own WM_DESTROY: deleted once the message loop has it back.
    auto found = std::find_if(m_windows.begin(), m_windows.end(),
                              [window](const std::unique_ptr<CBaseWindow>& w) { return w.get() == window; });
    if (found != m_windows.end())
    {
        CHfcDeferredDelete::Add(std::move(*found));
        m_windows.erase(found);
    }
}

void CEditor::OpenMidiMonitorWindow(CHfcMdiFrameWindow* frame)
{
    TakeServices();
    if (m_monitor)
    {
        m_monitor->BringToFront();
        return;
    }
    const CSettings& settings = GetSettings();
    const SIZE client = ClientSize(frame);
    // Never placed before: the bottom left corner of the frame.
    const int32_t x = settings.midiMonitorWindowX == -1 ? 0 : settings.midiMonitorWindowX;
    const int32_t y = settings.midiMonitorWindowY == -1 ? client.cy : settings.midiMonitorWindowY;
    auto window = std::make_unique<CMidiMonitorWindow>();
    CMidiMonitorWindow* monitor = window.get();
    Adopt(std::move(window));
    if (!monitor->Create(x, y, frame))
    {
        OnWindowDestroyed(monitor);
        return;
    }
    m_monitor = monitor;
    monitor->Show();
}

void CEditor::OpenStatusLogWindow(CHfcMdiFrameWindow* frame)
{
    TakeServices();
    if (m_log)
    {
        m_log->BringToFront();
        return;
    }
    const CSettings& settings = GetSettings();
    const SIZE client = ClientSize(frame);
    // Never placed before: the bottom right corner of the frame.
    const int32_t x = settings.statusLogWindowX == -1 ? client.cx : settings.statusLogWindowX;
    const int32_t y = settings.statusLogWindowY == -1 ? client.cy : settings.statusLogWindowY;
    auto window = std::make_unique<CStatusLogWindow>();
    CStatusLogWindow* log = window.get();
    Adopt(std::move(window));
    if (!log->Create(x, y, frame))
    {
        OnWindowDestroyed(log);
        return;
    }
    m_log = log;
    log->Show();
}

void CEditor::OpenVersionWindow(CHfcMdiFrameWindow* frame)
{
    TakeServices();
    if (m_version)
    {
        m_version->BringToFront();
        return;
    }
    const SIZE client = ClientSize(frame);
    auto window = std::make_unique<CVersionInfoWindow>();
    CVersionInfoWindow* version = window.get();
    Adopt(std::move(window));
    if (!version->Create((client.cx - CVersionInfoWindow::kWidth) / 2,
                         (client.cy - CVersionInfoWindow::kHeight) / 2, frame))
    {
        OnWindowDestroyed(version);
        return;
    }
    m_version = version;
    version->Show();
}

void CEditor::CloseUtilityWindows()
{
    // Their state was recorded by the frame first; a shutdown close leaves it.
    if (m_monitor)
        m_monitor->CloseForShutdown();
    if (m_log)
        m_log->CloseForShutdown();
    if (m_version)
        m_version->CloseForShutdown();
}

bool CEditor::GetUtilityWindowState(UtilityWindow which, bool& open, int32_t& x, int32_t& y)
{
    CBaseWindow* window = which == UtilityWindow::MidiMonitor ? static_cast<CBaseWindow*>(m_monitor)
                                                              : static_cast<CBaseWindow*>(m_log);
    if (!window)
        return false;
    open = true;
    window->GetPosition(x, y);
    return true;
}

CEditorWindowInterface* CEditor::GetEditorWindow(CHfcMdiChildWindow* child)
{
    return dynamic_cast<CBaseWindow*>(child);
}
