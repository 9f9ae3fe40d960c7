#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

struct CHfcCtrlBitmapListRecord
{
    CHfcCtrlRecordHead head; // height 0: the strip's height / frameCount
    int32_t reserved = 0;
    int32_t frameCount = 1;
};

// Shows one frame of a strip per value (0 .. frameCount - 1); no mouse behaviour.
class CHfcCtrlBitmapList : public CHfcControl
{
public:
    CHfcCtrlBitmapList() = default;
    ~CHfcCtrlBitmapList() override;

    bool Create(const CHfcCtrlBitmapListRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    void SetValue(int32_t value, bool redraw) override;

private:
    CHfcCtrlBitmapListRecord m_record;
};
