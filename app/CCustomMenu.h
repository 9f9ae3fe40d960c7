#pragma once

#include <windows.h>

#include <cstdint>

// The main menu bar as the editor windows change it: items enabled or greyed, check marks, and
// the MIDI items retitled for the active window's mode. Window thread only.
class CCustomMenu
{
public:
    // frame: the window whose menu bar this is (its MDI client is refreshed after changes).
    CCustomMenu(HMENU menu, HWND frame, HWND mdiClient);

    // Each traces and changes nothing without a menu or when the item cannot be read or written.
    bool EnableItem(UINT id, bool enable);
    bool CheckItem(UINT id, bool check);
    // At most 256 characters of text.
    bool SetItemText(UINT id, const wchar_t* text);

    // The MIDI item texts and the enabled groups for an editor window's mode: 1 the library's
    // program page, 12 its global page, the other windows their own mode.
    void UpdateMidiMenu(int32_t mode);

    HMENU GetMenu() const { return m_menu; }
    void SetFrame(HWND frame, HWND mdiClient);

    // The groups enabled in a mode, bit n - 1 for group n (1 revert, 2 edit, 3 current-program
    // transfer, 4 prev/next, 5 receive/transmit all, 6 all data, 7 save, 8 new/open).
    static uint32_t GetEnabledGroups(int32_t mode);

private:
    HMENU m_menu;
    HWND m_frame;
    HWND m_mdiClient;
};
