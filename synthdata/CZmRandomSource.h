#pragma once

#include <cstdint>

// Where the randomiser takes its numbers from; tests give it scripted draws.
class CZmRandomSource
{
public:
    virtual ~CZmRandomSource() = default;

    // An integer 0 .. n - 1; n is at least 1.
    virtual int32_t NextInt(int32_t n) = 0;
    // A number in [0, 1).
    virtual float NextFloat() = 0;
};
