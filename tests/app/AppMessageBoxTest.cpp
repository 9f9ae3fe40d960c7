#include "app/AppMessageBox.h"
#include "app/AppResources.h"
#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"
#include "app/CTDWResource.h"

#include "support/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

TEST(ShowMessageBox, TypeSelectsButtonsAndIconAndTheAnswerMapsToItsResult)
{
    const struct
    {
        uint32_t type;
        int answer;
        UINT flags; // besides MB_SETFOREGROUND
        int32_t result;
    } cases[] = {
        {kBoxTypeOk, IDOK, MB_OK, kBoxResultOk},
        {kBoxTypeWarning, IDOK, MB_OK | MB_ICONWARNING, kBoxResultOk},
        {kBoxTypeConfirm, IDOK, MB_OKCANCEL | MB_ICONWARNING, kBoxResultOk},
        {kBoxTypeConfirm, IDCANCEL, MB_OKCANCEL | MB_ICONWARNING, kBoxResultCancel},
        {kBoxTypeSaveChanges, IDYES, MB_YESNOCANCEL | MB_ICONWARNING, kBoxResultYes},
        {kBoxTypeSaveChanges, IDNO, MB_YESNOCANCEL | MB_ICONWARNING, kBoxResultNo},
        {kBoxTypeSaveChanges, IDCANCEL, MB_YESNOCANCEL | MB_ICONWARNING, kBoxResultCancel},
        {0x4C, IDNO, MB_YESNO | MB_ICONINFORMATION, kBoxResultNo},
        {0x2F, IDOK, MB_OK | MB_ICONERROR, kBoxResultOk},
        {0x90, IDOK, MB_OK, kBoxResultOk},
        {0x01, IDABORT, MB_OK, kBoxResultCancel}, // an answer without a meaning here
        {kBoxTypeOk, 0, MB_OK, kBoxResultCancel}, // the box could not be shown
    };
    HWND frame = reinterpret_cast<HWND>(0x1234);
    SetDialogParentFrame(frame);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.type);
        ScriptedDialogPresenter presenter;
        presenter.answers = {c.answer};
        EXPECT_EQ(ShowMessageBox(c.type, L"Title", L"Text"), c.result);
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].flags, c.flags | MB_SETFOREGROUND);
        EXPECT_EQ(presenter.boxes[0].owner, frame);
        EXPECT_EQ(presenter.boxes[0].title, L"Title");
        EXPECT_EQ(presenter.boxes[0].text, L"Text");
        EXPECT_EQ(presenter.boxes[0].openCount, 1);
        EXPECT_EQ(GetDialogRefCount(), 0);
    }
    SetDialogParentFrame(nullptr);
}

TEST(ShowMessageBox, AnsiBoxIsOkOnlyAndNullTextsShowEmpty)
{
    ScriptedDialogPresenter presenter;
    presenter.answers = {IDOK, IDOK};
    EXPECT_EQ(ShowMessageBoxA("Error", "Failed to create application instance"), kBoxResultOk);
    EXPECT_EQ(ShowMessageBox(kBoxTypeWarning, nullptr, nullptr), kBoxResultOk);
    ASSERT_EQ(presenter.boxes.size(), 2u);
    EXPECT_EQ(presenter.boxes[0].flags, static_cast<UINT>(MB_OK | MB_SETFOREGROUND));
    EXPECT_EQ(presenter.boxes[0].title, L"Error");
    EXPECT_EQ(presenter.boxes[0].text, L"Failed to create application instance");
    EXPECT_EQ(presenter.boxes[1].title, L"");
    EXPECT_EQ(presenter.boxes[1].text, L"");
}

// The save question's answers keep their meanings apart: No is not OK, Cancel is neither.
TEST(ConfirmSaveChanges, AsksWithTheNameInTheUsersLanguage)
{
    const struct
    {
        uint16_t language;
        const wchar_t* title;
        const wchar_t* text;
    } languages[] = {
        {kLanguageEnglish, L"Confirm", L"Do you want to save the changes to \"Lead Sounds\"?"},
        {kLanguageJapanese, L"確認", L"「Lead Sounds」への変更を保存しますか？"},
    };
    for (const auto& l : languages)
    {
        SetResourceLanguage(l.language);
        CTDWSingleton::Acquire();
        ScriptedDialogPresenter presenter;
        presenter.answers = {IDYES, IDNO, IDCANCEL};
        EXPECT_EQ(ConfirmSaveChanges(L"Lead Sounds"), kBoxResultYes);
        EXPECT_EQ(ConfirmSaveChanges(L"Lead Sounds"), kBoxResultNo);
        EXPECT_EQ(ConfirmSaveChanges(L"Lead Sounds"), kBoxResultCancel);
        ASSERT_EQ(presenter.boxes.size(), 3u);
        EXPECT_EQ(presenter.boxes[0].flags,
                  static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING | MB_SETFOREGROUND));
        EXPECT_EQ(presenter.boxes[0].title, l.title);
        EXPECT_EQ(presenter.boxes[0].text, l.text);
        CTDWSingleton::Release();
    }
    SetResourceLanguage(0);
    EXPECT_NE(kBoxResultNo, kBoxResultOk);
}

namespace
{
// Answers the first message box of this thread with a Cancel command once the box is up.
void CALLBACK CancelTheBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL
        {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) != L"#32770")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box == nullptr)
        return;
    KillTimer(nullptr, timer);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}
} // namespace

// The real box under Wine: shown, counted, and its Cancel answered as 0.
TEST(ShowMessageBox, RealBoxCancelledReturnsZero)
{
    ASSERT_NE(SetTimer(nullptr, 0, 20, CancelTheBox), 0u);
    EXPECT_EQ(ShowMessageBox(kBoxTypeConfirm, L"Receive All Data", L"Are you sure to receive all data?"),
              kBoxResultCancel);
    EXPECT_EQ(GetDialogRefCount(), 0);
}
