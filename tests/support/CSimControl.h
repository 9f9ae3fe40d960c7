#pragma once

// The test's side of the simulated instrument in a program the test starts (NvSimInstrument.dll):
// the folder the instrument keeps its files in, named to the program by GetEnvironment(). The
// test sets the instrument's behaviour, reads what it heard and what its memory holds.

#include "support/CSimInstrument.h"
#include "support/SimMemoryFile.h"

#include <windows.h>

#include <string>
#include <vector>

class CSimControl
{
public:
    using Message = std::vector<uint8_t>;

    // Makes the folder, emptied of an earlier run's files.
    explicit CSimControl(const std::wstring& folder);

    const std::wstring& GetFolder() const { return m_folder; }
    // NV_SIM_FOLDER=<folder>, for the program's environment.
    std::wstring GetEnvironment() const;

    // Written beside and moved over behaviour.txt, so that the instrument reads it whole.
    bool SetBehaviour(const CSimBehaviour& behaviour);
    // Removes behaviour.txt: the default behaviour.
    bool ClearBehaviour();

    // Every system-exclusive message heard since the start or ClearHeard, in order.
    std::vector<Message> Heard() const;
    bool ClearHeard();

    // The instrument's memory as last saved; false while there is no whole memory file.
    bool ReadMemory(std::vector<Message>& programs, Message& global, Message& editBuffer) const;

    // Until the condition holds, checked every 20 ms; its last answer on time-out.
    template <typename Condition> static bool WaitFor(Condition condition, DWORD timeoutMs = 10000)
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (!condition())
        {
            if (GetTickCount64() >= deadline)
                return condition();
            Sleep(20);
        }
        return true;
    }

private:
    std::wstring File(const wchar_t* name) const { return m_folder + L"\\" + name; }

    std::wstring m_folder;
};
