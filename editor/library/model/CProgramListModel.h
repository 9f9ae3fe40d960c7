#pragma once

#include "editor/library/model/CProgramListDrop.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CLibraryData;
class CProgram;
class CZmProgramAccessor;

enum class CProgramListKey
{
    kUp,
    kDown,
    kLeft,
    kRight,
};

// The program list's state apart from its drawing: per-program flags (selection, drop
// highlight, held category, redraw), the shown bank, the list mode and information fields of
// the library's view settings, the category hold, and the press and click state of the mouse.
// Bound to one library document, whose view settings it keeps up to date; the library must
// outlive it. Every method that changes what a row shows sets the row's redraw flag.
class CProgramListModel
{
public:
    enum : uint32_t
    {
        kProgramCount = 128,
        kFlagSelected = 1,
        kFlagDropHighlight = 2,
        kFlagHeld = 4,
        kFlagRedraw = 8,
        kInfoFieldCount = 5, // Voice Mode, Arpeggiator, Vocoder SW, Programmer, Comment
        kCategoryHoldOff = 0,
        kCategoryHoldCategory = 1,
        kCategoryHoldAssign = 2,
        kCategoryHoldProgrammer = 3,
        kCategoryHoldCount = 4,
    };

    // Takes the list mode, its field mask and the category hold from the library.
    explicit CProgramListModel(CLibraryData& library);
    ~CProgramListModel();
    CProgramListModel(const CProgramListModel&) = delete;
    CProgramListModel& operator=(const CProgramListModel&) = delete;

    uint32_t GetFlags(uint32_t n) const { return n < kProgramCount ? m_flags[n] : 0; }
    bool IsSelected(uint32_t n) const { return (GetFlags(n) & kFlagSelected) != 0; }
    bool IsHeld(uint32_t n) const { return (GetFlags(n) & kFlagHeld) != 0; }

    // Selection. The held category follows every change.
    int32_t GetFirstSelected() const;
    // What keys and the receive and transmit commands act on: program 0 when none is selected.
    uint32_t GetFirstSelectedOrZero() const;
    uint32_t GetSelectedCount() const;
    std::vector<uint32_t> GetSelection() const;
    void SelectOnly(uint32_t n);
    void ClearSelection();
    // Keeps only the first selected program; answers it, or -1 when none was selected.
    int32_t ReduceToFirst();
    // The number shown for the selection: "A11" for exactly one program, else dashes.
    std::string GetSelectionNumberText() const;
    // The genre and category shown for the selection: "<genre> : <category>" for exactly one
    // program (the genre of its row in the bank, the program's own Category), else "--- : ---".
    std::string GetSelectionCategoryText() const;

    // The drop highlight moves to n; -1 clears it.
    void SetDropHighlight(int32_t n);

    // Rows of the shown bank to draw now, ascending: all of them when full, else those flagged
    // for redraw. Their redraw flags are cleared; rows of other banks keep theirs.
    std::vector<uint32_t> TakeRowsToDraw(bool full);
    void MarkRedraw(uint32_t n);
    void MarkAllRedraw();

    // Banks.
    uint32_t GetBank() const { return m_bank; }
    uint32_t GetBankCount() const;
    // False (nothing changes) for a bank the mode does not have.
    bool ShowBank(uint32_t bank);
    void ShowBankOf(uint32_t n);
    bool IsShown(uint32_t n) const;

    // List mode 0, 1 or 2 (another is ignored): the fields become the library's mask of the
    // mode, the bank of the first selected program is shown and every row is redrawn.
    void SetListMode(uint32_t mode);
    uint32_t GetListMode() const { return m_listMode; }
    // The information fields the mode shows (none in mode 2).
    uint32_t GetInfoFields() const;
    // The view popup's item i (0-4): turns field i on or off. Mode 0 shows three at most: a
    // field turned on joins the lowest two that were on. Mode 1 shows one at most: the field
    // replaces the one that was on, and choosing the one on clears it. Mode 2 shows none and
    // ignores the choice. The library's mask of the mode is updated; answers the new mask.
    uint32_t ToggleInfoField(uint32_t field);
    // What information field `field` (0-4) shows for program n: the voice mode's value text,
    // "ARP ON" or "VOCODER ON" while that is on (else nothing), the programmer, the comment.
    std::string GetInfoFieldText(uint32_t n, uint32_t field) const;

    // Category hold: 0 off, 1 category, 2 assign (Voice Mode, the top two bits of image byte
    // 8), 3 programmer name. The held marks go to every program whose key equals the first
    // selected program's; none while off or nothing is selected.
    uint32_t GetCategoryHold() const { return m_categoryHold; }
    // Ignored above 3; stores the mode in the library.
    void SetCategoryHold(uint32_t mode);
    // Recomputes the held marks from the library's programs (after their data changed).
    void UpdateHeld();

    // Mouse on a row (n below 128). A plain press on an unselected row selects it alone at
    // once; Shift selects from the first selected program to n (in category hold only held
    // rows); Control waits for the release.
    void PressLeft(uint32_t n, bool shift, bool control, int32_t x, int32_t y);
    // The release of that press on row n (-1: not on a row). Answers true when a plain click
    // changed the selection, which is when the automatic dump runs.
    bool ReleaseLeft(int32_t n);
    // A right press on an unselected row selects it alone.
    void PressRight(uint32_t n);
    // True once, when the pointer has moved far enough from a pending press to start a drag;
    // the press is then no longer pending.
    bool TakeDragStart(int32_t x, int32_t y);
    // The program under the press while a drag of this list runs; -1 once it has ended.
    int32_t GetPressIndex() const { return m_pressIndex; }
    bool IsPressPending() const { return m_pressPending; }
    void EndDrag();

    // Arrow keys: from the first selected program (0 when none), Left -32, Up -1, Right +32,
    // Down +1 within 0-127; in category hold only Up and Down, to the previous or next held
    // program. The new program becomes the only selection and its bank is shown. Answers it,
    // or -1 when nothing moved.
    int32_t MoveByKey(CProgramListKey key);

    // A drop of items on program target (the row under the pointer): clears the
    // drop highlight, carries the operation out on the library's programs and, when it was
    // accepted, selects the dropped rows, recomputes the held marks and redraws every row.
    // A refused drop changes no program and no selection.
    CProgramDropPlan Drop(const std::vector<CProgramDragItem>& items, uint32_t target,
                          CProgramDropOperation operation);

private:
    void SetFlag(uint32_t n, uint32_t flag, bool on);
    void SelectRange(uint32_t from, uint32_t to, bool heldOnly);
    void ToggleSelected(uint32_t n);
    std::string GetKey(const CProgram& program) const;

    CLibraryData& m_library;
    CZmProgramAccessor* m_accessor; // held for the model's life
    std::array<uint32_t, kProgramCount> m_flags{};
    uint32_t m_bank = 0;
    uint32_t m_listMode = 0;
    uint32_t m_categoryHold = 0;
    uint32_t m_clickMode = 0; // 0 none, 1 plain click pending, 2 Control click pending
    bool m_selectionChanged = false;
    int32_t m_pressIndex = -1;
    bool m_pressPending = false;
    int32_t m_pressX = 0;
    int32_t m_pressY = 0;
};
