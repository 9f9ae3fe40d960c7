#pragma once

#include "foundation/win32/CHfcSemaphore.h"

// A counting semaphore with a name for traces (not a kernel object name).
class CEfSemaphore : public CHfcSemaphore
{
public:
    enum
    {
        kMaximumNameLength = 31,
    };

    // Names longer than 31 characters are cut; null or none gives "Untitled".
    explicit CEfSemaphore(int32_t initialCount, int32_t maximumCount = kMaximumCount,
                          const char* name = nullptr);
    ~CEfSemaphore() override;

    bool Wait() override;
    int32_t WaitTimeout(uint32_t ms) override;
    bool Release() override;
    const char* GetName() const { return m_name; }

private:
    char m_name[kMaximumNameLength + 1];
};
