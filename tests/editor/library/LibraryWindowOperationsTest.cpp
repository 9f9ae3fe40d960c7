// Two library windows side by side in one frame, against the simulated instrument: the program
// list's operations reached as a user reaches them (menu commands, keys, the program popup, the
// buttons and their popups), programs moved by real OLE drags between and within the lists and
// by the page strip's tabs, and the drops that must be refused. The drags run OLE's own modal
// loop; a drag step script moves the display's cursor and releases the button, and the keys a
// drop looks at are set as OLE reads them (the thread's keyboard state for Control, an injected
// key for Alt).
#include "../base/EditorWindowFixture.h"

#include "app/AppText.h"
#include "app/CBlockAccessor.h"
#include "editor/layout/PageSelectLayout.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CPageSelectLayer.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/CProgramListOperations.h"
#include "editor/library/model/CProgramDragItem.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/pages/CProgramEditWindow.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/pages/mfx/CMasterFxEditLayer.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "framework/CHfcClipboard.h"
#include "framework/CHfcDragData.h"
#include "framework/CHfcDropSource.h"
#include "resources/AppDialogIds.h"
#include "synthdata/CBlockData.h"
#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"

#include "support/HeldKeys.h"
#include "support/LayoutPlace.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/Screenshot.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using Geometry = CProgramListGeometry;
using Bytes = std::vector<uint8_t>;

// Answers the list's popups from a script and records what they offered.
class ScriptedListPopups : public CEditorPopupPresenter
{
public:
    int32_t ChooseCheckedItem(HWND, int32_t, int32_t, const std::vector<std::wstring>& shown,
                              uint32_t mask) override
    {
        items.clear();
        for (const std::wstring& item : shown)
            items.push_back(WideToAnsi(item.c_str()));
        checked = mask;
        ++count;
        return answer;
    }
    std::vector<std::string> items;
    uint32_t checked = 0;
    int count = 0;
    int32_t answer = -1;
};

Bytes BlockBytes(const CProgram& program)
{
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&program.GetBlock());
    return Bytes(bytes, bytes + sizeof(CProgramBlock));
}

