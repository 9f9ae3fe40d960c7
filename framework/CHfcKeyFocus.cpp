#include "framework/CHfcKeyFocus.h"

#include "framework/CHfcAppBase.h"
#include "framework/CHfcKeyFocusListener.h"

#include <algorithm>

namespace
{
const char* const kEditProperty = "CHfcKeyFocus";
} // namespace

CHfcKeyFocus::~CHfcKeyFocus()
{
    DropEditWindow();
}

bool CHfcKeyFocus::SetKeyFocus(CHfcKeyFocusListener* listener, HWND owner)
{
    if (!listener || !owner)
        return false;
    if (listener == m_listener && m_edit)
    {
        FocusEditWindow();
        return true;
    }
    SetFocus(nullptr);
    m_listener = nullptr;
    DropEditWindow();
    m_listener = listener;
    if (!CreateEditWindow(owner))
    {
        m_listener = nullptr;
        return false;
    }
    SetFocus(m_edit);
    return true;
}

bool CHfcKeyFocus::AdoptEditWindow(CHfcKeyFocusListener* listener, HWND edit)
{
    if (!listener || !edit)
        return false;
    if (listener == m_listener && m_edit == edit)
    {
        FocusEditWindow();
        return true;
    }
    m_listener = nullptr;
    DropEditWindow();
    m_listener = listener;
    if (!Subclass(edit))
    {
        m_listener = nullptr;
        return false;
    }
    m_adopted = true;
    if (GetFocus() == edit)
        OnSetFocus(WM_SETFOCUS, 0, 0);
    else
        SetFocus(edit);
    return true;
}

bool CHfcKeyFocus::TrackEditWindow(CHfcKeyFocusListener* listener, HWND edit)
{
    if (!listener || !edit)
        return false;
    if (listener == m_listener && m_edit == edit)
        return true;
    m_listener = nullptr;
    DropEditWindow();
    m_listener = listener;
    m_edit = edit;
    m_adopted = true;
    m_tracked = true;
    m_hasFocus = GetFocus() == edit;
    listener->OnHfcKeyFocusGot(this);
    return true;
}

void CHfcKeyFocus::ReleaseKeyFocus()
{
    if (!m_listener || m_busy)
        return;
    CHfcKeyFocusListener* listener = m_listener;
    m_listener = nullptr;
    listener->OnHfcKeyFocusLost(this);
    DropEditWindow();
}

void CHfcKeyFocus::FocusEditWindow()
{
    if (m_edit && GetFocus() != m_edit)
        SetFocus(m_edit);
}

bool CHfcKeyFocus::CreateEditWindow(HWND owner)
{
    if (m_edit || !owner)
        return false;
    // Outside the client area, so it never shows; visible, so that it can hold the focus.
    const HWND edit =
        CreateWindowExA(0, "EDIT", "ControlForKeyEvents", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, -40, 20, 20,
                        1, owner, nullptr, CHfcAppBase::GetInstanceHandle(), nullptr);
    if (!edit)
        return false;
    if (!Subclass(edit))
    {
        DestroyWindow(edit);
        return false;
    }
    m_adopted = false;
    return true;
}

bool CHfcKeyFocus::Subclass(HWND edit)
{
    // A window property, not the user data: an adopted control may use its user data itself.
    if (!SetPropA(edit, kEditProperty, this))
        return false;
    const LONG_PTR previous =
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CHfcKeyFocus::EditProc));
    if (!previous)
    {
        RemovePropA(edit, kEditProperty);
        return false;
    }
    m_previousProc = reinterpret_cast<WNDPROC>(previous);
    m_edit = edit;
    return true;
}

void CHfcKeyFocus::DropEditWindow()
{
    const HWND edit = m_edit;
    if (!edit)
        return;
    if (!m_tracked && IsWindow(edit))
    {
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        RemovePropA(edit, kEditProperty);
    }
    m_tracked = false;
    m_edit = nullptr;
    m_previousProc = nullptr;
    m_hasFocus = false;
    if (!m_adopted && IsWindow(edit))
        DestroyWindow(edit);
    m_adopted = false;
}

