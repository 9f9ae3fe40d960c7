// Time to open the vocoder and master effects pages to their first paint, and the cost of the
// 60 ms tick with both open: idle, and with a value changed elsewhere before each tick. Runs the
// pages in a frame on the display against the simulated instrument; prints milliseconds.
#include "PageWindowFixture.h"

#include "editor/pages/mfx/CMasterFxEditLayer.h"
#include "editor/pages/vocoder/CVocoderEditLayer.h"

#include <chrono>
#include <cstdio>

namespace
{
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

class PagesBench : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1000, 760, SWP_NOZORDER | SWP_NOMOVE);
        program.Init();
        CZmProgramAccessorSingleton::Get()->SetValue(&program, {6, 1, 0}, 8);
        CZmProgramAccessorSingleton::Get()->SetValue(&program, {6, 25, 0}, 3);
        ASSERT_TRUE(library.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        data.entryKind = CEditorWindowData::kEntryProgramSet;
        data.documentId = 77;
        data.programIndex = 5;
        data.program = &program;
    }
    void TearDown() override
    {
        library.Destroy();
        EditorWindowTest::TearDown();
    }
    // Opens the page's window and paints it; the milliseconds it took.
    template <class Page> double Open(PageWindow<Page>& window)
    {
        window.SetData(data);
        const auto start = Clock::now();
        EXPECT_TRUE(window.Create(10, 10, 720, 580, 9, nullptr, frame.get(), "Page"));
        window.FlushDirty();
        ::UpdateWindow(window.GetHwnd());
        GdiFlush();
        return Ms(start, Clock::now());
    }

    CProgram program;
    CEditorWindowData data;
    RecordingLibraryWindow library;
};

TEST_F(PagesBench, OpenAndTick)
{
    const int opens = 10;
    double vocoderOpen = 0, mfxOpen = 0;
    for (int i = 0; i < opens; ++i)
    {
        PageWindow<CVocoderEditLayer> vocoder(CBaseWindow::kKindVocoderEdit, &library);
        vocoderOpen += Open(vocoder);
        PageWindow<CMasterFxEditLayer> mfx(CBaseWindow::kKindMasterFxEdit, &library);
        mfxOpen += Open(mfx);
        vocoder.Destroy();
        mfx.Destroy();
        Deliver();
    }

    PageWindow<CVocoderEditLayer> vocoder(CBaseWindow::kKindVocoderEdit, &library);
    PageWindow<CMasterFxEditLayer> mfx(CBaseWindow::kKindMasterFxEdit, &library);
    Open(vocoder);
    Open(mfx);
    const int ticks = 500;
    const auto tick = [&]
    {
        vocoder.page->RefreshValues();
        mfx.page->RefreshValues();
        vocoder.FlushDirty();
        mfx.FlushDirty();
    };
    auto start = Clock::now();
    for (int i = 0; i < ticks; ++i)
        tick();
    const double idle = Ms(start, Clock::now()) / ticks;

    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    start = Clock::now();
    for (int i = 0; i < ticks; ++i)
    {
        // A band level and an effect parameter changed elsewhere, as the instrument's knobs do.
        accessor->SetValue(&program, {5, 40, 0}, i % 128);
        accessor->SetValue(&program, {6, 28, 0}, i % 100);
        tick();
    }
    const double busy = Ms(start, Clock::now()) / ticks;
    std::printf("open to first paint: vocoder %.2f ms, master effects %.2f ms (mean of %d)\n",
                vocoderOpen / opens, mfxOpen / opens, opens);
    std::printf("tick with both open: idle %.3f ms, with two changed values %.3f ms (mean of %d)\n", idle,
                busy, ticks);
    vocoder.Destroy();
    mfx.Destroy();
}
} // namespace
