#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlPageButton.h"

#include <functional>

// Page tabs bound to a parameter or a view: the value is the selected page. With the record's
// acceptsDrags set, a drag held over one tab for more than 800 ms reports that tab once, as a
// press would, so a drag can reach another page.
class CCustomPageButton : public CHfcCtrlPageButton, public CCustomControl
{
public:
    static constexpr uint32_t kHoverSwitchMs = 800;
    // The pointer in screen coordinates; GetCursorPos unless a test sets another.
    using CursorSource = std::function<POINT()>;

    CCustomPageButton();
    bool Create(const CHfcCtrlPageButtonRecord* record, uint32_t id, uint32_t eventKind);
    // Runs the hover switching with the milliseconds since the last call.
    void Update(uint32_t elapsedMs);
    using CHfcControl::Update;
    void SetCursorSource(CursorSource source) { m_cursor = std::move(source); }
    bool IsDragHovered() const { return m_dragHover; }
    int32_t GetHoveredPage() const { return m_hoverPage; }

    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDragLeave(CHfcDragData* data) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_value; }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    int32_t GetMaximum() override { return m_maximum; }
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypePageButton; }

protected:
    bool TakesPresses() const override { return m_customEnabled; }

private:
    bool AcceptsDrags() const { return GetRecord().acceptsDrags != 0; }
    void StopHover();

    CursorSource m_cursor;
    bool m_dragHover = false;
    uint32_t m_clock = 0; // the milliseconds Update was given, summed
    int32_t m_hoverPage = -1;
    uint32_t m_hoverStart = 0;
    bool m_hoverArmed = false;
};
