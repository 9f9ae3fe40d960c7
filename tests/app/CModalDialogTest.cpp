#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"
#include "app/CModalDialog.h"
#include "app/CProgressDialog.h"
#include "resources/AppDialogIds.h"

#include "support/MessagePump.h"
#include "support/ScriptedDialogPresenter.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace
{
class NamedDialog : public CModalDialog
{
public:
    explicit NamedDialog(const wchar_t* name) : m_name(name) {}
    int commands = 0;

protected:
    const wchar_t* GetTemplateName() const override { return m_name; }
    bool OnCommand(int id, int, LPARAM) override
    {
        ++commands;
        if (id == IDC_DIALOG_OK)
            End(7);
        return true;
    }

private:
    const wchar_t* m_name;
};

// A top-level window standing in for the main frame.
struct FrameWindow
{
    FrameWindow()
    {
        handle = CreateWindowExW(0, L"STATIC", L"Frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
        ShowWindow(handle, SW_SHOW);
    }
    ~FrameWindow() { DestroyWindow(handle); }
    HWND handle;
};

} // namespace

TEST(CModalDialog, EndsWithTheResultOfItsCommandOrMinusOneOnCancel)
{
    const struct
    {
        int pressed;
        INT_PTR result;
    } cases[] = {{IDC_DIALOG_OK, 7}, {IDC_DIALOG_CANCEL, -1}, {IDCANCEL, -1}};
    for (const auto& c : cases)
    {
        ScriptedDialogPresenter presenter;
        FrameWindow frame;
        HWND parentSeen = nullptr;
        presenter.onReady = [&](HWND dialog)
        {
            parentSeen = GetParent(dialog);
            PressButton(dialog, c.pressed);
        };
        SetDialogParentFrame(frame.handle);
        NamedDialog dialog(L"DialogMapValue");
        EXPECT_EQ(dialog.DoModal(nullptr), c.result);
        SetDialogParentFrame(nullptr);
        EXPECT_EQ(dialog.GetResult(), c.result);
        EXPECT_EQ(parentSeen, frame.handle); // the frame when no owner is given
        EXPECT_EQ(presenter.openCountAtReady, 1);
        EXPECT_EQ(GetDialogRefCount(), 0);
        EXPECT_EQ(dialog.GetHandle(), nullptr);
    }
}

TEST(CModalDialog, ATemplateThatCannotBeFoundMakesNoDialogAndKeepsTheCountBalanced)
{
    ScriptedDialogPresenter presenter;
    for (const wchar_t* name : {static_cast<const wchar_t*>(nullptr), L"NoSuchDialog"})
    {
        NamedDialog modal(name);
        EXPECT_EQ(modal.DoModal(nullptr), -1);
        NamedDialog modeless(name);
        EXPECT_FALSE(modeless.StartModeless(nullptr));
        EXPECT_EQ(GetDialogRefCount(), 0);
    }
    EXPECT_TRUE(presenter.readyDialogs.empty());
}

TEST(CDialogFlag, CountsAndNeverDropsBelowZero)
{
    {
        CDialogFlag outer;
        CDialogFlag inner;
        EXPECT_EQ(GetDialogRefCount(), 2);
    }
    EXPECT_EQ(GetDialogRefCount(), 0);
    LowerDialogRefCount(); // without its raise: ignored
    EXPECT_EQ(GetDialogRefCount(), 0);
    RaiseDialogRefCount();
    EXPECT_EQ(GetDialogRefCount(), 1);
    LowerDialogRefCount();
    EXPECT_EQ(GetDialogRefCount(), 0);
}

TEST(CProgressDialog, ModelessOverADisabledParentUntilItsOwnerClosesIt)
{
    ScriptedDialogPresenter presenter;
    FrameWindow frame;
    int cancels = 0;
    CProgressDialog progress([&] { ++cancels; });
    ASSERT_TRUE(progress.Open(frame.handle, L"Receive All Data"));
    HWND dialog = progress.GetHandle();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IsWindowEnabled(frame.handle));
    EXPECT_EQ(GetDialogRefCount(), 1);
    EXPECT_EQ(WindowText(dialog), L"Receive All Data");
    EXPECT_EQ(ItemText(dialog, IDC_PROGRESS_TEXT), L"Processing...");
    wchar_t barClass[32] = {};
    GetClassNameW(GetDlgItem(dialog, IDC_PROGRESS_BAR), barClass, 32);
    EXPECT_EQ(std::wstring(barClass), L"msctls_progress32");

    progress.SetStatusText(L"Receiving all programs...");
    EXPECT_EQ(ItemText(dialog, IDC_PROGRESS_TEXT), L"Receiving all programs...");
    progress.SetMaximum(128);
    progress.SetPosition(64);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 50);
    progress.SetPosition(128);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 100);

    // Cancel and the close message tell the owner; the dialog stays.
    PressButton(dialog, IDC_PROGRESS_CANCEL);
    EXPECT_TRUE(PumpUntil([&] { return cancels == 1; }));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return cancels == 2; }));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(GetDialogRefCount(), 1);

    progress.Close();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(progress.GetHandle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frame.handle));
    EXPECT_EQ(GetDialogRefCount(), 0);
    progress.Close(); // again: nothing
    EXPECT_EQ(GetDialogRefCount(), 0);
    EXPECT_EQ(cancels, 2);
}

TEST(CProgressDialog, PositionShownAsAPercentOfTheMaximum)
{
    const struct
    {
        int32_t position, maximum, percent;
    } cases[] = {
        {0, 100, 0},  {1, 3, 33}, {64, 128, 50}, {1, 1, 100},         {200, 100, 100},
        {-5, 100, 0}, {5, 0, 0},  {5, -1, 0},    {INT32_MAX, 1, 100}, {INT32_MAX, INT32_MAX, 100},
    };
    CProgressDialog progress;
    EXPECT_EQ(progress.GetPosition(), 0);
    EXPECT_EQ(progress.GetMaximum(), 100);
    for (const auto& c : cases)
    {
        progress.SetMaximum(c.maximum);
        progress.SetPosition(c.position);
        EXPECT_EQ(progress.GetPercent(), c.percent) << c.position << " of " << c.maximum;
    }
}

TEST(CProgressDialog, DeletedWhileOpenItClosesAndBalancesTheCount)
{
    FrameWindow frame;
    HWND dialog = nullptr;
    {
        CProgressDialog progress;
        ASSERT_TRUE(progress.Open(frame.handle, L"Device Scan"));
        dialog = progress.GetHandle();
        EXPECT_EQ(GetDialogRefCount(), 1);
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(frame.handle));
    EXPECT_EQ(GetDialogRefCount(), 0);
}

TEST(CProgressDialog, ClosedOverAParentThatABoxHadDisabledLeavesItDisabled)
{
    FrameWindow frame;
    EnableWindow(frame.handle, FALSE); // as a message box over the frame leaves it
    {
        CProgressDialog progress;
        ASSERT_TRUE(progress.Open(frame.handle, L"Write All Data"));
        progress.Close();
    }
    EXPECT_FALSE(IsWindowEnabled(frame.handle)) << "the frame takes input under the box again";
    EXPECT_EQ(GetDialogRefCount(), 0);
}
