#include "framework/CHfcKey.h"

#include "foundation/CEfSingleton.h"

#include "framework/CHfcKeyListener.h"

bool CHfcKey::Create()
{
    return CEfSingleton<CHfcKey>::Acquire() != nullptr;
}

bool CHfcKey::Release()
{
    if (!CEfSingleton<CHfcKey>::Get())
        return false;
    CEfSingleton<CHfcKey>::Release();
    return true;
}

CHfcKey* CHfcKey::GetKey()
{
    return CEfSingleton<CHfcKey>::Get();
}

void CHfcKey::SetFocus(CHfcKeyListener* listener, HWND hwnd)
{
    if (listener == m_listener)
        return;
    if (m_listener)
    {
        ::SetFocus(nullptr);
        m_listener = nullptr;
        m_hwnd = nullptr;
    }
    m_listener = listener;
    m_hwnd = hwnd;
    ::SetFocus(hwnd);
    if (m_listener)
        m_listener->OnHfcKeyGetFocus(this);
}

void CHfcKey::KillFocus()
{
    CHfcKeyListener* listener = m_listener;
    if (!listener)
        return;
    listener->OnHfcKeyKillFocus(this);
    if (m_listener == listener)
    {
        m_listener = nullptr;
        m_hwnd = nullptr;
    }
}

void CHfcKey::ClearFocus()
{
    ::SetFocus(nullptr);
    m_listener = nullptr;
    m_hwnd = nullptr;
}

bool CHfcKey::KeyDown(uint32_t code, uint32_t flags)
{
    return m_listener && m_listener->OnHfcKeyDown(this, code, flags);
}

bool CHfcKey::KeyUp(uint32_t code, uint32_t flags)
{
    return m_listener && m_listener->OnHfcKeyUp(this, code, flags);
}

bool CHfcKey::Character(uint32_t code, uint32_t flags)
{
    return m_listener && m_listener->OnHfcKeyCharacter(this, code, flags);
}
