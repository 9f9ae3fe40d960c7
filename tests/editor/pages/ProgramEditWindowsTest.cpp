// The program edit window and the section editors it opens, on a program of a library, in a
// real frame with the MIDI manager on the simulated instrument: titles, sizes and kinds, one
// editor of each kind, closing, the enable rules, the program page's controls and name, the
// knob-assign menu and the arpeggiator's step rotation.
#include "../base/EditorWindowFixture.h"
#include "../controls/RecordingDrawContext.h"

#include "app/protocol/MidiProtocol.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/base/CValueDisplayLayer.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/layout/ArpEditLayout.h"
#include "editor/layout/ProgramEditLayout.h"
#include "editor/layout/SynthEditLayout.h"
#include "editor/pages/CArpEditLayer.h"
#include "editor/pages/CArpEditWindow.h"
#include "editor/pages/CKnobAssignMenu.h"
#include "editor/pages/CMasterFxEditWindow.h"
#include "editor/pages/CProgramEditLayer.h"
#include "editor/pages/CProgramEditWindow.h"
#include "editor/pages/mfx/CMasterFxEditLayer.h"
#include "editor/pages/eq/CTimbreEqEditLayer.h"
#include "editor/pages/synth/CTimbreEditLayer.h"
#include "editor/pages/vocoder/CVocoderEditLayer.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CBlockData.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "support/RecordingLibraryWindow.h"
#include "support/LayoutPlace.h"
#include "support/Screenshot.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{
const CZmParameterId kVoiceMode = {0, 35, 0};
const CZmParameterId kVocoderSwitch = {5, 0, 0};

using LibraryWindow = RecordingLibraryWindow;

class ScriptedKnobMenu : public CEditorPopupPresenter
{
public:
    int32_t ChooseKnobAssignment(HWND, int32_t, int32_t, int32_t current, bool lfo1, bool lfo2) override
    {
        ++calls;
        shownCurrent = current;
        shownLfo1 = lfo1;
        shownLfo2 = lfo2;
        return answer;
    }
    int calls = 0;
    int32_t shownCurrent = -1;
    bool shownLfo1 = false, shownLfo2 = false;
    int32_t answer = -1;
};

// The 12-byte parameter change the instrument should hear for the id and value.
std::string ParameterChange(uint32_t channel, const CZmParameterId& id, int32_t value)
{
    CZmDeviceAddress address;
    EXPECT_TRUE(CZmIdConverterSingleton::Get()->ToDeviceAddress(id, address));
    const auto low = [](int32_t v) { return static_cast<uint8_t>(v & 0x7F); };
    const auto high = [](int32_t v) { return static_cast<uint8_t>((v >> 7) & 0x7F); };
    const int32_t s = static_cast<int32_t>(address.hi), i = static_cast<int32_t>(address.lo);
    const uint8_t bytes[12] = {0xF0,          kSysExMakerId, static_cast<uint8_t>(0x30 | channel),
                               kSysExModelId, 0x41,          low(s),
                               high(s),       low(i),        high(i),
                               low(value),    high(value),   0xF7};
    return HexBytes(bytes, 12);
}

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

SIZE ClientSizeOf(HWND window)
{
    RECT r = {};
    ::GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

std::string ShownText(CHfcControl* control)
{
    char text[256] = {};
    if (auto* custom = dynamic_cast<CCustomControl*>(control))
        custom->GetText(text, sizeof text);
    std::string s = text;
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

class ProgramEdit : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        GetSettings().autoDumpEnabled = false;
        EditorServices().popups = &popups;
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        ASSERT_TRUE(bank.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
    }
    void TearDown() override
    {
        window.reset();
        bank.Destroy();
        EditorWindowTest::TearDown();
    }
    CProgramEditWindow* Open(int32_t n)
    {
        window = CProgramEditWindow::OpenProgram(&bank, &library, n, frame.get());
        if (window)
            ClearSent();
        return window.get();
    }
    CProgram& Program(int32_t n) { return library.GetProgramSet()->GetProgram(static_cast<uint32_t>(n)); }
    int32_t Value(int32_t n, const CZmParameterId& id)
    {
        return CZmProgramAccessorSingleton::Get()->GetValue(&Program(n), id);
    }
    void SetValue(int32_t n, const CZmParameterId& id, int32_t value)
    {
        CZmProgramAccessorSingleton::Get()->SetValue(&Program(n), id, value);
    }

    CLibraryData library;
    LibraryWindow bank;
    ScriptedKnobMenu popups;
    std::unique_ptr<CProgramEditWindow> window;
};
} // namespace

TEST_F(ProgramEdit, EveryEditWindowHasItsKindSizeAndTitle)
{
    ASSERT_NE(Open(100), nullptr);
    SetValue(100, kVoiceMode, 1);
    SetValue(100, kVocoderSwitch, 1);
    EXPECT_EQ(window->GetKind(), 4u);
    EXPECT_EQ(WindowText(window->GetHwnd()), L"Untitled [B55:INITPROG]");
    const SIZE page = ClientSizeOf(window->GetHwnd());
    EXPECT_EQ(page.cx, 594);
    EXPECT_EQ(page.cy, 482);
    EXPECT_NE(window->GetMessageLayer(), nullptr);
    EXPECT_EQ(window->GetValueDisplayLayer(), nullptr);

    const struct
    {
        CProgramEditWindow::Editor which;
        uint32_t kind;
        int32_t width, height;
        const wchar_t* title;
        bool valueDisplay, overlay;
    } cases[] = {
        {CProgramEditWindow::kEditorTimbreSynth1, 6, 794, 600, L"Untitled [B55:INITPROG] Timbre 1 Synth",
         true, true},
        {CProgramEditWindow::kEditorTimbreSynth2, 6, 794, 600, L"Untitled [B55:INITPROG] Timbre 2 Synth",
         true, true},
        {CProgramEditWindow::kEditorTimbreEq1, 9, 342, 166, L"Untitled [B55:INITPROG] Timbre 1 EQ", true,
         true},
        {CProgramEditWindow::kEditorTimbreEq2, 9, 342, 166, L"Untitled [B55:INITPROG] Timbre 2 EQ", true,
         true},
        {CProgramEditWindow::kEditorArpeggiator, 12, 342, 226, L"Untitled [B55:INITPROG] Arpeggiator", true,
         true},
        {CProgramEditWindow::kEditorVocoder, 10, 690, 408, L"Untitled [B55:INITPROG] Vocoder", true, true},
        {CProgramEditWindow::kEditorMasterFx, 11, 630, 518, L"Untitled [B55:INITPROG] Master FX", false,
         false},
    };
    for (const auto& c : cases)
    {
        CProgramSectionWindow* editor = window->OpenEditor(c.which);
        ASSERT_NE(editor, nullptr) << c.kind;
        EXPECT_EQ(editor->GetKind(), c.kind);
        const SIZE size = ClientSizeOf(editor->GetHwnd());
        EXPECT_EQ(size.cx, c.width) << c.kind;
        EXPECT_EQ(size.cy, c.height) << c.kind;
        EXPECT_EQ(WindowText(editor->GetHwnd()), c.title);
        EXPECT_EQ(editor->GetValueDisplayLayer() != nullptr, c.valueDisplay) << c.kind;
        EXPECT_EQ(editor->GetMessageLayer() != nullptr, c.overlay) << c.kind;
        EXPECT_EQ(editor->GetBankWindow(), &bank);
        EXPECT_EQ(editor->GetEditLayer()->GetEditedProgram(), &Program(100));
        // A second open brings the same window to the front.
        EXPECT_EQ(window->OpenEditor(c.which), editor);
        EXPECT_EQ(window->GetEditor(c.which), editor);
    }

    // A rename retitles every open editor of the program.
    Program(100).SetProgramName("BASS 2");
    Program(100).RefreshName();
    PostNotification(&windows, kNotifyProgramNameChanged, 100, -1, reinterpret_cast<intptr_t>(&library), 0,
                     nullptr);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(window->GetHwnd()) == L"Untitled [B55:BASS 2]"; }));
    EXPECT_EQ(WindowText(window->GetEditor(CProgramEditWindow::kEditorVocoder)->GetHwnd()),
              L"Untitled [B55:BASS 2] Vocoder");
    EXPECT_EQ(WindowText(window->GetEditor(CProgramEditWindow::kEditorTimbreEq2)->GetHwnd()),
              L"Untitled [B55:BASS 2] Timbre 2 EQ");
}

