#include "editor/controls/CCustomStaticText.h"

#include "framework/CHfcDrawContext.h"

#include <algorithm>
#include <cstring>

bool CCustomStaticText::Create(const CCustomStaticTextRecord* record, uint32_t id, uint32_t eventKind)
{
    if (!record)
        return false;
    m_custom = *record;
    m_text.head = {record->x,
                   record->y,
                   0,
                   0,
                   record->font,
                   record->background,
                   BackgroundSourceX(record->x),
                   BackgroundSourceY(record->y)};
    m_text.cellWidth = 6;
    m_text.cellHeight = 9;
    m_text.lines = 1;
    m_text.columns = record->columns;
    return CHfcCtrlCharStaticText::Create(&m_text, id, eventKind);
}

void CCustomStaticText::SetText(const char* text, bool redraw)
{
    const std::vector<char>& shown = GetBuffer();
    const size_t length = text ? std::min(std::strlen(text), shown.size()) : 0;
    std::vector<char> wanted(shown.size(), 0);
    if (length)
        std::memcpy(wanted.data(), text, length);
    if (wanted == shown)
        return;
    CHfcCtrlCharStaticText::SetText(text ? text : "", redraw);
    SetDirty(true);
}

void CCustomStaticText::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    CHfcBmp* font = !m_customEnabled && m_custom.dimFont ? m_custom.dimFont : m_custom.font;
    m_text.head.EraseArea(context, m_rect);
    const std::vector<char>& text = GetBuffer();
    for (size_t column = 0; column < text.size(); ++column)
        DrawLcdGlyph(context, font, m_rect.left + static_cast<int32_t>(column) * m_text.cellWidth, m_rect.top,
                     m_text.cellWidth, m_text.cellHeight, static_cast<uint8_t>(text[column]));
}

void CCustomStaticText::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_text.head.background, m_text.head.backgroundX,
                           m_text.head.backgroundY);
}

void CCustomStaticText::GetText(char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    std::memset(buffer, 0, size);
    const std::vector<char>& text = GetBuffer();
    std::memcpy(buffer, text.data(), std::min(text.size(), size - 1));
}

void CCustomStaticText::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (!m_custom.dimFont)
    {
        if (enabled)
            Show(true);
        else
            Hide(true);
    }
    SetDirty(true);
}
