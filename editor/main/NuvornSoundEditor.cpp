// The program's entry point: wires the editor to the application core and runs it.

#include "app/CAppMain.h"
#include "editor/CEditor.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace
{
// The framework's run function finds the application object as the first one constructed.
CEditor g_editor;
CAppMain g_app(g_editor);

// The arguments as wide text, so that paths in any script open.
std::vector<std::wstring> GetArguments()
{
    std::vector<std::wstring> arguments;
    int count = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count))
    {
        arguments.assign(argv, argv + count);
        LocalFree(argv);
    }
    return arguments;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_app.SetArguments(GetArguments());
    const int code = HfcRun(instance);
    // A start-up that failed has shown why; the process says so too.
    return g_app.HasStartupFailed() ? 1 : code;
}
