#pragma once

#include <windows.h>

class CHfcWindow;

// The framework's application object. The process has one, reached through GetApp(); its Run
// owns the message loop of the window thread.
class CHfcAppBase
{
public:
    CHfcAppBase();
    CHfcAppBase(const CHfcAppBase&) = delete;
    CHfcAppBase& operator=(const CHfcAppBase&) = delete;
    virtual ~CHfcAppBase();

    // The first application object constructed and not yet destroyed, or null.
    static CHfcAppBase* GetApp();

    // The module whose resources and window classes the framework uses (the foundation's
    // instance handle); the program's own module until HfcRun records one.
    static void SetInstanceHandle(HINSTANCE instance);
    static HINSTANCE GetInstanceHandle();

    // Creates (or adds a reference to) the mouse and key singletons.
    virtual bool Init();
    // Releases the key singleton, then the mouse singleton.
    virtual bool Exit();
    // Init, the accelerators, the message loop until WM_QUIT or a GetMessage failure, Exit;
    // returns the quit code, -1 after a GetMessage failure, 0 when Init fails.
    virtual int Run();

    // The menu command handler: 0 handled, 1 not handled.
    virtual LRESULT OnCommand(UINT message, WPARAM wParam, LPARAM lParam);
    // The accelerator table's resource name; null for none.
    virtual const char* GetAcceleratorName();
    virtual HACCEL LoadAccelerators();
    // Translates accelerators for the main window; true when the message was not consumed.
    virtual bool PreTranslateMessage(MSG* message);

    void SetMainWindow(CHfcWindow* window) { m_mainWindow = window; }
    CHfcWindow* GetMainWindow() const { return m_mainWindow; }
    HACCEL GetAccelerators() const { return m_accelerators; }

protected:
    CHfcWindow* m_mainWindow = nullptr; // not owned
    HACCEL m_accelerators = nullptr;
};

// The class the program's application derives from.
class CHfcApp : public CHfcAppBase
{
};

// The framework's run function: records the module instance and runs the application object;
// without one it shows "Failed to create application instance" and returns 0.
int HfcRun(HINSTANCE instance);
