#pragma once

#include <cstdint>

class CHfcMouse;

// The mouse events, in the order of the listener's client-coordinate operations.
enum class HfcMouseEvent
{
    LeftDown,
    LeftDoubleClick,
    LeftUp,
    RightDown,
    RightDoubleClick,
    RightUp,
    MiddleDown,
    MiddleDoubleClick,
    MiddleUp,
    Move,
    Wheel,
};

// Receives mouse events; the modifier bits are those of GetModifierKeys (Shift 1, Control 2,
// Alt 4). Every operation answers "handled"; the defaults answer false.
class CHfcMouseListener
{
public:
    virtual ~CHfcMouseListener() = default;

    // Client coordinates of the receiver.
    virtual bool OnHfcMouseLeftDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseLeftDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseRightDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseRightDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseRightUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseMiddleDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseMiddleDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseMiddleUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcMouseMove(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }

    // Screen coordinates.
    virtual bool OnHfcScreenMouseLeftDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseLeftDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseRightDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseRightDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseRightUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseMiddleDown(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseMiddleDoubleClick(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseMiddleUp(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnHfcScreenMouseMove(CHfcMouse*, int32_t, int32_t, uint32_t) { return false; }

    // delta is the signed WHEEL_DELTA multiple of the wheel message.
    virtual bool OnHfcMouseWheel(CHfcMouse*, int32_t, int32_t, int32_t /*reserved*/, int32_t /*delta*/,
                                 uint32_t)
    {
        return false;
    }
    virtual bool OnHfcScreenMouseWheel(CHfcMouse*, int32_t, int32_t, int32_t /*reserved*/, int32_t /*delta*/,
                                       uint32_t)
    {
        return false;
    }

    virtual bool OnHfcMouseCaptureLost(CHfcMouse*) { return false; }

    // Calls the client-coordinate (or the screen-coordinate) operation for the event.
    bool CallClientMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                         int32_t delta = 0);
    bool CallScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                         int32_t delta = 0);
};
