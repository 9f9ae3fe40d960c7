#pragma once

#include "foundation/CHfcRect.h"

#include <windows.h>

#include <cstdint>

class CHfcBmp;

namespace Gdiplus
{
class GpGraphics;
class GpPen;
class GpSolidFill;
} // namespace Gdiplus

// The drawing surface of controls and layers: a device context with a GDI+ graphics object,
// one pen, one solid brush and a current position. Colours are ARGB (alpha in the top byte),
// angles radians. Window thread only.
class CHfcDrawContext
{
public:
    // Draws on a device context the caller owns.
    explicit CHfcDrawContext(HDC hdc);
    // Draws on the window's device context, released with the context.
    explicit CHfcDrawContext(HWND hwnd);
    CHfcDrawContext(const CHfcDrawContext&) = delete;
    CHfcDrawContext& operator=(const CHfcDrawContext&) = delete;
    virtual ~CHfcDrawContext();

    bool IsReady() const { return m_ready; }

    virtual void MoveTo(int32_t x, int32_t y);
    virtual void MoveTo(float x, float y);
    // A line with the pen from the current position, which moves to the point.
    virtual void LineTo(int32_t x, int32_t y);
    virtual void LineTo(float x, float y);
    // Erases the area (ClearRect).
    virtual void Clear(const CHfcRect& rect);
    virtual void Clear(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void Clear(float x, float y, float width, float height);
    // Brush fill of (x - 0.5, y - 0.5, width, height): the pixels x .. x + width - 1.
    virtual void FillRect(const CHfcRect& rect);
    virtual void FillRect(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void FillRect(float x, float y, float width, float height);
    // Pen outline of (x, y, width - 1, height - 1).
    virtual void DrawRect(const CHfcRect& rect);
    virtual void DrawRect(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void DrawRect(float x, float y, float width, float height);
    virtual void FillCircle(float x, float y, float radius);
    virtual void DrawCircle(float x, float y, float radius);
    // From angle from, counter-clockwise on screen, sweeping to.
    virtual void FillPie(float x, float y, float radius, float from, float to);
    // From angle from to angle to, clockwise on screen or not.
    virtual void FillPie(float x, float y, float radius, float from, float to, bool clockwise);
    virtual void DrawArc(float x, float y, float radius, float from, float to);
    virtual void DrawArc(float x, float y, float radius, float from, float to, bool clockwise);
    // Clears the pie to transparent.
    virtual void ClearPie(float x, float y, float radius, float from, float to);
    virtual void ClearPie(float x, float y, float radius, float from, float to, bool clockwise);
    // Copies the width x height part of the bitmap at (sourceX, sourceY) to (x, y).
    virtual void DrawBitmap(const CHfcRect& rect, CHfcBmp* bitmap, int32_t sourceX, int32_t sourceY);
    virtual void DrawBitmap(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                            int32_t sourceX, int32_t sourceY);
    // The same with the bitmap's alpha scaled by opacity (0..1).
    virtual void DrawBitmapAlpha(const CHfcRect& rect, CHfcBmp* bitmap, float opacity, int32_t sourceX,
                                 int32_t sourceY);
    virtual void DrawBitmapAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                                 float opacity, int32_t sourceX, int32_t sourceY);
    // Per-channel maximum; offscreen surfaces only.
    virtual void Lighten(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                         int32_t sourceX, int32_t sourceY);
    // A device context is filled with opaque white.
    virtual void ClearRect(float x, float y, float width, float height);
    virtual void FillRectF(float x, float y, float width, float height);
    // The primitives behind DrawBitmap and DrawBitmapAlpha; a device context ignores the
    // opacity.
    virtual void Blit(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap, int32_t sourceX,
                      int32_t sourceY);
    virtual void BlitAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap,
                           float opacity, int32_t sourceX, int32_t sourceY);
    // Offscreen surfaces only.
    virtual void Scroll(const CHfcRect& rect, int32_t dx, int32_t dy);
    virtual void CopyTo(CHfcDrawContext* target, int32_t x, int32_t y, int32_t width, int32_t height,
                        int32_t sourceX, int32_t sourceY);
    virtual void CopyAllTo(CHfcDrawContext* target);

    void SetBrushColor(uint32_t argb);
    void SetPenColor(uint32_t argb);
    void SetPenWidth(float width);
    uint32_t GetBrushColor() const { return m_brushColor; }
    uint32_t GetPenColor() const { return m_penColor; }

    // Text in a bitmap font of 128 cells stacked vertically; a cell width of 0 is the font's
    // width, a cell height of 0 its height / 128. Codes from 128 up draw the fallback glyph
    // (kBitmapFontFallbackGlyph); nothing is read outside the font.
    void DrawBitmapText(int32_t x, int32_t y, const char* text, int32_t length, CHfcBmp* font,
                        int32_t cellWidth, int32_t cellHeight);

    HDC GetDC() const { return m_hdc; }
    Gdiplus::GpGraphics* GetGraphics() const { return m_graphics; }

protected:
    CHfcDrawContext() = default;
    // Makes the pen and the brush; false after tracing the failure.
    bool CreateTools(const char* where);
    void DeleteGraphics();
    void FillPieBox(bool clear, bool fill, float left, float top, float size, float start, float sweep);

    HWND m_hwnd = nullptr;
    HDC m_hdc = nullptr;
    Gdiplus::GpGraphics* m_graphics = nullptr;
    Gdiplus::GpPen* m_pen = nullptr;
    Gdiplus::GpSolidFill* m_brush = nullptr;
    float m_x = 0.0f;
    float m_y = 0.0f;
    uint32_t m_brushColor = 0xFF000000;
    uint32_t m_penColor = 0xFF000000;
    float m_penWidth = 1.0f;
    bool m_ready = false;

private:
    void InitOnDc();
};
