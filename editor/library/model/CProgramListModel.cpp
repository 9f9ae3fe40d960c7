#include "editor/library/model/CProgramListModel.h"

#include "editor/library/model/CProgramListGeometry.h"

#include "foundation/CEfStringTable.h"
#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cstring>
#include <utility>

namespace
{
const CZmParameterId kCategory = {kPrgGroupCommon, 12, 0};
const CZmParameterId kVoiceMode = {kPrgGroupCommon, kCommonVoiceMode, 0};

const CZmParameterId kVocoderSw = {kPrgGroupVocoder, 0, 0};
const CZmParameterId kArpSw = {kPrgGroupArpCommon, 1, 0};

const char kNoSelectionNumber[] = "------------";
const char kNoSelectionCategory[] = "--- : ---";
const uint32_t kListModeCount = CProgramListGeometry::kListModeCount;

uint32_t LowestBits(uint32_t mask, uint32_t count)
{
    uint32_t kept = 0;
    for (uint32_t bit = 1; bit != 0 && count > 0; bit <<= 1)
        if ((mask & bit) != 0)
        {
            kept |= bit;
            --count;
        }
    return kept;
}
} // namespace

CProgramListModel::CProgramListModel(CLibraryData& library)
    : m_library(library), m_accessor(CZmProgramAccessorSingleton::Acquire())
{
    m_listMode = library.GetListMode() < kListModeCount ? library.GetListMode() : 0;
    m_categoryHold = library.GetCategoryHold() < kCategoryHoldCount ? library.GetCategoryHold() : 0;
    MarkAllRedraw();
}

CProgramListModel::~CProgramListModel()
{
    CZmProgramAccessorSingleton::Release();
}

void CProgramListModel::SetFlag(uint32_t n, uint32_t flag, bool on)
{
    const uint32_t flags = on ? m_flags[n] | flag : m_flags[n] & ~flag;
    if (flags != m_flags[n])
        m_flags[n] = flags | kFlagRedraw;
}

int32_t CProgramListModel::GetFirstSelected() const
{
    for (uint32_t n = 0; n < kProgramCount; ++n)
        if ((m_flags[n] & kFlagSelected) != 0)
            return static_cast<int32_t>(n);
    return -1;
}

uint32_t CProgramListModel::GetFirstSelectedOrZero() const
{
    const int32_t first = GetFirstSelected();
    return first < 0 ? 0 : static_cast<uint32_t>(first);
}

uint32_t CProgramListModel::GetSelectedCount() const
{
    uint32_t count = 0;
    for (uint32_t flags : m_flags)
        count += (flags & kFlagSelected) != 0 ? 1 : 0;
    return count;
}

std::vector<uint32_t> CProgramListModel::GetSelection() const
{
    std::vector<uint32_t> selection;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        if ((m_flags[n] & kFlagSelected) != 0)
            selection.push_back(n);
    return selection;
}

void CProgramListModel::SelectOnly(uint32_t n)
{
    for (uint32_t i = 0; i < kProgramCount; ++i)
        SetFlag(i, kFlagSelected, i == n);
    UpdateHeld();
}

void CProgramListModel::ClearSelection()
{
    SelectOnly(kProgramCount);
}

int32_t CProgramListModel::ReduceToFirst()
{
    const int32_t first = GetFirstSelected();
    SelectOnly(first < 0 ? kProgramCount : static_cast<uint32_t>(first));
    return first;
}

std::string CProgramListModel::GetInfoFieldText(uint32_t n, uint32_t field) const
{
    const CProgramSet* set = m_library.GetProgramSet();
    if (!set || n >= kProgramCount)
        return std::string();
    const CProgram& program = set->GetProgram(n);
    switch (field)
    {
    case 0:
    {
        char text[64] = {};
        m_accessor->GetCurrentValueText(&program, kVoiceMode, text, sizeof text);
        return text;
    }
    case 1:
        return m_accessor->GetValue(&program, kArpSw) != 0 ? "ARP ON" : "";
    case 2:
        return m_accessor->GetValue(&program, kVocoderSw) != 0 ? "VOCODER ON" : "";
    case 3:
        return std::string(program.GetAuthor(), strnlen(program.GetAuthor(), CZmProgramData::kAuthorLength));
    case 4:
        return std::string(program.GetComment(),
                           strnlen(program.GetComment(), CZmProgramData::kCommentLength));
    default:
        return std::string();
    }
}

std::string CProgramListModel::GetSelectionNumberText() const
{
    if (GetSelectedCount() != 1)
        return kNoSelectionNumber;
    return CProgramListGeometry::GetProgramNumberText(static_cast<uint32_t>(GetFirstSelected()));
}

