// What every window of the editor draws, compared pixel by pixel with the references in
// tests/editor/references/: the composed image each window paints from, on INITPROG and on a
// program with every parameter set away from its default, in the states a user brings about
// (list modes, sub-pages, a dragged knob and slider, the name in edit, the value display, the
// message box as it fades), and the cursor a press and drag shows over each kind of control.
#include "base/EditorWindowFixture.h"

#include "app/AppResources.h"
#include "app/CWindowManager.h"
#include "editor/base/CEditLayerBase.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/base/CValueDisplayLayer.h"
#include "editor/layout/NvPageLayout.h"
#include "editor/layout/PageSelectLayout.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/layout/ProgramListLayout.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/layout/VocoderEditLayout.h"
#include "editor/layout/MasterFxEditLayout.h"
#include "editor/library/CLibraryWindow.h"
#include "editor/library/CPageSelectLayer.h"
#include "editor/library/CProgramListLayer.h"
#include "editor/library/model/CProgramListGeometry.h"
#include "editor/pages/CProgramEditLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "editor/pages/CProgramSectionWindow.h"
#include "editor/windows/CMidiMonitorLayer.h"
#include "editor/windows/CMidiMonitorWindow.h"
#include "editor/windows/CStatusLogLayer.h"
#include "editor/windows/CStatusLogWindow.h"
#include "editor/windows/CVersionInfoWindow.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/CProgramSet.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/RecordingLibraryWindow.h"
#include "support/ReferenceImage.h"

#include <cstring>
#include <set>
#include <string>

namespace
{
const CZmParameterId kVoiceMode = {0, 35, 0};
const CZmParameterId kVocoderSwitch = {5, 0, 0};

// Every present parameter of both timbres at a value of its own inside its range, the voice
// mode Layer and the vocoder on, so that every section shows something other than INITPROG.
void MakeDemoProgram(CProgram& program)
{
    program.Init();
    CZmProgramAccessor& accessor = *CZmProgramAccessorSingleton::Get();
    for (uint32_t group = 0; group < kPrgGroupCount; ++group)
        for (uint32_t index = 0; index < kQ3580ProgramGroups[group].count; ++index)
            for (uint32_t timbre = 0; timbre < 2; ++timbre)
            {
                const CZmParameterId id = {group, index, timbre};
                if (!accessor.IsPresent(&program, id))
                    continue;
                const int32_t low = accessor.GetMin(&program, id), high = accessor.GetMax(&program, id);
                if (high <= low)
                    continue;
                const int32_t span = high - low + 1;
                const int32_t pick =
                    static_cast<int32_t>((group * 131 + index * 37 + timbre * 17 + 11) % span);
                const int32_t value =
                    low + (pick == accessor.GetValue(&program, id) - low ? (pick + 1) % span : pick);
                accessor.SetValue(&program, id, value);
            }
    accessor.SetValue(&program, kVoiceMode, 1);
    accessor.SetValue(&program, kVocoderSwitch, 1);
    program.SetProgramName("DEMO PAD");
    program.RefreshName();
}

uint32_t RoleId(const NvLayoutControl* controls, size_t count, const char* role)
{
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(controls[i].role, role) == 0)
            return static_cast<uint32_t>(i);
    ADD_FAILURE() << "no control " << role;
    return 0;
}

