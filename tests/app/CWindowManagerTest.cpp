#include "app/CWindowManager.h"
#include "app/Notifications.h"

#include "framework/CPslMessageDispatchEngine.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
// Listeners that log "name code p1" into one shared log, with the thread they were called on.
struct Log
{
    std::vector<std::string> lines;
    bool offThread = false;
};

class Listener : public CWindowManagerListener
{
public:
    Listener(const char* name, Log& log) : m_name(name), m_log(log) {}
    bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override
    {
        if (onlyCode != 0 && code != onlyCode)
            return false;
        if (GetCurrentThreadId() != m_thread)
            m_log.offThread = true;
        last = {p1, p2, p3, p4};
        lastSender = sender;
        m_log.lines.push_back(m_name + " " + std::to_string(code) + " " + std::to_string(p1));
        if (onNotify)
            onNotify();
        return true;
    }
    std::vector<intptr_t> last;
    void* lastSender = nullptr;
    std::function<void()> onNotify;
    uint32_t onlyCode = 0; // when not 0, the only code logged

private:
    std::string m_name;
    Log& m_log;
    DWORD m_thread = GetCurrentThreadId();
};

class WindowManager : public ::testing::Test
{
protected:
    // Posts a marker to `marker` and pumps until it arrives: everything posted before is in.
    std::vector<std::string> Drain()
    {
        Listener marker("marker", log);
        marker.onlyCode = 999;
        manager->AddListener(&marker);
        EXPECT_TRUE(PostNotificationTo(manager.get(), &marker, 999, 0, 0, 0, 0, nullptr));
        EXPECT_TRUE(PumpUntil([&] { return !log.lines.empty() && log.lines.back() == "marker 999 0"; }));
        manager->RemoveListener(&marker);
        std::vector<std::string> lines = log.lines;
        lines.pop_back();
        log.lines.clear();
        return lines;
    }

    CPslMessageDispatchEngine engine;
    std::unique_ptr<CWindowManager> manager = std::make_unique<CWindowManager>(&engine);
    Log log;
    Listener a{"a", log}, b{"b", log}, c{"c", log};
};

TEST_F(WindowManager, PostsFromAnotherThreadArriveInOrderOnTheWindowThread)
{
    manager->AddListener(&a);
    manager->AddListener(&b);
    manager->AddListener(&c);
    std::thread poster(
        [&]
        {
            for (intptr_t i = 0; i < 3; ++i)
            {
                EXPECT_TRUE(PostNotification(manager.get(), kNotifyParameterChanged, i, -1, 0, -1, nullptr));
                EXPECT_TRUE(
                    PostNotificationTo(manager.get(), &b, kNotifyProgramNameChanged, i, -1, -1, 0, nullptr));
            }
        });
    poster.join();
    EXPECT_EQ(Drain(), (std::vector<std::string>{"a 7 0", "b 7 0", "c 7 0", "b 2 0", "a 7 1", "b 7 1",
                                                 "c 7 1", "b 2 1", "a 7 2", "b 7 2", "c 7 2", "b 2 2"}));
    EXPECT_FALSE(log.offThread);
}

TEST_F(WindowManager, ArgumentsAndSenderArriveUnchanged)
{
    manager->AddListener(&a);
    // Pointer-wide arguments: a window pointer, -1, the top of the range.
    intptr_t window = reinterpret_cast<intptr_t>(&c);
    ASSERT_TRUE(
        PostNotification(manager.get(), kNotifyShowGlobalSubPage, window, -1, INTPTR_MAX, INTPTR_MIN, &b));
    Drain();
    EXPECT_EQ(a.last, (std::vector<intptr_t>{window, -1, INTPTR_MAX, INTPTR_MIN}));
    EXPECT_EQ(a.lastSender, &b);
}

TEST_F(WindowManager, PostingNeverCallsAListenerInsideThePost)
{
    manager->AddListener(&a);
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyDocumentEdited, 1, 0, 0, 0, nullptr));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(Drain(), std::vector<std::string>{"a 14 1"});
}

TEST_F(WindowManager, RefusedPostsPostNothing)
{
    manager->AddListener(&a);
    EXPECT_FALSE(PostNotificationTo(manager.get(), nullptr, kNotifyParameterChanged, 0, 0, 0, 0, nullptr));
    EXPECT_FALSE(PostNotification(nullptr, kNotifyParameterChanged, 0, 0, 0, 0, nullptr));
    EXPECT_TRUE(manager->Unregister());
    EXPECT_FALSE(manager->Unregister());
    EXPECT_FALSE(PostNotification(manager.get(), kNotifyParameterChanged, 0, 0, 0, 0, nullptr));
    EXPECT_TRUE(manager->Register());
    EXPECT_FALSE(manager->Register());
    EXPECT_EQ(Drain(), std::vector<std::string>{});
}

TEST_F(WindowManager, BroadcastWithoutListenersAndRemovingUnknownListeners)
{
    EXPECT_TRUE(PostNotification(manager.get(), kNotifyLogLineAdded, 0, 0, 0, 0, nullptr));
    EXPECT_EQ(Drain(), std::vector<std::string>{});
    EXPECT_FALSE(manager->RemoveListener(&a));
    EXPECT_FALSE(manager->RemoveListener(nullptr));
    manager->AddListener(&a);
    EXPECT_TRUE(manager->RemoveListener(&a));
    EXPECT_FALSE(manager->RemoveListener(&a));
}

TEST_F(WindowManager, RemovedListenersHearNothingMore)
{
    manager->AddListener(&a);
    manager->AddListener(&b);
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyParameterChanged, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(PostNotificationTo(manager.get(), &b, kNotifyProgramNameChanged, 1, 0, 0, 0, nullptr));
    // b goes away with a directed and a broadcast notification still on their way.
    EXPECT_TRUE(manager->RemoveListener(&b));
    EXPECT_EQ(Drain(), std::vector<std::string>{"a 7 1"});
}

