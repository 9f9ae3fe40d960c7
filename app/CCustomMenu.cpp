#include "app/CCustomMenu.h"

#include "app/CTDWResource.h"
#include "foundation/EfUtility.h"
#include "resources/AppMenuIds.h"

#include <string>

namespace
{
// The items of each group.
const UINT kGroups[8][4] = {
    {ID_EDIT_REVERT},
    {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_INITIALIZE},
    {ID_MIDI_RECEIVE_CURRENT, ID_MIDI_TRANSMIT_CURRENT},
    {ID_WINDOW_PREV_PROGRAM, ID_WINDOW_NEXT_PROGRAM},
    {ID_MIDI_RECEIVE_ALL, ID_MIDI_TRANSMIT_ALL},
    {ID_MIDI_RECEIVE_ALL_DATA, ID_MIDI_WRITE_ALL_DATA},
    {ID_FILE_SAVE, ID_FILE_SAVE_AS},
    {ID_FILE_NEW, ID_FILE_OPEN},
};

struct MidiTexts
{
    const char* receiveAll;
    const char* transmitAll;
    const char* receiveCurrent;
    const char* transmitCurrent;
    const char* prev;
    const char* next;
};

MidiTexts GetMidiTexts(int32_t mode)
{
    switch (mode)
    {
    case 1:
        return {"MenuItemReceiveAllPrograms", "MenuItemWriteAllPrograms", "MenuItemReceiveProgram",
                "MenuItemTransmitProgram",    "MenuItemPrevItem",         "MenuItemNextItem"};
    case 2:
        return {"MenuItemReceiveAllItems", "MenuItemTransmitAllItems", "MenuItemReceiveCurrent",
                "MenuItemTransmitCurrent", "MenuItemPrevProgram",      "MenuItemNextProgram"};
    case 12:
        return {"MenuItemReceiveGlobal",   "MenuItemWriteGlobal", "MenuItemReceiveCurrent",
                "MenuItemTransmitCurrent", "MenuItemPrevItem",    "MenuItemNextItem"};
    default:
        return {"MenuItemReceiveAllItems", "MenuItemTransmitAllItems", "MenuItemReceiveCurrent",
                "MenuItemTransmitCurrent", "MenuItemPrevItem",         "MenuItemNextItem"};
    }
}

// Throws the text of a failure, caught and traced by the caller.
void UpdateState(HMENU menu, UINT id, UINT clear, UINT set)
{
    if (!menu)
        throw "HMENU = 0";
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, id, FALSE, &item))
        throw "Failed to call GetMenuItemInfo().";
    item.fState = (item.fState & ~clear) | set;
    if (!SetMenuItemInfoW(menu, id, FALSE, &item))
        throw "Failed to call SetMenuItemInfo().";
}
} // namespace

CCustomMenu::CCustomMenu(HMENU menu, HWND frame, HWND mdiClient)
    : m_menu(menu), m_frame(frame), m_mdiClient(mdiClient)
{
}

void CCustomMenu::SetFrame(HWND frame, HWND mdiClient)
{
    m_frame = frame;
    m_mdiClient = mdiClient;
}

bool CCustomMenu::EnableItem(UINT id, bool enable)
{
    try
    {
        UpdateState(m_menu, id, MFS_GRAYED | MFS_DISABLED, enable ? 0u : static_cast<UINT>(MFS_GRAYED));
        return true;
    }
    catch (const char* text)
    {
        DebugTrace("CCustomMenu::EnableItem() - %s", text);
        return false;
    }
}

bool CCustomMenu::CheckItem(UINT id, bool check)
{
    try
    {
        UpdateState(m_menu, id, MFS_CHECKED, check ? static_cast<UINT>(MFS_CHECKED) : 0u);
        return true;
    }
    catch (const char* text)
    {
        DebugTrace("CCustomMenu::CheckItem() - %s", text);
        return false;
    }
}

bool CCustomMenu::SetItemText(UINT id, const wchar_t* text)
{
    if (!m_menu || !text)
        return false;
    std::wstring cut(text);
    if (cut.size() > 256)
        cut.resize(256);
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = &cut[0];
    item.cch = static_cast<UINT>(cut.size());
    if (!SetMenuItemInfoW(m_menu, id, FALSE, &item))
    {
        DebugTrace("CCustomMenu::SetItemText() - %s", "Failed to call SetMenuItemInfo().");
        return false;
    }
    return true;
}

uint32_t CCustomMenu::GetEnabledGroups(int32_t mode)
{
    // Bits from group 1 (bit 0) to group 8 (bit 7).
    switch (mode)
    {
    case 1:
    case 3:
    case 11:
        return 0xF7; // all but prev/next
    case 12:
        // The global page's Revert takes back the global data it last received, loaded or saved.
        return 0xF1;
    case 13:
        return 0x80;
    case 14:
        return 0xF6;
    case 15:
        return 0x02;
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
        return 0xCC;
    default:
        return 0xFF;
    }
}

void CCustomMenu::UpdateMidiMenu(int32_t mode)
{
    const MidiTexts texts = GetMidiTexts(mode);
    SetItemText(ID_MIDI_RECEIVE_ALL, GetLocalizedString(texts.receiveAll).c_str());
    SetItemText(ID_MIDI_TRANSMIT_ALL, GetLocalizedString(texts.transmitAll).c_str());
    // The shortcut hints stay with the retitled items.
    SetItemText(ID_MIDI_RECEIVE_CURRENT, (GetLocalizedString(texts.receiveCurrent) + L"\tCtrl+L").c_str());
    SetItemText(ID_MIDI_TRANSMIT_CURRENT, (GetLocalizedString(texts.transmitCurrent) + L"\tCtrl+T").c_str());
    SetItemText(ID_WINDOW_PREV_PROGRAM, (GetLocalizedString(texts.prev) + L"\tCtrl+1").c_str());
    SetItemText(ID_WINDOW_NEXT_PROGRAM, (GetLocalizedString(texts.next) + L"\tCtrl+2").c_str());

    const uint32_t groups = GetEnabledGroups(mode);
    for (int g = 0; g < 8; ++g)
        for (UINT id : kGroups[g])
            if (id)
                EnableItem(id, (groups >> g) & 1);
    if (m_mdiClient)
        SendMessageW(m_mdiClient, WM_MDIREFRESHMENU, 0, 0);
    if (m_frame)
        DrawMenuBar(m_frame);
}
