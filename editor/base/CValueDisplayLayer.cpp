#include "editor/base/CValueDisplayLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditLayerBase.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/controls/CCustomControl.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <cstring>

bool CValueDisplayLayer::Bind(CBaseWindow* window, CEditLayerBase* watched)
{
    if (!watched)
        return false;
    m_watched = watched;
    m_items.assign(watched->GetControlCount(), Item());
    const CHfcRect& r = watched->GetRect();
    if (!Create(r.left, r.top, r.GetWidth(), r.GetHeight(), window))
        return false;
    if (CWindowManager* manager = EditorServices().windowManager)
    {
        manager->AddListener(this);
        m_registered = true;
    }
    m_bound = true;
    Poll();
    return true;
}

bool CValueDisplayLayer::Destroy()
{
    if (m_registered)
    {
        if (CWindowManager* manager = EditorServices().windowManager)
            manager->RemoveListener(this);
        m_registered = false;
    }
    m_bound = false;
    return CBaseLayer::Destroy();
}

bool CValueDisplayLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                               intptr_t p3, intptr_t p4, void*)
{
    if (Notify::Read<Notify::RefreshValues>(code, p1, p2, p3, p4) ||
        Notify::Read<Notify::ParameterChanged>(code, p1, p2, p3, p4))
        Poll();
    return false;
}

void CValueDisplayLayer::Poll()
{
    CLayerLock valueLock(kSemaphoreValueLayer);
    if (!valueLock.IsHeld())
        return;
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!m_bound || !m_watched || !accessor || m_items.empty() || !m_watched->GetEditedProgram())
        return;
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld())
        return;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        CHfcControl* control = m_watched->GetControl(i);
        CCustomControl* custom = control ? m_watched->GetEditorControl(control->GetId()) : nullptr;
        if (!custom)
            continue;
        Item& item = m_items[i];
        char text[256] = {};
        accessor->GetCurrentValueText(m_watched->GetEditedProgram(), m_watched->GetControlParameter(custom),
                                      text, sizeof text);
        if (!control->IsVisible())
        {
            if (item.dirty || item.drawn.GetWidth() > 0)
            {
                item.dirty = false;
                EraseItem(item);
            }
            continue;
        }
        if (item.dirty || std::strncmp(text, item.text, kTextSize) != 0)
        {
            item.dirty = false;
            DrawItem(item, control->GetRect(), text);
            std::strncpy(item.text, text, kTextSize - 1);
            item.text[kTextSize - 1] = '\0';
        }
    }
    if (CHfcWindow* window = GetWindow())
        window->FlushDirty();
}

void CValueDisplayLayer::EraseItem(Item& item)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || item.drawn.GetWidth() <= 0)
        return;
    surface->Clear(item.drawn);
    InvalidateArea(item.drawn.left, item.drawn.top, item.drawn.GetWidth(), item.drawn.GetHeight(), false);
    item.drawn = CHfcRect();
}

void CValueDisplayLayer::DrawItem(Item& item, const CHfcRect& control, const char* text)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const CHfcRect old = item.drawn;
    if (old.GetWidth() > 0)
        surface->Clear(old);
    const int32_t length = static_cast<int32_t>(std::min<size_t>(std::strlen(text), kTextSize - 1));
    const int32_t width = length * 6 + 3, height = 11;
    // Below the control, so that the control's face stays visible.
    const int32_t x = control.left, y = control.bottom + 1;
    surface->SetBrushColor(0xCC000066u);
    surface->SetPenColor(0xFFFFFFFFu);
    surface->FillRect(x, y, width, height);
    surface->DrawRect(x, y, width - 1, height - 1);
    if (m_fontWhite)
        surface->DrawBitmapText(x + 2, y + 2, text, length, m_fontWhite, 6, 9);
    item.drawn = CHfcRect(x, y, x + width, y + height);
    CHfcRect both = item.drawn;
    if (old.GetWidth() > 0)
        both.Union(old, item.drawn);
    InvalidateArea(both.left, both.top, both.GetWidth(), both.GetHeight(), false);
    ++m_drawCount;
}
