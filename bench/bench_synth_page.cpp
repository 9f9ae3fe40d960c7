// Time to open the timbre synth page (102 controls) in an edit window to its first paint, and
// the cost of one 60 ms tick of the window with the page open, what it redraws composed and
// painted: with nothing changed in the program, and with a knob's and an envelope's value
// changed since the tick before. The EQ page's figures follow. Run under the display the
// windows go to; prints milliseconds (medians of 15 openings, 200 ticks each).
#include "app/AppCoreUtility.h"
#include "app/CResourceManager.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "editor/base/CBaseWindow.h"
#include "editor/base/CEditorServices.h"
#include "editor/pages/eq/CTimbreEqEditLayer.h"
#include "editor/pages/synth/CTimbreEditLayer.h"
#include "framework/CHfcGdiplus.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMouse.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <class Page> class PageWindow : public CBaseWindow
{
public:
    PageWindow() : CBaseWindow(kKindProgramEdit, nullptr) {}
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto made = std::make_unique<Page>();
        if (!made->CreatePage(this, nullptr, 0))
            return false;
        AddLayer(made.get(), false);
        made->Show(false);
        page = made.get();
        SetMainLayer(std::move(made));
        return CreateMessageLayer();
    }
    Page* page = nullptr;
};

struct Figures
{
    double open = 0, idleTick = 0, busyTick = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class Page>
bool Measure(CHfcMdiFrameWindow& frame, CProgram& program, int32_t width, int32_t height, uint32_t knob,
             uint32_t envelope, Figures& figures)
{
    CEditorWindowData data;
    data.entryKind = CEditorWindowData::kEntryProgramSet;
    data.program = &program;
    std::vector<double> opens, idle, busy;
    for (int run = 0; run < 15; ++run)
    {
        PageWindow<Page> window;
        window.SetData(data);
        const Clock::time_point start = Clock::now();
        if (!window.Create(0, 0, width, height, 9, nullptr, &frame, "Page"))
            return false;
        window.Show();
        RedrawWindow(window.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        opens.push_back(Milliseconds(start, Clock::now()));
        Pump();

        CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
        constexpr int kTicks = 200;
        Clock::time_point t = Clock::now();
        for (int i = 0; i < kTicks; ++i)
        {
            window.OnMMTimer(nullptr);
            window.FlushDirty();
        }
        idle.push_back(Milliseconds(t, Clock::now()) / kTicks);
        t = Clock::now();
        for (int i = 0; i < kTicks; ++i)
        {
            accessor->SetValue(&program, {knob >> 8, knob & 0xFF, 0}, i % 100);
            accessor->SetValue(&program, {envelope >> 8, envelope & 0xFF, 0}, i % 100);
            window.OnMMTimer(nullptr);
            window.FlushDirty();
        }
        busy.push_back(Milliseconds(t, Clock::now()) / kTicks);
        Pump();
        window.Destroy();
        Pump();
    }
    figures = {Median(opens), Median(idle), Median(busy)};
    return true;
}
} // namespace

int main()
{
    CHfcGdiplus::Acquire();
    CHfcMouse::Create();
    CHfcKey::Create();
    CTDWSingleton::Acquire();
    InitializeDataSingletons();
    CreateAppSemaphores();
    if (!CResourceManager::getInstance())
    {
        std::fprintf(stderr, "no skin\n");
        return 1;
    }
    CPslMessageDispatchEngine engine;
    CWindowManager windows(&engine);
    EditorServices().windowManager = &windows;
    int status = 0;
    {
        CHfcMdiFrameWindow frame;
        if (!frame.Create("Bench", 0, 0, 900, 760, 0x8000011, nullptr))
            return 1;
        frame.Show();
        CProgram program;
        program.Init();
        Figures synth, eq;
        // Group 2: filter 1 cutoff (36) and EG 1 attack (55); group 4: low gain (49), high gain (51).
        if (!Measure<CTimbreEditLayer>(frame, program, CTimbreEditLayer::kWidth, CTimbreEditLayer::kHeight,
                                       2 << 8 | 36, 2 << 8 | 55, synth) ||
            !Measure<CTimbreEqEditLayer>(frame, program, CTimbreEqEditLayer::kWidth,
                                         CTimbreEqEditLayer::kHeight, 4 << 8 | 49, 4 << 8 | 51, eq))
        {
            std::fprintf(stderr, "a page did not open\n");
            status = 1;
        }
        else
        {
            std::printf("timbre synth page (102 controls): open to first paint %.2f ms, tick %.4f ms idle, "
                        "%.4f ms with two values changed\n",
                        synth.open, synth.idleTick, synth.busyTick);
            std::printf("timbre EQ page (5 controls): open to first paint %.2f ms, tick %.4f ms idle, "
                        "%.4f ms with both gains changed\n",
                        eq.open, eq.idleTick, eq.busyTick);
        }
        frame.Destroy();
    }
    EditorServices() = CEditorServices();
    CResourceManager::releaseInstance();
    DeleteAppSemaphores();
    ReleaseDataSingletons();
    CTDWSingleton::Release();
    return status;
}
