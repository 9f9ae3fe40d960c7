#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

struct CHfcCtrlButtonRecord
{
    CHfcCtrlRecordHead head; // height 0: the strip's height / (2 x stateCount)
    int32_t stateCount = 1;  // each state has a normal and a pressed frame
    int32_t reserved = 0;
};

// A push button of stateCount states: the value is the state, frame 2 x value while released,
// 2 x value + 1 while pressed. A release inside the button reports its value; a press dragged
// out and released outside reports nothing.
class CHfcCtrlButton : public CHfcControl
{
public:
    CHfcCtrlButton() = default;
    ~CHfcCtrlButton() override;

    // False for a null record or a null strip.
    bool Create(const CHfcCtrlButtonRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    // Disabled: the frame at the disabled alpha; with the key focus: the focus frame after it.
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    // 0 .. stateCount - 1.
    void SetValue(int32_t value, bool redraw) override;
    bool IsPressed() const { return m_pressed; }
    const CHfcCtrlButtonRecord& GetRecord() const { return m_record; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

private:
    void SetPressed(bool pressed);

    CHfcCtrlButtonRecord m_record;
    bool m_pressed = false; // only while the button holds the capture
};
