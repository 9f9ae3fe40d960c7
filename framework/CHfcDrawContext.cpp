#include "framework/CHfcDrawContext.h"

#include "foundation/EfUtility.h"
#include "framework/CHfcBmp.h"
#include "framework/pixels/HfcPixels.h"

#include <gdiplus.h>

#include <cmath>

using namespace Gdiplus;

namespace
{
// Radians to the degrees GDI+ takes.
constexpr float kDegrees = 57.2957763671875f;
constexpr float kFullTurn = 6.2831853f;
} // namespace

CHfcDrawContext::CHfcDrawContext(HDC hdc)
{
    m_hdc = hdc;
    InitOnDc();
}

CHfcDrawContext::CHfcDrawContext(HWND hwnd)
{
    m_hwnd = hwnd;
    m_hdc = ::GetDC(hwnd);
    InitOnDc();
}

void CHfcDrawContext::InitOnDc()
{
    if (!m_hdc || DllExports::GdipCreateFromHDC(m_hdc, &m_graphics) != Ok)
    {
        m_graphics = nullptr;
        DebugTrace("CHfcDrawContext::CHfcDrawContext() - %s", "Failed to create Graphics.");
        return;
    }
    DllExports::GdipSetCompositingMode(m_graphics, CompositingModeSourceCopy);
    m_ready = CreateTools("CHfcDrawContext::CHfcDrawContext() - %s");
}

bool CHfcDrawContext::CreateTools(const char* where)
{
    if (DllExports::GdipCreatePen1(m_penColor, m_penWidth, UnitPixel, &m_pen) != Ok)
    {
        m_pen = nullptr;
        DebugTrace(where, "Failed to create a Pen object.");
        return false;
    }
    if (DllExports::GdipCreateSolidFill(m_brushColor, &m_brush) != Ok)
    {
        m_brush = nullptr;
        DebugTrace(where, "Failed to create a SolidBrush object.");
        return false;
    }
    return true;
}

void CHfcDrawContext::DeleteGraphics()
{
    if (m_graphics)
        DllExports::GdipDeleteGraphics(m_graphics);
    m_graphics = nullptr;
}

CHfcDrawContext::~CHfcDrawContext()
{
    if (m_brush)
        DllExports::GdipDeleteBrush(m_brush);
    if (m_pen)
        DllExports::GdipDeletePen(m_pen);
    DeleteGraphics();
    if (m_hwnd && m_hdc)
        ::ReleaseDC(m_hwnd, m_hdc);
}

void CHfcDrawContext::MoveTo(int32_t x, int32_t y)
{
    MoveTo(static_cast<float>(x), static_cast<float>(y));
}

void CHfcDrawContext::MoveTo(float x, float y)
{
    m_x = x;
    m_y = y;
}

void CHfcDrawContext::LineTo(int32_t x, int32_t y)
{
    LineTo(static_cast<float>(x), static_cast<float>(y));
}

void CHfcDrawContext::LineTo(float x, float y)
{
    if (m_graphics && m_pen)
        DllExports::GdipDrawLine(m_graphics, m_pen, m_x, m_y, x, y);
    m_x = x;
    m_y = y;
}

void CHfcDrawContext::Clear(const CHfcRect& r)
{
    Clear(r.left, r.top, r.GetWidth(), r.GetHeight());
}

void CHfcDrawContext::Clear(int32_t x, int32_t y, int32_t width, int32_t height)
{
    Clear(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
          static_cast<float>(height));
}

void CHfcDrawContext::Clear(float x, float y, float width, float height)
{
    ClearRect(x, y, width, height);
}

void CHfcDrawContext::FillRect(const CHfcRect& r)
{
    FillRect(r.left, r.top, r.GetWidth(), r.GetHeight());
}

void CHfcDrawContext::FillRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    FillRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
             static_cast<float>(height));
}

void CHfcDrawContext::FillRect(float x, float y, float width, float height)
{
    if (m_graphics && m_brush)
        DllExports::GdipFillRectangle(m_graphics, m_brush, x - 0.5f, y - 0.5f, width, height);
}

