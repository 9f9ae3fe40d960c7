// The library window in a frame against the simulated instrument:
//  - receive to painted: from the instrument letting go of the last answer of a Receive All Data
//    (the global dump) to the list painted with the 128 new names (the transfer's end, the
//    window's redraw, the posted notifications delivered and the window painted);
//  - bank switch: the other bank shown (as its tab's press does) to the window painted;
//  - list mode switch: a mode set (as the mode switches do) to the window painted, through the
//    modes 0 -> 1 -> 0 -> 2 -> 0.
// Boxes are answered OK at once and the progress window is left out. Run under Wine with a display,
// beside the simulated winmm.dll (WINEDLLOVERRIDES=winmm=n,b).
#include "BenchFigures.h"
#include "EditorWindowFixture.h"

#include "app/CDialogPresenter.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CProgramListLayer.h"
#include "synthdata/CProgram.h"
#include "synthdata/CProgramSet.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace
{
using bench::Clock;
using bench::Ms;
using bench::Report;

// OK to every box; no progress window.
class AnsweringPresenter : public CDialogPresenter
{
public:
    int ShowBox(HWND, const wchar_t*, const wchar_t*, UINT) override { return IDOK; }
    HWND CreateModeless(const DLGTEMPLATE*, HWND, DLGPROC, LPARAM) override { return nullptr; }
};

// Holds the instrument's answers and lets each go, noting when it let the last one go.
class AnswerReleaser
{
public:
    explicit AnswerReleaser(CSimInstrument& instrument)
        : m_instrument(instrument), m_thread([this] { Run(); })
    {
    }
    ~AnswerReleaser()
    {
        m_stop = true;
        m_thread.join();
    }
    Clock::time_point LastRelease() const { return Clock::time_point(Clock::duration(m_last.load())); }

private:
    void Run()
    {
        while (!m_stop)
        {
            if (m_instrument.HeldAnswers() > 0)
            {
                m_last = Clock::now().time_since_epoch().count();
                m_instrument.ReleaseHeldAnswers();
            }
            else
                std::this_thread::yield();
        }
    }

    CSimInstrument& m_instrument;
    std::atomic<bool> m_stop{false};
    std::atomic<Clock::rep> m_last{0};
    std::thread m_thread;
};

// Everything queued for the thread, handled.
void Drain()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The instrument's programs renamed for a round, so that every receive brings 128 new names.
void RenameInstrumentPrograms(CSimInstrument& instrument, int round)
{
    for (uint32_t n = 0; n < 128; ++n)
    {
        CSimInstrument::Image image = instrument.GetProgram(n);
        CProgram program;
        std::memcpy(program.GetImage(), image.data(), std::min<size_t>(image.size(), program.GetImageSize()));
        char name[16];
        std::snprintf(name, sizeof name, "R%02d%05u", round % 100, n);
        program.SetProgramName(name);
        std::memcpy(image.data(), program.GetImage(), std::min<size_t>(image.size(), program.GetImageSize()));
        instrument.SetProgram(n, image);
    }
}

// The change, then the window painted.
template <typename Change> double ToPainted(HWND window, Change change)
{
    const Clock::time_point start = Clock::now();
    change();
    Drain();
    UpdateWindow(window);
    return Ms(start);
}

class LibraryWindowBench : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        // The pointer away from the windows: no mouse message takes part in the figures.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        EditorWindowTest::SetUp();
        StopTicks();
        GetSettings().autoDumpEnabled = false;
        SetDialogPresenter(&presenter);
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1000, 800, SWP_NOZORDER | SWP_NOMOVE);
        library = std::make_unique<CLibraryWindow>();
        ASSERT_TRUE(library->CreateLibrary(frame.get()));
        library->Show();
        UpdateWindow(library->GetHwnd());
        Drain();
    }
    void TearDown() override
    {
        if (library && library->GetHwnd())
        {
            library->GetLibrary().SetModified(false);
            library->Destroy();
        }
        Drain();
        library.reset();
        EditorWindowTest::TearDown();
        SetDialogPresenter(nullptr);
    }

    AnsweringPresenter presenter;
    std::unique_ptr<CLibraryWindow> library;
};
} // namespace

TEST_F(LibraryWindowBench, ReceiveToPaintedBankAndModeSwitches)
{
    const HWND hwnd = library->GetHwnd();
    {
        CSimBehaviour late;
        late.late = true;
        instrument->SetBehaviour(late);
        AnswerReleaser releaser(*instrument);
        std::vector<double> receives;
        for (int round = 0; round < 15; ++round)
        {
            RenameInstrumentPrograms(*instrument, round);
            library->ReceiveAllData();
            Drain();
            UpdateWindow(hwnd);
            receives.push_back(Ms(releaser.LastRelease()));
            char expected[16];
            std::snprintf(expected, sizeof expected, "R%02d%05u", round % 100, 127u);
            ASSERT_EQ(std::strncmp(library->GetLibrary().GetProgramSet()->GetProgram(127).GetProgramName(),
                                   expected, 8),
                      0)
                << "round " << round << ": the names did not arrive";
        }
        Report("receive to painted", receives);
    }
    instrument->SetBehaviour(CSimBehaviour());

    // Bank switches in mode 0: bank B, then bank A.
    CProgramListLayer* list = library->GetProgramList();
    std::vector<double> banks;
    for (int i = 0; i < 60; ++i)
        banks.push_back(ToPainted(hwnd, [&] { list->ShowBank(static_cast<uint32_t>((i + 1) % 2)); }));
    EXPECT_EQ(list->GetModel().GetBank(), 0u);
    Report("bank switch", banks);

    // Mode switches as the two switches make them: 1, 0, 2, 0.
    const uint32_t cycle[] = {1, 0, 2, 0};
    std::vector<double> modes;
    for (int i = 0; i < 60; ++i)
        modes.push_back(ToPainted(hwnd, [&] { list->SetListMode(cycle[i % 4]); }));
    EXPECT_EQ(list->GetModel().GetListMode(), 0u);
    Report("list mode switch", modes);
}
