#include "foundation/win32/CHfcCriticalSection.h"

CHfcCriticalSection::CHfcCriticalSection()
{
    InitializeCriticalSection(&m_section);
}

CHfcCriticalSection::~CHfcCriticalSection()
{
    DeleteCriticalSection(&m_section);
}

void CHfcCriticalSection::Enter()
{
    EnterCriticalSection(&m_section);
}

void CHfcCriticalSection::Leave()
{
    LeaveCriticalSection(&m_section);
}
