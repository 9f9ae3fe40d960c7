#include "editor/controls/CCustomControl.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcDrawContext.h"
#include "resources/SkinGeometry.h"

#include <cstring>

void CCustomControl::GetText(char* buffer, size_t size)
{
    if (buffer && size > 0)
        std::memset(buffer, 0, size);
}

void CCustomControl::SetBackgroundOrigin(bool ownPosition, int32_t x, int32_t y)
{
    m_backgroundAtOwn = ownPosition;
    m_backgroundX = x;
    m_backgroundY = y;
}

void CCustomControl::SetParameterAddress(const uint32_t* words)
{
    if (words)
        std::memcpy(m_address, words, sizeof m_address);
}

void CCustomControl::GetParameterAddress(uint32_t* words)
{
    if (words)
        std::memcpy(words, m_address, sizeof m_address);
}

void EraseControlBackground(CHfcDrawContext* context, const CHfcRect& rect, CHfcBmp* background,
                            int32_t sourceX, int32_t sourceY)
{
    if (!context)
        return;
    if (background)
        context->DrawBitmap(rect, background, sourceX, sourceY);
    else
        context->FillRect(rect);
}

void DrawLcdGlyph(CHfcDrawContext* context, CHfcBmp* font, int32_t x, int32_t y, int32_t cellWidth,
                  int32_t cellHeight, uint8_t code)
{
    if (!context || !font || cellHeight <= 0)
        return;
    const int32_t glyph = code >= 128 ? NvSkinGlyph::kFallback : code;
    if ((glyph + 1) * cellHeight > font->GetHeight())
        return;
    context->DrawBitmap(x, y, cellWidth, cellHeight, font, 0, glyph * cellHeight);
}
