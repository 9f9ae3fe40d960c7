#include "FrameworkTestSupport.h"
#include "framework/CHfcAppBase.h"
#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"
#include "framework/HfcMessageBox.h"
#include "framework/TestResourceIds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace
{
class LoopApp : public CHfcApp
{
public:
    CallLog* log = nullptr;
    int inits = 0, exits = 0;
    bool Init() override
    {
        ++inits;
        return CHfcApp::Init();
    }
    bool Exit() override
    {
        ++exits;
        return CHfcApp::Exit();
    }
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM) override
    {
        log->push_back("app " + std::to_string(LOWORD(wParam)));
        return 1;
    }
    const char* GetAcceleratorName() override { return "TestAccelerators"; }
};

// Answers WM_COMMAND with the command id's last digit and records commands and characters;
// consumes WM_APP + 1 before dispatch.
class LoopWindow : public CHfcWindow
{
public:
    CallLog* log = nullptr;
    LRESULT HandleCommand(UINT, WPARAM wParam, LPARAM) override
    {
        log->push_back("window " + std::to_string(LOWORD(wParam)));
        return LOWORD(wParam) % 10;
    }
    LRESULT HandleChar(UINT, WPARAM wParam, LPARAM) override
    {
        log->push_back("char " + std::to_string(wParam));
        return 0;
    }
    bool PreTranslateMessage(MSG* message) override { return message->message != WM_APP + 1; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 1)
            log->push_back("window saw WM_APP + 1");
        return CHfcWindow::WindowProc(message, wParam, lParam);
    }
};

TEST(HfcAppBase, TheLoopTranslatesAcceleratorsFirstAndCallsOnCommandForNonZeroResults)
{
    CallLog log;
    LoopApp app;
    app.log = &log;
    ASSERT_EQ(CHfcAppBase::GetApp(), &app);
    LoopWindow window;
    window.log = &log;
    ASSERT_TRUE(window.Create(30, 30, 50, 40, "Loop", CHfcWindow::kStyleCaption, nullptr, nullptr));
    app.SetMainWindow(&window);
    const HWND hwnd = window.GetHwnd();
    DiscardMessages();

    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(61010, 0), 0); // the window answers 0
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(61013, 0), 0); // the window answers 3
    PostMessageA(hwnd, WM_KEYDOWN, VK_F5, 0x003F0001);       // the accelerator
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001);         // an ordinary key
    PostMessageA(hwnd, WM_APP + 1, 0, 0);                    // consumed by the main window
    PostQuitMessage(7);
    const int mouseBefore = CHfcMouse::GetMouse() != nullptr;
    EXPECT_EQ(app.Run(), 7);
    EXPECT_EQ(app.inits, 1);
    EXPECT_EQ(app.exits, 1);
    EXPECT_NE(app.GetAccelerators(), nullptr);
    EXPECT_EQ(CHfcMouse::GetMouse() != nullptr, mouseBefore != 0); // Init and Exit balance

    const CallLog expected = {
        "window 61010", "window 61013", "app 61013",
        "window 61005", // sent by the accelerator translation; no character follows
        "char 97",
    };
    EXPECT_EQ(log, expected);
    window.Destroy();
}

// Logs its deletion; the first one hands another to the deferred delete from its destructor.
struct DeletionTracer
{
    DeletionTracer(CallLog* l, std::string n, bool another) : log(l), name(std::move(n)), handsOnAnother(another) {}
    DeletionTracer(const DeletionTracer&) = delete;
    DeletionTracer& operator=(const DeletionTracer&) = delete;
    CallLog* log;
    std::string name;
    bool handsOnAnother;
    ~DeletionTracer()
    {
        log->push_back("deleted " + name);
        if (handsOnAnother)
            CHfcDeferredDelete::Add(std::make_unique<DeletionTracer>(log, "c", false));
    }
};

// Hands two tracers to the deferred delete from inside its WM_APP + 2 handler.
class HandingWindow : public CHfcWindow
{
public:
    CallLog* log = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 2)
        {
            CHfcDeferredDelete::Add(std::make_unique<DeletionTracer>(log, "a", true));
            CHfcDeferredDelete::Add(std::make_unique<DeletionTracer>(log, "b", false));
            log->push_back("handler done");
            return 0;
        }
        if (message == WM_APP + 3)
            log->push_back("next message");
        return CHfcWindow::WindowProc(message, wParam, lParam);
    }
};

TEST(HfcAppBase, TheLoopDeletesWhatHandlersHandedOnBeforeTheNextMessageInOrder)
{
    CallLog log;
    LoopApp app;
    app.log = &log;
    HandingWindow window;
    window.log = &log;
    ASSERT_TRUE(window.Create(30, 30, 50, 40, "Deferred", CHfcWindow::kStyleCaption, nullptr, nullptr));
    DiscardMessages();
    PostMessageA(window.GetHwnd(), WM_APP + 2, 0, 0);
    PostMessageA(window.GetHwnd(), WM_APP + 3, 0, 0);
    PostQuitMessage(0);
    EXPECT_EQ(app.Run(), 0);
    const CallLog expected = {"handler done", "deleted a", "deleted b", "deleted c", "next message"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(CHfcDeferredDelete::GetCount(), 0u);
    window.Destroy();
}

TEST(HfcAppBase, ExitRunsAfterWmQuitWithNothingElseQueued)
{
    LoopApp app;
    CallLog log;
    app.log = &log;
    DiscardMessages();
    PostQuitMessage(0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.exits, 1);
    EXPECT_NE(app.GetAccelerators(), nullptr); // loaded even without a main window to translate for
}

TEST(HfcAppBase, TheProcessWidePointerIsTheFirstLiveApplication)
{
    EXPECT_EQ(CHfcAppBase::GetApp(), nullptr);
    {
        CHfcApp first;
        {
            CHfcApp second;
            EXPECT_EQ(CHfcAppBase::GetApp(), &first);
        }
        EXPECT_EQ(CHfcAppBase::GetApp(), &first);
    }
    EXPECT_EQ(CHfcAppBase::GetApp(), nullptr);
    EXPECT_EQ(CHfcAppBase::GetInstanceHandle(), GetModuleHandleW(nullptr));
}

TEST(HfcMessageBox, ButtonsIconsAndAnswers)
{
    struct StyleCase
    {
        int buttons, icon;
        UINT style;
    };
    const StyleCase styles[] = {
        {0, 0, MB_OK},
        {1, 2, MB_OKCANCEL | MB_ICONINFORMATION},
        {2, 3, MB_YESNO | MB_ICONWARNING},
        {3, 4, MB_OK | MB_ICONERROR},
        {-1, 5, MB_OK},
    };
    for (const StyleCase& c : styles)
        EXPECT_EQ(GetMessageBoxStyle(c.buttons, c.icon), c.style) << c.buttons << "," << c.icon;

    const int answers[][2] = {{IDOK, 1},      {IDYES, 1},       {IDABORT, -1},    {IDRETRY, -1},
                              {IDIGNORE, -1}, {IDTRYAGAIN, -1}, {IDCONTINUE, -1}, {IDCANCEL, 2},
                              {IDNO, 2},      {IDCLOSE, 2},     {IDHELP, 2}};
    for (const auto& a : answers)
        EXPECT_EQ(GetMessageBoxResult(a[0]), a[1]) << a[0];
}
} // namespace
