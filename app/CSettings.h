#pragma once

#include <cstdint>
#include <string>

// The editor's settings. Read from the registry at start-up, written at exit; in between the
// windows, the dialogs and the MIDI manager read and change the process-wide copy.
struct CSettings
{
    enum : int32_t
    {
        // Below this the main window could not show its menu and a library window's corner.
        kMinimumMainWindowWidth = 320,
        kMinimumMainWindowHeight = 240,
        kMaximumDeviceNameLength = 256,
    };

    int32_t mainWindowX = 100;
    int32_t mainWindowY = 100;
    int32_t mainWindowWidth = 800;
    int32_t mainWindowHeight = 600;
    int32_t programListMode = 0;            // 0..2
    int32_t programListShowInfo = 0;        // field mask, bits 0..4
    int32_t programListShowInfo4Lines = 1;  // field mask of list mode 1
    int32_t programListShowInfo2Lines = 21; // field mask of list mode 0
    int32_t programListCategoryHold = 0;    // 0..3
    int32_t knobMode = 2;                   // 0 circular, 1 relative circular, 2 linear
    int32_t incDecDelay = 250;              // milliseconds, >= 0
    int32_t midiMonitorWindowShow = 0;
    int32_t midiMonitorWindowX = -1; // -1: the default place
    int32_t midiMonitorWindowY = -1;
    int32_t statusLogWindowShow = 0;
    int32_t statusLogWindowX = -1;
    int32_t statusLogWindowY = -1;
    bool showValueLayer = false;
    bool autoDumpEnabled = true;
    bool receiveParameterChange = false; // read, never written
    bool showTipsLayer = true;
    std::string midiInDevice; // port names in the ANSI code page, as the MIDI ports name them
    std::string midiOutDevice;
    bool receiveOnStartup = true;
    bool midiDeviceAutoScan = true;
};

class CHfcPreferences;

// The settings' key under HKEY_CURRENT_USER.
extern const wchar_t* const kSettingsKey;

// Reads every value of the key (created when missing), a missing one taking its default and
// each clamped to what it indexes or sizes. False, with the settings unchanged, when the key
// cannot be opened.
bool ReadSettings(CSettings& settings, const wchar_t* subkey = kSettingsKey);
// Writes every value but "ReceiveParameterChange", plus "PreferencesVersion" 1; stops at the
// first value that cannot be written and answers false.
bool WriteSettings(const CSettings& settings, const wchar_t* subkey = kSettingsKey);
// The same through a preferences object already open; false when it is not.
bool ReadSettings(CSettings& settings, const CHfcPreferences& preferences);
bool WriteSettings(const CSettings& settings, CHfcPreferences& preferences);

// The process-wide settings.
CSettings& GetSettings();
