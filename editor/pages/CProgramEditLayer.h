#pragma once

#include "editor/controls/CCustomBitmapList.h"
#include "editor/controls/CCustomButton.h"
#include "editor/controls/CCustomDragReceiver.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/controls/CCustomLed.h"
#include "editor/controls/CCustomStaticText.h"
#include "editor/controls/CCustomSwitch.h"
#include "editor/graphs/CCustomEqGraph.h"
#include "editor/graphs/CCustomValueBar.h"
#include "editor/graphs/CXBCtrlFilterGraph.h"
#include "editor/pages/CEditPageLayer.h"

#include <array>
#include <string>

class CProgramEditWindow;

// The program page: the program's name (typed in place), tempo, octave, scale, split and the
// voice mode, both timbres in short (waves, modulation, mixer levels, filter and EQ curves,
// knob assignments), the arpeggiator, vocoder and master-effect states as text lines, and the
// buttons and areas that open the section editors. Parameter controls take the value path;
// the mixer bars only show their levels. Timbre 2's parts work only while Voice Mode is not
// Single, the vocoder button only while the vocoder is on. Window thread only.
class CProgramEditLayer : public CEditPageLayer
{
public:
    // The page's control codes (the framework controls' user values).
    enum : uint32_t
    {
        kCodeValue = 0,
        kCodeSwitch = 1,
        kCodeLed = 2,
        kCodeBitmapList = 3,
        kCodeEqGraph = 7,
        kCodeFilterA = 8,
        kCodeFilterB = 9,
        kCodeDropArea = 10,
        kCodeSynthEdit1 = 0x101,
        kCodeSynthEdit2 = 0x102,
        kCodeEqEdit1 = 0x103,
        kCodeEqEdit2 = 0x104,
        kCodeArpEdit = 0x105,
        kCodeVocoderEdit = 0x106,
        kCodeMasterFxEdit = 0x107,
        kCodeMixerBar = 0x108,
        kCodeName = 0x109,
        kCodeStatusLine = 0x10a,
        kCodeKnobAssign = 0x10b,
        kNameLength = 8,
    };

    CProgramEditLayer();
    bool CreateControls() override;
    void RefreshAllControls() override;
    void RefreshValues() override;
    void RefreshOne(uint32_t id) override;

    void OnValueChanged(CHfcControl* control, int32_t value) override;
    // The program name, from the name field.
    void OnTextChanged(CHfcControl* control, const char* text) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnControlLButtonDblClk(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    // The name as typed: taken when every byte is printable ASCII (32..126), its first 8
    // characters written and sent; false (nothing changed, nothing sent) otherwise.
    bool SetProgramName(const char* text);
    // The knob-assignment menu of a Knob N Assign text at the point (layer coordinates).
    void ChooseKnobAssignment(CHfcControl* control, int32_t x, int32_t y);
    // A double click on the page at (x, y): the editor of the area under it, if any.
    void OpenEditorAt(int32_t x, int32_t y);
    // Ends a name edit in progress, committing what was typed.
    void EndTextEntry();
    bool StartNameEditing();
    // A block dropped on a section area (0 timbre 1, 1 timbre 2, 2 arpeggiator, 3 vocoder, 4
    // master-effect set): pasted there; a timbre moved from the other timbre swaps the two. A
    // drop that changes nothing marks and sends nothing. False for a block the area refuses.
    bool DropBlock(uint32_t area, const CBlockData& block, bool move);
    // A section block on its area: a copy, but a timbre dragged from this page without Control is
    // a move (the timbres change places); none for another kind or timbre 2's area while it is off.
    uint32_t GetBlockDropEffect(CHfcControl* control, const CBlockData& block, int32_t mode) const override;
    bool OnDropBlock(CHfcControl* control, CHfcDragData* data, const CBlockData& block,
                     int32_t mode) override;
    // The status line's text (0..5) for the program.
    std::string MakeStatusLine(uint32_t line) const;

    CCustomEditText& GetNameField() { return m_name; }

private:
    CProgramEditWindow* GetEditWindow() const;
    void OpenEditorOfCode(uint32_t code);
    bool IsTimbre2Enabled() const;
    bool IsVocoderOn() const;
    // Asks the window to close the editors the rules turn off, after this message.
    void CheckDisabledEditors();
    void RefreshEqGraph(uint32_t id);
    void RefreshFilterGraph(uint32_t id);
    bool CreateButtons();
    bool CreateLists();
    bool CreateTexts();
    bool CreateSwitchesAndLeds();
    bool CreateBarsAndGraphs();
    bool CreateStatusLines();
    bool CreateDropAreas();

    std::array<CCustomButton, 7> m_buttons;
    CCustomBitmapList m_voiceMode;
    std::array<CCustomBitmapList, 8> m_lists; // waves, then modulation
    CCustomEditText m_name;
    std::array<CCustomEditText, 6> m_valueTexts;
    std::array<CCustomEditText, 6> m_knobTexts;
    std::array<CCustomSwitch, 2> m_switches;
    std::array<CCustomLed, 4> m_voiceModeLeds;
    std::array<CCustomValueBar, 6> m_mixerBars;
    std::array<CCustomEqGraph, 2> m_eqGraphs;
    std::array<CCustomTolvexFilterA, 2> m_filterA;
    std::array<CCustomTolvexFilterB, 2> m_filterB;
    std::array<CCustomStaticText, 6> m_statusLines;
    std::array<CCustomDragReceiver, 5> m_dropAreas; // kDropAreas' order
    // The EQ inputs each graph last drew (255: nothing drawn yet).
    int32_t m_eqDrawn[2][4];
    // The block drag from this page in progress, -1 when none.
    int32_t m_draggedId = -1;
    // The last press on the name field, for its double click.
    DWORD m_namePressTime = 0;
    bool m_namePressed = false;
};
