#include "editor/library/CGlobalBaseLayer.h"

#include "app/Notifications.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/GlobalEditLayout.h"
#include "editor/library/CGlobalEditHost.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580GlobalAccessor.h"

#include <algorithm>
#include <cstring>

namespace
{
CZmParameterId GlobalId(uint32_t group, uint32_t index)
{
    CZmParameterId id;
    id.group = group;
    id.index = index;
    id.timbre = 0;
    return id;
}
} // namespace

CGlobalBaseLayer::CGlobalBaseLayer(CLibraryEntry* entry, CGlobalEditHost& host) : m_entry(entry), m_host(host)
{
    m_background = GetBitmap(NvGlobalEditLayout::kPage.background);
}

CGlobalBaseLayer::~CGlobalBaseLayer()
{
    // A layer deleted without its Destroy must not stay among the listeners.
    if (m_listening)
        if (CWindowManager* manager = EditorServices().windowManager)
            manager->RemoveListener(this);
}

bool CGlobalBaseLayer::Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window)
{
    if (!CBaseLayer::Create(x, y, width, height, window))
        return false;
    if (CWindowManager* manager = EditorServices().windowManager; manager && !m_listening)
    {
        manager->AddListener(this);
        m_listening = true;
    }
    return true;
}

bool CGlobalBaseLayer::Destroy()
{
    if (m_listening)
    {
        if (CWindowManager* manager = EditorServices().windowManager)
            manager->RemoveListener(this);
        m_listening = false;
    }
    RemoveAllControls();
    DestroyControls();
    return CBaseLayer::Destroy();
}

CGlobal* CGlobalBaseLayer::GetGlobal() const
{
    return m_entry ? m_entry->GetGlobal() : nullptr;
}

int32_t CGlobalBaseLayer::GetValue(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    CGlobal* global = GetGlobal();
    return accessor && global ? accessor->GetValue(global, group, index) : 0;
}

void CGlobalBaseLayer::SetValue(uint32_t group, uint32_t index, int32_t value)
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    CGlobal* global = GetGlobal();
    if (accessor && global && m_writesAllowed)
        accessor->SetValue(global, group, index, value);
}

void CGlobalBaseLayer::GetValueText(uint32_t group, uint32_t index, int32_t value, char* text) const
{
    text[0] = '\0';
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    if (CGlobal* global = GetGlobal(); accessor && global)
        accessor->GetValueText(global, GlobalId(group, index), value, text, kTextSize);
}

void CGlobalBaseLayer::GetCurrentValueText(uint32_t group, uint32_t index, char* text) const
{
    text[0] = '\0';
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    if (CGlobal* global = GetGlobal(); accessor && global)
        accessor->GetCurrentValueText(global, GlobalId(group, index), text, kTextSize);
}

const char* CGlobalBaseLayer::GetName(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    const char* name = accessor && GetGlobal() ? accessor->GetName(GlobalId(group, index)) : nullptr;
    return name ? name : "";
}

int32_t CGlobalBaseLayer::GetMinimum(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    return accessor && GetGlobal() ? accessor->GetMin(GlobalId(group, index)) : 0;
}

int32_t CGlobalBaseLayer::GetMaximum(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    return accessor && GetGlobal() ? accessor->GetMax(GlobalId(group, index)) : 0;
}

bool CGlobalBaseLayer::IsEditable(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    return accessor && GetGlobal() && accessor->IsEditable(GlobalId(group, index));
}

uint32_t CGlobalBaseLayer::GetKind(uint32_t group, uint32_t index) const
{
    CZmGlobalAccessor* accessor = CZmGlobalAccessorSingleton::Get();
    return accessor && GetGlobal() ? accessor->GetKind(GlobalId(group, index)) : 0;
}

void CGlobalBaseLayer::ReportChange()
{
    if (m_markModified)
        m_host.MarkModified();
    m_host.PostNotification(Notify::GlobalChanged{m_host.GetDocumentId()}.Words(), this);
}

int32_t CGlobalBaseLayer::Sensitivity(int32_t minimum, int32_t maximum)
{
    if (minimum == maximum)
        return 1;
    return std::clamp(127 / std::abs(maximum - minimum), 1, 12);
}

void CGlobalBaseLayer::DrawBackgroundPart()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface || !m_background)
        return;
    surface->DrawBitmap(0, 0, GetRect().GetWidth(), GetRect().GetHeight(), m_background,
                        NvGlobalEditLayout::kPanelX, NvGlobalEditLayout::kPanelY);
}

void CGlobalBaseLayer::RedrawAll()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld())
        return;
    DrawBackgroundPart();
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (CHfcControl* control = GetControl(i))
            control->Redraw(true);
    InvalidateAll(true);
}

bool CGlobalBaseLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                             intptr_t p3, intptr_t p4, void*)
{
    const intptr_t document = m_host.GetDocumentId();
    const auto changed = Notify::Read<Notify::GlobalChanged>(code, p1, p2, p3, p4);
    const auto replaced = Notify::Read<Notify::DataReplaced>(code, p1, p2, p3, p4);
    if (!(changed && changed->document == document) && !(replaced && replaced->document == document))
        return false;
    Refresh();
    return true;
}
