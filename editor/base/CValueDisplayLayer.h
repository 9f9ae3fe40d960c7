#pragma once

#include "editor/base/CBaseLayer.h"
#include "foundation/CHfcRect.h"

#include <vector>

class CEditLayerBase;

// Writes the value text of every control of an edit page beside the control while "Show Values"
// is on, and keeps them current by polling. Window thread only.
class CValueDisplayLayer : public CBaseLayer
{
public:
    enum : int32_t
    {
        kTextSize = 32,
    };
    struct Item
    {
        bool dirty = true;
        char text[kTextSize] = {};
        CHfcRect drawn;
    };

    // One item per control of the watched layer, the layer over the watched layer's rectangle;
    // false without a watched layer.
    bool Bind(CBaseWindow* window, CEditLayerBase* watched);
    bool Destroy() override;
    // Draws the texts that changed and erases those of hidden controls.
    void Poll();
    void RefreshValues() override { Poll(); }
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    const std::vector<Item>& GetItems() const { return m_items; }
    // Where an item of the size goes beside the control: below it, above, right or left (centred
    // on that side, then at either end), the first of these inside the bounds that covers none of
    // the obstacles (other controls, the page's labels, other items); with none free, the one
    // that covers no control and the least of the rest (firstSoft: the obstacles from there on
    // are labels and items); with none of those either, centred below.
    static CHfcRect PlaceItem(const CHfcRect& control, int32_t width, int32_t height, const CHfcRect& bounds,
                              const std::vector<CHfcRect>& obstacles, size_t firstSoft);
    // How many item texts were drawn since the layer was bound.
    int32_t GetDrawCount() const { return m_drawCount; }

private:
    void DrawItem(size_t index, const CHfcRect& control, const char* text);
    void EraseItem(Item& item);

    CEditLayerBase* m_watched = nullptr; // not owned
    std::vector<Item> m_items;
    bool m_bound = false;
    bool m_registered = false;
    int32_t m_drawCount = 0;
};
