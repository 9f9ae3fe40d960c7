// The framework's controls on a real layer of a window on the test display: the events they
// report for real mouse and key messages, and the pixels they draw into the layer's surface.
#include "FrameworkTestSupport.h"
#include "RecordingListeners.h"
#include "TestBitmaps.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcCtrlBitmapList.h"
#include "framework/CHfcCtrlButton.h"
#include "framework/CHfcCtrlCharStaticText.h"
#include "framework/CHfcCtrlKnob.h"
#include "framework/CHfcCtrlLed.h"
#include "framework/CHfcCtrlList.h"
#include "framework/CHfcCtrlVerticalFader.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindow.h"
#include "framework/ctrlmath/HfcControlMath.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <memory>

namespace
{
uint32_t Pixel(CHfcBmp* bmp, int32_t x, int32_t y)
{
    CHfcBmpLock lock(bmp);
    const uint8_t* p = lock.View().Pixel(x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Each pixel of the w x h area at (x, y) of the surface against expected(column, row).
::testing::AssertionResult AreaIs(CHfcBmp* surface, int32_t x, int32_t y, int32_t w, int32_t h,
                                  const std::function<uint32_t(int32_t, int32_t)>& expected)
{
    for (int32_t row = 0; row < h; ++row)
        for (int32_t column = 0; column < w; ++column)
        {
            const uint32_t got = Pixel(surface, x + column, y + row), want = expected(column, row);
            if (got != want)
                return ::testing::AssertionFailure() << "at " << column << "," << row << ": 0x" << std::hex
                                                     << got << " instead of 0x" << want;
        }
    return ::testing::AssertionSuccess();
}

LPARAM ClientPoint(int32_t x, int32_t y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// A window with one layer over its client area; controls are placed in layer coordinates,
// which are the client coordinates here.
class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<CHfcWindow>();
        ASSERT_TRUE(
            window->Create(60, 60, 320, 200, "Controls", CHfcWindow::kStyleCaption, nullptr, nullptr));
        window->Show();
        ASSERT_TRUE(layer.Create(0, 0, 320, 200, window.get()));
        layer.Show(true);
        CHfcCtrlKnob::SetKnobMode(kKnobModeCircular);
    }
    void TearDown() override
    {
        CHfcCtrlKnob::SetKnobMode(kKnobModeCircular);
        CloseLayerWindow(layer, window);
    }

    CallLog Send(UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        log.clear();
        SendMessageA(window->GetHwnd(), message, keys, ClientPoint(x, y));
        return log;
    }
    CHfcBmp* Surface() { return layer.GetOffscreen()->GetBitmap(); }

    // A 40 x 40 knob at (10, 10) of 8 frames, 0..maximum.
    void MakeKnob(CHfcCtrlKnob& knob, int32_t maximum, int32_t step = 1)
    {
        CHfcCtrlKnobRecord record;
        record.head = {10, 10, 0, 0, knobStrip.get(), nullptr, 0, 0};
        record.frameCount = 8;
        record.maximum = maximum;
        record.step = step;
        ASSERT_TRUE(knob.Create(&record, 1, 0));
        knob.SetListener(&listener);
        layer.AddControl(&knob, false);
        knob.Show(true);
    }

    CallLog log;
    RecordingControlListener listener{&log};
    std::unique_ptr<CHfcWindow> window;
    CHfcWindowLayer layer;
    std::unique_ptr<CHfcBmp> knobStrip = MakeStrip(40, 40, 8);
    std::unique_ptr<CHfcBmp> buttonStrip = MakeStrip(30, 20, 2); // one state: normal, pressed
    std::unique_ptr<CHfcBmp> font = MakeFont();
};

TEST_F(ControlsTest, KnobLinearModeStepsToMultiplesAndShiftStepsByOne)
{
    CHfcCtrlKnob::SetKnobMode(kKnobModeLinear);
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127, 7);
    knob.SetValue(5, false);

    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30),
              (CallLog{"LButtonDown 20,20", "BeginEdit", "ValueChanged 5"}));
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), &knob);
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 29), CallLog{"ValueChanged 7"});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 30, 29), CallLog{"EndEdit"});
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 31), CallLog{"ValueChanged 0"});
    // Dragged past the minimum, the running value must come back before the value moves.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 40), CallLog{});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 39), CallLog{});
    Send(WM_LBUTTONUP, 0, 30, 39);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 30, 29), CallLog{"ValueChanged 6"});
    Send(WM_LBUTTONUP, 0, 30, 29);
    // The knob reports; its own value is the owner's to set.
    EXPECT_EQ(knob.GetValue(), 5);
}

TEST_F(ControlsTest, KnobCircularModeJumpsToThePointedAngleAndHoldsItAcrossTheDeadZone)
{
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    // Straight below the centre (30, 30): the dead zone's left half is the minimum, its right
    // half the maximum.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 29, 49),
              (CallLog{"LButtonDown 19,39", "BeginEdit", "ValueChanged 0"}));
    Send(WM_LBUTTONUP, 0, 29, 49);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 31, 49);
    EXPECT_EQ(log, (CallLog{"LButtonDown 21,39", "BeginEdit", "ValueChanged 127"}));
    // From the end across the dead zone to near the start: still the maximum.
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 18, 46), CallLog{});
    Send(WM_LBUTTONUP, 0, 18, 46);
}

