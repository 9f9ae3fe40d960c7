// The editor's controls and graphs on a real layer of a window on the test display, with the
// program's skin: value mappings through the controls, the text entry's keys and its hidden
// EDIT child, and the curves read back as strokes from a recording drawing context.
#include "FrameworkTestSupport.h"
#include "RecordingDrawContext.h"
#include "app/CResourceManager.h"
#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomDragReceiver.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomKnob.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomList.h"
#include "editor/controls/CCustomPageButton.h"
#include "editor/controls/CCustomSlider.h"
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

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
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
            // The record lives on the caller's stack: kept as a copy.
            log.push_back("Record");
            std::memcpy(recordCopy, text, recordSize);
            lastRecord = recordCopy;
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

    // Logged only with logMore set, so that the other tests' logs stay as they are.
    bool OnControlLButtonDown(CHfcControl*, int32_t x, int32_t y, uint32_t) override
    {
        return More("Down " + Point(x, y));
    }
    bool OnControlLButtonUp(CHfcControl*, int32_t x, int32_t y, uint32_t) override
    {
        return More("Up " + Point(x, y));
    }
    bool OnControlMouseMove(CHfcControl*, int32_t x, int32_t y, uint32_t) override
    {
        return More("Move " + Point(x, y));
    }
    bool OnControlLButtonDblClk(CHfcControl*, int32_t, int32_t, uint32_t) override
    {
        More("DblClk");
        return swallowDoubleClick;
    }
    void OnControlCaptureLost(CHfcControl*) override { More("CaptureLost"); }
    bool OnControlDragEnter(CHfcControl*, CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t,
                            uint32_t*) override
    {
        log.push_back("DragEnter " + Point(x, y));
        return false;
    }
    bool OnControlDragOver(CHfcControl*, CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t,
                           uint32_t*) override
    {
        log.push_back("DragOver " + Point(x, y));
        return false;
    }
    bool OnControlDragLeave(CHfcControl*, CHfcDragData*) override
    {
        log.push_back("DragLeave");
        return false;
    }
    bool OnControlDrop(CHfcControl*, CHfcDragData*, uint32_t, int32_t x, int32_t y, uint32_t,
                       uint32_t*) override
    {
        log.push_back("Drop " + Point(x, y));
        return false;
    }

    CallLog log;
    bool logMore = false;
    bool swallowDoubleClick = false;
    bool reportsAreRecords = false;
    size_t recordSize = 16; // every record's size but the filter handle's
    const char* lastRecord = nullptr;
    alignas(8) char recordCopy[16] = {};
    std::function<void(CHfcControl*)> onText;

