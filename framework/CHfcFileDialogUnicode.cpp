#include "framework/CHfcFileDialogUnicode.h"

#include "foundation/EfUtility.h"

#include <cstring>
#include <cwchar>

namespace
{
// Copies at most capacity - 1 characters and terminates.
void CopyText(wchar_t* to, size_t capacity, const std::wstring& from)
{
    const size_t n = from.size() < capacity - 1 ? from.size() : capacity - 1;
    std::wmemcpy(to, from.c_str(), n);
    to[n] = L'\0';
}
} // namespace

CHfcFileDialogUnicodeListener::~CHfcFileDialogUnicodeListener() = default;

void CHfcFileDialogUnicodeListener::OnFileDialogClosed(CHfcFileDialogUnicode* dialog, uintptr_t)
{
    if (dialog == nullptr)
        return;
    dialog->DetachListener();
    delete dialog;
}

CHfcFileDialogUnicode::CHfcFileDialogUnicode()
    : m_listener(nullptr), m_filterIndex(-1), m_user(0), m_record(), m_filters(), m_filterUsed(0), m_title(),
      m_path(), m_fileTitle(), m_extension()
{
}

CHfcFileDialogUnicode::~CHfcFileDialogUnicode() = default;

bool CHfcFileDialogUnicode::Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user)
{
    m_listener = listener;
    m_user = user;
    std::memset(&m_record, 0, sizeof m_record);
    m_record.lStructSize = sizeof m_record;
    m_record.hwndOwner = owner;
    m_record.lpstrFilter = m_filters;
    // A negative index (none chosen yet) starts on the first filter.
    m_record.nFilterIndex = m_filterIndex > 0 ? static_cast<DWORD>(m_filterIndex) : 1;
    m_record.lpstrFile = m_path;
    m_record.nMaxFile = kPathLength;
    m_record.lpstrFileTitle = m_fileTitle;
    m_record.nMaxFileTitle = kPathLength;
    m_record.lpstrTitle = m_title;
    m_record.Flags = kBaseFlags;
    m_record.lpstrDefExt = m_extension[0] != L'\0' ? m_extension : nullptr;
    m_record.lCustData = reinterpret_cast<LPARAM>(this);
    m_record.lpfnHook = HookProc;
    return true;
}

bool CHfcFileDialogUnicode::DetachListener()
{
    m_listener = nullptr;
    return false;
}

INT_PTR CHfcFileDialogUnicode::OnInitDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 1;
}

INT_PTR CHfcFileDialogUnicode::OnNotify(HWND dialog, const OFNOTIFYW* notify)
{
    if (notify == nullptr)
        return 0;
    switch (notify->hdr.code)
    {
    case CDN_TYPECHANGE:
        return OnTypeChange(dialog);
    case CDN_FOLDERCHANGE:
        return OnFolderChange(dialog);
    case CDN_SELCHANGE:
        return OnSelChange(dialog);
    default:
        return 0;
    }
}

UINT_PTR CALLBACK CHfcFileDialogUnicode::HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        const auto* record = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* self =
            record != nullptr ? reinterpret_cast<CHfcFileDialogUnicode*>(record->lCustData) : nullptr;
        SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self != nullptr ? static_cast<UINT_PTR>(self->OnInitDialog(dialog, message, wParam, lParam))
                               : 0;
    }
    if (message == WM_NOTIFY)
    {
        auto* self = reinterpret_cast<CHfcFileDialogUnicode*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
        if (self != nullptr)
            self->OnNotify(dialog, reinterpret_cast<const OFNOTIFYW*>(lParam));
    }
    return 0;
}

bool CHfcFileDialogUnicode::AddFilter(const std::wstring& description, const std::wstring& pattern)
{
    // The pairs, each string terminated, and the list's closing NUL.
    const size_t needed = m_filterUsed + description.size() + 1 + pattern.size() + 1 + 1;
    if (needed > kFilterLength || description.find(L'\0') != std::wstring::npos ||
        pattern.find(L'\0') != std::wstring::npos)
    {
        DebugTrace("CHfcFileDialogUnicode::AddFilter() - %s", "The filter list is full.");
        return false;
    }
    wchar_t* at = m_filters + m_filterUsed;
    std::wmemcpy(at, description.c_str(), description.size());
    at += description.size();
    *at++ = L'\0';
    std::wmemcpy(at, pattern.c_str(), pattern.size());
    at += pattern.size();
    *at++ = L'\0';
    *at = L'\0';
    m_filterUsed = static_cast<size_t>(at - m_filters);
    return true;
}

std::vector<std::pair<std::wstring, std::wstring>> CHfcFileDialogUnicode::GetFilters() const
{
    std::vector<std::pair<std::wstring, std::wstring>> filters;
    const wchar_t* at = m_filters;
    while (*at != L'\0')
    {
        std::wstring description = at;
        at += description.size() + 1;
        std::wstring pattern = at;
        at += pattern.size() + 1;
        filters.emplace_back(std::move(description), std::move(pattern));
    }
    return filters;
}

void CHfcFileDialogUnicode::SetTitle(const std::wstring& text)
{
    CopyText(m_title, kTitleLength, text);
}

void CHfcFileDialogUnicode::SetDefaultExtension(const std::wstring& text)
{
    CopyText(m_extension, kPathLength, text);
}

void CHfcFileDialogUnicode::SetFilePath(const std::wstring& path)
{
    CopyText(m_path, kPathLength, path);
}

void CHfcFileDialogUnicode::Finish(bool chosen)
{
    const uintptr_t user = m_user;
    if (chosen && m_listener)
        m_listener->OnHfcFileDialogAction(this, CHfcFileDialogUnicodeListener::kActionChosen, user);
    // May delete this dialog.
    if (CHfcFileDialogUnicodeListener* listener = m_listener)
        listener->OnFileDialogClosed(this, user);
}

bool CHfcFileDialogUnicode::Complete(BOOL answered, const char* failure)
{
    bool shown = true;
    if (!answered && CommDlgExtendedError() != 0)
    {
        DebugTrace("%s", failure);
        shown = false;
    }
    Finish(answered != FALSE);
    return shown;
}

bool CHfcOpenFileDialogUnicode::Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user)
{
    CHfcFileDialogUnicode::Setup(owner, listener, user);
    m_record.Flags |= OFN_FILEMUSTEXIST;
    return true;
}

bool CHfcOpenFileDialogUnicode::GetOneFile()
{
    return Complete(GetOpenFileNameW(&m_record), "Failed to call GetOpenFileName().");
}

bool CHfcSaveFileDialogUnicode::Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user)
{
    CHfcFileDialogUnicode::Setup(owner, listener, user);
    m_record.Flags |= OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return true;
}

bool CHfcSaveFileDialogUnicode::GetOneFile()
{
    m_record.Flags |= OFN_OVERWRITEPROMPT;
    m_record.lpstrDefExt = m_extension[0] != L'\0' ? m_extension : nullptr;
    return Complete(GetSaveFileNameW(&m_record), "Failed to call GetSaveFileName().");
}
