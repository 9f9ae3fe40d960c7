// The vocoder page on a program in a test window: its controls where the layout puts them,
// the formant shift LEDs, edits through the value path to the instrument, and the read-only
// hold bars that redraw only when the hold data change.
#include "PageWindowFixture.h"

#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/graphs/CCustomValueBar.h"
#include "editor/layout/VocoderEditLayout.h"
#include "editor/pages/vocoder/CVocoderEditLayer.h"

#include <cstring>

namespace
{
const CZmParameterId kFormantShift = {5, 14, 0};
const CZmParameterId kEfSens = {5, 19, 0};

class VocoderPage : public PageTest<CVocoderEditLayer, CBaseWindow::kKindVocoderEdit>
{
protected:
    CVocoderEditLayer& Page() { return *window.page; }
    CHfcControl* Control(uint32_t id) { return Page().FindControl(id); }
    std::vector<int32_t> LitLeds()
    {
        std::vector<int32_t> lit;
        for (uint32_t i = 0; i < 5; ++i)
            if (Page().GetShiftLed(i)->CCustomControl::IsEnabled() && Page().GetShiftLed(i)->GetValue() == 1)
                lit.push_back(static_cast<int32_t>(i));
        return lit;
    }
};

TEST_F(VocoderPage, MakesItsSixtySevenControlsWhereTheLayoutPutsThemBoundToTheirParameters)
{
    EXPECT_EQ(Page().GetEditorControlCount(), 67u);
    EXPECT_EQ(Page().GetControlCount(), 67u);
    for (uint32_t id = 0; id < 67; ++id)
    {
        CHfcControl* control = Control(id);
        ASSERT_NE(control, nullptr) << id;
        const NvLayoutControl& place = NvVocoderEditLayout::kControls[id];
        EXPECT_EQ(control->GetRect().left, place.x) << place.role;
        EXPECT_EQ(control->GetRect().top, place.y) << place.role;
        EXPECT_EQ(control->GetRect().GetWidth(), place.Rect().width) << place.role;
        EXPECT_EQ(control->GetRect().GetHeight(), place.Rect().height) << place.role;
    }
    struct Case
    {
        uint32_t id, index, word4;
    };
    // A row of each kind, hand-written: the table's ends and a band in the middle.
    const Case cases[] = {{0, 6, 0},   {1, 15, 0},  {2, 2, 0},   {3, 7, 2},   {8, 19, 2},
                          {13, 16, 2}, {14, 21, 5}, {29, 36, 5}, {30, 37, 6}, {36, 43, 6},
                          {45, 52, 6}, {46, 14, 0}, {50, 14, 0}, {51, 53, 0}, {66, 68, 0}};
    for (const Case& c : cases)
    {
        uint32_t words[5] = {};
        Page().GetEditorControl(c.id)->GetParameterAddress(words);
        EXPECT_EQ(words[0], 5u) << c.id;
        EXPECT_EQ(words[1], c.index) << c.id;
        EXPECT_EQ(words[4], c.word4) << c.id;
    }
    // The knobs and faders take the parameter's range from the accessor.
    auto* pan = dynamic_cast<CCustomKnob*>(Control(14));
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(pan->GetMinimum(), CZmProgramAccessorSingleton::Get()->GetMin(&program, {5, 21, 0}));
    EXPECT_EQ(pan->GetMaximum(), CZmProgramAccessorSingleton::Get()->GetMax(&program, {5, 21, 0}));
}

// Every control's place and binding, from the page's description: its rows as written there
// (a band row stands for 16 controls a step apart), not the layout the page is built from.
TEST_F(VocoderPage, EveryControlSitsAndIsBoundAsThePagesRowsSay)
{
    const struct
    {
        uint32_t count;
        int32_t x, y, dx, dy;
        uint32_t index, indexStep, word4;
    } rows[] = {
        {1, 93, 82, 0, 0, 6, 0, 0},     {1, 281, 82, 0, 0, 15, 0, 0},   {1, 91, 181, 0, 0, 2, 0, 0},
        {1, 95, 123, 0, 0, 7, 0, 2},    {1, 153, 123, 0, 0, 8, 0, 2},   {1, 416, 158, 0, 0, 10, 0, 2},
        {1, 153, 173, 0, 0, 9, 0, 2},   {1, 338, 173, 0, 0, 18, 0, 2},  {1, 283, 173, 0, 0, 19, 0, 2},
        {1, 338, 124, 0, 0, 17, 0, 2},  {1, 28, 158, 0, 0, 12, 0, 2},   {1, 28, 88, 0, 0, 11, 0, 2},
        {1, 416, 88, 0, 0, 13, 0, 2},   {1, 283, 124, 0, 0, 16, 0, 2},  {16, 78, 249, 37, 0, 21, 1, 5},
        {16, 79, 290, 37, 0, 37, 1, 6}, {5, 222, 103, 0, 13, 14, 0, 0}, {16, 479, 86, 12, 0, 53, 1, 0},
    };
    uint32_t id = 0;
    for (const auto& row : rows)
        for (uint32_t k = 0; k < row.count; ++k, ++id)
        {
            CHfcControl* control = Control(id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_EQ(control->GetRect().left, row.x + row.dx * static_cast<int32_t>(k)) << id;
            EXPECT_EQ(control->GetRect().top, row.y + row.dy * static_cast<int32_t>(k)) << id;
            uint32_t words[5] = {};
            Page().GetEditorControl(id)->GetParameterAddress(words);
            EXPECT_EQ(words[0], 5u) << id;
            EXPECT_EQ(words[1], row.index + row.indexStep * k) << id;
            EXPECT_EQ(words[2], 0u) << id;
            EXPECT_EQ(words[4], row.word4) << id;
        }
    EXPECT_EQ(id, Page().GetControlCount());
    // The band level faders are 22 x 95, the hold bars 12 x 96.
    EXPECT_EQ(Control(30)->GetRect().GetWidth(), 22);
    EXPECT_EQ(Control(30)->GetRect().GetHeight(), 95);
    EXPECT_EQ(Control(66)->GetRect().GetWidth(), 12);
    EXPECT_EQ(Control(66)->GetRect().GetHeight(), 96);
}

TEST_F(VocoderPage, OnlyTheFormantShiftLedOfTheStoredValueIsLit)
{
    EXPECT_EQ(Value(kFormantShift), 0) << "INITPROG";
    EXPECT_EQ(LitLeds(), std::vector<int32_t>({2})) << "0 lights the middle LED (222, 129)";
    EXPECT_EQ(Page().GetShiftLed(2)->GetRect().top, 129);
    const struct
    {
        int32_t shift, led;
    } cases[] = {{2, 0}, {1, 1}, {-1, 3}, {-2, 4}, {0, 2}};
    for (const auto& c : cases)
    {
        SetProgramValue(kFormantShift, c.shift);
        Page().RefreshValues();
        EXPECT_EQ(LitLeds(), std::vector<int32_t>({c.led})) << c.shift;
    }
}

TEST_F(VocoderPage, EditsReachTheInstrumentAsParameterChangesOfExactlyTheirField)
{
    struct Case
    {
        uint32_t id;
        CZmParameterId parameter;
        int32_t value;
    };
    const Case cases[] = {
        {3, {5, 7, 0}, 90},   // Gate Sens knob
        {16, {5, 23, 0}, 20}, // Band 3 Pan
        {34, {5, 41, 0}, 55}, // Band 5 Level fader
        {0, {5, 6, 0}, 1},    // Audio In Source field
    };
    for (const Case& c : cases)
    {
        ClearSent();
        library.modifiedCalls = 0;
        const CProgram before = program;
        CCustomControl* custom = Page().GetEditorControl(c.id);
        Page().OnValueChanged(Control(c.id), custom->ValueToPosition(c.value));
        EXPECT_EQ(Value(c.parameter), c.value) << c.id;
        CProgram restored = program;
        CZmProgramAccessorSingleton::Get()->SetValue(
            &restored, c.parameter, CZmProgramAccessorSingleton::Get()->GetValue(&before, c.parameter));
        EXPECT_EQ(std::memcmp(restored.GetImage(), before.GetImage(), before.GetImageSize()), 0) << c.id;
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(c.parameter, c.value)})) << c.id;
        EXPECT_EQ(library.modifiedCalls, 1) << c.id;
        EXPECT_EQ(custom->GetValue(), c.value) << c.id;
    }
    // The value field shows the value's name.
    char shown[64] = {}, expected[64] = {};
    Page().GetEditorControl(0)->GetText(shown, sizeof shown);
    CZmProgramAccessorSingleton::Get()->GetCurrentValueText(&program, {5, 6, 0}, expected, sizeof expected);
    EXPECT_STREQ(shown, expected);

    // A press on the -1 LED writes -1 and lights it alone; its release writes nothing.
    ClearSent();
    Page().OnValueChanged(Page().GetShiftLed(3), 0);
    EXPECT_TRUE(Sent().empty());
    Page().OnValueChanged(Page().GetShiftLed(3), static_cast<int32_t>(CCustomControl::kPressBit));
    EXPECT_EQ(Value(kFormantShift), -1);
    EXPECT_EQ(LitLeds(), std::vector<int32_t>({3}));
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kFormantShift, -1)}));
}

