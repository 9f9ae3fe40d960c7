#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlButton.h"

struct CCustomButtonRecord
{
    int32_t x = 0;
    int32_t y = 0;
    CHfcBmp* strip = nullptr; // raised, pressed
    CHfcBmp* background = nullptr;
    CHfcBmp* dim = nullptr;
};

// A push button of an edit layer; its background comes from the mix-in's background origin.
class CCustomButton : public CHfcCtrlButton, public CCustomControl
{
public:
    bool Create(const CCustomButtonRecord* record, uint32_t id, uint32_t eventKind);
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeButton; }

private:
    CCustomButtonRecord m_custom;
    CHfcCtrlRecordHead m_head; // as given to the framework button
};
