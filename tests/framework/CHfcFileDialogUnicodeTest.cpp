#include "framework/CHfcFileDialogUnicode.h"

#include "support/FileDialogDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
class RecordingListener : public CHfcFileDialogUnicodeListener
{
public:
    void OnHfcFileDialogAction(CHfcFileDialogUnicode* dialog, uint32_t action, uintptr_t user) override
    {
        calls.push_back(L"action " + std::to_wstring(action) + L" " + std::to_wstring(user) + L" " +
                        dialog->GetFilePath());
    }
    void OnFileDialogClosed(CHfcFileDialogUnicode*, uintptr_t user) override
    {
        calls.push_back(L"closed " + std::to_wstring(user));
    }
    std::vector<std::wstring> calls;
};

std::wstring RawFilterList(const OPENFILENAMEW& record)
{
    const wchar_t* at = record.lpstrFilter;
    size_t n = 0;
    while (at[n] != L'\0' || at[n + 1] != L'\0')
        ++n;
    return std::wstring(at, n + 2);
}
} // namespace

TEST(CHfcFileDialogUnicode, FiltersArePairsEndedByASecondNul)
{
    CHfcOpenFileDialogUnicode dialog;
    ASSERT_TRUE(dialog.AddFilter(L"A", L"a"));
    ASSERT_TRUE(dialog.AddFilter(L"B", L"b"));
    dialog.Setup(nullptr, nullptr, 0);
    EXPECT_EQ(RawFilterList(dialog.GetRecord()), std::wstring(L"A\0a\0B\0b\0\0", 9));
    using Pair = std::pair<std::wstring, std::wstring>;
    EXPECT_EQ(dialog.GetFilters(), (std::vector<Pair>{{L"A", L"a"}, {L"B", L"b"}}));

    // A filter that would not fit is refused whole and the list stays intact.
    EXPECT_FALSE(dialog.AddFilter(std::wstring(250, L'x'), L"*.*"));
    EXPECT_EQ(dialog.GetFilters().size(), 2u);
}

TEST(CHfcFileDialogUnicode, SetupFlagsOfEachKindAndTheTextLimits)
{
    CHfcOpenFileDialogUnicode open;
    open.Setup(nullptr, nullptr, 0);
    EXPECT_EQ(open.GetRecord().Flags, 8912928u | OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.GetRecord().lpstrDefExt, nullptr) << "no extension, none in the record";
    EXPECT_EQ(open.GetRecord().nMaxFile, 260u);
    EXPECT_EQ(open.GetRecord().lStructSize, sizeof(OPENFILENAMEW));

    CHfcSaveFileDialogUnicode save;
    save.SetDefaultExtension(L"nvrn_prog");
    save.SetTitle(std::wstring(300, L'T'));
    save.Setup(nullptr, nullptr, 0);
    EXPECT_EQ(save.GetRecord().Flags, 8912928u | 0x806u);
    EXPECT_EQ(std::wstring(save.GetRecord().lpstrDefExt), L"nvrn_prog");
    EXPECT_EQ(save.GetTitle().size(), 255u);
    save.SetFilePath(std::wstring(400, L'p'));
    EXPECT_EQ(save.GetFilePath().size(), 259u);
}

// Finish is what a dialog does when it closes: the chosen file, then the close.
TEST(CHfcFileDialogUnicode, ListenerHearsTheChoiceThenTheClose)
{
    RecordingListener listener;
    CHfcSaveFileDialogUnicode dialog;
    dialog.Setup(nullptr, &listener, 42);
    dialog.SetFilePath(L"C:\\a.nvrn_prog");
    dialog.Finish(true);
    dialog.Finish(false);
    EXPECT_EQ(listener.calls,
              (std::vector<std::wstring>{L"action 1 42 C:\\a.nvrn_prog", L"closed 42", L"closed 42"}));

    // The default close deletes a dialog made with new.
    CHfcFileDialogUnicodeListener deleting;
    auto* owned = new CHfcOpenFileDialogUnicode();
    owned->Setup(nullptr, &deleting, 0);
    owned->Finish(false);
}

// The real dialog, cancelled: only the close reaches the listener.
TEST(CHfcFileDialogUnicode, RealDialogCancelledReportsOnlyTheClose)
{
    if (std::getenv("NV_TEST_SERIAL") == nullptr)
        GTEST_SKIP() << "runs in framework_tests_serial";
    RecordingListener listener;
    CHfcOpenFileDialogUnicode dialog;
    dialog.SetTitle(L"Open Program Data File");
    dialog.AddFilter(L"Nuvorn Program Data Files (*.nvrn_prog)", L"*.nvrn_prog");
    dialog.Setup(nullptr, &listener, 7);
    FileDialogDriver driver(
        [](HWND shown, int)
        {
            PressDialogButton(shown, IDCANCEL);
            return true;
        });
    EXPECT_TRUE(dialog.GetOneFile());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(driver.Title(), L"Open Program Data File");
    EXPECT_EQ(listener.calls, (std::vector<std::wstring>{L"closed 7"}));
}
