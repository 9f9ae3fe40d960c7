#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlList.h"

// A list whose cells are ruled by a grid: each cell draws its top and left lines, and its
// right and bottom lines where no neighbour will, so neighbouring cells share one line. Its
// value is the first selected item. It draws no icons.
class CCustomList : public CHfcCtrlList, public CCustomControl
{
public:
    bool Create(const CHfcCtrlListRecord* record, uint32_t id, uint32_t eventKind)
    {
        return CHfcCtrlList::Create(record, id, eventKind);
    }
    // ARGB; 0 (the default) draws no grid.
    void SetGridColor(uint32_t argb);
    uint32_t GetGridColor() const { return m_gridColor; }

    // Selects that item alone.
    void SetValue(int32_t value) override;
    int32_t GetValue() override { return GetFirstSelectedItem(); }
    int32_t GetMaximum() override { return GetItemCount() - 1; }
    int32_t GetControlType() override { return kTypeList; }

protected:
    void DrawItem(CHfcDrawContext* surface, CHfcCtrlListItem* item, int32_t index, int32_t width,
                  int32_t height) override;

private:
    void DrawGrid(CHfcDrawContext* surface, int32_t index, int32_t w, int32_t h);

    uint32_t m_gridColor = 0;
};
