#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/LfoWave.h"
#include "framework/CHfcControl.h"

struct CHfcCtrlLfoGraphRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 1;
    int32_t height = 1;
    CHfcBmp* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    uint32_t lineColor = 0xFFFFFFFF;
};

// The waveform of an LFO, one point a pixel column, from its wave, its level and its value
// (the speed, which sets how many periods show). It takes no part in the mouse itself: the
// presses, releases and moves go to the listener.
class CHfcCtrlLfoGraph : public CHfcControl
{
public:
    bool Create(const CHfcCtrlLfoGraphRecord* record, uint32_t id);
    // 0..5; 6 and above are ignored.
    void SetWave(int32_t index);
    // The random flag, apart from the wave index: the sample-and-hold wave drawn as a random line.
    void SetRandom(bool random);
    // 0..63.
    void SetLevel(int32_t level);
    void SetValue(int32_t value, bool redraw) override;
    const CLfoShape& GetShape() const { return m_shape; }
    // The polyline Draw draws, relative to the control.
    std::vector<CGraphPoint> ComputePoints() const;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

private:
    CHfcCtrlLfoGraphRecord m_record;
    CLfoShape m_shape;
    int32_t m_level = -1;
    float m_levelRatio = 0.0f;
};

class CCustomLfoGraph : public CHfcCtrlLfoGraph, public CCustomControl
{
public:
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeLfoGraph; }
};
