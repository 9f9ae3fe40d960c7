#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CHfcFileDialogUnicode;

// Receives the outcome of a file dialog. The user value is the one given to Setup.
class CHfcFileDialogUnicodeListener
{
public:
    enum : uint32_t
    {
        kActionChosen = 1,
    };

    virtual ~CHfcFileDialogUnicodeListener();

    // A file was chosen (action 1): the dialog's GetFilePath names it.
    virtual void OnHfcFileDialogAction(CHfcFileDialogUnicode* /*dialog*/, uint32_t /*action*/,
                                       uintptr_t /*user*/)
    {
    }
    // The dialog's last call, chosen or not. The default detaches and deletes the dialog, which
    // must then have been made with new; a listener that owns its dialog overrides it.
    virtual void OnFileDialogClosed(CHfcFileDialogUnicode* dialog, uintptr_t user);
    virtual void OnFileDialogEvent(CHfcFileDialogUnicode* /*dialog*/, uint32_t /*event*/, uintptr_t /*user*/)
    {
    }
    virtual bool OnFileDialogText(CHfcFileDialogUnicode* /*dialog*/, std::wstring /*text*/) { return true; }
};

// The common open or save dialog in its wide-character form: filters, title, default
// extension and the chosen path, with a hook that passes the dialog's notifications to
// virtual handlers. Modal: GetOneFile returns when the user has closed the dialog.
class CHfcFileDialogUnicode
{
public:
    enum : uint32_t
    {
        kFilterLength = 260,
        kTitleLength = 256,
        kPathLength = 260,
        kBaseFlags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING,
    };

    CHfcFileDialogUnicode();
    virtual ~CHfcFileDialogUnicode();
    CHfcFileDialogUnicode(const CHfcFileDialogUnicode&) = delete;
    CHfcFileDialogUnicode& operator=(const CHfcFileDialogUnicode&) = delete;

    // Keeps the listener (not owned) and user value and fills the dialog record; owner may be
    // null.
    virtual bool Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user);
    // Forgets the listener; false.
    virtual bool DetachListener();
    // The hook's handlers; the dialog passed is the hook's child dialog.
    virtual INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnNotify(HWND dialog, const OFNOTIFYW* notify);
    virtual INT_PTR OnFolderChange(HWND /*dialog*/) { return 0; }
    virtual INT_PTR OnSelChange(HWND /*dialog*/) { return 0; }
    virtual INT_PTR OnTypeChange(HWND /*dialog*/) { return 0; }

    // Shows the dialog. True when it ran, chosen or cancelled; false (traced) when the system
    // could not show it. A chosen file reaches the listener as action 1; then, chosen or not,
    // the listener's OnFileDialogClosed runs, after which the dialog may no longer exist.
    virtual bool GetOneFile() = 0;

    // Appends (description, pattern) to the filter list; false when the list would not fit.
    bool AddFilter(const std::wstring& description, const std::wstring& pattern);
    std::vector<std::pair<std::wstring, std::wstring>> GetFilters() const;
    // At most 255 characters.
    void SetTitle(const std::wstring& text);
    std::wstring GetTitle() const { return m_title; }
    // Without the dot; at most 259 characters.
    void SetDefaultExtension(const std::wstring& text);
    std::wstring GetDefaultExtension() const { return m_extension; }
    // The chosen path; before GetOneFile, the name the dialog starts with (at most 259
    // characters).
    std::wstring GetFilePath() const { return m_path; }
    void SetFilePath(const std::wstring& path);
    int32_t GetFilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int32_t index) { m_filterIndex = index; }
    const OPENFILENAMEW& GetRecord() const { return m_record; }

    // Ends the dialog's run as GetOneFile does: the listener hears of the chosen file, then of
    // the close. For a caller that answers in the dialog's place.
    void Finish(bool chosen);

protected:
    static UINT_PTR CALLBACK HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // After GetOpenFileNameW or GetSaveFileNameW answered: the outcome to the listener.
    bool Complete(BOOL answered, const char* failure);

    CHfcFileDialogUnicodeListener* m_listener;
    int32_t m_filterIndex;
    uintptr_t m_user;
    OPENFILENAMEW m_record;
    wchar_t m_filters[kFilterLength];
    size_t m_filterUsed; // characters of the pairs, without the closing NUL
    wchar_t m_title[kTitleLength];
    wchar_t m_path[kPathLength];
    wchar_t m_fileTitle[kPathLength];
    wchar_t m_extension[kPathLength];
};

// The open dialog: the file must exist.
class CHfcOpenFileDialogUnicode : public CHfcFileDialogUnicode
{
public:
    bool Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user) override;
    bool GetOneFile() override;
};

// The save dialog: the folder must exist, and replacing a file is asked first.
class CHfcSaveFileDialogUnicode : public CHfcFileDialogUnicode
{
public:
    bool Setup(HWND owner, CHfcFileDialogUnicodeListener* listener, uintptr_t user) override;
    bool GetOneFile() override;
};
