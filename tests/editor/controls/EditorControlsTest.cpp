// The editor's controls and graphs on a real layer of a window on the test display, with the
// program's skin: value mappings through the controls, the text entry's keys and its hidden
// EDIT child, and the curves read back as strokes from a recording drawing context.
#include "FrameworkTestSupport.h"
#include "RecordingDrawContext.h"
#include "app/CResourceManager.h"
#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/controls/CCustomSwitch.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/graphs/CCustomValueBar.h"
#include "editor/graphs/CHfcCtrlEnvelopeCurve.h"
#include "editor/graphs/CHfcCtrlLfoGraph.h"
#include "editor/graphs/CXBCtrlFilterGraph.h"
#include "editor/math/EqResponse.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{
// Logs the reports that matter to an owner.
class Owner : public CHfcControlListener
{
public:
    void OnValueChanged(CHfcControl*, int32_t value) override
    {
        log.push_back("Value " + std::to_string(value));
    }
    void OnTextChanged(CHfcControl* control, const char* text) override
    {
        if (reportsAreRecords)
        {
            log.push_back("Record");
            lastRecord = text;
        }
        else
            log.push_back(std::string("Text ") + text);
        if (onText)
            onText(control);
    }
    void OnControlEvent(CHfcControl*, int32_t code, int32_t argument, void* data) override
    {
        log.push_back("Event " + std::to_string(code) + " " + std::to_string(argument) + " " +
                      static_cast<const char*>(data));
    }
    void OnBeginEdit(CHfcControl*) override { log.push_back("BeginEdit"); }
    void OnEndEdit(CHfcControl*) override { log.push_back("EndEdit"); }

    CallLog log;
    bool reportsAreRecords = false;
    const char* lastRecord = nullptr;
    std::function<void(CHfcControl*)> onText;
};

LPARAM ClientPoint(int32_t x, int32_t y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class EditorControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        skin = CResourceManager::getInstance();
        ASSERT_NE(skin, nullptr);
        window = std::make_unique<CHfcWindow>();
        ASSERT_TRUE(
            window->Create(40, 40, 440, 250, "Editor controls", CHfcWindow::kStyleCaption, nullptr, nullptr));
        window->Show();
        ASSERT_TRUE(layer.Create(0, 0, 440, 250, window.get()));
        layer.Show(true);
    }
    void TearDown() override
    {
        if (CHfcMouse::GetMouse()->GetCaptureOwner())
            CHfcMouse::GetMouse()->ReleaseCapture();
        CHfcKey::GetKey()->ClearFocus();
        layer.Destroy();
        window.reset();
        DiscardMessages();
        CResourceManager::releaseInstance();
    }
    CHfcBmp* Bitmap(const char* name) { return skin->FindBitmap(name); }
    void Place(CHfcControl& control)
    {
        control.SetListener(&owner);
        layer.AddControl(&control, false);
        control.Show(true);
    }
    CallLog Send(UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        owner.log.clear();
        SendMessageA(window->GetHwnd(), message, keys, ClientPoint(x, y));
        return owner.log;
    }
    // An 8-column LCD entry at (20, 20), of 6 x 9 cells.
    void MakeEntry(CCustomEditText& entry, const char* text)
    {
        CCustomEditTextRecord record;
        record.x = 20;
        record.y = 20;
        record.font = Bitmap("LcdChar");
        record.columns = 8;
        record.maximum = 127;
        ASSERT_TRUE(entry.Create(&record, 7, 0));
        entry.SetText(text, false);
        Place(entry);
    }

    CResourceManager* skin = nullptr;
    std::unique_ptr<CHfcWindow> window;
    CHfcWindowLayer layer;
    Owner owner;
};

