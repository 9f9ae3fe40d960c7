#include "framework/CHfcDataObject.h"

#include <cstring>
#include <new>

HGLOBAL CopyGlobalMemory(HGLOBAL source)
{
    const SIZE_T size = GlobalSize(source);
    const void* from = GlobalLock(source);
    if (from == nullptr)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* to = copy != nullptr ? GlobalLock(copy) : nullptr;
    if (to != nullptr)
    {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    else if (copy != nullptr)
    {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(source);
    return copy;
}

CHfcDragWin32DataObject::CHfcDragWin32DataObject() : m_references(1) {}

CHfcDragWin32DataObject::~CHfcDragWin32DataObject()
{
    for (Entry& entry : m_entries)
        ReleaseStgMedium(&entry.medium);
}

HRESULT CHfcDragWin32DataObject::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
    {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CHfcDragWin32DataObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CHfcDragWin32DataObject::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

int CHfcDragWin32DataObject::Find(const FORMATETC* format) const
{
    if (format == nullptr || (format->tymed & TYMED_HGLOBAL) == 0)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        const FORMATETC& held = m_entries[i].format;
        if (held.cfFormat != format->cfFormat)
            continue;
        if (format->lindex == -1 || format->lindex == held.lindex)
            return static_cast<int>(i);
    }
    return -1;
}

HRESULT CHfcDragWin32DataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (medium == nullptr)
        return E_POINTER;
    const int found = Find(format);
    if (found < 0)
        return DV_E_FORMATETC;
    HGLOBAL copy = CopyGlobalMemory(m_entries[static_cast<size_t>(found)].medium.hGlobal);
    if (copy == nullptr)
        return STG_E_MEDIUMFULL;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT CHfcDragWin32DataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT CHfcDragWin32DataObject::QueryGetData(FORMATETC* format)
{
    return Find(format) >= 0 ? S_OK : DV_E_FORMATETC;
}

HRESULT CHfcDragWin32DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out != nullptr)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT CHfcDragWin32DataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    if (format->tymed != TYMED_HGLOBAL || medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr)
        return DV_E_TYMED;
    Entry entry;
    entry.format = *format;
    entry.format.ptd = nullptr;
    entry.medium = *medium;
    if (!release)
    {
        entry.medium.hGlobal = CopyGlobalMemory(medium->hGlobal);
        entry.medium.pUnkForRelease = nullptr;
        if (entry.medium.hGlobal == nullptr)
            return E_OUTOFMEMORY;
    }
    m_entries.push_back(entry);
    return S_OK;
}

HRESULT CHfcDragWin32DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
    if (enumerator == nullptr)
        return E_POINTER;
    *enumerator = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& entry : m_entries)
        formats.push_back(entry.format);
    *enumerator = new (std::nothrow) CHfcDragWin32EnumFORMATETC(std::move(formats));
    return *enumerator != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CHfcDragWin32DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CHfcDragWin32DataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CHfcDragWin32DataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

CHfcDragWin32EnumFORMATETC::CHfcDragWin32EnumFORMATETC(std::vector<FORMATETC> formats)
    : m_references(1), m_formats(std::move(formats)), m_next(0)
{
}

HRESULT CHfcDragWin32EnumFORMATETC::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumFORMATETC))
    {
        *object = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CHfcDragWin32EnumFORMATETC::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CHfcDragWin32EnumFORMATETC::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CHfcDragWin32EnumFORMATETC::Next(ULONG count, FORMATETC* formats, ULONG* fetched)
{
    if (formats == nullptr)
        return E_POINTER;
    ULONG n = 0;
    while (n < count && m_next < m_formats.size())
        formats[n++] = m_formats[m_next++];
    if (fetched != nullptr)
        *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT CHfcDragWin32EnumFORMATETC::Skip(ULONG count)
{
    m_next += count;
    if (m_next > m_formats.size())
    {
        m_next = m_formats.size();
        return S_FALSE;
    }
    return S_OK;
}

HRESULT CHfcDragWin32EnumFORMATETC::Reset()
{
    m_next = 0;
    return S_OK;
}

HRESULT CHfcDragWin32EnumFORMATETC::Clone(IEnumFORMATETC**)
{
    return E_NOTIMPL;
}
