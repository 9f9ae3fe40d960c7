#pragma once

#include <cstdint>

// Maps a knob's parameter values to the framework knob's positions and back. Positions count
// from the minimum, so the framework range is always 0 .. GetPositionMaximum() with step 7.
// With a sensitivity s > 0 one unit is 7 x s positions; with s < 0 seven positions are -s units;
// with s = 0 one unit is 7 positions. Divisions truncate toward zero.
class CKnobValueMap
{
public:
    static constexpr int32_t kUnit = 7;

    CKnobValueMap() = default;
    CKnobValueMap(int32_t minimum, int32_t maximum, int32_t sensitivity);
    // As a knob's creation record gives it: the sensitivity is stored doubled, 0 counting as 1.
    static CKnobValueMap FromRecord(int32_t minimum, int32_t maximum, int32_t recordSensitivity);

    int32_t ValueToPosition(int32_t value) const;
    int32_t PositionToValue(int32_t position) const;
    // ValueToPosition(maximum), never below 0, whatever the sign of the sensitivity.
    int32_t GetPositionMaximum() const;
    int32_t GetStep() const { return kUnit; }
    // The wheel: the position snapped down to a multiple of 7, then moved by one unit (Shift;
    // 7 positions for a sensitivity of 0 or below) or by 70 positions in the direction of the
    // delta, clamped to the range. A delta of 0 leaves the position alone.
    int32_t WheelPosition(int32_t position, int32_t delta, bool shift) const;

    int32_t GetMinimum() const { return m_minimum; }
    int32_t GetMaximum() const { return m_maximum; }
    int32_t GetSensitivity() const { return m_sensitivity; }
    // Each setter re-bases the mapping; the knob then sets its framework range from
    // GetPositionMaximum() and its value through ValueToPosition() again.
    void SetMinimum(int32_t minimum) { m_minimum = minimum; }
    void SetMaximum(int32_t maximum) { m_maximum = maximum; }
    void SetSensitivity(int32_t sensitivity) { m_sensitivity = sensitivity; }

private:
    int32_t m_minimum = 0;
    int32_t m_maximum = 127;
    int32_t m_sensitivity = 2;
};
