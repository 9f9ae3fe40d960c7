#pragma once

#include "app/CWindowManagerListener.h"
#include "app/Notifications.h"
#include "editor/base/CBaseWindow.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcWindowLayer.h"

#include <cstdint>
#include <vector>

class CCustomControl;
class CHfcBmp;
struct CZmParameterId;

// The main layer of every editor window: bound to the window's data (a program of a program
// set, or the global data), it keeps the window's editor controls by control id, carries the
// layer-level menu commands and posts notifications. Window thread only.
class CBaseLayer : public CHfcWindowLayer, public CHfcControlListener, public CWindowManagerListener
{
public:
    // Loads the LCD fonts by name.
    CBaseLayer();
    ~CBaseLayer() override;

    // Takes the window's data, then creates the layer in it.
    virtual bool Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window);
    using CHfcWindowLayer::Create;

    virtual void Close() { Destroy(); }
    // Each 60 ms tick of the window.
    virtual void RefreshValues() {}
    virtual void OnTimer() {}
    // The elapsed milliseconds to every text entry of the layer: its caret's blink while it is
    // edited, its hold time while it is pressed.
    void TickTextEntries(int32_t elapsedMs);
    // Notification 7 (a parameter of the edited program changed; `all`: any of them) to all windows.
    virtual void PostUpdate(bool all);
    // A notification record to all windows, this layer the sender.
    template <typename Record> void Post(const Record& record) { PostWords(record.Words()); }
    virtual void PostWords(const CNotificationWords& words);
    // Every control redrawn, then the window's dirty rectangle flushed.
    virtual void RedrawControls(bool force);
    virtual void ExportText() {}
    virtual void ReceiveSelected() { ReceiveCurrent(); }
    virtual void TransmitSelected() { TransmitCurrent(); }
    // The instrument's current program into the selected program, and back.
    virtual void ReceiveCurrent();
    virtual void TransmitCurrent();
    virtual void ReceiveProgram() {}
    virtual void WriteProgram() {}
    virtual void ReceiveAll() {}
    virtual void TransmitAll() {}
    virtual void RestoreProgram() {}
    // Whether the mouse singleton's capture owner is one of this layer's controls.
    virtual bool OwnsMouseCapture();
    // With an edited program: the program's parameter at the instrument's address; -1 otherwise.
    virtual int32_t GetParameterByDeviceId(uint32_t section, uint32_t index);
    virtual int32_t SetParameterByDeviceId(uint32_t section, uint32_t index, int32_t value);
    virtual void ShowKnobAssignMenu(CHfcControl* /*control*/) {}
    virtual void OnActivateLayer() {}
    virtual void OnDeactivateLayer() {}
    // Whether the window must not close now (a drag from the layer runs).
    virtual bool IsBusy() const { return false; }

    bool OnWindowManagerNotify(CWindowManager*, uint32_t, intptr_t, intptr_t, intptr_t, intptr_t,
                               void*) override
    {
        return false;
    }

    // The editor control of a control id (null outside the table); not owned.
    void SetEditorControl(uint32_t id, CCustomControl* control);
    CCustomControl* GetEditorControl(uint32_t id) const;
    size_t GetEditorControlCount() const { return m_editorControls.size(); }
    // The parameter of an editor control, the timbre word replaced by the layer's timbre.
    CZmParameterId GetControlParameter(CCustomControl* control) const;

    CBaseWindow* GetOwnerWindow() const { return m_owner; }
    const CEditorWindowData& GetData() const { return m_data; }
    CProgram* GetEditedProgram() const { return m_data.program; }
    // The layer edits program n (of the same program set) from now on.
    void BindToProgram(int32_t n, CProgram* program)
    {
        m_data.programIndex = n;
        m_data.program = program;
    }
    int32_t GetTimbre() const { return m_timbre; }
    void SetTimbre(int32_t timbre) { m_timbre = timbre; }
    bool GetMarkModified() const { return m_markModified; }
    void SetMarkModified(bool mark) { m_markModified = mark; }
    void SetDeviceWrite(bool allowed) { m_deviceWrite = allowed; }

protected:
    // A timbre page's layer at (0, 0) on window, bound to program (null: the window's) and to
    // timbre 0 or 1; false, with no layer left, when one of them is missing.
    bool CreateTimbreLayer(CBaseWindow* window, CProgram* program, int32_t timbre, int32_t width,
                           int32_t height);

    CHfcBmp* m_fontWhite = nullptr;
    CHfcBmp* m_fontWhiteDim = nullptr;
    CHfcBmp* m_fontWhiteBack = nullptr;
    CHfcBmp* m_fontWhiteSelected = nullptr;

    CEditorWindowData m_data;
    CBaseWindow* m_owner = nullptr;                // not owned
    int32_t m_timbre = -1;                         // -1: the controls' own timbre
    std::vector<CCustomControl*> m_editorControls; // by control id; not owned
    bool m_markModified = true;
    bool m_deviceWrite = false;
    char m_cachedName[32] = {};
    char m_cachedValue[32] = {};
    // The press of a drag that may start.
    int32_t m_pressId = -1;
    bool m_pressed = false;
    int32_t m_pressPoint[2] = {0, 0};
};
