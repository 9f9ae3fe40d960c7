#pragma once

#include <string>

class CHfcMdiChildWindow;
class CHfcMdiFrameWindow;

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
    // Closes the MIDI monitor and status log windows, at shutdown.
    virtual void CloseUtilityWindows() = 0;
    // The editor window behind an MDI child, or null for a child that is not one.
    virtual CEditorWindowInterface* GetEditorWindow(CHfcMdiChildWindow* child) = 0;
};
