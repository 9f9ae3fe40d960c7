#pragma once

#include "foundation/CHfcRect.h"
#include "framework/CHfcDragListener.h"
#include "framework/CHfcMouseRouter.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

class CHfcAppBase;
class CHfcDragWin32DropTarget;
class CHfcDrawContext;
class CHfcKeyFocus;
class CHfcKeyFocusListener;
class CHfcMenuBar;
class CHfcWindowLayer;

// One Win32 window. Maps the messages it knows to virtual handlers, keeps a root layer whose
// offscreen surface holds the composed image of the window and the other layers in paint
// order, routes mouse events to the topmost layer under the pointer and keys to the key
// singleton, and paints from the composed surface. Window thread only.
class CHfcWindow : public CHfcMouseRouter, public CHfcScreenDragRouter
{
public:
    // Style flags of Create.
    enum : uint32_t
    {
        kStyleCaption = 1,            // caption and system menu
        kStyleMaximizeBox = 2,        //
        kStyleCaptionMaximizeBox = 4, //
        kStyleCaptionMinimizeBox = 8, //
        kStyleSizingBorder = 16,      //
    };
    static DWORD GetStyleFromFlags(uint32_t flags);

    CHfcWindow();
    CHfcWindow(const CHfcWindow&) = delete;
    CHfcWindow& operator=(const CHfcWindow&) = delete;
    ~CHfcWindow() override;

    // The window object of an HWND made by this framework, or null.
    static CHfcWindow* FromHwnd(HWND hwnd);

    // Creates the window; width and height are the client size (all four 0: the system's
    // placement). False when the window exists or cannot be made.
    virtual bool Create(int32_t x, int32_t y, int32_t width, int32_t height, const char* title,
                        uint32_t flags, CHfcMenuBar* menuBar, CHfcWindow* parent);
    virtual bool Destroy();
    virtual bool Show();
    virtual bool Hide();
    virtual bool BringToFront();
    virtual bool Minimize();
    virtual bool Restore();

    // Asks for a WM_PAINT of the rectangle (null: the client area), without recomposing.
    virtual void Invalidate(const CHfcRect* rect);
    // Adds the rectangle (null: the client area) to the dirty rectangle.
    virtual void AddDirtyRect(const CHfcRect* rect);
    // Recomposes the dirty rectangle and empties it.
    virtual void FlushDirty();
    // Clears the rectangle of the root surface, copies the visible layers onto it in order
    // and asks for a paint; deferred into the dirty rectangle when now is false.
    void Recompose(const CHfcRect& rect, bool now);
    const CHfcRect& GetDirtyRect() const { return m_dirty; }

    virtual bool GetWindowRect(CHfcRect& rect);
    virtual bool GetClientRect(CHfcRect& rect);
    virtual bool SetClientSize(int32_t width, int32_t height);

    virtual bool OnCreate();
    virtual bool OnDestroy();
    virtual void Release();

    // Copies the rectangle of the composed image onto the context.
    virtual void Paint(CHfcDrawContext* context, const CHfcRect& rect);
    virtual void DrawTo(CHfcDrawContext* context, const CHfcRect& rect);

    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    // The client size a sizing drag proposes; may be changed.
    virtual void OnSizing(int32_t& /*width*/, int32_t& /*height*/) {}
    // Resizes the root layer to the client size and recomposes.
    virtual void OnResized(int32_t width, int32_t height);
    // The top-left corner (in the parent's client coordinates) a move proposes; may be changed.
    virtual void OnMoving(int32_t& /*x*/, int32_t& /*y*/) {}
    virtual void OnMoved(int32_t /*x*/, int32_t /*y*/) {}
    virtual bool CanClose() { return true; }
    virtual bool OnTimer(UINT_PTR /*id*/) { return true; }

    // The control id of the first child window whose text is the title, else 0.
    virtual int FindChildByTitle(const char* title);
    virtual bool OnChildEnumerated(CHfcWindow* /*child*/) { return true; }
    // Calls OnChildEnumerated for each child window that has a window object.
    virtual void ForEachChild();

