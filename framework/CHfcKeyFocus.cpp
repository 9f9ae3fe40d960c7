#include "framework/CHfcKeyFocus.h"

#include "framework/CHfcKeyFocusListener.h"

bool CHfcKeyFocus::SetKeyFocus(CHfcKeyFocusListener* listener, HWND owner)
{
    if (!listener || !owner)
        return false;
    if (listener == m_listener)
        return true;
    m_editWindow = nullptr;
    m_listener = listener;
    m_listener->OnHfcKeyFocusGot(this);
    return true;
}

void CHfcKeyFocus::ReleaseKeyFocus()
{
    CHfcKeyFocusListener* listener = m_listener;
    if (!listener)
        return;
    m_listener = nullptr;
    m_editWindow = nullptr;
    listener->OnHfcKeyFocusLost(this);
}

bool CHfcKeyFocus::AdoptEditWindow(CHfcKeyFocusListener* listener, HWND owner, HWND edit)
{
    if (!listener || !owner || !edit)
        return false;
    m_editWindow = edit;
    if (listener == m_listener)
        return true;
    m_listener = listener;
    m_listener->OnHfcKeyFocusGot(this);
    return true;
}
