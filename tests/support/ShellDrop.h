#pragma once

// Files dropped from the shell, as a test hands them to a window.

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// An HDROP as the shell makes it: a DROPFILES header and NUL-separated wide paths.
inline HGLOBAL MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t characters = 1;
    for (const std::wstring& p : paths)
        characters += p.size() + 1;
    const size_t size = sizeof(DROPFILES) + characters * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& p : paths)
    {
        std::memcpy(text, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        text += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}
