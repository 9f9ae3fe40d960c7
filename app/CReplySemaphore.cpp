#include "app/CReplySemaphore.h"

CReplySemaphore::CReplySemaphore() : m_semaphore(0, CHfcSemaphore::kMaximumCount, "Midi::Semaphore") {}

void CReplySemaphore::Release()
{
    m_semaphore.Release();
}

bool CReplySemaphore::Take(uint32_t ms)
{
    return m_semaphore.WaitTimeout(ms) == CHfcSemaphore::kSignalled;
}
