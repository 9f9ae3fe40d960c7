#pragma once

#include "editor/controls/CCustomStaticText.h"
#include "editor/windows/CUtilityLayer.h"

#include <cstdint>

// The MIDI monitor's page: the last message received and the last one sent, as the MIDI manager
// formats them, shown on the window's tick. Window thread only.
class CMidiMonitorLayer : public CUtilityLayer
{
public:
    enum : int32_t
    {
        kLineSize = 80,
        kColumns = 78, // 26 bytes of three characters
    };

    CMidiMonitorLayer();
    bool CreateControls();
    // Takes the manager's lines; a line that changed becomes its field's text.
    void RefreshValues() override;

    // The texts the two fields show.
    std::string GetInLine();
    std::string GetOutLine();

private:
    CCustomStaticText m_in;
    CCustomStaticText m_out;
    char m_inLine[kLineSize] = {};
    char m_outLine[kLineSize] = {};
    char m_shownIn[kLineSize] = {};
    char m_shownOut[kLineSize] = {};
};
