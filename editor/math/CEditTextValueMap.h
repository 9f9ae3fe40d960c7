#pragma once

#include <cstdint>

// Maps the value of a value text (a text entry dragged like a knob) to framework positions
// and back. Unlike the knob's, positions are absolute: no minimum is subtracted. With a
// sensitivity s > 0 one unit is 7 x s positions; with s < 0 seven positions are -s units; with
// s = 0 one unit is 7 positions, for the value as for the range, the drag and the wheel.
// Divisions truncate toward zero.
class CEditTextValueMap
{
public:
    static constexpr int32_t kUnit = 7;

    explicit CEditTextValueMap(int32_t sensitivity = 0) : m_sensitivity(sensitivity) {}
    // As a creation record gives it: the sensitivity is stored doubled.
    static CEditTextValueMap FromRecord(int32_t recordSensitivity);
    // The map's sensitivity for a record's (a page's step): doubled.
    static int32_t FromRecordSensitivity(int32_t recordSensitivity);

    int32_t ValueToPosition(int32_t value) const;
    int32_t PositionToValue(int32_t position) const;
    // Positions one wheel notch moves: 7 x s for s > 0, 7 / -s (at least 1) for s < 0, 1 for 0.
    int32_t GetWheelStep() const;
    // The position after a wheel notch (delta's sign), clamped to the framework range
    // (positionMinimum must not be above positionMaximum); a delta of 0 leaves it alone.
    int32_t WheelPosition(int32_t position, int32_t delta, int32_t positionMinimum,
                          int32_t positionMaximum) const;

    int32_t GetSensitivity() const { return m_sensitivity; }
    void SetSensitivity(int32_t sensitivity) { m_sensitivity = sensitivity; }

private:
    int32_t m_sensitivity;
};
