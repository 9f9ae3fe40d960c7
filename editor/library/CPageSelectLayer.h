#pragma once

#include "editor/base/CBaseLayer.h"

#include <cstdint>
#include <functional>

class CHfcBmp;

// The strip across the top of a library window: the "PROGRAM" and "GLOBAL" page tabs and the
// editor's logo. A press on a tab asks the window to show that page, except while a message
// box or dialog is open. Window thread only.
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

    CPageSelectLayer();

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

private:
    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_tabs = nullptr;
    CHfcBmp* m_logo = nullptr;
    CHfcBmp* m_labelFont = nullptr;       // the shown page's tab
    CHfcBmp* m_labelFontBehind = nullptr; // the other tab
    int32_t m_tabFrameHeight = 0;
    int32_t m_page = 0;
    bool m_redrawAll = true;
    std::function<void(int32_t)> m_onPage;
};
