#include "framework/CHfcPopupMenu.h"

#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"

CHfcPopupMenu::~CHfcPopupMenu()
{
    Destroy();
}

bool CHfcPopupMenu::Create(DWORD style)
{
    if (m_menu)
        return false;
    m_menu = CreatePopupMenu();
    if (!m_menu)
        return false;
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    info.dwStyle = style;
    if (!SetMenuInfo(m_menu, &info))
    {
        Destroy();
        return false;
    }
    return true;
}

bool CHfcPopupMenu::InsertItem(UINT position, UINT id, const char* text, uint32_t flags)
{
    if (!m_menu)
        return false;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.wID = id;
    item.fState = (flags & kItemDisabled) ? MFS_GRAYED | MFS_DISABLED : 0;
    if (flags & kItemSeparator)
        item.fType = MFT_SEPARATOR;
    else
    {
        item.fType = MFT_STRING;
        item.dwTypeData = const_cast<char*>(text ? text : "");
        item.cch = static_cast<UINT>(lstrlenA(item.dwTypeData) + 1);
    }
    return InsertMenuItemA(m_menu, position, TRUE, &item) != 0;
}

bool CHfcPopupMenu::CheckItem(UINT position, bool check)
{
    if (!m_menu)
        return false;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(m_menu, position, TRUE, &item))
        return false;
    item.fState = check ? (item.fState | MFS_CHECKED) : (item.fState & ~static_cast<UINT>(MFS_CHECKED));
    return SetMenuItemInfoA(m_menu, position, TRUE, &item) != 0;
}

int CHfcPopupMenu::Track(int32_t x, int32_t y, CHfcWindow* window)
{
    m_cancelled = false;
    if (!m_menu)
        return 0;
    POINT point = {x, y};
    if (window)
        window->ClientToScreen(point);
    if (CHfcMouse* mouse = CHfcMouse::GetMouse())
        mouse->ReleaseCapture();
    const HWND owner = window && window->GetHwnd() ? window->GetHwnd() : GetActiveWindow();
    const int chosen = static_cast<int>(
        TrackPopupMenu(m_menu, TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, owner, nullptr));
    return m_cancelled ? -1 : chosen - 1;
}

bool CHfcPopupMenu::Destroy()
{
    if (!m_menu || !DestroyMenu(m_menu))
        return false;
    m_menu = nullptr;
    return true;
}
