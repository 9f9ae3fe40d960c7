#include "framework/CHfcCtrlCharStaticText.h"

#include "foundation/EfUtility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <new>

CHfcCtrlCharStaticText::~CHfcCtrlCharStaticText()
{
    if (IsCreated())
        CHfcCtrlCharStaticText::Destroy();
}

bool CHfcCtrlCharStaticText::Create(const CHfcCtrlCharStaticTextRecord* record, uint32_t id,
                                    uint32_t userValue)
{
    const char* failure = nullptr;
    if (!record)
        failure = "pParam is invalid.";
    else if (!record->head.bitmap)
        failure = "m_pBmpChar is invalid.";
    else if (record->columns < 0)
        failure = "m_iColumns is smaller than 0.";
    else if (record->lines < 0)
        failure = "m_iLines is smaller than 0.";
    if (failure)
    {
        DebugTrace("CHfcCtrlCharStaticText::Create() - %s", failure);
        return false;
    }
    m_record = *record;
    CHfcBmp* font = m_record.head.bitmap;
    if (m_record.cellWidth == 0)
        m_record.cellWidth = font->GetWidth();
    if (m_record.cellHeight == 0)
        m_record.cellHeight = font->GetHeight() / 128;
    try
    {
        m_text.assign(static_cast<size_t>(m_record.lines) * static_cast<size_t>(m_record.columns), 0);
    }
    catch (const std::bad_alloc&)
    {
        DebugTrace("CHfcCtrlCharStaticText::Create() - %s", "Failed to allocate memory for text buffer.");
        return false;
    }
    SetRect(m_record.head.x, m_record.head.y, m_record.columns * m_record.cellWidth,
            m_record.lines * m_record.cellHeight);
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlCharStaticText::Destroy()
{
    m_record = CHfcCtrlCharStaticTextRecord();
    m_text.clear();
    return CHfcControl::Destroy();
}

void CHfcCtrlCharStaticText::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    m_record.head.EraseArea(context, m_rect);
    CHfcBmp* font = m_record.head.bitmap;
    for (int32_t line = 0; line < m_record.lines; ++line)
        for (int32_t column = 0; column < m_record.columns; ++column)
        {
            const char byte = m_text[static_cast<size_t>(line) * m_record.columns + column];
            // A 0 byte is a cell too: ToFontGlyphs would end the text there.
            const char glyph = byte == 0 ? 0 : ToFontGlyphs(&byte, 1)[0];
            context->DrawBitmap(m_rect.left + column * m_record.cellWidth,
                                m_rect.top + line * m_record.cellHeight, m_record.cellWidth,
                                m_record.cellHeight, font, 0, glyph * m_record.cellHeight);
        }
}

void CHfcCtrlCharStaticText::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlCharStaticText::SetText(const char* text, bool redraw)
{
    if (!m_created)
        return;
    bool ended = !text;
    // The first line only; a grid of no lines has none.
    for (size_t i = 0; i < static_cast<size_t>(m_record.columns) && i < m_text.size(); ++i)
    {
        if (!ended && text[i] == 0)
            ended = true;
        m_text[i] = ended ? 0 : text[i];
    }
    if (redraw)
        SetDirty(true);
}
