#include "framework/CHfcMouseRouter.h"

bool CHfcScreenMouseRouter::OnHfcScreenMouseLeftDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::LeftDown, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseLeftDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::LeftDoubleClick, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseLeftUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::LeftUp, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseRightDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::RightDown, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseRightDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::RightDoubleClick, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseRightUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::RightUp, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseMiddleDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::MiddleDown, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseMiddleDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::MiddleDoubleClick, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseMiddleUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::MiddleUp, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseMove(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::Move, m, x, y, k, 0);
}

bool CHfcScreenMouseRouter::OnHfcScreenMouseWheel(CHfcMouse* m, int32_t x, int32_t y, int32_t, int32_t delta,
                                                  uint32_t k)
{
    return RouteScreenMouse(HfcMouseEvent::Wheel, m, x, y, k, delta);
}

bool CHfcMouseRouter::OnHfcMouseLeftDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::LeftDown, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseLeftDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::LeftDoubleClick, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseLeftUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::LeftUp, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseRightDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::RightDown, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseRightDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::RightDoubleClick, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseRightUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::RightUp, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseMiddleDown(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::MiddleDown, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseMiddleDoubleClick(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::MiddleDoubleClick, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseMiddleUp(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::MiddleUp, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseMove(CHfcMouse* m, int32_t x, int32_t y, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::Move, m, x, y, k, 0);
}

bool CHfcMouseRouter::OnHfcMouseWheel(CHfcMouse* m, int32_t x, int32_t y, int32_t, int32_t delta, uint32_t k)
{
    return RouteClientMouse(HfcMouseEvent::Wheel, m, x, y, k, delta);
}
