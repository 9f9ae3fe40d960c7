#include "framework/ctrlmath/HfcControlMath.h"

#include <cmath>

namespace
{
constexpr float kTwoPi = 6.2831855f;
constexpr double kPi = 3.14159265358979323846;
} // namespace

int32_t ClampToRange(int32_t v, int32_t low, int32_t high)
{
    if (v > high)
        v = high;
    return v < low ? low : v;
}

int32_t KnobFrame(int32_t value, int32_t minimum, int32_t maximum, int32_t frameCount)
{
    // Single precision, as the strips were made for.
    if (frameCount <= 1 || maximum <= minimum)
        return 0;
    const float place = static_cast<float>(ClampToRange(value, minimum, maximum) - minimum) /
                        static_cast<float>(maximum - minimum);
    const float frame = place * static_cast<float>(frameCount) - 1.0f / static_cast<float>(frameCount - 1);
    if (!(frame > 0.0f))
        return 0;
    return ClampToRange(static_cast<int32_t>(frame), 0, frameCount - 1);
}

float KnobAngleFraction(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const float dx = static_cast<float>(x - width / 2);
    const float dy = static_cast<float>(height / 2 - y);
    float a = std::atan2(dy, dx);
    if (a < 0.0f)
        a += kTwoPi;
    float d = a - HfcKnobAngles::kStart - HfcKnobAngles::kSweep;
    if (d < 0.0f)
        d += kTwoPi;
    else if (d > kTwoPi)
        d -= kTwoPi;
    if (d > HfcKnobAngles::kHalfDeadZone - HfcKnobAngles::kSweep)
        return 1.0f;
    if (d > -HfcKnobAngles::kSweep)
        return 0.0f;
    return 1.0f + d * HfcKnobAngles::kReciprocalSweep;
}

int32_t KnobValueAtFraction(float fraction, int32_t minimum, int32_t maximum)
{
    return minimum + static_cast<int32_t>(fraction * static_cast<float>(maximum - minimum));
}

float KnobAngularDragFraction(float& lastFraction, float fraction)
{
    if (lastFraction - fraction > 0.5f)
        return 1.0f;
    if (fraction - lastFraction > 0.5f)
        return 0.0f;
    lastFraction = fraction;
    return fraction;
}

int32_t KnobAngleDelta(int32_t lastX, int32_t lastY, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t minimum, int32_t maximum)
{
    const double cx = width / 2, cy = height / 2;
    const double cross = (lastY - cy) * (cx - x) - (y - cy) * (cx - lastX);
    // Angles from straight up, clockwise.
    const double a0 = std::atan2(lastX - cx, cy - lastY);
    double a1 = std::atan2(x - cx, cy - y);
    if (cross > 0 && a1 < a0)
        a1 += 2 * kPi;
    else if (cross < 0 && a1 > a0)
        a1 -= 2 * kPi;
    // Rounded to a millionth of a unit first, so that an exact share of the range (a quarter
    // turn of a 0..300 knob is 90) is not lost to the last bit of the angles.
    const double delta = static_cast<double>(maximum - minimum) * (a1 - a0) / (5 * kPi / 3);
    return static_cast<int32_t>(std::round(delta * 1e6) / 1e6);
}

int32_t KnobVerticalDrag(int32_t running, int32_t lastY, int32_t y, int32_t step, bool fine)
{
    if (fine)
        return running + (lastY - y);
    if (step > 0 && running % step != 0)
    {
        // The multiple below, also for a running value under 0.
        int32_t below = running - running % step;
        if (running < 0)
            below -= step;
        running = y > lastY ? below + step : below;
    }
    return running + (lastY - y) * step;
}

int32_t FaderTravel(const HfcFaderGeometry& g)
{
    const int32_t travel = g.trackLength - g.thumbHeight;
    return travel > 0 ? travel : 0;
}

int32_t FaderThumbOffset(const HfcFaderGeometry& g, int32_t value, int32_t minimum, int32_t maximum)
{
    const int32_t travel = FaderTravel(g);
    if (maximum <= minimum)
        return travel;
    const int64_t place = ClampToRange(value, minimum, maximum) - minimum;
    const int64_t span = static_cast<int64_t>(maximum) - minimum + 1;
    return travel - static_cast<int32_t>(place * (travel + 1) / span);
}

bool FaderJumpValue(const HfcFaderGeometry& g, int32_t y, int32_t minimum, int32_t maximum, int32_t& value)
{
    const int32_t travel = FaderTravel(g);
    if (travel == 0)
        return false;
    const int64_t fromBottom = g.thumbHeight / 2 - y + g.trackTop + travel;
    const int64_t v = minimum + fromBottom * (static_cast<int64_t>(maximum) - minimum) / travel;
    value = static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    return true;
}

uint8_t GlowRingAlpha(int32_t ring, int32_t margin, uint8_t focusAlpha)
{
    if (margin <= 0 || ring <= 0)
        return 0;
    const float alpha = static_cast<float>(ring) * (static_cast<float>(focusAlpha) / 255.0f) *
                        (1.0f / static_cast<float>(margin)) * 255.0f;
    if (alpha >= 255.0f)
        return 255;
    return alpha > 0.0f ? static_cast<uint8_t>(alpha) : 0;
}

