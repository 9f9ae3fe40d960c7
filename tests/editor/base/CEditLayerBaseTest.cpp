// The value path of the edit pages end to end: a control's report goes through the program
// accessor into the program, marks the library window modified, posts notification 7 and
// reaches the simulated instrument as a 12-byte parameter change.
#include "EditorWindowFixture.h"

#include "app/Notifications.h"
#include "app/protocol/MidiProtocol.h"
#include "editor/base/CMessageWindowLayer.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/math/EqResponse.h"

#include "editor/base/CEditLayerBase.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomSwitch.h"
#include "framework/CEfResourceManager.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "support/RecordingLibraryWindow.h"

#include <cstring>

namespace
{
const CZmParameterId kTranspose = {2, 16, 0};    // -48 .. 48
const CZmParameterId kLfoSync = {2, 82, 1};      // a switch, timbre 1
const CZmParameterId kWsPosition = {2, 48, 0};   // a list of two values
const CZmParameterId kFormantShift = {5, 14, 0}; // -2 .. 2, one LED per value
constexpr int32_t kShiftNumbers[5] = {2, 1, 0, -1, -2};

using LibraryWindow = RecordingLibraryWindow;

class EditWindow : public CBaseWindow
{
public:
    explicit EditWindow(CBaseWindow* bank) : CBaseWindow(kKindProgramEdit, bank) {}
    bool OnCreate() override
    {
        if (!CBaseWindow::OnCreate())
            return false;
        auto page = std::make_unique<CEditLayerBase>();
        if (!page->Create(0, 0, 300, 200, this))
            return false;
        AddLayer(page.get(), false);
        page->Show(false);
        layer = page.get();
        SetMainLayer(std::move(page));
        return CreateMessageLayer();
    }
    CEditLayerBase* layer = nullptr;
};

class ScriptedPopups : public CEditorPopupPresenter
{
public:
    int32_t ChooseItem(HWND, int32_t, int32_t, const std::vector<std::string>& shown,
                       int32_t checkedItem) override
    {
        items = shown;
        checked = checkedItem;
        return answer;
    }
    std::vector<std::string> items;
    int32_t checked = -2;
    int32_t answer = -1;
};

// Notifications of code 7 as "program <n> of <document>".
class Updates : public CWindowManagerListener
{
public:
    bool OnWindowManagerNotify(CWindowManager*, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void*) override
    {
        if (const auto changed = Notify::Read<Notify::ParameterChanged>(code, p1, p2, p3, p4))
            lines.push_back("program " + std::to_string(changed->program) + " of " +
                            std::to_string(changed->document) + (changed->all ? ", all" : ""));
        return false;
    }
    std::vector<std::string> lines;
};

// The 12-byte parameter change the instrument should hear for the id and value.
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

class EditLayer : public EditorWindowTest
{
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        // Activations send the program otherwise; its own test below.
        GetSettings().autoDumpEnabled = false;
        program.Init();
        ASSERT_TRUE(library.Create(0, 0, 200, 100, 9, nullptr, frame.get(), "Library"));
        CEditorWindowData data;
        data.entryKind = CEditorWindowData::kEntryProgramSet;
        data.documentId = 77;
        data.programIndex = 5;
        data.program = &program;
        edit.SetData(data);
        ASSERT_TRUE(edit.Create(220, 0, 300, 200, 9, nullptr, frame.get(), "Edit"));
        windows.AddListener(&updates);
        EditorServices().popups = &popups;

        CCustomKnobRecord knobRecord;
        knobRecord.x = 20;
        knobRecord.y = 20;
        knobRecord.strip = GetBitmap("Knob");
        knobRecord.frameCount = 101;
        knobRecord.minimum = -48;
        knobRecord.maximum = 48;
        knobRecord.sensitivity = 1;
        ASSERT_TRUE(knob.Create(&knobRecord, 1, 0));
        Bind(knob, kTranspose);

        CCustomSwitchRecord switchRecord;
        switchRecord.x = 80;
        switchRecord.y = 20;
        switchRecord.strip = GetBitmap("SwitchOnOff");
        ASSERT_TRUE(toggle.Create(&switchRecord, 2, CCustomControl::kEventToggle));
        Bind(toggle, kLfoSync);

        ASSERT_TRUE(list.Create(&knobRecord, 3, 0));
        Bind(list, kWsPosition);