// The vocoder editor's value display polls on the ticks: a knob the user turns gets its new
// text in a box below it (6 pixels a character and 3, 11 high, translucent dark blue), a poll
// with nothing changed draws nothing, and a hidden control's box goes. A message overlay anchored
// to the page stands right of the edited control, or left of it where the layer ends, and is
// filled dark red at 220 / 255 of its level.
TEST_F(ProgramEdit, TheValueDisplayPollsTheTurnedKnobAndAnAnchoredOverlayFollowsIt)
{
    SetValue(100, kVocoderSwitch, 1);
    ASSERT_NE(Open(100), nullptr);
    CProgramSectionWindow* editor = window->OpenEditor(CProgramEditWindow::kEditorVocoder);
    ASSERT_NE(editor, nullptr);
    auto* page = dynamic_cast<CVocoderEditLayer*>(editor->GetEditLayer());
    CValueDisplayLayer* values = editor->GetValueDisplayLayer();
    ASSERT_TRUE(page && values);
    const uint32_t gateSens = 3, band16Pan = 29;
    const auto turn = [&](uint32_t id, int32_t dy)
    {
        const CHfcRect r = page->FindControl(id)->GetRect();
        const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        SendMessageW(editor->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (int32_t step = 1; step <= 4; ++step)
            SendMessageW(editor->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + dy * step / 4));
        SendMessageW(editor->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y + dy));
    };
    const auto text = [&](const CZmParameterId& id)
    {
        char shown[256] = {};
        CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&Program(100), id, shown, sizeof shown);
        return std::string(shown);
    };

    values->Poll();
    const int32_t drawn = values->GetDrawCount();
    values->Poll();
    EXPECT_EQ(values->GetDrawCount(), drawn) << "nothing changed, nothing drawn";
    const int32_t before = Value(100, {5, 7, 0});
    turn(gateSens, -30);
    ASSERT_NE(Value(100, {5, 7, 0}), before);
    StartTicks();
    ASSERT_TRUE(PumpUntil([&] { return values->GetItems()[gateSens].text == text({5, 7, 0}); }));
    StopTicks();
    EXPECT_EQ(values->GetDrawCount(), drawn + 1) << "only the turned knob's box";
    const CHfcRect knob = page->FindControl(gateSens)->GetRect();
    const CHfcRect box = values->GetItems()[gateSens].drawn;
    const int32_t length = static_cast<int32_t>(text({5, 7, 0}).size());
    // The box holds the text and sits beside the knob, off its face, in one of the places the
    // value display tries.
    EXPECT_EQ(box.GetWidth(), length * 6 + 3);
    EXPECT_EQ(box.GetHeight(), 11);
    const bool apart = box.right <= knob.left || box.left >= knob.right || box.bottom <= knob.top ||
                       box.top >= knob.bottom;
    const bool beside = box.right >= knob.left - 1 && box.left <= knob.right + 1 &&
                        box.bottom >= knob.top - 1 && box.top <= knob.bottom + 1;
    EXPECT_TRUE(apart && beside);
    {
        CHfcBmpLock surface(values->GetOffscreen()->GetBitmap());
        ASSERT_TRUE(surface.IsLocked());
        // Inside the frame, left of the text.
        const uint8_t* p = surface.View().Pixel(box.left + 1, box.top + 5);
        EXPECT_EQ(p[3], 0xCC);
    }
    page->FindControl(gateSens)->Hide(false);
    values->Poll();
    EXPECT_EQ(values->GetItems()[gateSens].drawn.GetWidth(), 0);
    page->FindControl(gateSens)->Show(false);

    CMessageWindowLayer overlay;
    CMessageWindowLayer::Config config;
    config.anchored = true;
    config.anchor = page;
    const CHfcRect area = page->GetRect();
    ASSERT_TRUE(overlay.CreateOverlay(config, area.left, area.top, area.GetWidth(), area.GetHeight(), editor));
    overlay.DrawBox(255);
    EXPECT_TRUE(overlay.GetLastRect() == CHfcRect(knob.right + 6, knob.top, knob.right + 6 + 170, knob.top + 30));
    {
        CHfcBmpLock surface(overlay.GetOffscreen()->GetBitmap());
        ASSERT_TRUE(surface.IsLocked());
        const uint8_t* p = surface.View().Pixel(overlay.GetLastRect().left + 2, overlay.GetLastRect().bottom - 3);
        EXPECT_EQ(p[3], 220);
        EXPECT_EQ(p[2] > 0 && p[1] == 0 && p[0] == 0, true) << "red only";
    }
    turn(band16Pan, -20);
    const CHfcRect pan = page->FindControl(band16Pan)->GetRect();
    ASSERT_GT(pan.right + 6 + 170, area.GetWidth());
    overlay.DrawBox(255);
    EXPECT_TRUE(overlay.GetLastRect() == CHfcRect(pan.left - 176, pan.top, pan.left - 6, pan.top + 30));
    overlay.Destroy();
}

TEST_F(ProgramEdit, TheVocoderAndMasterEffectsEditorsHostTheirPagesAndEditTheProgramThroughThem)
{
    SetValue(100, kVocoderSwitch, 1);
    ASSERT_NE(Open(100), nullptr);

    CProgramSectionWindow* vocoderWindow = window->OpenEditor(CProgramEditWindow::kEditorVocoder);
    ASSERT_NE(vocoderWindow, nullptr);
    auto* vocoder = dynamic_cast<CVocoderEditLayer*>(vocoderWindow->GetEditLayer());
    ASSERT_NE(vocoder, nullptr);
    EXPECT_EQ(vocoder->GetControlCount(), 67u);
    EXPECT_EQ(vocoder->GetEditorControlCount(), 67u);
    EXPECT_EQ(vocoder->GetEditedProgram(), &Program(100));
    // The value display follows the page the window hosts.
    EXPECT_NE(vocoderWindow->GetValueDisplayLayer(), nullptr);

    CProgramSectionWindow* fxWindow = window->OpenEditor(CProgramEditWindow::kEditorMasterFx);
    ASSERT_NE(fxWindow, nullptr);
    auto* fx = dynamic_cast<CMasterFxEditLayer*>(fxWindow->GetEditLayer());
    ASSERT_NE(fx, nullptr);
    // Every field, a label for each row but the two types, and the two effect frames.
    EXPECT_EQ(fx->GetControlCount(), size_t{2 * 23 + 2 * 22 + 2});
    EXPECT_EQ(fx->GetEditedProgram(), &Program(100));

    const struct
    {
        CEditLayerBase* page;
        CHfcControl* control;
        CZmParameterId parameter;
        int32_t value;
    } cases[] = {
        {vocoder, vocoder->FindControl(16), {5, 23, 0}, 20}, // Band 3 Pan
        {vocoder, vocoder->FindControl(3), {5, 7, 0}, 90},   // Gate Sens
        {fx, fx->GetField(0), {6, 1, 0}, 3},                 // MFX 1 FX Type
    };
    instrument->ClearReceived();
    std::vector<std::string> heard;
    for (const auto& c : cases)
    {
        heard.push_back(ParameterChange(kChannel, c.parameter, c.value));
        ASSERT_NE(c.control, nullptr);
        ClearSent();
        bank.modifiedCalls = 0;
        CCustomControl* custom = dynamic_cast<CCustomControl*>(c.control);
        ASSERT_NE(custom, nullptr);
        c.page->OnValueChanged(c.control, custom->ValueToPosition(c.value));
        EXPECT_EQ(Value(100, c.parameter), c.value);
        EXPECT_EQ(Sent(), std::vector<std::string>{ParameterChange(kChannel, c.parameter, c.value)});
        EXPECT_EQ(bank.modifiedCalls, 1);
    }
    // The instrument heard each change, in order.
    ASSERT_TRUE(instrument->WaitReceived(heard.size()));
    std::vector<std::string> received;
    for (const CSimInstrument::Image& message : instrument->Received())
        received.push_back(HexBytes(message.data(), message.size()));
    EXPECT_EQ(received, heard);
}

