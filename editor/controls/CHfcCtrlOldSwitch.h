#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

struct CHfcCtrlOldSwitchRecord
{
    CHfcCtrlRecordHead head; // height 0: the strip's height / stateCount / 2
    int32_t stateCount = 2;
    int32_t reserved = 0;
};

// A switch of stateCount states whose strip holds a released and a pressed frame per state.
// A press reports the value with bit 31 set, the end of the press (the capture lost) the plain
// value; the owner sets the new value.
class CHfcCtrlOldSwitch : public CHfcControl
{
public:
    static constexpr uint32_t kPressedBit = 0x80000000u;

    CHfcCtrlOldSwitch() = default;
    ~CHfcCtrlOldSwitch() override;

    bool Create(const CHfcCtrlOldSwitchRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    // A negative value sets the pressed look, any other clears it; then clamped to the range.
    void SetValue(int32_t value, bool redraw) override;
    bool IsPressed() const { return m_pressed != 0; }
    // The strip drawn from now on (the dim look); null keeps the record's.
    void SetStrip(CHfcBmp* strip, bool redraw);
    const CHfcCtrlOldSwitchRecord& GetRecord() const { return m_record; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

protected:
    // Whether presses reach the switch (an editor control ignores them while disabled).
    virtual bool TakesPresses() const { return true; }

private:
    CHfcCtrlOldSwitchRecord m_record;
    CHfcBmp* m_strip = nullptr;
    uint32_t m_pressed = 0; // 0 or kPressedBit
};
