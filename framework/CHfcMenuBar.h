#pragma once

#include <windows.h>

#include <cstdint>

// One menu loaded from the program's resources.
class CHfcMenuBar
{
public:
    CHfcMenuBar() = default;
    CHfcMenuBar(const CHfcMenuBar&) = delete;
    CHfcMenuBar& operator=(const CHfcMenuBar&) = delete;
    // Destroys a loaded menu.
    virtual ~CHfcMenuBar();

    // False when a menu is loaded already or loading fails.
    virtual bool LoadById(uint32_t id);
    virtual bool LoadByName(const char* name);
    // From a menu template in memory (a resource of a chosen language).
    virtual bool LoadFromTemplate(const void* menuTemplate);
    // DestroyMenu; the handle is cleared when that succeeds. Always false.
    virtual bool Destroy();

    HMENU GetMenu() const { return m_menu; }

private:
    HMENU m_menu = nullptr;
};
