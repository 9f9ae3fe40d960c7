#include "FrameworkTestSupport.h"
#include "RecordingListeners.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "foundation/win32/EfWin32Utility.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// A captioned top-level window with a client area of the given size.
std::unique_ptr<CHfcWindow> MakeWindow(int32_t width, int32_t height)
{
    auto window = std::make_unique<CHfcWindow>();
    EXPECT_TRUE(
        window->Create(40, 40, width, height, "Test window", CHfcWindow::kStyleCaption, nullptr, nullptr));
    window->Show();
    CHfcRect client;
    window->GetClientRect(client);
    EXPECT_EQ(client.GetWidth(), width);
    EXPECT_EQ(client.GetHeight(), height);
    return window;
}

LPARAM ClientPoint(int32_t x, int32_t y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// Two layers: A covers the client area and handles what reaches it; B lies on top at
// (100, 80)-(180, 130) and declines. Controls of A: a1 and a2 overlap, a3 is disabled, a4
// hidden, a5 declines; B has b1 at its top-left corner.
class RoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = MakeWindow(200, 150);
        ASSERT_TRUE(layerA.Create(0, 0, 200, 150, window.get()));
        ASSERT_TRUE(layerB.Create(100, 80, 80, 50, window.get()));
        layerA.Show(true);
        layerB.Show(true);
        a3.SetEnabled(false);
        a4.Hide(false);
        for (CHfcControl* c : std::initializer_list<CHfcControl*>{&a1, &a2, &a3, &a4, &a5})
            layerA.AddControl(c, false);
        layerB.AddControl(&b1, false);
        log.clear();
    }
    void TearDown() override
    {
        if (CHfcMouse::GetMouse()->GetCaptureOwner())
            CHfcMouse::GetMouse()->ReleaseCapture();
    }

    CallLog Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        log.clear();
        SendMessageA(window->GetHwnd(), message, wParam, lParam);
        return log;
    }

    CallLog log;
    std::unique_ptr<CHfcWindow> window;
    RecordingLayer layerA{"A", &log, true};
    RecordingLayer layerB{"B", &log, false};
    RecordingControl a1{"a1", &log, 10, 10, 50, 40};
    RecordingControl a2{"a2", &log, 30, 20, 70, 60};
    RecordingControl a3{"a3", &log, 80, 10, 120, 40};
    RecordingControl a4{"a4", &log, 130, 10, 170, 40};
    RecordingControl a5{"a5", &log, 10, 70, 50, 100, false};
    RecordingControl b1{"b1", &log, 0, 0, 20, 20};
};