void CHfcDrawContext::FillRectF(float x, float y, float width, float height)
{
    FillRect(x, y, width, height);
}

void CHfcDrawContext::DrawRect(const CHfcRect& r)
{
    DrawRect(r.left, r.top, r.GetWidth(), r.GetHeight());
}

void CHfcDrawContext::DrawRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
             static_cast<float>(height));
}

void CHfcDrawContext::DrawRect(float x, float y, float width, float height)
{
    if (m_graphics && m_pen)
        DllExports::GdipDrawRectangle(m_graphics, m_pen, x, y, width - 1.0f, height - 1.0f);
}

void CHfcDrawContext::FillCircle(float x, float y, float radius)
{
    FillPie(x, y, radius, 0.0f, kFullTurn, false);
}

void CHfcDrawContext::DrawCircle(float x, float y, float radius)
{
    DrawArc(x, y, radius, 0.0f, kFullTurn, false);
}

// Draws, fills or clears one pie or arc of the box (left, top, size, size).
void CHfcDrawContext::FillPieBox(bool clear, bool fill, float left, float top, float size, float start,
                                 float sweep)
{
    if (!m_graphics)
        return;
    if (clear)
    {
        GpPath* path = nullptr;
        if (DllExports::GdipCreatePath(FillModeAlternate, &path) != Ok)
            return;
        DllExports::GdipAddPathPie(path, left, top, size, size, start, sweep);
        DllExports::GdipSetClipPath(m_graphics, path, CombineModeReplace);
        DllExports::GdipGraphicsClear(m_graphics, 0);
        DllExports::GdipResetClip(m_graphics);
        DllExports::GdipDeletePath(path);
    }
    else if (fill && m_brush)
        DllExports::GdipFillPie(m_graphics, m_brush, left, top, size, size, start, sweep);
    else if (!fill && m_pen)
        DllExports::GdipDrawArc(m_graphics, m_pen, left, top, size, size, start, sweep);
}

namespace
{
// The start angle of the counter-clockwise form, in [0, 360).
float CounterClockwiseStart(float from)
{
    float start = std::fmod(360.0f - from * kDegrees, 360.0f);
    if (start < 0.0f)
        start += 360.0f;
    return start;
}

float DirectedSweep(float from, float to, bool clockwise)
{
    const float sweep = (to - from) * kDegrees;
    return clockwise ? sweep : -sweep;
}
} // namespace

void CHfcDrawContext::FillPie(float x, float y, float r, float from, float to)
{
    FillPieBox(false, true, x - r - 0.5f, y - r - 0.5f, 2 * r + 1, CounterClockwiseStart(from),
               to * kDegrees);
}

void CHfcDrawContext::FillPie(float x, float y, float r, float from, float to, bool clockwise)
{
    FillPieBox(false, true, x - r, y - r, 2 * r + 1, from * kDegrees, DirectedSweep(from, to, clockwise));
}

void CHfcDrawContext::DrawArc(float x, float y, float r, float from, float to)
{
    FillPieBox(false, false, x - r - 0.5f, y - r - 0.5f, 2 * r + 1, CounterClockwiseStart(from),
               to * kDegrees);
}

void CHfcDrawContext::DrawArc(float x, float y, float r, float from, float to, bool clockwise)
{
    FillPieBox(false, false, x - r, y - r, 2 * r + 1, from * kDegrees, DirectedSweep(from, to, clockwise));
}

void CHfcDrawContext::ClearPie(float x, float y, float r, float from, float to)
{
    FillPieBox(true, false, x - r - 0.5f, y - r - 0.5f, 2 * r + 1, CounterClockwiseStart(from),
               to * kDegrees);
}

void CHfcDrawContext::ClearPie(float x, float y, float r, float from, float to, bool clockwise)
{
    FillPieBox(true, false, x - r, y - r, 2 * r + 1, from * kDegrees, DirectedSweep(from, to, clockwise));
}

