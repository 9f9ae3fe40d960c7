#include "foundation/win32/CHfcGuard.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{

// Increments a counter by a read, a yield and a write, so that unguarded threads lose counts.
template <class Lock, class Unlock> int CountUnder(Lock lock, Unlock unlock)
{
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(
            [&]
            {
                for (int i = 0; i < 2000; ++i)
                {
                    lock();
                    const int seen = counter;
                    std::this_thread::yield();
                    counter = seen + 1;
                    unlock();
                }
            });
    for (std::thread& thread : threads)
        thread.join();
    return counter;
}

} // namespace

TEST(CHfcGuard, SerialisesThreads)
{
    CHfcGuard guard;
    EXPECT_EQ(CountUnder([&] { EXPECT_TRUE(guard.Lock()); }, [&] { guard.Unlock(); }), 8000);
}

TEST(CHfcCriticalSection, SerialisesThreadsAndReentersOnOneThread)
{
    CHfcCriticalSection section;
    EXPECT_EQ(CountUnder([&] { section.Enter(); }, [&] { section.Leave(); }), 8000);

    section.Enter();
    section.Enter();
    section.Leave();
    bool entered = false;
    std::thread other(
        [&]
        {
            section.Enter();
            entered = true;
            section.Leave();
        });
    section.Leave();
    other.join();
    EXPECT_TRUE(entered);
}
