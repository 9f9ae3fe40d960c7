#include "app/CWindowManager.h"

#include "foundation/EfUtility.h"
#include "framework/CPslMessageDispatchEngine.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
bool Post(CWindowManager* manager, std::unique_ptr<CNotificationRecord> record)
{
    if (manager == nullptr || !manager->IsRegistered())
        return false;
    // Always queued, also on the window thread: listeners are never called from inside a post.
    if (manager->GetEngine()->Dispatch(manager, CWindowManager::kNotificationMessage,
                                       reinterpret_cast<uintptr_t>(record.get()), 0, 0, 0, true) == 0)
        return false;
    record.release(); // the window manager frees it
    return true;
}

std::unique_ptr<CNotificationRecord> MakeRecord(uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                                                intptr_t p4, void* sender)
{
    auto record = std::make_unique<CNotificationRecord>();
    record->code = code;
    record->p1 = p1;
    record->p2 = p2;
    record->p3 = p3;
    record->p4 = p4;
    record->sender = sender;
    return record;
}
} // namespace

bool PostNotification(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                      intptr_t p4, void* sender)
{
    auto record = MakeRecord(code, p1, p2, p3, p4, sender);
    record->broadcast = 1;
    return Post(manager, std::move(record));
}

bool PostNotificationTo(CWindowManager* manager, CWindowManagerListener* target, uint32_t code, intptr_t p1,
                        intptr_t p2, intptr_t p3, intptr_t p4, void* sender)
{
    if (target == nullptr)
        return false;
    auto record = MakeRecord(code, p1, p2, p3, p4, sender);
    record->target = target;
    return Post(manager, std::move(record));
}

CWindowManager::CWindowManager(CPslMessageDispatchEngine* engine) : m_engine(engine)
{
    Register();
}

CWindowManager::~CWindowManager()
{
    Unregister();
    m_listeners.clear();
}

bool CWindowManager::Register()
{
    if (m_registered || m_engine == nullptr)
        return false;
    m_registered = m_engine->Register(this, &m_id);
    return m_registered;
}

bool CWindowManager::Unregister()
{
    if (!m_registered)
        return false;
    m_registered = false;
    m_engine->Unregister(m_id);
    return true;
}

void CWindowManager::AddListener(CWindowManagerListener* listener)
{
    if (m_engine != nullptr && !m_engine->IsOwnerThread())
        DebugTrace("[CWindowManager] This is not the message thread!!");
    if (listener != nullptr)
        m_listeners.push_back(listener);
}

bool CWindowManager::RemoveListener(CWindowManagerListener* listener)
{
    if (m_engine != nullptr && !m_engine->IsOwnerThread())
        DebugTrace("This is not the message thread!!");
    if (listener == nullptr)
        return false;
    auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it == m_listeners.end())
        return false;
    m_listeners.erase(it);
    return true;
}

bool CWindowManager::IsListener(CWindowManagerListener* listener) const
{
    return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
}

bool CWindowManager::OnDispatch(uintptr_t a, uintptr_t b, uintptr_t, uintptr_t, uintptr_t)
{
    if (a != kNotificationMessage)
        return false;
    std::unique_ptr<CNotificationRecord> record(reinterpret_cast<CNotificationRecord*>(b));
    if (record == nullptr)
        return false;
    const CNotificationRecord& r = *record;
    if (r.broadcast == 0)
    {
        // The target may have gone since the post, or never have registered: dropped, but
        // traced, so that a window that forgot to register shows at once.
        if (IsListener(r.target))
            r.target->OnWindowManagerNotify(this, r.code, r.p1, r.p2, r.p3, r.p4, r.sender);
        else
            DebugTrace("[CWindowManager] Notification %u dropped: %p is not a listener.",
                       static_cast<unsigned>(r.code), static_cast<void*>(r.target));
        return true;
    }
    // A listener may add or remove listeners while it is called: the walk goes over a copy and
    // skips whoever has been removed meanwhile.
    std::vector<CWindowManagerListener*> round(m_listeners.begin(), m_listeners.end());
    for (CWindowManagerListener* listener : round)
        if (IsListener(listener))
            listener->OnWindowManagerNotify(this, r.code, r.p1, r.p2, r.p3, r.p4, r.sender);
    return true;
}

void CWindowManager::OnDispatchDropped(uintptr_t a, uintptr_t b, uintptr_t, uintptr_t, uintptr_t)
{
    if (a == kNotificationMessage)
        delete reinterpret_cast<CNotificationRecord*>(b);
}
