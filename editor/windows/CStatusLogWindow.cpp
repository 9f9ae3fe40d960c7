#include "editor/windows/CStatusLogWindow.h"

#include "app/CSettings.h"
#include "editor/windows/CStatusLogLayer.h"

CStatusLogWindow::CStatusLogWindow()
    : CUtilityWindow(kKindStatusLog, &GetSettings().statusLogWindowShow, &GetSettings().statusLogWindowX,
                     &GetSettings().statusLogWindowY)
{
}

bool CStatusLogWindow::Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame)
{
    if (!CreateUtility(x, y, kWidth, kHeight, 9, frame, "Status", L"Log"))
        return false;
    SetTopMost();
    GetLayer()->RefreshLines();
    return true;
}

CStatusLogLayer* CStatusLogWindow::GetLayer() const
{
    return static_cast<CStatusLogLayer*>(GetUtilityLayer());
}

std::unique_ptr<CUtilityLayer> CStatusLogWindow::MakeLayer()
{
    return std::make_unique<CStatusLogLayer>();
}

bool CStatusLogWindow::CreateLayerControls(CUtilityLayer& layer)
{
    return static_cast<CStatusLogLayer&>(layer).CreateControls();
}
