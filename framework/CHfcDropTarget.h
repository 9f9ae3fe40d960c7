#pragma once

#include "framework/CHfcDragListener.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>

class CHfcDragData;

// A window's drop target: turns each OLE drag event into the listener's screen-coordinate
// operation, with a fresh payload copied from the data object (one file item per dropped file
// for CF_HDROP, else one item per offered HGLOBAL format), and maps the listener's effect back
// to OLE. The shell's drag-image helper, where the system has one, sees every event first.
class CHfcDragWin32DropTarget final : public IDropTarget
{
public:
    CHfcDragWin32DropTarget(HWND window, CHfcDragListener* listener);

    // A target registered for the window, or null (traced) when OLE is not initialised or
    // RegisterDragDrop fails; the window then works without drops.
    static CHfcDragWin32DropTarget* Register(HWND window, CHfcDragListener* listener);
    // RevokeDragDrop and the registration's reference; target becomes null.
    static void Revoke(HWND window, CHfcDragWin32DropTarget*& target);

    // The payload of a data object; null when its formats cannot be enumerated.
    static std::unique_ptr<CHfcDragData> ReadPayload(IDataObject* data);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    ~CHfcDragWin32DropTarget();
    // Builds the payload, calls the listener and sets the OLE effect.
    void Deliver(HfcDragEvent event, IDataObject* data, DWORD keyState, POINTL point, DWORD* effect);
    void ForgetData();

    LONG m_references;
    HWND m_window;
    CHfcDragListener* m_listener; // not owned: the window
    IDataObject* m_data;          // the current drag's, between enter and leave or drop
    IDropTargetHelper* m_helper;  // null where the shell has none
};
