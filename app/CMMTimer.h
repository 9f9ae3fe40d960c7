#pragma once

#include "app/CMMTimerListener.h"
#include "framework/CPslMessageDispatchListener.h"

#include <cstdint>
#include <vector>

class CPslMessageDispatchEngine;

// The tick that drives the editor windows' periodic work: a timer of the dispatch engine whose
// every tick calls the listeners in the order they were added, on the window thread.
class CMMTimer : public CPslMessageDispatchListener
{
public:
    enum : int32_t
    {
        kInterval = 60, // milliseconds
    };

    explicit CMMTimer(CPslMessageDispatchEngine* engine);
    // Stops the timer.
    ~CMMTimer() override;
    CMMTimer(const CMMTimer&) = delete;
    CMMTimer& operator=(const CMMTimer&) = delete;

    // When not running, takes two timer ids from the engine; true when both were granted (no id
    // is kept otherwise). The tick starts with SetInterval.
    bool Start();
    // Sets the tick's interval; 0 pauses it. False when not running.
    bool SetInterval(int32_t milliseconds);
    // When running, stops both timers and gives their ids back; true when it acted.
    bool Stop();
    bool IsRunning() const { return m_running; }

    // Window thread only (traced otherwise, and done all the same). Null is ignored; a listener
    // removed during a tick is not called again.
    void AddListener(CMMTimerListener* listener);
    void RemoveListener(CMMTimerListener* listener);

    bool OnTimer(int32_t id) override;

private:
    CPslMessageDispatchEngine* m_engine;
    std::vector<CMMTimerListener*> m_listeners; // window thread only; null marks one removed in a tick
    int32_t m_ids[2];                           // the first drives the tick; 0 when not running
    bool m_running;
    bool m_ticking;
};
