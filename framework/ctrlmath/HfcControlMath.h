#pragma once

#include "foundation/CHfcRect.h"

#include <cstdint>
#include <string>

// The arithmetic of the skinned controls, apart from their drawing and their events. Points
// are control-local (relative to the control's top-left corner), y pointing down.

// v clamped to [low, high]; an empty range (high below low) gives low.
int32_t ClampToRange(int32_t v, int32_t low, int32_t high);

// ---- Knob

// The knob's travel: from 246 degrees (lower left) 312 degrees clockwise to -66 degrees
// (lower right); the 48 degrees between the end and the start, centred on straight down, are
// the dead zone.
struct HfcKnobAngles
{
    static constexpr float kStart = 4.29351f;
    static constexpr float kSweep = -5.4454274f;
    static constexpr float kHalfDeadZone = 0.41888f;
    static constexpr float kReciprocalSweep = -0.18364032f;
};

// The strip frame that shows value: the value's place in [minimum, maximum] spread over the
// frames, taken a little low so that only the maximum shows the last frame. Always inside the
// strip: an empty range or a strip of one frame shows frame 0.
int32_t KnobFrame(int32_t value, int32_t minimum, int32_t maximum, int32_t frameCount);

// Where on the travel a point lies, 0.0 at the start and 1.0 at the end, the angle taken
// around the control's centre. The dead zone's half next to the start answers 0.0, the half
// next to the end 1.0.
float KnobAngleFraction(int32_t x, int32_t y, int32_t width, int32_t height);

// The value at a fraction of the travel.
int32_t KnobValueAtFraction(float fraction, int32_t minimum, int32_t maximum);

// The fraction an angular drag takes at a new point. A jump of more than half the travel is
// the pointer crossing the dead zone: the drag stays at the end it left (1.0 or 0.0) and
// lastFraction keeps its value; otherwise lastFraction follows the pointer.
float KnobAngularDragFraction(float& lastFraction, float fraction);

// The value change of a circular drag from (lastX, lastY) to (x, y) around the centre:
// 300 degrees of pointer rotation sweep the whole range, clockwise increasing.
int32_t KnobAngleDelta(int32_t lastX, int32_t lastY, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t minimum, int32_t maximum);

// The running (unclamped) value of a vertical drag after the pointer moved from lastY to y:
// up increases, by one with fine, else by step. A coarse drag first snaps a running value
// between multiples of step to the multiple below, or above when the pointer moved down, so
// that coarse steps land on multiples. A step of 0 or less does not snap.
int32_t KnobVerticalDrag(int32_t running, int32_t lastY, int32_t y, int32_t step, bool fine);

// ---- Vertical fader

struct HfcFaderGeometry
{
    int32_t trackTop;    // offset of the track from the control's top
    int32_t trackLength; // including the thumb
    int32_t thumbHeight;
};

// The distance the thumb moves: track length minus thumb height, never below 0.
int32_t FaderTravel(const HfcFaderGeometry& g);

// The thumb's offset from the track top: the maximum at the top (0), the minimum at the
// travel. The value is clamped to the range first.
int32_t FaderThumbOffset(const HfcFaderGeometry& g, int32_t value, int32_t minimum, int32_t maximum);

// The value that puts the thumb's centre at y (a press beside the thumb); past either end of
// the track it lies outside the range, so that a drag from there first has to come back to it.
// False, and value unchanged, when the thumb cannot move (travel 0).
bool FaderJumpValue(const HfcFaderGeometry& g, int32_t y, int32_t minimum, int32_t maximum, int32_t& value);

// ---- Focus frame

// The alpha of glow ring i (1 .. margin) of a focus colour with alpha focusAlpha: the rings
// grow more opaque outwards, the outermost taking focusAlpha.
uint8_t GlowRingAlpha(int32_t ring, int32_t margin, uint8_t focusAlpha);

// Ring i around rect: i pixels further out on each side, or with narrow on the left, the
// right and the bottom only, so that the height grows by one per ring.
CHfcRect GlowRingRect(const CHfcRect& rect, int32_t ring, bool narrow);

// The rectangle grown by margin on every side.
CHfcRect GrowRect(const CHfcRect& rect, int32_t margin);

// ---- Drag steps

// The factor a drag multiplies its step by: 1.0 for moves in quick succession (within
// 100 ms of the last), else 50 / the pause in ms with the pause capped at 1600 ms, so slow,
// isolated moves make fine steps. Times are millisecond counters that may wrap.
float StepScale(uint32_t now, uint32_t lastStepTime);

// ---- Bitmap-font text

// The glyph every byte without one of its own (0x80 and up) is drawn with.
constexpr char kFallbackGlyph = '?';

// The text up to length or its first 0 byte, each byte from 0x80 up replaced by the
// fallback glyph, so that no byte addresses a row outside a font of 128 glyphs.
std::string ToFontGlyphs(const char* text, int32_t length);

// ---- List grid

// Items of a line: a row's columns (orientation 0) or a column's rows (orientation 1).
int32_t ListItemsPerLine(int32_t orientation, int32_t columns, int32_t rows);
// Lines of a page: the rows (orientation 0) or the columns (orientation 1).
int32_t ListLinesPerPage(int32_t orientation, int32_t columns, int32_t rows);

// Lines needed to show count items, the last one perhaps partly filled; 0 without items per
// line.
int32_t ListLineCount(int32_t count, int32_t itemsPerLine);

struct HfcListGrid
{
    int32_t orientation; // 0: items run along a row; 1: down a column
    int32_t columns;
    int32_t rows;
    float cellWidth;  // control width / columns
    float cellHeight; // control height / rows

    int32_t ItemsPerLine() const { return ListItemsPerLine(orientation, columns, rows); }
    int32_t VisibleCellCount() const { return columns * rows; }
    // The column and row of a visible cell.
    void CellColumnRow(int32_t cell, int32_t& column, int32_t& row) const;
    // Control-local position and size of a cell: its edges at trunc(column x cell width) and
    // trunc(row x cell height), so that neighbouring cells meet without gap or overlap.
    CHfcRect CellRect(int32_t cell) const;
    // The visible cell under a control-local point; -1 for a point outside the grid. dx and
    // dy, when asked, receive the cell's top-left corner minus the point.
    int32_t CellAtPoint(int32_t x, int32_t y, int32_t* dx = nullptr, int32_t* dy = nullptr) const;
    // The item shown in a visible cell at a scroll line; -1 outside 0 .. count - 1.
    int32_t ItemInCell(int32_t cell, int32_t scrollLine, int32_t count) const;
    // The visible cell of an item at a scroll line; -1 when it is off the page.
    int32_t CellOfItem(int32_t item, int32_t scrollLine) const;
};

// A scroll line clamped to 0 .. lineCount - 1 (0 without lines).
int32_t ListClampScrollLine(int32_t line, int32_t lineCount);

// The scroll line that shows item index: mode 0 scrolls as little as possible from
// scrollLine; mode 1 to the first line of the page that holds the item. Other modes keep
// scrollLine.
int32_t ListScrollLineForItem(int32_t index, int32_t mode, int32_t scrollLine, int32_t itemsPerLine,
                              int32_t linesPerPage);

// Where the text of an item starts in its text area (left, width) and how many characters of
// it fit: leftOffset 0 centres the text.
void ListTextPlacement(int32_t areaLeft, int32_t areaWidth, int32_t leftOffset, int32_t charWidth,
                       int32_t textLength, int32_t& x, int32_t& shownLength);