LPARAM Point(int32_t x, int32_t y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The rectangle grown by a margin on every side.
CHfcRect Around(const CHfcRect& r, int32_t margin)
{
    return CHfcRect(r.left - margin, r.top - margin, r.right + margin, r.bottom + margin);
}

// A rectangle of the layer in its window's client coordinates.
CHfcRect OnWindow(const CHfcWindowLayer& layer, const CHfcRect& r)
{
    const CHfcRect& at = layer.GetRect();
    return CHfcRect(r.left + at.left, r.top + at.top, r.right + at.left, r.bottom + at.top);
}

RenderedImage Part(const RenderedImage& image, const CHfcRect& r)
{
    return image.Crop(r.left, r.top, r.GetWidth(), r.GetHeight());
}

// Every menu dismissed: a press that would open one changes nothing.
class DismissedPopups : public CEditorPopupPresenter
{
public:
    int32_t ChooseItem(HWND, int32_t, int32_t, const std::vector<std::string>&, int32_t) override
    {
        return -1;
    }
    int32_t ChooseCheckedItem(HWND, int32_t, int32_t, const std::vector<std::wstring>&, uint32_t) override
    {
        return -1;
    }
    int32_t ChooseKnobAssignment(HWND, int32_t, int32_t, int32_t, bool, bool) override { return -1; }
};

class Renderings : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        SetResourceLanguage(kLanguageEnglish);
        EditorWindowTest::SetUp();
        StopTicks();
        GetSettings().autoDumpEnabled = false;
        GetSettings().showValueLayer = false;
        EditorServices().popups = &popups;
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        MakeDemoProgram(Program(kDemo));
        ASSERT_TRUE(bank.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1000, 800, SWP_NOZORDER | SWP_NOMOVE);
    }
    void TearDown() override
    {
        edit.reset();
        bank.Destroy();
        EditorWindowTest::TearDown();
        SetResourceLanguage(0);
    }

    CProgram& Program(int32_t n) { return library.GetProgramSet()->GetProgram(static_cast<uint32_t>(n)); }
    CProgramEditWindow* Open(int32_t n)
    {
        edit.reset();
        edit = CProgramEditWindow::OpenProgram(&bank, &library, n, frame.get());
        Deliver();
        return edit.get();
    }
    // A press, moves to each point and a release, as the window receives them.
    static void Drag(HWND window, POINT from, std::initializer_list<POINT> through, bool release = true)
    {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(from.x, from.y));
        for (const POINT& p : through)
            SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, Point(p.x, p.y));
        if (release)
        {
            const POINT last = through.size() ? *(through.end() - 1) : from;
            SendMessageW(window, WM_LBUTTONUP, 0, Point(last.x, last.y));
        }
    }
    static POINT CentreOf(const CHfcRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static constexpr int32_t kInit = 0, kDemo = 1;
    CLibraryData library;
    RecordingLibraryWindow bank;
    DismissedPopups popups;
    std::unique_ptr<CProgramEditWindow> edit;
};

TEST_F(Renderings, TheLibraryWindowInEachListModeAndOnBothGlobalSubPages)
{
    CLibraryWindow window;
    ASSERT_TRUE(window.CreateLibrary(frame.get()));
    window.Show();
    HWND hwnd = window.GetHwnd();
    MakeDemoProgram(window.GetLibrary().GetProgramSet()->GetProgram(kDemo));
    PostNotification(&windows, kNotifyProgramNameChanged, kDemo, -1,
                     reinterpret_cast<intptr_t>(&window.GetLibrary()), 0, nullptr);
    Deliver();
    // The demo program selected: its row lit, its number and name in the display.
    CProgramListLayer* list = window.GetProgramList();
    const auto clickRow = [&]
    {
        const CHfcRect r = CProgramListGeometry::GetRowRect(list->GetModel().GetListMode(), kDemo);
        const int32_t x = (r.left + r.right) / 2, y = CLibraryWindow::kStripHeight + r.top + 4;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(x, y));
        Deliver();
    };
    clickRow();

    // Each switch press turns its mode on, or, pressed again, both off for the third mode.
    const auto pressSwitch = [&](const char* role)
    {
        const uint32_t id =
            RoleId(NvProgramListLayout::kControls, NvCountOf(NvProgramListLayout::kControls), role);
        const NvLayoutRect r = NvProgramListLayout::kControls[id].Rect();
        const int32_t x = r.x + 8, y = CLibraryWindow::kStripHeight + r.y + 6;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(x, y));
        Deliver();
    };
    std::set<uint32_t> modes;
    const auto render = [&](const std::string& name)
    {
        modes.insert(list->GetModel().GetListMode());
        EXPECT_TRUE(MatchesReference(name, RootSurfaceOf(window)));
    };
    render("library_list_start");
    for (const char* role : {"list mode 1", "list mode 1", "list mode 0"})
    {
        pressSwitch(role);
        render("library_list_mode" + std::to_string(list->GetModel().GetListMode()));
    }
    EXPECT_EQ(modes, (std::set<uint32_t>{0, 1, 2}));

    // The GLOBAL tab of the strip, then the CC map tab of the global page.
    const auto click = [&](int32_t x, int32_t y)
    {
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(x, y));
        Deliver();
    };
    click(NvPageSelectLayout::kTabsX + CPageSelectLayer::kTabWidth + 20, NvPageSelectLayout::kTabsY + 10);
    ASSERT_EQ(window.GetPage(), 1);
    EXPECT_TRUE(MatchesReference("library_global_grid", RootSurfaceOf(window)));
    click(27 + 80 + 37, CLibraryWindow::kStripHeight + 114 + 8);
    EXPECT_TRUE(MatchesReference("library_global_cc_map", RootSurfaceOf(window)));
    window.Destroy();
}

