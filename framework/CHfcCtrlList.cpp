#include "framework/CHfcCtrlList.h"

#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcUiLock.h"
#include "framework/CHfcWindowLayer.h"

#include <cstdlib>

namespace
{
// More dirty items than this on the page redraw the whole list.
constexpr int32_t kPartialRedrawLimit = 4;
// A press that moves further than this (|dx| + |dy|) starts a drag.
constexpr int32_t kDragDistance = 3;

constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
} // namespace

void CHfcCtrlListItem::SetText(const char* text)
{
    std::string next(text ? text : "");
    if (next.size() > kMaxText)
        next.resize(kMaxText);
    if (next == m_text)
        return;
    m_text = std::move(next);
    dirty = true;
}

void CHfcCtrlListItem::SetSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    dirty = true;
}

CHfcCtrlList::~CHfcCtrlList()
{
    if (IsCreated())
        CHfcCtrlList::Destroy();
}

bool CHfcCtrlList::Create(const CHfcCtrlListRecord* record, uint32_t id, uint32_t userValue)
{
    CHfcUiLock lock;
    if (!record || !record->font || record->width <= 0 || record->height <= 0 || record->columns <= 0 ||
        record->rows <= 0)
        return false;
    m_record = *record;
    if (m_record.selectedFont == nullptr)
        m_record.selectedFont = m_record.font;
    if (m_record.disabledFont == nullptr)
        m_record.disabledFont = m_record.font;
    if (m_record.charWidth == 0)
        m_record.charWidth = m_record.font->GetWidth();
    if (m_record.charHeight == 0)
        m_record.charHeight = m_record.font->GetHeight() / 128;
    SetRect(m_record.x, m_record.y, m_record.width, m_record.height);
    m_minimum = 0;
    m_maximum = m_record.itemLimit;
    m_grid = {m_record.orientation != 0 ? 1 : 0, m_record.columns, m_record.rows,
              static_cast<float>(m_record.width) / static_cast<float>(m_record.columns),
              static_cast<float>(m_record.height) / static_cast<float>(m_record.rows)};
    if (m_record.textTop == 0)
        m_record.textTop =
            -(m_record.charHeight / 2) - static_cast<int32_t>(m_grid.cellHeight * -0.5f) - m_record.insetY;
    m_cellDirty.assign(static_cast<size_t>(m_grid.VisibleCellCount()), 1);
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlList::Destroy()
{
    CHfcUiLock lock;
    m_items.clear();
    m_cellDirty.clear();
    m_scrollLine = 0;
    m_focusIndex = -1;
    ResetPress();
    m_record = CHfcCtrlListRecord();
    return CHfcControl::Destroy();
}

void CHfcCtrlList::Refresh()
{
    SetDirty(true);
    Redraw(false);
}

void CHfcCtrlList::Report(int32_t code, int32_t argument, void* data)
{
    if (m_listener)
        m_listener->OnControlEvent(this, code, argument, data);
}

void CHfcCtrlList::ResetPress()
{
    m_pressKind = kPressNone;
    m_pressedItem = -1;
    m_pressed = false;
}

CHfcCtrlListItem* CHfcCtrlList::AddItem()
{
    CHfcUiLock lock;
    if (!m_created || (m_record.itemLimit > 0 && GetItemCount() >= m_record.itemLimit))
        return nullptr;
    auto item = std::make_unique<CHfcCtrlListItem>();
    item->m_index = GetItemCount();
    CHfcCtrlListItem* added = item.get();
    m_items.push_back(std::move(item));
    Refresh();
    return added;
}

bool CHfcCtrlList::RemoveItem(int32_t index)
{
    CHfcUiLock lock;
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items.erase(m_items.begin() + index);
    for (int32_t i = index; i < GetItemCount(); ++i)
    {
        m_items[static_cast<size_t>(i)]->m_index = i;
        m_items[static_cast<size_t>(i)]->dirty = true;
    }
    // The focus and the press never point past the items.
    if (m_focusIndex >= GetItemCount())
        m_focusIndex = GetItemCount() - 1;
    if (m_pressedItem >= index)
        ResetPress();
    m_scrollLine = ListClampScrollLine(m_scrollLine, GetLineCount());
    Refresh();
    return true;
}

void CHfcCtrlList::RemoveAllItems()
{
    CHfcUiLock lock;
    m_items.clear();
    m_focusIndex = -1;
    m_scrollLine = 0;
    ResetPress();
    Refresh();
}

CHfcCtrlListItem* CHfcCtrlList::GetItem(int32_t index) const
{
    CHfcUiLock lock;
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}

void CHfcCtrlList::SetItemSelected(int32_t index, bool selected)
{
    CHfcUiLock lock;
    CHfcCtrlListItem* item = GetItem(index);
    if (!item)
        return;
    item->SetSelected(selected);
    Refresh();
}

bool CHfcCtrlList::IsItemSelected(int32_t index) const
{
    CHfcUiLock lock;
    const CHfcCtrlListItem* item = GetItem(index);
    return item && item->IsSelected();
}

int32_t CHfcCtrlList::GetFirstSelectedItem() const
{
    CHfcUiLock lock;
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (m_items[static_cast<size_t>(i)]->IsSelected())
            return i;
    return -1;
}

void CHfcCtrlList::ClearSelection()
{
    CHfcUiLock lock;
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (m_items[static_cast<size_t>(i)]->IsSelected())
            Report(kListEventSelect, 0, m_items[static_cast<size_t>(i)].get());
    Refresh();
}

void CHfcCtrlList::SelectItem(int32_t index, int32_t mode)
{
    CHfcUiLock lock;
    CHfcCtrlListItem* item = GetItem(index);
    if (!item || !item->enabled)
        return;
    switch (mode)
    {
    case 0:
        ClearSelection();
        Report(kListEventSelect, 1, item);
        break;
    case 1:
        if (!item->IsSelected())
            Report(kListEventSelect, 1, item);
        break;
    case 2:
        Report(kListEventSelect, item->IsSelected() ? 0 : 1, item);
        break;
    default:
        break;
    }
}

void CHfcCtrlList::ReportSelectionChanged()
{
    CHfcUiLock lock;
    Refresh();
    Report(kListEventSelectionChanged, 0, nullptr);
}

int32_t CHfcCtrlList::CellAtPoint(int32_t x, int32_t y, int32_t* dx, int32_t* dy) const
{
    return m_grid.CellAtPoint(x, y, dx, dy);
}

int32_t CHfcCtrlList::ItemAtPoint(int32_t x, int32_t y) const
{
    return m_grid.ItemInCell(CellAtPoint(x, y), m_scrollLine, GetItemCount());
}

int32_t CHfcCtrlList::GetLineCount() const
{
    return ListLineCount(GetItemCount(), m_grid.ItemsPerLine());
}

int32_t CHfcCtrlList::GetLinesPerPage() const
{
    return ListLinesPerPage(m_grid.orientation, m_grid.columns, m_grid.rows);
}

void CHfcCtrlList::SetScrollLine(int32_t line)
{
    CHfcUiLock lock;
    line = ListClampScrollLine(line, GetLineCount());
    if (line == m_scrollLine)
        return;
    m_scrollLine = line;
    for (auto& item : m_items)
        item->dirty = true;
    Refresh();
}

void CHfcCtrlList::ScrollToItem(int32_t index, int32_t mode)
{
    CHfcUiLock lock;
    SetScrollLine(ListScrollLineForItem(index, mode, m_scrollLine, m_grid.ItemsPerLine(), GetLinesPerPage()));
    Refresh();
}

void CHfcCtrlList::Redraw(bool force)
{
    if (!m_visible)
    {
        CHfcControl::Redraw(force);
        return;
    }
    if (!m_layer || !m_layer->GetOffscreen() || (!m_dirty && !force))
        return;
    // The list invalidates what it drew itself, cell by cell or as a whole.
    m_dirty = false;
    m_erase = force;
    if (force)
        for (auto& item : m_items)
            item->dirty = true;
    Draw(m_layer->GetOffscreen());
    m_erase = false;
}

void CHfcCtrlList::Draw(CHfcDrawContext* context)
{
    CHfcUiLock lock;
    if (!m_visible || !m_created || !context)
        return;
    int32_t dirty = 0;
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (m_items[static_cast<size_t>(i)]->dirty && m_grid.CellOfItem(i, m_scrollLine) != -1)
            ++dirty;
    m_partial = dirty <= kPartialRedrawLimit;
    if (m_partial)
    {
        DrawCells(context, false);
        return;
    }
    EraseLayerArea(context, m_rect);
    DrawCells(context, true);
    if (m_layer)
        m_layer->InvalidateArea(m_rect.left, m_rect.top, m_rect.GetWidth(), m_rect.GetHeight(), m_erase);
}

void CHfcCtrlList::EraseBackground(CHfcDrawContext* context)
{
    EraseLayerArea(context, m_rect);
}

void CHfcCtrlList::EraseLayerArea(CHfcDrawContext* context, const CHfcRect& area)
{
    if (m_record.background)
        context->DrawBitmap(area, m_record.background, m_record.backgroundX + area.left - m_rect.left,
                            m_record.backgroundY + area.top - m_rect.top);
    else
        context->ClearRect(static_cast<float>(area.left), static_cast<float>(area.top),
                           static_cast<float>(area.GetWidth()), static_cast<float>(area.GetHeight()));
}

void CHfcCtrlList::DrawCells(CHfcDrawContext* context, bool full)
{
    for (int32_t cell = 0; cell < m_grid.VisibleCellCount(); ++cell)
    {
        const int32_t index = m_grid.ItemInCell(cell, m_scrollLine, GetItemCount());
        uint8_t& cellDirty = m_cellDirty[static_cast<size_t>(cell)];
        if (index < 0)
        {
            if (cellDirty)
            {
                cellDirty = 0;
                DrawEmptyCell(context, cell);
            }
            continue;
        }
        DrawItemInCell(context, index, cell, full);
        // Cleared once when the item leaves the cell.
        cellDirty = 1;
    }
}

void CHfcCtrlList::DrawItemInCell(CHfcDrawContext* context, int32_t index, int32_t cell, bool full)
{
    CHfcCtrlListItem* item = m_items[static_cast<size_t>(index)].get();
    if ((!item->dirty && !full) || !item->shown)
        return;
    item->dirty = false;
    const CHfcRect local = m_grid.CellRect(cell);
    const CHfcRect area(m_rect.left + local.left, m_rect.top + local.top, m_rect.left + local.right,
                        m_rect.top + local.bottom);
    CHfcOffscreenContext surface(area.GetWidth(), area.GetHeight());
    if (!surface.IsReady())
        return;
    if (m_partial)
    {
        // The cell is drawn again from the background up, not over what it showed.
        if (m_record.background)
            surface.DrawBitmap(0, 0, area.GetWidth(), area.GetHeight(), m_record.background,
                               m_record.backgroundX + local.left, m_record.backgroundY + local.top);
        context->ClearRect(static_cast<float>(area.left), static_cast<float>(area.top),
                           static_cast<float>(area.GetWidth()), static_cast<float>(area.GetHeight()));
    }
    DrawItem(&surface, item, index, area.GetWidth(), area.GetHeight());
    surface.CopyTo(context, area.left, area.top, area.GetWidth(), area.GetHeight(), 0, 0);
    if (m_partial && m_layer)
        m_layer->InvalidateArea(area.left, area.top, area.GetWidth(), area.GetHeight(), m_erase);
}

void CHfcCtrlList::DrawItem(CHfcDrawContext* surface, CHfcCtrlListItem* item, int32_t, int32_t width,
                            int32_t height)
{
    const CHfcCtrlListRecord& r = m_record;
    const int32_t w = width - 2 * r.insetX, h = height - 2 * r.insetY;
    CHfcBmp* font = r.font;
    const uint32_t brush = surface->GetBrushColor(), pen = surface->GetPenColor();
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

    int32_t textLeft = r.insetX, textWidth = w;
    if (r.showIcons && item->icon)
    {
        CHfcBmp* icon = item->icon;
        const int32_t iconY = MaxValue(r.insetY + h / 2 - icon->GetHeight() / 2, r.insetY);
        surface->DrawBitmap(r.insetX + r.textLeft, iconY, icon->GetWidth(), MinValue(icon->GetHeight(), h),
                            icon, 0, 0);
        textLeft += icon->GetWidth() + r.textLeft;
        textWidth -= icon->GetWidth() + r.textLeft;
    }
    const std::string glyphs = ToFontGlyphs(item->GetText().c_str(), CHfcCtrlListItem::kMaxText);
    int32_t x = 0, length = 0;
    ListTextPlacement(textLeft, textWidth, r.textLeft, r.charWidth, static_cast<int32_t>(glyphs.size()), x,
                      length);
    surface->DrawBitmapText(x, r.insetY + r.textTop, glyphs.c_str(), length, font, r.charWidth, r.charHeight);
}

void CHfcCtrlList::DrawEmptyCell(CHfcDrawContext* context, int32_t cell)
{
    if (!m_partial)
        return;
    const CHfcRect local = m_grid.CellRect(cell);
    const CHfcRect area(m_rect.left + local.left + m_record.insetX, m_rect.top + local.top + m_record.insetY,
                        m_rect.left + local.right - m_record.insetX,
                        m_rect.top + local.bottom - m_record.insetY);
    if (area.GetWidth() <= 0 || area.GetHeight() <= 0)
        return;
    EraseLayerArea(context, area);
    if (m_layer)
        m_layer->InvalidateArea(area.left, area.top, area.GetWidth(), area.GetHeight(), m_erase);
}

bool CHfcCtrlList::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    const int32_t index = ItemAtPoint(x, y);
    m_pressKind = kPressNone;
    CHfcCtrlListItem* item = GetItem(index);
    if (!item || !item->enabled)
        return true;
    if (m_record.multipleSelection && (modifiers & kModifierControl))
        m_pressKind = kPressToggle; // completed at the release
    else if (m_record.multipleSelection && (modifiers & kModifierShift))
    {
        const int32_t first = MaxValue(GetFirstSelectedItem(), 0);
        const int32_t step = index >= first ? 1 : -1;
        for (int32_t i = first;; i += step)
        {
            SelectItem(i, 1);
            if (i == index)
                break;
        }
        ReportSelectionChanged();
        m_pressKind = kPressRange;
    }
    else
    {
        if (!item->IsSelected())
        {
            SelectItem(index, 0);
            ReportSelectionChanged();
        }
        m_pressKind = kPressPlain;
    }
    m_pressedItem = index;
    m_pressed = true;
    m_pressPoint = {x, y};
    m_focusIndex = index;
    CaptureMouse();
    return true;
}

