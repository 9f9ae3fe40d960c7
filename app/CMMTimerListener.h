#pragma once

class CMMTimer;

// Receives the timer's tick, on the window thread.
class CMMTimerListener
{
public:
    virtual ~CMMTimerListener() = default;
    virtual void OnMMTimer(CMMTimer* timer) = 0;
};
