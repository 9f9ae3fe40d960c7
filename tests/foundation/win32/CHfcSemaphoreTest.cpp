#include "foundation/win32/CEfSemaphore.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

TEST(CHfcSemaphore, WaitsWithAndWithoutTimeOut)
{
    CHfcSemaphore semaphore(1);
    ASSERT_TRUE(semaphore.IsValid());
    EXPECT_TRUE(semaphore.Wait());
    EXPECT_EQ(semaphore.WaitTimeout(0), CHfcSemaphore::kTimedOut);
    EXPECT_EQ(semaphore.WaitTimeout(20), CHfcSemaphore::kTimedOut);
    ASSERT_TRUE(semaphore.Release());
    ASSERT_TRUE(semaphore.Release());
    EXPECT_EQ(semaphore.WaitTimeout(0), CHfcSemaphore::kSignalled);
    EXPECT_EQ(semaphore.WaitTimeout(0), CHfcSemaphore::kSignalled);
    EXPECT_EQ(semaphore.WaitTimeout(0), CHfcSemaphore::kTimedOut);
}

TEST(CHfcSemaphore, AnotherThreadsReleaseEndsTheWait)
{
    CHfcSemaphore reply(0);
    std::thread sender([&] { EXPECT_TRUE(reply.Release()); });
    EXPECT_EQ(reply.WaitTimeout(10000), CHfcSemaphore::kSignalled);
    sender.join();
    EXPECT_EQ(reply.WaitTimeout(0), CHfcSemaphore::kTimedOut);
}

TEST(CHfcSemaphore, MaximumCountAndFailedCreation)
{
    CHfcSemaphore lock(1, 1);
    EXPECT_FALSE(lock.Release()); // already at its maximum
    EXPECT_EQ(lock.WaitTimeout(0), CHfcSemaphore::kSignalled);
    EXPECT_TRUE(lock.Release());

    CHfcSemaphore full(CHfcSemaphore::kMaximumCount);
    EXPECT_TRUE(full.IsValid());
    EXPECT_FALSE(full.Release());

    CHfcSemaphore broken(2, 1); // initial count above the maximum
    EXPECT_FALSE(broken.IsValid());
    EXPECT_FALSE(broken.Wait());
    EXPECT_EQ(broken.WaitTimeout(0), CHfcSemaphore::kFailed);
    EXPECT_FALSE(broken.Release());
}

TEST(CEfSemaphore, KeepsItsNameAndForwards)
{
    const std::string forty(40, 'n');
    const struct
    {
        const char* given;
        std::string kept;
    } cases[] = {
        {"ProgressSemaphore", "ProgressSemaphore"},
        {forty.c_str(), std::string(31, 'n')},
        {"", ""},
        {nullptr, "Untitled"},
    };
    for (const auto& c : cases)
    {
        CEfSemaphore semaphore(1, CHfcSemaphore::kMaximumCount, c.given);
        EXPECT_EQ(semaphore.GetName(), c.kept);
    }
    EXPECT_STREQ(CEfSemaphore(0).GetName(), "Untitled");

    CEfSemaphore semaphore(0, 1, "TimerSemaphore");
    CHfcSemaphore& base = semaphore;
    EXPECT_EQ(base.WaitTimeout(0), CHfcSemaphore::kTimedOut);
    EXPECT_TRUE(base.Release());
    EXPECT_FALSE(semaphore.Release());
    EXPECT_TRUE(semaphore.Wait());
}
