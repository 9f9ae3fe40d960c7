#include "app/CDialogFlag.h"

#include "foundation/EfUtility.h"

#include <atomic>

namespace
{
std::atomic<int32_t> g_dialogRefCount{0};
}

int32_t GetDialogRefCount()
{
    return g_dialogRefCount.load();
}

void RaiseDialogRefCount()
{
    ++g_dialogRefCount;
}

void LowerDialogRefCount()
{
    int32_t count = g_dialogRefCount.load();
    do
    {
        if (count <= 0)
        {
            DebugTrace("*** Illegal DialogRefCount ***");
            return;
        }
    } while (!g_dialogRefCount.compare_exchange_weak(count, count - 1));
}