class LibraryWindows : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        GetSettings().autoDumpEnabled = false;
        EditorServices().popups = &popups;
        ASSERT_TRUE(accessor.RegisterFormats());
        SetBlockAccessor(&accessor);
        // Before the windows: they register their drop targets as they are made.
        ASSERT_TRUE(InitializeOleDragDrop());
        MoveWindow(frame->GetHwnd(), 0, 0, 1600, 690, TRUE);
        for (int i = 0; i < 2; ++i)
        {
            windows[i] = std::make_unique<CLibraryWindow>();
            ASSERT_TRUE(windows[i]->CreateLibrary(frame.get()));
            windows[i]->Show();
            SetWindowPos(windows[i]->GetHwnd(), nullptr, i * 800, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            for (uint32_t n = 0; n < 128; ++n)
            {
                CProgram& program = Program(i, n);
                std::memcpy(program.GetImage(), CSimInstrument::PatternProgram(n + 200 * i).data(),
                            kQ3580ProgramImageSize);
                char name[16];
                std::snprintf(name, sizeof name, "%c%03u", i == 0 ? 'A' : 'B', n);
                program.SetProgramName(name);
            }
            List(i).DrawAll();
        }
        Deliver();
    }
    void TearDown() override
    {
        SetDragStepScript(nullptr);
        for (auto& window : windows)
        {
            if (window && window->GetHwnd())
                window->Destroy();
            window.reset();
        }
        SetBlockAccessor(nullptr);
        UninitializeOleDragDrop();
        EditorWindowTest::TearDown();
    }

    CLibraryWindow& Window(int i) { return *windows[i]; }
    CProgramListLayer& List(int i) { return *windows[i]->GetProgramList(); }
    CProgramListModel& Model(int i) { return List(i).GetModel(); }
    CProgram& Program(int i, uint32_t n) { return windows[i]->GetLibrary().GetProgramSet()->GetProgram(n); }
    std::string Name(int i, uint32_t n) { return Program(i, n).GetProgramName(); }
    CSimInstrument::Image Image(int i, uint32_t n)
    {
        const uint8_t* image = Program(i, n).GetImage();
        return CSimInstrument::Image(image, image + kQ3580ProgramImageSize);
    }
    std::vector<std::string> Names(int i, uint32_t from, uint32_t count)
    {
        std::vector<std::string> names;
        for (uint32_t n = from; n < from + count; ++n)
            names.push_back(Name(i, n));
        return names;
    }
    std::vector<Bytes> AllBlocks(int i)
    {
        std::vector<Bytes> blocks;
        for (uint32_t n = 0; n < 128; ++n)
            blocks.push_back(BlockBytes(Program(i, n)));
        return blocks;
    }
    std::wstring Title(int i) { return WindowText(windows[i]->GetHwnd()); }

    // The middle of program n's row in window i's client area (its bank shown first).
    POINT RowPoint(int i, uint32_t n)
    {
        const uint32_t mode = Model(i).GetListMode();
        List(i).ShowBank(Geometry::GetBankOf(mode, n));
        const CHfcRect r = Geometry::GetRowRect(mode, n);
        return {(r.left + r.right) / 2, CLibraryWindow::kStripHeight + r.top + 6};
    }
    POINT ToScreen(int i, POINT point)
    {
        ClientToScreen(windows[i]->GetHwnd(), &point);
        return point;
    }
    void Send(int i, UINT message, WPARAM keys, POINT at)
    {
        SendMessageW(windows[i]->GetHwnd(), message, keys, MAKELPARAM(at.x, at.y));
    }
    void Click(int i, POINT at, WPARAM keys = 0)
    {
        Send(i, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        Send(i, WM_LBUTTONUP, keys, at);
    }
    // Programs selected as a user does: a click, then Control-clicks.
    void Select(int i, const std::vector<uint32_t>& programs)
    {
        for (size_t k = 0; k < programs.size(); ++k)
            Click(i, RowPoint(i, programs[k]), k == 0 ? 0 : MK_CONTROL);
        ASSERT_EQ(Model(i).GetSelection(), programs);
    }
    void ClickButton(int i, CProgramListLayer::Button button)
    {
        const CHfcRect r = CProgramListLayer::GetButtonRect(button);
        Click(i, {(r.left + r.right) / 2, CLibraryWindow::kStripHeight + (r.top + r.bottom) / 2});
    }
    // A key pressed over the active window: a navigation key as the key goes down, any other
    // as its character.
    void Key(int i, WPARAM key)
    {
        windows[i]->BringToFront();
        SendMessageW(windows[i]->GetHwnd(), WM_KEYDOWN, key, 1);
        SendMessageW(windows[i]->GetHwnd(), WM_KEYUP, key, 1);
    }
    void Char(int i, wchar_t character)
    {
        windows[i]->BringToFront();
        SendMessageW(windows[i]->GetHwnd(), WM_CHAR, character, 1);
    }
    // The "i" key over window i's list, and the name typed into the dialog it opens before OK.
    void RenameByKey(int i, const wchar_t* name)
    {
        presenter.onReady = [name](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_INFO_NAME, name);
            PressButton(dialog, IDC_DIALOG_OK);
        };
        Char(i, L'i');
        presenter.onReady = nullptr;
    }
    std::vector<std::string> Boxes()
    {
        std::vector<std::string> boxes;
        for (const auto& box : presenter.boxes)
            boxes.push_back(WideToAnsi(box.title.c_str()) + " | " + WideToAnsi(box.text.c_str()));
        presenter.boxes.clear();
        return boxes;
    }

    // A scripted user at the mouse for one drag: the cursor goes to `to` (screen); once `ready`
    // says the target has seen the drag there, the keys go down and, a few steps later, the
    // button comes up; Escape when the target never sees it. The keys go down only once the
    // cursor rests: the display's own keyboard state, met when the pointer enters a window,
    // would take back a key pressed earlier.
    void ScriptDrag(POINT to, HeldKeys& keys, std::function<bool()> ready)
    {
        auto steps = std::make_shared<int>(0);
        auto readyAt = std::make_shared<int>(0);
        SetDragStepScript(
            [steps, readyAt, to, &keys, ready](BOOL& escape, DWORD& keyState)
            {
                ++*steps;
                keyState = MK_LBUTTON;
                escape = FALSE;
                if (*steps == 1)
                    SetCursorPos(to.x, to.y);
                else if (*steps > 400)
                    escape = TRUE;
                else if (*readyAt == 0 && ready())
                {
                    *readyAt = *steps;
                    keys.Press();
                }
                else if (*readyAt > 0 && *steps > *readyAt + 2)
                    keyState = 0;
            });
    }
    bool IsHighlighted(int i, uint32_t n)
    {
        return (Model(i).GetFlags(n) & CProgramListModel::kFlagDropHighlight) != 0;
    }
    // The selection of window `from`, pressed on its row `pressed`, dragged onto row `to` of
    // window `onto`.
    void DragRows(int from, uint32_t pressed, int onto, uint32_t to, const std::vector<WORD>& held = {})
    {
        const POINT start = RowPoint(from, pressed);
        const POINT target = ToScreen(onto, RowPoint(onto, to));
        HeldKeys keys(held);
        busyDuringDrag = false;
        ScriptDrag(target, keys,
                   [this, from, onto, to]
                   {
                       busyDuringDrag = Window(from).IsBusy();
                       return IsHighlighted(onto, to);
                   });
        Send(from, WM_LBUTTONDOWN, MK_LBUTTON, start);
        Send(from, WM_MOUSEMOVE, MK_LBUTTON, {start.x + 5, start.y});
        SetDragStepScript(nullptr);
        keys.Release();
        Deliver();
    }
    // A drag from elsewhere (another application) of items in the program format onto row `to`
    // of window `onto`: the effect its drop reported.
    uint32_t DragForeign(const std::vector<Bytes>& items, int onto, uint32_t to,
                         const std::vector<WORD>& held = {})
    {
        CHfcDragData data;
        for (const Bytes& item : items)
            data.AddItem(accessor.GetClipboardFormat(kBlockProgram), item.data(),
                         static_cast<uint32_t>(item.size()));
        HeldKeys keys(held);
        ScriptDrag(ToScreen(onto, RowPoint(onto, to)), keys,
                   [this, onto, to] { return IsHighlighted(onto, to); });
        const uint32_t effect = data.DoDragDrop(0, 0);
        SetDragStepScript(nullptr);
        keys.Release();
        Deliver();
        return effect;
    }
    // The client point of page tab 0 (PROGRAM) or 1 (GLOBAL) of a strip.
    static POINT TabPoint(int32_t tab)
    {
        return {NvPageSelectLayout::kTabsX + tab * CPageSelectLayer::kTabWidth + 30,
                NvPageSelectLayout::kTabsY + 12};
    }

    ScriptedListPopups popups;
    ScriptedDialogPresenter presenter;
    bool busyDuringDrag = false; // the source window answered busy during the last DragRows
    CHfcClipboard clipboard;
    CBlockAccessor accessor{clipboard};
    std::unique_ptr<CLibraryWindow> windows[2];
};

const std::wstring kUnmodified = L"Untitled - Program", kModified = L"Untitled * - Program";
} // namespace