TEST_F(EditorControlsTest, KnobMapsParameterValuesToSevenPositionsPerPixelPair)
{
    CCustomKnob knob;
    CCustomKnobRecord record;
    record.strip = Bitmap("Knob");
    record.frameCount = 101;
    record.maximum = 127;
    record.sensitivity = 1;
    ASSERT_TRUE(knob.Create(&record, 1, 0));
    Place(knob);
    EXPECT_EQ(knob.CHfcCtrlKnob::GetMinimum(), 0);
    EXPECT_EQ(knob.CHfcCtrlKnob::GetMaximum(), 1778);
    EXPECT_EQ(knob.GetRecord().step, 7);

    CCustomControl& custom = knob;
    custom.SetValue(1);
    EXPECT_EQ(knob.CHfcCtrlKnob::GetValue(), 14);
    EXPECT_EQ(custom.PositionToValue(20), 1);
    EXPECT_EQ(custom.GetControlType(), CCustomControl::kTypeKnob);

    // A wheel notch with Shift moves one unit (14 positions), without it 70.
    owner.log.clear();
    knob.OnHfcMouseWheel(nullptr, 0, 0, 0, 120, kModifierShift);
    knob.OnHfcMouseWheel(nullptr, 0, 0, 0, -120, 0);
    EXPECT_EQ(owner.log, (CallLog{"Value 28", "Value 0"}));

    // Disabled with a dim strip: the dim strip, and presses do nothing.
    knob.SetDragBitmap(nullptr);
    custom.SetEnabled(false);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("Knob"));
    record.dim = Bitmap("KnobDim");
    CCustomKnob dimmed;
    ASSERT_TRUE(dimmed.Create(&record, 2, 0));
    static_cast<CCustomControl&>(dimmed).SetEnabled(false);
    EXPECT_EQ(dimmed.GetShownStrip(), Bitmap("KnobDim"));
    // Without a dim strip the knob hides.
    EXPECT_FALSE(knob.IsVisible());
    custom.SetEnabled(true);
    EXPECT_TRUE(knob.IsVisible());
}

TEST_F(EditorControlsTest, KnobSetMinimumRebasesAndNegativeSensitivityKeepsTheRangeUpright)
{
    CCustomKnob knob;
    CCustomKnobRecord record;
    record.strip = Bitmap("Knob");
    record.frameCount = 101;
    record.minimum = 0;
    record.maximum = 127;
    record.sensitivity = 1;
    ASSERT_TRUE(knob.Create(&record, 1, 0));
    CCustomControl& custom = knob;
    custom.SetValue(64);
    custom.SetMinimum(-64);
    EXPECT_EQ(custom.GetValue(), 64);
    EXPECT_EQ(knob.CHfcCtrlKnob::GetMaximum(), (127 + 64) * 14);
    custom.SetSensitivity(-2);
    EXPECT_GE(knob.CHfcCtrlKnob::GetMaximum(), 0);
    EXPECT_GE(knob.CHfcCtrlKnob::GetMaximum(), knob.CHfcCtrlKnob::GetMinimum());
}

TEST_F(EditorControlsTest, ValueTextMapsWithoutSubtractingTheMinimum)
{
    CCustomEditText entry;
    CCustomEditTextRecord record;
    record.font = Bitmap("LcdChar");
    record.columns = 8;
    record.minimum = -30;
    record.maximum = 30;
    record.sensitivity = 2;
    ASSERT_TRUE(entry.Create(&record, 3, 0));
    entry.SetText("Low Gain", false);
    Place(entry);
    EXPECT_EQ(entry.CHfcCtrlOldCharEditText::GetMinimum(), -840);
    EXPECT_EQ(entry.CHfcCtrlOldCharEditText::GetMaximum(), 840);
    CCustomControl& custom = entry;
    custom.SetValue(-3);
    EXPECT_EQ(entry.CHfcCtrlOldCharEditText::GetValue(), -84);
    EXPECT_EQ(custom.GetValue(), -3);
    custom.SetValue(0);
    owner.log.clear();
    entry.OnHfcMouseWheel(nullptr, 0, 0, 0, 120, 0);
    EXPECT_EQ(owner.log, CallLog{"Value 28"});
    char text[16];
    custom.GetText(text, sizeof text);
    EXPECT_STREQ(text, "Low Gain");
}

