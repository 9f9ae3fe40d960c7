#pragma once

#include "framework/CHfcAppBase.h"
#include "framework/CPslMessageDispatchListener.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBlockAccessor;
class CCustomMenu;
class CEditorInterface;
class CFileManager;
class CGlobal;
class CHfcClipboard;
class CHfcMenuBar;
class CHfcMidi;
class CLogManager;
class CMdiFrameWindow;
class CMidiManager;
class CMMTimer;
class CProgram;
class CPslMessageDispatchEngine;
class CWindowManager;

// Fits the saved main-window rectangle into a work area of areaWidth x areaHeight: moved in
// first, then cut to the area.
void ClampToWorkArea(int32_t& x, int32_t& y, int32_t& width, int32_t& height, int32_t areaWidth,
                     int32_t areaHeight);

// The editor's application object. Creates every process-wide object in a fixed order, opens the
// main frame and the first library window, routes the menu and accelerator commands and tears
// everything down in reverse order at exit. Window thread only; one instance per process.
class CAppMain : public CHfcApp, public CPslMessageDispatchListener
{
public:
    enum : uint32_t
    {
        kMessageOpenFirstLibrary = 28, // posted to itself once the message loop runs
    };

    // `editor` outlives the application object.
    explicit CAppMain(CEditorInterface& editor);
    ~CAppMain() override;

    // The application object of the process, or null.
    static CAppMain* GetAppMain();

    // The program's arguments, the program's own path first.
    void SetArguments(std::vector<std::wstring> arguments) { m_arguments = std::move(arguments); }

    // A failure shows "Failed to initialize the application. : <reason>" once, undoes what was
    // made and answers false.
    bool Init() override;
    bool Exit() override;
    // True after a start-up that failed: the process then ends with code 1.
    bool HasStartupFailed() const { return m_startupFailed; }

    LRESULT OnCommand(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* GetAcceleratorName() override { return "Accelerators"; }
    bool OnDispatch(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) override;

    // One command by id; false when refused or unknown.
    bool ExecuteCommand(UINT id);
    // True only while no message box or dialog is open.
    static bool IsCommandAllowed();

    // A new "Untitled" library window with empty data; with receive, it offers to receive all
    // data once the message loop runs.
    bool NewLibrary(bool receive);
    // A new library window that opens the all-data file; destroyed when the open fails.
    bool OpenLibraryFile(const std::wstring& path);
    // Opens the all-data files among the arguments (the program's own path, switches and other
    // files skipped); true when at least one opened.
    bool OpenCommandLineFiles();
    void ToggleShowValues();
    void SelectAdjacentProgram(int32_t step);
    // Whether start-up has finished: its first library window is open and the receive it offers
    // has ended (files dropped before are ignored).
    bool IsStartupFinished() const { return m_closeAllowed; }
    // A library window has opened: Close Window is taken and start-up has finished.
    void SetLibraryReady() { m_closeAllowed = m_libraryOpened = true; }

    CEditorInterface& GetEditor() const { return m_editor; }
    CMdiFrameWindow* GetFrame() const { return m_frame.get(); }
    CCustomMenu* GetCustomMenu() const { return m_customMenu.get(); }
    CHfcMenuBar* GetEmptyMenuBar() const { return m_emptyBar.get(); }
    CHfcMenuBar* GetMainMenuBar() const { return m_mainBar.get(); }
    CMidiManager* GetMidiManager() const { return m_midiManager.get(); }
    CFileManager* GetFileManager() const { return m_fileManager.get(); }
    CWindowManager* GetWindowManager() const { return m_windowManager.get(); }
    CPslMessageDispatchEngine* GetDispatchEngine() const { return m_engine.get(); }
    CMMTimer* GetTimer() const { return m_timer.get(); }
    CHfcMidi* GetMidiPort() const { return m_midi.get(); }

    // The switches that Prev/Next Program and the library window read.
    bool IsAutoSendOn() const { return m_autoSend; }
    void SetAutoSend(bool on) { m_autoSend = on; }
    bool IsSelectionIdle() const { return m_selectionIdle; }

private:
    bool InitApplication();
    void LoadMenuBars();
    void ForwardCommand(UINT id);
    void OpenPreferences();
    void SendSelectedProgram(class CEditorWindowInterface& window, int32_t number);
    // Deletes what exists, in reverse order of creation; safe after a partial start-up.
    void Teardown();

    CEditorInterface& m_editor;
    std::vector<std::wstring> m_arguments;
    bool m_startupFailed = false;
    bool m_baseInitialised = false;
    bool m_gdiplus = false;
    bool m_dataSingletons = false;
    bool m_ole = false;
    bool m_strings = false;
    bool m_resources = false;     // holds a reference to the resource manager
    bool m_closeAllowed = false;  // start-up has finished: Close Window and dropped files are taken
    bool m_libraryOpened = false; // start-up has opened its first library window
    bool m_autoSend = true;
    bool m_selectionIdle = true;
    uint64_t m_lastAdjacentTick = 0;
    int32_t m_dispatchId = 0;

    std::unique_ptr<CProgram> m_editProgram;
    std::unique_ptr<CGlobal> m_editGlobal;
    std::unique_ptr<CPslMessageDispatchEngine> m_engine;
    std::unique_ptr<CHfcMidi> m_midi;
    std::unique_ptr<CHfcMenuBar> m_emptyBar;
    std::unique_ptr<CHfcMenuBar> m_mainBar;
    std::unique_ptr<CCustomMenu> m_customMenu;
    std::unique_ptr<CMMTimer> m_timer;
    std::unique_ptr<CWindowManager> m_windowManager;
    std::unique_ptr<CLogManager> m_logManager;
    std::unique_ptr<CMidiManager> m_midiManager;
    std::unique_ptr<CHfcClipboard> m_clipboard;
    std::unique_ptr<CBlockAccessor> m_blocks;
    std::unique_ptr<CFileManager> m_fileManager;
    std::unique_ptr<CMdiFrameWindow> m_frame;
};
