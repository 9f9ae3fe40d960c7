// The timbre synth and timbre EQ pages in a plain edit window against the simulated instrument:
// what each page shows of a program, and that every edit reaches the program through the
// accessor and the instrument as parameter changes, changing exactly the edited fields.
#include "EditorWindowFixture.h"
#include "support/RecordingLibraryWindow.h"

#include "app/AppText.h"
#include "app/protocol/MidiProtocol.h"
#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/graphs/CHfcCtrlEnvelopeCurve.h"
#include "editor/graphs/CHfcCtrlLfoGraph.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/layout/TimbreEqEditLayout.h"
#include "editor/math/EqResponse.h"
#include "editor/pages/eq/CTimbreEqEditLayer.h"
#include "editor/pages/synth/CTimbreEditLayer.h"
#include "synthdata/CProgram.h"
#include "synthdata/CProgramRandomizer.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include "support/ScriptedRandomSource.h"
#include "support/Screenshot.h"

#include <cmath>
#include <cstring>
#include <set>

namespace
{
// A plain edit window holding one page, as the edit-window shells will.
template <class Page> class PageWindow : public CBaseWindow
{
public:
    PageWindow(CBaseWindow* bank, int32_t timbre) : CBaseWindow(kKindProgramEdit, bank), m_timbre(timbre) {}
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto made = std::make_unique<Page>();
        if (!made->CreatePage(this, nullptr, m_timbre))
            return false;
        AddLayer(made.get(), false);
        made->Show(false);
        page = made.get();
        SetMainLayer(std::move(made));
        return CreateMessageLayer();
    }
    Page* page = nullptr;

private:
    int32_t m_timbre;
};

class ScriptedPopups : public CEditorPopupPresenter
{
public:
    int32_t ChooseItem(HWND, int32_t, int32_t, const std::vector<std::string>& shown,
                       int32_t checkedItem) override
    {
        items = shown;
        checked = checkedItem;
        ++calls;
        return answer;
    }
    int32_t ChooseCheckedItem(HWND, int32_t, int32_t, const std::vector<std::wstring>& shown, uint32_t) override
    {
        wideItems.clear();
        for (const std::wstring& item : shown)
            wideItems.push_back(WideToAnsi(item.c_str()));
        ++calls;
        return answer;
    }
    std::vector<std::string> items;
    std::vector<std::string> wideItems; // the texts of the last ChooseCheckedItem
    int32_t checked = -2;
    int32_t answer = -1;
    int calls = 0;
};

std::string ParameterChange(uint32_t channel, const CZmParameterId& id, int32_t value)
{
    CZmDeviceAddress address;
    EXPECT_TRUE(CZmIdConverterSingleton::Get()->ToDeviceAddress(id, address));
    EXPECT_TRUE(address.IsValid());
    const auto low = [](int32_t v) { return static_cast<uint8_t>(v & 0x7F); };
    const auto high = [](int32_t v) { return static_cast<uint8_t>((v >> 7) & 0x7F); };
    const int32_t s = static_cast<int32_t>(address.hi), i = static_cast<int32_t>(address.lo);
    const uint8_t bytes[12] = {0xF0,          kSysExMakerId, static_cast<uint8_t>(0x30 | channel),
                               kSysExModelId, 0x41,          low(s),
                               high(s),       low(i),        high(i),
                               low(value),    high(value),   0xF7};
    return HexBytes(bytes, 12);
}

uint32_t SynthId(const char* role)
{
    for (uint32_t i = 0; i < NvCountOf(NvSynthEditLayout::kControls); ++i)
        if (std::strcmp(NvSynthEditLayout::kControls[i].role, role) == 0)
            return i;
    ADD_FAILURE() << "no control " << role;
    return 0;
}

CZmProgramAccessor& Accessor()
{
    return *CZmProgramAccessorSingleton::Get();
}