private:
    static std::string Point(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }
    bool More(const std::string& entry)
    {
        if (logMore)
            log.push_back(entry);
        return false;
    }
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
            window->Create(40, 40, 440, 330, "Editor controls", CHfcWindow::kStyleCaption, nullptr, nullptr));
        window->Show();
        ASSERT_TRUE(layer.Create(0, 0, 440, 330, window.get()));
        layer.Show(true);
    }
    void TearDown() override
    {
        CloseLayerWindow(layer, window);
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

    // A drag event at a client point, routed as the window routes OLE's: through its layers.
    bool Drag(HfcDragEvent event, int32_t x, int32_t y)
    {
        POINT point = {x, y};
        ClientToScreen(window->GetHwnd(), &point);
        uint32_t effect = 1;
        return window->CallScreenDrag(event, nullptr, 0, point.x, point.y, 0, &effect);
    }
    POINT ScreenPoint(int32_t x, int32_t y)
    {
        POINT point = {x, y};
        ClientToScreen(window->GetHwnd(), &point);
        return point;
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

// Three 40-pixel tabs with a gap of 2 at (20, 30), 14 high, labelled in the LCD font.
CHfcCtrlPageButtonRecord TabsRecord(CHfcBmp* font)
{
    CHfcCtrlPageButtonRecord record;
    record.x = 20;
    record.y = 30;
    record.width = 124;
    record.height = 14;
    record.cellWidth = 40;
    record.cellHeight = 14;
    record.gap = 2;
    record.font = font;
    record.fillColor = 0xFF3A6EA5;
    record.frameColor = 0xFFC0C0C0;
    return record;
}

TEST_F(EditorControlsTest, PageButtonLaysOutTabsSelectsClampedAndReportsPressedTabs)
{
    CCustomPageButton tabs;
    const CHfcCtrlPageButtonRecord record = TabsRecord(Bitmap("LcdChar"));
    ASSERT_TRUE(tabs.Create(&record, 20, 3));
    EXPECT_EQ(tabs.GetUserValue(), 0u) << "tabs report plain values";
    Place(tabs);
    CCustomControl& custom = tabs;
    custom.SetValue(5);
    EXPECT_EQ(custom.GetValue(), 0) << "without pages, page 0";
    EXPECT_EQ(tabs.AddPage("OSC"), 0);
    EXPECT_EQ(tabs.AddPage("FILTER"), 1);
    EXPECT_EQ(tabs.AddPage("A VERY LONG NAME THAT IS CUT AT 31"), 2);
    EXPECT_EQ(tabs.GetPage(2)->rect, CHfcRect(20 + 84, 30, 20 + 124, 44));
    EXPECT_STREQ(tabs.GetPage(2)->name, "A VERY LONG NAME THAT IS CUT AT");
    custom.SetValue(5);
    EXPECT_EQ(custom.GetValue(), 2);
    custom.SetValue(-1);
    EXPECT_EQ(custom.GetValue(), 0);
    EXPECT_EQ(custom.GetControlType(), CCustomControl::kTypePageButton);

    // A press reports the tab under it; the owner selects it. Tab edges and the gap are no tab.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 42 + 5, 35), CallLog{"Value 1"});
    EXPECT_EQ(custom.GetValue(), 0);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 41, 35), CallLog{});
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 42, 35), CallLog{});
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 5, 30), CallLog{});
    tabs.GetPage(1)->enabled = false;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + 42 + 5, 35), CallLog{}) << "a disabled tab";
    tabs.GetPage(1)->enabled = true;

    // Drawn: the selected tab filled, each shown tab framed, its label cut to the cell and
    // centred; a hidden tab not at all; a disabled tab in the disabled font.
    custom.SetValue(1);
    tabs.GetPage(2)->shown = false;
    tabs.GetPage(0)->enabled = false;
    RecordingDrawContext context;
    tabs.Draw(&context);
    const std::vector<RecordedCall> fills = context.Only("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].x, 20 + 42);
    EXPECT_EQ(fills[0].width, 40);
    EXPECT_EQ(fills[0].color, record.fillColor);
    const std::vector<RecordedCall> frames = context.Only("DrawRect");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].x, 20);
    EXPECT_EQ(frames[1].x, 20 + 42);
    EXPECT_EQ(frames[1].color, record.frameColor);
    std::vector<RecordedCall> glyphs;
    for (const RecordedCall& c : context.Only("Blit"))
        if (c.bitmap == Bitmap("LcdChar"))
            glyphs.push_back(c);
    // "OSC" (3 glyphs) then "FILTER" (6): 40 / 6 = 6 characters fit.
    ASSERT_EQ(glyphs.size(), 3u + 6u);
    EXPECT_EQ(glyphs[0].x, 20 + 20 - 9) << "centred: 40 / 2 - 18 / 2";
    EXPECT_EQ(glyphs[0].y, 30 + 7 - 4);
    EXPECT_EQ(glyphs[3].x, 62 + 20 - 18);
    EXPECT_EQ(glyphs[3].sourceY, 'F' * 9);

    // Disabled without a dim look: hidden, and presses do nothing.
    custom.SetEnabled(false);
    EXPECT_FALSE(tabs.IsVisible());
    tabs.RemoveAllPages();
    EXPECT_EQ(tabs.GetPageCount(), 0);
    CHfcCtrlPageButtonRecord empty = record;
    empty.width = 0;
    CCustomPageButton refused;
    EXPECT_FALSE(refused.Create(&empty, 21, 0));
}

TEST_F(EditorControlsTest, PageButtonSwitchesToATabADragHoversOnForMoreThan800Ms)
{
    CCustomPageButton tabs;
    CHfcCtrlPageButtonRecord record = TabsRecord(Bitmap("LcdChar"));
    record.acceptsDrags = 1;
    ASSERT_TRUE(tabs.Create(&record, 20, 0));
    Place(tabs);
    tabs.AddPage("A");
    tabs.AddPage("B");
    tabs.AddPage("C");
    POINT cursor = ScreenPoint(0, 0);
    tabs.SetCursorSource([&] { return cursor; });

    // No drag: nothing switches however long the pointer rests on a tab.
    cursor = ScreenPoint(20 + 50, 35);
    owner.log.clear();
    tabs.Update(5000);
    tabs.Update(5000);
    EXPECT_EQ(tabs.GetHoveredPage(), -1);

    EXPECT_TRUE(Drag(HfcDragEvent::Enter, 20 + 50, 35)) << "the tabs take the drag";
    EXPECT_TRUE(tabs.IsDragHovered());
    EXPECT_EQ(owner.log, CallLog{"DragEnter 50,5"});
    owner.log.clear();
    tabs.Update(100); // tab 1 is hovered from now
    tabs.Update(400);
    tabs.Update(400);
    EXPECT_EQ(owner.log, CallLog{}) << "800 ms are not more than 800";
    tabs.Update(1);
    EXPECT_EQ(owner.log, CallLog{"Value 1"});
    tabs.Update(2000);
    EXPECT_EQ(owner.log, CallLog{"Value 1"}) << "once a hover";

    // Another tab starts again; the gap between tabs restarts at every update.
    cursor = ScreenPoint(20 + 90, 35);
    tabs.Update(700);
    tabs.Update(700);
    EXPECT_EQ(owner.log, (CallLog{"Value 1"}));
    cursor = ScreenPoint(20 + 83, 35);
    tabs.Update(700);
    cursor = ScreenPoint(20 + 90, 35);
    tabs.Update(700);
    tabs.Update(700);
    EXPECT_EQ(owner.log, (CallLog{"Value 1"}));
    tabs.Update(101);
    EXPECT_EQ(owner.log, (CallLog{"Value 1", "Value 2"}));

    // The drop ends the hover.
    owner.log.clear();
    Drag(HfcDragEvent::Over, 20 + 90, 36);
    EXPECT_TRUE(Drag(HfcDragEvent::Drop, 20 + 90, 36));
    EXPECT_EQ(owner.log, (CallLog{"DragOver 90,6", "Drop 90,6"}));
    EXPECT_FALSE(tabs.IsDragHovered());
    tabs.Update(5000);
    EXPECT_EQ(tabs.GetHoveredPage(), -1);

    // Tabs that do not take drags hear them and never switch.
    CCustomPageButton plain;
    record.acceptsDrags = 0;
    record.y = 60;
    ASSERT_TRUE(plain.Create(&record, 22, 0));
    Place(plain);
    plain.AddPage("A");
    plain.SetCursorSource([&] { return ScreenPoint(30, 65); });
    owner.log.clear();
    EXPECT_FALSE(Drag(HfcDragEvent::Enter, 30, 65));
    EXPECT_EQ(owner.log, CallLog{"DragEnter 10,5"});
    plain.Update(100);
    plain.Update(1000);
    EXPECT_EQ(owner.log, CallLog{"DragEnter 10,5"});
    Drag(HfcDragEvent::Leave, 0, 0);
}