TEST_F(ControlsTest, KnobRelativeModeTurnsWithThePointerAndAltSwitchesToLinear)
{
    CHfcCtrlKnob::SetKnobMode(kKnobModeRelativeCircular);
    CHfcCtrlKnob knob;
    MakeKnob(knob, 300);
    // A quarter turn clockwise, from above the centre to its right: 90 of 0..300.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 10), (CallLog{"LButtonDown 20,0", "BeginEdit"}));
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 50, 30), CallLog{"ValueChanged 90"});
    Send(WM_LBUTTONUP, 0, 50, 30);

    // Alt makes the press linear; with the linear setting it makes it circular.
    log.clear();
    knob.OnHfcMouseLeftDown(CHfcMouse::GetMouse(), 20, 20, kModifierAlt);
    EXPECT_EQ(log, (CallLog{"LButtonDown 20,20", "BeginEdit", "ValueChanged 0"}));
    log.clear();
    knob.OnHfcMouseMove(CHfcMouse::GetMouse(), 20, 17, 0);
    EXPECT_EQ(log, CallLog{"ValueChanged 3"});
    CHfcMouse::GetMouse()->ReleaseCapture();

    CHfcCtrlKnob::SetKnobMode(kKnobModeLinear);
    log.clear();
    knob.OnHfcMouseLeftDown(CHfcMouse::GetMouse(), 19, 39, kModifierAlt);
    EXPECT_EQ(log, (CallLog{"LButtonDown 19,39", "BeginEdit", "ValueChanged 0"}));
    CHfcMouse::GetMouse()->ReleaseCapture();
}

TEST_F(ControlsTest, KnobControlPressTakesTheDefaultValueAndASwallowedPressDoesNothing)
{
    CHfcCtrlKnob::SetKnobMode(kKnobModeLinear);
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    listener.defaultValue = 64;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 30, 30),
              (CallLog{"LButtonDown 20,20", "BeginEdit", "ValueChanged 64"}));
    EXPECT_EQ(knob.GetValue(), 64);
    Send(WM_LBUTTONUP, 0, 30, 30);

    listener.swallowPress = true;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30), CallLog{"LButtonDown 20,20"});
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr);
}

TEST_F(ControlsTest, APressOnADisabledControlIsNotDeliveredButAMoveIs)
{
    CHfcCtrlKnob::SetKnobMode(kKnobModeLinear);
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    listener.logMoves = true;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    knob.SetEnabled(false);
    // The knob holds the capture: the events come through its screen twins.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30), CallLog{});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 28), (CallLog{"MouseMove 20,18", "ValueChanged 2"}));
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 30, 28), CallLog{});
    knob.SetEnabled(true);
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 30, 28), CallLog{"EndEdit"});
}

TEST_F(ControlsTest, AButtonReportsAReleaseInsideAndNothingForAPressDraggedOut)
{
    CHfcCtrlButton button;
    CHfcCtrlButtonRecord record;
    record.head = {100, 20, 0, 0, buttonStrip.get(), nullptr, 0, 0};
    record.stateCount = 1;
    ASSERT_TRUE(button.Create(&record, 2, 0));
    EXPECT_EQ(button.GetRect(), CHfcRect(100, 20, 130, 40));
    button.SetListener(&listener);
    layer.AddControl(&button, false);
    button.Show(true);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 110, 30);
    EXPECT_TRUE(button.IsPressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 150, 30);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 150, 30), CallLog{});
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr);

    // Out and back in again: the release reports.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 110, 30);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 150, 30);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 129, 39);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 129, 39), (CallLog{"ValueChanged 0"}));
    EXPECT_FALSE(button.IsPressed());
}

TEST_F(ControlsTest, AnLedReportsAPressWithBit31ThenTheValue)
{
    auto strip = MakeStrip(10, 10, 3);
    CHfcCtrlLed led;
    CHfcCtrlLedRecord record;
    record.head = {200, 20, 0, 0, strip.get(), nullptr, 0, 0};
    record.frameCount = 3;
    ASSERT_TRUE(led.Create(&record, 3, 0));
    led.SetListener(&listener);
    led.SetValue(2, false);
    layer.AddControl(&led, false);
    led.Show(true);

    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 205, 25),
              (CallLog{"BeginEdit", "ValueChanged " + std::to_string(static_cast<int32_t>(0x80000002u))}));
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 205, 25), (CallLog{"ValueChanged 2", "EndEdit"}));
    // A capture taken away ends the press the same way, once.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 205, 25);
    log.clear();
    CHfcMouse::GetMouse()->SetCapture(&layer, window.get());
    EXPECT_EQ(log, (CallLog{"ValueChanged 2", "EndEdit"}));

    // The range follows the frame count; the record words read back.
    led.SetValue(9, false);
    EXPECT_EQ(led.GetValue(), 2);
    EXPECT_EQ(led.GetParam(9), 3);
    EXPECT_EQ(led.GetParam(4), reinterpret_cast<intptr_t>(strip.get()));
    EXPECT_EQ(led.GetParam(10), 0);
    led.SetParam(9, 2, false);
    EXPECT_EQ(led.GetValue(), 1);
}

