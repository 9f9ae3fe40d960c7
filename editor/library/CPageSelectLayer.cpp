#include "editor/library/CPageSelectLayer.h"

#include "app/AppCoreUtility.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/PageSelectLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "resources/SkinGeometry.h"

CPageSelectLayer::CPageSelectLayer()
{
    m_background = GetBitmap(NvPageSelectLayout::kPage.background);
    m_tabs = GetBitmap("BitmapListPageSelectTab");
    m_logo = GetBitmap("LogoNv2Editor");
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
