#pragma once

#include "app/CEditorInterface.h"
#include "app/CMMTimerListener.h"
#include "app/CWindowManagerListener.h"
#include "framework/CHfcMdiChildWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CBaseLayer;
class CGlobal;
class CHfcKeyListener;
class CMessageWindowLayer;
class CProgram;
class CValueDisplayLayer;

// The data a window edits, as its layers bind to it.
struct CEditorWindowData
{
    enum : uint32_t
    {
        kEntryNone = 0,
        kEntryProgramSet = 1,
        kEntryGlobal = 2,
    };
    uint32_t entryKind = kEntryNone;
    intptr_t documentId = 0;
    int32_t programIndex = -1;   // -1: none
    CProgram* program = nullptr; // not owned
    CGlobal* global = nullptr;   // not owned
};

// Where a child of width x height at (x, y) goes in a client area of clientWidth x
// clientHeight: moved in to 8 pixels from the right or bottom edge when it would stick out,
// never to a negative coordinate.
void PlaceChildInClient(int32_t& x, int32_t& y, int32_t width, int32_t height, int32_t clientWidth,
                        int32_t clientHeight);

// The MDI child under every editor window: its kind, the library window whose data it edits, its
// main layer and overlays (owned), the editor's menu commands forwarded to them, the menu mode
// and the automatic dump on activation, and the 60 ms tick passed on to the layers. Window
// thread only.
class CBaseWindow : public CHfcMdiChildWindow,
                    public CMMTimerListener,
                    public CWindowManagerListener,
                    public CEditorWindowInterface
{
public:
    enum Kind : uint32_t
    {
        kKindLibrary = 1,
        kKindProgramEdit = 4,
        kKindTimbreSynthEdit = 6,
        kKindTimbreEqEdit = 9,
        kKindVocoderEdit = 10,
        kKindMasterFxEdit = 11,
        kKindArpEdit = 12,
        kKindMidiMonitor = 15,
        kKindStatusLog = 19,
        kKindVersion = 21,
    };
    // Creating leads to created or failed; a destroy is taken only once created.
    enum class CreationState
    {
        kNone,
        kCreating,
        kCreated,
        kFailed,
    };

    CBaseWindow(uint32_t kind, CBaseWindow* bankWindow);
    // Removes the window-manager listener; the window must be destroyed already.
    ~CBaseWindow() override;

    // Placed inside the frame's client area (PlaceChildInClient), created, given the program's
    // icon, the overlays shown as the show-values setting says, registered with the timer and
    // with the frame's list of editor windows.
    bool Create(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags, CHfcMenuBar* menuBar,
                CHfcMdiFrameWindow* frame, const char* title) override;
    // A window still being created destroys itself when its creation ends; one whose creation
    // failed (or never ran) answers false at once.
    bool Destroy() override;
    bool Show() override;
    bool Hide() override;
    bool BringToFront() override;
    const char* GetWindowClassName() override { return "Q3580MDIChildWindow"; }
    bool RegisterWindowClass() override;
    int GetWindowMenuPosition() override { return 4; }
    // Clears the alive flag: ticks stop reaching the layers at once.
    bool CanClose() override;
    bool OnCreate() override;
    bool OnDestroy() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnMoved(int32_t x, int32_t y) override;

    // CanClose, then the MDI destroy; that answer.
    virtual bool Close();
    virtual void SetModified(bool modified);
    virtual bool IsModified();
    virtual bool Save();
    virtual bool SaveAs();
    virtual void ExportText();
    virtual void Cut() {}
    virtual void Copy() {}
    virtual void Paste() {}
    virtual void Initialize() {}
    virtual void ReceiveAll();
    virtual void TransmitAll();
    virtual void ReceiveFromCurrent();
    virtual void TransmitToCurrent();
    // Only windows of a whole library's programs revert; an edit window does nothing.
    virtual void RevertToSaved();
    virtual void ReceiveAllData();
    virtual void WriteAllData();
    // BeforeClose, then Close.
    virtual void CloseWindow();
    virtual void BeforeClose() {}
    virtual void UpdateTitle() {}
    // True while a transfer holds the progress semaphore (probed for 50 ms, never waited on).
    virtual bool IsBusy();
    // Whether the mouse capture is held by a control of the main layer or of an overlay.
    virtual bool IsCaptureInLayers();
    // A timbre synth window's timbre mode (its menu mode is 4 for mode 3).
    virtual int32_t GetTimbreMode() const { return 0; }

    bool SetTitleText(const wchar_t* text);
    bool SetTopMost();
    void GetPosition(int32_t& x, int32_t& y) const
    {
        x = m_position[0];
        y = m_position[1];
    }
    void ShowMessage(const char* name, const char* value, int32_t level);
    void HideMessage();
    // Adds this window's listener to the window manager (or, with null, removes it).
    void RegisterWithWindowManager(CWindowManagerListener* listener);

    uint32_t GetKind() const { return m_kind; }
    CBaseWindow* GetBankWindow() const { return m_bankWindow; }
    CBaseLayer* GetMainLayer() const { return m_mainLayer.get(); }
    CMessageWindowLayer* GetMessageLayer() const { return m_messageLayer.get(); }
    CValueDisplayLayer* GetValueDisplayLayer() const { return m_valueLayer.get(); }
    bool IsAlive() const { return m_alive; }
    bool IsShown() const { return m_shown; }
    CreationState GetCreationState() const { return m_creation; }
    const CEditorWindowData& GetData() const { return m_data; }
    void SetData(const CEditorWindowData& data) { m_data = data; }
    // Called once the window is destroyed (its HWND gone soon after), so that its owner forgets it.
    void SetDestroyedHandler(std::function<void(CBaseWindow*)> handler)
    {
        m_onDestroyed = std::move(handler);
    }

    // The 60 ms tick: the message overlay's fade and the main layer's refresh, then what the
    // layers redrew put on the screen; only while the window is alive and shown.
    void OnMMTimer(CMMTimer* timer) override;
    // Passed on to the main layer.
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    // CEditorWindowInterface.
    void OnEditorCommand(EditorCommand command) override;
    // The MIDI menu's mode for this window.
    int32_t GetMode() const override;
    intptr_t GetDocumentId() const override { return m_data.documentId; }
    int32_t GetCurrentProgramNumber() const override { return m_data.programIndex; }
    CProgram* GetProgram(int32_t n) override;
    bool AllowsAutoSend() const override { return m_data.program != nullptr; }

protected:
    // The window's layers, made in OnCreate by each window; the base owns and destroys them.
    void SetMainLayer(std::unique_ptr<CBaseLayer> layer);
    // A message overlay over the whole client area, added hidden; null stays on failure.
    bool CreateMessageLayer();
    void SetValueDisplayLayer(std::unique_ptr<CValueDisplayLayer> layer);
    void SetFurtherLayer(std::unique_ptr<CBaseLayer> layer);
    // After activation, before the automatic dump.
    virtual void OnActivateHook() {}
    // What takes the keys while the window is active: the main layer; null for none.
    virtual CHfcKeyListener* GetKeyTarget() const;
    // After the remembered position changed.
    virtual void OnPositionChanged() {}
    // The program goes to the instrument's current program unless it was the last one sent
    // there; only while the ports are open and no transfer runs.
    void AutomaticDump();

private:
    void DestroyLayers();
    // The program's icon, small and big, loaded for this window and destroyed with it.
    void SetProgramIcons();
    void ReleaseProgramIcons();

    uint32_t m_kind;
    CBaseWindow* m_bankWindow; // not owned
    CEditorWindowData m_data;
    bool m_alive = true;
    std::unique_ptr<CBaseLayer> m_mainLayer;
    int32_t m_position[2] = {0, 0};
    std::unique_ptr<CMessageWindowLayer> m_messageLayer;
    std::unique_ptr<CValueDisplayLayer> m_valueLayer;
    std::unique_ptr<CBaseLayer> m_furtherLayer;
    bool m_shown = false;
    bool m_destroyed = false;
    bool m_timerRegistered = false;
    bool m_registeredInFrame = false;
    bool m_destroyPending = false;
    CreationState m_creation = CreationState::kNone;
    HICON m_icons[2] = {nullptr, nullptr}; // small, big; owned
    CWindowManagerListener* m_managerListener = nullptr;
    std::function<void(CBaseWindow*)> m_onDestroyed;
};