// Copy in one window and paste in the other carry the program; cut initialises what it copied;
// the pasted program's edit window closes. On the global page the commands do nothing.
TEST_F(LibraryWindows, CopyCutAndPasteCarryProgramsBetweenWindows)
{
    const Bytes five = BlockBytes(Program(0, 5)), nine = BlockBytes(Program(0, 9));
    Select(0, {5, 9});
    Window(0).OnEditorCommand(EditorCommand::Copy);
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{5});

    Select(1, {20});
    ASSERT_NE(Window(1).OpenEditWindow(20), nullptr);
    Window(1).OnEditorCommand(EditorCommand::Paste);
    EXPECT_TRUE(BlockBytes(Program(1, 20)) == five);
    EXPECT_EQ(Window(1).GetEditWindow(20), nullptr);
    EXPECT_EQ(Title(1), kModified);
    EXPECT_EQ(Title(0), kUnmodified);

    Select(0, {9});
    Window(0).OnEditorCommand(EditorCommand::Cut);
    EXPECT_STREQ(Program(0, 9).GetProgramName(), "INITPROG");
    EXPECT_EQ(Title(0), kModified);
    Select(1, {21});
    Window(1).OnEditorCommand(EditorCommand::Paste);
    EXPECT_TRUE(BlockBytes(Program(1, 21)) == nine);

    // The global page shown: none of them reaches the list.
    const std::vector<Bytes> before = AllBlocks(1);
    Select(1, {22});
    Window(1).ShowPage(1, false);
    for (EditorCommand command : {EditorCommand::Paste, EditorCommand::Cut, EditorCommand::Initialize})
        Window(1).OnEditorCommand(command);
    EXPECT_TRUE(AllBlocks(1) == before);
    EXPECT_TRUE(Boxes().empty());
}

// Windows may hand out a clipboard block larger than was put there: a program item and a
// program block with bytes after them still paste; bytes too few for an item paste nothing.
TEST_F(LibraryWindows, PasteTakesAClipboardBlockLargerThanItsContent)
{
    const Bytes item = CProgramDragItem(4, Program(0, 4)).GetBytes();
    CBlockData block;
    ASSERT_TRUE(block.WriteProgram(Program(0, 9)));
    const Bytes whole(block.GetData(), block.GetData() + block.GetSize());
    const struct
    {
        const char* what;
        Bytes bytes;
        size_t padding;
        const CProgram* pasted; // null: nothing pasted
    } cases[] = {
        {"an item and 16 bytes", item, 16, &Program(0, 4)},
        {"a block and 12 bytes", whole, 12, &Program(0, 9)},
        {"an item one byte short", Bytes(item.begin(), item.end() - 1), 0, nullptr},
    };
    uint32_t target = 20;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Select(1, {target});
        const Bytes before = BlockBytes(Program(1, target));
        ASSERT_TRUE(OpenClipboard(Window(0).GetHwnd()));
        EmptyClipboard();
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, c.bytes.size() + c.padding);
        ASSERT_NE(handle, nullptr);
        auto* bytes = static_cast<uint8_t*>(GlobalLock(handle));
        std::memset(bytes, 0xEE, c.bytes.size() + c.padding);
        std::memcpy(bytes, c.bytes.data(), c.bytes.size());
        GlobalUnlock(handle);
        EXPECT_NE(SetClipboardData(accessor.GetClipboardFormat(kBlockProgram), handle), nullptr);
        CloseClipboard();

        Window(1).OnEditorCommand(EditorCommand::Paste);
        EXPECT_TRUE(BlockBytes(Program(1, target)) == (c.pasted ? BlockBytes(*c.pasted) : before));
        ++target;
    }
}

// The menu's Initialize and Revert ask first; only OK changes the selected programs.
TEST_F(LibraryWindows, InitializeAndRevertAskAndOnlyOkChangesThePrograms)
{
    const struct
    {
        EditorCommand command;
        const char* box;
        int answer;
        bool changed;
    } cases[] = {
        {EditorCommand::Initialize, "Initialize Program | The program will initialize. Are you sure?",
         IDCANCEL, false},
        {EditorCommand::Initialize, "Initialize Program | The program will initialize. Are you sure?", IDOK,
         true},
        {EditorCommand::Revert, "Revert to Saved Program | Are you sure to revert to saved data?", IDCANCEL,
         false},
        {EditorCommand::Revert, "Revert to Saved Program | Are you sure to revert to saved data?", IDOK,
         true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.box + std::string(c.answer == IDOK ? " OK" : " Cancel"));
        // The saved copy of each is the program as the window opened it; the block differs.
        for (uint32_t n : {30u, 31u})
        {
            std::memcpy(Program(0, n).GetImage(), CSimInstrument::PatternProgram(n).data(),
                        kQ3580ProgramImageSize);
            Program(0, n).SetProgramName(n == 30 ? "A030" : "A031");
            Program(0, n).SaveBlock();
            Program(0, n).SetProgramName("EDITED");
        }
        Select(0, {30, 31});
        const std::vector<Bytes> before = AllBlocks(0);
        presenter.answers = {c.answer};
        Window(0).OnEditorCommand(c.command);
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
        const std::vector<Bytes> after = AllBlocks(0);
        EXPECT_TRUE(after[29] == before[29]);
        EXPECT_TRUE(after[32] == before[32]);
        EXPECT_EQ(after[30] != before[30] && after[31] != before[31], c.changed);
        if (c.changed && c.command == EditorCommand::Revert)
            EXPECT_EQ(Name(0, 30), "A030");
    }
}

// Delete initialises after the question, "i" renames through the information dialog, Enter
// opens the selected program's edit window, Down moves the selection.
TEST_F(LibraryWindows, KeysReachTheListsOperations)
{
    Select(0, {3});
    presenter.answers = {IDCANCEL};
    Key(0, VK_DELETE);
    EXPECT_EQ(Name(0, 3), "A003");
    presenter.answers = {IDOK};
    Key(0, VK_DELETE);
    EXPECT_EQ(Name(0, 3), "INITPROG");
    EXPECT_EQ(Boxes().size(), 2u);

    Select(0, {4});
    RenameByKey(0, L"Lead one");
    EXPECT_EQ(Name(0, 4), "LEAD ONE");
    EXPECT_EQ(Title(0), kModified);

    Key(0, VK_RETURN);
    EXPECT_NE(Window(0).GetEditWindow(4), nullptr);
    Key(0, VK_DOWN);
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{5});
    // Keys go to the active window's list only.
    EXPECT_TRUE(Model(1).GetSelection().empty());
}