TEST_F(EditorControlsTest, DragReceiverTakesEveryDragAndPassesItsMouseToTheOwner)
{
    CCustomDragReceiver area;
    CHfcCtrlDragReceiverRecord record;
    record.x = 100;
    record.y = 100;
    record.width = 50;
    record.height = 40;
    record.words[0] = 11;
    record.words[1] = -12;
    record.words[2] = 13;
    ASSERT_TRUE(area.Create(&record, 30, 4));
    EXPECT_EQ(area.GetUserValue(), 4u);
    EXPECT_EQ(static_cast<CCustomControl&>(area).GetControlType(), CCustomControl::kTypeDragReceiver);
    EXPECT_EQ(area.GetParam(4), 11);
    EXPECT_EQ(area.GetParam(5), -12);
    EXPECT_EQ(area.GetParam(6), 13);
    EXPECT_EQ(area.GetParam(7), 0);
    Place(area);

    owner.log.clear();
    EXPECT_TRUE(Drag(HfcDragEvent::Enter, 110, 105));
    EXPECT_TRUE(Drag(HfcDragEvent::Over, 120, 110));
    EXPECT_FALSE(Drag(HfcDragEvent::Over, 300, 110)) << "off the area: the layer's own";
    EXPECT_TRUE(Drag(HfcDragEvent::Enter, 149, 139));
    EXPECT_TRUE(Drag(HfcDragEvent::Drop, 149, 139));
    EXPECT_EQ(owner.log,
              (CallLog{"DragEnter 10,5", "DragOver 20,10", "DragLeave", "DragEnter 49,39", "Drop 49,39"}));

    owner.logMore = true;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 105, 106), CallLog{"Down 5,6"});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 107, 108), CallLog{"Move 7,8"});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 107, 108), CallLog{"Up 7,8"});

    RecordingDrawContext context;
    area.Draw(&context);
    EXPECT_TRUE(context.calls.empty()) << "the area has no look";

    record.height = 0;
    CCustomDragReceiver refused;
    EXPECT_FALSE(refused.Create(&record, 31, 0));
}

// Exposes the list's cell drawing to a recording context.
class ListProbe : public CCustomList
{
public:
    using CCustomList::DrawItem;
};

struct GridCase
{
    int32_t inset;
    int32_t index;
    // Expected strokes as (x1, y1, x2, y2) in the cell.
    std::vector<std::array<int32_t, 4>> lines;
};

