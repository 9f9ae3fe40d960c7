#include "framework/CHfcOffscreenContext.h"

#include "foundation/EfUtility.h"
#include "framework/pixels/HfcPixels.h"

#include <gdiplus.h>

using namespace Gdiplus;

CHfcOffscreenContext::CHfcOffscreenContext(int32_t width, int32_t height)
{
    const char* where = "CHfcOffscreenContext::CHfcOffscreenContext() - %s";
    m_ready = CreateSurface(width, height, where) && CreateTools(where);
}

CHfcOffscreenContext::~CHfcOffscreenContext()
{
    // The graphics object draws into the bitmap: it goes first.
    DeleteGraphics();
}

bool CHfcOffscreenContext::CreateSurface(int32_t width, int32_t height, const char* where)
{
    DeleteGraphics();
    if (!m_bitmap.Create(MaxValue(width, 1), MaxValue(height, 1)))
    {
        DebugTrace(where, "Failed to create offscreen bitmap.");
        return false;
    }
    GpGraphics* graphics = nullptr;
    if (DllExports::GdipGetImageGraphicsContext(m_bitmap.GetGpBitmap(), &graphics) != Ok)
    {
        DebugTrace(where, "Failed to create a Graphics object.");
        return false;
    }
    m_graphics = graphics;
    DllExports::GdipSetSmoothingMode(m_graphics, SmoothingModeAntiAlias);
    return true;
}

bool CHfcOffscreenContext::Resize(int32_t width, int32_t height)
{
    if (!CreateSurface(width, height, "CHfcOffscreenContext::Resize() - %s"))
    {
        DebugTrace("CHfcOffscreenContext::Resize() - %s", "Failed to resize.");
        m_ready = false;
        return false;
    }
    m_ready = m_pen && m_brush;
    return true;
}

void CHfcOffscreenContext::ClearRect(float x, float y, float width, float height)
{
    CHfcBmpLock lock(&m_bitmap);
    ClearPixels(lock.View(), static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(width),
                static_cast<int32_t>(height));
}

void CHfcOffscreenContext::Blit(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                int32_t sourceX, int32_t sourceY)
{
    BlitAlpha(x, y, width, height, bitmap, 1.0f, sourceX, sourceY);
}

void CHfcOffscreenContext::BlitAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                     float opacity, int32_t sourceX, int32_t sourceY)
{
    CHfcBmpLock dest(&m_bitmap);
    CHfcBmpLock source(bitmap);
    BlendPixels(dest.View(), x, y, width, height, source.View(), sourceX, sourceY, opacity);
}

void CHfcOffscreenContext::Lighten(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                   int32_t sourceX, int32_t sourceY)
{
    CHfcBmpLock dest(&m_bitmap);
    CHfcBmpLock source(bitmap);
    LightenPixels(dest.View(), x, y, width, height, source.View(), sourceX, sourceY);
}

void CHfcOffscreenContext::Scroll(const CHfcRect& r, int32_t dx, int32_t dy)
{
    CHfcBmpLock lock(&m_bitmap);
    ScrollPixels(lock.View(), r.left, r.top, r.GetWidth(), r.GetHeight(), dx, dy);
}

void CHfcOffscreenContext::CopyTo(CHfcDrawContext* target, int32_t x, int32_t y, int32_t width,
                                  int32_t height, int32_t sourceX, int32_t sourceY)
{
    if (target)
        target->DrawBitmap(x, y, width, height, &m_bitmap, sourceX, sourceY);
}

void CHfcOffscreenContext::CopyAllTo(CHfcDrawContext* target)
{
    CopyTo(target, 0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight(), 0, 0);
}
