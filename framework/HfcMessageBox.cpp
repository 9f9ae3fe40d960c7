#include "framework/HfcMessageBox.h"

#include "foundation/EfUtility.h"

UINT GetMessageBoxStyle(int buttons, int icon)
{
    UINT style = MB_OK;
    if (buttons == 1)
        style = MB_OKCANCEL;
    else if (buttons == 2)
        style = MB_YESNO;
    switch (icon)
    {
    case 2:
        style |= MB_ICONINFORMATION;
        break;
    case 3:
        style |= MB_ICONWARNING;
        break;
    case 4:
        style |= MB_ICONERROR;
        break;
    default:
        break;
    }
    return style;
}

int GetMessageBoxResult(int answer)
{
    switch (answer)
    {
    case IDOK:
    case IDYES:
        return 1;
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDTRYAGAIN:
    case IDCONTINUE:
        return -1;
    default:
        return 2;
    }
}

int showMessageBox(const char* text, const char* title, HWND owner, int buttons, int icon)
{
    return GetMessageBoxResult(MessageBoxA(owner, text, title, GetMessageBoxStyle(buttons, icon)));
}

int showMessageBox(const char* text, const char* title, int buttons, int icon)
{
    return showMessageBox(text, title, nullptr, buttons, icon);
}

void CHfcErrorBoxOnce::Report()
{
    if (m_shown.exchange(true))
    {
        DebugTrace("%s", m_text);
        return;
    }
    MessageBoxA(nullptr, m_text, "error", MB_OK);
}
