#pragma once

#include <windows.h>

#include <cstdint>

class CHfcMouseListener;
class CHfcWindow;

// The process-wide mouse: the capture owner, the last mouse event and the stock cursors.
// Reference-counted (CEfSingleton); window thread only.
class CHfcMouse
{
public:
    // Creates the singleton on the first call (and loads the cursors), counts a reference;
    // true when it exists.
    static bool Create();
    // Drops a reference and deletes the singleton at zero; false when there was none.
    static bool Release();
    static CHfcMouse* GetMouse();

    // Made through Create; loads the cursors.
    CHfcMouse();
    virtual ~CHfcMouse() = default;

    // The listener becomes the capture owner and the window takes the Win32 capture; a
    // previous, different owner is told that it lost the capture.
    void SetCapture(CHfcMouseListener* listener, CHfcWindow* window);
    // Ends the Win32 capture; the owner is told and cleared.
    void ReleaseCapture();
    // Tells the owner and clears it, without the Win32 call.
    virtual void DropCapture();
    CHfcMouseListener* GetCaptureOwner() const { return m_captureOwner; }

    bool GetCursorPosition(POINT& point) const;
    // Selects a stock cursor (the table below); other indexes are ignored.
    void SetCursor(int32_t index);
    static constexpr int32_t kCursorCount = 18;

    // The last button or move event, recorded by the window before it routes the event.
    void RecordEvent(CHfcWindow* window, int32_t screenX, int32_t screenY, int32_t clientX, int32_t clientY,
                     uint32_t modifiers);
    CHfcWindow* GetEventWindow() const { return m_window; }
    POINT GetEventScreenPoint() const { return m_screenPoint; }
    POINT GetEventClientPoint() const { return m_clientPoint; }
    uint32_t GetEventModifiers() const { return m_modifiers; }

private:
    CHfcMouseListener* m_captureOwner = nullptr;
    CHfcWindow* m_window = nullptr;
    POINT m_screenPoint = {0, 0};
    POINT m_clientPoint = {0, 0};
    uint32_t m_modifiers = 0;
    HCURSOR m_cursors[kCursorCount] = {};
    int32_t m_cursorCount = 0;
};
