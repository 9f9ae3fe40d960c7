// Each editor control and graph kind drawn with the program's skin on a small layer over a page
// background, in the states a user sees (enabled, disabled, pressed or in edit, moved by a drag),
// compared pixel by pixel with the references in tests/editor/references/ through the window's
// composed image.
#include "FrameworkTestSupport.h"
#include "app/CResourceManager.h"
#include "editor/controls/CCustomAnalogLed.h"
#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
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
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"
#include "support/ReferenceImage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
class EditorControlStates : public ::testing::Test
{
protected:
    static constexpr int32_t kWidth = 300, kHeight = 240;

    void SetUp() override
    {
        skin = CResourceManager::getInstance();
        ASSERT_NE(skin, nullptr);
        page = Bitmap("BG_SynthEdit");
        ASSERT_NE(page, nullptr);
        window = std::make_unique<CHfcWindow>();
        ASSERT_TRUE(window->Create(40, 40, kWidth, kHeight, "Editor control states",
                                   CHfcWindow::kStyleCaption, nullptr, nullptr));
        window->Show();
        ASSERT_TRUE(layer.Create(0, 0, kWidth, kHeight, window.get()));
        {
            CHfcBmpLock source(page);
            const CHfcPixelView from = source.View();
            FillLayer(layer,
                      [&](int32_t x, int32_t y)
                      {
                          const uint8_t* p = from.Pixel(x, y);
                          return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
                      });
        }
        layer.Show(true);
    }
    void TearDown() override
    {
        CloseLayerWindow(layer, window);
        CResourceManager::releaseInstance();
    }
    CHfcBmp* Bitmap(const char* name) { return skin->FindBitmap(name); }
    void Place(CHfcControl& control, bool follow = true)
    {
        if (follow)
            control.SetListener(&owner);
        layer.AddControl(&control, false);
        control.Show(true);
        control.Redraw(true);
    }
    void Send(UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        SendMessageA(window->GetHwnd(), message, keys,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Press(int32_t x, int32_t y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void Release(int32_t x, int32_t y) { Send(WM_LBUTTONUP, 0, x, y); }
    void DragTo(int32_t x, int32_t y) { Send(WM_MOUSEMOVE, MK_LBUTTON, x, y); }
    // The control and 4 pixels around it, as the window would paint them once the controls
    // drew what changed.
    ::testing::AssertionResult Shows(const std::string& name, CHfcControl& control)
    {
        for (size_t i = 0; i < layer.GetControlCount(); ++i)
            layer.GetControl(i)->Redraw(false);
        const CHfcRect& r = control.GetRect();
        return MatchesReference(
            "control_" + name,
            RootSurfaceOf(*window).Crop(r.left - 4, r.top - 4, r.GetWidth() + 8, r.GetHeight() + 8));
    }

    CResourceManager* skin = nullptr;
    CHfcBmp* page = nullptr;
    std::unique_ptr<CHfcWindow> window;
    CHfcWindowLayer layer;
    FollowingOwner owner;
};

TEST_F(EditorControlStates, KnobAndSlider)
{
    CCustomKnob knob;
    CCustomKnobRecord knobRecord;
    knobRecord.x = 20;
    knobRecord.y = 20;
    knobRecord.strip = Bitmap("Knob");
    knobRecord.dim = Bitmap("KnobDim");
    knobRecord.background = page;
    knobRecord.frameCount = 101;
    ASSERT_TRUE(knob.Create(&knobRecord, 1, 0));
    Place(knob);
    static_cast<CCustomControl&>(knob).SetValue(90);
    EXPECT_TRUE(Shows("knob_enabled", knob));
    static_cast<CCustomControl&>(knob).SetEnabled(false);
    EXPECT_TRUE(Shows("knob_disabled", knob));
    static_cast<CCustomControl&>(knob).SetEnabled(true);
    const CHfcRect k = knob.GetRect();
    const int32_t cx = (k.left + k.right) / 2, cy = (k.top + k.bottom) / 2;
    Press(cx, cy);
    EXPECT_TRUE(Shows("knob_pressed", knob));
    DragTo(cx, cy - 20);
    DragTo(cx, cy - 50);
    Release(cx, cy - 50);
    EXPECT_TRUE(Shows("knob_moved", knob));

    CCustomSlider slider;
    CCustomSliderRecord sliderRecord;
    sliderRecord.x = 120;
    sliderRecord.y = 20;
    sliderRecord.width = 22;
    sliderRecord.height = 95;
    sliderRecord.thumb = Bitmap("VerticalSliderTop");
    sliderRecord.dim = Bitmap("VerticalSliderTopDim");
    sliderRecord.background = page;
    sliderRecord.trackLength = 69;
    ASSERT_TRUE(slider.Create(&sliderRecord, 2, 0));
    Place(slider);
    static_cast<CCustomControl&>(slider).SetValue(100);
    EXPECT_TRUE(Shows("slider_enabled", slider));
    static_cast<CCustomControl&>(slider).SetEnabled(false);
    EXPECT_TRUE(Shows("slider_disabled", slider));
    static_cast<CCustomControl&>(slider).SetEnabled(true);
    // Pressed near the bottom (the thumb jumps there), dragged up and down, let go half way.
    Press(131, 105);
    EXPECT_TRUE(Shows("slider_pressed", slider));
    DragTo(131, 30);
    DragTo(131, 90);
    DragTo(131, 60);
    Release(131, 60);
    EXPECT_TRUE(Shows("slider_moved", slider));
}

TEST_F(EditorControlStates, SwitchLedButtonAndAnalogLed)
{
    CCustomSwitch sw;
    CCustomSwitchRecord swRecord;
    swRecord.x = 20;
    swRecord.y = 20;
    swRecord.strip = Bitmap("SwitchOnOff");
    swRecord.dim = Bitmap("SwitchOnOffDim");
    swRecord.background = page;
    ASSERT_TRUE(sw.Create(&swRecord, 1, 1));
    Place(sw, false);
    static_cast<CCustomControl&>(sw).SetValue(1);
    EXPECT_TRUE(Shows("switch_enabled", sw));
    const CHfcRect s = sw.GetRect();
    Press(s.left + 3, s.top + 3);
    EXPECT_TRUE(Shows("switch_pressed", sw));
    Release(s.left + 3, s.top + 3);
    static_cast<CCustomControl&>(sw).SetEnabled(false);
    EXPECT_TRUE(Shows("switch_disabled", sw));

    CCustomLed led;
    CCustomLedRecord ledRecord;
    ledRecord.x = 80;
    ledRecord.y = 22;
    ledRecord.strip = Bitmap("LedButtonLarge");
    ledRecord.dim = Bitmap("LedButtonLargeDim");
    ledRecord.background = page;
    ASSERT_TRUE(led.Create(&ledRecord, 2, 2));
    Place(led, false);
    static_cast<CCustomControl&>(led).SetValue(1);
    EXPECT_TRUE(Shows("led_enabled", led));
    const CHfcRect l = led.GetRect();
    Press(l.left + 3, l.top + 3);
    EXPECT_TRUE(Shows("led_pressed", led));
    Release(l.left + 3, l.top + 3);
    // Dimmed, not gone.
    static_cast<CCustomControl&>(led).SetEnabled(false);
    EXPECT_TRUE(Shows("led_disabled", led));

    CCustomButton button;
    CCustomButtonRecord buttonRecord;
    buttonRecord.x = 130;
    buttonRecord.y = 20;
    buttonRecord.strip = Bitmap("ButtonEdit");
    buttonRecord.dim = Bitmap("ButtonEditDim");
    buttonRecord.background = page;
    ASSERT_TRUE(button.Create(&buttonRecord, 3, 0));
    Place(button, false);
    EXPECT_TRUE(Shows("button_enabled", button));
    const CHfcRect b = button.GetRect();
    Press(b.left + 5, b.top + 5);
    EXPECT_TRUE(Shows("button_pressed", button));
    Release(b.left + 5, b.top + 5);
    static_cast<CCustomControl&>(button).SetEnabled(false);
    EXPECT_TRUE(Shows("button_disabled", button));

    CCustomAnalogLed analog;
    CHfcCtrlLedRecord analogRecord;
    analogRecord.head = {20, 80, 0, 0, Bitmap("LedButtonLarge"), page, 20, 80};
    analogRecord.frameCount = 4;
    ASSERT_TRUE(analog.Create(&analogRecord, 4, 0));
    Place(analog, false);
    static_cast<CCustomControl&>(analog).SetValue(2);
    EXPECT_TRUE(Shows("analog_led_enabled", analog));
    static_cast<CCustomControl&>(analog).SetEnabled(false);
    EXPECT_TRUE(Shows("analog_led_disabled", analog));
}

TEST_F(EditorControlStates, TextsAndPictures)
{
    CCustomStaticText label;
    CCustomStaticTextRecord labelRecord;
    labelRecord.x = 20;
    labelRecord.y = 20;
    labelRecord.columns = 10;
    labelRecord.font = Bitmap("LcdChar");
    labelRecord.dimFont = Bitmap("LcdCharStrongDim");
    labelRecord.background = page;
    ASSERT_TRUE(label.Create(&labelRecord, 1, 0));
    Place(label, false);
    label.SetText("Cutoff  64", true);
    EXPECT_TRUE(Shows("static_text_enabled", label));
    static_cast<CCustomControl&>(label).SetEnabled(false);
    EXPECT_TRUE(Shows("static_text_disabled", label));

    CCustomEditText entry;
    CCustomEditTextRecord entryRecord;
    entryRecord.x = 20;
    entryRecord.y = 50;
    entryRecord.font = Bitmap("LcdChar");
    entryRecord.dimFont = Bitmap("LcdCharStrongDim");
    entryRecord.background = page;
    entryRecord.columns = 10;
    entryRecord.maximum = 127;
    ASSERT_TRUE(entry.Create(&entryRecord, 2, 0));
    Place(entry, false);
    entry.SetText("Init Prog", false);
    EXPECT_TRUE(Shows("edit_text_enabled", entry));
    // In edit, as its owner starts it for a name field, with the caret after a press in it.
    ASSERT_TRUE(entry.StartEditing());
    const CHfcRect e = entry.GetRect();
    Press(e.left + 14, e.top + 4);
    Release(e.left + 14, e.top + 4);
    EXPECT_TRUE(Shows("edit_text_focused", entry));
    entry.EndEditing();
    static_cast<CCustomControl&>(entry).SetEnabled(false);
    EXPECT_TRUE(Shows("edit_text_disabled", entry));

    CCustomBitmapList waves;
    CCustomBitmapListRecord wavesRecord;
    wavesRecord.x = 120;
    wavesRecord.y = 20;
    wavesRecord.strip = Bitmap("BitmapListOscWaveform");
    wavesRecord.background = page;
    wavesRecord.frameCount = 8;
    ASSERT_TRUE(waves.Create(&wavesRecord, 3, 0));
    Place(waves, false);
    static_cast<CCustomControl&>(waves).SetValue(2);
    EXPECT_TRUE(Shows("bitmap_list_enabled", waves));
    static_cast<CCustomControl&>(waves).SetEnabled(false);
    EXPECT_TRUE(Shows("bitmap_list_disabled", waves));
}

TEST_F(EditorControlStates, TabsAndList)
{
    CCustomPageButton tabs;
    CHfcCtrlPageButtonRecord tabsRecord;
    tabsRecord.x = 20;
    tabsRecord.y = 20;
    tabsRecord.width = 186;
    tabsRecord.height = 16;
    tabsRecord.cellWidth = 60;
    tabsRecord.cellHeight = 16;
    tabsRecord.gap = 2;
    tabsRecord.font = Bitmap("LcdChar");
    tabsRecord.selectedFont = Bitmap("LcdCharWhite");
    tabsRecord.disabledFont = Bitmap("LcdCharStrongDim");
    tabsRecord.fillColor = 0xFF3A6EA5;
    tabsRecord.frameColor = 0xFFC0C0C0;
    ASSERT_TRUE(tabs.Create(&tabsRecord, 1, 0));
    Place(tabs);
    tabs.AddPage("OSC");
    tabs.AddPage("FILTER");
    tabs.AddPage("AMP");
    tabs.GetPage(2)->enabled = false;
    tabs.Redraw(true);
    EXPECT_TRUE(Shows("tabs_enabled", tabs));
    // The second tab pressed: the owner takes it.
    Press(20 + 62 + 30, 28);
    Release(20 + 62 + 30, 28);
    EXPECT_TRUE(Shows("tabs_moved", tabs));
    static_cast<CCustomControl&>(tabs).SetEnabled(false);
    EXPECT_TRUE(Shows("tabs_disabled", tabs));

    CCustomList list;
    CHfcCtrlListRecord listRecord;
    listRecord.x = 20;
    listRecord.y = 60;
    listRecord.width = 186;
    listRecord.height = 60;
    listRecord.background = page;
    listRecord.backgroundX = 20;
    listRecord.backgroundY = 60;
    listRecord.font = Bitmap("LcdChar");
    listRecord.selectedFont = Bitmap("LcdCharWhite");
    listRecord.disabledFont = Bitmap("LcdCharStrongDim");
    listRecord.columns = 3;
    listRecord.rows = 4;
    listRecord.orientation = 1;
    listRecord.selectionColor = 0xFF3A6EA5;
    ASSERT_TRUE(list.Create(&listRecord, 2, 0));
    Place(list, false);
    list.SetGridColor(0xFF4A4A55);
    for (const char* name : {"CC 1", "CC 2", "CC 7", "CC 10", "CC 11", "CC 64", "CC 71", "CC 74"})
        list.AddItem()->SetText(name);
    list.Redraw(true);
    EXPECT_TRUE(Shows("list_enabled", list));
    list.SetItemSelected(5, true);
    EXPECT_TRUE(Shows("list_selected", list));
    static_cast<CCustomControl&>(list).SetEnabled(false);
    list.Redraw(true);
    EXPECT_TRUE(Shows("list_disabled", list));
}

TEST_F(EditorControlStates, ValueBarAndEnvelope)
{
    CCustomValueBar bar;
    CCustomValueBarRecord barRecord;
    barRecord.x = 20;
    barRecord.y = 20;
    barRecord.width = 62;
    barRecord.height = 11;
    barRecord.fill = Bitmap("ValueBarMixer");
    barRecord.background = page;
    barRecord.backgroundX = 20;
    barRecord.backgroundY = 20;
    barRecord.frameColor = 0xFF808080;
    ASSERT_TRUE(bar.Create(&barRecord, 1, 0));
    Place(bar);
    static_cast<CCustomControl&>(bar).SetValue(80);
    EXPECT_TRUE(Shows("value_bar_enabled", bar));
    static_cast<CCustomControl&>(bar).SetEnabled(false);
    EXPECT_TRUE(Shows("value_bar_disabled", bar));
    static_cast<CCustomControl&>(bar).SetEnabled(true);
    Press(60, 25);
    DragTo(30, 25);
    Release(30, 25);
    EXPECT_TRUE(Shows("value_bar_moved", bar));

    CCustomEnvelopeCurve envelope;
    CHfcCtrlEnvelopeCurveRecord envRecord;
    envRecord.x = 20;
    envRecord.y = 50;
    envRecord.width = 120;
    envRecord.height = 60;
    envRecord.pointCount = 4;
    envRecord.handleSize = 6;
    ASSERT_TRUE(envelope.Create(&envRecord, 2));
    Place(envelope, false);
    envelope.SetPoint({0, 0, 0, 3}, false);
    envelope.SetPoint({1, 127, 40, 0}, false);
    envelope.SetPoint({2, 70, 90, 1}, false);
    envelope.SetPoint({3, 0, 120, 4}, true);
    EXPECT_TRUE(Shows("envelope_enabled", envelope));
    static_cast<CCustomControl&>(envelope).SetEnabled(false);
    EXPECT_TRUE(Shows("envelope_disabled", envelope));
}

TEST_F(EditorControlStates, LfoFilterAndEqGraphs)
{
    CCustomLfoGraph lfo;
    CHfcCtrlLfoGraphRecord lfoRecord;
    lfoRecord.x = 20;
    lfoRecord.y = 20;
    lfoRecord.width = 80;
    lfoRecord.height = 40;
    lfoRecord.lineColor = 0xFFBDFF00;
    ASSERT_TRUE(lfo.Create(&lfoRecord, 1));
    Place(lfo, false);
    lfo.SetWave(3);
    lfo.SetLevel(20);
    lfo.CHfcCtrlLfoGraph::SetValue(40, true);
    EXPECT_TRUE(Shows("lfo_graph_enabled", lfo));
    static_cast<CCustomControl&>(lfo).SetEnabled(false);
    EXPECT_TRUE(Shows("lfo_graph_disabled", lfo));

    CCustomTolvexFilterB filter;
    CXBCtrlFilterGraphRecord filterRecord;
    filterRecord.x = 120;
    filterRecord.y = 20;
    filterRecord.width = 60;
    filterRecord.height = 47;
    filterRecord.handleSize = 5;
    filterRecord.handleMaximum = 256;
    filterRecord.lineColor = 0xFFFFFFFF;
    filterRecord.fillColor = 0xFF555555;
    filterRecord.handleFillColor = 0xFFBDFF00;
    filterRecord.handleFrameColor = 0xFFFFFFFF;
    ASSERT_TRUE(filter.Create(&filterRecord, 2));
    Place(filter, false);
    filter.SetHandle({0, 127 + 90, 2 * 64}, true);
    EXPECT_TRUE(Shows("filter_graph_enabled", filter));
    // Held in a drag: the guide band and the handle show.
    const CGraphPoint handle = filter.GetHandlePosition();
    Press(120 + handle.x, 20 + handle.y);
    EXPECT_TRUE(Shows("filter_graph_pressed", filter));
    Release(120 + handle.x, 20 + handle.y);
    static_cast<CCustomControl&>(filter).SetEnabled(false);
    EXPECT_TRUE(Shows("filter_graph_disabled", filter));

    CCustomEqGraph eq;
    CCustomEqGraphRecord eqRecord;
    eqRecord.x = 20;
    eqRecord.y = 80;
    eqRecord.bandCount = 2;
    ASSERT_TRUE(eq.Create(&eqRecord, 3, 0));
    Place(eq, false);
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
    EXPECT_TRUE(Shows("eq_graph_enabled", eq));
    static_cast<CCustomControl&>(eq).SetEnabled(false);
    EXPECT_TRUE(Shows("eq_graph_disabled", eq));
}
} // namespace