TEST_F(RoutingTest, MouseMessagesReachTheTopmostLayerAndTheFirstControlThatAnswers)
{
    struct Case
    {
        const char* what;
        UINT message;
        WPARAM keys;
        int32_t x, y;
        CallLog expected;
    };
    const Case cases[] = {
        {"a control, in its own coordinates", WM_LBUTTONDOWN, 0, 20, 15, {"a1 LeftDown 10,5 0"}},
        {"overlapping controls: the earlier one", WM_LBUTTONDOWN, 0, 40, 30, {"a1 LeftDown 30,20 0"}},
        {"a control's right edge is outside it", WM_LBUTTONDOWN, 0, 50, 30, {"a2 LeftDown 20,10 0"}},
        {"a control's bottom edge is outside it", WM_LBUTTONDOWN, 0, 20, 40, {"A LeftDown 20,40 0"}},
        {"a disabled control lets the click through", WM_LBUTTONDOWN, 0, 90, 20, {"A LeftDown 90,20 0"}},
        {"a hidden control is not hit", WM_LBUTTONDOWN, 0, 140, 20, {"A LeftDown 140,20 0"}},
        {"a declining control passes to the layer",
         WM_LBUTTONDOWN,
         0,
         20,
         80,
         {"a5 LeftDown 10,10 0", "A LeftDown 20,80 0"}},
        {"the top layer's control", WM_LBUTTONDOWN, 0, 105, 85, {"b1 LeftDown 5,5 0"}},
        {"a declining top layer passes to the one below",
         WM_LBUTTONDOWN,
         0,
         130,
         100,
         {"B LeftDown 30,20 0", "A LeftDown 130,100 0"}},
        {"a layer's right edge belongs to the layer below",
         WM_LBUTTONDOWN,
         0,
         180,
         100,
         {"A LeftDown 180,100 0"}},
        {"a layer's bottom edge belongs to the layer below",
         WM_LBUTTONDOWN,
         0,
         150,
         130,
         {"A LeftDown 150,130 0"}},
        {"Shift and Control", WM_RBUTTONDOWN, MK_SHIFT | MK_CONTROL, 20, 15, {"a1 RightDown 10,5 3"}},
        {"Control", WM_LBUTTONUP, MK_CONTROL, 20, 15, {"a1 LeftUp 10,5 2"}},
        {"left double click", WM_LBUTTONDBLCLK, 0, 20, 15, {"a1 LeftDoubleClick 10,5 0"}},
        {"right double click", WM_RBUTTONDBLCLK, 0, 20, 15, {"a1 RightDoubleClick 10,5 0"}},
        {"right up", WM_RBUTTONUP, 0, 20, 15, {"a1 RightUp 10,5 0"}},
        {"middle down", WM_MBUTTONDOWN, 0, 20, 15, {"a1 MiddleDown 10,5 0"}},
        {"middle double click", WM_MBUTTONDBLCLK, 0, 20, 15, {"a1 MiddleDoubleClick 10,5 0"}},
        {"middle up", WM_MBUTTONUP, MK_SHIFT, 20, 15, {"a1 MiddleUp 10,5 1"}},
        {"move", WM_MOUSEMOVE, 0, 20, 15, {"a1 Move 10,5 0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Send(c.message, c.keys, ClientPoint(c.x, c.y)), c.expected) << c.what;

    // The wheel carries screen coordinates and its delta.
    POINT screen = {20, 15};
    window->ClientToScreen(screen);
    EXPECT_EQ(
        Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-240)), MAKELPARAM(screen.x, screen.y)),
        CallLog{"a1 Wheel-240 10,5 1"});

    // Each button and move event is recorded in the mouse singleton first.
    Send(WM_MOUSEMOVE, MK_CONTROL, ClientPoint(33, 44));
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    EXPECT_EQ(mouse->GetEventWindow(), window.get());
    EXPECT_EQ(mouse->GetEventClientPoint().x, 33);
    EXPECT_EQ(mouse->GetEventClientPoint().y, 44);
    POINT expected = {33, 44};
    window->ClientToScreen(expected);
    EXPECT_EQ(mouse->GetEventScreenPoint().x, expected.x);
    EXPECT_EQ(mouse->GetEventModifiers(), static_cast<uint32_t>(kModifierControl));
}

TEST_F(RoutingTest, TheCaptureOwnerGetsEveryEventInItsOwnCoordinates)
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    mouse->SetCapture(&a1, window.get());
    EXPECT_EQ(GetCapture(), window->GetHwnd());
    // Far outside a1 and over layer B: still a1, relative to its corner.
    EXPECT_EQ(Send(WM_MOUSEMOVE, 0, ClientPoint(150, 100)), CallLog{"a1 Move 140,90 0"});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, ClientPoint(-5, 3)), CallLog{"a1 LeftUp -15,-7 0"});

    // A disabled capture owner still gets moves but no presses.
    a1.SetEnabled(false);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, 0, ClientPoint(20, 15)), CallLog{});
    EXPECT_EQ(Send(WM_MOUSEMOVE, 0, ClientPoint(20, 15)), CallLog{"a1 Move 10,5 0"});
    a1.SetEnabled(true);

    // Taking the capture from another listener tells the old owner once.
    log.clear();
    mouse->SetCapture(&layerA, window.get());
    mouse->SetCapture(&layerA, window.get());
    EXPECT_EQ(log, CallLog{"a1 CaptureLost"});
    // A capturing layer gets the events itself, over its controls too.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, 0, ClientPoint(20, 15)), CallLog{"A LeftDown 20,15 0"});

    // Destroying the layer ends its capture; the next event is hit-tested again.
    log.clear();
    layerA.Destroy();
    EXPECT_EQ(mouse->GetCaptureOwner(), nullptr);
    EXPECT_EQ(log, CallLog{"A CaptureLost"});
    EXPECT_EQ(window->GetLayerCount(), 1u);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, 0, ClientPoint(20, 15)), CallLog{});
    EXPECT_EQ(a1.GetLayer(), nullptr);
}

