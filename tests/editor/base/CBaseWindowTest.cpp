// The base window: placement in the frame, the creation state, the ticks that stop with the
// close, and the commands forwarded to the main layer.
#include "EditorWindowFixture.h"

#include "editor/base/CBaseLayer.h"
#include "editor/base/CBaseWindow.h"

namespace
{
// A main layer that counts what reaches it.
class CountingLayer : public CBaseLayer
{
public:
    void RefreshValues() override { ++refreshes; }
    void RestoreProgram() override { ++restores; }
    void TransmitCurrent() override { ++transmits; }
    int refreshes = 0;
    int restores = 0;
    int transmits = 0;
};

class CountingWindow : public CBaseWindow
{
public:
    explicit CountingWindow(uint32_t kind) : CBaseWindow(kind, nullptr) {}
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto layer = std::make_unique<CountingLayer>();
        CHfcRect client;
        GetClientRect(client);
        if (!layer->Create(0, 0, client.GetWidth(), client.GetHeight(), this))
            return false;
        AddLayer(layer.get(), false);
        layer->Show(false);
        this->layer = layer.get();
        SetMainLayer(std::move(layer));
        return true;
    }
    CountingLayer* layer = nullptr;
};
} // namespace

TEST(PlaceChildInClient, MovesAChildThatSticksOutToEightPixelsFromTheEdgeAndNeverBelowZero)
{
    struct Case
    {
        int32_t x, y, width, height, clientWidth, clientHeight, wantX, wantY;
    };
    const Case cases[] = {
        {500, 10, 600, 100, 800, 600, 192, 10},   // too wide at x = 500
        {10, 500, 100, 178, 800, 600, 10, 414},   // too high at y = 500
        {500, 500, 600, 178, 800, 600, 192, 414}, // both
        {100, 100, 600, 178, 800, 600, 100, 100}, // fits: stays
        {-1, -1, 600, 178, 800, 600, 0, 0},       // the unset position
        {0, 0, 900, 700, 800, 600, 0, 0},         // larger than the client: not negative
    };
    for (const Case& c : cases)
    {
        int32_t x = c.x, y = c.y;
        PlaceChildInClient(x, y, c.width, c.height, c.clientWidth, c.clientHeight);
        EXPECT_EQ(x, c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(y, c.wantY) << c.x << "," << c.y;
    }
}

TEST_F(EditorWindowTest, AChildCreatedPastTheClientEdgeIsPlacedInside)
{
    // A frame whose MDI client is 800 x 600.
    RECT frameRect = {}, clientRect = {};
    ::GetWindowRect(frame->GetHwnd(), &frameRect);
    ::GetClientRect(frame->GetClientHwnd(), &clientRect);
    ::MoveWindow(frame->GetHwnd(), frameRect.left, frameRect.top,
                 frameRect.right - frameRect.left + 800 - clientRect.right,
                 frameRect.bottom - frameRect.top + 600 - clientRect.bottom, TRUE);
    ASSERT_EQ(ClientSize().cx, 800);
    ASSERT_EQ(ClientSize().cy, 600);
    CountingWindow window(CBaseWindow::kKindProgramEdit);
    ASSERT_TRUE(window.Create(500, 500, 600, 178, 9, nullptr, frame.get(), "Edit"));
    int32_t x = 0, y = 0;
    window.GetPosition(x, y);
    EXPECT_EQ(x, 192);
    EXPECT_EQ(y, 414);
    RECT r = {};
    ::GetWindowRect(window.GetHwnd(), &r);
    POINT corner = {r.left, r.top};
    ::ScreenToClient(frame->GetClientHwnd(), &corner);
    EXPECT_EQ(corner.x, 192);
    EXPECT_EQ(corner.y, 414);
    EXPECT_EQ(window.GetCreationState(), CBaseWindow::CreationState::kCreated);
    window.Destroy();
}

TEST_F(EditorWindowTest, ADestroyAfterAFailedCreationReturnsAtOnce)
{
    CountingWindow window(CBaseWindow::kKindProgramEdit);
    EXPECT_FALSE(window.Destroy()) << "never created";
    EXPECT_FALSE(window.Create(0, 0, 100, 100, 9, nullptr, nullptr, "No frame"));
    EXPECT_EQ(window.GetCreationState(), CBaseWindow::CreationState::kFailed);
    EXPECT_FALSE(window.Destroy());
}

TEST_F(EditorWindowTest, TicksReachTheMainLayerOnlyWhileTheWindowIsAliveAndShown)
{
    CountingWindow window(CBaseWindow::kKindProgramEdit);
    ASSERT_TRUE(window.Create(10, 10, 300, 200, 9, nullptr, frame.get(), "Edit"));
    StartTicks();
    PumpUntil([&] { return window.layer->refreshes > 0; }, 300);
    EXPECT_EQ(window.layer->refreshes, 0) << "not shown yet";
    ASSERT_TRUE(window.Show());
    ASSERT_TRUE(PumpUntil([&] { return window.layer->refreshes >= 2; }));
    EXPECT_TRUE(window.CanClose());
    const int before = window.layer->refreshes;
    PumpUntil([&] { return window.layer->refreshes > before; }, 300);
    EXPECT_EQ(window.layer->refreshes, before) << "ticks after CanClose";
    StopTicks();
    window.Destroy();
}

TEST_F(EditorWindowTest, CommandsReachTheMainLayerAndRevertOnlyForLibraryKinds)
{
    CountingWindow edit(CBaseWindow::kKindProgramEdit);
    ASSERT_TRUE(edit.Create(10, 10, 300, 200, 9, nullptr, frame.get(), "Edit"));
    edit.OnEditorCommand(EditorCommand::Revert);
    edit.OnEditorCommand(EditorCommand::TransmitToCurrent);
    EXPECT_EQ(edit.layer->restores, 0);
    EXPECT_EQ(edit.layer->transmits, 1);
    EXPECT_EQ(edit.GetMode(), 2);

    CountingWindow list(2);
    ASSERT_TRUE(list.Create(20, 20, 300, 200, 9, nullptr, frame.get(), "List"));
    list.OnEditorCommand(EditorCommand::Revert);
    EXPECT_EQ(list.layer->restores, 1);
    list.Destroy();
    edit.Destroy();
}
