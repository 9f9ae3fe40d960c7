#include "editor/math/CTextEditModel.h"

namespace
{
// The system's virtual-key codes the entry reacts to.
const uint32_t kVirtualLeft = 0x25;
const uint32_t kVirtualUp = 0x26;
const uint32_t kVirtualRight = 0x27;
const uint32_t kVirtualDown = 0x28;
const uint32_t kVirtualDelete = 0x2E;
} // namespace

void CTextEditModel::SetLengthLimit(int32_t limit)
{
    m_limit = limit < 1 ? 1 : limit > kMaxLimit ? kMaxLimit : limit;
    if (m_text.size() > GetMaxLength())
        m_text.resize(GetMaxLength());
    if (m_caret > m_text.size())
        m_caret = m_text.size();
    if (m_anchor > m_text.size())
        m_anchor = m_text.size();
    if (m_selectionEnd > m_text.size())
        m_selectionEnd = m_text.size();
    if (m_selectionStart > m_selectionEnd)
        m_selectionStart = m_selectionEnd;
}

bool CTextEditModel::Begin(const std::string& shown)
{
    if (m_editing)
        return false;
    m_editing = true;
    m_original = shown;
    m_text = shown.substr(0, GetMaxLength());
    SelectAll();
    return true;
}

CTextEditResult CTextEditModel::OnKeyCharacter(uint32_t code, uint32_t modifiers)
{
    if (!m_editing)
        return CTextEditResult::Ignored;
    const bool shift = (modifiers & kShift) != 0;
    switch (code)
    {
    case kBackspace:
        if (HasSelection())
            DeleteSelection();
        else if (m_caret > 0)
        {
            m_text.erase(m_caret - 1, 1);
            CollapseAt(m_caret - 1);
        }
        else
            return CTextEditResult::Ignored;
        return CTextEditResult::Changed;
    case kTab:
        return Insert(' ') ? CTextEditResult::Changed : CTextEditResult::Ignored;
    case kEnter:
        m_editing = false;
        return CTextEditResult::Commit;
    case kEscape:
        m_editing = false;
        m_text = m_original.substr(0, GetMaxLength());
        CollapseAt(m_text.size());
        return CTextEditResult::Cancel;
    case kLeft:
        return MoveCaret(m_caret > 0 ? m_caret - 1 : 0, shift);
    case kRight:
        return MoveCaret(m_caret < m_text.size() ? m_caret + 1 : m_text.size(), shift);
    case kUp:
        return MoveCaret(0, shift);
    case kDown:
        return MoveCaret(m_text.size(), shift);
    default:
        // Control characters and codes from 127 up would show as glyphs the font lacks.
        if (code < 32 || code > 126)
            return CTextEditResult::Ignored;
        return Insert(static_cast<char>(code)) ? CTextEditResult::Changed : CTextEditResult::Ignored;
    }
}

CTextEditResult CTextEditModel::OnKeyDown(uint32_t virtualKey, uint32_t modifiers)
{
    switch (virtualKey)
    {
    case kVirtualLeft:
        return OnKeyCharacter(kLeft, modifiers);
    case kVirtualUp:
        return OnKeyCharacter(kUp, modifiers);
    case kVirtualRight:
        return OnKeyCharacter(kRight, modifiers);
    case kVirtualDown:
        return OnKeyCharacter(kDown, modifiers);
    case kVirtualDelete:
        return DeleteForward();
    default:
        return CTextEditResult::Ignored;
    }
}

CTextEditResult CTextEditModel::DeleteForward()
{
    if (!m_editing)
        return CTextEditResult::Ignored;
    if (HasSelection())
        DeleteSelection();
    else if (m_caret < m_text.size())
    {
        m_text.erase(m_caret, 1);
        CollapseAt(m_caret);
    }
    else
        return CTextEditResult::Ignored;
    return CTextEditResult::Changed;
}

CTextEditResult CTextEditModel::Press(int32_t x, int32_t cellWidth)
{
    if (!m_editing || cellWidth < 1)
        return CTextEditResult::Ignored;
    CollapseAt(CellAt(x, cellWidth));
    return CTextEditResult::Changed;
}

CTextEditResult CTextEditModel::Drag(int32_t x, int32_t cellWidth)
{
    if (!m_editing || cellWidth < 1)
        return CTextEditResult::Ignored;
    m_caret = CellAt(x, cellWidth);
    m_selectionStart = m_anchor < m_caret ? m_anchor : m_caret;
    m_selectionEnd = m_anchor < m_caret ? m_caret : m_anchor;
    return CTextEditResult::Changed;
}

CTextEditResult CTextEditModel::SelectAll()
{
    if (!m_editing)
        return CTextEditResult::Ignored;
    m_anchor = 0;
    m_caret = m_text.size();
    m_selectionStart = 0;
    m_selectionEnd = m_text.size();
    return CTextEditResult::Changed;
}

void CTextEditModel::DeleteSelection()
{
    m_text.erase(m_selectionStart, m_selectionEnd - m_selectionStart);
    CollapseAt(m_selectionStart);
}

bool CTextEditModel::Insert(char character)
{
    const bool hadSelection = HasSelection();
    if (hadSelection)
        DeleteSelection();
    if (m_text.size() >= GetMaxLength())
        return hadSelection;
    m_text.insert(m_caret, 1, character);
    CollapseAt(m_caret + 1);
    return true;
}

CTextEditResult CTextEditModel::MoveCaret(size_t caret, bool extend)
{
    if (!extend)
    {
        // Without Shift a selection is only removed; the caret stays.
        if (HasSelection())
            caret = m_caret;
        if (!HasSelection() && caret == m_caret)
            return CTextEditResult::Ignored;
        CollapseAt(caret);
        return CTextEditResult::Changed;
    }
    if (!HasSelection())
        m_anchor = m_caret;
    if (caret == m_caret)
        return CTextEditResult::Ignored;
    m_caret = caret;
    m_selectionStart = m_anchor < m_caret ? m_anchor : m_caret;
    m_selectionEnd = m_anchor < m_caret ? m_caret : m_anchor;
    return CTextEditResult::Changed;
}

void CTextEditModel::CollapseAt(size_t caret)
{
    m_caret = caret;
    m_anchor = caret;
    m_selectionStart = caret;
    m_selectionEnd = caret;
}

size_t CTextEditModel::CellAt(int32_t x, int32_t cellWidth) const
{
    const int64_t cell = (static_cast<int64_t>(x) + cellWidth / 2) / cellWidth;
    if (cell <= 0)
        return 0;
    return static_cast<size_t>(cell) < m_text.size() ? static_cast<size_t>(cell) : m_text.size();
}