LRESULT CALLBACK CHfcKeyFocus::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CHfcKeyFocus*>(GetPropA(hwnd, kEditProperty));
    if (!self || self->m_edit != hwnd)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message)
    {
    case WM_SETFOCUS:
        return self->OnSetFocus(message, wParam, lParam);
    case WM_KILLFOCUS:
        return self->OnKillFocus(message, wParam, lParam);
    case WM_KEYDOWN:
        return self->OnKeyDown(message, wParam, lParam);
    case WM_KEYUP:
        return self->OnKeyUp(message, wParam, lParam);
    case WM_CHAR:
        return self->OnChar(message, wParam, lParam);
    case WM_GETDLGCODE:
        if (wParam == VK_RETURN)
            return self->OnChar(WM_CHAR, VK_RETURN, 0);
        break;
    case WM_NCDESTROY:
    {
        // Destroyed with its owner: forget it before it goes.
        const WNDPROC previous = self->m_previousProc;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(hwnd, kEditProperty);
        self->m_edit = nullptr;
        self->m_previousProc = nullptr;
        self->m_hasFocus = false;
        self->m_adopted = false;
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
    default:
        break;
    }
    return CallWindowProcA(self->m_previousProc, hwnd, message, wParam, lParam);
}

LRESULT CHfcKeyFocus::OnSetFocus(UINT, WPARAM, LPARAM)
{
    m_hasFocus = true;
    if (m_listener)
        m_listener->OnHfcKeyFocusGot(this);
    return 0;
}

LRESULT CHfcKeyFocus::OnKillFocus(UINT, WPARAM, LPARAM)
{
    m_hasFocus = false;
    if (m_listener)
        m_listener->OnHfcKeyFocusLost(this);
    return 0;
}

LRESULT CHfcKeyFocus::OnKeyDown(UINT, WPARAM wParam, LPARAM lParam)
{
    if (!m_listener)
        return -1;
    const uint32_t key = TranslateFocusKey(wParam);
    const uint32_t modifiers = GetFocusModifiers();
    // Bit 14 lies inside the repeat count: set from the second repeat of a held key on.
    const bool handled = (lParam & 0x4000) ? m_listener->OnHfcKeyFocusKeyRepeat(this, key, 0, modifiers)
                                           : m_listener->OnHfcKeyFocusKeyDown(this, key, 0, modifiers);
    return handled ? 0 : -1;
}

LRESULT CHfcKeyFocus::OnKeyUp(UINT, WPARAM wParam, LPARAM)
{
    if (!m_listener)
        return -1;
    return m_listener->OnHfcKeyFocusKeyUp(this, TranslateFocusKey(wParam), 0, GetFocusModifiers()) ? 0 : -1;
}

LRESULT CHfcKeyFocus::OnChar(UINT, WPARAM wParam, LPARAM)
{
    // 32..127 only: control characters (Return among them) are keys, not characters.
    if (!m_listener || wParam < 32 || wParam > 127)
        return -1;
    return m_listener->OnHfcKeyFocusCharacter(this, static_cast<uint32_t>(wParam & 127)) ? 0 : -1;
}

uint32_t TranslateFocusKey(WPARAM virtualKey)
{
    switch (virtualKey)
    {
    case VK_LEFT:
        return 28;
    case VK_UP:
        return 30;
    case VK_RIGHT:
        return 29;
    case VK_DOWN:
        return 31;
    case VK_DELETE:
        return 127;
    default:
        return static_cast<uint32_t>(virtualKey);
    }
}

uint32_t GetFocusModifiers()
{
    uint32_t modifiers = 0;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000)
        modifiers |= 1;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000)
        modifiers |= 2;
    if (GetAsyncKeyState(VK_MENU) & 0x8000)
        modifiers |= 4;
    return modifiers;
}

int32_t GetValueStep(int32_t a, int32_t b)
{
    if (a == b)
        return 1;
    return std::clamp(127 / (a - b), 1, 12);
}
