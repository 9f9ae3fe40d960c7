#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlBitmapList.h"

struct CCustomBitmapListRecord
{
    int32_t x = 0;
    int32_t y = 0;
    CHfcBmp* strip = nullptr; // one frame per value
    CHfcBmp* background = nullptr;
    int32_t frameCount = 1;
    CHfcBmp* dim = nullptr;
};

// A picture per value (a waveform, a routing); the value is the frame. Without a dim strip it
// dims by drawing its frame at half opacity, and stays visible.
class CCustomBitmapList : public CHfcCtrlBitmapList, public CCustomControl
{
public:
    bool Create(const CCustomBitmapListRecord* record, uint32_t id, uint32_t eventKind);
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    // Presses, releases and moves go to the listener (a page may offer the values in a list);
    // the list itself does nothing with them.
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    int32_t GetMaximum() override { return m_maximum; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeBitmapList; }

private:
    CCustomBitmapListRecord m_custom;
    CHfcCtrlRecordHead m_head;
};
