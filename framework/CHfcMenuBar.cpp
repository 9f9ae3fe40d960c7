#include "framework/CHfcMenuBar.h"

#include "framework/CHfcAppBase.h"

CHfcMenuBar::~CHfcMenuBar()
{
    if (m_menu)
        DestroyMenu(m_menu);
}

bool CHfcMenuBar::LoadById(uint32_t id)
{
    return LoadByName(MAKEINTRESOURCEA(id));
}

bool CHfcMenuBar::LoadByName(const char* name)
{
    if (m_menu)
        return false;
    m_menu = LoadMenuA(CHfcAppBase::GetInstanceHandle(), name);
    return m_menu != nullptr;
}

bool CHfcMenuBar::LoadFromTemplate(const void* menuTemplate)
{
    if (m_menu || !menuTemplate)
        return false;
    m_menu = LoadMenuIndirectW(menuTemplate);
    return m_menu != nullptr;
}

bool CHfcMenuBar::Destroy()
{
    if (m_menu && DestroyMenu(m_menu))
        m_menu = nullptr;
    return false;
}