TEST_F(Renderings, TheProgramPageAndEverySectionEditorOnInitProgAndOnTheDemoProgram)
{
    struct Editor
    {
        CProgramEditWindow::Editor which;
        const char* name;
        bool onInitProg; // INITPROG plays one timbre without the vocoder
    };
    const Editor editors[] = {
        {CProgramEditWindow::kEditorTimbreSynth1, "timbre_synth_1", true},
        {CProgramEditWindow::kEditorTimbreSynth2, "timbre_synth_2", false},
        {CProgramEditWindow::kEditorTimbreEq1, "timbre_eq_1", true},
        {CProgramEditWindow::kEditorTimbreEq2, "timbre_eq_2", false},
        {CProgramEditWindow::kEditorArpeggiator, "arpeggiator", true},
        {CProgramEditWindow::kEditorVocoder, "vocoder", false},
        {CProgramEditWindow::kEditorMasterFx, "master_fx", true},
    };
    for (const int32_t n : {kInit, kDemo})
    {
        const std::string program = n == kInit ? "initprog" : "demo";
        SCOPED_TRACE(program);
        CProgramEditWindow* window = Open(n);
        ASSERT_NE(window, nullptr);
        // INITPROG: timbre 2's column and its LEDs dimmed.
        EXPECT_TRUE(MatchesReference("program_edit_" + program, RootSurfaceOf(*window)));
        for (const Editor& e : editors)
        {
            if (n == kInit && !e.onInitProg)
                continue;
            CProgramSectionWindow* section = window->OpenEditor(e.which);
            ASSERT_NE(section, nullptr) << e.name;
            Deliver();
            EXPECT_TRUE(MatchesReference(std::string(e.name) + "_" + program, RootSurfaceOf(*section)));
            window->CloseEditor(e.which);
            Deliver();
        }
    }
}

