#pragma once

// The program's main menu bar from its resources, and an item's text, for tests of what the
// editor windows make of the menus.

#include "app/AppResources.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Null when the resource cannot be found; the caller destroys the menu.
inline HMENU LoadMainMenuBar()
{
    const void* data = nullptr;
    uint32_t size = 0;
    if (!FindAppResource(MAKEINTRESOURCEW(4), L"MainMenuBar", &data, &size))
        return nullptr;
    return LoadMenuIndirectW(data);
}

inline std::wstring ItemText(HMENU menu, UINT id)
{
    wchar_t text[300] = {};
    GetMenuStringW(menu, id, text, 300, MF_BYCOMMAND);
    return text;
}
