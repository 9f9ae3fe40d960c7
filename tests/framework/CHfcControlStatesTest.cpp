// Each framework control kind drawn on a small layer over a patterned background, in the states
// a user sees (enabled, disabled, pressed, moved by a drag), compared pixel by pixel with the
// references in tests/framework/references/ through the window's composed image.
#include "FrameworkTestSupport.h"
#include "TestBitmaps.h"
#include "framework/CHfcCtrlBitmapList.h"
#include "framework/CHfcCtrlButton.h"
#include "framework/CHfcCtrlCharStaticText.h"
#include "framework/CHfcCtrlKnob.h"
#include "framework/CHfcCtrlLed.h"
#include "framework/CHfcCtrlList.h"
#include "framework/CHfcCtrlVerticalFader.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"
#include "support/ReferenceImage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
uint32_t BackgroundPixel(int32_t x, int32_t y)
{
    return 0xFF202020u | static_cast<uint32_t>((x * 3 + y) % 64) << 8 |
           static_cast<uint32_t>(y * 2 % 96) << 16;
}

class ControlStates : public ::testing::Test
{
protected:
    static constexpr int32_t kWidth = 160, kHeight = 140;

    void SetUp() override
    {
        window = std::make_unique<CHfcWindow>();
        ASSERT_TRUE(window->Create(60, 60, kWidth, kHeight, "Control states", CHfcWindow::kStyleCaption,
                                   nullptr, nullptr));
        window->Show();
        ASSERT_TRUE(layer.Create(0, 0, kWidth, kHeight, window.get()));
        FillLayer(layer, BackgroundPixel);
        layer.Show(true);
        CHfcCtrlKnob::SetKnobMode(kKnobModeCircular);
    }
    void TearDown() override { CloseLayerWindow(layer, window); }
    void Place(CHfcControl& control)
    {
        layer.AddControl(&control, false);
        control.Show(true);
        control.Redraw(true);
    }
    void Send(UINT message, WPARAM keys, int32_t x, int32_t y)
    {
        SendMessageA(window->GetHwnd(), message, keys,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void SetEnabled(CHfcControl& control, bool enabled)
    {
        control.SetEnabled(enabled);
        control.Redraw(true);
    }
    // The control and 4 pixels around it, as the window would paint them.
    ::testing::AssertionResult Shows(const std::string& name, const CHfcControl& control)
    {
        const CHfcRect& r = control.GetRect();
        return MatchesReference(
            name, RootSurfaceOf(*window).Crop(r.left - 4, r.top - 4, r.GetWidth() + 8, r.GetHeight() + 8));
    }

    std::unique_ptr<CHfcWindow> window;
    CHfcWindowLayer layer;
    FollowingOwner owner;
    std::unique_ptr<CHfcBmp> background = MakeBitmap(kWidth, kHeight, BackgroundPixel);
    std::unique_ptr<CHfcBmp> font = MakeFont();
};

TEST_F(ControlStates, Knob)
{
    auto strip = MakeStrip(40, 40, 8);
    CHfcCtrlKnob knob;
    CHfcCtrlKnobRecord record;
    record.head = {20, 20, 0, 0, strip.get(), background.get(), 20, 20};
    record.frameCount = 8;
    record.maximum = 127;
    ASSERT_TRUE(knob.Create(&record, 1, 0));
    knob.SetListener(&owner);
    Place(knob);
    knob.SetValue(64, true);
    knob.Redraw(false);
    EXPECT_TRUE(Shows("knob_enabled", knob));
    SetEnabled(knob, false);
    EXPECT_TRUE(Shows("knob_disabled", knob));
    SetEnabled(knob, true);
    // Pressed at the upper right, then dragged round to the left and let go.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 52, 28);
    knob.Redraw(false);
    EXPECT_TRUE(Shows("knob_pressed", knob));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 40, 22);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 24, 44);
    Send(WM_LBUTTONUP, 0, 24, 44);
    knob.Redraw(false);
    EXPECT_TRUE(Shows("knob_moved", knob));
}

TEST_F(ControlStates, Button)
{
    auto strip = MakeStrip(30, 20, 2);
    CHfcCtrlButton button;
    CHfcCtrlButtonRecord record;
    record.head = {20, 20, 0, 0, strip.get(), background.get(), 20, 20};
    ASSERT_TRUE(button.Create(&record, 2, 0));
    Place(button);
    EXPECT_TRUE(Shows("button_enabled", button));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    button.Redraw(false);
    EXPECT_TRUE(Shows("button_pressed", button));
    Send(WM_LBUTTONUP, 0, 30, 30);
    button.Redraw(false);
    SetEnabled(button, false);
    EXPECT_TRUE(Shows("button_disabled", button));
}

