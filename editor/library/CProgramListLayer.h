#pragma once

#include "editor/base/CBaseLayer.h"
#include "editor/library/model/CProgramListModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CHfcBmp;
class CLibraryData;

// The program page of a library window: the 128 programs of its program set as rows in the
// list mode of the document, the bank tabs, the selected program's number, and the mode
// switches; the selection by mouse and keys goes through the program list model. Rows are
// drawn from the model's redraw flags on the 60 ms tick or at once after a change. Window
// thread only.
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

    void RefreshValues() override;
    void ReceiveAll() override;
    void TransmitAll() override;
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseRightDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcKeyDown(CHfcKey* key, uint32_t code, uint32_t flags) override;

private:
    void DrawRow(uint32_t n);
    void DrawTabs();
    void DrawSelectionDisplay();
    void DrawSwitches();
    // Which of the two mode switches is under (x, y): 1, 0, or -1.
    int32_t HitTestModeSwitch(int32_t x, int32_t y) const;
    void MarkModified();

    CLibraryData& m_library;
    std::unique_ptr<CProgramListModel> m_model;
    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_font = nullptr;      // LcdCharWhite
    CHfcBmp* m_largeFont = nullptr; // LcdCharLargeWhite
    CHfcBmp* m_switch = nullptr;    // SwitchOnOff
    int32_t m_switchFrameHeight = 0;
    bool m_fullRedraw = true;
    std::function<void(uint32_t)> m_openEditWindow;
};
