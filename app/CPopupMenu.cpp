#include "app/CPopupMenu.h"

#include "app/AppText.h"
#include "foundation/EfUtility.h"

CPopupMenu::CPopupMenu(uint32_t itemsPerColumn) : m_itemsPerColumn(itemsPerColumn) {}

CPopupMenu::~CPopupMenu()
{
    Destroy();
}

void CPopupMenu::Create()
{
    if (m_menu)
        throw "Already created.";
    m_menu = CreatePopupMenu();
    if (!m_menu)
        throw "Failed to call ::CreatePopupMenu().";
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    if (!SetMenuInfo(m_menu, &info))
    {
        Destroy();
        throw "Failed to call ::SetMenuInfo().";
    }
    m_count = 0;
}

std::wstring CPopupMenu::EscapeAmpersands(const std::wstring& text)
{
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text)
    {
        escaped += c;
        if (c == L'&')
            escaped += L'&';
    }
    return escaped;
}

bool CPopupMenu::Insert(UINT id, const std::wstring& text)
{
    if (!m_menu)
    {
        DebugTrace("CPopupMenu - %s", "HMENU = 0.");
        return false;
    }
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
    item.wID = id;
    std::wstring shown = EscapeAmpersands(text);
    if (text == L"-")
    {
        item.fMask = MIIM_ID | MIIM_FTYPE;
        item.fType = MFT_SEPARATOR;
    }
    else
    {
        item.fType = MFT_STRING;
        item.dwTypeData = &shown[0];
        item.cch = static_cast<UINT>(shown.size());
    }
    if (m_itemsPerColumn && m_count && m_count % m_itemsPerColumn == 0)
        item.fType |= MFT_MENUBARBREAK;
    if (!InsertMenuItemW(m_menu, m_count, TRUE, &item))
        return false;
    ++m_count;
    return true;
}

bool CPopupMenu::AddItem(const wchar_t* text)
{
    return Insert(m_count + 1, text ? text : L"");
}

bool CPopupMenu::InsertItem(UINT id, const wchar_t* text)
{
    return Insert(id, text ? text : L"");
}

bool CPopupMenu::AppendItemA(UINT id, const char* text)
{
    std::string cut(text ? text : "");
    if (cut.size() > 256)
        cut.resize(256);
    return Insert(id, AnsiToWide(cut.c_str()));
}

bool CPopupMenu::SetState(UINT id, UINT state, const char* operation)
{
    const char* failure = nullptr;
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    if (!m_menu)
        failure = "HMENU = 0.";
    else if (!GetMenuItemInfoW(m_menu, id, FALSE, &item))
        failure = "Failed to call GetMenuItemInfo().";
    else
    {
        item.fState |= state;
        if (!SetMenuItemInfoW(m_menu, id, FALSE, &item))
            failure = "Failed to call SetMenuItemInfo()";
    }
    if (failure)
        DebugTrace("CPopupMenu::%s() - %s", operation, failure);
    return failure == nullptr;
}

bool CPopupMenu::CheckItem(UINT id)
{
    return SetState(id, MFS_CHECKED, "CheckItem");
}

bool CPopupMenu::DisableItem(UINT id)
{
    return SetState(id, MFS_GRAYED | MFS_DISABLED, "DisableItem");
}

int CPopupMenu::Track(int32_t x, int32_t y, HWND window)
{
    POINT point = {x, y};
    if (window)
        ClientToScreen(window, &point);
    return TrackAt(point.x, point.y, window);
}

int CPopupMenu::TrackAt(int32_t x, int32_t y, HWND owner)
{
    if (!m_menu)
        return -1;
    // The owner must be a window of this thread for the menu to get its keys.
    const HWND menuOwner = owner ? owner : GetActiveWindow();
    const int chosen =
        static_cast<int>(TrackPopupMenu(m_menu, TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, menuOwner, nullptr));
    return chosen - 1;
}

void CPopupMenu::Destroy()
{
    if (m_menu)
        DestroyMenu(m_menu);
    m_menu = nullptr;
    m_count = 0;
}