// The right release opens the program popup with its nine items over the row (selecting it);
// the chosen item runs: Copy in one window, Paste in the other. A dismissed popup does nothing.
TEST_F(LibraryWindows, TheProgramPopupRunsTheChosenItem)
{
    Select(0, {2, 3});
    popups.answer = CProgramListOperations::kPopupCopy;
    Send(0, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(0, 7));
    Send(0, WM_RBUTTONUP, 0, RowPoint(0, 7));
    EXPECT_EQ(popups.items, (std::vector<std::string>{"Cut", "Copy", "Paste", "Initialize",
                                                      "Receive Selected Program", "Write Selected Program",
                                                      "Open...", "Save...", "Revert to saved data"}));
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{7});

    popups.answer = CProgramListOperations::kPopupPaste;
    Send(1, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(1, 30));
    Send(1, WM_RBUTTONUP, 0, RowPoint(1, 30));
    EXPECT_TRUE(BlockBytes(Program(1, 30)) == BlockBytes(Program(0, 7)));
    EXPECT_EQ(Title(1), kModified);

    const std::vector<Bytes> before = AllBlocks(1);
    popups.answer = -1;
    Send(1, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(1, 31));
    Send(1, WM_RBUTTONUP, 0, RowPoint(1, 31));
    EXPECT_TRUE(AllBlocks(1) == before);
    // Outside the rows there is no popup.
    const int count = popups.count;
    Send(1, WM_RBUTTONUP, 0, {700, 560});
    EXPECT_EQ(popups.count, count);
}

// The view button's popup toggles the information fields of the mode (checked as they are);
// the category-hold button's popup marks the programs that share the first selected one's key.
TEST_F(LibraryWindows, TheViewAndCategoryHoldPopupsChangeWhatTheListShows)
{
    // A new library shows fields 0, 1 and 2 in mode 0; turning on field 4 keeps the lowest two.
    popups.answer = 4;
    ClickButton(0, CProgramListLayer::kButtonView);
    EXPECT_EQ(popups.items,
              (std::vector<std::string>{"Voice Mode", "Arpeggiator", "Vocoder SW", "Programmer", "Comment"}));
    EXPECT_EQ(popups.checked, 7u);
    EXPECT_EQ(Model(0).GetInfoFields(), 0x13u);
    EXPECT_EQ(GetSettings().programListShowInfo2Lines, 0x13u);
    EXPECT_EQ(Window(0).GetLibrary().GetMode0Fields(), 0x13u);

    for (uint32_t n : {10u, 20u, 90u})
        Program(0, n).SetAuthor("Ann");
    Select(0, {10});
    popups.answer = CProgramListModel::kCategoryHoldProgrammer;
    ClickButton(0, CProgramListLayer::kButtonCategoryHold);
    EXPECT_EQ(popups.items, (std::vector<std::string>{"Off", "Category", "Assign", "Programmer"}));
    EXPECT_EQ(popups.checked, 1u);
    std::vector<uint32_t> held;
    for (uint32_t n = 0; n < 128; ++n)
        if (Model(0).IsHeld(n))
            held.push_back(n);
    EXPECT_EQ(held, (std::vector<uint32_t>{10, 20, 90}));
    EXPECT_EQ(GetSettings().programListCategoryHold, 3u);
    EXPECT_EQ(Window(0).GetLibrary().GetCategoryHold(), 3u);
    // In the hold, Down goes to the next held program.
    Key(0, VK_DOWN);
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{20});
    EXPECT_TRUE(
        SaveWindowScreenshot(Window(0).GetHwnd(), "library_window_category_hold", [this] { Deliver(); }));
}

// With the automatic dump on, a click on a row sends that program to the instrument's current
// program; the switch turns it off. The receive button takes the current program into the
// selected one.
TEST_F(LibraryWindows, TheAutomaticDumpAndTheReceiveButtonUseTheInstrumentsCurrentProgram)
{
    GetSettings().autoDumpEnabled = true;
    Click(0, RowPoint(0, 12));
    Sent();
    EXPECT_TRUE(instrument->GetEditBuffer() == Image(0, 12));
    Key(0, VK_DOWN);
    Sent();
    EXPECT_TRUE(instrument->GetEditBuffer() == Image(0, 13));

    ClickButton(0, CProgramListLayer::kButtonAutoDump);
    EXPECT_FALSE(GetSettings().autoDumpEnabled);
    ClearSent();
    Click(0, RowPoint(0, 40));
    EXPECT_TRUE(Sent().empty());

    instrument->SetEditBuffer(CSimInstrument::PatternProgram(500));
    ClickButton(0, CProgramListLayer::kButtonReceive);
    EXPECT_TRUE(Image(0, 40) == CSimInstrument::PatternProgram(500));
    EXPECT_EQ(Title(0), kModified);
}

// A drop from another library window copies the dragged programs onto the rows from the drop
// row, whatever keys are held; the source keeps its programs.
TEST_F(LibraryWindows, ADropFromTheOtherWindowCopies)
{
    const struct
    {
        const char* keys;
        std::vector<WORD> held;
    } cases[] = {{"none", {}}, {"Control", {VK_CONTROL}}, {"Alt", {VK_MENU}}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.keys);
        const std::vector<Bytes> source = AllBlocks(0);
        Select(0, {2, 3});
        DragRows(0, 2, 1, 10, c.held);
        EXPECT_TRUE(AllBlocks(0) == source);
        EXPECT_TRUE(BlockBytes(Program(1, 10)) == source[2]);
        EXPECT_TRUE(BlockBytes(Program(1, 11)) == source[3]);
        EXPECT_EQ(Name(1, 9), "B009");
        EXPECT_EQ(Name(1, 12), "B012");
        EXPECT_EQ(Model(1).GetSelection(), (std::vector<uint32_t>{10, 11}));
        EXPECT_EQ(Title(1), kModified);
        EXPECT_EQ(Title(0), kUnmodified);
        // The source window does not close under its running drag; it may once it ended.
        EXPECT_TRUE(busyDuringDrag);
        EXPECT_FALSE(Window(0).IsBusy());
        // The next case starts from B's own programs again.
        for (uint32_t n : {10u, 11u})
        {
            std::memcpy(Program(1, n).GetImage(), CSimInstrument::PatternProgram(n + 200).data(),
                        kQ3580ProgramImageSize);
            Program(1, n).SetProgramName(n == 10 ? "B010" : "B011");
        }
    }
    // Both windows: the dropped rows selected on the right.
    EXPECT_TRUE(SaveWindowScreenshot(frame->GetHwnd(), "library_windows_after_drop", [this] { Deliver(); }));
}

