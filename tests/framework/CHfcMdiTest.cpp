#include "FrameworkTestSupport.h"
#include "framework/CHfcAppBase.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcMdiChildWindow.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMenuBar.h"
#include "framework/CHfcWindowLayer.h"
#include "framework/TestResourceIds.h"
#include "support/ShellDrop.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>

namespace
{
// The application's command handler: handles ID_TEST_SAVE, leaves everything else.
class CommandTarget : public CHfcAppBase
{
public:
    CallLog* log = nullptr;
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM) override
    {
        log->push_back("app " + std::to_string(LOWORD(wParam)));
        return LOWORD(wParam) == ID_TEST_SAVE ? 0 : 1;
    }
};

class RecordingFrame : public CHfcMdiFrameWindow
{
public:
    std::vector<std::wstring> dropped;
    void OnDroppedFiles(const std::vector<std::wstring>& paths) override { dropped = paths; }
};

class RecordingChild : public CHfcMdiChildWindow
{
public:
    RecordingChild(const char* name, CallLog* log) : m_name(name), m_log(log) {}
    LRESULT HandleCommand(UINT, WPARAM wParam, LPARAM) override
    {
        m_log->push_back(m_name + " " + std::to_string(LOWORD(wParam)));
        return 0;
    }
    void OnActivate() override { m_log->push_back(m_name + " activated"); }
    void OnDeactivate() override { m_log->push_back(m_name + " deactivated"); }

private:
    std::string m_name;
    CallLog* m_log;
};

std::vector<std::string> MenuItems(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
    {
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
    }
    return items;
}

bool Contains(const std::vector<std::string>& items, const std::string& wanted)
{
    for (const std::string& item : items)
        if (item.find(wanted) != std::string::npos)
            return true;
    return false;
}

class MdiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.log = &log;
        ASSERT_TRUE(frameMenu.LoadByName("FrameMenu"));
        ASSERT_TRUE(childMenu.LoadByName("ChildMenu"));
        EXPECT_FALSE(childMenu.LoadByName("ChildMenu")); // one menu per bar
        frame.SetCommandTarget(&app);
        ASSERT_TRUE(frame.Create("Test frame", 20, 20, 640, 480, 0, &frameMenu));
        ASSERT_NE(frame.GetClientHwnd(), nullptr);
        EXPECT_EQ(frame.GetRootLayer(), nullptr);
        EXPECT_EQ(GetMenu(frame.GetHwnd()), frameMenu.GetMenu());
    }
    void TearDown() override
    {
        first.Destroy();
        second.Destroy();
        frame.Destroy();
        DiscardMessages(); // the frame's WM_QUIT
    }

    CallLog log;
    CommandTarget app;
    CHfcMenuBar frameMenu, childMenu;
    RecordingFrame frame;
    RecordingChild first{"first", &log}, second{"second", &log};
};

TEST_F(MdiTest, ChildrenSwitchTheMenuBarAndTheWindowMenuListsThem)
{
    ASSERT_TRUE(first.Create(10, 10, 200, 100, CHfcWindow::kStyleCaption, &childMenu, &frame, "First"));
    ASSERT_TRUE(first.Show());
    ASSERT_TRUE(second.Create(40, 40, 200, 100, CHfcWindow::kStyleCaption, &childMenu, &frame, "Second"));
    ASSERT_TRUE(second.Show());
    EXPECT_EQ(first.GetCommandTarget(), &app);
    EXPECT_EQ(frame.GetActiveChild(), &second);
    EXPECT_EQ(GetMenu(frame.GetHwnd()), childMenu.GetMenu());

    CHfcRect client;
    ASSERT_TRUE(first.GetClientRect(client));
    EXPECT_EQ(client.GetWidth(), 200);
    EXPECT_EQ(client.GetHeight(), 100);
    EXPECT_EQ(first.GetRootLayer()->GetOffscreenWidth(), 200);

    const std::vector<std::string> items = MenuItems(GetSubMenu(childMenu.GetMenu(), 1));
    EXPECT_TRUE(Contains(items, "50000 &1 First")) << ::testing::PrintToString(items);
    EXPECT_TRUE(Contains(items, "50001 &2 Second")) << ::testing::PrintToString(items);

    log.clear();
    ASSERT_TRUE(frame.ActivateChild(&first));
    EXPECT_EQ(frame.GetActiveChild(), &first);
    EXPECT_EQ(log, (CallLog{"second deactivated", "first activated"}));

    // Closing the last child brings the frame's own menu bar back.
    first.Destroy();
    EXPECT_EQ(GetMenu(frame.GetHwnd()), childMenu.GetMenu());
    second.Destroy();
    EXPECT_EQ(GetMenu(frame.GetHwnd()), frameMenu.GetMenu());
    EXPECT_EQ(frame.GetActiveChild(), nullptr);
}