TEST_F(RoutingTest, DragsGoToTheLayersFirstToLastAndToEnabledOrDisabledControls)
{
    POINT screen = {90, 20}; // over the disabled a3
    window->ClientToScreen(screen);
    uint32_t effect = 2;
    log.clear();
    window->OnHfcScreenDragEnter(nullptr, 0, screen.x, screen.y, 1, &effect);
    EXPECT_EQ(log, CallLog{"a3 DragEnter 10,10 1"});
    log.clear();
    window->OnHfcScreenDragLeave(nullptr);
    EXPECT_EQ(log, CallLog{"a3 DragLeave"});
}

// The control that had the drag last is its target: a leave reaches only it, and a drag that
// changes controls leaves the old one before it enters the new one.
TEST_F(RoutingTest, EachControlThatADragEntersHearsItLeaveOrDropOnce)
{
    enum Event
    {
        Enter,
        Over,
        Leave,
        Drop,
    };
    struct Step
    {
        const char* what;
        Event event;
        int32_t x, y; // client coordinates
        CallLog expected;
    };
    const Step steps[] = {
        {"enter over a control", Enter, 20, 15, {"a1 DragEnter 10,5 0"}},
        {"over the same control", Over, 25, 15, {"a1 DragOver 15,5 0"}},
        {"on to another control", Over, 60, 50, {"a1 DragLeave", "a2 DragEnter 30,30 0"}},
        {"where two overlap: the earlier one", Over, 40, 30, {"a2 DragLeave", "a1 DragEnter 30,20 0"}},
        {"off every control", Over, 150, 120, {"a1 DragLeave", "A DragOver 150,120 0"}},
        {"on to a disabled control", Over, 90, 20, {"a3 DragEnter 10,10 0"}},
        {"leaving the window", Leave, 0, 0, {"a3 DragLeave"}},
        {"a leave without a target goes to the layer", Leave, 0, 0, {"A DragLeave"}},
        {"a declining control", Enter, 20, 80, {"a5 DragEnter 10,10 0", "A DragEnter 20,80 0"}},
        {"keeps the drag while under it", Over, 21, 80, {"a5 DragOver 11,10 0", "A DragOver 21,80 0"}},
        {"a drop elsewhere", Drop, 20, 15, {"a5 DragLeave", "a1 DragEnter 10,5 0", "a1 Drop 10,5 0"}},
        {"a drop ends the drag", Leave, 0, 0, {"A DragLeave"}},
        {"a new drag", Enter, 20, 15, {"a1 DragEnter 10,5 0"}},
        {"a new drag whose leave never came", Enter, 60, 50, {"a1 DragLeave", "a2 DragEnter 30,30 0"}},
        {"a drop on the target", Drop, 60, 50, {"a2 Drop 30,30 0"}},
        {"a drop on no control", Drop, 150, 120, {"A Drop 150,120 0"}},
    };
    for (const Step& step : steps)
    {
        POINT screen = {step.x, step.y};
        window->ClientToScreen(screen);
        uint32_t effect = 2;
        log.clear();
        switch (step.event)
        {
        case Enter:
            window->OnHfcScreenDragEnter(nullptr, 0, screen.x, screen.y, 0, &effect);
            break;
        case Over:
            window->OnHfcScreenDragOver(nullptr, 0, screen.x, screen.y, 0, &effect);
            break;
        case Leave:
            window->OnHfcScreenDragLeave(nullptr);
            break;
        case Drop:
            window->OnHfcScreenDrop(nullptr, 0, screen.x, screen.y, 0, &effect);
            break;
        }
        EXPECT_EQ(log, step.expected) << step.what;
    }

    // A control removed while it has the drag hears nothing more of it.
    POINT screen = {20, 15};
    window->ClientToScreen(screen);
    uint32_t effect = 2;
    window->OnHfcScreenDragEnter(nullptr, 0, screen.x, screen.y, 0, &effect);
    ASSERT_TRUE(layerA.RemoveControl(&a1));
    log.clear();
    window->OnHfcScreenDragLeave(nullptr);
    EXPECT_EQ(log, CallLog{"A DragLeave"});
}

