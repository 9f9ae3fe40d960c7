// The program edit window on a library's program, against the simulated instrument:
//  - open: from the open call to the window painted on the display (the page and its 53
//    controls made, refreshed from the program and drawn);
//  - knob drag: one update of the arpeggiator editor's gate-time knob as a drag makes it (the
//    value path into the program and out to the instrument, the control redrawn into the
//    page and the dirty rectangle painted).
// Run under Wine with a display, beside the simulated winmm.dll (WINEDLLOVERRIDES=winmm=n,b).
#include "app/AppCoreUtility.h"
#include "app/CLogManager.h"
#include "app/CMidiManager.h"
#include "app/CMMTimer.h"
#include "app/CResourceManager.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "app/CWindowManager.h"
#include "editor/base/CEditorServices.h"
#include "editor/layout/ArpEditLayout.h"
#include "editor/pages/CArpEditLayer.h"
#include "editor/pages/CArpEditWindow.h"
#include "editor/pages/CProgramEditWindow.h"
#include "framework/CHfcMdiFrameWindow.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"
#include "synthdata/CLibraryData.h"

#include "support/CSimInstrument.h"
#include "support/MessagePump.h"
#include "support/SimMidi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples)
        sum += s;
    printf("%-28s n=%zu  median %.3f ms  mean %.3f ms  p90 %.3f ms  max %.3f ms\n", what, samples.size(),
           samples[samples.size() / 2], sum / samples.size(), samples[samples.size() * 9 / 10],
           samples.back());
}
} // namespace

int main()
{
    SimMidiReset();
    SimMidiSetDeviceCount(1, 1);
    CSimInstrument::InstallPorts(0, 0, L"Nuvorn USB In", L"Nuvorn USB Out");
    GetSettings().autoDumpEnabled = false;
    CTDWSingleton::Acquire();
    InitializeDataSingletons();
    CreateAppSemaphores();
    CResourceManager* skin = CResourceManager::getInstance();
    CPslMessageDispatchEngine engine;
    CWindowManager windows{&engine};
    CLogManager log{&windows};
    SetLogManager(&log);
    CMMTimer timer{&engine};
    timer.Start();
    timer.SetInterval(0);
    CSimInstrument instrument(0, 0, 2);
    CHfcMidi port;
    port.Create("Bench");
    auto midi = std::make_unique<CMidiManager>(&port);
    midi->Create();
    midi->SetWindowManager(&windows);
    const bool open = midi->OpenMidiIn(0) && midi->OpenMidiOut(0) && midi->DeviceInquiry();
    CEditorServices& services = EditorServices();
    services.windowManager = &windows;
    services.timer = &timer;
    services.midiManager = midi.get();
    services.logManager = &log;
    CHfcMdiFrameWindow frame;
    if (!skin || !open || !frame.Create("Program edit", 0, 0, 1000, 800, 0x8000011, nullptr))
    {
        printf("the simulated instrument or the display is missing\n");
        return 1;
    }
    frame.Show();
    CLibraryData library;
    library.AddEntry(CLibraryEntry::kKindProgramSet);

    std::vector<double> opens;
    for (int i = 0; i < 30; ++i)
    {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<CProgramEditWindow> window =
            CProgramEditWindow::OpenProgram(nullptr, &library, i % 128, &frame);
        if (!window)
            return 1;
        UpdateWindow(window->GetHwnd());
        opens.push_back(Ms(Clock::now() - start));
        window.reset();
        PumpUntil([] { return false; }, 20);
    }
    Report("open to painted", opens);

    std::unique_ptr<CProgramEditWindow> window =
        CProgramEditWindow::OpenProgram(nullptr, &library, 5, &frame);
    auto* arp = static_cast<CArpEditWindow*>(window->OpenEditor(CProgramEditWindow::kEditorArpeggiator));
    CArpEditLayer* page = arp->GetLayer();
    CHfcControl* knob = page->GetFrameworkControl(NvArpEditLayout::kIdGateTime);
    CCustomControl* custom = page->GetPageControl(NvArpEditLayout::kIdGateTime);
    UpdateWindow(arp->GetHwnd());
    std::vector<double> drags;
    for (int i = 0; i < 400; ++i)
    {
        const int32_t value = 20 + (i % 60);
        const Clock::time_point start = Clock::now();
        page->OnValueChanged(knob, custom->ValueToPosition(value));
        arp->FlushDirty();
        UpdateWindow(arp->GetHwnd());
        drags.push_back(Ms(Clock::now() - start));
        if (i % 50 == 49)
            PumpUntil([] { return false; }, 10); // the posted notifications, as the drag's pauses let them
    }
    Report("knob drag update", drags);
    window.reset();
    frame.Destroy();
    EditorServices() = CEditorServices();
    midi->CloseMidiPorts();
    midi.reset();
    port.Destroy();
    timer.Stop();
    SetLogManager(nullptr);
    CResourceManager::releaseInstance();
    DeleteAppSemaphores();
    ReleaseDataSingletons();
    CTDWSingleton::Release();
    return 0;
}