TEST_F(ControlsTest, FaderJumpsToThePressAndDragsByStepsWithAFineStepUnderShift)
{
    auto thumb = MakeStrip(10, 20, 1);
    CHfcCtrlVerticalFader fader;
    CHfcCtrlVerticalFaderRecord record;
    record.head = {250, 50, 20, 110, thumb.get(), nullptr, 0, 0};
    record.thumbX = 5;
    record.trackTop = 5;
    record.trackLength = 100;
    record.maximum = 127;
    record.step = 4;
    record.fineStep = 1;
    ASSERT_TRUE(fader.Create(&record, 4, 0));
    fader.SetListener(&listener);
    layer.AddControl(&fader, false);
    fader.Show(true);
    EXPECT_EQ(fader.GetThumbOffset(), 80);
    fader.SetValue(127, false);
    EXPECT_EQ(fader.GetThumbOffset(), 0);
    fader.SetValue(64, false);
    EXPECT_EQ(fader.GetThumbOffset(), 40);

    // A press beside the thumb, in its column: the thumb's centre moves to the pointer.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 260, 50 + 5 + 80 + 10),
              (CallLog{"LButtonDown 10,95", "BeginEdit", "ValueChanged 0"}));
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 260, 50 + 5 + 80 + 8), CallLog{"ValueChanged 8"});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 260, 50 + 5 + 80 + 7), CallLog{"ValueChanged 9"});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 260, 50), CallLog{"EndEdit"});
    // A press on the thumb keeps the value; one outside the column starts no drag.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 260, 50 + 5 + 40 + 2),
              (CallLog{"LButtonDown 10,47", "BeginEdit", "ValueChanged 64"}));
    Send(WM_LBUTTONUP, 0, 260, 50);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 252, 60), CallLog{"LButtonDown 2,10"});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 252, 50), CallLog{});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 252, 50), CallLog{"EndEdit"});
    // A press below the track's end: the running value starts below the minimum and a drag
    // has to make up the difference before the value moves: (10 - 108 + 85) x 127 / 80 = -20.
    fader.SetValue(64, false);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, 260, 50 + 108),
              (CallLog{"LButtonDown 10,108", "BeginEdit", "ValueChanged 0"}));
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 260, 50 + 104), CallLog{"ValueChanged 0"});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, 260, 50 + 102), CallLog{"ValueChanged 4"});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, 260, 50), CallLog{"EndEdit"});

    // A new minimum above the value moves the value into the range.
    fader.SetMinimum(100, false);
    EXPECT_EQ(fader.GetValue(), 100);
    EXPECT_EQ(fader.GetThumbOffset(), 80);
}

TEST_F(ControlsTest, KnobPixelsAreTheStripFrameOfTheValue)
{
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    struct Case
    {
        int32_t value, frame;
    };
    for (const Case& c : {Case{0, 0}, Case{64, 3}, Case{127, 7}, Case{100, 6}})
    {
        knob.SetValue(c.value, true);
        knob.Redraw(true);
        EXPECT_TRUE(AreaIs(Surface(), 10, 10, 40, 40,
                           [&](int32_t x, int32_t y) { return StripPixel(c.frame, x, y); }))
            << "value " << c.value;
    }
}

TEST_F(ControlsTest, ButtonPixelsAreTheNormalPressedAndHalfOpaqueDisabledFrames)
{
    auto background =
        MakeBitmap(320, 200, [](int32_t x, int32_t y) { return 0xFF000000u | (x + y) % 256 << 8; });
    CHfcCtrlButton button;
    CHfcCtrlButtonRecord record;
    record.head = {100, 20, 0, 0, buttonStrip.get(), background.get(), 100, 20};
    ASSERT_TRUE(button.Create(&record, 2, 0));
    layer.AddControl(&button, false);
    button.Show(true);

    button.Redraw(true);
    EXPECT_TRUE(AreaIs(Surface(), 100, 20, 30, 20, [](int32_t x, int32_t y) { return StripPixel(0, x, y); }));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 110, 30);
    ASSERT_TRUE(button.IsDirty());
    button.Redraw(false);
    EXPECT_TRUE(AreaIs(Surface(), 100, 20, 30, 20, [](int32_t x, int32_t y) { return StripPixel(1, x, y); }));
    Send(WM_LBUTTONUP, 0, 110, 30);

    // Disabled: the frame at opacity 0.5 over the background, the blit's integer blend with
    // the source alpha 255 x 0.5 = 127.
    button.SetEnabled(false);
    button.Redraw(true);
    EXPECT_TRUE(
        AreaIs(Surface(), 100, 20, 30, 20,
               [](int32_t x, int32_t y)
               {
                   const uint32_t s = StripPixel(0, x, y), d = 0xFF000000u | (100 + x + 20 + y) % 256 << 8;
                   const uint64_t a = 127 * 256 + 255, inverse = 65535 - a;
                   uint32_t out = 0xFF000000u;
                   for (int shift = 0; shift < 24; shift += 8)
                   {
                       const uint64_t dc = (d >> shift) & 0xFF, sc = (s >> shift) & 0xFF;
                       out |= static_cast<uint32_t>(((dc * 256 + 255) * inverse + (sc * 256 + 255) * a) >> 24)
                              << shift;
                   }
                   return out;
               }));
}

