#pragma once

#include "foundation/win32/CHfcGuard.h"

#include <cstdint>

class CLibraryData;
class CProgram;

// The program that parameter changes from the instrument go to: set by the library window for
// the program being edited, read by the MIDI manager on the MIDI thread. Every access holds the
// record's lock, so once Clear (or Set) returns no late message writes the old program.
class CParameterChangeTarget
{
public:
    struct CTarget
    {
        intptr_t documentId = 0;
        int32_t programNumber = 0;
        CLibraryData* document = nullptr; // kept with the others; the reception does not use it
        CProgram* program = nullptr;
    };

    void Set(intptr_t documentId, int32_t programNumber, CLibraryData* document, CProgram* program);
    // Makes the program the target's, keeping the rest; nothing when no target is set.
    void SetProgram(CProgram* program);
    void Clear();
    bool IsValid();
    // The target as it is now; false when none is set.
    bool Get(CTarget& target);

    // Runs use(target) under the lock when a target with a program is set; answers whether it ran.
    template <typename F> bool Use(F use)
    {
        m_lock.Lock();
        const bool valid = m_valid && m_target.program != nullptr;
        if (valid)
            use(m_target);
        m_lock.Unlock();
        return valid;
    }

private:
    CHfcGuard m_lock;
    bool m_valid = false; // guarded by m_lock, as is m_target
    CTarget m_target;
};

// The process-wide record.
CParameterChangeTarget& ParameterChangeTarget();
