#pragma once

#include "app/CNotificationRecord.h"
#include "app/CWindowManagerListener.h"
#include "framework/CPslMessageDispatchListener.h"

#include <atomic>
#include <cstdint>
#include <list>

class CPslMessageDispatchEngine;

// Carries notifications from any thread to the window manager's listeners on the window thread,
// through the dispatch engine: to one listener or to all.
class CWindowManager : public CPslMessageDispatchListener
{
public:
    enum : uint32_t
    {
        kNotificationMessage = 3580, // the dispatch word that marks a notification record
    };

    // Registers with the engine at once.
    explicit CWindowManager(CPslMessageDispatchEngine* engine);
    // Unregisters, which frees the notifications still queued.
    ~CWindowManager() override;
    CWindowManager(const CWindowManager&) = delete;
    CWindowManager& operator=(const CWindowManager&) = delete;

    // Each answers whether it acted (false when already registered, or not).
    bool Register();
    bool Unregister();
    bool IsRegistered() const { return m_registered; }
    CPslMessageDispatchEngine* GetEngine() const { return m_engine; }

    // Window thread only.
    void AddListener(CWindowManagerListener* listener);
    bool RemoveListener(CWindowManagerListener* listener);

    // Delivery of a notification record.
    bool OnDispatch(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override;
    void OnDispatchDropped(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override;

private:
    bool IsListener(CWindowManagerListener* listener) const;

    CPslMessageDispatchEngine* m_engine;
    std::atomic<bool> m_registered{false}; // read by posters on any thread
    int32_t m_id = 0;
    std::list<CWindowManagerListener*> m_listeners; // window thread only
};

// Posts a notification for every listener of `manager` from any thread; false, and nothing
// posted, when the manager is null or not registered or the post fails.
bool PostNotification(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                      intptr_t p4, void* sender);
// The same for one listener; also false for a null target. A notification for a listener that
// is removed before it arrives is dropped.
bool PostNotificationTo(CWindowManager* manager, CWindowManagerListener* target, uint32_t code, intptr_t p1,
                        intptr_t p2, intptr_t p3, intptr_t p4, void* sender);