struct TypingCase
{
    const char* shown;
    // Keys as the key-focus window hands them over: a character, or {key, modifiers} for
    // the arrows (28 left, 29 right, 30 start, 31 end).
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    const char* text;
    size_t caret, selectionStart, selectionEnd;
};

TEST_F(EditorControlsTest, TypingTableThroughTheControl)
{
    constexpr uint32_t kChar = 0xFFFF; // the modifiers word of a character
    const TypingCase cases[] = {
        {"ABC", {{'x', kChar}}, "x", 1, 1, 1},           // all selected at the start: replaced
        {"ABC", {{31, 0}, {8, kChar}}, "AB", 2, 2, 2},   // end, Backspace
        {"ABC", {{31, 0}, {9, kChar}}, "ABC ", 4, 4, 4}, // Tab types a space
        {"",
         {{'1', kChar},
          {'2', kChar},
          {'3', kChar},
          {'4', kChar},
          {'5', kChar},
          {'6', kChar},
          {'7', kChar},
          {'8', kChar},
          {'9', kChar}},
         "12345678",
         8,
         8,
         8}, // the ninth character does not fit 8 columns
        {"12345678", {{31, 0}, {8, kChar}, {'z', kChar}}, "1234567z", 8, 8, 8},
        {"ABCD", {{31, 0}, {28, 1}, {28, 1}}, "ABCD", 2, 2, 4}, // Shift-left twice selects
        {"ABCD", {{31, 0}, {28, 1}, {28, 1}, {'-', kChar}}, "AB-", 3, 3, 3},
        {"ABC", {{31, 0}, {7, kChar}, {200, kChar}, {127, kChar}, {31, kChar}}, "ABC", 3, 3, 3}, // not typed
        {"ABC", {{31, 0}, {30, 0}}, "ABC", 0, 0, 0}, // a plain arrow first drops the selection
        {"ABC", {{31, 0}, {30, 0}, {29, 1}}, "ABC", 1, 0, 1},
    };
    for (const TypingCase& c : cases)
    {
        SCOPED_TRACE(std::string("shown \"") + c.shown + "\"");
        CCustomEditText entry;
        MakeEntry(entry, c.shown);
        ASSERT_TRUE(entry.StartEditing());
        CHfcKeyFocus* focus = window->GetKeyFocus();
        for (const auto& key : c.keys)
        {
            if (key.second == kChar)
                entry.OnHfcKeyFocusCharacter(focus, key.first);
            else
                entry.OnHfcKeyFocusKeyDown(focus, key.first, 0, key.second);
        }
        const CTextEditModel& model = entry.GetModel();
        EXPECT_EQ(model.GetText(), c.text);
        EXPECT_EQ(model.GetCaret(), c.caret);
        EXPECT_EQ(model.GetSelectionStart(), c.selectionStart);
        EXPECT_EQ(model.GetSelectionEnd(), c.selectionEnd);
        EXPECT_TRUE(entry.IsEditing());
        EXPECT_TRUE(owner.log.empty() || owner.log == CallLog{}) << owner.log.front();
        entry.EndEditing();
        EXPECT_FALSE(entry.IsEditing());
        EXPECT_EQ(entry.GetShownText(), c.shown) << "ending without a commit keeps the shown text";
        layer.RemoveControl(&entry);
    }
}