TEST_F(ProgramEdit, TheTimbreEditorsHostTheirPagesOnTheirTimbre)
{
    SetValue(100, kVoiceMode, 1); // not Single: both timbres have editors
    ASSERT_NE(Open(100), nullptr);
    const struct
    {
        CProgramEditWindow::Editor editor;
        int32_t timbre;
        size_t controls;
    } cases[] = {
        {CProgramEditWindow::kEditorTimbreSynth1, 0, 102},
        {CProgramEditWindow::kEditorTimbreSynth2, 1, 102},
        {CProgramEditWindow::kEditorTimbreEq1, 0, 5},
        {CProgramEditWindow::kEditorTimbreEq2, 1, 5},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.editor);
        CProgramSectionWindow* editor = window->OpenEditor(c.editor);
        ASSERT_NE(editor, nullptr);
        CEditLayerBase* page = editor->GetEditLayer();
        ASSERT_NE(page, nullptr);
        const bool synth = c.editor == CProgramEditWindow::kEditorTimbreSynth1 ||
                           c.editor == CProgramEditWindow::kEditorTimbreSynth2;
        if (synth)
            EXPECT_NE(dynamic_cast<CTimbreEditLayer*>(page), nullptr);
        else
            EXPECT_NE(dynamic_cast<CTimbreEqEditLayer*>(page), nullptr);
        EXPECT_EQ(page->GetControlCount(), c.controls);
        EXPECT_EQ(page->GetEditedProgram(), &Program(100));
        EXPECT_EQ(page->GetTimbre(), c.timbre);
    }
}

TEST_F(ProgramEdit, ShowValuesWritesTheValuesOfKnobsAndFadersBesideThemOffEveryOtherControl)
{
    SetValue(100, kVoiceMode, 1);
    SetValue(100, kVocoderSwitch, 1);
    // Room for the synth page whole.
    ::SetWindowPos(frame->GetHwnd(), nullptr, 0, 0, 1000, 800, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_NE(Open(100), nullptr);
    // What Options > Show Values does: the setting, then notification 12 to the windows.
    GetSettings().showValueLayer = true;
    const struct
    {
        CProgramEditWindow::Editor editor;
        size_t items; // the knobs and faders of the page
    } cases[] = {
        {CProgramEditWindow::kEditorTimbreSynth1, 37},
        {CProgramEditWindow::kEditorArpeggiator, 2},
        {CProgramEditWindow::kEditorVocoder, 43},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.editor);
        CProgramSectionWindow* editor = window->OpenEditor(c.editor);
        ASSERT_NE(editor, nullptr);
        PostNotification(&windows, kNotifyShowValuesSwitched, 0, 0, 0, 0, nullptr);
        Deliver();
        CValueDisplayLayer* values = editor->GetValueDisplayLayer();
        ASSERT_NE(values, nullptr);
        EXPECT_TRUE(values->IsVisible());
        CEditLayerBase* page = editor->GetEditLayer();
        const CHfcRect bounds(0, 0, page->GetRect().GetWidth(), page->GetRect().GetHeight());
        const auto overlaps = [](const CHfcRect& a, const CHfcRect& b)
        { return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom; };
        size_t drawn = 0;
        for (size_t i = 0; i < values->GetItems().size(); ++i)
        {
            const CValueDisplayLayer::Item& item = values->GetItems()[i];
            if (item.drawn.GetWidth() <= 0)
                continue;
            ++drawn;
            CHfcControl* control = page->GetControl(i);
            CCustomControl* custom = page->GetEditorControl(control->GetId());
            ASSERT_NE(custom, nullptr) << "item " << i;
            const int32_t type = custom->GetControlType();
            EXPECT_TRUE(type == CCustomControl::kTypeKnob || type == CCustomControl::kTypeSlider)
                << "control " << control->GetId() << " of type " << type << " shows its value";
            char text[256] = {};
            CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&Program(100), page->GetControlParameter(custom),
                                                                    text, sizeof text);
            EXPECT_STREQ(item.text, text);
            const CHfcRect& r = item.drawn;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= bounds.right && r.bottom <= bounds.bottom)
                << "item of control " << control->GetId() << " leaves the page";
            for (size_t j = 0; j < page->GetControlCount(); ++j)
            {
                CHfcControl* other = page->GetControl(j);
                if (other->IsVisible() && overlaps(r, other->GetRect()))
                {
                    EXPECT_EQ(other, control)
                        << "the item of control " << control->GetId() << " covers control " << other->GetId();
                }
            }
        }
        EXPECT_EQ(drawn, c.items);
        if (c.editor == CProgramEditWindow::kEditorVocoder)
        {
            EXPECT_TRUE(SaveWindowScreenshot(editor->GetHwnd(), "vocoder_show_values",
                                             [] { PumpUntil([] { return false; }, 300); }));
        }
    }
    // The synth page's items keep off its printed labels too, but for three knobs with no place
    // free of both other knobs and captions: filter 1 key track (between the balance caption
    // and its own) and the vibrato and portamento knobs on the page's last row.
    std::set<std::string> covered;
    CProgramSectionWindow* synth = window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth1);
    for (const CValueDisplayLayer::Item& item : synth->GetValueDisplayLayer()->GetItems())
        for (const NvLayoutLabel& label : NvSynthEditLayout::kLabels)
            if (item.drawn.GetWidth() > 0 && item.drawn.left < label.box.Right() &&
                label.box.x < item.drawn.right && item.drawn.top < label.box.Bottom() &&
                label.box.y < item.drawn.bottom)
                covered.insert(label.text);
    EXPECT_EQ(covered, (std::set<std::string>{"BALANCE", "PORTA", "VIBRATO"}));

    // A wheel notch on filter 1 cutoff shows its new value by the next tick.
    StartTicks();
    const LayoutPlace cutoff = FindLayoutPlace(NvSynthEditLayout::kControls, "filter 1 cutoff");
    const CZmParameterId cutoffId = {2, 36, 0};
    SetValue(100, cutoffId, 64);
    synth->GetEditLayer()->RefreshAllControls();
    POINT at = cutoff.middle;
    ClientToScreen(synth->GetHwnd(), &at);
    PostMessageW(synth->GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    const uint32_t cutoffIndex = [&]
    {
        CEditLayerBase* page = synth->GetEditLayer();
        for (uint32_t i = 0; i < page->GetControlCount(); ++i)
            if (page->GetControl(i)->GetRect().left == cutoff.rect.x && page->GetControl(i)->GetRect().top == cutoff.rect.y)
                return i;
        return 0u;
    }();
    char expected[256] = {};
    EXPECT_TRUE(PumpUntil(
        [&]
        {
            CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&Program(100), cutoffId, expected, sizeof expected);
            return Value(100, cutoffId) != 64 &&
                   std::strcmp(synth->GetValueDisplayLayer()->GetItems()[cutoffIndex].text, expected) == 0;
        }));
    EXPECT_GT(Value(100, cutoffId), 64);
    StopTicks();
    MoveWindow(window->GetHwnd(), 0, 0, 1, 1, FALSE);
    RECT outer = {0, 0, CTimbreEditLayer::kWidth, CTimbreEditLayer::kHeight};
    AdjustWindowRectEx(&outer, GetWindowLongW(synth->GetHwnd(), GWL_STYLE), FALSE,
                       GetWindowLongW(synth->GetHwnd(), GWL_EXSTYLE));
    MoveWindow(synth->GetHwnd(), 0, 0, outer.right - outer.left, outer.bottom - outer.top, TRUE);
    EXPECT_TRUE(SaveWindowScreenshot(synth->GetHwnd(), "timbre_synth_show_values",
                                     [] { PumpUntil([] { return false; }, 300); }));
    GetSettings().showValueLayer = false;
}

