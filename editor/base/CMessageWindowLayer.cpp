#include "editor/base/CMessageWindowLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditLayerBase.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcOffscreenContext.h"

#include <algorithm>
#include <cstring>

bool CMessageWindowLayer::CreateOverlay(const Config& config, int32_t x, int32_t y, int32_t width,
                                        int32_t height, CBaseWindow* window)
{
    m_config = config;
    if (m_config.width <= 0)
        m_config.width = kDefaultWidth;
    if (m_config.height <= 0)
        m_config.height = kDefaultHeight;
    if (m_config.fadeMs <= 0)
        m_config.fadeMs = kDefaultFadeMs;
    if (!Create(x, y, width, height, window))
        return false;
    if (CWindowManager* manager = EditorServices().windowManager)
    {
        manager->AddListener(this);
        m_registered = true;
    }
    return true;
}

bool CMessageWindowLayer::Destroy()
{
    if (m_registered)
    {
        if (CWindowManager* manager = EditorServices().windowManager)
            manager->RemoveListener(this);
        m_registered = false;
    }
    return CBaseLayer::Destroy();
}

void CMessageWindowLayer::Hold()
{
    if (m_held)
        return;
    m_held = true;
    CWindowManager* manager = m_registered ? EditorServices().windowManager : nullptr;
    if (!manager || !Notify::PostTo(manager, this, Notify::ShowOverlayMessage{}, this))
        ShowMessageNow();
}

void CMessageWindowLayer::SetLines(const char* name, const char* value)
{
    std::strncpy(m_name, name ? name : "", kLineSize - 1);
    std::strncpy(m_value, value ? value : "", kLineSize - 1);
    m_name[kLineSize - 1] = m_value[kLineSize - 1] = '\0';
    CWindowManager* manager = m_registered ? EditorServices().windowManager : nullptr;
    if (m_held && (!manager || !Notify::PostTo(manager, this, Notify::ShowOverlayMessage{}, this)))
        ShowMessageNow();
}

bool CMessageWindowLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                                intptr_t p3, intptr_t p4, void* sender)
{
    if (!Notify::Read<Notify::ShowOverlayMessage>(code, p1, p2, p3, p4) || sender != this)
        return false;
    return ShowMessageNow();
}

bool CMessageWindowLayer::ShowMessageNow()
{
    if (!IsCreated())
        return false;
    DrawBox(255);
    m_pendingClear = true;
    m_remainingMs = m_config.fadeMs;
    return true;
}

int32_t CMessageWindowLayer::FadeLevel(int32_t remainingMs, int32_t fadeMs)
{
    if (fadeMs <= 0)
        return 0;
    return std::clamp(remainingMs * 255 / fadeMs, 0, 255);
}

void CMessageWindowLayer::AdvanceFade()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld() || m_held)
        return;
    if (m_remainingMs > 0)
    {
        m_remainingMs = std::max(0, m_remainingMs - kTickMs);
        DrawBox(FadeLevel(m_remainingMs, m_config.fadeMs));
    }
    if (m_remainingMs == 0 && m_pendingClear)
    {
        Erase(true);
        m_pendingClear = false;
    }
}

void CMessageWindowLayer::Erase(bool now)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || m_lastRect.GetWidth() <= 0)
        return;
    surface->Clear(m_lastRect);
    InvalidateArea(m_lastRect.left, m_lastRect.top, m_lastRect.GetWidth(), m_lastRect.GetHeight(), now);
}

void CMessageWindowLayer::DrawBox(int32_t level)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    level = std::clamp(level, 0, 255);
    m_lastLevel = level;
    const int32_t layerWidth = GetRect().GetWidth(), layerHeight = GetRect().GetHeight();
    int32_t width = m_config.width;
    if (m_config.autoWidth)
    {
        const int32_t longer = static_cast<int32_t>(std::max(std::strlen(m_name), std::strlen(m_value)));
        width = (longer * 3 + 6) * 2;
    }
    const int32_t height = m_config.height;
    int32_t x = m_config.x, y = m_config.y;
    CHfcControl* control =
        m_config.anchored && m_config.anchor ? m_config.anchor->GetCurrentControl() : nullptr;
    if (control)
    {
        const CHfcRect& r = control->GetRect();
        y = std::max(0, std::min(r.top, layerHeight - height));
        x = r.right + 6 + width <= layerWidth ? r.right + 6 : r.left - width - 6;
    }
    const CHfcRect box(x, y, x + width, y + height);
    const CHfcRect previous = m_lastRect;
    if (previous.GetWidth() > 0)
    {
        surface->Clear(previous);
        if (previous != box)
            InvalidateArea(previous.left, previous.top, previous.GetWidth(), previous.GetHeight(), true);
    }
    surface->SetBrushColor(static_cast<uint32_t>(level * 220 / 255) << 24 | 0x300000u);
    surface->SetPenColor(static_cast<uint32_t>(level) << 24 | 0xFFFFFFu);
    surface->FillRect(x, y, width, height);
    surface->DrawRect(x, y, width - 1, height - 1);
    if (level > 0 && m_fontWhite)
    {
        surface->DrawBitmapText(x + 6, y + 5, m_name, static_cast<int32_t>(std::strlen(m_name)), m_fontWhite,
                                6, 9);
        surface->DrawBitmapText(x + 6, y + 18, m_value, static_cast<int32_t>(std::strlen(m_value)),
                                m_fontWhite, 6, 9);
    }
    InvalidateArea(x, y, width, height, true);
    m_lastRect = box;
}
