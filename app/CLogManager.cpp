#include "app/CLogManager.h"

#include "app/Notifications.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <windows.h>

namespace
{
std::atomic<CLogManager*> g_logManager{nullptr};

// Holds the semaphore for a scope.
class CLock
{
public:
    explicit CLock(CEfSemaphore& semaphore) : m_semaphore(semaphore) { m_semaphore.Wait(); }
    ~CLock() { m_semaphore.Release(); }

private:
    CEfSemaphore& m_semaphore;
};
} // namespace

CLogManager::CLogManager(CWindowManager* manager) : m_manager(manager), m_lock(1), m_lines{}, m_next(0)
{
    Clear();
}

CLogManager::~CLogManager()
{
    CLogManager* self = this;
    g_logManager.compare_exchange_strong(self, nullptr);
}

void CLogManager::AddLine(const char* text)
{
    {
        CLock lock(m_lock);
        SYSTEMTIME now;
        GetLocalTime(&now);
        CLine& line = m_lines[m_next];
        std::snprintf(line.text, sizeof line.text, "%02d:%02d:%02d  %s", now.wHour, now.wMinute, now.wSecond,
                      text != nullptr ? text : "");
        line.used = true;
        m_next = (m_next + 1) % kLineCount;
    }
    if (m_manager != nullptr)
        Notify::Post(m_manager, Notify::LogLineAdded{}, this);
}

void CLogManager::Clear()
{
    CLock lock(m_lock);
    m_next = 0;
    std::memset(m_lines, 0, sizeof m_lines);
}

bool CLogManager::GetLine(int32_t n, char* buffer, size_t size) const
{
    if (n < 0 || n >= kLineCount || buffer == nullptr || size == 0)
        return false;
    CLock lock(m_lock);
    // m_next - n - 1 lies in -50..48: one period added makes the modulo true.
    const CLine& line = m_lines[(m_next - n - 1 + kLineCount) % kLineCount];
    if (!line.used)
        return false;
    std::snprintf(buffer, size, "%s", line.text);
    return true;
}

bool CLogManager::OnWindowManagerNotify(CWindowManager*, uint32_t, intptr_t, intptr_t, intptr_t, intptr_t,
                                        void*)
{
    return false;
}

CLogManager* GetLogManager()
{
    return g_logManager.load();
}

void SetLogManager(CLogManager* manager)
{
    g_logManager.store(manager);
}

void WriteLog(const char* format, ...)
{
    CLogManager* manager = GetLogManager();
    if (manager == nullptr || format == nullptr)
        return;
    char line[CLogManager::kWriteLogBufferSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    manager->AddLine(line);
}
