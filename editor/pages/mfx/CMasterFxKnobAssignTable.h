#pragma once

#include <array>
#include <cstdint>

class CZmData;

// The parameters of one master effect that its Control 1 and Control 2 may be assigned to, in
// parameter order, for the effect type the program holds now. Built on demand; it keeps no link
// to the program.
class CMasterFxKnobAssignTable
{
public:
    static constexpr int32_t kMaxCount = 20;

    // The list of effect 0 or 1 of the program; empty for no program or an effect beyond 1.
    CMasterFxKnobAssignTable(const CZmData* program, uint32_t effect);

    int32_t GetType() const { return m_type; }
    int32_t GetCount() const { return m_count; }
    // The last position that holds the parameter number; -1 when none does.
    int32_t FindPosition(int32_t parameter) const;
    // The parameter number at the position; -1 outside 0 .. count - 1.
    int32_t GetParameter(int32_t position) const;

private:
    int32_t m_type = 0;
    int32_t m_count = 0;
    std::array<int32_t, kMaxCount> m_parameters{};
};
