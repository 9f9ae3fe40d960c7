#pragma once

#include "app/CWindowManagerListener.h"
#include "foundation/win32/CEfSemaphore.h"

#include <cstddef>
#include <cstdint>

class CWindowManager;

// The status log: a ring of the last 50 time-stamped lines. Each added line is announced to the
// windows (notification 15), so that the status log window shows it.
class CLogManager : public CWindowManagerListener
{
public:
    enum : int32_t
    {
        kLineCount = 50,
        kLineSize = 128,       // a stored line keeps at most 127 characters
        kLineBufferSize = 256, // what GetLine's callers provide
        kWriteLogBufferSize = 1056,
    };

    // Announces its lines through manager (none when null).
    explicit CLogManager(CWindowManager* manager);
    ~CLogManager() override;
    CLogManager(const CLogManager&) = delete;
    CLogManager& operator=(const CLogManager&) = delete;

    // Stamps the line with the local time ("hh:mm:ss  text"), keeps it in place of the oldest.
    void AddLine(const char* text);
    void Clear();
    // Copies the line n places before the newest (0 the newest) into buffer, cut to its size;
    // false for a line never written and for n outside 0 to 49.
    bool GetLine(int32_t n, char* buffer, size_t size = kLineBufferSize) const;

    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

private:
    struct CLine
    {
        bool used;
        char text[kLineSize];
    };

    CWindowManager* m_manager;
    mutable CEfSemaphore m_lock; // guards m_lines and m_next
    CLine m_lines[kLineCount];
    int32_t m_next; // the cell written next, 0 to 49
};

// The process-wide log manager that WriteLog writes to; null while there is none.
CLogManager* GetLogManager();
void SetLogManager(CLogManager* manager);

// Formats printf-style (cut to 1055 characters) and adds the line to the process-wide log.
void WriteLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
