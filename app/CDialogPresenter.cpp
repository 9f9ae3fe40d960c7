#include "app/CDialogPresenter.h"

#include "app/AppResources.h"

namespace
{
CDialogPresenter g_win32Presenter;
CDialogPresenter* g_presenter = nullptr; // null: the Win32 one
HWND g_frame = nullptr;
} // namespace

CDialogPresenter::~CDialogPresenter() = default;

int CDialogPresenter::ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT flags)
{
    return MessageBoxW(owner, text, title, flags);
}

INT_PTR CDialogPresenter::RunModal(const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC procedure,
                                   LPARAM param)
{
    return DialogBoxIndirectParamW(static_cast<HINSTANCE>(GetAppResourceModule()), dialogTemplate, parent,
                                   procedure, param);
}

HWND CDialogPresenter::CreateModeless(const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC procedure,
                                      LPARAM param)
{
    return CreateDialogIndirectParamW(static_cast<HINSTANCE>(GetAppResourceModule()), dialogTemplate, parent,
                                      procedure, param);
}

void CDialogPresenter::OnDialogReady(HWND /*dialog*/, const wchar_t* /*templateName*/) {}

CDialogPresenter* GetDialogPresenter()
{
    return g_presenter != nullptr ? g_presenter : &g_win32Presenter;
}

void SetDialogPresenter(CDialogPresenter* presenter)
{
    g_presenter = presenter;
}

HWND GetDialogParentFrame()
{
    return g_frame;
}

void SetDialogParentFrame(HWND frame)
{
    g_frame = frame;
}
