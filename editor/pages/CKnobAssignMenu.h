#pragma once

#include "app/CPopupMenu.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

// The two-level menu that chooses a front-panel knob's assignment (values 0..54): "Off" at the
// top, then one submenu per category. An item's id is its value + 1, so Show answers the value
// chosen, or -1. Made for one press, shown and destroyed. Window thread only.
class CKnobAssignMenu
{
public:
    enum : uint32_t
    {
        kCategoryCount = 10,
        kValueCount = 55, // 0 (Off) .. 54
        kLfo1Frequency = 27,
        kLfo2Frequency = 28,
    };
    // Entries per category, in order; 54 values in all after Off.
    static constexpr std::array<uint32_t, kCategoryCount> kCategorySizes = {8, 7, 3, 8, 2, 6, 2, 6, 3, 9};

    CKnobAssignMenu(int32_t current, bool lfo1Synced, bool lfo2Synced);
    virtual ~CKnobAssignMenu();
    CKnobAssignMenu(const CKnobAssignMenu&) = delete;
    CKnobAssignMenu& operator=(const CKnobAssignMenu&) = delete;

    // The top-level menu and the ten submenus; false when a menu cannot be made.
    bool Build();
    // Builds, tracks at the point (client coordinates of window) and destroys: the value chosen,
    // or -1 when dismissed.
    int32_t Show(int32_t x, int32_t y, HWND window);
    void DestroyMenus();

    // Null until built.
    CPopupMenu* GetTopMenu() const { return m_top.get(); }
    CPopupMenu* GetCategoryMenu(uint32_t category) const
    {
        return category < kCategoryCount ? m_categories[category].get() : nullptr;
    }

private:
    int32_t m_current;
    bool m_lfo1Synced;
    bool m_lfo2Synced;
    std::unique_ptr<CPopupMenu> m_top;
    std::array<std::unique_ptr<CPopupMenu>, kCategoryCount> m_categories;
};
