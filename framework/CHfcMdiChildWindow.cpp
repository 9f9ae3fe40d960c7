#include "framework/CHfcMdiChildWindow.h"

#include "framework/CHfcAppBase.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMenuBar.h"

const char* CHfcMdiChildWindow::GetWindowClassName()
{
    return "CHycMdiChildWindow";
}

bool CHfcMdiChildWindow::RegisterWindowClass()
{
    return RegisterClassOnce(GetWindowClassName(), CS_DBLCLKS, StaticChildProc);
}

LRESULT CALLBACK CHfcMdiChildWindow::StaticChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* mdi = static_cast<MDICREATESTRUCTA*>(create->lpCreateParams);
        if (auto* window = mdi ? reinterpret_cast<CHfcMdiChildWindow*>(mdi->lParam) : nullptr)
        {
            window->Attach(hwnd);
            return window->WindowProc(message, wParam, lParam);
        }
    }
    auto* window = reinterpret_cast<CHfcWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return window ? window->WindowProc(message, wParam, lParam)
                  : DefMDIChildProcA(hwnd, message, wParam, lParam);
}

CHfcMdiFrameWindow* CHfcMdiChildWindow::GetFrame() const
{
    return static_cast<CHfcMdiFrameWindow*>(m_parent);
}

bool CHfcMdiChildWindow::Create(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                                CHfcMenuBar* menuBar, CHfcMdiFrameWindow* frame, const char* title)
{
    if (m_hwnd || !frame || !frame->GetClientHwnd())
        return false;
    m_parent = frame;
    m_commandTarget = frame->GetCommandTarget();
    m_menuBar = menuBar;
    const DWORD style = GetWindowStyle() | GetStyleFromFlags(flags);
    const RECT outer = GetCreationRect(x, y, width, height, style, GetWindowExStyle(), false);
    HWND hwnd = nullptr;
    if (RegisterWindowClass())
        hwnd = CreateMDIWindowA(GetWindowClassName(), title ? title : "", style, outer.left, outer.top,
                                outer.right, outer.bottom, frame->GetClientHwnd(),
                                CHfcAppBase::GetInstanceHandle(), reinterpret_cast<LPARAM>(this));
    if (!hwnd)
    {
        m_parent = nullptr;
        m_menuBar = nullptr;
        m_commandTarget = nullptr;
        return false;
    }
    if (!m_rootLayer)
        CreateRootLayer();
    return true;
}

bool CHfcMdiChildWindow::Destroy()
{
    if (!m_hwnd || !GetFrame())
        return false;
    SendMessageA(GetFrame()->GetClientHwnd(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hwnd), 0);
    return true;
}

bool CHfcMdiChildWindow::ShowAndActivate(int command)
{
    if (!m_hwnd || !GetFrame())
        return false;
    ShowWindow(m_hwnd, command);
    SendMessageA(GetFrame()->GetClientHwnd(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hwnd), 0);
    return true;
}

bool CHfcMdiChildWindow::Show()
{
    return ShowAndActivate(SW_SHOWNORMAL);
}

bool CHfcMdiChildWindow::Hide()
{
    return ShowAndActivate(SW_HIDE);
}

LRESULT CHfcMdiChildWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(m_hwnd, message, wParam, lParam);
}

LRESULT CHfcMdiChildWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return CanClose() ? DefMDIChildProcA(m_hwnd, message, wParam, lParam) : 1;
    if (message == WM_MDIACTIVATE)
        return OnMdiActivate(message, wParam, lParam);
    return CHfcWindow::WindowProc(message, wParam, lParam);
}

LRESULT CHfcMdiChildWindow::OnMdiActivate(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool activated = reinterpret_cast<HWND>(lParam) == m_hwnd;
    const bool deactivated = reinterpret_cast<HWND>(wParam) == m_hwnd;
    CHfcMdiFrameWindow* frame = GetFrame();
    HMENU menu = nullptr, windowMenu = nullptr;
    if (activated && m_menuBar && m_menuBar->GetMenu())
    {
        menu = m_menuBar->GetMenu();
        windowMenu = GetSubMenu(menu, GetWindowMenuPosition());
    }
    else if (deactivated && lParam == 0 && frame && frame->GetMenuBar() && frame->GetMenuBar()->GetMenu())
    {
        // The last child goes: the frame's own menu bar comes back.
        menu = frame->GetMenuBar()->GetMenu();
        windowMenu = GetSubMenu(menu, frame->GetWindowMenuPosition());
    }
    if (activated)
        OnActivate();
    else if (deactivated)
        OnDeactivate();
    if (menu && frame)
    {
        const HWND client = frame->GetClientHwnd();
        SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                     reinterpret_cast<LPARAM>(windowMenu));
        SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
        DrawMenuBar(frame->GetHwnd());
    }
    return DefMDIChildProcA(m_hwnd, message, wParam, lParam);
}
