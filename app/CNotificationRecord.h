#pragma once

#include <cstdint>

class CWindowManagerListener;

// A notification on its way to the window thread: allocated by the poster, freed by the window
// manager once delivered or dropped. The arguments are pointer-wide: some carry a window.
struct CNotificationRecord
{
    uint32_t code = 0;
    intptr_t p1 = 0;
    intptr_t p2 = 0;
    intptr_t p3 = 0;
    intptr_t p4 = 0;
    CWindowManagerListener* target = nullptr; // null when broadcast
    void* sender = nullptr;                   // the posting object or null
    uint32_t broadcast = 0;                   // 1 for every listener, 0 for the target only
};