TEST_F(EditorControlsTest, ListRulesEachCellSoNeighboursShareOneLine)
{
    // 5 items down the columns of a 3 x 2 page of 40 x 20 cells:
    //   0 2 4
    //   1 3
    const uint32_t grid = 0xFF4A4A55;
    const GridCase cases[] = {
        // Without an inset: top and left always; right and bottom inside the cell only where
        // nothing follows.
        {0, 0, {{0, 20, 0, 0}, {0, 0, 40, 0}}},
        {0, 1, {{0, 20, 0, 0}, {0, 0, 40, 0}, {0, 19, 39, 19}}},                  // last row
        {0, 3, {{0, 20, 0, 0}, {0, 0, 40, 0}, {39, 0, 39, 20}, {0, 19, 39, 19}}}, // no right neighbour
        {0, 4, {{0, 20, 0, 0}, {0, 0, 40, 0}, {39, 0, 39, 20}, {0, 19, 39, 19}}}, // last column, item
        // With an inset each cell draws its whole frame around the inset area.
        {2, 0, {{2, 18, 2, 2}, {2, 2, 38, 2}, {38, 2, 38, 18}, {2, 18, 38, 18}}},
    };
    for (const GridCase& c : cases)
    {
        SCOPED_TRACE("inset " + std::to_string(c.inset) + " item " + std::to_string(c.index));
        ListProbe list;
        CHfcCtrlListRecord record;
        record.x = 10;
        record.y = 10;
        record.width = 120;
        record.height = 40;
        record.font = Bitmap("LcdChar");
        record.columns = 3;
        record.rows = 2;
        record.orientation = 1;
        record.insetX = record.insetY = c.inset;
        ASSERT_TRUE(list.Create(&record, 40, 0));
        for (int32_t i = 0; i < 5; ++i)
            list.AddItem()->SetText("P");
        list.SetGridColor(grid);
        RecordingDrawContext context;
        list.DrawItem(&context, list.GetItem(c.index), c.index, 40, 20);
        std::vector<std::array<int32_t, 4>> lines;
        float x = 0, y = 0;
        for (const RecordedCall& call : context.calls)
        {
            if (call.what == "LineTo")
            {
                EXPECT_EQ(call.color, grid);
                lines.push_back({int32_t(x), int32_t(y), int32_t(call.x), int32_t(call.y)});
            }
            if (call.what == "MoveTo" || call.what == "LineTo")
            {
                x = call.x;
                y = call.y;
            }
        }
        EXPECT_EQ(lines, c.lines);
    }

    // No grid colour, no grid; a selected item is filled and its text centred in the area.
    ListProbe plain;
    CHfcCtrlListRecord record;
    record.width = 120;
    record.height = 40;
    record.font = Bitmap("LcdChar");
    record.selectedFont = Bitmap("LcdCharSelected");
    record.columns = 3;
    record.rows = 2;
    record.insetX = 2;
    record.selectionColor = 0xFF3A6EA5;
    record.showIcons = 1;
    ASSERT_TRUE(plain.Create(&record, 41, 0));
    CHfcCtrlListItem* item = plain.AddItem();
    item->SetText("ABC");
    item->icon = Bitmap("LedButtonLarge");
    item->SetSelected(true);
    RecordingDrawContext context;
    plain.DrawItem(&context, item, 0, 40, 20);
    EXPECT_TRUE(context.Only("LineTo").empty());
    ASSERT_EQ(context.Only("FillRect").size(), 1u);
    EXPECT_EQ(context.Only("FillRect")[0].color, record.selectionColor);
    const std::vector<RecordedCall> glyphs = context.Only("Blit");
    ASSERT_EQ(glyphs.size(), 3u) << "text only: no icon";
    EXPECT_EQ(glyphs[0].bitmap, Bitmap("LcdCharSelected"));
    EXPECT_EQ(glyphs[0].x, 2 + 18 - 9);
    EXPECT_EQ(static_cast<CCustomControl&>(plain).GetControlType(), CCustomControl::kTypeList);
}

// A graph B of 100 x 60 at (30, 30) with a 4-pixel handle over 0..127, keyboard step 1.
class FilterDragTest : public EditorControlsTest
{
protected:
    void SetUp() override
    {
        EditorControlsTest::SetUp();
        CXBCtrlFilterGraphRecord record;
        record.x = 30;
        record.y = 30;
        record.width = 100;
        record.height = 60;
        record.handleSize = 4;
        record.handleFillColor = 0xFFFFFFFF;
        ASSERT_TRUE(graph.Create(&record, 50));
        Place(graph);
        graph.SetClock([] { return 1000u; });
        graph.SetHandle({0, 64, 64}, false);
        owner.reportsAreRecords = true;
        owner.recordSize = sizeof(CXBFilterHandle);
        // The owner puts the handle where it is told.
        owner.onText = [this](CHfcControl*) { graph.SetHandle(Last(), false); };
    }
    CXBFilterHandle Last() const { return *reinterpret_cast<const CXBFilterHandle*>(owner.lastRecord); }
    std::string LastText() const
    {
        const CXBFilterHandle h = Last();
        return std::to_string(h.index) + " " + std::to_string(h.yValue) + " " + std::to_string(h.xValue);
    }

    CCustomTolvexFilterB graph;
};

