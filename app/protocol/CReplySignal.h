#pragma once

#include <cstdint>

// How an exchange's waiter learns that its reply arrived: a counting signal, released by the
// thread that settles the exchange and taken by the thread that waits. The Windows build puts a
// semaphore behind it; tests and fuzz targets put their own.
class CReplySignal
{
public:
    virtual ~CReplySignal() = default;

    // Adds one count.
    virtual void Release() = 0;
    // Takes one count, waiting at most ms milliseconds (0: only what is there); true when taken.
    virtual bool Take(uint32_t ms) = 0;
};
