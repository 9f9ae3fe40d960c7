#include "foundation/EfWin32Utility.h"

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
