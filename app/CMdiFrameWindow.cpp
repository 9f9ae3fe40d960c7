#include "app/CMdiFrameWindow.h"

#include "app/CAppMain.h"
#include "app/CEditorInterface.h"
#include "app/CSettings.h"
#include "framework/CHfcAppBase.h"
#include "framework/CHfcMenuBar.h"
#include "resources/AppMenuIds.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
// The position of "&Window" in each bar.
constexpr int kEmptyBarWindowMenu = 2;
constexpr int kMainBarWindowMenu = 4;

HICON LoadAppIcon(int size)
{
    return static_cast<HICON>(LoadImageW(CHfcAppBase::GetInstanceHandle(),
                                         MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}
} // namespace

bool IsAllDataFile(const std::wstring& path)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    char tag[8] = {};
    const size_t read = std::fread(tag, 1, sizeof tag, file);
    std::fclose(file);
    return read == sizeof tag && std::memcmp(tag, "3580AllD", sizeof tag) == 0;
}

CMdiFrameWindow::CMdiFrameWindow(CEditorInterface& editor, CSettings& settings)
    : m_editor(editor), m_settings(settings)
{
}

const char* CMdiFrameWindow::GetWindowClassName()
{
    return "Q3580MDIFrameWindow";
}

bool CMdiFrameWindow::RegisterWindowClass()
{
    const HINSTANCE instance = CHfcAppBase::GetInstanceHandle();
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    if (GetClassInfoExA(instance, GetWindowClassName(), &info))
        return true;
    info = {};
    info.cbSize = sizeof info;
    info.style = CS_HREDRAW | CS_VREDRAW;
    info.lpfnWndProc = StaticWindowProc;
    info.hInstance = instance;
    info.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    info.hIconSm = LoadAppIcon(16);
    info.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    info.lpszClassName = GetWindowClassName();
    return RegisterClassExA(&info) != 0;
}

bool CMdiFrameWindow::Create(const char* title, int32_t x, int32_t y, int32_t width, int32_t height,
                             uint32_t flags, CHfcMenuBar* menuBar)
{
    m_settings.mainWindowX = x;
    m_settings.mainWindowY = y;
    m_settings.mainWindowWidth = width;
    m_settings.mainWindowHeight = height;
    if (!CHfcMdiFrameWindow::Create(title, x, y, width, height, flags, menuBar))
        return false;
    if (HICON big = LoadAppIcon(32))
        SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (HICON small = LoadAppIcon(16))
        SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    DragAcceptFiles(m_hwnd, TRUE);
    return true;
}

void CMdiFrameWindow::SetMenuBars(CHfcMenuBar* emptyBar, CHfcMenuBar* mainBar)
{
    m_emptyBar = emptyBar;
    m_mainBar = mainBar;
}

int CMdiFrameWindow::GetWindowMenuPosition()
{
    return m_showingMainBar ? kMainBarWindowMenu : kEmptyBarWindowMenu;
}

void CMdiFrameWindow::ShowMenuBar(CHfcMenuBar* bar, int windowMenuPosition)
{
    if (!bar || !bar->GetMenu() || !m_client)
        return;
    SendMessageW(m_client, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar->GetMenu()),
                 reinterpret_cast<LPARAM>(GetSubMenu(bar->GetMenu(), windowMenuPosition)));
    m_menuBar = bar;
    DrawMenuBar(m_hwnd);
}

void CMdiFrameWindow::AddChildWindow(CEditorWindowInterface* window)
{
    if (!window || std::find(m_childWindows.begin(), m_childWindows.end(), window) != m_childWindows.end())
        return;
    m_childWindows.push_back(window);
    if (!m_showingMainBar && m_mainBar && m_mainBar->GetMenu())
    {
        m_showingMainBar = true;
        ShowMenuBar(m_mainBar, kMainBarWindowMenu);
    }
}

