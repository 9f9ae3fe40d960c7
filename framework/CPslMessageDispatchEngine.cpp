#include "framework/CPslMessageDispatchEngine.h"

#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcScopedLock.h"

#include <mutex>
#include <vector>

namespace
{
const wchar_t kClassName[] = L"PslMessageDispatchEngine";

// The window class is registered while any engine lives.
std::mutex g_classLock;
int g_engineCount = 0; // guarded by g_classLock

HINSTANCE Instance()
{
    void* instance = GetInstanceHandle();
    return instance != nullptr ? static_cast<HINSTANCE>(instance) : GetModuleHandleW(nullptr);
}
} // namespace

CPslMessageDispatchEngine::CPslMessageDispatchEngine() : m_ownerThread(GetCurrentThreadId())
{
    {
        std::lock_guard<std::mutex> lock(g_classLock);
        if (g_engineCount++ == 0)
        {
            WNDCLASSEXW wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &CPslMessageDispatchEngine::WindowProc;
            wc.cbWndExtra = sizeof(CPslMessageDispatchEngine*);
            wc.hInstance = Instance();
            wc.lpszClassName = kClassName;
            if (RegisterClassExW(&wc) == 0)
                DebugTrace("CPslMessageDispatchEngine - %s", "Failed to register the window class.");
        }
    }
    // Message-only: never shown, never enumerated, still served by the thread's message loop.
    CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(),
                    this);
    if (m_window == nullptr)
        DebugTrace("CPslMessageDispatchEngine - %s", "Failed to create the window.");
}

CPslMessageDispatchEngine::~CPslMessageDispatchEngine()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    std::deque<CRecord> dropped;
    {
        CHfcScopedLock lock(m_queueLock);
        dropped.swap(m_queue);
    }
    for (const CRecord& r : dropped)
        r.listener->OnDispatchDropped(r.a, r.b, r.c, r.d, r.e);
    std::lock_guard<std::mutex> lock(g_classLock);
    if (--g_engineCount == 0)
        UnregisterClassW(kClassName, Instance());
}

bool CPslMessageDispatchEngine::Register(CPslMessageDispatchListener* listener, int32_t* id)
{
    if (listener == nullptr || id == nullptr)
        return false;
    // The map is ordered: the first gap in the ids is the first key that is not its position.
    int32_t candidate = kFirstId;
    for (const auto& entry : m_registry)
    {
        if (entry.first != candidate)
            break;
        ++candidate;
    }
    if (candidate > kLastId)
        return false;
    m_registry[candidate] = CEntry{listener, 0};
    *id = candidate;
    return true;
}

bool CPslMessageDispatchEngine::SetTimer(int32_t id, int32_t milliseconds)
{
    auto it = m_registry.find(id);
    if (it == m_registry.end())
        return false;
    if (milliseconds < 1)
    {
        KillTimer(m_window, static_cast<UINT_PTR>(id));
        it->second.period = 0;
        return true;
    }
    if (::SetTimer(m_window, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr) == 0)
        return false;
    it->second.period = milliseconds;
    return true;
}

bool CPslMessageDispatchEngine::Unregister(int32_t id)
{
    auto it = m_registry.find(id);
    if (it == m_registry.end())
        return false;
    if (it->second.period != 0)
        KillTimer(m_window, static_cast<UINT_PTR>(id));
    CPslMessageDispatchListener* listener = it->second.listener;
    m_registry.erase(it);
    for (const auto& entry : m_registry)
        if (entry.second.listener == listener)
            return true;
    RemoveQueued(listener);
    return true;
}

int CPslMessageDispatchEngine::Dispatch(CPslMessageDispatchListener* listener, uintptr_t a, uintptr_t b,
                                        uintptr_t c, uintptr_t d, uintptr_t e, bool force)
{
    if (listener == nullptr)
        return 0;
    if (!force && IsOwnerThread())
        return listener->OnDispatch(a, b, c, d, e);
    if (m_window == nullptr)
        return 0;
    // A WM_USER drains everything queued by the time its drain ends, so one is posted only when
    // none is pending. The post happens under the lock, so that a failed post takes its call back.
    CHfcScopedLock lock(m_queueLock);
    m_queue.push_back(CRecord{listener, a, b, c, d, e});
    if (!m_postPending)
    {
        if (!PostMessageW(m_window, WM_USER, 0, 0))
        {
            m_queue.pop_back();
            return 0;
        }
        m_postPending = true;
    }
    return 1;
}

void CPslMessageDispatchEngine::RemoveQueued(CPslMessageDispatchListener* listener)
{
    std::vector<CRecord> dropped;
    {
        CHfcScopedLock lock(m_queueLock);
        for (auto it = m_queue.begin(); it != m_queue.end();)
        {
            if (it->listener == listener)
            {
                dropped.push_back(*it);
                it = m_queue.erase(it);
            }
            else
                ++it;
        }
    }
    for (const CRecord& r : dropped)
        r.listener->OnDispatchDropped(r.a, r.b, r.c, r.d, r.e);
}

void CPslMessageDispatchEngine::DeliverQueued()
{
    {
        // From here on a call queued meanwhile posts anew: a listener that runs a message loop
        // of its own (a dialog) still gets later calls delivered.
        CHfcScopedLock lock(m_queueLock);
        m_postPending = false;
    }
    for (;;)
    {
        CRecord record;
        {
            CHfcScopedLock lock(m_queueLock);
            if (m_queue.empty())
                return;
            record = m_queue.front();
            m_queue.pop_front();
        }
        record.listener->OnDispatch(record.a, record.b, record.c, record.d, record.e);
    }
}

LRESULT CALLBACK CPslMessageDispatchEngine::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* engine =
            static_cast<CPslMessageDispatchEngine*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(engine));
        engine->m_window = window;
        return TRUE;
    }
    auto* engine = reinterpret_cast<CPslMessageDispatchEngine*>(GetWindowLongPtrW(window, 0));
    if (engine == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message)
    {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, 0, 0);
        engine->m_window = nullptr;
        return 0;
    case WM_TIMER:
    {
        auto it = engine->m_registry.find(static_cast<int32_t>(wParam));
        if (it != engine->m_registry.end())
            it->second.listener->OnTimer(it->first);
        return 0;
    }
    case WM_USER:
        engine->DeliverQueued();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
