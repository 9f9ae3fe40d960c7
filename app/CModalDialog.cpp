#include "app/CModalDialog.h"

#include "app/AppResources.h"
#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"
#include "foundation/EfUtility.h"

#include <commctrl.h>

namespace
{
// The progress bar of the progress dialog is a common control.
void InitializeCommonControls()
{
    static const bool initialized = []
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialized;
}
} // namespace

CModalDialog::CModalDialog()
    : m_owner(nullptr), m_parent(nullptr), m_result(0), m_modeless(false), m_counted(false),
      m_enablesParent(false), m_dialog(nullptr)
{
}

CModalDialog::~CModalDialog()
{
    if (m_modeless && m_dialog != nullptr)
        End(-1);
}

const DLGTEMPLATE* CModalDialog::FindTemplate() const
{
    const wchar_t* name = GetTemplateName();
    if (name == nullptr)
    {
        DebugTrace("CModalDialog - %s", "Dialog name is not specified.");
        return nullptr;
    }
    const void* data = nullptr;
    uint32_t size = 0;
    if (!FindAppResource(reinterpret_cast<const wchar_t*>(RT_DIALOG), name, &data, &size) ||
        size < sizeof(DLGTEMPLATE))
    {
        DebugTrace("CModalDialog - %s", "Dialog template not found.");
        return nullptr;
    }
    return static_cast<const DLGTEMPLATE*>(data);
}

INT_PTR CModalDialog::DoModal(HWND owner)
{
    if (m_dialog != nullptr)
        return -1;
    const DLGTEMPLATE* dialogTemplate = FindTemplate();
    if (dialogTemplate == nullptr)
        return -1;
    InitializeCommonControls();
    m_owner = owner;
    m_parent = owner != nullptr ? owner : GetDialogParentFrame();
    m_modeless = false;
    m_result = -1;
    INT_PTR result = -1;
    {
        CDialogFlag open;
        result = GetDialogPresenter()->RunModal(dialogTemplate, m_parent, &CModalDialog::DialogProc,
                                                reinterpret_cast<LPARAM>(this));
    }
    if (result == -1 && m_dialog == nullptr) // never initialised
        DebugTrace("CModalDialog::DoModal() - %s", "Failed to create the dialog.");
    m_dialog = nullptr;
    m_result = result;
    return result;
}

bool CModalDialog::StartModeless(HWND owner)
{
    if (m_dialog != nullptr)
        return false;
    const DLGTEMPLATE* dialogTemplate = FindTemplate();
    if (dialogTemplate == nullptr)
        return false;
    InitializeCommonControls();
    m_owner = owner;
    m_parent = owner != nullptr ? owner : GetDialogParentFrame();
    m_modeless = true;
    m_result = 0;
    RaiseDialogRefCount();
    m_counted = true;
    HWND dialog = GetDialogPresenter()->CreateModeless(dialogTemplate, m_parent, &CModalDialog::DialogProc,
                                                       reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr)
    {
        DebugTrace("CModalDialog::StartModeless() - %s", "Failed to create the dialog.");
        OnDestroyed();
        return false;
    }
    m_dialog = dialog;
    // A parent that a modal box disabled before stays disabled after this dialog, for the box.
    m_enablesParent = m_parent != nullptr && !EnableWindow(m_parent, FALSE);
    ShowWindow(dialog, SW_SHOW);
    return true;
}

void CModalDialog::End(INT_PTR result)
{
    if (m_dialog == nullptr)
        return;
    m_result = result;
    if (!m_modeless)
    {
        EndDialog(m_dialog, result);
        return;
    }
    // The parent first, so that it and not another window becomes active.
    if (m_enablesParent)
    {
        m_enablesParent = false;
        EnableWindow(m_parent, TRUE);
        SetActiveWindow(m_parent);
    }
    DestroyWindow(m_dialog); // WM_NCDESTROY clears the handle and the count
}

void CModalDialog::OnDestroyed()
{
    m_dialog = nullptr;
    if (m_counted)
    {
        m_counted = false;
        LowerDialogRefCount();
    }
}

bool CModalDialog::OnInitDialog()
{
    return true;
}

bool CModalDialog::OnCommand(int /*id*/, int /*code*/, LPARAM /*param*/)
{
    return false;
}

bool CModalDialog::QueryCancel()
{
    return true;
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        auto* self = reinterpret_cast<CModalDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->m_dialog = dialog;
        const bool defaultFocus = self->OnInitDialog();
        GetDialogPresenter()->OnDialogReady(dialog, self->GetTemplateName());
        return defaultFocus ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<CModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    switch (message)
    {
    case WM_CLOSE:
        if (self->QueryCancel())
            self->End(-1);
        return TRUE;
    case WM_COMMAND:
    {
        const int id = LOWORD(wParam);
        if (id == self->GetCancelId() || id == IDCANCEL)
        {
            if (self->QueryCancel())
                self->End(-1);
            return TRUE;
        }
        return self->OnCommand(id, HIWORD(wParam), lParam) ? TRUE : FALSE;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        if (self->m_modeless)
            self->OnDestroyed();
        return FALSE;
    default:
        return FALSE;
    }
}
