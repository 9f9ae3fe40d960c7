#pragma once

#include "framework/CHfcBmp.h"
#include "framework/CHfcDrawContext.h"

// A drawing context over a 32-bit ARGB bitmap of its own, with pixel-level blending. Each
// window layer owns one.
class CHfcOffscreenContext : public CHfcDrawContext
{
public:
    // Sizes below 1 make a 1-pixel surface.
    CHfcOffscreenContext(int32_t width, int32_t height);
    ~CHfcOffscreenContext() override;

    // A new transparent surface of the size; false after tracing "Failed to resize.".
    bool Resize(int32_t width, int32_t height);
    CHfcBmp* GetBitmap() { return &m_bitmap; }
    int32_t GetWidth() const { return m_bitmap.GetWidth(); }
    int32_t GetHeight() const { return m_bitmap.GetHeight(); }

    void Lighten(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap, int32_t sourceX,
                 int32_t sourceY) override;
    // Sets the pixels to transparent black.
    void ClearRect(float x, float y, float width, float height) override;
    void Blit(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap, int32_t sourceX,
              int32_t sourceY) override;
    void BlitAlpha(int32_t x, int32_t y, int32_t width, int32_t height, CHfcBmp* bitmap, float opacity,
                   int32_t sourceX, int32_t sourceY) override;
    void Scroll(const CHfcRect& rect, int32_t dx, int32_t dy) override;
    void CopyTo(CHfcDrawContext* target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
                int32_t sourceY) override;
    void CopyAllTo(CHfcDrawContext* target) override;

private:
    bool CreateSurface(int32_t width, int32_t height, const char* where);

    CHfcBmp m_bitmap;
};