// A right-click on a vocoder control offers the knobs without a timbre: the choice assigns
// timbre 1's knob, and the vocoder level keeps its value.
TEST_F(VocoderPage, ARightClickAssignsTheVocoderLevelToTimbreOnesKnob)
{
    const CZmParameterId level = {5, 13, 0}, knob3 = {1, 24, 0};
    CHfcControl* control = nullptr;
    for (size_t i = 0; i < Page().GetControlCount() && !control; ++i)
        if (CCustomControl* custom = Page().GetEditorControl(Page().GetControl(i)->GetId());
            custom && Page().GetControlParameter(custom) == level)
            control = Page().GetControl(i);
    ASSERT_NE(control, nullptr);
    const CProgram before = program;
    popups.answer = 2;
    const CHfcRect r = control->GetRect();
    const LPARAM at = MAKELPARAM(r.left + r.GetWidth() / 2, r.top + r.GetHeight() / 2);
    SendMessageW(window.GetHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(window.GetHwnd(), WM_RBUTTONUP, 0, at);
    EXPECT_EQ(popups.wideItems,
              std::vector<std::string>({"Assign to Knob 1", "Assign to Knob 2", "Assign to Knob 3"}));
    EXPECT_EQ(Value(knob3), 54);
    EXPECT_EQ(Value(level), CZmProgramAccessorSingleton::Get()->GetValue(&before, level));
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(knob3, 54)}));
}