std::string CProgramListModel::GetSelectionCategoryText() const
{
    const CProgramSet* set = m_library.GetProgramSet();
    if (GetSelectedCount() != 1 || !set)
        return kNoSelectionCategory;
    const uint32_t n = static_cast<uint32_t>(GetFirstSelected());
    // The image carries a category and no genre: the genre is that of the program's row of
    // eight in its bank, the number's first digit.
    const CEfStringTable* table = GetStringTable();
    const char* genre = table ? table->GetString("ProgramGenre", (n % 64) / 8) : nullptr;
    char category[64] = {};
    m_accessor->GetCurrentValueText(&set->GetProgram(n), kCategory, category, sizeof category);
    return std::string(genre ? genre : "---") + " : " + (category[0] ? category : "---");
}

void CProgramListModel::SelectRange(uint32_t from, uint32_t to, bool heldOnly)
{
    if (from > to)
        std::swap(from, to);
    for (uint32_t n = from; n <= to && n < kProgramCount; ++n)
        if (!heldOnly || IsHeld(n))
            SetFlag(n, kFlagSelected, true);
}

void CProgramListModel::ToggleSelected(uint32_t n)
{
    SetFlag(n, kFlagSelected, !IsSelected(n));
}

void CProgramListModel::SetDropHighlight(int32_t n)
{
    for (uint32_t i = 0; i < kProgramCount; ++i)
        SetFlag(i, kFlagDropHighlight, static_cast<int32_t>(i) == n);
}

std::vector<uint32_t> CProgramListModel::TakeRowsToDraw(bool full)
{
    std::vector<uint32_t> rows;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        if (IsShown(n) && (full || (m_flags[n] & kFlagRedraw) != 0))
        {
            m_flags[n] &= ~kFlagRedraw;
            rows.push_back(n);
        }
    return rows;
}

void CProgramListModel::MarkRedraw(uint32_t n)
{
    if (n < kProgramCount)
        m_flags[n] |= kFlagRedraw;
}

void CProgramListModel::MarkAllRedraw()
{
    for (uint32_t& flags : m_flags)
        flags |= kFlagRedraw;
}

uint32_t CProgramListModel::GetBankCount() const
{
    return CProgramListGeometry::GetBankCount(m_listMode);
}

bool CProgramListModel::ShowBank(uint32_t bank)
{
    if (bank >= GetBankCount())
        return false;
    if (bank != m_bank)
    {
        m_bank = bank;
        MarkAllRedraw();
    }
    return true;
}

void CProgramListModel::ShowBankOf(uint32_t n)
{
    if (n < kProgramCount)
        ShowBank(CProgramListGeometry::GetBankOf(m_listMode, n));
}

bool CProgramListModel::IsShown(uint32_t n) const
{
    return n < kProgramCount && CProgramListGeometry::GetBankOf(m_listMode, n) == m_bank;
}

void CProgramListModel::SetListMode(uint32_t mode)
{
    if (mode >= kListModeCount)
        return;
    m_listMode = mode;
    m_library.SetListMode(mode);
    // The bank of the old mode may not exist in the new one.
    m_bank = 0;
    ShowBankOf(GetFirstSelectedOrZero());
    MarkAllRedraw();
}

uint32_t CProgramListModel::GetInfoFields() const
{
    switch (m_listMode)
    {
    case 0:
        return m_library.GetMode0Fields();
    case 1:
        return m_library.GetMode1Fields();
    default:
        return 0;
    }
}

uint32_t CProgramListModel::ToggleInfoField(uint32_t field)
{
    if (field >= kInfoFieldCount || m_listMode >= 2)
        return GetInfoFields();
    const uint32_t bit = 1u << field;
    const uint32_t mask = GetInfoFields();
    if (m_listMode == 0)
        m_library.SetMode0Fields((mask & bit) != 0 ? mask & ~bit : LowestBits(mask, 2) | bit);
    else
        m_library.SetMode1Fields(mask == bit ? 0 : bit);
    MarkAllRedraw();
    return GetInfoFields();
}

void CProgramListModel::SetCategoryHold(uint32_t mode)
{
    if (mode >= kCategoryHoldCount)
        return;
    m_categoryHold = mode;
    m_library.SetCategoryHold(mode);
    UpdateHeld();
}

std::string CProgramListModel::GetKey(const CProgram& program) const
{
    switch (m_categoryHold)
    {
    case kCategoryHoldCategory:
        return std::to_string(m_accessor->GetValue(&program, kCategory));
    case kCategoryHoldAssign:
        return std::to_string(m_accessor->GetValue(&program, kVoiceMode));
    default:
    {
        // Never read past the field, whatever a block from elsewhere holds.
        const char* name = program.GetBlock().programmer;
        const size_t size = sizeof program.GetBlock().programmer;
        const void* end = std::memchr(name, '\0', size);
        return std::string(name,
                           end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - name) : size);
    }
    }
}

