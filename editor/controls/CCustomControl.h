#pragma once

#include <cstddef>
#include <cstdint>

// The parameter side of every editor control, beside its framework control: the parameter
// address it is bound to, its value in parameter units and the mapping to the framework
// control's positions, its enabled (dim) look, its type code and what its owner stores on it.
// An edit layer keeps its controls as CCustomControl pointers. The defaults store and read;
// the controls override what they map. Window thread only.
class CCustomControl
{
public:
    // The type codes GetControlType returns; the owner's value display branches on them.
    enum ControlType : int32_t
    {
        kTypeNone = 0,
        kTypeBitmapList = 1,
        kTypeButton = 2,
        kTypeEditText = 3,
        kTypeKnob = 5,
        kTypeLed = 6,
        kTypeSlider = 9,
        kTypeStaticText = 10,
        kTypeSwitch = 11,
        kTypeList = 12,
        kTypePageButton = 13,
        kTypeDragReceiver = 14,
        kTypeAnalogLed = 15,
        kTypeEnvelopeCurve = 16,
        kTypeLfoGraph = 17,
        kTypeEqGraph = 19,
        kTypeTolvexFilterA = 20,
        kTypeTolvexFilterB = 21,
        kTypeValueBar = 22,
    };
    // How the owner reads a control's value report (the framework control's user value).
    enum EventKind : uint32_t
    {
        kEventValue = 0,  // every report: PositionToValue(reported)
        kEventToggle = 1, // press reports only: 1 - the current value
        kEventNumber = 2, // press reports only: the number the control carries
    };
    static constexpr uint32_t kPressBit = 0x80000000u;
    static constexpr size_t kAddressWords = 5;
    // Address word 3 of a control whose face does not spell its value (a knob, a fader): the
    // value display writes the value beside it.
    static constexpr uint32_t kAddressShowsValue = 1;

    virtual ~CCustomControl() = default;

    virtual void SetValue(int32_t /*value*/) {}
    virtual int32_t GetValue() { return 0; }
    virtual int32_t ValueToPosition(int32_t /*value*/) { return 0; }
    virtual int32_t PositionToValue(int32_t /*position*/) { return 0; }
    virtual int32_t GetMinimum() { return 0; }
    virtual int32_t GetMaximum() { return 127; }
    virtual void SetMinimum(int32_t /*value*/) {}
    virtual void SetMaximum(int32_t /*value*/) {}
    virtual void SetTag(int32_t tag) { m_tag = tag; }
    virtual int32_t GetTag() { return m_tag; }
    virtual void SetSensitivity(int32_t /*sensitivity*/) {}
    virtual void SetEnabled(bool enabled) { m_customEnabled = enabled; }
    virtual bool IsEnabled() const { return m_customEnabled; }
    // The value as text, terminated within size bytes; the default is the empty text with the
    // buffer zero-filled.
    virtual void GetText(char* buffer, size_t size);
    virtual int32_t GetControlType() { return kTypeNone; }
    // Where a button, bitmap list or static text takes its background: at its own position
    // while ownPosition is set, else at (x, y) of the background bitmap.
    virtual void SetBackgroundOrigin(bool ownPosition, int32_t x, int32_t y);
    virtual bool IsBackgroundAtOwnPosition() { return m_backgroundAtOwn; }
    // {group, index, timbre, word 3, word 4}; words 3 and 4 are the owner's.
    virtual void SetParameterAddress(const uint32_t* words);
    virtual void GetParameterAddress(uint32_t* words);
    bool ShowsValue() const { return m_address[3] == kAddressShowsValue; }
    virtual void SetOption(bool option) { m_option = option; }
    virtual bool GetOption() { return m_option; }
    virtual void SetExtra(int32_t extra) { m_extra = extra; }
    virtual int32_t GetExtra() { return m_extra; }

protected:
    int32_t GetBackgroundX() const { return m_backgroundX; }
    int32_t GetBackgroundY() const { return m_backgroundY; }
    // The background source for a control at (x, y).
    int32_t BackgroundSourceX(int32_t x) const { return m_backgroundAtOwn ? x : m_backgroundX; }
    int32_t BackgroundSourceY(int32_t y) const { return m_backgroundAtOwn ? y : m_backgroundY; }

    bool m_customEnabled = true;
    int32_t m_tag = 0;
    bool m_backgroundAtOwn = true;
    int32_t m_backgroundX = 0;
    int32_t m_backgroundY = 0;
    bool m_option = false;
    uint32_t m_address[kAddressWords] = {};
    int32_t m_extra = 0;
};

class CHfcBmp;
class CHfcDrawContext;
class CHfcRect;

// What every editor control's EraseBackground does: the background bitmap's area at
// (sourceX, sourceY) under the rectangle, or the rectangle filled with the context's brush.
void EraseControlBackground(CHfcDrawContext* context, const CHfcRect& rect, CHfcBmp* background,
                            int32_t sourceX, int32_t sourceY);
// One cell of an LCD font: glyph code (a code from 128 up shows the fallback glyph), the cell
// at (x, y); nothing is read outside the font.
void DrawLcdGlyph(CHfcDrawContext* context, CHfcBmp* font, int32_t x, int32_t y, int32_t cellWidth,
                  int32_t cellHeight, uint8_t code);
