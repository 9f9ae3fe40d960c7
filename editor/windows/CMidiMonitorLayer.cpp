#include "editor/windows/CMidiMonitorLayer.h"

#include "app/CMidiManager.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/CLayerLock.h"
#include "editor/layout/MidiMonitorLayout.h"

#include <cstring>

CMidiMonitorLayer::CMidiMonitorLayer() : CUtilityLayer(NvMidiMonitorLayout::kPage.background, "LogoNv2Editor")
{
}

bool CMidiMonitorLayer::CreateControls()
{
    CCustomStaticText* fields[2] = {&m_in, &m_out};
    for (int32_t i = 0; i < 2; ++i)
    {
        const NvLayoutControl& place = NvMidiMonitorLayout::kControls[i];
        CCustomStaticTextRecord record;
        record.x = place.x;
        record.y = place.y;
        record.columns = kColumns;
        record.font = m_fontWhite;
        record.background = m_background;
        if (!fields[i]->Create(&record, static_cast<uint32_t>(i), 0))
            return false;
        fields[i]->SetListener(this);
        AddControl(fields[i], false);
        fields[i]->Show(false);
    }
    return true;
}

void CMidiMonitorLayer::RefreshValues()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld())
        return;
    if (CMidiManager* midi = EditorServices().midiManager)
        midi->GetMidiMonitorLines(m_inLine, m_outLine);
    m_inLine[kLineSize - 1] = m_outLine[kLineSize - 1] = '\0';
    if (std::memcmp(m_inLine, m_shownIn, kLineSize) != 0)
    {
        std::memcpy(m_shownIn, m_inLine, kLineSize);
        m_in.SetText(m_shownIn, false);
        m_in.Redraw(false);
    }
    if (std::memcmp(m_outLine, m_shownOut, kLineSize) != 0)
    {
        std::memcpy(m_shownOut, m_outLine, kLineSize);
        m_out.SetText(m_shownOut, false);
        m_out.Redraw(false);
    }
    RedrawAllIfAsked();
}

std::string CMidiMonitorLayer::GetInLine()
{
    char text[kLineSize + 1] = {};
    m_in.GetText(text, sizeof text);
    return text;
}

std::string CMidiMonitorLayer::GetOutLine()
{
    char text[kLineSize + 1] = {};
    m_out.GetText(text, sizeof text);
    return text;
}
