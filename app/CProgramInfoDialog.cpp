#include "app/CProgramInfoDialog.h"

#include "app/AppText.h"
#include "resources/AppDialogIds.h"

#include <cstring>
#include <string>

namespace
{
std::wstring GetItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(item);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(item, &text[0], length + 1);
    text.resize(static_cast<size_t>(read > 0 ? read : 0));
    return text;
}

bool IsAscii(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c >= 128)
            return false;
    return true;
}

// Copies the ASCII text into the field, cut to its width, the rest NUL.
void StoreField(char* field, size_t width, const std::wstring& text)
{
    std::memset(field, 0, width);
    for (size_t i = 0; i < width && i < text.size(); ++i)
        field[i] = static_cast<char>(text[i]);
}
} // namespace

CProgramInfoDialog::CProgramInfoDialog(CProgramInfoRecord& record) : m_record(record) {}

CProgramInfoDialog::~CProgramInfoDialog() = default;

bool CProgramInfoDialog::OnInitDialog()
{
    const struct
    {
        int id;
        const char* field;
        size_t width;
        bool set;
    } fields[] = {
        {IDC_INFO_NAME, m_record.name, sizeof m_record.name, m_record.nameSet},
        {IDC_INFO_PROGRAMMER, m_record.programmer, sizeof m_record.programmer, m_record.programmerSet},
        {IDC_INFO_COMMENT, m_record.comment, sizeof m_record.comment, m_record.commentSet},
    };
    for (const auto& f : fields)
        SetDlgItemTextW(GetHandle(), f.id, f.set ? AnsiToWide(f.field, f.width).c_str() : L"");
    SetFocus(GetDlgItem(GetHandle(), IDC_INFO_NAME));
    return false;
}

bool CProgramInfoDialog::OnCommand(int id, int /*code*/, LPARAM /*param*/)
{
    if (id != IDC_DIALOG_OK)
        return false;
    // Read as UTF-16: an ANSI read would turn characters outside the code page into '?'.
    const std::wstring name = GetItemText(GetHandle(), IDC_INFO_NAME);
    const std::wstring programmer = GetItemText(GetHandle(), IDC_INFO_PROGRAMMER);
    const std::wstring comment = GetItemText(GetHandle(), IDC_INFO_COMMENT);
    if (!IsAscii(name) || !IsAscii(programmer) || !IsAscii(comment))
    {
        End(kResultMultiByte);
        return true;
    }
    StoreField(m_record.name, sizeof m_record.name, name);
    StoreField(m_record.programmer, sizeof m_record.programmer, programmer);
    StoreField(m_record.comment, sizeof m_record.comment, comment);
    m_record.nameSet = m_record.programmerSet = m_record.commentSet = true;
    End(1);
    return true;
}
