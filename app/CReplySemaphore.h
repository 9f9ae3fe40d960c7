#pragma once

#include "app/protocol/CReplySignal.h"
#include "foundation/win32/CEfSemaphore.h"

// The reply signal of the MIDI exchanges as a semaphore ("Midi::Semaphore", count 0).
class CReplySemaphore : public CReplySignal
{
public:
    CReplySemaphore();
    // False when the semaphore could not be made.
    bool IsValid() const { return m_semaphore.IsValid(); }

    void Release() override;
    bool Take(uint32_t ms) override;

private:
    CEfSemaphore m_semaphore;
};