class PageTest : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        // Room for the 794 x 600 page and the child's frame.
        ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 900, 760, SWP_NOMOVE | SWP_NOZORDER);
        program.Init();
        ASSERT_TRUE(library.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        EditorServices().popups = &popups;
    }
    void TearDown() override
    {
        if (synth)
            synth->Destroy();
        if (eq)
            eq->Destroy();
        library.Destroy();
        EditorWindowTest::TearDown();
    }
    CEditorWindowData Data()
    {
        CEditorWindowData data;
        data.entryKind = CEditorWindowData::kEntryProgramSet;
        data.documentId = 77;
        data.programIndex = 5;
        data.program = &program;
        return data;
    }
    CTimbreEditLayer* OpenSynth(int32_t timbre = 0)
    {
        synth = std::make_unique<PageWindow<CTimbreEditLayer>>(&library, timbre);
        synth->SetData(Data());
        EXPECT_TRUE(synth->Create(0, 0, CTimbreEditLayer::kWidth, CTimbreEditLayer::kHeight, 9, nullptr,
                                  frame.get(), "Timbre Synth Edit"));
        Deliver();
        ClearSent();
        library.modifiedCalls = 0;
        return synth->page;
    }
    CTimbreEqEditLayer* OpenEq(int32_t timbre = 0)
    {
        eq = std::make_unique<PageWindow<CTimbreEqEditLayer>>(&library, timbre);
        eq->SetData(Data());
        EXPECT_TRUE(eq->Create(0, 0, CTimbreEqEditLayer::kWidth, CTimbreEqEditLayer::kHeight, 9, nullptr,
                               frame.get(), "Timbre EQ Edit"));
        Deliver();
        ClearSent();
        library.modifiedCalls = 0;
        return eq->page;
    }
    int32_t Value(uint32_t group, uint32_t index, uint32_t timbre = 0)
    {
        return Accessor().GetValue(&program, {group, index, timbre});
    }
    void Set(uint32_t group, uint32_t index, int32_t value, uint32_t timbre = 0)
    {
        Accessor().SetValue(&program, {group, index, timbre}, value);
    }
    // The program's image differs from before in exactly the given fields.
    void ExpectOnlyChanged(const CProgram& before, const std::vector<CZmParameterId>& fields)
    {
        CProgram back = program;
        for (const CZmParameterId& id : fields)
            Accessor().SetValue(&back, id, Accessor().GetValue(&before, id));
        EXPECT_EQ(std::memcmp(back.GetImage(), before.GetImage(), before.GetImageSize()), 0);
        EXPECT_NE(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    }
    void Mouse(HWND window, UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        ::SendMessageA(window, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Click(HWND window, int32_t x, int32_t y, WPARAM keys = 0)
    {
        Mouse(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, x, y);
        Mouse(window, WM_LBUTTONUP, keys, x, y);
    }
    void ClickControl(CHfcControl* control, WPARAM keys = 0)
    {
        const CHfcRect& r = control->GetRect();
        Click(synth->GetHwnd(), r.left + r.GetWidth() / 2, r.top + r.GetHeight() / 2, keys);
    }

    CProgram program;
    RecordingLibraryWindow library;
    ScriptedPopups popups;
    std::unique_ptr<PageWindow<CTimbreEditLayer>> synth;
    std::unique_ptr<PageWindow<CTimbreEqEditLayer>> eq;
};

using TimbreSynthPage = PageTest;
using TimbreEqPage = PageTest;
} // namespace

TEST_F(TimbreSynthPage, OpensWithEveryControlOnTheInitialProgram)
{
    CTimbreEditLayer* page = OpenSynth();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetControlCount(), 102u);
    EXPECT_EQ(page->GetRect().GetWidth(), 794);
    EXPECT_EQ(page->GetRect().GetHeight(), 600);
    std::set<uint32_t> ids;
    for (size_t i = 0; i < page->GetControlCount(); ++i)
        ids.insert(page->GetControl(i)->GetId());
    EXPECT_EQ(ids.size(), 102u) << "every id once";
    // The fields show the program's value texts.
    char text[64] = {};
    char expected[64] = {};
    page->GetEditorControl(SynthId("lfo 1 wave"))->GetText(text, sizeof text);
    Accessor().GetCurrentValueText(&program, {2, 79, 0}, expected, sizeof expected);
    EXPECT_STREQ(text, expected);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(page->GetEditorControl(SynthId("filter 1 cutoff"))->GetValue(), Value(2, 36));
    EXPECT_TRUE(page->Destroy());
    EXPECT_EQ(page->GetControlCount(), 0u);
    EXPECT_TRUE(page->Destroy()) << "a second destroy returns at once";
}

TEST_F(TimbreSynthPage, AFailedCreationLeavesNothingAndItsDestroyReturnsAtOnce)
{
    CTimbreEditLayer page;
    EXPECT_FALSE(page.CreatePage(nullptr, &program, 0));
    EXPECT_TRUE(page.Destroy());
    CTimbreEqEditLayer eqPage;
    EXPECT_FALSE(eqPage.CreatePage(nullptr, &program, 0));
    EXPECT_TRUE(eqPage.Destroy());

    // A window without a program, or a timbre the program does not have.
    synth = std::make_unique<PageWindow<CTimbreEditLayer>>(&library, 2);
    synth->SetData(Data());
    EXPECT_FALSE(synth->Create(0, 0, 794, 600, 9, nullptr, frame.get(), "Timbre Synth Edit"));
    CEditorWindowData empty = Data();
    empty.program = nullptr;
    eq = std::make_unique<PageWindow<CTimbreEqEditLayer>>(&library, 0);
    eq->SetData(empty);
    EXPECT_FALSE(eq->Create(0, 0, 342, 166, 9, nullptr, frame.get(), "Timbre EQ Edit"));
    EXPECT_EQ(eq->page, nullptr);
    synth.reset();
    eq.reset();
}

