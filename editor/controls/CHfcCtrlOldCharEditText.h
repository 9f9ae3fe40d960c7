#pragma once

#include "editor/math/CTextEditModel.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcCtrlRecordHead.h"

#include <string>

struct CHfcCtrlOldCharEditTextRecord
{
    CHfcCtrlRecordHead head; // bitmap: the font; the size is the grid's
    int32_t cellWidth = 0;   // 0: the font's width
    int32_t cellHeight = 0;  // 0: the font's height / 128
    int32_t lines = 1;
    int32_t columns = 0;
    int32_t minimum = 0; // the value mode's positions
    int32_t maximum = 0;
    int32_t step = 1;
    CHfcBmp* selectedFont = nullptr; // null: the font
    int32_t reserved = 0;
    uint32_t fillColor = 0; // ARGB; 0 = none
};

// LCD text that is edited in place. Not editing, it shows its text and is dragged (and
// wheeled) like a knob in its vertical mode. StartEditing copies the text into the edit
// model and gives the keyboard to a hidden EDIT child window of the control's own, which the
// window's key-focus object adopts as its focus; the child's keys come back here. Enter
// commits (OnTextChanged with the edited text), Escape discards (OnControlEvent 0 with the
// old text), losing the focus discards without a report. The report is always the last thing
// the control does, since the owner may delete it there: the EDIT child is let go (its own
// window procedure back, then destroyed by a posted message) before it. Window thread only.
class CHfcCtrlOldCharEditText : public CHfcControl
{
public:
    static constexpr int32_t kBlinkHalfPeriodMs = 250;
    static constexpr int32_t kCursorIBeam = 4;

    CHfcCtrlOldCharEditText() = default;
    ~CHfcCtrlOldCharEditText() override;

    // False for a null record or font or a grid without cells.
    bool Create(const CHfcCtrlOldCharEditTextRecord* record, uint32_t id, uint32_t userValue);
    bool Destroy() override;
    bool Move(int32_t x, int32_t y, bool redraw) override;
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    void SetText(const char* text, bool redraw) override;
    const std::string& GetShownText() const { return m_shown; }
    void SetValue(int32_t value, bool redraw) override;
    // The font drawn from now on (the dim look); null keeps the record's.
    void SetFont(CHfcBmp* font, bool redraw);
    // The longest text typed in, counting the terminating byte (1..1024; Create sets columns
    // + 1). A name field sets its name's length + 1.
    void SetTextLimit(int32_t limit) { m_model.SetLengthLimit(limit); }

    // False when already editing or when the EDIT child cannot be made.
    bool StartEditing();
    // Ends editing without committing or reporting.
    void EndEditing();
    // Ends editing and reports the edited text, as Enter does; false when not editing.
    bool CommitEditing();
    bool IsEditing() const { return m_model.IsEditing(); }
    const CTextEditModel& GetModel() const { return m_model; }
    HWND GetEditWindow() const { return m_edit; }
    // The elapsed milliseconds: the caret's blink while editing, the hold time while pressed.
    void Tick(int32_t elapsedMs);
    bool IsCaretShown() const { return m_blink < kBlinkHalfPeriodMs; }

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

    void OnHfcKeyFocusGot(CHfcKeyFocus* focus) override;
    void OnHfcKeyFocusLost(CHfcKeyFocus* focus) override;
    bool OnKeyFocusKeyDown(uint32_t key, uint32_t modifiers) override;
    bool OnKeyFocusKeyRepeat(uint32_t key, uint32_t modifiers) override
    {
        return OnKeyFocusKeyDown(key, modifiers);
    }
    bool OnKeyFocusCharacter(uint32_t character) override;

protected:
    // Whether presses reach the control (an editor control ignores them while disabled).
    virtual bool TakesPresses() const { return true; }
    CHfcCtrlOldCharEditTextRecord m_record;

private:
    static LRESULT CALLBACK EditChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    CHfcKeyFocus* GetWindowKeyFocus() const;
    bool HoldsKeyFocus() const;
    bool CreateEditChild();
    // Gives the child its own procedure back and posts its destruction.
    void LetEditChildGo();
    // One code of the key table; a commit or a cancel reports last.
    bool HandleCode(uint32_t code, uint32_t modifiers);
    // Ends editing: the child let go, the key focus released without a report.
    void FinishEditing();
    void Changed();
    void OnEditChildKillFocus();

    CHfcBmp* m_font = nullptr;
    std::string m_shown;
    CTextEditModel m_model;
    int32_t m_blink = 0;
    HWND m_edit = nullptr;
    WNDPROC m_editProc = nullptr;
    bool m_quietFocusLoss = false;
    bool m_valueDrag = false;
    bool m_selecting = false;
    int32_t m_lastY = 0;
    int32_t m_running = 0;
    int32_t m_reported = 0;
};
