#include "framework/CHfcMouseListener.h"

bool CHfcMouseListener::CallClientMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                        uint32_t modifiers, int32_t delta)
{
    switch (event)
    {
    case HfcMouseEvent::LeftDown:
        return OnHfcMouseLeftDown(mouse, x, y, modifiers);
    case HfcMouseEvent::LeftDoubleClick:
        return OnHfcMouseLeftDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::LeftUp:
        return OnHfcMouseLeftUp(mouse, x, y, modifiers);
    case HfcMouseEvent::RightDown:
        return OnHfcMouseRightDown(mouse, x, y, modifiers);
    case HfcMouseEvent::RightDoubleClick:
        return OnHfcMouseRightDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::RightUp:
        return OnHfcMouseRightUp(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleDown:
        return OnHfcMouseMiddleDown(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleDoubleClick:
        return OnHfcMouseMiddleDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleUp:
        return OnHfcMouseMiddleUp(mouse, x, y, modifiers);
    case HfcMouseEvent::Move:
        return OnHfcMouseMove(mouse, x, y, modifiers);
    case HfcMouseEvent::Wheel:
        return OnHfcMouseWheel(mouse, x, y, 0, delta, modifiers);
    }
    return false;
}

bool CHfcMouseListener::CallScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                        uint32_t modifiers, int32_t delta)
{
    switch (event)
    {
    case HfcMouseEvent::LeftDown:
        return OnHfcScreenMouseLeftDown(mouse, x, y, modifiers);
    case HfcMouseEvent::LeftDoubleClick:
        return OnHfcScreenMouseLeftDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::LeftUp:
        return OnHfcScreenMouseLeftUp(mouse, x, y, modifiers);
    case HfcMouseEvent::RightDown:
        return OnHfcScreenMouseRightDown(mouse, x, y, modifiers);
    case HfcMouseEvent::RightDoubleClick:
        return OnHfcScreenMouseRightDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::RightUp:
        return OnHfcScreenMouseRightUp(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleDown:
        return OnHfcScreenMouseMiddleDown(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleDoubleClick:
        return OnHfcScreenMouseMiddleDoubleClick(mouse, x, y, modifiers);
    case HfcMouseEvent::MiddleUp:
        return OnHfcScreenMouseMiddleUp(mouse, x, y, modifiers);
    case HfcMouseEvent::Move:
        return OnHfcScreenMouseMove(mouse, x, y, modifiers);
    case HfcMouseEvent::Wheel:
        return OnHfcScreenMouseWheel(mouse, x, y, 0, delta, modifiers);
    }
    return false;
}