TEST_F(ProgramEdit, EveryValueTextDragsAtTheStepOfItsParametersRange)
{
    SetValue(100, kVoiceMode, 1);
    SetValue(100, kVocoderSwitch, 1);
    ASSERT_NE(Open(100), nullptr);
    std::vector<std::pair<const char*, CEditLayerBase*>> pages = {{"program", window->GetLayer()}};
    const std::pair<const char*, CProgramEditWindow::Editor> editors[] = {
        {"timbre synth", CProgramEditWindow::kEditorTimbreSynth1},
        {"timbre eq", CProgramEditWindow::kEditorTimbreEq1},
        {"arpeggiator", CProgramEditWindow::kEditorArpeggiator},
        {"vocoder", CProgramEditWindow::kEditorVocoder},
    };
    for (const auto& e : editors)
    {
        CProgramSectionWindow* editor = window->OpenEditor(e.second);
        ASSERT_NE(editor, nullptr) << e.first;
        pages.emplace_back(e.first, editor->GetEditLayer());
    }
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    for (const auto& [name, page] : pages)
    {
        size_t texts = 0;
        for (size_t i = 0; i < page->GetControlCount(); ++i)
        {
            auto* text = dynamic_cast<CCustomEditText*>(page->GetControl(i));
            if (!text || !page->GetEditorControl(text->GetId()))
                continue;
            ++texts;
            const CZmParameterId id = page->GetControlParameter(text);
            const int32_t maximum = accessor->GetMax(&Program(100), id), minimum = accessor->GetMin(&Program(100), id);
            // 127 / (max - min) within 1..12, 1 for an empty range; the map keeps it doubled.
            const int32_t step = maximum == minimum ? 1 : std::clamp(127 / (maximum - minimum), 1, 12);
            EXPECT_EQ(text->GetMap().GetSensitivity(), 2 * step)
                << name << " text " << text->GetId() << " of " << id.group << "/" << id.index;
        }
        EXPECT_GT(texts, 0u) << name;
    }
}

TEST_F(ProgramEdit, EachMasterEffectsWindowHasItsOwnDestroySemaphore)
{
    ASSERT_NE(Open(1), nullptr);
    std::unique_ptr<CProgramEditWindow> first = std::move(window);
    ASSERT_NE(Open(2), nullptr);
    auto* a = dynamic_cast<CMasterFxEditWindow*>(first->OpenEditor(CProgramEditWindow::kEditorMasterFx));
    auto* b = dynamic_cast<CMasterFxEditWindow*>(window->OpenEditor(CProgramEditWindow::kEditorMasterFx));
    ASSERT_TRUE(a && b);
    EXPECT_NE(&a->GetDestroySemaphore(), &b->GetDestroySemaphore());
    EXPECT_STREQ(a->GetDestroySemaphore().GetName(), "MfxDestroySemaphore");
    // One window holding its semaphore does not hold up the other's close.
    ASSERT_EQ(a->GetDestroySemaphore().WaitTimeout(0), CHfcSemaphore::kSignalled);
    bool closed = false;
    b->SetDestroyedHandler([&](CBaseWindow* w)
                           { closed = static_cast<CMasterFxEditWindow*>(w)->IsDestroying(); });
    EXPECT_TRUE(b->Close());
    EXPECT_TRUE(closed);
    a->GetDestroySemaphore().Release();
    EXPECT_TRUE(first->Close());
    first.reset();
}

TEST_F(ProgramEdit, ProgramNumbersShowAsBankAndTwoDigits)
{
    const struct
    {
        int32_t n;
        const wchar_t* title;
    } cases[] = {{0, L"Untitled [A11:INITPROG]"},
                 {63, L"Untitled [A88:INITPROG]"},
                 {64, L"Untitled [B11:INITPROG]"},
                 {127, L"Untitled [B88:INITPROG]"}};
    for (const auto& c : cases)
    {
        ASSERT_NE(Open(c.n), nullptr) << c.n;
        EXPECT_EQ(WindowText(window->GetHwnd()), c.title);
        window.reset();
    }
    library.SetPath(L"C:\\Sounds\\Live set.nvl");
    ASSERT_NE(Open(5), nullptr);
    EXPECT_EQ(WindowText(window->GetHwnd()), L"Live set.nvl [A16:INITPROG]");
}

TEST_F(ProgramEdit, ClosingTheProgramWindowClosesEveryEditorFirstAndAClosedEditorLeavesItsSlot)
{
    ASSERT_NE(Open(3), nullptr);
    std::vector<std::string> destroyed;
    window->SetDestroyedHandler([&](CBaseWindow*) { destroyed.push_back("program"); });
    CProgramSectionWindow* eq = window->OpenEditor(CProgramEditWindow::kEditorTimbreEq1);
    CProgramSectionWindow* fx = window->OpenEditor(CProgramEditWindow::kEditorMasterFx);
    CProgramSectionWindow* arp = window->OpenEditor(CProgramEditWindow::kEditorArpeggiator);
    ASSERT_TRUE(eq && fx && arp);
    eq->SetDestroyedHandler([&](CBaseWindow*) { destroyed.push_back("eq"); });
    fx->SetDestroyedHandler([&](CBaseWindow*) { destroyed.push_back("fx"); });
    arp->SetDestroyedHandler([&](CBaseWindow*) { destroyed.push_back("arp"); });

    // The arpeggiator editor closed by the user: its slot is free, a new open makes a new one.
    EXPECT_TRUE(arp->Close());
    EXPECT_EQ(window->GetEditor(CProgramEditWindow::kEditorArpeggiator), nullptr);
    CProgramSectionWindow* again = window->OpenEditor(CProgramEditWindow::kEditorArpeggiator);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(IsWindow(again->GetHwnd()));

    const HWND eqHwnd = eq->GetHwnd(), fxHwnd = fx->GetHwnd(), againHwnd = again->GetHwnd();
    EXPECT_TRUE(window->Close());
    EXPECT_EQ(destroyed, (std::vector<std::string>{"arp", "eq", "fx", "program"}));
    EXPECT_FALSE(IsWindow(eqHwnd));
    EXPECT_FALSE(IsWindow(fxHwnd));
    EXPECT_FALSE(IsWindow(againHwnd));
    for (uint32_t which = 0; which < CProgramEditWindow::kEditorCount; ++which)
        EXPECT_EQ(window->GetEditor(static_cast<CProgramEditWindow::Editor>(which)), nullptr);
}

TEST_F(ProgramEdit, ADestroyAfterAFailedCreationAnswersAtOnce)
{
    CLibraryData empty; // no program set: nothing to edit
    CProgramEditWindow noPrograms(&bank, &empty, 0);
    EXPECT_FALSE(noPrograms.Open(frame.get(), 0, 0));
    EXPECT_FALSE(noPrograms.Destroy());

    CProgramEditWindow noFrame(&bank, &library, 0);
    EXPECT_FALSE(noFrame.Open(nullptr, 0, 0));
    EXPECT_EQ(noFrame.GetCreationState(), CBaseWindow::CreationState::kFailed);
    EXPECT_FALSE(noFrame.Destroy());
    EXPECT_EQ(CProgramEditWindow::OpenProgram(&bank, &library, 128, frame.get()), nullptr);
}