// Within one list a plain drop moves the programs and closes the gaps, Control copies them and
// Alt exchanges them, without losing a program where sources and targets overlap.
TEST_F(LibraryWindows, DropsWithinAListInsertCopyAndExchange)
{
    const struct
    {
        const char* name;
        std::vector<uint32_t> selection;
        uint32_t target;
        std::vector<WORD> held;
        std::vector<std::string> rows; // rows 0-8 afterwards
        std::vector<uint32_t> selected;
    } cases[] = {
        {"insert",
         {2, 7},
         5,
         {},
         {"A000", "A001", "A003", "A004", "A005", "A002", "A007", "A006", "A008"},
         {5, 6}},
        {"insert upward",
         {6, 7},
         2,
         {},
         {"A000", "A001", "A006", "A007", "A002", "A003", "A004", "A005", "A008"},
         {2, 3}},
        {"copy",
         {2, 3},
         6,
         {VK_CONTROL},
         {"A000", "A001", "A002", "A003", "A004", "A005", "A002", "A003", "A008"},
         {6, 7}},
        {"exchange overlapping",
         {2, 4},
         4,
         {VK_MENU},
         {"A000", "A001", "A005", "A003", "A002", "A004", "A006", "A007", "A008"},
         {4, 5}},
        {"exchange one",
         {1},
         7,
         {VK_MENU},
         {"A000", "A007", "A002", "A003", "A004", "A005", "A006", "A001", "A008"},
         {7}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (uint32_t n = 0; n < 9; ++n)
        {
            char name[16];
            std::snprintf(name, sizeof name, "A%03u", n);
            Program(0, n).SetProgramName(name);
        }
        Window(0).SetModified(false);
        Select(0, c.selection);
        DragRows(0, c.selection.front(), 0, c.target, c.held);
        EXPECT_EQ(Names(0, 0, 9), c.rows);
        EXPECT_EQ(Model(0).GetSelection(), c.selected);
        EXPECT_EQ(Title(0), kModified);
        EXPECT_EQ(Name(0, 9), "A009");
    }
}

// Drops that cannot be carried out change nothing: an insert that would run past program 127,
// foreign items that are not exactly 640 bytes or name no program 0-127. A foreign drop that is
// taken reports copy, the framework's effect 2, whatever keys are held.
TEST_F(LibraryWindows, RefusedDropsChangeNothingAndForeignDropsReportCopy)
{
    std::vector<uint32_t> tail;
    for (uint32_t n = 120; n < 128; ++n)
        tail.push_back(n);
    Select(0, tail);
    const std::vector<Bytes> before = AllBlocks(0);
    DragRows(0, 120, 0, 125);
    EXPECT_TRUE(AllBlocks(0) == before);
    EXPECT_EQ(Title(0), kUnmodified);
    // The same programs dropped further up move there.
    DragRows(0, 120, 0, 100);
    EXPECT_EQ(Names(0, 100, 8),
              (std::vector<std::string>{"A120", "A121", "A122", "A123", "A124", "A125", "A126", "A127"}));

    const Bytes item = CProgramDragItem(4, Program(0, 4)).GetBytes();
    Bytes shortItem(item.begin(), item.end() - 1), longItem = item, badSource = item;
    longItem.push_back(0);
    badSource[0] = 128;
    const struct
    {
        const char* name;
        std::vector<Bytes> items;
        std::vector<WORD> held;
        uint32_t effect;
    } cases[] = {
        {"639 bytes", {shortItem}, {}, kHfcDropEffectNone},
        {"641 bytes", {longItem}, {}, kHfcDropEffectNone},
        {"source 128", {badSource}, {}, kHfcDropEffectNone},
        {"one bad of two", {item, shortItem}, {}, kHfcDropEffectNone},
        {"a program", {item}, {}, kHfcDropEffectCopy},
        {"a program, Alt held", {item}, {VK_MENU}, kHfcDropEffectCopy},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Window(1).SetModified(false);
        const std::vector<Bytes> target = AllBlocks(1);
        EXPECT_EQ(DragForeign(c.items, 1, 50, c.held), c.effect);
        const std::vector<Bytes> after = AllBlocks(1);
        if (c.effect == kHfcDropEffectNone)
        {
            EXPECT_TRUE(after == target);
            EXPECT_EQ(Title(1), kUnmodified);
        }
        else
        {
            EXPECT_TRUE(after[50] == BlockBytes(Program(0, 4)));
            EXPECT_TRUE(after[51] == target[51]);
            EXPECT_EQ(Title(1), kModified);
        }
    }
}

// On Windows the shell's drag-image helper puts formats of its own into a drag's data: the
// list passes over what it does not know, before the programs or after them.
TEST_F(LibraryWindows, ADropWithUnknownFormatsBesideTheProgramsCopiesThePrograms)
{
    const uint32_t program = accessor.GetClipboardFormat(kBlockProgram);
    const uint32_t unknown = RegisterClipboardFormatA("Nv Test Foreign Drag Format");
    ASSERT_NE(unknown, 0u);
    const Bytes four = CProgramDragItem(4, Program(0, 4)).GetBytes();
    const Bytes five = CProgramDragItem(5, Program(0, 5)).GetBytes();
    const Bytes foreign(24, 0x5A);
    const struct
    {
        const char* what;
        bool unknownFirst;
    } cases[] = {{"the unknown format first", true}, {"the unknown format last", false}};
    uint32_t row = 60;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CHfcDragData data;
        if (c.unknownFirst)
            data.AddItem(unknown, foreign.data(), static_cast<uint32_t>(foreign.size()));
        data.AddItem(program, four.data(), static_cast<uint32_t>(four.size()));
        data.AddItem(program, five.data(), static_cast<uint32_t>(five.size()));
        if (!c.unknownFirst)
            data.AddItem(unknown, foreign.data(), static_cast<uint32_t>(foreign.size()));
        const std::vector<Bytes> before = AllBlocks(1);
        HeldKeys none({});
        ScriptDrag(ToScreen(1, RowPoint(1, row)), none, [this, row] { return IsHighlighted(1, row); });
        EXPECT_EQ(data.DoDragDrop(0, 0), kHfcDropEffectCopy);
        SetDragStepScript(nullptr);
        Deliver();
        const std::vector<Bytes> after = AllBlocks(1);
        EXPECT_TRUE(after[row] == BlockBytes(Program(0, 4)));
        EXPECT_TRUE(after[row + 1] == BlockBytes(Program(0, 5)));
        EXPECT_TRUE(after[row + 2] == before[row + 2]);
        row += 10;
    }
}

