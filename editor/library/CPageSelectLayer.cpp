#include "editor/library/CPageSelectLayer.h"

#include "app/AppCoreUtility.h"
#include "app/CBlockAccessor.h"
#include "app/Notifications.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/PageSelectLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "foundation/EfUtility.h"
#include "framework/CHfcDragData.h"
#include "resources/SkinGeometry.h"
#include "synthdata/CLibraryData.h"

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

uint32_t CPageSelectLayer::GetTabBlockKind(int32_t tab)
{
    return tab == 0 ? kBlockProgramSet : kBlockGlobal;
}

void CPageSelectLayer::RefreshValues()
{
    if (m_hoverMs >= 0)
    {
        m_hoverMs += 60;
        if (m_hoverMs > kHoverMs)
        {
            m_hoverMs = -2; // once per visit
            if (m_owner)
                m_owner->BringToFront();
        }
    }
    if (!m_redrawAll)
        return;
    CLayerLock lock(kSemaphoreLayer);
    if (lock.IsHeld())
        Draw();
}

bool CPageSelectLayer::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    const int32_t tab = HitTestTab(x, y);
    m_pressedTab = tab;
    m_pressPending = tab >= 0;
    m_pressX = x;
    m_pressY = y;
    if (tab < 0)
        return false;
    if (IsDialogOpen())
        return true;
    if (m_onPage)
        m_onPage(tab);
    return true;
}

bool CPageSelectLayer::OnHfcMouseLeftUp(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    const bool pressed = m_pressedTab >= 0;
    m_pressedTab = -1;
    m_pressPending = false;
    return pressed;
}

bool CPageSelectLayer::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t)
{
    if (!m_pressPending)
        return false;
    if (CProgramListGeometry::IsDragDistance(m_pressX, m_pressY, x, y))
    {
        m_pressPending = false;
        RunTabDrag(m_pressedTab);
        m_pressedTab = -1;
    }
    return true;
}

void CPageSelectLayer::RunTabDrag(int32_t tab)
{
    CBlockAccessor* blocks = GetBlockAccessor();
    if (!blocks || !m_library || tab < 0 || tab > 1)
        return;
    const uint32_t kind = GetTabBlockKind(tab);
    const std::unique_ptr<CBlockData> block = blocks->Copy(kind, *m_library, 0, 0);
    const uint32_t format = blocks->GetClipboardFormat(kind);
    CHfcDragData data;
    if (!block || format == 0 ||
        !data.AddItemCopy(format, block->GetData(), static_cast<uint32_t>(block->GetSize())))
        return;
    // The image: half a tab strip wide, white, with the tab's label.
    const int32_t width = kTabWidth, height = kTabHeight;
    if (data.Begin(width, height))
    {
        CHfcOffscreenContext* image = data.GetImage();
        image->SetBrushColor(0xFFFFFFFF);
        image->FillRect(0, 0, width, height);
        const char* label = kTabLabels[tab];
        image->DrawBitmapText(5, 5, label, static_cast<int32_t>(std::strlen(label)), GetBitmap("LcdChar"),
                              NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight);
    }
    m_dragging = true;
    data.DoDragDrop(m_pressX - NvPageSelectLayout::kTabsX - tab * kTabWidth,
                    m_pressY - NvPageSelectLayout::kTabsY);
    m_dragging = false;
    data.End();
}

bool CPageSelectLayer::IsInStrip(int32_t x, int32_t y) const
{
    return x >= 0 && y >= 0 && x < GetRect().GetWidth() && y < GetRect().GetHeight();
}

bool CPageSelectLayer::OffersBlockFor(const CHfcDragData* data, int32_t tab) const
{
    if (!data || tab < 0)
        return false;
    const uint32_t format = GetBlockClipboardFormat(GetTabBlockKind(tab));
    for (size_t i = 0; i < data->GetItemCount(); ++i)
        if (format != 0 && data->GetItemFormat(i) == format)
            return true;
    return false;
}

bool CPageSelectLayer::OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                      uint32_t modifiers, uint32_t* effect)
{
    return OnHfcDragOver(data, keyState, x, y, modifiers, effect);
}

bool CPageSelectLayer::OnHfcDragOver(CHfcDragData* data, uint32_t, int32_t x, int32_t y, uint32_t,
                                     uint32_t* effect)
{
    if (!IsInStrip(x, y))
    {
        m_hoverMs = -1;
        return false;
    }
    if (m_hoverMs == -1)
        m_hoverMs = 0;
    const bool offered = !m_dragging && OffersBlockFor(data, HitTestTab(x, y));
    if (effect)
        *effect = offered ? kHfcDropEffectCopy : kHfcDropEffectNone;
    return true;
}

bool CPageSelectLayer::OnHfcDragLeave(CHfcDragData*)
{
    m_hoverMs = -1;
    return false;
}

bool CPageSelectLayer::OnHfcDrop(CHfcDragData* data, uint32_t, int32_t x, int32_t y, uint32_t,
                                 uint32_t* effect)
{
    if (!IsInStrip(x, y))
        return false;
    m_hoverMs = -1;
    uint32_t result = kHfcDropEffectNone;
    CBlockAccessor* blocks = GetBlockAccessor();
    const int32_t tab = HitTestTab(x, y);
    if (blocks && m_library && data && !m_dragging && tab >= 0)
        for (size_t i = 0; i < data->GetItemCount(); ++i)
        {
            const CHfcDragItem* item = data->GetItem(i);
            uint32_t kind = kBlockNull;
            for (uint32_t k : {uint32_t(kBlockProgramSet), uint32_t(kBlockGlobal)})
                if (item->format != 0 && item->format == blocks->GetClipboardFormat(k))
                    kind = k;
            if (kind == kBlockNull)
            {
                DebugTrace("Internal Error: unknown drag flavor type...");
                continue;
            }
            // The tab takes only its own kind; a block whose header or size is wrong changes
            // nothing and the drop reports no effect.
            CBlockData block;
            if (kind == GetTabBlockKind(tab) && item->data && item->size >= CBlockData::kHeaderSize &&
                block.Append(item->data, item->size) && block.GetBlockKind() == kind &&
                blocks->Paste(block, *m_library, kind, 0, 0))
            {
                Post(Notify::DataReplaced{m_data.documentId, static_cast<int32_t>(kind)});
                if (m_markModified && m_owner)
                    m_owner->SetModified(true);
                result = kHfcDropEffectCopy;
            }
            break;
        }
    if (effect)
        *effect = result;
    return true;
}
