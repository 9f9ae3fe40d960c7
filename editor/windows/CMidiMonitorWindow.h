#pragma once

#include "editor/windows/CUtilityWindow.h"

class CMidiMonitorLayer;

// The MIDI monitor: the last message received from the instrument and the last one sent, as
// the MIDI manager writes them while the window is open. Window thread only.
class CMidiMonitorWindow : public CUtilityWindow
{
public:
    enum : int32_t
    {
        kWidth = 600,
        kHeight = 178,
    };

    CMidiMonitorWindow();
    // At the saved position (x, y); the MIDI manager starts writing the lines.
    bool Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame);
    using CBaseWindow::Create;
    CMidiMonitorLayer* GetLayer() const;

protected:
    std::unique_ptr<CUtilityLayer> MakeLayer() override;
    bool CreateLayerControls(CUtilityLayer& layer) override;
    // The MIDI manager stops writing (under its lock) before the window goes.
    void OnClosing() override;
};
