#pragma once

#include "foundation/CHfcRect.h"
#include "framework/CHfcDragListener.h"
#include "framework/CHfcKeyFocusListener.h"
#include "framework/CHfcKeyListener.h"
#include "framework/CHfcMouseRouter.h"

#include <windows.h>

#include <cstdint>
#include <functional>

class CHfcControlListener;
class CHfcDrawContext;
class CHfcWindowLayer;

// The base of every control on a window layer: its rectangle in layer coordinates, its value
// and range, its state flags, the listener it reports to and the layer that holds it. A
// subclass's Create sets the rectangle, the range and the created and enabled flags; the
// layer's AddControl attaches it; the owner then shows it (a control is constructed hidden).
// It draws itself into the layer's surface and has the layer recompose the area. Operations on
// a control that is not created or not on a layer do nothing and answer false. Window thread
// only.
class CHfcControl : public CHfcScreenMouseRouter,
                    public CHfcKeyListener,
                    public CHfcKeyFocusListener,
                    public CHfcDragListener
{
public:
    // Milliseconds of a counter that may wrap; timeGetTime unless a test sets another.
    using Clock = std::function<uint32_t()>;

    CHfcControl();
    CHfcControl(const CHfcControl&) = delete;
    CHfcControl& operator=(const CHfcControl&) = delete;
    ~CHfcControl() override;

    // Gives up the key focus and the mouse capture it holds and leaves the layer; the control
    // can be created again.
    virtual bool Destroy();
    // Keep the size (Move) or the top-left corner (Resize); false without a layer.
    virtual bool Move(int32_t x, int32_t y, bool redraw);
    virtual bool Resize(int32_t width, int32_t height, bool redraw);
    // Draws the control into the context; the base fills the rectangle with the brush.
    virtual void Draw(CHfcDrawContext* context);
    // In the focus colour: corner marks with no margin, else glow rings in the margin.
    virtual void DrawFocusFrame(CHfcDrawContext* context);
    // Erases the control's area after it was hidden; the base does nothing.
    virtual void EraseBackground(CHfcDrawContext* /*context*/) {}
    // Draws a dirty (or, with force, any) visible control into its layer's surface and has
    // the layer recompose the area (grown by the margin); a hidden control erases its area
    // once.
    virtual void Redraw(bool force);
    virtual void SetDirty(bool dirty) { m_dirty = dirty; }
    virtual bool IsDirty() const { return m_dirty; }
    void Update() { Redraw(false); }
    virtual void Show(bool redraw);
    virtual void Hide(bool redraw);

    // Three plain stored values (index 0 to 2) for the owner.
    virtual float GetFloatProperty(int32_t index) const;
    virtual void SetFloatProperty(int32_t index, float value);

    // The base stores without clamping or redrawing; the controls clamp to their range.
    virtual int32_t GetValue() const { return m_value; }
    virtual void SetValue(int32_t value, bool redraw);
    virtual int32_t GetMinimum() const { return m_minimum; }
    virtual void SetMinimum(int32_t value, bool redraw);
    virtual int32_t GetMaximum() const { return m_maximum; }
    virtual void SetMaximum(int32_t value, bool redraw);
    virtual void SetText(const char* /*text*/, bool /*redraw*/) {}
    // A subclass's creation-record words; 0 and no effect in the base.
    virtual intptr_t GetParam(int32_t /*index*/) const { return 0; }
    virtual void SetParam(int32_t /*index*/, intptr_t /*value*/, bool /*redraw*/) {}
    // The layer let the control go.
    virtual void Detach() { m_layer = nullptr; }
    // After the control got or lost the key focus.
    virtual void OnKeyFocusGot() {}
    virtual void OnKeyFocusLost() {}
    // The keys of the key-focus window that the listener did not consume.
    virtual bool OnKeyFocusKeyDown(uint32_t /*key*/, uint32_t /*modifiers*/) { return false; }
    virtual bool OnKeyFocusKeyRepeat(uint32_t /*key*/, uint32_t /*modifiers*/) { return false; }
    virtual bool OnKeyFocusKeyUp(uint32_t /*key*/, uint32_t /*modifiers*/) { return false; }
    virtual bool OnKeyFocusCharacter(uint32_t /*character*/) { return false; }

    // The key-focus listener part: focus changes mark the control dirty and reach the
    // listener, then the hooks above; keys go to the listener first.
    void OnHfcKeyFocusGot(CHfcKeyFocus* focus) override;
    void OnHfcKeyFocusLost(CHfcKeyFocus* focus) override;
    bool OnHfcKeyFocusKeyDown(CHfcKeyFocus* focus, uint32_t key, uint32_t reserved,
                              uint32_t modifiers) override;
    bool OnHfcKeyFocusKeyRepeat(CHfcKeyFocus* focus, uint32_t key, uint32_t reserved,
                                uint32_t modifiers) override;
    bool OnHfcKeyFocusKeyUp(CHfcKeyFocus* focus, uint32_t key, uint32_t reserved,
                            uint32_t modifiers) override;
    bool OnHfcKeyFocusCharacter(CHfcKeyFocus* focus, uint32_t character) override;
    // Whether a screen point lies on the control.
    bool OnHfcKeyFocusHitTest(int32_t x, int32_t y) override;

    // The window's key focus for this control and the part of it that has it; part -1 kills
    // the focus.
    bool SetKeyFocus(int32_t part);
    void KillKeyFocus();
    bool HasKeyFocus() const;
    int32_t GetFocusedPart() const { return m_focusedPart; }

    // Called by the layer when the control joins it.
    void AttachLayer(CHfcWindowLayer* layer) { m_layer = layer; }
    bool ScreenToControl(POINT& point) const;
    bool ControlToScreen(POINT& point) const;

    // Adds to the hold time; the listener hears OnControlHold once when it reaches 500 ms,
    // then nothing until SetHoldTime puts it below again.
    void AddHoldTime(int32_t ms);
    void SetHoldTime(int32_t ms) { m_holdTime = ms; }
    int32_t GetHoldTime() const { return m_holdTime; }
    // Shows the control's cursor, when it has one.
    void ApplyCursor();
    // The factor a drag multiplies its step by (StepScale), from the time since the last call.
    float GetStepScale();
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    void SetListener(CHfcControlListener* listener) { m_listener = listener; }
    CHfcControlListener* GetListener() const { return m_listener; }
    const CHfcRect& GetRect() const { return m_rect; }
    const CHfcRect& GetOuterRect() const { return m_outerRect; }
    uint32_t GetId() const { return m_id; }
    uint32_t GetUserValue() const { return m_userValue; }
    CHfcWindowLayer* GetLayer() const { return m_layer; }
    bool IsCreated() const { return m_created; }
    bool IsVisible() const { return m_visible; }
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    void SetFillColor(uint32_t argb) { m_fillColor = argb; }
    uint32_t GetFillColor() const { return m_fillColor; }
    // -1 leaves the cursor alone.
    void SetCursorIndex(int32_t index) { m_cursorIndex = index; }
    void SetFocusColor(uint32_t argb) { m_focusColor = argb; }
    uint32_t GetFocusColor() const { return m_focusColor; }
    void SetDisabledAlpha(float alpha) { m_disabledAlpha = alpha; }
    float GetDisabledAlpha() const { return m_disabledAlpha; }
    // The width of the glow ring around the control; grows the outer rectangle.
    void SetMargin(int32_t margin);
    int32_t GetMargin() const { return m_margin; }
    void SetNarrowGlow(bool narrow) { m_narrowGlow = narrow; }

protected:
    // The screen twins used while the control holds the capture: left presses reach an enabled
    // control only, moves any control, the other events none; the point goes to control
    // coordinates.
    bool RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                          int32_t delta) override;

    // For subclasses' Create: the rectangle at (x, y) of the size, the outer one around it.
    void SetRect(int32_t x, int32_t y, int32_t width, int32_t height);
    // The mouse capture, for this control on its layer's window.
    bool CaptureMouse();
    void ReleaseMouse();
    bool HasCapture() const;
    // Takes the key focus away from whoever holds the window's key-focus window.
    void ReleaseKeyFocusWindow();

    CHfcRect m_rect;      // layer coordinates
    CHfcRect m_outerRect; // m_rect grown by the margin
    uint32_t m_id = 0;
    uint32_t m_userValue = 0;
    CHfcControlListener* m_listener = nullptr; // not owned
    CHfcWindowLayer* m_layer = nullptr;        // not owned
    float m_floatProperties[3] = {0.0f, 0.0f, 1.0f};
    int32_t m_value = 0;
    int32_t m_minimum = 0;
    int32_t m_maximum = 1;
    bool m_created = false;
    bool m_visible = false;
    bool m_enabled = false;
    bool m_dirty = true;
    bool m_pendingErase = false;
    int32_t m_holdTime = 0;
    uint32_t m_fillColor = 0;
    int32_t m_cursorIndex = -1;
    uint32_t m_focusColor = 0xFFBDFF00;
    int32_t m_focusedPart = -1;
    float m_disabledAlpha = 0.5f;
    uint32_t m_lastStepTime = 0;
    int32_t m_margin = 0;
    bool m_narrowGlow = false;
    Clock m_clock;
};
