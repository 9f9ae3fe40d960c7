// The program's entry point: wires the editor to the application core and runs it.

#include "app/CAppMain.h"
#include "editor/CEditor.h"

#include <windows.h>

namespace
{
// The framework's run function finds the application object as the first one constructed.
CEditor g_editor;
CAppMain g_app(g_editor);
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return HfcRun(instance);
}
