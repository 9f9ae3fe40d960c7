#include "editor/CEditor.h"

CLibraryWindowInterface* CEditor::CreateLibraryWindow(CHfcMdiFrameWindow*, const std::wstring&)
{
    return nullptr;
}

void CEditor::OpenMidiMonitorWindow(CHfcMdiFrameWindow*) {}

void CEditor::OpenStatusLogWindow(CHfcMdiFrameWindow*) {}

void CEditor::OpenVersionWindow(CHfcMdiFrameWindow*) {}

void CEditor::CloseUtilityWindows() {}

CEditorWindowInterface* CEditor::GetEditorWindow(CHfcMdiChildWindow*)
{
    return nullptr;
}