    // True when the message was not consumed.
    virtual bool PreTranslateMessage(MSG* message);

    virtual bool RegisterWindowClass();
    virtual const char* GetWindowClassName();
    virtual DWORD GetWindowStyle() { return 0; }
    virtual DWORD GetWindowExStyle() { return 0; }

    // False: the message goes straight to DefaultProc.
    virtual bool FilterMessage(UINT /*message*/, WPARAM, LPARAM) { return true; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Message handlers; those not overridden behave as below.
    virtual LRESULT HandleCreate(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleDestroy(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleMove(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleSize(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleActivate(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandlePaint(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleClose(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleKeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleChar(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleCommand(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleScroll(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleTimer(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleMouseWheel(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleSizing(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleMoving(UINT message, WPARAM wParam, LPARAM lParam);

    // The mouse singleton drops its capture owner.
    virtual void OnCaptureChanged();

    // Layers in paint order (the last on top); not owned.
    bool AddLayer(CHfcWindowLayer* layer, bool redraw);
    bool RemoveLayer(CHfcWindowLayer* layer, bool redraw);
    void RemoveAllLayers(bool redraw);
    size_t GetLayerCount() const { return m_layers.size(); }
    CHfcWindowLayer* GetLayer(size_t index) const
    {
        return index < m_layers.size() ? m_layers[index] : nullptr;
    }
    CHfcWindowLayer* GetRootLayer() const { return m_rootLayer.get(); }

    bool SetKeyFocus(CHfcKeyFocusListener* listener);
    // Ends the key focus when the listener (or null) is the holder.
    void ReleaseKeyFocus(CHfcKeyFocusListener* listener);
    bool HasKeyFocus(CHfcKeyFocusListener* listener) const;
    CHfcKeyFocus* GetKeyFocus() const { return m_keyFocus.get(); }

    bool ScreenToClient(POINT& point) const;
    bool ClientToScreen(POINT& point) const;
    bool SetTitle(const char* text);

    HWND GetHwnd() const { return m_hwnd; }
    CHfcWindow* GetParent() const { return m_parent; }
    CHfcMenuBar* GetMenuBar() const { return m_menuBar; }
    CHfcAppBase* GetCommandTarget() const { return m_commandTarget; }
    void SetCommandTarget(CHfcAppBase* target) { m_commandTarget = target; }

    // The window procedure of the framework's window classes.
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Stores the object with the HWND as the window is created.
    void Attach(HWND hwnd);
    bool RegisterClassOnce(const char* name, UINT style, WNDPROC procedure);
    bool CreateRootLayer();
    bool DestroyRootLayer();
    // Screen coordinates: a button or move event is recorded in the mouse singleton, then the
    // client-coordinate twin runs.
    bool RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                          int32_t delta) override;
    // Client coordinates: hit-test the layers from the topmost down.
    bool RouteClientMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers,
                          int32_t delta) override;
    // Drags from the drop target: offered to the visible layers first to last, then to the
    // window's own client-coordinate operation.
    bool RouteScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                         uint32_t modifiers, uint32_t* effect) override;
    // Position and outer size (in left, top, right, bottom) for a window whose client area is
    // width x height; all four 0 give the system's placement.
    static RECT GetCreationRect(int32_t x, int32_t y, int32_t width, int32_t height, DWORD style,
                                DWORD exStyle, bool hasMenu);
    // The outer size of a window whose client area is width x height.
    SIZE GetOuterSize(int32_t width, int32_t height, bool hasMenu);

    CHfcAppBase* m_commandTarget = nullptr;
    CHfcWindow* m_parent = nullptr;
    HWND m_hwnd = nullptr;
    CHfcMenuBar* m_menuBar = nullptr; // not owned
    std::unique_ptr<CHfcWindowLayer> m_rootLayer;
    std::vector<CHfcWindowLayer*> m_layers; // not owned
    CHfcRect m_dirty;
    std::unique_ptr<CHfcKeyFocus> m_keyFocus;
    CHfcDragWin32DropTarget* m_dropTarget = nullptr; // registered from creation to WM_DESTROY
};
