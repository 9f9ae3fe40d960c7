#pragma once

#include "framework/CHfcControl.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <memory>
#include <string>
#include <vector>

class CHfcBmp;

// One item of a list, made by the list. The owner writes the public fields directly.
class CHfcCtrlListItem
{
public:
    static constexpr size_t kMaxText = 256;

    // At most kMaxText characters; dirty only when the text differs.
    void SetText(const char* text);
    const std::string& GetText() const { return m_text; }
    // Dirty when the flag changes.
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }
    int32_t GetIndex() const { return m_index; }

    bool enabled = true;     // clear: not selectable by the mouse, drawn in the disabled font
    bool shown = true;       // clear: the item's cell is not drawn
    uint32_t userValue = 0;  // for the owner
    CHfcBmp* icon = nullptr; // drawn before the text when the list's record asks; not owned
    bool dirty = true;       // set by every change, cleared when the item is drawn
    bool highlight = false;  // the default drawing fills the cell in the highlight colour
    bool frame = false;      // the default drawing outlines the cell in the frame colour

private:
    friend class CHfcCtrlList;
    std::string m_text;
    bool m_selected = false;
    int32_t m_index = 0;
};

struct CHfcCtrlListRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0; // both above 0
    int32_t height = 0;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    CHfcBmp* background = nullptr;   // null: the area is cleared instead
    CHfcBmp* font = nullptr;         // required: 128 glyph rows
    CHfcBmp* selectedFont = nullptr; // null: font
    CHfcBmp* disabledFont = nullptr; // null: font
    int32_t charWidth = 0;           // 0: the font's width
    int32_t charHeight = 0;          // 0: the font's height / 128
    int32_t itemLimit = 0;           // 0: none; also the control's maximum
    int32_t columns = 1;
    int32_t rows = 1;
    int32_t insetX = 0; // of the drawn area inside a cell
    int32_t insetY = 0;
    int32_t textLeft = 0;    // inside the inset area; 0 centres; also the gap after an icon
    int32_t textTop = 0;     // in a cell; 0 centres the glyphs vertically
    uint8_t orientation = 0; // 0: items run along a row; 1: down a column
    uint8_t multipleSelection = 0;
    uint8_t dragSource = 0;
    uint8_t reserved = 0;
    uint8_t showIcons = 0;
    uint32_t selectionColor = 0;
    uint32_t highlightColor = 0;
    uint32_t frameColor = 0;
};

// The list's reports through CHfcControlListener::OnControlEvent(control, code, argument,
// data).
enum HfcListEvent : int32_t
{
    kListEventSelect = 0,           // argument 1 select, 0 deselect; data the item
    kListEventSelectionChanged = 1, // after a press, a right press or a key; no data
    kListEventActivate = 2,         // Enter or a double click: argument the index; data the item
    kListEventFocusMoved = 4,       // an arrow key: argument the focused index; data the item
    kListEventDragStart = 5,        // argument the pressed index; data a CHfcCtrlListDragRecord
    kListEventContextMenu = 6,      // right release: argument the item or -1; data a POINT (layer)
    kListEventScrolled = 7,         // after an arrow key: argument the scroll line; no data
};

struct CHfcCtrlListDragRecord
{
    int32_t index;
    int32_t screenX, screenY; // the pointer
    int32_t dx, dy;           // the pointed cell's top-left corner minus the pointer
};

// Text items in a grid of cells drawn with a bitmap font, scrolled by lines. The list never
// changes its selection on a click or a key: it asks its listener (kListEventSelect), which
// answers with SetItemSelected; a listener that ignores the requests keeps the selection.
// Every public operation runs under the UI lock.
class CHfcCtrlList : public CHfcControl
{
public:
    CHfcCtrlList() = default;
    ~CHfcCtrlList() override;

    // False for a null record or font, a size not above 0 or a grid without cells.
    bool Create(const CHfcCtrlListRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;

    // Null when the item limit is reached.
    CHfcCtrlListItem* AddItem();
    bool RemoveItem(int32_t index);
    void RemoveAllItems();
    CHfcCtrlListItem* GetItem(int32_t index) const;
    int32_t GetItemCount() const { return static_cast<int32_t>(m_items.size()); }

    void SetItemSelected(int32_t index, bool selected);
    bool IsItemSelected(int32_t index) const;
    int32_t GetFirstSelectedItem() const;
    // Asks the listener to deselect every selected item.
    void ClearSelection();
    // Selection requests for an enabled item: mode 0 this one only, 1 add it, 2 toggle it.
    void SelectItem(int32_t index, int32_t mode);
    void ReportSelectionChanged();

    // The visible cell under a control-local point, -1 outside the grid (see HfcListGrid).
    int32_t CellAtPoint(int32_t x, int32_t y, int32_t* dx = nullptr, int32_t* dy = nullptr) const;
    // The item under a control-local point, -1 for none.
    int32_t ItemAtPoint(int32_t x, int32_t y) const;
    int32_t GetLineCount() const;
    int32_t GetLinesPerPage() const;
    int32_t GetVisibleCellCount() const { return m_grid.VisibleCellCount(); }
    int32_t GetScrollLine() const { return m_scrollLine; }
    // Clamped to the lines; a change redraws every item.
    void SetScrollLine(int32_t line);
    // Mode 0 scrolls as little as possible, mode 1 to the page that holds the item.
    void ScrollToItem(int32_t index, int32_t mode);
    int32_t GetFocusIndex() const { return m_focusIndex; }
    void SetFocusIndex(int32_t index) { m_focusIndex = index; }

    // Four dirty items on the page or fewer redraw cell by cell, more the whole control.
    void Draw(CHfcDrawContext* context) override;
    void Redraw(bool force) override;
    void EraseBackground(CHfcDrawContext* context) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;
    // Enter activates the focused item; the arrow keys move the focus and ask to select it.
    bool OnHfcKeyCharacter(CHfcKey* key, uint32_t code, uint32_t flags) override;
    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDragLeave(CHfcDragData* data) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

protected:
    void DrawCells(CHfcDrawContext* context, bool full);
    // Draws an item into its cell's surface of width x height.
    virtual void DrawItem(CHfcDrawContext* surface, CHfcCtrlListItem* item, int32_t index, int32_t width,
                          int32_t height);
    virtual void DrawEmptyCell(CHfcDrawContext* context, int32_t cell);
    const CHfcCtrlListRecord& GetRecord() const { return m_record; }
    const HfcListGrid& GetGrid() const { return m_grid; }

private:
    enum PressKind
    {
        kPressNone,
        kPressPlain,
        kPressToggle,
        kPressRange,
    };

    void Refresh();
    void Report(int32_t code, int32_t argument, void* data);
    void DrawItemInCell(CHfcDrawContext* context, int32_t index, int32_t cell, bool full);
    // The part of the background under a layer rectangle, or the area cleared.
    void EraseLayerArea(CHfcDrawContext* context, const CHfcRect& area);
    void ResetPress();

    std::vector<std::unique_ptr<CHfcCtrlListItem>> m_items;
    std::vector<uint8_t> m_cellDirty; // per visible cell: it may show something to clear
    int32_t m_scrollLine = 0;
    HfcListGrid m_grid = {};
    bool m_partial = false;
    bool m_erase = false;
    PressKind m_pressKind = kPressNone;
    int32_t m_pressedItem = -1;
    bool m_pressed = false;
    POINT m_pressPoint = {0, 0};
    CHfcCtrlListRecord m_record;
    int32_t m_focusIndex = -1;
};