TEST_F(TimbreSynthPage, AKnobDragChangesOnlyItsFieldAndEveryStepReachesTheInstrument)
{
    CTimbreEditLayer* page = OpenSynth(1);
    const CZmParameterId cutoff = {2, 36, 1};
    Set(2, 36, 40, 1);
    page->RefreshValues();
    const CProgram before = program;
    CHfcControl* knob = page->GetPageControl(SynthId("filter 1 cutoff"));
    const CHfcRect& r = knob->GetRect();
    const int32_t x = r.left + r.GetWidth() / 2, y = r.top + r.GetHeight() / 2;
    Mouse(synth->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Mouse(synth->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, x, y - 10);
    Mouse(synth->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, x, y - 25);
    Mouse(synth->GetHwnd(), WM_LBUTTONUP, 0, x, y - 25);
    const int32_t now = Accessor().GetValue(&program, cutoff);
    EXPECT_GT(now, 40);
    ExpectOnlyChanged(before, {cutoff});
    EXPECT_EQ(Value(2, 36, 0), Accessor().GetValue(&before, {2, 36, 0})) << "timbre 0 untouched";
    const std::vector<std::string> sent = Sent();
    ASSERT_FALSE(sent.empty());
    for (const std::string& message : sent)
        // Up to the value: the cutoff's address only.
        EXPECT_EQ(message.substr(0, 27), ParameterChange(kChannel, cutoff, now).substr(0, 27));
    EXPECT_EQ(sent.back(), ParameterChange(kChannel, cutoff, now));
    EXPECT_GE(library.modifiedCalls, 1);
    EXPECT_EQ(page->GetEditorControl(SynthId("filter 1 cutoff"))->GetValue(), now);
}

// A right-click on a control offers its timbre's three knobs; the knob chosen is assigned the
// parameter's knob-assign code and the parameter itself keeps its value. A parameter without a
// code offers only the notice, and nothing is written or sent.
TEST_F(TimbreSynthPage, ARightClickAssignsTheParameterToAKnobOfItsTimbreAndLeavesItAlone)
{
    const std::vector<std::string> timbre1 = {"Timbre 1 : Assign to Knob 1", "Timbre 1 : Assign to Knob 2",
                                              "Timbre 1 : Assign to Knob 3"};
    const std::vector<std::string> timbre2 = {"Timbre 2 : Assign to Knob 1", "Timbre 2 : Assign to Knob 2",
                                              "Timbre 2 : Assign to Knob 3"};
    const std::vector<std::string> invalid = {"This parameter cannot be assigned to knob."};
    const CZmParameterId none = {0xFF, 0, 0};
    struct Case
    {
        const char* what;
        int32_t timbre;
        const char* role;
        int32_t answer;
        std::vector<std::string> items;
        CZmParameterId knob; // none: nothing is written
        int32_t code;
        int32_t before; // the knob's assignment before the click
    };
    const Case cases[] = {
        {"the cutoff onto knob 2", 0, "filter 1 cutoff", 1, timbre1, {1, 23, 0}, 9, 0},
        {"timbre 2's cutoff onto knob 3", 1, "filter 1 cutoff", 2, timbre2, {1, 24, 1}, 9, 0},
        {"the LFO 1 frequency onto knob 1", 0, "lfo 1 frequency", 0, timbre1, {1, 22, 0}, 27, 0},
        {"a switch without a code", 0, "lfo 1 bpm sync", 0, invalid, none, 0, 0},
        {"the menu dismissed", 0, "filter 1 cutoff", -1, timbre1, none, 0, 0},
        {"knob 2 already on the cutoff", 0, "filter 1 cutoff", 1, timbre1, none, 0, 9},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        program.Init();
        Set(0, 35, 1); // both timbres play
        Set(2, 36, 127, c.timbre);
        Set(1, 23, c.before, c.timbre);
        CTimbreEditLayer* page = OpenSynth(c.timbre);
        ASSERT_NE(page, nullptr);
        const CProgram before = program;
        popups.answer = c.answer;
        popups.wideItems.clear();
        const CHfcRect r = page->GetPageControl(SynthId(c.role))->GetRect();
        const int32_t x = r.left + r.GetWidth() / 2, y = r.top + r.GetHeight() / 2;
        Mouse(synth->GetHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, x, y);
        Mouse(synth->GetHwnd(), WM_RBUTTONUP, 0, x, y);
        EXPECT_EQ(popups.wideItems, c.items);
        if (c.knob.group == none.group)
        {
            EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
            EXPECT_TRUE(Sent().empty());
            EXPECT_EQ(library.modifiedCalls, 0);
        }
        else
        {
            EXPECT_EQ(Accessor().GetValue(&program, c.knob), c.code);
            ExpectOnlyChanged(before, {c.knob});
            EXPECT_EQ(Sent(), std::vector<std::string>{ParameterChange(kChannel, c.knob, c.code)});
            EXPECT_EQ(library.modifiedCalls, 1);
        }
        synth->Destroy();
        synth.reset();
    }
}

TEST_F(TimbreSynthPage, DraggingTheDecayPointWritesAndSendsDecayThenSustain)
{
    CTimbreEditLayer* page = OpenSynth();
    Set(2, 55, 20);
    Set(2, 56, 60);
    Set(2, 57, 64);
    Set(2, 58, 30);
    page->RefreshValues();
    const CProgram before = program;
    auto* curve = static_cast<CCustomEnvelopeCurve*>(page->GetPageControl(SynthId("eg 1 curve")));
    const CGraphPoint point = curve->GetGeometry().GetScreenPoints()[2];
    const int32_t x = curve->GetRect().left + static_cast<int32_t>(point.x);
    const int32_t y = curve->GetRect().top + static_cast<int32_t>(point.y);
    Mouse(synth->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    ASSERT_EQ(curve->GetGrabbed(), 2) << "the press holds the decay/sustain point";
    ClearSent();
    Mouse(synth->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, x + 6, y + 8);
    Mouse(synth->GetHwnd(), WM_LBUTTONUP, 0, x + 6, y + 8);
    const int32_t decay = Value(2, 56), sustain = Value(2, 57);
    EXPECT_GT(decay, 60);
    EXPECT_LT(sustain, 64);
    ExpectOnlyChanged(before, {{2, 56, 0}, {2, 57, 0}});
    const std::vector<std::string> sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], ParameterChange(kChannel, {2, 56, 0}, decay));
    EXPECT_EQ(sent.back(), ParameterChange(kChannel, {2, 57, 0}, sustain));
    // The curve shows what the program holds.
    const std::vector<CEnvelopePoint>& points = curve->GetGeometry().GetPoints();
    EXPECT_EQ(points[2].time, decay);
    EXPECT_EQ(points[2].level, sustain);
    EXPECT_EQ(points[1].time, 20);
    EXPECT_EQ(points[4].time, 30);
}

