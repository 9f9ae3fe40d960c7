#include "editor/windows/CMidiMonitorWindow.h"

#include "app/CMidiManager.h"
#include "app/CSettings.h"
#include "editor/base/CEditorServices.h"
#include "editor/windows/CMidiMonitorLayer.h"

CMidiMonitorWindow::CMidiMonitorWindow()
    : CUtilityWindow(kKindMidiMonitor, &GetSettings().midiMonitorWindowShow,
                     &GetSettings().midiMonitorWindowX, &GetSettings().midiMonitorWindowY)
{
}

bool CMidiMonitorWindow::Create(int32_t x, int32_t y, CHfcMdiFrameWindow* frame)
{
    if (!CreateUtility(x, y, kWidth, kHeight, 9, frame, "Midi Monitor", L"MIDI Monitor"))
        return false;
    if (CMidiManager* midi = EditorServices().midiManager)
        midi->SetMidiMonitorShown(true);
    return true;
}

CMidiMonitorLayer* CMidiMonitorWindow::GetLayer() const
{
    return static_cast<CMidiMonitorLayer*>(GetUtilityLayer());
}

std::unique_ptr<CUtilityLayer> CMidiMonitorWindow::MakeLayer()
{
    return std::make_unique<CMidiMonitorLayer>();
}

bool CMidiMonitorWindow::CreateLayerControls(CUtilityLayer& layer)
{
    return static_cast<CMidiMonitorLayer&>(layer).CreateControls();
}

void CMidiMonitorWindow::OnClosing()
{
    if (CMidiManager* midi = EditorServices().midiManager)
        midi->SetMidiMonitorShown(false);
}
