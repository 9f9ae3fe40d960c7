#include "synthdata/CJuceRandomSource.h"

#include <juce_core/juce_core.h>

int32_t CJuceRandomSource::NextInt(int32_t n)
{
    return n <= 1 ? 0 : juce::Random::getSystemRandom().nextInt(n);
}

float CJuceRandomSource::NextFloat()
{
    return juce::Random::getSystemRandom().nextFloat();
}
