#include "app/CSettings.h"

#include "app/AppText.h"
#include "foundation/win32/CHfcPreferences.h"
#include "foundation/EfUtility.h"

const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";

namespace
{
std::string ReadDeviceName(const CHfcPreferences& preferences, const wchar_t* name)
{
    wchar_t wide[CSettings::kMaximumDeviceNameLength + 1];
    preferences.GetString(name, wide, CSettings::kMaximumDeviceNameLength + 1, L"");
    return WideToAnsi(wide);
}

bool WriteDeviceName(CHfcPreferences& preferences, const wchar_t* name, const std::string& device)
{
    return preferences.SetString(name, AnsiToWide(device.c_str()).c_str());
}

// The value, or (for a switch stored as any non-zero number) its truth.
bool ReadSwitch(const CHfcPreferences& preferences, const wchar_t* name, bool defaultValue)
{
    return preferences.GetInt(name, defaultValue ? 1 : 0) != 0;
}
} // namespace

bool ReadSettings(CSettings& settings, const wchar_t* subkey)
{
    CHfcPreferences preferences;
    if (!preferences.Open(subkey))
    {
        DebugTrace("ReadSettings() - %s", "Failed to open the settings key.");
        return false;
    }
    const CSettings d; // the defaults
    CSettings& s = settings;
    s.mainWindowX = preferences.GetInt(L"MainWindowX", d.mainWindowX);
    s.mainWindowY = preferences.GetInt(L"MainWindowY", d.mainWindowY);
    s.mainWindowWidth = MaxValue(preferences.GetInt(L"MainWindowWidth", d.mainWindowWidth),
                                 CSettings::kMinimumMainWindowWidth);
    s.mainWindowHeight = MaxValue(preferences.GetInt(L"MainWindowHeight", d.mainWindowHeight),
                                  CSettings::kMinimumMainWindowHeight);
    s.programListMode = ClampValue(preferences.GetInt(L"ProgramListMode", d.programListMode), 0, 2);
    s.programListShowInfo = preferences.GetInt(L"ProgramListShowInfo", d.programListShowInfo) & 0x1F;
    s.programListShowInfo4Lines =
        preferences.GetInt(L"ProgramListShowInfo4Lines", d.programListShowInfo4Lines) & 0x1F;
    s.programListShowInfo2Lines =
        preferences.GetInt(L"ProgramListShowInfo2Lines", d.programListShowInfo2Lines) & 0x1F;
    s.programListCategoryHold =
        ClampValue(preferences.GetInt(L"ProgramListCategoryHold", d.programListCategoryHold), 0, 3);
    s.knobMode = ClampValue(preferences.GetInt(L"KnobMode", d.knobMode), 0, 2);
    s.incDecDelay = MaxValue(preferences.GetInt(L"IncDecDelay", d.incDecDelay), 0);
    s.midiMonitorWindowShow = preferences.GetInt(L"MidiMonitorWindowShow", d.midiMonitorWindowShow);
    s.midiMonitorWindowX = preferences.GetInt(L"MidiMonitorWindowX", d.midiMonitorWindowX);
    s.midiMonitorWindowY = preferences.GetInt(L"MidiMonitorWindowY", d.midiMonitorWindowY);
    s.statusLogWindowShow = preferences.GetInt(L"StatusLogWindowShow", d.statusLogWindowShow);
    s.statusLogWindowX = preferences.GetInt(L"StatusLogWindowX", d.statusLogWindowX);
    s.statusLogWindowY = preferences.GetInt(L"StatusLogWindowY", d.statusLogWindowY);
    s.showValueLayer = ReadSwitch(preferences, L"ShowValueLayer", d.showValueLayer);
    s.autoDumpEnabled = ReadSwitch(preferences, L"AutoDumpEnabled", d.autoDumpEnabled);
    s.receiveParameterChange = ReadSwitch(preferences, L"ReceiveParameterChange", d.receiveParameterChange);
    s.showTipsLayer = ReadSwitch(preferences, L"ShowTipsLayer", d.showTipsLayer);
    s.midiInDevice = ReadDeviceName(preferences, L"MidiInDevice");
    s.midiOutDevice = ReadDeviceName(preferences, L"MidiOutDevice");
    s.receiveOnStartup = ReadSwitch(preferences, L"ReceiveOnStartup", d.receiveOnStartup);
    s.midiDeviceAutoScan = ReadSwitch(preferences, L"MidiDeviceAutoScan", d.midiDeviceAutoScan);
    preferences.Close();
    return true;
}

bool WriteSettings(const CSettings& s, const wchar_t* subkey)
{
    CHfcPreferences preferences;
    if (!preferences.Open(subkey))
    {
        DebugTrace("WriteSettings() - %s", "Failed to open the settings key.");
        return false;
    }
    const struct
    {
        const wchar_t* name;
        int32_t value;
    } before[] =
        {
            {L"MainWindowX", s.mainWindowX},
            {L"MainWindowY", s.mainWindowY},
            {L"MainWindowWidth", s.mainWindowWidth},
            {L"MainWindowHeight", s.mainWindowHeight},
            {L"ProgramListMode", s.programListMode},
            {L"ProgramListShowInfo", s.programListShowInfo},
            {L"ProgramListShowInfo4Lines", s.programListShowInfo4Lines},
            {L"ProgramListShowInfo2Lines", s.programListShowInfo2Lines},
            {L"ProgramListCategoryHold", s.programListCategoryHold},
            {L"KnobMode", s.knobMode},
            {L"IncDecDelay", s.incDecDelay},
        },
      after[] = {
          {L"ShowValueLayer", s.showValueLayer ? 1 : 0},
          {L"AutoDumpEnabled", s.autoDumpEnabled ? 1 : 0},
          {L"ShowTipsLayer", s.showTipsLayer ? 1 : 0},
          {L"MidiMonitorWindowShow", s.midiMonitorWindowShow},
          {L"MidiMonitorWindowX", s.midiMonitorWindowX},
          {L"MidiMonitorWindowY", s.midiMonitorWindowY},
          {L"StatusLogWindowShow", s.statusLogWindowShow},
          {L"StatusLogWindowX", s.statusLogWindowX},
          {L"StatusLogWindowY", s.statusLogWindowY},
          {L"PreferencesVersion", 1},
          {L"ReceiveOnStartup", s.receiveOnStartup ? 1 : 0},
          {L"MidiDeviceAutoScan", s.midiDeviceAutoScan ? 1 : 0},
      };
    bool written = true;
    for (const auto& value : before)
        written = written && preferences.SetInt(value.name, value.value);
    written = written && WriteDeviceName(preferences, L"MidiInDevice", s.midiInDevice);
    written = written && WriteDeviceName(preferences, L"MidiOutDevice", s.midiOutDevice);
    for (const auto& value : after)
        written = written && preferences.SetInt(value.name, value.value);
    if (!written)
        DebugTrace("WriteSettings() - %s", "Failed to write a value.");
    return written;
}

CSettings& GetSettings()
{
    static CSettings settings;
    return settings;
}
