// NvSimInstrument.dll: the simulated instrument of a program that is not a test (see
// SimStandalone.h). One port pair named and described as the instrument's USB-MIDI driver, and
// the instrument's program and global memory kept in a file of the user's local application data
// (inside the Wine prefix), so that data written in one run is there to receive in the next.

#include "support/CSimInstrument.h"
#include "support/SimMidi.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace
{
constexpr char kMemoryTag[8] = {'N', 'v', 'S', 'i', 'm', 'M', 'e', 'm'};
constexpr uint32_t kProgramCount = 128;
constexpr uint32_t kMaximumImage = 1 << 20;

std::mutex g_lock; // guards g_instrument
std::unique_ptr<CSimInstrument> g_instrument;

std::wstring MemoryFolder()
{
    wchar_t base[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        n = GetEnvironmentVariableW(L"USERPROFILE", base, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return L"";
    return std::wstring(base) + L"\\Nuvorn Simulated Instrument";
}

std::wstring MemoryPath()
{
    const std::wstring folder = MemoryFolder();
    return folder.empty() ? L"" : folder + L"\\memory.bin";
}

bool ReadImage(FILE* file, CSimInstrument::Image& image)
{
    uint32_t size = 0;
    if (std::fread(&size, sizeof size, 1, file) != 1 || size > kMaximumImage)
        return false;
    image.resize(size);
    return size == 0 || std::fread(image.data(), 1, size, file) == size;
}

bool WriteImage(FILE* file, const CSimInstrument::Image& image)
{
    const uint32_t size = static_cast<uint32_t>(image.size());
    return std::fwrite(&size, sizeof size, 1, file) == 1 &&
           (size == 0 || std::fwrite(image.data(), 1, size, file) == size);
}

// A file that is missing, of another kind or cut short leaves the factory memory.
void LoadMemory(CSimInstrument& instrument)
{
    FILE* file = _wfopen(MemoryPath().c_str(), L"rb");
    if (!file)
        return;
    char tag[sizeof kMemoryTag];
    std::vector<CSimInstrument::Image> programs(kProgramCount);
    CSimInstrument::Image global;
    bool complete =
        std::fread(tag, 1, sizeof tag, file) == sizeof tag && std::memcmp(tag, kMemoryTag, sizeof tag) == 0;
    for (uint32_t n = 0; complete && n < kProgramCount; ++n)
        complete = ReadImage(file, programs[n]);
    complete = complete && ReadImage(file, global);
    std::fclose(file);
    if (!complete)
        return;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        instrument.SetProgram(n, programs[n]);
    instrument.SetGlobal(global);
}

// Written beside and then moved over the old file, so that a run ended halfway keeps the last
// whole memory.
void SaveMemory(CSimInstrument& instrument)
{
    const std::wstring path = MemoryPath();
    if (path.empty())
        return;
    CreateDirectoryW(MemoryFolder().c_str(), nullptr);
    const std::wstring partial = path + L".new";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file)
        return;
    bool written = std::fwrite(kMemoryTag, 1, sizeof kMemoryTag, file) == sizeof kMemoryTag;
    for (uint32_t n = 0; written && n < kProgramCount; ++n)
        written = WriteImage(file, instrument.GetProgram(n));
    written = written && WriteImage(file, instrument.GetGlobal());
    written = std::fclose(file) == 0 && written;
    if (written)
        MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    else
        DeleteFileW(partial.c_str());
}
} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI NvSimInstrumentStart()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_instrument)
        return TRUE;
    SimMidiSetDeviceCount(1, 1);
    CSimInstrument::InstallPorts(0, 0, L"Nuvorn USB MIDI In", L"Nuvorn USB MIDI Out");
    g_instrument = std::make_unique<CSimInstrument>(0, 0);
    LoadMemory(*g_instrument);
    return TRUE;
}

extern "C" __declspec(dllexport) void WINAPI NvSimInstrumentSave()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_instrument)
        SaveMemory(*g_instrument);
}

// Keeps the memory and removes the instrument, as the end of a run does.
extern "C" __declspec(dllexport) void WINAPI NvSimInstrumentStop()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_instrument)
        return;
    SaveMemory(*g_instrument);
    g_instrument.reset();
}
