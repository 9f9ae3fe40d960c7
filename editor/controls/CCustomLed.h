#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlOldSwitch.h"

struct CCustomLedRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0; // 0: from the strip
    int32_t height = 0;
    CHfcBmp* strip = nullptr; // off, off pressed, on, on pressed
    CHfcBmp* background = nullptr;
    int32_t word6 = 0;  // the owner's
    int32_t number = 0; // what a press sends (event kind 2)
    int32_t minimum = 0;
    int32_t maximum = 1;
    CHfcBmp* dim = nullptr;
};

// An LED button of a group: a press sends the LED's number (event kind 2); its value is the
// framework value, on when the parameter holds its number.
class CCustomLed : public CHfcCtrlOldSwitch, public CCustomControl
{
public:
    bool Create(const CCustomLedRecord* record, uint32_t id, uint32_t eventKind);
    void EraseBackground(CHfcDrawContext* context) override;
    const CCustomLedRecord& GetCustomRecord() const { return m_custom; }
    int32_t GetNumber() const { return m_custom.number; }

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    int32_t GetMinimum() override { return m_custom.minimum; }
    int32_t GetMaximum() override { return m_custom.maximum; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeLed; }

protected:
    bool TakesPresses() const override { return m_customEnabled; }

private:
    CCustomLedRecord m_custom;
};
