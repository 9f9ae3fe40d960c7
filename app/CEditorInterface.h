#pragma once

#include <cstdint>
#include <string>

class CHfcMdiChildWindow;
class CHfcMdiFrameWindow;
class CProgram;

// The commands that the application core forwards to the active editor window.
enum class EditorCommand
{
    Save,
    SaveAs,
    ExportText,
    Cut,
    Copy,
    Paste,
    Initialize,
    Revert,
    ReceiveAllData,
    WriteAllData,
    ReceiveAll,
    TransmitAll,
    ReceiveFromCurrent,
    TransmitToCurrent,
    Close,
};

// An open editor window, as the application core sees it.
class CEditorWindowInterface
{
public:
    virtual ~CEditorWindowInterface() = default;
    virtual void OnEditorCommand(EditorCommand command) = 0;

    // The window's mode (2: it shows one current program of its document), as the menu shows it.
    virtual int32_t GetMode() const = 0;
    // The document the window edits, as notifications name it; 0 for none.
    virtual intptr_t GetDocumentId() const = 0;
    // The current program number (0..127), or -1 for none.
    virtual int32_t GetCurrentProgramNumber() const = 0;
    // The program of the document's program set entry n, or null.
    virtual CProgram* GetProgram(int32_t n) = 0;
    // Whether a program chosen here may be sent to the instrument.
    virtual bool AllowsAutoSend() const = 0;
};

// A library window that the application core has created and fills.
class CLibraryWindowInterface : public CEditorWindowInterface
{
public:
    // Each answers whether it succeeded; a failure has been reported to the user.
    virtual bool OpenFile(const std::wstring& path) = 0;
    virtual bool ImportJ5Library() = 0;
    // Offers to receive all data from the instrument once the message loop runs.
    virtual void OfferReceiveAll() = 0;
    virtual void Show() = 0;
    virtual void Destroy() = 0;
    // Asks about unsaved changes; false when the user cancels (the close stops).
    virtual bool QuerySaveChanges() = 0;
};

// The utility windows the frame records in the settings when it closes.
enum class UtilityWindow
{
    MidiMonitor,
    StatusLog,
};

// What the application core asks of the editor. The editor implements it and the program's
// entry point hands it to the application object, so the core never includes the editor.
// Window thread only.
class CEditorInterface
{
public:
    virtual ~CEditorInterface() = default;

    // A new library window on `frame` with empty library data, not yet shown; null when none
    // could be made. The frame owns it.
    virtual CLibraryWindowInterface* CreateLibraryWindow(CHfcMdiFrameWindow* frame,
                                                         const std::wstring& title) = 0;
    virtual void OpenMidiMonitorWindow(CHfcMdiFrameWindow* frame) = 0;
    virtual void OpenStatusLogWindow(CHfcMdiFrameWindow* frame) = 0;
    virtual void OpenVersionWindow(CHfcMdiFrameWindow* frame) = 0;
    // Closes the MIDI monitor, status log and version windows, at shutdown.
    virtual void CloseUtilityWindows() = 0;
    // Whether the window is open and where it is; false (nothing known) while the editor has no
    // such window.
    virtual bool GetUtilityWindowState(UtilityWindow which, bool& open, int32_t& x, int32_t& y) = 0;
    // The editor window behind an MDI child, or null for a child that is not one.
    virtual CEditorWindowInterface* GetEditorWindow(CHfcMdiChildWindow* child) = 0;
    // Start-up has made the core's services the editor builds on (the block accessor with its
    // formats registered); shutdown is about to delete them, before any window closes.
    virtual void OnCoreStarted() {}
    virtual void OnCoreStopping() {}
    // Every window is gone and the services it used are about to be deleted.
    virtual void OnCoreStopped() {}
};
