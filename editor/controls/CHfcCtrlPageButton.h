#pragma once

#include "framework/CHfcControl.h"

#include <vector>

class CHfcBmp;

struct CHfcCtrlPageButtonRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0; // both at least 1
    int32_t height = 0;
    CHfcBmp* background = nullptr; // null: the area is cleared
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    int32_t cellWidth = 0; // of each page's tab
    int32_t cellHeight = 0;
    int32_t gap = 0;                 // between neighbouring tabs
    CHfcBmp* font = nullptr;         // the labels' bitmap font; null: no labels
    CHfcBmp* selectedFont = nullptr; // null: font
    CHfcBmp* disabledFont = nullptr; // for a page not enabled; null: font
    int32_t charWidth = 0;           // 0: the font's width
    int32_t charHeight = 0;          // 0: the font's height / 128
    int32_t labelX = -1;             // from the tab's corner; -1 centres
    int32_t labelY = -1;
    uint32_t fillColor = 0; // the selected tab
    uint32_t frameColor = 0;
    int32_t acceptsDrags = 0; // not 0: takes drags and switches pages under a hovering drag
};

struct CHfcPageItem
{
    static constexpr size_t kNameSize = 32;

    char name[kNameSize] = {};
    bool enabled = true; // clear: drawn in the disabled font
    bool shown = true;   // clear: neither drawn nor pressed
    uint32_t index = 0;
    CHfcRect rect; // layer coordinates
};

// A row of page tabs; its value is the selected page. A press on a tab reports the tab's index
// (OnValueChanged); the owner selects it with SetValue.
class CHfcCtrlPageButton : public CHfcControl
{
public:
    ~CHfcCtrlPageButton() override;

    // False for a null record or a size below 1 x 1.
    bool Create(const CHfcCtrlPageButtonRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    // The index of the new page; -1 when the pages cannot grow (they are then all dropped).
    int32_t AddPage(const char* name);
    void RemoveAllPages();
    int32_t GetPageCount() const { return static_cast<int32_t>(m_pages.size()); }
    // Null outside 0 .. count - 1.
    CHfcPageItem* GetPage(int32_t index);
    // The first shown and enabled page whose rectangle holds the layer point, every bound
    // excluded; -1 for none.
    int32_t PageAtPoint(int32_t x, int32_t y) const;
    // Clamped to 0 .. count - 1 (0 without pages); redraws.
    void SetValue(int32_t value, bool redraw) override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    const CHfcCtrlPageButtonRecord& GetRecord() const { return m_record; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

protected:
    // Whether presses reach the tabs (an editor control ignores them while disabled).
    virtual bool TakesPresses() const { return true; }

private:
    CHfcCtrlPageButtonRecord m_record;
    std::vector<CHfcPageItem> m_pages;
};
