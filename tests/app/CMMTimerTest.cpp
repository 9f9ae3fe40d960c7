#include "app/CMMTimer.h"

#include "framework/CPslMessageDispatchEngine.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
class Recorder : public CMMTimerListener
{
public:
    Recorder(const char* name, std::vector<std::string>& log) : m_name(name), m_log(log) {}
    void OnMMTimer(CMMTimer* timer) override
    {
        ++ticks;
        lastTimer = timer;
        offThread = offThread || GetCurrentThreadId() != m_thread;
        m_log.push_back(m_name);
        if (onTick)
            onTick();
    }
    int ticks = 0;
    CMMTimer* lastTimer = nullptr;
    bool offThread = false;
    std::function<void()> onTick;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    DWORD m_thread = GetCurrentThreadId();
};

class IdHolder : public CPslMessageDispatchListener
{
};

struct MMTimerTest : ::testing::Test
{
    CPslMessageDispatchEngine engine;
    CMMTimer timer{&engine};
    std::vector<std::string> log;
    Recorder a{"a", log}, b{"b", log}, c{"c", log};
};
} // namespace

TEST_F(MMTimerTest, TicksCallTheListenersInOrderOnTheWindowThreadAtTheInterval)
{
    timer.AddListener(&a);
    timer.AddListener(&b);
    ASSERT_TRUE(timer.Start());
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_FALSE(timer.Start()); // already running
    ASSERT_TRUE(timer.SetInterval(CMMTimer::kInterval));

    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return b.ticks >= 10; }));
    const ULONGLONG elapsed = GetTickCount64() - started;
    // Loosely: ten ticks of 60 ms cannot come in much less than 600 ms.
    EXPECT_GE(elapsed, 300u);
    EXPECT_EQ(a.ticks, b.ticks);
    EXPECT_FALSE(a.offThread || b.offThread);
    EXPECT_EQ(a.lastTimer, &timer);
    for (size_t i = 0; i < log.size(); ++i)
        EXPECT_EQ(log[i], i % 2 == 0 ? "a" : "b") << i;
}

TEST_F(MMTimerTest, StopEndsTheTicksAndGivesTheIdsBack)
{
    timer.AddListener(&a);
    EXPECT_FALSE(timer.Stop()); // not running
    EXPECT_FALSE(timer.SetInterval(CMMTimer::kInterval));
    ASSERT_TRUE(timer.Start());
    ASSERT_TRUE(timer.SetInterval(10));
    ASSERT_TRUE(PumpUntil([&] { return a.ticks >= 2; }));
    EXPECT_TRUE(timer.Stop());
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_FALSE(timer.Stop());
    const int ticks = a.ticks;
    // A tick already queued reaches no listener: the timer's ids are gone.
    EXPECT_FALSE(timer.OnTimer(CPslMessageDispatchEngine::kFirstId));
    IdHolder holder;
    int32_t first = 0, second = 0;
    ASSERT_TRUE(engine.Register(&holder, &first));
    ASSERT_TRUE(engine.Register(&holder, &second));
    EXPECT_EQ(first, CPslMessageDispatchEngine::kFirstId);
    EXPECT_EQ(second, CPslMessageDispatchEngine::kFirstId + 1);
    engine.Unregister(first);
    engine.Unregister(second);
    EXPECT_EQ(a.ticks, ticks);

    // It starts again, and its destructor stops it.
    {
        CMMTimer again(&engine);
        ASSERT_TRUE(again.Start());
    }
    ASSERT_TRUE(engine.Register(&holder, &first));
    EXPECT_EQ(first, CPslMessageDispatchEngine::kFirstId);
}

TEST_F(MMTimerTest, StartWithOneIdLeftKeepsNone)
{
    IdHolder holder;
    std::vector<int32_t> ids;
    int32_t id = 0;
    for (int i = 0; i < 1023; ++i)
    {
        ASSERT_TRUE(engine.Register(&holder, &id));
        ids.push_back(id);
    }
    EXPECT_FALSE(timer.Start());
    EXPECT_FALSE(timer.IsRunning());
    ASSERT_TRUE(engine.Register(&holder, &id)); // the last id is free again
    EXPECT_EQ(id, CPslMessageDispatchEngine::kLastId);
    EXPECT_FALSE(timer.Start());
    CMMTimer none(nullptr);
    EXPECT_FALSE(none.Start());
}

TEST_F(MMTimerTest, ListenersAddedAndRemovedAroundTicks)
{
    timer.AddListener(nullptr);
    timer.AddListener(&a);
    timer.AddListener(&b);
    timer.AddListener(&c);
    timer.RemoveListener(nullptr);
    Recorder never("never", log);
    timer.RemoveListener(&never); // never added: nothing changes
    ASSERT_TRUE(timer.Start());
    const int32_t tick = CPslMessageDispatchEngine::kFirstId;

    EXPECT_TRUE(timer.OnTimer(tick));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(timer.OnTimer(tick + 1)); // the second id drives nothing

    // During a tick: a removes b (not called any more) and adds never (called from the next tick).
    log.clear();
    a.onTick = [&]
    {
        timer.RemoveListener(&b);
        timer.AddListener(&never);
        a.onTick = nullptr;
    };
    EXPECT_TRUE(timer.OnTimer(tick));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c"}));
    log.clear();
    c.onTick = [&] { timer.RemoveListener(&c); };
    EXPECT_TRUE(timer.OnTimer(tick));
    EXPECT_TRUE(timer.OnTimer(tick));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "never", "a", "never"}));
}
