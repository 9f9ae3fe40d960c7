#include "app/CMMTimer.h"

#include "foundation/EfUtility.h"
#include "framework/CPslMessageDispatchEngine.h"

#include <algorithm>

CMMTimer::CMMTimer(CPslMessageDispatchEngine* engine)
    : m_engine(engine), m_ids{0, 0}, m_running(false), m_ticking(false)
{
}

CMMTimer::~CMMTimer()
{
    Stop();
}

bool CMMTimer::Start()
{
    if (m_running || m_engine == nullptr)
        return false;
    if (m_engine->Register(this, &m_ids[0]))
    {
        if (m_engine->Register(this, &m_ids[1]))
        {
            m_running = true;
            return true;
        }
        m_engine->Unregister(m_ids[0]);
    }
    m_ids[0] = m_ids[1] = 0;
    return false;
}

bool CMMTimer::SetInterval(int32_t milliseconds)
{
    return m_running && m_engine->SetTimer(m_ids[0], milliseconds);
}

bool CMMTimer::Stop()
{
    if (!m_running)
        return false;
    for (int32_t& id : m_ids)
    {
        m_engine->SetTimer(id, 0);
        m_engine->Unregister(id);
        id = 0;
    }
    m_running = false;
    return true;
}

void CMMTimer::AddListener(CMMTimerListener* listener)
{
    if (listener == nullptr)
        return;
    if (m_engine != nullptr && !m_engine->IsOwnerThread())
        DebugTrace("[CMMTimer] This is not the message thread!!");
    m_listeners.push_back(listener);
}

void CMMTimer::RemoveListener(CMMTimerListener* listener)
{
    if (listener == nullptr)
        return;
    const auto found = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (found == m_listeners.end())
        return;
    // During a tick the entry is only cleared, so that the walk stays valid.
    if (m_ticking)
        *found = nullptr;
    else
        m_listeners.erase(found);
}

bool CMMTimer::OnTimer(int32_t id)
{
    if (!m_running || id != m_ids[0] || m_ticking)
        return false;
    m_ticking = true;
    // Listeners added during the tick wait for the next one.
    const size_t count = m_listeners.size();
    for (size_t i = 0; i < count; ++i)
        if (m_listeners[i] != nullptr)
            m_listeners[i]->OnMMTimer(this);
    m_ticking = false;
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), nullptr), m_listeners.end());
    return true;
}
