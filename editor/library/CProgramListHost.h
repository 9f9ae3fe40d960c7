#pragma once

#include <windows.h>

#include <cstdint>

struct CNotificationWords;

// What the program list's operations need from the window that shows the list: its edit
// windows, its drawing, its modified state and notifications. The program list layer
// implements it. Window thread only.
class CProgramListHost
{
public:
    virtual ~CProgramListHost();

    // The window that owns the operations' dialogs and the clipboard while they run.
    virtual HWND GetOwnerWindow() = 0;
    // The library document's id, as notifications carry it.
    virtual intptr_t GetDocumentId() = 0;

    // Closes the edit window open on program n, if any.
    virtual void CloseEditWindow(uint32_t n) = 0;
    virtual void CloseAllEditWindows() = 0;
    // Draws the rows the model has marked for redraw.
    virtual void RedrawRows() = 0;
    // Shows the selected program's number and category.
    virtual void RefreshSelectionDisplay() = 0;
    // Marks the library window modified (when the layer marks modifications).
    virtual void MarkModified() = 0;
    // Posts a notification to every listener, with the layer as its sender.
    virtual void PostNotification(const CNotificationWords& words) = 0;

    // The automatic-dump switch, and the automatic dump of program n.
    virtual bool IsAutoDumpEnabled() = 0;
    virtual void RunAutoDump(uint32_t n) = 0;
};
