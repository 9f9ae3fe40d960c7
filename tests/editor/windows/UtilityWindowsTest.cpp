// The MIDI monitor, the status log and the version window in a frame, with the MIDI manager on
// the simulated instrument.
#include "../base/EditorWindowFixture.h"

#include "editor/windows/CMidiMonitorLayer.h"
#include "framework/CHfcOffscreenContext.h"
#include "editor/windows/CMidiMonitorWindow.h"
#include "editor/windows/CStatusLogLayer.h"
#include "editor/windows/CStatusLogWindow.h"
#include "editor/windows/CVersionInfoLayer.h"
#include "editor/windows/CVersionInfoWindow.h"

#include <cstring>
#include <vector>

TEST(FormatHexBytes, ThreeCharactersAByteAtMostTwentySixBytes)
{
    char text[80];
    const uint8_t noteOn[3] = {0x90, 0x3C, 0x64};
    FormatHexBytes(3, text, noteOn);
    EXPECT_STREQ(text, "90 3C 64 ");
    uint8_t sysEx[40];
    for (uint8_t i = 0; i < 40; ++i)
        sysEx[i] = i;
    FormatHexBytes(40, text, sysEx);
    EXPECT_EQ(std::strlen(text), 78u);
    EXPECT_EQ(std::string(text).substr(72), "18 19 ");
}

TEST_F(EditorWindowTest, TheMonitorShowsShortMessagesInSysExOutButNeverClockOrSensing)
{
    CMidiMonitorWindow window;
    ASSERT_TRUE(window.Create(0, 0, frame.get()));
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(window.GetKind(), 15u);
    EXPECT_EQ(window.GetMode(), 13);
    EXPECT_EQ(GetSettings().midiMonitorWindowShow, 1);
    CMidiMonitorLayer* layer = window.GetLayer();
    StartTicks();
    ASSERT_TRUE(SimMidiInputShort(kPort, 0x643C90));
    ASSERT_TRUE(PumpUntil([&] { return layer->GetInLine() == "90 3C 64 "; })) << layer->GetInLine();
    SimMidiInputShort(kPort, 0xF8);
    SimMidiInputShort(kPort, 0xFE);
    PumpUntil([&] { return layer->GetInLine() != "90 3C 64 "; }, 300);
    EXPECT_EQ(layer->GetInLine(), "90 3C 64 ");
    midi->SendParameterChange(1, 2, -3);
    ASSERT_TRUE(PumpUntil([&] { return layer->GetOutLine().size() == 36; })) << layer->GetOutLine();
    EXPECT_EQ(layer->GetOutLine(), "F0 7D 32 7E 41 02 00 01 00 7D 7F F7 ");
    StopTicks();

    // Closed: the manager stops writing, and the state says closed.
    window.Close();
    EXPECT_FALSE(midi->IsMidiMonitorShown());
    EXPECT_EQ(GetSettings().midiMonitorWindowShow, 0);
}

TEST_F(EditorWindowTest, TheLogShowsTheNewestNineOldestFirstAndItsLedFadesOneStepATick)
{
    CStatusLogWindow window;
    ASSERT_TRUE(window.Create(0, 0, frame.get()));
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(window.GetKind(), 19u);
    CStatusLogLayer* layer = window.GetLayer();
    for (int i = 0; i < 3; ++i)
        log.AddLine(("early " + std::to_string(i)).c_str());
    Deliver();
    EXPECT_EQ(layer->GetLineText(0).substr(10), "early 0");
    EXPECT_EQ(layer->GetLineText(2).substr(10), "early 2");
    EXPECT_EQ(layer->GetLineText(3), "");
    for (int i = 1; i <= 51; ++i)
        log.AddLine(("line " + std::to_string(i)).c_str());
    Deliver();
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(layer->GetLineText(i).substr(10), "line " + std::to_string(43 + i));
        EXPECT_EQ(layer->GetLineRect(i).left, 19);
        EXPECT_EQ(layer->GetLineRect(i).top, 65 + 10 * i);
    }
    const int32_t steps = layer->GetIndicatorSteps();
    EXPECT_EQ(layer->GetIndicatorStep(), steps - 1);
    std::vector<int32_t> seen;
    for (int32_t t = 0; t < steps; ++t)
    {
        layer->RefreshValues();
        seen.push_back(layer->GetIndicatorStep());
    }
    std::vector<int32_t> expected;
    for (int32_t v = steps - 2; v >= 0; --v)
        expected.push_back(v);
    expected.push_back(0);
    EXPECT_EQ(seen, expected);
    window.Close();
    EXPECT_EQ(GetSettings().statusLogWindowShow, 0);
}

