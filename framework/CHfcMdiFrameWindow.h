#pragma once

#include "framework/CHfcWindow.h"

#include <string>
#include <vector>

class CHfcMdiChildWindow;

// The main window: owns the Win32 MDI client, hands WM_COMMAND to its command target (the
// application object) and passes what that leaves to the active child, lets the MDI system
// translate its accelerators, and takes files dropped from the shell.
class CHfcMdiFrameWindow : public CHfcWindow
{
public:
    // width and height are the outer size (all four 0: the system's placement); the flags are
    // not used.
    virtual bool Create(const char* title, int32_t x, int32_t y, int32_t width, int32_t height,
                        uint32_t flags, CHfcMenuBar* menuBar);
    virtual bool ActivateChild(CHfcMdiChildWindow* child);
    // The first id the MDI client gives the children's window-menu items.
    virtual UINT GetFirstChildId() { return 50000; }
    // The sub-menu of the frame's menu bar that lists the children.
    virtual int GetWindowMenuPosition() { return 1; }

    CHfcMdiChildWindow* GetActiveChild() const;
    HWND GetClientHwnd() const { return m_client; }

    const char* GetWindowClassName() override;
    bool RegisterWindowClass() override;
    DWORD GetWindowStyle() override { return 0x10CF0000; }
    DWORD GetWindowExStyle() override { return 0x300; }

    // Creates the MDI client; the frame has no root layer.
    bool OnCreate() override;
    // Ends the message loop.
    bool OnDestroy() override;
    // TranslateMDISysAccel; true when the message was not consumed.
    bool PreTranslateMessage(MSG* message) override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The command target first; what it leaves (1) goes to the active child, or for the MDI
    // system ids to the default frame procedure.
    LRESULT HandleCommand(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Reads the dropped paths and hands them to OnDroppedFiles.
    virtual LRESULT HandleDropFiles(UINT message, WPARAM wParam, LPARAM lParam);
    // Files dropped from the shell, in their order; the default does nothing.
    virtual void OnDroppedFiles(const std::vector<std::wstring>& /*paths*/) {}
    // Files dragged over the frame through OLE (where the frame's drop target takes them
    // before WM_DROPFILES could) are offered a copy and dropped to OnDroppedFiles.
    bool OnHfcDragEnter(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                        uint32_t* effect) override;
    bool OnHfcDragOver(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                       uint32_t* effect) override;
    bool OnHfcDrop(CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y, uint32_t modifiers,
                   uint32_t* effect) override;

protected:
    HWND m_client = nullptr;
};
