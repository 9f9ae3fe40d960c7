#pragma once

#include "synthdata/CZmRandomSource.h"

#include <deque>

// Answers the scripted draws first, then always the lowest (0) or always the highest
// (n - 1, the float just below 1) draw. Counts the draws.
class ScriptedRandomSource : public CZmRandomSource
{
public:
    enum Fallback
    {
        kLowest,
        kHighest
    };
    explicit ScriptedRandomSource(Fallback fallback = kLowest) : m_fallback(fallback) {}

    void PushFloats(std::initializer_list<float> values) { m_floats.insert(m_floats.end(), values); }
    void PushInts(std::initializer_list<int32_t> values) { m_ints.insert(m_ints.end(), values); }

    int32_t NextInt(int32_t n) override
    {
        ++intDraws;
        if (!m_ints.empty())
        {
            const int32_t v = m_ints.front();
            m_ints.pop_front();
            return v;
        }
        return m_fallback == kLowest ? 0 : n - 1;
    }
    float NextFloat() override
    {
        ++floatDraws;
        if (!m_floats.empty())
        {
            const float v = m_floats.front();
            m_floats.pop_front();
            return v;
        }
        return m_fallback == kLowest ? 0.0f : 0.99999994f;
    }

    int intDraws = 0;
    int floatDraws = 0;

private:
    Fallback m_fallback;
    std::deque<float> m_floats;
    std::deque<int32_t> m_ints;
};