// A drag resting on a bank tab shows that bank (after about 300 ms of the 60 ms ticks); a drop
// on the tab itself does nothing.
TEST_F(LibraryWindows, ADragRestingOnABankTabShowsThatBankAndADropThereDoesNothing)
{
    StartTicks();
    ASSERT_EQ(Model(1).GetBank(), 0u);
    const CHfcRect tab = Geometry::GetTabRect(1);
    const POINT onTab = ToScreen(1, {(tab.left + tab.right) / 2, CLibraryWindow::kStripHeight + tab.top + 7});
    const std::vector<Bytes> before = AllBlocks(1);
    CHfcDragData data;
    const Bytes item = CProgramDragItem(4, Program(0, 4)).GetBytes();
    data.AddItem(accessor.GetClipboardFormat(kBlockProgram), item.data(), static_cast<uint32_t>(item.size()));
    HeldKeys none({});
    ScriptDrag(onTab, none, [this] { return Model(1).GetBank() == 1; });
    EXPECT_EQ(data.DoDragDrop(0, 0), kHfcDropEffectNone);
    SetDragStepScript(nullptr);
    StopTicks();
    Deliver();
    EXPECT_EQ(Model(1).GetBank(), 1u);
    EXPECT_TRUE(AllBlocks(1) == before);
    EXPECT_EQ(Title(1), kUnmodified);
}

// The PROGRAM tab carries the whole program set and the GLOBAL tab the global data onto the
// matching tab of another library; the wrong tab and the strip that started the drag refuse it.
TEST_F(LibraryWindows, PageTabsCarryTheProgramSetAndTheGlobalData)
{
    CGlobal* global[2] = {};
    for (int i = 0; i < 2; ++i)
        global[i] = Window(i).GetLibrary().FindEntryByKind(CLibraryEntry::kKindGlobal)->GetGlobal();
    global[0]->GetImage()[3] = 0x5A;
    const Bytes globalA(global[0]->GetImage(), global[0]->GetImage() + global[0]->GetImageSize());
    const std::vector<Bytes> programsA = AllBlocks(0), programsB = AllBlocks(1);

    // Drags one strip's tab onto a tab of a strip; the page shown afterwards is put back. The
    // source window does not close under the running drag; it may once the drag ended.
    auto dragTab = [this](int from, int32_t tab, int onto, int32_t ontoTab)
    {
        const POINT start = TabPoint(tab);
        HeldKeys none({});
        CPageSelectLayer* strip = Window(onto).GetPageSelect();
        bool busy = false;
        ScriptDrag(ToScreen(onto, TabPoint(ontoTab)), none,
                   [this, strip, from, &busy]
                   {
                       busy = busy || Window(from).IsBusy();
                       return strip->IsDragOver();
                   });
        Send(from, WM_LBUTTONDOWN, MK_LBUTTON, start);
        Send(from, WM_MOUSEMOVE, MK_LBUTTON, {start.x + 6, start.y});
        SetDragStepScript(nullptr);
        Deliver();
        EXPECT_TRUE(busy);
        EXPECT_FALSE(Window(from).IsBusy());
        Window(from).ShowPage(0, false);
    };

    dragTab(0, 0, 1, 1); // a program set onto GLOBAL
    dragTab(0, 0, 0, 0); // onto its own strip
    EXPECT_TRUE(AllBlocks(1) == programsB);
    EXPECT_TRUE(AllBlocks(0) == programsA);
    EXPECT_EQ(Title(1), kUnmodified);

    CProgramEditWindow* edit = Window(1).OpenEditWindow(60);
    ASSERT_NE(edit, nullptr);
    // Out of the way of the strip it opened over.
    SetWindowPos(edit->GetHwnd(), nullptr, 1000, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dragTab(0, 0, 1, 0);
    EXPECT_TRUE(AllBlocks(1) == programsA);
    EXPECT_EQ(Name(1, 60), "A060");
    EXPECT_EQ(Window(1).GetEditWindow(60), nullptr);
    EXPECT_EQ(Title(1), kModified);

    Window(1).SetModified(false);
    dragTab(0, 1, 1, 1);
    EXPECT_EQ(Bytes(global[1]->GetImage(), global[1]->GetImage() + global[1]->GetImageSize()), globalA);
    EXPECT_EQ(Title(1), kModified);
}

// A program-set block whose payload is not a whole set, dropped on the PROGRAM tab, changes
// nothing: no modified mark, no effect.
TEST_F(LibraryWindows, APageTabDropActsOnlyWhenThePasteSucceeded)
{
    const std::unique_ptr<CBlockData> set = accessor.Copy(kBlockProgramSet, Window(0).GetLibrary(), 0, 0);
    ASSERT_NE(set, nullptr);
    const Bytes whole(set->GetData(), set->GetData() + set->GetSize());
    const Bytes cut(whole.begin(), whole.end() - 636);
    const std::vector<Bytes> programsB = AllBlocks(1);
    for (const Bytes* block : {&cut, &whole})
    {
        CHfcDragData data;
        data.AddItem(accessor.GetClipboardFormat(kBlockProgramSet), block->data(),
                     static_cast<uint32_t>(block->size()));
        HeldKeys none({});
        CPageSelectLayer* strip = Window(1).GetPageSelect();
        ScriptDrag(ToScreen(1, TabPoint(0)), none, [strip] { return strip->IsDragOver(); });
        const uint32_t effect = data.DoDragDrop(0, 0);
        SetDragStepScript(nullptr);
        Deliver();
        if (block == &cut)
        {
            EXPECT_EQ(effect, kHfcDropEffectNone);
            EXPECT_TRUE(AllBlocks(1) == programsB);
            EXPECT_EQ(Title(1), kUnmodified);
        }
        else
        {
            EXPECT_EQ(effect, kHfcDropEffectCopy);
            EXPECT_TRUE(AllBlocks(1) == AllBlocks(0));
            EXPECT_EQ(Title(1), kModified);
        }
    }
}

// The edit and information buttons act on their release over them: the edit window of the one
// selected program (none for two), the information dialog of the first selected one.
TEST_F(LibraryWindows, TheEditAndInformationButtonsActOnTheirRelease)
{
    const CHfcRect edit = CProgramListLayer::GetButtonRect(CProgramListLayer::kButtonEdit);
    const POINT onEdit = {(edit.left + edit.right) / 2,
                          CLibraryWindow::kStripHeight + (edit.top + edit.bottom) / 2};

    Select(0, {8, 9});
    ClickButton(0, CProgramListLayer::kButtonEdit);
    EXPECT_EQ(Window(0).GetEditWindow(8), nullptr);

    Select(0, {8});
    // Released away from the button: nothing.
    Send(0, WM_LBUTTONDOWN, MK_LBUTTON, onEdit);
    Send(0, WM_LBUTTONUP, 0, {onEdit.x, onEdit.y + 40});
    EXPECT_EQ(Window(0).GetEditWindow(8), nullptr);
    ClickButton(0, CProgramListLayer::kButtonEdit);
    EXPECT_NE(Window(0).GetEditWindow(8), nullptr);

    Select(0, {11, 12});
    presenter.onReady = [](HWND dialog) { PressButton(dialog, IDC_DIALOG_CANCEL); };
    ClickButton(0, CProgramListLayer::kButtonInformation);
    presenter.onReady = nullptr;
    EXPECT_EQ(presenter.readyDialogs.size(), 1u);
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{11});
    EXPECT_EQ(Title(0), kUnmodified);
}

