#pragma once

#include "framework/CHfcControl.h"

struct CHfcCtrlDragReceiverRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0; // both at least 1
    int32_t height = 0;
    intptr_t words[3] = {}; // the owner's, returned by GetParam(4 .. 6)
};

// An invisible area that takes every drag over it and hands the drag, the presses, releases
// and moves to its listener; it draws nothing. Drags reach it through its layer.
class CHfcCtrlDragReceiver : public CHfcControl
{
public:
    // False for a null record or a size below 1 x 1.
    bool Create(const CHfcCtrlDragReceiverRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext*) override {}
    // Record words 4, 5 and 6; 0 for any other index.
    intptr_t GetParam(int32_t index) const override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDragLeave(CHfcDragData* data) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

    const CHfcCtrlDragReceiverRecord& GetRecord() const { return m_record; }

private:
    CHfcCtrlDragReceiverRecord m_record;
};
