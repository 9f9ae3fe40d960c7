#include "editor/controls/CHfcCtrlOldCharEditText.h"

#include "editor/controls/CCustomControl.h"
#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcWindow.h"
#include "framework/CHfcWindowLayer.h"
#include "framework/ctrlmath/HfcControlMath.h"
#include "resources/SkinGeometry.h"

#include <algorithm>
#include <stdexcept>

namespace
{
constexpr int32_t kHoldOutOfReachMs = 500;
} // namespace

CHfcCtrlOldCharEditText::~CHfcCtrlOldCharEditText()
{
    if (IsCreated())
        CHfcCtrlOldCharEditText::Destroy();
    LetEditChildGo();
}

bool CHfcCtrlOldCharEditText::Create(const CHfcCtrlOldCharEditTextRecord* record, uint32_t id,
                                     uint32_t userValue)
{
    try
    {
        if (!record || !record->head.bitmap)
            throw std::invalid_argument("no font");
        if (record->columns < 1 || record->lines < 1)
            throw std::invalid_argument("no cells");
        m_record = *record;
        CHfcBmp* font = m_record.head.bitmap;
        if (m_record.cellWidth == 0)
            m_record.cellWidth = font->GetWidth();
        if (m_record.cellHeight == 0)
            m_record.cellHeight = font->GetHeight() / NvSkinFrames::kFontGlyphs;
        if (m_record.cellWidth < 1 || m_record.cellHeight < 1)
            throw std::invalid_argument("empty cells");
    }
    catch (const std::exception& e)
    {
        DebugTrace("CHfcCtrlOldCharEditText::Create() - %s", e.what());
        return false;
    }
    m_font = m_record.head.bitmap;
    m_shown.clear();
    m_model.SetLengthLimit(m_record.columns + 1);
    SetRect(m_record.head.x, m_record.head.y, m_record.columns * m_record.cellWidth,
            m_record.lines * m_record.cellHeight);
    m_minimum = m_record.minimum;
    m_maximum = m_record.maximum;
    m_id = id;
    m_userValue = userValue;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlOldCharEditText::Destroy()
{
    if (m_model.IsEditing())
        FinishEditing();
    m_record = CHfcCtrlOldCharEditTextRecord();
    m_font = nullptr;
    return CHfcControl::Destroy();
}

bool CHfcCtrlOldCharEditText::Move(int32_t x, int32_t y, bool redraw)
{
    m_record.head.backgroundX = x;
    m_record.head.backgroundY = y;
    return CHfcControl::Move(x, y, redraw);
}

void CHfcCtrlOldCharEditText::SetText(const char* text, bool redraw)
{
    m_shown.assign(text ? text : "");
    const size_t cells = static_cast<size_t>(m_record.columns) * static_cast<size_t>(m_record.lines);
    if (m_shown.size() > cells)
        m_shown.resize(cells);
    if (redraw)
        SetDirty(true);
}

void CHfcCtrlOldCharEditText::SetValue(int32_t value, bool redraw)
{
    m_value = value;
    if (redraw)
        SetDirty(true);
}

void CHfcCtrlOldCharEditText::SetFont(CHfcBmp* font, bool redraw)
{
    m_font = font ? font : m_record.head.bitmap;
    if (redraw)
        SetDirty(true);
}

void CHfcCtrlOldCharEditText::EraseBackground(CHfcDrawContext* context)
{
    if (!context)
        return;
    if (m_record.head.background)
        context->DrawBitmap(m_rect, m_record.head.background, m_record.head.backgroundX,
                            m_record.head.backgroundY);
    else
        context->ClearRect(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top),
                           static_cast<float>(m_rect.GetWidth()), static_cast<float>(m_rect.GetHeight()));
}

