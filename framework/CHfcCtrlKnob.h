#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

// How a knob follows the mouse (the "KnobMode" setting).
enum HfcKnobMode : int32_t
{
    kKnobModeCircular = 0,         // a press jumps to the pointed angle, the drag follows it
    kKnobModeRelativeCircular = 1, // the value turns with the pointer around the centre
    kKnobModeLinear = 2,           // vertical drag, up increases
};

struct CHfcCtrlKnobRecord
{
    CHfcCtrlRecordHead head; // height 0: the strip's height / frameCount
    int32_t frameCount = 1;
    int32_t reserved = 0;
    int32_t minimum = 0;
    int32_t maximum = 1;
    int32_t step = 1; // of the linear mode
};

// A rotary knob drawn from a strip of frames. It reports the values the pointer asks for
// through OnValueChanged and leaves its own value to the owner's SetValue. A drag lives from a
// press to the loss of the capture, its mode chosen at the press.
class CHfcCtrlKnob : public CHfcControl
{
public:
    CHfcCtrlKnob() = default;
    ~CHfcCtrlKnob() override;

    // The process-wide mode of every knob; the application sets it from its settings at
    // start-up and whenever they change. Modes outside 0..2 are circular.
    static void SetKnobMode(int32_t mode);
    static int32_t GetKnobMode();

    // False for a null record or a null strip.
    bool Create(const CHfcCtrlKnobRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    // Clamped to the range; dirty when redraw and the value changed.
    void SetValue(int32_t value, bool redraw) override;
    // The value is clamped into the new range.
    void SetMinimum(int32_t value, bool redraw) override;
    void SetMaximum(int32_t value, bool redraw) override;
    void SetBackgroundBitmap(CHfcBmp* bitmap, bool redraw);
    const CHfcCtrlKnobRecord& GetRecord() const { return m_record; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

private:
    void Press(int32_t x, int32_t y, uint32_t modifiers);
    void Report(int32_t value);

    CHfcCtrlKnobRecord m_record;
    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
    int32_t m_running = 0; // not clamped: after a drag past an end the pointer must come back
    int32_t m_reported = 0;
    int32_t m_dragMode = kKnobModeCircular;
    float m_lastFraction = 0.0f;
};
