#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>

// The drop source of a drag. OLE asks it on every step whether the drag goes on: Escape or
// both buttons down cancel, releasing the buttons drops, a button held continues.
class CHfcDragWin32DropSource final : public IDropSource
{
public:
    CHfcDragWin32DropSource();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    // Remembers the effect and lets OLE show its cursors.
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

    DWORD GetLastFeedback() const { return m_lastFeedback; }

    // S_OK (continue), DRAGDROP_S_DROP or DRAGDROP_S_CANCEL for one step.
    static HRESULT Decide(BOOL escapePressed, DWORD keyState);

private:
    ~CHfcDragWin32DropSource() = default;

    LONG m_references;
    DWORD m_lastFeedback;
};

// Replaces what OLE reports on each step of a drag (Escape and the key state) before the drop
// source decides, so that a test can run a real drag without a person at the mouse: it may
// move the cursor, hold or release the buttons, or press Escape. An empty script restores the
// real input. Window thread only.
using HfcDragStepScript = std::function<void(BOOL& escapePressed, DWORD& keyState)>;
void SetDragStepScript(HfcDragStepScript script);