TEST_F(Renderings, TheSynthPageAsAKnobIsDraggedAndValuesShownAndTheNameInEdit)
{
    CProgramEditWindow* window = Open(kDemo);
    ASSERT_NE(window, nullptr);
    CProgramSectionWindow* synth = window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
    ASSERT_NE(synth, nullptr);
    Deliver();
    CEditLayerBase* page = synth->GetEditLayer();
    HWND hwnd = synth->GetHwnd();
    const CHfcRect pageRect = page->GetRect();
    const auto onPage = [&](const CHfcRect& r) { return OnWindow(*page, r); };

    // The cutoff knob held in a drag and moved: its drag strip, the message box at full strength.
    CHfcControl* knob = page->FindControl(
        RoleId(NvSynthEditLayout::kControls, NvCountOf(NvSynthEditLayout::kControls), "filter 1 cutoff"));
    ASSERT_NE(knob, nullptr);
    const CHfcRect knobRect = Around(onPage(knob->GetRect()), 4);
    const POINT centre = CentreOf(onPage(knob->GetRect()));
    Drag(hwnd, centre, {{centre.x + 10, centre.y - 10}, {centre.x + 40, centre.y + 5}}, false);
    Deliver();
    CMessageWindowLayer* box = synth->GetMessageLayer();
    ASSERT_NE(box, nullptr);
    const CHfcRect boxRect = Around(OnWindow(*box, box->GetLastRect()), 2);
    RenderedImage held = RootSurfaceOf(*synth);
    EXPECT_TRUE(MatchesReference("timbre_synth_knob_held", Part(held, knobRect)));
    EXPECT_TRUE(MatchesReference("timbre_synth_message_fade0", Part(held, boxRect)));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(centre.x + 40, centre.y + 5));
    Deliver();
    EXPECT_TRUE(MatchesReference("timbre_synth_knob_moved", Part(RootSurfaceOf(*synth), knobRect)));

    // The pointer over the bare page lets the box go; it fades one step a tick until it is gone.
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(pageRect.left + 300, pageRect.top + 390));
    ASSERT_FALSE(box->IsHeld());
    int32_t step = 1;
    for (; step < 10; ++step)
    {
        synth->OnMMTimer(&timer);
        EXPECT_TRUE(MatchesReference("timbre_synth_message_fade" + std::to_string(step),
                                     Part(RootSurfaceOf(*synth), boxRect)));
        if (box->GetRemainingFade() == 0)
            break;
    }
    EXPECT_EQ(step, 4) << "200 ms in 60 ms steps";

    // Show Values, as the Options command switches it.
    GetSettings().showValueLayer = true;
    PostNotification(&windows, kNotifyShowValuesSwitched, 0, 0, 0, 0, nullptr);
    Deliver();
    ASSERT_NE(synth->GetValueDisplayLayer(), nullptr);
    synth->GetValueDisplayLayer()->Poll();
    EXPECT_TRUE(MatchesReference("timbre_synth_show_values", RootSurfaceOf(*synth)));
    GetSettings().showValueLayer = false;

    // The program's name double-clicked: in edit, all of it selected.
    CProgramEditLayer* programPage = window->GetLayer();
    const CHfcRect name =
        OnWindow(*programPage, programPage->GetFrameworkControl(NvProgramEditLayout::kIdName)->GetRect());
    const POINT inName = CentreOf(name);
    SendMessageW(window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(inName.x, inName.y));
    SendMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, Point(inName.x, inName.y));
    SendMessageW(window->GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(inName.x, inName.y));
    SendMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, Point(inName.x, inName.y));
    Deliver();
    ASSERT_TRUE(programPage->GetNameField().IsEditing());
    EXPECT_TRUE(MatchesReference("program_edit_name_focused", Part(RootSurfaceOf(*window), Around(name, 4))));
    programPage->EndTextEntry();
}

TEST_F(Renderings, AVocoderLevelSliderDraggedLeavesOnlyItsNewThumb)
{
    CProgramEditWindow* window = Open(kDemo);
    ASSERT_NE(window, nullptr);
    CProgramSectionWindow* vocoder = window->OpenEditor(CProgramEditWindow::kEditorVocoder);
    ASSERT_NE(vocoder, nullptr);
    Deliver();
    CEditLayerBase* page = vocoder->GetEditLayer();
    CHfcControl* slider = page->FindControl(
        RoleId(NvVocoderEditLayout::kControls, NvCountOf(NvVocoderEditLayout::kControls), "band 2 level"));
    ASSERT_NE(slider, nullptr);
    const CHfcRect r = OnWindow(*page, slider->GetRect());
    const POINT top = {(r.left + r.right) / 2, r.top + 6}, low = {(r.left + r.right) / 2, r.bottom - 8};
    // Down to the bottom, then most of the way back up: two old thumbs to erase.
    Drag(vocoder->GetHwnd(), top, {{low.x, low.y}});
    Deliver();
    Drag(vocoder->GetHwnd(), low, {{top.x, top.y + 20}});
    Deliver();
    EXPECT_TRUE(MatchesReference("vocoder_slider_moved", Part(RootSurfaceOf(*vocoder), Around(r, 4))));
}