// Whether the target is a listener is decided on arrival: a window that never registered hears
// nothing, one that registers while its notification is on the way hears it.
TEST_F(WindowManager, DirectedNotificationsReachOnlyRegisteredListeners)
{
    manager->AddListener(&a);
    ASSERT_TRUE(PostNotificationTo(manager.get(), &c, kNotifySelectPage, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(PostNotificationTo(manager.get(), &a, kNotifySelectPage, 2, 0, 0, 0, nullptr));
    ASSERT_TRUE(PostNotificationTo(manager.get(), &b, kNotifySelectPage, 3, 0, 0, 0, nullptr));
    manager->AddListener(&b);
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyRefreshValues, 4, 0, 0, 0, nullptr));
    EXPECT_EQ(Drain(), (std::vector<std::string>{"a 24 2", "b 24 3", "a 13 4", "b 13 4"}));
}

TEST_F(WindowManager, ListenerRemovedDuringABroadcastIsNotCalledAfterwards)
{
    Listener self("self", log);
    manager->AddListener(&a);
    manager->AddListener(&self);
    manager->AddListener(&b);
    manager->AddListener(&c);
    // a removes c; self removes itself and adds a newcomer, who waits for the next round.
    Listener newcomer("new", log);
    a.onNotify = [&] { manager->RemoveListener(&c); };
    self.onNotify = [&]
    {
        manager->RemoveListener(&self);
        manager->AddListener(&newcomer);
    };
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyRefreshValues, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyRefreshValues, 2, 0, 0, 0, nullptr));
    EXPECT_EQ(Drain(),
              (std::vector<std::string>{"a 13 1", "self 13 1", "b 13 1", "a 13 2", "b 13 2", "new 13 2"}));
}

TEST_F(WindowManager, QueuedNotificationsDieWithTheManager)
{
    manager->AddListener(&a);
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyParameterChanged, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(PostNotificationTo(manager.get(), &a, kNotifyProgramNameChanged, 1, 0, 0, 0, nullptr));
    manager.reset();
    // A manager made afterwards gets only its own.
    manager = std::make_unique<CWindowManager>(&engine);
    manager->AddListener(&a);
    ASSERT_TRUE(PostNotification(manager.get(), kNotifyParameterChanged, 2, 0, 0, 0, nullptr));
    EXPECT_EQ(Drain(), std::vector<std::string>{"a 7 2"});
}

TEST_F(WindowManager, OtherDispatchMessagesAreIgnored)
{
    manager->AddListener(&a);
    EXPECT_EQ(engine.Dispatch(manager.get(), 28, 0, 0, 0, 0, false), 0);
    EXPECT_EQ(Drain(), std::vector<std::string>{});
}
} // namespace

// Each record puts its arguments where the table of notifications has them, and reads them back
// from there; a record of another code reads nothing.
TEST(Notifications, EveryRecordKeepsTheTablesArgumentOrder)
{
    const auto words = [](const CNotificationWords& w)
    {
        return std::to_string(w.code) + " " + std::to_string(w.p1) + " " + std::to_string(w.p2) + " " +
               std::to_string(w.p3) + " " + std::to_string(w.p4);
    };
    const struct
    {
        CNotificationWords made;
        const char* table; // code p1 p2 p3 p4
    } cases[] = {
        {Notify::ProgramReceived{5}.Words(), "1 5 -1 0 0"},
        {Notify::ProgramNameChanged{5, 77}.Words(), "2 5 -1 77 -1"},
        {Notify::ParameterChanged{5, 77}.Words(), "7 5 -1 77 -1"},
        {Notify::ParameterChanged{5, 77, true}.Words(), "7 5 32768 77 -1"},
        {Notify::ParameterChanged{6, 77, false, 6}.Words(), "7 6 -1 77 6"},
        {Notify::ProgramsReplaced{77}.Words(), "16 77 0 0 0"},
        {Notify::GlobalChanged{77}.Words(), "17 77 -1 -1 0"},
        {Notify::DataReplaced{77, 2}.Words(), "18 77 -1 -1 2"},
        {Notify::ProgramReloaded{5, 77, 6}.Words(), "19 5 1 77 6"},
        {Notify::ModifiedTracking{77, false}.Words(), "20 77 0 -1 -1"},
        {Notify::ShowGlobalSubPage{77, 1}.Words(), "25 77 1 0 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(words(c.made), c.table);

    const CNotificationWords changed = Notify::ParameterChanged{5, 77, true, 9}.Words();
    const auto seen =
        Notify::Read<Notify::ParameterChanged>(changed.code, changed.p1, changed.p2, changed.p3, changed.p4);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->IsFor(77, 5));
    EXPECT_FALSE(seen->IsFor(5, 77));
    EXPECT_TRUE(seen->all);
    EXPECT_EQ(seen->reloaded, 9);
    const CNotificationWords reload = Notify::ProgramReloaded{5, 77, 6}.Words();
    const auto moved =
        Notify::Read<Notify::ProgramReloaded>(reload.code, reload.p1, reload.p2, reload.p3, reload.p4);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->program, 5);
    EXPECT_EQ(moved->document, 77);
    EXPECT_EQ(moved->next, 6);
    EXPECT_EQ(Notify::Read<Notify::ProgramReloaded>(reload.code, 5, 0, 77, 6)->next, -1) << "no reload mark";
    EXPECT_FALSE(Notify::Read<Notify::ProgramNameChanged>(changed.code, changed.p1, changed.p2, changed.p3,
                                                          changed.p4))
        << "a record of another code";
}