TEST_F(ProgramEdit, EditorsTheRulesTurnOffCloseAfterTheTickNeverInsideIt)
{
    SetValue(7, kVoiceMode, 2);
    SetValue(7, kVocoderSwitch, 1);
    ASSERT_NE(Open(7), nullptr);
    std::vector<std::string> closed;
    CProgramEditWindow* program = window.get();
    const auto watch = [&](CProgramEditWindow::Editor which, const char* name)
    {
        CProgramSectionWindow* editor = window->OpenEditor(which);
        ASSERT_NE(editor, nullptr) << name;
        editor->SetDestroyedHandler(
            [&closed, program, editor, name](CBaseWindow*)
            {
                // The tick that found the rule has ended; neither window is in its tick.
                const bool inTick = program->IsInTick() || editor->IsInTick();
                closed.push_back(std::string(name) + (inTick ? " inside the tick" : ""));
            });
    };
    watch(CProgramEditWindow::kEditorTimbreSynth2, "synth 2");
    watch(CProgramEditWindow::kEditorTimbreEq2, "eq 2");
    watch(CProgramEditWindow::kEditorVocoder, "vocoder");
    watch(CProgramEditWindow::kEditorTimbreSynth1, "synth 1");
    CProgramEditLayer* page = window->GetLayer();
    EXPECT_TRUE(page->GetPageControl(NvProgramEditLayout::kIdEditButtons + 2)->IsEnabled());

    // The instrument (or another window) switches the program to Single: the next tick sees it.
    StartTicks();
    SetValue(7, kVoiceMode, 0);
    ASSERT_TRUE(PumpUntil([&] { return closed.size() == 2; })) << closed.size();
    EXPECT_EQ(closed, (std::vector<std::string>{"synth 2", "eq 2"}));
    EXPECT_FALSE(page->GetPageControl(NvProgramEditLayout::kIdEditButtons + 2)->IsEnabled());
    EXPECT_FALSE(page->GetPageControl(NvProgramEditLayout::kIdEditButtons + 3)->IsEnabled());
    EXPECT_FALSE(page->GetPageControl(NvProgramEditLayout::kIdEqGraphs + 1)->IsEnabled());
    EXPECT_TRUE(page->GetPageControl(NvProgramEditLayout::kIdEqGraphs)->IsEnabled());
    EXPECT_NE(window->GetEditor(CProgramEditWindow::kEditorVocoder), nullptr);

    // Vocoder off through the page's own switch.
    page->OnValueChanged(page->GetFrameworkControl(NvProgramEditLayout::kIdSwitches + 1),
                         static_cast<int32_t>(CCustomControl::kPressBit));
    EXPECT_EQ(Value(7, kVocoderSwitch), 0);
    ASSERT_TRUE(PumpUntil([&] { return closed.size() == 3; }));
    StopTicks();
    EXPECT_EQ(closed.back(), "vocoder");
    EXPECT_EQ(window->GetEditor(CProgramEditWindow::kEditorVocoder), nullptr);
    EXPECT_NE(window->GetEditor(CProgramEditWindow::kEditorTimbreSynth1), nullptr);
    // Turned off, timbre 2's editors and the vocoder's do not open.
    EXPECT_EQ(window->OpenEditor(CProgramEditWindow::kEditorTimbreSynth2) != nullptr, true)
        << "the window itself opens what it is asked";
    window->CloseEditor(CProgramEditWindow::kEditorTimbreSynth2);
    page->OpenEditorAt(400, 200); // timbre 2's synth area
    page->OpenEditorAt(300, 440); // the vocoder area
    EXPECT_EQ(window->GetEditor(CProgramEditWindow::kEditorTimbreSynth2), nullptr);
    EXPECT_EQ(window->GetEditor(CProgramEditWindow::kEditorVocoder), nullptr);
    page->OpenEditorAt(100, 440); // the arpeggiator area
    EXPECT_NE(window->GetEditor(CProgramEditWindow::kEditorArpeggiator), nullptr);
    page->OpenEditorAt(200, 350); // timbre 1's EQ graph
    EXPECT_NE(window->GetEditor(CProgramEditWindow::kEditorTimbreEq1), nullptr);
}

TEST_F(ProgramEdit, TheProgramPageOnInitProgShowsItsControlsAndTexts)
{
    ASSERT_NE(Open(0), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    // The layout's controls, then the five drop areas.
    EXPECT_EQ(page->GetPageControlCount(), 58u);
    EXPECT_EQ(page->GetControlCount(), 58u);
    for (uint32_t id = 0; id < NvProgramEditLayout::kControlIdCount; ++id)
    {
        CHfcControl* control = page->GetFrameworkControl(id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetId(), id);
        const NvLayoutRect rect = NvProgramEditLayout::kControls[id].Rect();
        EXPECT_EQ(control->GetRect().left, rect.x) << NvProgramEditLayout::kControls[id].role;
        EXPECT_EQ(control->GetRect().top, rect.y) << NvProgramEditLayout::kControls[id].role;
    }
    const char* knobs[3] = {"Filter 1 Cutoff", "Filter 1 Resonance", "Filter 1 EG 1 Int"};
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(ShownText(page->GetFrameworkControl(NvProgramEditLayout::kIdKnobTexts + i)), knobs[i % 3])
            << i;
    EXPECT_EQ(ShownText(page->GetFrameworkControl(NvProgramEditLayout::kIdName)), "INITPROG");
    // The status lines from the program.
    EXPECT_EQ(page->MakeStatusLine(3), "");
    EXPECT_EQ(page->MakeStatusLine(0).rfind("Type: ", 0), 0u);
    SetValue(0, {8, 2, 0}, 1);
    SetValue(0, {7, 2, 0}, 1);
    EXPECT_EQ(page->MakeStatusLine(1), "[Latch]  [KeySync]");
    SetValue(0, {8, 2, 0}, 0);
    EXPECT_EQ(page->MakeStatusLine(1), "         [KeySync]");
    EXPECT_EQ(page->MakeStatusLine(4).rfind("Effect1: ", 0), 0u);
    EXPECT_EQ(page->MakeStatusLine(5).rfind("Effect2: ", 0), 0u);
    // The voice mode LED of the program's mode is the lit one.
    const int32_t mode = Value(0, kVoiceMode);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(page->GetPageControl(NvProgramEditLayout::kIdVoiceModeLeds + i)->GetValue(),
                  i == uint32_t(mode) ? 1 : 0);
}

// The filter graphs' plot boxes as the page places them; each control reaches 2 pixels above
// and left of its box and 4 below and right, and draws the page's background under itself.
// Once the user picks Single, timbre 2's graphs draw their colours at a fifth of their alpha.
TEST_F(ProgramEdit, TheFilterGraphsSitOnThePageAndTimbre2sGraphsDimWhenSingleIsPicked)
{
    SetValue(3, kVoiceMode, 1);
    SetValue(3, {2, 33, 0}, 0); // timbre 1's filter 2 unused: its graph shows only the background
    SetValue(3, {2, 33, 1}, 1);
    ASSERT_NE(Open(3), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    const struct
    {
        uint32_t id;
        int32_t x, y; // the plot box, 60 x 47
    } graphs[] = {
        {NvProgramEditLayout::kIdFilterAGraphs, 30, 250},
        {NvProgramEditLayout::kIdFilterBGraphs, 103, 250},
        {NvProgramEditLayout::kIdFilterAGraphs + 1, 323, 250},
        {NvProgramEditLayout::kIdFilterBGraphs + 1, 396, 250},
    };
    for (const auto& g : graphs)
    {
        const CHfcRect r = page->GetFrameworkControl(g.id)->GetRect();
        EXPECT_EQ(r.left, g.x - 2) << g.id;
        EXPECT_EQ(r.top, g.y - 2) << g.id;
        EXPECT_EQ(r.right, g.x + 60 + 4) << g.id;
        EXPECT_EQ(r.bottom, g.y + 47 + 4) << g.id;
    }
    {
        const CHfcRect r = page->GetFrameworkControl(NvProgramEditLayout::kIdFilterBGraphs)->GetRect();
        CHfcBmpLock shown(page->GetOffscreen()->GetBitmap());
        CHfcBmpLock background(GetBitmap("BG_ProgramEdit"));
        ASSERT_TRUE(shown.IsLocked() && background.IsLocked());
        int wrong = 0;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                wrong += std::memcmp(shown.View().Pixel(x, y), background.View().Pixel(x, y), 4) != 0;
        EXPECT_EQ(wrong, 0) << "pixels of the graph that are not the background beneath it";
    }

    // The user picks Single with its LED.
    const NvLayoutRect led = NvProgramEditLayout::kControls[NvProgramEditLayout::kIdVoiceModeLeds].Rect();
    const LPARAM at = MAKELPARAM(led.x + led.width / 2, led.y + led.height / 2);
    PostMessageW(window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(PumpUntil([&] { return Value(3, kVoiceMode) == 0; }));
    // The page takes the rules up on its next tick.
    StartTicks();
    ASSERT_TRUE(PumpUntil([&] { return !page->GetPageControl(NvProgramEditLayout::kIdFilterAGraphs + 1)->IsEnabled(); }));
    StopTicks();
    const uint32_t timbre2[] = {NvProgramEditLayout::kIdFilterAGraphs + 1,
                                NvProgramEditLayout::kIdFilterBGraphs + 1, NvProgramEditLayout::kIdEqGraphs + 1};
    const uint32_t timbre1[] = {NvProgramEditLayout::kIdFilterAGraphs, NvProgramEditLayout::kIdEqGraphs};
    const auto alphas = [page](uint32_t id)
    {
        RecordingDrawContext context;
        page->GetFrameworkControl(id)->Draw(&context);
        std::set<uint32_t> seen;
        for (const RecordedCall& c : context.calls)
            if (c.what == "LineTo" || c.what == "FillRect" || c.what == "DrawRect")
                seen.insert(c.color >> 24);
        return seen;
    };
    for (uint32_t id : timbre2)
    {
        EXPECT_FALSE(page->GetPageControl(id)->IsEnabled()) << id;
        EXPECT_EQ(alphas(id), std::set<uint32_t>{0x33}) << id; // 255 x 0.2
    }
    for (uint32_t id : timbre1)
        EXPECT_EQ(alphas(id), std::set<uint32_t>{0xFF}) << id;
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "program_edit_single",
                                     [] { PumpUntil([] { return false; }, 300); }));
}

TEST_F(ProgramEdit, TheMixerBarsShowTheLevelsAndTakeNoEdit)
{
    SetValue(1, {2, 30, 0}, 100);
    SetValue(1, {2, 32, 1}, 17);
    ASSERT_NE(Open(1), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    EXPECT_EQ(page->GetPageControl(NvProgramEditLayout::kIdMixerBars)->GetValue(), 100);
    EXPECT_EQ(page->GetPageControl(NvProgramEditLayout::kIdMixerBars + 5)->GetValue(), 17);
    // A press on a bar, through the window as the user makes it.
    const CProgram before = Program(1);
    const NvLayoutRect bar = NvProgramEditLayout::kControls[NvProgramEditLayout::kIdMixerBars].Rect();
    const LPARAM at = MAKELPARAM(bar.x + 5, bar.y + 5);
    SendMessageW(window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.x + 2, bar.y + 5));
    SendMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, at);
    page->OnValueChanged(page->GetFrameworkControl(NvProgramEditLayout::kIdMixerBars), 3);
    Deliver();
    EXPECT_EQ(std::memcmp(before.GetImage(), Program(1).GetImage(), before.GetImageSize()), 0);
    EXPECT_EQ(page->GetPageControl(NvProgramEditLayout::kIdMixerBars)->GetValue(), 100);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(bank.modifiedCalls, 0);
}