bool CHfcCtrlList::OnHfcMouseLeftUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    ReleaseMouse();
    if (m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers))
        return true;
    if (m_pressKind == kPressPlain)
    {
        // The item under the pointer becomes the selection (one of several already selected
        // was pressed, and not dragged).
        const int32_t index = ItemAtPoint(x, y);
        if (index >= 0)
            SelectItem(index, 0);
    }
    else if (m_pressKind == kPressToggle)
    {
        CHfcCtrlListItem* item = GetItem(m_pressedItem);
        if (item)
            Report(kListEventSelect, item->IsSelected() ? 0 : 1, item);
    }
    ResetPress();
    return true;
}

bool CHfcCtrlList::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    if (m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers))
        return true;
    if (!m_pressed || std::abs(x - m_pressPoint.x) + std::abs(y - m_pressPoint.y) <= kDragDistance)
        return false;
    // The press becomes a drag: it completes no selection at the release.
    m_pressed = false;
    m_pressKind = kPressNone;
    if (!m_record.dragSource)
        return false;
    CHfcCtrlListDragRecord drag = {m_pressedItem, x, y, 0, 0};
    CellAtPoint(x, y, &drag.dx, &drag.dy);
    POINT screen = {x, y};
    if (ControlToScreen(screen))
    {
        drag.screenX = screen.x;
        drag.screenY = screen.y;
    }
    Report(kListEventDragStart, m_pressedItem, &drag);
    return true;
}

