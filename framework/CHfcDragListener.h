#pragma once

#include <cstdint>

class CHfcDragData;

enum class HfcDragEvent
{
    Enter,
    Over,
    Leave,
    Drop,
};

// Receives the events of an OLE drag over a window. Enter, over and drop carry the payload,
// the OLE key state, the point, the modifier bits and the drop effect, in and out (0 none,
// 1 move, 2 copy, 3 link); leave carries the payload only. The defaults answer false.
class CHfcDragListener
{
public:
    virtual ~CHfcDragListener() = default;

    // Client coordinates of the receiver.
    virtual bool OnHfcDragEnter(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }
    virtual bool OnHfcDragOver(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }
    virtual bool OnHfcDragLeave(CHfcDragData*) { return false; }
    virtual bool OnHfcDrop(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*) { return false; }

    // Screen coordinates.
    virtual bool OnHfcScreenDragEnter(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }
    virtual bool OnHfcScreenDragOver(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }
    virtual bool OnHfcScreenDragLeave(CHfcDragData*) { return false; }
    virtual bool OnHfcScreenDrop(CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }

    // Calls the client-coordinate (or the screen-coordinate) operation for the event.
    bool CallClientDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                        uint32_t modifiers, uint32_t* effect);
    bool CallScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                        uint32_t modifiers, uint32_t* effect);
};

// A drag listener whose screen-coordinate operations all go to RouteScreenDrag (leave with
// no point).
class CHfcScreenDragRouter : public CHfcDragListener
{
public:
    bool OnHfcScreenDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                              uint32_t* effect) override;
    bool OnHfcScreenDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                             uint32_t* effect) override;
    bool OnHfcScreenDragLeave(CHfcDragData* data) override;
    bool OnHfcScreenDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                         uint32_t* effect) override;

protected:
    virtual bool RouteScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x,
                                 int32_t y, uint32_t modifiers, uint32_t* effect) = 0;
};
