// The edit windows as a user works them, on programs received from the simulated instrument:
//  - double click: from the double click on a library row to the program edit window painted
//    (the window, its page and its controls made, refreshed from the program and drawn);
//  - knob drag: one mouse move of a drag on a knob (the value path into the program and out to
//    the instrument, the control redrawn into the page and the dirty rectangle painted), on the
//    arpeggiator's gate time and on the timbre synth page's filter 1 cutoff;
//  - timbre synth editor: from the program page's open call to its first paint (102 controls);
//  - tick: one 60 ms tick of every open window (library, program page, timbre synth, vocoder,
//    master effects), what it redraws painted: with nothing changed, and with three values
//    changed elsewhere before each tick.
// Run under Wine with a display, beside the simulated winmm.dll (WINEDLLOVERRIDES=winmm=n,b).
#include "BenchFigures.h"
#include "EditorWindowFixture.h"
#include "support/LayoutPlace.h"

#include "editor/layout/ArpEditLayout.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/pages/CProgramEditLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using bench::Clock;
using bench::Ms;
using bench::Report;

void Paint(CBaseWindow& window)
{
    window.FlushDirty();
    ::UpdateWindow(window.GetHwnd());
    GdiFlush();
}

class EditWindowsBench : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1300, 1000, SWP_NOZORDER | SWP_NOMOVE);
        library = std::make_unique<CLibraryWindow>();
        ASSERT_TRUE(library->CreateLibrary(frame.get()));
        library->Show();
        ASSERT_TRUE(midi->RunReceiveAll(library->GetLibrary(), false));
        library->GetProgramList()->DrawChanged(true);
        Deliver();
    }
    void TearDown() override
    {
        if (library && library->GetHwnd())
            library->Destroy();
        library.reset();
        EditorWindowTest::TearDown();
    }
    // A double click in the middle of program n's row, as the window receives it.
    void DoubleClickRow(uint32_t n)
    {
        const CHfcRect r =
            CProgramListGeometry::GetRowRect(library->GetProgramList()->GetModel().GetListMode(), n);
        const int x = (r.left + r.right) / 2, y = CLibraryWindow::kStripHeight + r.top + 4;
        SendMessageW(library->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(library->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // Mouse moves of a drag that turns the knob: the pointer goes round it just inside its rim,
    // 1.5 degrees a move, from the top to 120 degrees either side and back,
    // each move timed to its paint; the parameter changes the instrument heard.
    std::vector<double> DragKnob(CBaseWindow& window, LayoutPlace knob, int moves, UINT& heard)
    {
        HWND hwnd = window.GetHwnd();
        SimMidiWaitIdle(10000);
        const UINT before = SimMidiOutputCount(kPort);
        const POINT c = knob.middle;
        const int r = knob.radius - 3;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y - r));
        std::vector<double> samples;
        POINT p = {c.x, c.y - r};
        for (int i = 0; i < moves; ++i)
        {
            const int phase = i % 320; // 0..319: up to +120 degrees, down to -120, back to 0
            const double degrees = 1.5 * (phase < 80 ? phase : phase < 240 ? 160 - phase : phase - 320);
            const double radians = degrees * 3.14159265358979 / 180.0;
            p = {c.x + static_cast<LONG>(r * std::sin(radians)),
                 c.y - static_cast<LONG>(r * std::cos(radians))};
            const Clock::time_point start = Clock::now();
            SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            Paint(window);
            samples.push_back(Ms(start));
            if (i % 50 == 49)
                PumpUntil([] { return false; },
                          10); // the posted notifications, as the drag's pauses let them
        }
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Deliver();
        SimMidiWaitIdle(10000);
        heard = SimMidiOutputCount(kPort) - before;
        return samples;
    }
    // The parameter in the middle of its range, shown by the window.
    void CentreValue(CBaseWindow& window, CProgram& program, const CZmParameterId& id)
    {
        CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
        accessor->SetValue(&program, id,
                           (accessor->GetMin(&program, id) + accessor->GetMax(&program, id)) / 2);
        window.OnMMTimer(&timer);
        Paint(window);
    }

    std::unique_ptr<CLibraryWindow> library;
};
} // namespace

