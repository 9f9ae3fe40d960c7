#pragma once

#include "editor/base/CBaseWindow.h"

#include <cstdint>

class CUtilityLayer;

// A window of the Window and Help menus (MIDI monitor, status log, version): no data, one
// layer, its saved position and shown setting when it has them. A close by the user is refused
// while a transfer runs (unless StaysWhileBusy says otherwise) and then records that the window
// is closed; a close at shutdown leaves the recorded state as it was. Window thread only.
class CUtilityWindow : public CBaseWindow
{
public:
    // showSetting, xSetting, ySetting: the settings it keeps, or null.
    CUtilityWindow(uint32_t kind, int32_t* showSetting, int32_t* xSetting, int32_t* ySetting);

    // Creates the window at (x, y) with the client size, the creation title, the style flags and
    // then the window title; registers it with the window manager and sets the shown setting.
    bool CreateUtility(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                       CHfcMdiFrameWindow* frame, const char* creationTitle, const wchar_t* title);
    bool CanClose() override;
    // Closes without touching the recorded state.
    void CloseForShutdown();
    CUtilityLayer* GetUtilityLayer() const;

protected:
    // Makes the window's layer and its controls over the client area.
    virtual std::unique_ptr<CUtilityLayer> MakeLayer() = 0;
    virtual bool CreateLayerControls(CUtilityLayer& layer) = 0;
    bool OnCreate() override;
    bool OnDestroy() override;
    void OnPositionChanged() override;
    // Before the window is forgotten, by a user close or at shutdown.
    virtual void OnClosing() {}
    // Whether a user close waits for the end of a transfer.
    virtual bool StaysWhileBusy() const { return true; }

private:
    int32_t* m_showSetting;
    int32_t* m_xSetting;
    int32_t* m_ySetting;
    int32_t m_width = 0;
    int32_t m_height = 0;
    bool m_shuttingDown = false;
};
