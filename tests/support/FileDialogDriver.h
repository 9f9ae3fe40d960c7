#pragma once

// Drives a real common file dialog from inside its modal loop: a thread timer finds the
// dialog once it shows and hands it to the test's steps, one step per tick, until a step
// answers true (done). Ticks are timer messages, so a step runs only after everything posted
// before it has been handled.

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>

class FileDialogDriver
{
public:
    // step(dialog, tick): tick counts the calls from 0.
    using Step = std::function<bool(HWND dialog, int tick)>;

    explicit FileDialogDriver(Step step) : m_step(std::move(step))
    {
        Current() = this;
        m_timer = SetTimer(nullptr, 0, 50, &FileDialogDriver::Tick);
    }
    ~FileDialogDriver()
    {
        if (m_timer)
            KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    bool SawDialog() const { return m_dialog != nullptr; }
    bool Done() const { return m_done; }
    // The dialog's title as it showed.
    const std::wstring& Title() const { return m_title; }

private:
    static FileDialogDriver*& Current()
    {
        static FileDialogDriver* current = nullptr;
        return current;
    }

    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(window))
        {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        FileDialogDriver* self = Current();
        if (self == nullptr || self->m_done)
            return;
        if (self->m_dialog == nullptr || !IsWindow(self->m_dialog))
        {
            HWND found = nullptr;
            EnumThreadWindows(GetCurrentThreadId(), &FileDialogDriver::FindDialog,
                              reinterpret_cast<LPARAM>(&found));
            if (found == nullptr)
                return;
            self->m_dialog = found;
            wchar_t title[256] = {};
            GetWindowTextW(found, title, 256);
            self->m_title = title;
        }
        if (self->m_step(self->m_dialog, self->m_tick++))
            self->m_done = true;
    }

    Step m_step;
    UINT_PTR m_timer = 0;
    HWND m_dialog = nullptr;
    std::wstring m_title;
    int m_tick = 0;
    bool m_done = false;
};

// The edit control of the file name: the edit inside the name combo box (which may sit inside
// an extended combo box), or the plain edit of older dialog layouts.
inline HWND FileNameEdit(HWND dialog)
{
    HWND edit = nullptr;
    if (HWND combo = GetDlgItem(dialog, cmb13))
        EnumChildWindows(
            combo,
            [](HWND child, LPARAM found) -> BOOL
            {
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                if (std::wstring(name) != L"Edit")
                    return TRUE;
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&edit));
    return edit != nullptr ? edit : GetDlgItem(dialog, edt1);
}

// Types the text into the file name as keystrokes do: one WM_CHAR per character, after
// emptying the field.
inline void TypeFileName(HWND dialog, const std::wstring& text)
{
    HWND edit = FileNameEdit(dialog);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    for (wchar_t c : text)
        PostMessageW(edit, WM_CHAR, c, 1);
}

inline std::wstring FileNameText(HWND dialog)
{
    wchar_t text[1024] = {};
    GetWindowTextW(FileNameEdit(dialog), text, 1024);
    return text;
}

// Presses a button of the dialog as a click does.
inline void PressDialogButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
