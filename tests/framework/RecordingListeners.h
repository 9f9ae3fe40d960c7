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