TEST_F(RoutingTest, NavigationKeysComeFromKeyDownAndOtherCharactersFromCharMessages)
{
    RecordingKeyListener listener(&log);
    CHfcKey* key = CHfcKey::GetKey();
    log.clear();
    key->SetFocus(&listener, window->GetHwnd());
    key->SetFocus(&listener, window->GetHwnd()); // already focused: no second call
    EXPECT_EQ(log, CallLog{"GetFocus"});

    struct Case
    {
        UINT message;
        WPARAM code;
        LPARAM flags;
        CallLog expected;
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_LEFT, 0x014B0001, {"Character 37 0"}},
        {WM_KEYDOWN, VK_DOWN, 0x01500001, {"Character 40 0"}},
        {WM_KEYDOWN, VK_DELETE, 0x01530001, {"Character 46 0"}},
        {WM_KEYDOWN, VK_BACK, 0x000E0001, {"Character 8 0"}},
        {WM_KEYDOWN, VK_RETURN, 0x001C0001, {"Character 13 0"}},
        {WM_KEYDOWN, VK_ESCAPE, 0x00010001, {"Character 27 0"}},
        {WM_KEYDOWN, 'A', 0x001E0001, {}},
        {WM_KEYUP, VK_LEFT, static_cast<LPARAM>(0xC14B0001), {}},
        {WM_CHAR, 'a', 0x001E0001, {"Character 97 1966081"}},
        {WM_CHAR, '.', 0x00340001, {}},
        {WM_CHAR, '%', 0x00060001, {}},
        {WM_CHAR, 13, 0x001C0001, {}},
        {WM_CHAR, 8, 0x000E0001, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Send(c.message, c.code, c.flags), c.expected) << c.message << " " << c.code;

    log.clear();
    key->KillFocus();
    EXPECT_EQ(log, CallLog{"KillFocus"});
    EXPECT_EQ(Send(WM_KEYDOWN, VK_LEFT, 0), CallLog{});
}

// --- composition

