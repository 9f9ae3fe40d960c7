#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

// The data object of a drag: (format, medium) pairs on HGLOBAL. Several pairs may share a
// clipboard format (one drag item each); their FORMATETCs then differ in lindex, 0, 1, 2 ...
// in the order they were set, and a request with lindex -1 gets the first of the format.
class CHfcDragWin32DataObject final : public IDataObject
{
public:
    CHfcDragWin32DataObject();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    // Keeps the medium when release is TRUE, else a copy of its HGLOBAL; only TYMED_HGLOBAL.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    ~CHfcDragWin32DataObject();
    // The pair a request names, or -1.
    int Find(const FORMATETC* format) const;

    struct Entry
    {
        FORMATETC format;
        STGMEDIUM medium;
    };
    LONG m_references;
    std::vector<Entry> m_entries;
};

// The formats of a data object, with a cursor.
class CHfcDragWin32EnumFORMATETC final : public IEnumFORMATETC
{
public:
    explicit CHfcDragWin32EnumFORMATETC(std::vector<FORMATETC> formats);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** enumerator) override;

private:
    ~CHfcDragWin32EnumFORMATETC() = default;

    LONG m_references;
    std::vector<FORMATETC> m_formats;
    size_t m_next;
};

// A copy of an HGLOBAL's bytes in a new moveable block; null on failure.
HGLOBAL CopyGlobalMemory(HGLOBAL source);