void CMdiFrameWindow::RemoveChildWindow(CEditorWindowInterface* window)
{
    const auto found = std::find(m_childWindows.begin(), m_childWindows.end(), window);
    if (found == m_childWindows.end())
        return;
    m_childWindows.erase(found);
    if (m_childWindows.empty() && m_showingMainBar)
    {
        m_showingMainBar = false;
        ShowMenuBar(m_emptyBar, kEmptyBarWindowMenu);
    }
}

void CMdiFrameWindow::AddLibraryWindow(CLibraryWindowInterface* window)
{
    if (window)
        m_libraryWindows.push_back(window);
}

void CMdiFrameWindow::RemoveLibraryWindow(CLibraryWindowInterface* window)
{
    // Erasing never fails, so no window can drop out of the list that the close asks to save.
    const auto found = std::find(m_libraryWindows.begin(), m_libraryWindows.end(), window);
    if (found != m_libraryWindows.end())
        m_libraryWindows.erase(found);
}

CLibraryWindowInterface* CMdiFrameWindow::GetLibraryWindow(int32_t i) const
{
    if (i < 0 || i >= GetLibraryWindowCount())
        return nullptr;
    return m_libraryWindows[static_cast<size_t>(i)];
}

bool CMdiFrameWindow::CloseAllLibraryWindows()
{
    // A copy: answering may close a window, which removes it from the list.
    const std::vector<CLibraryWindowInterface*> windows = m_libraryWindows;
    for (CLibraryWindowInterface* window : windows)
        if (!window->QuerySaveChanges())
            return false;
    return true;
}

void CMdiFrameWindow::StoreNormalPlacement()
{
    // In the normal state only: minimised or maximised, the saved rectangle stays the last normal
    // one. The window rectangle, in screen coordinates as the frame is created at start-up;
    // GetWindowPlacement's normal rectangle is in work-area coordinates, which differ by the
    // taskbar's size when it stands at the top or left.
    if (!m_hwnd || IsIconic(m_hwnd) || IsZoomed(m_hwnd))
        return;
    RECT r = {};
    if (!::GetWindowRect(m_hwnd, &r))
        return;
    m_settings.mainWindowX = r.left;
    m_settings.mainWindowY = r.top;
    m_settings.mainWindowWidth = r.right - r.left;
    m_settings.mainWindowHeight = r.bottom - r.top;
}

LRESULT CMdiFrameWindow::HandleMove(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CHfcMdiFrameWindow::HandleMove(message, wParam, lParam);
    StoreNormalPlacement();
    return result;
}

LRESULT CMdiFrameWindow::HandleSize(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CHfcMdiFrameWindow::HandleSize(message, wParam, lParam);
    if (wParam == SIZE_RESTORED)
        StoreNormalPlacement();
    return result;
}

void CMdiFrameWindow::RecordUtilityWindows()
{
    bool open = false;
    int32_t x = 0, y = 0;
    if (m_editor.GetUtilityWindowState(UtilityWindow::MidiMonitor, open, x, y))
    {
        m_settings.midiMonitorWindowShow = open ? 1 : 0;
        m_settings.midiMonitorWindowX = x;
        m_settings.midiMonitorWindowY = y;
    }
    if (m_editor.GetUtilityWindowState(UtilityWindow::StatusLog, open, x, y))
    {
        m_settings.statusLogWindowShow = open ? 1 : 0;
        m_settings.statusLogWindowX = x;
        m_settings.statusLogWindowY = y;
    }
}

bool CMdiFrameWindow::CanClose()
{
    if (!CloseAllLibraryWindows())
        return false;
    StoreNormalPlacement();
    // Recorded before they close: closed, they would all read as not open.
    RecordUtilityWindows();
    m_editor.CloseUtilityWindows();
    return true;
}

void CMdiFrameWindow::OnDroppedFiles(const std::vector<std::wstring>& paths)
{
    for (const std::wstring& path : paths)
        if (path.size() <= MAX_PATH)
            OpenDroppedFile(path);
}

bool CMdiFrameWindow::OpenDroppedFile(const std::wstring& path)
{
    CAppMain* app = CAppMain::GetAppMain();
    if (!app || !app->IsStartupFinished() || !IsAllDataFile(path))
        return false;
    return app->OpenLibraryFile(path);
}
