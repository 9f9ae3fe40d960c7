#include "app/CMapValueDialog.h"
#include "resources/AppDialogIds.h"

#include "support/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CMapValueDialog, ListsOffAndTheOfferedNumbersAndOkStoresThePosition)
{
    ScriptedDialogPresenter presenter;
    CMapValueRecord record{L"CC# Map", L"Filter 1 Cutoff", CMapValueDialog::GetPosition(5)};
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(WindowText(dialog), L"CC# Map");
        EXPECT_EQ(ItemText(dialog, IDC_MAP_LABEL), L"Filter 1 Cutoff");
        const std::vector<std::wstring> entries = ComboEntries(dialog, IDC_MAP_CHOICE);
        ASSERT_EQ(entries.size(), 115u);
        EXPECT_EQ(entries[0], L"Off");
        EXPECT_EQ(entries[1], L"CC# 00");
        EXPECT_EQ(entries[6], L"CC# 05");
        EXPECT_EQ(entries[96], L"CC# 95");
        EXPECT_EQ(entries[97], L"CC# 102");
        EXPECT_EQ(entries[114], L"CC# 119");
        EXPECT_EQ(ComboSelection(dialog, IDC_MAP_CHOICE), 6);
        SendDlgItemMessageW(dialog, IDC_MAP_CHOICE, CB_SETCURSEL, 97, 0);
        PressButton(dialog, IDC_DIALOG_OK);
    };
    CMapValueDialog dialog(record);
    EXPECT_EQ(dialog.DoModal(nullptr), 1);
    EXPECT_EQ(record.position, 97);
    EXPECT_EQ(CMapValueDialog::GetCcNumber(record.position), 102);
}

TEST(CMapValueDialog, CancelKeepsThePositionAndAPositionOutsideTheListOpensAtOff)
{
    ScriptedDialogPresenter presenter;
    CMapValueRecord record{L"CC# Map", L"Portamento", 400};
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(ComboSelection(dialog, IDC_MAP_CHOICE), 0);
        SendDlgItemMessageW(dialog, IDC_MAP_CHOICE, CB_SETCURSEL, 3, 0);
        PressButton(dialog, IDC_DIALOG_CANCEL);
    };
    CMapValueDialog dialog(record);
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    EXPECT_EQ(record.position, 400);
}

TEST(CMapValueDialog, PositionsAndNumbers)
{
    const struct
    {
        int32_t ccNumber;
        int32_t position;
        int32_t back; // the number the position stands for
    } cases[] = {
        {0, 1, 0},      {5, 6, 5},       {95, 96, 95}, {96, 0, -1}, {101, 0, -1},
        {102, 97, 102}, {119, 114, 119}, {120, 0, -1}, {-1, 0, -1}, {INT32_MIN, 0, -1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CMapValueDialog::GetPosition(c.ccNumber), c.position) << c.ccNumber;
        EXPECT_EQ(CMapValueDialog::GetCcNumber(c.position), c.back) << c.ccNumber;
    }
    for (int32_t position : {-1, 0, 115, 1000})
        EXPECT_EQ(CMapValueDialog::GetCcNumber(position), -1) << position;
    for (int32_t position = 1; position < CMapValueDialog::kChoiceCount; ++position)
        EXPECT_EQ(CMapValueDialog::GetPosition(CMapValueDialog::GetCcNumber(position)), position);
}