TEST_F(ControlsTest, StaticTextDrawsEveryCellWithTheFallbackForBytesWithoutAGlyph)
{
    CHfcCtrlCharStaticText text;
    CHfcCtrlCharStaticTextRecord record;
    record.head = {20, 100, 0, 0, font.get(), nullptr, 0, 0};
    record.lines = 1;
    record.columns = 8;
    ASSERT_TRUE(text.Create(&record, 5, 0));
    EXPECT_EQ(text.GetRect(), CHfcRect(20, 100, 68, 108));
    layer.AddControl(&text, false);
    text.Show(true);

    text.SetText("AB\x80\xFFxyz0123", true); // 12 characters: the first 8 show
    text.Redraw(false);
    const char expected[] = {'A', 'B', '?', '?', 'x', 'y', 'z', '0'};
    for (int32_t cell = 0; cell < 8; ++cell)
        EXPECT_TRUE(AreaIs(Surface(), 20 + cell * 6, 100, 6, 8,
                           [&](int32_t, int32_t) { return GlyphColour(expected[cell]); }))
            << "cell " << cell;
    // A shorter text pads with zero bytes, which draw glyph 0.
    text.SetText("Q", true);
    text.Redraw(false);
    EXPECT_TRUE(AreaIs(Surface(), 20, 100, 6, 8, [](int32_t, int32_t) { return GlyphColour('Q'); }));
    EXPECT_TRUE(AreaIs(Surface(), 26, 100, 42, 8, [](int32_t, int32_t) { return GlyphColour(0); }));

    // Refused records.
    CHfcCtrlCharStaticText other;
    EXPECT_FALSE(other.Create(nullptr, 6, 0));
    record.columns = -1;
    EXPECT_FALSE(other.Create(&record, 6, 0));
    record.columns = 8;
    record.head.bitmap = nullptr;
    EXPECT_FALSE(other.Create(&record, 6, 0));
}

TEST_F(ControlsTest, HideThenRedrawErasesOnce)
{
    auto strip = MakeStrip(10, 10, 2);
    CHfcCtrlBitmapList bitmaps;
    CHfcCtrlBitmapListRecord record;
    record.head = {150, 150, 0, 0, strip.get(), nullptr, 0, 0};
    record.frameCount = 2;
    ASSERT_TRUE(bitmaps.Create(&record, 7, 0));
    layer.AddControl(&bitmaps, false);
    bitmaps.Show(true);
    bitmaps.SetValue(1, true);
    bitmaps.Redraw(false);
    EXPECT_EQ(Pixel(Surface(), 151, 151), StripPixel(1, 1, 1));

    bitmaps.Hide(true);
    bitmaps.Redraw(false);
    EXPECT_EQ(Pixel(Surface(), 151, 151), 0u);
    // Something else paints there: a second Redraw of the hidden control leaves it.
    FillLayer(layer, [](int32_t, int32_t) { return 0xFF123456u; });
    bitmaps.Redraw(true);
    EXPECT_EQ(Pixel(Surface(), 151, 151), 0xFF123456u);
}

TEST_F(ControlsTest, FocusFrameHoldTimeAndStepScale)
{
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    log.clear();
    EXPECT_TRUE(knob.SetKeyFocus(2));
    EXPECT_TRUE(knob.HasKeyFocus());
    EXPECT_EQ(knob.GetFocusedPart(), 2);
    knob.KillKeyFocus();
    EXPECT_EQ(log, (CallLog{"FocusGot", "FocusLost"}));
    EXPECT_EQ(knob.GetFocusedPart(), -1);

    log.clear();
    knob.AddHoldTime(300);
    knob.AddHoldTime(300);
    knob.AddHoldTime(300);
    EXPECT_EQ(log, CallLog{"Hold"});
    knob.SetHoldTime(0);
    knob.AddHoldTime(600);
    EXPECT_EQ(log, (CallLog{"Hold", "Hold"}));

    uint32_t now = 100000;
    knob.SetClock([&] { return now; });
    knob.GetStepScale();
    now += 50;
    EXPECT_EQ(knob.GetStepScale(), 1.0f);
    now += 2000;
    EXPECT_EQ(knob.GetStepScale(), 0.03125f);

    // A margin grows the outer rectangle that a redraw recomposes.
    knob.SetMargin(3);
    EXPECT_EQ(knob.GetOuterRect(), CHfcRect(7, 7, 53, 53));
}

TEST_F(ControlsTest, TheFocusGlowRingsGrowMoreOpaqueOutwards)
{
    CHfcCtrlButton button;
    CHfcCtrlButtonRecord record;
    record.head = {100, 20, 0, 0, buttonStrip.get(), nullptr, 100, 20};
    ASSERT_TRUE(button.Create(&record, 2, 0));
    layer.AddControl(&button, false);
    button.Show(true);
    button.SetMargin(3);
    ASSERT_TRUE(button.SetKeyFocus(0));
    // Green rings over opaque black: each ring's green is its alpha. trunc(i x (A / 255) / 3 x 255).
    const struct
    {
        uint32_t colour;
        int rings[3];
    } cases[] = {{0xFF00FF00u, {85, 170, 255}}, {0x8000FF00u, {42, 85, 128}}};
    for (const auto& c : cases)
    {
        button.SetFocusColor(c.colour);
        FillLayer(layer, [](int32_t, int32_t) { return 0xFF000000u; });
        button.Redraw(true);
        for (int ring = 1; ring <= 3; ++ring)
        {
            // Left, right and bottom edges of the ring, beside the button's middle.
            for (const POINT& p : {POINT{100 - ring, 30}, POINT{129 + ring, 30}, POINT{115, 39 + ring}})
            {
                const int green = static_cast<int>(Pixel(Surface(), p.x, p.y) >> 8 & 0xFF);
                EXPECT_NEAR(green, c.rings[ring - 1], 1)
                    << std::hex << c.colour << std::dec << " ring " << ring << " at " << p.x << "," << p.y;
            }
        }
    }
}

