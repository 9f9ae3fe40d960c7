#include "editor/controls/CCustomList.h"

#include "framework/CHfcDrawContext.h"

#include <string>

void CCustomList::SetGridColor(uint32_t argb)
{
    m_gridColor = argb;
    SetDirty(true);
}

void CCustomList::SetValue(int32_t value)
{
    for (int32_t i = 0; i < GetItemCount(); ++i)
        SetItemSelected(i, i == value);
}

void CCustomList::DrawGrid(CHfcDrawContext* surface, int32_t index, int32_t w, int32_t h)
{
    const CHfcCtrlListRecord& r = GetRecord();
    const HfcListGrid& grid = GetGrid();
    const int32_t count = GetItemCount(), x = r.insetX, y = r.insetY;
    const int32_t cell = grid.CellOfItem(index, GetScrollLine());
    int32_t column = 0, row = 0;
    grid.CellColumnRow(cell, column, row);
    surface->MoveTo(x, y + h);
    surface->LineTo(x, y);
    surface->LineTo(x + w, y);
    // Without an inset the cells touch: the right and bottom lines are the next cell's left
    // and top ones, drawn inside only where no next cell draws them.
    if (x != 0)
    {
        surface->MoveTo(x + w, y);
        surface->LineTo(x + w, y + h);
    }
    else if (index + r.rows >= count || cell + r.rows >= grid.VisibleCellCount())
    {
        surface->MoveTo(w - 1, y);
        surface->LineTo(w - 1, y + h);
    }
    if (y != 0)
    {
        surface->MoveTo(x, y + h);
        surface->LineTo(x + w, y + h);
    }
    else if (row + 1 >= r.rows || index + 1 >= count)
    {
        surface->MoveTo(x, y + h - 1);
        surface->LineTo(x + w - 1, y + h - 1);
    }
}

void CCustomList::DrawItem(CHfcDrawContext* surface, CHfcCtrlListItem* item, int32_t index, int32_t width,
                           int32_t height)
{
    const CHfcCtrlListRecord& r = GetRecord();
    const int32_t w = width - 2 * r.insetX, h = height - 2 * r.insetY;
    const uint32_t brush = surface->GetBrushColor(), pen = surface->GetPenColor();
    if (m_gridColor != 0)
    {
        surface->SetPenColor(m_gridColor);
        DrawGrid(surface, index, w, h);
    }
    CHfcBmp* font = r.font;
    if (item->IsSelected())
    {
        surface->SetBrushColor(r.selectionColor);
        surface->FillRect(r.insetX, r.insetY, w, h);
        font = r.selectedFont;
    }
    else if (item->highlight)
    {
        surface->SetBrushColor(r.highlightColor);
        surface->FillRect(r.insetX, r.insetY, w, h);
    }
    if (item->frame)
    {
        surface->SetPenColor(r.frameColor);
        surface->DrawRect(r.insetX, r.insetY, w, h);
    }
    surface->SetBrushColor(brush);
    surface->SetPenColor(pen);
    if (!item->enabled)
        font = r.disabledFont;
    const std::string glyphs = ToFontGlyphs(item->GetText().c_str(), CHfcCtrlListItem::kMaxText);
    int32_t x = 0, length = 0;
    ListTextPlacement(r.insetX, w, r.textLeft, r.charWidth, static_cast<int32_t>(glyphs.size()), x, length);
    surface->DrawBitmapText(x, r.insetY + r.textTop, glyphs.c_str(), length, font, r.charWidth, r.charHeight);
}