TEST_F(EditWindowsBench, DoubleClickKnobDragSynthEditorOpenAndTick)
{
    std::vector<double> opens;
    for (uint32_t i = 0; i < 30; ++i)
    {
        const uint32_t n = (i * 5) % 64; // the rows of the first bank page
        const Clock::time_point start = Clock::now();
        DoubleClickRow(n);
        CProgramEditWindow* window = library->GetEditWindow(n);
        ASSERT_NE(window, nullptr);
        Paint(*window);
        opens.push_back(Ms(start));
        window->Destroy();
        Deliver();
    }
    Report("double click to program edit painted", opens);

    DoubleClickRow(3);
    CProgramEditWindow* window = library->GetEditWindow(3);
    ASSERT_NE(window, nullptr);
    Paint(*window);

    CProgramSectionWindow* arp = window->OpenEditor(CProgramEditWindow::kEditorArpeggiator);
    ASSERT_NE(arp, nullptr);
    Paint(*arp);
    CProgram& program = library->GetLibrary().GetProgramSet()->GetProgram(3);
    UINT heard = 0;
    CentreValue(*arp, program, {8, 5, 0});
    Report("knob drag update, arpeggiator gate time",
           DragKnob(*arp, FindLayoutPlace(NvArpEditLayout::kControls, "gate time"), 400, heard));
    std::printf("  parameter changes heard: %u\n", heard);
    window->CloseEditor(CProgramEditWindow::kEditorArpeggiator);
    Deliver();

    std::vector<double> synthOpens;
    for (int i = 0; i < 15; ++i)
    {
        const Clock::time_point start = Clock::now();
        CProgramSectionWindow* synth = window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
        ASSERT_NE(synth, nullptr);
        Paint(*synth);
        synthOpens.push_back(Ms(start));
        window->CloseEditor(CProgramEditWindow::kEditorTimbreSynth1);
        Deliver();
    }
    Report("timbre synth editor open to first paint", synthOpens);

    CProgramSectionWindow* synth = window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
    ASSERT_NE(synth, nullptr);
    Paint(*synth);
    CentreValue(*synth, program, {2, 36, 0});
    Report("knob drag update, synth filter 1 cutoff",
           DragKnob(*synth, FindLayoutPlace(NvSynthEditLayout::kControls, "filter 1 cutoff"), 400, heard));
    std::printf("  parameter changes heard: %u\n", heard);

    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    // The vocoder editor opens only while the vocoder is on.
    accessor->SetValue(&program, {5, 0, 0}, 1);
    window->GetLayer()->RefreshAllControls();
    CProgramSectionWindow* vocoder = window->OpenEditor(CProgramEditWindow::kEditorVocoder);
    CProgramSectionWindow* mfx = window->OpenEditor(CProgramEditWindow::kEditorMasterFx);
    ASSERT_NE(vocoder, nullptr);
    ASSERT_NE(mfx, nullptr);
    CBaseWindow* open[] = {library.get(), window, synth, vocoder, mfx};
    for (CBaseWindow* w : open)
        Paint(*w);
    const auto tick = [&]
    {
        for (CBaseWindow* w : open)
            w->OnMMTimer(&timer);
        for (CBaseWindow* w : open)
            Paint(*w);
    };
    // As the instrument's knobs change them: the cutoff, a band level, an effect parameter.
    const auto changeThree = [&](int i)
    {
        accessor->SetValue(&program, {2, 36, 0}, i % 128);
        accessor->SetValue(&program, {5, 40, 0}, (i * 3) % 128);
        accessor->SetValue(&program, {6, 5, 0}, i % 100);
    };
    std::vector<double> idle, busy;
    for (int i = 0; i < 300; ++i)
    {
        const Clock::time_point start = Clock::now();
        tick();
        idle.push_back(Ms(start));
    }
    for (int i = 0; i < 300; ++i)
    {
        changeThree(i);
        const Clock::time_point start = Clock::now();
        tick();
        busy.push_back(Ms(start));
    }
    Report("tick, five windows, nothing changed", idle);
    Report("tick, five windows, three values changed", busy);
    // Where the busy tick goes.
    const char* names[] = {"library", "program page", "timbre synth", "vocoder", "master effects"};
    for (int w = 0; w < 5; ++w)
    {
        std::vector<double> one;
        for (int i = 0; i < 200; ++i)
        {
            changeThree(i);
            const Clock::time_point start = Clock::now();
            open[w]->OnMMTimer(&timer);
            Paint(*open[w]);
            one.push_back(Ms(start));
        }
        Report((std::string("  of which ") + names[w]).c_str(), one);
        for (CBaseWindow* other : open)
        {
            other->OnMMTimer(&timer);
            Paint(*other);
        }
    }
}