TEST_F(TimbreSynthPage, AnLfoWaveChosenFromItsListIsSentAndTheGraphFollowsWithTheRandomFlagApart)
{
    CTimbreEditLayer* page = OpenSynth();
    Set(2, 79, 0);
    Set(2, 86, 0);
    page->RefreshValues();
    auto* lfo1 = static_cast<CCustomLfoGraph*>(page->GetPageControl(SynthId("lfo 1 graph")));
    auto* lfo2 = static_cast<CCustomLfoGraph*>(page->GetPageControl(SynthId("lfo 2 graph")));
    struct Case
    {
        int32_t wave, shape1, shape2;
        bool random;
    };
    const Case cases[] = {
        {1, 1, 2, false}, {2, 3, 4, false}, {3, 5, 5, false}, {4, 5, 5, true}, {0, 0, 0, false}};
    for (const Case& c : cases)
    {
        const CProgram before = program;
        ClearSent();
        popups.answer = c.wave;
        ClickControl(page->GetPageControl(SynthId("lfo 1 wave")));
        EXPECT_EQ(popups.checked, Accessor().GetValue(&before, {2, 79, 0}));
        EXPECT_EQ(Value(2, 79), c.wave);
        ExpectOnlyChanged(before, {{2, 79, 0}});
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, {2, 79, 0}, c.wave)}));
        EXPECT_EQ(lfo1->GetShape().wave, c.shape1) << c.wave;
        EXPECT_EQ(lfo1->GetShape().random, c.random) << c.wave;
        Set(2, 86, c.wave);
        page->RefreshValues();
        EXPECT_EQ(lfo2->GetShape().wave, c.shape2) << c.wave;
        EXPECT_EQ(lfo2->GetShape().random, c.random) << c.wave;
    }
}

