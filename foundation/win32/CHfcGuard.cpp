#include "foundation/win32/CHfcGuard.h"

CHfcGuard::CHfcGuard() = default;

CHfcGuard::~CHfcGuard() = default;

bool CHfcGuard::Lock()
{
    m_section.Enter();
    return true;
}

void CHfcGuard::Unlock()
{
    m_section.Leave();
}
