#pragma once

#include "framework/CHfcMouseListener.h"

// Mouse listeners whose operations go to one routing function per kind.

// The screen-coordinate operations go to RouteScreenMouse; the client-coordinate operations
// keep their defaults.
class CHfcScreenMouseRouter : public CHfcMouseListener
{
public:
    bool OnHfcScreenMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseRightDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y,
                                          uint32_t modifiers) override;
    bool OnHfcScreenMouseRightUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseMiddleDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseMiddleDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y,
                                           uint32_t modifiers) override;
    bool OnHfcScreenMouseMiddleUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcScreenMouseWheel(CHfcMouse* mouse, int32_t x, int32_t y, int32_t reserved, int32_t delta,
                               uint32_t modifiers) override;

protected:
    // Every screen-coordinate event, with the wheel's delta (0 for the others).
    virtual bool RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                  uint32_t modifiers, int32_t delta) = 0;
};

// The client-coordinate operations go to RouteClientMouse as well.
class CHfcMouseRouter : public CHfcScreenMouseRouter
{
public:
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMiddleDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMiddleDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMiddleUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseWheel(CHfcMouse* mouse, int32_t x, int32_t y, int32_t reserved, int32_t delta,
                         uint32_t modifiers) override;

protected:
    virtual bool RouteClientMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                  uint32_t modifiers, int32_t delta) = 0;
};
