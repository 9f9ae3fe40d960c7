// NvSimInstrument.dll: the simulated instrument of a program that is not a test (see
// SimStandalone.h). One port pair named and described as the instrument's USB-MIDI driver, and
// the instrument's memory kept in a file, so that data written in one run is there to receive in
// the next.
//
// The files live in the folder NV_SIM_FOLDER names, or else in the user's local application data
// (inside the Wine prefix). With NV_SIM_FOLDER a test controls the instrument from outside the
// program: heard.log gets every system-exclusive message heard, one a line in hex, and
// behaviour.txt (see SimBehaviourText.h) is applied whenever it changes.

#include "support/CSimInstrument.h"
#include "support/SimBehaviourText.h"
#include "support/SimMemoryFile.h"
#include "support/SimMidi.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace
{
constexpr uint32_t kProgramCount = 128;
constexpr DWORD kPollMs = 50;
constexpr ULONGLONG kSaveIntervalMs = 100;

std::mutex g_lock; // guards g_instrument and the save
std::unique_ptr<CSimInstrument> g_instrument;
std::wstring g_folder;     // set once by NvSimInstrumentStart
bool g_controlled = false; // the folder came from NV_SIM_FOLDER
// The thread that applies behaviour.txt and saves the memory after changes, and its stop signal.
// Plain handles: at process exit the thread is gone and nothing may wait for it.
HANDLE g_poll = nullptr;
HANDLE g_stopPoll = nullptr;

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? L"" : std::wstring(value, n);
}

std::wstring Folder()
{
    const std::wstring controlled = Environment(L"NV_SIM_FOLDER");
    if (!controlled.empty())
        return controlled;
    std::wstring base = Environment(L"LOCALAPPDATA");
    if (base.empty())
        base = Environment(L"USERPROFILE");
    return base.empty() ? L"" : base + L"\\Nuvorn Simulated Instrument";
}

std::wstring FilePath(const wchar_t* name)
{
    return g_folder.empty() ? L"" : g_folder + L"\\" + name;
}

// A file that is missing, of another kind or cut short leaves the factory memory.
void LoadMemory(CSimInstrument& instrument)
{
    SimMemory memory;
    if (!ReadSimMemory(FilePath(L"memory.bin"), memory))
        return;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        instrument.SetProgram(n, memory.programs[n]);
    instrument.SetGlobal(memory.global);
    if (!memory.editBuffer.empty())
        instrument.SetEditBuffer(memory.editBuffer);
}

// Under g_lock.
bool SaveMemory(CSimInstrument& instrument)
{
    if (g_folder.empty())
        return false;
    CreateDirectoryW(g_folder.c_str(), nullptr);
    SimMemory memory;
    for (uint32_t n = 0; n < kProgramCount; ++n)
        memory.programs.push_back(instrument.GetProgram(n));
    memory.global = instrument.GetGlobal();
    memory.editBuffer = instrument.GetEditBuffer();
    return WriteSimMemory(FilePath(L"memory.bin"), memory);
}

// Appended and closed at once, so that a reader sees each message as soon as it is heard; shared
// so that a test may empty the file meanwhile.
void AppendHeard(const CSimInstrument::Image& message)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    for (uint8_t byte : message)
    {
        if (!line.empty())
            line += ' ';
        line += digits[byte >> 4];
        line += digits[byte & 0x0F];
    }
    line += "\r\n";
    HANDLE file = CreateFileW(FilePath(L"heard.log").c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

// The behaviour file's text and last-write time; false when it is missing.
bool ReadBehaviourFile(std::string& text, FILETIME& written)
{
    HANDLE file = CreateFileW(FilePath(L"behaviour.txt").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0 && text.size() < 65536)
        text.append(buffer, read);
    const bool timed = GetFileTime(file, nullptr, nullptr, &written) != 0;
    CloseHandle(file);
    return timed;
}

bool LastWrite(FILETIME& written)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(FilePath(L"behaviour.txt").c_str(), GetFileExInfoStandard, &data))
        return false;
    written = data.ftLastWriteTime;
    return true;
}

DWORD WINAPI Poll(void*)
{
    bool present = false;
    FILETIME applied = {};
    uint64_t saved = 0;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        saved = g_instrument ? g_instrument->StoredChanges() : 0;
    }
    ULONGLONG lastSave = 0;
    do
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (!g_instrument)
            break;
        if (g_controlled)
        {
            FILETIME written = {};
            const bool now = LastWrite(written);
            if (now != present || (now && CompareFileTime(&written, &applied) != 0))
            {
                std::string text;
                present = ReadBehaviourFile(text, written);
                applied = written;
                g_instrument->SetBehaviour(present ? ParseSimBehaviour(text) : CSimBehaviour());
            }
        }
        const uint64_t changes = g_instrument->StoredChanges();
        // A save that fails (the file held open by a reader, say) is tried again on the next turn.
        if (changes != saved && GetTickCount64() - lastSave >= kSaveIntervalMs)
        {
            lastSave = GetTickCount64();
            if (SaveMemory(*g_instrument))
                saved = changes;
        }
    } while (WaitForSingleObject(g_stopPoll, kPollMs) == WAIT_TIMEOUT);
    return 0;
}

void StopPolling()
{
    if (!g_poll)
        return;
    SetEvent(g_stopPoll);
    WaitForSingleObject(g_poll, INFINITE);
    CloseHandle(g_poll);
    CloseHandle(g_stopPoll);
    g_poll = g_stopPoll = nullptr;
}
} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI NvSimInstrumentStart()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_instrument)
        return TRUE;
    g_folder = Folder();
    g_controlled = !Environment(L"NV_SIM_FOLDER").empty();
    SimMidiSetDeviceCount(1, 1);
    CSimInstrument::InstallPorts(0, 0, L"Nuvorn USB MIDI In", L"Nuvorn USB MIDI Out");
    g_instrument = std::make_unique<CSimInstrument>(0, 0);
    LoadMemory(*g_instrument);
    if (g_controlled)
    {
        std::string text;
        FILETIME written;
        if (ReadBehaviourFile(text, written))
            g_instrument->SetBehaviour(ParseSimBehaviour(text));
        g_instrument->SetHeardHook(AppendHeard);
        // The test sees the memory from the start.
        SaveMemory(*g_instrument);
    }
    g_stopPoll = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_poll = g_stopPoll ? CreateThread(nullptr, 0, Poll, nullptr, 0, nullptr) : nullptr;
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
    StopPolling();
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_instrument)
        return;
    SaveMemory(*g_instrument);
    g_instrument.reset();
}