TEST_F(FilterDragTest, DraggingTheHandleReportsWhereItGoesWithinTheRange)
{
    // (64, 64) sits at 64 x 96 / 127 + 2 = 50 and 56 + 2 - 64 x 56 / 127 = 30 in the plot box.
    EXPECT_EQ(graph.GetHandlePosition(), (CGraphPoint{50, 30}));
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30 + 50 + 7, 30 + 30), CallLog{})
        << "the reach is 7, excluded";
    ASSERT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30 + 50 + 6, 30 + 30), (CallLog{"BeginEdit", "Record"}));
    EXPECT_EQ(LastText(), "0 64 64");
    EXPECT_EQ(graph.GetDraggedHandle(), 0);

    // While dragged the guide band shows the upper half of a low-pass.
    RecordingDrawContext dragged;
    graph.Draw(&dragged);
    const RecordedCall band = dragged.Only("FillRect").front();
    EXPECT_EQ(band.color, CXBCtrlFilterGraph::kGuideBandColor);
    EXPECT_EQ(band.x, 29);
    EXPECT_EQ(band.y, 29);
    EXPECT_EQ(band.width, 98);
    EXPECT_EQ(band.height, 30);

    // With Shift: half the drag scale per pixel. 10 pixels right: 64 + 10 x 10 / 2 / 10 = 69.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 30 + 66, 60), CallLog{"Record"});
    EXPECT_EQ(LastText(), "0 64 69");
    // Not moved far enough for a new value: no report.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 30 + 66, 60), CallLog{});
    // 4 pixels down: the y value falls by 2.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 30 + 66, 64), CallLog{"Record"});
    EXPECT_EQ(LastText(), "0 62 69");
    // Without Shift a pixel spans (127 + 1) / (100 - 4) values: 3 pixels make 4.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30 + 69, 64), CallLog{"Record"});
    EXPECT_EQ(LastText(), "0 62 73");
    // Far beyond the box: the range's ends.
    Send(WM_MOUSEMOVE, MK_LBUTTON, 400, 0);
    EXPECT_EQ(LastText(), "0 127 127");

    // The release confirms the handle's values, ends the edit, then says the drag ended.
    owner.logMore = true;
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 400, 0), (CallLog{"Record", "EndEdit", "CaptureLost"}));
    EXPECT_EQ(LastText(), "0 127 127");
    EXPECT_EQ(graph.GetDraggedHandle(), CXBCtrlFilterGraph::kNoHandle);
    EXPECT_EQ(graph.GetLastDraggedHandle(), 0);
    RecordingDrawContext released;
    graph.Draw(&released);
    for (const RecordedCall& c : released.Only("FillRect"))
        EXPECT_NE(c.color, CXBCtrlFilterGraph::kGuideBandColor) << "no band after the drag";
}

TEST_F(FilterDragTest, ArrowKeysMoveTheLastDraggedHandleAndItsFocusMarksShow)
{
    CHfcKeyFocus* focus = window->GetKeyFocus();
    EXPECT_FALSE(graph.OnHfcKeyFocusKeyDown(focus, 29, 0, 0)) << "no handle dragged yet";
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30 + 50, 30 + 30);
    EXPECT_FALSE(graph.OnHfcKeyFocusKeyDown(focus, 29, 0, 0)) << "not while dragging";
    Send(WM_LBUTTONUP, 0, 30 + 50, 30 + 30);
    EXPECT_TRUE(graph.HasKeyFocus()) << "the press gave the graph the key focus";

    struct
    {
        uint32_t key;
        const char* reported;
    } keys[] = {{29, "0 64 65"}, {28, "0 64 64"}, {28, "0 64 63"}, {30, "0 65 63"}, {31, "0 64 63"}};
    for (const auto& k : keys)
    {
        owner.log.clear();
        EXPECT_TRUE(graph.OnHfcKeyFocusKeyDown(focus, k.key, 0, 0)) << k.key;
        ASSERT_EQ(owner.log, CallLog{"Record"}) << k.key;
        EXPECT_EQ(LastText(), k.reported) << k.key;
    }
    EXPECT_TRUE(graph.OnHfcKeyFocusKeyRepeat(focus, 31, 0, 0));
    EXPECT_EQ(LastText(), "0 63 63");
    EXPECT_FALSE(graph.OnHfcKeyFocusKeyDown(focus, 'A', 0, 0));
    // At the range's end a key reports nothing.
    graph.SetHandle({0, 127, 127}, false);
    graph.OnHfcKeyFocusKeyDown(focus, 29, 0, 0); // 127 127 reported once
    owner.log.clear();
    graph.OnHfcKeyFocusKeyDown(focus, 29, 0, 0);
    graph.OnHfcKeyFocusKeyDown(focus, 30, 0, 0);
    EXPECT_EQ(owner.log, CallLog{});

    // The focus marks: corner strokes 5 pixels around the handle's centre.
    graph.SetHandle({0, 64, 64}, false);
    RecordingDrawContext context;
    graph.Draw(&context);
    std::vector<RecordedCall> marks;
    for (const RecordedCall& c : context.Only("LineTo"))
        if (c.color == graph.GetFocusColor())
            marks.push_back(c);
    ASSERT_EQ(marks.size(), 8u);
    const int32_t cx = 30 + 50, cy = 30 + 30;
    EXPECT_EQ(marks[0].x, cx - 3);
    EXPECT_EQ(marks[0].y, cy - 5);
    EXPECT_EQ(marks[1].x, cx - 5);
    EXPECT_EQ(marks[1].y, cy - 3);
    EXPECT_EQ(marks[7].x, cx + 5);
    EXPECT_EQ(marks[7].y, cy + 3);

    // Read-only: neither the mouse nor the keys move it.
    static_cast<CCustomControl&>(graph).SetOption(true);
    owner.log.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30 + 50, 30 + 30);
    EXPECT_FALSE(graph.OnHfcKeyFocusKeyDown(focus, 29, 0, 0));
    EXPECT_EQ(owner.log, CallLog{});
}

