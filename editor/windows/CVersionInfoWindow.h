#pragma once

#include "editor/windows/CUtilityWindow.h"

class CVersionInfoLayer;

// The program's version on the skin's version picture. Window thread only.
class CVersionInfoWindow : public CUtilityWindow
{
public:
    enum : int32_t
    {
        kWidth = 342,
        kHeight = 279,
    };

    CVersionInfoWindow();
    bool Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame);
    using CBaseWindow::Create;
    CVersionInfoLayer* GetLayer() const;

protected:
    std::unique_ptr<CUtilityLayer> MakeLayer() override;
    bool CreateLayerControls(CUtilityLayer& layer) override;
    // Nothing of a transfer reaches it: it closes at once.
    bool StaysWhileBusy() const override { return false; }
};