// Deletes the control it hears of losing the key focus, after noting what the control had
// already done by then.
class DeletingFocusListener : public CHfcControlListener
{
public:
    explicit DeletingFocusListener(CallLog* log) : m_log(log) {}
    void OnControlKeyFocusLost(CHfcControl* control) override
    {
        m_log->push_back("Lost part " + std::to_string(control->GetFocusedPart()) +
                         (control->IsDirty() ? " dirty" : " clean"));
        delete control;
    }

private:
    CallLog* m_log;
};

// A knob that notes its own focus hook and its end.
class HookedKnob : public CHfcCtrlKnob
{
public:
    explicit HookedKnob(CallLog* log) : m_log(log) {}
    ~HookedKnob() override { m_log->push_back("Deleted"); }
    void OnKeyFocusLost() override { m_log->push_back("Hook"); }

private:
    CallLog* m_log;
};

TEST_F(ControlsTest, AControlDeletedWhenItHearsOfItsFocusLossIsNotTouchedAfterwards)
{
    auto strip = MakeStrip(10, 10, 2);
    // Every framework control, each made on the heap at (10, 10).
    const std::function<CHfcControl*()> makers[] = {
        [&]
        {
            auto* c = new HookedKnob(&log);
            CHfcCtrlKnobRecord r;
            r.head = {10, 10, 0, 0, knobStrip.get(), nullptr, 0, 0};
            r.frameCount = 8;
            r.maximum = 127;
            return c->Create(&r, 1, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlButton;
            CHfcCtrlButtonRecord r;
            r.head = {10, 10, 0, 0, buttonStrip.get(), nullptr, 0, 0};
            r.stateCount = 1;
            return c->Create(&r, 2, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlLed;
            CHfcCtrlLedRecord r;
            r.head = {10, 10, 0, 0, strip.get(), nullptr, 0, 0};
            r.frameCount = 2;
            return c->Create(&r, 3, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlVerticalFader;
            CHfcCtrlVerticalFaderRecord r;
            r.head = {10, 10, 20, 110, strip.get(), nullptr, 0, 0};
            r.trackLength = 100;
            r.maximum = 127;
            r.step = 1;
            r.fineStep = 1;
            return c->Create(&r, 4, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlCharStaticText;
            CHfcCtrlCharStaticTextRecord r;
            r.head = {10, 10, 0, 0, font.get(), nullptr, 0, 0};
            r.lines = 1;
            r.columns = 8;
            return c->Create(&r, 5, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlBitmapList;
            CHfcCtrlBitmapListRecord r;
            r.head = {10, 10, 0, 0, strip.get(), nullptr, 0, 0};
            r.frameCount = 2;
            return c->Create(&r, 6, 0) ? c : nullptr;
        },
        [&]
        {
            auto* c = new CHfcCtrlList;
            CHfcCtrlListRecord r;
            r.x = r.y = 10;
            r.width = 80;
            r.height = 40;
            r.font = font.get();
            return c->Create(&r, 7, 0) ? c : nullptr;
        },
    };
    DeletingFocusListener deleting(&log);
    // Each way the focus goes: the control lets it go, the window's key-focus window lets it
    // go, the layer drops the control.
    const std::function<void(CHfcControl*)> losses[] = {
        [](CHfcControl* c) { c->KillKeyFocus(); },
        [&](CHfcControl*) { window->GetKeyFocus()->ReleaseKeyFocus(); },
        [&](CHfcControl* c) { layer.RemoveControl(c); },
    };
    for (size_t way = 0; way < std::size(losses); ++way)
        for (size_t kind = 0; kind < std::size(makers); ++kind)
        {
            SCOPED_TRACE("control " + std::to_string(kind) + ", loss " + std::to_string(way));
            CHfcControl* control = makers[kind]();
            ASSERT_NE(control, nullptr);
            layer.AddControl(control, false);
            control->Show(true);
            ASSERT_TRUE(control->SetKeyFocus(3));
            EXPECT_EQ(control->GetFocusedPart(), 3);
            control->SetListener(&deleting);
            control->SetDirty(false);
            log.clear();
            losses[way](control);
            // The control's own work, its hook included, came before the report that deleted it.
            if (kind == 0)
                EXPECT_EQ(log, (CallLog{"Hook", "Lost part -1 dirty", "Deleted"}));
            else
                EXPECT_EQ(log, CallLog{"Lost part -1 dirty"});
            EXPECT_EQ(layer.GetControlCount(), 0u);
            EXPECT_EQ(window->GetKeyFocus()->GetListener(), nullptr);
        }
}

TEST_F(ControlsTest, DestroyLeavesTheLayerAndCanCreateAgain)
{
    CHfcCtrlKnob knob;
    MakeKnob(knob, 127);
    knob.SetKeyFocus(0);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    log.clear();
    EXPECT_TRUE(knob.Destroy());
    EXPECT_EQ(layer.GetControlCount(), 0u);
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr);
    EXPECT_FALSE(knob.HasKeyFocus());
    EXPECT_EQ(knob.GetRect(), CHfcRect());
    EXPECT_FALSE(knob.Destroy());
    MakeKnob(knob, 50);
    EXPECT_EQ(knob.GetMaximum(), 50);
}

// A list of 4 columns x 2 rows of 20 x 10 cells at (0, 120), 10 items, multiple selection and
// a drag source; the listener records the requests and grants none.
class ListTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        record.x = 0;
        record.y = 120;
        record.width = 80;
        record.height = 20;
        record.font = font.get();
        record.columns = 4;
        record.rows = 2;
        record.itemLimit = 128;
        record.multipleSelection = 1;
        record.dragSource = 1;
        ASSERT_TRUE(list.Create(&record, 9, 0));
        list.SetListener(&listener);
        layer.AddControl(&list, false);
        list.Show(true);
        for (int i = 0; i < 10; ++i)
            list.AddItem()->SetText(std::string(1, static_cast<char>('a' + i)).c_str());
        log.clear();
    }
    // The client point of a cell's centre.
    static int32_t CellX(int32_t cell) { return cell % 4 * 20 + 10; }
    static int32_t CellY(int32_t cell) { return 120 + cell / 4 * 10 + 5; }

    CHfcCtrlListRecord record;
    CHfcCtrlList list;
};

TEST_F(ListTest, PressesAskTheListenerToSelectAndChangeNothingThemselves)
{
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, CellX(2), CellY(2)),
              (CallLog{"LButtonDown 50,5", "Event 0 1 item 2", "Event 1 0"}));
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, CellX(2), CellY(2)), (CallLog{"CaptureLost", "Event 0 1 item 2"}));
    EXPECT_EQ(list.GetFirstSelectedItem(), -1);

    // Control toggles at the release.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, CellX(3), CellY(3)), CallLog{"LButtonDown 70,5"});
    EXPECT_EQ(Send(WM_LBUTTONUP, MK_CONTROL, CellX(3), CellY(3)),
              (CallLog{"CaptureLost", "Event 0 1 item 3"}));
    list.SetItemSelected(3, true);
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, CellX(3), CellY(3));
    EXPECT_EQ(Send(WM_LBUTTONUP, MK_CONTROL, CellX(3), CellY(3)),
              (CallLog{"CaptureLost", "Event 0 0 item 3"}));

    // Shift with item 3 selected: from it to the clicked item 6, the selected one not again.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellX(6), CellY(6)),
              (CallLog{"LButtonDown 50,15", "Event 0 1 item 4", "Event 0 1 item 5", "Event 0 1 item 6",
                       "Event 1 0"}));
    Send(WM_LBUTTONUP, 0, CellX(6), CellY(6));
    // Above the selection: from it down to the clicked item 1.
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellX(1), CellY(1)),
              (CallLog{"LButtonDown 30,5", "Event 0 1 item 2", "Event 0 1 item 1", "Event 1 0"}));
    Send(WM_LBUTTONUP, 0, CellX(1), CellY(1));
    // Nothing selected: from item 0.
    list.SetItemSelected(3, false);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellX(2), CellY(2)),
              (CallLog{"LButtonDown 50,5", "Event 0 1 item 0", "Event 0 1 item 1", "Event 0 1 item 2",
                       "Event 1 0"}));
    Send(WM_LBUTTONUP, 0, CellX(2), CellY(2));

    // A disabled item takes no press.
    list.GetItem(1)->enabled = false;
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, CellX(1), CellY(1)), CallLog{"LButtonDown 30,5"});
    EXPECT_EQ(CHfcMouse::GetMouse()->GetCaptureOwner(), nullptr);
}