CHfcRect GlowRingRect(const CHfcRect& rect, int32_t ring, bool narrow)
{
    return CHfcRect(rect.left - ring, narrow ? rect.top : rect.top - ring, rect.right + ring,
                    rect.bottom + ring);
}

CHfcRect GrowRect(const CHfcRect& rect, int32_t margin)
{
    return CHfcRect(rect.left - margin, rect.top - margin, rect.right + margin, rect.bottom + margin);
}

float StepScale(uint32_t now, uint32_t lastStepTime)
{
    const uint32_t elapsed = now - lastStepTime;
    if (elapsed <= 100)
        return 1.0f;
    return 50.0f / static_cast<float>(elapsed < 1600 ? elapsed : 1600);
}

std::string ToFontGlyphs(const char* text, int32_t length)
{
    std::string glyphs;
    for (int32_t i = 0; text && i < length && text[i] != 0; ++i)
    {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        glyphs.push_back(byte < 0x80 ? static_cast<char>(byte) : kFallbackGlyph);
    }
    return glyphs;
}

int32_t ListItemsPerLine(int32_t orientation, int32_t columns, int32_t rows)
{
    return orientation == 0 ? columns : rows;
}

int32_t ListLinesPerPage(int32_t orientation, int32_t columns, int32_t rows)
{
    return orientation == 0 ? rows : columns;
}

int32_t ListLineCount(int32_t count, int32_t itemsPerLine)
{
    if (itemsPerLine <= 0 || count <= 0)
        return 0;
    return (count + itemsPerLine - 1) / itemsPerLine;
}

void HfcListGrid::CellColumnRow(int32_t cell, int32_t& column, int32_t& row) const
{
    if (orientation == 0)
    {
        column = columns > 0 ? cell % columns : 0;
        row = columns > 0 ? cell / columns : 0;
    }
    else
    {
        column = rows > 0 ? cell / rows : 0;
        row = rows > 0 ? cell % rows : 0;
    }
}

CHfcRect HfcListGrid::CellRect(int32_t cell) const
{
    int32_t column = 0, row = 0;
    CellColumnRow(cell, column, row);
    const int32_t left = static_cast<int32_t>(cellWidth * static_cast<float>(column));
    const int32_t top = static_cast<int32_t>(cellHeight * static_cast<float>(row));
    const int32_t right = static_cast<int32_t>(cellWidth * static_cast<float>(column + 1));
    const int32_t bottom = static_cast<int32_t>(cellHeight * static_cast<float>(row + 1));
    return CHfcRect(left, top, right, bottom);
}

int32_t HfcListGrid::CellAtPoint(int32_t x, int32_t y, int32_t* dx, int32_t* dy) const
{
    if (columns <= 0 || rows <= 0 || !(cellWidth > 0.0f) || !(cellHeight > 0.0f) || x < 0 || y < 0)
        return -1;
    const int32_t column = static_cast<int32_t>(static_cast<float>(x) / cellWidth);
    const int32_t row = static_cast<int32_t>(static_cast<float>(y) / cellHeight);
    // A point beyond the last column or row would alias into the next row or column.
    if (column >= columns || row >= rows)
        return -1;
    if (dx)
        *dx = static_cast<int32_t>(static_cast<float>(column) * cellWidth) - x;
    if (dy)
        *dy = static_cast<int32_t>(static_cast<float>(row) * cellHeight) - y;
    return orientation == 0 ? row * columns + column : column * rows + row;
}

int32_t HfcListGrid::ItemInCell(int32_t cell, int32_t scrollLine, int32_t count) const
{
    if (cell < 0 || cell >= VisibleCellCount())
        return -1;
    const int32_t item = ItemsPerLine() * scrollLine + cell;
    return item >= 0 && item < count ? item : -1;
}

int32_t HfcListGrid::CellOfItem(int32_t item, int32_t scrollLine) const
{
    const int32_t cell = item - ItemsPerLine() * scrollLine;
    return cell >= 0 && cell < VisibleCellCount() ? cell : -1;
}

int32_t ListClampScrollLine(int32_t line, int32_t lineCount)
{
    if (line > lineCount - 1)
        line = lineCount - 1;
    return line < 0 ? 0 : line;
}

int32_t ListScrollLineForItem(int32_t index, int32_t mode, int32_t scrollLine, int32_t itemsPerLine,
                              int32_t linesPerPage)
{
    if (itemsPerLine <= 0 || linesPerPage <= 0 || index < 0)
        return scrollLine;
    const int32_t line = index / itemsPerLine;
    if (mode == 0)
    {
        if (line < scrollLine)
            return line;
        if (line >= scrollLine + linesPerPage)
            return line - linesPerPage + 1;
        return scrollLine;
    }
    if (mode == 1)
        return line - line % linesPerPage;
    return scrollLine;
}

void ListTextPlacement(int32_t areaLeft, int32_t areaWidth, int32_t leftOffset, int32_t charWidth,
                       int32_t textLength, int32_t& x, int32_t& shownLength)
{
    const int32_t fits = charWidth > 0 && areaWidth > 0 ? areaWidth / charWidth : 0;
    shownLength = textLength < fits ? textLength : fits;
    if (shownLength < 0)
        shownLength = 0;
    x = leftOffset != 0 ? areaLeft + leftOffset : areaLeft + areaWidth / 2 - (charWidth * shownLength) / 2;
}
