#pragma once

#include "editor/windows/CUtilityWindow.h"

class CStatusLogLayer;

// The status log: the log's nine newest lines, kept on top of the other windows. Window thread
// only.
class CStatusLogWindow : public CUtilityWindow
{
public:
    enum : int32_t
    {
        kWidth = 600,
        kHeight = 178,
    };

    CStatusLogWindow();
    // At the saved position (x, y), showing the lines the log holds already.
    bool Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame);
    using CBaseWindow::Create;
    CStatusLogLayer* GetLayer() const;

protected:
    std::unique_ptr<CUtilityLayer> MakeLayer() override;
    bool CreateLayerControls(CUtilityLayer& layer) override;
};