TEST_F(ListTest, AReleaseOutsideTheGridSelectsNothing)
{
    // Beyond the last column of the first row, and below the last row: no aliasing into the
    // next row or column.
    for (const POINT& p : {POINT{85, 125}, POINT{5, 145}, POINT{-3, 125}})
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, CellX(0), CellY(0));
        // Within 3 pixels of the press it is no drag.
        Send(WM_MOUSEMOVE, MK_LBUTTON, CellX(0) + 2, CellY(0) + 1);
        EXPECT_EQ(Send(WM_LBUTTONUP, 0, p.x, p.y), CallLog{"CaptureLost"}) << p.x << "," << p.y;
    }
}

TEST_F(ListTest, APressMovedMoreThan3PixelsStartsADragAndCompletesNoSelection)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CellX(5), CellY(5));
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, CellX(5) + 2, CellY(5) + 1), CallLog{});
    POINT screen = {CellX(5) + 3, CellY(5) + 1};
    window->ClientToScreen(screen);
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, CellX(5) + 3, CellY(5) + 1),
              CallLog{"Event 5 5 from 5 at " + std::to_string(screen.x) + "," + std::to_string(screen.y) +
                      " offset -13,-6"});
    EXPECT_EQ(Send(WM_MOUSEMOVE, MK_LBUTTON, CellX(5) + 9, CellY(5)), CallLog{});
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, CellX(5), CellY(5)), CallLog{"CaptureLost"});
}

