#pragma once

#include "foundation/CHfcRect.h"
#include "framework/CHfcDragListener.h"
#include "framework/CHfcKeyFocusListener.h"
#include "framework/CHfcKeyListener.h"
#include "framework/CHfcMouseRouter.h"

#include <windows.h>

#include <memory>
#include <vector>

class CHfcControl;
class CHfcOffscreenContext;
class CHfcWindow;

// One rectangle of a window with an offscreen surface of its own and an ordered list of
// controls. It draws its controls onto its surface, has the window recompose the rectangles
// that changed, and hands the mouse and drag events the window routes to it to the control
// under the pointer. Window thread only.
class CHfcWindowLayer : public CHfcScreenMouseRouter,
                        public CHfcKeyListener,
                        public CHfcScreenDragRouter,
                        public CHfcKeyFocusListener
{
public:
    CHfcWindowLayer();
    CHfcWindowLayer(const CHfcWindowLayer&) = delete;
    CHfcWindowLayer& operator=(const CHfcWindowLayer&) = delete;
    ~CHfcWindowLayer() override;

    // Makes the surface and joins the window (without redraw); a null window makes a layer of
    // its own, like a window's root layer. False without a surface.
    virtual bool Create(int32_t x, int32_t y, int32_t width, int32_t height, CHfcWindow* window);
    // Gives up the key focus and the mouse capture it holds, hides, drops its controls and
    // leaves its window.
    virtual bool Destroy();
    virtual bool Resize(int32_t width, int32_t height, bool redraw);
    virtual bool Move(int32_t x, int32_t y, bool redraw);
    // Recompose the layer's rectangle at once, or through the window's dirty rectangle when
    // now is false.
    virtual bool Show(bool now);
    virtual bool Hide(bool now);
    // Controls are not owned.
    virtual bool AddControl(CHfcControl* control, bool draw);
    virtual bool RemoveControl(CHfcControl* control);
    virtual void RemoveAllControls();
    // Repaint requests to the window (no recomposition); rectangles in layer coordinates.
    virtual void Invalidate();
    virtual void InvalidateRect(const CHfcRect& rect);
    virtual bool OnCreate() { return true; }
    virtual bool OnDestroy() { return true; }
    // The window let the layer go.
    virtual void DetachWindow(CHfcWindow* window);
    virtual void OnResizing(int32_t& /*width*/, int32_t& /*height*/) {}
    virtual void OnResized(int32_t /*width*/, int32_t /*height*/) {}
    virtual void OnMoving(int32_t& /*x*/, int32_t& /*y*/) {}
    virtual void OnMoved(int32_t /*x*/, int32_t /*y*/) {}

    // A mouse event at a point in layer coordinates: to the layer itself while it holds the
    // capture, else to the first visible and enabled control under the point that handles
    // it, else to the layer's own operation.
    virtual bool DispatchMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                               uint32_t modifiers, int32_t delta = 0);

    void SetAllControlsDirty(bool dirty);
    // Recompose the area (layer coordinates) or the whole layer through the window.
    void InvalidateArea(int32_t x, int32_t y, int32_t width, int32_t height, bool now);
    void InvalidateAll(bool now);
    bool ScreenToLayer(POINT& point) const;
    bool LayerToScreen(POINT& point) const;

    // The window's key focus, for the layer's controls.
    bool SetKeyFocus(CHfcKeyFocusListener* listener);
    void ReleaseKeyFocus(CHfcKeyFocusListener* listener);
    bool HasKeyFocus(CHfcKeyFocusListener* listener) const;

    size_t GetControlCount() const { return m_controls.size(); }
    CHfcControl* GetControl(size_t index) const
    {
        return index < m_controls.size() ? m_controls[index] : nullptr;
    }
    int32_t GetOffscreenWidth() const;
    int32_t GetOffscreenHeight() const;
    CHfcOffscreenContext* GetOffscreen() const { return m_surface.get(); }
    const CHfcRect& GetRect() const { return m_rect; }
    bool IsCreated() const { return m_created; }
    bool IsVisible() const { return m_visible; }
    CHfcWindow* GetWindow() const { return m_window; }
    // Called by the window when the layer joins it.
    void SetOwnerWindow(CHfcWindow* window) { m_window = window; }
    float GetScale() const { return m_scale; }
    void SetScale(float scale) { m_scale = scale; }

protected:
    // Used while the layer holds the capture: the point goes to layer coordinates.
    bool RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                          int32_t delta) override;
    // Drags in screen coordinates: to the first visible control under the point (enabled or
    // not) that handles it, else to the layer's own client-coordinate operation. The control
    // that had the drag last is its target: only it hears the leave, and a drag that moves to
    // another control is a leave to the target and an enter to the new one.
    bool RouteScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                         uint32_t modifiers, uint32_t* effect) override;

private:
    bool SetVisible(bool visible, bool now);
    // Tells the drag's target, if any, that the drag left it, and forgets it.
    void LeaveDragTarget(CHfcDragData* data);
    void Recompose(const CHfcRect& rect, bool now);

    bool m_created = false;
    CHfcRect m_rect;                // in the window's client coordinates
    CHfcWindow* m_window = nullptr; // not owned
    std::unique_ptr<CHfcOffscreenContext> m_surface;
    bool m_visible = false;
    float m_scale = 1.0f;
    std::vector<CHfcControl*> m_controls; // not owned
    CHfcControl* m_dragTarget = nullptr;  // one of m_controls: the last to get an enter or over
};