namespace
{
HWND g_popupOwner = nullptr;
bool g_popupShot = false;
} // namespace

// The program popup as the user sees it over the list: a screenshot taken while it is open,
// then the menu closes itself.
TEST_F(LibraryWindows, TheProgramPopupShowsOverTheList)
{
    EditorServices().popups = nullptr;
    Select(0, {7});
    Window(0).BringToFront();
    g_popupOwner = frame->GetHwnd();
    g_popupShot = false;
    SetTimer(nullptr, 0, 200,
             [](HWND, UINT, UINT_PTR id, DWORD)
             {
                 KillTimer(nullptr, id);
                 const HWND menu = FindWindowW(L"#32768", nullptr);
                 g_popupShot = menu != nullptr && IsWindowVisible(menu) &&
                               SaveWindowScreenshot(g_popupOwner, "library_window_program_popup");
                 EndMenu();
             });
    Send(0, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(0, 7));
    Send(0, WM_RBUTTONUP, 0, RowPoint(0, 7));
    EXPECT_TRUE(g_popupShot);
    EXPECT_EQ(Model(0).GetSelection(), std::vector<uint32_t>{7});
}

namespace
{
// A click on a control of the program page, as the edit window receives it.
void ClickOnProgramPage(CBaseWindow& window, const char* role)
{
    const LayoutPlace place = FindLayoutPlace(NvProgramEditLayout::kControls, role);
    ASSERT_TRUE(place.found) << role;
    const LPARAM at = MAKELPARAM(place.middle.x, place.middle.y);
    SendMessageW(window.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window.GetHwnd(), WM_LBUTTONUP, 0, at);
}

// Program n's row as the list has drawn it.
std::vector<uint32_t> RowPixels(CProgramListLayer& list, uint32_t n)
{
    const CHfcRect r = CProgramListGeometry::GetRowRect(list.GetModel().GetListMode(), n);
    CHfcBmpLock lock(list.GetOffscreen()->GetBitmap());
    const CHfcPixelView view = lock.View();
    std::vector<uint32_t> pixels;
    for (int32_t y = r.top; y < r.bottom && y < view.height; ++y)
        for (int32_t x = r.left; x < r.right && x < view.width; ++x)
        {
            uint32_t pixel = 0;
            std::memcpy(&pixel, view.Pixel(x, y), sizeof pixel);
            pixels.push_back(pixel);
        }
    return pixels;
}

// The bytes alone on the clipboard in the format, as another program may put them there.
bool PutOnClipboard(HWND owner, UINT format, const std::vector<uint8_t>& bytes)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    bool put = false;
    if (void* data = memory ? GlobalLock(memory) : nullptr)
    {
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(memory);
        put = SetClipboardData(format, memory) != nullptr;
    }
    if (!put && memory)
        GlobalFree(memory);
    CloseClipboard();
    return put;
}

std::wstring TitleOf(const CBaseWindow* window)
{
    return window ? WindowText(window->GetHwnd()) : L"(none)";
}
} // namespace

