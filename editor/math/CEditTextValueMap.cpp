#include "editor/math/CEditTextValueMap.h"

#include "editor/math/EditorMathUtility.h"

CEditTextValueMap CEditTextValueMap::FromRecord(int32_t recordSensitivity)
{
    return CEditTextValueMap(FromRecordSensitivity(recordSensitivity));
}

int32_t CEditTextValueMap::FromRecordSensitivity(int32_t recordSensitivity)
{
    return SaturateToInt32(2 * static_cast<int64_t>(recordSensitivity));
}

int32_t CEditTextValueMap::ValueToPosition(int32_t value) const
{
    const int64_t v = value;
    if (m_sensitivity > 0)
        return SaturateToInt32(v * kUnit * m_sensitivity);
    if (m_sensitivity < 0)
        return SaturateToInt32(v * kUnit / -static_cast<int64_t>(m_sensitivity));
    return SaturateToInt32(v * kUnit);
}

int32_t CEditTextValueMap::PositionToValue(int32_t position) const
{
    const int64_t steps = position / kUnit;
    if (m_sensitivity > 0)
        return SaturateToInt32(steps / m_sensitivity);
    if (m_sensitivity < 0)
        return SaturateToInt32(steps * -static_cast<int64_t>(m_sensitivity));
    return SaturateToInt32(steps);
}

int32_t CEditTextValueMap::GetWheelStep() const
{
    if (m_sensitivity > 0)
        return SaturateToInt32(static_cast<int64_t>(kUnit) * m_sensitivity);
    if (m_sensitivity < 0)
    {
        const int64_t step = kUnit / -static_cast<int64_t>(m_sensitivity);
        return step < 1 ? 1 : static_cast<int32_t>(step);
    }
    return 1;
}

int32_t CEditTextValueMap::WheelPosition(int32_t position, int32_t delta, int32_t positionMinimum,
                                         int32_t positionMaximum) const
{
    if (delta == 0)
        return position;
    const int64_t step = GetWheelStep();
    return ClampToRange(static_cast<int64_t>(position) + (delta > 0 ? step : -step), positionMinimum,
                        positionMaximum);
}
