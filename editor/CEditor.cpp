#include "editor/CEditor.h"

CLibraryWindowInterface* CEditor::CreateLibraryWindow(CHfcMdiFrameWindow*, const std::wstring&)
{
    return nullptr;
}

void CEditor::OpenMidiMonitorWindow(CHfcMdiFrameWindow*) {}

void CEditor::OpenStatusLogWindow(CHfcMdiFrameWindow*) {}

void CEditor::OpenVersionWindow(CHfcMdiFrameWindow*) {}

void CEditor::CloseUtilityWindows() {}

bool CEditor::GetUtilityWindowState(UtilityWindow, bool&, int32_t&, int32_t&)
{
    return false;
}

CEditorWindowInterface* CEditor::GetEditorWindow(CHfcMdiChildWindow*)
{
    return nullptr;
}
