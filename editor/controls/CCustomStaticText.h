#pragma once

#include "editor/controls/CCustomControl.h"
#include "framework/CHfcCtrlCharStaticText.h"

#include <string>

struct CCustomStaticTextRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t columns = 0;
    CHfcBmp* font = nullptr; // the LCD font: 6 x 9 cells
    CHfcBmp* background = nullptr;
    CHfcBmp* dimFont = nullptr;
    // When set, a line holding bytes from 128 up (characters the LCD font lacks) is drawn in
    // this face, in the LCD font's ink colour, inside the same row box.
    const wchar_t* wideFace = nullptr;
};

// One line of LCD text (a value name, a label the owner sets); its value is the framework
// value.
class CCustomStaticText : public CHfcCtrlCharStaticText, public CCustomControl
{
public:
    bool Create(const CCustomStaticTextRecord* record, uint32_t id, uint32_t eventKind);
    // Stores and redraws only a text that differs from the one shown.
    void SetText(const char* text, bool redraw) override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;

    void SetValue(int32_t value) override { CHfcCtrlCharStaticText::SetValue(value, false); }
    int32_t GetValue() override { return m_value; }
    void GetText(char* buffer, size_t size) override;
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeStaticText; }

private:
    // The line in the record's wide face; false when the line needs none.
    bool DrawWideLine(CHfcDrawContext* context, CHfcBmp* font);

    CCustomStaticTextRecord m_custom;
    CHfcCtrlCharStaticTextRecord m_text;
};
