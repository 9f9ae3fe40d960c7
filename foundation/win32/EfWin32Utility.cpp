#include "foundation/win32/EfWin32Utility.h"

#include "foundation/CHfcRect.h"

#include <windows.h>

namespace
{
void* g_instance = nullptr;
}

void SetInstanceHandle(void* instance)
{
    g_instance = instance;
}

void* GetInstanceHandle()
{
    return g_instance;
}

uint16_t GetUserPrimaryLanguage()
{
    return PRIMARYLANGID(GetUserDefaultLangID());
}

bool GetWorkArea(CHfcRect& rect)
{
    RECT area;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return false;
    rect.Set(area.left, area.top, area.right, area.bottom);
    return true;
}

bool PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == WM_QUIT)
        {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

uint32_t GetModifierKeys()
{
    uint32_t keys = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        keys |= kModifierShift;
    if (GetKeyState(VK_CONTROL) < 0)
        keys |= kModifierControl;
    if (GetKeyState(VK_MENU) < 0)
        keys |= kModifierAlt;
    return keys;
}