TEST_F(VocoderPage, HoldBarsAreReadOnlyAndRedrawOnlyWhenAHoldValueChanges)
{
    const uint32_t updates = Page().GetHoldUpdateCount();
    EXPECT_GE(updates, 1u) << "shown once on creation";
    for (int i = 0; i < 3; ++i)
        Page().RefreshValues();
    Page().RefreshAllControls();
    EXPECT_EQ(Page().GetHoldUpdateCount(), updates) << "unchanged hold data redraw nothing";

    // Enabled only while E.F. Sens is 127.
    SetProgramValue(kEfSens, 127);
    Page().RefreshValues();
    EXPECT_TRUE(Page().GetHoldBar(0)->CCustomControl::IsEnabled());
    SetProgramValue(kEfSens, 100);
    Page().RefreshValues();
    EXPECT_FALSE(Page().GetHoldBar(15)->CCustomControl::IsEnabled());

    SetProgramValue({5, 60, 0}, 20000); // Band 8
    Page().RefreshValues();
    EXPECT_EQ(Page().GetHoldUpdateCount(), updates + 1);
    EXPECT_EQ(Page().GetHoldBar(7)->GetValue(), Value({5, 60, 0}));
    Page().RefreshValues();
    EXPECT_EQ(Page().GetHoldUpdateCount(), updates + 1);

    // A press or a reported drag on a bar changes nothing and sends nothing.
    ClearSent();
    const CProgram before = program;
    CCustomValueBar* bar = Page().GetHoldBar(7);
    EXPECT_TRUE(Page().OnControlLButtonDown(bar, 5, 5, 0));
    Page().OnValueChanged(bar, 100);
    Deliver();
    EXPECT_EQ(std::memcmp(program.GetImage(), before.GetImage(), before.GetImageSize()), 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(library.modifiedCalls, 0);
}

TEST_F(VocoderPage, ScreenshotOnAProgram)
{
    SetProgramValue(kEfSens, 127);
    SetProgramValue(kFormantShift, 1);
    for (uint32_t k = 0; k < 16; ++k)
    {
        SetProgramValue({5, 21 + k, 0}, static_cast<int32_t>(k * 8));
        SetProgramValue({5, 37 + k, 0}, static_cast<int32_t>(127 - k * 6));
        SetProgramValue({5, 53 + k, 0}, static_cast<int32_t>((k * 5000) % 32768));
    }
    Page().RefreshValues();
    EXPECT_TRUE(Screenshot("vocoder_edit"));
}
} // namespace
