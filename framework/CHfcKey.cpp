#include "framework/CHfcKey.h"

#include "framework/CHfcKeyListener.h"

namespace
{
CHfcKey* g_key = nullptr;
int g_keyReferences = 0;
} // namespace

bool CHfcKey::Create()
{
    if (!g_key)
        g_key = new CHfcKey();
    ++g_keyReferences;
    return g_key != nullptr;
}

bool CHfcKey::Release()
{
    if (g_keyReferences <= 0)
        return false;
    if (--g_keyReferences == 0)
    {
        delete g_key;
        g_key = nullptr;
    }
    return true;
}

CHfcKey* CHfcKey::GetKey()
{
    return g_key;
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
