#pragma once

#include "framework/CHfcWindow.h"

class CHfcMdiFrameWindow;

// A document window inside the MDI frame; it shows its own menu bar while it is active and
// puts the frame's back when the last child goes.
class CHfcMdiChildWindow : public CHfcWindow
{
public:
    // width and height are the client size (all four 0: the system's placement).
    virtual bool Create(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                        CHfcMenuBar* menuBar, CHfcMdiFrameWindow* frame, const char* title);
    virtual LRESULT OnMdiActivate(UINT message, WPARAM wParam, LPARAM lParam);
    // The sub-menu of the child's menu bar that lists the children.
    virtual int GetWindowMenuPosition() { return 1; }

    CHfcMdiFrameWindow* GetFrame() const;

    bool Destroy() override;
    bool Show() override;
    bool Hide() override;
    const char* GetWindowClassName() override;
    bool RegisterWindowClass() override;
    DWORD GetWindowStyle() override { return 0x44C00000; }
    DWORD GetWindowExStyle() override { return WS_EX_MDICHILD; }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static LRESULT CALLBACK StaticChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // ShowWindow with the command, then WM_MDIACTIVATE for the child.
    bool ShowAndActivate(int command);
};
