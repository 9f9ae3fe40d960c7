#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// A context menu built at run time (the program list's and the knob-assign menus). Items added
// in order get ids 1, 2, ...; Track answers the chosen id minus 1, or -1 when dismissed. Texts
// show literally: an ampersand is no mnemonic. Window thread only.
class CPopupMenu
{
public:
    // itemsPerColumn: a new column starts at each multiple of it (0 for one column).
    explicit CPopupMenu(uint32_t itemsPerColumn = 0);
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;
    virtual ~CPopupMenu();

    // Failures throw their text: "Already created.", "Failed to call ::CreatePopupMenu().",
    // "Failed to call ::SetMenuInfo().".
    void Create();
    // The text "-" makes a separator. False without a menu or when inserting fails.
    bool AddItem(const wchar_t* text);
    bool InsertItem(UINT id, const wchar_t* text);
    // ANSI text, at most 256 characters.
    bool AppendItemA(UINT id, const char* text);
    bool CheckItem(UINT id);
    bool DisableItem(UINT id);
    // x, y in the window's client coordinates (screen coordinates without a window).
    int Track(int32_t x, int32_t y, HWND window);
    // At a point on the screen.
    int TrackAt(int32_t x, int32_t y, HWND owner);
    void Destroy();

    HMENU GetMenu() const { return m_menu; }
    uint32_t GetItemCount() const { return m_count; }

    // The text with every '&' doubled.
    static std::wstring EscapeAmpersands(const std::wstring& text);

private:
    bool Insert(UINT id, const std::wstring& text);
    bool SetState(UINT id, UINT state, const char* operation);

    HMENU m_menu = nullptr;
    uint32_t m_count = 0;
    uint32_t m_itemsPerColumn;
};
