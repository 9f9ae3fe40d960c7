#pragma once

// Where a control of a page's layout table stands, found by its role: its rectangle, its middle
// and the radius of the circle inside it, as a test or benchmark aims the mouse at it.

#include "editor/layout/NvPageLayout.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

struct LayoutPlace
{
    NvLayoutRect rect;
    POINT middle;
    int radius;
    bool found;
};

// A role the table does not have gives a place with `found` false and everything else 0.
template <size_t N> LayoutPlace FindLayoutPlace(const NvLayoutControl (&controls)[N], const char* role)
{
    for (const NvLayoutControl& c : controls)
        if (std::strcmp(c.role, role) == 0)
        {
            const NvLayoutRect r = c.Rect();
            return {r, {r.x + r.width / 2, r.y + r.height / 2}, std::min(r.width, r.height) / 2, true};
        }
    return {{0, 0, 0, 0}, {0, 0}, 0, false};
}