TEST_F(EditorControlsTest, EnterCommitsOnceEscapeRestoresAndAPressPlacesTheCaret)
{
    CCustomEditText entry;
    MakeEntry(entry, "Init");
    CHfcKeyFocus* focus = window->GetKeyFocus();

    ASSERT_TRUE(entry.StartEditing());
    EXPECT_EQ(focus->GetListener(), &entry);
    owner.log.clear();
    entry.OnHfcKeyFocusCharacter(focus, 'P');
    entry.OnHfcKeyFocusCharacter(focus, 'd');
    entry.OnHfcKeyFocusCharacter(focus, 13);
    EXPECT_EQ(owner.log, CallLog{"Text Pd"});
    EXPECT_FALSE(entry.IsEditing());
    EXPECT_EQ(focus->GetListener(), nullptr);
    EXPECT_EQ(entry.GetShownText(), "Pd");

    ASSERT_TRUE(entry.StartEditing());
    owner.log.clear();
    entry.OnHfcKeyFocusCharacter(focus, 'Q');
    entry.OnHfcKeyFocusCharacter(focus, 27);
    EXPECT_EQ(owner.log, CallLog{"Event 0 0 Pd"});
    EXPECT_EQ(entry.GetShownText(), "Pd");
    EXPECT_FALSE(entry.IsEditing());

    // The name field's own commit reports like Enter.
    ASSERT_TRUE(entry.StartEditing());
    entry.OnHfcKeyFocusCharacter(focus, 'R');
    owner.log.clear();
    EXPECT_TRUE(entry.CommitEditing());
    EXPECT_EQ(owner.log, CallLog{"Text R"});
    EXPECT_FALSE(entry.CommitEditing());

    // x = 14 with 6-pixel cells is nearest the boundary after 2 characters.
    entry.SetText("ABCDEF", false);
    ASSERT_TRUE(entry.StartEditing());
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 14, 24);
    Send(WM_LBUTTONUP, 0, 20 + 14, 24);
    EXPECT_EQ(entry.GetModel().GetCaret(), 2u);
    EXPECT_FALSE(entry.GetModel().HasSelection());
    entry.EndEditing();
}

TEST_F(EditorControlsTest, TypesIntoTheRealHiddenEditChild)
{
    CCustomEditText entry;
    MakeEntry(entry, "Old");
    ASSERT_TRUE(entry.StartEditing());
    HWND child = entry.GetEditWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), window->GetHwnd());
    EXPECT_EQ(window->GetKeyFocus()->GetEditWindow(), child) << "the key-focus window adopted the child";
    EXPECT_EQ(GetFocus(), child);

    // The owner deletes the control when the name arrives: nothing may touch it afterwards.
    auto* doomed = new CCustomEditText;
    MakeEntry(*doomed, "Mine");
    layer.RemoveControl(&entry);
    ASSERT_TRUE(doomed->StartEditing());
    HWND doomedChild = doomed->GetEditWindow();
    EXPECT_FALSE(entry.IsEditing()) << "the first entry lost the system focus to the second";
    EXPECT_EQ(entry.GetShownText(), "Old");
    owner.onText = [](CHfcControl* control) { delete static_cast<CCustomEditText*>(control); };
    owner.log.clear();
    // Keys as the system delivers them, translated by the message loop into characters.
    for (WPARAM key : {WPARAM('N'), WPARAM('V'), WPARAM(VK_RETURN)})
    {
        PostMessageA(doomedChild, WM_KEYDOWN, key, 1);
        PostMessageA(doomedChild, WM_KEYUP, key, 0xC0000001);
    }
    ASSERT_TRUE(PumpUntil([&] { return !owner.log.empty(); }));
    EXPECT_EQ(owner.log, CallLog{"Text nv"});
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(doomedChild); })) << "the child goes by a posted message";
    owner.onText = nullptr;
}

TEST_F(EditorControlsTest, SwitchReportsThePressWithBit31ThenThePlainValue)
{
    CCustomSwitch sw;
    CCustomSwitchRecord record;
    record.x = 10;
    record.y = 10;
    record.strip = Bitmap("SwitchOnOff");
    ASSERT_TRUE(sw.Create(&record, 4, CCustomControl::kEventToggle));
    Place(sw);
    static_cast<CCustomControl&>(sw).SetValue(1);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 15),
              (CallLog{"BeginEdit", "Value " + std::to_string(static_cast<int32_t>(0x80000001u))}));
    EXPECT_TRUE(sw.IsPressed());
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 15, 15), (CallLog{"Value 1", "EndEdit"}));
    EXPECT_FALSE(sw.IsPressed());
    static_cast<CCustomControl&>(sw).SetEnabled(false);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 15), CallLog{}) << "disabled: hidden, nothing reported";
}

