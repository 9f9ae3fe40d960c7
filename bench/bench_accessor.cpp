// Get and set throughput of the program accessor over every present parameter of both
// timbres. Prints nanoseconds per call.
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    CQ3580ProgramAccessor accessor;
    CProgram program;
    program.Init();

    std::vector<CZmParameterId> ids;
    for (uint32_t g = 0; g < 10; ++g)
        for (uint32_t i = 0; i < accessor.GetTable()->GetParameterCount(g); ++i)
            for (uint32_t t = 0; t < ((g >= 1 && g <= 4) ? 2u : 1u); ++t)
                if (accessor.IsPresent({g, i, t}))
                    ids.push_back({g, i, t});

    using Clock = std::chrono::steady_clock;
    const int rounds = 2000;
    volatile int64_t sink = 0;

    auto start = Clock::now();
    for (int r = 0; r < rounds; ++r)
        for (const CZmParameterId& id : ids)
            sink = sink + accessor.GetValue(&program, id);
    const double getNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();

    start = Clock::now();
    for (int r = 0; r < rounds; ++r)
        for (const CZmParameterId& id : ids)
        {
            // Alternate between the ends of the range so every write changes the field.
            const int32_t v = (r & 1) ? accessor.GetMax(&program, id) : accessor.GetMin(&program, id);
            accessor.SetValue(&program, id, v);
        }
    const double setNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();

    start = Clock::now();
    char text[64];
    for (int r = 0; r < rounds / 10; ++r)
        for (const CZmParameterId& id : ids)
            accessor.GetCurrentValueText(&program, id, text, sizeof text);
    const double textNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();

    const double calls = static_cast<double>(rounds) * static_cast<double>(ids.size());
    std::printf("parameters: %zu (both timbres)\n", ids.size());
    std::printf("GetValue:            %8.1f ns/call\n", getNs / calls);
    std::printf("SetValue (min/max):  %8.1f ns/call (includes GetMin/GetMax)\n", setNs / calls);
    std::printf("GetCurrentValueText: %8.1f ns/call\n", textNs / (calls / 10));
    return sink == 42 ? 1 : 0;
}
