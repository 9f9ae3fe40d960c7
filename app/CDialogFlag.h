#pragma once

#include <cstdint>

// The process-wide count of open message boxes and dialogs; menu commands are refused while it
// is not 0.
int32_t GetDialogRefCount();
void RaiseDialogRefCount();
// Never below 0: a lowering without its raise is traced and ignored.
void LowerDialogRefCount();

// Counts one open box or dialog for its lifetime.
class CDialogFlag
{
public:
    CDialogFlag() { RaiseDialogRefCount(); }
    ~CDialogFlag() { LowerDialogRefCount(); }
    CDialogFlag(const CDialogFlag&) = delete;
    CDialogFlag& operator=(const CDialogFlag&) = delete;
};