TEST_F(ProgramEdit, TheNameTakesPrintableAsciiUpToEightCharactersAndSendsEachOne)
{
    ASSERT_NE(Open(2), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    // Refused: bytes outside 32..126 leave the name, the modified mark and the wire alone.
    const char* refused[] = {"BAD\xE9NAME", "TAB\tNAME", "DEL\x7F"};
    for (const char* text : refused)
    {
        EXPECT_FALSE(page->SetProgramName(text)) << text;
        EXPECT_STREQ(Program(2).GetProgramName(), "INITPROG");
    }
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(bank.modifiedCalls, 0);

    // Typed in place: the field takes at most 8 characters, the commit reports them.
    ASSERT_TRUE(page->StartNameEditing());
    ASSERT_TRUE(page->GetNameField().IsEditing());
    for (const char* c = "Pad too long"; *c; ++c)
        page->GetNameField().OnKeyFocusCharacter(static_cast<unsigned char>(*c));
    page->EndTextEntry();
    EXPECT_FALSE(page->GetNameField().IsEditing());
    EXPECT_STREQ(Program(2).GetProgramName(), "PAD TOO");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Program(2).GetImage()), 8), "PAD TOO ");
    EXPECT_EQ(ShownText(page->GetFrameworkControl(NvProgramEditLayout::kIdName)), "PAD TOO");
    EXPECT_TRUE(bank.modified);
    std::vector<std::string> expected;
    for (uint32_t i = 0; i < 8; ++i)
        expected.push_back(ParameterChange(kChannel, {0, i, 0}, "PAD TOO "[i]));
    EXPECT_EQ(Sent(), expected);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(window->GetHwnd()) == L"Untitled [A13:PAD TOO]"; }));
}