TEST_F(EditorControlsTest, EnvelopeLaysOutPointsAndDrawsTheirHandles)
{
    CCustomEnvelopeCurve curve;
    CHfcCtrlEnvelopeCurveRecord record;
    record.x = 5;
    record.y = 5;
    record.width = 110;
    record.height = 60;
    record.pointCount = 2;
    record.handleSize = 10;
    record.maximum = 127;
    ASSERT_TRUE(curve.Create(&record, 5));
    Place(curve);
    curve.SetPoint({1, 127, 127, 3}, true);
    curve.SetPoint({2, 1, 1, 3}, true); // no point 2: ignored
    EXPECT_EQ(curve.GetGeometry().GetScreenPoints()[1].x, 105);

    RecordingDrawContext context;
    curve.Draw(&context);
    const std::vector<RecordedCall> lines = context.Only("LineTo");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().x, 5 + 105);
    EXPECT_EQ(lines.back().color, record.lineColor);
    EXPECT_EQ(context.Only("DrawRect").size(), 2u) << "a handle for each point";

    // A drag of point 0 reports its level only, its time always 0.
    owner.reportsAreRecords = true;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5 + 5, 5 + 55);
    EXPECT_EQ(owner.log, (CallLog{"BeginEdit", "Record"}));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 5 + 40, 5 + 30);
    ASSERT_EQ(owner.log, CallLog{"Record"});
    const auto* change = reinterpret_cast<const CEnvelopePointChange*>(owner.lastRecord);
    EXPECT_EQ(change->index, 0);
    EXPECT_EQ(change->time, 0);
    EXPECT_GT(change->level, 0);
    Send(WM_LBUTTONUP, 0, 5 + 40, 5 + 30);
    EXPECT_EQ(owner.log, (CallLog{"Record", "EndEdit"}));
}

TEST_F(EditorControlsTest, ValueBarPressesAndFillsInTenthsOfItsTrack)
{
    CCustomValueBar bar;
    CCustomValueBarRecord record;
    record.x = 10;
    record.y = 10;
    record.width = 130;
    record.height = 11;
    record.maximum = 127;
    ASSERT_TRUE(bar.Create(&record, 6, 0));
    Place(bar);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 10 + 129, 15), (CallLog{"BeginEdit", "Value 127"}));
    Send(WM_LBUTTONUP, 0, 10 + 129, 15);

    CCustomValueBar small;
    record.width = 62;
    ASSERT_TRUE(small.Create(&record, 7, 0));
    Place(small);
    static_cast<CCustomControl&>(small).SetValue(64);
    RecordingDrawContext context;
    small.Draw(&context);
    const std::vector<RecordedCall> fills = context.Only("FillRect");
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.back().width, 30);

    CCustomValueBar centred;
    record.centreMode = 1;
    record.origin = 64;
    ASSERT_TRUE(centred.Create(&record, 8, 0));
    Place(centred);
    static_cast<CCustomControl&>(centred).SetValue(100);
    RecordingDrawContext centredContext;
    centred.Draw(&centredContext);
    const RecordedCall fill = centredContext.Only("FillRect").back();
    EXPECT_EQ(fill.x, 10 + 31);
    EXPECT_EQ(fill.width, 17);

    // A range the track cannot divide is refused.
    record.maximum = 0;
    record.minimum = 0;
    CCustomValueBar refused;
    EXPECT_FALSE(refused.Create(&record, 9, 0));
}

