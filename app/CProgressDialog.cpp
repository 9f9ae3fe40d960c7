#include "app/CProgressDialog.h"

#include "foundation/EfUtility.h"
#include "resources/AppDialogIds.h"

#include <commctrl.h>

CProgressDialog::CProgressDialog(std::function<void()> onCancel)
    : m_onCancel(std::move(onCancel)), m_position(0), m_maximum(100)
{
}

CProgressDialog::~CProgressDialog()
{
    Close();
}

bool CProgressDialog::Open(HWND owner, const wchar_t* caption)
{
    if (!StartModeless(owner))
        return false;
    if (caption != nullptr)
        SetWindowTextW(GetHandle(), caption);
    return true;
}

void CProgressDialog::Close()
{
    End(-1);
}

void CProgressDialog::SetStatusText(const wchar_t* text)
{
    if (GetHandle() != nullptr)
        SetDlgItemTextW(GetHandle(), IDC_PROGRESS_TEXT, text != nullptr ? text : L"");
}

void CProgressDialog::SetMaximum(int32_t maximum)
{
    m_maximum = maximum;
    ShowPosition();
}

void CProgressDialog::SetPosition(int32_t position)
{
    m_position = position;
    ShowPosition();
}

int32_t CProgressDialog::GetPercent() const
{
    // A maximum of 0 or less shows nothing rather than dividing by it.
    if (m_maximum <= 0)
        return 0;
    return static_cast<int32_t>(ClampValue(static_cast<double>(m_position) * 100.0 / m_maximum, 0.0, 100.0));
}

void CProgressDialog::ShowPosition()
{
    if (GetHandle() != nullptr)
        SendDlgItemMessageW(GetHandle(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(GetPercent()), 0);
}

bool CProgressDialog::OnInitDialog()
{
    SendDlgItemMessageW(GetHandle(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    ShowPosition();
    return true;
}

bool CProgressDialog::QueryCancel()
{
    if (m_onCancel)
        m_onCancel();
    return false;
}

int CProgressDialog::GetCancelId() const
{
    return IDC_PROGRESS_CANCEL;
}
