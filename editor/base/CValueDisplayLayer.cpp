#include "editor/base/CValueDisplayLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditLayerBase.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/controls/CCustomControl.h"
#include "editor/layout/NvPageLayout.h"
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
        if (!custom || !custom->ShowsValue())
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
            DrawItem(i, control->GetRect(), text);
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

namespace
{
bool Overlaps(const CHfcRect& a, const CHfcRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int64_t OverlapArea(const CHfcRect& a, const CHfcRect& b)
{
    const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

bool Inside(const CHfcRect& r, const CHfcRect& bounds)
{
    return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right && r.bottom <= bounds.bottom;
}
} // namespace

CHfcRect CValueDisplayLayer::PlaceItem(const CHfcRect& control, int32_t width, int32_t height,
                                       const CHfcRect& bounds, const std::vector<CHfcRect>& obstacles,
                                       size_t firstSoft)
{
    // Below, above, right and left; each centred on the control's side, then at either end of it.
    const int32_t xs[3] = {control.left + (control.GetWidth() - width) / 2, control.left, control.right - width};
    const int32_t ys[3] = {control.top + (control.GetHeight() - height) / 2, control.top, control.bottom - height};
    std::vector<CHfcRect> candidates;
    for (const int32_t x : xs)
        candidates.emplace_back(x, control.bottom + 1, x + width, control.bottom + 1 + height);
    for (const int32_t x : xs)
        candidates.emplace_back(x, control.top - 1 - height, x + width, control.top - 1);
    for (const int32_t y : ys)
        candidates.emplace_back(control.right + 1, y, control.right + 1 + width, y + height);
    for (const int32_t y : ys)
        candidates.emplace_back(control.left - 1 - width, y, control.left - 1, y + height);
    // The first free of every obstacle; else, of those free of the controls, the one that
    // covers the least of the labels and items.
    const CHfcRect* best = nullptr;
    int64_t bestCovered = 0;
    for (const CHfcRect& candidate : candidates)
    {
        if (!Inside(candidate, bounds))
            continue;
        bool free = true;
        for (size_t i = 0; i < firstSoft && free; ++i)
            free = !Overlaps(candidate, obstacles[i]);
        if (!free)
            continue;
        int64_t covered = 0;
        for (size_t i = firstSoft; i < obstacles.size(); ++i)
            covered += OverlapArea(candidate, obstacles[i]);
        if (covered == 0)
            return candidate;
        if (!best || covered < bestCovered)
        {
            best = &candidate;
            bestCovered = covered;
        }
    }
    return best ? *best : candidates[0];
}

void CValueDisplayLayer::DrawItem(size_t index, const CHfcRect& control, const char* text)
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    Item& item = m_items[index];
    const CHfcRect old = item.drawn;
    if (old.GetWidth() > 0)
        surface->Clear(old);
    const int32_t length = static_cast<int32_t>(std::min<size_t>(std::strlen(text), kTextSize - 1));
    const int32_t width = length * 6 + 3, height = 11;
    // Beside the control, off the faces of the others and off the page's labels where there is room.
    std::vector<CHfcRect> obstacles;
    for (size_t i = 0; i < m_watched->GetControlCount(); ++i)
        if (CHfcControl* other = m_watched->GetControl(i); other && other->IsVisible() && other->GetRect() != control)
            obstacles.push_back(other->GetRect());
    const size_t firstSoft = obstacles.size();
    if (const NvPageLayout* page = m_watched->GetPageLayout())
        for (size_t i = 0; i < page->labelCount; ++i)
        {
            const NvLayoutRect& box = page->labels[i].box;
            obstacles.emplace_back(box.x, box.y, box.Right(), box.Bottom());
        }
    for (size_t i = 0; i < m_items.size(); ++i)
        if (i != index && m_items[i].drawn.GetWidth() > 0)
            obstacles.push_back(m_items[i].drawn);
    const CHfcRect bounds(0, 0, GetRect().GetWidth(), GetRect().GetHeight());
    const CHfcRect place = PlaceItem(control, width, height, bounds, obstacles, firstSoft);
    const int32_t x = place.left, y = place.top;
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
