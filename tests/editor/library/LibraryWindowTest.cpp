// The library window in a real frame against the simulated instrument: a double click on a
// program's row opens that program's edit window, one per program, kept by the library window.
#include "../base/EditorWindowFixture.h"

#include "editor/library/CLibraryWindow.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/pages/CProgramEditWindow.h"
#include "synthdata/CProgramSet.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

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
    void RenameProgram(uint32_t n, const char* name)
    {
        CProgram& program = library->GetLibrary().GetProgramSet()->GetProgram(n);
        program.SetProgramName(name);
    }

    std::unique_ptr<CLibraryWindow> library;
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
    // The destroyed window's object is kept until now; the new one is a window of its own.
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
