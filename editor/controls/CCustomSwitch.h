#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlOldSwitch.h"

struct CCustomSwitchRecord
{
    int32_t x = 0;
    int32_t y = 0;
    CHfcBmp* strip = nullptr; // off, off pressed, on, on pressed
    CHfcBmp* background = nullptr;
    CHfcBmp* dim = nullptr;
};

// An on/off switch bound to a parameter: its value is the framework value. The editor gives
// its switches event kind 1, so that the owner toggles on the press report.
class CCustomSwitch : public CHfcCtrlOldSwitch, public CCustomControl
{
public:
    bool Create(const CCustomSwitchRecord* record, uint32_t id, uint32_t eventKind);
    void EraseBackground(CHfcDrawContext* context) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    int32_t GetMaximum() override { return 1; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeSwitch; }

protected:
    bool TakesPresses() const override { return m_customEnabled; }

private:
    CCustomSwitchRecord m_custom;
};
