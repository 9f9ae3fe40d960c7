#include "app/AppCoreUtility.h"

#include "app/CDialogFlag.h"
#include "foundation/CQ3580StringTable.h"
#include "foundation/win32/CEfSemaphore.h"
#include "synthdata/CQ3580GlobalAccessor.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "synthdata/CQ3580IdConverter.h"

#include <cstdio>
#include <memory>

namespace
{
const char* const kSemaphoreNames[kSemaphoreCount] = {
    "Semaphore",        "TimerSemaphore",      "ProgressSemaphore", "MidiMonitorSemaphore",
    "MessageSemaphore", "ValueLayerSemaphore", "AutoDumpSemaphore",
};
std::unique_ptr<CEfSemaphore> g_semaphores[kSemaphoreCount]; // window thread creates and deletes

bool ToParameterId(uint32_t section, uint32_t index, CZmParameterId& id)
{
    CZmIdConverter* converter = CZmIdConverterSingleton::Get();
    CZmDeviceAddress address;
    address.hi = section;
    address.lo = index;
    return converter && converter->FromDeviceAddress(address, id);
}
} // namespace

void FormatProgramNumber(int32_t n, char* buffer)
{
    std::snprintf(buffer, 256, "%c%d%d", 'A' + n / 64, (n % 64) / 8 + 1, n % 8 + 1);
}

int32_t LockedRead(CEfSemaphore& semaphore, const int32_t& value)
{
    semaphore.Wait();
    const int32_t read = value;
    semaphore.Release();
    return read;
}

void LockedWrite(CEfSemaphore& semaphore, int32_t& value, int32_t newValue)
{
    semaphore.Wait();
    value = newValue;
    semaphore.Release();
}

bool IsTransferIdle()
{
    CEfSemaphore* progress = GetAppSemaphore(kSemaphoreProgress);
    if (!progress)
        return true;
    if (progress->WaitTimeout(50) != CHfcSemaphore::kSignalled)
        return false;
    progress->Release();
    return true;
}

bool IsDialogOpen()
{
    return GetDialogRefCount() != 0;
}

int32_t GetParameterByDeviceId(const CZmData* program, uint32_t section, uint32_t index)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CZmParameterId id;
    if (!accessor || !program || !ToParameterId(section, index, id))
        return 0;
    return accessor->GetValue(program, id);
}

bool SetParameterByDeviceId(CZmData* program, uint32_t section, uint32_t index, int32_t value)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    CZmParameterId id;
    if (!accessor || !program || !ToParameterId(section, index, id))
        return false;
    accessor->SetValue(program, id, value);
    return true;
}

void InitializeDataSingletons()
{
    CEfStringTableSingleton::Acquire();
    CZmIdConverterSingleton::Acquire();
    CZmProgramAccessorSingleton::Acquire();
    CZmGlobalAccessorSingleton::Acquire();
}

void ReleaseDataSingletons()
{
    CZmGlobalAccessorSingleton::Release();
    CZmProgramAccessorSingleton::Release();
    CZmIdConverterSingleton::Release();
    CEfStringTableSingleton::Release();
}

bool CreateAppSemaphores()
{
    for (int32_t i = 0; i < kSemaphoreCount; ++i)
        if (!g_semaphores[i])
            g_semaphores[i] = std::make_unique<CEfSemaphore>(1, 1, kSemaphoreNames[i]);
    return true;
}

void DeleteAppSemaphores()
{
    for (int32_t i = kSemaphoreCount - 1; i >= 0; --i)
        g_semaphores[i].reset();
}

CEfSemaphore* GetAppSemaphore(AppSemaphore which)
{
    return which >= 0 && which < kSemaphoreCount ? g_semaphores[which].get() : nullptr;
}