void CHfcCtrlOldCharEditText::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    context->ClearRect(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top),
                       static_cast<float>(m_rect.GetWidth()), static_cast<float>(m_rect.GetHeight()));
    if (m_record.fillColor != 0)
    {
        const uint32_t brush = context->GetBrushColor();
        context->SetBrushColor(m_record.fillColor);
        context->FillRect(m_rect);
        context->SetBrushColor(brush);
    }
    if (m_record.head.background)
        m_record.head.DrawBackground(context, m_rect);
    const int32_t cw = m_record.cellWidth;
    const int32_t h = std::min(m_record.cellHeight, m_rect.GetHeight());
    if (!m_model.IsEditing())
    {
        size_t next = 0;
        for (int32_t line = 0; line < m_record.lines; ++line)
            for (int32_t column = 0; column < m_record.columns; ++column, ++next)
            {
                const uint8_t code = next < m_shown.size() ? static_cast<uint8_t>(m_shown[next]) : 0;
                DrawLcdGlyph(context, m_font, m_rect.left + column * cw, m_rect.top + line * h, cw, h,
                             static_cast<uint8_t>(code & 0x7F));
            }
        return;
    }
    CHfcBmp* selected = m_record.selectedFont ? m_record.selectedFont : m_font;
    const std::string& text = m_model.GetText();
    for (int32_t column = 0; column < m_record.columns; ++column)
    {
        const size_t i = static_cast<size_t>(column);
        const bool inSelection = i >= m_model.GetSelectionStart() && i < m_model.GetSelectionEnd();
        const uint8_t code = i < text.size() ? static_cast<uint8_t>(text[i]) : NvSkinGlyph::kBlank;
        DrawLcdGlyph(context, inSelection ? selected : m_font, m_rect.left + column * cw, m_rect.top, cw, h,
                     code);
    }
    if (IsCaretShown() && m_model.GetCaret() < static_cast<size_t>(m_record.columns))
        DrawLcdGlyph(context, m_font, m_rect.left + static_cast<int32_t>(m_model.GetCaret()) * cw, m_rect.top,
                     cw, h, NvSkinGlyph::kCaret);
}

CHfcKeyFocus* CHfcCtrlOldCharEditText::GetWindowKeyFocus() const
{
    return m_layer && m_layer->GetWindow() ? m_layer->GetWindow()->GetKeyFocus() : nullptr;
}

bool CHfcCtrlOldCharEditText::HoldsKeyFocus() const
{
    CHfcKeyFocus* focus = GetWindowKeyFocus();
    return focus && focus->GetListener() == this;
}

bool CHfcCtrlOldCharEditText::StartEditing()
{
    if (!m_created || m_model.IsEditing())
        return false;
    m_model.Begin(m_shown);
    if (!CreateEditChild())
    {
        m_model.End();
        DebugTrace("Failed to call Win32CreateEditText().");
        return false;
    }
    m_model.SelectAll();
    m_blink = 0;
    SetDirty(true);
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (mouse)
        mouse->SetCursor(kCursorIBeam);
    return true;
}

bool CHfcCtrlOldCharEditText::CreateEditChild()
{
    CHfcKeyFocus* focus = GetWindowKeyFocus();
    if (m_edit || !focus)
        return m_edit != nullptr;
    HWND owner = m_layer->GetWindow()->GetHwnd();
    try
    {
        HWND edit = CreateWindowExA(0, "EDIT", m_model.GetText().c_str(),
                                    WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, -40, 300, 20, owner,
                                    reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
        if (!edit)
            throw std::runtime_error("CreateWindowExA");
        SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditChildProc)));
        if (!m_editProc)
        {
            DestroyWindow(edit);
            throw std::runtime_error("SetWindowLongPtrA");
        }
        m_edit = edit;
        // The child takes the system focus first: a text entry editing before loses it there
        // and ends its edit while it still holds the key focus.
        SetFocus(edit);
        if (!focus->TrackEditWindow(this, edit))
            throw std::runtime_error("TrackEditWindow");
    }
    catch (const std::exception& e)
    {
        DebugTrace("CHfcCtrlOldCharEditText::CreateEditChild() - %s", e.what());
        LetEditChildGo();
        return false;
    }
    return true;
}

void CHfcCtrlOldCharEditText::LetEditChildGo()
{
    HWND edit = m_edit;
    if (!edit)
        return;
    m_edit = nullptr;
    if (IsWindow(edit))
    {
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_editProc));
        SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
        // Not destroyed here: this may run inside the child's own window procedure.
        PostMessageA(edit, WM_CLOSE, 0, 0);
    }
    m_editProc = nullptr;
}

