#pragma once

#include <windows.h>

#include <cstdint>

class CHfcWindow;

// A context menu built at run time whose result comes back as an item number: callers number
// their items from 1 and Track answers 0, 1, ..., or -1 when nothing was chosen. Window thread
// only.
class CHfcPopupMenu
{
public:
    enum : uint32_t
    {
        kItemSeparator = 1,
        kItemDisabled = 2,
    };

    CHfcPopupMenu() = default;
    CHfcPopupMenu(const CHfcPopupMenu&) = delete;
    CHfcPopupMenu& operator=(const CHfcPopupMenu&) = delete;
    virtual ~CHfcPopupMenu();

    // False when a menu exists or cannot be made.
    bool Create(DWORD style);
    bool InsertItem(UINT position, UINT id, const char* text, uint32_t flags);
    bool CheckItem(UINT position, bool check);
    // x, y in the window's client coordinates (screen coordinates without a window).
    int Track(int32_t x, int32_t y, CHfcWindow* window);
    bool Destroy();
    // Makes the running Track answer -1, whatever is chosen.
    void Cancel() { m_cancelled = true; }

    HMENU GetMenu() const { return m_menu; }

private:
    HMENU m_menu = nullptr;
    bool m_cancelled = false;
};
