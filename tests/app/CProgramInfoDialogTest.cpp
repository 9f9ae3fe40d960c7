#include "app/AppResources.h"
#include "app/CProgramInfoDialog.h"
#include "resources/AppDialogIds.h"

#include "support/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
std::string Field(const char* field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

CProgramInfoRecord MakeRecord()
{
    CProgramInfoRecord record;
    std::memcpy(record.name, "INITPROG", 8); // full: no terminator
    record.nameSet = true;
    std::memcpy(record.programmer, "never shown", 11);
    record.programmerSet = false;
    std::strcpy(record.comment, "Warm pad");
    record.commentSet = true;
    return record;
}
} // namespace

TEST(CProgramInfoDialog, ShowsTheSetFieldsAndStoresTheEditedTextsCut)
{
    ScriptedDialogPresenter presenter;
    CProgramInfoRecord record = MakeRecord();
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(WindowText(dialog), L"Program Info");
        EXPECT_EQ(ItemText(dialog, IDC_INFO_NAME), L"INITPROG");
        EXPECT_EQ(ItemText(dialog, IDC_INFO_PROGRAMMER), L"");
        EXPECT_EQ(ItemText(dialog, IDC_INFO_COMMENT), L"Warm pad");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_INFO_NAME));
        SetDlgItemTextW(dialog, IDC_INFO_NAME, L"Analog Brass");
        SetDlgItemTextW(dialog, IDC_INFO_PROGRAMMER, L"J. Doe");
        SetDlgItemTextW(dialog, IDC_INFO_COMMENT, std::wstring(70, L'c').c_str());
        PressButton(dialog, IDC_DIALOG_OK);
    };
    CProgramInfoDialog dialog(record);
    EXPECT_EQ(dialog.DoModal(nullptr), 1);
    EXPECT_EQ(Field(record.name, 8), "Analog B");
    EXPECT_EQ(Field(record.programmer, 24), "J. Doe");
    EXPECT_EQ(std::string(record.programmer + 6, record.programmer + 24), std::string(18, '\0'));
    EXPECT_EQ(Field(record.comment, 64), std::string(64, 'c'));
    EXPECT_TRUE(record.nameSet && record.programmerSet && record.commentSet);
}

// Text beyond ASCII, in the code page or outside it, is refused as a whole.
TEST(CProgramInfoDialog, MultiByteTextStoresNothing)
{
    const struct
    {
        int id;
        const wchar_t* text;
    } cases[] = {
        {IDC_INFO_PROGRAMMER, L"山田"},
        {IDC_INFO_NAME, L"Caf\u00E9"},
        {IDC_INFO_COMMENT, L"ok until here \u266A"},
    };
    for (const auto& c : cases)
    {
        ScriptedDialogPresenter presenter;
        CProgramInfoRecord record = MakeRecord();
        const CProgramInfoRecord before = record;
        presenter.onReady = [&](HWND dialog)
        {
            SetDlgItemTextW(dialog, IDC_INFO_NAME, L"NEWNAME");
            SetDlgItemTextW(dialog, c.id, c.text);
            PressButton(dialog, IDC_DIALOG_OK);
        };
        CProgramInfoDialog dialog(record);
        EXPECT_EQ(dialog.DoModal(nullptr), CProgramInfoDialog::kResultMultiByte);
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    }
}

TEST(CProgramInfoDialog, CancelStoresNothingAndTheJapaneseTemplateIsUsedInJapanese)
{
    ScriptedDialogPresenter presenter;
    CProgramInfoRecord record = MakeRecord();
    const CProgramInfoRecord before = record;
    SetResourceLanguage(kLanguageJapanese);
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(WindowText(dialog), L"プログラム情報");
        SetDlgItemTextW(dialog, IDC_INFO_COMMENT, L"changed");
        PressButton(dialog, IDC_DIALOG_CANCEL);
    };
    CProgramInfoDialog dialog(record);
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    SetResourceLanguage(0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}
