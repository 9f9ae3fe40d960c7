#pragma once

#include "foundation/CHfcRect.h"

#include <cstdint>
#include <string>

// The shape of one list mode.
struct CProgramListModeInfo
{
    uint32_t programsPerBank; // 256 in mode 2: all 128 on one page
    int32_t columnWidth;
    uint32_t columns;
    uint32_t banks;
    uint32_t maxInfoFields;
};

// Where the program list puts its rows and bank tabs, and what lies under a point. Programs are
// numbered 0-127; a row's program n sits at slot n mod programs-per-bank of bank n / that.
class CProgramListGeometry
{
public:
    enum : int32_t
    {
        kOriginX = 32,
        kOriginY = 112,
        kRowHeight = 12,
        kRowsPerColumn = 32,
        kCharWidth = 6, // the LCD font's cell
        kNumberCellWidth = 20,
        kNumberTextX = 2,
        kNameTextX = 25,
        kTextY = 3,
        kNameLength = 8,
        kTabX = 32,
        kTabY = 501,
        kTabStep = 76,
        kTabWidth = 70,
        kTabHeight = 15,
        kTabTextX = 16,
        kTabTextY = 4,
        kDragThreshold = 4,
    };

    enum : uint32_t
    {
        kListModeCount = 3,
        kProgramCount = 128,
    };

    // The table row of a mode; a mode above 2 answers mode 0's.
    static const CProgramListModeInfo& GetModeInfo(uint32_t mode);
    static uint32_t GetBankCount(uint32_t mode) { return GetModeInfo(mode).banks; }
    // The bank that shows program n.
    static uint32_t GetBankOf(uint32_t mode, uint32_t n);

    // Top left of program n's row (whichever bank shows it).
    static int32_t GetRowX(uint32_t mode, uint32_t n);
    static int32_t GetRowY(uint32_t mode, uint32_t n);
    // What a row's drawing covers and invalidates: (column width - 1) x 13 from its top left; it
    // overlaps the next row's top line, where that row's separator sits.
    static CHfcRect GetRowRect(uint32_t mode, uint32_t n);
    // Characters of the name that fit the column (at most the 8 of a name).
    static int32_t GetNameCharacters(uint32_t mode);

    // The program whose row is under (x, y) in the shown bank, or -1. Rows tile the list without
    // gaps: column width by row height each; no row below the 32nd, right of the last column
    // or past program 127.
    static int32_t HitTestRow(uint32_t mode, uint32_t bank, int32_t x, int32_t y);

    // Tab i's frame; tabs exist only in modes of more than one bank.
    static CHfcRect GetTabRect(uint32_t bank);
    // The bank whose tab is under (x, y), or -1 (also in the 6-pixel gaps and in one-bank modes).
    static int32_t HitTestTab(uint32_t mode, int32_t x, int32_t y);
    // "Bank A", "Bank B".
    static std::string GetTabLabel(uint32_t bank);

    // A drag starts once the pointer has moved this far from the press: the sum of the absolute
    // x and y distances reaches 4.
    static bool IsDragDistance(int32_t pressX, int32_t pressY, int32_t x, int32_t y);

    // "%c%d%d": bank letter, then the group of eight and the place in it, each from 1 (0 is
    // "A11", 63 "A88", 64 "B11", 127 "B88"); "" for a number above 127.
    static std::string GetProgramNumberText(uint32_t n);
};
