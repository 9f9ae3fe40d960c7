#include "framework/CHfcMdiFrameWindow.h"

#include "framework/CHfcAppBase.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcMdiChildWindow.h"
#include "framework/CHfcMenuBar.h"

#include <shellapi.h>

namespace
{
// The MDI client's "More Windows..." item follows nine children.
constexpr UINT kMoreWindowsOffset = 9;
} // namespace

const char* CHfcMdiFrameWindow::GetWindowClassName()
{
    return "CHfcMdiFrameWindow";
}

bool CHfcMdiFrameWindow::RegisterWindowClass()
{
    return RegisterClassOnce(GetWindowClassName(), CS_VREDRAW | CS_HREDRAW, StaticWindowProc);
}

bool CHfcMdiFrameWindow::Create(const char* title, int32_t x, int32_t y, int32_t width, int32_t height,
                                uint32_t, CHfcMenuBar* menuBar)
{
    if (m_hwnd || !RegisterWindowClass())
        return false;
    const bool systemPlaced = x == 0 && y == 0 && width == 0 && height == 0;
    m_menuBar = menuBar;
    HWND hwnd =
        CreateWindowExA(GetWindowExStyle(), GetWindowClassName(), title ? title : "", GetWindowStyle(),
                        systemPlaced ? CW_USEDEFAULT : x, systemPlaced ? CW_USEDEFAULT : y,
                        systemPlaced ? CW_USEDEFAULT : width, systemPlaced ? CW_USEDEFAULT : height, nullptr,
                        menuBar ? menuBar->GetMenu() : nullptr, CHfcAppBase::GetInstanceHandle(), this);
    if (!hwnd)
        m_menuBar = nullptr;
    return m_hwnd != nullptr;
}

bool CHfcMdiFrameWindow::OnCreate()
{
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = GetSubMenu(GetMenu(m_hwnd), GetWindowMenuPosition());
    client.idFirstChild = GetFirstChildId();
    m_client = CreateWindowExA(0, "MDICLIENT", nullptr, 0x52300001, 0, 0, 0, 0, m_hwnd,
                               reinterpret_cast<HMENU>(1), CHfcAppBase::GetInstanceHandle(), &client);
    return m_client != nullptr;
}

bool CHfcMdiFrameWindow::OnDestroy()
{
    PostQuitMessage(0);
    m_client = nullptr;
    return CHfcWindow::OnDestroy();
}

bool CHfcMdiFrameWindow::PreTranslateMessage(MSG* message)
{
    return !m_client || !TranslateMDISysAccel(m_client, message);
}

LRESULT CHfcMdiFrameWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(m_hwnd, m_client, message, wParam, lParam);
}

LRESULT CHfcMdiFrameWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES)
        return HandleDropFiles(message, wParam, lParam);
    return CHfcWindow::WindowProc(message, wParam, lParam);
}

LRESULT CHfcMdiFrameWindow::HandleCommand(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_commandTarget)
    {
        const LRESULT result = m_commandTarget->OnCommand(message, wParam, lParam);
        if (result != 1)
            return result;
    }
    // The default frame procedure handles the window menu's items and system commands but
    // does not pass other commands on: those go to the active child here.
    const UINT id = LOWORD(wParam);
    const bool mdiCommand = id >= 0xF000 || id == GetFirstChildId() + kMoreWindowsOffset ||
                            (m_client && GetDlgItem(m_client, id));
    const HWND active =
        m_client ? reinterpret_cast<HWND>(SendMessageA(m_client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    if (!mdiCommand && active)
        return SendMessageA(active, WM_COMMAND, wParam, lParam);
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcMdiFrameWindow::HandleDropFiles(UINT, WPARAM wParam, LPARAM)
{
    const HDROP drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, &path[0], length + 1));
        paths.push_back(path);
    }
    DragFinish(drop);
    OnDroppedFiles(paths);
    return 0;
}

namespace
{
bool OffersFiles(const CHfcDragData* data)
{
    return data != nullptr && data->GetFirstFormat() == kHfcDragFormatFile;
}
} // namespace

bool CHfcMdiFrameWindow::OnHfcDragEnter(CHfcDragData* data, uint32_t, int32_t, int32_t, uint32_t,
                                        uint32_t* effect)
{
    if (!OffersFiles(data) || effect == nullptr)
        return false;
    *effect = kHfcDropEffectCopy;
    return true;
}

bool CHfcMdiFrameWindow::OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                       uint32_t modifiers, uint32_t* effect)
{
    return OnHfcDragEnter(data, keyState, x, y, modifiers, effect);
}

bool CHfcMdiFrameWindow::OnHfcDrop(CHfcDragData* data, uint32_t, int32_t, int32_t, uint32_t, uint32_t* effect)
{
    if (!OffersFiles(data) || effect == nullptr)
        return false;
    std::vector<std::wstring> paths;
    for (size_t i = 0; i < data->GetItemCount(); ++i)
        if (data->GetItemFormat(i) == kHfcDragFormatFile)
            paths.push_back(data->GetItem(i)->path);
    *effect = kHfcDropEffectCopy;
    OnDroppedFiles(paths);
    return true;
}

CHfcMdiChildWindow* CHfcMdiFrameWindow::GetActiveChild() const
{
    if (!m_client)
        return nullptr;
    const HWND active = reinterpret_cast<HWND>(SendMessageA(m_client, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<CHfcMdiChildWindow*>(FromHwnd(active));
}

bool CHfcMdiFrameWindow::ActivateChild(CHfcMdiChildWindow* child)
{
    if (!child || !child->GetHwnd() || !m_client)
        return false;
    SendMessageA(m_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->GetHwnd()), 0);
    return true;
}
