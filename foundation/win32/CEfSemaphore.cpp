#include "foundation/win32/CEfSemaphore.h"

#include <cstring>

CEfSemaphore::CEfSemaphore(int32_t initialCount, int32_t maximumCount, const char* name)
    : CHfcSemaphore(initialCount, maximumCount), m_name{}
{
    std::strncpy(m_name, name != nullptr ? name : "Untitled", kMaximumNameLength);
}

CEfSemaphore::~CEfSemaphore() = default;

bool CEfSemaphore::Wait()
{
    return CHfcSemaphore::Wait();
}

int32_t CEfSemaphore::WaitTimeout(uint32_t ms)
{
    return CHfcSemaphore::WaitTimeout(ms);
}

bool CEfSemaphore::Release()
{
    return CHfcSemaphore::Release();
}
