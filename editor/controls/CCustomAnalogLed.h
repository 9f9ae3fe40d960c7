#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlLed.h"

// An indicator with a frame per value (the framework LED's record as it is); the value is
// the frame.
class CCustomAnalogLed : public CHfcCtrlLed, public CCustomControl
{
public:
    bool Create(const CHfcCtrlLedRecord* record, uint32_t id, uint32_t eventKind);
    void EraseBackground(CHfcDrawContext* context) override;
    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    int32_t GetControlType() override { return kTypeAnalogLed; }

private:
    CHfcCtrlLedRecord m_custom;
};
