#pragma once

// A drawing context that draws nothing and logs each call with the pen or brush it used, so
// that a test reads a curve as its list of strokes (Wine's anti-aliasing is not Windows').
#include "framework/CHfcDrawContext.h"

#include <cstdio>
#include <string>
#include <vector>

struct RecordedCall
{
    std::string what; // MoveTo, LineTo, FillRect, DrawRect, Blit, BlitAlpha, Clear
    float x = 0, y = 0, width = 0, height = 0;
    uint32_t color = 0; // the pen for lines and outlines, the brush for fills
    float penWidth = 0;
    float opacity = 1.0f;
    CHfcBmp* bitmap = nullptr; // Blit and BlitAlpha: the source and its corner
    int32_t sourceX = 0, sourceY = 0;
};

class RecordingDrawContext : public CHfcDrawContext
{
public:
    RecordingDrawContext() { m_ready = true; }

    void MoveTo(int32_t x, int32_t y) override { Line("MoveTo", float(x), float(y)); }
    void MoveTo(float x, float y) override { Line("MoveTo", x, y); }
    void LineTo(int32_t x, int32_t y) override { Line("LineTo", float(x), float(y)); }
    void LineTo(float x, float y) override { Line("LineTo", x, y); }
    void Clear(const CHfcRect& r) override { Area("Clear", r, 0); }
    void Clear(int32_t x, int32_t y, int32_t w, int32_t h) override { Area("Clear", x, y, w, h, 0); }
    void Clear(float x, float y, float w, float h) override { Area("Clear", x, y, w, h, 0); }
    void ClearRect(float x, float y, float w, float h) override { Area("Clear", x, y, w, h, 0); }
    void FillRect(const CHfcRect& r) override { Area("FillRect", r, m_brushColor); }
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        Area("FillRect", x, y, w, h, m_brushColor);
    }
    void FillRect(float x, float y, float w, float h) override { Area("FillRect", x, y, w, h, m_brushColor); }
    void FillRectF(float x, float y, float w, float h) override
    {
        Area("FillRect", x, y, w, h, m_brushColor);
    }
    void DrawRect(const CHfcRect& r) override { Area("DrawRect", r, m_penColor); }
    void DrawRect(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        Area("DrawRect", x, y, w, h, m_penColor);
    }
    void DrawRect(float x, float y, float w, float h) override { Area("DrawRect", x, y, w, h, m_penColor); }
    void Blit(int32_t x, int32_t y, int32_t w, int32_t h, CHfcBmp* bitmap, int32_t sx, int32_t sy) override
    {
        Area("Blit", x, y, w, h, 0);
        Source(bitmap, sx, sy);
    }
    void BlitAlpha(int32_t x, int32_t y, int32_t w, int32_t h, CHfcBmp* bitmap, float opacity, int32_t sx,
                   int32_t sy) override
    {
        Area("BlitAlpha", x, y, w, h, 0);
        calls.back().opacity = opacity;
        Source(bitmap, sx, sy);
    }

    std::vector<RecordedCall> Only(const std::string& what) const
    {
        std::vector<RecordedCall> out;
        for (const RecordedCall& c : calls)
            if (c.what == what)
                out.push_back(c);
        return out;
    }

    std::vector<RecordedCall> calls;

private:
    void Source(CHfcBmp* bitmap, int32_t sx, int32_t sy)
    {
        calls.back().bitmap = bitmap;
        calls.back().sourceX = sx;
        calls.back().sourceY = sy;
    }
    void Line(const char* what, float x, float y)
    {
        RecordedCall c;
        c.what = what;
        c.x = x;
        c.y = y;
        c.color = m_penColor;
        c.penWidth = m_penWidth;
        calls.push_back(c);
    }
    void Area(const char* what, float x, float y, float w, float h, uint32_t color)
    {
        RecordedCall c;
        c.what = what;
        c.x = x;
        c.y = y;
        c.width = w;
        c.height = h;
        c.color = color;
        c.penWidth = m_penWidth;
        calls.push_back(c);
    }
    void Area(const char* what, const CHfcRect& r, uint32_t color)
    {
        Area(what, float(r.left), float(r.top), float(r.GetWidth()), float(r.GetHeight()), color);
    }
};
