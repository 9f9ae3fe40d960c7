#pragma once

// Layers, controls and key listeners that write each event they receive into a log as
// "name Event x,y modifiers" and answer a chosen "handled".
#include "FrameworkTestSupport.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcKeyListener.h"
#include "framework/CHfcWindowLayer.h"

#include <string>

#define RECORD_MOUSE_EVENT(Event)                                                                            \
    bool OnHfcMouse##Event(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers) override                    \
    {                                                                                                        \
        return Record(#Event, x, y, modifiers);                                                              \
    }

#define RECORD_MOUSE_EVENTS                                                                                  \
    RECORD_MOUSE_EVENT(LeftDown)                                                                             \
    RECORD_MOUSE_EVENT(LeftDoubleClick)                                                                      \
    RECORD_MOUSE_EVENT(LeftUp)                                                                               \
    RECORD_MOUSE_EVENT(RightDown)                                                                            \
    RECORD_MOUSE_EVENT(RightDoubleClick)                                                                     \
    RECORD_MOUSE_EVENT(RightUp)                                                                              \
    RECORD_MOUSE_EVENT(MiddleDown)                                                                           \
    RECORD_MOUSE_EVENT(MiddleDoubleClick)                                                                    \
    RECORD_MOUSE_EVENT(MiddleUp)                                                                             \
    RECORD_MOUSE_EVENT(Move)                                                                                 \
    bool OnHfcMouseWheel(CHfcMouse*, int32_t x, int32_t y, int32_t, int32_t delta, uint32_t modifiers)       \
        override                                                                                             \
    {                                                                                                        \
        return Record("Wheel" + std::to_string(delta), x, y, modifiers);                                     \
    }                                                                                                        \
    bool OnHfcMouseCaptureLost(CHfcMouse*) override                                                          \
    {                                                                                                        \
        m_log->push_back(m_name + " CaptureLost");                                                           \
        return true;                                                                                         \
    }                                                                                                        \
    bool OnHfcDragEnter(CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t modifiers, uint32_t*)        \
        override                                                                                             \
    {                                                                                                        \
        return Record("DragEnter", x, y, modifiers);                                                         \
    }                                                                                                        \
    bool OnHfcDragOver(CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t modifiers, uint32_t*)         \
        override                                                                                             \
    {                                                                                                        \
        return Record("DragOver", x, y, modifiers);                                                          \
    }                                                                                                        \
    bool OnHfcDragLeave(CHfcDragData*) override                                                              \
    {                                                                                                        \
        m_log->push_back(m_name + " DragLeave");                                                             \
        return m_handles;                                                                                    \
    }                                                                                                        \
    bool OnHfcDrop(CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t modifiers, uint32_t*) override    \
    {                                                                                                        \
        return Record("Drop", x, y, modifiers);                                                              \
    }                                                                                                        \
    bool Record(const std::string& event, int32_t x, int32_t y, uint32_t modifiers)                          \
    {                                                                                                        \
        m_log->push_back(m_name + " " + event + " " + std::to_string(x) + "," + std::to_string(y) + " " +    \
                         std::to_string(modifiers));                                                         \
        return m_handles;                                                                                    \
    }                                                                                                        \
    std::string m_name;                                                                                      \
    CallLog* m_log;                                                                                          \
    bool m_handles

class RecordingLayer : public CHfcWindowLayer
{
public:
    RecordingLayer(const char* name, CallLog* log, bool handles)
        : m_name(name), m_log(log), m_handles(handles)
    {
    }
    RECORD_MOUSE_EVENTS;
};

class RecordingControl : public CHfcControl
{
public:
    RecordingControl(const char* name, CallLog* log, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     bool handles = true)
        : m_name(name), m_log(log), m_handles(handles)
    {
        m_rect.Set(left, top, right, bottom);
        m_created = true;
        m_enabled = true;
        m_visible = true;
    }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    RECORD_MOUSE_EVENTS;
};

class RecordingKeyListener : public CHfcKeyListener
{
public:
    explicit RecordingKeyListener(CallLog* log) : m_log(log) {}
    bool OnHfcKeyCharacter(CHfcKey*, uint32_t code, uint32_t flags) override
    {
        m_log->push_back("Character " + std::to_string(code) + " " + std::to_string(flags));
        return true;
    }
    bool OnHfcKeyDown(CHfcKey*, uint32_t code, uint32_t) override
    {
        m_log->push_back("KeyDown " + std::to_string(code));
        return true;
    }
    bool OnHfcKeyGetFocus(CHfcKey*) override
    {
        m_log->push_back("GetFocus");
        return true;
    }
    bool OnHfcKeyKillFocus(CHfcKey*) override
    {
        m_log->push_back("KillFocus");
        return true;
    }

private:
    CallLog* m_log;
};

#include "framework/CHfcControlListener.h"
#include "framework/CHfcCtrlList.h"

// Writes each report of the controls it listens to into a log; it answers no query and
// swallows nothing unless told.
class RecordingControlListener : public CHfcControlListener
{
public:
    explicit RecordingControlListener(CallLog* log) : m_log(log) {}

    void OnValueChanged(CHfcControl*, int32_t value) override
    {
        m_log->push_back("ValueChanged " + std::to_string(value));
    }
    bool OnQueryDefaultValue(CHfcControl*, int32_t* value) override
    {
        if (defaultValue < 0)
            return false;
        *value = defaultValue;
        return true;
    }
    void OnBeginEdit(CHfcControl*) override { m_log->push_back("BeginEdit"); }
    void OnEndEdit(CHfcControl*) override { m_log->push_back("EndEdit"); }
    bool OnControlLButtonDown(CHfcControl*, int32_t x, int32_t y, uint32_t) override
    {
        m_log->push_back("LButtonDown " + std::to_string(x) + "," + std::to_string(y));
        return swallowPress;
    }
    bool OnControlMouseMove(CHfcControl*, int32_t x, int32_t y, uint32_t) override
    {
        if (logMoves)
            m_log->push_back("MouseMove " + std::to_string(x) + "," + std::to_string(y));
        return false;
    }
    void OnControlHold(CHfcControl*, int32_t, int32_t, int32_t) override { m_log->push_back("Hold"); }
    void OnControlCaptureLost(CHfcControl*) override { m_log->push_back("CaptureLost"); }
    void OnControlKeyFocusGot(CHfcControl*) override { m_log->push_back("FocusGot"); }
    void OnControlKeyFocusLost(CHfcControl*) override { m_log->push_back("FocusLost"); }
    void OnControlEvent(CHfcControl*, int32_t code, int32_t argument, void* data) override
    {
        std::string text = "Event " + std::to_string(code) + " " + std::to_string(argument);
        switch (code)
        {
        case kListEventSelect:
        case kListEventActivate:
        case kListEventFocusMoved:
            text += " item " + std::to_string(static_cast<CHfcCtrlListItem*>(data)->GetIndex());
            break;
        case kListEventDragStart:
        {
            const auto* drag = static_cast<CHfcCtrlListDragRecord*>(data);
            text += " from " + std::to_string(drag->index) + " at " + std::to_string(drag->screenX) + "," +
                    std::to_string(drag->screenY) + " offset " + std::to_string(drag->dx) + "," +
                    std::to_string(drag->dy);
            break;
        }
        case kListEventContextMenu:
        {
            const auto* point = static_cast<POINT*>(data);
            text += " at " + std::to_string(point->x) + "," + std::to_string(point->y);
            break;
        }
        default:
            if (data)
                text += " with data";
            break;
        }
        m_log->push_back(text);
    }

    int32_t defaultValue = -1;
    bool swallowPress = false;
    bool logMoves = false;

private:
    CallLog* m_log;
};
