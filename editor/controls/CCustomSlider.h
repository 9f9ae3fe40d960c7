#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlVerticalFader.h"

struct CCustomSliderRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    CHfcBmp* thumb = nullptr;
    CHfcBmp* background = nullptr;
    int32_t trackLength = 0;
    int32_t minimum = 0;
    int32_t maximum = 127;
    CHfcBmp* dim = nullptr;
};

// A fader bound to a parameter: the framework fader runs in tenths of the parameter's units.
class CCustomSlider : public CHfcCtrlVerticalFader, public CCustomControl
{
public:
    bool Create(const CCustomSliderRecord* record, uint32_t id, uint32_t eventKind);
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseWheel(CHfcMouse* mouse, int32_t x, int32_t y, int32_t reserved, int32_t delta,
                         uint32_t modifiers) override;
    // The special-value thumbs, shown while the value is the special value (-1: none).
    void SetSpecialThumbs(CHfcBmp* thumb, CHfcBmp* dim, int32_t specialValue);

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value / 10; }
    int32_t ValueToPosition(int32_t value) override { return value * 10; }
    int32_t PositionToValue(int32_t position) override { return position / 10; }
    int32_t GetMinimum() override { return m_custom.minimum; }
    int32_t GetMaximum() override { return m_custom.maximum; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeSlider; }

private:
    CHfcBmp* ShownThumb();

    CCustomSliderRecord m_custom;
    CHfcBmp* m_special = nullptr;
    CHfcBmp* m_specialDim = nullptr;
    int32_t m_specialValue = -1;
};