TEST_F(ProgramEdit, TheNamesCaretBlinksWithTheWindowsTicksOnceADoubleClickStartsTheEdit)
{
    ASSERT_NE(Open(3), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    const CHfcRect& r = page->GetFrameworkControl(NvProgramEditLayout::kIdName)->GetRect();
    const LPARAM at = MAKELPARAM(page->GetRect().left + r.left + r.GetWidth() / 2,
                                 page->GetRect().top + r.top + r.GetHeight() / 2);
    PostMessageW(window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, at);
    PostMessageW(window->GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, at);
    CCustomEditText& name = page->GetNameField();
    ASSERT_TRUE(PumpUntil([&] { return name.IsEditing(); }));
    EXPECT_TRUE(name.IsCaretShown());
    // Every 250 ms of ticks the caret turns: off, then on again.
    StartTicks();
    EXPECT_TRUE(PumpUntil([&] { return !name.IsCaretShown(); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return name.IsCaretShown(); }, 5000));
    StopTicks();
}

TEST_F(ProgramEdit, AValueTextEditGoesThroughTheValuePathToTheInstrument)
{
    ASSERT_NE(Open(9), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    const CZmParameterId octave = {0, 43, 0};
    auto* text = page->GetPageControl(NvProgramEditLayout::kIdValueTexts + 1);
    page->OnValueChanged(page->GetFrameworkControl(NvProgramEditLayout::kIdValueTexts + 1),
                         text->ValueToPosition(2));
    EXPECT_EQ(Value(9, octave), 2);
    EXPECT_EQ(Sent(), std::vector<std::string>{ParameterChange(kChannel, octave, 2)});
    EXPECT_TRUE(bank.modified);
    EXPECT_EQ(ShownText(page->GetFrameworkControl(NvProgramEditLayout::kIdValueTexts + 1)), "+2");
}

TEST_F(ProgramEdit, AKnobAssignTextChoosesFromTheMenuAndOnlyAChangeIsWrittenAndSent)
{
    SetValue(4, {2, 89, 1}, 1); // LFO 2 of timbre 2 synchronised
    ASSERT_NE(Open(4), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    CHfcControl* knob2 = page->GetFrameworkControl(NvProgramEditLayout::kIdKnobTexts + 4); // timbre 2, knob 2
    const CZmParameterId id = {1, 23, 1};
    const int32_t current = Value(4, id);

    popups.answer = -1; // dismissed
    EXPECT_TRUE(page->OnControlLButtonDown(knob2, 3, 3, 0));
    EXPECT_EQ(popups.shownCurrent, current);
    EXPECT_FALSE(popups.shownLfo1);
    EXPECT_TRUE(popups.shownLfo2);
    popups.answer = current; // the value already set
    EXPECT_TRUE(page->OnControlLButtonDown(knob2, 3, 3, 0));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(bank.modifiedCalls, 0);

    popups.answer = 40;
    EXPECT_TRUE(page->OnControlLButtonDown(knob2, 3, 3, 0));
    EXPECT_EQ(Value(4, id), 40);
    EXPECT_EQ(Sent(), std::vector<std::string>{ParameterChange(kChannel, id, 40)});
    EXPECT_EQ(bank.modifiedCalls, 1);
    char text[256] = {};
    CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&Program(4), id, text, sizeof text);
    EXPECT_EQ(ShownText(knob2), text);
    EXPECT_EQ(popups.calls, 3);
}

TEST_F(ProgramEdit, TheFiveDropAreasFollowTheStatusLinesAndTakeTheirSectionsBlocks)
{
    SetValue(11, kVoiceMode, 0);
    ASSERT_NE(Open(11), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    ASSERT_EQ(page->GetPageControlCount(), 58u);
    const struct
    {
        uint32_t kind, index;
    } blocks[5] = {
        {kBlockTimbre, 0}, {kBlockTimbre, 1}, {kBlockArp, 0}, {kBlockVocoder, 0}, {kBlockMfxSet, 0}};
    for (uint32_t area = 0; area < 5; ++area)
    {
        const uint32_t id = NvProgramEditLayout::kControlIdCount + area;
        CHfcControl* control = page->GetFrameworkControl(id);
        ASSERT_NE(control, nullptr) << area;
        EXPECT_EQ(control->GetId(), id);
        EXPECT_EQ(page->GetCode(id), uint32_t{CProgramEditLayer::kCodeDropArea});
        EXPECT_EQ(control->GetUserValue(), uint32_t{CEditLayerBase::kEventBlockSource});
        const NvLayoutRect& rect = NvProgramEditLayout::kDropAreas[area];
        EXPECT_EQ(control->GetRect().left, rect.x) << area;
        EXPECT_EQ(control->GetRect().top, rect.y) << area;
        EXPECT_EQ(control->GetRect().GetWidth(), rect.width) << area;
        EXPECT_EQ(control->GetRect().GetHeight(), rect.height) << area;
        // A drag from the area carries its section.
        CCustomControl* custom = page->GetEditorControl(id);
        ASSERT_NE(custom, nullptr) << area;
        EXPECT_EQ(custom->GetExtra(), static_cast<int32_t>(blocks[area].kind)) << area;
        EXPECT_EQ(custom->GetTag(), static_cast<int32_t>(blocks[area].index)) << area;
    }
    // Timbre 2's area works only while timbre 2 does.
    EXPECT_FALSE(page->GetPageControl(NvProgramEditLayout::kControlIdCount + 1)->IsEnabled());
    EXPECT_TRUE(page->GetPageControl(NvProgramEditLayout::kControlIdCount)->IsEnabled());

    // A block dropped on an area from another program reaches the page's paste.
    SetValue(12, {8, 1, 0}, 3); // another arpeggiator type
    CBlockData arp;
    ASSERT_TRUE(arp.WriteArp(Program(12)));
    CHfcControl* arpArea = page->GetFrameworkControl(NvProgramEditLayout::kControlIdCount + 2);
    EXPECT_FALSE(page->OnDropBlock(page->GetFrameworkControl(NvProgramEditLayout::kControlIdCount + 3),
                                   nullptr, arp, CEditLayerBase::kDropForeign))
        << "the vocoder area takes no arpeggiator";
    EXPECT_TRUE(page->OnDropBlock(arpArea, nullptr, arp, CEditLayerBase::kDropForeign));
    EXPECT_EQ(Value(11, {8, 1, 0}), 3);
    EXPECT_FALSE(Sent().empty());

    SetValue(11, kVoiceMode, 1);
    page->RefreshAllControls();
    EXPECT_TRUE(page->GetPageControl(NvProgramEditLayout::kControlIdCount + 1)->IsEnabled());
}

TEST_F(ProgramEdit, ASectionDropPastesAMoveSwapsTimbresAndADropOfNothingNewDoesNothing)
{
    SetValue(6, kVoiceMode, 1);
    SetValue(6, {2, 36, 0}, 30); // timbre 1's cutoff
    SetValue(6, {2, 36, 1}, 90); // timbre 2's
    ASSERT_NE(Open(6), nullptr);
    CProgramEditLayer* page = window->GetLayer();
    const auto timbre = [&](uint32_t t)
    {
        CBlockData block;
        EXPECT_TRUE(block.WriteTimbre(Program(6), t));
        return std::vector<uint8_t>(block.GetPayload(), block.GetPayload() + block.GetPayloadSize());
    };
    const std::vector<uint8_t> first = timbre(0), second = timbre(1);
    ASSERT_NE(first, second);

    // A move of timbre 1 onto timbre 2's area swaps the two, and the program goes out.
    CBlockData dragged;
    ASSERT_TRUE(dragged.WriteTimbre(Program(6), 0));
    EXPECT_TRUE(page->DropBlock(1, dragged, true));
    EXPECT_EQ(timbre(0), second);
    EXPECT_EQ(timbre(1), first);
    EXPECT_EQ(bank.modifiedCalls, 1);
    EXPECT_FALSE(Sent().empty());
    EXPECT_EQ(Value(6, {2, 36, 0}), 90);

    // A copy of what timbre 2 already holds changes nothing: nothing marked, nothing sent.
    ClearSent();
    CBlockData same;
    ASSERT_TRUE(same.WriteTimbre(Program(6), 1));
    EXPECT_TRUE(page->DropBlock(1, same, false));
    EXPECT_TRUE(page->DropBlock(0, dragged, true)) << "a move onto its own timbre";
    Deliver();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(bank.modifiedCalls, 1);

    // Refused: a block of another kind, and timbre 2 while the program is Single.
    CBlockData arp;
    ASSERT_TRUE(arp.WriteArp(Program(6)));
    EXPECT_FALSE(page->DropBlock(0, arp, false));
    EXPECT_TRUE(page->DropBlock(2, arp, false));
    SetValue(6, kVoiceMode, 0);
    EXPECT_FALSE(page->DropBlock(1, dragged, false));
    EXPECT_EQ(timbre(1), first);
}

TEST_F(EditorWindowTest, TheKnobAssignMenuHasOffAndTenCategoriesWithTheCurrentValueChecked)
{
    for (const bool synced : {false, true})
    {
        CKnobAssignMenu menu(9, synced, synced);
        ASSERT_TRUE(menu.Build());
        HMENU top = menu.GetTopMenu()->GetMenu();
        ASSERT_EQ(GetMenuItemCount(top), 11);
        EXPECT_EQ(GetMenuItemID(top, 0), 1u);
        EXPECT_EQ(MenuText(top, 0), L"Off");
        EXPECT_EQ(MenuText(top, 1), L"Oscillator");
        EXPECT_EQ(MenuText(top, 10), L"Vocoder");
        const int sizes[10] = {8, 7, 3, 8, 2, 6, 2, 6, 3, 9};
        UINT expectedId = 2;
        int checked = 0;
        for (int c = 0; c < 10; ++c)
        {
            HMENU sub = GetSubMenu(top, c + 1);
            ASSERT_NE(sub, nullptr) << c;
            EXPECT_EQ(sub, menu.GetCategoryMenu(c)->GetMenu());
            ASSERT_EQ(GetMenuItemCount(sub), sizes[c]) << c;
            for (int p = 0; p < sizes[c]; ++p, ++expectedId)
            {
                EXPECT_EQ(GetMenuItemID(sub, p), expectedId);
                if (GetMenuState(sub, p, MF_BYPOSITION) & MF_CHECKED)
                {
                    ++checked;
                    EXPECT_EQ(expectedId, 10u) << "value 9 is id 10";
                }
                if (expectedId == 29)
                {
                    EXPECT_EQ(MenuText(sub, p) == L"LFO 2 Sync Note", synced);
                }
                if (expectedId == 28)
                {
                    EXPECT_EQ(MenuText(sub, p) == L"LFO 1 Sync Note", synced);
                }
            }
        }
        EXPECT_EQ(expectedId, 56u) << "values 1..54";
        EXPECT_EQ(checked, 1);
    }
    // Value 0: no item carries the check mark.
    CKnobAssignMenu off(0, false, false);
    ASSERT_TRUE(off.Build());
    for (int c = 0; c < 10; ++c)
        for (int p = 0; p < GetMenuItemCount(GetSubMenu(off.GetTopMenu()->GetMenu(), c + 1)); ++p)
            EXPECT_FALSE(GetMenuState(GetSubMenu(off.GetTopMenu()->GetMenu(), c + 1), p, MF_BYPOSITION) &
                         MF_CHECKED);
    EXPECT_FALSE(GetMenuState(off.GetTopMenu()->GetMenu(), 0, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(EditorWindowTest, TheKnobAssignMenuDismissedAnswersMinusOne)
{
    // The menu's own loop runs the thread's timer, which dismisses it.
    const UINT_PTR timerId = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    CKnobAssignMenu menu(9, false, true);
    EXPECT_EQ(menu.Show(10, 10, frame->GetHwnd()), -1);
    KillTimer(nullptr, timerId);
    EXPECT_EQ(menu.GetTopMenu(), nullptr) << "destroyed after the show";
}

namespace
{
class ArpEdit : public ProgramEdit
{
protected:
    CArpEditLayer* OpenArp(int32_t n)
    {
        if (!Open(n))
            return nullptr;
        arp = static_cast<CArpEditWindow*>(window->OpenEditor(CProgramEditWindow::kEditorArpeggiator));
        ClearSent();
        return arp ? arp->GetLayer() : nullptr;
    }
    std::vector<int32_t> Steps(int32_t n)
    {
        std::vector<int32_t> steps;
        for (uint32_t i = 0; i < 8; ++i)
            steps.push_back(Value(n, {8, 9 + i, 0}));
        return steps;
    }
    void SetSteps(int32_t n, const std::vector<int32_t>& steps)
    {
        for (uint32_t i = 0; i < 8; ++i)
            SetValue(n, {8, 9 + i, 0}, steps[i]);
    }
    CArpEditWindow* arp = nullptr;
};
} // namespace

TEST_F(ArpEdit, TheArpeggiatorPageHasItsNineteenControlsAndValueDisplay)
{
    CArpEditLayer* page = OpenArp(10);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(arp->GetKind(), 12u);
    EXPECT_EQ(page->GetPageControlCount(), 19u);
    for (uint32_t id = 0; id < 19; ++id)
    {
        const NvLayoutRect rect = NvArpEditLayout::kControls[id].Rect();
        EXPECT_EQ(page->GetFrameworkControl(id)->GetRect().left, rect.x)
            << NvArpEditLayout::kControls[id].role;
        EXPECT_EQ(page->GetFrameworkControl(id)->GetRect().top, rect.y)
            << NvArpEditLayout::kControls[id].role;
    }
    ASSERT_NE(arp->GetValueDisplayLayer(), nullptr);
    // The gate time knob through the value path.
    const CZmParameterId gate = {8, 5, 0};
    CCustomControl* knob = page->GetPageControl(NvArpEditLayout::kIdGateTime);
    EXPECT_EQ(knob->GetMaximum(), CZmProgramAccessorSingleton::Get()->GetMax(&Program(10), gate));
    page->OnValueChanged(page->GetFrameworkControl(NvArpEditLayout::kIdGateTime), knob->ValueToPosition(33));
    EXPECT_EQ(Value(10, gate), 33);
    EXPECT_EQ(Sent(), std::vector<std::string>{ParameterChange(kChannel, gate, 33)});
}

TEST_F(ArpEdit, RotatingTheStepsWritesAndSendsEachOfTheEight)
{
    CArpEditLayer* page = OpenArp(11);
    ASSERT_NE(page, nullptr);
    const std::vector<int32_t> onlyFirst = {1, 0, 0, 0, 0, 0, 0, 0};
    SetSteps(11, onlyFirst);
    // Through the left arrow's report.
    page->OnValueChanged(page->GetFrameworkControl(NvArpEditLayout::kIdRotateLeft), 0);
    EXPECT_EQ(Steps(11), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 1}));
    std::vector<std::string> expected;
    for (uint32_t i = 0; i < 8; ++i)
        expected.push_back(ParameterChange(kChannel, {8, 9 + i, 0}, i == 7 ? 1 : 0));
    EXPECT_EQ(Sent(), expected);
    EXPECT_TRUE(bank.modified);
    EXPECT_EQ(page->GetPageControl(NvArpEditLayout::kIdSteps + 7)->GetValue(), 1);
    EXPECT_EQ(page->GetPageControl(NvArpEditLayout::kIdSteps)->GetValue(), 0);

    SetSteps(11, onlyFirst);
    ClearSent();
    page->OnValueChanged(page->GetFrameworkControl(NvArpEditLayout::kIdRotateRight), 0);
    EXPECT_EQ(Steps(11), (std::vector<int32_t>{0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Sent().size(), 8u);

    // Eight lefts give the pattern back; a left and a right cancel out.
    const std::vector<int32_t> pattern = {1, 1, 0, 1, 0, 0, 1, 0};
    SetSteps(11, pattern);
    for (int i = 0; i < 8; ++i)
        page->RotateSteps(true);
    EXPECT_EQ(Steps(11), pattern);
    page->RotateSteps(true);
    EXPECT_EQ(Steps(11), (std::vector<int32_t>{1, 0, 1, 0, 0, 1, 0, 1}));
    page->RotateSteps(false);
    EXPECT_EQ(Steps(11), pattern);
}

TEST_F(ArpEdit, TheRightArrowClickedWritesAndSendsStepEightDownToTwoThenStepOne)
{
    CArpEditLayer* page = OpenArp(11);
    ASSERT_NE(page, nullptr);
    SetSteps(11, {1, 0, 1, 0, 0, 0, 0, 1});
    page->RefreshAllControls();
    const CHfcRect& r = page->GetFrameworkControl(NvArpEditLayout::kIdRotateRight)->GetRect();
    const LPARAM at = MAKELPARAM(r.left + r.GetWidth() / 2, r.top + r.GetHeight() / 2);
    PostMessageW(arp->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(arp->GetHwnd(), WM_LBUTTONUP, 0, at);
    const std::vector<int32_t> rotated = {1, 1, 0, 1, 0, 0, 0, 0};
    EXPECT_TRUE(PumpUntil([&] { return Steps(11) == rotated; }));
    std::vector<std::string> expected;
    for (uint32_t n = 8; n >= 1; --n)
        expected.push_back(ParameterChange(kChannel, {8, 8 + n, 0}, rotated[n - 1]));
    EXPECT_EQ(Sent(), expected);
}

TEST_F(ArpEdit, EveryValueTextMovesOneValueAWheelNotchAndOneAStepOfDrag)
{
    CArpEditLayer* page = OpenArp(12);
    ASSERT_NE(page, nullptr);
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    const CZmParameterId texts[5] = {{8, 1, 0}, {8, 0, 0}, {8, 3, 0}, {8, 4, 0}, {0, 36, 0}};
    for (uint32_t i = 0; i < 5; ++i)
    {
        const CZmParameterId id = texts[i];
        SCOPED_TRACE(NvArpEditLayout::kControls[NvArpEditLayout::kIdValueTexts + i].role);
        const int32_t minimum = accessor->GetMin(&Program(12), id), maximum = accessor->GetMax(&Program(12), id);
        ASSERT_LT(minimum, maximum);
        const int32_t step = std::clamp(127 / (maximum - minimum), 1, 12);
        SetValue(12, id, minimum);
        page->RefreshAllControls();
        const CHfcRect& r = page->GetFrameworkControl(NvArpEditLayout::kIdValueTexts + i)->GetRect();
        POINT middle = {r.left + r.GetWidth() / 2, r.top + r.GetHeight() / 2};
        POINT screen = middle;
        ClientToScreen(arp->GetHwnd(), &screen);
        // One notch up, one value.
        PostMessageW(arp->GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
        EXPECT_TRUE(PumpUntil([&] { return Value(12, id) == minimum + 1; }, 5000)) << Value(12, id);
        // A list's press opens its value list; the others drag: 2 x step pixels a value (the
        // record's step is stored doubled), so 3 values' pixels less one make two values.
        if (accessor->GetKind(&Program(12), id) == 3)
            continue;
        const auto at = [&](int32_t dy) { return MAKELPARAM(middle.x, middle.y - dy); };
        PostMessageW(arp->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(0));
        const int32_t pixels = 2 * step;
        for (int32_t dy = 1; dy < 3 * pixels; ++dy)
            PostMessageW(arp->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(dy));
        PostMessageW(arp->GetHwnd(), WM_LBUTTONUP, 0, at(3 * pixels - 1));
        PumpUntil([] { return false; }, 300);
        EXPECT_EQ(Value(12, id), std::min(maximum, minimum + 1 + 2)) << "step " << step;
    }
}

TEST_F(ArpEdit, ScreenshotsOfTheProgramPageAndTheArpeggiatorEditor)
{
    // A program with something to show: layer mode, vocoder on, levels and names of its own.
    SetValue(12, kVoiceMode, 1);
    SetValue(12, kVocoderSwitch, 1);
    SetValue(12, {7, 1, 0}, 1);
    SetValue(12, {2, 19, 1}, 2);
    SetValue(12, {2, 31, 0}, 90);
    SetValue(12, {2, 32, 1}, 40);
    SetValue(12, {8, 2, 0}, 1);
    SetValue(12, {2, 36, 0}, 70); // a filter curve with a peak, and filter 2 in series
    SetValue(12, {2, 37, 0}, 80);
    SetValue(12, {2, 33, 0}, 1);
    SetValue(12, {2, 42, 0}, 90);
    SetSteps(12, {1, 0, 1, 1, 0, 1, 0, 1});
    Program(12).SetProgramName("DEMO PAD");
    Program(12).RefreshName();
    CArpEditLayer* page = OpenArp(12);
    ASSERT_NE(page, nullptr);
    const auto settle = [] { PumpUntil([] { return false; }, 300); };
    MoveWindow(window->GetHwnd(), 0, 0, 1, 1, FALSE); // placed by the base below
    SetWindowPos(arp->GetHwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(SaveWindowScreenshot(arp->GetHwnd(), "arpeggiator_editor", settle));
    window->CloseEditor(CProgramEditWindow::kEditorArpeggiator);
    RECT outer = {0, 0, CProgramEditWindow::kWidth, CProgramEditWindow::kHeight};
    AdjustWindowRectEx(&outer, GetWindowLongW(window->GetHwnd(), GWL_STYLE), FALSE,
                       GetWindowLongW(window->GetHwnd(), GWL_EXSTYLE));
    MoveWindow(window->GetHwnd(), 0, 0, outer.right - outer.left, outer.bottom - outer.top, TRUE);
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "program_edit", settle));
}