// Bytes the LCD font lacks (a Japanese line) are drawn in a real face: two different such
// lines of the same length, shown in turn in the same row, differ there, and show ink on the LCD.
TEST_F(EditorWindowTest, TheLogDrawsLinesTheLcdFontLacksInARealFace)
{
    CStatusLogWindow window;
    ASSERT_TRUE(window.Create(0, 0, frame.get()));
    ASSERT_TRUE(window.Show());
    CStatusLogLayer* layer = window.GetLayer();
    const CHfcRect row = layer->GetLineRect(0);
    // The row past its ten time stamp cells.
    const auto pixels = [&]
    {
        layer->RedrawControls(true);
        CHfcBmpLock surface(layer->GetOffscreen()->GetBitmap());
        std::vector<uint8_t> shown;
        for (int32_t y = row.top; surface.IsLocked() && y < row.bottom; ++y)
            for (int32_t x = row.left + 60; x < row.left + 60 + 8 * 12; ++x)
                shown.insert(shown.end(), surface.View().Pixel(x, y), surface.View().Pixel(x, y) + 4);
        return shown;
    };
    const auto differing = [](const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
    {
        int32_t count = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); i += 4)
            count += std::memcmp(&a[i], &b[i], 4) != 0;
        return count;
    };
    const std::vector<uint8_t> empty = pixels();
    // Two different kana lines in Shift-JIS, every byte from 128 up.
    log.AddLine("\x82\xa0\x82\xa2\x82\xa4\x82\xa6");
    log.AddLine("\x82\xa9\x82\xab\x82\xad\x82\xaf");
    Deliver();
    const std::vector<uint8_t> first = pixels();
    for (int i = 0; i < 8; ++i)
        log.AddLine("filler");
    Deliver();
    ASSERT_EQ(layer->GetLineText(1).substr(10), "filler");
    const std::vector<uint8_t> second = pixels();
    ASSERT_FALSE(empty.empty());
    EXPECT_GT(differing(first, second), 20) << "both lines show the same glyphs";
    EXPECT_GT(differing(first, empty), 20) << "no ink";
    EXPECT_GT(differing(second, empty), 20) << "no ink";
    window.Close();
}

TEST_F(EditorWindowTest, TheVersionWindowDrawsItsVersionOnce)
{
    CVersionInfoWindow window;
    ASSERT_TRUE(window.Create(0, 0, frame.get()));
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(window.GetKind(), 21u);
    CHfcRect client;
    ASSERT_TRUE(window.GetClientRect(client));
    EXPECT_EQ(client.GetWidth(), 342);
    EXPECT_EQ(client.GetHeight(), 279);
    CVersionInfoLayer* layer = window.GetLayer();
    EXPECT_EQ(layer->GetVersionLine(), "Version 1.0.0");
    EXPECT_EQ(CVersionInfoLayer::kTextX, 30);
    EXPECT_EQ(CVersionInfoLayer::kVersionY, 228);
    StartTicks();
    ASSERT_TRUE(PumpUntil([&] { return layer->GetDrawCount() == 1; }));
    PumpUntil([&] { return layer->GetDrawCount() > 1; }, 300);
    EXPECT_EQ(layer->GetDrawCount(), 1);
    StopTicks();
    window.Close();
}

// The close box during a transfer: the monitor and the log stay until it ends, the version
// window, which no transfer writes to, closes at once.
TEST_F(EditorWindowTest, DuringATransferOnlyTheVersionWindowCloses)
{
    CMidiMonitorWindow monitor;
    CStatusLogWindow log;
    CVersionInfoWindow version;
    ASSERT_TRUE(monitor.Create(0, 0, frame.get()));
    ASSERT_TRUE(log.Create(0, 0, frame.get()));
    ASSERT_TRUE(version.Create(0, 0, frame.get()));
    struct Case
    {
        CBaseWindow* window;
        bool closes;
    };
    const Case cases[] = {{&monitor, false}, {&log, false}, {&version, true}};
    CEfSemaphore* progress = GetAppSemaphore(kSemaphoreProgress);
    ASSERT_NE(progress, nullptr);
    progress->Wait(); // a transfer runs
    for (const Case& c : cases)
    {
        ASSERT_TRUE(c.window->Show());
        SendMessageW(c.window->GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpUntil([] { return true; }, 0);
        EXPECT_EQ(c.window->GetHwnd() == nullptr || !IsWindow(c.window->GetHwnd()), c.closes)
            << c.window->GetKind();
    }
    progress->Release();
    // Ended: the others close too.
    for (CBaseWindow* window : {static_cast<CBaseWindow*>(&monitor), static_cast<CBaseWindow*>(&log)})
    {
        SendMessageW(window->GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(window->GetHwnd() == nullptr || !IsWindow(window->GetHwnd())) << window->GetKind();
    }
}