// An edit on a program edit window's page reaches the list: the row shows the new voice mode and
// ARP ON, and the held marks (category hold by assign, the voice mode) follow the edited program.
TEST_F(LibraryWindows, EditsOnAProgramPageReachTheListsColumnsAndHeldMarks)
{
    for (uint32_t n : {3u, 4u, 5u})
        Program(0, n).InitializeProgram();
    popups.answer = CProgramListModel::kCategoryHoldAssign;
    ClickButton(0, CProgramListLayer::kButtonCategoryHold);
    ASSERT_EQ(Model(0).GetCategoryHold(), CProgramListModel::kCategoryHoldAssign);
    Select(0, {3});
    ASSERT_TRUE(Model(0).IsHeld(4) && Model(0).IsHeld(5))
        << "three initialised programs share their voice mode";
    ASSERT_NE(Model(0).GetInfoFields() & 3u, 0u) << "the row shows voice mode and arpeggiator";
    CProgramEditWindow* edit = Window(0).OpenEditWindow(4);
    ASSERT_NE(edit, nullptr);
    Deliver();
    const std::vector<uint32_t> before = RowPixels(List(0), 4);
    const int32_t voiceMode = CZmProgramAccessorSingleton::Get()->GetValue(&Program(0, 4), {0, 35, 0});

    ClickOnProgramPage(*edit, "voice mode layer");
    ClickOnProgramPage(*edit, "arpeggiator switch");
    ASSERT_NE(CZmProgramAccessorSingleton::Get()->GetValue(&Program(0, 4), {0, 35, 0}), voiceMode)
        << "the click did not reach the page";
    ASSERT_NE(Model(0).GetInfoFieldText(4, 1), "") << "the arpeggiator is not on";
    Deliver();
    EXPECT_FALSE(Model(0).IsHeld(4)) << "program 4 no longer shares program 3's voice mode";
    EXPECT_TRUE(Model(0).IsHeld(5));
    EXPECT_NE(RowPixels(List(0), 4), before) << "the row still shows the program before the edits";
    EXPECT_EQ(Title(0), kModified);
}

// Rename in the library retitles the program's open edit windows; an instrument panel edit of the
// program being edited reaches its master effects page at once, not at its next tick.
TEST_F(LibraryWindows, RenameAndPanelEditsReachTheProgramsEditWindows)
{
    CProgramEditWindow* edit = Window(0).OpenEditWindow(4);
    ASSERT_NE(edit, nullptr);
    CProgramSectionWindow* effects = edit->OpenEditor(CProgramEditWindow::kEditorMasterFx);
    ASSERT_NE(effects, nullptr);
    ASSERT_EQ(TitleOf(edit), L"Untitled [A15:A004]");

    Select(0, {4});
    RenameByKey(0, L"Renamed");
    ASSERT_EQ(Name(0, 4), "RENAMED");
    Deliver();
    EXPECT_EQ(TitleOf(edit), L"Untitled [A15:RENAMED]");
    EXPECT_EQ(TitleOf(effects), L"Untitled [A15:RENAMED] Master FX");

    // The master effects window sends its program to the instrument, whose panel then changes
    // the first effect's type; the ticks are stopped, so only the notification can show it.
    GetSettings().receiveParameterChange = true;
    effects->OnEditorCommand(EditorCommand::TransmitToCurrent);
    auto* page = dynamic_cast<CMasterFxEditLayer*>(effects->GetEditLayer());
    ASSERT_NE(page, nullptr);
    const CZmParameterId type = {6, 1, 0};
    const int32_t chosen = page->GetField(0)->GetValue() == 5 ? 6 : 5;
    CZmDeviceAddress address;
    ASSERT_TRUE(CZmIdConverterSingleton::Get()->ToDeviceAddress(type, address));
    StopTicks();
    instrument->SendPanelChange(static_cast<int32_t>(address.hi), static_cast<int32_t>(address.lo), chosen);
    ASSERT_TRUE(PumpUntil(
        [&] { return CZmProgramAccessorSingleton::Get()->GetValue(&Program(0, 4), type) == chosen; }))
        << "the panel edit did not reach the program";
    Deliver();
    EXPECT_EQ(page->GetField(0)->GetValue(), chosen) << "the page does not show the panel's type";
}

// Receive All Programs and Paste close a program's edit window only once they change its
// program: a receive that fails at once and a refused clipboard item leave it open.
TEST_F(LibraryWindows, ReceiveAllProgramsAndPasteCloseEditWindowsOnlyWhenTheyChangeTheirProgram)
{
    CProgramEditWindow* edit = Window(0).OpenEditWindow(9);
    ASSERT_NE(edit, nullptr);
    Window(0).BringToFront();
    const auto open = [&](uint32_t n) { return Window(0).GetEditWindow(n) != nullptr; };

    const Bytes nine = BlockBytes(Program(0, 9));
    CSimBehaviour refusingFirst;
    refusingFirst.refuseAtProgram = 0;
    instrument->SetBehaviour(refusingFirst);
    Window(0).GetLink().OnEditorCommand(EditorCommand::ReceiveAll);
    Deliver();
    EXPECT_EQ(BlockBytes(Program(0, 9)), nine);
    EXPECT_TRUE(open(9)) << "a receive that received nothing closed the edit window";

    // Stopped at program 20: the windows of the programs received close, the others stay.
    CProgramEditWindow* later = Window(0).OpenEditWindow(30);
    ASSERT_NE(later, nullptr);
    Window(0).BringToFront();
    CSimBehaviour refusing;
    refusing.refuseAtProgram = 20;
    instrument->SetBehaviour(refusing);
    Window(0).GetLink().OnEditorCommand(EditorCommand::ReceiveAll);
    Deliver();
    EXPECT_FALSE(open(9)) << "program 9 was received";
    EXPECT_TRUE(open(30)) << "program 30 was never received";
    instrument->SetBehaviour(CSimBehaviour());

    // A clipboard item of the program format that is not a program: refused, the window stays.
    ASSERT_NE(Window(0).OpenEditWindow(12), nullptr);
    Window(0).BringToFront();
    const Bytes junk(640, 0xEE);
    ASSERT_TRUE(PutOnClipboard(Window(0).GetHwnd(), accessor.GetClipboardFormat(kBlockProgram), junk));
    Select(0, {12});
    const Bytes block = BlockBytes(Program(0, 12));
    Window(0).GetLink().OnEditorCommand(EditorCommand::Paste);
    Deliver();
    EXPECT_EQ(BlockBytes(Program(0, 12)), block);
    EXPECT_TRUE(open(12)) << "a refused paste closed the edit window";

    // A program on the clipboard: pasted, and the window of the program it replaced closes.
    Select(0, {7});
    Window(0).GetLink().OnEditorCommand(EditorCommand::Copy);
    Select(0, {12});
    Window(0).GetLink().OnEditorCommand(EditorCommand::Paste);
    Deliver();
    EXPECT_EQ(BlockBytes(Program(0, 12)), BlockBytes(Program(0, 7)));
    EXPECT_FALSE(open(12));
}
