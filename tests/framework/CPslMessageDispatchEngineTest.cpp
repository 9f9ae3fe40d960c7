#include "framework/CPslMessageDispatchEngine.h"

#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <array>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
// The first engine window of this process: other test programs running at the same time have
// engine windows of their own.
HWND FindOwnEngineWindow()
{
    HWND window = nullptr;
    while ((window = FindWindowExW(HWND_MESSAGE, window, L"PslMessageDispatchEngine", nullptr)) != nullptr)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return window;
    }
    return nullptr;
}

// Logs the calls, ticks and dropped calls it gets, with the thread each came on.
class Recorder : public CPslMessageDispatchListener
{
public:
    struct Call
    {
        std::array<uintptr_t, 5> words;
        DWORD thread;
    };

    bool OnTimer(int32_t id) override
    {
        std::lock_guard<std::mutex> guard(lock);
        ticks.push_back(id);
        return true;
    }
    bool OnDispatch(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override
    {
        std::lock_guard<std::mutex> guard(lock);
        calls.push_back(Call{{a, b, c, d, e}, GetCurrentThreadId()});
        return result;
    }
    void OnDispatchDropped(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override
    {
        std::lock_guard<std::mutex> guard(lock);
        dropped.push_back(Call{{a, b, c, d, e}, GetCurrentThreadId()});
    }

    size_t CallCount()
    {
        std::lock_guard<std::mutex> guard(lock);
        return calls.size();
    }
    size_t TickCount(int32_t id)
    {
        std::lock_guard<std::mutex> guard(lock);
        size_t n = 0;
        for (int32_t t : ticks)
            n += t == id;
        return n;
    }

    std::mutex lock;
    std::vector<Call> calls;
    std::vector<Call> dropped;
    std::vector<int32_t> ticks;
    bool result = true;
};

TEST(DispatchEngine, IdsAreTheLowestFreeOnesUpTo1151)
{
    CPslMessageDispatchEngine engine;
    Recorder listener;
    int32_t a = 0, b = 0, c = 0;
    ASSERT_TRUE(engine.Register(&listener, &a));
    ASSERT_TRUE(engine.Register(&listener, &b));
    EXPECT_EQ(a, 128);
    EXPECT_EQ(b, 129);
    EXPECT_TRUE(engine.Unregister(128));
    EXPECT_FALSE(engine.Unregister(128));
    ASSERT_TRUE(engine.Register(&listener, &c));
    EXPECT_EQ(c, 128);

    std::vector<int32_t> ids;
    int32_t id = 0;
    while (engine.Register(&listener, &id))
        ids.push_back(id);
    EXPECT_EQ(ids.size(), 1022u);
    EXPECT_EQ(ids.front(), 130);
    EXPECT_EQ(ids.back(), 1151);
    EXPECT_TRUE(engine.Unregister(700));
    ASSERT_TRUE(engine.Register(&listener, &id));
    EXPECT_EQ(id, 700);
    EXPECT_FALSE(engine.Register(&listener, &id));
    EXPECT_FALSE(engine.Register(nullptr, &id));

    EXPECT_FALSE(engine.Unregister(127));
    EXPECT_FALSE(engine.Unregister(1152));
    EXPECT_FALSE(engine.SetTimer(1152, 10));
}

TEST(DispatchEngine, DirectCallOnTheOwnerThreadForcedCallThroughTheWindow)
{
    CPslMessageDispatchEngine engine;
    ASSERT_TRUE(engine.IsValid());
    EXPECT_TRUE(engine.IsOwnerThread());
    Recorder listener;

    listener.result = false;
    EXPECT_EQ(engine.Dispatch(&listener, 1, 2, 3, 4, 5, false), 0);
    listener.result = true;
    EXPECT_EQ(engine.Dispatch(&listener, 6, 7, 8, 9, 10, false), 1);
    ASSERT_EQ(listener.calls.size(), 2u);
    EXPECT_EQ(listener.calls[0].words, (std::array<uintptr_t, 5>{1, 2, 3, 4, 5}));

    EXPECT_NE(engine.Dispatch(&listener, 11, 0, 0, 0, 0, true), 0);
    EXPECT_EQ(listener.calls.size(), 2u) << "a forced call waits for the message loop";
    // A direct call overtakes the queued one.
    engine.Dispatch(&listener, 12, 0, 0, 0, 0, false);
    ASSERT_TRUE(PumpUntil([&] { return listener.CallCount() == 4; }));
    EXPECT_EQ(listener.calls[2].words[0], 12u);
    EXPECT_EQ(listener.calls[3].words[0], 11u);
    EXPECT_EQ(engine.Dispatch(nullptr, 0, 0, 0, 0, 0, true), 0);
}

TEST(DispatchEngine, CallsFromOtherThreadsArriveInOrderOnTheOwnerThread)
{
    CPslMessageDispatchEngine engine;
    Recorder listener;
    const uintptr_t kPerThread = 500;
    // Pointer-wide words pass unchanged.
    const uintptr_t wide = static_cast<uintptr_t>(0xFEDCBA9876543210ull);
    std::vector<std::thread> posters;
    for (uintptr_t t = 0; t < 2; ++t)
        posters.emplace_back(
            [&, t]
            {
                for (uintptr_t i = 0; i < kPerThread; ++i)
                    engine.Dispatch(&listener, t, i, wide, 0, 0, false);
            });
    for (std::thread& p : posters)
        p.join();
    ASSERT_TRUE(PumpUntil([&] { return listener.CallCount() == 2 * kPerThread; }));
    uintptr_t next[2] = {0, 0};
    for (const Recorder::Call& call : listener.calls)
    {
        EXPECT_EQ(call.thread, GetCurrentThreadId());
        ASSERT_LT(call.words[0], 2u);
        EXPECT_EQ(call.words[1], next[call.words[0]]++);
        EXPECT_EQ(call.words[2], wide);
    }
}

// A listener that runs a message loop of its own while it handles a call (as a dialog does)
// still gets the calls queued meanwhile, inside that loop.
TEST(DispatchEngine, CallsReachAListenerInsideItsOwnMessageLoop)
{
    CPslMessageDispatchEngine engine;
    Recorder inner;
    class Modal : public CPslMessageDispatchListener
    {
    public:
        CPslMessageDispatchEngine* engine = nullptr;
        Recorder* inner = nullptr;
        bool sawInner = false;
        bool OnDispatch(uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t) override
        {
            std::thread([&] { engine->Dispatch(inner, 2, 0, 0, 0, 0, false); }).join();
            sawInner = PumpUntil([&] { return inner->CallCount() == 1; });
            return true;
        }
    } modal;
    modal.engine = &engine;
    modal.inner = &inner;
    engine.Dispatch(&modal, 1, 0, 0, 0, 0, true);
    ASSERT_TRUE(PumpUntil([&] { return modal.sawInner; }));
}

TEST(DispatchEngine, TimersTickUntilStoppedOrUnregistered)
{
    CPslMessageDispatchEngine engine;
    Recorder listener;
    int32_t stopped = 0, unregistered = 0, running = 0;
    ASSERT_TRUE(engine.Register(&listener, &stopped));
    ASSERT_TRUE(engine.Register(&listener, &unregistered));
    ASSERT_TRUE(engine.Register(&listener, &running));
    for (int32_t id : {stopped, unregistered, running})
        ASSERT_TRUE(engine.SetTimer(id, 5));
    ASSERT_TRUE(
        PumpUntil([&] { return listener.TickCount(stopped) >= 2 && listener.TickCount(unregistered) >= 2; }));

    ASSERT_TRUE(engine.SetTimer(stopped, 0));
    ASSERT_TRUE(engine.Unregister(unregistered));
    // Ticks already queued may still come through once; after that the two stay silent while
    // the third goes on.
    PumpUntil([] { return false; }, 0);
    size_t afterStop = listener.TickCount(stopped);
    size_t afterUnregister = listener.TickCount(unregistered);
    size_t from = listener.TickCount(running);
    ASSERT_TRUE(PumpUntil([&] { return listener.TickCount(running) >= from + 5; }));
    EXPECT_EQ(listener.TickCount(stopped), afterStop);
    EXPECT_EQ(listener.TickCount(unregistered), afterUnregister);

    // A stopped timer starts again.
    ASSERT_TRUE(engine.SetTimer(stopped, 5));
    ASSERT_TRUE(PumpUntil([&] { return listener.TickCount(stopped) >= afterStop + 2; }));
}

TEST(DispatchEngine, UnregisteringDropsTheListenersQueuedCalls)
{
    CPslMessageDispatchEngine engine;
    Recorder leaving, staying;
    int32_t leavingId = 0, first = 0, second = 0;
    ASSERT_TRUE(engine.Register(&leaving, &leavingId));
    ASSERT_TRUE(engine.Register(&staying, &first));
    ASSERT_TRUE(engine.Register(&staying, &second));
    std::thread poster(
        [&]
        {
            for (uintptr_t i = 0; i < 3; ++i)
            {
                engine.Dispatch(&leaving, i, 0, 0, 0, 0, false);
                engine.Dispatch(&staying, i, 0, 0, 0, 0, false);
            }
        });
    poster.join();
    ASSERT_TRUE(engine.Unregister(leavingId));
    // Giving up one of two ids keeps the calls.
    ASSERT_TRUE(engine.Unregister(first));
    ASSERT_EQ(leaving.dropped.size(), 3u);
    EXPECT_EQ(leaving.dropped[2].words[0], 2u);
    ASSERT_TRUE(PumpUntil([&] { return staying.CallCount() == 3; }));
    EXPECT_TRUE(leaving.calls.empty());
    EXPECT_TRUE(staying.dropped.empty());

    // A listener without an id drops its calls itself.
    Recorder unregistered;
    engine.Dispatch(&unregistered, 9, 0, 0, 0, 0, true);
    engine.RemoveQueued(&unregistered);
    engine.Dispatch(&staying, 4, 0, 0, 0, 0, true);
    ASSERT_TRUE(PumpUntil([&] { return staying.CallCount() == 4; }));
    EXPECT_TRUE(unregistered.calls.empty());
    EXPECT_EQ(unregistered.dropped.size(), 1u);
}

// Calls queued when the engine goes are handed back, so that what their words point to is freed.
TEST(DispatchEngine, CallsStillQueuedAtDestructionAreDropped)
{
    struct Payload
    {
        static int& Live()
        {
            static int live = 0;
            return live;
        }
        Payload() { ++Live(); }
        ~Payload() { --Live(); }
    };
    class Owner : public Recorder
    {
    public:
        void OnDispatchDropped(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override
        {
            Recorder::OnDispatchDropped(a, b, c, d, e);
            delete reinterpret_cast<Payload*>(b);
        }
    };
    Owner first, second;
    {
        CPslMessageDispatchEngine engine;
        int32_t id = 0;
        ASSERT_TRUE(engine.Register(&first, &id));
        for (uintptr_t i = 0; i < 3; ++i)
        {
            Owner& owner = i == 1 ? second : first;
            ASSERT_NE(engine.Dispatch(&owner, i, reinterpret_cast<uintptr_t>(new Payload), 0, 0, 0, true), 0);
        }
        std::thread(
            [&] { engine.Dispatch(&second, 3, reinterpret_cast<uintptr_t>(new Payload), 0, 0, 0, false); })
            .join();
        EXPECT_EQ(Payload::Live(), 4);
    }
    EXPECT_EQ(Payload::Live(), 0);
    EXPECT_TRUE(first.calls.empty());
    EXPECT_TRUE(second.calls.empty());
    ASSERT_EQ(first.dropped.size(), 2u);
    EXPECT_EQ(first.dropped[0].words[0], 0u);
    EXPECT_EQ(first.dropped[1].words[0], 2u);
    ASSERT_EQ(second.dropped.size(), 2u);
    EXPECT_EQ(second.dropped[0].words[0], 1u);
    EXPECT_EQ(second.dropped[1].words[0], 3u);
    EXPECT_EQ(second.dropped[1].thread, GetCurrentThreadId());
}

TEST(DispatchEngine, WindowIsMessageOnlyAndEachEngineHasItsOwn)
{
    auto first = std::make_unique<CPslMessageDispatchEngine>();
    {
        CPslMessageDispatchEngine second;
        ASSERT_TRUE(second.IsValid());
        HWND window = FindOwnEngineWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_NE(GetAncestor(window, GA_PARENT), GetDesktopWindow());
        EXPECT_FALSE(IsWindowVisible(window));
    }
    // The class stays registered while an engine lives.
    Recorder listener;
    first->Dispatch(&listener, 1, 0, 0, 0, 0, true);
    ASSERT_TRUE(PumpUntil([&] { return listener.CallCount() == 1; }));
    first.reset();
    EXPECT_EQ(FindOwnEngineWindow(), nullptr);

    CPslMessageDispatchEngine again;
    EXPECT_TRUE(again.IsValid());
}
} // namespace