TEST_F(EditorControlsTest, FilterGraphDrawsStrokesInsideItsBoxAndDimsWhenDisabled)
{
    CCustomTolvexFilterB graph;
    CXBCtrlFilterGraphRecord record;
    record.x = 30;
    record.y = 30;
    record.width = 60;
    record.height = 47;
    record.handleSize = 0;
    record.handleMaximum = 256;
    record.lineColor = 0xFFFFFFFF;
    record.fillColor = 0xFF555555;
    ASSERT_TRUE(graph.Create(&record, 10));
    Place(graph);
    graph.SetHandle({0, 127, 128}, false); // cutoff 64, resonance 0
    RecordingDrawContext context;
    graph.Draw(&context);
    const std::vector<RecordedCall> lines = context.Only("LineTo");
    const size_t strokes =
        CollectResponseStrokes(
            ComputeBiquadResponse(GetSectionBNumerator(ComputeFilterCoefficients(64, 0), 0),
                                  ComputeFilterCoefficients(64, 0), 60, 47),
            60, 47)
            .size();
    ASSERT_GT(strokes, 0u);
    ASSERT_EQ(lines.size(), 2 * strokes) << "a fill line and a curve line per point";
    EXPECT_EQ(lines[0].penWidth, 4.0f);
    EXPECT_EQ(lines[0].color, 0xFF555555u);
    EXPECT_EQ(lines[0].y, 28 + 47 + 1) << "the fill runs down to the plot's bottom";
    EXPECT_EQ(lines[1].penWidth, 0.5f);
    for (const RecordedCall& c : lines)
    {
        EXPECT_GT(c.x, 28 + 2);
        EXPECT_LT(c.x, 28 + 60 - 1);
    }

    static_cast<CCustomControl&>(graph).SetEnabled(false);
    graph.SetDisabledAlpha(0.2f);
    RecordingDrawContext dimmed;
    graph.Draw(&dimmed);
    EXPECT_EQ(dimmed.Only("LineTo")[1].color, 0x33FFFFFFu);

    // Type 4 or above: no curve; a plot box without room is refused.
    graph.SetFilterType(4, false);
    RecordingDrawContext none;
    graph.Draw(&none);
    EXPECT_TRUE(none.Only("LineTo").empty());
    record.width = 1;
    CCustomTolvexFilterA refused;
    EXPECT_FALSE(refused.Create(&record, 11));
}

TEST_F(EditorControlsTest, EqGraphDrawsAFlatLineAtZeroAndAReadOnlyGraphIgnoresPresses)
{
    CCustomEqGraph graph;
    CCustomEqGraphRecord record;
    record.x = 10;
    record.y = 10;
    record.bandCount = 2;
    ASSERT_TRUE(graph.Create(&record, 12, 0));
    Place(graph);
    RecordingDrawContext context;
    graph.Draw(&context);
    const std::vector<RecordedCall> lines = context.Only("LineTo");
    ASSERT_EQ(lines.size(), 119u);
    for (const RecordedCall& c : lines)
        EXPECT_FLOAT_EQ(c.y, 10 + 61 / 2.0f);
    EXPECT_EQ(context.Only("DrawRect").size(), 2u);

    // The low shelf at 100 Hz, +6 dB, reaches the drawn curve.
    const CEqBiquad shelf = ComputeShelfCoefficients(CEqShelf::Low, 14, 12, kEqSampleRate);
    graph.SetBand({4, 0, {48000.0f}}, false);
    graph.SetBand({3, 0, {shelf.b0, shelf.b1, shelf.b2, shelf.a1, shelf.a2}}, false);
    RecordingDrawContext shelved;
    graph.Draw(&shelved);
    EXPECT_LT(shelved.Only("MoveTo").front().y, 10 + 61 / 2.0f) << "a boost lifts the low end";

    // A press on the handle of band 0 (1000 Hz, 0 dB) reports; read-only it does not.
    const int32_t hx = 10 + static_cast<int32_t>(graph.GetAxes().ColumnOfFrequency(1000.0));
    const int32_t hy = 10 + static_cast<int32_t>(graph.GetAxes().RowOfLevel(0.0));
    owner.reportsAreRecords = true;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, hx, hy), CallLog{"Record"});
    const auto* report = reinterpret_cast<const CEqBandReport*>(owner.lastRecord);
    EXPECT_EQ(report->band, 0);
    Send(WM_LBUTTONUP, 0, hx, hy);
    static_cast<CCustomControl&>(graph).SetOption(true);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, hx, hy), CallLog{});
}

