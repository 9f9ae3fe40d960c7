#include "app/CMapValueDialog.h"

#include "resources/AppDialogIds.h"

#include <cwchar>

namespace
{
// Numbers 96 to 101 are not offered.
constexpr int32_t kFirstGap = 96;
constexpr int32_t kAfterGap = 102;
constexpr int32_t kLast = 119;
} // namespace

CMapValueDialog::CMapValueDialog(CMapValueRecord& record) : m_record(record) {}

CMapValueDialog::~CMapValueDialog() = default;

int32_t CMapValueDialog::GetCcNumber(int32_t position)
{
    if (position < 1 || position >= kChoiceCount)
        return -1;
    return position <= kFirstGap ? position - 1 : position - 1 - kFirstGap + kAfterGap;
}

int32_t CMapValueDialog::GetPosition(int32_t ccNumber)
{
    if (ccNumber >= 0 && ccNumber < kFirstGap)
        return ccNumber + 1;
    if (ccNumber >= kAfterGap && ccNumber <= kLast)
        return ccNumber - kAfterGap + kFirstGap + 1;
    return 0;
}

bool CMapValueDialog::OnInitDialog()
{
    SetWindowTextW(GetHandle(), m_record.caption.c_str());
    SetDlgItemTextW(GetHandle(), IDC_MAP_LABEL, m_record.label.c_str());
    HWND list = GetDlgItem(GetHandle(), IDC_MAP_CHOICE);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Off"));
    for (int32_t position = 1; position < kChoiceCount; ++position)
    {
        wchar_t text[16];
        std::swprintf(text, 16, L"CC# %02d", static_cast<int>(GetCcNumber(position)));
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    const int32_t position =
        m_record.position >= 0 && m_record.position < kChoiceCount ? m_record.position : 0;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    return true;
}

bool CMapValueDialog::OnCommand(int id, int /*code*/, LPARAM /*param*/)
{
    if (id != IDC_DIALOG_OK)
        return false;
    const LRESULT selected = SendDlgItemMessageW(GetHandle(), IDC_MAP_CHOICE, CB_GETCURSEL, 0, 0);
    m_record.position = selected >= 0 ? static_cast<int32_t>(selected) : 0;
    End(1);
    return true;
}
