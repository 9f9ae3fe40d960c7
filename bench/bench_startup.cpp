// Start-up of the editor under Wine with a warm wineserver: from process creation to its main
// frame painted with start-up finished (no start-up dialog open, the window thread answering),
// median of 10 starts; beside it the same for a program that only shows a window, whose time is
// what Wine spends on any start. Run with a display, the program and the simulated instrument
// beside this benchmark, WINEDLLOVERRIDES=winmm=n,b.

#include "e2e/CRunningProgram.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr int kRuns = 10;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcess to the window painted and idle; negative on failure.
double TimeStart(const std::wstring& program, const wchar_t* windowClass)
{
    const double started = Now();
    e2e::CRunningProgram running(program);
    if (!running.Started())
        return -1;
    HWND window = running.WaitForWindow(windowClass, nullptr);
    if (!window || !running.WaitForIdle(window) || !running.WaitForPainted(window))
        return -1;
    const double shown = Now() - started;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (running.WaitForExit() < 0)
        return -1;
    return shown;
}

bool Measure(const char* label, const std::wstring& program, const wchar_t* windowClass, double& median)
{
    TimeStart(program, windowClass); // warms the file cache and the wineserver
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
    {
        const double t = TimeStart(program, windowClass);
        if (t < 0)
        {
            std::printf("%s: start %d failed\n", label, i + 1);
            return false;
        }
        times.push_back(t);
    }
    median = Median(times);
    std::printf("%-28s median %7.1f ms  (min %7.1f, max %7.1f, %d starts)\n", label, median,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                kRuns);
    return true;
}
} // namespace

int main()
{
    double editor = 0, baseline = 0;
    if (!Measure("window-only program", e2e::BesideTestProgram(L"bench_startup_baseline.exe"),
                 L"NvBaselineWindow", baseline) ||
        !Measure("editor, frame ready", e2e::BesideTestProgram(L"NuvornSoundEditor.exe"),
                 L"Q3580MDIFrameWindow", editor))
        return 1;
    std::printf("%-28s        %7.1f ms  (editor minus window-only program)\n", "editor's own work",
                editor - baseline);
    return 0;
}
