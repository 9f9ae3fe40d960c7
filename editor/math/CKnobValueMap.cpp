#include "editor/math/CKnobValueMap.h"

#include "editor/math/EditorMathUtility.h"

CKnobValueMap::CKnobValueMap(int32_t minimum, int32_t maximum, int32_t sensitivity)
    : m_minimum(minimum), m_maximum(maximum), m_sensitivity(sensitivity)
{
}

CKnobValueMap CKnobValueMap::FromRecord(int32_t minimum, int32_t maximum, int32_t recordSensitivity)
{
    const int64_t s = recordSensitivity == 0 ? 1 : recordSensitivity;
    return CKnobValueMap(minimum, maximum, SaturateToInt32(2 * s));
}

int32_t CKnobValueMap::ValueToPosition(int32_t value) const
{
    const int64_t units = static_cast<int64_t>(value) - m_minimum;
    if (m_sensitivity > 0)
        return SaturateToInt32(units * kUnit * m_sensitivity);
    if (m_sensitivity < 0)
        return SaturateToInt32(units * kUnit / -static_cast<int64_t>(m_sensitivity));
    return SaturateToInt32(units * kUnit);
}

int32_t CKnobValueMap::PositionToValue(int32_t position) const
{
    const int64_t steps = position / kUnit;
    if (m_sensitivity > 0)
        return SaturateToInt32(m_minimum + steps / m_sensitivity);
    if (m_sensitivity < 0)
        return SaturateToInt32(m_minimum + steps * -static_cast<int64_t>(m_sensitivity));
    return SaturateToInt32(m_minimum + steps);
}

int32_t CKnobValueMap::GetPositionMaximum() const
{
    const int32_t maximum = ValueToPosition(m_maximum);
    return maximum < 0 ? 0 : maximum;
}

int32_t CKnobValueMap::WheelPosition(int32_t position, int32_t delta, bool shift) const
{
    if (delta == 0)
        return position;
    int64_t snapped = FloorDivide(position, kUnit) * kUnit;
    int64_t step = 70;
    if (shift)
        step = m_sensitivity > 0 ? static_cast<int64_t>(kUnit) * m_sensitivity : kUnit;
    snapped += delta > 0 ? step : -step;
    return ClampToRange(snapped, 0, GetPositionMaximum());
}