TEST_F(TimbreSynthPage, OscillatorLabelsAndModulationLedsFollowWaveAndModulation)
{
    CTimbreEditLayer* page = OpenSynth();
    const uint32_t leds[4] = {SynthId("osc 1 mod wave"), SynthId("osc 1 mod cross"),
                              SynthId("osc 1 mod unison"), SynthId("osc 1 mod pm")};
    // The label the page prints beside each LED, on the LED's line.
    const char* const names[4] = {"WAVE", "CROSS", "UNISON", "PM"};
    for (int32_t n = 0; n < 4; ++n)
    {
        const NvLayoutRect led = NvSynthEditLayout::kControls[leds[n]].Rect();
        const char* beside = nullptr;
        for (const NvLayoutLabel& label : NvSynthEditLayout::kLabels)
            if (label.box.x >= led.Right() && label.box.x <= led.Right() + 8 && label.box.y == led.y)
                beside = label.text;
        ASSERT_NE(beside, nullptr) << names[n];
        EXPECT_STREQ(beside, names[n]);
    }
    struct Case
    {
        int32_t wave, mod, image;
    };
    const Case cases[] = {{0, 0, 0}, {0, 1, 8}, {2, 2, 9}, {3, 3, 10}, {4, 0, 4}, {5, 2, 5}, {7, 3, 7}};
    for (const Case& c : cases)
    {
        Set(2, 19, c.wave);
        Set(2, 21, c.mod);
        page->RefreshValues();
        // The accessor may hold back a modulation the wave does not take: follow what it holds.
        const int32_t mod = Value(2, 21);
        const int32_t image = c.wave < 4 && mod >= 1 ? 7 + mod : c.wave;
        if (mod == c.mod)
        {
            EXPECT_EQ(image, c.image);
        }
        EXPECT_EQ(page->GetEditorControl(SynthId("osc 1 control 1 label"))->GetValue(), image)
            << c.wave << c.mod;
        EXPECT_EQ(page->GetEditorControl(SynthId("osc 1 control 2 label"))->GetValue(), image);
        for (int32_t n = 0; n < 4; ++n)
        {
            CCustomControl* led = page->GetEditorControl(leds[n]);
            EXPECT_EQ(led->GetValue(), mod == n ? 1 : 0)
                << "wave " << c.wave << " mod " << mod << " LED " << n;
            EXPECT_EQ(led->IsEnabled(), n == 0 || c.wave < 4) << "wave " << c.wave << " LED " << n;
        }
    }
}

TEST_F(TimbreSynthPage, AModulationLedClickWritesItsNumberAndADimOneNothing)
{
    CTimbreEditLayer* page = OpenSynth();
    Set(2, 19, 0);
    Set(2, 21, 0);
    page->RefreshValues();
    for (int32_t number : {2, 1, 3, 0})
    {
        const char* roles[4] = {"osc 1 mod wave", "osc 1 mod cross", "osc 1 mod unison", "osc 1 mod pm"};
        const CProgram before = program;
        ClearSent();
        ClickControl(page->GetPageControl(SynthId(roles[number])));
        EXPECT_EQ(Value(2, 21), number);
        ExpectOnlyChanged(before, {{2, 21, 0}});
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, {2, 21, 0}, number)}));
        EXPECT_EQ(page->GetEditorControl(SynthId(roles[number]))->GetValue(), 1);
    }
    // Formant: the modulation LEDs are dim and take no click.
    Set(2, 19, 4);
    page->RefreshValues();
    const CProgram before = program;
    ClearSent();
    ClickControl(page->GetPageControl(SynthId("osc 1 mod cross")));
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TimbreSynthPage, Osc2ModLedsShowTheirBitsAndAClickTogglesOnlyItsOwn)
{
    CTimbreEditLayer* page = OpenSynth();
    CHfcControl* ring = page->GetPageControl(SynthId("osc 2 ring"));
    CHfcControl* sync = page->GetPageControl(SynthId("osc 2 sync"));
    for (int32_t value : {0, 1, 2, 3})
    {
        Set(2, 27, value);
        page->RefreshValues();
        EXPECT_EQ(page->GetEditorControl(ring->GetId())->GetValue(), value & 1) << value;
        EXPECT_EQ(page->GetEditorControl(sync->GetId())->GetValue(), value >> 1) << value;
    }
    ASSERT_EQ(Value(2, 27), 3);
    const CProgram before = program;
    ClearSent();
    ClickControl(sync);
    EXPECT_EQ(Value(2, 27), 1);
    ExpectOnlyChanged(before, {{2, 27, 0}});
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, {2, 27, 0}, 1)}));
    EXPECT_EQ(page->GetEditorControl(sync->GetId())->GetValue(), 0);
    EXPECT_EQ(library.modifiedCalls, 1);
    ClickControl(ring);
    EXPECT_EQ(Value(2, 27), 0);
}