bool CHfcCtrlList::OnHfcMouseLeftDoubleClick(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    const int32_t index = ItemAtPoint(x, y);
    CHfcCtrlListItem* item = GetItem(index);
    if (!item)
        return false;
    SelectItem(index, 0);
    if (item->enabled)
        Report(kListEventActivate, index, item);
    return true;
}

bool CHfcCtrlList::OnHfcMouseRightDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    if (m_listener && m_listener->OnControlRButtonDown(this, x, y, modifiers))
        return true;
    const int32_t index = ItemAtPoint(x, y);
    CHfcCtrlListItem* item = GetItem(index);
    if (!item || !item->enabled || item->IsSelected())
        return false;
    SelectItem(index, 0);
    ReportSelectionChanged();
    return true;
}

bool CHfcCtrlList::OnHfcMouseRightUp(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    CHfcUiLock lock;
    if (m_listener && m_listener->OnControlRButtonUp(this, x, y, modifiers))
        return true;
    const int32_t index = ItemAtPoint(x, y);
    POINT point = {x, y};
    if (!ControlToScreen(point) || !m_layer || !m_layer->ScreenToLayer(point))
        point = {x + m_rect.left, y + m_rect.top};
    Report(kListEventContextMenu, index, &point);
    return true;
}

bool CHfcCtrlList::OnHfcMouseCaptureLost(CHfcMouse*)
{
    if (m_listener)
        m_listener->OnControlCaptureLost(this);
    return true;
}

