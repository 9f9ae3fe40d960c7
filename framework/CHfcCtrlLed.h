#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

struct CHfcCtrlLedRecord
{
    CHfcCtrlRecordHead head; // height 0: the strip's height / frameCount
    int32_t reserved = 0;
    int32_t frameCount = 1;
};

// An indicator with one frame per value (0 .. frameCount - 1), over the fill colour when one
// is set. A press reports the value with bit 31 set (held), the release or the loss of the
// capture the plain value.
class CHfcCtrlLed : public CHfcControl
{
public:
    static constexpr uint32_t kPressedBit = 0x80000000u;

    CHfcCtrlLed() = default;
    ~CHfcCtrlLed() override;

    bool Create(const CHfcCtrlLedRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    void SetValue(int32_t value, bool redraw) override;
    // Record words 0 to 9 (x, y, width, height, strip, background, background x and y,
    // reserved, frame count); any other index: 0 and no effect.
    intptr_t GetParam(int32_t index) const override;
    void SetParam(int32_t index, intptr_t value, bool redraw) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

private:
    CHfcCtrlLedRecord m_record;
    bool m_pressed = false; // a press whose release is still to be reported
};
