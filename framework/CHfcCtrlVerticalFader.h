#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

struct CHfcCtrlVerticalFaderRecord
{
    CHfcCtrlRecordHead head; // bitmap: the thumb; the size is the record's
    int32_t reserved = 0;
    int32_t thumbX = 0;      // offset of the thumb's column from the control's left
    int32_t trackTop = 0;    // offset of the track from the control's top
    int32_t thumbWidth = 0;  // 0: the thumb bitmap's width
    int32_t thumbHeight = 0; // 0: the thumb bitmap's height
    int32_t trackLength = 0; // including the thumb
    int32_t minimum = 0;
    int32_t maximum = 1;
    int32_t value = 0;
    int32_t step = 1;
    int32_t fineStep = 1; // with Shift
};

// A fader whose thumb moves along a vertical track, the maximum at the top. A press on the
// thumb drags it; a press elsewhere in its column first moves the thumb's centre to the
// pointer. Values are reported through OnValueChanged.
class CHfcCtrlVerticalFader : public CHfcControl
{
public:
    CHfcCtrlVerticalFader() = default;
    ~CHfcCtrlVerticalFader() override;

    // False for a null record or a null thumb.
    bool Create(const CHfcCtrlVerticalFaderRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    void SetValue(int32_t value, bool redraw) override;
    void SetMinimum(int32_t value, bool redraw) override;
    void SetMaximum(int32_t value, bool redraw) override;
    // The thumb's offset from the track top.
    int32_t GetThumbOffset() const;
    const CHfcCtrlVerticalFaderRecord& GetRecord() const { return m_record; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

private:
    void Report();

    CHfcCtrlVerticalFaderRecord m_record;
    bool m_dragging = false;
    int32_t m_running = 0; // not clamped
    int32_t m_lastY = 0;
};