uint32_t Pixel(CHfcBmp* bmp, int32_t x, int32_t y)
{
    CHfcBmpLock lock(bmp);
    const uint8_t* p = lock.View().Pixel(x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Fill(CHfcWindowLayer& layer, uint32_t argb)
{
    FillLayer(layer, [argb](int32_t, int32_t) { return argb; });
}

TEST(HfcWindowComposition, VisibleLayersAreCopiedInOrderOntoTheRootSurface)
{
    auto window = MakeWindow(160, 120);
    CHfcBmp* root = window->GetRootLayer()->GetOffscreen()->GetBitmap();
    ASSERT_EQ(root->GetWidth(), 160);
    ASSERT_EQ(root->GetHeight(), 120);

    CHfcWindowLayer bottom, top, hidden;
    ASSERT_TRUE(bottom.Create(0, 0, 40, 30, window.get()));
    ASSERT_TRUE(top.Create(10, 5, 20, 20, window.get()));
    ASSERT_TRUE(hidden.Create(0, 0, 40, 30, window.get()));
    Fill(bottom, 0xFFC86400);
    Fill(top, 0x800064C8); // half alpha
    Fill(hidden, 0xFF00FF00);
    bottom.Show(false);
    top.Show(false);
    window->FlushDirty();

    const uint32_t blended = 0xFF646465; // 0x800064C8 over 0xFFC86400
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
        {
            const bool inTop = x >= 10 && x < 30 && y >= 5 && y < 25;
            ASSERT_EQ(Pixel(root, x, y), inTop ? blended : 0xFFC86400u) << x << "," << y;
        }

    // Only the given rectangle is composed again.
    Fill(bottom, 0xFF000080);
    CHfcRect part;
    part.Set(0, 0, 5, 5);
    window->Recompose(part, true);
    EXPECT_EQ(Pixel(root, 4, 4), 0xFF000080u);
    EXPECT_EQ(Pixel(root, 5, 4), 0xFFC86400u);

    // Hiding with now = false changes nothing until the dirty rectangle is flushed.
    Fill(bottom, 0xFFC86400);
    top.Hide(false);
    EXPECT_EQ(Pixel(root, 15, 10), blended);
    EXPECT_EQ(window->GetDirtyRect().left, 10);
    EXPECT_EQ(window->GetDirtyRect().bottom, 25);
    window->FlushDirty();
    EXPECT_EQ(Pixel(root, 15, 10), 0xFFC86400u);
    EXPECT_EQ(window->GetDirtyRect().GetWidth(), 0);

    // A move recomposes the old and the new place.
    top.Show(true);
    top.Move(0, 0, true);
    EXPECT_EQ(Pixel(root, 25, 22), 0xFFC86400u);
    EXPECT_EQ(Pixel(root, 5, 5), blended);

    // Painting copies the composed pixels (without alpha) onto a device context.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -30;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HGDIOBJ previous = SelectObject(memory, target);
    {
        CHfcDrawContext context(memory);
        CHfcRect all;
        all.Set(0, 0, 40, 30);
        window->Paint(&context, all);
    }
    GdiFlush();
    const auto* painted = static_cast<const uint32_t*>(bits);
    EXPECT_EQ(painted[5 * 40 + 5] & 0xFFFFFF, blended & 0xFFFFFF);
    EXPECT_EQ(painted[29 * 40 + 39] & 0xFFFFFF, 0xC86400u);
    SelectObject(memory, previous);
    DeleteObject(target);
    DeleteDC(memory);
}

TEST(HfcWindowComposition, TheRootLayerFollowsTheClientSizeButNotAMinimise)
{
    auto window = MakeWindow(160, 120);
    CHfcWindowLayer* root = window->GetRootLayer();
    SendMessageA(window->GetHwnd(), WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(root->GetOffscreenWidth(), 160);
    EXPECT_EQ(root->GetOffscreenHeight(), 120);
    ASSERT_TRUE(window->SetClientSize(240, 180));
    EXPECT_EQ(root->GetOffscreenWidth(), 240);
    EXPECT_EQ(root->GetOffscreenHeight(), 180);
    EXPECT_EQ(root->GetRect().right, 240);
}

// A window that drops its root layer.
class BareWindow : public CHfcWindow
{
public:
    void DropRootLayer() { DestroyRootLayer(); }
};

TEST(HfcWindowComposition, AWindowWithoutARootLayerStillPaintsAndResizes)
{
    BareWindow window;
    ASSERT_TRUE(window.Create(40, 40, 30, 20, "Bare", CHfcWindow::kStyleCaption, nullptr, nullptr));
    window.Show();
    window.DropRootLayer();
    ASSERT_EQ(window.GetRootLayer(), nullptr);
    InvalidateRect(window.GetHwnd(), nullptr, FALSE);
    UpdateWindow(window.GetHwnd());
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(window.GetHwnd(), &pending, FALSE)); // the paint was begun and ended
    SendMessageA(window.GetHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 50));
    CHfcRect rect;
    rect.Set(0, 0, 10, 10);
    window.Recompose(rect, true);
    EXPECT_EQ(window.GetRootLayer(), nullptr);
}

class ClosingWindow : public CHfcWindow
{
public:
    bool allowClose = false;
    bool CanClose() override { return allowClose; }
    void OnSizing(int32_t& width, int32_t& height) override
    {
        width -= width % 10;
        height = 50;
    }
};

TEST(HfcWindow, CloseAsksCanCloseAndSizingKeepsTheAdjustedClientSize)
{
    ClosingWindow window;
    ASSERT_TRUE(window.Create(40, 40, 200, 100, "Closing",
                              CHfcWindow::kStyleCaption | CHfcWindow::kStyleSizingBorder, nullptr, nullptr));
    EXPECT_EQ(SendMessageA(window.GetHwnd(), WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window.GetHwnd()));

    CHfcRect outer;
    ASSERT_TRUE(window.GetWindowRect(outer));
    const int32_t borderX = outer.GetWidth() - 200, borderY = outer.GetHeight() - 100;
    struct Case
    {
        WPARAM edge;
        RECT proposed;
        RECT expected;
    };
    const Case cases[] = {
        {WMSZ_LEFT, {0, 0, 237 + borderX, 60 + borderY}, {7, 0, 237 + borderX, 60 + borderY}},
        {WMSZ_BOTTOMRIGHT,
         {5, 5, 5 + 224 + borderX, 5 + 99 + borderY},
         {5, 5, 5 + 220 + borderX, 5 + 50 + borderY}},
        {WMSZ_TOP, {0, 0, 200 + borderX, 80 + borderY}, {0, 30, 200 + borderX, 80 + borderY}},
    };
    for (const Case& c : cases)
    {
        RECT r = c.proposed;
        EXPECT_EQ(SendMessageA(window.GetHwnd(), WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&r)), 1);
        EXPECT_TRUE(EqualRect(&r, &c.expected))
            << "edge " << c.edge << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }

    window.allowClose = true;
    SendMessageA(window.GetHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.GetHwnd(), nullptr);
}

