#include "app/CLogManager.h"

#include "app/CWindowManager.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace
{
std::string Line(const CLogManager& log, int32_t n)
{
    char buffer[CLogManager::kLineBufferSize];
    std::memset(buffer, '#', sizeof buffer);
    if (!log.GetLine(n, buffer))
        return "<none>";
    return buffer;
}

// The text after the "hh:mm:ss  " stamp, which must be there.
std::string Text(const CLogManager& log, int32_t n)
{
    const std::string line = Line(log, n);
    static const std::regex stamp("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]  ");
    if (line == "<none>")
        return line;
    EXPECT_TRUE(std::regex_search(line, stamp)) << line;
    return line.size() >= 10 ? line.substr(10) : line;
}
} // namespace

TEST(CLogManager, KeepsTheLastFiftyLinesNewestFirst)
{
    CLogManager log(nullptr);
    EXPECT_EQ(Line(log, 0), "<none>");
    log.AddLine("File opened \"Untitled\"");
    log.AddLine("Receive All Data : Timeout");
    log.AddLine("");
    EXPECT_EQ(Text(log, 0), "");
    EXPECT_EQ(Text(log, 1), "Receive All Data : Timeout");
    EXPECT_EQ(Text(log, 2), "File opened \"Untitled\"");
    EXPECT_EQ(Line(log, 3), "<none>"); // never written

    for (int i = 3; i <= 50; ++i)
        log.AddLine(("line " + std::to_string(i)).c_str());
    // 51 lines: the oldest is gone.
    EXPECT_EQ(Text(log, 0), "line 50");
    EXPECT_EQ(Text(log, 47), "line 3");
    EXPECT_EQ(Text(log, 48), "");
    EXPECT_EQ(Text(log, 49), "Receive All Data : Timeout");
    for (int i = 51; i < 175; ++i)
        log.AddLine(("line " + std::to_string(i)).c_str());
    for (int n = 0; n < CLogManager::kLineCount; ++n)
        ASSERT_EQ(Text(log, n), "line " + std::to_string(174 - n));
    for (int32_t n : {-1, 50, 51, INT32_MAX, INT32_MIN})
        EXPECT_EQ(Line(log, n), "<none>") << n;
    char buffer[8];
    EXPECT_FALSE(log.GetLine(0, nullptr));
    EXPECT_FALSE(log.GetLine(0, buffer, 0));
}

TEST(CLogManager, LongLinesAreCutToTheCellAndToTheCallersBuffer)
{
    CLogManager log(nullptr);
    const std::string fits(117, 'f');
    const std::string tooLong(300, 'x');
    log.AddLine(fits.c_str());
    log.AddLine(tooLong.c_str());
    log.AddLine(nullptr);
    EXPECT_EQ(Line(log, 1).size(), 127u);
    EXPECT_EQ(Text(log, 1), std::string(117, 'x'));
    EXPECT_EQ(Text(log, 2), fits);
    EXPECT_EQ(Text(log, 0), "");

    char small[16];
    ASSERT_TRUE(log.GetLine(1, small, sizeof small));
    EXPECT_EQ(std::strlen(small), 15u);
}

TEST(CLogManager, ClearEmptiesTheRingAndStartsAgain)
{
    CLogManager log(nullptr);
    for (int i = 0; i < 60; ++i)
        log.AddLine("before");
    log.Clear();
    for (int n = 0; n < CLogManager::kLineCount; ++n)
        EXPECT_EQ(Line(log, n), "<none>") << n;
    log.AddLine("after");
    EXPECT_EQ(Text(log, 0), "after");
    EXPECT_EQ(Line(log, 1), "<none>");
}

TEST(CLogManager, EachLineIsAnnouncedToTheWindows)
{
    struct Listener : CWindowManagerListener
    {
        bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2, intptr_t,
                                   intptr_t, void* sender) override
        {
            if (code == kNotifyLogLineAdded && p1 == 0 && p2 == 0)
                senders.push_back(sender);
            return true;
        }
        std::vector<void*> senders;
    } window;
    CPslMessageDispatchEngine engine;
    CWindowManager manager(&engine);
    manager.AddListener(&window);
    CLogManager log(&manager);
    log.AddLine("one");
    log.AddLine("two");
    log.AddLine("three");
    ASSERT_TRUE(PumpUntil([&] { return window.senders.size() >= 3; }));
    EXPECT_EQ(window.senders, (std::vector<void*>{&log, &log, &log}));
    manager.RemoveListener(&window);
}

TEST(WriteLog, FormatsIntoTheProcessWideLogWhileThereIsOne)
{
    WriteLog("%s", "nowhere"); // no log manager: nothing happens
    {
        CLogManager log(nullptr);
        SetLogManager(&log);
        EXPECT_EQ(GetLogManager(), &log);
        WriteLog("%s : %s", "Receive All Data", "Timeout");
        EXPECT_EQ(Text(log, 0), "Receive All Data : Timeout");
        WriteLog("Save to \"%s\" complete.", std::string(2000, 'p').c_str());
        EXPECT_EQ(Text(log, 0), "Save to \"" + std::string(108, 'p'));
        WriteLog("%d programs", 128);
        EXPECT_EQ(Text(log, 0), "128 programs");
    }
    EXPECT_EQ(GetLogManager(), nullptr); // gone with the manager
    WriteLog("%s", "nowhere");
}