TEST_F(Renderings, TheMonitorTheLogAndTheVersionWindow)
{
    CMidiMonitorWindow monitor;
    ASSERT_TRUE(monitor.Create(0, 0, frame.get()));
    ASSERT_TRUE(monitor.Show());
    StartTicks();
    ASSERT_TRUE(SimMidiInputShort(kPort, 0x643C90));
    ASSERT_TRUE(PumpUntil([&] { return monitor.GetLayer()->GetInLine() == "90 3C 64 "; }));
    midi->SendParameterChange(1, 2, -3);
    ASSERT_TRUE(PumpUntil([&] { return monitor.GetLayer()->GetOutLine().size() == 36; }));
    StopTicks();
    Deliver();
    EXPECT_TRUE(MatchesReference("midi_monitor", RootSurfaceOf(monitor)));
    monitor.Close();

    CStatusLogWindow status;
    ASSERT_TRUE(status.Create(0, 0, frame.get()));
    ASSERT_TRUE(status.Show());
    for (int i = 1; i <= 12; ++i)
        log.AddLine(("Received program A" + std::to_string(10 + i)).c_str());
    Deliver();
    RenderedImage logImage = RootSurfaceOf(status);
    // The clock's time in front of each line is not the drawing's own.
    CStatusLogLayer* lines = status.GetLayer();
    for (int32_t i = 0; i < 9; ++i)
    {
        const CHfcRect line = lines->GetLineRect(i);
        logImage.Mask(lines->GetRect().left + line.left, lines->GetRect().top + line.top, 8 * 6,
                      line.GetHeight());
    }
    EXPECT_TRUE(MatchesReference("status_log", logImage));
    status.Close();

    CVersionInfoWindow version;
    ASSERT_TRUE(version.Create(0, 0, frame.get()));
    ASSERT_TRUE(version.Show());
    Deliver();
    EXPECT_TRUE(MatchesReference("version", RootSurfaceOf(version)));
    version.Close();
}
TEST_F(Renderings, TheCursorDuringADragIsTheOnePressedControlsKindShows)
{
    CProgramEditWindow* window = Open(kDemo);
    ASSERT_NE(window, nullptr);
    CProgramSectionWindow* synth = window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
    CProgramSectionWindow* fx = window->OpenEditor(CProgramEditWindow::kEditorMasterFx);
    ASSERT_TRUE(synth && fx);
    Deliver();
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), hand = LoadCursor(nullptr, IDC_HAND);
    const HCURSOR beam = LoadCursor(nullptr, IDC_IBEAM);
    const auto name = [&](HCURSOR cursor) -> std::string
    {
        return cursor == arrow  ? "arrow"
               : cursor == hand ? "hand"
               : cursor == beam ? "I-beam"
                                : "another cursor";
    };
    const auto synthRole = [](const char* role)
    { return RoleId(NvSynthEditLayout::kControls, NvCountOf(NvSynthEditLayout::kControls), role); };
    const NvLayoutRect effect1 = NvMasterFxEditLayout::kFrames[0].rect;
    const struct
    {
        const char* what;
        CProgramSectionWindow* window;
        POINT at; // on the page
        HCURSOR expected;
    } cases[] = {
        {"a knob", synth,
         CentreOf(synth->GetEditLayer()->FindControl(synthRole("filter 1 cutoff"))->GetRect()), hand},
        {"an LED", synth,
         CentreOf(synth->GetEditLayer()->FindControl(synthRole("osc 1 mod wave"))->GetRect()), arrow},
        {"a switch", synth,
         CentreOf(synth->GetEditLayer()->FindControl(synthRole("lfo 1 bpm sync"))->GetRect()), arrow},
        {"a value text", synth,
         CentreOf(synth->GetEditLayer()->FindControl(synthRole("transpose"))->GetRect()), arrow},
        {"the page itself", synth, {4, 4}, arrow},
        // Inside an effect's frame but on none of its fields: the block that drags out of it.
        {"an effect's block", fx, {effect1.x + 4, effect1.y + effect1.height - 12}, hand},
        {"an effect's field", fx,
         CentreOf(fx->GetEditLayer()
                      ->FindControl(RoleId(NvMasterFxEditLayout::kControls,
                                           NvCountOf(NvMasterFxEditLayout::kControls), "mfx 1 param 1"))
                      ->GetRect()),
         arrow},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const CHfcRect& page = c.window->GetEditLayer()->GetRect();
        const int32_t x = page.left + c.at.x, y = page.top + c.at.y;
        SetCursor(arrow);
        // Pressed and moved less than a block drag needs, so that no drag and drop starts.
        SendMessageW(c.window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        SendMessageW(c.window->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(x + 1, y + 2));
        EXPECT_EQ(name(GetCursor()), name(c.expected));
        SendMessageW(c.window->GetHwnd(), WM_LBUTTONUP, 0, Point(x + 1, y + 2));
        Deliver();
    }
}
} // namespace