void CHfcCtrlOldCharEditText::FinishEditing()
{
    m_model.End();
    LetEditChildGo();
    if (HoldsKeyFocus())
    {
        // The edit's own report follows; the focus loss is part of it.
        m_quietFocusLoss = true;
        GetWindowKeyFocus()->ReleaseKeyFocus();
        m_quietFocusLoss = false;
    }
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (mouse)
        mouse->SetCursor(0);
    SetDirty(true);
}

void CHfcCtrlOldCharEditText::EndEditing()
{
    if (HoldsKeyFocus())
        GetWindowKeyFocus()->ReleaseKeyFocus();
    if (m_model.IsEditing())
        FinishEditing();
}

bool CHfcCtrlOldCharEditText::CommitEditing()
{
    if (!m_model.IsEditing())
        return false;
    return HandleCode(CTextEditModel::kEnter, 0);
}

void CHfcCtrlOldCharEditText::Changed()
{
    m_blink = 0;
    SetDirty(true);
}

bool CHfcCtrlOldCharEditText::HandleCode(uint32_t code, uint32_t modifiers)
{
    switch (m_model.OnKeyCharacter(code, modifiers))
    {
    case CTextEditResult::Ignored:
        return false;
    case CTextEditResult::Changed:
        Changed();
        return true;
    case CTextEditResult::Commit:
    {
        const std::string text = m_model.GetText();
        m_shown = text;
        FinishEditing();
        // Last: the owner may delete the control here.
        if (m_listener)
            m_listener->OnTextChanged(this, text.c_str());
        return true;
    }
    case CTextEditResult::Cancel:
    {
        std::string old = m_model.GetOriginalText();
        const int32_t value = m_value;
        FinishEditing();
        if (m_listener)
            m_listener->OnControlEvent(this, 0, value, &old[0]);
        return true;
    }
    }
    return false;
}

bool CHfcCtrlOldCharEditText::OnKeyFocusKeyDown(uint32_t key, uint32_t modifiers)
{
    if (!m_model.IsEditing())
        return false;
    if (key >= CTextEditModel::kLeft && key <= CTextEditModel::kDown)
        return HandleCode(key, modifiers);
    if (key == VK_DELETE || key == 127)
    {
        if (m_model.DeleteForward() == CTextEditResult::Ignored)
            return false;
        Changed();
        return true;
    }
    return false;
}

bool CHfcCtrlOldCharEditText::OnKeyFocusCharacter(uint32_t character)
{
    if (!m_model.IsEditing())
        return false;
    return HandleCode(character, GetModifierKeys());
}

void CHfcCtrlOldCharEditText::OnHfcKeyFocusGot(CHfcKeyFocus*)
{
    SetDirty(true);
    if (m_listener)
        m_listener->OnControlKeyFocusGot(this);
}

void CHfcCtrlOldCharEditText::OnHfcKeyFocusLost(CHfcKeyFocus*)
{
    m_focusedPart = -1;
    if (m_model.IsEditing())
    {
        m_model.End();
        LetEditChildGo();
        CHfcMouse* mouse = CHfcMouse::GetMouse();
        if (mouse)
            mouse->SetCursor(0);
    }
    SetDirty(true);
    if (!m_quietFocusLoss && m_listener)
        m_listener->OnControlKeyFocusLost(this);
}

void CHfcCtrlOldCharEditText::OnEditChildKillFocus()
{
    if (!m_model.IsEditing())
        return;
    if (HoldsKeyFocus())
        GetWindowKeyFocus()->ReleaseKeyFocus(); // discards through OnHfcKeyFocusLost
    else
    {
        m_model.End();
        LetEditChildGo();
        SetDirty(true);
    }
}

