#pragma once

#include <windows.h>

// A dialog made from a template of the program's resources (in the resource language), driven by
// one dialog procedure shared by every dialog. Runs modally, or modeless over a disabled parent.
// The open-dialog count is raised while it is open.
class CModalDialog
{
public:
    enum : int
    {
        kIdOk = 500,
        kIdCancel = 501,
    };

    CModalDialog();
    // A modeless dialog still open is closed.
    virtual ~CModalDialog();
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;

    // Runs the dialog over owner (the main frame when null) until it ends; returns the result it
    // ended with, -1 when it could not be made.
    INT_PTR DoModal(HWND owner);
    // Makes the dialog modeless over owner (the main frame when null), disables the parent and
    // shows the dialog; false when it could not be made.
    bool StartModeless(HWND owner);
    // A modal dialog ends with the result; a modeless one re-enables and activates its parent and
    // is destroyed. Nothing happens when the dialog is not open.
    void End(INT_PTR result);

    HWND GetHandle() const { return m_dialog; }
    INT_PTR GetResult() const { return m_result; }
    bool IsModeless() const { return m_modeless; }

protected:
    // The dialog's template; null makes no dialog.
    virtual const wchar_t* GetTemplateName() const = 0;
    // Fills the controls; true lets the dialog manager set the focus.
    virtual bool OnInitDialog();
    // Every command but Cancel's; true when handled.
    virtual bool OnCommand(int id, int code, LPARAM param);
    // Cancel, Escape and the close box end the dialog with -1 only when this agrees.
    virtual bool QueryCancel();
    virtual int GetCancelId() const { return kIdCancel; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    const DLGTEMPLATE* FindTemplate() const;
    void OnDestroyed();

    HWND m_owner;
    HWND m_parent;
    INT_PTR m_result;
    bool m_modeless;
    bool m_counted;       // a modeless dialog holds one count of the open-dialog count
    bool m_enablesParent; // the parent was enabled before the modeless dialog disabled it
    HWND m_dialog;        // null when not open
};