TEST_F(ListTest, DoubleClickRightButtonAndKeysReportTheirEvents)
{
    EXPECT_EQ(Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CellX(4), CellY(4)),
              (CallLog{"LButtonDown 10,15", "Event 0 1 item 4", "Event 2 4 item 4"}));
    list.GetItem(7)->enabled = false;
    EXPECT_EQ(Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CellX(7), CellY(7)), CallLog{"LButtonDown 70,15"});

    EXPECT_EQ(Send(WM_RBUTTONDOWN, MK_RBUTTON, CellX(6), CellY(6)),
              (CallLog{"Event 0 1 item 6", "Event 1 0"}));
    EXPECT_EQ(Send(WM_RBUTTONUP, 0, CellX(6), CellY(6)), CallLog{"Event 6 6 at 50,135"});
    // A disabled item takes no right press either.
    EXPECT_EQ(Send(WM_RBUTTONDOWN, MK_RBUTTON, CellX(7), CellY(7)), CallLog{});
    Send(WM_RBUTTONUP, 0, CellX(7), CellY(7));
    // Scrolled to the last line (clamped), only cells 0 and 1 show items.
    list.SetScrollLine(5);
    EXPECT_EQ(list.GetScrollLine(), 2);
    EXPECT_EQ(Send(WM_RBUTTONUP, 0, CellX(7), CellY(7)), CallLog{"Event 6 -1 at 70,135"});
    list.SetScrollLine(0);

    // Keys through the key singleton: the arrows move the focus, Enter activates it.
    CHfcKey::GetKey()->SetFocus(&list, window->GetHwnd());
    list.SetFocusIndex(2);
    log.clear();
    SendMessageA(window->GetHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(log, (CallLog{"Event 0 1 item 6", "Event 1 0", "Event 4 6 item 6", "Event 7 0"}));
    log.clear();
    SendMessageA(window->GetHwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(window->GetHwnd(), WM_KEYDOWN, VK_DOWN, 0); // item 11 does not exist: stays at 7
    EXPECT_EQ(list.GetFocusIndex(), 7);
    log.clear();
    SendMessageA(window->GetHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(log, (CallLog{"Event 2 7 item 7"})); // disabled: no selection request
}

TEST_F(ListTest, ItemsAreLimitedRenumberedAndScrolledByLines)
{
    EXPECT_EQ(list.GetLineCount(), 3);
    list.RemoveItem(9);
    EXPECT_EQ(list.GetLineCount(), 3); // 9 items: the last line holds one
    list.ScrollToItem(8, 0);
    EXPECT_EQ(list.GetScrollLine(), 1);
    list.AddItem();
    list.ScrollToItem(11, 1);
    EXPECT_EQ(list.GetScrollLine(), 2);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.GetItem(list.GetItemCount()), nullptr);

    for (CHfcCtrlListItem* item = list.GetItem(0); item; item = list.GetItem(item->GetIndex() + 1))
        item->dirty = false;
    CHfcCtrlListItem* third = list.GetItem(2);
    EXPECT_TRUE(list.RemoveItem(0));
    EXPECT_EQ(list.GetItem(1), third);
    EXPECT_EQ(third->GetIndex(), 1);
    EXPECT_TRUE(third->dirty);
    EXPECT_FALSE(list.RemoveItem(list.GetItemCount()));

    list.RemoveAllItems();
    for (int i = 0; i < 128; ++i)
        ASSERT_NE(list.AddItem(), nullptr);
    EXPECT_EQ(list.AddItem(), nullptr);
    EXPECT_EQ(list.GetItemCount(), 128);
}

TEST_F(ListTest, FewDirtyItemsRedrawTheirCellsAndManyTheWholeList)
{
    list.Redraw(true);
    // Centred glyphs: a cell of 20 x 10, a glyph of 6 x 8 at (7, 1).
    EXPECT_EQ(Pixel(Surface(), 20 + 7, 121), GlyphColour('b'));
    EXPECT_EQ(Pixel(Surface(), 20 + 6, 121), 0u);
    FillLayer(layer, [](int32_t, int32_t) { return 0xFF123456u; });

    // One item changed: only its cell is drawn again.
    list.GetItem(1)->SetText("\x85");
    list.SetDirty(true);
    list.Update();
    EXPECT_EQ(Pixel(Surface(), 20 + 7, 121), GlyphColour('?'));
    EXPECT_EQ(Pixel(Surface(), 20 + 6, 121), 0u);
    EXPECT_EQ(Pixel(Surface(), 0 + 7, 121), 0xFF123456u);

    // Five: the whole list.
    for (int i = 2; i < 7; ++i)
        list.GetItem(i)->SetText("Z");
    list.SetDirty(true);
    list.Update();
    EXPECT_EQ(Pixel(Surface(), 0 + 7, 121), GlyphColour('a'));
    EXPECT_EQ(Pixel(Surface(), 40 + 7, 131), GlyphColour('Z'));
    EXPECT_EQ(Pixel(Surface(), 60 + 7, 131), GlyphColour('h'));
}

// A test window with a few of the controls, for a person to look at.
TEST_F(ControlsTest, ScreenshotOfAFewControls)
{
    auto background = MakeBitmap(
        320, 200, [](int32_t x, int32_t y) { return 0xFF202830u + ((x / 8 + y / 8) % 2) * 0x080808u; });
    FillLayer(layer, [&](int32_t x, int32_t y) { return Pixel(background.get(), x, y); });

    // A knob strip of a dial with a pointer, drawn per frame.
    auto dial = MakeBitmap(40, 40 * 8,
                           [](int32_t x, int32_t y)
                           {
                               const int32_t frame = y / 40, dx = x - 20, dy = y % 40 - 20;
                               const int32_t r2 = dx * dx + dy * dy;
                               const double angle = 4.29351 - 5.4454274 * frame / 7.0;
                               const double px = std::cos(angle), py = -std::sin(angle);
                               const double along = dx * px + dy * py, across = std::abs(dx * py - dy * px);
                               if (r2 > 18 * 18)
                                   return 0x00000000u;
                               if (along > 4 && along < 17 && across < 2)
                                   return 0xFFFFC040u;
                               return r2 > 16 * 16 ? 0xFF909090u : 0xFF404850u;
                           });
    CHfcCtrlKnob knobs[3];
    for (int i = 0; i < 3; ++i)
    {
        CHfcCtrlKnobRecord record;
        record.head = {20 + i * 50, 20, 0, 0, dial.get(), background.get(), 20 + i * 50, 20};
        record.frameCount = 8;
        record.maximum = 127;
        ASSERT_TRUE(knobs[i].Create(&record, 10 + i, 0));
        knobs[i].SetValue(i * 63, false);
        layer.AddControl(&knobs[i], false);
        knobs[i].Show(true);
    }
    knobs[1].SetMargin(3);
    knobs[1].SetKeyFocus(0);

    auto buttonFaces =
        MakeBitmap(40, 20 * 4,
                   [](int32_t x, int32_t y)
                   {
                       const int32_t frame = y / 20, ry = y % 20;
                       if (x == 0 || ry == 0 || x == 39 || ry == 19)
                           return 0xFFC0C0C0u;
                       return frame % 2 ? 0xFF306090u : (frame / 2 ? 0xFF40A040u : 0xFF505860u);
                   });
    CHfcCtrlButton buttons[3];
    for (int i = 0; i < 3; ++i)
    {
        CHfcCtrlButtonRecord record;
        record.head = {20 + i * 50, 80, 0, 0, buttonFaces.get(), background.get(), 20 + i * 50, 80};
        record.stateCount = 2;
        ASSERT_TRUE(buttons[i].Create(&record, 20 + i, 0));
        buttons[i].SetValue(i == 1 ? 1 : 0, false);
        layer.AddControl(&buttons[i], false);
        buttons[i].Show(true);
    }
    buttons[2].SetEnabled(false);

    auto thumb = MakeBitmap(16, 10, [](int32_t, int32_t y) { return y == 5 ? 0xFFFFFFFFu : 0xFFA0A0B0u; });
    CHfcCtrlVerticalFader fader;
    CHfcCtrlVerticalFaderRecord faderRecord;
    faderRecord.head = {200, 20, 16, 90, thumb.get(), background.get(), 200, 20};
    faderRecord.trackLength = 90;
    faderRecord.maximum = 127;
    faderRecord.value = 90;
    ASSERT_TRUE(fader.Create(&faderRecord, 30, 0));
    layer.AddControl(&fader, false);
    fader.Show(true);

    // A readable font: each glyph a 5 x 7 block pattern of its code's bits.
    auto text = MakeBitmap(6, 8 * 128,
                           [](int32_t x, int32_t y)
                           {
                               const int32_t code = y / 8, row = y % 8;
                               if (x >= 5 || row >= 7 || code <= 32)
                                   return 0x00000000u;
                               return ((code * 2654435761u) >> (x + 5 * row)) & 1 ? 0xFFE0E0E0u : 0x00000000u;
                           });
    CHfcCtrlCharStaticText label;
    CHfcCtrlCharStaticTextRecord labelRecord;
    labelRecord.head = {20, 120, 0, 0, text.get(), background.get(), 20, 120};
    labelRecord.columns = 16;
    ASSERT_TRUE(label.Create(&labelRecord, 31, 0));
    label.SetText("Cutoff \xB0 Reso", false);
    layer.AddControl(&label, false);
    label.Show(true);

    CHfcCtrlList list;
    CHfcCtrlListRecord listRecord;
    listRecord.x = 20;
    listRecord.y = 140;
    listRecord.width = 280;
    listRecord.height = 40;
    listRecord.font = text.get();
    listRecord.background = background.get();
    listRecord.backgroundX = 20;
    listRecord.backgroundY = 140;
    listRecord.columns = 4;
    listRecord.rows = 2;
    listRecord.insetX = 2;
    listRecord.insetY = 1;
    listRecord.selectionColor = 0xFF3060A0;
    listRecord.highlightColor = 0xFF505050;
    ASSERT_TRUE(list.Create(&listRecord, 32, 0));
    layer.AddControl(&list, false);
    list.Show(true);
    for (int i = 0; i < 7; ++i)
        list.AddItem()->SetText(("Item " + std::to_string(i)).c_str());
    list.SetItemSelected(2, true);
    list.GetItem(5)->highlight = true;

    for (size_t i = 0; i < layer.GetControlCount(); ++i)
        layer.GetControl(i)->Redraw(true);
    knobs[1].DrawFocusFrame(layer.GetOffscreen());
    layer.InvalidateAll(true);
    EXPECT_EQ(Pixel(window->GetRootLayer()->GetOffscreen()->GetBitmap(), 1, 1),
              Pixel(background.get(), 1, 1));
    // Wine copies a window's pixels to the display while the thread waits for messages: the
    // copy waits until the screen shows the background at three corners of the client area.
    const auto settle = [&]
    {
        EXPECT_TRUE(PumpUntil(
            [&]
            {
                for (const POINT& p : {POINT{1, 1}, POINT{1, 30}, POINT{318, 198}})
                {
                    POINT screen = p;
                    window->ClientToScreen(screen);
                    const uint32_t argb = Pixel(background.get(), p.x, p.y);
                    HDC dc = GetDC(nullptr);
                    const COLORREF shown = GetPixel(dc, screen.x, screen.y);
                    ReleaseDC(nullptr, dc);
                    if (shown != RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF))
                        return false;
                }
                return true;
            }));
    };
    EXPECT_TRUE(SaveWindowScreenshot(window->GetHwnd(), "framework_controls", settle));
}
} // namespace