TEST_F(MdiTest, CommandsGoToTheApplicationThenToTheActiveChild)
{
    ASSERT_TRUE(first.Create(10, 10, 200, 100, CHfcWindow::kStyleCaption, &childMenu, &frame, "First"));
    first.Show();
    ASSERT_TRUE(second.Create(40, 40, 200, 100, CHfcWindow::kStyleCaption, &childMenu, &frame, "Second"));
    second.Show();

    const HWND hwnd = frame.GetHwnd();
    log.clear();
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ID_TEST_NEW, 0), 0);
    EXPECT_EQ(log, (CallLog{"app 61000", "second 61000"}));

    frame.ActivateChild(&first);
    log.clear();
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ID_TEST_NEW, 0), 0);
    EXPECT_EQ(log, (CallLog{"app 61000", "first 61000"}));

    // Handled by the application: no child sees it.
    log.clear();
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ID_TEST_SAVE, 0), 0);
    EXPECT_EQ(log, CallLog{"app 61001"});

    // A window-menu item stays with the MDI system: it activates the second child.
    log.clear();
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(50001, 0), 0);
    EXPECT_EQ(frame.GetActiveChild(), &second);
    EXPECT_EQ(log, (CallLog{"app 50001", "first deactivated", "second activated"}));

    // A command posted from the menu and dispatched by a message loop arrives the same way.
    log.clear();
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ID_TEST_TILE, 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    EXPECT_EQ(log, (CallLog{"app 61100", "second 61100"}));
}

TEST_F(MdiTest, AChildWithoutAPlacementGetsTheSystemDefault)
{
    ASSERT_TRUE(first.Create(0, 0, 0, 0, CHfcWindow::kStyleCaption, &childMenu, &frame, "Default"));
    first.Show();
    CHfcRect rect;
    ASSERT_TRUE(first.GetWindowRect(rect));
    EXPECT_GT(rect.GetWidth(), 0);
    EXPECT_GT(rect.GetHeight(), 0);
    EXPECT_FALSE(first.Create(0, 0, 0, 0, 0, &childMenu, &frame, "Again"));
}

TEST_F(MdiTest, FilesDroppedOnTheFrameArriveWithTheirUnicodePaths)
{
    const std::vector<std::wstring> paths = {
        L"C:\\\u97F3\u8272\\\u30E9\u30A4\u30D6\u30E9\u30EA.nvrn_all", // Japanese folder and file
        L"D:\\second file.nvrn_all", L"E:\\" + std::wstring(300, L'x') + L".nvrn_all", // longer than MAX_PATH
    };
    SendMessageW(frame.GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    EXPECT_EQ(frame.dropped, paths);
}

// Files that arrive through the frame's OLE drop target reach the same place; other payloads
// are refused.
TEST_F(MdiTest, FilesDraggedOntoTheFrameArriveAsDroppedFiles)
{
    const std::vector<std::wstring> paths = {L"C:\\\u97F3\u8272.nvrn_all", L"D:\\b.nvrn_prog"};
    CHfcDragData files;
    for (const std::wstring& path : paths)
        files.AddFileItem(path);
    POINT inside = {20, 20};
    ClientToScreen(frame.GetHwnd(), &inside);
    uint32_t effect = kHfcDropEffectNone;
    EXPECT_TRUE(frame.OnHfcScreenDragEnter(&files, 0, inside.x, inside.y, 0, &effect));
    EXPECT_EQ(effect, kHfcDropEffectCopy);
    EXPECT_TRUE(frame.OnHfcScreenDrop(&files, 0, inside.x, inside.y, 0, &effect));
    EXPECT_EQ(frame.dropped, paths);

    const uint8_t bytes[4] = {};
    CHfcDragData other;
    other.AddItem(RegisterClipboardFormatA("x7400DragProgram"), bytes, 4);
    frame.dropped.clear();
    effect = kHfcDropEffectNone;
    EXPECT_FALSE(frame.OnHfcScreenDrop(&other, 0, inside.x, inside.y, 0, &effect));
    EXPECT_EQ(effect, kHfcDropEffectNone);
    EXPECT_TRUE(frame.dropped.empty());
}
} // namespace
