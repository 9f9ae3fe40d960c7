#pragma once

#include <cstdint>
#include <string>

// What a key did to a text entry.
enum class CTextEditResult
{
    Ignored, // nothing changed
    Changed, // the text, the caret or the selection changed: reset the blink, redraw
    Commit,  // Enter: editing ended, report the text
    Cancel   // Escape: editing ended, the text is back to what it was before the edit
};

// The text a text entry edits in place: the edit buffer, the caret, the selection and its
// anchor, and the key table. Invariants, whatever the input: the text holds at most
// GetMaxLength() characters, the caret and the anchor lie within the text, and the selection
// start <= end <= the text's length (no selection when they are equal). Only the characters
// 32..126 are typed in (Tab types a space).
class CTextEditModel
{
public:
    // Key codes of the key table.
    static constexpr uint32_t kBackspace = 8;
    static constexpr uint32_t kTab = 9;
    static constexpr uint32_t kEnter = 13;
    static constexpr uint32_t kEscape = 27;
    static constexpr uint32_t kLeft = 28;
    static constexpr uint32_t kRight = 29;
    static constexpr uint32_t kUp = 30;   // to the start
    static constexpr uint32_t kDown = 31; // to the end
    // Modifier bits.
    static constexpr uint32_t kShift = 1;
    static constexpr uint32_t kControl = 2;
    static constexpr uint32_t kAlt = 4;
    // The largest length limit; the limit counts the terminating byte, so an entry of n
    // columns has the limit n + 1.
    static constexpr int32_t kMaxLimit = 1024;

    // Held to 1..kMaxLimit; a text longer than the new limit allows is cut.
    void SetLengthLimit(int32_t limit);
    int32_t GetLengthLimit() const { return m_limit; }
    size_t GetMaxLength() const { return static_cast<size_t>(m_limit - 1); }

    // Starts editing a copy of the shown text (cut to the limit), all of it selected; false
    // when already editing.
    bool Begin(const std::string& shown);
    // Ends editing without a report, keeping the edited text.
    void End() { m_editing = false; }
    bool IsEditing() const { return m_editing; }

    // One code of the key table, with the modifiers; ignored while not editing.
    CTextEditResult OnKeyCharacter(uint32_t code, uint32_t modifiers);
    // A key-down of the system: the arrow keys go to the key table as 28..31, Delete deletes
    // the selection or the character at the caret; others are ignored.
    CTextEditResult OnKeyDown(uint32_t virtualKey, uint32_t modifiers);
    CTextEditResult DeleteForward();

    // A press at x (from the text's left edge) puts the caret at the nearest cell boundary,
    // (x + cell width / 2) / cell width within the text, and anchors a selection there.
    CTextEditResult Press(int32_t x, int32_t cellWidth);
    // A drag selects from the anchor to the cell boundary under x.
    CTextEditResult Drag(int32_t x, int32_t cellWidth);
    CTextEditResult SelectAll();

    const std::string& GetText() const { return m_text; }
    // The text as it was when editing began.
    const std::string& GetOriginalText() const { return m_original; }
    size_t GetCaret() const { return m_caret; }
    size_t GetSelectionStart() const { return m_selectionStart; }
    size_t GetSelectionEnd() const { return m_selectionEnd; }
    size_t GetAnchor() const { return m_anchor; }
    bool HasSelection() const { return m_selectionStart != m_selectionEnd; }

private:
    void DeleteSelection();
    // False when nothing changed (a full text and no selection).
    bool Insert(char character);
    CTextEditResult MoveCaret(size_t caret, bool extend);
    void CollapseAt(size_t caret);
    size_t CellAt(int32_t x, int32_t cellWidth) const;

    int32_t m_limit = kMaxLimit;
    bool m_editing = false;
    std::string m_text;
    std::string m_original;
    size_t m_caret = 0;
    size_t m_anchor = 0;
    size_t m_selectionStart = 0;
    size_t m_selectionEnd = 0;
};
