#pragma once

#include "synthdata/CZmRandomSource.h"

// The user-interface library's process-wide generator behind the random-source interface.
// Built only where that library is linked (the Windows build).
class CJuceRandomSource : public CZmRandomSource
{
public:
    int32_t NextInt(int32_t n) override;
    float NextFloat() override;
};
