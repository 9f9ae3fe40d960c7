#pragma once

#include <windows.h>

// Where the program's message boxes and dialogs meet the screen. The Win32 one shows them; a
// test puts its own in place to answer boxes and to press the buttons of real dialogs.
class CDialogPresenter
{
public:
    virtual ~CDialogPresenter();

    // MessageBoxW: IDOK, IDCANCEL, IDYES, IDNO ...; 0 when the box could not be shown.
    virtual int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT flags);
    // DialogBoxIndirectParamW: the result the dialog ended with; -1 when it could not be made.
    virtual INT_PTR RunModal(const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC procedure, LPARAM param);
    // CreateDialogIndirectParamW: the dialog; null when it could not be made.
    virtual HWND CreateModeless(const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC procedure,
                                LPARAM param);
    // Called once a dialog has been initialised, before it is shown.
    virtual void OnDialogReady(HWND dialog, const wchar_t* templateName);
};

// The presenter in use, never null; null restores the Win32 one. Window thread only.
CDialogPresenter* GetDialogPresenter();
void SetDialogPresenter(CDialogPresenter* presenter);

// The window that owns the boxes and parents the dialogs: the main frame once it exists.
HWND GetDialogParentFrame();
void SetDialogParentFrame(HWND frame);