bool CHfcCtrlList::OnHfcKeyCharacter(CHfcKey*, uint32_t code, uint32_t flags)
{
    CHfcUiLock lock;
    // The navigation keys come from key-downs, with flags 0; characters never have flags 0.
    if (flags != 0 || GetItemCount() == 0)
        return false;
    if (code == kKeyEnter)
    {
        CHfcCtrlListItem* item = GetItem(m_focusIndex);
        if (!item)
            return false;
        SelectItem(m_focusIndex, 0);
        Report(kListEventActivate, m_focusIndex, item);
        return true;
    }
    if (code < kKeyLeft || code > kKeyDown)
        return false;
    // Along a line the arrows move by one item, across lines by a line.
    const int32_t perLine = m_grid.ItemsPerLine();
    const bool rowsRun = m_grid.orientation == 0;
    int32_t move = 0;
    if (code == kKeyLeft || code == kKeyRight)
        move = rowsRun ? 1 : perLine;
    else
        move = rowsRun ? perLine : 1;
    if (code == kKeyLeft || code == kKeyUp)
        move = -move;
    int32_t focus = m_focusIndex;
    if (focus < 0 || focus >= GetItemCount())
        focus = MaxValue(GetFirstSelectedItem(), 0);
    else if (focus + move >= 0 && focus + move < GetItemCount())
        focus += move;
    m_focusIndex = focus;
    ScrollToItem(focus, 0);
    SelectItem(focus, 0);
    ReportSelectionChanged();
    Report(kListEventFocusMoved, focus, GetItem(focus));
    Report(kListEventScrolled, m_scrollLine, nullptr);
    return true;
}

bool CHfcCtrlList::OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                  uint32_t modifiers, uint32_t* effect)
{
    return m_listener && m_listener->OnControlDragEnter(this, data, keyState, x, y, modifiers, effect);
}

bool CHfcCtrlList::OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                                 uint32_t modifiers, uint32_t* effect)
{
    return m_listener && m_listener->OnControlDragOver(this, data, keyState, x, y, modifiers, effect);
}

bool CHfcCtrlList::OnHfcDragLeave(CHfcDragData* data)
{
    return m_listener && m_listener->OnControlDragLeave(this, data);
}

bool CHfcCtrlList::OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                             uint32_t* effect)
{
    return m_listener && m_listener->OnControlDrop(this, data, keyState, x, y, modifiers, effect);
}
