#include "editor/controls/CHfcCtrlPageButton.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <cstring>
#include <new>
#include <string>

CHfcCtrlPageButton::~CHfcCtrlPageButton()
{
    if (IsCreated())
        CHfcCtrlPageButton::Destroy();
}

bool CHfcCtrlPageButton::Create(const CHfcCtrlPageButtonRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || record->width < 1 || record->height < 1)
        return false;
    m_record = *record;
    if (m_record.font)
    {
        if (m_record.charWidth == 0)
            m_record.charWidth = m_record.font->GetWidth();
        if (m_record.charHeight == 0)
            m_record.charHeight = m_record.font->GetHeight() / 128;
    }
    if (!m_record.selectedFont)
        m_record.selectedFont = m_record.font;
    if (!m_record.disabledFont)
        m_record.disabledFont = m_record.font;
    m_pages.clear();
    SetRect(m_record.x, m_record.y, m_record.width, m_record.height);
    m_minimum = 0;
    m_maximum = 0;
    m_value = 0;
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlPageButton::Destroy()
{
    m_pages.clear();
    m_record = CHfcCtrlPageButtonRecord();
    return CHfcControl::Destroy();
}

int32_t CHfcCtrlPageButton::AddPage(const char* name)
{
    CHfcPageItem page;
    if (name)
        std::strncpy(page.name, name, CHfcPageItem::kNameSize - 1);
    page.index = static_cast<uint32_t>(m_pages.size());
    const int32_t left = m_record.x + (m_record.cellWidth + m_record.gap) * static_cast<int32_t>(page.index);
    page.rect.Set(left, m_record.y, left + m_record.cellWidth, m_record.y + m_record.cellHeight);
    try
    {
        m_pages.push_back(page);
    }
    catch (const std::bad_alloc&)
    {
        RemoveAllPages();
        return -1;
    }
    m_maximum = GetPageCount() - 1;
    SetDirty(true);
    return static_cast<int32_t>(page.index);
}

void CHfcCtrlPageButton::RemoveAllPages()
{
    m_pages.clear();
    m_maximum = 0;
    m_value = 0;
    SetDirty(true);
}

CHfcPageItem* CHfcCtrlPageButton::GetPage(int32_t index)
{
    return index >= 0 && index < GetPageCount() ? &m_pages[static_cast<size_t>(index)] : nullptr;
}

int32_t CHfcCtrlPageButton::PageAtPoint(int32_t x, int32_t y) const
{
    for (const CHfcPageItem& page : m_pages)
    {
        const CHfcRect& r = page.rect;
        if (page.enabled && page.shown && r.left < x && x < r.right && r.top < y && y < r.bottom)
            return static_cast<int32_t>(page.index);
    }
    return -1;
}

void CHfcCtrlPageButton::SetValue(int32_t value, bool)
{
    m_value = m_pages.empty() ? 0 : ClampToRange(value, 0, GetPageCount() - 1);
    SetDirty(true);
}

void CHfcCtrlPageButton::EraseBackground(CHfcDrawContext* context)
{
    if (!context)
        return;
    if (m_record.background)
        context->DrawBitmap(m_rect, m_record.background, m_record.backgroundX, m_record.backgroundY);
    else
        context->ClearRect(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top),
                           static_cast<float>(m_rect.GetWidth()), static_cast<float>(m_rect.GetHeight()));
}

void CHfcCtrlPageButton::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !m_created || !context)
        return;
    EraseBackground(context);
    const CHfcCtrlPageButtonRecord& r = m_record;
    const uint32_t pen = context->GetPenColor(), brush = context->GetBrushColor();
    for (const CHfcPageItem& page : m_pages)
    {
        if (!page.shown)
            continue;
        const int32_t left = page.rect.left, top = m_rect.top;
        const bool selected = static_cast<int32_t>(page.index) == m_value;
        if (selected)
        {
            context->SetBrushColor(r.fillColor);
            context->FillRect(left, top, r.cellWidth, r.cellHeight);
        }
        context->SetPenColor(r.frameColor);
        context->DrawRect(left, top, r.cellWidth, r.cellHeight);
        CHfcBmp* font = !page.enabled ? r.disabledFont : selected ? r.selectedFont : r.font;
        if (!font || r.charWidth <= 0)
            continue;
        const int32_t fits = r.cellWidth / r.charWidth;
        const std::string glyphs = ToFontGlyphs(page.name, fits < 0 ? 0 : fits);
        const int32_t length = static_cast<int32_t>(glyphs.size());
        const int32_t x =
            r.labelX == -1 ? left + r.cellWidth / 2 - (r.charWidth * length) / 2 : left + r.labelX;
        const int32_t y = r.labelY == -1 ? top + r.cellHeight / 2 - r.charHeight / 2 : top + r.labelY;
        context->DrawBitmapText(x, y, glyphs.c_str(), length, font, r.charWidth, r.charHeight);
    }
    context->SetPenColor(pen);
    context->SetBrushColor(brush);
}

bool CHfcCtrlPageButton::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!TakesPresses())
        return true;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    const int32_t page = PageAtPoint(m_rect.left + x, m_rect.top + y);
    if (page >= 0 && m_listener)
        m_listener->OnValueChanged(this, page);
    return true;
}
