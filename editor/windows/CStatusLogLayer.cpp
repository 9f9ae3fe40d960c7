#include "editor/windows/CStatusLogLayer.h"

#include "app/CLogManager.h"
#include "app/Notifications.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/StatusLogLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"

#include <algorithm>

CStatusLogLayer::CStatusLogLayer() : CUtilityLayer(NvStatusLogLayout::kPage.background, "LogoNv2Editor") {}

bool CStatusLogLayer::CreateControls()
{
    for (int32_t i = 0; i < kLineCount; ++i)
    {
        const NvLayoutControl& place = NvStatusLogLayout::kControls[i];
        CCustomStaticTextRecord record;
        record.x = place.x;
        record.y = place.y;
        record.columns = kColumns;
        record.font = m_fontWhite;
        record.background = m_background;
        // Log lines from the Japanese texts: the Japanese interface face.
        record.wideFace = L"MS UI Gothic";
        if (!m_lines[i].Create(&record, static_cast<uint32_t>(i), 0))
            return false;
        AddControl(&m_lines[i], false);
        m_lines[i].Show(false);
    }
    const NvLayoutControl& led = NvStatusLogLayout::kControls[kLineCount];
    const NvSkinBitmap* geometry = FindSkinBitmap(led.bitmap);
    m_steps = geometry ? geometry->frameCount : 1;
    CHfcCtrlLedRecord record;
    record.head.x = led.x;
    record.head.y = led.y;
    record.head.bitmap = GetBitmap(led.bitmap);
    record.head.background = m_background;
    record.head.backgroundX = led.x;
    record.head.backgroundY = led.y;
    record.frameCount = m_steps;
    if (!m_indicator.Create(&record, kLineCount, 0))
        return false;
    AddControl(&m_indicator, false);
    m_indicator.Show(false);
    return true;
}

void CStatusLogLayer::RefreshLines()
{
    CLogManager* log = GetLogManager();
    if (!log)
        return;
    int32_t line = 0;
    // Oldest first: nine places before the newest down to the newest; lines never written are
    // skipped and leave their field as it was.
    for (int32_t n = kLineCount - 1; n >= 0; --n)
    {
        char text[CLogManager::kLineBufferSize] = {};
        if (!log->GetLine(n, text, sizeof text))
            continue;
        m_lines[line].SetText(text, false);
        m_lines[line].Redraw(false);
        ++line;
    }
    m_indicator.SetValue(m_steps - 1);
    m_indicator.Redraw(false);
}

int32_t CStatusLogLayer::GetIndicatorStep() const
{
    return static_cast<const CHfcControl&>(m_indicator).GetValue();
}

void CStatusLogLayer::RefreshValues()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld())
        return;
    ++m_ticks;
    // Kept inside the strip's frames whatever the value was set to.
    const int32_t step = std::clamp(GetIndicatorStep(), 0, m_steps - 1);
    if (step >= 1)
    {
        m_indicator.SetValue(step - 1);
        m_indicator.Redraw(false);
    }
    RedrawAllIfAsked();
}

bool CStatusLogLayer::OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2,
                                            intptr_t p3, intptr_t p4, void*)
{
    if (!Notify::Read<Notify::LogLineAdded>(code, p1, p2, p3, p4))
        return false;
    RefreshLines();
    return true;
}

std::string CStatusLogLayer::GetLineText(int32_t i)
{
    if (i < 0 || i >= kLineCount)
        return {};
    char text[kColumns + 1] = {};
    m_lines[i].GetText(text, sizeof text);
    return text;
}
