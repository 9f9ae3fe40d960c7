#pragma once

#include "editor/base/CBaseLayer.h"

#include <cstdint>
#include <functional>

class CHfcBmp;
class CHfcDragData;
class CLibraryData;

// The strip across the top of a library window: the "PROGRAM" and "GLOBAL" page tabs and the
// editor's logo. A press on a tab asks the window to show that page, except while a message
// box or dialog is open. Each tab is also a drag source and a drop target: "PROGRAM" carries
// the library's whole program set, "GLOBAL" its global data, and such a block dropped on the
// matching tab of another library's strip replaces that library's. Window thread only.
class CPageSelectLayer : public CBaseLayer
{
public:
    enum : int32_t
    {
        kWidth = 794,
        kHeight = 37,
        kTabWidth = 120,
        kTabHeight = 30,
    };

    enum : int32_t
    {
        kHoverMs = 300, // a drag resting this long brings the window forward
    };

    CPageSelectLayer();

    // The document whose blocks the tabs drag and receive (not owned; null: no drags).
    void SetLibrary(CLibraryData* library) { m_library = library; }
    // The block kind a tab carries: the program set for tab 0, the global data for tab 1.
    static uint32_t GetTabBlockKind(int32_t tab);
    // A drag from elsewhere is over the strip.
    bool IsDragOver() const { return m_hoverMs != -1; }
    // While a tab's drag runs.
    bool IsBusy() const override { return m_dragging; }
    // Called with the chosen page (0 program, 1 global).
    void SetPageHandler(std::function<void(int32_t)> handler) { m_onPage = std::move(handler); }
    // The tab shown as chosen.
    void SetPage(int32_t page);
    int32_t GetPage() const { return m_page; }
    // The page tab under (x, y), or -1.
    static int32_t HitTestTab(int32_t x, int32_t y);
    void Draw();

    void RefreshValues() override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDragLeave(CHfcDragData* data) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

private:
    bool IsInStrip(int32_t x, int32_t y) const;
    // The drag of tab's block.
    void RunTabDrag(int32_t tab);
    // Whether the drag holds a block of the kind that tab takes.
    bool OffersBlockFor(const CHfcDragData* data, int32_t tab) const;
    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_tabs = nullptr;
    CHfcBmp* m_logo = nullptr;
    CHfcBmp* m_labelFont = nullptr;       // the shown page's tab
    CHfcBmp* m_labelFontBehind = nullptr; // the other tab
    int32_t m_tabFrameHeight = 0;
    int32_t m_page = 0;
    bool m_redrawAll = true;
    std::function<void(int32_t)> m_onPage;
    CLibraryData* m_library = nullptr;
    int32_t m_pressedTab = -1;
    bool m_pressPending = false;
    int32_t m_pressX = 0, m_pressY = 0;
    bool m_dragging = false; // a tab drag from this strip runs
    int32_t m_hoverMs = -1;  // -1: no drag over the strip
};
