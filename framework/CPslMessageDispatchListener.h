#pragma once

#include <cstdint>

// Receives calls and timer ticks from the dispatch engine, on the engine's thread. The meaning
// of the five words belongs to the caller and the listener; a word may carry a pointer.
class CPslMessageDispatchListener
{
public:
    virtual ~CPslMessageDispatchListener() = default;
    virtual bool OnTimer(int32_t /*id*/) { return false; }
    virtual bool OnDispatch(uintptr_t /*a*/, uintptr_t /*b*/, uintptr_t /*c*/, uintptr_t /*d*/,
                            uintptr_t /*e*/)
    {
        return false;
    }
    // A queued call that will never be delivered (its listener was unregistered): the place to
    // free what the words carry.
    virtual void OnDispatchDropped(uintptr_t /*a*/, uintptr_t /*b*/, uintptr_t /*c*/, uintptr_t /*d*/,
                                   uintptr_t /*e*/)
    {
    }
};
