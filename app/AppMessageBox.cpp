#include "app/AppMessageBox.h"

#include "app/AppText.h"
#include "app/CDialogFlag.h"
#include "app/CDialogPresenter.h"
#include "app/CTDWResource.h"
#include "foundation/EfUtility.h"

#include <string>

#include <windows.h>

uint32_t GetMessageBoxFlags(uint32_t type)
{
    UINT flags = MB_SETFOREGROUND;
    switch (type & 0x0F)
    {
    case kBoxButtonsOkCancel:
        flags |= MB_OKCANCEL;
        break;
    case kBoxButtonsYesNo:
        flags |= MB_YESNO;
        break;
    case kBoxButtonsYesNoCancel:
        flags |= MB_YESNOCANCEL;
        break;
    default:
        flags |= MB_OK;
        break;
    }
    switch (type & 0xF0)
    {
    case kBoxIconError:
        flags |= MB_ICONERROR;
        break;
    case kBoxIconInformation:
        flags |= MB_ICONINFORMATION;
        break;
    case kBoxIconWarning:
        flags |= MB_ICONWARNING;
        break;
    default:
        break;
    }
    return flags;
}

int32_t ShowMessageBox(uint32_t type, const wchar_t* title, const wchar_t* text)
{
    int answer = 0;
    {
        CDialogFlag open;
        answer = GetDialogPresenter()->ShowBox(GetDialogParentFrame(), text != nullptr ? text : L"",
                                               title != nullptr ? title : L"", GetMessageBoxFlags(type));
    }
    switch (answer)
    {
    case 0:
        DebugTrace("ShowMessageBox() - %s", "Failed to show the message box.");
        return kBoxResultCancel;
    case IDOK:
        return kBoxResultOk;
    case IDYES:
        return kBoxResultYes;
    case IDNO:
        return kBoxResultNo;
    default:
        return kBoxResultCancel;
    }
}

int32_t ShowMessageBoxA(const char* title, const char* text)
{
    return ShowMessageBox(0, AnsiToWide(title).c_str(), AnsiToWide(text).c_str());
}

int32_t ConfirmSaveChanges(const wchar_t* name)
{
    const std::wstring text = GetLocalizedString("ConfirmSaveChangesBefore") +
                              (name != nullptr ? name : L"") + GetLocalizedString("ConfirmSaveChangesAfter");
    return ShowMessageBox(kBoxTypeSaveChanges, GetLocalizedString("TitleSaveChanges").c_str(), text.c_str());
}
