#pragma once

#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomSwitch.h"
#include "editor/pages/CEditPageLayer.h"

#include <array>

// The arpeggiator page: type, resolution, octave range, last step and timbre assignment as
// value texts, latch and key sync, the eight step switches, gate time and swing, and two
// arrows that rotate the step pattern. Every edit takes the value path. Window thread only.
class CArpEditLayer : public CEditPageLayer
{
public:
    enum : uint32_t
    {
        kCodeRotateLeft = 0x101,
        kCodeRotateRight = 0x102,
        kStepCount = 8,
    };

    CArpEditLayer();
    bool CreateControls() override;
    void OnValueChanged(CHfcControl* control, int32_t value) override;
    // Step n takes step n + 1 and step 8 the first (left), or step n takes step n - 1 and step 1
    // the last (right); each of the eight writes goes to the instrument.
    void RotateSteps(bool left);

private:
    std::array<CCustomEditText, 5> m_texts;
    CCustomSwitch m_latch;
    CCustomSwitch m_keySync;
    std::array<CCustomSwitch, kStepCount> m_steps;
    CCustomKnob m_swing;
    CCustomKnob m_gateTime;
    CCustomButton m_left;
    CCustomButton m_right;
};
