#pragma once

#include "foundation/CHfcRect.h"
#include "framework/CHfcDragListener.h"
#include "framework/CHfcKeyFocusListener.h"
#include "framework/CHfcKeyListener.h"
#include "framework/CHfcMouseRouter.h"

#include <windows.h>

#include <cstdint>

class CHfcDrawContext;
class CHfcWindowLayer;

// The base of every control on a window layer: its rectangle in layer coordinates, its state
// flags and the layer that holds it. Subclasses set the rectangle and the flags when they are
// created, draw themselves and handle the local mouse events.
class CHfcControl : public CHfcScreenMouseRouter,
                    public CHfcKeyListener,
                    public CHfcKeyFocusListener,
                    public CHfcDragListener
{
public:
    CHfcControl() = default;
    CHfcControl(const CHfcControl&) = delete;
    CHfcControl& operator=(const CHfcControl&) = delete;
    ~CHfcControl() override;

    // Leaves the layer and gives up the mouse capture.
    virtual bool Destroy();
    // Draws the control into the context; the base fills the rectangle with the brush.
    virtual void Draw(CHfcDrawContext* context);
    virtual void EraseBackground(CHfcDrawContext* /*context*/) {}
    // Draws a dirty (or, with force, any) visible control into its layer's surface and has
    // the layer recompose the area; a hidden control erases its area once.
    virtual void Redraw(bool force);
    virtual void SetDirty(bool dirty) { m_dirty = dirty; }
    virtual bool IsDirty() const { return m_dirty; }
    virtual void Show(bool redraw);
    virtual void Hide(bool redraw);
    // The layer let the control go.
    virtual void Detach() { m_layer = nullptr; }

    // Called by the layer when the control joins it.
    void AttachLayer(CHfcWindowLayer* layer) { m_layer = layer; }
    bool ScreenToControl(POINT& point) const;

    const CHfcRect& GetRect() const { return m_rect; }
    uint32_t GetId() const { return m_id; }
    CHfcWindowLayer* GetLayer() const { return m_layer; }
    bool IsCreated() const { return m_created; }
    bool IsVisible() const { return m_visible; }
    bool IsEnabled() const { return m_enabled; }

protected:
    // The screen twins used while the control holds the capture: left presses reach an enabled
    // control only, moves any control, the other events none; the point goes to control
    // coordinates.
    bool RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                          int32_t delta) override;

    CHfcRect m_rect; // layer coordinates
    uint32_t m_id = 0;
    CHfcWindowLayer* m_layer = nullptr; // not owned
    bool m_created = false;
    bool m_visible = false;
    bool m_enabled = false;
    bool m_dirty = true;
    bool m_pendingErase = false;
};