TEST_F(EditorControlsTest, ScreenshotOfEveryControlWithTheSkin)
{
    FillLayer(layer, [](int32_t, int32_t) { return 0xFF2A2D33u; });
    CCustomKnob knob;
    CCustomKnobRecord knobRecord;
    knobRecord.x = 10;
    knobRecord.y = 10;
    knobRecord.strip = Bitmap("Knob");
    knobRecord.frameCount = 101;
    ASSERT_TRUE(knob.Create(&knobRecord, 1, 0));
    Place(knob);
    static_cast<CCustomControl&>(knob).SetValue(90);

    CCustomSwitch sw;
    CCustomSwitchRecord swRecord;
    swRecord.x = 60;
    swRecord.y = 20;
    swRecord.strip = Bitmap("SwitchOnOff");
    ASSERT_TRUE(sw.Create(&swRecord, 2, 1));
    Place(sw);
    static_cast<CCustomControl&>(sw).SetValue(1);

    CCustomLed led;
    CCustomLedRecord ledRecord;
    ledRecord.x = 110;
    ledRecord.y = 22;
    ledRecord.strip = Bitmap("LedButtonLarge");
    ASSERT_TRUE(led.Create(&ledRecord, 3, 2));
    Place(led);

    CCustomButton button;
    CCustomButtonRecord buttonRecord;
    buttonRecord.x = 140;
    buttonRecord.y = 20;
    buttonRecord.strip = Bitmap("ButtonEdit");
    ASSERT_TRUE(button.Create(&buttonRecord, 4, 0));
    Place(button);

    CCustomBitmapList list;
    CCustomBitmapListRecord listRecord;
    listRecord.x = 200;
    listRecord.y = 10;
    listRecord.strip = Bitmap("BitmapListOscWaveform");
    listRecord.frameCount = 8;
    ASSERT_TRUE(list.Create(&listRecord, 5, 0));
    Place(list);
    static_cast<CCustomControl&>(list).SetValue(2);

    CCustomStaticText label;
    CCustomStaticTextRecord labelRecord;
    labelRecord.x = 280;
    labelRecord.y = 14;
    labelRecord.columns = 12;
    labelRecord.font = Bitmap("LcdChar");
    ASSERT_TRUE(label.Create(&labelRecord, 6, 0));
    Place(label);
    label.SetText("Cutoff  64", true);

    CCustomEditText entry;
    CCustomEditTextRecord entryRecord;
    entryRecord.x = 280;
    entryRecord.y = 34;
    entryRecord.font = Bitmap("LcdChar");
    entryRecord.columns = 12;
    ASSERT_TRUE(entry.Create(&entryRecord, 7, 0));
    entry.SetText("Init Prog", false);
    Place(entry);
    ASSERT_TRUE(entry.StartEditing());
    entry.OnHfcKeyFocusKeyDown(window->GetKeyFocus(), 31, 0, 0);
    entry.OnHfcKeyFocusKeyDown(window->GetKeyFocus(), 28, 0, kModifierShift);
    entry.OnHfcKeyFocusKeyDown(window->GetKeyFocus(), 28, 0, kModifierShift);

    CCustomEnvelopeCurve envelope;
    CHfcCtrlEnvelopeCurveRecord envRecord;
    envRecord.x = 10;
    envRecord.y = 70;
    envRecord.width = 120;
    envRecord.height = 60;
    envRecord.pointCount = 4;
    envRecord.handleSize = 6;
    ASSERT_TRUE(envelope.Create(&envRecord, 8));
    Place(envelope);
    envelope.SetPoint({0, 0, 0, 3}, false);
    envelope.SetPoint({1, 127, 40, 0}, false);
    envelope.SetPoint({2, 70, 90, 1}, false);
    envelope.SetPoint({3, 0, 120, 4}, true);

    CCustomLfoGraph lfo;
    CHfcCtrlLfoGraphRecord lfoRecord;
    lfoRecord.x = 150;
    lfoRecord.y = 70;
    lfoRecord.width = 80;
    lfoRecord.height = 40;
    lfoRecord.lineColor = 0xFFBDFF00;
    ASSERT_TRUE(lfo.Create(&lfoRecord, 9));
    Place(lfo);
    lfo.SetWave(3);
    lfo.SetLevel(20);
    lfo.CHfcCtrlLfoGraph::SetValue(40, true);

    CCustomTolvexFilterA filterA;
    CCustomTolvexFilterB filterB;
    CXBCtrlFilterGraphRecord filterRecord;
    filterRecord.x = 250;
    filterRecord.y = 72;
    filterRecord.width = 60;
    filterRecord.height = 47;
    filterRecord.handleSize = 0;
    filterRecord.handleMaximum = 256;
    filterRecord.lineColor = 0xFFFFFFFF;
    filterRecord.fillColor = 0xFF555555;
    ASSERT_TRUE(filterA.Create(&filterRecord, 10));
    filterRecord.x = 330;
    filterRecord.type = 3;
    ASSERT_TRUE(filterB.Create(&filterRecord, 11));
    Place(filterA);
    Place(filterB);
    filterA.SetHandle({0, 127 + 60, 2 * 70}, true);
    filterB.SetHandle({0, 127 + 64, 2 * 60}, true);

    CCustomEqGraph eq;
    CCustomEqGraphRecord eqRecord;
    eqRecord.x = 10;
    eqRecord.y = 150;
    eqRecord.bandCount = 2;
    ASSERT_TRUE(eq.Create(&eqRecord, 12, 0));
    Place(eq);
    const CEqBiquad low = ComputeShelfCoefficients(CEqShelf::Low, 14, 12);
    const CEqBiquad high = ComputeShelfCoefficients(CEqShelf::High, 10, -10);
    eq.SetBand({4, 0, {48000.0f}}, false);
    eq.SetBand({3, 0, {low.b0, low.b1, low.b2, low.a1, low.a2}}, false);
    eq.SetBand({0, 0, {100.0f}}, false);
    eq.SetBand({2, 0, {6.0f}}, false);
    eq.SetBand({3, 1, {high.b0, high.b1, high.b2, high.a1, high.a2}}, false);
    eq.SetBand({0, 1, {8000.0f}}, false);
    eq.SetBand({2, 1, {-5.0f}}, false);
    eq.SetBand({5, 0, {}}, true);

    CCustomValueBar bar;
    CCustomValueBarRecord barRecord;
    barRecord.x = 150;
    barRecord.y = 160;
    barRecord.width = 62;
    barRecord.height = 11;
    barRecord.fill = Bitmap("ValueBarMixer");
    barRecord.frameColor = 0xFF808080;
    ASSERT_TRUE(bar.Create(&barRecord, 13, 0));
    Place(bar);
    static_cast<CCustomControl&>(bar).SetValue(80);

    CCustomValueBar centred;
    barRecord.y = 180;
    barRecord.fill = nullptr;
    barRecord.fillColor = 0xFFBDFF00;
    barRecord.centreMode = 1;
    barRecord.origin = 64;
    ASSERT_TRUE(centred.Create(&barRecord, 14, 0));
    Place(centred);
    static_cast<CCustomControl&>(centred).SetValue(30);

    for (size_t i = 0; i < layer.GetControlCount(); ++i)
        layer.GetControl(i)->Redraw(true);
    layer.InvalidateAll(true);
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "editor_controls",
                                     [] { PumpUntil([] { return false; }, 300); }));
    entry.EndEditing();
}
} // namespace