TEST_F(EditorControlsTest, EqGraphDoubleClickGoesToTheOwnerFirstAndShiftAndAltDragsScale)
{
    CCustomEqGraph graph;
    CCustomEqGraphRecord record;
    record.x = 10;
    record.y = 10;
    record.bandCount = 2;
    ASSERT_TRUE(graph.Create(&record, 12, 0));
    Place(graph);
    const CEqAxes& axes = graph.GetAxes();
    const int32_t hx = static_cast<int32_t>(axes.ColumnOfFrequency(1000.0));
    const int32_t hy = static_cast<int32_t>(axes.RowOfLevel(0.0));
    owner.reportsAreRecords = true;
    owner.logMore = true;
    auto report = [&] { return *reinterpret_cast<const CEqBandReport*>(owner.lastRecord); };

    owner.swallowDoubleClick = true;
    EXPECT_EQ(Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 10 + hx, 10 + hy), CallLog{"DblClk"});
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr) << "swallowed: no press";
    owner.swallowDoubleClick = false;
    EXPECT_EQ(Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 10 + hx, 10 + hy),
              (CallLog{"DblClk", "Down " + std::to_string(hx) + "," + std::to_string(hy), "Record"}));
    Send(WM_LBUTTONUP, 0, 10 + hx, 10 + hy);

    // Shift: 10 pixels move the point as far as 1 pixel without it.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10 + hx, 10 + hy);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 10 + hx + 10, 10 + hy - 10);
    const CEqBandReport fine = report();
    Send(WM_LBUTTONUP, 0, 10 + hx + 10, 10 + hy - 10);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10 + hx, 10 + hy);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 10 + hx + 1, 10 + hy - 1);
    const CEqBandReport coarse = report();
    EXPECT_EQ(fine.kind, 0);
    EXPECT_FLOAT_EQ(fine.value1, coarse.value1);
    EXPECT_FLOAT_EQ(fine.value2, coarse.value2);
    EXPECT_GT(coarse.value1, 1000.0f);
    EXPECT_GT(coarse.value2, 0.0f);
    // Beyond the band range: its end.
    Send(WM_MOUSEMOVE, MK_LBUTTON, 10 + 500, 10 + hy);
    EXPECT_FLOAT_EQ(report().value1, 20000.0f);
    Send(WM_LBUTTONUP, 0, 10 + 500, 10 + hy);

    // Alt drags the second value: 0.3 x 9.5 + 0.5, then 0.1 a pixel (0.01 with Shift too).
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10 + hx, 10 + hy);
    owner.log.clear();
    // Alt comes from the keyboard's state at the time: handed over here as the window would.
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    graph.OnHfcMouseMove(mouse, hx + 10, hy, kModifierAlt);
    ASSERT_EQ(owner.log.back(), "Record");
    EXPECT_EQ(report().kind, 1);
    EXPECT_NEAR(report().value1, 0.3f * 9.5f + 0.5f + 1.0f, 1e-5f);
    graph.OnHfcMouseMove(mouse, hx + 20, hy, kModifierAlt | kModifierShift);
    EXPECT_NEAR(report().value1, 0.3f * 9.5f + 0.5f + 1.1f, 1e-5f);
    EXPECT_EQ(report().band, 0);
    Send(WM_LBUTTONUP, 0, 10 + hx + 20, 10 + hy);
}

TEST_F(EditorControlsTest, KnobShowsItsDragStripOnlyWhileItIsPressed)
{
    CCustomKnob knob;
    CCustomKnobRecord record;
    record.x = 20;
    record.y = 20;
    record.strip = Bitmap("Knob");
    record.special = Bitmap("KnobLarge");
    record.specialValue = 0;
    record.frameCount = 101;
    ASSERT_TRUE(knob.Create(&record, 1, 0));
    Place(knob);
    static_cast<CCustomControl&>(knob).SetValue(64);

    // Without a drag strip the press changes nothing.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 38, 38);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("Knob"));
    Send(WM_LBUTTONUP, 0, 38, 38);

    knob.SetDragBitmap(Bitmap("KnobSmall"));
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("Knob")) << "not pressed yet";
    knob.SetDirty(false);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 38, 38);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("KnobSmall"));
    EXPECT_TRUE(knob.IsDirty()) << "the new strip is drawn";
    RecordingDrawContext pressed;
    knob.Draw(&pressed);
    ASSERT_FALSE(pressed.Only("Blit").empty());
    EXPECT_EQ(pressed.Only("Blit").back().bitmap, Bitmap("KnobSmall"));
    Send(WM_LBUTTONUP, 0, 38, 38);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("Knob"));

    // The drag strip replaces the special one too, which returns at the release.
    static_cast<CCustomControl&>(knob).SetValue(0);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("KnobLarge"));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 38, 38);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("KnobSmall"));
    Send(WM_LBUTTONUP, 0, 38, 38);
    EXPECT_EQ(knob.GetShownStrip(), Bitmap("KnobLarge"));
}

