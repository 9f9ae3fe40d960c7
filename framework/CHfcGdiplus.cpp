#include "framework/CHfcGdiplus.h"

#include "foundation/EfUtility.h"

#include <windows.h>
#include <gdiplus.h>

namespace
{
ULONG_PTR g_token = 0;
int g_references = 0;
} // namespace

bool CHfcGdiplus::Acquire()
{
    if (g_references == 0)
    {
        Gdiplus::GdiplusStartupInput input;
        input.GdiplusVersion = 1;
        input.DebugEventCallback = nullptr;
        input.SuppressBackgroundThread = FALSE;
        input.SuppressExternalCodecs = FALSE;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok)
        {
            DebugTrace("CHfcGdiplus::Acquire() - %s", "Failed to start GDI+.");
            return false;
        }
    }
    ++g_references;
    return true;
}

void CHfcGdiplus::Release()
{
    if (g_references <= 0)
        return;
    if (--g_references == 0)
    {
        Gdiplus::GdiplusShutdown(g_token);
        g_token = 0;
    }
}

bool CHfcGdiplus::IsStarted()
{
    return g_references > 0;
}
