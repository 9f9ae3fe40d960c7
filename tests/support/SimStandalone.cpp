#include "SimStandalone.h"

#include <windows.h>

#include <cstring>
#include <mutex>

namespace
{
using StartFunction = BOOL(WINAPI*)();
using SaveFunction = void(WINAPI*)();

SaveFunction g_save = nullptr; // set once by EnsureStandaloneInstrument

// Whether the program's import table names a function of the test interface (SimMidi*) of a
// module called winmm.dll: test programs link it, the product never does.
bool ImportsTestInterface()
{
    const auto base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return false;
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return false;
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name;
         ++d)
    {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "winmm.dll") != 0)
            continue;
        const DWORD thunks = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
        for (auto t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + thunks); t->u1.AddressOfData; ++t)
        {
            if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal))
                continue;
            const auto byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + t->u1.AddressOfData);
            if (std::strncmp(reinterpret_cast<const char*>(byName->Name), "SimMidi", 7) == 0)
                return true;
        }
    }
    return false;
}

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}
} // namespace

void EnsureStandaloneInstrument()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       if (ImportsTestInterface())
                           return;
                       wchar_t path[MAX_PATH];
                       const DWORD n = GetModuleFileNameW(ThisModule(), path, MAX_PATH);
                       if (n == 0 || n >= MAX_PATH)
                           return;
                       wchar_t* slash = wcsrchr(path, L'\\');
                       if (!slash || (slash - path) + 20 >= MAX_PATH)
                           return;
                       wcscpy(slash + 1, L"NvSimInstrument.dll");
                       HMODULE instrument = LoadLibraryW(path);
                       if (!instrument)
                           return;
                       const auto start = reinterpret_cast<StartFunction>(
                           reinterpret_cast<void*>(GetProcAddress(instrument, "NvSimInstrumentStart")));
                       g_save = reinterpret_cast<SaveFunction>(
                           reinterpret_cast<void*>(GetProcAddress(instrument, "NvSimInstrumentSave")));
                       if (start)
                           start();
                   });
}

void SaveStandaloneInstrument()
{
    if (g_save)
        g_save();
}
