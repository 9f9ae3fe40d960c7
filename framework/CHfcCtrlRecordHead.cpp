#include "framework/CHfcCtrlRecordHead.h"

#include "framework/CHfcDrawContext.h"

void CHfcCtrlRecordHead::DrawBackground(CHfcDrawContext* context, const CHfcRect& rect) const
{
    if (context && background)
        context->DrawBitmap(rect, background, backgroundX, backgroundY);
}

void CHfcCtrlRecordHead::EraseArea(CHfcDrawContext* context, const CHfcRect& rect) const
{
    if (!context)
        return;
    if (background)
        context->DrawBitmap(rect, background, backgroundX, backgroundY);
    else
        context->ClearRect(static_cast<float>(rect.left), static_cast<float>(rect.top),
                           static_cast<float>(rect.GetWidth()), static_cast<float>(rect.GetHeight()));
}

void CHfcCtrlRecordHead::DrawFrame(CHfcDrawContext* context, const CHfcRect& rect, int32_t frame,
                                   float opacity) const
{
    if (!context || !bitmap)
        return;
    const int32_t sourceY = frame * rect.GetHeight();
    if (opacity < 1.0f)
        context->DrawBitmapAlpha(rect, bitmap, opacity, 0, sourceY);
    else
        context->DrawBitmap(rect, bitmap, 0, sourceY);
}
