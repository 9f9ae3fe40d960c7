#include "editor/windows/CUtilityLayer.h"

#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcOffscreenContext.h"

CUtilityLayer::CUtilityLayer(const char* background, const char* logo)
{
    m_background = GetBitmap(background);
    m_logo = logo ? GetBitmap(logo) : nullptr;
}

void CUtilityLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const int32_t width = GetRect().GetWidth(), height = GetRect().GetHeight();
    if (m_background)
        surface->DrawBitmap(0, 0, width, height, m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(width - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(), m_logo->GetHeight(),
                            m_logo, 0, 0);
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (CHfcControl* control = GetControl(i))
            control->Redraw(true);
    InvalidateAll(true);
}

void CUtilityLayer::RedrawAllIfAsked()
{
    if (!m_redrawAll)
        return;
    m_redrawAll = false;
    DrawBackground();
}