// A child window of the framework, and a parent that records the enumerated children.
class ChildWindow : public CHfcWindow
{
public:
    DWORD GetWindowStyle() override { return WS_CHILD | WS_VISIBLE; }
};

class EnumeratingWindow : public CHfcWindow
{
public:
    std::vector<CHfcWindow*> seen;
    bool OnChildEnumerated(CHfcWindow* child) override
    {
        seen.push_back(child);
        return true;
    }
};

TEST(HfcWindow, FindsChildrenByTitleAndEnumeratesOnlyWindowObjects)
{
    EnumeratingWindow parent;
    ASSERT_TRUE(parent.Create(40, 40, 100, 80, "Parent", CHfcWindow::kStyleCaption, nullptr, nullptr));
    ChildWindow child;
    ASSERT_TRUE(child.Create(1, 1, 10, 10, "Child", 0, nullptr, &parent));
    HWND edit = CreateWindowExA(0, "EDIT", "Plain", WS_CHILD, 0, 0, 10, 10, parent.GetHwnd(),
                                reinterpret_cast<HMENU>(77), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(parent.FindChildByTitle("Plain"), 77);
    EXPECT_EQ(parent.FindChildByTitle("Plai"), 0);
    parent.ForEachChild();
    EXPECT_EQ(parent.seen, std::vector<CHfcWindow*>{&child});
    EXPECT_EQ(CHfcWindow::FromHwnd(edit), nullptr);
    DestroyWindow(edit);
}

TEST(HfcWindow, DeletingTheObjectFirstDestroysItsWindow)
{
    auto window = MakeWindow(160, 120);
    const HWND hwnd = window->GetHwnd();
    window.reset();
    EXPECT_FALSE(IsWindow(hwnd));
}
} // namespace
