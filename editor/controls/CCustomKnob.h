#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/CKnobValueMap.h"
#include "framework/CHfcCtrlKnob.h"

// The creation record an edit layer gives a knob.
struct CCustomKnobRecord
{
    int32_t x = 0;
    int32_t y = 0;
    CHfcBmp* strip = nullptr;
    CHfcBmp* background = nullptr;
    int32_t frameCount = 1;
    int32_t minimum = 0;
    int32_t maximum = 127;
    int32_t sensitivity = 0; // 0 counts as 1
    CHfcBmp* dim = nullptr;
    CHfcBmp* special = nullptr;    // shown while the value is the special value
    CHfcBmp* specialDim = nullptr; // the same, disabled
    int32_t specialValue = -1;     // -1: none
};

// A knob bound to a parameter: the framework knob runs over positions 0 .. (maximum - minimum)
// x 7 x s' (s' = 2 x sensitivity), step 7, and the mix-in maps them to parameter values. It
// shows the normal, dim or special-value strip (or the drag strip while dragged).
class CCustomKnob : public CHfcCtrlKnob, public CCustomControl
{
public:
    CCustomKnob() = default;
    bool Create(const CCustomKnobRecord* record, uint32_t id, uint32_t eventKind);
    const CKnobValueMap& GetMap() const { return m_map; }
    // Replaces the normal or special strip while the knob is dragged; null for none.
    void SetDragBitmap(CHfcBmp* bitmap);
    CHfcBmp* GetShownStrip() const { return m_shown; }

    // The framework value, after which the strip is chosen again.
    void SetValue(int32_t position, bool redraw) override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseWheel(CHfcMouse* mouse, int32_t x, int32_t y, int32_t reserved, int32_t delta,
                         uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

    // The mix-in.
    void SetValue(int32_t value) override;
    int32_t GetValue() override;
    int32_t ValueToPosition(int32_t value) override { return m_map.ValueToPosition(value); }
    int32_t PositionToValue(int32_t position) override { return m_map.PositionToValue(position); }
    int32_t GetMinimum() override { return m_map.GetMinimum(); }
    int32_t GetMaximum() override { return m_map.GetMaximum(); }
    void SetMinimum(int32_t value) override;
    void SetMaximum(int32_t value) override;
    void SetSensitivity(int32_t sensitivity) override;
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeKnob; }

private:
    void ApplyRange();
    void PickStrip();

    CCustomKnobRecord m_custom;
    CKnobValueMap m_map;
    CHfcBmp* m_shown = nullptr;
    CHfcBmp* m_drag = nullptr;
    bool m_dragging = false;
};