        for (int i = 0; i < 5; ++i)
        {
            CCustomLedRecord ledRecord;
            ledRecord.x = 140;
            ledRecord.y = 20 + 13 * i;
            ledRecord.strip = GetBitmap("LedButtonLarge");
            ledRecord.number = kShiftNumbers[i];
            ASSERT_TRUE(leds[i].Create(&ledRecord, 4 + i, CCustomControl::kEventNumber));
            Bind(leds[i], kFormantShift);
        }
        edit.layer->RefreshAllControls();
        Deliver();
        updates.lines.clear();
        ClearSent();
    }
    void TearDown() override
    {
        windows.RemoveListener(&updates);
        edit.Destroy();
        library.Destroy();
        EditorWindowTest::TearDown();
    }
    void Bind(CHfcControl& control, const CZmParameterId& id)
    {
        const uint32_t words[5] = {id.group, id.index, id.timbre, 0, 0};
        auto* custom = dynamic_cast<CCustomControl*>(&control);
        custom->SetParameterAddress(words);
        edit.layer->SetEditorControl(control.GetId(), custom);
        control.SetListener(edit.layer);
        edit.layer->AddControl(&control, false);
        control.Show(false);
    }
    int32_t Value(const CZmParameterId& id)
    {
        return CZmProgramAccessorSingleton::Get()->GetValue(&program, id);
    }

    CProgram program;
    LibraryWindow library;
    EditWindow edit{&library};
    Updates updates;
    ScriptedPopups popups;
    CCustomKnob knob;
    CCustomSwitch toggle;
    CCustomKnob list;
    CCustomLed leds[5];
};

// The values whose LED is lit.
std::vector<int32_t> LitNumbers(CCustomLed (&leds)[5])
{
    std::vector<int32_t> lit;
    for (CCustomLed& led : leds)
        if (led.GetValue() == 1)
            lit.push_back(led.GetNumber());
    return lit;
}
} // namespace

TEST_F(EditLayer, AKnobReportWritesExactlyItsFieldMarksModifiedPostsAndSendsTheParameterChange)
{
    struct Case
    {
        int32_t value;    // what the user turned the knob to
        int32_t expected; // what the program holds and the instrument hears
    };
    // Negative values and the range's ends; beyond the range the accessor clamps.
    const Case cases[] = {{12, 12}, {-20, -20}, {-48, -48}, {48, 48}};
    for (const Case& c : cases)
    {
        const CProgram before = program;
        ClearSent();
        updates.lines.clear();
        library.modifiedCalls = 0;
        edit.layer->OnValueChanged(&knob, knob.ValueToPosition(c.value));
        EXPECT_EQ(Value(kTranspose), c.expected);
        // Only the field's bytes changed.
        CProgram changedBack = program;
        CZmProgramAccessorSingleton::Get()->SetValue(
            &changedBack, kTranspose, CZmProgramAccessorSingleton::Get()->GetValue(&before, kTranspose));
        EXPECT_EQ(std::memcmp(changedBack.GetImage(), before.GetImage(), before.GetImageSize()), 0)
            << c.value;
        EXPECT_EQ(library.modifiedCalls, 1);
        EXPECT_TRUE(library.modified);
        ASSERT_TRUE(PumpUntil([&] { return !updates.lines.empty(); }));
        EXPECT_EQ(updates.lines, std::vector<std::string>({"program 5 of 77"}));
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, kTranspose, c.expected)}))
            << c.value;
        EXPECT_EQ(knob.GetValue(), c.expected);
    }
}

TEST_F(EditLayer, AToggleCountsOnlyThePressAndFollowsTheLayersTimbre)
{
    edit.layer->SetTimbre(0); // the switch is bound to timbre 1: the layer's timbre wins
    const CZmParameterId timbre0 = {kLfoSync.group, kLfoSync.index, 0};
    const int32_t before = Value(timbre0);
    edit.layer->OnValueChanged(&toggle, toggle.CHfcControl::GetValue());
    Deliver();
    EXPECT_EQ(Value(timbre0), before) << "a release report changes nothing";
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(updates.lines.empty());
    EXPECT_EQ(library.modifiedCalls, 0);

    edit.layer->OnValueChanged(&toggle, static_cast<int32_t>(CCustomControl::kPressBit));
    EXPECT_EQ(Value(timbre0), 1 - before);
    EXPECT_EQ(Value(kLfoSync), 0) << "timbre 1 untouched";
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, timbre0, 1 - before)}));
}

TEST_F(EditLayer, AnLedPressWritesTheValueItStandsForAndOnlyTheLedOfTheStoredValueIsLit)
{
    EXPECT_EQ(Value(kFormantShift), 0) << "INITPROG";
    EXPECT_EQ(LitNumbers(leds), std::vector<int32_t>({0}));

    // From lit and unlit LEDs, to negative values, back to 0; each press is one change.
    const int pressed[] = {3, 4, 0, 1, 2, 2};
    for (int i : pressed)
    {
        ClearSent();
        library.modifiedCalls = 0;
        const int32_t number = kShiftNumbers[i];
        edit.layer->OnValueChanged(&leds[i], leds[i].CHfcControl::GetValue());
        EXPECT_TRUE(Sent().empty()) << "a release report sends nothing";
        edit.layer->OnValueChanged(&leds[i], static_cast<int32_t>(CCustomControl::kPressBit));
        EXPECT_EQ(Value(kFormantShift), number);
        EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, kFormantShift, number)}));
        EXPECT_EQ(library.modifiedCalls, 1);
        edit.layer->RefreshValues();
        EXPECT_EQ(LitNumbers(leds), std::vector<int32_t>({number})) << number;
    }

    // A value set elsewhere lights its LED on the refresh.
    CZmProgramAccessorSingleton::Get()->SetValue(&program, kFormantShift, -1);
    edit.layer->RefreshAllControls();
    EXPECT_EQ(LitNumbers(leds), std::vector<int32_t>({-1}));
}

