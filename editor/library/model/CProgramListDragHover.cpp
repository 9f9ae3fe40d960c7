#include "editor/library/model/CProgramListDragHover.h"

void CProgramListDragHover::Restart()
{
    m_bankTab = -1;
    m_bankMs = 0;
    PointerMoved();
}

void CProgramListDragHover::PointerMoved()
{
    m_windowMs = 0;
    m_windowDone = false;
}

int32_t CProgramListDragHover::TickBank(int32_t tab)
{
    if (tab < 0 || tab != m_bankTab)
    {
        m_bankTab = tab;
        m_bankMs = 0;
    }
    if (tab < 0)
        return -1;
    m_bankMs += kTickMs;
    if (m_bankMs < kBankHoverMs)
        return -1;
    m_bankMs = 0;
    return tab;
}

bool CProgramListDragHover::TickWindow()
{
    if (m_windowDone)
        return false;
    m_windowMs += kTickMs;
    if (m_windowMs <= kWindowHoverMs)
        return false;
    m_windowDone = true;
    return true;
}
