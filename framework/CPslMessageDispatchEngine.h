#pragma once

#include "foundation/win32/CHfcGuard.h"
#include "framework/CPslMessageDispatchListener.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>

// Carries calls from any thread to listeners on the thread that created the engine, and runs
// window timers for them, through a hidden message-only window of its own.
class CPslMessageDispatchEngine
{
public:
    enum : int32_t
    {
        kFirstId = 128,
        kLastId = 1151,
    };

    CPslMessageDispatchEngine();
    // Calls still queued are dropped (OnDispatchDropped each, in queue order), so that what
    // their words carry is freed: their listeners must still live.
    virtual ~CPslMessageDispatchEngine();
    CPslMessageDispatchEngine(const CPslMessageDispatchEngine&) = delete;
    CPslMessageDispatchEngine& operator=(const CPslMessageDispatchEngine&) = delete;

    // Hands out the lowest free id of 128 to 1151; false when all are taken.
    virtual bool Register(CPslMessageDispatchListener* listener, int32_t* id);
    // Starts (or restarts) the id's timer; a period below 1 stops it. False for an unknown id.
    virtual bool SetTimer(int32_t id, int32_t milliseconds);
    // Stops the id's timer and frees the id. When the listener holds no other id, its queued
    // calls are dropped (OnDispatchDropped). False for an unknown id.
    virtual bool Unregister(int32_t id);
    // On the engine's thread and not forced: calls the listener at once and answers its result.
    // Otherwise queues the call for the engine's thread and answers whether it was queued.
    virtual int Dispatch(CPslMessageDispatchListener* listener, uintptr_t a, uintptr_t b, uintptr_t c,
                         uintptr_t d, uintptr_t e, bool force);

    // Drops the calls queued for a listener (OnDispatchDropped each), for listeners that go away
    // without an id of their own.
    void RemoveQueued(CPslMessageDispatchListener* listener);
    bool IsOwnerThread() const { return GetCurrentThreadId() == m_ownerThread; }
    // False when the engine's window could not be made.
    bool IsValid() const { return m_window != nullptr; }

private:
    struct CRecord
    {
        CPslMessageDispatchListener* listener;
        uintptr_t a, b, c, d, e;
    };
    struct CEntry
    {
        CPslMessageDispatchListener* listener;
        int32_t period; // milliseconds, 0 = no timer
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DeliverQueued();

    CHfcGuard m_queueLock;
    std::deque<CRecord> m_queue;          // guarded by m_queueLock
    bool m_postPending = false;           // a WM_USER is on its way; guarded by m_queueLock
    std::map<int32_t, CEntry> m_registry; // owner thread only
    DWORD m_ownerThread;
    HWND m_window = nullptr;
};