TEST_F(EditLayer, AListParameterOpensItsValuePopupAndOnlyAChangedChoiceIsWritten)
{
    const int32_t current = Value(kWsPosition);
    popups.answer = current;
    EXPECT_TRUE(edit.layer->OnControlLButtonDown(&list, 5, 5, 0)) << "the control does not see the click";
    EXPECT_EQ(popups.items.size(), 2u);
    EXPECT_EQ(popups.checked, current);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(library.modifiedCalls, 0);

    popups.answer = 1 - current;
    EXPECT_TRUE(edit.layer->OnControlLButtonDown(&list, 5, 5, 0));
    EXPECT_EQ(Value(kWsPosition), 1 - current);
    EXPECT_EQ(library.modifiedCalls, 1);
    EXPECT_EQ(Sent(), std::vector<std::string>({ParameterChange(kChannel, kWsPosition, 1 - current)}));
    // A knob of a numeric parameter gets its click.
    EXPECT_FALSE(edit.layer->OnControlLButtonDown(&knob, 5, 5, 0));
}

TEST_F(EditLayer, TheMessageOverlayShowsTheEditAndFadesInFourTicksInsideItsLevels)
{
    CMessageWindowLayer* overlay = edit.GetMessageLayer();
    ASSERT_NE(overlay, nullptr);
    edit.layer->OnValueChanged(&knob, knob.ValueToPosition(7));
    ASSERT_TRUE(PumpUntil([&] { return overlay->GetLastLevel() == 255; }));
    EXPECT_STREQ(overlay->GetNameLine(), "Transpose");
    overlay->Release();
    std::vector<int32_t> levels;
    for (int i = 0; i < 5; ++i)
    {
        overlay->AdvanceFade();
        levels.push_back(overlay->GetLastLevel());
    }
    EXPECT_EQ(levels, std::vector<int32_t>({178, 102, 25, 0, 0}));
    for (int32_t remaining : {-60, 0, 200, 260, 100000})
    {
        const int32_t level = CMessageWindowLayer::FadeLevel(remaining, 200);
        EXPECT_GE(level, 0);
        EXPECT_LE(level, 255);
    }
    EXPECT_EQ(CMessageWindowLayer::FadeLevel(100, 0), 0) << "no division by a zero fade time";
}

TEST_F(EditLayer, ActivationDumpsTheProgramOnceAndOnlyWhileThePortsAreOpen)
{
    GetSettings().autoDumpEnabled = true;
    ParameterChangeTarget().Clear();
    const auto dumps = [&]
    {
        size_t n = 0;
        for (const std::string& line : Sent())
            n += line.size() > 100 ? 1 : 0;
        return n;
    };
    library.BringToFront();
    edit.BringToFront();
    EXPECT_EQ(dumps(), 1u);
    library.BringToFront();
    edit.BringToFront();
    EXPECT_EQ(dumps(), 1u) << "the same program is not sent twice";

    ParameterChangeTarget().Clear();
    midi->CloseMidiPorts();
    ClearSent();
    library.BringToFront();
    edit.BringToFront();
    EXPECT_EQ(dumps(), 0u);
}

TEST(EditLayerEq, GainZeroIsFlatAndTheHighBandIsAHighShelf)
{
    const std::vector<CEqBandCommand> flat = CEditLayerBase::MakeEqShelfCommands(10, 0, 10, 0);
    ASSERT_EQ(flat.size(), 6u);
    for (const CEqBandCommand& c : flat)
        if (c.kind == 3)
        {
            EXPECT_FLOAT_EQ(c.values[0], 1.0f);
            EXPECT_FLOAT_EQ(c.values[1], 0.0f);
            EXPECT_FLOAT_EQ(c.values[3], 0.0f);
        }
    const std::vector<CEqBandCommand> boost =
        CEditLayerBase::MakeEqShelfCommands(10, 0, 10, 24); // +12 dB high
    CEqBiquad high;
    high.b0 = boost[5].values[0];
    high.b1 = boost[5].values[1];
    high.a1 = boost[5].values[3];
    EXPECT_NEAR(ComputeEqLevel(&high, 1, 20.0, kEqSampleRate), 0.0, 0.5) << "0 dB at low frequencies";
    EXPECT_NEAR(ComputeEqLevel(&high, 1, 20000.0, kEqSampleRate), 12.0, 1.5) << "the gain at the top";
}
