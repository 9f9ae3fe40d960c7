#pragma once

#include <windows.h>

#include <cstdint>

class CFileManager;
class CMidiManager;
struct CNotificationWords;

// What the global page needs from the library window that shows it: its owner window, its
// document, its modified state, its notifications and its pages. The library window implements
// it. Window thread only.
class CGlobalEditHost
{
public:
    virtual ~CGlobalEditHost();

    // The window that owns the page's boxes and dialogs.
    virtual HWND GetOwnerWindow() = 0;
    // The library document's id, as notifications carry it.
    virtual intptr_t GetDocumentId() = 0;
    // Marks the library window modified (when the layer marks modifications).
    virtual void MarkModified() = 0;
    // Posts a notification to every listener, with the sender.
    virtual void PostNotification(const CNotificationWords& words, void* sender) = 0;
    // Shows sub-page 0 (the grid) or 1 (the CC map), as notification 25 asks.
    virtual void ShowGlobalSubPage(int32_t page) = 0;
    // Brings the global page to the front again after a load, save, receive or write.
    virtual void ActivateGlobalPage() = 0;
};

// The application's objects the page works with; a null one leaves its operations undone.
struct CGlobalEditServices
{
    CMidiManager* midi = nullptr;
    CFileManager* files = nullptr;
};
