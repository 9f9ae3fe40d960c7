#pragma once

#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Answers message boxes from a script instead of showing them, and lets a test act on each real
// dialog once it is initialised: look at its controls, change them, press its buttons. In place
// for its lifetime.
class ScriptedDialogPresenter : public CDialogPresenter
{
public:
    struct Box
    {
        HWND owner;
        UINT flags;
        std::wstring title;
        std::wstring text;
        int32_t openCount; // the open-dialog count while it was shown
    };

    ScriptedDialogPresenter() { SetDialogPresenter(this); }
    ~ScriptedDialogPresenter() override { SetDialogPresenter(nullptr); }

    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT flags) override
    {
        boxes.push_back({owner, flags, title, text, GetDialogRefCount()});
        if (answers.empty())
            return IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void OnDialogReady(HWND dialog, const wchar_t* templateName) override
    {
        readyDialogs.push_back(templateName != nullptr ? templateName : L"");
        openCountAtReady = GetDialogRefCount();
        if (onReady)
            onReady(dialog);
    }

    std::vector<Box> boxes;
    std::deque<int> answers; // Win32 answers (IDOK, IDNO ...); IDOK once used up
    std::function<void(HWND dialog)> onReady;
    std::vector<std::wstring> readyDialogs;
    int32_t openCountAtReady = -1;
};

// Presses a dialog button as a click does: its command arrives through the message queue.
inline void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The text of a window or of a dialog's control.
inline std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

inline std::wstring ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

// The entries of a combo box, and the selected one.
inline std::vector<std::wstring> ComboEntries(HWND dialog, int id)
{
    std::vector<std::wstring> entries;
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        wchar_t text[512] = {};
        if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 512)
            SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

inline int ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}