TEST_F(TimbreSynthPage, ThePcmArrowsStepTheWaveAndDoNothingAtItsEnds)
{
    CTimbreEditLayer* page = OpenSynth();
    // A wave for which the PCM wave counts.
    int32_t pcmWave = -1;
    for (int32_t wave = 0; wave < 8 && pcmWave < 0; ++wave)
    {
        Set(2, 19, wave);
        if (Accessor().IsParameterEnabled(&program, {2, 24, 0}))
            pcmWave = wave;
    }
    ASSERT_GE(pcmWave, 0);
    page->RefreshValues();
    CHfcControl* next = page->GetPageControl(SynthId("pcm wave next"));
    CHfcControl* previous = page->GetPageControl(SynthId("pcm wave previous"));
    EXPECT_TRUE(page->GetPageCustom(next->GetId())->IsEnabled());
    const int32_t minimum = Accessor().GetMin(&program, {2, 24, 0});
    const int32_t maximum = Accessor().GetMax(&program, {2, 24, 0});

    Set(2, 24, minimum);
    page->RefreshValues();
    ClearSent();
    CProgram before = program;
    ClickControl(previous);
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(library.modifiedCalls, 0);
    ClickControl(next);
    EXPECT_EQ(Value(2, 24), minimum + 1);
    ExpectOnlyChanged(before, {{2, 24, 0}});
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, {2, 24, 0}, minimum + 1)}));

    Set(2, 24, maximum);
    page->RefreshValues();
    ClearSent();
    before = program;
    ClickControl(next);
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_TRUE(Sent().empty());
    ClickControl(previous);
    EXPECT_EQ(Value(2, 24), maximum - 1);

    // With a wave that has no PCM wave the arrows are dim.
    for (int32_t wave = 0; wave < 8; ++wave)
    {
        Set(2, 19, wave);
        if (!Accessor().IsParameterEnabled(&program, {2, 24, 0}))
            break;
    }
    page->RefreshValues();
    EXPECT_EQ(page->GetPageCustom(next->GetId())->IsEnabled(),
              Accessor().IsParameterEnabled(&program, {2, 24, 0}));
}

TEST_F(TimbreSynthPage, AWaveformListOffersEveryValueAndTheCurrentOneWritesNothing)
{
    CTimbreEditLayer* page = OpenSynth();
    struct Case
    {
        const char* role;
        uint32_t index;
    };
    for (const Case& c : {Case{"osc 1 wave", 19}, Case{"osc 2 wave", 26}, Case{"filter routing", 33}})
    {
        const int32_t current = Value(2, c.index);
        const int32_t maximum = Accessor().GetMax(&program, {2, c.index, 0});
        CHfcControl* list = page->GetPageControl(SynthId(c.role));
        popups.answer = current;
        const CProgram before = program;
        ClearSent();
        ClickControl(list);
        EXPECT_EQ(popups.items.size(), static_cast<size_t>(maximum + 1)) << c.role;
        EXPECT_EQ(popups.checked, current);
        EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0) << c.role;
        EXPECT_TRUE(Sent().empty()) << c.role;
        EXPECT_EQ(library.modifiedCalls, 0);

        const int32_t other = current == maximum ? 0 : current + 1;
        popups.answer = other;
        ClickControl(list);
        EXPECT_EQ(Value(2, c.index), other) << c.role;
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, {2, c.index, 0}, other)}))
            << c.role;
        EXPECT_EQ(page->GetEditorControl(list->GetId())->GetValue(), other);
        library.modifiedCalls = 0;
    }
}

TEST_F(TimbreSynthPage, TheRandomButtonRandomizesByRulesAndWithShiftByTheFixedListAndSendsNothing)
{
    CTimbreEditLayer* page = OpenSynth(1);
    for (bool shift : {false, true})
    {
        CProgram expected = program;
        ScriptedRandomSource reference(ScriptedRandomSource::kHighest);
        CProgramRandomizer randomizer(&expected, 1, Accessor(), reference);
        if (shift)
            randomizer.RandomizeSimple();
        else
            randomizer.Randomize();

        ScriptedRandomSource source(ScriptedRandomSource::kHighest);
        page->SetRandomSource(&source);
        ClearSent();
        library.modifiedCalls = 0;
        ClickControl(page->GetPageControl(SynthId("random")), shift ? MK_SHIFT : 0);
        EXPECT_EQ(std::memcmp(program.GetImage(), expected.GetImage(), expected.GetImageSize()), 0) << shift;
        EXPECT_EQ(source.intDraws + source.floatDraws, reference.intDraws + reference.floatDraws) << shift;
        EXPECT_TRUE(Sent().empty()) << "nothing goes out until the program is sent";
        EXPECT_EQ(library.modifiedCalls, 1);
        EXPECT_EQ(page->GetEditorControl(SynthId("filter 1 cutoff"))->GetValue(), Value(2, 36, 1));
        program.Init();
        page->RefreshAllControls();
    }
    page->SetRandomSource(nullptr);
}

TEST_F(TimbreSynthPage, ATickRedrawsOnlyWhatChangedInTheProgram)
{
    CTimbreEditLayer* page = OpenSynth();
    page->RefreshValues();
    Set(2, 47, Value(2, 47) == 0 ? 1 : 0);
    Set(2, 58, Value(2, 58) == 0 ? 1 : 0);
    page->RefreshValues();
    EXPECT_EQ(page->GetEditorControl(SynthId("level"))->GetValue(), Value(2, 47));
    auto* curve = static_cast<CCustomEnvelopeCurve*>(page->GetPageControl(SynthId("eg 1 curve")));
    EXPECT_EQ(curve->GetGeometry().GetPoints()[4].time, Value(2, 58));
    EXPECT_TRUE(Sent().empty()) << "a change from elsewhere is not sent back";
}

