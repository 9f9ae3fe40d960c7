#include "framework/CHfcDragListener.h"

bool CHfcDragListener::CallClientDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x,
                                      int32_t y, uint32_t modifiers, uint32_t* effect)
{
    switch (event)
    {
    case HfcDragEvent::Enter:
        return OnHfcDragEnter(data, keyState, x, y, modifiers, effect);
    case HfcDragEvent::Over:
        return OnHfcDragOver(data, keyState, x, y, modifiers, effect);
    case HfcDragEvent::Leave:
        return OnHfcDragLeave(data);
    case HfcDragEvent::Drop:
        return OnHfcDrop(data, keyState, x, y, modifiers, effect);
    }
    return false;
}

bool CHfcDragListener::CallScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x,
                                      int32_t y, uint32_t modifiers, uint32_t* effect)
{
    switch (event)
    {
    case HfcDragEvent::Enter:
        return OnHfcScreenDragEnter(data, keyState, x, y, modifiers, effect);
    case HfcDragEvent::Over:
        return OnHfcScreenDragOver(data, keyState, x, y, modifiers, effect);
    case HfcDragEvent::Leave:
        return OnHfcScreenDragLeave(data);
    case HfcDragEvent::Drop:
        return OnHfcScreenDrop(data, keyState, x, y, modifiers, effect);
    }
    return false;
}

bool CHfcScreenDragRouter::OnHfcScreenDragEnter(CHfcDragData* d, uint32_t s, int32_t x, int32_t y, uint32_t k,
                                                uint32_t* e)
{
    return RouteScreenDrag(HfcDragEvent::Enter, d, s, x, y, k, e);
}

bool CHfcScreenDragRouter::OnHfcScreenDragOver(CHfcDragData* d, uint32_t s, int32_t x, int32_t y, uint32_t k,
                                               uint32_t* e)
{
    return RouteScreenDrag(HfcDragEvent::Over, d, s, x, y, k, e);
}

bool CHfcScreenDragRouter::OnHfcScreenDragLeave(CHfcDragData* d)
{
    return RouteScreenDrag(HfcDragEvent::Leave, d, 0, 0, 0, 0, nullptr);
}

bool CHfcScreenDragRouter::OnHfcScreenDrop(CHfcDragData* d, uint32_t s, int32_t x, int32_t y, uint32_t k,
                                           uint32_t* e)
{
    return RouteScreenDrag(HfcDragEvent::Drop, d, s, x, y, k, e);
}
