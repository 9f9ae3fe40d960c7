#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CCustomMenu;
class CLogManager;
class CMidiManager;
class CMMTimer;
class CWindowManager;

// The popup menus an edit layer opens (the value list of a list parameter, the knob-assign
// menu), behind a seam so that tests answer them. Window thread only.
class CEditorPopupPresenter
{
public:
    virtual ~CEditorPopupPresenter() = default;
    // One item per text at the point (window client coordinates); the item `checked` carries the
    // check mark. The chosen item's index, or -1 when dismissed.
    virtual int32_t ChooseItem(HWND window, int32_t x, int32_t y, const std::vector<std::string>& items,
                               int32_t checked);
    // The same with wide texts and any number of check marks (bit i checks item i).
    virtual int32_t ChooseCheckedItem(HWND window, int32_t x, int32_t y,
                                      const std::vector<std::wstring>& items, uint32_t checkedMask);
    // The knob-assign menu (CKnobAssignMenu) for a parameter whose value is `current`, the LFO
    // frequency items named for tempo sync while their LFO is synchronised: the value chosen,
    // or -1.
    virtual int32_t ChooseKnobAssignment(HWND window, int32_t x, int32_t y, int32_t current, bool lfo1Synced,
                                         bool lfo2Synced);
};

// The application's objects that editor windows and layers use. The editor fills it from the
// application object before it opens a window; a test fills it with its own. Any pointer may be
// null: what needs it then does nothing. Window thread only.
struct CEditorServices
{
    CWindowManager* windowManager = nullptr;
    CMMTimer* timer = nullptr;
    CMidiManager* midiManager = nullptr;
    CCustomMenu* customMenu = nullptr;
    CLogManager* logManager = nullptr;
    CEditorPopupPresenter* popups = nullptr; // null: the real popup menus
};

// The process-wide services record.
CEditorServices& EditorServices();
// The popup presenter in use: the services' one, or the real menus.
CEditorPopupPresenter& EditorPopups();