TEST_F(TimbreEqPage, OpensWithFiveControlsAndItsGraphOnTheProgramsShelves)
{
    CTimbreEqEditLayer* page = OpenEq();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetControlCount(), 5u);
    EXPECT_EQ(page->GetGraphComputeCount(), 1u);
    const std::vector<CEqBand>& bands = page->GetGraph()->GetBands();
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_FLOAT_EQ(bands[0].frequency, static_cast<float>(GetShelfFrequency(CEqShelf::Low, Value(4, 48))));
    EXPECT_FLOAT_EQ(bands[1].gain, Value(4, 51) * 0.5f);
    EXPECT_EQ(page->GetShownBand(), 0) << "the first refresh selects the low band";
}

TEST_F(TimbreEqPage, AGraphDragWritesAndSendsTheGainFirstThenTheLargestFrequencyNotAbove)
{
    CTimbreEqEditLayer* page = OpenEq(1);
    struct Case
    {
        int32_t band;
        float hz, db;
        int32_t frequency, gain;
    };
    const Case cases[] = {
        {0, 350.0f, -15.0f, 24, -30}, // no step between 315 and 400
        {0, 1000.0f, 7.3f, 33, 14},   {0, 5000.0f, 0.0f, 33, 0},    {0, 10.0f, 0.4f, 0, 0},
        {1, 900.0f, 2.0f, 0, 4},      {1, 3500.0f, -7.3f, 10, -14}, {1, 20000.0f, 15.0f, 25, 30},
        {1, 1120.0f, -0.6f, 1, -1},
    };
    for (const Case& c : cases)
    {
        const CZmParameterId gain = {4, c.band == 0 ? 49u : 51u, 1};
        const CZmParameterId frequency = {4, c.band == 0 ? 48u : 50u, 1};
        const CProgram before = program;
        ClearSent();
        library.modifiedCalls = 0;
        const CEqBandReport report = {0, c.band, c.hz, c.db};
        page->OnTextChanged(page->GetGraph(), reinterpret_cast<const char*>(&report));
        EXPECT_EQ(Accessor().GetValue(&program, frequency), c.frequency) << c.hz;
        EXPECT_EQ(Accessor().GetValue(&program, gain), c.gain) << c.db;
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, gain, c.gain),
                                                    ParameterChange(kChannel, frequency, c.frequency)}))
            << c.hz;
        CProgram back = program;
        Accessor().SetValue(&back, gain, Accessor().GetValue(&before, gain));
        Accessor().SetValue(&back, frequency, Accessor().GetValue(&before, frequency));
        EXPECT_EQ(std::memcmp(back.GetImage(), before.GetImage(), before.GetImageSize()), 0) << c.hz;
        EXPECT_EQ(library.modifiedCalls, 1);
        EXPECT_EQ(page->GetShownBand(), c.band);
        EXPECT_EQ(page->GetEditorControl(frequency.index - 48)->GetValue(), c.frequency);
    }
}

TEST_F(TimbreEqPage, ADragStepThatChangesNoValueStillSelectsItsBand)
{
    CTimbreEqEditLayer* page = OpenEq();
    const uint32_t computed = page->GetGraphComputeCount();
    // The high band reported where it already is.
    const CEqBandReport report = {0, 1, static_cast<float>(GetShelfFrequency(CEqShelf::High, Value(4, 50))),
                                  Value(4, 51) * 0.5f};
    page->OnTextChanged(page->GetGraph(), reinterpret_cast<const char*>(&report));
    EXPECT_EQ(page->GetGraphComputeCount(), computed) << "the values did not change";
    EXPECT_EQ(page->GetShownBand(), 1);
    EXPECT_EQ(page->GetDraggedBand(), 1);
}

