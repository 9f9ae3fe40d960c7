#pragma once

#include "app/CNotificationRecord.h"
#include "app/CWindowManagerListener.h"
#include "framework/CPslMessageDispatchListener.h"

#include <atomic>
#include <cstdint>
#include <list>

class CPslMessageDispatchEngine;

// The codes of the notifications carried to window-manager listeners, with their arguments.
enum NotificationCode : uint32_t
{
    kNotifyFileOperationDone = 0,   // a library's save, open or import finished; p1 0
    kNotifyProgramReceived = 1,     // p1 program received from the instrument, p2 -1
    kNotifyProgramNameChanged = 2,  // p1 program, p2 -1, p3 document or -1
    kNotifyProgramRenamed = 3,      // p1 program, from the library window
    kNotifyRetitle = 4,             //
    kNotifyParameterChanged = 7,    // p1 program, p2 -1, p3 document, p4 -1 or the program
    kNotifyShowValuesSwitched = 12, //
    kNotifyRefreshValues = 13,      // p1 -1 for all
    kNotifyDocumentEdited = 14,     // arguments per poster
    kNotifyLogLineAdded = 15,       //
    kNotifyProgramsReplaced = 16,   // p1 document
    kNotifyGlobalChanged = 17,      // p1 document
    kNotifyDataReplaced = 18,       // p1 document, p2 -1, p3 -1, p4 the kind
    kNotifyProgramReloaded = 19,    // p1 program, p2 1, p3 document, p4 the new program
    kNotifyModifiedTracking = 20,   // p1 document, p2 0 off or 1 on
    kNotifyRefreshSelf = 21,        // sender the poster
    kNotifySelectPage = 24,         // p1 page
    kNotifyShowGlobalSubPage = 25,  // p1 library window, p2 sub-page
    kNotifyReloadProgramList = 26,  //
    kNotifyShowOverlayMessage = 29, //
};

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
// is not registered when it arrives (never added, or removed meanwhile) is dropped and traced.
bool PostNotificationTo(CWindowManager* manager, CWindowManagerListener* target, uint32_t code, intptr_t p1,
                        intptr_t p2, intptr_t p3, intptr_t p4, void* sender);