TEST_F(EditorControlsTest, SliderDrawsItsSpecialValueThumbs)
{
    struct
    {
        bool enabled;
        int32_t value;
        int32_t specialValue;
        const char* thumb;
    } cases[] = {
        {true, 10, 64, "VerticalSliderTop"},     {true, 64, 64, "ButtonArrowLeft"},
        {false, 10, 64, "VerticalSliderTopDim"}, {false, 64, 64, "ButtonArrowLeftDim"},
        {true, 64, -1, "VerticalSliderTop"},     {false, 64, -1, "VerticalSliderTopDim"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.thumb) + " for " + std::to_string(c.value));
        CCustomSlider slider;
        CCustomSliderRecord record;
        record.x = 20;
        record.y = 20;
        record.width = 22;
        record.height = 80;
        record.thumb = Bitmap("VerticalSliderTop");
        record.dim = Bitmap("VerticalSliderTopDim");
        record.trackLength = 69;
        ASSERT_TRUE(slider.Create(&record, 2, 0));
        Place(slider);
        slider.SetSpecialThumbs(Bitmap("ButtonArrowLeft"), Bitmap("ButtonArrowLeftDim"), c.specialValue);
        static_cast<CCustomControl&>(slider).SetValue(c.value);
        static_cast<CCustomControl&>(slider).SetEnabled(c.enabled);
        RecordingDrawContext context;
        slider.Draw(&context);
        ASSERT_FALSE(context.Only("Blit").empty());
        EXPECT_EQ(context.Only("Blit").back().bitmap, Bitmap(c.thumb));
        layer.RemoveControl(&slider);
    }
}

// y of a wave value in a graph of height h: c - trunc(v x c).
int32_t WaveRow(float v, int32_t height)
{
    const int32_t c = (height - 1) / 2;
    return c - static_cast<int32_t>(std::trunc(v * static_cast<float>(c)));
}

