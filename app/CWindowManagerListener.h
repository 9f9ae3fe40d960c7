#pragma once

#include <cstdint>

class CWindowManager;

// Receives notifications from the window manager, on the window thread.
class CWindowManagerListener
{
public:
    virtual ~CWindowManagerListener() = default;
    virtual bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2,
                                       intptr_t p3, intptr_t p4, void* sender) = 0;
};
