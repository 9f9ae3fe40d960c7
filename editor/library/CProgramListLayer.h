#pragma once

#include "editor/base/CBaseLayer.h"
#include "editor/library/model/CProgramListDragHover.h"
#include "editor/library/model/CProgramListModel.h"
#include "foundation/CHfcRect.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CHfcBmp;
class CHfcDragData;
class CLibraryData;
class CProgramListOperations;

// The program page of a library window: the 128 programs of its program set as rows in the
// list mode of the document, the bank tabs, the selected program's number, its buttons and
// switches; the selection by mouse and keys goes through the program list model, the
// operations on programs (menu commands, keys, the program popup) through
// CProgramListOperations, and programs move by OLE drag and drop within and between lists.
// Rows are drawn from the model's redraw flags on the 60 ms tick or at once after a change.
// Window thread only.
class CProgramListLayer : public CBaseLayer
{
public:
    enum : int32_t
    {
        kWidth = 794,
        kHeight = 538,
    };
    enum : uint32_t
    {
        kSelectionColour = 0xFF2F5E9E,
        kHeldColour = 0xFF2C4A2C,
        kDropColour = 0xFFFFD040,
        kSeparatorColour = 0xFF5A6A7A,
        kNumberCellColour = 0xFF1A2430,
        kTabColour = 0xFFB0B8C0,
    };

    // The buttons and switches above and under the list, in the order of their ids.
    enum Button : int32_t
    {
        kButtonNone = -1,
        kButtonEdit,
        kButtonInformation,
        kButtonMode1,
        kButtonMode0,
        kButtonView,
        kButtonReceive,
        kButtonTransmit,
        kButtonAutoDump,
        kButtonCategoryHold,
        kButtonCount,
    };

    explicit CProgramListLayer(CLibraryData& library);
    ~CProgramListLayer() override;

    bool Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window) override;
    using CBaseLayer::Create;

    CProgramListModel& GetModel() { return *m_model; }
    // A fresh model over the document (after it was replaced): its view settings, no selection.
    void Rebind();
    // Mode 0, 1 or 2: the switches, the bank of the first selected program and every row.
    void SetListMode(uint32_t mode);
    void ShowBank(uint32_t bank);
    // The background, every row of the shown bank, the tabs and the selection display.
    void DrawAll();
    // Rows flagged for redraw (all with full), then the tabs and the selection display when
    // anything changed; the changed rectangles are recomposed now.
    void DrawChanged(bool full);
    // What the selection display shows: the number ("A11" or dashes).
    std::string GetSelectionText() const { return m_model->GetSelectionNumberText(); }
    // Opens the edit window of program n (a double click on its row).
    void SetEditWindowHandler(std::function<void(uint32_t)> handler)
    {
        m_openEditWindow = std::move(handler);
    }
    // Closes the edit window of program n, or every one for -1.
    void SetCloseEditWindowHandler(std::function<void(int32_t)> handler)
    {
        m_closeEditWindow = std::move(handler);
    }
    CProgramListOperations& GetOperations() { return *m_operations; }

    // The window's commands on the program page.
    void Cut();
    void Copy();
    void Paste();
    void Initialize();
    // The press and release of a button (what a click on it does).
    void PressButton(Button button);
    // Where a button sits in the layer; empty for kButtonNone.
    static CHfcRect GetButtonRect(Button button);
    Button HitTestButton(int32_t x, int32_t y) const;
    // The automatic dump: program n to the instrument's current program.
    void RunAutoDump(uint32_t n);
    bool IsDragging() const { return m_dragging; }
    // A drag of this list's programs is running.
    bool IsBusy() const override { return m_dragSource; }

    void RefreshValues() override;
    void ExportText() override;
    void ReceiveCurrent() override;
    void TransmitCurrent() override;
    void ReceiveProgram() override;
    void WriteProgram() override;
    void ReceiveAll() override;
    void TransmitAll() override;
    void RestoreProgram() override;
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcKeyCharacter(CHfcKey* key, uint32_t code, uint32_t flags) override;

    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDragLeave(CHfcDragData* data) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

private:
    class CHost;

    // A fresh operations object over the current model.
    void MakeOperations();
    // The drag of the selected programs from the press on a row.
    void RunProgramDrag();
    // Whether a drag offers programs in the program item format.
    bool IsProgramDrag(const CHfcDragData* data) const;
    bool IsInLayer(int32_t x, int32_t y) const;
    // The effect a drop at (x, y) would have, and the operation behind it.
    CProgramDropOperation GetDropOperation(uint32_t modifiers) const;
    // The end of a drag over the list: no drop highlight, every row drawn.
    void EndDragOver();
    void CloseEditWindow(int32_t n);
    // Every program of the document was replaced: its edit windows close, every row is drawn.
    bool ReplaceAll(intptr_t document);
    void ShowViewPopup();
    void ShowCategoryHoldPopup();
    // Recomposed at once with now, else with the next full recomposition.
    void DrawButtons(bool now);
    void DrawRow(uint32_t n);
    void DrawTabs();
    void DrawSelectionDisplay();
    void MarkModified();

    CLibraryData& m_library;
    std::unique_ptr<CProgramListModel> m_model;
    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_font = nullptr;      // LcdCharWhite
    CHfcBmp* m_largeFont = nullptr; // LcdCharLargeWhite
    CHfcBmp* m_buttonBitmaps[kButtonCount] = {};
    bool m_fullRedraw = true;
    std::function<void(uint32_t)> m_openEditWindow;
    std::function<void(int32_t)> m_closeEditWindow;
    std::unique_ptr<CHost> m_host;
    std::unique_ptr<CProgramListOperations> m_operations;
    Button m_pressedButton = kButtonNone;
    bool m_dragging = false;   // a drag is over the list
    bool m_dragSource = false; // a drag from the list runs
    CProgramListDragHover m_hover;
    int32_t m_hoverX = 0, m_hoverY = 0;
};