void CHfcDrawContext::DrawBitmap(const CHfcRect& r, CHfcBmp* bitmap, int32_t sourceX, int32_t sourceY)
{
    Blit(r.left, r.top, r.GetWidth(), r.GetHeight(), bitmap, sourceX, sourceY);
}

void CHfcDrawContext::DrawBitmap(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                 int32_t sourceX, int32_t sourceY)
{
    Blit(x, y, width, height, bitmap, sourceX, sourceY);
}

void CHfcDrawContext::DrawBitmapAlpha(const CHfcRect& r, CHfcBmp* bitmap, float opacity, int32_t sourceX,
                                      int32_t sourceY)
{
    BlitAlpha(r.left, r.top, r.GetWidth(), r.GetHeight(), bitmap, opacity, sourceX, sourceY);
}

void CHfcDrawContext::DrawBitmapAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                      float opacity, int32_t sourceX, int32_t sourceY)
{
    BlitAlpha(x, y, width, height, bitmap, opacity, sourceX, sourceY);
}

void CHfcDrawContext::Lighten(int32_t, int32_t, int32_t, int32_t, CHfcBmp*, int32_t, int32_t) {}

void CHfcDrawContext::ClearRect(float x, float y, float width, float height)
{
    GpSolidFill* white = nullptr;
    if (!m_graphics || DllExports::GdipCreateSolidFill(0xFFFFFFFF, &white) != Ok)
        return;
    DllExports::GdipFillRectangle(m_graphics, white, x, y, width, height);
    DllExports::GdipDeleteBrush(white);
}

void CHfcDrawContext::Blit(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                           int32_t sourceX, int32_t sourceY)
{
    if (!m_hdc || !bitmap)
        return;
    // Cut to what the bitmap holds from the source point.
    width = MinValue(width, bitmap->GetWidth() - sourceX);
    height = MinValue(height, bitmap->GetHeight() - sourceY);
    HBITMAP dib = bitmap->CopyToDibSection(sourceX, sourceY, width, height);
    if (!dib)
        return;
    if (m_graphics)
        DllExports::GdipFlush(m_graphics, FlushIntentionSync);
    HDC memory = CreateCompatibleDC(m_hdc);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(m_hdc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(dib);
}

void CHfcDrawContext::BlitAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap, float,
                                int32_t sourceX, int32_t sourceY)
{
    Blit(x, y, width, height, bitmap, sourceX, sourceY);
}

void CHfcDrawContext::Scroll(const CHfcRect&, int32_t, int32_t) {}

void CHfcDrawContext::CopyTo(CHfcDrawContext*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}

void CHfcDrawContext::CopyAllTo(CHfcDrawContext*) {}

void CHfcDrawContext::SetBrushColor(uint32_t argb)
{
    m_brushColor = argb;
    if (m_brush)
        DllExports::GdipSetSolidFillColor(m_brush, argb);
}

void CHfcDrawContext::SetPenColor(uint32_t argb)
{
    m_penColor = argb;
    if (m_pen)
        DllExports::GdipSetPenColor(m_pen, argb);
}

void CHfcDrawContext::SetPenWidth(float width)
{
    m_penWidth = width;
    if (m_pen)
        DllExports::GdipSetPenWidth(m_pen, width);
}

void CHfcDrawContext::DrawBitmapText(int32_t x, int32_t y, const char* text, int32_t length, CHfcBmp* font,
                                     int32_t cellWidth, int32_t cellHeight)
{
    if (!font)
        return;
    // Text from files and from the instrument may hold bytes from 128 up: they show the
    // fallback glyph.
    ForEachBitmapGlyph(
        x, text, length, font->GetWidth(), font->GetHeight(), cellWidth, cellHeight,
        [&](int32_t cellX, int32_t sourceY, int32_t w, int32_t h)
        { DrawBitmap(cellX, y, w, h, font, 0, sourceY); },
        kBitmapFontFallbackGlyph);
}
