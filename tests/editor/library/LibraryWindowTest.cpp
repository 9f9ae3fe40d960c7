// The library window in a real frame against the simulated instrument: a double click on a
// program's row opens that program's edit window, one per program, kept by the library window;
// the GLOBAL tab shows the global page over the document's global data, and the window's
// receive, transmit and revert commands act on that data while it is shown.
#include "../base/EditorWindowFixture.h"

#include "app/AppResources.h"
#include "app/AppText.h"
#include "app/CCustomMenu.h"
#include "app/CDialogFlag.h"

#include "editor/CEditor.h"
#include "editor/controls/CCustomList.h"
#include "editor/controls/CCustomPageButton.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/layout/PageSelectLayout.h"
#include "editor/library/CGlobalEditCcMapPageLayer.h"
#include "editor/library/CGlobalEditGlobalPageLayer.h"
#include "editor/library/CGlobalEditLayer.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CPageSelectLayer.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/pages/CProgramEditWindow.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcDeferredDelete.h"
#include "framework/CHfcOffscreenContext.h"
#include "resources/AppDialogIds.h"
#include "resources/AppMenuIds.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CQ3580GlobalAccessor.h"

#include "support/MainMenuBar.h"
#include "support/Screenshot.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TraceRecorder.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
// The visible MDI children of the frame titled so.
int CountChildren(HWND client, const std::wstring& title)
{
    int count = 0;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && WindowText(child) == title)
            ++count;
    return count;
}

