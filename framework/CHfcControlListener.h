#pragma once

#include <cstdint>

class CHfcControl;
class CHfcDragData;

// Receives a control's reports. Every default does nothing and answers false. The mouse
// reports carry control-local points and the modifier bits (1 Shift, 2 Control, 4 Alt); a
// true answer swallows the event, so the control does nothing more with it.
class CHfcControlListener
{
public:
    virtual ~CHfcControlListener() = default;

    virtual void OnValueChanged(CHfcControl*, int32_t /*value*/) {}
    virtual void OnTextChanged(CHfcControl*, const char* /*text*/) {}
    // True when it wrote the control's default value.
    virtual bool OnQueryDefaultValue(CHfcControl*, int32_t* /*value*/) { return false; }
    virtual void OnBeginEdit(CHfcControl*) {}
    virtual void OnEndEdit(CHfcControl*) {}

    virtual bool OnControlLButtonDown(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnControlLButtonDblClk(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnControlLButtonUp(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    // The control was held long enough (CHfcControl::AddHoldTime).
    virtual void OnControlHold(CHfcControl*, int32_t, int32_t, int32_t) {}
    virtual bool OnControlRButtonDown(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnControlRButtonUp(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    virtual bool OnControlMouseMove(CHfcControl*, int32_t, int32_t, uint32_t) { return false; }
    virtual void OnControlCaptureLost(CHfcControl*) {}

    // A drag over a control that takes drops, in control-local points.
    virtual bool OnControlDragEnter(CHfcControl*, CHfcDragData*, uint32_t /*keyState*/, int32_t, int32_t,
                                    uint32_t /*modifiers*/, uint32_t* /*effect*/)
    {
        return false;
    }
    virtual bool OnControlDragOver(CHfcControl*, CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t,
                                   uint32_t*)
    {
        return false;
    }
    virtual bool OnControlDragLeave(CHfcControl*, CHfcDragData*) { return false; }
    virtual bool OnControlDrop(CHfcControl*, CHfcDragData*, uint32_t, int32_t, int32_t, uint32_t, uint32_t*)
    {
        return false;
    }

    virtual void OnControlKeyFocusGot(CHfcControl*) {}
    virtual void OnControlKeyFocusLost(CHfcControl*) {}
    // The keys of the key-focus window while the control holds it; true consumes the key.
    virtual bool OnControlKeyDown(CHfcControl*, uint32_t /*key*/, uint32_t, uint32_t /*modifiers*/)
    {
        return false;
    }
    virtual bool OnControlKeyRepeat(CHfcControl*, uint32_t, uint32_t, uint32_t) { return false; }
    virtual bool OnControlKeyUp(CHfcControl*, uint32_t, uint32_t, uint32_t) { return false; }
    virtual bool OnControlKeyCharacter(CHfcControl*, uint32_t /*character*/) { return false; }

    // A generic report (the list's codes are in CHfcCtrlList.h).
    virtual void OnControlEvent(CHfcControl*, int32_t /*code*/, int32_t /*argument*/, void* /*data*/) {}
};
