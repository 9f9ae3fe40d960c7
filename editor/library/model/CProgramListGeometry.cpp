#include "editor/library/model/CProgramListGeometry.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const CProgramListModeInfo kModes[CProgramListGeometry::kListModeCount] = {
    {64, 366, 2, 2, 3},
    {128, 183, 4, 1, 1},
    {256, 91, 4, 1, 0},
};

uint32_t SlotOf(const CProgramListModeInfo& info, uint32_t n)
{
    return n % info.programsPerBank;
}
} // namespace

const CProgramListModeInfo& CProgramListGeometry::GetModeInfo(uint32_t mode)
{
    return kModes[mode < kListModeCount ? mode : 0];
}

uint32_t CProgramListGeometry::GetBankOf(uint32_t mode, uint32_t n)
{
    return n / GetModeInfo(mode).programsPerBank;
}

int32_t CProgramListGeometry::GetRowX(uint32_t mode, uint32_t n)
{
    const CProgramListModeInfo& info = GetModeInfo(mode);
    return kOriginX + static_cast<int32_t>(SlotOf(info, n) / kRowsPerColumn) * info.columnWidth;
}

int32_t CProgramListGeometry::GetRowY(uint32_t mode, uint32_t n)
{
    return kOriginY + static_cast<int32_t>(SlotOf(GetModeInfo(mode), n) % kRowsPerColumn) * kRowHeight;
}

CHfcRect CProgramListGeometry::GetRowRect(uint32_t mode, uint32_t n)
{
    const int32_t x = GetRowX(mode, n);
    const int32_t y = GetRowY(mode, n);
    return CHfcRect(x, y, x + GetModeInfo(mode).columnWidth - 1, y + kRowHeight + 1);
}

int32_t CProgramListGeometry::GetNameCharacters(uint32_t mode)
{
    const int32_t fit = (GetModeInfo(mode).columnWidth - kNameTextX) / kCharWidth;
    return fit < kNameLength ? fit : static_cast<int32_t>(kNameLength);
}

int32_t CProgramListGeometry::HitTestRow(uint32_t mode, uint32_t bank, int32_t x, int32_t y)
{
    const CProgramListModeInfo& info = GetModeInfo(mode);
    if (bank >= info.banks || x < kOriginX || y < kOriginY)
        return -1;
    // In 64 bits: a point far outside must not wrap into the list.
    const int64_t column = (static_cast<int64_t>(x) - kOriginX) / info.columnWidth;
    const int64_t row = (static_cast<int64_t>(y) - kOriginY) / kRowHeight;
    if (column >= info.columns || row >= kRowsPerColumn)
        return -1;
    const int64_t slot = column * kRowsPerColumn + row;
    const int64_t n = static_cast<int64_t>(bank) * info.programsPerBank + slot;
    if (slot >= info.programsPerBank || n >= kProgramCount)
        return -1;
    return static_cast<int32_t>(n);
}

CHfcRect CProgramListGeometry::GetTabRect(uint32_t bank)
{
    const int32_t x = kTabX + static_cast<int32_t>(bank) * kTabStep;
    return CHfcRect(x, kTabY, x + kTabWidth, kTabY + kTabHeight);
}

int32_t CProgramListGeometry::HitTestTab(uint32_t mode, int32_t x, int32_t y)
{
    const uint32_t banks = GetBankCount(mode);
    if (banks < 2)
        return -1;
    for (uint32_t bank = 0; bank < banks; ++bank)
    {
        const CHfcRect tab = GetTabRect(bank);
        if (x >= tab.left && x < tab.right && y >= tab.top && y < tab.bottom)
            return static_cast<int32_t>(bank);
    }
    return -1;
}

std::string CProgramListGeometry::GetTabLabel(uint32_t bank)
{
    char text[16];
    std::snprintf(text, sizeof text, "Bank %c", static_cast<char>('A' + bank % 26));
    return text;
}

bool CProgramListGeometry::IsDragDistance(int32_t pressX, int32_t pressY, int32_t x, int32_t y)
{
    const int64_t distance =
        std::llabs(static_cast<int64_t>(x) - pressX) + std::llabs(static_cast<int64_t>(y) - pressY);
    return distance >= kDragThreshold;
}

std::string CProgramListGeometry::GetProgramNumberText(uint32_t n)
{
    if (n >= kProgramCount)
        return std::string();
    char text[8];
    std::snprintf(text, sizeof text, "%c%u%u", static_cast<char>('A' + n / 64), (n % 64) / 8 + 1, n % 8 + 1);
    return text;
}