TEST_F(EditorControlsTest, LfoGraphDrawsEachWaveAsOnePointAColumn)
{
    constexpr int32_t kLeft = 40, kTop = 30, kWidth = 64, kHeight = 41;
    CCustomLfoGraph lfo;
    CHfcCtrlLfoGraphRecord record;
    record.x = kLeft;
    record.y = kTop;
    record.width = kWidth;
    record.height = kHeight;
    record.lineColor = 0xFFBDFF00;
    ASSERT_TRUE(lfo.Create(&record, 60));
    Place(lfo);
    lfo.CHfcCtrlLfoGraph::SetValue(0, false); // one period over the width: p = x / width

    const auto strokes = [&]
    {
        RecordingDrawContext context;
        lfo.Draw(&context);
        std::vector<RecordedCall> lines;
        for (const RecordedCall& c : context.calls)
            if (c.what == "MoveTo" || c.what == "LineTo")
                lines.push_back(c);
        return lines;
    };
    // The drawn rows, checked for a move to the first point, then a line to every point, in the
    // line colour, one a column.
    const auto rows = [&]
    {
        const std::vector<RecordedCall> lines = strokes();
        std::vector<int32_t> out;
        EXPECT_EQ(lines.size(), size_t(kWidth) + 1);
        if (lines.size() != size_t(kWidth) + 1)
            return out;
        EXPECT_EQ(lines[0].what, "MoveTo");
        EXPECT_EQ(lines[0].y, lines[1].y);
        for (size_t i = 1; i < lines.size(); ++i)
        {
            EXPECT_EQ(lines[i].what, "LineTo");
            EXPECT_EQ(lines[i].x, kLeft + int32_t(i) - 1);
            EXPECT_EQ(lines[i].color, record.lineColor);
            out.push_back(int32_t(lines[i].y) - kTop);
        }
        return out;
    };
    const int32_t c = (kHeight - 1) / 2;

    EXPECT_TRUE(strokes().empty()) << "wave 7: nothing";

    for (const int32_t level : {0, 20})
    {
        SCOPED_TRACE("level " + std::to_string(level));
        lfo.SetLevel(level);
        const float k = level / 63.0f;
        // The waves given by formula, computed here on their own.
        const std::function<float(float)> formulas[] = {
            nullptr,
            [&](float p) { return 1.0f - 2.0f * p + k >= 0.0f ? 1.0f : -1.0f; },
            [&](float p) { return 1.0f - 2.0f * p + k >= 0.0f ? 1.0f : 0.0f; },
            [&](float p)
            {
                float q = p + 0.25f;
                q -= std::floor(q);
                const float w = (0.5f - std::fabs(0.5f - q)) * 2.0f;
                return (w + (1.0f - w) * k * w - 0.5f) * 2.0f;
            },
            [&](float p)
            {
                const float u = 0.5f - p;
                const float s = 8.0f * u * (1.0f - 2.0f * std::fabs(u));
                const float t = s * ((1.0f - std::fabs(s)) * k + 1.0f);
                return (1.0f + k * (1.0f - std::fabs(t))) * t;
            },
        };
        for (int32_t wave = 1; wave <= 4; ++wave)
        {
            SCOPED_TRACE("wave " + std::to_string(wave));
            lfo.SetWave(wave);
            const std::vector<int32_t> drawn = rows();
            ASSERT_EQ(drawn.size(), size_t(kWidth));
            for (int32_t x = 0; x < kWidth; ++x)
                EXPECT_EQ(drawn[x], WaveRow(formulas[wave](float(x) / float(kWidth)), kHeight))
                    << "column " << x;
        }
        // The square stays at its two rows, the unipolar one at the top and the middle.
        lfo.SetWave(1);
        for (int32_t y : rows())
            EXPECT_TRUE(y == 0 || y == 2 * c) << y;
        lfo.SetWave(2);
        for (int32_t y : rows())
            EXPECT_TRUE(y == 0 || y == c) << y;
    }

    // The saw rises through the period from the bottom to the top.
    lfo.SetLevel(0);
    lfo.SetWave(0);
    const std::vector<int32_t> saw = rows();
    ASSERT_EQ(saw.size(), size_t(kWidth));
    EXPECT_EQ(saw.front(), 2 * c);
    EXPECT_LE(saw.back(), 1);
    for (size_t i = 1; i < saw.size(); ++i)
        EXPECT_LE(saw[i], saw[i - 1]) << "column " << i;

    // Sample and hold: a level held for each quarter period; the random shape joins the held
    // levels instead, so it moves inside the steps.
    lfo.SetWave(5);
    const std::vector<int32_t> held = rows();
    ASSERT_EQ(held.size(), size_t(kWidth));
    std::vector<int32_t> levels;
    for (int32_t x = 0; x < kWidth; ++x)
    {
        if (x % (kWidth / 4) == 0)
            levels.push_back(held[x]);
        else
            EXPECT_EQ(held[x], held[x - 1]) << "column " << x;
    }
    EXPECT_GE(std::set<int32_t>(levels.begin(), levels.end()).size(), 2u);
    lfo.SetRandom(true);
    const std::vector<int32_t> random = rows();
    ASSERT_EQ(random.size(), size_t(kWidth));
    EXPECT_EQ(random[0], held[0]);
    EXPECT_NE(random[kWidth / 8], held[kWidth / 8]) << "between held levels";
    for (int32_t y : random)
    {
        EXPECT_GE(y, 0);
        EXPECT_LE(y, 2 * c);
    }
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

    CCustomPageButton tabs;
    CHfcCtrlPageButtonRecord tabsRecord = TabsRecord(Bitmap("LcdChar"));
    tabsRecord.x = 240;
    tabsRecord.y = 132;
    tabsRecord.width = 186;
    tabsRecord.cellWidth = 60;
    tabsRecord.cellHeight = 16;
    tabsRecord.height = 16;
    tabsRecord.selectedFont = Bitmap("LcdCharWhite");
    tabsRecord.disabledFont = Bitmap("LcdCharDim");
    ASSERT_TRUE(tabs.Create(&tabsRecord, 15, 0));
    Place(tabs);
    tabs.AddPage("OSC");
    tabs.AddPage("FILTER");
    tabs.AddPage("AMP");
    tabs.GetPage(2)->enabled = false;
    static_cast<CCustomControl&>(tabs).SetValue(1);

    CCustomList ccList;
    CHfcCtrlListRecord ccRecord;
    ccRecord.x = 240;
    ccRecord.y = 156;
    ccRecord.width = 186;
    ccRecord.height = 60;
    ccRecord.font = Bitmap("LcdChar");
    ccRecord.selectedFont = Bitmap("LcdCharWhite");
    ccRecord.columns = 3;
    ccRecord.rows = 4;
    ccRecord.orientation = 1;
    ccRecord.selectionColor = 0xFF3A6EA5;
    ASSERT_TRUE(ccList.Create(&ccRecord, 16, 0));
    Place(ccList);
    ccList.SetGridColor(0xFF4A4A55);
    for (const char* name : {"CC 1", "CC 2", "CC 7", "CC 10", "CC 11", "CC 64", "CC 71", "CC 74"})
        ccList.AddItem()->SetText(name);
    ccList.SetItemSelected(5, true);

    // Graph B's handle held in a drag: the guide band and the handle show.
    CCustomTolvexFilterB dragged;
    filterRecord.x = 20;
    filterRecord.y = 230;
    filterRecord.type = 0;
    filterRecord.handleSize = 5;
    filterRecord.handleMaximum = 256;
    filterRecord.handleFillColor = 0xFFBDFF00;
    filterRecord.handleFrameColor = 0xFFFFFFFF;
    ASSERT_TRUE(dragged.Create(&filterRecord, 17));
    Place(dragged);
    dragged.SetHandle({0, 127 + 90, 2 * 64}, true);
    const CGraphPoint handle = dragged.GetHandlePosition();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 20 + handle.x, 230 + handle.y);

    for (size_t i = 0; i < layer.GetControlCount(); ++i)
        layer.GetControl(i)->Redraw(true);
    layer.InvalidateAll(true);
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "editor_controls",
                                     [] { PumpUntil([] { return false; }, 300); }));
    Send(WM_LBUTTONUP, 0, 20 + handle.x, 230 + handle.y);
    entry.EndEditing();
}
} // namespace
