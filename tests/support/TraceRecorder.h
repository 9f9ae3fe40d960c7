#pragma once

// Keeps the lines of the debug trace while it lives, for tests of what a failure traces.

#include "foundation/EfUtility.h"

#include <string>
#include <vector>

class TraceRecorder
{
public:
    TraceRecorder() : m_previous(SetDebugTraceSink(&Record)) { Lines().clear(); }
    ~TraceRecorder() { SetDebugTraceSink(m_previous); }
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }

private:
    static void Record(const char* line) { Lines().push_back(line); }
    DebugTraceSink m_previous;
};
