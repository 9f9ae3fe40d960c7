#include "framework/CHfcMouse.h"

#include "foundation/CEfSingleton.h"

#include "framework/CHfcMouseListener.h"
#include "framework/CHfcWindow.h"

namespace
{

// The system cursor ids (IDC_ARROW and the others) for the byte-string LoadCursorA.
LPCSTR CursorId(int32_t index)
{
    switch (index)
    {
    case 4:
        return MAKEINTRESOURCEA(32513); // I-beam
    case 5:
        return MAKEINTRESOURCEA(32515); // cross
    case 7:
    case 11:
    case 12:
    case 13:
    case 14:
        return MAKEINTRESOURCEA(32514); // wait
    case 10:
        return MAKEINTRESOURCEA(32649); // hand
    case 15:
    case 16:
    case 17:
        return MAKEINTRESOURCEA(32644); // west-east sizing
    default:
        return MAKEINTRESOURCEA(32512); // arrow
    }
}
} // namespace

CHfcMouse::CHfcMouse()
{
    for (int32_t i = 0; i < kCursorCount; ++i)
        m_cursors[m_cursorCount++] = LoadCursorA(nullptr, CursorId(i));
}

bool CHfcMouse::Create()
{
    return CEfSingleton<CHfcMouse>::Acquire() != nullptr;
}

bool CHfcMouse::Release()
{
    if (!CEfSingleton<CHfcMouse>::Get())
        return false;
    CEfSingleton<CHfcMouse>::Release();
    return true;
}

CHfcMouse* CHfcMouse::GetMouse()
{
    return CEfSingleton<CHfcMouse>::Get();
}

void CHfcMouse::SetCapture(CHfcMouseListener* listener, CHfcWindow* window)
{
    const HWND hwnd = window ? window->GetHwnd() : nullptr;
    if (hwnd && ::GetCapture() != hwnd)
        ::SetCapture(hwnd);
    CHfcMouseListener* previous = m_captureOwner;
    m_captureOwner = listener;
    if (previous && previous != listener)
        previous->OnHfcMouseCaptureLost(this);
}

void CHfcMouse::ReleaseCapture()
{
    CHfcMouseListener* previous = m_captureOwner;
    m_captureOwner = nullptr;
    ::ReleaseCapture();
    if (previous)
        previous->OnHfcMouseCaptureLost(this);
}

void CHfcMouse::DropCapture()
{
    CHfcMouseListener* previous = m_captureOwner;
    m_captureOwner = nullptr;
    if (previous)
        previous->OnHfcMouseCaptureLost(this);
}

bool CHfcMouse::GetCursorPosition(POINT& point) const
{
    return ::GetCursorPos(&point) != FALSE;
}

void CHfcMouse::SetCursor(int32_t index)
{
    if (index < 0 || index >= 128 || index >= m_cursorCount)
        return;
    ::SetCursor(m_cursors[index]);
}

void CHfcMouse::RecordEvent(CHfcWindow* window, int32_t screenX, int32_t screenY, int32_t clientX,
                            int32_t clientY, uint32_t modifiers)
{
    m_window = window;
    m_screenPoint = {screenX, screenY};
    m_clientPoint = {clientX, clientY};
    m_modifiers = modifiers;
}
