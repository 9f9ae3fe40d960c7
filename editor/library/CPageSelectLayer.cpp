#include "editor/library/CPageSelectLayer.h"

#include "app/AppCoreUtility.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/PageSelectLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "resources/SkinGeometry.h"

#include <cstring>

namespace
{
const char* const kTabLabels[] = {"PROGRAM", "GLOBAL"};
} // namespace

CPageSelectLayer::CPageSelectLayer()
{
    m_background = GetBitmap(NvPageSelectLayout::kPage.background);
    m_tabs = GetBitmap("BitmapListPageSelectTab");
    m_logo = GetBitmap("LogoNv2Editor");
    m_labelFont = GetBitmap("LcdCharLargeWhite");
    m_labelFontBehind = GetBitmap("LcdCharLargeWhiteDim");
    const NvSkinBitmap* geometry = FindSkinBitmap("BitmapListPageSelectTab");
    m_tabFrameHeight = geometry ? geometry->frameHeight : 0;
}

void CPageSelectLayer::SetPage(int32_t page)
{
    if (page < 0 || page > 1 || page == m_page)
        return;
    m_page = page;
    m_redrawAll = true;
    Draw();
}

int32_t CPageSelectLayer::HitTestTab(int32_t x, int32_t y)
{
    const int32_t left = NvPageSelectLayout::kTabsX, top = NvPageSelectLayout::kTabsY;
    if (y < top || y >= top + kTabHeight || x < left || x >= left + 2 * kTabWidth)
        return -1;
    return (x - left) / kTabWidth;
}

void CPageSelectLayer::Draw()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    m_redrawAll = false;
    const int32_t width = GetRect().GetWidth(), height = GetRect().GetHeight();
    if (m_background)
        surface->DrawBitmap(0, 0, width, height, m_background, 0, 0);
    if (m_tabs && m_tabFrameHeight > 0)
        surface->DrawBitmap(NvPageSelectLayout::kTabsX, NvPageSelectLayout::kTabsY, m_tabs->GetWidth(),
                            m_tabFrameHeight, m_tabs, 0, m_page * m_tabFrameHeight);
    // Each tab's name, centred on it; the shown page's in front.
    for (int32_t tab = 0; tab < 2; ++tab)
    {
        CHfcBmp* font = tab == m_page ? m_labelFont : m_labelFontBehind;
        if (!font)
            continue;
        const int32_t length = static_cast<int32_t>(std::strlen(kTabLabels[tab]));
        const int32_t x =
            NvPageSelectLayout::kTabsX + tab * kTabWidth + (kTabWidth - length * NvSkinFont::kLargeWidth) / 2;
        const int32_t y = NvPageSelectLayout::kTabsY + (kTabHeight - NvSkinFont::kLargeHeight) / 2 + 2;
        surface->DrawBitmapText(x, y, kTabLabels[tab], length, font, NvSkinFont::kLargeWidth,
                                NvSkinFont::kLargeHeight);
    }
    if (m_logo)
        surface->DrawBitmap(width - m_logo->GetWidth() - NvPageSelectLayout::kLogoMargin,
                            NvPageSelectLayout::kLogoY, m_logo->GetWidth(), m_logo->GetHeight(), m_logo, 0,
                            0);
    InvalidateAll(true);
}

void CPageSelectLayer::RefreshValues()
{
    if (!m_redrawAll)
        return;
    CLayerLock lock(kSemaphoreLayer);
    if (lock.IsHeld())
        Draw();
}

bool CPageSelectLayer::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    const int32_t tab = HitTestTab(x, y);
    if (tab < 0)
        return false;
    if (IsDialogOpen())
        return true;
    if (m_onPage)
        m_onPage(tab);
    return true;
}
