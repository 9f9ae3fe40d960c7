#include "editor/controls/CCustomStaticText.h"

#include "app/AppText.h"
#include "framework/CHfcBmp.h"
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
    if (DrawWideLine(context, font))
        return;
    const std::vector<char>& text = GetBuffer();
    for (size_t column = 0; column < text.size(); ++column)
        DrawLcdGlyph(context, font, m_rect.left + static_cast<int32_t>(column) * m_text.cellWidth, m_rect.top,
                     m_text.cellWidth, m_text.cellHeight, static_cast<uint8_t>(text[column]));
}

namespace
{
// The colour of the font's most opaque pixel: the LCD ink.
uint32_t InkColour(CHfcBmp* font)
{
    CHfcBmpLock lock(font);
    const CHfcPixelView view = lock.View();
    uint32_t ink = 0xFFFFFF;
    int32_t best = -1;
    for (int32_t y = 0; lock.IsLocked() && y < font->GetHeight(); ++y)
        for (int32_t x = 0; x < font->GetWidth(); ++x)
        {
            const uint8_t* p = view.Pixel(x, y);
            if (p[3] > best)
            {
                best = p[3];
                ink = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            }
        }
    return ink;
}
} // namespace

bool CCustomStaticText::DrawWideLine(CHfcDrawContext* context, CHfcBmp* font)
{
    const std::vector<char>& text = GetBuffer();
    if (!m_custom.wideFace || !font ||
        std::none_of(text.begin(), std::find(text.begin(), text.end(), '\0'),
                     [](char c) { return static_cast<uint8_t>(c) >= 128; }))
        return false;
    const std::wstring wide = AnsiToWide(text.data(), text.size());
    const int32_t width = m_rect.GetWidth(), height = m_text.cellHeight;
    // The line's surface, transparent, and a top-down DIB copy of it to draw the text into.
    CHfcBmp line;
    HBITMAP dib = line.Create(width, height) ? line.CopyToDibSection(0, 0, width, height) : nullptr;
    DIBSECTION section = {};
    void* bits =
        dib && GetObjectW(dib, sizeof section, &section) == sizeof section ? section.dsBm.bmBits : nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HFONT face =
        CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, m_custom.wideFace);
    const bool ready = memory && bits && face;
    if (ready)
    {
        // White on black gives the coverage; it becomes the alpha of the ink.
        HGDIOBJ oldBitmap = SelectObject(memory, dib);
        HGDIOBJ oldFont = SelectObject(memory, face);
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, RGB(255, 255, 255));
        RECT box = {0, 0, width, height};
        DrawTextW(memory, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
        const uint32_t ink = InkColour(font);
        {
            CHfcBmpLock lock(&line);
            const CHfcPixelView view = lock.View();
            const uint8_t* source = static_cast<const uint8_t*>(bits);
            for (int32_t y = 0; lock.IsLocked() && y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                {
                    const uint8_t* s = source + (size_t(y) * width + x) * 4;
                    uint8_t* d = view.Pixel(x, y);
                    d[0] = uint8_t(ink);
                    d[1] = uint8_t(ink >> 8);
                    d[2] = uint8_t(ink >> 16);
                    d[3] = std::max({s[0], s[1], s[2]});
                }
        }
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
        context->DrawBitmap(m_rect.left, m_rect.top, width, height, &line, 0, 0);
    }
    if (face)
        DeleteObject(face);
    if (dib)
        DeleteObject(dib);
    if (memory)
        DeleteDC(memory);
    return ready;
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
