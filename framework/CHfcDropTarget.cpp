#include "framework/CHfcDropTarget.h"

#include "framework/CHfcDragData.h"

#include "foundation/EfUtility.h"

#include <shellapi.h>

#include <new>
#include <vector>

namespace
{
// Shift 1, Control 2 (from the key state), Alt 4.
uint32_t Modifiers(DWORD keyState)
{
    uint32_t modifiers = 0;
    if (keyState & MK_SHIFT)
        modifiers |= 1;
    if (keyState & MK_CONTROL)
        modifiers |= 2;
    if (GetAsyncKeyState(VK_MENU) & 0x8000)
        modifiers |= 4;
    return modifiers;
}

bool ReadFiles(IDataObject* data, CHfcDragData& payload)
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) != S_OK)
        return false;
    const HDROP drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
    if (drop != nullptr)
    {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i)
        {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(length + 1, L'\0');
            path.resize(DragQueryFileW(drop, i, &path[0], length + 1));
            payload.AddFileItem(path, i);
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return true;
}

bool ReadFormats(IDataObject* data, CHfcDragData& payload)
{
    IEnumFORMATETC* formats = nullptr;
    if (data->EnumFormatEtc(DATADIR_GET, &formats) != S_OK || formats == nullptr)
        return false;
    FORMATETC format;
    uint32_t position = 0;
    while (formats->Next(1, &format, nullptr) == S_OK)
    {
        if (format.ptd != nullptr)
            CoTaskMemFree(format.ptd);
        format.ptd = nullptr;
        if ((format.tymed & TYMED_HGLOBAL) == 0)
            continue;
        format.tymed = TYMED_HGLOBAL;
        STGMEDIUM medium = {};
        if (data->GetData(&format, &medium) != S_OK)
            continue;
        if (medium.tymed == TYMED_HGLOBAL)
        {
            const void* bytes = GlobalLock(medium.hGlobal);
            if (bytes != nullptr)
            {
                payload.AddItemCopy(format.cfFormat, bytes, static_cast<uint32_t>(GlobalSize(medium.hGlobal)),
                                    position++);
                GlobalUnlock(medium.hGlobal);
            }
        }
        ReleaseStgMedium(&medium);
    }
    formats->Release();
    return true;
}
} // namespace

CHfcDragWin32DropTarget::CHfcDragWin32DropTarget(HWND window, CHfcDragListener* listener)
    : m_references(1), m_window(window), m_listener(listener), m_data(nullptr), m_helper(nullptr)
{
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                reinterpret_cast<void**>(&m_helper))))
        m_helper = nullptr;
}

CHfcDragWin32DropTarget::~CHfcDragWin32DropTarget()
{
    ForgetData();
    if (m_helper)
        m_helper->Release();
}

CHfcDragWin32DropTarget* CHfcDragWin32DropTarget::Register(HWND window, CHfcDragListener* listener)
{
    if (!IsOleDragDropInitialized() || window == nullptr)
        return nullptr;
    auto* target = new (std::nothrow) CHfcDragWin32DropTarget(window, listener);
    if (target == nullptr)
        return nullptr;
    if (FAILED(RegisterDragDrop(window, target)))
    {
        DebugTrace("CHfcDragWin32DropTarget::Register() - %s", "Failed to RegisterDragDrop().");
        target->Release();
        return nullptr;
    }
    return target;
}

void CHfcDragWin32DropTarget::Revoke(HWND window, CHfcDragWin32DropTarget*& target)
{
    if (target == nullptr)
        return;
    RevokeDragDrop(window);
    target->m_listener = nullptr;
    target->Release();
    target = nullptr;
}

std::unique_ptr<CHfcDragData> CHfcDragWin32DropTarget::ReadPayload(IDataObject* data)
{
    if (data == nullptr)
        return nullptr;
    auto payload = std::make_unique<CHfcDragData>();
    if (ReadFiles(data, *payload) || ReadFormats(data, *payload))
        return payload;
    return nullptr;
}

HRESULT CHfcDragWin32DropTarget::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
    {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CHfcDragWin32DropTarget::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CHfcDragWin32DropTarget::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

void CHfcDragWin32DropTarget::ForgetData()
{
    if (m_data)
        m_data->Release();
    m_data = nullptr;
}

void CHfcDragWin32DropTarget::Deliver(HfcDragEvent event, IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect)
{
    if (m_listener == nullptr || !IsOleDragDropInitialized() || effect == nullptr)
        return;
    std::unique_ptr<CHfcDragData> payload = ReadPayload(data);
    uint32_t chosen = kHfcDropEffectNone;
    if (payload)
        m_listener->CallScreenDrag(event, payload.get(), keyState, point.x, point.y, Modifiers(keyState),
                                   &chosen);
    *effect = HfcToOleDropEffect(chosen);
}

HRESULT CHfcDragWin32DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    ForgetData();
    m_data = data;
    if (m_data)
        m_data->AddRef();
    if (m_helper)
    {
        POINT p = {point.x, point.y};
        m_helper->DragEnter(m_window, data, &p, effect != nullptr ? *effect : DROPEFFECT_NONE);
    }
    Deliver(HfcDragEvent::Enter, data, keyState, point, effect);
    return S_OK;
}

HRESULT CHfcDragWin32DropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (m_helper)
    {
        POINT p = {point.x, point.y};
        m_helper->DragOver(&p, effect != nullptr ? *effect : DROPEFFECT_NONE);
    }
    Deliver(HfcDragEvent::Over, m_data, keyState, point, effect);
    return S_OK;
}

HRESULT CHfcDragWin32DropTarget::DragLeave()
{
    if (m_helper)
        m_helper->DragLeave();
    if (m_listener && IsOleDragDropInitialized())
    {
        std::unique_ptr<CHfcDragData> payload = ReadPayload(m_data);
        m_listener->CallScreenDrag(HfcDragEvent::Leave, payload.get(), 0, 0, 0, 0, nullptr);
    }
    ForgetData();
    return S_OK;
}

HRESULT CHfcDragWin32DropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (m_helper)
    {
        POINT p = {point.x, point.y};
        m_helper->Drop(data, &p, effect != nullptr ? *effect : DROPEFFECT_NONE);
    }
    Deliver(HfcDragEvent::Drop, data, keyState, point, effect);
    ForgetData();
    return S_OK;
}
