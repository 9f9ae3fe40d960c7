#include "editor/windows/CVersionInfoWindow.h"

#include "editor/windows/CVersionInfoLayer.h"

CVersionInfoWindow::CVersionInfoWindow() : CUtilityWindow(kKindVersion, nullptr, nullptr, nullptr) {}

bool CVersionInfoWindow::Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame)
{
    return CreateUtility(x, y, kWidth, kHeight, 1, frame, "Version", L"Version");
}

CVersionInfoLayer* CVersionInfoWindow::GetLayer() const
{
    return static_cast<CVersionInfoLayer*>(GetUtilityLayer());
}

std::unique_ptr<CUtilityLayer> CVersionInfoWindow::MakeLayer()
{
    return std::make_unique<CVersionInfoLayer>();
}

bool CVersionInfoWindow::CreateLayerControls(CUtilityLayer& layer)
{
    return static_cast<CVersionInfoLayer&>(layer).CreateControls();
}
