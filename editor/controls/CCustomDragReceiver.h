#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlDragReceiver.h"

// The drop area of an edit layer: it has no value and no look.
class CCustomDragReceiver : public CHfcCtrlDragReceiver, public CCustomControl
{
public:
    bool Create(const CHfcCtrlDragReceiverRecord* record, uint32_t id, uint32_t eventKind)
    {
        return CHfcCtrlDragReceiver::Create(record, id, eventKind);
    }
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override
    {
        return !m_customEnabled || CHfcCtrlDragReceiver::OnHfcMouseLeftDown(mouse, x, y, modifiers);
    }
    int32_t GetControlType() override { return kTypeDragReceiver; }
};
