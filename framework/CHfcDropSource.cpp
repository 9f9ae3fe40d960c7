#include "framework/CHfcDropSource.h"

#include <utility>

namespace
{
HfcDragStepScript& StepScript()
{
    static HfcDragStepScript script;
    return script;
}
} // namespace

void SetDragStepScript(HfcDragStepScript script)
{
    StepScript() = std::move(script);
}

CHfcDragWin32DropSource::CHfcDragWin32DropSource() : m_references(1), m_lastFeedback(DROPEFFECT_NONE) {}

HRESULT CHfcDragWin32DropSource::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
    {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CHfcDragWin32DropSource::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CHfcDragWin32DropSource::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CHfcDragWin32DropSource::Decide(BOOL escapePressed, DWORD keyState)
{
    const DWORD buttons = keyState & (MK_LBUTTON | MK_RBUTTON);
    // Escape always cancels: a drop after the user asked to stop would move data unasked.
    if (escapePressed || buttons == (MK_LBUTTON | MK_RBUTTON))
        return DRAGDROP_S_CANCEL;
    return buttons != 0 ? S_OK : DRAGDROP_S_DROP;
}

HRESULT CHfcDragWin32DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (StepScript())
        StepScript()(escapePressed, keyState);
    return Decide(escapePressed, keyState);
}

HRESULT CHfcDragWin32DropSource::GiveFeedback(DWORD effect)
{
    m_lastFeedback = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