TEST_F(TimbreEqPage, AMouseDragOnTheGraphSendsGainThenFrequencyAtEveryStep)
{
    CTimbreEqEditLayer* page = OpenEq();
    Set(4, 48, 14); // 100 Hz
    Set(4, 49, 0);
    page->RefreshValues();
    CCustomEqGraph* graph = page->GetGraph();
    const CEqAxes& axes = graph->GetAxes();
    const int32_t x =
        graph->GetRect().left + static_cast<int32_t>(std::lround(axes.ColumnOfFrequency(100.0)));
    const int32_t y = graph->GetRect().top + static_cast<int32_t>(std::lround(axes.RowOfLevel(0.0)));
    const CProgram before = program;
    Mouse(eq->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    ClearSent();
    Mouse(eq->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, x + 20, y - 10);
    Mouse(eq->GetHwnd(), WM_LBUTTONUP, 0, x + 20, y - 10);
    EXPECT_GT(Value(4, 48), 14);
    EXPECT_GT(Value(4, 49), 0);
    ExpectOnlyChanged(before, {{4, 48, 0}, {4, 49, 0}});
    const std::vector<std::string> sent = Sent();
    ASSERT_EQ(sent.size() % 2, 0u);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[sent.size() - 2], ParameterChange(kChannel, {4, 49, 0}, Value(4, 49)));
    EXPECT_EQ(sent.back(), ParameterChange(kChannel, {4, 48, 0}, Value(4, 48)));
}

// The graph's axes as the page describes them: 180 x 70 at (19, 70), 16 to 26000 Hz across,
// +16 dB at the top to -16 dB at the bottom. A press 3 pixels above the low band's square
// (100 Hz, +8 dB: column 44, row 17) reports the level of row 14, (70 - 14) / 70 x 32 - 16 =
// 9.6 dB, stored as 19 half decibels; the frequency of column 44, 97.5 Hz, as the 90 Hz step (13).
TEST_F(TimbreEqPage, ThePressedRowIsALevelOnTheSixteenDecibelAxis)
{
    CTimbreEqEditLayer* page = OpenEq();
    Set(4, 48, 14); // 100 Hz
    Set(4, 49, 16); // +8 dB
    page->RefreshValues();
    CCustomEqGraph* graph = page->GetGraph();
    EXPECT_TRUE(graph->GetRect() == CHfcRect(19, 70, 19 + 180, 70 + 70));
    const CEqAxes& axes = graph->GetAxes();
    EXPECT_DOUBLE_EQ(axes.RowOfLevel(16.0), 0.0);
    EXPECT_DOUBLE_EQ(axes.RowOfLevel(-16.0), 70.0);
    EXPECT_EQ(axes.RowOfLevel(16.5), -1.0);
    EXPECT_NEAR(axes.ColumnOfFrequency(26000.0), 180.0, 1e-9);
    EXPECT_EQ(axes.ColumnOfFrequency(15.0), -1.0);

    const CProgram before = program;
    Mouse(eq->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 19 + 44, 70 + 14);
    Mouse(eq->GetHwnd(), WM_LBUTTONUP, 0, 19 + 44, 70 + 14);
    EXPECT_EQ(Value(4, 49), 19);
    EXPECT_EQ(Value(4, 48), 13);
    ExpectOnlyChanged(before, {{4, 48, 0}, {4, 49, 0}});
}

TEST_F(TimbreEqPage, AFieldSetToItsOwnValueDoesNotRecomputeTheGraph)
{
    CTimbreEqEditLayer* page = OpenEq();
    auto* field = dynamic_cast<CCustomEditText*>(page->GetPageControl(1)); // low gain
    ASSERT_NE(field, nullptr);
    const uint32_t computed = page->GetGraphComputeCount();
    page->OnValueChanged(field, field->ValueToPosition(Value(4, 49)));
    EXPECT_EQ(page->GetGraphComputeCount(), computed);
    const int32_t other = Value(4, 49) == 10 ? 11 : 10;
    page->OnValueChanged(field, field->ValueToPosition(other));
    EXPECT_EQ(Value(4, 49), other);
    EXPECT_EQ(page->GetGraphComputeCount(), computed + 1);
    EXPECT_FLOAT_EQ(page->GetGraph()->GetBands()[0].gain, other * 0.5f);
    EXPECT_EQ(Sent().back(), ParameterChange(kChannel, {4, 49, 0}, other));
}

TEST_F(PageTest, ScreenshotsOfBothPagesOnAProgram)
{
    // A program with some character, so that the screenshots show curves, shapes and shelves.
    Set(2, 19, 1);
    Set(2, 21, 1);
    Set(2, 27, 3);
    Set(2, 36, 80);
    Set(2, 55, 10);
    Set(2, 56, 50);
    Set(2, 57, 80);
    Set(2, 58, 40);
    Set(2, 79, 2);
    Set(2, 86, 4);
    Set(4, 48, 14);
    Set(4, 49, 12);
    Set(4, 50, 12);
    Set(4, 51, -10);
    CTimbreEditLayer* page = OpenSynth();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(synth->GetHwnd(), "timbre_synth_edit",
                                     [] { PumpUntil([] { return false; }, 300); }));
    CTimbreEqEditLayer* eqPage = OpenEq();
    ASSERT_NE(eqPage, nullptr);
    EXPECT_TRUE(
        SaveWindowScreenshot(eq->GetHwnd(), "timbre_eq_edit", [] { PumpUntil([] { return false; }, 300); }));
}