void CProgramListModel::UpdateHeld()
{
    const CProgramSet* programs = m_library.GetProgramSet();
    const int32_t first = GetFirstSelected();
    if (m_categoryHold == kCategoryHoldOff || programs == nullptr || first < 0)
    {
        for (uint32_t n = 0; n < kProgramCount; ++n)
            SetFlag(n, kFlagHeld, false);
        return;
    }
    const std::string key = GetKey(programs->GetProgram(static_cast<uint32_t>(first)));
    for (uint32_t n = 0; n < kProgramCount; ++n)
        SetFlag(n, kFlagHeld, GetKey(programs->GetProgram(n)) == key);
}

void CProgramListModel::PressLeft(uint32_t n, bool shift, bool control, int32_t x, int32_t y)
{
    if (n >= kProgramCount)
        return;
    if (control)
        m_clickMode = 2;
    else if (shift)
    {
        const int32_t first = GetFirstSelected();
        SelectRange(first < 0 ? n : static_cast<uint32_t>(first), n, m_categoryHold != kCategoryHoldOff);
        UpdateHeld();
    }
    else
    {
        if (!IsSelected(n))
        {
            SelectOnly(n);
            m_selectionChanged = true;
        }
        m_clickMode = 1;
    }
    m_pressIndex = static_cast<int32_t>(n);
    m_pressPending = true;
    m_pressX = x;
    m_pressY = y;
}

bool CProgramListModel::ReleaseLeft(int32_t n)
{
    bool dump = false;
    if (n >= 0 && n < static_cast<int32_t>(kProgramCount))
    {
        const uint32_t row = static_cast<uint32_t>(n);
        if (m_clickMode == 1)
        {
            if (GetSelectedCount() >= 2 || !IsSelected(row))
                m_selectionChanged = true;
            SelectOnly(row);
            dump = m_selectionChanged;
        }
        else if (m_clickMode == 2 && (m_categoryHold == kCategoryHoldOff || IsHeld(row)))
        {
            ToggleSelected(row);
            UpdateHeld();
        }
    }
    m_clickMode = 0;
    m_pressIndex = -1;
    m_pressPending = false;
    m_selectionChanged = false;
    return dump;
}

void CProgramListModel::PressRight(uint32_t n)
{
    if (n < kProgramCount && !IsSelected(n))
        SelectOnly(n);
}

bool CProgramListModel::TakeDragStart(int32_t x, int32_t y)
{
    if (!m_pressPending || m_pressIndex < 0 ||
        !CProgramListGeometry::IsDragDistance(m_pressX, m_pressY, x, y))
        return false;
    m_pressPending = false;
    return true;
}

void CProgramListModel::EndDrag()
{
    m_pressIndex = -1;
    m_pressPending = false;
    m_clickMode = 0;
}

int32_t CProgramListModel::MoveByKey(CProgramListKey key)
{
    const int32_t from = static_cast<int32_t>(GetFirstSelectedOrZero());
    int32_t to = -1;
    if (m_categoryHold != kCategoryHoldOff)
    {
        const int32_t step = key == CProgramListKey::kUp ? -1 : key == CProgramListKey::kDown ? 1 : 0;
        for (int32_t n = from + step; step != 0 && n >= 0 && n < static_cast<int32_t>(kProgramCount);
             n += step)
            if (IsHeld(static_cast<uint32_t>(n)))
            {
                to = n;
                break;
            }
    }
    else
    {
        static const int32_t kSteps[] = {-1, 1, -32, 32}; // Up, Down, Left, Right
        const int32_t n = from + kSteps[static_cast<int>(key)];
        if (n >= 0 && n < static_cast<int32_t>(kProgramCount))
            to = n;
    }
    if (to < 0)
        return -1;
    SelectOnly(static_cast<uint32_t>(to));
    ShowBankOf(static_cast<uint32_t>(to));
    return to;
}

CProgramDropPlan CProgramListModel::Drop(const std::vector<CProgramDragItem>& items, uint32_t target,
                                         CProgramDropOperation operation)
{
    SetDropHighlight(-1);
    CProgramSet* programs = m_library.GetProgramSet();
    if (programs == nullptr)
    {
        CProgramDropPlan refused;
        refused.error = "Can not get data.";
        return refused;
    }
    CProgramDropPlan plan = CProgramListDrop::Drop(*programs, items, target, operation);
    if (!plan.accepted)
        return plan;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        SetFlag(n, kFlagSelected, false);
    for (uint32_t row : plan.dropped)
        SetFlag(row, kFlagSelected, true);
    UpdateHeld();
    MarkAllRedraw();
    return plan;
}
