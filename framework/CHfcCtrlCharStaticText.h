#pragma once

#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

#include <vector>

struct CHfcCtrlCharStaticTextRecord
{
    CHfcCtrlRecordHead head; // bitmap: the font of 128 glyph rows; the size is the grid's
    int32_t cellWidth = 0;   // 0: the font's width
    int32_t cellHeight = 0;  // 0: the font's height / 128
    int32_t lines = 1;
    int32_t columns = 0;
};

// Text from a bitmap font in a grid of lines x columns cells, one byte each, every cell drawn
// (a 0 byte draws glyph 0; a byte without a glyph, the fallback glyph).
class CHfcCtrlCharStaticText : public CHfcControl
{
public:
    CHfcCtrlCharStaticText() = default;
    ~CHfcCtrlCharStaticText() override;

    // False, after tracing why, for a null record or font or a negative grid.
    bool Create(const CHfcCtrlCharStaticTextRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    // The first columns characters of the text into the first line, zero bytes after a
    // shorter text.
    void SetText(const char* text, bool redraw) override;
    const std::vector<char>& GetBuffer() const { return m_text; }

private:
    CHfcCtrlCharStaticTextRecord m_record;
    std::vector<char> m_text; // lines x columns bytes
};
