#pragma once

#include "editor/controls/CCustomAnalogLed.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/windows/CUtilityLayer.h"

#include <string>

// The status log's page: the nine newest lines of the log, oldest first, and a red step LED that
// lights at each new line and fades one step per tick. Window thread only.
class CStatusLogLayer : public CUtilityLayer
{
public:
    enum : int32_t
    {
        kLineCount = 9,
        kColumns = 92,
    };

    CStatusLogLayer();
    bool CreateControls();
    // The log's nine newest lines into the fields, the LED to its brightest step.
    void RefreshLines();
    // One fade step of the LED.
    void RefreshValues() override;
    // Notification 15 (a line was added) refreshes the lines.
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    std::string GetLineText(int32_t i);
    int32_t GetIndicatorStep() const;
    int32_t GetIndicatorSteps() const { return m_steps; }
    const CHfcRect& GetLineRect(int32_t i) const { return m_lines[i].GetRect(); }

private:
    CCustomStaticText m_lines[kLineCount];
    CCustomAnalogLed m_indicator;
    int32_t m_steps = 1;
    int32_t m_ticks = 0;
};