TEST_F(ControlStates, Led)
{
    auto strip = MakeStrip(16, 16, 3);
    CHfcCtrlLed led;
    CHfcCtrlLedRecord record;
    record.head = {20, 20, 0, 0, strip.get(), background.get(), 20, 20};
    record.frameCount = 3;
    ASSERT_TRUE(led.Create(&record, 3, 0));
    Place(led);
    led.SetValue(2, true);
    led.Redraw(false);
    EXPECT_TRUE(Shows("led_enabled", led));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 25, 25);
    led.Redraw(false);
    EXPECT_TRUE(Shows("led_pressed", led));
    Send(WM_LBUTTONUP, 0, 25, 25);
    led.Redraw(false);
    SetEnabled(led, false);
    EXPECT_TRUE(Shows("led_disabled", led));
}

TEST_F(ControlStates, Fader)
{
    auto thumb = MakeStrip(10, 20, 1);
    CHfcCtrlVerticalFader fader;
    CHfcCtrlVerticalFaderRecord record;
    record.head = {20, 10, 20, 110, thumb.get(), background.get(), 20, 10};
    record.thumbX = 5;
    record.trackTop = 5;
    record.trackLength = 100;
    record.maximum = 127;
    record.step = 4;
    ASSERT_TRUE(fader.Create(&record, 4, 0));
    fader.SetListener(&owner);
    Place(fader);
    fader.SetValue(64, true);
    fader.Redraw(false);
    EXPECT_TRUE(Shows("fader_enabled", fader));
    SetEnabled(fader, false);
    EXPECT_TRUE(Shows("fader_disabled", fader));
    SetEnabled(fader, true);
    // Pressed low in its column: the thumb jumps there; then dragged up and let go.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 100);
    fader.Redraw(false);
    EXPECT_TRUE(Shows("fader_pressed", fader));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 70);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 30, 40);
    Send(WM_LBUTTONUP, 0, 30, 40);
    fader.Redraw(false);
    EXPECT_TRUE(Shows("fader_moved", fader));
}

TEST_F(ControlStates, BitmapListAndStaticText)
{
    auto strip = MakeStrip(24, 16, 3);
    CHfcCtrlBitmapList bitmaps;
    CHfcCtrlBitmapListRecord bitmapsRecord;
    bitmapsRecord.head = {20, 20, 0, 0, strip.get(), background.get(), 20, 20};
    bitmapsRecord.frameCount = 3;
    ASSERT_TRUE(bitmaps.Create(&bitmapsRecord, 5, 0));
    Place(bitmaps);
    bitmaps.SetValue(2, true);
    bitmaps.Redraw(false);
    EXPECT_TRUE(Shows("bitmap_list_enabled", bitmaps));
    SetEnabled(bitmaps, false);
    EXPECT_TRUE(Shows("bitmap_list_disabled", bitmaps));

    CHfcCtrlCharStaticText text;
    CHfcCtrlCharStaticTextRecord textRecord;
    textRecord.head = {20, 60, 0, 0, font.get(), background.get(), 20, 60};
    textRecord.lines = 1;
    textRecord.columns = 8;
    ASSERT_TRUE(text.Create(&textRecord, 6, 0));
    Place(text);
    text.SetText("Cutoff", true);
    text.Redraw(false);
    EXPECT_TRUE(Shows("static_text_enabled", text));
    SetEnabled(text, false);
    EXPECT_TRUE(Shows("static_text_disabled", text));
}

TEST_F(ControlStates, List)
{
    auto dim =
        MakeBitmap(6, 8 * 128, [](int32_t, int32_t y) { return 0xFF404040u | static_cast<uint32_t>(y / 8); });
    auto selected =
        MakeBitmap(6, 8 * 128, [](int32_t, int32_t y) { return 0xFFFFFF00u | static_cast<uint32_t>(y / 8); });
    CHfcCtrlList list;
    CHfcCtrlListRecord record;
    record.x = 20;
    record.y = 20;
    record.width = 120;
    record.height = 40;
    record.background = background.get();
    record.backgroundX = 20;
    record.backgroundY = 20;
    record.font = font.get();
    record.selectedFont = selected.get();
    record.disabledFont = dim.get();
    record.columns = 3;
    record.rows = 4;
    record.itemLimit = 128;
    ASSERT_TRUE(list.Create(&record, 7, 0));
    Place(list);
    for (const char* item : {"CC 1", "CC 7", "CC 10", "CC 11", "CC 64", "CC 74", "CC 91"})
        list.AddItem()->SetText(item);
    list.Redraw(true);
    EXPECT_TRUE(Shows("list_enabled", list));
    list.SetItemSelected(4, true);
    list.Redraw(false);
    EXPECT_TRUE(Shows("list_selected", list));
    SetEnabled(list, false);
    EXPECT_TRUE(Shows("list_disabled", list));
}
} // namespace