class LibraryWindowTest : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        library = std::make_unique<CLibraryWindow>();
        ASSERT_TRUE(library->CreateLibrary(frame.get()));
        library->Show();
    }
    void TearDown() override
    {
        if (library && library->GetHwnd())
            library->Destroy();
        library.reset();
        EditorWindowTest::TearDown();
    }
    // A double click in the middle of program n's row, as the window receives it.
    void DoubleClickRow(uint32_t n)
    {
        CProgramListLayer* list = library->GetProgramList();
        const CHfcRect r = CProgramListGeometry::GetRowRect(list->GetModel().GetListMode(), n);
        const int x = (r.left + r.right) / 2, y = CLibraryWindow::kStripHeight + r.top + 4;
        SendMessageW(library->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // A press on page tab 0 (PROGRAM) or 1 (GLOBAL) of the strip.
    void PressPageTab(int32_t page)
    {
        const int x = NvPageSelectLayout::kTabsX + page * CPageSelectLayer::kTabWidth + 20;
        const int y = NvPageSelectLayout::kTabsY + 10;
        SendMessageW(library->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    bool IsInWindow(const CHfcWindowLayer* layer) const
    {
        for (size_t i = 0; i < library->GetLayerCount(); ++i)
            if (library->GetLayer(i) == layer)
                return true;
        return false;
    }
    // Shown and in the window's layers.
    bool IsOnScreen(const CHfcWindowLayer* layer) const
    {
        return layer && layer->IsVisible() && IsInWindow(layer);
    }
    CGlobal* DocumentGlobal() const
    {
        return library->GetLibrary().FindEntryByKind(CLibraryEntry::kKindGlobal)->GetGlobal();
    }
    void RenameProgram(uint32_t n, const char* name)
    {
        CProgram& program = library->GetLibrary().GetProgramSet()->GetProgram(n);
        program.SetProgramName(name);
    }

    std::unique_ptr<CLibraryWindow> library;
};

using Bytes = std::vector<uint8_t>;

Bytes ImageOf(const CGlobal* global)
{
    return Bytes(global->GetImage(), global->GetImage() + global->GetImageSize());
}

// The menu commands as the frame hands them on, the boxes answered from a script.
class LibraryWindowGlobalCommandsTest : public LibraryWindowTest
{
protected:
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        LibraryWindowTest::SetUp();
    }
    void TearDown() override
    {
        LibraryWindowTest::TearDown();
        SetResourceLanguage(0);
    }
    void Command(EditorCommand command)
    {
        presenter.boxes.clear();
        library->GetLink().OnEditorCommand(command);
        Deliver();
    }
    std::vector<std::wstring> BoxTitles() const
    {
        std::vector<std::wstring> titles;
        for (const auto& box : presenter.boxes)
            titles.push_back(box.title);
        return titles;
    }
    // What the grid shows for Master Tune, and what the document's global data says it is.
    std::string ShownTune() const
    {
        auto* grid = dynamic_cast<CGlobalEditGlobalPageLayer*>(library->GetGlobalSubPage());
        return grid ? grid->GetFieldText(1) : "(no grid)";
    }
    std::string StoredTune() const
    {
        char text[256] = {};
        CZmGlobalAccessorSingleton::Get()->GetCurrentValueText(DocumentGlobal(), {0, 0, 0}, text,
                                                               sizeof text);
        return text;
    }

    ScriptedDialogPresenter presenter;
};

// The global page's sub-pages through their tabs and the CC map list through the mouse, the
// window's menu bar a real one.
class LibraryWindowSubPagesTest : public LibraryWindowGlobalCommandsTest
{
protected:
    void SetUp() override
    {
        LibraryWindowGlobalCommandsTest::SetUp();
        bar = LoadMainMenuBar();
        ASSERT_NE(bar, nullptr);
        menu = std::make_unique<CCustomMenu>(bar, nullptr, nullptr);
        EditorServices().customMenu = menu.get();
        PressPageTab(1);
        ASSERT_EQ(library->GetPage(), 1);
    }
    void TearDown() override
    {
        EditorServices().customMenu = nullptr;
        menu.reset();
        if (bar)
            DestroyMenu(bar);
        LibraryWindowGlobalCommandsTest::TearDown();
    }
    void Post(UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        PostMessageW(library->GetHwnd(), message, keys, MAKELPARAM(x, y));
    }
    // A click on sub-page tab 0 (GLOBAL) or 1 (CC# MAP) of the global page, delivered.
    void ClickSubPageTab(int32_t page)
    {
        const int32_t x = NvGlobalEditLayout::kPageTabs.x + page * (75 + 5) + 30;
        const int32_t y = CLibraryWindow::kStripHeight + NvGlobalEditLayout::kPageTabs.y + 8;
        Post(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Post(WM_LBUTTONUP, 0, x, y);
        Deliver();
    }
    CGlobalEditCcMapPageLayer* Map() const
    {
        return dynamic_cast<CGlobalEditCcMapPageLayer*>(library->GetGlobalSubPage());
    }
    // The window point in the middle of the CC map list's item n (items run down 3 columns of 32).
    POINT ItemPoint(int32_t n) const
    {
        const CHfcRect list = Map()->GetList()->GetRect();
        const CHfcRect page = Map()->GetRect();
        const float cellWidth = list.GetWidth() / 3.0f, cellHeight = list.GetHeight() / 32.0f;
        return {page.left + list.left + static_cast<LONG>(cellWidth * (n / 32) + cellWidth / 2),
                page.top + list.top + static_cast<LONG>(cellHeight * (n % 32) + cellHeight / 2)};
    }
    void ClickItem(int32_t n)
    {
        const POINT p = ItemPoint(n);
        Post(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        Post(WM_LBUTTONUP, 0, p.x, p.y);
        Deliver();
    }
    std::vector<int32_t> Selected() const
    {
        std::vector<int32_t> selected;
        for (int32_t i = 0; i < Map()->GetList()->GetItemCount(); ++i)
            if (Map()->GetList()->IsItemSelected(i))
                selected.push_back(i);
        return selected;
    }

    HMENU bar = nullptr;
    std::unique_ptr<CCustomMenu> menu;
};
} // namespace

TEST_F(LibraryWindowTest, DoubleClickOnARowOpensThatProgramsEditWindowOnce)
{
    RenameProgram(3, "LEADONE");
    RenameProgram(9, "PADTWO");
    library->GetProgramList()->DrawAll();
    const HWND client = frame->GetClientHwnd();
    const struct
    {
        uint32_t n;
        const wchar_t* title;
    } cases[] = {
        {3, L"Untitled [A14:LEADONE]"},
        {9, L"Untitled [A22:PADTWO]"},
    };
    for (const auto& c : cases)
    {
        DoubleClickRow(c.n);
        CProgramEditWindow* window = library->GetEditWindow(c.n);
        ASSERT_NE(window, nullptr) << c.n;
        EXPECT_EQ(window->GetProgramIndex(), static_cast<int32_t>(c.n));
        EXPECT_EQ(WindowText(window->GetHwnd()), c.title);
        EXPECT_TRUE(IsWindowVisible(window->GetHwnd()));
        EXPECT_EQ(library->GetProgramList()->GetModel().GetSelection(), std::vector<uint32_t>{c.n});
        // Again on the same row: the open window comes forward, no second one.
        DoubleClickRow(c.n);
        EXPECT_EQ(library->GetEditWindow(c.n), window);
        EXPECT_EQ(CountChildren(client, c.title), 1) << c.n;
    }
}

TEST_F(LibraryWindowTest, AClosedEditWindowOpensAgainAndTheLibraryTakesItsOpenWindowsWithIt)
{
    DoubleClickRow(5);
    CProgramEditWindow* first = library->GetEditWindow(5);
    ASSERT_NE(first, nullptr);
    first->Destroy();
    EXPECT_EQ(library->GetEditWindow(5), nullptr);
    // The destroyed window's object waits for the loop; the new one is a window of its own.
    DoubleClickRow(5);
    CProgramEditWindow* second = library->GetEditWindow(5);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(IsWindow(second->GetHwnd()));

    DoubleClickRow(6);
    ASSERT_NE(library->GetEditWindow(6), nullptr);
    const HWND open[] = {second->GetHwnd(), library->GetEditWindow(6)->GetHwnd()};
    library->Destroy();
    for (HWND window : open)
        EXPECT_FALSE(IsWindow(window));
    library.reset();
}

TEST_F(LibraryWindowTest, AClosedLibraryGoesWithItsEditWindowsOnceTheLoopHasItBackNotAtTheNextOpen)
{
    CEditor editor;
    CLibraryWindowInterface* link = editor.CreateLibraryWindow(frame.get(), L"");
    ASSERT_NE(link, nullptr);
    CLibraryWindow* closing = CLibraryWindow::FromLink(link);
    ASSERT_NE(closing, nullptr);
    ASSERT_NE(closing->OpenEditWindow(3), nullptr);
    ASSERT_NE(closing->OpenEditWindow(4), nullptr);
    closing->CloseEditWindow(4);
    closing->Destroy();
    // Destroyed from a handler, the objects outlive it: the loop deletes them between messages.
    EXPECT_EQ(CLibraryWindow::FromLink(link), closing);
    EXPECT_EQ(CHfcDeferredDelete::GetCount(), 3u);
    CHfcDeferredDelete::DeleteAll();
    EXPECT_EQ(CLibraryWindow::FromLink(link), nullptr);
    EXPECT_EQ(CHfcDeferredDelete::GetCount(), 0u);
    // The library the fixture opened is untouched.
    ASSERT_NE(library->OpenEditWindow(3), nullptr);
}

TEST_F(LibraryWindowTest, TheGlobalTabShowsTheGlobalPageOverTheDocumentsGlobalData)
{
    ASSERT_EQ(library->GetPage(), 0);
    EXPECT_FALSE(IsOnScreen(library->GetGlobalLayer()));
    EXPECT_FALSE(IsOnScreen(library->GetGlobalSubPage()));

    PressPageTab(1);
    ASSERT_EQ(library->GetPage(), 1);
    CGlobalEditLayer* edit = library->GetGlobalLayer();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(IsOnScreen(edit));
    EXPECT_EQ(edit->GetRect().left, 0);
    EXPECT_EQ(edit->GetRect().top, CLibraryWindow::kStripHeight);
    CGlobalBaseLayer* sub = library->GetGlobalSubPage();
    ASSERT_NE(dynamic_cast<CGlobalEditGlobalPageLayer*>(sub), nullptr);
    EXPECT_TRUE(IsOnScreen(sub));
    EXPECT_EQ(sub->GetRect().left, 28);
    EXPECT_EQ(sub->GetRect().top, 176);
    EXPECT_EQ(sub->GetGlobal(), DocumentGlobal());
    EXPECT_FALSE(library->GetProgramList()->IsVisible());

    // The CC map tab asks through notification 25; the window swaps the sub-page.
    edit->OnValueChanged(edit->GetPageTabs(), CGlobalEditLayer::kSubPageCcMap);
    Deliver();
    sub = library->GetGlobalSubPage();
    ASSERT_NE(dynamic_cast<CGlobalEditCcMapPageLayer*>(sub), nullptr);
    EXPECT_TRUE(IsOnScreen(sub));

    // A new document: the page is remade over its global data, not the old one's.
    library->NewData();
    ASSERT_NE(library->GetGlobalSubPage(), nullptr);
    EXPECT_TRUE(IsOnScreen(library->GetGlobalLayer()));
    EXPECT_TRUE(IsOnScreen(library->GetGlobalSubPage()));
    EXPECT_EQ(library->GetGlobalSubPage()->GetGlobal(), DocumentGlobal());

    PressPageTab(0);
    EXPECT_EQ(library->GetPage(), 0);
    EXPECT_FALSE(IsOnScreen(library->GetGlobalLayer()));
    EXPECT_FALSE(IsOnScreen(library->GetGlobalSubPage()));
    EXPECT_TRUE(library->GetProgramList()->IsVisible());
}

TEST_F(LibraryWindowGlobalCommandsTest, ReceiveTransmitAndRevertActOnTheGlobalDataWhileTheGlobalPageIsShown)
{
    const Bytes pattern = CSimInstrument::PatternGlobal();
    const Bytes fresh = ImageOf(DocumentGlobal());
    ASSERT_NE(fresh, pattern);
    PressPageTab(1);
    ASSERT_EQ(library->GetPage(), 1);

    // Receive All: the instrument's global data, the grid reading it, the window modified.
    Command(EditorCommand::ReceiveAll);
    EXPECT_EQ(BoxTitles(), std::vector<std::wstring>{L"Receive Global Data"});
    ASSERT_EQ(ImageOf(DocumentGlobal()), pattern);
    EXPECT_EQ(ShownTune(), StoredTune());
    EXPECT_EQ(WindowText(library->GetHwnd()), L"Untitled * - Global");

    // Transmit All: the edited image reaches the instrument.
    CZmGlobalAccessorSingleton::Get()->SetValue(DocumentGlobal(), 0, 0, -37);
    const Bytes edited = ImageOf(DocumentGlobal());
    ASSERT_NE(edited, pattern);
    Command(EditorCommand::TransmitAll);
    EXPECT_EQ(BoxTitles(), std::vector<std::wstring>{L"Write Global Data"});
    EXPECT_EQ(instrument->GetGlobal(), edited);

    // Revert: back to the received image, and the grid follows.
    ::PostNotification(&windows, kNotifyGlobalChanged, library->GetDocumentId(), -1, -1, 0, nullptr);
    Deliver();
    ASSERT_EQ(ShownTune(), StoredTune());
    const std::string editedTune = ShownTune();
    Command(EditorCommand::Revert);
    EXPECT_EQ(BoxTitles(), std::vector<std::wstring>{L"Revert to Saved Global Data"});
    EXPECT_EQ(ImageOf(DocumentGlobal()), pattern);
    EXPECT_EQ(ShownTune(), StoredTune());
    EXPECT_NE(ShownTune(), editedTune);

    // Cancelled, neither the receive nor the revert changes the data.
    CZmGlobalAccessorSingleton::Get()->SetValue(DocumentGlobal(), 0, 0, 12);
    const Bytes kept = ImageOf(DocumentGlobal());
    presenter.answers = {IDCANCEL};
    Command(EditorCommand::Revert);
    presenter.answers = {IDCANCEL};
    Command(EditorCommand::ReceiveAll);
    EXPECT_EQ(ImageOf(DocumentGlobal()), kept);
}

// Receive All Data replaces the global data as the page's own receive does: Revert on the global
// page afterwards goes back to the received data, not to the data from before the receive.
TEST_F(LibraryWindowGlobalCommandsTest, AfterReceiveAllDataRevertGoesBackToTheReceivedGlobalData)
{
    const Bytes pattern = CSimInstrument::PatternGlobal();
    ASSERT_NE(ImageOf(DocumentGlobal()), pattern);
    Command(EditorCommand::ReceiveAllData);
    ASSERT_EQ(ImageOf(DocumentGlobal()), pattern);
    PressPageTab(1);
    ASSERT_EQ(library->GetPage(), 1);
    CZmGlobalAccessorSingleton::Get()->SetValue(DocumentGlobal(), 0, 0, -37);
    ASSERT_NE(ImageOf(DocumentGlobal()), pattern);
    Command(EditorCommand::Revert);
    EXPECT_EQ(BoxTitles(), std::vector<std::wstring>{L"Revert to Saved Global Data"});
    EXPECT_EQ(ImageOf(DocumentGlobal()), pattern);
    EXPECT_EQ(ShownTune(), StoredTune());
}

// What the global page redraws on a notification reaches the screen at the next tick, as on
// the program page.
TEST_F(LibraryWindowGlobalCommandsTest, TheTickPutsTheGlobalPagesRedrawsOnTheScreen)
{
    PressPageTab(1);
    ASSERT_EQ(library->GetPage(), 1);
    library->FlushDirty();
    CZmGlobalAccessorSingleton::Get()->SetValue(DocumentGlobal(), 0, 0, -21);
    ::PostNotification(&windows, kNotifyGlobalChanged, library->GetDocumentId(), -1, -1, 0, nullptr);
    Deliver();
    ASSERT_EQ(ShownTune(), StoredTune());
    ASSERT_GT(library->GetDirtyRect().GetWidth(), 0) << "the grid's new value was not drawn";
    library->OnMMTimer(&timer);
    EXPECT_EQ(library->GetDirtyRect().GetWidth(), 0) << "the redraw stays off the screen";
}

TEST_F(LibraryWindowGlobalCommandsTest, OnTheProgramPageRevertLeavesTheGlobalDataAlone)
{
    // Received, then changed: a revert of the global data would take the change back.
    PressPageTab(1);
    Command(EditorCommand::ReceiveAll);
    ASSERT_EQ(ImageOf(DocumentGlobal()), CSimInstrument::PatternGlobal());
    CZmGlobalAccessorSingleton::Get()->SetValue(DocumentGlobal(), 0, 1, 5);
    const Bytes changed = ImageOf(DocumentGlobal());
    PressPageTab(0);
    ASSERT_EQ(library->GetPage(), 0);
    Command(EditorCommand::Revert);
    for (const std::wstring& title : BoxTitles())
        EXPECT_EQ(title.find(L"Global"), std::wstring::npos) << WideToAnsi(title.c_str());
    EXPECT_EQ(ImageOf(DocumentGlobal()), changed);
}

// A tab changes the sub-page, with the global page's menu and title; not while a box or dialog
// is open (the tabs stay too), and not again for the sub-page already shown, which keeps its state. A number beside
// the two is traced: above them it changes nothing, below them it leaves no sub-page.
TEST_F(LibraryWindowSubPagesTest, TheSubPageChangesForAnotherKnownPageAndNeverUnderABox)
{
    ASSERT_EQ(library->GetGlobalSubPageNumber(), 0);
    {
        CDialogFlag open;
        ClickSubPageTab(1);
        EXPECT_EQ(library->GetGlobalSubPageNumber(), 0);
        EXPECT_EQ(Map(), nullptr);
        EXPECT_EQ(library->GetGlobalLayer()->GetPageTabs()->GetValue(), 0);
    }
    menu->UpdateMidiMenu(1);
    ClickSubPageTab(1);
    ASSERT_NE(Map(), nullptr);
    EXPECT_EQ(library->GetGlobalSubPageNumber(), 1);
    EXPECT_EQ(ItemText(bar, ID_MIDI_RECEIVE_ALL), GetLocalizedString("MenuItemReceiveGlobal"));
    EXPECT_EQ(WindowText(library->GetHwnd()), L"Untitled - Global");
    // The shown tab is filled light grey, the other one not.
    {
        CHfcBmpLock surface(library->GetGlobalLayer()->GetOffscreen()->GetBitmap());
        ASSERT_TRUE(surface.IsLocked());
        const auto fill = [&surface](int32_t tab)
        {
            const uint8_t* p = surface.View().Pixel(NvGlobalEditLayout::kPageTabs.x + tab * 80 + 3,
                                                    NvGlobalEditLayout::kPageTabs.y + 3);
            return static_cast<uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);
        };
        EXPECT_EQ(fill(1), 0xCCCCCCu);
        EXPECT_NE(fill(0), 0xCCCCCCu);
    }

    ClickItem(4);
    ASSERT_EQ(Selected(), std::vector<int32_t>{4});
    CGlobalBaseLayer* shown = library->GetGlobalSubPage();
    ClickSubPageTab(1);
    EXPECT_EQ(library->GetGlobalSubPage(), shown);
    EXPECT_EQ(Selected(), std::vector<int32_t>{4}) << "the shown sub-page was made again";

    TraceRecorder trace;
    ::PostNotification(&windows, kNotifyShowGlobalSubPage, library->GetDocumentId(), 2, 0, 0, nullptr);
    Deliver();
    EXPECT_EQ(library->GetGlobalSubPage(), shown);
    ::PostNotification(&windows, kNotifyShowGlobalSubPage, library->GetDocumentId(), -1, 0, 0, nullptr);
    Deliver();
    EXPECT_EQ(library->GetGlobalSubPage(), nullptr);
    EXPECT_EQ(library->GetGlobalSubPageNumber(), -1);
    EXPECT_EQ(WindowText(library->GetHwnd()), L"Untitled - Global");
    int traced = 0;
    for (const std::string& line : TraceRecorder::Lines())
        traced += line.find("Internal Error : Bad Global Page Number...") != std::string::npos;
    EXPECT_EQ(traced, 2);
    ClickSubPageTab(0);
    EXPECT_NE(dynamic_cast<CGlobalEditGlobalPageLayer*>(library->GetGlobalSubPage()), nullptr);
}

// A click selects the item under it alone; a double click opens the value dialog of its entry.
TEST_F(LibraryWindowSubPagesTest, TheCcMapListSelectsTheClickedItemAndADoubleClickOpensItsEntry)
{
    ClickSubPageTab(1);
    ASSERT_NE(Map(), nullptr);
    EXPECT_TRUE(Selected().empty());
    ClickItem(2);
    EXPECT_EQ(Selected(), std::vector<int32_t>{2});
    ClickItem(40); // the second column
    EXPECT_EQ(Selected(), std::vector<int32_t>{40});
    ClickItem(64);
    EXPECT_EQ(Selected(), std::vector<int32_t>{64});

    std::vector<std::wstring> labels;
    presenter.onReady = [&labels](HWND dialog)
    {
        labels.push_back(WindowText(dialog));
        PressButton(dialog, IDC_DIALOG_CANCEL);
    };
    const POINT p = ItemPoint(33);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
    Post(WM_LBUTTONUP, 0, p.x, p.y);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, p.x, p.y);
    Post(WM_LBUTTONUP, 0, p.x, p.y);
    Deliver();
    EXPECT_EQ(labels, std::vector<std::wstring>{L"CC# Map"});
    EXPECT_EQ(Selected(), std::vector<int32_t>{33});
    // All 65 items stand on the list's one page: the page tab stays on Page 0.
    EXPECT_EQ(Map()->GetList()->GetScrollLine(), 0);
    EXPECT_EQ(Map()->GetPageTab()->GetValue(), 0);
}

// The keys go to what the shown page shows: on the global page the hidden program list takes
// none, on the CC map page its list takes the arrows and Enter; also after the window was
// activated again.
TEST_F(LibraryWindowGlobalCommandsTest, KeysActOnTheShownPageAndSubPageOnly)
{
    CProgramSet* set = library->GetLibrary().GetProgramSet();
    for (uint32_t n = 0; n < 3; ++n)
        set->GetProgram(n).SetProgramName(("KEEP " + std::to_string(n)).c_str());
    const auto key = [&](WPARAM vk)
    {
        presenter.boxes.clear();
        PostMessageW(library->GetHwnd(), WM_KEYDOWN, vk, 1);
        PostMessageW(library->GetHwnd(), WM_KEYUP, vk, 0xC0000001);
        Deliver();
    };
    const auto names = [&]
    {
        std::vector<std::string> shown;
        for (uint32_t n = 0; n < 3; ++n)
            shown.push_back(set->GetProgram(n).GetProgramName());
        return shown;
    };
    const std::vector<std::string> kept = names();
    CProgramListLayer* list = library->GetProgramList();
    const uint32_t selected = list->GetModel().GetFirstSelectedOrZero();

    // Another window is active, then this one again, as a click on it makes it.
    auto other = std::make_unique<CLibraryWindow>();
    ASSERT_TRUE(other->CreateLibrary(frame.get()));
    other->Show();
    PressPageTab(1);
    ASSERT_EQ(library->GetPage(), 1);
    SendMessageW(frame->GetClientHwnd(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(other->GetHwnd()), 0);
    SendMessageW(frame->GetClientHwnd(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(library->GetHwnd()), 0);
    Deliver();
    for (WPARAM vk : {WPARAM{VK_DELETE}, WPARAM{VK_DOWN}, WPARAM{VK_RIGHT}, WPARAM{VK_RETURN}})
    {
        key(vk);
        EXPECT_TRUE(BoxTitles().empty()) << vk;
    }
    EXPECT_EQ(names(), kept);
    EXPECT_EQ(list->GetModel().GetFirstSelectedOrZero(), selected);
    for (uint32_t n = 0; n < 3; ++n)
        EXPECT_EQ(library->GetEditWindow(n), nullptr) << "Enter opened program " << n;
    EXPECT_TRUE(SaveWindowScreenshot(library->GetHwnd(), "global_page_after_keys",
                                     [] { PumpUntil([] { return false; }, 300); }));

    // The CC# MAP tab clicked: its list takes the arrows and Enter opens the value dialog.
    const int tabX = 27 + 80 + 37, tabY = CLibraryWindow::kStripHeight + 114 + 8;
    PostMessageW(library->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tabX, tabY));
    PostMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(tabX, tabY));
    ASSERT_TRUE(PumpUntil([&] { return dynamic_cast<CGlobalEditCcMapPageLayer*>(library->GetGlobalSubPage()); }));
    auto* map = static_cast<CGlobalEditCcMapPageLayer*>(library->GetGlobalSubPage());
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(map->GetList()->GetFirstSelectedItem(), 1);
    key(VK_UP);
    EXPECT_EQ(map->GetList()->GetFirstSelectedItem(), 0);
    presenter.readyDialogs.clear();
    presenter.onReady = [](HWND dialog) { PressButton(dialog, IDCANCEL); };
    key(VK_RETURN);
    EXPECT_EQ(presenter.readyDialogs.size(), 1u) << "Enter opened no value dialog";
    presenter.onReady = nullptr;
    EXPECT_EQ(names(), kept);
    other->Destroy();
}