LRESULT CALLBACK CHfcCtrlOldCharEditText::EditChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = reinterpret_cast<CHfcCtrlOldCharEditText*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // Kept before any call into the control, which may end the edit or be deleted.
    const WNDPROC previous = control->m_editProc;
    switch (message)
    {
    case WM_KEYDOWN:
    {
        uint32_t key = 0;
        switch (wParam)
        {
        case VK_LEFT:
            key = CTextEditModel::kLeft;
            break;
        case VK_UP:
            key = CTextEditModel::kUp;
            break;
        case VK_RIGHT:
            key = CTextEditModel::kRight;
            break;
        case VK_DOWN:
            key = CTextEditModel::kDown;
            break;
        case VK_DELETE:
            key = 127;
            break;
        default:
            return 0;
        }
        CHfcKeyFocus* focus = control->GetWindowKeyFocus();
        if (key == 127)
            control->OnKeyFocusKeyDown(VK_DELETE, GetModifierKeys());
        else
            control->OnHfcKeyFocusKeyDown(focus, key, 0, GetModifierKeys());
        return 0;
    }
    case WM_KEYUP:
        return 0;
    case WM_CHAR:
        control->OnHfcKeyFocusCharacter(control->GetWindowKeyFocus(), static_cast<uint32_t>(wParam));
        return 0;
    case WM_KILLFOCUS:
        control->OnEditChildKillFocus();
        break;
    default:
        break;
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

bool CHfcCtrlOldCharEditText::OnHfcMouseLeftDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!TakesPresses())
        return true;
    SetHoldTime(0);
    if (m_model.IsEditing())
    {
        if (m_model.Press(x, m_record.cellWidth) != CTextEditResult::Ignored)
            Changed();
        m_selecting = true;
        CaptureMouse();
        return true;
    }
    ReleaseKeyFocusWindow();
    if (m_listener && m_listener->OnControlLButtonDown(this, x, y, modifiers))
        return true;
    int32_t defaultValue = 0;
    if ((modifiers & kModifierControl) && m_listener && m_listener->OnQueryDefaultValue(this, &defaultValue))
        SetValue(defaultValue, true);
    m_lastY = y;
    m_running = m_reported = m_value;
    m_valueDrag = true;
    if (m_listener)
        m_listener->OnBeginEdit(this);
    CaptureMouse();
    return true;
}

bool CHfcCtrlOldCharEditText::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y,
                                                        uint32_t modifiers)
{
    if (!TakesPresses())
        return true;
    if (m_model.IsEditing())
    {
        if (m_model.SelectAll() != CTextEditResult::Ignored)
            Changed();
        return true;
    }
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CHfcCtrlOldCharEditText::OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_model.IsEditing())
    {
        m_selecting = false;
        if (mouse)
            mouse->SetCursor(kCursorIBeam);
    }
    else if (m_listener && m_listener->OnControlLButtonUp(this, x, y, modifiers))
        return true;
    ReleaseMouse();
    return true;
}

bool CHfcCtrlOldCharEditText::OnHfcMouseRightDown(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (m_model.IsEditing())
        return false;
    return m_listener && m_listener->OnControlRButtonDown(this, x, y, modifiers);
}

bool CHfcCtrlOldCharEditText::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    if (!HasCapture())
        return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
    SetHoldTime(kHoldOutOfReachMs);
    if (m_model.IsEditing())
    {
        if (m_selecting && m_model.Drag(x, m_record.cellWidth) != CTextEditResult::Ignored)
            Changed();
        return true;
    }
    if (!m_valueDrag)
        return true;
    m_running = KnobVerticalDrag(m_running, m_lastY, y, m_record.step, (modifiers & kModifierShift) != 0);
    m_lastY = y;
    const int32_t value =
        ClampToRange(m_running, std::min(m_minimum, m_maximum), std::max(m_minimum, m_maximum));
    if (value != m_reported)
    {
        m_reported = value;
        if (m_listener)
            m_listener->OnValueChanged(this, value);
    }
    return true;
}

bool CHfcCtrlOldCharEditText::OnHfcMouseCaptureLost(CHfcMouse*)
{
    m_selecting = false;
    if (!m_valueDrag)
        return true;
    m_valueDrag = false;
    if (m_listener)
    {
        CHfcControlListener* listener = m_listener;
        listener->OnEndEdit(this);
        listener->OnControlCaptureLost(this);
    }
    return true;
}

void CHfcCtrlOldCharEditText::Tick(int32_t elapsedMs)
{
    if (m_model.IsEditing())
    {
        const bool shown = IsCaretShown();
        m_blink = (m_blink + std::max(0, elapsedMs)) % (2 * kBlinkHalfPeriodMs);
        if (shown != IsCaretShown())
            SetDirty(true);
    }
    else if (m_valueDrag && HasCapture())
        AddHoldTime(elapsedMs);
    Redraw(false);
}
